// The bolt-advanced dialog, driven as a user drives it, on a fake page that records every apply.
#include "macrodlg/CDlgMacroBoltAdv.h"

#include <gtest/gtest.h>

#include <vector>

#include "MacroDlgTestSupport.h"
#include "platform/grid/window/GridAutomation.h"
#include "platform/mfc/CheckComboBox.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mxbase/Mx_Settings.h"

namespace {

using Dlg = CDlgMacroBoltAdv;

MacroSlottedHole hole(bool active, const wchar_t* length, const wchar_t* radius) {
    MacroSlottedHole h;
    h.active = active;
    h.length = length;
    h.radius = radius;
    return h;
}

// A bolt page as the dialog sees it: it takes every apply, answers with what the drawing made of it
// (here: the composition's diameter), and remembers what it was given.
struct FakePage {
    std::vector<MacroBoltData> applied;
    bool accept = true;

    BoltAdvRequest request(const MacroBoltData& data) {
        BoltAdvRequest r;
        r.data = data;
        r.diameters = {L"16", L"20", L"24"};
        r.apply = [this](MacroBoltData& bolts) {
            applied.push_back(bolts);
            if (bolts.composition.startsWith(L"M24"))
                bolts.diameter = L"24";
            return accept;
        };
        return r;
    }
};

MacroBoltData sample() {
    MacroBoltData data;
    data.composition = L"M20 8.8 HV";
    data.diameter = L"20";
    data.holeTolerance = L"2";
    data.boltCount = 4;
    data.tapped = Switch::Varies;
    data.holeParts = {L"End plate", L"Column flange"};
    data.holeTolerances = {L"", L"3"};
    data.slottedHoles.append(hole(true, L"30", L"11"));
    data.slottedHoles.append(hole(false, L"0", L"0"));
    data.slottedHoles.append(hole(true, L"40", L"13"));
    return data;
}

class BoltAdvTest : public MacroDlgTest {
protected:
    void SetUp() override {
        MacroDlgTest::SetUp();
        gSettings.setLibDir(Mx_String(CONNSHEET_SOURCE_DIR L"/examples/library/"));
    }
    void TearDown() override {
        gSettings.reset();
        MacroDlgTest::TearDown();
    }
    FakePage page;
};

}  // namespace

TEST_F(BoltAdvTest, OpensWithTheBoltsValuesAndTheFirstSlottedHole) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Bolt settings");
        EXPECT_EQ(dlg.text(Dlg::IDC_COMPOSITION), L"M20 8.8 HV");
        EXPECT_EQ(dlg.items(Dlg::IDC_COMPOSITION).size(), 7u) << "the library's assemblies";
        EXPECT_EQ(dlg.items(Dlg::IDC_DIAMETER), (std::vector<std::wstring>{L"16", L"20", L"24"}));
        EXPECT_EQ(dlg.text(Dlg::IDC_DIAMETER), L"20");
        EXPECT_EQ(dlg.checked(Dlg::IDC_TAPPED), BST_INDETERMINATE);
        EXPECT_EQ(dlg.checked(Dlg::IDC_NUT1), BST_CHECKED);
        EXPECT_EQ(dlg.text(Dlg::IDC_NUT1_LABEL), L"Nut 1");
        EXPECT_EQ(dlg.text(Dlg::IDC_SEPARATE_LABEL), L"Holes for all bolts of the group");
        EXPECT_TRUE(dlg.enabled(Dlg::IDC_SEPARATE_HOLES));
        EXPECT_EQ(
            dlg.items(Dlg::IDC_SLOTTED_LIST),
            (std::vector<std::wstring>{L"Slotted hole nr: 1", L"Slotted hole nr: 2", L"Slotted hole nr: 3"}));
        auto list = dlg.control<ui::CheckComboVerbs>(Dlg::IDC_SLOTTED_LIST);
        EXPECT_TRUE(list.checked(0));
        EXPECT_FALSE(list.checked(1));
        EXPECT_EQ(dlg.selection(Dlg::IDC_SLOTTED_LIST), 0);
        EXPECT_EQ(dlg.text(Dlg::IDC_LENGTH), L"30");
        EXPECT_EQ(dlg.text(Dlg::IDC_TYPE), L"End") << "type -1 is the last type";
        auto holes = dlg.control<ui::GridAutomation>(Dlg::IDC_HOLE_GRID);
        EXPECT_EQ(holes.text(1, 2), L"Column flange");
        EXPECT_EQ(holes.text(2, 2), L"3");
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "bolt_advanced_dialog");
        dlg.click(IDCANCEL);
    });
    BoltAdvRequest request = page.request(sample());
    EXPECT_EQ(runSubDialog(request), IDCANCEL);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(page.applied.empty()) << "opening and cancelling apply nothing";
}

TEST_F(BoltAdvTest, AnInvalidSlottedHoleStopsTheApplyNamingTheFirstOneAndOkStaysOpen) {
    MacroBoltData data = sample();
    data.slottedHoles[1].radius = L"0";  // inactive: never checked
    data.slottedHoles.append(hole(true, L"", L"5"));
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.select(Dlg::IDC_SLOTTED_LIST, 2);
        dlg.type(Dlg::IDC_RADIUS, L"0");
        dlg.click(IDOK);  // holes 2 and 3 are wrong: the message names 2
        EXPECT_TRUE(dlg.exists(Dlg::IDC_RADIUS)) << "still open";
        dlg.type(Dlg::IDC_RADIUS, L"-1");
        dlg.select(Dlg::IDC_TYPE, 1);  // a change applies, and fails the same way
        dlg.type(Dlg::IDC_RADIUS, L"12.5");
        dlg.select(Dlg::IDC_SLOTTED_LIST, 3);
        dlg.type(Dlg::IDC_LENGTH, L"12 mm");  // not a decimal number
        dlg.click(IDOK);
        dlg.type(Dlg::IDC_LENGTH, L"25");
        dlg.click(IDOK);
    });
    BoltAdvRequest request = page.request(data);
    EXPECT_EQ(runSubDialog(request), IDOK);
    ui::expectDriverDone(driver);
    ASSERT_EQ(driver.messageBoxes().size(), 3u);
    const auto& first = driver.messageBoxes()[0];
    EXPECT_EQ(first.caption, L"Ongeldige waarde");
    EXPECT_EQ(first.text,
              L"Slotted hole 2 needs a length and a radius greater than 0.\n\nPlease correct the value.");
    EXPECT_EQ(first.type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(driver.messageBoxes()[2].text.substr(0, 15), L"Slotted hole 3 ");
    ASSERT_EQ(page.applied.size(), 1u) << "only the valid OK reached the page";
    const MacroBoltData& applied = page.applied.front();
    EXPECT_EQ(applied.slottedHoles[2].radius, L"12.5");
    EXPECT_EQ(applied.slottedHoles[2].type, 1);
    EXPECT_EQ(applied.slottedHoles[3].length, L"25");
    EXPECT_EQ(applied.slottedHoles[1].radius, L"0");
    EXPECT_EQ(request.data, applied) << "the dialog's copy is what the page made of it";
}

TEST_F(BoltAdvTest, ChoosingAnotherSlottedHoleKeepsWhatWasTypedAndAppliesNothing) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.type(Dlg::IDC_LENGTH, L"35");
        dlg.type(Dlg::IDC_ANGLE, L"90");
        dlg.select(Dlg::IDC_SLOTTED_LIST, 1);
        EXPECT_EQ(dlg.text(Dlg::IDC_LENGTH), L"0");
        EXPECT_EQ(dlg.checked(Dlg::IDC_ACTIVE), BST_UNCHECKED);
        dlg.select(Dlg::IDC_SLOTTED_LIST, 0);
        EXPECT_EQ(dlg.text(Dlg::IDC_LENGTH), L"35");
        EXPECT_EQ(dlg.text(Dlg::IDC_ANGLE), L"90");
        dlg.click(IDCANCEL);
    });
    BoltAdvRequest request = page.request(sample());
    EXPECT_EQ(runSubDialog(request), IDCANCEL);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(page.applied.empty());
}

TEST_F(BoltAdvTest, EveryChangeAppliesAtOnceAndTheDialogShowsWhatThePageMadeOfIt) {
    ui::ScriptedDriver driver;
    driver.onModal([this, &driver](ui::Automation& dlg) {
        dlg.click(Dlg::IDC_TAPPED);  // out of Varies
        ASSERT_EQ(page.applied.size(), 1u);
        EXPECT_EQ(page.applied.back().tapped, Switch::On);
        dlg.click(Dlg::IDC_TAPPED);
        EXPECT_EQ(page.applied.back().tapped, Switch::Off) << "never back to Varies";
        dlg.type(Dlg::IDC_TOLERANCE, L"3");  // typing alone applies nothing
        EXPECT_EQ(page.applied.size(), 2u);
        dlg.select(Dlg::IDC_COMPOSITION, L"M24 10.9 HV");
        EXPECT_EQ(page.applied.back().holeTolerance, L"3") << "the apply takes every control";
        EXPECT_EQ(dlg.text(Dlg::IDC_DIAMETER), L"24") << "refilled from the page's answer";
        dlg.click(Dlg::IDC_NUT1_LABEL);
        EXPECT_EQ(page.applied.back().nut1, Switch::Off) << "the label toggles nut 1";
        dlg.click(Dlg::IDC_WASHERS);
        EXPECT_EQ(page.applied.back().washers, Switch::On);
        dlg.click(Dlg::IDC_ACTIVE);  // hole 1 off
        EXPECT_FALSE(dlg.control<ui::CheckComboVerbs>(Dlg::IDC_SLOTTED_LIST).checked(0));
        EXPECT_FALSE(page.applied.back().slottedHoles[0].active);
        const std::size_t applies = page.applied.size();
        dlg.control<ui::CheckComboVerbs>(Dlg::IDC_SLOTTED_LIST).toggleCheck(1);  // a tick activates hole 2...
        EXPECT_EQ(driver.messageBoxes().size(), 1u) << "...whose length 0 is refused";
        EXPECT_EQ(page.applied.size(), applies);
        dlg.select(Dlg::IDC_SLOTTED_LIST, 1);
        EXPECT_EQ(dlg.checked(Dlg::IDC_ACTIVE), BST_CHECKED);
        dlg.type(Dlg::IDC_LENGTH, L"20");
        dlg.type(Dlg::IDC_RADIUS, L"6");
        dlg.click(Dlg::IDC_SEPARATE_HOLES);
        EXPECT_EQ(page.applied.size(), applies + 1);
        dlg.control<ui::GridAutomation>(Dlg::IDC_HOLE_GRID).type(2, 1, L"1.5");
        dlg.click(IDOK);
    });
    BoltAdvRequest request = page.request(sample());
    EXPECT_EQ(runSubDialog(request), IDOK);
    ui::expectDriverDone(driver);
    const MacroBoltData& last = page.applied.back();
    EXPECT_EQ(last.composition, L"M24 10.9 HV");
    EXPECT_EQ(last.diameter, L"24");
    EXPECT_TRUE(last.separateHoles);
    EXPECT_EQ(last.holeTolerances, Mx_StringArray({L"1.5", L"3"}));
    EXPECT_TRUE(last.slottedHoles[1].active);
    EXPECT_EQ(last.slottedHoles[1].radius, L"6");
}

TEST_F(BoltAdvTest, WithoutBoltsInTheGroupTheHoleOptionIsNotOfferedAndARefusedOkStaysOpen) {
    MacroBoltData data = sample();
    data.boltCount = 0;
    data.separateHoles = true;
    data.slottedHoles.removeAll();
    page.accept = false;
    ui::ScriptedDriver driver;
    driver.onModal([this](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(Dlg::IDC_SEPARATE_LABEL), L"Holes for this bolt only");
        EXPECT_FALSE(dlg.enabled(Dlg::IDC_SEPARATE_HOLES));
        EXPECT_FALSE(dlg.enabled(Dlg::IDC_LENGTH)) << "no slotted hole to edit";
        dlg.click(IDOK);
        EXPECT_EQ(page.applied.size(), 1u);
        EXPECT_TRUE(dlg.exists(IDOK)) << "the page applied nothing: the dialog stays";
        dlg.click(IDCANCEL);
    });
    BoltAdvRequest request = page.request(data);
    EXPECT_EQ(runSubDialog(request), IDCANCEL);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(page.applied.front().separateHoles) << "a disabled option keeps its value";
}

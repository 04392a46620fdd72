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

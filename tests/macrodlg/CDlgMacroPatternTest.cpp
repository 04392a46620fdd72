// The bolt-pattern dialog on a fake page that records every pattern handed to it.
#include "macrodlg/CDlgMacroPattern.h"

#include <gtest/gtest.h>

#include <vector>

#include "MacroDlgTestSupport.h"
#include "platform/grid/window/GridAutomation.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mxbase/Mx_Settings.h"

namespace {

using Dlg = CDlgMacroPattern;

class PatternTest : public MacroDlgTest {
protected:
    void TearDown() override {
        gSettings.reset();
        MacroDlgTest::TearDown();
    }
    PatternRequest request() {
        PatternRequest r;
        r.index = 1;
        r.pattern.pattern.name = L"Rows";
        r.pattern.pattern.nrBolts1 = L"3";
        r.pattern.pattern.spacing1 = 75;
        r.pattern.pattern.nrBolts2 = L"2*60";
        r.pattern.pattern.twoDirections = true;
        r.pattern.pattern.fixedSpacing2 = false;
        r.pattern.pattern.distances2 = {L"60", L"60"};
        r.pattern.pattern.alternation = 2;
        r.apply = [this](const MacroPatternProps& p) {
            applied.push_back(p.pattern);
            return true;
        };
        return r;
    }
    std::vector<MacroBoltPattern> applied;
};

}  // namespace

TEST_F(PatternTest, OpensOnThePatternAndTheAlternationButtonsShowTheInstallationsPictures) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Bolt pattern");
        EXPECT_EQ(dlg.text(IDOK), L"Close");
        EXPECT_EQ(dlg.items(Dlg::IDC_ALIGNMENT1),
                  (std::vector<std::wstring>{L"*VARIES*", L"End", L"Distributed", L"Start"}));
        EXPECT_EQ(dlg.text(Dlg::IDC_ALIGNMENT1), L"Distributed");
        EXPECT_EQ(dlg.text(Dlg::IDC_FIXED_SPACING1), L"75");
        EXPECT_TRUE(dlg.enabled(Dlg::IDC_FIXED_SPACING1));
        EXPECT_FALSE(dlg.enabled(Dlg::IDC_FIXED_SPACING2)) << "direction 2 has no fixed spacing";
        EXPECT_EQ(dlg.text(Dlg::IDC_COUNT2), L"2*60");
        EXPECT_EQ(dlg.control<ui::GridAutomation>(Dlg::IDC_GRID2).text(1, 2), L"60");
        for (int n = 0; n < Dlg::kAlternations; ++n) {
            auto* button = dynamic_cast<CButtonST*>(dlg.wnd(Dlg::IDC_ALTERNATION1 + n));
            ASSERT_NE(button, nullptr);
            EXPECT_TRUE(button->hasPicture()) << n + 1;
            EXPECT_EQ(dlg.checked(Dlg::IDC_ALTERNATION1 + n), n == 1 ? BST_CHECKED : BST_UNCHECKED);
        }
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "bolt_pattern_dialog");
        dlg.click(IDCANCEL);
    });
    PatternRequest r = request();
    EXPECT_EQ(runSubDialog(r), IDCANCEL);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(applied.empty()) << "filling the controls while opening applies nothing";
}

TEST_F(PatternTest, EachAlternationButtonShowsThePictureOfItsOwnNumber) {
    // An installation with only the third picture: only the third button shows one.
    const std::filesystem::path home = dir_ / "home";
    std::filesystem::create_directories(home / "icons");
    std::filesystem::copy_file(std::filesystem::path(CONNSHEET_SOURCE_DIR) / "res/icons/BoltAlternation3.bmp",
                               home / "icons/BoltAlternation3.bmp");
    gSettings.setMxDir(Mx_String(home.wstring() + L"/"));
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        for (int n = 0; n < Dlg::kAlternations; ++n) {
            auto* button = dynamic_cast<CButtonST*>(dlg.wnd(Dlg::IDC_ALTERNATION1 + n));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->hasPicture(), n == 2) << n + 1;
        }
        dlg.click(IDCANCEL);
    });
    PatternRequest r = request();
    runSubDialog(r);
    ui::expectDriverDone(driver);
}

TEST_F(PatternTest, EveryChangeHandsThePatternToThePageAndTheLayoutsAreOneChoice) {
    ui::ScriptedDriver driver;
    driver.onModal([this](ui::Automation& dlg) {
        dlg.click(Dlg::IDC_ALTERNATION1 + 4);
        ASSERT_EQ(applied.size(), 1u);
        EXPECT_EQ(applied.back().alternation, 5);
        for (int n = 0; n < 4; ++n)
            EXPECT_EQ(dlg.checked(Dlg::IDC_ALTERNATION1 + n), BST_UNCHECKED)
                << "pressing one clears the others";
        dlg.click(Dlg::IDC_ALTERNATION1 + 4);
        EXPECT_EQ(dlg.checked(Dlg::IDC_ALTERNATION1 + 4), BST_CHECKED) << "pressed again it stays chosen";
        dlg.click(Dlg::IDC_FIXED2);
        EXPECT_TRUE(dlg.enabled(Dlg::IDC_FIXED_SPACING2));
        EXPECT_TRUE(applied.back().fixedSpacing2);
        const std::size_t before = applied.size();
        dlg.type(Dlg::IDC_FIXED_SPACING2, L"62.5");
        EXPECT_EQ(applied.size(), before + 4) << "one apply per character typed";
        EXPECT_DOUBLE_EQ(applied.back().spacing2, 62.5);
        dlg.type(Dlg::IDC_FIXED_SPACING1, L"x");
        EXPECT_DOUBLE_EQ(applied.back().spacing1, 75.0) << "a spacing that is no number keeps the last";
        dlg.select(Dlg::IDC_ALIGNMENT1, L"Start");
        EXPECT_EQ(applied.back().alignment1, PatternAlignment::Start);
        dlg.click(Dlg::IDC_USE2);
        EXPECT_FALSE(applied.back().twoDirections);
        dlg.control<ui::GridAutomation>(Dlg::IDC_GRID2).type(1, 2, L"70");
        EXPECT_EQ(applied.back().distances2, Mx_StringArray({L"60", L"70"})) << "the grid's edit applies";
        dlg.click(IDOK);
    });
    PatternRequest r = request();
    EXPECT_EQ(runSubDialog(r), IDOK);
    ui::expectDriverDone(driver);
    EXPECT_EQ(r.pattern.pattern, applied.back());
    EXPECT_EQ(r.pattern.pattern.name, L"Rows");
}

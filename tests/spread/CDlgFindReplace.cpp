// Find and replace in a grid, as the user does it: F3 / F5 in the grid, the dialog's buttons, the
// question at the end of the sheet.
#include "spread/CDlgFindReplace.h"

#include <gtest/gtest.h>

#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mxbase/ui/DialogSize.h"
#include "tests/spread/SpreadTestHost.h"

namespace {

using spreadtest::Host;
using spreadtest::kGrid;

constexpr int kFind = CDlgFindReplace::IDC_FIND;
constexpr int kReplace = CDlgFindReplace::IDC_REPLACE;

// A 3 x 4 grid:       A          B            C
//              1  "bolt M12"  "plate"     "nut"
//              2  ""          "bolt M16"  "=formula"
//              3  "washer"    ""          "bolt, bolt"
//              4  ""          ""          ""
struct FindReplaceTest : ::testing::Test {
    FindReplaceTest() : grid(host.grid), keys(host) {
        host.fill(3, 4);
        grid.SetData(1, 1, L"bolt M12");
        grid.SetData(2, 1, L"plate");
        grid.SetData(3, 1, L"nut");
        grid.SetData(2, 2, L"bolt M16");
        grid.SetFormula(3, 2, L"\"bolt \" & B1");
        grid.SetData(1, 3, L"washer");
        grid.SetData(3, 3, L"bolt, bolt");
        grid.SetBool(SSB_CHANGEMADE, FALSE);
        grid.SetActiveCell(1, 1);
        keys.setFocus(kGrid);
    }
    // The first F3 opens the dialog; the find and replace texts are typed into it.
    ui::Automation open(const std::wstring& find, const std::wstring& replace = L"") {
        keys.press(VK_F3);
        dialog = dynamic_cast<CDlgFindReplace*>(grid.findReplace());
        EXPECT_NE(dialog, nullptr);
        ui::Automation dlg(*dialog);
        dlg.type(kFind, find);
        dlg.type(kReplace, replace);
        return dlg;
    }
    // "B3 [4,8)": the active cell and the selection in its edit.
    std::string where() {
        int col = 0, row = 0, start = -1, end = -1;
        grid.getActiveCell(col, row);
        grid.getEditSelection(start, end);
        return std::string(1, char('A' + col - 1)) + std::to_string(row) + " [" + std::to_string(start) +
               "," + std::to_string(end) + ")";
    }
    Mx_String text(int col, int row) {
        Mx_String value;
        grid.getCellText(col, row, value);
        return value;
    }

    ui::ScriptedDriver driver;
    Host host;
    Mx_Spread& grid;
    ui::Automation keys;
    CDlgFindReplace* dialog = nullptr;
};

}  // namespace

TEST_F(FindReplaceTest, OpensWithItsTextsAndGivesTheGridBackOnClose) {
    grid.SetBool(13, FALSE);
    ui::Automation dlg = open(L"bolt");
    EXPECT_EQ(dlg.text(0), L"Find and replace");
    EXPECT_EQ(dlg.text(CDlgFindReplace::IDC_FIND_LABEL), L"Find what:");
    EXPECT_EQ(dlg.text(IDOK), L"Find next");
    EXPECT_EQ(dlg.text(IDCANCEL), L"Close");
    EXPECT_NE(::GetWindowLongPtr(dlg.root(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_TRUE(grid.GetBool(13));
    EXPECT_FALSE(grid.GetBool(20));
    dlg.click(IDCANCEL);
    EXPECT_FALSE(::IsWindow(dlg.root()));
    EXPECT_FALSE(grid.GetBool(13)) << "switched off again, as it was before";
    int width = 0, height = 0;
    EXPECT_TRUE(getDlgSize(Mx_String(L"DLG_FINDREPLACE"), width, height)) << "its size is kept";

    // The next F3 opens it again, with its last size.
    keys.setFocus(kGrid);
    keys.press(VK_F3);
    ASSERT_EQ(grid.findReplace(), dialog);
    EXPECT_TRUE(::IsWindow(dialog->GetSafeHwnd()));
}

TEST_F(FindReplaceTest, FindNextWalksTheMatchesAndWrapsOnRequest) {
    ui::Automation dlg = open(L"bolt");
    dlg.click(IDOK);
    EXPECT_EQ(where(), "A1 [0,4)");
    keys.press(VK_F3);
    EXPECT_EQ(where(), "B2 [0,4)");
    keys.press(VK_F3);
    EXPECT_EQ(where(), "C2 [0,4)") << "a formula's shown text is searched too";
    keys.press(VK_F3);
    EXPECT_EQ(where(), "C3 [0,4)");
    keys.press(VK_F3);
    EXPECT_EQ(where(), "C3 [6,10)") << "the second match in the same cell";
    EXPECT_TRUE(driver.messageBoxes().empty());

    driver.answerMessageBox(IDNO);
    keys.press(VK_F3);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.messageBoxes()[0].text,
              L"The end of the sheet has been reached.\nContinue from the beginning?\n");
    EXPECT_EQ(driver.messageBoxes()[0].caption, L"Find");
    EXPECT_EQ(where(), "C3 [6,10)");

    driver.answerMessageBox(IDYES);
    keys.press(VK_F3);
    EXPECT_EQ(where(), "A1 [0,4)");
    // The dialog's own button does not ask.
    EXPECT_TRUE(dialog->onFindNext(false));
    EXPECT_EQ(driver.messageBoxes().size(), 2u);
}

TEST_F(FindReplaceTest, TextNowhereInTheSheetIsSaidAfterTheWrap) {
    ui::Automation dlg = open(L"rivet");
    driver.answerMessageBox(IDYES);
    dlg.press(VK_F3);
    ASSERT_EQ(driver.messageBoxes().size(), 2u);
    EXPECT_EQ(driver.messageBoxes()[1].text, L"The text was not found.");
    EXPECT_EQ(where(), "A1 [-1,-1)");
}

TEST_F(FindReplaceTest, ReplaceChangesTheNextMatchAndMovesOnPastTheNewText) {
    ui::Automation dlg = open(L"bolt", L"bolt bolt");
    dlg.click(CDlgFindReplace::IDC_REPLACE_ONE);
    EXPECT_EQ(text(1, 1), L"bolt bolt M12");
    EXPECT_TRUE(grid.GetBool(SSB_CHANGEMADE));
    EXPECT_EQ(where(), "A1 [9,9)");
    // The inserted text is not searched again: the next replacement is in the next cell.
    keys.press(VK_F5);
    EXPECT_EQ(text(1, 1), L"bolt bolt M12");
    EXPECT_EQ(text(2, 2), L"bolt bolt M16");
}

TEST_F(FindReplaceTest, ReplaceLeavesFormulasAndTheUsersSelectionAlone) {
    ui::Automation dlg = open(L"bolt", L"screw");
    Mx_String before, after;
    grid.getCellText(3, 2, before, Mx_Spread::kFormula);
    ASSERT_FALSE(before.isEmpty());
    grid.SetActiveCell(3, 2);
    dlg.click(CDlgFindReplace::IDC_REPLACE_ONE);
    grid.getCellText(3, 2, after, Mx_Spread::kFormula);
    EXPECT_EQ(after, before);

    // No match left: the text the user selected in a cell stays as it is.
    dlg.type(kFind, L"rivet");
    grid.SetActiveCell(2, 1);
    grid.SetEditMode(TRUE);
    grid.SetSel(0, 3);
    driver.answerMessageBox(IDNO);
    EXPECT_FALSE(dialog->onReplace(true));
    EXPECT_EQ(text(2, 1), L"plate");
}

TEST_F(FindReplaceTest, ReplaceAllCountsTheChangedCells) {
    ui::Automation dlg = open(L"bolt", L"screw");
    dlg.click(CDlgFindReplace::IDC_REPLACE_ALL);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.messageBoxes()[0].text, L"Replaced in 3 cells.");
    EXPECT_EQ(driver.messageBoxes()[0].caption, L"Replace all");
    EXPECT_EQ(text(1, 1), L"screw M12");
    EXPECT_EQ(text(2, 2), L"screw M16");
    EXPECT_EQ(text(3, 3), L"screw, screw");
    EXPECT_EQ(text(3, 2), L"bolt plate") << "a formula keeps computing its text";
    EXPECT_TRUE(grid.GetBool(SSB_CHANGEMADE));

    // A replacement that contains the text ends too.
    dlg.type(kFind, L"screw");
    dlg.type(kReplace, L"screw screw");
    EXPECT_EQ(dialog->onReplaceAll(), 3);
    EXPECT_EQ(text(3, 3), L"screw screw, screw screw");

    dlg.type(kFind, L"rivet");
    EXPECT_EQ(dialog->onReplaceAll(), 0);
    EXPECT_EQ(driver.messageBoxes().back().text, L"Replaced in 0 cells.");
}

TEST_F(FindReplaceTest, Picture) {
    ui::Automation dlg = open(L"bolt", L"screw");
    ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "find_replace_dialog");
}

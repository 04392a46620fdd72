#include "spread/CDlgSSOptions.h"

#include <gtest/gtest.h>

#include "platform/grid/window/GridAutomation.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/WindowRenderer.h"
#include "tests/spread/SpreadTestHost.h"

namespace {

using Dlg = CDlgSSOptions;

// A 2 x 3 sheet with header texts, its options opened through editHeaders as a user's command would.
struct OptionsTest : ::testing::Test {
    spreadtest::Host host;
    Mx_Spread& grid = host.grid;
    void SetUp() override {
        Mx_Spread::setHeaderEditor(editGridHeaders);
        host.fill(2, 3);
        grid.setRowTexts(0, {L"Mark", L"Length"}, false);
        grid.setColumnTexts(0, {L"r1", L"r2", L"r3"}, false);
        grid.SetRowHeightInPixels(SS_HEADER, 22);
        grid.SetColWidthInPixels(SS_HEADER, 40);
        grid.SetBool(SSB_CHANGEMADE, FALSE);
    }
    void TearDown() override { Mx_Spread::setHeaderEditor(nullptr); }
    Mx_String header(int col, int row) {
        Mx_String text;
        grid.getCellText(col, row, text, Mx_Spread::kData);
        return text;
    }
};

}  // namespace

TEST_F(OptionsTest, ShowsTheSheetsHeadersAndAppliesTheEditsOnOk) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Headers");
        EXPECT_EQ(dlg.text(Dlg::IDC_COUNTS_GROUP), L"Number of columns and rows");
        EXPECT_EQ(dlg.text(Dlg::IDC_HEIGHT_LABEL), L"Header row height (pixels):");
        EXPECT_EQ(dlg.text(Dlg::IDC_COLS), L"2");
        EXPECT_EQ(dlg.text(Dlg::IDC_ROWS), L"3");
        EXPECT_EQ(dlg.text(Dlg::IDC_HEADER_HEIGHT), L"22");
        EXPECT_EQ(dlg.text(Dlg::IDC_HEADER_WIDTH), L"40");
        auto cols = dlg.control<ui::GridAutomation>(Dlg::IDC_COL_HEADERS);
        auto rows = dlg.control<ui::GridAutomation>(Dlg::IDC_ROW_HEADERS);
        EXPECT_EQ(cols.rows(), 1);
        EXPECT_EQ(cols.cols(), 2);
        EXPECT_EQ(cols.text(2, 1), L"Length");
        EXPECT_EQ(rows.cols(), 1);
        EXPECT_EQ(rows.text(1, 3), L"r3");

        cols.type(1, 1, L"Pos");
        dlg.type(Dlg::IDC_COLS, L"3");
        EXPECT_EQ(cols.cols(), 3);
        EXPECT_EQ(cols.text(1, 1), L"Pos") << "the texts typed so far stay";
        EXPECT_EQ(cols.text(3, 1), L"");
        dlg.type(Dlg::IDC_ROWS, L"2");
        EXPECT_EQ(rows.rows(), 2);
        dlg.type(Dlg::IDC_HEADER_WIDTH, L"55");
        dlg.click(IDOK);
    });
    ASSERT_TRUE(grid.editHeaders());
    ui::expectDriverDone(driver);
    EXPECT_EQ(grid.getMaxCols(), 3);
    EXPECT_EQ(grid.getMaxRows(), 2);
    EXPECT_EQ(header(1, SS_HEADER), Mx_String(L"Pos"));
    EXPECT_EQ(header(2, SS_HEADER), Mx_String(L"Length"));
    EXPECT_EQ(header(SS_HEADER, 2), Mx_String(L"r2"));
    int width = 0;
    grid.GetColWidthInPixels(SS_HEADER, &width);
    EXPECT_EQ(width, 55);
    EXPECT_TRUE(grid.GetBool(SSB_CHANGEMADE));
}

TEST_F(OptionsTest, ShrinkingAndGrowingAgainKeepsTheTexts) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        auto rows = dlg.control<ui::GridAutomation>(Dlg::IDC_ROW_HEADERS);
        rows.type(1, 3, L"typed");
        dlg.type(Dlg::IDC_ROWS, L"1");
        EXPECT_EQ(rows.rows(), 1);
        dlg.type(Dlg::IDC_ROWS, L"4");
        EXPECT_EQ(rows.text(1, 2), L"r2") << "from the starting texts";
        EXPECT_EQ(rows.text(1, 3), L"typed") << "a count typed digit by digit loses nothing";
        EXPECT_EQ(rows.text(1, 4), L"");
        // "12" passes through "1" on the way.
        dlg.type(Dlg::IDC_ROWS, L"12");
        EXPECT_EQ(rows.rows(), 12);
        EXPECT_EQ(rows.text(1, 3), L"typed");
        dlg.type(Dlg::IDC_ROWS, L"4");
        dlg.type(Dlg::IDC_HEADER_HEIGHT, L"");
        dlg.click(IDOK);
    });
    ASSERT_TRUE(grid.editHeaders());
    EXPECT_EQ(grid.getMaxRows(), 4);
    EXPECT_EQ(header(SS_HEADER, 3), Mx_String(L"typed"));
    int height = 0;
    grid.GetRowHeightInPixels(SS_HEADER, &height);
    EXPECT_EQ(height, 22) << "an empty height keeps the old one";
}

TEST_F(OptionsTest, CancelChangesNothing) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.type(Dlg::IDC_COLS, L"5");
        dlg.click(IDCANCEL);
    });
    EXPECT_FALSE(grid.editHeaders());
    EXPECT_EQ(grid.getMaxCols(), 2);
    EXPECT_FALSE(grid.GetBool(SSB_CHANGEMADE));
}

TEST_F(OptionsTest, Picture) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "sheet_options_dialog");
        dlg.click(IDCANCEL);
    });
    grid.editHeaders();
}

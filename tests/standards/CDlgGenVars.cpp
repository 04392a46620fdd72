// The general variables dialog, driven as a user drives it.
#include "standards/CDlgGenVars.h"

#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>

#include "module/ModuleResources.h"
#include "platform/grid/window/GridAutomation.h"
#include "platform/grid/window/SSFunctions.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/RegistryScope.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/ui/DialogSize.h"
#include "standards/StartDlgGenVars.h"

namespace {

constexpr int kDwg = CDlgGenVars::IDC_DWG_GRID;
constexpr int kStd = CDlgGenVars::IDC_STD_GRID;

struct GenVarsTest : ::testing::Test {
    ui::RegistryScope registry;  // dialog sizes stay in the test
    void TearDown() override { gSettings.reset(); }
};

VlAutoStandardsData sample() {
    VlAutoStandardsData data;
    data.dwgGenVars() = {L"gen_Clearance", L"gen_Clearance", L"gen_Gap"};
    data.dwgGenValues() = {L"10", L"12", L"5"};
    data.dwgGenFilters() = {L"Halls", L"Sheds\\Small.dwg", L""};
    data.stdGenVars() = {L"gen_Bolt"};
    data.stdGenValues() = {L"M20"};
    data.stdGenOverrides() = {L"1"};
    data.stdGenFilters() = {L""};
    return data;
}

}  // namespace

TEST_F(GenVarsTest, EmptyListsOpenWithOneEmptyRowEachAndOkStoresIt) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"General variables");
        auto dwg = dlg.control<ui::GridAutomation>(kDwg);
        auto std = dlg.control<ui::GridAutomation>(kStd);
        EXPECT_EQ(dwg.rows(), 1);
        EXPECT_EQ(dwg.cols(), 4);
        EXPECT_EQ(std.cols(), 5);
        EXPECT_EQ(dwg.text(1, SS_HEADER), L"Name");
        EXPECT_EQ(std.text(3, SS_HEADER), L"Override");
        EXPECT_EQ(std.text(4, SS_HEADER), L"Filter");
        auto* down = dynamic_cast<CButtonST*>(dlg.wnd(CDlgGenVars::IDC_STD_DOWN));
        ASSERT_NE(down, nullptr);
        EXPECT_TRUE(down->hasPicture());
        EXPECT_EQ(down->tooltipText(), L"Move down");
        dlg.click(IDOK);
    });
    VlAutoStandardsData data;
    EXPECT_TRUE(StartDlgGenVars(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.dwgGenVars(), Mx_StringArray({L""}));
    EXPECT_EQ(data.dwgGenValues(), Mx_StringArray({L""}));
    EXPECT_EQ(data.dwgGenFilters(), Mx_StringArray({L""}));
    EXPECT_EQ(data.stdGenOverrides(), Mx_StringArray({L""}));
}

TEST_F(GenVarsTest, EqualNamesShareOneCellAndANameTypedIntoItRenamesEveryRow) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        const HWND grid = dlg.find(kDwg);
        SS_COORD col = 0, row = 0, cols = 0, rows = 0;
        EXPECT_EQ(SSGetCellSpan(grid, 1, 2, &col, &row, &cols, &rows), SS_SPAN_YES);
        EXPECT_EQ(row, 1);
        EXPECT_EQ(rows, 2);
        EXPECT_EQ(SSGetCellSpan(grid, 1, 3, &col, &row, &cols, &rows), SS_SPAN_NO) << "another name";
        dlg.control<ui::GridAutomation>(kDwg).type(1, 1, L"gen_Space");
        dlg.click(IDOK);
    });
    VlAutoStandardsData data = sample();
    EXPECT_TRUE(StartDlgGenVars(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.dwgGenVars(), Mx_StringArray({L"gen_Space", L"gen_Space", L"gen_Gap"}));
    EXPECT_EQ(data.dwgGenValues(), Mx_StringArray({L"10", L"12", L"5"}));
}

TEST_F(GenVarsTest, TheFilterChooserAppendsWhatLiesBelowMacrosAndDropsTheRest) {
    const std::filesystem::path lib =
        std::filesystem::temp_directory_path() / ("connsheet-genvars-lib-" + std::to_string(::getpid()));
    gSettings.setLibDir(Mx_String(lib.wstring()));
    const std::wstring macros = (lib / "Macros").wstring();
    ui::ScriptedDriver driver;
    driver.answerFileDialog(
        {true, {macros + L"/Halls/North.dwg", L"/elsewhere/Other.dwg", macros + L"/Sheds"}});
    driver.answerFileDialog({true, {L"/elsewhere/Other.dwg"}});
    driver.answerFileDialog({false, {}});
    driver.answerFileDialog({true, {macros + L"/Halls/North.dwg"}});
    driver.onModal([](ui::Automation& dlg) {
        auto dwg = dlg.control<ui::GridAutomation>(kDwg);
        dwg.click(4, 1);
        EXPECT_EQ(dwg.text(3, 1), L"Halls;Halls\\North.dwg;Sheds");
        dwg.click(4, 3);  // only a path outside "Macros\"
        dwg.click(4, 3);  // cancelled
        EXPECT_EQ(dwg.text(3, 3), L"");
        auto std = dlg.control<ui::GridAutomation>(kStd);
        std.click(5, 1);
        EXPECT_EQ(std.text(4, 1), L"Halls\\North.dwg") << "the standards list's filter is its fourth column";
        EXPECT_EQ(std.text(3, 1), L"1");
        dlg.click(IDOK);
    });
    VlAutoStandardsData data = sample();
    EXPECT_TRUE(StartDlgGenVars(data));
    ui::expectDriverDone(driver);
    ASSERT_EQ(driver.fileDialogs().size(), 4u);
    const ui::FileDialogRequest& asked = driver.fileDialogs().front();
    EXPECT_EQ(asked.kind, ui::FileDialogKind::OpenMultiple);
    EXPECT_EQ(asked.title, L"Select the drawings and folders that apply to this general variable");
    EXPECT_EQ(asked.initialFolder, gSettings.libDir().str() + L"Macros\\");
    EXPECT_NE(asked.filter.find(L"AutoCAD Drawing"), std::wstring::npos);
    EXPECT_EQ(data.dwgGenFilters(),
              Mx_StringArray({L"Halls;Halls\\North.dwg;Sheds", L"Sheds\\Small.dwg", L""}));
    EXPECT_EQ(data.stdGenFilters(), Mx_StringArray({L"Halls\\North.dwg"}));
}

TEST_F(GenVarsTest, RowsMoveAddAndGoWithAllTheirColumns) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        auto dwg = dlg.control<ui::GridAutomation>(kDwg);
        dwg.click(2, 3);  // gen_Gap
        dlg.click(CDlgGenVars::IDC_DWG_UP);
        EXPECT_EQ(dwg.activeCell().second, 2) << "the selection moves with the row";
        dlg.click(CDlgGenVars::IDC_DWG_UP);
        dlg.click(CDlgGenVars::IDC_DWG_UP);  // already first: nothing moves
        dwg.click(2, 3);
        dlg.click(CDlgGenVars::IDC_DWG_REMOVE);  // the second gen_Clearance
        dwg.click(2, 2);
        dlg.click(CDlgGenVars::IDC_DWG_ADD);  // an empty row before it
        EXPECT_EQ(dwg.rows(), 3);
        dlg.click(CDlgGenVars::IDC_STD_DOWN);  // one row: nothing moves
        dlg.click(IDOK);
    });
    VlAutoStandardsData data = sample();
    EXPECT_TRUE(StartDlgGenVars(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.dwgGenVars(), Mx_StringArray({L"gen_Gap", L"", L"gen_Clearance"}));
    EXPECT_EQ(data.dwgGenValues(), Mx_StringArray({L"5", L"", L"10"}));
    EXPECT_EQ(data.dwgGenFilters(), Mx_StringArray({L"", L"", L"Halls"}));
    EXPECT_EQ(data.stdGenVars(), Mx_StringArray({L"gen_Bolt"}));
}

TEST_F(GenVarsTest, RemovingEveryRowLeavesAddUsableAndOkStoresNothingElse) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        auto std = dlg.control<ui::GridAutomation>(kStd);
        std.click(1, 1);
        dlg.click(CDlgGenVars::IDC_STD_REMOVE);
        EXPECT_EQ(std.rows(), 0);
        dlg.click(CDlgGenVars::IDC_STD_ADD);
        EXPECT_EQ(std.rows(), 1);
        std.type(1, 1, L"gen_New");
        dlg.click(IDOK);
    });
    VlAutoStandardsData data = sample();
    EXPECT_TRUE(StartDlgGenVars(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.stdGenVars(), Mx_StringArray({L"gen_New"}));
    EXPECT_EQ(data.stdGenValues(), Mx_StringArray({L""}));
}

TEST_F(GenVarsTest, CancelAndTheCloseBoxDiscardEditsAndTheResourcesAreRestored) {
    const HINSTANCE before = AfxGetResourceHandle();
    for (bool closeBox : {false, true}) {
        ui::ScriptedDriver driver;
        driver.onModal([closeBox](ui::Automation& dlg) {
            EXPECT_EQ(AfxGetResourceHandle(), ModuleResources::handle());
            dlg.control<ui::GridAutomation>(kDwg).type(2, 1, L"99");
            if (closeBox)
                dlg.close();
            else
                dlg.click(IDCANCEL);
        });
        VlAutoStandardsData data = sample();
        EXPECT_FALSE(StartDlgGenVars(data));
        ui::expectDriverDone(driver);
        EXPECT_EQ(data, sample());
        EXPECT_EQ(AfxGetResourceHandle(), before);
    }
}

TEST_F(GenVarsTest, TheSizeIsKeptAndNeverSmallerThanTheTemplate) {
    RECT first{};
    ui::ScriptedDriver driver;
    driver.onModal([&first](ui::Automation& dlg) {
        ::GetWindowRect(dlg.root(), &first);
        dlg.resize(100, 100);
        RECT now{};
        ::GetWindowRect(dlg.root(), &now);
        EXPECT_EQ(now.right - now.left, first.right - first.left) << "not below the template's size";
        dlg.resize(first.right - first.left + 120, first.bottom - first.top + 80);
        auto grid = dlg.rect(kStd);
        auto ok = dlg.rect(IDOK);
        auto std = dlg.rect(CDlgGenVars::IDC_STD_GROUP);
        EXPECT_LT(grid.bottom, ok.top) << "the standards list grows down to the buttons";
        EXPECT_GT(std.bottom - std.top, 200);
        dlg.click(IDCANCEL);
    });
    VlAutoStandardsData data;
    StartDlgGenVars(data);
    int width = 0, height = 0;
    ASSERT_TRUE(getDlgSize(L"DLG_GENVARS", width, height));
    EXPECT_EQ(width, first.right - first.left + 120);
    EXPECT_EQ(height, first.bottom - first.top + 80);
}

TEST_F(GenVarsTest, Picture) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "genvars_dialog");
        dlg.click(IDCANCEL);
    });
    VlAutoStandardsData data = sample();
    StartDlgGenVars(data);
    ui::expectDriverDone(driver);
}

// The array dialog through StartArrayDlg, on the end plate's objects.
#include "macrodlg/CDlgArray.h"

#include <gtest/gtest.h>

#include "MacroDlgTestSupport.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "platform/grid/window/GridAutomation.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"

namespace {

using Dlg = CDlgArray;

DynArrayData sample() {
    DynArrayData data;
    data.name = L"Stiffeners";
    data.arrayType = DynArrayData::Linear;
    data.dimNames[0] = L"Height";
    data.count = L"3";
    data.distance = L"100";
    for (const wchar_t* value : {L"0", L"100", L"200"}) {
        DynArrayEntry entry;
        entry.value = value;
        data.entries.append(entry);
    }
    return data;
}

class ArrayTest : public MacroDlgTest {};

}  // namespace

TEST_F(ArrayTest, OffersTheDimensionsOfTheObjectsAndOkReadsTheGridAndEveryField) {
    MacroData macro = open();
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Array");
        EXPECT_EQ(dlg.items(Dlg::IDC_TYPE), (std::vector<std::wstring>{L"Linear", L"Rectangular", L"Polar",
                                                                       L"Along a path", L"*VARIES*"}));
        EXPECT_EQ(
            dlg.items(Dlg::IDC_DIM2),
            (std::vector<std::wstring>{L"Height", L"Thickness", L"TopExtension", L"WeldSize", L"Width"}));
        EXPECT_EQ(dlg.text(Dlg::IDC_DIM1), L"Height");
        EXPECT_EQ(dlg.text(Dlg::IDC_SKIP_LABEL), L"Nr of entries to skip");
        auto grid = dlg.control<ui::GridAutomation>(Dlg::IDC_GRID);
        EXPECT_EQ(grid.text(1, 3), L"200");
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "array_dialog");
        dlg.type(Dlg::IDC_SECOND_COUNT, L"4");  // not read: the array is not rectangular
        dlg.select(Dlg::IDC_DIM2, L"Width");
        dlg.type(Dlg::IDC_INCREMENT, L"50");
        dlg.click(Dlg::IDC_MIRROR);
        grid.type(1, 2, L"150");
        grid.click(1, 3);
        dlg.click(Dlg::IDC_SKIP_ENTRY);
        EXPECT_EQ(grid.text(2, 3), L"1");
        grid.click(1, 1);
        dlg.click(Dlg::IDC_DELETE);
        dlg.click(Dlg::IDC_NEW);  // before the current row
        grid.type(1, 1, L"25");
        dlg.click(IDOK);
    });
    DynArrayData data = sample();
    EXPECT_TRUE(StartArrayDlg(data, macro.objectIds, L"EndPlate"));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.dimNames[1], L"Width");
    EXPECT_EQ(data.increment, L"50");
    EXPECT_TRUE(data.mirror);
    EXPECT_EQ(data.secondCount, L"1");
    ASSERT_EQ(data.entries.length(), 3);
    EXPECT_EQ(data.entries[0].value, L"25");
    EXPECT_EQ(data.entries[1].value, L"150");
    EXPECT_EQ(data.entries[2].action, DynArrayEntry::kSkip);
    EXPECT_EQ(data.name, L"Stiffeners") << "what the dialog does not show stays";
}

TEST_F(ArrayTest, ARectangularArrayTakesItsSecondCountAndCancelReadsNothing) {
    MacroData macro = open();
    const DynArrayData given = sample();
    DynArrayData data = given;
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.select(Dlg::IDC_TYPE, L"Rectangular");
        dlg.type(Dlg::IDC_SECOND_COUNT, L"2");
        dlg.control<ui::GridAutomation>(Dlg::IDC_GRID).type(1, 1, L"5");
        dlg.click(Dlg::IDC_DELETE);
        dlg.click(IDCANCEL);
    });
    driver.onModal([](ui::Automation& dlg) {
        dlg.select(Dlg::IDC_TYPE, L"Rectangular");
        dlg.type(Dlg::IDC_SECOND_COUNT, L"2");
        dlg.click(IDOK);
    });
    EXPECT_FALSE(StartArrayDlg(data, macro.objectIds, L"EndPlate"));
    EXPECT_EQ(data, given) << "Cancel: the caller's data untouched";
    EXPECT_TRUE(StartArrayDlg(data, macro.objectIds, L"EndPlate"));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.arrayType, DynArrayData::Rectangular);
    EXPECT_EQ(data.secondCount, L"2");
    EXPECT_EQ(data.entries, given.entries);
}

TEST_F(ArrayTest, AModuleTheObjectsLackOffersNoDimensionButKeepsTheArraysOwn) {
    MacroData macro = open();
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.items(Dlg::IDC_DIM1), std::vector<std::wstring>{L"Height"}) << "its own, kept visible";
        EXPECT_TRUE(dlg.items(Dlg::IDC_DIM2).empty());
        dlg.click(IDOK);
    });
    DynArrayData data = sample();
    EXPECT_TRUE(StartArrayDlg(data, macro.objectIds, L"NoSuchModule"));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.dimNames[0], L"Height");
}

// The lookup dialog, driven as a user drives it.
#include "dialogs/CDlgLookUp.h"

#include <gtest/gtest.h>

#include "dialogs/StartDialogs.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"

namespace {

using D = CDlgLookUp;

VlLookUpDlgData sample() {
    VlLookUpDlgData data;
    data.list1 = {L"Bolt sizes", L"Plate widths"};
    data.text1 = L"Bolt sizes";
    data.list2 = {L"Diameter", L"Grade"};
    data.text2 = L"Diameter";
    data.text3 = L"20";
    data.list4 = {L"Hole"};
    data.text4 = L"Hole";
    data.text5 = L"HoleDia";
    return data;
}

}  // namespace

TEST(DlgLookUp, OpensOnTheDataAndOkGivesResultZero) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Lookup");
        EXPECT_EQ(dlg.text(D::IDC_TEXT2_LABEL), L"Key column") << "from the core's second table";
        EXPECT_EQ(dlg.items(D::IDC_TEXT1), (std::vector<std::wstring>{L"Bolt sizes", L"Plate widths"}));
        EXPECT_EQ(dlg.text(D::IDC_TEXT3), L"20");
        EXPECT_EQ(dlg.selection(D::IDC_CHOICE_A), 2);
        EXPECT_EQ(dlg.text(D::IDC_CHOICE_A), L"Less than or equal to");
        EXPECT_EQ(dlg.items(D::IDC_CHOICE_B).size(), 3u);
        EXPECT_EQ(dlg.checked(D::IDC_MODE_TABLE), BST_CHECKED);
        EXPECT_TRUE(dlg.enabled(D::IDC_FLAG));
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "lookup_dialog");
        dlg.select(D::IDC_TEXT1, L"Plate widths");
        dlg.type(D::IDC_TEXT3, L"24");
        dlg.select(D::IDC_CHOICE_A, 0);
        dlg.select(D::IDC_CHOICE_B, 1);
        dlg.click(D::IDC_FLAG);
        dlg.click(IDOK);
    });
    VlLookUpDlgData data = sample();
    data.result = 7;
    EXPECT_TRUE(StartDlgLookUp(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.text1, L"Plate widths");
    EXPECT_EQ(data.text3, L"24");
    EXPECT_EQ(data.text5, L"HoleDia");
    EXPECT_EQ(data.choiceA, 0);
    EXPECT_EQ(data.choiceB, 1);
    EXPECT_EQ(data.mode, 0);
    EXPECT_TRUE(data.flag);
    EXPECT_EQ(data.result, 0);
    EXPECT_EQ(data.list1, sample().list1) << "the lists are the caller's";
}

TEST(DlgLookUp, ShowAllEndsWithTrueAndResultTwo) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.click(D::IDC_MODE_DRAWING);
        dlg.click(D::IDC_SHOW_ALL);
    });
    VlLookUpDlgData data = sample();
    EXPECT_TRUE(StartDlgLookUp(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.result, 2);
    EXPECT_EQ(data.mode, 1);
}

TEST(DlgLookUp, ExactValuesCountOnlyWhileLookingInATable) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.checked(D::IDC_MODE_DRAWING), BST_CHECKED) << "any mode but 0 is the drawing";
        EXPECT_FALSE(dlg.enabled(D::IDC_FLAG));
        EXPECT_EQ(dlg.selection(D::IDC_CHOICE_A), -1) << "a choice outside the list selects nothing";
        dlg.click(D::IDC_MODE_TABLE);
        EXPECT_TRUE(dlg.enabled(D::IDC_FLAG));
        dlg.click(D::IDC_MODE_DRAWING);
        EXPECT_FALSE(dlg.enabled(D::IDC_FLAG));
        dlg.click(IDCANCEL);
    });
    VlLookUpDlgData data = sample();
    data.mode = 5;
    data.choiceA = 9;
    const VlLookUpDlgData given = data;
    EXPECT_FALSE(StartDlgLookUp(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data, given);
}

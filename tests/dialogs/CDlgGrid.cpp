// The grid dialog, driven as a user drives it.
#include "dialogs/CDlgGrid.h"

#include <gtest/gtest.h>

#include "dialogs/StartDialogs.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/Resources.h"

namespace {

using D = CDlgGrid;

}  // namespace

TEST(DlgGrid, DefaultsShowInBothDirectionsAndTheTextsComeFromTheCore) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Grid");
        EXPECT_EQ(dlg.text(D::IDC_FIRST_GROUP), L"First direction");
        EXPECT_EQ(dlg.text(D::IDC_SECOND_LABEL_LABEL), L"Label");
        EXPECT_EQ(dlg.text(D::IDC_FIRST_COUNT), L"4");
        EXPECT_EQ(dlg.text(D::IDC_FIRST_DISTANCE), L"5000");
        EXPECT_EQ(dlg.text(D::IDC_FIRST_LABEL), L"A");
        EXPECT_EQ(dlg.text(D::IDC_SECOND_COUNT), L"3");
        EXPECT_EQ(dlg.text(D::IDC_SECOND_DISTANCE), L"5000");
        EXPECT_EQ(dlg.text(D::IDC_SECOND_LABEL), L"1");
        EXPECT_EQ(dlg.checked(D::IDC_OPTION), BST_UNCHECKED);
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "grid_dialog");
        dlg.click(IDOK);
    });
    VlGridDlgData data;
    EXPECT_TRUE(StartDlgGrid(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data, VlGridDlgData()) << "OK without a change gives the same data back";
}

TEST(DlgGrid, OkReadsCountsAsDecimalNumbersAndTextsAsTyped) {
    struct Case {
        const wchar_t* typed;
        int count;
    } cases[] = {{L"12", 12}, {L"  7 rows", 7}, {L"-2", -2},
                 {L"abc", 0}, {L"", 0},         {L"99999999999", INT_MAX}};
    for (const Case& c : cases) {
        ui::ScriptedDriver driver;
        driver.onModal([&c](ui::Automation& dlg) {
            dlg.type(D::IDC_FIRST_COUNT, c.typed);
            dlg.type(D::IDC_SECOND_DISTANCE, L"2 x 6000");
            dlg.type(D::IDC_SECOND_LABEL, L"");
            dlg.click(D::IDC_OPTION);
            dlg.click(IDOK);
        });
        VlGridDlgData data;
        EXPECT_TRUE(StartDlgGrid(data));
        ui::expectDriverDone(driver);
        EXPECT_EQ(data.firstCount, c.count) << Mx_String(c.typed).toUtf8();
        EXPECT_EQ(data.secondCount, 3);
        EXPECT_EQ(data.secondDistance, L"2 x 6000");
        EXPECT_EQ(data.secondLabel, L"");
        EXPECT_TRUE(data.option);
    }
}

TEST(DlgGrid, CancelLeavesTheDataAndTheResourceHandleAsTheyWere) {
    const HINSTANCE before = AfxGetResourceHandle();
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.type(D::IDC_FIRST_LABEL, L"Z");
        dlg.press(VK_ESCAPE);
    });
    VlGridDlgData data;
    data.option = true;
    const VlGridDlgData given = data;
    EXPECT_FALSE(StartDlgGrid(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data, given);
    EXPECT_EQ(AfxGetResourceHandle(), before);
}

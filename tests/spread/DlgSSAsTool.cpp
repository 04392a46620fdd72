#include "spread/DlgSSAsTool.h"

#include <gtest/gtest.h>

#include "platform/mfc/Automation.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Win32Api.h"
#include "spread/CDlgSSAsTool.h"
#include "spread/Mx_Spread.h"

TEST(DlgSSAsTool, CreatesAVisibleToolWindowWithItsGridOnce) {
    const HINSTANCE before = AfxGetResourceHandle();
    DlgSSAsTool tool;
    EXPECT_FALSE(tool.created());
    EXPECT_EQ(tool.grid(), nullptr);

    ASSERT_TRUE(tool.create());
    EXPECT_EQ(AfxGetResourceHandle(), before) << "the resource handle is restored";
    CDlgSSAsTool* dialog = tool.dialog();
    ASSERT_NE(dialog, nullptr);
    HWND window = dialog->GetSafeHwnd();
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(dialog->GetOwner(), adsw_acadMainWnd());
    EXPECT_EQ(CWnd::GetFocus(), adsw_acadMainWnd()) << "the focus goes back to the host";

    Mx_Spread* grid = tool.grid();
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->isCreated());
    EXPECT_EQ(grid->controlId(), CDlgSSAsTool::IDC_GRID);
    ui::Automation dlg(*dialog);
    EXPECT_EQ(dlg.wnd(CDlgSSAsTool::IDC_GRID), grid) << "the grid replaced the placeholder";
    RECT place = dlg.rect(CDlgSSAsTool::IDC_GRID);
    // The placeholder's place in template 248.
    RECT expected = ui::dialogUnitsToPixels(7, 7, 386, 215);
    EXPECT_EQ(place.left, expected.left);
    EXPECT_EQ(place.top, expected.top);
    EXPECT_EQ(place.right - place.left, expected.right - expected.left);
    EXPECT_EQ(place.bottom - place.top, expected.bottom - expected.top);

    EXPECT_TRUE(tool.create()) << "already created";
    EXPECT_EQ(tool.dialog(), dialog);

    dlg.click(IDOK);
    EXPECT_FALSE(::IsWindowVisible(window)) << "OK closes the tool window";
    EXPECT_TRUE(::IsWindow(window)) << "it stays alive with its grid until its owner goes";
}

TEST(DlgSSAsTool, DestroyingTheOwnerDestroysTheWindow) {
    HWND window = nullptr;
    {
        DlgSSAsTool tool;
        ASSERT_TRUE(tool.create());
        window = tool.dialog()->GetSafeHwnd();
        ASSERT_TRUE(::IsWindow(window));
    }
    EXPECT_FALSE(::IsWindow(window));
}

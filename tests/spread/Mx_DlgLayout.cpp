#include "spread/Mx_DlgLayout.h"

#include <gtest/gtest.h>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Win32Api.h"

namespace {

// A resizable dialog with one child per flag combination under test.
constexpr char kTemplate[] = R"(
DIALOG 100 0 0 200 100
  STYLE WS_POPUP | WS_CAPTION | WS_THICKFRAME
  CONTROL Static 1 "" 20 8 40 16
  CONTROL Static 2 "" 20 32 40 16
  CONTROL Static 3 "" 20 56 40 16
  CONTROL Static 4 "" 100 8 40 16
  CONTROL Static 5 "" 100 32 40 16
  CONTROL Static 6 "" 100 56 40 16
  CONTROL Static 7 "" 140 80 40 16
END
)";

struct LayoutTest : ::testing::Test {
    void SetUp() override {
        ui::ModuleLoad load = ui::loadResourceModuleFromText("layout test", kTemplate);
        ASSERT_TRUE(load) << std::string(load.error.begin(), load.error.end());
        resources = load.module;
        previous = AfxGetResourceHandle();
        AfxSetResourceHandle(resources);
        ASSERT_TRUE(dialog.Create(100));
    }
    void TearDown() override {
        dialog.DestroyWindow();
        AfxSetResourceHandle(previous);
        ui::unloadResourceModule(resources);
    }
    RECT childRect(int id) {
        RECT r{};
        ::GetWindowRect(::GetDlgItem(dialog, id), &r);
        POINT a{r.left, r.top}, b{r.right, r.bottom};
        ::ScreenToClient(dialog, &a);
        ::ScreenToClient(dialog, &b);
        return {a.x, a.y, b.x, b.y};
    }
    void resizeBy(int dx, int dy) {
        RECT r{};
        dialog.GetWindowRect(&r);
        dialog.MoveWindow(r.left, r.top, r.right - r.left + dx, r.bottom - r.top + dy);
    }

    HINSTANCE resources = nullptr;
    HINSTANCE previous = nullptr;
    CDialog dialog;
};

}  // namespace

TEST_F(LayoutTest, EdgesFollowTheFlags) {
    Mx_DlgLayout layout;
    layout.take(&dialog);
    ASSERT_EQ(layout.childCount(), 7);

    // Children 1-3 span x 30..90 and children 4-6 x 150..210 (pixels); the window is 306 wide and
    // grows by 306, so the scale is 2. Vertically every child keeps its place except where noted.
    struct Case {
        int id, flags;
        int left, right;
    };
    const Case cases[] = {
        {1, 0, 60, 180},       // both edges scale
        {2, 1, 60, 120},       // the width stays
        {3, 2, 30, 180},       // the left edge stays, the right one scales
        {4, 4, 300, 516},      // the right edge follows the window's
        {5, 1 | 4, 456, 516},  // keeps its width and its distance to the right edge
        {6, 2 | 4, 150, 516},  // stretches
    };
    for (const Case& c : cases) ASSERT_TRUE(layout.setFlags(::GetDlgItem(dialog, c.id), c.flags, 2 | 1));
    // Child 7 (y 130..156 of a 192 high window) tries the vertical rules: it moves down with the
    // bottom edge, keeping its height.
    ASSERT_TRUE(layout.setFlags(::GetDlgItem(dialog, 7), 2 | 1, 1 | 4));

    resizeBy(306, 96);
    layout.apply();
    for (const Case& c : cases) {
        const RECT now = childRect(c.id);
        EXPECT_EQ(now.left, c.left) << "flags " << c.flags;
        EXPECT_EQ(now.right, c.right) << "flags " << c.flags;
        EXPECT_EQ(now.bottom - now.top, 26) << "flags " << c.flags;
    }
    const RECT seven = childRect(7);
    EXPECT_EQ(seven.top, 130 + 96);
    EXPECT_EQ(seven.bottom, 156 + 96);
    EXPECT_EQ(seven.left, 210);
}

TEST_F(LayoutTest, ApplyAlwaysWorksFromTheTakenRectangles) {
    Mx_DlgLayout layout;
    layout.take(&dialog);
    const RECT original = childRect(1);
    resizeBy(37, 11);
    layout.apply();
    resizeBy(-37, -11);
    layout.apply();
    const RECT back = childRect(1);
    EXPECT_EQ(back.left, original.left);
    EXPECT_EQ(back.right, original.right);
    EXPECT_EQ(back.top, original.top);
    EXPECT_EQ(back.bottom, original.bottom);
}

TEST_F(LayoutTest, UnknownChildrenAndDeadHandlesChangeNothing) {
    Mx_DlgLayout layout;
    EXPECT_FALSE(layout.setFlags(::GetDlgItem(dialog, 1), 1, 1)) << "nothing taken yet";
    layout.take(static_cast<HWND>(nullptr));
    EXPECT_EQ(layout.childCount(), 0);
    layout.apply();  // no dialog: nothing to do

    layout.take(&dialog);
    EXPECT_FALSE(layout.setFlags(static_cast<HWND>(nullptr), 1, 1));
    EXPECT_FALSE(layout.setFlags(dialog.GetSafeHwnd(), 1, 1)) << "the dialog is not its own child";

    // A child destroyed after the layout was taken is skipped.
    ::DestroyWindow(::GetDlgItem(dialog, 7));
    resizeBy(10, 10);
    layout.apply();
    EXPECT_EQ(::GetDlgItem(dialog, 7), nullptr);
}

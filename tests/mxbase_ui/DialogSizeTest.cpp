#include "platform/mxbase/ui/DialogSize.h"

#include <gtest/gtest.h>

#include "platform/mfc/CWnd.h"
#include "platform/mfc/DialogSizeStore.h"
#include "platform/mfc/RegistryScope.h"
#include "platform/mfc/Win32Api.h"

namespace {

class Frame : public CWnd {
public:
    explicit Frame(const CRect& rect) { EXPECT_TRUE(CreateEx(0, L"Window", L"", WS_POPUP | WS_VISIBLE | WS_THICKFRAME, rect, nullptr, 0)); }
};

CRect windowRect(CWnd& window)
{
    CRect rect;
    window.GetWindowRect(&rect);
    return rect;
}

}  // namespace

TEST(DialogSize, StoredSizeComesBackNeverSmallerThanTheTemplate)
{
    ui::RegistryScope registry;
    Frame first(CRect(100, 50, 400, 250));
    int width = 0, height = 0;
    EXPECT_TRUE(getDlgSize(&first, width, height));
    EXPECT_EQ(width, 300);
    EXPECT_FALSE(ChangeDlgSize(&first, L"DLG_GENVARS"));  // nothing stored yet: left as it is
    EXPECT_EQ(windowRect(first), CRect(100, 50, 400, 250));

    first.MoveWindow(120, 60, 500, 350);
    ASSERT_TRUE(WriteDlgSize(&first, L"DLG_GENVARS"));
    EXPECT_TRUE(getDlgSize(Mx_String(L"DLG_GENVARS"), width, height));
    EXPECT_EQ(width, 500);
    EXPECT_EQ(height, 350);

    Frame second(CRect(0, 0, 300, 200));
    ASSERT_TRUE(ChangeDlgSize(&second, L"DLG_GENVARS"));
    EXPECT_EQ(windowRect(second), CRect(0, 0, 500, 350));
    ASSERT_TRUE(ChangeDlgSize(&second, L"DLG_GENVARS", true));
    EXPECT_EQ(windowRect(second), CRect(120, 60, 620, 410));

    // A size saved by a smaller, older template does not cut the new one.
    Frame bigger(CRect(0, 0, 700, 300));
    ASSERT_TRUE(ChangeDlgSize(&bigger, L"DLG_GENVARS"));
    EXPECT_EQ(windowRect(bigger), CRect(0, 0, 700, 350));
}

TEST(DialogSize, NothingIsStoredForMinimisedOrDestroyedWindows)
{
    ui::RegistryScope registry;
    int width = 0, height = 0;
    {
        Frame frame(CRect(0, 0, 300, 200));
        frame.ShowWindow(SW_MINIMIZE);
        EXPECT_FALSE(WriteDlgSize(&frame, L"DLG_MIN"));
        frame.DestroyWindow();
        EXPECT_FALSE(WriteDlgSize(&frame, L"DLG_MIN"));
        EXPECT_FALSE(getDlgSize(&frame, width, height));
        EXPECT_FALSE(ChangeDlgSize(&frame, L"DLG_MIN"));
    }
    EXPECT_FALSE(getDlgSize(Mx_String(L"DLG_MIN"), width, height));
    EXPECT_FALSE(getDlgSize(static_cast<CWnd*>(nullptr), width, height));
}

TEST(DialogSize, RegistrySwitchesDefaultUntilWritten)
{
    ui::RegistryScope registry;
    EXPECT_TRUE(readDlgRegBool(L"DLG_SELECT_MACRO", L"LARGE_DLG", true));
    EXPECT_FALSE(readDlgRegBool(L"DLG_SELECT_MACRO", L"LARGE_DLG"));
    EXPECT_TRUE(writeDlgRegBool(L"DLG_SELECT_MACRO", L"LARGE_DLG", true));
    EXPECT_TRUE(readDlgRegBool(L"DLG_SELECT_MACRO", L"LARGE_DLG", false));
    EXPECT_TRUE(writeDlgRegBool(L"DLG_SELECT_MACRO", L"LARGE_DLG", false));
    EXPECT_FALSE(readDlgRegBool(L"DLG_SELECT_MACRO", L"LARGE_DLG", true));
}

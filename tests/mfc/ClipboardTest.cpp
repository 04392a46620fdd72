#include "platform/mfc/Clipboard.h"

#include <gtest/gtest.h>

TEST(Clipboard, TextRoundTripAndWin32Rules)
{
    ui::ClipboardScope scope;
    EXPECT_FALSE(ui::Clipboard::text());
    const DWORD before = ui::Clipboard::sequenceNumber();
    EXPECT_TRUE(ui::Clipboard::setText(L"a\tb\r\nc\td"));
    EXPECT_EQ(ui::Clipboard::text(), std::wstring(L"a\tb\r\nc\td"));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_GT(ui::Clipboard::sequenceNumber(), before);

    // Setting needs the clipboard open and emptied by the caller; one opener at a time.
    EXPECT_FALSE(ui::Clipboard::setTextWhileOpen(L"x"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_FALSE(ui::Clipboard::setText(L"y"));
    EXPECT_FALSE(ui::Clipboard::setTextWhileOpen(L"x"));
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_TRUE(ui::Clipboard::setTextWhileOpen(L"x"));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(ui::Clipboard::text(), std::wstring(L"x"));
}

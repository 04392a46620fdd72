#include "platform/mfc/RichEditCtrl.h"

#include <gtest/gtest.h>

#include "tests/mfc/GdiTestParent.h"

TEST(RichEditCtrl, EditsLikeAnEditAndKeepsFormatsPerRange)
{
    test::Parent parent;
    ui::Automation user{parent};
    CRichEditCtrl edit;
    ASSERT_TRUE(edit.Create(ES_MULTILINE | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 200, 80), &parent, 1304));
    user.type(1304, L"plate bolt");
    EXPECT_EQ(user.text(1304), L"plate bolt");
    const auto seen = parent.take();
    EXPECT_NE(std::find(seen.begin(), seen.end(), L"command 1304:" + std::to_wstring(EN_CHANGE)), seen.end());

    CHARFORMAT red;
    red.dwMask = CFM_COLOR | CFM_BOLD;
    red.dwEffects = CFE_BOLD;
    red.crTextColor = RGB(255, 0, 0);
    edit.SetSel(6, 10);
    EXPECT_TRUE(edit.SetSelectionCharFormat(red));
    edit.SetSel(3, 3);
    EXPECT_FALSE(edit.SetSelectionCharFormat(red)) << "an empty selection formats nothing";
    EXPECT_EQ(edit.formatAt(7).crTextColor, RGB(255, 0, 0));
    EXPECT_EQ(edit.formatAt(7).dwEffects & CFE_BOLD, CFE_BOLD);
    EXPECT_EQ(edit.formatAt(2).dwEffects & CFE_BOLD, 0u);
    EXPECT_EQ(edit.GetTextRange(6, 99), L"bolt");
    EXPECT_EQ(edit.GetTextRange(-5, 5), L"plate");
    edit.SetBackgroundColor(TRUE, 0);
    EXPECT_EQ(edit.backgroundColor(), RGB(255, 255, 255));
}

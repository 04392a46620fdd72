#include "platform/mfc/TabCtrl.h"

#include <gtest/gtest.h>

#include "tests/mfc/GdiTestParent.h"

using test::notifyLine;

namespace {

constexpr int tabId = 1200;

class TabCtrlTest : public ::testing::Test {
protected:
    test::Parent parent;
    ui::Automation user{parent};
    CTabCtrl tabs;

    void SetUp() override
    {
        ASSERT_TRUE(tabs.Create(WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 300, 200), &parent, tabId));
        tabs.InsertItem(0, L"General");
        tabs.InsertItem(1, L"Bolts");
        tabs.InsertItem(2, L"Cuts");
        parent.take();
    }
};

}  // namespace

TEST_F(TabCtrlTest, AUserClickAsksThenChangesTheSelection)
{
    EXPECT_EQ(tabs.GetCurSel(), 0);
    user.control<ui::TabCtrlVerbs>(tabId).clickTab(2);
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_EQ(parent.take(), (std::vector<std::wstring>{notifyLine(tabId, TCN_SELCHANGING), notifyLine(tabId, TCN_SELCHANGE)}));

    // The parent may keep the current tab by answering TCN_SELCHANGING with TRUE.
    parent.refuseTabChange = TRUE;
    user.select(tabId, 1);
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_EQ(parent.take(), std::vector<std::wstring>{notifyLine(tabId, TCN_SELCHANGING)});

    // Code changing the selection notifies nobody.
    parent.refuseTabChange = FALSE;
    EXPECT_EQ(tabs.SetCurSel(0), 2);
    EXPECT_EQ(tabs.SetCurSel(7), -1);
    EXPECT_TRUE(parent.take().empty());
    EXPECT_EQ(user.items(tabId), (std::vector<std::wstring>{L"General", L"Bolts", L"Cuts"}));
}

TEST_F(TabCtrlTest, SelectionFollowsItsTabWhenTabsComeAndGo)
{
    tabs.SetCurSel(1);
    tabs.InsertItem(0, L"First");
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_EQ(tabs.itemText(2), L"Bolts");
    tabs.DeleteItem(0);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    tabs.DeleteItem(1);
    EXPECT_EQ(tabs.GetCurSel(), -1);
    EXPECT_FALSE(tabs.DeleteItem(5));
}

TEST_F(TabCtrlTest, ItemDataAndLayout)
{
    wchar_t buffer[4];
    TCITEM item;
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = buffer;
    item.cchTextMax = 4;
    tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 3, L"Profile", -1, 42);
    ASSERT_TRUE(tabs.GetItem(3, &item));
    EXPECT_STREQ(buffer, L"Pro");  // cut to the buffer, always terminated
    EXPECT_EQ(item.lParam, 42);

    CRect first, second;
    tabs.GetItemRect(0, &first);
    tabs.GetItemRect(1, &second);
    EXPECT_EQ(first, CRect(2, 0, 2 + 7 * 6 + 12, 20));
    EXPECT_EQ(second.left, first.right);
    TCHITTESTINFO hit;
    hit.pt = second.CenterPoint();
    EXPECT_EQ(tabs.HitTest(&hit), 1);

    CRect page(0, 0, 300, 200);
    tabs.AdjustRect(FALSE, &page);
    EXPECT_EQ(page, CRect(4, 22, 296, 196));
    tabs.AdjustRect(TRUE, &page);
    EXPECT_EQ(page, CRect(0, 0, 300, 200));
}

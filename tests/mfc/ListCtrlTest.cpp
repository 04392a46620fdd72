#include "platform/mfc/ListCtrl.h"

#include <gtest/gtest.h>

#include "platform/arx/Utf8.h"
#include "platform/mfc/ImageListCtrl.h"
#include "tests/mfc/GdiTestParent.h"

using test::notifyLine;

namespace {

constexpr int listId = 9091;

class ListCtrlTest : public ::testing::Test {
protected:
    test::Parent parent;
    ui::Automation user{parent};
    CListCtrl list;

    void make(DWORD style)
    {
        ASSERT_TRUE(list.Create(style | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 240, 200), &parent, listId));
        for (const wchar_t* name : {L"a", L"b", L"c", L"d"})
            list.InsertItem(list.GetItemCount(), name);
        parent.take();
    }
};

}  // namespace

TEST_F(ListCtrlTest, ClicksSelectAndNotify)
{
    make(LVS_REPORT | LVS_SINGLESEL);
    auto verbs = user.control<ui::ListCtrlVerbs>(listId);
    verbs.clickItem(2);
    EXPECT_EQ(parent.take(), (std::vector<std::wstring>{notifyLine(listId, LVN_ITEMCHANGED, 2), notifyLine(listId, NM_CLICK, 2)}));
    verbs.clickItem(1);
    EXPECT_EQ(parent.take(), (std::vector<std::wstring>{notifyLine(listId, LVN_ITEMCHANGED, 2), notifyLine(listId, LVN_ITEMCHANGED, 1),
                                                         notifyLine(listId, NM_CLICK, 1)}));
    EXPECT_EQ(verbs.selectedItems(), std::vector<int>{1});
    EXPECT_EQ(user.selection(listId), 1);

    verbs.doubleClickItem(3);
    const auto seen = parent.take();
    ASSERT_FALSE(seen.empty());
    EXPECT_NE(std::find(seen.begin(), seen.end(), notifyLine(listId, NM_DBLCLK, 3)), seen.end());

    // A click below the last item clears the selection and reports no item.
    user.mouseDown(listId, {10, 190});
    EXPECT_EQ(list.GetSelectedCount(), 0u);
    EXPECT_EQ(parent.take().back(), notifyLine(listId, NM_CLICK, -1));
}

TEST_F(ListCtrlTest, CtrlClickTogglesInMultipleSelectionLists)
{
    make(LVS_REPORT);
    auto verbs = user.control<ui::ListCtrlVerbs>(listId);
    verbs.clickItem(0);
    verbs.clickItem(2, ui::Keys::Ctrl);
    verbs.clickItem(3, ui::Keys::Ctrl);
    verbs.clickItem(0, ui::Keys::Ctrl);
    EXPECT_EQ(verbs.selectedItems(), (std::vector<int>{2, 3}));
    POSITION at = list.GetFirstSelectedItemPosition();
    std::vector<int> walked;
    while (at)
        walked.push_back(list.GetNextSelectedItem(at));
    EXPECT_EQ(walked, (std::vector<int>{2, 3}));
}

TEST_F(ListCtrlTest, ItemsKeepTextsDataAndTheirPlaceOnInsertAndDelete)
{
    make(LVS_REPORT | LVS_SINGLESEL);
    EXPECT_EQ(list.InsertItem(99, L"e"), 4);  // past the end appends
    EXPECT_EQ(list.InsertItem(-1, L"x"), -1);
    list.SetItemText(4, 2, L"sub");
    list.SetItemData(4, 77);
    EXPECT_EQ(list.GetItemText(4, 2), L"sub");
    EXPECT_EQ(list.GetItemText(4, 1), L"");
    EXPECT_EQ(list.GetItemText(9, 0), L"");
    list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);  // single selection: 4 is deselected
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemData(3), 77u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 0);
    EXPECT_EQ(user.items(listId), (std::vector<std::wstring>{L"b", L"c", L"d", L"e"}));
}

TEST_F(ListCtrlTest, ImageListCtrlShowsNamedThumbnailsAndBlanksForUnreadablePictures)
{
    ASSERT_TRUE(list.Create(LVS_ICON | WS_VISIBLE, CRect(0, 0, 240, 200), &parent, listId));
    CImageListCtrl pictures;
    ASSERT_TRUE(pictures.init(&parent, listId, CSize(6, 4)));
    const std::wstring dir = utf8::decode(std::string(CONNSHEET_TEST_DATA_DIR) + "/mfc/bmp/");
    pictures.addImage(L"first", dir + L"rgb24.bmp");
    pictures.addImage(L"missing", dir + L"no-such.bmp");
    pictures.addImage(L"third", dir + L"pal8.bmp");
    EXPECT_EQ(pictures.drawThumbnails(), 2);
    EXPECT_EQ(pictures.GetItemCount(), 3);
    EXPECT_EQ(pictures.images().GetImageCount(), 3);
    // Thumbnails are scaled to the size asked: the 3 x 2 picture's top-left red fills 2 x 2 pixels.
    EXPECT_EQ(pictures.images().image(0)->pixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(pictures.images().image(1)->pixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(pictures.selectedName(), L"");

    user.control<ui::ListCtrlVerbs>(listId).doubleClickItem(2);
    EXPECT_EQ(pictures.selectedName(), L"third");
    EXPECT_TRUE(pictures.selectName(L"first"));
    EXPECT_EQ(pictures.selectedIndex(), 0);
    EXPECT_FALSE(pictures.selectName(L"nothing"));
}

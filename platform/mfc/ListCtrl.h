#pragma once
// MFC's CListCtrl over the list view window class "SysListView32": items with text, sub-item texts
// (report view), an image index, item data and a selection state, shown with the pictures of its image
// lists.
//
// Layout, which hit tests and item rectangles follow: in icon view (LVS_ICON) items sit in a grid of
// cells max(image width + 8, 75) wide and image height + 20 high, left to right, wrapping at the
// client width; in the other views they are rows of 17 pixels, below a 20-pixel header in report view.
//
// The user's clicks select (Ctrl toggles in multiple-selection lists; a click on no item clears the
// selection) and the parent gets WM_NOTIFY: LVN_ITEMCHANGED for each item whose selection changed,
// then NM_CLICK; a double click sends NM_DBLCLK with the item under the mouse (-1 for none).
// Programmatic changes notify LVN_ITEMCHANGED too, as Windows does.
//
// The class must be registered before a dialog template uses it: call InitCommonControls() once
// (module start-up, or a test's set-up), as Win32 programs do.
#include <vector>

#include "platform/mfc/Automation.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/Position.h"

class CImageList;

#define WC_LISTVIEW L"SysListView32"

constexpr DWORD LVS_ICON = 0x0;
constexpr DWORD LVS_REPORT = 0x1;
constexpr DWORD LVS_SMALLICON = 0x2;
constexpr DWORD LVS_LIST = 0x3;
constexpr DWORD LVS_TYPEMASK = 0x3;
constexpr DWORD LVS_SINGLESEL = 0x4;
constexpr DWORD LVS_SHOWSELALWAYS = 0x8;
constexpr DWORD LVS_AUTOARRANGE = 0x100;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;

constexpr DWORD LVS_EX_GRIDLINES = 0x1;
constexpr DWORD LVS_EX_CHECKBOXES = 0x4;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x20;

constexpr UINT LVIS_FOCUSED = 0x1;
constexpr UINT LVIS_SELECTED = 0x2;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT index) {
    return index << 12;
}
constexpr UINT LVIF_TEXT = 0x1;
constexpr UINT LVIF_IMAGE = 0x2;
constexpr UINT LVIF_PARAM = 0x4;
constexpr UINT LVIF_STATE = 0x8;
constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr int LVNI_ALL = 0x0;
constexpr int LVNI_FOCUSED = 0x1;
constexpr int LVNI_SELECTED = 0x2;
constexpr UINT LVHT_NOWHERE = 0x1;
constexpr UINT LVHT_ONITEM = 0xE;
constexpr int LVCFMT_LEFT = 0;

constexpr UINT LVN_FIRST = static_cast<UINT>(-100);
constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0;
constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3;
constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4;

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction{};
    LPARAM lParam = 0;
};
using LPNMLISTVIEW = NMLISTVIEW*;

struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction{};
    LPARAM lParam = 0;
    UINT uKeyFlags = 0;
};
using LPNMITEMACTIVATE = NMITEMACTIVATE*;

// Registers the common control classes of this layer (list view, tab control, tooltips, rich edit).
// Safe to call more than once.
void InitCommonControls();
BOOL AfxInitRichEdit2();

class CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;  // the window-class form stays callable beside this one

    int GetItemCount() const;
    // Inserts before `index` (clamped to the end); returns the new item's index, or -1.
    int InsertItem(int index, LPCTSTR text, int image = -1);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    BOOL SetItemText(int index, int subItem, LPCTSTR text);
    CString GetItemText(int index, int subItem) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemImage(int index, int image);
    int GetItemImage(int index) const;
    BOOL SetItemState(int index, UINT state, UINT mask);
    UINT GetItemState(int index, UINT mask) const;
    UINT GetSelectedCount() const;
    // The next item after `start` (-1: from the first) with the flags (LVNI_SELECTED...), or -1.
    int GetNextItem(int start, int flags) const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& position) const;
    BOOL EnsureVisible(int index, BOOL partialOk);
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    int GetColumnCount() const;
    // Does not take ownership; the image list must outlive its use, as in MFC.
    CImageList* SetImageList(CImageList* images, int which);
    CImageList* GetImageList(int which) const;
    DWORD SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const;
    BOOL RedrawItems(int first, int last);
    // Paints the items onto the context: pictures from the normal (icon view) or small image list,
    // the text under or beside them, the selected ones on the highlight colour.
    void drawItems(CDC* dc) const;
};

namespace ui {
// Automation verbs for list views: dlg.control<ui::ListCtrlVerbs>(IDC_LIST).doubleClickItem(2).
struct ListCtrlVerbs {
    Automation& dlg;
    int id;
    void clickItem(int index, Keys keys = Keys::None);
    void doubleClickItem(int index);
    std::vector<int> selectedItems() const;
};
}  // namespace ui

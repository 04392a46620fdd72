#pragma once
// MFC's CTabCtrl over "SysTabControl32": one row of tabs along the top, each with a text, an optional
// image and item data. A user's click on another tab sends TCN_SELCHANGING (a parent answering TRUE
// keeps the current tab), then changes the selection and sends TCN_SELCHANGE; SetCurSel changes it
// without notifications, as Windows does.
//
// Layout: tabs are 20 pixels high, each (text length x 6 + 12) pixels wide plus the image width and
// 3 when it has an image, starting 2 pixels from the left; the display area (AdjustRect) is the
// client area below the tabs, inset by 4 pixels on the sides and bottom, starting 2 below the tabs.
#include "platform/mfc/Automation.h"
#include "platform/mfc/CWnd.h"

class CImageList;

#define WC_TABCONTROL L"SysTabControl32"

constexpr UINT TCIF_TEXT = 0x1;
constexpr UINT TCIF_IMAGE = 0x2;
constexpr UINT TCIF_PARAM = 0x8;
constexpr UINT TCN_FIRST = static_cast<UINT>(-550);
constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;
constexpr UINT TCN_SELCHANGING = TCN_FIRST - 2;
constexpr UINT TCHT_NOWHERE = 0x1;
constexpr UINT TCHT_ONITEM = 0x6;

struct TCITEM {
    UINT mask = 0;
    DWORD dwState = 0;
    DWORD dwStateMask = 0;
    LPTSTR pszText = nullptr;
    int cchTextMax = 0;
    int iImage = -1;
    LPARAM lParam = 0;
};

struct TCHITTESTINFO {
    POINT pt{};
    UINT flags = 0;
};

class CTabCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;  // the window-class form stays callable beside this one

    // Inserts before `index` (clamped to the end); returns the new tab's index, or -1.
    int InsertItem(int index, LPCTSTR text);
    int InsertItem(int index, LPCTSTR text, int image);
    int InsertItem(UINT mask, int index, LPCTSTR text, int image, LPARAM data);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    // Reads the fields named by item->mask; text is copied into pszText (cchTextMax characters).
    BOOL GetItem(int index, TCITEM* item) const;
    BOOL SetItem(int index, const TCITEM* item);
    CString itemText(int index) const;
    int GetCurSel() const;
    // Returns the previous selection, or -1 when index is not a tab.
    int SetCurSel(int index);
    BOOL GetItemRect(int index, LPRECT rect) const;
    // larger FALSE: window rectangle -> display area; TRUE: display area -> window rectangle.
    void AdjustRect(BOOL larger, LPRECT rect) const;
    int HitTest(TCHITTESTINFO* info) const;
    CImageList* SetImageList(CImageList* images);
    CImageList* GetImageList() const;
};

namespace ui {
void registerTabControlClass();

// Automation verb: dlg.control<ui::TabCtrlVerbs>(IDC_TAB).clickTab(2) clicks the tab as a user would.
struct TabCtrlVerbs {
    Automation& dlg;
    int id;
    void clickTab(int index);
};
}  // namespace ui

#include "platform/mfc/TabCtrl.h"

#include <algorithm>
#include <utility>  // exchange

#include "platform/mfc/CString.h"
#include "platform/mfc/ClassicLook.h"
#include "platform/mfc/ControlPainting.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/ImageList.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/Window.h"
#include "platform/mfc/WindowClass.h"

namespace {

constexpr int tabHeight = 20;

struct Tab {
    std::wstring text;
    int image = -1;
    LPARAM data = 0;
};

class TabProcedure : public ui::WindowProcedure {
public:
    std::vector<Tab> tabs;
    int current = -1;
    CImageList* images = nullptr;

    bool valid(int index) const { return index >= 0 && index < int(tabs.size()); }

    CRect tabRect(int index) const {
        int left = 2;
        for (int i = 0; i <= index && i < int(tabs.size()); ++i) {
            int width = int(tabs[std::size_t(i)].text.size()) * 6 + 12;
            if (images && images->image(tabs[std::size_t(i)].image))
                width += images->imageSize().cx + 3;
            if (i == index)
                return CRect(left, 0, left + width, tabHeight);
            left += width;
        }
        return CRect();
    }

    int hitTest(POINT at) const {
        for (int i = 0; i < int(tabs.size()); ++i)
            if (tabRect(i).PtInRect(at))
                return i;
        return -1;
    }

    LRESULT notify(ui::Window& w, UINT code) {
        if (!w.parent)
            return 0;
        NMHDR header{w.handle, UINT_PTR(w.id), code};
        return ui::sendMessage(w.parent->handle, WM_NOTIFY, WPARAM(w.id), reinterpret_cast<LPARAM>(&header));
    }

    // The user's choice of a tab: the parent may refuse it in TCN_SELCHANGING.
    bool choose(ui::Window& w, int index) {
        if (!valid(index) || index == current)
            return valid(index);
        if (notify(w, TCN_SELCHANGING) != 0)
            return false;
        current = index;
        notify(w, TCN_SELCHANGE);
        return true;
    }

    LRESULT handle(ui::Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_LBUTTONDOWN:
                SetFocus(w.handle);
                choose(w, hitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
                return 0;
            case WM_KEYDOWN:
                if (wParam == VK_LEFT && current > 0)
                    choose(w, current - 1);
                else if (wParam == VK_RIGHT && current + 1 < int(tabs.size()))
                    choose(w, current + 1);
                return 0;
            case WM_GETDLGCODE:
                return DLGC_WANTARROWS;
            case WM_PAINT:
                paint(w);
                return 0;
            default:
                return ui::defaultWindowProc(w, message, wParam, lParam);
        }
    }

    // The page frame below the tabs and the tabs along its top, the selected one two pixels larger
    // on every side but the bottom, where it joins the page (the frame's top line is broken there).
    void paint(const ui::Window& w) const {
        CPaintDC dc(w.wnd);
        ui::ControlFont font(dc, w);
        const RECT client = w.clientRect();
        const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW),
                       dark = GetSysColor(COLOR_3DDKSHADOW), face = GetSysColor(COLOR_BTNFACE);
        const RECT page{client.left, tabHeight, client.right, client.bottom};
        if (page.bottom > page.top) {
            ui::classic::drawEdge(dc, page, ui::classic::Edge::Raised);
        }
        for (int i = 0; i < int(tabs.size()); ++i) {
            if (i == current)
                continue;
            drawTab(dc, w, i, tabRect(i), false, light, shadow, dark, face);
        }
        if (valid(current)) {
            CRect tab = tabRect(current);
            tab.InflateRect(2, 0, 2, 0);
            drawTab(dc, w, current, tab, true, light, shadow, dark, face);
        }
    }

    void drawTab(CDC& dc, const ui::Window& w, int index, CRect tab, bool selected, COLORREF light,
                 COLORREF shadow, COLORREF dark, COLORREF face) const {
        if (!selected)
            tab.top += 2;
        // Selected: down over the page's top edge so the two read as one.
        const int bottom = selected ? tab.bottom + 2 : tab.bottom;
        dc.FillSolidRect(tab.left + 1, tab.top + 1, tab.Width() - 2, bottom - tab.top - 1, face);
        dc.FillSolidRect(tab.left, tab.top + 2, 1, bottom - tab.top - 2, light);
        dc.SetPixel(tab.left + 1, tab.top + 1, light);
        dc.FillSolidRect(tab.left + 2, tab.top, tab.Width() - 4, 1, light);
        dc.SetPixel(tab.right - 2, tab.top + 1, dark);
        dc.FillSolidRect(tab.right - 1, tab.top + 2, 1, bottom - tab.top - 2, dark);
        dc.FillSolidRect(tab.right - 2, tab.top + 2, 1, bottom - tab.top - 2, shadow);
        RECT text{tab.left + 6, tab.top + 1, tab.right - 4, tab.bottom};
        const Tab& item = tabs[std::size_t(index)];
        if (images && images->image(item.image)) {
            const CSize size = images->imageSize();
            images->Draw(&dc, item.image, CPoint(text.left, tab.top + (tab.Height() - size.cy) / 2),
                         ILD_TRANSPARENT);
            text.left += size.cx + 3;
        }
        ui::classic::drawControlText(dc, CString(item.text), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX,
                                     w.isEnabled());
        if (selected && ui::hasFocus(w)) {
            const RECT focus{tab.left + 3, tab.top + 3, tab.right - 3, tab.bottom - 1};
            dc.DrawFocusRect(&focus);
        }
    }

    std::vector<std::wstring> items(const ui::Window&) const override {
        std::vector<std::wstring> texts;
        for (const Tab& tab : tabs)
            texts.push_back(tab.text);
        return texts;
    }
    int selection(const ui::Window&) const override { return current; }
    bool selectAsUser(ui::Window& w, int index) override { return choose(w, index); }
    std::wstring describe(const ui::Window&) const override {
        return L"tabs=" + std::to_wstring(tabs.size()) + L" sel=" + std::to_wstring(current);
    }
};

TabProcedure* tabsOf(HWND hwnd) {
    ui::Window* window = ui::windowFromHandle(hwnd);
    return window ? dynamic_cast<TabProcedure*>(window->procedure.get()) : nullptr;
}

}  // namespace

namespace ui {

void registerTabControlClass() {
    registerWindowClass({WC_TABCONTROL, [] { return std::make_unique<TabProcedure>(); },
                         [] { return std::make_unique<CTabCtrl>(); }});
}

void TabCtrlVerbs::clickTab(int index) {
    auto* tabs = dynamic_cast<CTabCtrl*>(dlg.wnd(id));
    CRect rect;
    if (!tabs || !tabs->GetItemRect(index, &rect)) {
        reportProblem(L"clickTab: tab control " + std::to_wstring(id) + L" has no tab " +
                      std::to_wstring(index));
        return;
    }
    dlg.mouseDown(id, rect.CenterPoint());
    dlg.mouseUp(id, rect.CenterPoint());
}

}  // namespace ui

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!ui::isWindowClassRegistered(WC_TABCONTROL))
        ui::registerTabControlClass();
    return CWnd::Create(WC_TABCONTROL, L"", style | WS_CHILD, rect, parent, id);
}

int CTabCtrl::InsertItem(int index, LPCTSTR text) {
    return InsertItem(TCIF_TEXT, index, text, -1, 0);
}

int CTabCtrl::InsertItem(int index, LPCTSTR text, int image) {
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, index, text, image, 0);
}

int CTabCtrl::InsertItem(UINT mask, int index, LPCTSTR text, int image, LPARAM data) {
    TabProcedure* tabs = tabsOf(m_hWnd);
    if (!tabs || index < 0)
        return -1;
    index = std::min(index, int(tabs->tabs.size()));
    Tab tab;
    if ((mask & TCIF_TEXT) && text)
        tab.text = text;
    if (mask & TCIF_IMAGE)
        tab.image = image;
    if (mask & TCIF_PARAM)
        tab.data = data;
    tabs->tabs.insert(tabs->tabs.begin() + index, std::move(tab));
    // The first tab becomes the selection; later inserts before it keep the same tab selected.
    if (tabs->current < 0)
        tabs->current = 0;
    else if (index <= tabs->current && tabs->tabs.size() > 1)
        ++tabs->current;
    return index;
}

BOOL CTabCtrl::DeleteItem(int index) {
    TabProcedure* tabs = tabsOf(m_hWnd);
    if (!tabs || !tabs->valid(index))
        return FALSE;
    tabs->tabs.erase(tabs->tabs.begin() + index);
    // Windows leaves no selection when the selected tab goes; a tab before it shifts it left.
    if (index == tabs->current)
        tabs->current = -1;
    else if (index < tabs->current)
        --tabs->current;
    return TRUE;
}

BOOL CTabCtrl::DeleteAllItems() {
    TabProcedure* tabs = tabsOf(m_hWnd);
    if (!tabs)
        return FALSE;
    tabs->tabs.clear();
    tabs->current = -1;
    return TRUE;
}

int CTabCtrl::GetItemCount() const {
    const TabProcedure* tabs = tabsOf(m_hWnd);
    return tabs ? int(tabs->tabs.size()) : 0;
}

BOOL CTabCtrl::GetItem(int index, TCITEM* item) const {
    const TabProcedure* tabs = tabsOf(m_hWnd);
    if (!tabs || !tabs->valid(index) || !item)
        return FALSE;
    const Tab& tab = tabs->tabs[std::size_t(index)];
    if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
        const std::size_t count = std::min(tab.text.size(), std::size_t(item->cchTextMax - 1));
        std::copy_n(tab.text.c_str(), count, item->pszText);
        item->pszText[count] = L'\0';
    }
    if (item->mask & TCIF_IMAGE)
        item->iImage = tab.image;
    if (item->mask & TCIF_PARAM)
        item->lParam = tab.data;
    return TRUE;
}

BOOL CTabCtrl::SetItem(int index, const TCITEM* item) {
    TabProcedure* tabs = tabsOf(m_hWnd);
    if (!tabs || !tabs->valid(index) || !item)
        return FALSE;
    Tab& tab = tabs->tabs[std::size_t(index)];
    if (item->mask & TCIF_TEXT)
        tab.text = item->pszText ? item->pszText : L"";
    if (item->mask & TCIF_IMAGE)
        tab.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        tab.data = item->lParam;
    return TRUE;
}

CString CTabCtrl::itemText(int index) const {
    const TabProcedure* tabs = tabsOf(m_hWnd);
    return tabs && tabs->valid(index) ? CString(tabs->tabs[std::size_t(index)].text) : CString();
}

int CTabCtrl::GetCurSel() const {
    const TabProcedure* tabs = tabsOf(m_hWnd);
    return tabs ? tabs->current : -1;
}

int CTabCtrl::SetCurSel(int index) {
    TabProcedure* tabs = tabsOf(m_hWnd);
    if (!tabs || !tabs->valid(index))
        return -1;
    return std::exchange(tabs->current, index);
}

BOOL CTabCtrl::GetItemRect(int index, LPRECT rect) const {
    const TabProcedure* tabs = tabsOf(m_hWnd);
    if (!tabs || !tabs->valid(index) || !rect)
        return FALSE;
    *rect = tabs->tabRect(index);
    return TRUE;
}

void CTabCtrl::AdjustRect(BOOL larger, LPRECT rect) const {
    if (!rect)
        return;
    if (larger) {
        rect->left -= 4, rect->right += 4, rect->top -= tabHeight + 2, rect->bottom += 4;
    } else {
        rect->left += 4, rect->right -= 4, rect->top += tabHeight + 2, rect->bottom -= 4;
        rect->right = std::max(rect->right, rect->left);
        rect->bottom = std::max(rect->bottom, rect->top);
    }
}

int CTabCtrl::HitTest(TCHITTESTINFO* info) const {
    const TabProcedure* tabs = tabsOf(m_hWnd);
    if (!info)
        return -1;
    const int index = tabs ? tabs->hitTest(info->pt) : -1;
    info->flags = index < 0 ? TCHT_NOWHERE : TCHT_ONITEM;
    return index;
}

CImageList* CTabCtrl::SetImageList(CImageList* images) {
    TabProcedure* tabs = tabsOf(m_hWnd);
    return tabs ? std::exchange(tabs->images, images) : nullptr;
}

CImageList* CTabCtrl::GetImageList() const {
    const TabProcedure* tabs = tabsOf(m_hWnd);
    return tabs ? tabs->images : nullptr;
}

#include "platform/mfc/TabCtrl.h"

#include <algorithm>
#include <utility>  // exchange

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

    CRect tabRect(int index) const
    {
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

    int hitTest(POINT at) const
    {
        for (int i = 0; i < int(tabs.size()); ++i)
            if (tabRect(i).PtInRect(at))
                return i;
        return -1;
    }

    LRESULT notify(ui::Window& w, UINT code)
    {
        if (!w.parent)
            return 0;
        NMHDR header{w.handle, UINT_PTR(w.id), code};
        return ui::sendMessage(w.parent->handle, WM_NOTIFY, WPARAM(w.id), reinterpret_cast<LPARAM>(&header));
    }

    // The user's choice of a tab: the parent may refuse it in TCN_SELCHANGING.
    bool choose(ui::Window& w, int index)
    {
        if (!valid(index) || index == current)
            return valid(index);
        if (notify(w, TCN_SELCHANGING) != 0)
            return false;
        current = index;
        notify(w, TCN_SELCHANGE);
        return true;
    }

    LRESULT handle(ui::Window& w, UINT message, WPARAM wParam, LPARAM lParam) override
    {
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
        default:
            return ui::defaultWindowProc(w, message, wParam, lParam);
        }
    }

    std::vector<std::wstring> items(const ui::Window&) const override
    {
        std::vector<std::wstring> texts;
        for (const Tab& tab : tabs)
            texts.push_back(tab.text);
        return texts;
    }
    int selection(const ui::Window&) const override { return current; }
    bool selectAsUser(ui::Window& w, int index) override { return choose(w, index); }
    std::wstring describe(const ui::Window&) const override
    {
        return L"tabs=" + std::to_wstring(tabs.size()) + L" sel=" + std::to_wstring(current);
    }
};

TabProcedure* tabsOf(HWND hwnd)
{
    ui::Window* window = ui::windowFromHandle(hwnd);
    return window ? dynamic_cast<TabProcedure*>(window->procedure.get()) : nullptr;
}

}  // namespace

namespace ui {

void registerTabControlClass()
{
    registerWindowClass({WC_TABCONTROL, [] { return std::make_unique<TabProcedure>(); },
                         [] { return std::make_unique<CTabCtrl>(); }});
}

void TabCtrlVerbs::clickTab(int index)
{
    auto* tabs = dynamic_cast<CTabCtrl*>(dlg.wnd(id));
    CRect rect;
    if (!tabs || !tabs->GetItemRect(index, &rect)) {
        reportProblem(L"clickTab: tab control " + std::to_wstring(id) + L" has no tab " + std::to_wstring(index));
        return;
    }
    dlg.mouseDown(id, rect.CenterPoint());
    dlg.mouseUp(id, rect.CenterPoint());
}

}  // namespace ui

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!ui::isWindowClassRegistered(WC_TABCONTROL))
        ui::registerTabControlClass();
    return CWnd::Create(WC_TABCONTROL, L"", style | WS_CHILD, rect, parent, id);
}

int CTabCtrl::InsertItem(int index, LPCTSTR text)
{
    return InsertItem(TCIF_TEXT, index, text, -1, 0);
}

int CTabCtrl::InsertItem(int index, LPCTSTR text, int image)
{
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, index, text, image, 0);
}

int CTabCtrl::InsertItem(UINT mask, int index, LPCTSTR text, int image, LPARAM data)
{
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

BOOL CTabCtrl::DeleteItem(int index)
{
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

BOOL CTabCtrl::DeleteAllItems()
{
    TabProcedure* tabs = tabsOf(m_hWnd);
    if (!tabs)
        return FALSE;
    tabs->tabs.clear();
    tabs->current = -1;
    return TRUE;
}

int CTabCtrl::GetItemCount() const
{
    const TabProcedure* tabs = tabsOf(m_hWnd);
    return tabs ? int(tabs->tabs.size()) : 0;
}

BOOL CTabCtrl::GetItem(int index, TCITEM* item) const
{
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

BOOL CTabCtrl::SetItem(int index, const TCITEM* item)
{
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

CString CTabCtrl::itemText(int index) const
{
    const TabProcedure* tabs = tabsOf(m_hWnd);
    return tabs && tabs->valid(index) ? CString(tabs->tabs[std::size_t(index)].text) : CString();
}

int CTabCtrl::GetCurSel() const
{
    const TabProcedure* tabs = tabsOf(m_hWnd);
    return tabs ? tabs->current : -1;
}

int CTabCtrl::SetCurSel(int index)
{
    TabProcedure* tabs = tabsOf(m_hWnd);
    if (!tabs || !tabs->valid(index))
        return -1;
    return std::exchange(tabs->current, index);
}

BOOL CTabCtrl::GetItemRect(int index, LPRECT rect) const
{
    const TabProcedure* tabs = tabsOf(m_hWnd);
    if (!tabs || !tabs->valid(index) || !rect)
        return FALSE;
    *rect = tabs->tabRect(index);
    return TRUE;
}

void CTabCtrl::AdjustRect(BOOL larger, LPRECT rect) const
{
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

int CTabCtrl::HitTest(TCHITTESTINFO* info) const
{
    const TabProcedure* tabs = tabsOf(m_hWnd);
    if (!info)
        return -1;
    const int index = tabs ? tabs->hitTest(info->pt) : -1;
    info->flags = index < 0 ? TCHT_NOWHERE : TCHT_ONITEM;
    return index;
}

CImageList* CTabCtrl::SetImageList(CImageList* images)
{
    TabProcedure* tabs = tabsOf(m_hWnd);
    return tabs ? std::exchange(tabs->images, images) : nullptr;
}

CImageList* CTabCtrl::GetImageList() const
{
    const TabProcedure* tabs = tabsOf(m_hWnd);
    return tabs ? tabs->images : nullptr;
}

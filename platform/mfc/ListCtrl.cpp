#include "platform/mfc/ListCtrl.h"

#include <algorithm>
#include <utility>  // exchange

#include "platform/mfc/ClassicLook.h"
#include "platform/mfc/ControlPainting.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/ImageList.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/RichEditCtrl.h"
#include "platform/mfc/TabCtrl.h"
#include "platform/mfc/ToolTip.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/Window.h"
#include "platform/mfc/WindowClass.h"

namespace {

constexpr int rowHeight = 17;
constexpr int headerHeight = 20;
// A column inserted without a width.
constexpr int defaultColumnWidth = 100;

struct ListItem {
    std::vector<std::wstring> texts{L""};
    int image = -1;
    DWORD_PTR data = 0;
    UINT state = 0;
};

class ListViewProcedure : public ui::WindowProcedure {
public:
    std::vector<ListItem> rows;
    std::vector<std::wstring> columns;
    std::vector<int> columnWidths;  // beside columns
    CImageList* normalImages = nullptr;
    CImageList* smallImages = nullptr;
    DWORD extendedStyle = 0;

    bool valid(int index) const { return index >= 0 && index < int(rows.size()); }

    CRect itemRect(const ui::Window& w, int index) const {
        const DWORD view = w.style & LVS_TYPEMASK;
        if (view == LVS_ICON) {
            const CSize icon =
                normalImages && normalImages->isCreated() ? normalImages->imageSize() : CSize(32, 32);
            const int cellWidth = std::max<int>(icon.cx + 8, 75), cellHeight = icon.cy + 20;
            const RECT client = w.clientRect();
            const int perRow = std::max(1, int(client.right - client.left) / cellWidth);
            const int x = (index % perRow) * cellWidth, y = (index / perRow) * cellHeight;
            return CRect(x, y, x + cellWidth, y + cellHeight);
        }
        const int top = (view == LVS_REPORT ? headerHeight : 0) + index * rowHeight;
        const RECT client = w.clientRect();
        return CRect(0, top, std::max<int>(client.right, 1), top + rowHeight);
    }

    int hitTest(const ui::Window& w, POINT point) const {
        for (int i = 0; i < int(rows.size()); ++i)
            if (itemRect(w, i).PtInRect(point))
                return i;
        return -1;
    }

    // Changes an item's state and tells the parent, as the list view does for every change.
    void setState(ui::Window& w, int index, UINT state, UINT mask) {
        ListItem& item = rows[std::size_t(index)];
        const UINT old = item.state;
        const UINT now = (old & ~mask) | (state & mask);
        if (now == old)
            return;
        item.state = now;
        notify(w, LVN_ITEMCHANGED, index, old, now);
    }

    void select(ui::Window& w, int index, bool toggle) {
        const bool single = (w.style & LVS_SINGLESEL) != 0;
        if (toggle && !single && valid(index)) {
            setState(w, index, rows[std::size_t(index)].state ^ LVIS_SELECTED, LVIS_SELECTED);
            return;
        }
        for (int i = 0; i < int(rows.size()); ++i)
            if (i != index)
                setState(w, i, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (valid(index))
            setState(w, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    void notify(ui::Window& w, UINT code, int item, UINT oldState = 0, UINT newState = 0, POINT at = {}) {
        if (!w.parent)
            return;
        NMITEMACTIVATE info;
        info.hdr = {w.handle, UINT_PTR(w.id), code};
        info.iItem = item;
        info.uOldState = oldState;
        info.uNewState = newState;
        info.uChanged = code == LVN_ITEMCHANGED ? LVIF_STATE : 0;
        info.ptAction = at;
        if (valid(item))
            info.lParam = LPARAM(rows[std::size_t(item)].data);
        ui::sendMessage(w.parent->handle, WM_NOTIFY, WPARAM(w.id), reinterpret_cast<LPARAM>(&info));
    }

    LRESULT handle(ui::Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_LBUTTONDOWN: {
                SetFocus(w.handle);
                const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                select(w, hitTest(w, at), (wParam & MK_CONTROL) != 0);
                notify(w, NM_CLICK, hitTest(w, at), 0, 0, at);
                return 0;
            }
            case WM_LBUTTONDBLCLK: {
                const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                notify(w, NM_DBLCLK, hitTest(w, at), 0, 0, at);
                return 0;
            }
            case WM_RBUTTONDOWN: {
                const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                notify(w, NM_RCLICK, hitTest(w, at), 0, 0, at);
                return 0;
            }
            case WM_KEYDOWN: {
                // Arrow keys move the selection one item, as in a list.
                int current = -1;
                for (int i = 0; i < int(rows.size()); ++i)
                    if (rows[std::size_t(i)].state & LVIS_FOCUSED)
                        current = i;
                int next = current;
                if (wParam == VK_DOWN || wParam == VK_RIGHT)
                    next = std::min(current + 1, int(rows.size()) - 1);
                else if (wParam == VK_UP || wParam == VK_LEFT)
                    next = std::max(current - 1, 0);
                else if (wParam == VK_RETURN)
                    notify(w, NM_RETURN, current);
                if (next != current && valid(next))
                    select(w, next, false);
                return 0;
            }
            case WM_GETDLGCODE:
                return DLGC_WANTARROWS;
            case WM_PAINT: {
                CPaintDC dc(w.wnd);
                ui::ControlFont font(dc, w);
                paint(w, dc);
                return 0;
            }
            default:
                return ui::defaultWindowProc(w, message, wParam, lParam);
        }
    }

    // The white area, the header row of a report view (raised buttons with the column texts), the
    // items with their pictures and sub-items, grid lines and check boxes when asked for.
    void paint(const ui::Window& w, CDC& dc) const {
        const RECT client = w.clientRect();
        dc.FillSolidRect(&client, GetSysColor(w.isEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
        const bool report = (w.style & LVS_TYPEMASK) == LVS_REPORT;
        drawRows(w, dc);
        if (!report)
            return;
        if (extendedStyle & LVS_EX_GRIDLINES) {
            const COLORREF grid = GetSysColor(COLOR_BTNFACE);
            for (int top = headerHeight + rowHeight - 1; top < client.bottom; top += rowHeight)
                dc.FillSolidRect(0, top, int(client.right), 1, grid);
            int x = 0;
            for (int width : columnWidths) {
                x += width;
                dc.FillSolidRect(x - 1, headerHeight, 1, int(client.bottom) - headerHeight, grid);
            }
        }
        if (w.style & LVS_NOCOLUMNHEADER)
            return;
        int x = 0;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const RECT button{x, 0, x + columnWidths[c], headerHeight};
            dc.FillSolidRect(&button, GetSysColor(COLOR_BTNFACE));
            ui::classic::drawEdge(dc, button, ui::classic::Edge::Raised);
            RECT text{button.left + 6, button.top, button.right - 4, button.bottom};
            ui::classic::drawControlText(dc, CString(columns[c]), text,
                                         DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS,
                                         w.isEnabled());
            x = button.right;
        }
        // The header's empty rest, as the control shows it right of the last column.
        if (x < client.right) {
            const RECT rest{x, 0, client.right, headerHeight};
            dc.FillSolidRect(&rest, GetSysColor(COLOR_BTNFACE));
            ui::classic::drawEdge(dc, rest, ui::classic::Edge::Raised);
        }
    }

    void drawRows(const ui::Window& w, CDC& dc) const {
        const bool iconView = (w.style & LVS_TYPEMASK) == LVS_ICON;
        const bool report = (w.style & LVS_TYPEMASK) == LVS_REPORT;
        const bool focused = ui::focusWindow() == w.handle;
        const bool showSelection = focused || (w.style & LVS_SHOWSELALWAYS);
        CImageList* images = iconView ? normalImages : smallImages;
        const int mode = dc.SetBkMode(TRANSPARENT);
        for (int i = 0; i < int(rows.size()); ++i) {
            const ListItem& item = rows[std::size_t(i)];
            const CRect cell = itemRect(w, i);
            CRect first = cell;
            if (report && !columnWidths.empty() && !(extendedStyle & LVS_EX_FULLROWSELECT))
                first.right = first.left + columnWidths[0];
            if (extendedStyle & LVS_EX_CHECKBOXES) {
                const int state = int((item.state & LVIS_STATEIMAGEMASK) >> 12);
                ui::classic::drawCheckBox(dc,
                                          {first.left + 2, first.top + 2, first.left + 15, first.top + 15},
                                          state == 2 ? 1 : 0, w.isEnabled());
                first.left += 17;
            }
            CRect text = first;
            if (images && images->image(item.image)) {
                const CSize size = images->imageSize();
                if (iconView) {
                    images->Draw(&dc, item.image,
                                 CPoint(cell.left + (cell.Width() - size.cx) / 2, cell.top + 2),
                                 ILD_TRANSPARENT);
                    text.top = cell.top + size.cy + 4;
                } else {
                    images->Draw(&dc, item.image, CPoint(first.left + 1, first.top), ILD_TRANSPARENT);
                    text.left = first.left + size.cx + 3;
                }
            }
            const bool selected = (item.state & LVIS_SELECTED) && showSelection;
            if (selected) {
                CRect band = text;
                if (report && (extendedStyle & LVS_EX_FULLROWSELECT))
                    band.right = cell.right;
                dc.FillSolidRect(&band, GetSysColor(COLOR_HIGHLIGHT));
            }
            if ((item.state & LVIS_FOCUSED) && focused)
                dc.DrawFocusRect(&text);
            dc.SetTextColor(GetSysColor(selected        ? COLOR_HIGHLIGHTTEXT
                                        : w.isEnabled() ? COLOR_WINDOWTEXT
                                                        : COLOR_GRAYTEXT));
            RECT label{text.left + 2, text.top, text.right - 2, text.bottom};
            const UINT align = iconView ? DT_CENTER | DT_TOP : DT_LEFT | DT_VCENTER;
            dc.DrawText(CString(item.texts[0]), &label,
                        align | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
            if (!report)
                continue;
            // Sub-items in the later columns.
            int x = columnWidths.empty() ? cell.right : columnWidths[0];
            for (std::size_t c = 1; c < columnWidths.size(); ++c) {
                const bool fullRow = selected && (extendedStyle & LVS_EX_FULLROWSELECT);
                dc.SetTextColor(GetSysColor(fullRow         ? COLOR_HIGHLIGHTTEXT
                                            : w.isEnabled() ? COLOR_WINDOWTEXT
                                                            : COLOR_GRAYTEXT));
                RECT sub{x + 6, cell.top, x + columnWidths[c] - 2, cell.bottom};
                if (c < item.texts.size())
                    dc.DrawText(CString(item.texts[c]), &sub,
                                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
                x += columnWidths[c];
            }
        }
        dc.SetBkMode(mode);
    }

    std::vector<std::wstring> items(const ui::Window&) const override {
        std::vector<std::wstring> texts;
        for (const ListItem& item : rows)
            texts.push_back(item.texts[0]);
        return texts;
    }
    int selection(const ui::Window&) const override {
        for (int i = 0; i < int(rows.size()); ++i)
            if (rows[std::size_t(i)].state & LVIS_SELECTED)
                return i;
        return -1;
    }
    bool selectAsUser(ui::Window& w, int index) override {
        if (!valid(index))
            return false;
        select(w, index, false);
        notify(w, NM_CLICK, index);
        return true;
    }
    std::wstring describe(const ui::Window&) const override {
        std::wstring selected;
        for (int i = 0; i < int(rows.size()); ++i)
            if (rows[std::size_t(i)].state & LVIS_SELECTED)
                selected += (selected.empty() ? L"" : L",") + std::to_wstring(i);
        return L"items=" + std::to_wstring(rows.size()) + L" sel=" + (selected.empty() ? L"-1" : selected);
    }
};

ListViewProcedure* listView(HWND hwnd) {
    ui::Window* window = ui::windowFromHandle(hwnd);
    return window ? dynamic_cast<ListViewProcedure*>(window->procedure.get()) : nullptr;
}

ui::Window* windowOf(HWND hwnd) {
    return ui::windowFromHandle(hwnd);
}

}  // namespace

void InitCommonControls() {
    ui::registerWindowClass({WC_LISTVIEW, [] { return std::make_unique<ListViewProcedure>(); },
                             [] { return std::make_unique<CListCtrl>(); }});
    ui::registerTabControlClass();
    ui::registerToolTipClass();
    ui::registerRichEditClass();
}

BOOL AfxInitRichEdit2() {
    InitCommonControls();
    return TRUE;
}

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!ui::isWindowClassRegistered(WC_LISTVIEW))
        InitCommonControls();
    return CWnd::Create(WC_LISTVIEW, L"", style | WS_CHILD, rect, parent, id);
}

int CListCtrl::GetItemCount() const {
    const ListViewProcedure* list = listView(m_hWnd);
    return list ? int(list->rows.size()) : 0;
}

int CListCtrl::InsertItem(int index, LPCTSTR text, int image) {
    ListViewProcedure* list = listView(m_hWnd);
    if (!list || index < 0)
        return -1;
    index = std::min(index, int(list->rows.size()));
    ListItem item;
    item.texts[0] = text ? text : L"";
    item.image = image;
    list->rows.insert(list->rows.begin() + index, std::move(item));
    return index;
}

BOOL CListCtrl::DeleteItem(int index) {
    ListViewProcedure* list = listView(m_hWnd);
    if (!list || !list->valid(index))
        return FALSE;
    list->notify(*windowOf(m_hWnd), LVN_DELETEITEM, index);
    list->rows.erase(list->rows.begin() + index);
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
    ListViewProcedure* list = listView(m_hWnd);
    if (!list)
        return FALSE;
    list->notify(*windowOf(m_hWnd), LVN_DELETEALLITEMS, -1);
    list->rows.clear();
    return TRUE;
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCTSTR text) {
    ListViewProcedure* list = listView(m_hWnd);
    if (!list || !list->valid(index) || subItem < 0)
        return FALSE;
    auto& texts = list->rows[std::size_t(index)].texts;
    if (std::size_t(subItem) >= texts.size())
        texts.resize(std::size_t(subItem) + 1);
    texts[std::size_t(subItem)] = text ? text : L"";
    return TRUE;
}

CString CListCtrl::GetItemText(int index, int subItem) const {
    const ListViewProcedure* list = listView(m_hWnd);
    if (!list || !list->valid(index) || subItem < 0)
        return CString();
    const auto& texts = list->rows[std::size_t(index)].texts;
    return std::size_t(subItem) < texts.size() ? CString(texts[std::size_t(subItem)]) : CString();
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data) {
    ListViewProcedure* list = listView(m_hWnd);
    if (!list || !list->valid(index))
        return FALSE;
    list->rows[std::size_t(index)].data = data;
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int index) const {
    const ListViewProcedure* list = listView(m_hWnd);
    return list && list->valid(index) ? list->rows[std::size_t(index)].data : 0;
}

BOOL CListCtrl::SetItemImage(int index, int image) {
    ListViewProcedure* list = listView(m_hWnd);
    if (!list || !list->valid(index))
        return FALSE;
    list->rows[std::size_t(index)].image = image;
    return TRUE;
}

int CListCtrl::GetItemImage(int index) const {
    const ListViewProcedure* list = listView(m_hWnd);
    return list && list->valid(index) ? list->rows[std::size_t(index)].image : -1;
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
    ListViewProcedure* list = listView(m_hWnd);
    if (!list)
        return FALSE;
    ui::Window& window = *windowOf(m_hWnd);
    // Index -1 applies to every item, as LVM_SETITEMSTATE does.
    if (index == -1) {
        for (int i = 0; i < int(list->rows.size()); ++i)
            list->setState(window, i, state, mask);
        return TRUE;
    }
    if (!list->valid(index))
        return FALSE;
    // A single-selection list keeps one selected item: selecting one clears the others.
    if ((state & mask & LVIS_SELECTED) && (window.style & LVS_SINGLESEL))
        for (int i = 0; i < int(list->rows.size()); ++i)
            if (i != index)
                list->setState(window, i, 0, LVIS_SELECTED);
    list->setState(window, index, state, mask);
    return TRUE;
}

UINT CListCtrl::GetItemState(int index, UINT mask) const {
    const ListViewProcedure* list = listView(m_hWnd);
    return list && list->valid(index) ? list->rows[std::size_t(index)].state & mask : 0;
}

UINT CListCtrl::GetSelectedCount() const {
    const ListViewProcedure* list = listView(m_hWnd);
    if (!list)
        return 0;
    return UINT(std::count_if(list->rows.begin(), list->rows.end(),
                              [](const ListItem& i) { return i.state & LVIS_SELECTED; }));
}

int CListCtrl::GetNextItem(int start, int flags) const {
    const ListViewProcedure* list = listView(m_hWnd);
    if (!list)
        return -1;
    const UINT wanted =
        (flags & LVNI_SELECTED ? LVIS_SELECTED : 0) | (flags & LVNI_FOCUSED ? LVIS_FOCUSED : 0);
    for (int i = std::max(start + 1, 0); i < int(list->rows.size()); ++i)
        if ((list->rows[std::size_t(i)].state & wanted) == wanted)
            return i;
    return -1;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    const int first = GetNextItem(-1, LVNI_SELECTED);
    return first < 0 ? nullptr : reinterpret_cast<POSITION>(std::intptr_t(first) + 1);
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const {
    const int current = int(reinterpret_cast<std::intptr_t>(position)) - 1;
    const int next = GetNextItem(current, LVNI_SELECTED);
    position = next < 0 ? nullptr : reinterpret_cast<POSITION>(std::intptr_t(next) + 1);
    return current;
}

BOOL CListCtrl::EnsureVisible(int index, BOOL) {
    const ListViewProcedure* list = listView(m_hWnd);
    return list && list->valid(index) ? TRUE : FALSE;
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT) const {
    const ListViewProcedure* list = listView(m_hWnd);
    if (!list || !list->valid(index) || !rect)
        return FALSE;
    *rect = list->itemRect(*windowOf(m_hWnd), index);
    return TRUE;
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
    const ListViewProcedure* list = listView(m_hWnd);
    const int index = list ? list->hitTest(*windowOf(m_hWnd), point) : -1;
    if (flags)
        *flags = index < 0 ? LVHT_NOWHERE : LVHT_ONITEM;
    return index;
}

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int, int width, int) {
    ListViewProcedure* list = listView(m_hWnd);
    if (!list || column < 0)
        return -1;
    column = std::min(column, int(list->columns.size()));
    list->columns.insert(list->columns.begin() + column, heading ? heading : L"");
    list->columnWidths.insert(list->columnWidths.begin() + column, width < 0 ? defaultColumnWidth : width);
    return column;
}

int CListCtrl::GetColumnCount() const {
    const ListViewProcedure* list = listView(m_hWnd);
    return list ? int(list->columns.size()) : 0;
}

CImageList* CListCtrl::SetImageList(CImageList* images, int which) {
    ListViewProcedure* list = listView(m_hWnd);
    if (!list)
        return nullptr;
    CImageList*& slot = which == LVSIL_NORMAL ? list->normalImages : list->smallImages;
    return std::exchange(slot, images);
}

CImageList* CListCtrl::GetImageList(int which) const {
    const ListViewProcedure* list = listView(m_hWnd);
    if (!list)
        return nullptr;
    return which == LVSIL_NORMAL ? list->normalImages : list->smallImages;
}

DWORD CListCtrl::SetExtendedStyle(DWORD style) {
    ListViewProcedure* list = listView(m_hWnd);
    return list ? std::exchange(list->extendedStyle, style) : 0;
}

DWORD CListCtrl::GetExtendedStyle() const {
    const ListViewProcedure* list = listView(m_hWnd);
    return list ? list->extendedStyle : 0;
}

BOOL CListCtrl::RedrawItems(int, int) {
    Invalidate();
    return TRUE;
}

void CListCtrl::drawItems(CDC* dc) const {
    const ListViewProcedure* list = listView(m_hWnd);
    if (!list || !dc)
        return;
    list->drawRows(*windowOf(m_hWnd), *dc);
}

namespace ui {

void ListCtrlVerbs::clickItem(int index, Keys keys) {
    auto* list = dynamic_cast<CListCtrl*>(dlg.wnd(id));
    CRect rect;
    if (!list || !list->GetItemRect(index, &rect, 0)) {
        reportProblem(L"clickItem: list " + std::to_wstring(id) + L" has no item " + std::to_wstring(index));
        return;
    }
    dlg.mouseDown(id, rect.CenterPoint(), MouseButton::Left, keys);
    dlg.mouseUp(id, rect.CenterPoint(), MouseButton::Left, keys);
}

void ListCtrlVerbs::doubleClickItem(int index) {
    auto* list = dynamic_cast<CListCtrl*>(dlg.wnd(id));
    CRect rect;
    if (!list || !list->GetItemRect(index, &rect, 0)) {
        reportProblem(L"doubleClickItem: list " + std::to_wstring(id) + L" has no item " +
                      std::to_wstring(index));
        return;
    }
    const CPoint at = rect.CenterPoint();
    dlg.mouseDown(id, at);
    dlg.mouseUp(id, at);
    dlg.send(id, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(WORD(at.x), WORD(at.y)));
    dlg.mouseUp(id, at);
}

std::vector<int> ListCtrlVerbs::selectedItems() const {
    std::vector<int> selected;
    auto* list = dynamic_cast<CListCtrl*>(dlg.wnd(id));
    if (!list)
        return selected;
    for (int i = list->GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list->GetNextItem(i, LVNI_SELECTED))
        selected.push_back(i);
    return selected;
}

}  // namespace ui

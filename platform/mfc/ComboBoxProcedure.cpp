// The "ComboBox" class. A drop-down list shows the selected item's text; a drop-down (or simple) combo
// has an edit part whose text is the window text.
//
// NOTE: as in Win32, during CBN_SELCHANGE the edit part of a CBS_DROPDOWN combo still shows the old
// text; handlers read the new one with GetLBText(GetCurSel()).
#include <algorithm>
#include <cwctype>
#include <utility>  // std::exchange

#include "platform/mfc/CString.h"
#include "platform/mfc/ClassicLook.h"
#include "platform/mfc/ControlPainting.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/ItemList.h"
#include "platform/mfc/StandardClasses.h"

namespace ui {
namespace {

// The width of the drop-down button (a vertical scroll bar's width).
constexpr int kButtonWidth = 16;
// A list that opens with nothing to say how high it is shows at most this many items.
constexpr int kDefaultDroppedItems = 8;

bool isOwnerDrawn(const Window& w) {
    return (w.style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

class ComboBoxProcedure : public WindowProcedure {
public:
    LRESULT handle(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        auto text = [&] { return lParam ? std::wstring(reinterpret_cast<LPCTSTR>(lParam)) : std::wstring(); };
        auto index = static_cast<int>(static_cast<std::intptr_t>(wParam));
        switch (message) {
            case CB_ADDSTRING: {
                int at = m_items.add(text(), (w.style & CBS_SORT) != 0);
                if (m_selection >= at)
                    ++m_selection;
                return at;
            }
            case CB_INSERTSTRING: {
                int at = m_items.insert(index, text());
                if (at < 0)
                    return CB_ERR;
                if (m_selection >= at)
                    ++m_selection;
                return at;
            }
            case CB_DELETESTRING:
                if (!m_items.remove(index))
                    return CB_ERR;
                if (m_selection == index) {
                    m_selection = -1;
                    if (isDropList(w))
                        w.text.clear();
                } else if (m_selection > index) {
                    --m_selection;
                }
                return m_items.count();
            case CB_RESETCONTENT:
                m_items.clear();
                m_selection = -1;
                w.text.clear();
                return 0;
            case CB_GETCOUNT:
                return m_items.count();
            case CB_GETCURSEL:
                return m_selection;
            case CB_SETCURSEL:
                if (!m_items.valid(index)) {
                    m_selection = -1;
                    w.text.clear();
                    return CB_ERR;
                }
                select(w, index);
                return index;
            case CB_GETLBTEXT: {
                const long length = m_items.copyText(index, reinterpret_cast<LPTSTR>(lParam));
                return length < 0 ? CB_ERR : static_cast<LRESULT>(length);
            }
            case CB_GETLBTEXTLEN:
                return m_items.valid(index) ? static_cast<LRESULT>(m_items.at(index).text.size()) : CB_ERR;
            case CB_FINDSTRING:
                return m_items.find(index, text(), false);
            case CB_FINDSTRINGEXACT:
                return m_items.find(index, text(), true);
            case CB_SELECTSTRING: {
                int found = m_items.find(index, text(), false);
                if (found < 0)
                    return CB_ERR;
                select(w, found);
                return found;
            }
            case CB_GETITEMDATA:
                return m_items.valid(index) ? static_cast<LRESULT>(m_items.at(index).data) : CB_ERR;
            case CB_SETITEMDATA:
                if (!m_items.valid(index))
                    return CB_ERR;
                m_items.at(index).data = static_cast<DWORD_PTR>(lParam);
                return TRUE;
            case CB_SHOWDROPDOWN:
                m_dropped = wParam != 0 && !isSimple(w);
                if (m_dropped)
                    openList(w);
                else
                    closeList();
                return TRUE;
            case CB_GETDROPPEDSTATE:
                return m_dropped;
            case CB_LIMITTEXT:
                m_limit = wParam == 0 ? 0x7FFFFFFE : static_cast<int>(wParam);
                return TRUE;
            case CB_GETEDITSEL:
                return isDropList(w) ? CB_ERR
                                     : static_cast<LRESULT>(MAKELONG(static_cast<WORD>(m_editStart),
                                                                     static_cast<WORD>(m_editEnd)));
            case EM_SETSEL:  // what the dialog manager sends when tabbing in
            case CB_SETEDITSEL: {
                if (isDropList(w))
                    return CB_ERR;
                int length = static_cast<int>(w.text.size());
                int start = message == EM_SETSEL
                                ? static_cast<int>(static_cast<std::intptr_t>(wParam))
                                : static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam)));
                int end = message == EM_SETSEL
                              ? static_cast<int>(lParam)
                              : static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam)));
                if (start < 0)
                    start = length;
                if (end < 0 || end > length)
                    end = length;
                m_editStart = std::min(start, end);
                m_editEnd = std::max(start, end);
                return TRUE;
            }
            case WM_SETTEXT: {
                std::wstring t = text();
                if (isDropList(w)) {
                    // A drop-down list can only show one of its items.
                    int found = m_items.find(-1, t, true);
                    if (found < 0)
                        return CB_ERR;
                    select(w, found);
                    return TRUE;
                }
                w.text = t;
                m_editStart = m_editEnd = 0;
                return TRUE;
            }
            case WM_GETDLGCODE:
                return DLGC_WANTCHARS | DLGC_WANTARROWS | (isDropList(w) ? 0 : DLGC_HASSETSEL);
            case WM_CHAR:
                typed(w, static_cast<wchar_t>(wParam));
                return 0;
            case WM_KEYDOWN:
                if (wParam == VK_DOWN || wParam == VK_UP) {
                    int next = m_selection + (wParam == VK_DOWN ? 1 : -1);
                    if (m_selection < 0)
                        next = 0;
                    if (m_items.valid(next))
                        selectAsUser(w, next);
                }
                return 0;
            case WM_LBUTTONDOWN:
                setFocus(w.handle);
                return 0;
            case WM_SETFOCUS:
                if (!isDropList(w)) {
                    m_editStart = 0;
                    m_editEnd = static_cast<int>(w.text.size());
                }
                notifyParent(w, CBN_SETFOCUS);
                return 0;
            case WM_KILLFOCUS:
                m_dropped = false;
                closeList();
                notifyParent(w, CBN_KILLFOCUS);
                return 0;
            case WM_DESTROY:
                closeList();
                return defaultWindowProc(w, message, wParam, lParam);
            case WM_PAINT:
                paint(w);
                return 0;
            default:
                return defaultWindowProc(w, message, wParam, lParam);
        }
    }

    std::vector<std::wstring> items(const Window&) const override { return m_items.texts(); }
    int selection(const Window&) const override { return m_selection; }

    bool selectAsUser(Window& w, int index) override {
        if (!m_items.valid(index))
            return false;
        HWND self = w.handle;
        bool dropDown = !isSimple(w);
        if (dropDown) {
            m_dropped = true;
            notifyParent(w, CBN_DROPDOWN);
            if (!windowFromHandle(self))
                return true;
        }
        m_selection = index;
        if (isDropList(w))
            w.text = m_items.at(index).text;
        notifyParent(w, CBN_SELENDOK);
        if (dropDown && windowFromHandle(self)) {
            m_dropped = false;
            notifyParent(w, CBN_CLOSEUP);
        }
        if (windowFromHandle(self))
            notifyParent(w, CBN_SELCHANGE);
        // The edit part takes the chosen text after the selection change has been announced.
        if (windowFromHandle(self) && !isDropList(w) && m_items.valid(m_selection)) {
            w.text = m_items.at(m_selection).text;
            m_editStart = 0;
            m_editEnd = static_cast<int>(w.text.size());
        }
        return true;
    }

    std::wstring describe(const Window&) const override {
        std::wstring out =
            L"items=" + std::to_wstring(m_items.count()) + L" sel=" + std::to_wstring(m_selection);
        if (m_dropped)
            out += L" dropped";
        return out;
    }

    // The dropped list's rows: what the pop-up shows (see DroppedListProcedure.cpp).
    void paintList(Window& combo, CDC& dc, const RECT& area, int top) const {
        const int itemHeight = lineHeightOf(combo);
        if (isOwnerDrawn(combo)) {
            dc.FillSolidRect(&area, GetSysColor(COLOR_WINDOW));
            for (int i = top; i < m_items.count(); ++i) {
                const int y = int(area.top) + (i - top) * itemHeight;
                if (y >= area.bottom)
                    break;
                askParentToDraw(combo, dc, ODT_COMBOBOX, i, {area.left, y, area.right, y + itemHeight},
                                i == m_selection ? ODS_SELECTED : 0, m_items.at(i).data);
            }
            return;
        }
        std::vector<bool> selected(static_cast<std::size_t>(m_items.count()), false);
        if (m_items.valid(m_selection))
            selected[static_cast<std::size_t>(m_selection)] = true;
        ListLook look;
        look.top = top;
        look.itemHeight = itemHeight;
        look.enabled = combo.isEnabled();
        drawListItems(dc, m_items.texts(), selected, area, look);
    }

private:
    // The field's height: a line of text with room for the edge and the margins.
    static int fieldHeight(const Window& w) {
        return std::min(lineHeightOf(w) + 8, static_cast<int>(w.clientRect().bottom));
    }

    void paint(Window& w) const {
        CPaintDC dc(w.wnd);
        ControlFont font(dc, w);
        const RECT client = w.clientRect();
        const RECT field{0, 0, client.right, fieldHeight(w)};
        RECT inner = classic::drawEdge(dc, field, classic::Edge::Sunken);
        const bool focused = hasFocus(w);
        if (!isSimple(w)) {
            const RECT button{std::max(inner.left, inner.right - kButtonWidth), inner.top, inner.right,
                              inner.bottom};
            classic::drawArrowButton(dc, button, classic::Direction::Down, m_dropped, w.isEnabled());
            inner.right = button.left;
        }
        const bool white = !isDropList(w) && w.isEnabled();
        dc.FillSolidRect(&inner, GetSysColor(white ? COLOR_WINDOW : COLOR_BTNFACE));
        if (isOwnerDrawn(w)) {
            const RECT item{inner.left + 1, inner.top + 1, inner.right - 1, inner.bottom - 1};
            const UINT state = ODS_COMBOBOXEDIT | (focused && !m_dropped ? ODS_SELECTED | ODS_FOCUS : 0);
            askParentToDraw(w, dc, ODT_COMBOBOX, m_selection, item, state,
                            m_items.valid(m_selection) ? m_items.at(m_selection).data : 0);
        } else if (isDropList(w)) {
            RECT text{inner.left + 1, inner.top + 1, inner.right - 1, inner.bottom - 1};
            const bool highlighted = focused && !m_dropped;
            if (highlighted)
                dc.FillSolidRect(&text, GetSysColor(COLOR_HIGHLIGHT));
            const COLORREF ink =
                highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT);
            RECT label{text.left + 2, text.top, text.right, text.bottom};
            classic::drawControlText(dc, CString(w.text), label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX,
                                     w.isEnabled(), ink);
            if (highlighted)
                dc.DrawFocusRect(&text);
        } else {
            FieldLine line;
            line.text = w.text;
            line.selectionStart = m_editStart;
            line.selectionEnd = m_editEnd;
            line.caret = m_editEnd;
            line.showSelection = focused;
            line.enabled = w.isEnabled();
            drawFieldLine(dc, line, {inner.left + 2, inner.top, inner.right - 1, inner.bottom},
                          DT_LEFT | DT_VCENTER);
        }
        if (isSimple(w) && field.bottom + 3 < client.bottom) {
            // A simple combo box always shows its list below the field.
            const RECT listFrame{0, field.bottom, client.right, client.bottom};
            const RECT area = classic::drawEdge(dc, listFrame, classic::Edge::Sunken);
            paintList(w, dc, area, 0);
        }
    }

    void openList(Window& w) {
        if (windowFromHandle(m_list))
            return;
        const int itemHeight = lineHeightOf(w);
        const int field = fieldHeight(w);
        const int room = static_cast<int>(w.clientRect().bottom) - field;
        int rows = room >= itemHeight ? room / itemHeight : kDefaultDroppedItems;
        rows = std::max(1, std::min(rows, m_items.count()));
        const RECT at = w.screenRect();
        CreateParams params;
        params.className = kDroppedListClass;
        params.style = WS_POPUP | WS_BORDER;
        params.rect = {at.left, at.top + field, at.right, at.top + field + rows * itemHeight + 2};
        params.parent = w.handle;
        m_list = createWindow(params);
        if (Window* list = windowFromHandle(m_list)) {
            list->userData = reinterpret_cast<LONG_PTR>(w.handle);
            list->fontHandle = w.fontHandle;
            list->style |= WS_VISIBLE;
        }
    }

    void closeList() {
        const HWND list = std::exchange(m_list, nullptr);
        if (windowFromHandle(list))
            destroyWindow(list);
    }

    static bool isDropList(const Window& w) { return (w.style & 0x3) == CBS_DROPDOWNLIST; }
    static bool isSimple(const Window& w) { return (w.style & 0x3) == CBS_SIMPLE; }

    void select(Window& w, int index) {
        m_selection = index;
        w.text = m_items.at(index).text;
        m_editStart = 0;
        m_editEnd = static_cast<int>(w.text.size());
    }

    void typed(Window& w, wchar_t ch) {
        if (isDropList(w)) {
            // A key in a drop-down list picks the next item starting with that character.
            if (ch < 0x20)
                return;
            int found = m_items.find(m_selection, std::wstring(1, ch), false);
            if (found >= 0 && found != m_selection)
                selectAsUser(w, found);
            return;
        }
        int length = static_cast<int>(w.text.size());
        m_editStart = std::clamp(m_editStart, 0, length);
        m_editEnd = std::clamp(m_editEnd, m_editStart, length);
        std::wstring insert;
        if (ch == L'\b') {
            if (m_editStart == m_editEnd && m_editStart > 0)
                --m_editStart;
            if (m_editStart == m_editEnd)
                return;
        } else if (ch < 0x20) {
            return;
        } else {
            insert.assign(1, ch);
            if (length - (m_editEnd - m_editStart) + 1 > m_limit)
                return;
        }
        w.text.replace(static_cast<std::size_t>(m_editStart),
                       static_cast<std::size_t>(m_editEnd - m_editStart), insert);
        m_editStart = m_editEnd = m_editStart + static_cast<int>(insert.size());
        HWND self = w.handle;
        notifyParent(w, CBN_EDITUPDATE);
        if (windowFromHandle(self))
            notifyParent(w, CBN_EDITCHANGE);
    }

    ItemList m_items;
    int m_selection = -1;
    bool m_dropped = false;
    int m_editStart = 0;
    int m_editEnd = 0;
    int m_limit = 0x7FFFFFFE;
    HWND m_list = nullptr;  // the dropped list's pop-up while open
};

}  // namespace

std::unique_ptr<WindowProcedure> makeComboBoxProcedure() {
    return std::make_unique<ComboBoxProcedure>();
}

void paintComboList(Window& combo, CDC& dc, const RECT& area) {
    if (auto* procedure = dynamic_cast<ComboBoxProcedure*>(combo.procedure.get()))
        procedure->paintList(combo, dc, area, 0);
}

}  // namespace ui

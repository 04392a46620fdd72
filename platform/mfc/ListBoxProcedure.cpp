// The "ListBox" class: single selection, or multiple (LBS_MULTIPLESEL / LBS_EXTENDEDSEL) with a caret.
#include <algorithm>

#include "platform/mfc/ControlPainting.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/ItemList.h"
#include "platform/mfc/StandardClasses.h"

namespace ui {
namespace {

class ListBoxProcedure : public WindowProcedure {
public:
    LRESULT handle(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        auto text = [&] { return lParam ? std::wstring(reinterpret_cast<LPCTSTR>(lParam)) : std::wstring(); };
        auto index = static_cast<int>(static_cast<std::intptr_t>(wParam));
        switch (message) {
            case LB_ADDSTRING: {
                int at = m_items.add(text(), (w.style & LBS_SORT) != 0);
                if (m_caret >= at)
                    ++m_caret;
                return at;
            }
            case LB_INSERTSTRING: {
                int at = m_items.insert(index, text());
                if (at < 0)
                    return LB_ERR;
                if (m_caret >= at)
                    ++m_caret;
                return at;
            }
            case LB_DELETESTRING:
                if (!m_items.remove(index))
                    return LB_ERR;
                if (m_caret == index)
                    m_caret = -1;
                else if (m_caret > index)
                    --m_caret;
                return m_items.count();
            case LB_RESETCONTENT:
                m_items.clear();
                m_caret = -1;
                return 0;
            case LB_GETCOUNT:
                return m_items.count();
            case LB_GETCURSEL:
                return m_caret;
            case LB_SETCURSEL:
                if (isMultiple(w))
                    return LB_ERR;  // as in Win32: multiple-selection boxes use LB_SETSEL
                m_caret = m_items.valid(index) ? index : -1;
                return m_caret < 0 && index != -1 ? LB_ERR : m_caret;
            case LB_GETSEL:
                if (!m_items.valid(index))
                    return LB_ERR;
                return isMultiple(w) ? m_items.at(index).selected : index == m_caret;
            case LB_SETSEL: {
                if (!isMultiple(w))
                    return LB_ERR;
                int which = static_cast<int>(lParam);
                if (which == -1) {
                    for (int i = 0; i < m_items.count(); ++i)
                        m_items.at(i).selected = wParam != 0;
                    return 0;
                }
                if (!m_items.valid(which))
                    return LB_ERR;
                m_items.at(which).selected = wParam != 0;
                m_caret = which;
                return 0;
            }
            case LB_GETSELCOUNT: {
                if (!isMultiple(w))
                    return LB_ERR;
                int n = 0;
                for (int i = 0; i < m_items.count(); ++i)
                    n += m_items.at(i).selected ? 1 : 0;
                return n;
            }
            case LB_GETSELITEMS: {
                if (!isMultiple(w))
                    return LB_ERR;
                auto* out = reinterpret_cast<int*>(lParam);
                int n = 0;
                for (int i = 0; i < m_items.count() && n < index; ++i)
                    if (m_items.at(i).selected) {
                        if (out)
                            out[n] = i;
                        ++n;
                    }
                return n;
            }
            case LB_GETTEXT: {
                const long length = m_items.copyText(index, reinterpret_cast<LPTSTR>(lParam));
                return length < 0 ? LB_ERR : static_cast<LRESULT>(length);
            }
            case LB_GETTEXTLEN:
                return m_items.valid(index) ? static_cast<LRESULT>(m_items.at(index).text.size()) : LB_ERR;
            case LB_FINDSTRING:
                return m_items.find(index, text(), false);
            case LB_FINDSTRINGEXACT:
                return m_items.find(index, text(), true);
            case LB_SELECTSTRING: {
                int found = m_items.find(index, text(), false);
                if (found < 0 || isMultiple(w))
                    return LB_ERR;
                m_caret = found;
                return found;
            }
            case LB_GETITEMDATA:
                return m_items.valid(index) ? static_cast<LRESULT>(m_items.at(index).data) : LB_ERR;
            case LB_SETITEMDATA:
                if (!m_items.valid(index))
                    return LB_ERR;
                m_items.at(index).data = static_cast<DWORD_PTR>(lParam);
                return TRUE;
            case LB_GETTOPINDEX:
                return m_top;
            case LB_SETTOPINDEX:
                if (!m_items.valid(index) && index != 0)
                    return LB_ERR;
                m_top = index;
                return 0;
            case WM_PAINT:
                paint(w);
                return 0;
            case WM_GETDLGCODE:
                return DLGC_WANTARROWS | DLGC_WANTCHARS;
            case WM_KEYDOWN:
                if ((wParam == VK_DOWN || wParam == VK_UP) && !isMultiple(w)) {
                    int next = m_caret < 0 ? 0 : m_caret + (wParam == VK_DOWN ? 1 : -1);
                    if (m_items.valid(next))
                        selectAsUser(w, next);
                }
                return 0;
            case WM_LBUTTONDOWN:
                setFocus(w.handle);
                return 0;
            case WM_LBUTTONDBLCLK:
                if (w.style & LBS_NOTIFY)
                    notifyParent(w, LBN_DBLCLK);
                return 0;
            case WM_SETFOCUS:
                if (w.style & LBS_NOTIFY)
                    notifyParent(w, LBN_SETFOCUS);
                return 0;
            case WM_KILLFOCUS:
                if (w.style & LBS_NOTIFY)
                    notifyParent(w, LBN_KILLFOCUS);
                return 0;
            default:
                return defaultWindowProc(w, message, wParam, lParam);
        }
    }

    std::vector<std::wstring> items(const Window&) const override { return m_items.texts(); }
    int selection(const Window&) const override { return m_caret; }

    // Single selection: the item becomes the selection. Multiple: the item's selection toggles.
    bool selectAsUser(Window& w, int index) override {
        if (!m_items.valid(index))
            return false;
        if (isMultiple(w))
            m_items.at(index).selected = !m_items.at(index).selected;
        m_caret = index;
        if (w.style & LBS_NOTIFY)
            notifyParent(w, LBN_SELCHANGE);
        return true;
    }

    std::wstring describe(const Window& w) const override {
        std::wstring out = L"items=" + std::to_wstring(m_items.count()) + L" sel=";
        if (!isMultiple(w))
            return out + std::to_wstring(m_caret);
        std::wstring list;
        for (int i = 0; i < m_items.count(); ++i)
            if (m_items.at(i).selected)
                list += (list.empty() ? L"" : L",") + std::to_wstring(i);
        return out + L"{" + list + L"}";
    }

private:
    void paint(Window& w) {
        CPaintDC dc(w.wnd);
        ControlFont font(dc, w);
        const RECT client = w.clientRect();
        ListLook look;
        look.itemHeight = lineHeightOf(w);
        const int rows = std::max(1, static_cast<int>(client.bottom) / look.itemHeight);
        // A single-selection box scrolls its selection into view, as LB_SETCURSEL does.
        if (!isMultiple(w) && m_items.valid(m_caret)) {
            if (m_caret < m_top)
                m_top = m_caret;
            else if (m_caret >= m_top + rows)
                m_top = m_caret - rows + 1;
        }
        m_top = std::clamp(m_top, 0, std::max(0, m_items.count() - 1));
        look.top = m_top;
        look.enabled = w.isEnabled();
        look.focus = hasFocus(w) ? std::max(m_caret, isMultiple(w) ? -1 : 0) : -1;
        std::vector<bool> selected(static_cast<std::size_t>(m_items.count()), false);
        for (int i = 0; i < m_items.count(); ++i)
            selected[static_cast<std::size_t>(i)] = isMultiple(w) ? m_items.at(i).selected : i == m_caret;
        if (!(w.style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) {
            drawListItems(dc, m_items.texts(), selected, client, look);
            return;
        }
        dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
        for (int i = m_top; i < m_items.count(); ++i) {
            const int top = (i - m_top) * look.itemHeight;
            if (top >= client.bottom)
                break;
            const UINT state = (selected[static_cast<std::size_t>(i)] ? ODS_SELECTED : 0) |
                               (i == look.focus ? ODS_FOCUS : 0);
            askParentToDraw(w, dc, ODT_LISTBOX, i, {0, top, client.right, top + look.itemHeight}, state,
                            m_items.at(i).data);
        }
    }

    static bool isMultiple(const Window& w) { return (w.style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

    ItemList m_items;
    int m_caret = -1;
    int m_top = 0;  // the first item shown
};

}  // namespace

std::unique_ptr<WindowProcedure> makeListBoxProcedure() {
    return std::make_unique<ListBoxProcedure>();
}

}  // namespace ui

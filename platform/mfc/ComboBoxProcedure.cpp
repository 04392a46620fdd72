// The "ComboBox" class. A drop-down list shows the selected item's text; a drop-down (or simple) combo
// has an edit part whose text is the window text.
//
// NOTE: as in Win32, during CBN_SELCHANGE the edit part of a CBS_DROPDOWN combo still shows the old
// text; handlers read the new one with GetLBText(GetCurSel()).
#include <algorithm>
#include <cwctype>

#include "platform/mfc/ItemList.h"
#include "platform/mfc/StandardClasses.h"

namespace ui {
namespace {

class ComboBoxProcedure : public WindowProcedure {
public:
    LRESULT handle(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        auto text = [&] { return lParam ? std::wstring(reinterpret_cast<LPCTSTR>(lParam)) : std::wstring(); };
        auto index = static_cast<int>(static_cast<std::intptr_t>(wParam));
        switch (message) {
        case CB_ADDSTRING: {
            int at = m_items.add(text(), (w.style & CBS_SORT) != 0);
            if (m_selection >= at) ++m_selection;
            return at;
        }
        case CB_INSERTSTRING: {
            int at = m_items.insert(index, text());
            if (at < 0) return CB_ERR;
            if (m_selection >= at) ++m_selection;
            return at;
        }
        case CB_DELETESTRING:
            if (!m_items.remove(index)) return CB_ERR;
            if (m_selection == index) {
                m_selection = -1;
                if (isDropList(w)) w.text.clear();
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
            if (!m_items.valid(index)) return CB_ERR;
            const std::wstring& item = m_items.at(index).text;
            if (auto* buffer = reinterpret_cast<LPTSTR>(lParam)) {
                std::copy(item.begin(), item.end(), buffer);
                buffer[item.size()] = L'\0';
            }
            return static_cast<LRESULT>(item.size());
        }
        case CB_GETLBTEXTLEN:
            return m_items.valid(index) ? static_cast<LRESULT>(m_items.at(index).text.size()) : CB_ERR;
        case CB_FINDSTRING:
            return m_items.find(index, text(), false);
        case CB_FINDSTRINGEXACT:
            return m_items.find(index, text(), true);
        case CB_SELECTSTRING: {
            int found = m_items.find(index, text(), false);
            if (found < 0) return CB_ERR;
            select(w, found);
            return found;
        }
        case CB_GETITEMDATA:
            return m_items.valid(index) ? static_cast<LRESULT>(m_items.at(index).data) : CB_ERR;
        case CB_SETITEMDATA:
            if (!m_items.valid(index)) return CB_ERR;
            m_items.at(index).data = static_cast<DWORD_PTR>(lParam);
            return TRUE;
        case CB_SHOWDROPDOWN:
            m_dropped = wParam != 0 && !isSimple(w);
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return m_dropped;
        case CB_LIMITTEXT:
            m_limit = wParam == 0 ? 0x7FFFFFFE : static_cast<int>(wParam);
            return TRUE;
        case CB_GETEDITSEL:
            return isDropList(w) ? CB_ERR : static_cast<LRESULT>(MAKELONG(static_cast<WORD>(m_editStart), static_cast<WORD>(m_editEnd)));
        case EM_SETSEL:  // what the dialog manager sends when tabbing in
        case CB_SETEDITSEL: {
            if (isDropList(w)) return CB_ERR;
            int length = static_cast<int>(w.text.size());
            int start = message == EM_SETSEL ? static_cast<int>(static_cast<std::intptr_t>(wParam))
                                             : static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam)));
            int end = message == EM_SETSEL ? static_cast<int>(lParam) : static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam)));
            if (start < 0) start = length;
            if (end < 0 || end > length) end = length;
            m_editStart = std::min(start, end);
            m_editEnd = std::max(start, end);
            return TRUE;
        }
        case WM_SETTEXT: {
            std::wstring t = text();
            if (isDropList(w)) {
                // A drop-down list can only show one of its items.
                int found = m_items.find(-1, t, true);
                if (found < 0) return CB_ERR;
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
                if (m_selection < 0) next = 0;
                if (m_items.valid(next)) selectAsUser(w, next);
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
            notifyParent(w, CBN_KILLFOCUS);
            return 0;
        default:
            return defaultWindowProc(w, message, wParam, lParam);
        }
    }

    std::vector<std::wstring> items(const Window&) const override { return m_items.texts(); }
    int selection(const Window&) const override { return m_selection; }

    bool selectAsUser(Window& w, int index) override {
        if (!m_items.valid(index)) return false;
        HWND self = w.handle;
        bool dropDown = !isSimple(w);
        if (dropDown) {
            m_dropped = true;
            notifyParent(w, CBN_DROPDOWN);
            if (!windowFromHandle(self)) return true;
        }
        m_selection = index;
        if (isDropList(w)) w.text = m_items.at(index).text;
        notifyParent(w, CBN_SELENDOK);
        if (dropDown && windowFromHandle(self)) {
            m_dropped = false;
            notifyParent(w, CBN_CLOSEUP);
        }
        if (windowFromHandle(self)) notifyParent(w, CBN_SELCHANGE);
        // The edit part takes the chosen text after the selection change has been announced.
        if (windowFromHandle(self) && !isDropList(w) && m_items.valid(m_selection)) {
            w.text = m_items.at(m_selection).text;
            m_editStart = 0;
            m_editEnd = static_cast<int>(w.text.size());
        }
        return true;
    }

    std::wstring describe(const Window&) const override {
        std::wstring out = L"items=" + std::to_wstring(m_items.count()) + L" sel=" + std::to_wstring(m_selection);
        if (m_dropped) out += L" dropped";
        return out;
    }

private:
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
            if (ch < 0x20) return;
            int found = m_items.find(m_selection, std::wstring(1, ch), false);
            if (found >= 0 && found != m_selection) selectAsUser(w, found);
            return;
        }
        int length = static_cast<int>(w.text.size());
        m_editStart = std::clamp(m_editStart, 0, length);
        m_editEnd = std::clamp(m_editEnd, m_editStart, length);
        std::wstring insert;
        if (ch == L'\b') {
            if (m_editStart == m_editEnd && m_editStart > 0) --m_editStart;
            if (m_editStart == m_editEnd) return;
        } else if (ch < 0x20) {
            return;
        } else {
            insert.assign(1, ch);
            if (length - (m_editEnd - m_editStart) + 1 > m_limit) return;
        }
        w.text.replace(static_cast<std::size_t>(m_editStart), static_cast<std::size_t>(m_editEnd - m_editStart), insert);
        m_editStart = m_editEnd = m_editStart + static_cast<int>(insert.size());
        HWND self = w.handle;
        notifyParent(w, CBN_EDITUPDATE);
        if (windowFromHandle(self)) notifyParent(w, CBN_EDITCHANGE);
    }

    ItemList m_items;
    int m_selection = -1;
    bool m_dropped = false;
    int m_editStart = 0;
    int m_editEnd = 0;
    int m_limit = 0x7FFFFFFE;
};

}  // namespace

std::unique_ptr<WindowProcedure> makeComboBoxProcedure() { return std::make_unique<ComboBoxProcedure>(); }

}  // namespace ui

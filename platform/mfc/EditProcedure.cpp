// The "Edit" class: text with a selection. Every change of the text through the window (WM_SETTEXT,
// EM_REPLACESEL, typing) sends EN_UPDATE then EN_CHANGE to the parent, as Win32's edit control does.
#include <algorithm>
#include <cwctype>

#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/StandardClasses.h"

namespace ui {
namespace {

constexpr int kDefaultLimit = 30000;

class EditProcedure : public WindowProcedure {
public:
    LRESULT handle(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_SETTEXT: {
            std::wstring text = lParam ? reinterpret_cast<LPCTSTR>(lParam) : L"";
            w.text = text;
            m_start = m_end = 0;
            m_modified = false;
            changed(w);
            return TRUE;
        }
        case EM_GETSEL: {
            clamp(w);
            if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(m_start);
            if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(m_end);
            return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(std::min(m_start, 0xFFFF)), static_cast<WORD>(std::min(m_end, 0xFFFF))));
        }
        case EM_SETSEL: {
            int start = static_cast<int>(static_cast<std::intptr_t>(wParam));
            int end = static_cast<int>(lParam);
            int length = static_cast<int>(w.text.size());
            if (start == -1) {
                // -1 removes the selection and leaves the caret where it was.
                clamp(w);
                m_start = m_end;
                return 0;
            }
            if (end < 0 || end > length) end = length;
            start = std::clamp(start, 0, length);
            if (start > end) std::swap(start, end);
            m_start = start;
            m_end = end;
            return 0;
        }
        case EM_REPLACESEL:
            replaceSelection(w, lParam ? reinterpret_cast<LPCTSTR>(lParam) : L"", false);
            return 0;
        case EM_GETMODIFY:
            return m_modified;
        case EM_SETMODIFY:
            m_modified = wParam != 0;
            return 0;
        case EM_GETLINECOUNT:
            return 1 + std::count(w.text.begin(), w.text.end(), L'\n');
        case EM_SETREADONLY:
            if (wParam) w.style |= ES_READONLY;
            else w.style &= ~ES_READONLY;
            return TRUE;
        case EM_LIMITTEXT:
            m_limit = wParam == 0 ? 0x7FFFFFFE : static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFE));
            return 0;
        case WM_GETDLGCODE: {
            LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
            // A multi-line edit with ES_WANTRETURN keeps Return for a new line; Escape still goes to
            // the dialog.
            const MSG* asked = reinterpret_cast<const MSG*>(lParam);
            bool returnKey = asked && asked->message == WM_KEYDOWN && asked->wParam == VK_RETURN;
            if ((w.style & ES_MULTILINE) && (w.style & ES_WANTRETURN) && returnKey) code |= DLGC_WANTALLKEYS;
            return code;
        }
        case WM_CHAR:
            typed(w, static_cast<wchar_t>(wParam));
            return 0;
        case WM_KEYDOWN:
            keyDown(w, static_cast<UINT>(wParam));
            return 0;
        case WM_LBUTTONDOWN:
            setFocus(w.handle);
            return 0;
        case WM_SETFOCUS:
            notifyParent(w, EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            notifyParent(w, EN_KILLFOCUS);
            return 0;
        default:
            return defaultWindowProc(w, message, wParam, lParam);
        }
    }

    std::wstring describe(const Window& w) const override {
        std::wstring out;
        if (w.style & ES_READONLY) out = L"readonly";
        if (m_start != m_end) out += (out.empty() ? L"" : L" ") + (L"sel=" + std::to_wstring(m_start) + L"-" + std::to_wstring(m_end));
        return out;
    }

private:
    void clamp(const Window& w) {
        int length = static_cast<int>(w.text.size());
        m_start = std::clamp(m_start, 0, length);
        m_end = std::clamp(m_end, m_start, length);
    }

    void changed(Window& w) {
        HWND self = w.handle;
        notifyParent(w, EN_UPDATE);
        if (windowFromHandle(self)) notifyParent(w, EN_CHANGE);
    }

    void replaceSelection(Window& w, std::wstring text, bool byUser) {
        clamp(w);
        int room = m_limit - static_cast<int>(w.text.size()) + (m_end - m_start);
        if (static_cast<int>(text.size()) > room) {
            text.resize(static_cast<std::size_t>(std::max(room, 0)));
            notifyParent(w, EN_MAXTEXT);
            if (text.empty()) return;
        }
        w.text.replace(static_cast<std::size_t>(m_start), static_cast<std::size_t>(m_end - m_start), text);
        m_start = m_end = m_start + static_cast<int>(text.size());
        if (byUser) m_modified = true;
        changed(w);
    }

    void typed(Window& w, wchar_t ch) {
        if (w.style & ES_READONLY) return;
        bool multiLine = (w.style & ES_MULTILINE) != 0;
        if (ch == L'\b') {
            clamp(w);
            if (m_start == m_end) {
                if (m_start == 0) return;
                --m_start;
            }
            replaceSelection(w, L"", true);
            return;
        }
        if (ch == L'\r') {
            if (multiLine) replaceSelection(w, L"\r\n", true);
            return;
        }
        if (ch == L'\t' || ch == 0x1B || ch < 0x20) return;  // control characters are not text
        if ((w.style & ES_NUMBER) && !std::iswdigit(ch)) return;
        if (w.style & ES_UPPERCASE) ch = static_cast<wchar_t>(std::towupper(ch));
        if (w.style & ES_LOWERCASE) ch = static_cast<wchar_t>(std::towlower(ch));
        replaceSelection(w, std::wstring(1, ch), true);
    }

    void keyDown(Window& w, UINT key) {
        clamp(w);
        int length = static_cast<int>(w.text.size());
        bool shift = isKeyDown(VK_SHIFT);
        switch (key) {
        case VK_DELETE:
            if (w.style & ES_READONLY) return;
            if (m_start == m_end) {
                if (m_end >= length) return;
                ++m_end;
            }
            replaceSelection(w, L"", true);
            return;
        // Shift extends the selection (leftwards from its start, rightwards from its end); without it
        // the caret moves and the selection goes.
        case VK_LEFT:
            if (shift) m_start = std::max(0, m_start - 1);
            else m_start = m_end = m_start == m_end ? std::max(0, m_start - 1) : m_start;
            return;
        case VK_RIGHT:
            if (shift) m_end = std::min(length, m_end + 1);
            else m_start = m_end = m_start == m_end ? std::min(length, m_end + 1) : m_end;
            return;
        case VK_HOME:
            m_start = 0;
            if (!shift) m_end = 0;
            return;
        case VK_END:
            m_end = length;
            if (!shift) m_start = length;
            return;
        default:
            return;
        }
    }

    int m_start = 0;
    int m_end = 0;
    bool m_modified = false;
    int m_limit = kDefaultLimit;
};

}  // namespace

std::unique_ptr<WindowProcedure> makeEditProcedure() { return std::make_unique<EditProcedure>(); }

}  // namespace ui

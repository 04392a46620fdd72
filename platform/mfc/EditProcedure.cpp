// The "Edit" class: text with a selection. Every change of the text through the window (WM_SETTEXT,
// EM_REPLACESEL, typing) sends EN_UPDATE then EN_CHANGE to the parent, as Win32's edit control does.
#include <algorithm>
#include <cwctype>

#include "platform/mfc/ControlPainting.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/StandardClasses.h"

namespace ui {
namespace {

constexpr int kDefaultLimit = 30000;
// The space between the field's border and its text.
constexpr int kMargin = 2;
constexpr wchar_t kPasswordBullet = L'\x25CF';

// The lines of a multi-line edit's text with where each starts in it ("\r\n" and "\n" end a line).
struct TextLine {
    int start;
    std::wstring text;
};

std::vector<TextLine> splitLines(const std::wstring& text) {
    std::vector<TextLine> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L'\n', start);
        std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        lines.push_back({static_cast<int>(start), line});
        if (end == std::wstring::npos)
            return lines;
        start = end + 1;
    }
}

// The lines a multi-line edit shows at `width`: each paragraph broken after the last space that lets
// the line fit (inside a word too long for a line of its own), the spaces staying at the line's end.
std::vector<TextLine> wrapLines(const CDC& dc, const std::vector<TextLine>& paragraphs, int width) {
    auto fits = [&](const std::wstring& text) { return dc.GetTextExtent(CString(text)).cx <= width; };
    std::vector<TextLine> lines;
    for (const TextLine& paragraph : paragraphs) {
        const std::wstring& text = paragraph.text;
        std::size_t from = 0;
        do {
            std::size_t end = from;
            while (end < text.size()) {
                std::size_t next = text.find(L' ', end);
                next = next == std::wstring::npos ? text.size() : next + 1;
                if (!fits(text.substr(from, next - from)) && end > from)
                    break;
                if (!fits(text.substr(from, next - from))) {
                    // A word wider than the line: as many characters as fit, at least one.
                    next = from + 1;
                    while (next < text.size() && fits(text.substr(from, next + 1 - from)))
                        ++next;
                    end = next;
                    break;
                }
                end = next;
            }
            lines.push_back({paragraph.start + static_cast<int>(from), text.substr(from, end - from)});
            from = end;
        } while (from < text.size());
    }
    return lines;
}

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
                if (wParam)
                    *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(m_start);
                if (lParam)
                    *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(m_end);
                return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(std::min(m_start, 0xFFFF)),
                                                     static_cast<WORD>(std::min(m_end, 0xFFFF))));
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
                if (end < 0 || end > length)
                    end = length;
                start = std::clamp(start, 0, length);
                if (start > end)
                    std::swap(start, end);
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
                if (wParam)
                    w.style |= ES_READONLY;
                else
                    w.style &= ~ES_READONLY;
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
                if ((w.style & ES_MULTILINE) && (w.style & ES_WANTRETURN) && returnKey)
                    code |= DLGC_WANTALLKEYS;
                return code;
            }
            case WM_PAINT:
                paint(w);
                return 0;
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
        if (w.style & ES_READONLY)
            out = L"readonly";
        if (m_start != m_end)
            out += (out.empty() ? L"" : L" ") +
                   (L"sel=" + std::to_wstring(m_start) + L"-" + std::to_wstring(m_end));
        return out;
    }

private:
    // A white field (the face colour when read-only or disabled) with its text; the selection shows
    // while the field has the focus (always with ES_NOHIDESEL).
    void paint(Window& w) {
        clamp(w);
        CPaintDC dc(w.wnd);
        ControlFont font(dc, w);
        const RECT client = w.clientRect();
        const bool grey = (w.style & ES_READONLY) || !w.isEnabled();
        dc.FillSolidRect(&client, GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
        const RECT area{client.left + kMargin, client.top + 1, client.right - kMargin, client.bottom - 1};
        const UINT align = (w.style & ES_CENTER) ? DT_CENTER : (w.style & ES_RIGHT) ? DT_RIGHT : DT_LEFT;
        FieldLine field;
        field.showSelection = hasFocus(w) || (w.style & ES_NOHIDESEL);
        field.enabled = w.isEnabled();
        if (!(w.style & ES_MULTILINE)) {
            field.text = (w.style & ES_PASSWORD) ? maskedText(w.text, kPasswordBullet) : w.text;
            field.selectionStart = m_start;
            field.selectionEnd = m_end;
            field.caret = m_end;
            drawFieldLine(dc, field, area, align | DT_VCENTER);
            return;
        }
        // Without ES_AUTOHSCROLL lines wrap at the field's width; with it each scrolls on its own.
        const std::vector<TextLine> paragraphs = splitLines(w.text);
        const std::vector<TextLine> lines =
            (w.style & ES_AUTOHSCROLL) ? paragraphs : wrapLines(dc, paragraphs, int(area.right - area.left));
        const int lineHeight = int(dc.GetTextExtent(CString(L"Xg")).cy);
        const int visible = std::max(1, int(area.bottom - area.top) / std::max(1, lineHeight));
        int caretLine = 0;
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].start <= m_end)
                caretLine = static_cast<int>(i);
        const int first = std::max(0, caretLine - visible + 1);
        for (int i = first; i < static_cast<int>(lines.size()) && i < first + visible + 1; ++i) {
            const TextLine& line = lines[static_cast<std::size_t>(i)];
            field.text = line.text;
            field.selectionStart = m_start - line.start;
            field.selectionEnd = m_end - line.start;
            field.caret = i == caretLine ? m_end - line.start : 0;
            const int top = int(area.top) + (i - first) * lineHeight;
            drawFieldLine(dc, field, {area.left, top, area.right, top + lineHeight}, align);
        }
    }

    void clamp(const Window& w) {
        int length = static_cast<int>(w.text.size());
        m_start = std::clamp(m_start, 0, length);
        m_end = std::clamp(m_end, m_start, length);
    }

    void changed(Window& w) {
        HWND self = w.handle;
        notifyParent(w, EN_UPDATE);
        if (windowFromHandle(self))
            notifyParent(w, EN_CHANGE);
    }

    void replaceSelection(Window& w, std::wstring text, bool byUser) {
        clamp(w);
        int room = m_limit - static_cast<int>(w.text.size()) + (m_end - m_start);
        if (static_cast<int>(text.size()) > room) {
            text.resize(static_cast<std::size_t>(std::max(room, 0)));
            notifyParent(w, EN_MAXTEXT);
            if (text.empty())
                return;
        }
        w.text.replace(static_cast<std::size_t>(m_start), static_cast<std::size_t>(m_end - m_start), text);
        m_start = m_end = m_start + static_cast<int>(text.size());
        if (byUser)
            m_modified = true;
        changed(w);
    }

    void typed(Window& w, wchar_t ch) {
        if (w.style & ES_READONLY)
            return;
        bool multiLine = (w.style & ES_MULTILINE) != 0;
        if (ch == L'\b') {
            clamp(w);
            if (m_start == m_end) {
                if (m_start == 0)
                    return;
                --m_start;
            }
            replaceSelection(w, L"", true);
            return;
        }
        if (ch == L'\r') {
            if (multiLine)
                replaceSelection(w, L"\r\n", true);
            return;
        }
        if (ch == L'\t' || ch == 0x1B || ch < 0x20)
            return;  // control characters are not text
        if ((w.style & ES_NUMBER) && !std::iswdigit(ch))
            return;
        if (w.style & ES_UPPERCASE)
            ch = static_cast<wchar_t>(std::towupper(ch));
        if (w.style & ES_LOWERCASE)
            ch = static_cast<wchar_t>(std::towlower(ch));
        replaceSelection(w, std::wstring(1, ch), true);
    }

    void keyDown(Window& w, UINT key) {
        clamp(w);
        int length = static_cast<int>(w.text.size());
        bool shift = isKeyDown(VK_SHIFT);
        switch (key) {
            case VK_DELETE:
                if (w.style & ES_READONLY)
                    return;
                if (m_start == m_end) {
                    if (m_end >= length)
                        return;
                    ++m_end;
                }
                replaceSelection(w, L"", true);
                return;
            // Shift extends the selection (leftwards from its start, rightwards from its end); without it
            // the caret moves and the selection goes.
            case VK_LEFT:
                if (shift)
                    m_start = std::max(0, m_start - 1);
                else
                    m_start = m_end = m_start == m_end ? std::max(0, m_start - 1) : m_start;
                return;
            case VK_RIGHT:
                if (shift)
                    m_end = std::min(length, m_end + 1);
                else
                    m_start = m_end = m_start == m_end ? std::min(length, m_end + 1) : m_end;
                return;
            case VK_HOME:
                m_start = 0;
                if (!shift)
                    m_end = 0;
                return;
            case VK_END:
                m_end = length;
                if (!shift)
                    m_start = length;
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

std::unique_ptr<WindowProcedure> makeEditProcedure() {
    return std::make_unique<EditProcedure>();
}

}  // namespace ui

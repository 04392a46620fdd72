// The "Button" class: push buttons, check boxes, radio buttons, 3-state boxes and group boxes.
#include "platform/mfc/StandardClasses.h"

#include "platform/mfc/CPoint.h"

namespace ui {
namespace {

DWORD kind(const Window& w) { return w.style & BS_TYPEMASK; }

bool isCheckKind(DWORD k) {
    return k == BS_CHECKBOX || k == BS_AUTOCHECKBOX || k == BS_RADIOBUTTON || k == BS_AUTORADIOBUTTON ||
           k == BS_3STATE || k == BS_AUTO3STATE;
}

bool isRadioKind(DWORD k) { return k == BS_RADIOBUTTON || k == BS_AUTORADIOBUTTON; }

class ButtonProcedure : public WindowProcedure {
public:
    LRESULT handle(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case BM_GETCHECK:
            return isCheckKind(kind(w)) ? m_check : BST_UNCHECKED;
        case BM_SETCHECK: {
            if (!isCheckKind(kind(w))) return 0;
            int check = static_cast<int>(wParam);
            // Only 3-state boxes have a third state; Win32 treats other values as checked.
            bool threeState = kind(w) == BS_3STATE || kind(w) == BS_AUTO3STATE;
            m_check = check == BST_INDETERMINATE && threeState ? BST_INDETERMINATE : (check ? BST_CHECKED : BST_UNCHECKED);
            return 0;
        }
        case BM_GETSTATE:
            return (isCheckKind(kind(w)) ? m_check : 0) | (m_pushed ? 0x0004 : 0) | (focused(w) ? 0x0008 : 0);
        case BM_SETSTATE:
            m_pushed = wParam != 0;
            return 0;
        case BM_SETSTYLE:
            w.style = (w.style & ~0xFFFFu) | (static_cast<DWORD>(wParam) & 0xFFFFu);
            return 0;
        case BM_CLICK:
            if (!w.acceptsInput()) return 0;
            sendMessage(w.handle, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            sendMessage(w.handle, WM_LBUTTONUP, 0, 0);
            return 0;
        case BM_SETIMAGE: {
            HANDLE& slot = wParam == IMAGE_ICON ? m_icon : m_bitmap;
            HANDLE old = slot;
            slot = reinterpret_cast<HANDLE>(lParam);
            return reinterpret_cast<LRESULT>(old);
        }
        case BM_GETIMAGE:
            return reinterpret_cast<LRESULT>(wParam == IMAGE_ICON ? m_icon : m_bitmap);
        case WM_GETDLGCODE: {
            DWORD k = kind(w);
            if (k == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
            if (k == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
            if (isRadioKind(k)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
            if (k == BS_GROUPBOX) return DLGC_STATIC;
            return DLGC_BUTTON;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (kind(w) == BS_GROUPBOX) return 0;  // group boxes let clicks through
            m_pushed = true;
            setFocus(w.handle);
            setCapture(w.handle);
            if (message == WM_LBUTTONDBLCLK && (w.style & BS_NOTIFY)) notifyParent(w, BN_DOUBLECLICKED);
            return 0;
        case WM_LBUTTONUP: {
            if (!m_pushed) return 0;
            m_pushed = false;
            if (captureWindow() == w.handle) setCapture(nullptr);
            RECT client = w.clientRect();
            CPoint at(lParam);
            // A release outside the button cancels the click, except the synthetic one of BM_CLICK.
            bool inside = lParam == 0 || (at.x >= 0 && at.y >= 0 && at.x < client.right && at.y < client.bottom);
            if (inside) clicked(w);
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) m_pushed = true;
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && m_pushed) {
                m_pushed = false;
                clicked(w);
            }
            return 0;
        case WM_SETFOCUS:
            if (w.style & BS_NOTIFY) notifyParent(w, BN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            m_pushed = false;
            if (w.style & BS_NOTIFY) notifyParent(w, BN_KILLFOCUS);
            return 0;
        default:
            return defaultWindowProc(w, message, wParam, lParam);
        }
    }

    int checkState(const Window& w) const override { return isCheckKind(kind(w)) ? m_check : -1; }

    std::wstring describe(const Window& w) const override {
        std::wstring out;
        if (isCheckKind(kind(w))) out = m_check == BST_CHECKED ? L"checked" : m_check == BST_INDETERMINATE ? L"indeterminate" : L"unchecked";
        if (m_icon) out += out.empty() ? L"icon" : L" icon";
        if (m_bitmap) out += out.empty() ? L"bitmap" : L" bitmap";
        return out;
    }

private:
    static bool focused(const Window& w) { return focusWindow() == w.handle; }

    void clicked(Window& w) {
        HWND self = w.handle;
        switch (kind(w)) {
        case BS_AUTOCHECKBOX:
            m_check = m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
            break;
        case BS_AUTO3STATE:
            m_check = (m_check + 1) % 3;
            break;
        case BS_AUTORADIOBUTTON:
            checkRadioInGroup(w);
            break;
        default:
            break;
        }
        if (windowFromHandle(self)) notifyParent(w, BN_CLICKED);
    }

    // Checks this auto radio button and clears the other auto radio buttons of its group (from the
    // nearest WS_GROUP control at or before it up to the next WS_GROUP control).
    void checkRadioInGroup(Window& w) {
        m_check = BST_CHECKED;
        if (!w.parent) return;
        auto& kids = w.parent->children;
        std::size_t at = 0;
        while (at < kids.size() && kids[at] != &w) ++at;
        std::size_t first = at;
        while (first > 0 && !(kids[first]->style & WS_GROUP)) --first;
        std::size_t last = at + 1;
        while (last < kids.size() && !(kids[last]->style & WS_GROUP)) ++last;
        for (std::size_t i = first; i < last; ++i) {
            Window* other = kids[i];
            if (other == &w || other->className != w.className || (other->style & BS_TYPEMASK) != BS_AUTORADIOBUTTON) continue;
            sendMessage(other->handle, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }

    int m_check = BST_UNCHECKED;
    bool m_pushed = false;
    HANDLE m_icon = nullptr;
    HANDLE m_bitmap = nullptr;
};

}  // namespace

std::unique_ptr<WindowProcedure> makeButtonProcedure() { return std::make_unique<ButtonProcedure>(); }

}  // namespace ui

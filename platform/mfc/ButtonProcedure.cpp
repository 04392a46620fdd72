// The "Button" class: push buttons, check boxes, radio buttons, 3-state boxes and group boxes.
#include "platform/mfc/StandardClasses.h"

#include <algorithm>

#include "platform/mfc/CPoint.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/ClassicLook.h"
#include "platform/mfc/ControlPainting.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"

namespace ui {
namespace {

DWORD kind(const Window& w) {
    return w.style & BS_TYPEMASK;
}

bool isCheckKind(DWORD k) {
    return k == BS_CHECKBOX || k == BS_AUTOCHECKBOX || k == BS_RADIOBUTTON || k == BS_AUTORADIOBUTTON ||
           k == BS_3STATE || k == BS_AUTO3STATE;
}

bool isRadioKind(DWORD k) {
    return k == BS_RADIOBUTTON || k == BS_AUTORADIOBUTTON;
}

// The size of the box of a check box and of the circle of a radio button; the caption starts this far
// plus a small gap from the box.
constexpr int kCheckSize = 13;
constexpr int kRadioSize = 12;
constexpr int kCaptionGap = 4;

// Where a caption sits in its rectangle: BS_LEFT / BS_RIGHT / BS_CENTER and BS_TOP / BS_BOTTOM /
// BS_VCENTER, with the kind's own default (push buttons centre, boxes keep left).
UINT captionFormat(DWORD style, bool pushLike) {
    UINT format = 0;
    const DWORD horizontal = style & BS_CENTER;
    if (horizontal == BS_CENTER || (horizontal == 0 && pushLike))
        format |= DT_CENTER;
    else if (horizontal == BS_RIGHT)
        format |= DT_RIGHT;
    if (style & BS_MULTILINE)
        return format | DT_WORDBREAK;
    format |= DT_SINGLELINE;
    const DWORD vertical = style & BS_VCENTER;
    if (vertical == BS_TOP)
        return format;
    if (vertical == BS_BOTTOM)
        return format | DT_BOTTOM;
    return format | DT_VCENTER;
}

// The rectangle DrawText fills with the caption (for the focus rectangle around a box's text).
RECT captionExtent(CDC& dc, const CString& text, const RECT& box, UINT format) {
    RECT measured = box;
    dc.DrawText(text, &measured, (format & ~(DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
    const LONG width = std::min(measured.right - measured.left, box.right - box.left);
    const LONG height = std::min(measured.bottom - measured.top, box.bottom - box.top);
    RECT out{box.left, box.top, box.left + width, box.top + height};
    if (format & DT_CENTER)
        out.left = box.left + (box.right - box.left - width) / 2;
    else if (format & DT_RIGHT)
        out.left = box.right - width;
    if (format & DT_VCENTER)
        out.top = box.top + (box.bottom - box.top - height) / 2;
    else if (format & DT_BOTTOM)
        out.top = box.bottom - height;
    out.right = out.left + width;
    out.bottom = out.top + height;
    return out;
}

class ButtonProcedure : public WindowProcedure {
public:
    LRESULT handle(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case BM_GETCHECK:
                return isCheckKind(kind(w)) ? m_check : BST_UNCHECKED;
            case BM_SETCHECK: {
                if (!isCheckKind(kind(w)))
                    return 0;
                int check = static_cast<int>(wParam);
                // Only 3-state boxes have a third state; Win32 treats other values as checked.
                bool threeState = kind(w) == BS_3STATE || kind(w) == BS_AUTO3STATE;
                m_check = check == BST_INDETERMINATE && threeState ? BST_INDETERMINATE
                                                                   : (check ? BST_CHECKED : BST_UNCHECKED);
                return 0;
            }
            case BM_GETSTATE:
                return (isCheckKind(kind(w)) ? m_check : 0) | (m_pushed ? 0x0004 : 0) |
                       (focused(w) ? 0x0008 : 0);
            case BM_SETSTATE:
                m_pushed = wParam != 0;
                return 0;
            case BM_SETSTYLE:
                w.style = (w.style & ~0xFFFFu) | (static_cast<DWORD>(wParam) & 0xFFFFu);
                return 0;
            case BM_CLICK:
                if (!w.acceptsInput())
                    return 0;
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
            case WM_PAINT:
                paint(w);
                return 0;
            case WM_GETDLGCODE: {
                DWORD k = kind(w);
                if (k == BS_DEFPUSHBUTTON)
                    return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
                if (k == BS_PUSHBUTTON)
                    return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
                if (isRadioKind(k))
                    return DLGC_BUTTON | DLGC_RADIOBUTTON;
                if (k == BS_GROUPBOX)
                    return DLGC_STATIC;
                return DLGC_BUTTON;
            }
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                if (kind(w) == BS_GROUPBOX)
                    return 0;  // group boxes let clicks through
                m_pushed = true;
                setFocus(w.handle);
                setCapture(w.handle);
                if (message == WM_LBUTTONDBLCLK && (w.style & BS_NOTIFY))
                    notifyParent(w, BN_DOUBLECLICKED);
                return 0;
            case WM_LBUTTONUP: {
                if (!m_pushed)
                    return 0;
                m_pushed = false;
                if (captureWindow() == w.handle)
                    setCapture(nullptr);
                RECT client = w.clientRect();
                CPoint at(lParam);
                // A release outside the button cancels the click, except the synthetic one of BM_CLICK.
                bool inside =
                    lParam == 0 || (at.x >= 0 && at.y >= 0 && at.x < client.right && at.y < client.bottom);
                if (inside)
                    clicked(w);
                return 0;
            }
            case WM_KEYDOWN:
                if (wParam == VK_SPACE)
                    m_pushed = true;
                return 0;
            case WM_KEYUP:
                if (wParam == VK_SPACE && m_pushed) {
                    m_pushed = false;
                    clicked(w);
                }
                return 0;
            case WM_SETFOCUS:
                if (w.style & BS_NOTIFY)
                    notifyParent(w, BN_SETFOCUS);
                return 0;
            case WM_KILLFOCUS:
                m_pushed = false;
                if (w.style & BS_NOTIFY)
                    notifyParent(w, BN_KILLFOCUS);
                return 0;
            default:
                return defaultWindowProc(w, message, wParam, lParam);
        }
    }

    int checkState(const Window& w) const override { return isCheckKind(kind(w)) ? m_check : -1; }

    std::wstring describe(const Window& w) const override {
        std::wstring out;
        if (isCheckKind(kind(w)))
            out = m_check == BST_CHECKED         ? L"checked"
                  : m_check == BST_INDETERMINATE ? L"indeterminate"
                                                 : L"unchecked";
        if (m_icon)
            out += out.empty() ? L"icon" : L" icon";
        if (m_bitmap)
            out += out.empty() ? L"bitmap" : L" bitmap";
        return out;
    }

private:
    static bool focused(const Window& w) { return focusWindow() == w.handle; }

    void paint(Window& w) const {
        CPaintDC dc(w.wnd);
        const DWORD k = kind(w);
        if (k == BS_OWNERDRAW) {
            askParentToDraw(w, dc, ODT_BUTTON, 0, w.clientRect(),
                            (m_pushed ? ODS_SELECTED : 0) | (focused(w) ? ODS_FOCUS : 0));
            return;
        }
        ControlFont font(dc, w);
        if (k == BS_GROUPBOX)
            paintGroupBox(w, dc);
        else if (isCheckKind(k) && !(w.style & BS_PUSHLIKE))
            paintBox(w, dc);
        else
            paintPushButton(w, dc);
    }

    void paintPushButton(Window& w, CDC& dc) const {
        const bool pressed = m_pushed || (isCheckKind(kind(w)) && m_check == BST_CHECKED);
        const RECT content =
            classic::drawPushButton(dc, w.clientRect(), pressed, kind(w) == BS_DEFPUSHBUTTON);
        const UINT format = captionFormat(w.style, true);
        if (!paintPicture(w, dc, content, format))
            classic::drawControlText(dc, CString(w.text),
                                     {content.left + 1, content.top, content.right - 1, content.bottom},
                                     format, w.isEnabled());
        if (focused(w)) {
            const RECT ring = w.clientRect();
            const int in = kind(w) == BS_DEFPUSHBUTTON ? 4 : 3;
            const RECT focus{ring.left + in, ring.top + in, ring.right - in, ring.bottom - in};
            dc.DrawFocusRect(&focus);
        }
    }

    // A button's picture (BS_ICON / BS_BITMAP with an image set) in place of its caption; false
    // when it has none.
    bool paintPicture(const Window& w, CDC& dc, const RECT& content, UINT format) const {
        const bool icon = (w.style & BS_ICON) && m_icon;
        if (!icon && !((w.style & BS_BITMAP) && m_bitmap))
            return false;
        HANDLE picture = icon ? m_icon : m_bitmap;
        const CSize size = pictureSize(picture);
        int x = content.left + (content.right - content.left - size.cx) / 2;
        if (!(format & DT_CENTER))
            x = format & DT_RIGHT ? content.right - size.cx - 2 : content.left + 2;
        const int y = content.top + (content.bottom - content.top - size.cy) / 2;
        drawPicture(dc, picture, icon, x, y);
        return true;
    }

    void paintBox(Window& w, CDC& dc) const {
        const RECT client = w.clientRect();
        dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
        const bool radio = isRadioKind(kind(w));
        const int size = radio ? kRadioSize : kCheckSize;
        const bool leftText = (w.style & BS_LEFTTEXT) != 0;
        const int boxLeft = leftText ? int(client.right) - size : 0;
        const int boxTop = (int(client.bottom) - size) / 2;
        const RECT box{boxLeft, boxTop, boxLeft + size, boxTop + size};
        if (radio)
            classic::drawRadioButton(dc, box, m_check == BST_CHECKED, w.isEnabled(), m_pushed);
        else
            classic::drawCheckBox(dc, box, m_check, w.isEnabled(), m_pushed);
        RECT text = leftText ? RECT{0, 0, boxLeft - kCaptionGap, client.bottom}
                             : RECT{size + kCaptionGap, 0, client.right, client.bottom};
        const UINT format = captionFormat(w.style, false);
        if (paintPicture(w, dc, text, format))
            return;
        const CString caption(w.text);
        classic::drawControlText(dc, caption, text, format, w.isEnabled());
        if (focused(w) && !w.text.empty()) {
            RECT extent = captionExtent(dc, caption, text, format);
            extent = {extent.left - 1, extent.top, extent.right + 1, extent.bottom};
            extent.top = std::max<LONG>(extent.top - 1, 0);
            extent.bottom = std::min<LONG>(extent.bottom + 1, client.bottom);
            dc.DrawFocusRect(&extent);
        }
    }

    // The etched frame with the caption breaking its top line. Only the frame and the caption are
    // drawn: the controls inside sit on whatever lies beneath.
    static void paintGroupBox(Window& w, CDC& dc) {
        const RECT client = w.clientRect();
        const CString caption(w.text);
        const UINT format = DT_SINGLELINE | DT_LEFT | DT_TOP;
        RECT measured{0, 0, client.right, client.bottom};
        dc.DrawText(caption.GetLength() ? caption : CString(L"X"), &measured, format | DT_CALCRECT);
        const int textHeight = int(measured.bottom - measured.top);
        const RECT frame{client.left, client.top + textHeight / 2, client.right, client.bottom};
        classic::drawEdge(dc, frame, classic::Edge::Etched);
        if (caption.IsEmpty())
            return;
        constexpr int kIndent = 8;
        const int textWidth =
            std::min<int>(int(measured.right - measured.left), int(client.right) - 2 * kIndent);
        RECT gap{kIndent - 2, client.top, kIndent + textWidth + 2, client.top + textHeight};
        dc.FillSolidRect(&gap, GetSysColor(COLOR_BTNFACE));
        RECT text{kIndent, client.top, kIndent + textWidth, client.top + textHeight};
        classic::drawControlText(dc, caption, text, format, w.isEnabled());
    }

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
        if (windowFromHandle(self))
            notifyParent(w, BN_CLICKED);
    }

    // Checks this auto radio button and clears the other auto radio buttons of its group (from the
    // nearest WS_GROUP control at or before it up to the next WS_GROUP control).
    void checkRadioInGroup(Window& w) {
        m_check = BST_CHECKED;
        if (!w.parent)
            return;
        auto& kids = w.parent->children;
        std::size_t at = 0;
        while (at < kids.size() && kids[at] != &w)
            ++at;
        std::size_t first = at;
        while (first > 0 && !(kids[first]->style & WS_GROUP))
            --first;
        std::size_t last = at + 1;
        while (last < kids.size() && !(kids[last]->style & WS_GROUP))
            ++last;
        for (std::size_t i = first; i < last; ++i) {
            Window* other = kids[i];
            if (other == &w || other->className != w.className ||
                (other->style & BS_TYPEMASK) != BS_AUTORADIOBUTTON)
                continue;
            sendMessage(other->handle, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }

    int m_check = BST_UNCHECKED;
    bool m_pushed = false;
    HANDLE m_icon = nullptr;
    HANDLE m_bitmap = nullptr;
};

}  // namespace

std::unique_ptr<WindowProcedure> makeButtonProcedure() {
    return std::make_unique<ButtonProcedure>();
}

}  // namespace ui

// The "Static" class: labels, frames and pictures (icon or bitmap).
#include <cwctype>

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/ClassicLook.h"
#include "platform/mfc/ControlPainting.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/StandardClasses.h"

namespace ui {
namespace {

DWORD kind(const Window& w) {
    return w.style & SS_TYPEMASK;
}

bool isPictureKind(DWORD k) {
    return k == SS_ICON || k == SS_BITMAP;
}

// The DrawText format of a text static, as the system lays its kinds out.
UINT textFormat(DWORD style) {
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            format |= DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP:
            format |= DT_SINGLELINE;
            break;
        default:
            format |= DT_WORDBREAK;
            break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    if (style & SS_ENDELLIPSIS)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_END_ELLIPSIS;
    return format;
}

// A template names a static's picture by its text: a resource number ("9050" or "#9050") or name.
HANDLE loadTemplatePicture(const std::wstring& text, bool icon) {
    if (text.empty())
        return nullptr;
    std::wstring name = text[0] == L'#' ? text.substr(1) : text;
    bool number = !name.empty();
    for (wchar_t c : name)
        number = number && std::iswdigit(c);
    const UINT type = icon ? IMAGE_ICON : IMAGE_BITMAP;
    if (number)
        return LoadImage(nullptr, MAKEINTRESOURCE(std::stoi(name)), type, 0, 0, 0);
    return LoadImage(nullptr, name.c_str(), type, 0, 0, 0);
}

class StaticProcedure : public WindowProcedure {
public:
    LRESULT handle(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case STM_SETICON:
                return swap(m_icon, reinterpret_cast<HANDLE>(wParam));
            case STM_GETICON:
                return reinterpret_cast<LRESULT>(m_icon);
            case STM_SETIMAGE:
                return swap(wParam == IMAGE_ICON ? m_icon : m_bitmap, reinterpret_cast<HANDLE>(lParam));
            case STM_GETIMAGE:
                return reinterpret_cast<LRESULT>(wParam == IMAGE_ICON ? m_icon : m_bitmap);
            case WM_CREATE:
                if (isPictureKind(kind(w))) {
                    HANDLE picture = loadTemplatePicture(w.text, kind(w) == SS_ICON);
                    (kind(w) == SS_ICON ? m_icon : m_bitmap) = picture;
                }
                return defaultWindowProc(w, message, wParam, lParam);
            case WM_PAINT:
                paint(w);
                return 0;
            case WM_GETDLGCODE:
                return DLGC_STATIC;
            case WM_LBUTTONDOWN:
                if (w.style & SS_NOTIFY)
                    notifyParent(w, STN_CLICKED);
                return 0;
            case WM_LBUTTONDBLCLK:
                if (w.style & SS_NOTIFY)
                    notifyParent(w, STN_DBLCLK);
                return 0;
            default:
                return defaultWindowProc(w, message, wParam, lParam);
        }
    }

    std::wstring describe(const Window&) const override {
        if (m_bitmap)
            return L"bitmap";
        if (m_icon)
            return L"icon";
        return {};
    }

private:
    void paint(Window& w) const {
        CPaintDC dc(w.wnd);
        ControlFont font(dc, w);
        RECT client = w.clientRect();
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        auto fillClient = [&](int color) { dc.FillSolidRect(&client, GetSysColor(color)); };
        auto frameClient = [&](int color) { dc.Draw3dRect(&client, GetSysColor(color), GetSysColor(color)); };
        switch (kind(w)) {
            case SS_BLACKRECT:
                fillClient(COLOR_WINDOWFRAME);
                return;
            case SS_GRAYRECT:
                fillClient(COLOR_BTNSHADOW);
                return;
            case SS_WHITERECT:
                fillClient(COLOR_WINDOW);
                return;
            case SS_BLACKFRAME:
                frameClient(COLOR_WINDOWFRAME);
                return;
            case SS_GRAYFRAME:
                frameClient(COLOR_BTNSHADOW);
                return;
            case SS_WHITEFRAME:
                frameClient(COLOR_WINDOW);
                return;
            case SS_ETCHEDFRAME:
                classic::drawEdge(dc, client, classic::Edge::Etched);
                return;
            case SS_ETCHEDHORZ:
                dc.FillSolidRect(0, 0, client.right, 1, GetSysColor(COLOR_BTNSHADOW));
                dc.FillSolidRect(0, 1, client.right, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
                return;
            case SS_ETCHEDVERT:
                dc.FillSolidRect(0, 0, 1, client.bottom, GetSysColor(COLOR_BTNSHADOW));
                dc.FillSolidRect(1, 0, 1, client.bottom, GetSysColor(COLOR_BTNHIGHLIGHT));
                return;
            case SS_OWNERDRAW:
                askParentToDraw(w, dc, ODT_STATIC, 0, client, 0);
                return;
            default:
                break;
        }
        dc.FillSolidRect(&client, face);
        if (w.style & SS_SUNKEN)
            client = classic::drawEdge(dc, client, classic::Edge::SunkenThin);
        if (isPictureKind(kind(w))) {
            const bool icon = kind(w) == SS_ICON;
            HANDLE picture = icon ? m_icon : m_bitmap;
            const CSize size = pictureSize(picture);
            int x = client.left, y = client.top;
            if (w.style & SS_CENTERIMAGE) {
                x = (client.left + client.right - size.cx) / 2;
                y = (client.top + client.bottom - size.cy) / 2;
            }
            drawPicture(dc, picture, icon, x, y);
            return;
        }
        classic::drawControlText(dc, CString(w.text), client, textFormat(w.style), w.isEnabled());
    }

    static LRESULT swap(HANDLE& slot, HANDLE value) {
        HANDLE old = slot;
        slot = value;
        return reinterpret_cast<LRESULT>(old);
    }

    HANDLE m_icon = nullptr;
    HANDLE m_bitmap = nullptr;
};

}  // namespace

std::unique_ptr<WindowProcedure> makeStaticProcedure() {
    return std::make_unique<StaticProcedure>();
}

}  // namespace ui

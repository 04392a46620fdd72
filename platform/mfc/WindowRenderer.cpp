#include "platform/mfc/WindowRenderer.h"

#include <algorithm>
#include <cwchar>  // wcscasecmp
#include <memory>

#include "platform/mfc/ClassicLook.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/Window.h"

namespace ui {
namespace {

int widthOf(const RECT& r) {
    return int(r.right - r.left);
}

int heightOf(const RECT& r) {
    return int(r.bottom - r.top);
}

// Copies the device pixels of `from` at (x, y) of `to` (device coordinates), clipped to `to`.
void blit(const BitmapImage& from, BitmapImage& to, int x, int y) {
    const int top = std::max(0, -y), left = std::max(0, -x);
    const int bottom = std::min(from.height(), to.height() - y),
              right = std::min(from.width(), to.width() - x);
    for (int row = top; row < bottom; ++row)
        for (int column = left; column < right; ++column)
            to.setPixel(x + column, y + row, from.pixel(column, row));
}

BitmapImage cut(const BitmapImage& from, int x, int y, int width, int height) {
    BitmapImage out(std::max(0, width), std::max(0, height), GetSysColor(COLOR_BTNFACE));
    for (int row = 0; row < out.height(); ++row)
        for (int column = 0; column < out.width(); ++column)
            if (x + column >= 0 && y + row >= 0 && x + column < from.width() && y + row < from.height())
                out.setPixel(column, row, from.pixel(x + column, y + row));
    return out;
}

bool isDialog(const Window& window) {
    return window.className == L"#32770";
}

// Draws `window` (its frame, client and children) onto `canvas` with its top-left at the logical point
// (x, y). What lies beneath shows through wherever the window's handlers leave pixels alone.
void render(Window& window, BitmapImage& canvas, int x, int y, int scale) {
    const int width = widthOf(window.rect), height = heightOf(window.rect);
    if (width <= 0 || height <= 0)
        return;
    BitmapImage whole = cut(canvas, x * scale, y * scale, width * scale, height * scale);
    const RECT insets = frameInsets(window.style, window.exStyle);
    if (insets.left || insets.top || insets.right || insets.bottom) {
        CDC dc;
        dc.setSurface(std::shared_ptr<BitmapImage>(&whole, [](BitmapImage*) {}), scale);
        paintNonClient(window, dc);
    }
    const RECT client = window.clientRect();
    auto surface = std::make_shared<BitmapImage>(cut(whole, int(insets.left) * scale, int(insets.top) * scale,
                                                     widthOf(client) * scale, heightOf(client) * scale));
    // Dialogs and frames erase with the button face, as their classes' background brush does.
    if (isDialog(window) || !window.isChild())
        *surface = BitmapImage(surface->width(), surface->height(), GetSysColor(COLOR_BTNFACE));
    const HWND handle = window.handle;
    paintClient(handle, surface, scale);
    Window* alive = windowFromHandle(handle);
    if (!alive)
        return;
    // Children: the first in z-order is on top, so the last is drawn first.
    const std::vector<Window*> children = alive->children;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (windowFromHandle((*it)->handle) && (*it)->isVisible())
            render(**it, *surface, int((*it)->rect.left), int((*it)->rect.top), scale);
    blit(*surface, whole, int(insets.left) * scale, int(insets.top) * scale);
    blit(whole, canvas, x * scale, y * scale);
}

// Windows turns the thin border of a dialog's edit and list controls into a sunken client edge; the
// geometry here keeps the one-pixel border, drawn in the shadow colour so such fields read as fields.
bool isFieldClass(const std::wstring& name) {
    static const wchar_t* const fields[] = {L"Edit",        L"ListBox",     L"SysListView32",
                                            L"RichEdit20W", L"RichEdit20A", L"SysTreeView32"};
    for (const wchar_t* field : fields)
        if (wcscasecmp(name.c_str(), field) == 0)
            return true;
    return false;
}

bool ownedBy(const Window& popup, const Window& root) {
    for (const Window* owner = popup.owner; owner; owner = owner->owner ? owner->owner : owner->parent)
        if (owner == &root)
            return true;
    return false;
}

}  // namespace

void paintNonClient(const Window& window, CDC& dc) {
    const int width = widthOf(window.rect), height = heightOf(window.rect);
    RECT rect{0, 0, width, height};
    if (window.style & (WS_THICKFRAME | WS_DLGFRAME) || window.exStyle & WS_EX_DLGMODALFRAME)
        rect = classic::drawEdge(dc, rect, classic::Edge::WindowFrame);
    else if (window.style & WS_BORDER) {
        const COLORREF border = GetSysColor(
            window.isChild() && isFieldClass(window.className) ? COLOR_BTNSHADOW : COLOR_WINDOWFRAME);
        dc.Draw3dRect(&rect, border, border);
        rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
    if ((window.style & WS_CAPTION) == WS_CAPTION) {
        // The caption bar: 22 pixels of the caption colour over a line of the face colour.
        const RECT bar{rect.left, rect.top, rect.right, rect.top + 22};
        dc.FillSolidRect(bar.left, bar.bottom, widthOf(bar), 1, GetSysColor(COLOR_BTNFACE));
        const COLORREF from = GetSysColor(COLOR_ACTIVECAPTION), to = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
        const int span = std::max(1, widthOf(bar));
        for (int column = 0; column < widthOf(bar); ++column) {
            auto mix = [&](int shift) {
                const int a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
                return COLORREF((a + (b - a) * column / span) & 0xFF) << shift;
            };
            dc.FillSolidRect(bar.left + column, bar.top, 1, heightOf(bar), mix(0) | mix(8) | mix(16));
        }
        int textRight = bar.right - 4;
        if (window.style & WS_SYSMENU) {
            const RECT box{bar.right - 2 - 18, bar.top + 3, bar.right - 2, bar.top + 3 + 16};
            classic::drawPushButton(dc, box, false, false);
            classic::drawCloseGlyph(dc, box, GetSysColor(COLOR_BTNTEXT));
            textRight = box.left - 2;
        }
        LOGFONT captionFont = fontOrDefault(nullptr);
        captionFont.lfWeight = FW_BOLD;
        CFont font;
        font.CreateFontIndirect(&captionFont);
        CFont* previous = dc.SelectObject(&font);
        RECT title{bar.left + 5, bar.top, textRight, bar.bottom};
        classic::drawControlText(dc, CString(window.text), title,
                                 DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS, true,
                                 GetSysColor(COLOR_CAPTIONTEXT));
        dc.SelectObject(previous);
        rect.top = bar.bottom + 1;
    }
    if (window.exStyle & WS_EX_CLIENTEDGE)
        classic::drawEdge(dc, rect, classic::Edge::Sunken);
}

BitmapImage renderWindow(HWND hwnd, int scale) {
    Window* window = windowFromHandle(hwnd);
    if (!window)
        return {};
    scale = std::clamp(scale, 1, 8);
    BitmapImage canvas(widthOf(window->rect) * scale, heightOf(window->rect) * scale,
                       GetSysColor(COLOR_BTNFACE));
    render(*window, canvas, 0, 0, scale);
    // Pop-ups it owns, where they are on screen relative to it.
    const RECT origin = window->screenRect();
    for (HWND top : topLevelWindows()) {
        Window* popup = windowFromHandle(top);
        if (!popup || popup == window || !popup->isVisible() || !ownedBy(*popup, *window))
            continue;
        const RECT at = popup->screenRect();
        render(*popup, canvas, int(at.left - origin.left), int(at.top - origin.top), scale);
    }
    return canvas;
}

}  // namespace ui

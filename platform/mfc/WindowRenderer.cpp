#include "platform/mfc/WindowRenderer.h"

#include <algorithm>
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
void blit(const BitmapImage& from, BitmapImage& to, int x, int y)
{
    to.copy(from, 0, 0, from.width(), from.height(), x, y);
}

BitmapImage cut(const BitmapImage& from, int x, int y, int width, int height)
{
    BitmapImage out(std::max(0, width), std::max(0, height), GetSysColor(COLOR_BTNFACE));
    out.copy(from, x, y, out.width(), out.height(), 0, 0);
    return out;
}

bool isDialog(const Window& window) {
    return window.className == L"#32770";
}

// The most device pixels one window's picture may take: beyond it (a template of absurd size) the
// window is left out rather than the process running out of memory.
constexpr long long kMaxWindowPixels = 16LL << 20;
constexpr int kMaxPictureSide = 4096;

// Draws `window` (its frame, client and children) onto `canvas` with its top-left at the logical point
// (x, y). What lies beneath shows through wherever the window's handlers leave pixels alone.
void render(Window& window, BitmapImage& canvas, int x, int y, int scale) {
    // Only the part that can show on the canvas is drawn: a window is clipped to its parent.
    const int width = std::min(widthOf(window.rect), canvas.width() / scale - x);
    const int height = std::min(heightOf(window.rect), canvas.height() / scale - y);
    if (width <= 0 || height <= 0 || x + widthOf(window.rect) <= 0 || y + heightOf(window.rect) <= 0)
        return;
    if (static_cast<long long>(width) * height * scale * scale > kMaxWindowPixels)
        return;
    // A window that covers the whole canvas (the one being rendered) draws on it directly, and a
    // window without a frame draws its client area on its own picture: a large window then costs one
    // picture, not three.
    const bool onCanvas = x == 0 && y == 0 && canvas.width() == width * scale && canvas.height() == height * scale;
    BitmapImage cutOut;
    if (!onCanvas)
        cutOut = cut(canvas, x * scale, y * scale, width * scale, height * scale);
    BitmapImage& whole = onCanvas ? canvas : cutOut;
    const RECT insets = frameInsets(window.style, window.exStyle);
    const bool framed = insets.left || insets.top || insets.right || insets.bottom;
    if (framed) {
        CDC dc;
        dc.setSurface(std::shared_ptr<BitmapImage>(&whole, [](BitmapImage*) {}), scale);
        paintNonClient(window, dc);
    }
    const RECT client = window.clientRect();
    // The part of the client area on the picture (device pixels).
    const int clientWidth = std::max(0, std::min(widthOf(client), width - int(insets.left))) * scale;
    const int clientHeight = std::max(0, std::min(heightOf(client), height - int(insets.top))) * scale;
    if (clientWidth == 0 || clientHeight == 0) {
        if (!onCanvas)
            blit(whole, canvas, x * scale, y * scale);
        return;
    }
    // Dialogs and frames erase with the button face, as their classes' background brush does; other
    // windows start from what lies beneath them.
    const bool ownBackground = isDialog(window) || !window.isChild();
    const bool inPlace = !framed && clientWidth == whole.width() && clientHeight == whole.height();
    std::shared_ptr<BitmapImage> surface;
    if (inPlace) {
        surface = std::shared_ptr<BitmapImage>(&whole, [](BitmapImage*) {});
        if (ownBackground)
            whole.fill(0, 0, clientWidth, clientHeight, GetSysColor(COLOR_BTNFACE));
    } else if (ownBackground) {
        surface = std::make_shared<BitmapImage>(clientWidth, clientHeight, GetSysColor(COLOR_BTNFACE));
    } else {
        surface = std::make_shared<BitmapImage>(
            cut(whole, int(insets.left) * scale, int(insets.top) * scale, clientWidth, clientHeight));
    }
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
    if (!inPlace)
        blit(*surface, whole, int(insets.left) * scale, int(insets.top) * scale);
    if (!onCanvas)
        blit(whole, canvas, x * scale, y * scale);
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
        dc.Draw3dRect(&rect, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
    if ((window.style & WS_CAPTION) == WS_CAPTION) {
        // The caption bar: 22 pixels of the caption colour over a line of the face colour.
        const RECT bar{rect.left, rect.top, rect.right, rect.top + 22};
        dc.FillSolidRect(bar.left, bar.bottom, widthOf(bar), 1, GetSysColor(COLOR_BTNFACE));
        dc.GradientFill(bar, GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_GRADIENTACTIVECAPTION), true);
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
    // A picture larger than any screen shows its top-left part.
    const int width = std::clamp(widthOf(window->rect), 0, kMaxPictureSide / scale);
    const int height = std::clamp(heightOf(window->rect), 0, kMaxPictureSide / scale);
    if (width == 0 || height == 0)
        return {};
    BitmapImage canvas(width * scale, height * scale, GetSysColor(COLOR_BTNFACE));
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

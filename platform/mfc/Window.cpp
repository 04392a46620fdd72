#include "platform/mfc/Window.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "platform/mfc/CWnd.h"
#include "platform/mfc/CWndAccess.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/WindowClass.h"

namespace ui {
namespace {

struct WindowTable {
    std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> windows;
    // Handles only grow, so a destroyed window's handle never comes back.
    std::uintptr_t nextHandle = 0x10010;
    std::vector<HWND> topLevel;
    HWND focus = nullptr;
    HWND capture = nullptr;
    HWND active = nullptr;
    // Destroyed windows whose memory must outlive the messages still being handled: a control may be
    // destroyed from inside its own procedure (a click that closes the dialog). Freed once no message
    // is being delivered.
    std::vector<std::unique_ptr<Window>> graveyard;
    int delivering = 0;
};

WindowTable& table() {
    // Never destroyed: windows held by static objects may be torn down after any other static.
    static WindowTable* t = new WindowTable;
    return *t;
}

bool contains(const Window* ancestor, const Window* w) {
    for (; w; w = w->parent)
        if (w == ancestor) return true;
    return false;
}

void destroyTree(Window& w, std::vector<Window*>& destroyed) {
    w.destroying = true;
    WindowTable& t = table();
    // Owned top-level windows go first, as Win32 destroys a window's owned popups before the window.
    for (HWND h : std::vector<HWND>(t.topLevel)) {
        Window* owned = windowFromHandle(h);
        if (owned && owned->owner == &w && !owned->destroying) destroyWindow(h);
    }
    if (t.focus && contains(&w, windowFromHandle(t.focus))) t.focus = nullptr;
    if (t.capture && contains(&w, windowFromHandle(t.capture))) t.capture = nullptr;
    if (t.active == w.handle) t.active = nullptr;
    sendMessage(w.handle, WM_DESTROY, 0, 0);
    for (Window* child : std::vector<Window*>(w.children)) {
        if (!child->destroying) destroyTree(*child, destroyed);
    }
    sendMessage(w.handle, WM_NCDESTROY, 0, 0);
    killWindowTimers(w.handle);
    destroyed.push_back(&w);
}

}  // namespace

LRESULT WindowProcedure::handle(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    return defaultWindowProc(window, message, wParam, lParam);
}

bool Window::isShown() const {
    for (const Window* w = this; w; w = w->parent) {
        if (!w->isVisible()) return false;
        if (!w->isChild()) break;
    }
    return true;
}

bool Window::acceptsInput() const {
    for (const Window* w = this; w; w = w->parent) {
        if (!w->isEnabled()) return false;
        if (!w->isChild()) break;
    }
    return true;
}

Window* Window::topLevel() {
    Window* w = this;
    while (w->isChild() && w->parent) w = w->parent;
    return w;
}

Window* Window::findChild(int childId) const {
    for (Window* c : children)
        if (c->id == childId) return c;
    return nullptr;
}

RECT Window::clientRect() const {
    RECT insets = frameInsets(style, exStyle);
    LONG width = rect.right - rect.left - insets.left - insets.right;
    LONG height = rect.bottom - rect.top - insets.top - insets.bottom;
    return {0, 0, std::max<LONG>(width, 0), std::max<LONG>(height, 0)};
}

RECT Window::screenRect() const {
    RECT r = rect;
    if (isChild() && parent) {
        POINT origin = parent->clientOrigin();
        r.left += origin.x;
        r.right += origin.x;
        r.top += origin.y;
        r.bottom += origin.y;
    }
    return r;
}

POINT Window::clientOrigin() const {
    RECT screen = screenRect();
    RECT insets = frameInsets(style, exStyle);
    return {screen.left + insets.left, screen.top + insets.top};
}

RECT frameInsets(DWORD style, DWORD exStyle) {
    LONG side = 0;
    if (style & (WS_THICKFRAME | WS_DLGFRAME)) side = 3;
    else if (style & WS_BORDER) side = 1;
    if (exStyle & WS_EX_DLGMODALFRAME) side = std::max<LONG>(side, 3);
    if (exStyle & WS_EX_CLIENTEDGE) side += 2;
    LONG caption = (style & WS_CAPTION) == WS_CAPTION ? 23 : 0;
    return {side, side + caption, side, side};
}

Window* windowFromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    WindowTable& t = table();
    auto it = t.windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == t.windows.end() ? nullptr : it->second.get();
}

std::vector<HWND> topLevelWindows() { return table().topLevel; }

HWND createWindow(const CreateParams& params) {
    const WindowClass* windowClass = findWindowClass(params.className);
    if (!windowClass) return nullptr;
    Window* parent = windowFromHandle(params.parent);
    bool child = (params.style & WS_CHILD) != 0;
    if (child && !parent) return nullptr;
    if (params.attach && params.attach->m_hWnd) return nullptr;  // one window per object

    WindowTable& t = table();
    auto owned = std::make_unique<Window>();
    Window& w = *owned;
    HWND hwnd = reinterpret_cast<HWND>(t.nextHandle);
    t.nextHandle += 4;
    w.handle = hwnd;
    w.className = windowClass->name;
    w.style = params.style;
    w.exStyle = params.exStyle;
    w.text = params.text;
    w.id = child ? params.id : 0;
    w.rect = params.rect;
    if (w.rect.right < w.rect.left) w.rect.right = w.rect.left;
    if (w.rect.bottom < w.rect.top) w.rect.bottom = w.rect.top;
    if (child) {
        w.parent = parent;
        parent->children.push_back(&w);
        w.font = parent->font;
        w.fontHandle = parent->fontHandle;
    } else {
        w.owner = parent ? parent->topLevel() : nullptr;
        t.topLevel.push_back(hwnd);
    }
    if (windowClass->makeProcedure) w.procedure = windowClass->makeProcedure();
    if (params.attach) {
        w.wnd = params.attach;
    } else {
        w.ownWrapper = windowClass->makeWrapper ? windowClass->makeWrapper() : std::make_unique<CWnd>();
        w.wnd = w.ownWrapper.get();
    }
    w.wnd->m_hWnd = hwnd;
    t.windows.emplace(reinterpret_cast<std::uintptr_t>(hwnd), std::move(owned));

    if (params.attach) CWndAccess::preSubclassWindow(*params.attach);
    if (sendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&params)) == -1) {
        destroyWindow(hwnd);
        return nullptr;
    }
    Window* created = windowFromHandle(hwnd);
    if (!created) return nullptr;  // WM_CREATE destroyed it
    RECT client = created->clientRect();
    sendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
    if (windowFromHandle(hwnd))
        sendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(created->rect.left), static_cast<WORD>(created->rect.top)));
    return windowFromHandle(hwnd) ? hwnd : nullptr;
}

bool destroyWindow(HWND hwnd) {
    Window* w = windowFromHandle(hwnd);
    if (!w || w->destroying) return false;
    std::vector<Window*> destroyed;
    destroyTree(*w, destroyed);

    WindowTable& t = table();
    std::vector<CWnd*> released;
    // A window leaves its parent's list unless the parent goes with it. A parent that is only being
    // destroyed (a child destroyed from the parent's WM_DESTROY) still walks its list afterwards.
    const std::unordered_set<const Window*> batch(destroyed.begin(), destroyed.end());
    for (Window* d : destroyed) {
        if (d->parent && !batch.contains(d->parent)) {
            auto& siblings = d->parent->children;
            siblings.erase(std::remove(siblings.begin(), siblings.end(), d), siblings.end());
        }
        t.topLevel.erase(std::remove(t.topLevel.begin(), t.topLevel.end(), d->handle), t.topLevel.end());
        // Detach every object of the subclass chain; the objects that do not belong to the window
        // get PostNcDestroy once the window is gone (a modeless dialog may delete itself there).
        for (CWnd* o = d->wnd; o;) {
            CWnd* next = CWndAccess::superclass(*o);
            o->m_hWnd = nullptr;
            CWndAccess::superclass(*o) = nullptr;
            if (o != d->ownWrapper.get()) released.push_back(o);
            o = next;
        }
        d->wnd = nullptr;
    }
    for (Window* d : destroyed) {
        auto it = t.windows.find(reinterpret_cast<std::uintptr_t>(d->handle));
        t.graveyard.push_back(std::move(it->second));
        t.windows.erase(it);
    }
    for (CWnd* o : released) CWndAccess::postNcDestroy(*o);
    if (t.delivering == 0) t.graveyard.clear();
    return true;
}

LRESULT sendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = windowFromHandle(hwnd);
    if (!w || !w->wnd) return 0;
    WindowTable& t = table();
    ++t.delivering;
    LRESULT result = w->wnd->WindowProc(message, wParam, lParam);
    if (--t.delivering == 0) t.graveyard.clear();
    return result;
}

void notifyParent(Window& control, WORD code) {
    if (!control.parent || control.parent->destroying) return;
    sendMessage(control.parent->handle, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control.id), code),
                reinterpret_cast<LPARAM>(control.handle));
}

HWND focusWindow() {
    WindowTable& t = table();
    if (t.focus && !windowFromHandle(t.focus)) t.focus = nullptr;
    return t.focus;
}

HWND setFocus(HWND hwnd) {
    WindowTable& t = table();
    HWND old = focusWindow();
    if (hwnd == old) return old;
    if (hwnd) {
        Window* w = windowFromHandle(hwnd);
        if (!w || !w->isShown() || !w->acceptsInput()) return old;
    }
    t.focus = hwnd;
    if (old) sendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    // The kill-focus handler may have moved the focus on; only announce what is still true.
    if (hwnd && t.focus == hwnd) sendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    if (hwnd) {
        Window* w = windowFromHandle(hwnd);
        if (w) setActiveWindow(w->topLevel()->handle);
    }
    return old;
}

HWND captureWindow() {
    WindowTable& t = table();
    if (t.capture && !windowFromHandle(t.capture)) t.capture = nullptr;
    return t.capture;
}

HWND setCapture(HWND hwnd) {
    HWND old = captureWindow();
    table().capture = windowFromHandle(hwnd) ? hwnd : nullptr;
    if (old && old != hwnd) sendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

HWND activeWindow() {
    WindowTable& t = table();
    if (t.active && !windowFromHandle(t.active)) t.active = nullptr;
    return t.active;
}

void setActiveWindow(HWND hwnd) {
    HWND old = activeWindow();
    if (old == hwnd) return;
    table().active = hwnd;
    if (old) sendMessage(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
    if (hwnd) sendMessage(hwnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
}

void setWindowRect(Window& window, const RECT& requested) {
    RECT r = requested;
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    RECT old = window.rect;
    window.rect = r;
    HWND h = window.handle;
    bool moved = old.left != r.left || old.top != r.top;
    bool sized = (old.right - old.left) != (r.right - r.left) || (old.bottom - old.top) != (r.bottom - r.top);
    if (moved) sendMessage(h, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(r.left), static_cast<WORD>(r.top)));
    if (sized) {
        Window* w = windowFromHandle(h);
        if (!w) return;
        RECT client = w->clientRect();
        sendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
    }
}

namespace {

void collectTabStops(Window& parent, std::vector<Window*>& stops) {
    for (Window* c : parent.children) {
        if (!c->isVisible() || !c->isEnabled()) continue;
        if (c->exStyle & WS_EX_CONTROLPARENT) collectTabStops(*c, stops);
        else if (c->style & WS_TABSTOP) stops.push_back(c);
    }
}

}  // namespace

std::vector<Window*> tabOrder(Window& dialog) {
    std::vector<Window*> stops;
    collectTabStops(dialog, stops);
    return stops;
}

Window* navigationRoot(Window& dialog) {
    Window* root = &dialog;
    while (root->isChild() && root->parent && (root->exStyle & WS_EX_CONTROLPARENT)) root = root->parent;
    return root;
}

LRESULT defaultWindowProc(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        window.text = lParam ? reinterpret_cast<LPCTSTR>(lParam) : L"";
        return TRUE;
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<LPTSTR>(lParam);
        if (!buffer || wParam == 0) return 0;
        std::size_t n = std::min<std::size_t>(window.text.size(), wParam - 1);
        std::copy_n(window.text.data(), n, buffer);
        buffer[n] = L'\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window.text.size());
    case WM_CLOSE:
        destroyWindow(window.handle);
        return 0;
    case WM_SETFONT:
        window.fontHandle = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(window.fontHandle);
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        // Unhandled, these travel up to the parent, as Win32's default procedure sends them.
        if (window.isChild() && window.parent) return sendMessage(window.parent->handle, message, wParam, lParam);
        return 0;
    case WM_SETREDRAW:
        window.redraw = wParam != 0;
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    default:
        return 0;
    }
}

}  // namespace ui

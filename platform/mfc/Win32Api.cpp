#include "platform/mfc/Win32Api.h"

#include <algorithm>
#include <string>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/UiDriver.h"
#include "platform/mfc/Window.h"

using ui::Window;
using ui::windowFromHandle;

BOOL IsWindow(HWND hwnd) { return windowFromHandle(hwnd) != nullptr; }

BOOL IsWindowVisible(HWND hwnd) {
    Window* w = windowFromHandle(hwnd);
    return w && w->isShown();
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = windowFromHandle(hwnd);
    return w && w->isEnabled();
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = windowFromHandle(hwnd);
    if (!w) return FALSE;
    BOOL wasDisabled = !w->isEnabled();
    if (enable == !wasDisabled) return wasDisabled;
    if (enable) w->style &= ~WS_DISABLED;
    else w->style |= WS_DISABLED;
    // A disabled window cannot keep the keyboard focus.
    if (!enable) {
        HWND focus = ui::focusWindow();
        for (Window* f = windowFromHandle(focus); f; f = f->isChild() ? f->parent : nullptr) {
            if (f == w) {
                ui::setFocus(nullptr);
                break;
            }
        }
    }
    ui::sendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL ShowWindow(HWND hwnd, int command) {
    Window* w = windowFromHandle(hwnd);
    if (!w) return FALSE;
    BOOL wasVisible = w->isVisible();
    bool show = command != SW_HIDE;
    if (command == SW_SHOWMINIMIZED || command == SW_MINIMIZE) w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
    else if (command == SW_SHOWMAXIMIZED) w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
    else if (command == SW_RESTORE || command == SW_SHOWNORMAL) w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    if (show != static_cast<bool>(wasVisible)) {
        ui::sendMessage(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if (!windowFromHandle(hwnd)) return wasVisible;
        if (show) w->style |= WS_VISIBLE;
        else w->style &= ~WS_VISIBLE;
        if (!show) {
            // Hiding the window that holds the focus (or an ancestor of it) drops the focus.
            for (Window* f = windowFromHandle(ui::focusWindow()); f; f = f->isChild() ? f->parent : nullptr) {
                if (f == w) {
                    ui::setFocus(nullptr);
                    break;
                }
            }
        }
    }
    if (show) w->showState = command;
    return wasVisible;
}

BOOL DestroyWindow(HWND hwnd) { return ui::destroyWindow(hwnd); }

HWND GetDlgItem(HWND dialog, int id) {
    Window* w = windowFromHandle(dialog);
    Window* c = w ? w->findChild(id) : nullptr;
    return c ? c->handle : nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    Window* w = windowFromHandle(hwnd);
    return w ? w->id : 0;
}

HWND GetParent(HWND hwnd) {
    Window* w = windowFromHandle(hwnd);
    if (!w) return nullptr;
    if (w->isChild()) return w->parent ? w->parent->handle : nullptr;
    return w->owner ? w->owner->handle : nullptr;
}

HWND GetFocus() { return ui::focusWindow(); }
HWND SetFocus(HWND hwnd) { return ui::setFocus(hwnd); }
HWND GetCapture() { return ui::captureWindow(); }
HWND SetCapture(HWND hwnd) { return ui::setCapture(hwnd); }

BOOL ReleaseCapture() {
    ui::setCapture(nullptr);
    return TRUE;
}

HWND GetActiveWindow() { return ui::activeWindow(); }

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) { return ui::sendMessage(hwnd, message, wParam, lParam); }

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) { return ui::postMessage(hwnd, message, wParam, lParam); }

void PostQuitMessage(int exitCode) { ui::postMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0); }

int GetWindowTextLength(HWND hwnd) { return static_cast<int>(ui::sendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

int GetWindowText(HWND hwnd, LPTSTR buffer, int maxCount) {
    if (!buffer || maxCount <= 0) return 0;
    buffer[0] = L'\0';
    return static_cast<int>(ui::sendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

BOOL SetWindowText(HWND hwnd, LPCTSTR text) {
    if (!windowFromHandle(hwnd)) return FALSE;
    return static_cast<BOOL>(ui::sendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")));
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    Window* w = windowFromHandle(hwnd);
    if (!w || !rect) return FALSE;
    *rect = w->screenRect();
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    Window* w = windowFromHandle(hwnd);
    if (!w || !rect) return FALSE;
    *rect = w->clientRect();
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
    Window* w = windowFromHandle(hwnd);
    if (!w) return FALSE;
    ui::setWindowRect(*w, {x, y, x + std::max(width, 0), y + std::max(height, 0)});
    return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window* w = windowFromHandle(hwnd);
    if (!w) return FALSE;
    if (!(flags & SWP_NOZORDER) && w->isChild() && w->parent) {
        // Z-order is the order of the parent's children, which is also the tab order.
        auto& kids = w->parent->children;
        Window* after = windowFromHandle(insertAfter);
        if (insertAfter == HWND_TOP || insertAfter == HWND_BOTTOM || (after && after->parent == w->parent && after != w)) {
            kids.erase(std::remove(kids.begin(), kids.end(), w), kids.end());
            if (insertAfter == HWND_TOP) kids.insert(kids.begin(), w);
            else if (insertAfter == HWND_BOTTOM) kids.push_back(w);
            else kids.insert(std::find(kids.begin(), kids.end(), after) + 1, w);
        }
    }
    // A top-level window put above or below the top-most band carries the flag that says which.
    if (!(flags & SWP_NOZORDER) && !w->isChild()) {
        if (insertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
        else if (insertAfter == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
    }
    RECT r = w->rect;
    if (!(flags & SWP_NOMOVE)) {
        LONG width = r.right - r.left, height = r.bottom - r.top;
        r = {x, y, x + width, y + height};
    }
    if (!(flags & SWP_NOSIZE)) {
        r.right = r.left + std::max(cx, 0);
        r.bottom = r.top + std::max(cy, 0);
    }
    ui::setWindowRect(*w, r);
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, SW_SHOWNA);
    if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
    return TRUE;
}

BOOL MapDialogRect(HWND, LPRECT rect) {
    if (!rect) return FALSE;
    *rect = ui::dialogUnitsToPixels(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT*, BOOL) {
    Window* w = windowFromHandle(hwnd);
    if (!w) return FALSE;
    if (w->redraw) ++w->invalidations;
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) { return IsWindow(hwnd); }

short GetKeyState(int virtualKey) { return ui::isKeyDown(static_cast<UINT>(virtualKey)) ? static_cast<short>(0x8000) : 0; }
short GetAsyncKeyState(int virtualKey) { return GetKeyState(virtualKey); }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) { return ui::setTimer(hwnd, id, elapse, proc); }
BOOL KillTimer(HWND hwnd, UINT_PTR id) { return ui::killTimer(hwnd, id); }

BOOL EndDialog(HWND dialog, INT_PTR result) {
    auto* d = dynamic_cast<CDialog*>(CWnd::FromHandle(dialog));
    if (!d) return FALSE;
    d->EndDialog(static_cast<int>(result));
    return TRUE;
}

int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) {
    ui::MessageBoxRequest request;
    request.text = text ? text : L"";
    request.caption = caption ? caption : L"Error";  // Win32's caption when none is given
    request.type = type;
    request.owner = owner;
    return ui::activeDriver().messageBox(request);
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = windowFromHandle(hwnd);
    return w ? ui::defaultWindowProc(*w, message, wParam, lParam) : 0;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    Window* p = windowFromHandle(parent);
    Window* w = windowFromHandle(hwnd);
    if (!p || !w) return FALSE;
    for (Window* a = w->isChild() ? w->parent : nullptr; a; a = a->isChild() ? a->parent : nullptr)
        if (a == p) return TRUE;
    return FALSE;
}

HWND GetWindow(HWND hwnd, UINT relation) {
    Window* w = windowFromHandle(hwnd);
    if (!w) return nullptr;
    if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->handle;
    if (relation == GW_OWNER) return w->owner ? w->owner->handle : nullptr;
    if (!w->isChild() || !w->parent) return nullptr;
    auto& kids = w->parent->children;
    auto it = std::find(kids.begin(), kids.end(), w);
    switch (relation) {
    case GW_HWNDFIRST: return kids.front()->handle;
    case GW_HWNDLAST: return kids.back()->handle;
    case GW_HWNDNEXT: return it + 1 != kids.end() ? (*(it + 1))->handle : nullptr;
    case GW_HWNDPREV: return it != kids.begin() ? (*(it - 1))->handle : nullptr;
    default: return nullptr;
    }
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    Window* w = windowFromHandle(hwnd);
    if (!w || !point) return FALSE;
    POINT origin = w->clientOrigin();
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    Window* w = windowFromHandle(hwnd);
    if (!w || !point) return FALSE;
    POINT origin = w->clientOrigin();
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    Window* w = windowFromHandle(hwnd);
    if (!w) return 0;
    switch (index) {
    case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
    case GWL_ID: return w->id;
    case GWLP_USERDATA: return w->userData;
    default: return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    Window* w = windowFromHandle(hwnd);
    if (!w) return 0;
    LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWL_STYLE: w->style = static_cast<DWORD>(value); break;
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(value); break;
    case GWL_ID: w->id = static_cast<int>(value); break;
    case GWLP_USERDATA: w->userData = value; break;
    default: return 0;
    }
    return old;
}

namespace ui {
namespace {
std::wstring& appName() {
    static std::wstring name = L"connsheet";
    return name;
}
}  // namespace

void setApplicationName(const wchar_t* name) { appName() = name ? name : L""; }
const wchar_t* applicationName() { return appName().c_str(); }
}  // namespace ui

int AfxMessageBox(LPCTSTR text, UINT type, UINT) {
    return MessageBox(ui::activeWindow(), text, ui::applicationName(), type);
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpId) {
    const std::wstring* text = ui::findStringResource(stringId);
    return AfxMessageBox(text ? text->c_str() : L"", type, helpId);
}

namespace {

class HostMainWindow : public CWnd {};

}  // namespace

CWnd* adsw_acadMainWnd() {
    // Never destroyed: it outlives every dialog it owns, including static ones.
    static HostMainWindow* main = new HostMainWindow;
    if (!main->m_hWnd) {
        // Re-created on demand, so a test that tore every window down still finds a host.
        main->CreateEx(0, L"Window", L"AutoCAD", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 1920, 1080}, nullptr, 0);
    }
    return main;
}

CWnd* AfxGetMainWnd() { return adsw_acadMainWnd(); }

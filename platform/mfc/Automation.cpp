#include "platform/mfc/Automation.h"

#include <algorithm>
#include <cstdio>

#include "platform/arx/Utf8.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/MouseInput.h"
#include "platform/mfc/RectTracker.h"
#include "platform/mfc/Window.h"

namespace ui {
namespace {

ProblemReporter& reporter() {
    static ProblemReporter* r = new ProblemReporter;
    return *r;
}

Window* findIn(Window* root, int id, bool visibleOnly) {
    for (Window* c : root->children) {
        if (visibleOnly && !c->isVisible()) continue;
        if (c->id == id) return c;
        if (Window* deeper = findIn(c, id, visibleOnly)) return deeper;
    }
    return nullptr;
}

// The pages of a tab control are dialogs of their own, so one id may stand in several of them: the
// control the user can see wins, else the first one.
Window* findIn(Window* root, int id) {
    if (Window* shown = findIn(root, id, true)) return shown;
    return findIn(root, id, false);
}

std::wstring describeId(int id) { return L"control " + std::to_wstring(id); }

WPARAM mouseFlags(Keys keys, UINT message) {
    WPARAM flags = 0;
    if (has(keys, Keys::Shift)) flags |= MK_SHIFT;
    if (has(keys, Keys::Ctrl)) flags |= MK_CONTROL;
    if (message == WM_LBUTTONDOWN || message == WM_MOUSEMOVE) flags |= 0;
    if (message == WM_LBUTTONDOWN) flags |= MK_LBUTTON;
    if (message == WM_RBUTTONDOWN) flags |= MK_RBUTTON;
    return flags;
}

// Holds the modifier keys down for a scope.
class Modifiers {
public:
    explicit Modifiers(Keys keys) : m_keys(keys) { apply(true); }
    ~Modifiers() { apply(false); }
    Modifiers(const Modifiers&) = delete;
    Modifiers& operator=(const Modifiers&) = delete;

private:
    void apply(bool down) {
        if (has(m_keys, Keys::Shift)) setKeyDown(VK_SHIFT, down);
        if (has(m_keys, Keys::Ctrl)) setKeyDown(VK_CONTROL, down);
        if (has(m_keys, Keys::Alt)) setKeyDown(VK_MENU, down);
    }
    Keys m_keys;
};

// The character a key produces, or 0.
wchar_t keyChar(UINT key, Keys keys) {
    bool shift = has(keys, Keys::Shift);
    if (has(keys, Keys::Ctrl)) return key >= 'A' && key <= 'Z' ? static_cast<wchar_t>(key - 'A' + 1) : 0;
    if (key >= 'A' && key <= 'Z') return static_cast<wchar_t>(shift ? key : key + 32);
    if (key >= '0' && key <= '9') return static_cast<wchar_t>(key);
    switch (key) {
    case VK_RETURN: return L'\r';
    case VK_BACK: return L'\b';
    case VK_TAB: return L'\t';
    case VK_ESCAPE: return 0x1B;
    case VK_SPACE: return L' ';
    default: return 0;
    }
}

std::wstring escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
        case L'\r': out += L"\\r"; break;
        case L'\n': out += L"\\n"; break;
        case L'\t': out += L"\\t"; break;
        case L'"': out += L"\\\""; break;
        case L'\\': out += L"\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

void dumpInto(const Window& w, int depth, std::wstring& out) {
    out.append(static_cast<std::size_t>(depth) * 2, L' ');
    out += w.className;
    out += L" #" + std::to_wstring(w.id);
    out += L" \"" + escaped(w.text) + L"\"";
    std::wstring states;
    auto add = [&](const wchar_t* s) { states += (states.empty() ? L"" : L" ") + std::wstring(s); };
    if (!w.isVisible()) add(L"hidden");
    if (!w.isEnabled()) add(L"disabled");
    if (focusWindow() == w.handle) add(L"focus");
    if (!states.empty()) out += L" [" + states + L"]";
    const RECT& r = w.rect;
    out += L" (" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L"x" +
           std::to_wstring(r.bottom - r.top) + L")";
    if (w.procedure) {
        std::wstring extra = w.procedure->describe(w);
        if (!extra.empty()) out += L" " + extra;
    }
    out += L"\n";
    for (const Window* c : w.children) dumpInto(*c, depth + 1, out);
}

}  // namespace

void setProblemReporter(ProblemReporter r) { reporter() = std::move(r); }

void reportProblem(const std::wstring& problem) {
    if (reporter()) {
        reporter()(problem);
        return;
    }
    std::string line = "automation: " + utf8::encode(problem) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

Automation::Automation(CWnd& root) : m_root(root.m_hWnd) {}

HWND Automation::find(int id) const {
    Window* root = windowFromHandle(m_root);
    if (!root) {
        reportProblem(L"the window acted on is gone");
        return nullptr;
    }
    if (id == 0) return m_root;
    Window* w = findIn(root, id);
    if (!w) {
        reportProblem(describeId(id) + L" not found");
        return nullptr;
    }
    return w->handle;
}

bool Automation::exists(int id) const {
    Window* root = windowFromHandle(m_root);
    return root && (id == 0 || findIn(root, id));
}

CWnd* Automation::wnd(int id) const { return CWnd::FromHandle(find(id)); }

HWND Automation::requireInput(int id, const char* verb) const {
    HWND h = find(id);
    Window* w = windowFromHandle(h);
    if (!w) return nullptr;
    std::wstring what = utf8::decode(verb) + L": " + describeId(id);
    if (!w->isShown()) {
        reportProblem(what + L" is hidden");
        return nullptr;
    }
    if (!w->acceptsInput()) {
        reportProblem(what + L" is disabled");
        return nullptr;
    }
    return h;
}

void Automation::mouse(HWND target, UINT message, POINT at, Keys keys, WPARAM buttons) {
    // A window holding the capture gets all mouse input, in its own coordinates.
    HWND capture = captureWindow();
    if (capture && capture != target) {
        Window* from = windowFromHandle(target);
        Window* to = windowFromHandle(capture);
        POINT a = from->clientOrigin(), b = to->clientOrigin();
        at = {at.x + a.x - b.x, at.y + a.y - b.y};
        target = capture;
    }
    Modifiers held(keys);
    MSG msg;
    msg.hwnd = target;
    msg.message = message;
    msg.wParam = mouseFlags(keys, message) | buttons;
    msg.lParam = MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y));
    dispatchInput(msg);
    pumpMessages();
}

void Automation::click(int id, Keys keys) {
    HWND h = requireInput(id, "click");
    if (!h) return;
    RECT c = windowFromHandle(h)->clientRect();
    POINT centre{c.right / 2, c.bottom / 2};
    mouse(h, WM_LBUTTONDOWN, centre, keys);
    if (windowFromHandle(h)) mouse(h, WM_LBUTTONUP, centre, keys);
}

void Automation::doubleClick(int id, Keys keys) {
    HWND h = requireInput(id, "double-click");
    if (!h) return;
    RECT c = windowFromHandle(h)->clientRect();
    POINT centre{c.right / 2, c.bottom / 2};
    // The sequence Windows sends for a double click on a class with CS_DBLCLKS.
    mouse(h, WM_LBUTTONDOWN, centre, keys);
    if (windowFromHandle(h)) mouse(h, WM_LBUTTONUP, centre, keys);
    if (windowFromHandle(h)) mouse(h, WM_LBUTTONDBLCLK, centre, keys);
    if (windowFromHandle(h)) mouse(h, WM_LBUTTONUP, centre, keys);
}

void Automation::type(int id, const std::wstring& text) {
    HWND h = requireInput(id, "type");
    if (!h) return;
    ui::setFocus(h);
    pumpMessages();
    if (focusWindow() != h) {
        reportProblem(L"type: " + describeId(id) + L" did not take the focus");
        return;
    }
    if (sendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) sendMessage(h, EM_SETSEL, 0, -1);
    // Typing nothing over a selection still has to empty the control: a backspace does it.
    typeHere(text.empty() ? std::wstring(1, L'\b') : text);
}

void Automation::typeHere(const std::wstring& text) {
    for (wchar_t ch : text) {
        if (ch == L'\r') continue;
        if (ch == L'\n') {
            press(VK_RETURN);
            continue;
        }
        if (ch == L'\t') {
            press(VK_TAB);
            continue;
        }
        HWND target = focusWindow();
        if (!target) {
            reportProblem(L"type: no window has the focus");
            return;
        }
        MSG msg;
        msg.hwnd = target;
        msg.message = WM_CHAR;
        msg.wParam = ch;
        msg.lParam = 1;
        dispatchInput(msg);
        pumpMessages();
    }
}

void Automation::keyDown(UINT key, Keys keys) {
    if (has(keys, Keys::Shift)) setKeyDown(VK_SHIFT, true);
    if (has(keys, Keys::Ctrl)) setKeyDown(VK_CONTROL, true);
    if (has(keys, Keys::Alt)) setKeyDown(VK_MENU, true);
    setKeyDown(key, true);
    HWND target = focusWindow();
    if (!target || (target != m_root && !windowFromHandle(target))) target = m_root;
    MSG msg;
    msg.hwnd = target;
    msg.message = has(keys, Keys::Alt) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1;
    dispatchInput(msg);
    pumpMessages();
}

void Automation::keyUp(UINT key, Keys keys) {
    setKeyDown(key, false);
    HWND target = focusWindow();
    if (!target) target = m_root;
    if (windowFromHandle(target)) {
        MSG msg;
        msg.hwnd = target;
        msg.message = has(keys, Keys::Alt) ? WM_SYSKEYUP : WM_KEYUP;
        msg.wParam = key;
        msg.lParam = static_cast<LPARAM>(0xC0000001u);
        dispatchInput(msg);
        pumpMessages();
    }
    if (has(keys, Keys::Shift)) setKeyDown(VK_SHIFT, false);
    if (has(keys, Keys::Ctrl)) setKeyDown(VK_CONTROL, false);
    if (has(keys, Keys::Alt)) setKeyDown(VK_MENU, false);
}

void Automation::press(UINT key, Keys keys) {
    if (!windowFromHandle(m_root)) {
        reportProblem(L"press: the window acted on is gone");
        return;
    }
    // The character is only produced when nothing consumed the key-down (TranslateMessage is skipped
    // for messages the dialog manager or PreTranslateMessage handled).
    if (has(keys, Keys::Shift)) setKeyDown(VK_SHIFT, true);
    if (has(keys, Keys::Ctrl)) setKeyDown(VK_CONTROL, true);
    if (has(keys, Keys::Alt)) setKeyDown(VK_MENU, true);
    setKeyDown(key, true);
    HWND target = focusWindow();
    if (!target) target = m_root;
    MSG down;
    down.hwnd = target;
    down.message = has(keys, Keys::Alt) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    down.wParam = key;
    down.lParam = 1;
    bool consumed = dispatchInput(down);
    pumpMessages();
    wchar_t ch = keyChar(key, keys);
    HWND charTarget = focusWindow();
    if (!consumed && ch && !has(keys, Keys::Alt) && charTarget) {
        MSG msg;
        msg.hwnd = charTarget;
        msg.message = WM_CHAR;
        msg.wParam = ch;
        msg.lParam = 1;
        dispatchInput(msg);
        pumpMessages();
    }
    keyUp(key, keys);
}

void Automation::mouseDown(int id, POINT at, MouseButton button, Keys keys) {
    HWND h = requireInput(id, "mouse down");
    if (h) mouse(h, button == MouseButton::Left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, at, keys);
}

void Automation::mouseMove(int id, POINT at, Keys keys) {
    HWND h = find(id);
    if (h) mouse(h, WM_MOUSEMOVE, at, keys);
}

void Automation::mouseUp(int id, POINT at, MouseButton button, Keys keys) {
    HWND h = find(id);
    if (h) mouse(h, button == MouseButton::Left ? WM_LBUTTONUP : WM_RBUTTONUP, at, keys);
}

void Automation::clickAt(int id, POINT at, Keys keys) {
    HWND h = requireInput(id, "click at");
    if (!h) return;
    MouseTarget target = mouseTargetAt(h, at);
    if (!target.window) return;
    mouse(target.window, WM_LBUTTONDOWN, target.at, keys);
    if (windowFromHandle(target.window)) mouse(target.window, WM_LBUTTONUP, target.at, keys);
}

void Automation::drag(int id, const std::vector<POINT>& path, Keys keys) {
    HWND h = requireInput(id, "drag");
    if (!h) return;
    if (path.size() < 2) {
        reportProblem(L"drag: " + describeId(id) + L" needs a start and an end point");
        return;
    }
    const MouseTarget press = mouseTargetAt(h, path.front());
    if (!press.window) return;
    // A tracking loop reads positions in the pressed window's client coordinates.
    const LONG dx = press.at.x - path.front().x, dy = press.at.y - path.front().y;
    std::vector<POINT> positions;
    for (std::size_t i = 1; i < path.size(); ++i) positions.push_back({path[i].x + dx, path[i].y + dy});
    const int queuedBefore = pendingTrackerDrags();
    queueTrackerDrag(positions);
    mouse(press.window, WM_LBUTTONDOWN, press.at, keys);
    if (pendingTrackerDrags() <= queuedBefore) return;  // a tracking loop took the drag
    withdrawLastTrackerDrag();
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (!windowFromHandle(h)) return;
        const MouseTarget over = mouseTargetAt(h, path[i]);
        if (!over.window) return;
        if (i + 1 == path.size())
            mouse(over.window, WM_LBUTTONUP, over.at, keys);
        else
            mouse(over.window, WM_MOUSEMOVE, over.at, keys, MK_LBUTTON);
    }
}

void Automation::select(int id, int index) {
    HWND h = requireInput(id, "select");
    if (!h) return;
    ui::setFocus(h);
    Window* w = windowFromHandle(h);
    if (!w) return;
    if (!w->procedure || !w->procedure->selectAsUser(*w, index)) {
        reportProblem(L"select: " + describeId(id) + L" has no item " + std::to_wstring(index));
        return;
    }
    pumpMessages();
}

void Automation::select(int id, const std::wstring& itemText) {
    std::vector<std::wstring> all = items(id);
    auto it = std::find(all.begin(), all.end(), itemText);
    if (it == all.end()) {
        reportProblem(L"select: " + describeId(id) + L" has no item \"" + itemText + L"\"");
        return;
    }
    select(id, static_cast<int>(it - all.begin()));
}

void Automation::setFocus(int id) {
    HWND h = requireInput(id, "focus");
    if (!h) return;
    ui::setFocus(h);
    pumpMessages();
}

void Automation::close() {
    if (!windowFromHandle(m_root)) return;
    sendMessage(m_root, WM_CLOSE, 0, 0);
    pumpMessages();
}

void Automation::resize(int width, int height) {
    Window* w = windowFromHandle(m_root);
    if (!w) return;
    MINMAXINFO info{};
    info.ptMinTrackSize = {112, 27};
    info.ptMaxTrackSize = {1920 + 12, 1080 + 12};
    info.ptMaxSize = {1920, 1080};
    sendMessage(m_root, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    width = std::clamp<int>(width, info.ptMinTrackSize.x, std::max(info.ptMinTrackSize.x, info.ptMaxTrackSize.x));
    height = std::clamp<int>(height, info.ptMinTrackSize.y, std::max(info.ptMinTrackSize.y, info.ptMaxTrackSize.y));
    w = windowFromHandle(m_root);
    if (!w) return;
    setWindowRect(*w, {w->rect.left, w->rect.top, w->rect.left + width, w->rect.top + height});
    pumpMessages();
}

LRESULT Automation::send(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND h = find(id);
    LRESULT r = h ? sendMessage(h, message, wParam, lParam) : 0;
    pumpMessages();
    return r;
}

std::wstring Automation::text(int id) const {
    Window* w = windowFromHandle(find(id));
    if (!w) return {};
    LRESULT length = sendMessage(w->handle, WM_GETTEXTLENGTH, 0, 0);
    std::wstring buffer(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    LRESULT n = sendMessage(w->handle, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(std::max<LRESULT>(n, 0)));
    return buffer;
}

bool Automation::enabled(int id) const {
    Window* w = windowFromHandle(find(id));
    return w && w->isEnabled();
}

bool Automation::visible(int id) const {
    Window* w = windowFromHandle(find(id));
    return w && w->isShown();
}

int Automation::checked(int id) const {
    Window* w = windowFromHandle(find(id));
    return w && w->procedure ? w->procedure->checkState(*w) : -1;
}

std::vector<std::wstring> Automation::items(int id) const {
    Window* w = windowFromHandle(find(id));
    return w && w->procedure ? w->procedure->items(*w) : std::vector<std::wstring>{};
}

int Automation::selection(int id) const {
    Window* w = windowFromHandle(find(id));
    return w && w->procedure ? w->procedure->selection(*w) : -1;
}

RECT Automation::rect(int id) const {
    Window* w = windowFromHandle(find(id));
    Window* root = windowFromHandle(m_root);
    if (!w || !root) return {};
    RECT r = w->screenRect();
    POINT origin = root->clientOrigin();
    return {r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
}

bool Automation::focused(int id) const {
    HWND h = find(id);
    return h && focusWindow() == h;
}

int Automation::focusedId() const {
    Window* f = windowFromHandle(focusWindow());
    return f ? f->id : 0;
}

DWORD Automation::style(int id) const {
    Window* w = windowFromHandle(find(id));
    return w ? w->style : 0;
}

std::wstring Automation::dump() const { return dumpWindowTree(m_root); }

std::wstring dumpWindowTree(HWND root) {
    Window* w = windowFromHandle(root);
    if (!w) return {};
    std::wstring out;
    dumpInto(*w, 0, out);
    return out;
}

}  // namespace ui

#include "platform/mfc/CWnd.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cwchar>

#include "platform/mfc/CWndAccess.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/UiDriver.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/Window.h"

using ui::Window;
using ui::windowFromHandle;

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hWnd) {
        Window* w = windowFromHandle(m_hWnd);
        if (w && !w->destroying)
            ui::destroyWindow(m_hWnd);
        // Still attached after the destroy (we were mid-destroy elsewhere): step out of the chain.
        if (w && windowFromHandle(m_hWnd) == w)
            UnsubclassWindow();
    }
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    Window* w = windowFromHandle(hwnd);
    return w ? w->wnd : nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    return FromHandle(hwnd);
}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param) {
    ui::CreateParams p;
    p.className = className ? className : L"Window";
    p.text = windowName ? windowName : L"";
    p.style = style;
    p.exStyle = exStyle;
    p.rect = rect;
    p.parent = parent ? parent->m_hWnd : nullptr;
    p.id = static_cast<int>(id);
    p.attach = this;
    p.param = param;
    return ui::createWindow(p) != nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, LPVOID param) {
    ui::CreateParams p;
    p.className = className ? className : L"Window";
    p.text = windowName ? windowName : L"";
    p.style = style;
    p.exStyle = exStyle;
    p.rect = {x, y, x + width, y + height};
    p.parent = parent;
    p.id = static_cast<int>(reinterpret_cast<std::uintptr_t>(idOrMenu));
    p.attach = this;
    p.param = param;
    return ui::createWindow(p) != nullptr;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd && ui::destroyWindow(m_hWnd);
}

BOOL CWnd::Attach(HWND hwnd) {
    // Attaching replaces the class wrapper as the window's object; the window's behaviour stays with
    // its class procedure.
    return SubclassWindow(hwnd);
}

HWND CWnd::Detach() {
    return UnsubclassWindow();
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    Window* w = windowFromHandle(hwnd);
    if (!w || m_hWnd || w->destroying)
        return FALSE;
    m_superclass = w->wnd;
    w->wnd = this;
    m_hWnd = hwnd;
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!parent)
        return FALSE;
    Window* p = windowFromHandle(parent->m_hWnd);
    Window* c = p ? p->findChild(static_cast<int>(id)) : nullptr;
    return c ? SubclassWindow(c->handle) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    HWND hwnd = m_hWnd;
    Window* w = windowFromHandle(hwnd);
    if (!w) {
        m_hWnd = nullptr;
        m_superclass = nullptr;
        return nullptr;
    }
    // Unlink this object wherever it sits in the chain.
    if (w->wnd == this) {
        w->wnd = m_superclass;
    } else {
        for (CWnd* o = w->wnd; o; o = CWndAccess::superclass(*o)) {
            if (CWndAccess::superclass(*o) == this) {
                CWndAccess::superclass(*o) = m_superclass;
                break;
            }
        }
    }
    if (!w->wnd) {
        // A window always has an object: fall back on a plain wrapper.
        w->ownWrapper = std::make_unique<CWnd>();
        w->ownWrapper->m_hWnd = hwnd;
        w->wnd = w->ownWrapper.get();
    }
    m_hWnd = nullptr;
    m_superclass = nullptr;
    return hwnd;
}

// ---- Messages

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ui::sendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ui::postMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ui::sendMessage(::GetDlgItem(m_hWnd, id), message, wParam, lParam);
}

namespace {

// The messages being handled, innermost last. Kept outside the objects so that a handler may destroy
// (and delete) its own object: nothing touches the object after its handler returns.
struct Handling {
    const CWnd* wnd;
    MSG msg;
};

std::vector<Handling>& handling() {
    static std::vector<Handling>* h = new std::vector<Handling>;
    return *h;
}

}  // namespace

const MSG* CWnd::GetCurrentMessage() const {
    auto& h = handling();
    for (auto it = h.rbegin(); it != h.rend(); ++it)
        if (it->wnd == this)
            return &it->msg;
    return nullptr;
}

LRESULT CWnd::Default() {
    const MSG* current = GetCurrentMessage();
    if (!current)
        return 0;
    MSG msg = *current;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_superclass)
        return m_superclass->WindowProc(message, wParam, lParam);
    Window* w = windowFromHandle(m_hWnd);
    if (!w)
        return 0;
    if (w->procedure)
        return w->procedure->handle(*w, message, wParam, lParam);
    return ui::defaultWindowProc(*w, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) {
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    MSG current;
    current.hwnd = m_hWnd;
    current.message = message;
    current.wParam = wParam;
    current.lParam = lParam;
    handling().push_back({this, current});
    struct Pop {
        ~Pop() { handling().pop_back(); }
    } pop;

    switch (message) {
        case WM_COMMAND: {
            auto control = reinterpret_cast<HWND>(lParam);
            if (control) {
                LRESULT result = 0;
                CWnd* child = FromHandle(control);
                if (child && child != this && child->OnChildNotify(message, wParam, lParam, &result))
                    return result;
            }
            if (OnCommand(wParam, lParam))
                return 0;
            return DefWindowProc(message, wParam, lParam);
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            LRESULT result = 0;
            if (header && header->hwndFrom) {
                CWnd* child = FromHandle(header->hwndFrom);
                if (child && child != this && child->OnChildNotify(message, wParam, lParam, &result))
                    return result;
            }
            if (OnNotify(wParam, lParam, &result))
                return result;
            return DefWindowProc(message, wParam, lParam);
        }
        case WM_CREATE:
            return OnCreate(reinterpret_cast<void*>(lParam));
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_NCDESTROY:
            OnNcDestroy();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
                   HIWORD(static_cast<std::uintptr_t>(lParam)));
            return 0;
        case WM_MOVE:
            OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_SIZING:
            OnSizing(static_cast<UINT>(wParam), reinterpret_cast<LPRECT>(lParam));
            return TRUE;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_SHOWWINDOW:
            OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
            return 0;
        case WM_ENABLE:
            OnEnable(static_cast<BOOL>(wParam));
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam) != 0);
            return 0;
        case WM_TIMER:
            OnTimer(static_cast<UINT_PTR>(wParam));
            return 0;
        case WM_SETFOCUS:
            OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
            return 0;
        case WM_KILLFOCUS:
            OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
                      HIWORD(static_cast<std::uintptr_t>(lParam)));
            return 0;
        case WM_KEYUP:
            OnKeyUp(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
                    HIWORD(static_cast<std::uintptr_t>(lParam)));
            return 0;
        case WM_CHAR:
            OnChar(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
                   HIWORD(static_cast<std::uintptr_t>(lParam)));
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(static_cast<UINT>(wParam), CPoint(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(static_cast<UINT>(wParam), CPoint(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(static_cast<UINT>(wParam), CPoint(lParam));
            return 0;
        case WM_RBUTTONDOWN:
            OnRButtonDown(static_cast<UINT>(wParam), CPoint(lParam));
            return 0;
        case WM_RBUTTONUP:
            OnRButtonUp(static_cast<UINT>(wParam), CPoint(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(static_cast<UINT>(wParam), CPoint(lParam));
            return 0;
        case WM_MOUSEWHEEL:
            return OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), CPoint(lParam));
        case WM_SETCURSOR:
            return OnSetCursor(FromHandle(reinterpret_cast<HWND>(wParam)),
                               LOWORD(static_cast<std::uintptr_t>(lParam)),
                               HIWORD(static_cast<std::uintptr_t>(lParam)));
        case WM_CONTEXTMENU:
            OnContextMenu(FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam));
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_DRAWITEM:
            OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
            return TRUE;
        case WM_ERASEBKGND:
            return OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        case WM_HSCROLL:
            OnHScroll(LOWORD(wParam), HIWORD(wParam), nullptr);
            return 0;
        case WM_VSCROLL:
            OnVScroll(LOWORD(wParam), HIWORD(wParam), nullptr);
            return 0;
        case WM_GETDLGCODE:
            return OnGetDlgCode();
        default:
            return DefWindowProc(message, wParam, lParam);
    }
}

int CWnd::OnCreate(void*) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnNcDestroy() {
    Default();
}
void CWnd::PostNcDestroy() {}
void CWnd::PreSubclassWindow() {}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnMove(int, int) {
    Default();
}
void CWnd::OnSizing(UINT, LPRECT) {
    Default();
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) {
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) {
    return static_cast<BOOL>(Default());
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnContextMenu(CWnd*, CPoint) {
    Default();
}
void CWnd::OnPaint() {
    Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT item) {
    if (item && item->hwndItem) {
        LRESULT result = 0;
        CWnd* child = FromHandle(item->hwndItem);
        if (child && child != this &&
            child->OnChildNotify(WM_DRAWITEM, item->CtlID, reinterpret_cast<LPARAM>(item), &result))
            return;
    }
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
    Default();
}
UINT CWnd::OnGetDlgCode() {
    return static_cast<UINT>(Default());
}

// ---- Text, id, styles

void CWnd::SetWindowText(LPCTSTR text) {
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L""));
}

int CWnd::GetWindowText(LPTSTR buffer, int maxCount) const {
    if (!buffer || maxCount <= 0)
        return 0;
    return static_cast<int>(
        SendMessage(WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

void CWnd::GetWindowText(CString& text) const {
    int length = GetWindowTextLength();
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    int n = GetWindowText(buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(std::max(n, 0)));
    text = CString(std::move(buffer));
}

int CWnd::GetWindowTextLength() const {
    return static_cast<int>(SendMessage(WM_GETTEXTLENGTH));
}

int CWnd::GetDlgCtrlID() const {
    Window* w = windowFromHandle(m_hWnd);
    return w ? w->id : 0;
}

int CWnd::SetDlgCtrlID(int id) {
    Window* w = windowFromHandle(m_hWnd);
    if (!w)
        return 0;
    int old = w->id;
    w->id = id;
    return old;
}

DWORD CWnd::GetStyle() const {
    Window* w = windowFromHandle(m_hWnd);
    return w ? w->style : 0;
}

DWORD CWnd::GetExStyle() const {
    Window* w = windowFromHandle(m_hWnd);
    return w ? w->exStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
    Window* w = windowFromHandle(m_hWnd);
    if (!w)
        return FALSE;
    DWORD old = w->style;
    w->style = (w->style & ~remove) | add;
    return old != w->style;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT) {
    Window* w = windowFromHandle(m_hWnd);
    if (!w)
        return FALSE;
    DWORD old = w->exStyle;
    w->exStyle = (w->exStyle & ~remove) | add;
    return old != w->exStyle;
}

CString CWnd::GetClassName() const {
    Window* w = windowFromHandle(m_hWnd);
    return w ? CString(w->className) : CString();
}

// ---- Relations

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

void CWnd::GetDlgItem(int id, HWND* hwnd) const {
    if (hwnd)
        *hwnd = ::GetDlgItem(m_hWnd, id);
}

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* newParent) {
    Window* w = windowFromHandle(m_hWnd);
    if (!w)
        return nullptr;
    CWnd* old = GetParent();
    Window* p = newParent ? windowFromHandle(newParent->m_hWnd) : nullptr;
    if (w->isChild()) {
        if (!p)
            return nullptr;  // a child needs a parent
        if (w->parent) {
            auto& siblings = w->parent->children;
            siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
        }
        w->parent = p;
        p->children.push_back(w);
    } else {
        w->owner = p ? p->topLevel() : nullptr;
    }
    return old;
}

CWnd* CWnd::GetOwner() const {
    Window* w = windowFromHandle(m_hWnd);
    if (!w)
        return nullptr;
    if (w->owner)
        return w->owner->wnd;
    return w->isChild() && w->parent ? w->parent->wnd : nullptr;
}

void CWnd::SetOwner(CWnd* owner) {
    Window* w = windowFromHandle(m_hWnd);
    if (w)
        w->owner = owner ? windowFromHandle(owner->m_hWnd) : nullptr;
}

CWnd* CWnd::GetTopLevelParent() const {
    Window* w = windowFromHandle(m_hWnd);
    return w ? w->topLevel()->wnd : nullptr;
}

CWnd* CWnd::GetWindow(UINT relation) const {
    return FromHandle(::GetWindow(m_hWnd, relation));
}

CWnd* CWnd::GetNextWindow(UINT relation) const {
    return GetWindow(relation == GW_HWNDPREV ? GW_HWNDPREV : GW_HWNDNEXT);
}

namespace {}  // namespace

CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const {
    Window* dialog = windowFromHandle(m_hWnd);
    if (!dialog)
        return nullptr;
    std::vector<Window*> stops = ui::tabOrder(*dialog);
    if (stops.empty())
        return nullptr;
    // The control, or the window of the order that contains it.
    Window* current = control ? windowFromHandle(control->m_hWnd) : nullptr;
    auto it = stops.end();
    for (Window* c = current; c && it == stops.end(); c = c->isChild() ? c->parent : nullptr)
        it = std::find(stops.begin(), stops.end(), c);
    if (it == stops.end())
        return previous ? stops.back()->wnd : stops.front()->wnd;
    std::size_t i = static_cast<std::size_t>(it - stops.begin());
    std::size_t n = stops.size();
    return stops[previous ? (i + n - 1) % n : (i + 1) % n]->wnd;
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* control, BOOL previous) const {
    Window* dialog = windowFromHandle(m_hWnd);
    Window* current = control ? windowFromHandle(control->m_hWnd) : nullptr;
    if (!dialog || !current || current->parent != dialog)
        return nullptr;
    auto& kids = dialog->children;
    auto at = std::find(kids.begin(), kids.end(), current);
    // The group runs from the nearest WS_GROUP control at or before this one to the next WS_GROUP.
    auto first = at;
    while (first != kids.begin() && !((*first)->style & WS_GROUP))
        --first;
    auto last = at + 1;
    while (last != kids.end() && !((*last)->style & WS_GROUP))
        ++last;
    std::vector<Window*> group;
    for (auto i = first; i != last; ++i)
        if ((*i)->isVisible() && (*i)->isEnabled())
            group.push_back(*i);
    auto pos = std::find(group.begin(), group.end(), current);
    if (group.empty() || pos == group.end())
        return control;
    std::size_t i = static_cast<std::size_t>(pos - group.begin());
    std::size_t n = group.size();
    return group[previous ? (i + n - 1) % n : (i + 1) % n]->wnd;
}

BOOL CWnd::IsChild(const CWnd* window) const {
    return window && ::IsChild(m_hWnd, window->m_hWnd);
}

// ---- Dialog item helpers

void CWnd::SetDlgItemText(int id, LPCTSTR text) {
    ::SetWindowText(::GetDlgItem(m_hWnd, id), text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    CWnd* item = GetDlgItem(id);
    if (!item) {
        text.Empty();
        return 0;
    }
    item->GetWindowText(text);
    return text.GetLength();
}

int CWnd::GetDlgItemText(int id, LPTSTR buffer, int maxCount) const {
    return ::GetWindowText(::GetDlgItem(m_hWnd, id), buffer, maxCount);
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    std::wstring text = isSigned ? std::to_wstring(static_cast<int>(value)) : std::to_wstring(value);
    SetDlgItemText(id, text.c_str());
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    CString text;
    GetDlgItemText(id, text);
    text.Trim();
    if (translated)
        *translated = FALSE;
    if (text.IsEmpty())
        return 0;
    wchar_t* end = nullptr;
    errno = 0;
    long long v = std::wcstoll(text, &end, 10);
    if (!end || *end != L'\0' || errno != 0)
        return 0;
    if (!isSigned && (v < 0 || v > 0xFFFFFFFFLL))
        return 0;
    if (isSigned && (v < INT32_MIN || v > INT32_MAX))
        return 0;
    if (translated)
        *translated = TRUE;
    return static_cast<UINT>(v);
}

void CWnd::CheckDlgButton(int id, UINT check) {
    SendDlgItemMessage(id, BM_SETCHECK, check);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    return static_cast<UINT>(SendDlgItemMessage(id, BM_GETCHECK));
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
    for (int id = firstId; id <= lastId; ++id)
        SendDlgItemMessage(id, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED);
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const {
    for (int id = firstId; id <= lastId; ++id)
        if (IsDlgButtonChecked(id) == BST_CHECKED)
            return id;
    return 0;
}

// ---- States

BOOL CWnd::EnableWindow(BOOL enable) {
    return ::EnableWindow(m_hWnd, enable);
}
BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}
BOOL CWnd::ShowWindow(int command) {
    return ::ShowWindow(m_hWnd, command);
}
BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsIconic() const {
    Window* w = windowFromHandle(m_hWnd);
    return w && (w->style & WS_MINIMIZE);
}

BOOL CWnd::IsZoomed() const {
    Window* w = windowFromHandle(m_hWnd);
    return w && (w->style & WS_MAXIMIZE);
}

CWnd* CWnd::SetFocus() {
    return FromHandle(ui::setFocus(m_hWnd));
}
CWnd* CWnd::GetFocus() {
    return FromHandle(ui::focusWindow());
}
CWnd* CWnd::SetCapture() {
    return FromHandle(ui::setCapture(m_hWnd));
}
CWnd* CWnd::GetCapture() {
    return FromHandle(ui::captureWindow());
}

CWnd* CWnd::SetActiveWindow() {
    CWnd* old = GetActiveWindow();
    Window* w = windowFromHandle(m_hWnd);
    if (w)
        ui::setActiveWindow(w->topLevel()->handle);
    return old;
}

CWnd* CWnd::GetActiveWindow() {
    return FromHandle(ui::activeWindow());
}

BOOL CWnd::SetForegroundWindow() {
    return SetActiveWindow() != nullptr || m_hWnd != nullptr;
}

void CWnd::BringWindowToTop() {
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CWnd::SetFont(CFont* font, BOOL) {
    Window* w = windowFromHandle(m_hWnd);
    if (w)
        w->font = font;
}

CFont* CWnd::GetFont() const {
    Window* w = windowFromHandle(m_hWnd);
    return w ? w->font : nullptr;
}

// ---- Geometry

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    if (rect)
        MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    HWND after = insertAfter ? insertAfter->m_hWnd : nullptr;
    // The wndTop/wndBottom/... pseudo windows of MFC are the handle values themselves.
    if (insertAfter && !IsWindow(after))
        after = reinterpret_cast<HWND>(const_cast<CWnd*>(insertAfter));
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
}

void CWnd::GetWindowRect(LPRECT rect) const {
    ::GetWindowRect(m_hWnd, rect);
}
void CWnd::GetClientRect(LPRECT rect) const {
    ::GetClientRect(m_hWnd, rect);
}
void CWnd::ClientToScreen(LPPOINT point) const {
    ::ClientToScreen(m_hWnd, point);
}
void CWnd::ScreenToClient(LPPOINT point) const {
    ::ScreenToClient(m_hWnd, point);
}

void CWnd::ClientToScreen(LPRECT rect) const {
    if (!rect)
        return;
    auto* corners = reinterpret_cast<POINT*>(rect);
    ClientToScreen(&corners[0]);
    ClientToScreen(&corners[1]);
}

void CWnd::ScreenToClient(LPRECT rect) const {
    if (!rect)
        return;
    auto* corners = reinterpret_cast<POINT*>(rect);
    ScreenToClient(&corners[0]);
    ScreenToClient(&corners[1]);
}

void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const {
    if (!rect)
        return;
    MapWindowPoints(to, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const {
    for (UINT i = 0; i < count; ++i) {
        ClientToScreen(&points[i]);
        if (to)
            to->ScreenToClient(&points[i]);
    }
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    Window* w = windowFromHandle(m_hWnd);
    if (!w)
        return;
    CWnd* around = alternateOwner ? alternateOwner : GetOwner();
    RECT area{0, 0, 1920, 1080};  // the virtual screen when nothing owns the window
    if (around && around->m_hWnd) {
        if (w->isChild())
            around->GetClientRect(&area);
        else
            around->GetWindowRect(&area);
    }
    int width = w->rect.right - w->rect.left;
    int height = w->rect.bottom - w->rect.top;
    int x = (area.left + area.right - width) / 2;
    int y = (area.top + area.bottom - height) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

CWnd* CWnd::ChildWindowFromPoint(POINT clientPoint) const {
    Window* w = windowFromHandle(m_hWnd);
    if (!w)
        return nullptr;
    // Topmost first: later children are drawn over earlier ones.
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        Window* c = *it;
        if (!c->isVisible())
            continue;
        if (clientPoint.x >= c->rect.left && clientPoint.x < c->rect.right && clientPoint.y >= c->rect.top &&
            clientPoint.y < c->rect.bottom)
            return c->wnd;
    }
    RECT client = w->clientRect();
    bool inside = clientPoint.x >= 0 && clientPoint.y >= 0 && clientPoint.x < client.right &&
                  clientPoint.y < client.bottom;
    return inside ? w->wnd : nullptr;
}

// ---- Painting

void CWnd::Invalidate(BOOL erase) {
    ::InvalidateRect(m_hWnd, nullptr, erase);
}
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) {
    ::InvalidateRect(m_hWnd, rect, erase);
}
void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}
void CWnd::SetRedraw(BOOL redraw) {
    SendMessage(WM_SETREDRAW, redraw);
}

BOOL CWnd::RedrawWindow(LPCRECT rect, void*, UINT) {
    Invalidate();
    (void)rect;
    return m_hWnd != nullptr;
}

// ---- Timers, message boxes, data

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) {
    return m_hWnd ? ui::setTimer(m_hWnd, id, elapse, proc) : 0;
}
BOOL CWnd::KillTimer(UINT_PTR id) {
    return m_hWnd && ui::killTimer(m_hWnd, id);
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
    return ::MessageBox(m_hWnd, text, caption, type);
}

BOOL CWnd::UpdateData(BOOL) {
    return TRUE;
}

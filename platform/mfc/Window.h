#pragma once
// The window model: what a window is, independent of how (or whether) it is drawn. A rendering
// backend would read this model and feed input through the message functions; nothing here draws.
//
// Every window has a class (registered by name, case-insensitive), styles, text, a control id, a
// rectangle in its parent's client coordinates (screen coordinates for top-level windows), a parent
// and ordered children, an owner, enabled/visible states, an optional font, the CWnd that receives its
// messages, and the class procedure that gives a control its behaviour.
#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/Win32Types.h"

class CWnd;
class CFont;

namespace ui {

class Window;

// A window class's behaviour: the window procedure of a control, holding the control's own state.
// Messages reach it through DefWindowProc after the attached CWnd has seen them.
class WindowProcedure {
public:
    virtual ~WindowProcedure() = default;
    virtual LRESULT handle(Window& window, UINT message, WPARAM wParam, LPARAM lParam);

    // What the automation API and the tree dump read and do. Controls without items or check state
    // keep the defaults.
    virtual std::vector<std::wstring> items(const Window&) const { return {}; }
    virtual int selection(const Window&) const { return -1; }
    // Selects an item as the user would (with the notifications); false when impossible.
    virtual bool selectAsUser(Window&, int /*index*/) { return false; }
    virtual int checkState(const Window&) const { return -1; }
    // Extra state for the dump line ("checked", "sel=2", ...); empty when nothing to add.
    virtual std::wstring describe(const Window&) const { return {}; }
};

// The default handling every window class shares: text, enable, show, close, sizes, focus.
LRESULT defaultWindowProc(Window& window, UINT message, WPARAM wParam, LPARAM lParam);

class Window {
public:
    HWND handle = nullptr;
    std::wstring className;  // as registered
    DWORD style = 0;
    DWORD exStyle = 0;
    std::wstring text;
    int id = 0;
    RECT rect{};  // parent's client coordinates; screen for top-level windows
    Window* parent = nullptr;
    Window* owner = nullptr;
    std::vector<Window*> children;  // z-order = tab order
    CFont* font = nullptr;
    HFONT fontHandle = nullptr;
    // The object that sees messages first; never null while the window exists.
    CWnd* wnd = nullptr;
    // The wrapper created for windows nobody attached an object to; owned here.
    std::unique_ptr<CWnd> ownWrapper;
    std::unique_ptr<WindowProcedure> procedure;
    bool destroying = false;
    bool redraw = true;
    int invalidations = 0;
    int showState = SW_HIDE;  // last ShowWindow command that showed it (for minimized/maximized)
    std::wstring templateName;  // dialogs: resource id they were built from ("253"); empty otherwise
    LONG_PTR userData = 0;

    bool isVisible() const { return (style & WS_VISIBLE) != 0; }
    bool isEnabled() const { return (style & WS_DISABLED) == 0; }
    bool isChild() const { return (style & WS_CHILD) != 0; }
    // Visible and every ancestor visible.
    bool isShown() const;
    // Enabled and, for a child, its top-level window enabled too (input reaches it).
    bool acceptsInput() const;
    Window* topLevel();
    Window* findChild(int id) const;  // direct children only, like GetDlgItem
    RECT clientRect() const;          // (0,0)-(width,height)
    RECT screenRect() const;
    POINT clientOrigin() const;       // client (0,0) in screen coordinates
};

// Handles map to windows through a table so a destroyed window's handle never names another window.
Window* windowFromHandle(HWND hwnd);

// Every top-level window, in creation order (for dumps and for cleaning up after a test).
std::vector<HWND> topLevelWindows();

struct CreateParams {
    std::wstring className;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};
    HWND parent = nullptr;  // parent for WS_CHILD windows, owner otherwise
    int id = 0;
    CWnd* attach = nullptr;  // the object to attach; null = the class's wrapper
    LPVOID param = nullptr;
};

// Creates a window of a registered class and sends WM_CREATE (a -1 answer destroys it again and
// returns null). Null when the class is unknown or a WS_CHILD window has no parent.
HWND createWindow(const CreateParams& params);
// Destroys a window and its children (WM_DESTROY to the parent first, then the children, as Win32),
// then detaches the objects and calls PostNcDestroy. False for an invalid handle.
bool destroyWindow(HWND hwnd);

// Sends a message to the window's attached object; 0 for invalid handles.
LRESULT sendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Notifies a control's parent: WM_COMMAND with (id, code) and the control's handle.
void notifyParent(Window& control, WORD code);

// Keyboard focus, mouse capture and the active top-level window. setFocus sends WM_KILLFOCUS to the
// old window and WM_SETFOCUS to the new one (null clears the focus) and returns the old one; a hidden,
// disabled or invalid window does not take the focus (the old one is returned and nothing changes).
HWND focusWindow();
HWND setFocus(HWND hwnd);
HWND captureWindow();
HWND setCapture(HWND hwnd);
HWND activeWindow();
void setActiveWindow(HWND hwnd);

// The non-client frame, fixed so geometry is the same everywhere: a caption (WS_CAPTION) is 23 pixels
// high, a sizing or dialog frame is 3 pixels on every side, a thin border (WS_BORDER alone) 1 pixel and
// a client edge 2 more. Dialog templates give client sizes; the window rectangle adds the frame.
RECT frameInsets(DWORD style, DWORD exStyle);

// The keyboard order of a dialog: its visible, enabled WS_TABSTOP controls in z-order, with the controls
// of child windows marked WS_EX_CONTROLPARENT (pages: DS_CONTROL dialogs) taken in place of the child.
std::vector<Window*> tabOrder(Window& dialog);
// The dialog whose keyboard interface a window's dialog belongs to: pages defer to the dialog they sit in.
Window* navigationRoot(Window& dialog);

// Moves and sizes a window (parent client coordinates for children) and sends WM_MOVE / WM_SIZE when
// they changed. Sizes below zero become zero.
void setWindowRect(Window& window, const RECT& rect);

}  // namespace ui

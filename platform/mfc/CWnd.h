#pragma once
// MFC's CWnd: the C++ object attached to a window. The window itself (class, styles, text, id,
// rectangle, parent and children, states) lives in the window model (Window.h); a CWnd is the
// behaviour attached to it. Messages reach WindowProc, which calls the On* virtuals and passes what
// they leave to DefWindowProc, where the window class's own procedure (the control's logic) answers.
//
// There are no message maps: override WindowProc or the On* virtuals. A handler that does not call
// the base's handler swallows the message, as in MFC.
#include "platform/mfc/AfxTypes.h"

class CDC;
class CFont;
class CMenu;
class CScrollBar;

class CWnd {
public:
    CWnd();
    // Destroys the window if it is still attached, as MFC does.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The CWnd attached to a window; for windows created from a dialog template without an object of
    // the dialog's own, the wrapper of the window's class (a CButton for "Button", ...). Null for null
    // or destroyed handles.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);

    // ---- Creation and destruction
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id);
    virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                          CWnd* parent, UINT id, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();
    // Attaches this object to an existing window without changing its behaviour chain (Attach) or so
    // that this object sees its messages first (SubclassWindow; the previous object handles the rest).
    BOOL Attach(HWND hwnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // ---- Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window class's procedure (or, for a subclassed window, the previously attached object's).
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called for keyboard and mouse input before it is dispatched, from the target window up to the
    // top-level window; TRUE means handled (not dispatched).
    virtual BOOL PreTranslateMessage(MSG* msg);
    // WM_COMMAND: first the sending control's reflected handling, then this. TRUE = handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A control's own look at the WM_COMMAND / WM_NOTIFY it sends its parent, before the parent
    // handles it (MFC's reflection). TRUE = handled, the parent does not see it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The message being handled (for Default()).
    const MSG* GetCurrentMessage() const;

    // ---- Text, id, styles
    void SetWindowText(LPCTSTR text);
    int GetWindowText(LPTSTR buffer, int maxCount) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    CString GetClassName() const;

    // ---- Children and relations
    CWnd* GetDlgItem(int id) const;
    void GetDlgItem(int id, HWND* hwnd) const;
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* newParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* owner);
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT relation) const;
    CWnd* GetNextWindow(UINT relation = GW_HWNDNEXT) const;
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* control, BOOL previous = FALSE) const;
    BOOL IsChild(const CWnd* window) const;

    // ---- Dialog item helpers
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;
    int GetDlgItemText(int id, LPTSTR buffer, int maxCount) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId) const;

    // ---- States
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    BOOL SetForegroundWindow();
    void BringWindowToTop();
    // Stores the font object; the caller keeps it alive for the window's life, as in MFC.
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;

    // ---- Geometry. Window rectangles are in screen coordinates, client rectangles start at (0, 0);
    // MoveWindow and SetWindowPos take the parent's client coordinates for child windows.
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
    void CenterWindow(CWnd* alternateOwner = nullptr);
    CWnd* ChildWindowFromPoint(POINT clientPoint) const;

    // ---- Painting (recorded for a rendering backend; headless windows just count requests)
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void UpdateWindow();
    void SetRedraw(BOOL redraw = TRUE);
    BOOL RedrawWindow(LPCRECT rect = nullptr, void* region = nullptr, UINT flags = 0);

    // ---- Timers (window timers post WM_TIMER, or call proc when one is given)
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);

    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

    // ---- Data exchange hook, for dialogs that use UpdateData.
    virtual BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
    // ---- Handlers WindowProc calls. The base versions pass the message on (Default()).
    virtual int OnCreate(void* createStruct);
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    // After the window is gone; modeless dialogs that own themselves delete this here.
    virtual void PostNcDestroy();
    virtual void PreSubclassWindow();
    virtual void OnClose();
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnSizing(UINT side, LPRECT rect);
    virtual void OnGetMinMaxInfo(MINMAXINFO* info);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnEnable(BOOL enable);
    virtual void OnActivate(UINT state, CWnd* other, BOOL minimized);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnSetFocus(CWnd* oldFocus);
    virtual void OnKillFocus(CWnd* newFocus);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeat, UINT flags);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    virtual BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
    virtual void OnContextMenu(CWnd* window, CPoint point);
    virtual void OnPaint();
    // WM_DRAWITEM from an owner-drawn child: by default the child draws itself (its OnChildNotify
    // sees the message, as MFC reflects it to CButton::DrawItem).
    virtual void OnDrawItem(int controlId, LPDRAWITEMSTRUCT item);
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar);
    virtual void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar);
    virtual UINT OnGetDlgCode();
    // Passes the current message to DefWindowProc.
    LRESULT Default();

private:
    friend class CWndAccess;
    // Set when this object was attached by SubclassWindow: DefWindowProc passes to the previous one.
    CWnd* m_superclass = nullptr;
    bool m_ownedByWindow = false;
};

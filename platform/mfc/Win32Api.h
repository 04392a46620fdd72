#pragma once
// The Win32 functions the dialogs call directly, over the window model.
#include "platform/mfc/Win32Types.h"

BOOL IsWindow(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsWindowEnabled(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL ShowWindow(HWND hwnd, int command);
BOOL DestroyWindow(HWND hwnd);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
HWND GetParent(HWND hwnd);
HWND GetFocus();
HWND SetFocus(HWND hwnd);
HWND GetCapture();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetActiveWindow();
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
int GetWindowTextLength(HWND hwnd);
int GetWindowText(HWND hwnd, LPTSTR buffer, int maxCount);
BOOL SetWindowText(HWND hwnd, LPCTSTR text);
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MapDialogRect(HWND dialog, LPRECT rect);
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
short GetKeyState(int virtualKey);
short GetAsyncKeyState(int virtualKey);
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
BOOL EndDialog(HWND dialog, INT_PTR result);
// The dialog keyboard interface: Tab / Shift+Tab, Escape, Return and the arrow keys in radio groups.
// TRUE when the message was for the dialog (or one of its controls) and was handled here.
BOOL IsDialogMessage(HWND dialog, MSG* msg);
int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type);
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetWindow(HWND hwnd, UINT relation);
BOOL ScreenToClient(HWND hwnd, LPPOINT point);
BOOL ClientToScreen(HWND hwnd, LPPOINT point);
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWL_ID = -12;
constexpr int GWLP_USERDATA = -21;
constexpr int GWLP_ID = GWL_ID;

// MFC's application-level calls.
// A message box owned by the active window; the text's caption is the application's name
// ("connsheet" unless ui::setApplicationName changed it).
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
// The string resource of that number is the text.
int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = 0);

class CWnd;
// The host's main window: a top-level window that owns the module's modeless dialogs.
CWnd* adsw_acadMainWnd();
CWnd* AfxGetMainWnd();

namespace ui {
void setApplicationName(const wchar_t* name);
const wchar_t* applicationName();
}  // namespace ui

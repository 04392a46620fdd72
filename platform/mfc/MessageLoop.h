#pragma once
// The thread's message queue, timers and input state.
//
// PostMessage queues; pumpMessages() delivers everything queued (and what that posts in turn) and
// fires due timers. Input (keys, mouse) goes through dispatchInput(), which first offers the message to
// PreTranslateMessage from the target window up to its top-level window, then to the dialog keyboard
// handling (Escape, Return, Tab), and only then to the target, as a real message loop with
// IsDialogMessage does.
//
// Timers run on ui::Clock. A frozen clock fires timers when a test advances it (the loop is pumped
// right after every advance); the real clock fires them when pumpMessages() finds them due. Like
// Win32's, a timer that came due several times between two pumps fires once.
#include <cstddef>

#include "platform/mfc/Win32Types.h"

namespace ui {

bool postMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Delivers posted messages and due timers until the queue is empty. Returns how many were delivered.
// Re-entrant calls (a handler pumping) deliver from the same queue.
std::size_t pumpMessages();
std::size_t pendingMessages();
// Drops posted messages and timers (used between tests; windows are not touched).
void resetMessageQueue();

// Input dispatch as a real loop does it. Returns true when PreTranslateMessage or the dialog keyboard
// handling consumed the message.
bool dispatchInput(MSG& msg);

// Keyboard state for GetKeyState: the automation API sets it while it presses keys.
void setKeyDown(UINT virtualKey, bool down);
bool isKeyDown(UINT virtualKey);

// Timers. A null window makes a thread timer: its id is chosen here (unless id names an existing
// thread timer, which is then reset) and it needs a proc. Returns 0 on failure.
UINT_PTR setTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
bool killTimer(HWND hwnd, UINT_PTR id);
// Timers currently set (for tests and leaks checks).
std::size_t activeTimerCount();
// Removes a destroyed window's timers.
void killWindowTimers(HWND hwnd);

}  // namespace ui

#include "macrodlg/EditorSelectionTimer.h"

#include "platform/mfc/Win32Api.h"

namespace {

UINT_PTR timer = 0;
bool recentSelection = false;

void CALLBACK expired(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    if (id == timer)
        timer = 0;
    recentSelection = false;
}

}  // namespace

namespace EditorSelectionTimer {

void restart() {
    if (timer != 0)
        ::KillTimer(nullptr, timer);
    timer = ::SetTimer(nullptr, 0, kWindowMs, expired);
    recentSelection = true;
}

bool recent() {
    return recentSelection;
}

void stop() {
    if (timer != 0)
        ::KillTimer(nullptr, timer);
    timer = 0;
    recentSelection = false;
}

}  // namespace EditorSelectionTimer

#pragma once
// Where the mouse goes: which window takes a press, a move or a release at a point, as Windows decides it
// by hit-testing.
//
// From the window under the point down to the deepest visible child that contains it:
//   - a disabled child takes no mouse input; its parent gets it (so a designer that disables the
//     controls it lays out receives every click made on them);
//   - a static control without SS_NOTIFY and a group box are transparent: the window beneath them (a
//     later sibling, else the parent) gets the input, as their HTTRANSPARENT answer makes Windows do.
// A window holding the capture gets all mouse input regardless (Automation does that part).
#include "platform/mfc/Win32Types.h"

namespace ui {

struct MouseTarget {
    HWND window = nullptr;
    POINT at{};  // the point in `window`'s client coordinates
};

// The window taking mouse input at `clientPoint` of `root`'s client area; `root` itself when no child
// takes it, and a null window when `root` is no window.
MouseTarget mouseTargetAt(HWND root, POINT clientPoint);

}  // namespace ui

#pragma once
// The macro editor's recent-selection window: selecting a constraint or a piece of geometry in the
// editor's grids starts a one-shot thread timer of 2000 ms (a new selection restarts it). Until it
// fires, Escape on those pages keeps its default handling instead of closing the editor, so that the
// Escape a user presses to end a pick in the drawing does not throw the editor away as well.
// One for the module; touched only on the user-interface thread.
#include "platform/mfc/Win32Types.h"

namespace EditorSelectionTimer {

constexpr UINT kWindowMs = 2000;

// A selection was made: (re)starts the timer and sets the recent-selection flag.
void restart();
// True from a selection until its timer fired.
bool recent();
// Kills the timer and clears the flag (the editor is destroyed).
void stop();

}  // namespace EditorSelectionTimer

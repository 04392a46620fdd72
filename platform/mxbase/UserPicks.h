#pragma once
// What the user picks when a macro page hands over to the drawing: a section from the library, a
// base plane, a coordinate system, or the pick or placement a designed action button stands for.
//
// Without the host the answers come from a queue that tests and step files fill (`queueUserPick`);
// an empty queue is a cancelled pick. Every call goes to the drawing's call log with its answer.
#include "platform/mxbase/Mx_String.h"

// The user's next answer to any of the picks below.
void queueUserPick(const Mx_String& answer);
// Forgets the answers not taken yet.
void clearUserPicks();

// The user chooses a section (system name, "IPE-300"); `current` is where the chooser starts.
bool UserChooseSection(const Mx_String& current, Mx_String& section);
// The user picks a plane for a profile; `plane` receives its name.
bool UserSelectPlane(Mx_String& plane);
// The user selects a coordinate system; `name` receives it.
bool selectCoordSys(Mx_String& name);
// The pick or placement of a designed action button (control types 25 and 26), named by its parts.
// `result` receives what was picked.
bool runDesignedAction(int type, const Mx_String& action, Mx_String& result);

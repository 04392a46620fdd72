#pragma once
// A constraint variable of a module ("Thickness", "Width"), with the two flags the macro dialog
// reports for it: shown in the dialog, and editable by the user there. Values are numbers (lengths in
// mm, counts, angles in degrees); the standards exchange them as text.
#include "platform/mxbase/Mx_String.h"

struct MacroVariable {
    Mx_String name;
    double value = 0.0;
    bool visible = true;   // first flag: the dialog shows the variable
    bool editable = true;  // second flag: the user may change it there

    bool operator==(const MacroVariable&) const = default;
};

#pragma once
// A flex/fix button of a tab: it switches a variable between "fixed" (the variable keeps the value it
// is given) and "flexible" (the macro works the value out itself). While `linked` is set the value
// follows another object of the drawing and a value written to it would not stay.
#include "platform/mxbase/Mx_String.h"

struct MacroFlexFixButton {
    Mx_String group;      // module group the variable belongs to
    Mx_String variable;   // module variable the button controls
    bool fixed = true;    // first flag
    bool linked = false;  // second flag

    // Whether a written value would stay as written.
    bool acceptsValue() const { return fixed && !linked; }

    bool operator==(const MacroFlexFixButton&) const = default;
};

#pragma once
// A variable cell of a tab as the macro dialog shows it: a labelled value with a control kind. A
// control id below 1 means the cell is shown as a grid row.
#include "platform/mxbase/Mx_String.h"

struct MacroCell {
    enum Kind { kNumber = 1, kText = 2, kCombo = 3, kEditCombo = 4, kCheckBox = 5 };

    Mx_String name;
    int kind = kNumber;
    int controlId = 0;
    Mx_String label;
    Mx_String value;
    Mx_String listText;  // the choices of a combo, ";"-separated
    bool readOnly = false;

    bool operator==(const MacroCell&) const = default;
};

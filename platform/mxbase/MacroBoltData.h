#pragma once
// The bolts of a bolt tab: the assembly (composition) and two values the standards read and write as
// text, the diameter and the hole offset (hole diameter minus bolt diameter), both in mm.
#include "platform/mxbase/Mx_String.h"

struct MacroBoltData {
    Mx_String composition;  // "M20 8.8 HV"
    Mx_String diameter;     // "20"
    Mx_String holeOffset;   // "2"

    bool operator==(const MacroBoltData&) const = default;
};

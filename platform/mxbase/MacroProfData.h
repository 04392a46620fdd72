#pragma once
// The merged properties of a profile group of a profile tab: what all profiles of the group share (an
// empty text when they differ), and the name of the member that owns them.
#include "platform/mxbase/Mx_String.h"

struct MacroProfData {
    Mx_String group;
    Mx_String section;   // system name, "IPE-300"
    Mx_String material;  // "S355"
    Mx_String ownedMemberName;
    // Where the group's profiles lie: offset from the base plane (mm), rotation about their axis
    // (degrees) and the base plane's name; empty when the macro places them itself.
    Mx_String offset;
    Mx_String rotation;
    Mx_String basePlane;

    bool operator==(const MacroProfData&) const = default;
};

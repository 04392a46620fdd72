#pragma once
// A base profile of a macro: one of the members the connection is placed on (the column, the beam),
// known by its section's system name ("HEB-200").
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_String.h"

struct MacroBaseProfile {
    Mx_String section;
    Mx_String material;

    // eOk with the section's system name; eInvalidInput when the profile has no section.
    Acad::ErrorStatus getSectionName(Mx_String& name) const {
        if (section.isEmpty())
            return Acad::eInvalidInput;
        name = section;
        return Acad::eOk;
    }

    bool operator==(const MacroBaseProfile&) const = default;
};

#pragma once
// The macro-wide filters a macro carries: on which connections the product offers it. The angle
// between the members' axes (in line, at right angles) and the section's rotation; the path distance
// between the members and the section height; and free properties (name and value) that the macro
// selection filters on. Zero for both ends of a range means no limit.
#include "platform/mxbase/Mx_StringArray.h"

struct MacroFilters {
    bool angle180 = false;         // members in line
    bool angle90 = false;          // members at right angles
    Mx_StringArray sectionAngles;  // the section rotations offered ("0", "90", ...)
    double pathDistanceMin = 0.0;
    double pathDistanceMax = 0.0;
    Mx_StringArray sectionKinds;  // the section shapes offered ("I", "H", ...)
    double sectionSizeMin = 0.0;
    double sectionSizeMax = 0.0;
    Mx_StringArray propertyNames;
    Mx_StringArray propertyValues;  // row-parallel with the names

    bool operator==(const MacroFilters&) const = default;

    // The choices the filter pages offer.
    static Mx_StringArray sectionAngleChoices();
    static Mx_StringArray sectionKindChoices();
};

#pragma once
// A geometric constraint of a module, as the macro editor lists it: its kind (the macro command that
// made it), the geometry it ties together (names of the module's geometry), a value for the kinds that
// have one (distance, angle, radius), and what the editor's page shows of it.
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

struct MacroConstraint {
    // The kinds, numbered as the macro commands that add them (StartMacroCommand codes 0 to 10).
    enum Kind : int {
        kParallel = 0,
        kPerpendicular,
        kCoincident,
        kSymmetric,
        kTangent,
        kConcentric,
        kEqualRadius,
        kDistance,
        kAngle,
        kRadius,
        kFixed,
        kKindCount
    };

    int kind = kParallel;
    Mx_StringArray objects;    // geometry names, as many as the kind takes (objectsOf)
    double value = 0.0;        // distance, angle or radius; 0 for the others
    int state = 0;             // 0 to 4: one of the editor page's five state buttons
    bool useVariable = false;  // the value follows a variable of the module
    bool showValue = false;    // shown as a dimension in the drawing (only with useVariable)

    // How many geometry objects a constraint of this kind ties; 0 for an unknown kind.
    static int objectsOf(int kind);
    // Whether the kind carries a value.
    static bool hasValue(int kind) { return kind == kDistance || kind == kAngle || kind == kRadius; }
    // The kind's name in the macro file ("parallel", "equalRadius"); empty for an unknown kind.
    static const char* nameOf(int kind);

    bool operator==(const MacroConstraint&) const = default;
};

// A piece of a module's geometry that constraints refer to: a point, line, plane, circle, the module's
// coordinate system or a bolt pattern's position. Flexible geometry may be moved by the constraints;
// the offset is its distance from where the module places it.
struct MacroGeometry {
    Mx_String name;
    Mx_String type = L"point";
    double offset = 0.0;
    bool flexible = false;

    // The types the macro file accepts.
    static bool isType(const Mx_String& type);

    bool operator==(const MacroGeometry&) const = default;
};

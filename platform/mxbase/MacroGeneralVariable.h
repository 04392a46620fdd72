#pragma once
// A general variable of a macro: a named number shared by all of the macro's standards. Names start
// with "gen_" ("gen_Clearance").
#include "platform/mxbase/Mx_String.h"

struct MacroGeneralVariable {
    Mx_String name;
    double value = 0.0;

    static constexpr const wchar_t* kPrefix = L"gen_";
    // Whether a name is a valid general-variable name: the prefix (any letter case) and at least one
    // more character.
    static bool isValidName(const Mx_String& name) {
        return name.length() > 4 && name.startsWith(kPrefix, false);
    }

    bool operator==(const MacroGeneralVariable&) const = default;
};

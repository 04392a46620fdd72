#pragma once
// A named plate or profile that a module places: its section ("PL-15x200" for a plate, "IPE-300" for a
// profile) and its material.
#include "platform/mxbase/Mx_String.h"

struct MacroNamedPrpl {
    Mx_String name;
    Mx_String section;
    Mx_String material;
    bool isPlate = false;

    bool operator==(const MacroNamedPrpl&) const = default;
};

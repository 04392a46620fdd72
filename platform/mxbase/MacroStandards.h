#pragma once
// The standards sheets a macro is attached to, each with its maps-to text: "Module." and a module
// group (the sheet's variable names reach into the group's modules), or the key of a line of the
// sheet's mapping file. An empty text is a sheet mapped onto the entire macro whose links have not
// been stored yet. Sheets are named relative to the library's "Connection Standards\" folder, without
// extension ("EndPlateBeamToColumn", "Childs\Stiffener").
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

struct MacroStandards {
    Mx_StringArray sheets;
    Mx_StringArray mapsTo;  // row-parallel with the sheets

    bool operator==(const MacroStandards&) const = default;

    // The maps-to text of the sheet at `path` (a name as stored, or a path that ends in
    // "Connection Standards" + name + ".vls", whatever the separators and letter case). False when
    // the macro does not list the sheet or lists it without a stored text.
    bool findMapsTo(const Mx_String& path, Mx_String& mapsTo) const;
};

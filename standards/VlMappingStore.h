#pragma once
// How the standards mapping page (CTabMacroMapping) and `connsheet map` store a sheet's links for a
// macro: an edited set of links never replaces a line of the mapping file, it is written under a fresh
// random key that becomes the macro's maps-to text; a set equal to the stored one writes nothing.
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "standards/VlSSMapping.h"

class VlMappingStore {
public:
    static constexpr int kKeyLength = 24;
    static constexpr int kMaxKeyDraws = 9999;

    // The same links both ways (VlSSMapping::isEqual looks one way only, so a dropped link would not
    // count as a change).
    static bool sameLinks(const VlSSMapping& a, const VlSSMapping& b);
    // The keys of the lines of the sheet's mapping file (none when there is no file).
    static Mx_StringArray fileKeys(const Mx_String& sheet);
    // A random key of kKeyLength letters and digits that is neither a key of the sheet's mapping file
    // nor in `taken`. False after kMaxKeyDraws draws.
    static bool drawFreshKey(const Mx_String& sheet, const Mx_StringArray& taken, Mx_String& key);
    // The text a linkable object shows among a variable's choices: the group, "." and the object when
    // there is one, "." and the kind's keyword (not for "Distance" and "MemberSectionSize"), then the
    // link's extra text ("Plates.Thickness", "Bolts.BoltRows.PatternNrBolts1", ".Prof1;0depth").
    static Mx_String candidateText(const VlObjectMap& link);
    // "Getal" (integer), "Decim" (double) or "Tekst" (string).
    static const wchar_t* typeText(VlValueType type);
};

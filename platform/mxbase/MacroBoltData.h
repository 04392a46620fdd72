#pragma once
// The bolts of a bolt tab: the assembly (composition) and two values the standards read and write as
// text, the diameter and the hole offset (hole diameter minus bolt diameter), both in mm; and the bolt
// settings the bolt-advanced dialog edits: lengths, switches, the nuts and washers, the hole of every
// part the bolts pass and the slotted holes.
//
// The switches are three-state (Switch): when the tab edits several bolts that differ, a switch reads
// Varies until the user sets it.
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

enum class Switch : int { Off = 0, On = 1, Varies = 2 };

// A slotted hole of the bolts: a hole stretched along a length, with round ends of a radius, turned by
// an angle and moved by an offset (mm and degrees as texts, as the user typed them).
struct MacroSlottedHole {
    static constexpr int kLastType = -1;  // the type index that stands for the last type (End)

    bool active = false;
    int type = kLastType;  // 0 start, 1 centre, 2 end of the bolt's part
    Mx_String length;
    Mx_String radius;
    Mx_String angle;
    Mx_String offset;

    // The type as an index 0..2 (kLastType and anything out of range mean the last one).
    int typeIndex() const { return type >= 0 && type <= 2 ? type : 2; }
    // An active hole needs a length and a radius above 0; an inactive one is never checked.
    bool isValid() const;

    bool operator==(const MacroSlottedHole&) const = default;
};

struct MacroBoltData {
    Mx_String composition;  // "M20 8.8 HV"
    Mx_String diameter;     // "20"
    Mx_String holeOffset;   // "2"

    Mx_String holeTolerance = Mx_String(L"2");  // mm added to the bolt's diameter for its holes
    Mx_String penetrationLength = Mx_String(L"0");
    Mx_String addedLength = Mx_String(L"0");
    Switch workshop = Switch::Off;  // bolted in the workshop
    Switch countersunk = Switch::Off;
    Switch flipped = Switch::Off;
    Switch tapped = Switch::Off;
    Switch nut1 = Switch::On;
    Switch nut2 = Switch::Off;
    Switch washer1 = Switch::On;
    Switch washer2 = Switch::Off;
    Switch washers = Switch::Off;  // a washer under every nut of a stack
    // Bolts in the group: with one or more the holes can be made for the whole group at once.
    int boltCount = 0;
    bool separateHoles = false;
    // One hole per part the bolts pass: the part's name and the hole's own tolerance (empty: the
    // bolts' tolerance).
    Mx_StringArray holeParts;
    Mx_StringArray holeTolerances;
    Mx_Array<MacroSlottedHole> slottedHoles;

    // The hole grid's columns: headings and one text array per column (parts, tolerances), each as
    // long as holeParts.
    void getHoleColumns(Mx_StringArray& headings, Mx_Array<Mx_StringArray>& columns) const;
    // Takes the tolerances back from a grid laid out as getHoleColumns gives it; the parts are the
    // drawing's and stay. Missing rows leave a part's tolerance empty; extra rows are ignored.
    void setHoleColumns(const Mx_Array<Mx_StringArray>& columns);
    // The index of the first active slotted hole that is not valid, -1 when all are.
    int firstInvalidSlottedHole() const;

    bool operator==(const MacroBoltData&) const = default;
};

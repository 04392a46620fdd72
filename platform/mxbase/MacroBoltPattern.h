#pragma once
// A bolt pattern of a bolt module: bolts in one or two directions. The counts are texts because the
// product's pattern dialog accepts its spacing notation there as well as a plain number; getCount
// tells the two apart.
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

// Where the bolts of a direction sit along it; Varies when the edited patterns differ.
enum class PatternAlignment : int { Varies = 0, End = 1, Distributed = 2, Start = 3 };

struct MacroBoltPattern {
    int id = 0;  // unique within its module
    Mx_String name;
    Mx_String nrBolts1 = Mx_String(L"1");
    Mx_String nrBolts2 = Mx_String(L"1");
    double spacing1 = 0.0;  // mm between bolts in direction 1
    double spacing2 = 0.0;
    bool twoDirections = false;  // the pattern has a second direction
    bool reverseStart1 = false;  // the bolts of direction 1 are counted from the other end
    bool reverseStart2 = false;
    // How the pattern dialog lays a direction out: whether direction 1 is used at all (direction 2:
    // twoDirections), the alignment, whether the spacing is the fixed distance spacing1/2 or the
    // distances of the list, one per gap (mm as texts).
    bool useDirection1 = true;
    PatternAlignment alignment1 = PatternAlignment::Distributed;
    PatternAlignment alignment2 = PatternAlignment::Distributed;
    bool fixedSpacing1 = true;
    bool fixedSpacing2 = true;
    Mx_StringArray distances1;
    Mx_StringArray distances2;
    // Which of the five alternation layouts staggers the rows (1 to 5, 0 none), and whether it is on.
    int alternation = 0;
    bool alternateRows = false;

    // The number of bolts a count text stands for: a whole number 0 or above, otherwise -1.
    static int getCount(const Mx_String& countText);

    bool operator==(const MacroBoltPattern&) const = default;
};

#pragma once
// A bolt pattern of a bolt module: bolts in one or two directions. The counts are texts because the
// product's pattern dialog accepts its spacing notation there as well as a plain number; getCount
// tells the two apart.
#include "platform/mxbase/Mx_String.h"

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

    // The number of bolts a count text stands for: a whole number 0 or above, otherwise -1.
    static int getCount(const Mx_String& countText);

    bool operator==(const MacroBoltPattern&) const = default;
};

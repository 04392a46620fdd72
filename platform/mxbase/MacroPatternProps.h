#pragma once
// A bolt pattern as a page of the macro dialog shows it: the module's pattern and the three controls
// that show it on the page (count in direction 1, count in direction 2, the pattern's button), in that
// order. A control id below 1 means the pattern has no control for it; a pattern shown as a grid row
// carries the negative row number.
#include "platform/mxbase/MacroBoltPattern.h"

struct MacroPatternProps {
    MacroBoltPattern pattern;
    int ctrlIds[3] = {0, 0, 0};

    const Mx_String& name() const { return pattern.name; }
    // The number of bolts of direction 1's count text, -1 when the text is not a plain count.
    int getCount() const { return MacroBoltPattern::getCount(pattern.nrBolts1); }

    bool operator==(const MacroPatternProps&) const = default;
};

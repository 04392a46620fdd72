#pragma once
// A segmented profile of a profile tab: a profile that follows a polyline, broken into segments.
#include "platform/mxbase/Mx_String.h"

struct MacroProfSegmentedData {
    Mx_String name;

    bool operator==(const MacroProfSegmentedData&) const = default;
};

#pragma once
// A segmented profile of a profile tab: a profile that follows a polyline, broken into segments.
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

struct MacroProfSegmentedData {
    Mx_String name;
    Mx_String clearance = Mx_String(L"0");  // mm left free between two segments
    bool breakAtPoints = false;             // a segment ends at every point of the polyline
    Mx_StringArray points;                  // the polyline's points, "x,y,z" in mm

    bool operator==(const MacroProfSegmentedData&) const = default;
};

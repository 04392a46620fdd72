#pragma once
// What the grid dialog edits: the count, distance and label of the grid lines in two directions, and
// whether the labels are shown.
#include "platform/mxbase/Mx_String.h"

class VlGridDlgData {
public:
    VlGridDlgData() = default;
    virtual ~VlGridDlgData() = default;
    VlGridDlgData(const VlGridDlgData&) = default;
    VlGridDlgData& operator=(const VlGridDlgData&) = default;
    bool operator==(const VlGridDlgData&) const = default;

    int firstCount = 4;
    Mx_String firstDistance = L"5000";
    Mx_String firstLabel = L"A";
    int secondCount = 3;
    Mx_String secondDistance = L"5000";
    Mx_String secondLabel = L"1";
    bool option = false;
};

#pragma once
// What the image selection dialog shows and returns: its caption, the pictures (full paths of picture
// files) and the name of the chosen one.
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class VlSelectImageDlgData {
public:
    VlSelectImageDlgData() = default;
    virtual ~VlSelectImageDlgData() = default;
    VlSelectImageDlgData(const VlSelectImageDlgData&) = default;
    VlSelectImageDlgData& operator=(const VlSelectImageDlgData&) = default;
    bool operator==(const VlSelectImageDlgData&) const = default;

    Mx_String title;
    Mx_StringArray images;
    Mx_String selected;
};

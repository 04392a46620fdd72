#pragma once
// A dynamic array of a macro's module: objects repeated along one dimension of the macro, with one
// entry per copy. The array dialog edits a copy; the page that opened it applies the result.
#include "platform/mxbase/Mx_String.h"

struct DynArrayData {
    Mx_String name;
    int arrayType = 0;
    int ctrlId = 0;  // the page's button for the array; below 1: none (a grid row)

    bool operator==(const DynArrayData&) const = default;
};

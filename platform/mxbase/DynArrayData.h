#pragma once
// A dynamic array of a macro's module: objects repeated along one dimension of the macro, with one
// entry per copy. The array dialog edits a copy; the page that opened it applies the result.
#include "platform/arx/AcArray.h"
#include "platform/arx/AcDbObjectId.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

// One copy of the array: the value its dimension takes and what is done with it.
struct DynArrayEntry {
    static constexpr int kNormal = 0;
    static constexpr int kSkip = 1;  // the copy is left out

    Mx_String value;
    int action = kNormal;

    bool operator==(const DynArrayEntry&) const = default;
};

struct DynArrayData {
    // The array types in the dialog's order; Varies when the edited arrays differ.
    enum Type : int { Linear = 0, Rectangular = 1, Polar = 2, AlongPath = 3, Varies = 4 };

    Mx_String name;
    int arrayType = 0;
    int ctrlId = 0;  // the page's button for the array; below 1: none (a grid row)

    Mx_String moduleImage;  // the designed template that pictures the array
    Mx_String dimNames[3];  // the macro dimensions the array steps along
    Mx_String count = Mx_String(L"1");
    Mx_String secondCount = Mx_String(L"1");  // rectangular arrays only
    Mx_String distance;
    Mx_String startValue;
    Mx_String endValue;
    Mx_String increment;
    bool mirror = false;       // every other copy is mirrored
    bool alternating = false;  // entries are added alternating, skipping `skip` between them
    Mx_String skip = Mx_String(L"0");
    Mx_Array<DynArrayEntry> entries;

    // The entry grid's columns: headings and one text array per column (value, action), one row per
    // entry.
    void getEntryColumns(Mx_StringArray& headings, Mx_Array<Mx_StringArray>& columns) const;
    // Replaces the entries with the grid's rows; a row without a value is no entry, and an action that
    // is not a number is kNormal.
    void setEntryColumns(const Mx_Array<Mx_StringArray>& columns);
    // False for an index outside the entries.
    bool setEntryAction(int index, int action);
    // The names of the numeric variables of `moduleName` that every one of the objects has, sorted:
    // what an array can step along.
    void getValidDimNames(const AcArray<AcDbObjectId>& ids, const Mx_String& moduleName,
                          Mx_StringArray& names) const;

    bool operator==(const DynArrayData& other) const;
};

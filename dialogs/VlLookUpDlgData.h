#pragma once
// What the lookup dialog edits: five texts, each chosen or typed in a combo box filled from its list,
// the comparison (choice A: equal, greater or equal, less or equal), the sort order (choice B), where
// to look (mode 0: in a table, otherwise in the drawing), whether only exact values count, and how the
// dialog was left (result 0 after OK, 2 after "Show All").
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class VlLookUpDlgData {
public:
    VlLookUpDlgData() = default;
    virtual ~VlLookUpDlgData() = default;
    VlLookUpDlgData(const VlLookUpDlgData&) = default;
    VlLookUpDlgData& operator=(const VlLookUpDlgData&) = default;
    bool operator==(const VlLookUpDlgData&) const = default;

    Mx_String text1;
    Mx_StringArray list1;
    Mx_String text2;
    Mx_StringArray list2;
    Mx_String text3;
    Mx_StringArray list3;
    Mx_String text4;
    Mx_StringArray list4;
    int choiceA = 2;
    Mx_String text5;
    Mx_StringArray list5;
    int choiceB = 0;
    int mode = 0;
    bool flag = false;
    int result = 0;
};

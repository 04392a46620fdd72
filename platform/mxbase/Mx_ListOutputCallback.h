#pragma once
// Mx_ListOutputCallback: an output target of the core library's list output. The list generator
// (Mx_Bill::feed) calls, in this order: onStartFeed, then onAddRow / onAddSubTotals / onNewPage /
// onAddSeperation for each line of the list, then onEndFeed. The base operations do nothing and
// succeed.
#include "platform/arx/AcadStatus.h"

class Mx_String;
class Mx_StringArray;

class Mx_ListOutputCallback {
public:
    virtual ~Mx_ListOutputCallback();
    virtual Acad::ErrorStatus onStartFeed();
    virtual Acad::ErrorStatus onEndFeed();
    virtual Acad::ErrorStatus onNewPage();
    virtual Acad::ErrorStatus onAddRow(const Mx_StringArray& row);
    virtual Acad::ErrorStatus onAddSubTotals(const Mx_StringArray& values, const Mx_StringArray& other,
                                             bool flag, int number);
    virtual Acad::ErrorStatus onAddSeperation(int kind);
};

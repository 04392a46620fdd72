#include "platform/mxbase/MacroCut.h"

#include "platform/mxbase/NumberFunctions.h"

bool MacroCut::setValue(int which, double value) {
    if (!isValidCutOffsetType(which))
        return false;
    values_[which] = value;
    offered_[which] = true;
    return true;
}

void MacroCut::withdraw(int which) {
    if (!isValidCutOffsetType(which))
        return;
    values_[which] = 0.0;
    offered_[which] = false;
}

void MacroCut::getCutOffsets(AcArray<int>& offsets) const {
    offsets.removeAll();
    for (int i = 0; i < kCutValueCount; ++i) {
        if (offered_[i])
            offsets.append(i);
    }
}

Acad::ErrorStatus MacroCut::getSetCutValue(VlCutOffsetType which, Mx_String& value, Mx_Access access) {
    if (!isValidCutOffsetType(which))
        return Acad::eInvalidIndex;
    if (!offered_[which])
        return Acad::eNotApplicable;
    if (access == Mx_Access::Get) {
        value = formatShortest(values_[which]);
        return Acad::eOk;
    }
    double number = 0.0;
    if (!parseNumber(value.view(), number))
        return Acad::eInvalidInput;
    values_[which] = number;
    return Acad::eOk;
}

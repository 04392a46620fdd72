#pragma once
// A cut of a module (a notch, a cope, a chamfered corner). Which of the nine values a cut has depends
// on its type; the macro stores exactly the values its type offers, so a value the cut does not have
// can be neither read nor written.
#include <array>

#include "platform/arx/AcArray.h"
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_Access.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/VlCutOffsetType.h"

class MacroCut {
public:
    Mx_String name;
    Mx_String type;  // the product's cut type ("Notch", "Cope", ...); informative only
    int number = 0;  // the cut's number as the macro dialog shows it

    bool offers(int which) const { return isValidCutOffsetType(which) && offered_[which]; }
    // The value, or 0 when the cut does not offer it.
    double value(int which) const { return offers(which) ? values_[which] : 0.0; }
    // Makes the value one the cut offers and sets it; false for an index outside 0..8.
    bool setValue(int which, double value);
    // Takes the value away from the cut.
    void withdraw(int which);
    // The indices of the values the cut offers, ascending.
    void getCutOffsets(AcArray<int>& offsets) const;

    // Get: `value` receives the number as its shortest exact text. Set: `value` must be a number.
    // eInvalidIndex for an index outside 0..8, eNotApplicable for a value the cut does not offer,
    // eInvalidInput for a text that is not a number; `value` and the cut are unchanged on failure.
    Acad::ErrorStatus getSetCutValue(VlCutOffsetType which, Mx_String& value, Mx_Access access);

    bool operator==(const MacroCut&) const = default;

private:
    std::array<double, kCutValueCount> values_{};
    std::array<bool, kCutValueCount> offered_{};
};

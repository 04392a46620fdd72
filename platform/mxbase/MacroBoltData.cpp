#include "platform/mxbase/MacroBoltData.h"

#include "platform/mxbase/UiTexts.h"

namespace {

bool positive(const Mx_String& text) {
    double value = 0.0;
    return text.toDouble(value) && value > 0.0;
}

}  // namespace

bool MacroSlottedHole::isValid() const {
    return !active || (positive(length) && positive(radius));
}

void MacroBoltData::getHoleColumns(Mx_StringArray& headings, Mx_Array<Mx_StringArray>& columns) const {
    headings = {dialString(1478), dialString(278)};
    columns.removeAll();
    columns.append(holeParts);
    Mx_StringArray tolerances;
    for (int i = 0; i < holeParts.length(); ++i)
        tolerances.append(i < holeTolerances.length() ? holeTolerances[i] : Mx_String());
    columns.append(tolerances);
}

void MacroBoltData::setHoleColumns(const Mx_Array<Mx_StringArray>& columns) {
    Mx_StringArray tolerances;
    const Mx_StringArray* given = columns.length() >= 2 ? &columns[1] : nullptr;
    for (int i = 0; i < holeParts.length(); ++i)
        tolerances.append(given != nullptr && i < given->length() ? (*given)[i] : Mx_String());
    holeTolerances = tolerances;
}

int MacroBoltData::firstInvalidSlottedHole() const {
    for (int i = 0; i < slottedHoles.length(); ++i) {
        if (!slottedHoles[i].isValid())
            return i;
    }
    return -1;
}

#include "platform/mxbase/MacroFilters.h"

Mx_StringArray MacroFilters::sectionAngleChoices() {
    return {L"0", L"90", L"180", L"270"};
}

Mx_StringArray MacroFilters::sectionKindChoices() {
    return {L"I", L"H", L"U", L"L", L"T", L"Rectangular tube", L"Round tube", L"Plate"};
}

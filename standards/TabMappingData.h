#pragma once
// What the standards mapping page edits for one macro: row-parallel, the macro's standards sheets and
// their maps-to texts; the macro's module groups; and every linkable object of the macro
// (VlSSMapping::initAllVarsFromMacro), from which the page offers each sheet variable its choices.
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/MacroStandards.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "standards/VlSSMapping.h"

class Mx_DbMacro;

class TabMappingData {
public:
    TabMappingData() = default;
    virtual ~TabMappingData() = default;
    TabMappingData(const TabMappingData&) = default;
    TabMappingData& operator=(const TabMappingData&) = default;

    // Takes the macro's groups and linkable objects and the sheets with their maps-to texts.
    // eInvalidInput without a macro (then nothing is kept).
    Acad::ErrorStatus initialize(Mx_DbMacro* macro, const MacroStandards& standards);

    // The maps-to text row `row` had when the page opened, when it was this sheet's; empty otherwise.
    Mx_String getMapping(const Mx_String& sheet, int row) const;
    MacroStandards standards() const;

    Mx_DbMacro* macro = nullptr;  // borrowed
    Mx_StringArray sheets;
    Mx_StringArray mapsTo;
    Mx_StringArray moduleGroups;
    VlSSMapping allVars;

private:
    MacroStandards opened_;
};

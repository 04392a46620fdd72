#pragma once
// The macro-wide settings the macro editor's settings dialog edits, read from and written to the
// edited macro (GetMacroSettings / SetMacroSettings): its filters, its general variables, its modules
// with their groups, and the standards sheets it is attached to with their maps-to texts.
//
// The filters and the standards sheets are kept in the macro itself (Mx_Macro::filters, ::standards),
// the one place a standards run also reads them from; the general variables are the macro's own.
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/MacroFilters.h"
#include "platform/mxbase/MacroStandards.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

struct EditConstrData;

class MacroSettings {
public:
    Mx_String macroName;
    MacroFilters filters;
    // The general variables ("gen_..."), names and values as the macro holds them.
    Mx_StringArray variableNames;
    Mx_StringArray variableValues;
    // The modules in macro order with their groups (empty for a module addressed by its name), and
    // the groups in order of first appearance (a module without group gives its name).
    Mx_StringArray moduleNames;
    Mx_StringArray moduleGroups;
    Mx_StringArray groups;
    MacroStandards standards;

    bool operator==(const MacroSettings&) const = default;
};

// The settings of the first macro the editor edits (its object in the active MacroDrawing).
// eInvalidInput without an object, eKeyNotFound when it is not in the drawing.
Acad::ErrorStatus GetMacroSettings(const EditConstrData& data, MacroSettings& settings);
// Writes the filters, the general variables' values and the standards sheets into every edited macro
// and saves each into its file (atomically). A value that is not a number fails (eInvalidInput) and
// nothing is written. The modules and groups are shown, not changed here.
Acad::ErrorStatus SetMacroSettings(const EditConstrData& data, const MacroSettings& settings);

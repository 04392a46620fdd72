#pragma once
// What the macro editor is opened on: the macro objects whose constraints it edits. The editor changes
// those objects in the drawing; nothing comes back through this data.
#include "platform/arx/AcArray.h"
#include "platform/arx/AcDbObjectId.h"
#include "platform/mxbase/Mx_String.h"

struct EditConstrData {
    AcArray<AcDbObjectId> objectIds;
    Mx_String macroName;
    // The module the editor shows: macro commands work on it (StartMacroCommand).
    Mx_String moduleName;
    bool modeless = false;
};

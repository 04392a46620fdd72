#pragma once
// The data of the macro cuts dialogs (the cut a macro makes, the cuts on one profile) and of the array
// dialog, as far as the entry points hand them over. The dialogs that work on them grow them.
#include "platform/arx/AcDbObjectId.h"
#include "platform/mxbase/DynArrayData.h"
#include "platform/mxbase/Mx_String.h"

// A cut of a macro being defined or edited.
struct DlgMacroCutsData {
    Mx_String cutName;
    int mode = 0;       // 2: a new cut is being defined
    bool flag = false;  // handed back to the caller however the dialog was closed
};

// The cuts that lie on one profile of the drawing.
struct DlgProfCutsData {
    AcDbObjectId profileId;
};

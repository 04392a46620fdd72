#pragma once
// How the entry points reach the macro sub-dialogs built elsewhere (selection 8717, macro cuts 223,
// profile cuts 235, array 236): each plugs in a runner that shows its dialog modally on a request and
// answers IDOK or IDCANCEL. Without a runner installed the entry point opens nothing and answers as a
// cancelled dialog.
#include <functional>

#include "platform/arx/AcArray.h"
#include "platform/arx/AcDbObjectId.h"
#include "platform/mfc/Win32Types.h"
#include "platform/mxbase/MacroCutsData.h"
#include "platform/mxbase/Mx_MacroPropsFilter.h"
#include "platform/mxbase/Mx_String.h"

struct SelectMacroRequest {
    Mx_String title;
    Mx_MacroPropsFilter filter;
    bool option = false;
    bool showNote = false;
    Mx_String chosen;  // out: the chosen macro
};

struct MacroCutsRequest {
    DlgMacroCutsData data;  // the dialog's copy
};

struct ProfCutsRequest {
    DlgProfCutsData data;
    bool preview = true;  // in and out: the cut-preview option
};

struct ArrayRequest {
    DynArrayData data;  // the dialog's copy
    AcArray<AcDbObjectId> ids;
    Mx_String moduleName;
};

template <class Request>
using SubDialogRunner = std::function<INT_PTR(Request& request)>;

void setSelectMacroRunner(SubDialogRunner<SelectMacroRequest> runner);
void setMacroCutsRunner(SubDialogRunner<MacroCutsRequest> runner);
void setProfCutsRunner(SubDialogRunner<ProfCutsRequest> runner);
void setArrayRunner(SubDialogRunner<ArrayRequest> runner);

// IDCANCEL when no runner is installed.
INT_PTR runSubDialog(SelectMacroRequest& request);
INT_PTR runSubDialog(MacroCutsRequest& request);
INT_PTR runSubDialog(ProfCutsRequest& request);
INT_PTR runSubDialog(ArrayRequest& request);

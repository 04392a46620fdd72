#pragma once
// How the entry points and the pages reach the macro sub-dialogs built elsewhere (selection 8717, macro
// cuts 223, profile cuts 235, array 236, bolt advanced 8140, pattern 222, segmented profiles 221): each
// plugs in a runner that shows its dialog modally on a request and
// answers IDOK or IDCANCEL. Without a runner installed the entry point opens nothing and answers as a
// cancelled dialog.
#include <functional>

#include "platform/arx/AcArray.h"
#include "platform/arx/AcDbObjectId.h"
#include "platform/mfc/Forward.h"
#include "platform/mfc/Win32Types.h"
#include "platform/mxbase/MacroBoltData.h"
#include "platform/mxbase/MacroCutsData.h"
#include "platform/mxbase/MacroPatternProps.h"
#include "platform/mxbase/MacroProfSegmentedData.h"
#include "platform/mxbase/Mx_Array.h"
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

// The bolt-advanced dialog of a general page. Every change is handed to `apply`: the page applies it as
// a page apply does and puts the tab's resulting bolt data back; false when nothing was applied.
struct BoltAdvRequest {
    CWnd* owner = nullptr;  // the page
    MacroBoltData data;     // the dialog's copy
    Mx_StringArray diameters;
    std::function<bool(MacroBoltData& data)> apply;
};

// The pattern dialog of one bolt pattern of a general page. Every change is handed to `apply`, which
// replaces the pattern at `index` in the tab and applies the page.
struct PatternRequest {
    CWnd* owner = nullptr;
    MacroPatternProps pattern;  // the dialog's copy
    int index = -1;
    std::function<bool(const MacroPatternProps& pattern)> apply;
};

// The segmented-profile dialog of a profile page: edits the segmented profiles in place.
struct ProfSegmRequest {
    CWnd* owner = nullptr;
    Mx_Array<MacroProfSegmentedData> segments;  // in and out (out only on IDOK)
};

template <class Request>
using SubDialogRunner = std::function<INT_PTR(Request& request)>;

void setSelectMacroRunner(SubDialogRunner<SelectMacroRequest> runner);
void setMacroCutsRunner(SubDialogRunner<MacroCutsRequest> runner);
void setProfCutsRunner(SubDialogRunner<ProfCutsRequest> runner);
void setArrayRunner(SubDialogRunner<ArrayRequest> runner);
void setBoltAdvRunner(SubDialogRunner<BoltAdvRequest> runner);
void setPatternRunner(SubDialogRunner<PatternRequest> runner);
void setProfSegmRunner(SubDialogRunner<ProfSegmRequest> runner);

// IDCANCEL when no runner is installed.
INT_PTR runSubDialog(SelectMacroRequest& request);
INT_PTR runSubDialog(MacroCutsRequest& request);
INT_PTR runSubDialog(ProfCutsRequest& request);
INT_PTR runSubDialog(ArrayRequest& request);
INT_PTR runSubDialog(BoltAdvRequest& request);
INT_PTR runSubDialog(PatternRequest& request);
INT_PTR runSubDialog(ProfSegmRequest& request);

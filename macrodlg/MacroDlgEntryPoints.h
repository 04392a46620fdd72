#pragma once
// The exported functions through which the product's other modules open the macro dialogs.
//
// Each builds its dialog with a copy of the caller's data and runs it modally, or registers it as a
// modeless window owned by the host's main window (the macro dialog by an id the caller holds, and at
// most one macro editor). Every function that shows a dialog runs inside the module's resource scope,
// except StartDlgMacro and the first form of StartDlgMacroProfAdv, which find their templates through
// the module's place in the resource chain.
#include "macrodlg/VlMACallBackData.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/AcDbObjectId.h"
#include "platform/mxbase/Mx_String.h"

class MacroData;
class Mx_StringArray;
struct DlgMacroCutsData;
struct DlgProfCutsData;
struct DynArrayData;
struct EditConstrData;

// Modal macro dialog; afterwards `macro` holds the dialog's data, however the dialog was closed.
void StartDlgMacro(MacroData& macro);
// Modeless macro dialog; `id` receives its registry id. When keepFocus is false the focus goes back
// to the host's main window. False when the dialog could not be made.
bool StartDlgMacroModeless(bool keepFocus, MacroData& macro, int& id);
// The modeless dialog's current data; false for an id that names no dialog.
bool GetDlgMacroData(int id, MacroData& macro);
// Closes a modeless dialog, or schedules its close while its macro is in use (retried every 50 ms).
// False when there is no such dialog or its window could not be destroyed.
bool EndDlgMacroModeless(int id);
// EndDlgMacroModeless for every id, from the highest down to 0.
void DestroyAllMacroDlgs();

// The macro editor, modal (nothing comes back) or modeless (at most one; always true).
bool StartDlgEditConstrModal(EditConstrData& data);
bool StartDlgEditConstraints(EditConstrData& data);
void EndDlgEditConstraints();

// The profile-advanced dialog on a macro's profile group, the callback working on a copy of the macro
// (first form); or on the given profiles with the caller's callback (second form: nothing opens for a
// null or empty id array, and `option` then stays as it is).
void StartDlgMacroProfAdv(MacroData& macro, const Mx_String& moduleName, const Mx_String& groupName,
                          bool mode);
void StartDlgMacroProfAdv(AcArray<AcDbObjectId>* ids, bool& option, VlMACallBack callback);

// The macro selection: on OK `chosen` and `option` receive the dialog's choice and the result is
// true; otherwise both stay as they are. The first form shows every name.
bool StartDlgSelectMacro(const Mx_String& title, const Mx_StringArray& names, const int& a, const int& b,
                         Mx_String& chosen, bool& option, bool showNote);
bool StartDlgSelectMacro(const Mx_String& title, const Mx_StringArray& names, const AcArray<bool>& visible,
                         const int& a, const int& b, Mx_String& chosen, bool& option, bool showNote);
// A macro cut: `flag` receives the dialog's flag however it was closed, `data` the dialog's copy on OK.
bool StartDlgMacroCuts(DlgMacroCutsData& data, bool& flag);
// The cuts on a profile: nothing comes back but the cut-preview option, kept by the module (on OK).
bool StartEditProfCutsDlg(DlgProfCutsData& data);
// A module's array: on OK `data` receives the dialog's copy.
bool StartArrayDlg(DynArrayData& data, const AcArray<AcDbObjectId>& ids, const Mx_String& name);

// At unload: the closes still deferred are settled at once. Their timers are killed, so none can call
// into the unloaded module, and their dialogs are destroyed although their macros are marked in use
// (the dialogs cannot outlive the module's code). Returns how many dialogs were closed this way.
int settleDeferredMacroDlgCloses();

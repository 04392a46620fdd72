#pragma once
// The core's small helpers for dialog controls. Each one takes either a control or a dialog and a
// control id, and does nothing (returning false) when the control does not exist, so dialogs whose
// templates differ between versions can call them without checking.
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class CComboBox;
class CButton;
class CWnd;

// Replaces the combo's items with `items` and selects `select` (-1: no selection; an index outside the
// list also leaves none, as CB_SETCURSEL does). False when the combo is null or destroyed.
bool FillCombo(CComboBox* combo, const Mx_StringArray& items, int select = -1);
// The same, selecting the item whose text equals `selectText` (first match; none when absent).
bool FillCombo(CComboBox* combo, const Mx_StringArray& items, const Mx_String& selectText);
bool FillCombo(CWnd* dialog, int comboId, const Mx_StringArray& items, int select = -1);

bool EnDisCtrl(CWnd* control, bool enable);
bool EnDisCtrl(CWnd* dialog, int controlId, bool enable);
bool ShowOrHideCtrl(CWnd* control, bool show);
bool ShowOrHideCtrl(CWnd* dialog, int controlId, bool show);

// Takes a check box out of three-state mode: it becomes an automatic two-state check box, and an
// indeterminate state becomes unchecked (the user has not chosen "on"). Checked stays checked.
bool disableTriState(CButton* button);
bool disableTriState(CWnd* dialog, int buttonId);

// The nearest window up the parent chain (the window itself excluded) that is a Dialog, e.g. the
// CDlgMacro owning a tab page:  CDlgMacro* owner = getDlgOwner<CDlgMacro>(this);
// Null when there is none.
CWnd* getDlgOwnerWindow(CWnd* window, bool (*matches)(CWnd*));
template <class Dialog>
Dialog* getDlgOwner(CWnd* window)
{
    return dynamic_cast<Dialog*>(getDlgOwnerWindow(window, [](CWnd* w) { return dynamic_cast<Dialog*>(w) != nullptr; }));
}
// Without a type: the top-level window that owns the window's dialog (the first ancestor that is not
// a child window).
CWnd* getDlgOwner(CWnd* window);

#pragma once
// The core's dialog-size calls. Every dialog restores its size under a name of its own when it opens
// and stores it when it is destroyed:
//     OnInitDialog: getDlgSize(this, m_minWidth, m_minHeight); ChangeDlgSize(this, L"DLG_GENVARS");
//     OnDestroy:    WriteDlgSize(this, L"DLG_GENVARS");
// The values live in ui::DialogSizeStore (the registry).
#include "platform/mxbase/Mx_String.h"

class CWnd;

// The dialog's current window size (the template's size when called from OnInitDialog, which is how
// dialogs take their minimum size). False, and 0 x 0, for a null or destroyed window.
bool getDlgSize(CWnd* dialog, int& width, int& height);
// The size stored under the name; false when none is stored.
bool getDlgSize(const Mx_String& name, int& width, int& height);

// Stores the dialog's current size (and position) under the name. False for a destroyed window, an
// empty name, or a minimised dialog (its size is not the user's choice and would restore as a sliver).
bool WriteDlgSize(CWnd* dialog, const Mx_String& name);

// Resizes the dialog to the size stored under the name, never smaller than it is now: the dialog's
// current size is its template's, and a size saved by an older, smaller template would cut controls
// off. With restorePosition the stored position is restored too. False when nothing is stored (the
// dialog is left as it is).
bool ChangeDlgSize(CWnd* dialog, const Mx_String& name, bool restorePosition = false);

// A per-dialog switch ("LARGE_DLG" under "DLG_SELECT_MACRO"). read returns the default when the value
// was never written.
bool readDlgRegBool(const Mx_String& dialogName, const Mx_String& valueName, bool defaultValue = false);
bool writeDlgRegBool(const Mx_String& dialogName, const Mx_String& valueName, bool value);

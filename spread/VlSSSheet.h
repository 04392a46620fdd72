#pragma once
// The sheet-level operations around VlSSSettings: a new sheet set up with a settings file, the save
// that keeps the sheet's settings (and copies its header and footer files next to it), and the
// variables of the settings.
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class Mx_Spread;

// Switches 12, 25, 7 and 21 on. For a new sheet: 6 columns and 11 rows of edit cells, the settings
// from the file settingsName (else from the registry's default settings file) written into the
// corner cell's tag, and their font on the cells (bold on the headers). Text tips after 10 ms; no
// cell-note indicator.
bool initNewSheet(Mx_Spread& grid, const Mx_String& settingsName, bool isNew);

// Saves the sheet to fileName (a registered writer for its extension, else the grid's own file),
// clears its changed flag, and copies its header file (or, failing that, its footer file) next to
// the saved sheet, storing the copy's path in the sheet. False only when the save failed; the
// changed flag then stays set.
bool saveSheet(Mx_Spread& grid, const Mx_String& fileName);

// Replaces the variable lists of the sheet's settings. True when the settings were written back.
bool applyVariables(Mx_Spread& grid, const Mx_StringArray& names, const Mx_StringArray& values);

// A new sheet with the settings file, its font face and size made the grid's fonts.
bool loadSettingsIntoGrid(Mx_Spread& grid, const Mx_String& settingsName);

// Writes a sheet in another format than the grid's own (an office workbook for ".xlsx"). A writer
// replaces the target atomically and returns false when it could not.
using SheetFileWriter = bool (*)(Mx_Spread& grid, const Mx_String& fileName);
// Registers the writer for an extension such as L".xlsx" (compared ignoring case); null removes it.
void setSheetFileWriter(const Mx_String& extension, SheetFileWriter writer);

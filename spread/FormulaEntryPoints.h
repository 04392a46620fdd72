#pragma once
// The exported entry points of the formulas dialog (CFormula). Both switch to the module's resources for
// the dialog and back on every way out.
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

// Shows the sheet "c:\a\t3.sss" in the formulas dialog with cell (1, 1) recalculated.
void EvaluateSS();

// Reads a whole sheet: the text of cell (1, 1) as its title, the column headers, and every row's cell
// texts. A file that cannot be loaded reads as the dialog's own empty sheet of 10 rows by 8 columns.
void ReadSSFile(const Mx_String& fileName, Mx_String& title, Mx_StringArray& columnNames,
                Mx_Array<Mx_StringArray>& rows);

// What EvaluateSS does, for any sheet and cell; the dialog's result (IDOK, IDCANCEL).
int evaluateSheet(const Mx_String& fileName, int col, int row);
// ReadSSFile that also tells whether the file was loaded.
bool readSheet(const Mx_String& fileName, Mx_String& title, Mx_StringArray& columnNames,
               Mx_Array<Mx_StringArray>& rows);

#pragma once
// The grids of the macro sub-dialogs show a table of text columns (a data class's getXxxColumns) and
// give it back (setXxxColumns): one grid column per array, one row per element.
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_StringArray.h"

class Mx_Spread;

namespace subdlg {

// Headings and columns into the grid; at least one row, so there is always a cell to type in.
void showColumns(Mx_Spread& grid, const Mx_StringArray& headings, const Mx_Array<Mx_StringArray>& columns);
// Every column of the grid, each as long as the grid has rows.
void readColumns(Mx_Spread& grid, Mx_Array<Mx_StringArray>& columns);

}  // namespace subdlg

#pragma once
// connsheet show NUMBER --sheet FILE: the dialogs that show a sheet, opened on it with their data.
//   133  the formulas dialog with the sheet loaded and a cell recalculated (EvaluateSS);
//   208  the string-table dialog with the sheet's headers and rows (startGridDialog);
//   218  the find/replace dialog over the sheet in the spreadsheet window (its F3 / F5).
#include <functional>
#include <ostream>

#include "platform/mfc/Win32Types.h"
#include "platform/mxbase/Mx_String.h"

namespace connsheet {

// Opens dialog `id` on the sheet at `path` and hands its window to `finish` (steps, picture), whose
// result is returned; -1 when `id` is none of these dialogs.
int showFormulaDialog(UINT id, const Mx_String& path, int col, int row,
                      const std::function<int(HWND)>& finish, std::ostream& err);

}  // namespace connsheet

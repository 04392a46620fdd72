#pragma once
// A sheet of the spreadsheet window as an office workbook (.xlsx): the header row as a title row, the
// cells with their values, number formats, fonts, borders and fill colours, the spans as merged
// cells, and the print settings of the sheet's editor settings that an office suite knows (margins,
// orientation, page header and footer, cell separators).
#include "platform/mxbase/Mx_String.h"

class Mx_Spread;

namespace connsheet {

// Writes the workbook atomically; false when it could not be written (the old file then stays).
// Matches SheetFileWriter, so a sheet saved under an ".xlsx" name becomes a workbook.
bool writeSheetWorkbook(Mx_Spread& grid, const Mx_String& fileName);

}  // namespace connsheet

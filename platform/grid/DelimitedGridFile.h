#pragma once
// Sheets from and to CSV and TSV text (docs/grid-format.md): each field entered as a user would type
// it, and written back as data or "=formula".
#include <string>
#include <string_view>

#include "platform/grid/DelimitedText.h"
#include "platform/grid/GridFile.h"

namespace grid {

// All or nothing, as the native reader: every formula is checked before the sheet is touched.
// Diagnostics start with "line N: ".
GridFileResult readDelimitedGrid(Sheet& target, std::string_view bytes, Delimiter delimiter);
// The cells' data and formulas, rows 1..last used, columns 1..last used.
std::string writeDelimitedGrid(Sheet& sheet, Delimiter delimiter);

}  // namespace grid

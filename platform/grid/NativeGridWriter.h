#pragma once
// Writes a sheet in the native grid format (docs/grid-format.md): only what differs from a new sheet,
// one cell per line in row/column order, deterministically, so save -> load -> save gives the same
// bytes.
#include <string>

namespace grid {

class Sheet;

// The sheet is not changed: its reference style is switched to A1 while the formulas are written,
// and back.
std::string writeNativeGrid(Sheet& sheet);

}  // namespace grid

#pragma once
// Reads the native grid format (docs/grid-format.md) into a sheet, all or nothing: every line is
// checked before the sheet is touched, or, for a new sheet, the sheet is put back should a line fail,
// so a bad file leaves it exactly as it was.
#include <cstdint>
#include <string_view>
#include <utility>  // pair
#include <vector>

#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"

namespace grid {

struct NativeGridRead {
    GridFileResult result;  // diagnostics start with "line N: "
    // After a successful read: the reference style and the switches the file set.
    RefStyle refStyle = RefStyle::Legacy;
    std::vector<std::pair<std::int32_t, bool>> switches;
};

NativeGridRead readNativeGrid(Sheet& target, std::string_view bytes);

}  // namespace grid

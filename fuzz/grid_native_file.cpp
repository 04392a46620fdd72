// Any bytes loaded as a native grid file: a bad file is refused with a diagnostic naming its line and
// leaves the sheet as it was; a good one saves to text that loads again and saves to the same bytes.
#include <cstdint>
#include <cstdlib>  // abort
#include <string_view>

#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    grid::Sheet sheet;
    sheet.setMaxCols(2);
    sheet.setMaxRows(2);
    sheet.setData(2, 2, L"marker");

    grid::GridFileResult r = grid::GridFile::loadText(sheet, bytes, grid::GridFileFormat::Native);
    if (!r) {
        if (r.line <= 0 || r.diagnostic.empty()) std::abort();
        if (sheet.dataText(2, 2) != L"marker" || sheet.maxCols() != 2 || sheet.maxRows() != 2) std::abort();
        return 0;
    }
    std::string saved = grid::GridFile::toNativeText(sheet);
    grid::Sheet again;
    grid::GridFileResult r2 = grid::GridFile::loadText(again, saved, grid::GridFileFormat::Native);
    if (!r2) std::abort();  // we wrote something we cannot read
    if (grid::GridFile::toNativeText(again) != saved) std::abort();
    return 0;
}

// .ods files from anywhere must be refused with a message, never crash or fill memory. What is
// read stays within the sheet's limits, and its CSV text loads into a grid (or is refused with a line).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/OfficeSheet.h"
#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<connsheet::OfficeCell> cells;
    std::string error;
    if (!connsheet::readOds(bytes, cells, error)) {
        if (error.empty() || !cells.empty())
            std::abort();  // says why, adds nothing
        return 0;
    }
    if (cells.size() > connsheet::kMaxOfficeCells)
        std::abort();
    for (const connsheet::OfficeCell& cell : cells)
        if (cell.row < 1 || cell.col < 1 || cell.col > 16384 || cell.row > 1048576 || cell.text.empty())
            std::abort();
    grid::Sheet sheet;
    const grid::GridFileResult loaded = grid::GridFile::loadText(sheet, connsheet::officeCellsAsCsv(cells),
                                                                 grid::GridFileFormat::Csv, "fuzz");
    if (!loaded && loaded.diagnostic.empty())
        std::abort();
    return 0;
}

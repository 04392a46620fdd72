// Any bytes loaded as CSV or TSV (the first byte chooses): refused with a diagnostic and the sheet
// untouched, or loaded; a loaded sheet written back as the same kind of text loads to the same text.
#include <cstdint>
#include <cstdlib>  // abort
#include <string_view>

#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    bool tsv = data[0] & 1;
    auto format = tsv ? grid::GridFileFormat::Tsv : grid::GridFileFormat::Csv;
    std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    grid::Sheet sheet;
    sheet.setMaxCols(1);
    sheet.setMaxRows(1);
    sheet.setData(1, 1, L"marker");
    grid::GridFileResult r = grid::GridFile::loadText(sheet, bytes, format);
    if (!r) {
        if (r.line <= 0 || r.diagnostic.empty()) std::abort();
        if (sheet.dataText(1, 1) != L"marker" || sheet.maxCols() != 1) std::abort();
        return 0;
    }
    std::string written = grid::GridFile::toDelimitedText(sheet, tsv ? '\t' : ',');
    grid::Sheet again;
    if (!grid::GridFile::loadText(again, written, format)) std::abort();  // we wrote what we cannot read
    if (grid::GridFile::toDelimitedText(again, tsv ? '\t' : ',') != written) std::abort();
    return 0;
}

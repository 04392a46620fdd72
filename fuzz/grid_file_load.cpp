// Sheets are loaded from files whose format is told by the extension and the first line. The first
// byte picks the file name (".vls", ".csv", ".TSV", no extension); the rest is the file. A load
// gives what loading the same bytes in the detected format gives; a refused file names its line and
// leaves the sheet untouched; a loaded sheet saves under a native name and loads back to the same text.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"

namespace {

using fuzzsupport::check;

namespace fs = std::filesystem;

grid::Sheet markedSheet() {
    grid::Sheet sheet;
    sheet.setMaxCols(2);
    sheet.setMaxRows(2);
    sheet.setData(2, 2, L"marker");
    return sheet;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzzsupport::ScratchFolder folder("cs_fuzz_grid_file");
    if (size == 0) return 0;
    static const char* const kNames[] = {"Fuzz.vls", "Fuzz.csv", "Fuzz.TSV", "Fuzz"};
    const fs::path file = folder.path() / kNames[data[0] % 4];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

    grid::Sheet sheet = markedSheet();
    const grid::GridFileResult loaded = grid::GridFile::load(sheet, file.wstring());
    grid::Sheet direct = markedSheet();
    const grid::GridFileResult fromText =
        grid::GridFile::loadText(direct, bytes, grid::GridFile::detect(file, bytes));
    check(loaded.ok == fromText.ok);
    if (!loaded) {
        check(!loaded.diagnostic.empty());
        check(sheet.dataText(2, 2) == L"marker" && sheet.maxCols() == 2 && sheet.maxRows() == 2);
        return 0;
    }
    const std::string native = grid::GridFile::toNativeText(sheet);
    check(grid::GridFile::toNativeText(direct) == native);

    const fs::path saved = folder.path() / "Saved.vls";
    check(grid::GridFile::save(sheet, saved.wstring()).ok);
    grid::Sheet again;
    check(grid::GridFile::load(again, saved.wstring()).ok);
    check(grid::GridFile::toNativeText(again) == native);
    return 0;
}

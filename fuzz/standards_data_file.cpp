// Data files (GETCELL, GETPROFCELL) and sizes files (the tolerance functions) are written by hand in
// the library. Any bytes read as either without harm; the file read from disk gives what the parser
// gives for the same text; no field holds a TAB or a line feed; and the tolerance choice over the
// sizes stays inside the tolerances it was given.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "platform/mxbase/TextFile.h"
#include "standards/VlDataFile.h"
#include "standards/VlTolerance.h"

namespace {

using fuzzsupport::check;

namespace fs = std::filesystem;

bool sameRows(const VlDataFile::Rows& a, const VlDataFile::Rows& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].length() != b[i].length()) return false;
        for (int k = 0; k < a[i].length(); ++k)
            if (a[i][k].str() != b[i][k].str()) return false;
    }
    return true;
}

// Far below the 999999999 that stands for "no candidate", which is itself within huge tolerances.
bool moderate(double v) { return std::isfinite(v) && std::fabs(v) < 1e8; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzzsupport::ScratchFolder folder("cs_fuzz_data_file");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Mx_String text(textfile::decode(bytes));
    const std::size_t lines = textfile::splitLines(text.view()).size();

    const VlDataFile::Rows rows = VlDataFile::parseData(text);
    check(rows.size() <= lines);
    for (const Mx_StringArray& row : rows) {
        check(!row.isEmpty());
        // A CR that does not end a line stays in its field, as the core's line splitting keeps it.
        for (const Mx_String& field : row) check(field.str().find_first_of(L"\t\n") == std::wstring::npos);
    }
    const VlDataFile::SizesFile sizesFile = VlDataFile::parseSizesFile(text);
    const VlDataFile::Sizes& sizes = sizesFile.sizes;
    // Every line is a size or is skipped (and so said), never both.
    check(sizes.size() + sizesFile.skipped.size() <= lines);
    check(VlDataFile::parseSizes(text) == sizes);

    // The same bytes as files: what the functions read is what the parsers give.
    const fs::path dat = folder.path() / "Fuzz.dat";
    const fs::path siz = folder.path() / "Fuzz.siz";
    std::ofstream(dat, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(size));
    std::ofstream(siz, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(size));
    const auto readRows = VlDataFile::readData(Mx_String(dat.string()));
    check(readRows != nullptr && sameRows(*readRows, rows));
    const auto readSizes = VlDataFile::readSizes(Mx_String(siz.string()));
    check(readSizes != nullptr && readSizes->sizes == sizes && readSizes->skipped == sizesFile.skipped);

    // The tolerance choice, with the first pair as step and value and the second as the tolerances.
    if (sizes.size() < 2) return 0;
    const double step = sizes[0].first, value = sizes[0].second;
    const double down = sizes[1].first, up = sizes[1].second;
    std::vector<double> standards;
    for (std::size_t i = 2; i < sizes.size(); ++i) standards.push_back(sizes[i].first);
    const double chosen = VlTolerance::choose(standards, step, value, down, up);
    if (moderate(step) && step > 0 && moderate(value) && moderate(down) && moderate(up) && down >= 0 && up >= 0 &&
        std::all_of(standards.begin(), standards.end(), moderate)) {
        // Rounding to the step may land a hair outside; anything more is a wrong choice.
        const double slack = 1e-9 * (1 + std::fabs(value) + down + up + step);
        check(chosen >= value - down - slack && chosen <= value + up + slack);
    }
    return 0;
}

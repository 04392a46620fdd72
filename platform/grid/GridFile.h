#pragma once
// Grid files: the engine side of SSLoadFromFile / SSSaveToFile.
//
// The native format is ours (docs/grid-format.md): versioned UTF-8 text, one cell per line in
// row/column order, holding everything a sheet keeps, so that save -> load -> save gives the same
// bytes. Loading also reads CSV and TSV, each cell entered as a user would type it.
//
// A load either replaces the whole content of the sheet or, when the file is bad, leaves the sheet
// exactly as it was and says which line is wrong and why. The sheet's custom functions stay registered
// either way.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace grid {

class Sheet;

enum class GridFileFormat : std::uint8_t { Native, Csv, Tsv };

struct GridFileResult {
    bool ok = true;
    // On failure: "<file>: line 4: unknown property "colour"", naming the file where there is one.
    std::string diagnostic;
    std::int32_t line = 0;  // the line at fault, from 1; 0 when the problem is not a line's
    explicit operator bool() const { return ok; }
};

class GridFile {
public:
    // The file's format: ".csv" and ".tsv" by their extension (any case); anything else is native
    // when it starts with the native header, else CSV or TSV by its first line.
    static GridFileFormat detect(const std::filesystem::path& path, std::string_view bytes);

    // Loads a file of any of the formats. Paths may use "\" and differ in case (fsys::resolve).
    static GridFileResult load(Sheet& sheet, std::wstring_view path);
    // Loads text that is already in memory. `name` prefixes diagnostics (may be empty).
    static GridFileResult loadText(Sheet& sheet, std::string_view bytes, GridFileFormat format,
                                   std::string_view name = {});

    // Saves atomically (a failed save leaves an existing file as it was) and clears the sheet's
    // changed flag. ".csv" and ".tsv" write delimited text (data and "=formula" of each cell only);
    // every other name writes the native format.
    static GridFileResult save(Sheet& sheet, std::wstring_view path);
    // The native text of a sheet. The sheet is not changed (its reference style is switched to A1
    // while the formulas are written, and back).
    static std::string toNativeText(Sheet& sheet);
    // The cells' data and formulas as delimited text, rows 1..last used, columns 1..last used.
    static std::string toDelimitedText(Sheet& sheet, char delimiter);
};

// SSLoadFromFile / SSSaveToFile at engine level: 1 on success, 0 on failure (the diagnostic, when
// wanted, goes to `diagnostic`).
int SSLoadFromFile(Sheet& sheet, std::wstring_view path, std::string* diagnostic = nullptr);
int SSSaveToFile(Sheet& sheet, std::wstring_view path, std::string* diagnostic = nullptr);

}  // namespace grid

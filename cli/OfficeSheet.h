#pragma once
// The first sheet of an office spreadsheet (.xlsx, .ods) as plain cells: texts, numbers and formulas.
// connsheet convert loads them into a grid as a user would type them, so the grid's own checks apply.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace grid {
class Sheet;
}

namespace connsheet {

struct OfficeCell {
    std::int32_t row = 0;  // from 1
    std::int32_t col = 0;  // from 1
    std::string text;  // UTF-8; a formula starts with "=" and uses A1 references and "," between arguments
};

// Cells of the first worksheet, in no particular order. False with the reason in `error`
// ("xl/worksheets/sheet1.xml: 3:40: ..." or "not a zip archive") when the file cannot be read.
bool readXlsx(std::string_view bytes, std::vector<OfficeCell>& cells, std::string& error);
bool readOds(std::string_view bytes, std::vector<OfficeCell>& cells, std::string& error);

// A cell as the .xlsx writer takes it: a formula (with its last value when it is a number), a
// number, a truth value or a text.
struct OfficeValue {
    enum class Kind { Text, Number, Boolean, Formula };
    std::int32_t row = 0;  // from 1
    std::int32_t col = 0;  // from 1
    Kind kind = Kind::Text;
    std::string text;  // UTF-8: the text, or the formula with its "="
    double number = 0;
    bool hasNumber = false;  // a formula's last value is this number
    std::int32_t style = 0;  // index into OfficeLayout::styles; 0 is the workbook's default look
};

// How a cell looks in a workbook.
struct OfficeStyle {
    std::string font;     // UTF-8 face; empty: the default
    double fontSize = 0;  // points; 0: the default
    bool bold = false;
    std::int32_t decimals = -1;    // a number format with this many decimals; -1: general
    bool border = false;           // a thin line around the cell
    std::int32_t background = -1;  // 0xRRGGBB; -1: none
    bool operator==(const OfficeStyle&) const = default;
};

// The look and print settings of a worksheet beyond its cells.
struct OfficeLayout {
    std::vector<OfficeStyle> styles{OfficeStyle{}};  // styles[0] is the default look
    std::vector<double> columnWidths;                // in characters, from column 1; 0 keeps the default
    struct RowHeight {
        std::int32_t row = 0;
        double points = 0;
    };
    std::vector<RowHeight> rowHeights;
    struct Merge {
        std::int32_t row1 = 0, col1 = 0, row2 = 0, col2 = 0;
    };
    std::vector<Merge> merges;
    // Pictures placed with their top-left corner in a cell.
    struct Image {
        std::int32_t row = 0, col = 0;
        std::string bytes;  // a BMP, PNG or JPEG file's bytes
    };
    std::vector<Image> images;
    // Row 1 holds the column titles: printed on every page and kept in view while scrolling.
    bool titleRow = false;
    // Print settings.
    bool landscape = false;
    double marginLeft = -1, marginRight = -1, marginTop = -1, marginBottom = -1;  // inches; -1: default
    std::string header, footer;  // page header and footer in the office codes ("&CTitle", "&P")
    bool printGridlines = false;

    // The index of the style, added when it is new.
    std::int32_t styleIndex(const OfficeStyle& style);
};

// The cells as CSV, the text a grid loads (an empty field for every cell between).
std::string officeCellsAsCsv(std::vector<OfficeCell> cells);

// Writes the sheet's cells (numbers as numbers, texts, formulas with their last values) to an .xlsx
// file, atomically. False with the reason in `error`.
bool writeXlsx(grid::Sheet& sheet, const std::filesystem::path& path, std::string& error);
// Writes cells with their looks and the sheet's print settings, atomically.
bool writeXlsx(const std::vector<OfficeValue>& values, const OfficeLayout& layout,
               const std::filesystem::path& path, std::string& error);

// The most cells a reader takes from one file; a file that holds more is refused rather than filling
// memory (repeated rows and columns in .ods files make a few bytes stand for millions of cells).
constexpr std::size_t kMaxOfficeCells = 1'000'000;

}  // namespace connsheet

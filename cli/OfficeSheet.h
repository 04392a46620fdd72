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
};

// The cells as CSV, the text a grid loads (an empty field for every cell between).
std::string officeCellsAsCsv(std::vector<OfficeCell> cells);

// Writes the sheet's cells (numbers as numbers, texts, formulas with their last values) to an .xlsx
// file, atomically. False with the reason in `error`.
bool writeXlsx(grid::Sheet& sheet, const std::filesystem::path& path, std::string& error);

// The most cells a reader takes from one file; a file that holds more is refused rather than filling
// memory (repeated rows and columns in .ods files make a few bytes stand for millions of cells).
constexpr std::size_t kMaxOfficeCells = 1'000'000;

}  // namespace connsheet

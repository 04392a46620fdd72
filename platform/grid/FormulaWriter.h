#pragma once
// Writes a Formula back as text in a reference style (names upper case, no blanks, parentheses
// only where precedence needs them), and as the binary key under which the sheet shares one
// Formula between every cell whose formula is the same relative to the cell.
#include <cstdint>
#include <string>

#include "platform/grid/Formula.h"
#include "platform/grid/Sheet.h"

namespace grid {

class FormulaWriter {
public:
    // The text for the formula placed at (col, row), without "=". A reference the style cannot
    // show (a relative reference in the legacy style, a cell left of column A) is written "?".
    static std::wstring text(const Formula& f, std::int32_t col, std::int32_t row, RefStyle style);
    // Every part of the formula that matters for evaluation, as bytes: equal keys, equal formulas.
    static void key(const Formula& f, std::string& out);
    // 1 -> "A", 27 -> "AA".
    static std::wstring columnLetters(std::int32_t col);
    // Numbers as written in formulas: the shortest text that reads back as the same double.
    static std::wstring numberText(double v);
};

}  // namespace grid

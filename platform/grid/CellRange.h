#pragma once
// A rectangle of cells, absolute, 1-based and inclusive. A single cell is a 1x1 range.
#include <cstdint>

namespace grid {

struct CellRange {
    std::int32_t col1 = 0, row1 = 0, col2 = 0, row2 = 0;

    static CellRange cell(std::int32_t col, std::int32_t row) { return {col, row, col, row}; }
    std::int32_t columns() const { return col2 - col1 + 1; }
    std::int32_t rows() const { return row2 - row1 + 1; }
    bool isSingleCell() const { return col1 == col2 && row1 == row2; }
    bool contains(std::int32_t col, std::int32_t row) const {
        return col >= col1 && col <= col2 && row >= row1 && row <= row2;
    }
    bool operator==(const CellRange&) const = default;
};

}  // namespace grid

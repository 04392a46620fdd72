#pragma once
// Where the grid window's cells lie in its client area: the header column and row, then the columns
// and rows from the first ones in view (leftCol, topRow) at the sheet's pixel sizes, up to the client
// edge. Painting, hit testing and SSGetCellRect all ask this one layout, so what a user sees is what
// a click reaches.
//
// Only the lines in view are laid out: a sheet of two million rows costs what its window shows.
#include <optional>
#include <utility>  // pair
#include <vector>

#include "platform/grid/CellRange.h"
#include "platform/grid/window/SSTypes.h"

namespace grid {

class GridWindow;

// A column (x from start to end) or a row (y from start to end), end exclusive.
struct LayoutLine {
    SS_COORD index = 0;
    int start = 0, end = 0;
};

class GridLayout {
public:
    GridLayout(const GridWindow& grid, const RECT& client);

    const RECT& client() const { return client_; }
    int headerWidth() const { return headerWidth_; }
    int headerHeight() const { return headerHeight_; }
    // Data columns and rows in view, in order; hidden ones (size 0) are left out. The last one may
    // reach past the client edge.
    const std::vector<LayoutLine>& columns() const { return columns_; }
    const std::vector<LayoutLine>& rows() const { return rows_; }
    // Where the sheet's cells end: past them lies the grey area (the client edge when they fill it).
    int cellsRight() const;
    int cellsBottom() const;

    std::optional<LayoutLine> column(SS_COORD col) const;  // 0: the header column
    std::optional<LayoutLine> row(SS_COORD row) const;     // 0: the header row
    // One cell, 0 for the headers; nullopt when out of view or hidden.
    std::optional<RECT> cellRect(SS_COORD col, SS_COORD row) const;
    // The rectangle a block of cells covers (a span, drawn as one cell), even where it starts above
    // or left of the view; nullopt when none of it is in view. Headers (0) only with themselves.
    std::optional<RECT> blockRect(const CellRange& block) const;
    // What a cell is drawn as: its span's rectangle when it lies in one, else its own.
    std::optional<RECT> cellBox(SS_COORD col, SS_COORD row) const;
    // The cell under a point: (col, row) with 0 for the headers; nullopt over the grey area.
    std::optional<std::pair<SS_COORD, SS_COORD>> hitTest(POINT at) const;

private:
    // The x (or y) where data column (row) `index` starts, counting back from the first in view for
    // lines scrolled out before it, or on past the last in view.
    int startOf(const std::vector<LayoutLine>& lines, SS_COORD first, int origin, SS_COORD index,
                bool columns) const;

    const GridWindow& grid_;
    RECT client_{};
    int headerWidth_ = 0, headerHeight_ = 0;
    SS_COORD leftCol_ = 1, topRow_ = 1;
    std::vector<LayoutLine> columns_, rows_;
    bool columnsEnd_ = false, rowsEnd_ = false;  // the sheet's last column / row lies in view
};

}  // namespace grid

#include "platform/grid/window/GridLayout.h"

#include <algorithm>

#include "platform/grid/window/GridWindow.h"

namespace grid {

namespace {

// Lines scrolled out of view are counted only this far: a block reaching further than that off the
// window is as good as infinitely far, and the count must not grow with the sheet.
constexpr int kFarAway = 1 << 20;
constexpr SS_COORD kMostCounted = 1 << 16;

}  // namespace

GridLayout::GridLayout(const GridWindow& grid, const RECT& client)
    : grid_(grid),
      client_(client),
      headerWidth_(grid.headerWidth()),
      headerHeight_(grid.headerHeight()),
      leftCol_(std::max<SS_COORD>(1, grid.leftCol)),
      topRow_(std::max<SS_COORD>(1, grid.topRow)) {
    const Sheet& sheet = grid.sheet;
    int x = headerWidth_;
    SS_COORD col = leftCol_;
    for (; col <= sheet.maxCols() && x < client.right; ++col) {
        int width = sheet.colWidthInPixels(col);
        if (width > 0)
            columns_.push_back({col, x, x + width});
        x += std::max(0, width);
    }
    columnsEnd_ = col > sheet.maxCols();
    int y = headerHeight_;
    SS_COORD r = topRow_;
    for (; r <= sheet.maxRows() && y < client.bottom; ++r) {
        int height = sheet.rowHeightInPixels(r);
        if (height > 0)
            rows_.push_back({r, y, y + height});
        y += std::max(0, height);
    }
    rowsEnd_ = r > sheet.maxRows();
}

int GridLayout::cellsRight() const {
    if (!columnsEnd_)
        return client_.right;
    return columns_.empty() ? headerWidth_ : std::min<int>(columns_.back().end, client_.right);
}

int GridLayout::cellsBottom() const {
    if (!rowsEnd_)
        return client_.bottom;
    return rows_.empty() ? headerHeight_ : std::min<int>(rows_.back().end, client_.bottom);
}

namespace {

std::optional<LayoutLine> find(const std::vector<LayoutLine>& lines, SS_COORD index) {
    auto it = std::lower_bound(lines.begin(), lines.end(), index,
                               [](const LayoutLine& line, SS_COORD i) { return line.index < i; });
    if (it == lines.end() || it->index != index)
        return std::nullopt;
    return *it;
}

}  // namespace

std::optional<LayoutLine> GridLayout::column(SS_COORD col) const {
    if (col == 0)
        return headerWidth_ > 0 ? std::optional<LayoutLine>({0, 0, headerWidth_}) : std::nullopt;
    return find(columns_, col);
}

std::optional<LayoutLine> GridLayout::row(SS_COORD r) const {
    if (r == 0)
        return headerHeight_ > 0 ? std::optional<LayoutLine>({0, 0, headerHeight_}) : std::nullopt;
    return find(rows_, r);
}

std::optional<RECT> GridLayout::cellRect(SS_COORD col, SS_COORD r) const {
    auto x = column(col);
    auto y = row(r);
    if (!x || !y)
        return std::nullopt;
    return RECT{x->start, y->start, x->end, y->end};
}

int GridLayout::startOf(const std::vector<LayoutLine>& lines, SS_COORD first, int origin, SS_COORD index,
                        bool columns) const {
    const Sheet& sheet = grid_.sheet;
    auto size = [&](SS_COORD i) {
        return std::max(0, columns ? sheet.colWidthInPixels(i) : sheet.rowHeightInPixels(i));
    };
    if (auto line = find(lines, index))
        return line->start;
    const int edge = columns ? int(client_.right) : int(client_.bottom);
    int at = origin;
    if (index < first) {
        for (SS_COORD i = first - 1; i >= index; --i) {
            at -= size(i);
            if (at < -kFarAway || first - i > kMostCounted)
                return -kFarAway;
        }
        return at;
    }
    for (SS_COORD i = first; i < index; ++i) {
        at += size(i);
        if (at > edge || i - first > kMostCounted)
            return edge + 1;
    }
    return at;
}

std::optional<RECT> GridLayout::blockRect(const CellRange& block) const {
    const Sheet& sheet = grid_.sheet;
    RECT r{};
    if (block.col1 == 0 && block.col2 == 0) {
        if (headerWidth_ == 0)
            return std::nullopt;
        r.left = 0;
        r.right = headerWidth_;
    } else if (block.col1 >= 1) {
        r.left = startOf(columns_, leftCol_, headerWidth_, block.col1, true);
        r.right = startOf(columns_, leftCol_, headerWidth_, block.col2, true) +
                  std::max(0, sheet.colWidthInPixels(block.col2));
    } else {
        return std::nullopt;
    }
    if (block.row1 == 0 && block.row2 == 0) {
        if (headerHeight_ == 0)
            return std::nullopt;
        r.top = 0;
        r.bottom = headerHeight_;
    } else if (block.row1 >= 1) {
        r.top = startOf(rows_, topRow_, headerHeight_, block.row1, false);
        r.bottom = startOf(rows_, topRow_, headerHeight_, block.row2, false) +
                   std::max(0, sheet.rowHeightInPixels(block.row2));
    } else {
        return std::nullopt;
    }
    const int minX = block.col1 == 0 ? 0 : headerWidth_, minY = block.row1 == 0 ? 0 : headerHeight_;
    if (r.right <= r.left || r.bottom <= r.top || r.right <= minX || r.bottom <= minY ||
        r.left >= client_.right || r.top >= client_.bottom)
        return std::nullopt;
    return r;
}

std::optional<RECT> GridLayout::cellBox(SS_COORD col, SS_COORD r) const {
    if (auto span = grid_.sheet.spanAt(col, r))
        return blockRect(*span);
    return cellRect(col, r);
}

std::optional<std::pair<SS_COORD, SS_COORD>> GridLayout::hitTest(POINT at) const {
    if (at.x < 0 || at.y < 0 || at.x >= client_.right || at.y >= client_.bottom)
        return std::nullopt;
    auto lineAt = [](const std::vector<LayoutLine>& lines, int header, int p) -> SS_COORD {
        if (p < header)
            return 0;
        for (const LayoutLine& line : lines)
            if (p >= line.start && p < line.end)
                return line.index;
        return -1;
    };
    SS_COORD col = lineAt(columns_, headerWidth_, at.x), r = lineAt(rows_, headerHeight_, at.y);
    if (col < 0 || r < 0)
        return std::nullopt;
    return std::pair{col, r};
}

}  // namespace grid

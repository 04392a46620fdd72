#pragma once
// The sheet's spans, indexed so that finding the span of a cell, checking a new span for overlap
// and removing one cost a logarithm, not a walk over every span: a sheet may hold tens of thousands
// of small spans (equal cells merged down a long column).
//
// Spans never overlap, so within one column their row intervals are disjoint and ordered by first
// row; each column a span covers lists it once.
#include <cstdint>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/grid/CellRange.h"

namespace grid {

class SpanIndex {
public:
    // True when the rectangle shares a cell with a span.
    bool overlaps(const CellRange& r) const;
    // Adds a span that overlaps none (false, nothing changed, when it would).
    bool add(const CellRange& r);
    // Removes the span anchored at (col, row); false when there is none.
    bool remove(std::int32_t col, std::int32_t row);
    // The span containing the cell.
    std::optional<CellRange> find(std::int32_t col, std::int32_t row) const;
    // Every span, ordered by anchor column, then row.
    std::vector<CellRange> all() const;
    std::size_t size() const { return anchors_.size(); }
    bool empty() const { return anchors_.empty(); }
    void clear();

    template <class Pred>
    void removeIf(Pred&& pred) {
        std::vector<CellRange> gone;
        for (const auto& [anchor, span] : anchors_)
            if (pred(span)) gone.push_back(span);
        for (const CellRange& s : gone) remove(s.col1, s.row1);
    }

private:
    struct Anchor {
        std::int32_t col, row;
        bool operator<(const Anchor& o) const { return col != o.col ? col < o.col : row < o.row; }
    };
    using Column = std::map<std::int32_t, CellRange>;  // first row -> span
    const CellRange* inColumn(std::int32_t col, std::int32_t row1, std::int32_t row2) const;

    std::map<Anchor, CellRange> anchors_;
    std::unordered_map<std::int32_t, Column> columns_;
};

}  // namespace grid

#include "platform/grid/SpanIndex.h"

namespace grid {

// The span of the column that shares a row with [row1, row2], if any.
const CellRange* SpanIndex::inColumn(std::int32_t col, std::int32_t row1, std::int32_t row2) const {
    auto c = columns_.find(col);
    if (c == columns_.end()) return nullptr;
    auto it = c->second.upper_bound(row2);  // the first span starting below the rows
    if (it == c->second.begin()) return nullptr;
    --it;
    return it->second.row2 >= row1 ? &it->second : nullptr;
}

bool SpanIndex::overlaps(const CellRange& r) const {
    // Columns without spans cost one hash lookup, so even a span across every column is cheap.
    if (columns_.size() < static_cast<std::size_t>(r.columns())) {
        for (const auto& [col, column] : columns_)
            if (col >= r.col1 && col <= r.col2 && inColumn(col, r.row1, r.row2)) return true;
        return false;
    }
    for (std::int32_t col = r.col1; col <= r.col2; ++col)
        if (inColumn(col, r.row1, r.row2)) return true;
    return false;
}

bool SpanIndex::add(const CellRange& r) {
    if (overlaps(r)) return false;
    anchors_.emplace(Anchor{r.col1, r.row1}, r);
    for (std::int32_t col = r.col1; col <= r.col2; ++col) columns_[col].emplace(r.row1, r);
    return true;
}

bool SpanIndex::remove(std::int32_t col, std::int32_t row) {
    auto it = anchors_.find(Anchor{col, row});
    if (it == anchors_.end()) return false;
    const CellRange r = it->second;
    anchors_.erase(it);
    for (std::int32_t c = r.col1; c <= r.col2; ++c) {
        auto column = columns_.find(c);
        if (column == columns_.end()) continue;
        column->second.erase(r.row1);
        if (column->second.empty()) columns_.erase(column);
    }
    return true;
}

std::optional<CellRange> SpanIndex::find(std::int32_t col, std::int32_t row) const {
    const CellRange* s = inColumn(col, row, row);
    return s ? std::optional<CellRange>(*s) : std::nullopt;
}

std::vector<CellRange> SpanIndex::all() const {
    std::vector<CellRange> out;
    out.reserve(anchors_.size());
    for (const auto& [anchor, span] : anchors_) out.push_back(span);
    return out;
}

void SpanIndex::clear() {
    anchors_.clear();
    columns_.clear();
}

}  // namespace grid

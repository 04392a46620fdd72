#include "platform/grid/CellStore.h"

#include <utility>  // move

namespace grid {

CellStore::CellStore(const CellStore& other) : columns_(other.columns_.size()) {
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        const Column& from = other.columns_[c];
        Column& to = columns_[c];
        to.index = from.index;
        to.indexChanged();
        to.blocks.reserve(from.blocks.size());
        for (const auto& block : from.blocks) to.blocks.push_back(std::make_unique<Block>(*block));
    }
}

CellStore& CellStore::operator=(const CellStore& other) {
    if (this != &other) *this = CellStore(other);
    return *this;
}

void CellStore::copyFrom(const CellStore& other) {
    if (this == &other) return;
    bandsValid_ = false;
    // The blocks this store has are reused in order, whatever rows they held: a pooled sheet loading
    // the same file again gets its blocks back without allocating.
    std::vector<std::unique_ptr<Block>> spare;
    for (Column& column : columns_)
        for (auto& block : column.blocks) spare.push_back(std::move(block));
    columns_.resize(other.columns_.size());
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        const Column& from = other.columns_[c];
        Column& to = columns_[c];
        to.index = from.index;
        to.indexChanged();
        to.blocks.clear();
        to.blocks.reserve(from.blocks.size());
        for (const auto& block : from.blocks) {
            if (spare.empty()) {
                to.blocks.push_back(std::make_unique<Block>(*block));
            } else {
                *spare.back() = *block;
                to.blocks.push_back(std::move(spare.back()));
                spare.pop_back();
            }
        }
    }
}

Cell& CellStore::at(std::int32_t col, std::int32_t row) {
    auto c = static_cast<std::size_t>(col);
    if (c >= columns_.size()) columns_.resize(c + 1);
    Column& column = columns_[c];
    const std::int32_t number = row >> kBlockBits;
    const auto slot = static_cast<std::size_t>(row & (kBlockSize - 1));
    if (const Block* found = column.find(number)) return const_cast<Block*>(found)->cells[slot];
    bandsValid_ = false;
    const std::size_t place = column.firstAtOrAfter(number);
    column.index.insert(column.index.begin() + static_cast<std::ptrdiff_t>(place), number);
    auto inserted = column.blocks.insert(column.blocks.begin() + static_cast<std::ptrdiff_t>(place), std::make_unique<Block>());
    column.indexChanged();
    return (*inserted)->cells[slot];
}

void CellStore::move(std::int32_t fromCol, std::int32_t fromRow, std::int32_t toCol, std::int32_t toRow) {
    Cell* from = find(fromCol, fromRow);
    if (!from || from->isBlank()) {
        erase(toCol, toRow);
        return;
    }
    Cell& to = at(toCol, toRow);
    from = find(fromCol, fromRow);  // at() may have grown the column table
    to = std::move(*from);
    *from = Cell{};
}

void CellStore::erase(std::int32_t col, std::int32_t row) {
    if (Cell* cell = find(col, row)) *cell = Cell{};
}

void CellStore::dropRowsFrom(std::int32_t row) {
    // The first block that starts at or after `row`.
    bandsValid_ = false;
    const std::int32_t first = (std::max(row, 0) + kBlockSize - 1) >> kBlockBits;
    for (Column& column : columns_) {
        const std::size_t keep = column.firstAtOrAfter(first);
        column.index.resize(keep);
        column.blocks.resize(keep);
        column.indexChanged();
    }
}

void CellStore::dropColumnsFrom(std::int32_t col) {
    bandsValid_ = false;
    if (col >= 0 && static_cast<std::size_t>(col) < columns_.size()) columns_.resize(static_cast<std::size_t>(col));
}

std::size_t CellStore::blockCount() const {
    std::size_t count = 0;
    for (const Column& column : columns_) count += column.blocks.size();
    return count;
}

const std::vector<std::uint64_t>& CellStore::bandIndex() {
    if (bandsValid_) return bands_;
    bands_.clear();
    for (std::size_t c = 0; c < columns_.size(); ++c)
        for (std::int32_t block : columns_[c].index) bands_.push_back(bandKey(block, static_cast<std::int32_t>(c)));
    std::sort(bands_.begin(), bands_.end());
    bandsValid_ = true;
    return bands_;
}

void CellStore::collectBands(std::int32_t col1, std::int32_t col2, std::int32_t row1, std::int32_t row2,
                             std::vector<BandEntry>& out) {
    const std::int32_t firstBlock = row1 >> kBlockBits, lastBlock = row2 >> kBlockBits;
    for (std::int32_t c = col1; c <= col2; ++c) {
        Column& column = columns_[static_cast<std::size_t>(c)];
        for (std::size_t i = column.firstAtOrAfter(firstBlock); i < column.index.size() && column.index[i] <= lastBlock; ++i)
            out.push_back({column.index[i], c, column.blocks[i].get()});
    }
    // Columns were taken left to right, so a stable sort by block keeps each band's columns in order.
    std::stable_sort(out.begin(), out.end(), [](const BandEntry& a, const BandEntry& b) { return a.block < b.block; });
}

}  // namespace grid

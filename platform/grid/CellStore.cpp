#include "platform/grid/CellStore.h"

#include <utility>  // move

namespace grid {

CellStore::CellStore(const CellStore& other) : columns_(other.columns_.size()) {
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        const auto& from = other.columns_[c].blocks;
        auto& to = columns_[c].blocks;
        to.resize(from.size());
        for (std::size_t b = 0; b < from.size(); ++b)
            if (from[b]) to[b] = std::make_unique<Block>(*from[b]);
    }
}

CellStore& CellStore::operator=(const CellStore& other) {
    if (this != &other) *this = CellStore(other);
    return *this;
}

void CellStore::copyFrom(const CellStore& other) {
    if (this == &other) return;
    columns_.resize(other.columns_.size());
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        const auto& from = other.columns_[c].blocks;
        auto& to = columns_[c].blocks;
        to.resize(from.size());
        for (std::size_t b = 0; b < from.size(); ++b) {
            if (!from[b])
                to[b].reset();
            else if (to[b])
                *to[b] = *from[b];
            else
                to[b] = std::make_unique<Block>(*from[b]);
        }
    }
}

Cell& CellStore::at(std::int32_t col, std::int32_t row) {
    auto c = static_cast<std::size_t>(col);
    if (c >= columns_.size()) columns_.resize(c + 1);
    Column& column = columns_[c];
    auto b = static_cast<std::size_t>(row >> kBlockBits);
    if (b >= column.blocks.size()) column.blocks.resize(b + 1);
    if (!column.blocks[b]) column.blocks[b] = std::make_unique<Block>();
    return column.blocks[b]->cells[static_cast<std::size_t>(row & (kBlockSize - 1))];
}

void CellStore::move(std::int32_t fromCol, std::int32_t fromRow, std::int32_t toCol, std::int32_t toRow) {
    Cell* from = find(fromCol, fromRow);
    if (!from || from->isBlank()) {
        erase(toCol, toRow);
        return;
    }
    Cell& to = at(toCol, toRow);
    from = find(fromCol, fromRow);  // at() may have grown the column's block table
    to = std::move(*from);
    *from = Cell{};
}

void CellStore::erase(std::int32_t col, std::int32_t row) {
    if (Cell* cell = find(col, row)) *cell = Cell{};
}

std::int32_t CellStore::rowExtent(std::int32_t col) const {
    if (col < 0 || static_cast<std::size_t>(col) >= columns_.size()) return 0;
    const Column& c = columns_[static_cast<std::size_t>(col)];
    return static_cast<std::int32_t>(c.blocks.size()) * kBlockSize;
}

}  // namespace grid

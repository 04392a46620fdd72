#pragma once
// Cells stored densely in blocks: per column, blocks of 256 rows allocated when first written.
// Index 0 of columns and rows is the header. Lookups are two array indexings, iteration walks
// memory in order, and a sheet of a million cells costs little more than the cells themselves.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/grid/Cell.h"

namespace grid {

class CellStore {
public:
    static constexpr std::int32_t kBlockBits = 8;
    static constexpr std::int32_t kBlockSize = 1 << kBlockBits;

    CellStore() = default;
    // A copy has blocks of its own (the cells' texts and formulas are shared, being immutable).
    CellStore(const CellStore& other);
    CellStore& operator=(const CellStore& other);
    CellStore(CellStore&&) noexcept = default;
    CellStore& operator=(CellStore&&) noexcept = default;
    // Becomes a copy of `other`, reusing the blocks it has where `other` has blocks too.
    void copyFrom(const CellStore& other);

    // The cell, or nullptr when it was never written. Indexes are internal (0 = header).
    const Cell* find(std::int32_t col, std::int32_t row) const {
        if (col < 0 || row < 0 || static_cast<std::size_t>(col) >= columns_.size()) return nullptr;
        const Column& c = columns_[static_cast<std::size_t>(col)];
        auto b = static_cast<std::size_t>(row >> kBlockBits);
        if (b >= c.blocks.size() || !c.blocks[b]) return nullptr;
        return &c.blocks[b]->cells[static_cast<std::size_t>(row & (kBlockSize - 1))];
    }
    Cell* find(std::int32_t col, std::int32_t row) {
        return const_cast<Cell*>(static_cast<const CellStore*>(this)->find(col, row));
    }
    Cell& at(std::int32_t col, std::int32_t row);

    // Moves the cell (which may be absent) from one place to another, leaving the source blank.
    void move(std::int32_t fromCol, std::int32_t fromRow, std::int32_t toCol, std::int32_t toRow);
    void erase(std::int32_t col, std::int32_t row);
    void clear() { columns_.clear(); }

    std::int32_t columnCount() const { return static_cast<std::int32_t>(columns_.size()); }
    // One past the highest row that has a block in the column.
    std::int32_t rowExtent(std::int32_t col) const;

    // Calls visit(col, row, cell) for each stored non-blank cell of a column, top to bottom.
    template <class Visit>
    void forEachInColumn(std::int32_t col, Visit&& visit) {
        if (col < 0 || static_cast<std::size_t>(col) >= columns_.size()) return;
        Column& c = columns_[static_cast<std::size_t>(col)];
        for (std::size_t b = 0; b < c.blocks.size(); ++b) {
            if (!c.blocks[b]) continue;
            for (std::int32_t i = 0; i < kBlockSize; ++i) {
                Cell& cell = c.blocks[b]->cells[static_cast<std::size_t>(i)];
                if (!cell.isBlank()) visit(col, static_cast<std::int32_t>(b) * kBlockSize + i, cell);
            }
        }
    }
    template <class Visit>
    void forEach(Visit&& visit) {
        for (std::int32_t col = 0; col < columnCount(); ++col) forEachInColumn(col, visit);
    }

private:
    struct Block {
        std::array<Cell, kBlockSize> cells;
    };
    struct Column {
        std::vector<std::unique_ptr<Block>> blocks;
    };
    std::vector<Column> columns_;
};

}  // namespace grid

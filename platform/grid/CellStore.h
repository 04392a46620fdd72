#pragma once
// Cells stored in blocks: per column, blocks of 16 rows allocated when first written, and per column
// only the blocks that exist, in row order. A sheet of 16,384 columns by 2,000,000 rows that holds a
// handful of cells costs a handful of blocks, and every walk (all cells, one column, a range, row
// order) costs what the sheet holds, never its declared size. Index 0 of columns and rows is the
// header.
//
// A lookup is one array indexing for the column and, where the column's blocks run without a gap
// from its first one (nearly every column of a real sheet), one more for the block; a column with
// gaps finds its block by binary search.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <type_traits>  // is_void_v
#include <vector>

#include "platform/grid/Cell.h"
#include "platform/grid/CellRange.h"

namespace grid {

class CellStore {
public:
    static constexpr std::int32_t kBlockBits = 4;
    static constexpr std::int32_t kBlockSize = 1 << kBlockBits;
    // Ranges up to this many cells are walked cell by cell, without merging their columns' blocks.
    static constexpr std::int64_t kSmallRange = 64;

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
        const Block* block = columns_[static_cast<std::size_t>(col)].find(row >> kBlockBits);
        return block ? &block->cells[static_cast<std::size_t>(row & (kBlockSize - 1))] : nullptr;
    }
    Cell* find(std::int32_t col, std::int32_t row) {
        return const_cast<Cell*>(static_cast<const CellStore*>(this)->find(col, row));
    }
    Cell& at(std::int32_t col, std::int32_t row);

    // Moves the cell (which may be absent) from one place to another, leaving the source blank.
    void move(std::int32_t fromCol, std::int32_t fromRow, std::int32_t toCol, std::int32_t toRow);
    void erase(std::int32_t col, std::int32_t row);
    void clear() {
        columns_.clear();
        bandsValid_ = false;
    }
    // Frees the blocks that lie wholly in rows >= `row` (of every column) or in columns >= `col`.
    // Cells that remain in a partly freed block must have been erased by the caller.
    void dropRowsFrom(std::int32_t row);
    void dropColumnsFrom(std::int32_t col);

    std::int32_t columnCount() const { return static_cast<std::int32_t>(columns_.size()); }
    // How many blocks exist, for tests of what a sheet costs.
    std::size_t blockCount() const;

    // Calls visit(col, row, cell) for each stored non-blank cell of a column with row1 <= row <= row2,
    // top to bottom. Returning false from visit stops the walk (a visit that returns void never
    // stops it).
    template <class Visit>
    void forEachInColumn(std::int32_t col, std::int32_t row1, std::int32_t row2, Visit&& visit) {
        if (col < 0 || static_cast<std::size_t>(col) >= columns_.size() || row1 > row2) return;
        Column& c = columns_[static_cast<std::size_t>(col)];
        for (std::size_t i = c.firstAtOrAfter(std::max(row1, 0) >> kBlockBits); i < c.index.size(); ++i) {
            const std::int32_t start = c.index[i] << kBlockBits;
            if (start > row2) break;
            Block& block = *c.blocks[i];
            const std::int32_t from = std::max(row1, start) - start;
            const std::int32_t to = std::min(row2, start + kBlockSize - 1) - start;
            for (std::int32_t k = from; k <= to; ++k) {
                Cell& cell = block.cells[static_cast<std::size_t>(k)];
                if (!cell.isBlank() && !proceed(visit, col, start + k, cell)) return;
            }
        }
    }
    template <class Visit>
    void forEachInColumn(std::int32_t col, Visit&& visit) {
        forEachInColumn(col, 0, INT32_MAX, visit);
    }
    // Column by column, each top to bottom.
    template <class Visit>
    void forEach(Visit&& visit) {
        for (std::int32_t col = 0; col < columnCount(); ++col) forEachInColumn(col, visit);
    }

    // Calls visit(col, row, cell) for each stored non-blank cell inside `range` (internal indexes),
    // row by row, each row left to right. Returning false from visit stops the walk (a visit that
    // returns void never stops it). The cost follows the blocks the range holds, not its area.
    template <class Visit>
    void forEachByRow(const CellRange& range, Visit&& visit) {
        const std::int32_t col1 = std::max(range.col1, 0), col2 = std::min(range.col2, columnCount() - 1);
        const std::int32_t row1 = std::max(range.row1, 0), row2 = range.row2;
        if (col1 > col2 || row1 > row2) return;
        if (col1 == col2) {
            forEachInColumn(col1, row1, row2, visit);
            return;
        }
        if (static_cast<std::int64_t>(col2 - col1 + 1) * (static_cast<std::int64_t>(row2) - row1 + 1) <= kSmallRange) {
            // A small block of cells (SUM(A1:C3) in every row of a sheet) is read directly.
            for (std::int32_t r = row1; r <= row2; ++r)
                for (std::int32_t c = col1; c <= col2; ++c) {
                    Cell* cell = find(c, r);
                    if (cell && !cell->isBlank() && !proceed(visit, c, r, *cell)) return;
                }
            return;
        }
        // Bands of one block's rows, in order; within a band the columns that have that block.
        std::vector<BandEntry> bands;
        collectBands(col1, col2, row1, row2, bands);
        for (std::size_t first = 0; first < bands.size();) {
            std::size_t last = first;
            while (last < bands.size() && bands[last].block == bands[first].block) ++last;
            const std::int32_t start = bands[first].block << kBlockBits;
            const std::int32_t from = std::max(row1, start), to = std::min(row2, start + kBlockSize - 1);
            for (std::int32_t r = from; r <= to; ++r)
                for (std::size_t i = first; i < last; ++i) {
                    Cell& cell = bands[i].cells->cells[static_cast<std::size_t>(r - start)];
                    if (!cell.isBlank() && !proceed(visit, bands[i].col, r, cell)) return;
                }
            first = last;
        }
    }

    // The first non-blank cell at or after (col, row) in row order (rows top to bottom, each left to
    // right) inside `range` (internal indexes) that `accept` takes; false when there is none. Rows
    // before range.row1 start the search at the range's first cell. A scan that steps from cell to
    // cell this way costs what the store holds, and sees what was written on the way.
    template <class Accept>
    bool next(const CellRange& range, std::int32_t& col, std::int32_t& row, Accept&& accept) {
        if (row < range.row1) {
            row = range.row1;
            col = range.col1;
        }
        const std::vector<std::uint64_t>& bands = bandIndex();
        auto it = std::lower_bound(bands.begin(), bands.end(), bandKey(row >> kBlockBits, 0));
        while (it != bands.end()) {
            const std::int32_t block = bandBlock(*it), start = block << kBlockBits;
            if (start > range.row2) return false;
            auto end = it;
            while (end != bands.end() && bandBlock(*end) == block) ++end;
            const std::int32_t last = std::min(range.row2, start + kBlockSize - 1);
            for (std::int32_t r = std::max(start, row); r <= last; ++r) {
                for (auto e = it; e != end; ++e) {
                    const std::int32_t c = bandCol(*e);
                    if (c < range.col1 || c > range.col2 || (r == row && c < col)) continue;
                    Cell* cell = find(c, r);
                    if (cell && !cell->isBlank() && accept(*cell)) {
                        col = c;
                        row = r;
                        return true;
                    }
                }
            }
            it = end;
        }
        return false;
    }

private:
    // Calls a visit; false when it asks the walk to stop.
    template <class Visit>
    static bool proceed(Visit& visit, std::int32_t col, std::int32_t row, Cell& cell) {
        if constexpr (std::is_void_v<decltype(visit(col, row, cell))>) {
            visit(col, row, cell);
            return true;
        } else {
            return static_cast<bool>(visit(col, row, cell));
        }
    }

    struct Block {
        std::array<Cell, kBlockSize> cells;
    };
    struct Column {
        std::vector<std::int32_t> index;             // block numbers (row >> kBlockBits), ascending
        std::vector<std::unique_ptr<Block>> blocks;  // the blocks, in the order of `index`
        std::int32_t first = 0;                      // index.front()
        bool contiguous = true;                      // index runs first, first + 1, ... without a gap

        // After `index` changed.
        void indexChanged() {
            first = index.empty() ? 0 : index.front();
            contiguous = index.empty() || index.back() - index.front() + 1 == static_cast<std::int64_t>(index.size());
        }
        const Block* find(std::int32_t block) const {
            // Blocks without a gap from the first: the block's place is its distance from the first.
            const auto guess = static_cast<std::size_t>(static_cast<std::int64_t>(block) - first);
            if (contiguous) return guess < blocks.size() ? blocks[guess].get() : nullptr;
            if (guess < index.size() && index[guess] == block) return blocks[guess].get();
            if (block < first) return nullptr;
            // Each block number exceeds the one before by at least one, so the block, if present,
            // lies before the guessed place.
            const auto end = index.begin() + static_cast<std::ptrdiff_t>(std::min(guess, index.size()));
            auto it = std::lower_bound(index.begin(), end, block);
            if (it == end || *it != block) return nullptr;
            return blocks[static_cast<std::size_t>(it - index.begin())].get();
        }
        std::size_t firstAtOrAfter(std::int32_t block) const {
            return static_cast<std::size_t>(std::lower_bound(index.begin(), index.end(), block) - index.begin());
        }
    };
    struct BandEntry {
        std::int32_t block;
        std::int32_t col;
        Block* cells;
    };
    void collectBands(std::int32_t col1, std::int32_t col2, std::int32_t row1, std::int32_t row2,
                      std::vector<BandEntry>& out);

    // Every block as (number << 32 | column), ascending: the blocks in row order. Made when first
    // asked for after a block was made or freed; writes into existing blocks keep it.
    static std::uint64_t bandKey(std::int32_t block, std::int32_t col) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(block)) << 32) | static_cast<std::uint32_t>(col);
    }
    static std::int32_t bandBlock(std::uint64_t key) { return static_cast<std::int32_t>(key >> 32); }
    static std::int32_t bandCol(std::uint64_t key) { return static_cast<std::int32_t>(key & 0xFFFFFFFFu); }
    const std::vector<std::uint64_t>& bandIndex();

    std::vector<Column> columns_;
    std::vector<std::uint64_t> bands_;
    bool bandsValid_ = false;
};

}  // namespace grid

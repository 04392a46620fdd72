// The cell store: lookups in columns with and without gaps, blocks made in any order, and walks
// (column, range, row order) that visit what is held, in order, at the cost of what is held.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/grid/CellStore.h"
#include "platform/grid/Sheet.h"

namespace grid {
namespace {

using Positions = std::vector<std::pair<std::int32_t, std::int32_t>>;

void put(CellStore& store, std::int32_t col, std::int32_t row, double v) { store.at(col, row).value = Value::number(v); }

Positions byRow(CellStore& store, const CellRange& range) {
    Positions seen;
    store.forEachByRow(range, [&](std::int32_t c, std::int32_t r, Cell&) { seen.emplace_back(c, r); });
    return seen;
}

TEST(CellStore, BlocksMadeInAnyOrderAreFoundAndKeptInOrder) {
    CellStore store;
    // Written bottom-up and with gaps, so lookups take both the direct and the searching way.
    const std::int32_t rows[] = {kRowLimit, 5, 1'000'000, 17, 16, 0, 999'999, 300};
    for (std::int32_t r : rows) put(store, 3, r, r);
    for (std::int32_t r : rows) {
        const Cell* cell = store.find(3, r);
        ASSERT_NE(cell, nullptr) << r;
        EXPECT_EQ(cell->value.asNumber(), r);
    }
    EXPECT_EQ(store.find(3, 1'000'100), nullptr);  // no block there
    EXPECT_EQ(store.find(3, 6), store.find(3, 5) + 1);  // same block as row 5
    EXPECT_TRUE(store.find(3, 6)->isBlank());
    EXPECT_EQ(store.find(2, 5), nullptr);
    EXPECT_EQ(store.find(4, 5), nullptr);
    EXPECT_EQ(store.find(3, -1), nullptr);

    Positions column;
    store.forEachInColumn(3, [&](std::int32_t c, std::int32_t r, Cell&) { column.emplace_back(c, r); });
    EXPECT_EQ(column, (Positions{{3, 0}, {3, 5}, {3, 16}, {3, 17}, {3, 300}, {3, 999'999}, {3, 1'000'000}, {3, kRowLimit}}));
    // Rows 0 and 5 share a block, 16 and 17 another.
    EXPECT_EQ(store.blockCount(), 6u);
}

TEST(CellStore, RowOrderWalkInterleavesColumnsAndHonoursTheRange) {
    CellStore store;
    put(store, 5, 40, 1);
    put(store, 2, 40, 2);
    put(store, 9, 3, 3);
    put(store, 2, 3, 4);
    put(store, 7, 41, 5);
    put(store, 1, 2'000'000, 6);
    store.at(4, 40);  // made but blank: never visited

    EXPECT_EQ(byRow(store, {0, 0, kColLimit, kRowLimit}),
              (Positions{{2, 3}, {9, 3}, {2, 40}, {5, 40}, {7, 41}, {1, 2'000'000}}));
    EXPECT_EQ(byRow(store, {2, 4, 7, 41}), (Positions{{2, 40}, {5, 40}, {7, 41}}));
    EXPECT_EQ(byRow(store, {2, 1, 2, kRowLimit}), (Positions{{2, 3}, {2, 40}}));  // one column
    EXPECT_TRUE(byRow(store, {10, 1, kColLimit, kRowLimit}).empty());
    // Small ranges are read cell by cell: the same cells in the same order.
    EXPECT_EQ(byRow(store, {2, 3, 9, 3}), (Positions{{2, 3}, {9, 3}}));
    EXPECT_EQ(byRow(store, {4, 40, 7, 41}), (Positions{{5, 40}, {7, 41}}));

    Positions firstTwo;
    store.forEachByRow({0, 0, kColLimit, kRowLimit}, [&](std::int32_t c, std::int32_t r, Cell&) {
        firstTwo.emplace_back(c, r);
        return firstTwo.size() < 2;
    });
    EXPECT_EQ(firstTwo, (Positions{{2, 3}, {9, 3}}));
}

// One cell in each of 16,384 columns along a diagonal down to row 2,000,000: a store that kept a
// block table per column as long as its highest row, or a row-order walk that looked at every
// column of every band of rows, would need gigabytes or minutes here.
TEST(CellStore, ADiagonalAcrossTheLargestSheetCostsOneBlockPerCell) {
    CellStore store;
    for (std::int32_t c = 1; c <= kColLimit; ++c) put(store, c, 122 * c, c);
    EXPECT_EQ(store.blockCount(), static_cast<std::size_t>(kColLimit));

    std::int32_t visited = 0, lastRow = 0;
    bool ordered = true;
    store.forEachByRow({0, 0, kColLimit, kRowLimit}, [&](std::int32_t c, std::int32_t r, Cell& cell) {
        ordered = ordered && r > lastRow && cell.value.asNumber() == c;
        lastRow = r;
        ++visited;
    });
    EXPECT_EQ(visited, kColLimit);
    EXPECT_TRUE(ordered);

    store.dropRowsFrom(122 * 100 + 1);
    EXPECT_EQ(store.blockCount(), 100u);
    store.dropColumnsFrom(51);
    EXPECT_EQ(store.blockCount(), 50u);
    EXPECT_NE(store.find(50, 122 * 50), nullptr);
}

TEST(CellStore, CopiesOwnTheirBlocks) {
    CellStore a;
    put(a, 1, 1, 1);
    put(a, 1, 1'000, 2);
    CellStore b;
    put(b, 8, 8, 8);
    put(b, 9, 9, 9);
    put(b, 9, 900, 9);
    b.copyFrom(a);  // reuses b's blocks
    EXPECT_EQ(b.blockCount(), 2u);
    EXPECT_EQ(b.find(8, 8), nullptr);
    EXPECT_EQ(b.find(1, 1'000)->value.asNumber(), 2);
    put(b, 1, 1'000, 3);
    EXPECT_EQ(a.find(1, 1'000)->value.asNumber(), 2);
    CellStore c(a);
    EXPECT_EQ(c.find(1, 1)->value.asNumber(), 1);
    EXPECT_NE(c.find(1, 1), a.find(1, 1));
}

}  // namespace
}  // namespace grid

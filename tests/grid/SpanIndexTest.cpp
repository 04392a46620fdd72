// The span index answers like a plain list of non-overlapping rectangles would, for spans one
// column wide, one row high and wide blocks alike.
#include <gtest/gtest.h>

#include "platform/grid/Sheet.h"
#include "platform/grid/SpanIndex.h"

namespace grid {
namespace {

TEST(SpanIndex, FindsOverlapsAndContainingSpans) {
    SpanIndex index;
    ASSERT_TRUE(index.add({2, 2, 4, 3}));   // B2:D3
    ASSERT_TRUE(index.add({2, 5, 2, 9}));   // B5:B9
    ASSERT_TRUE(index.add({1, 20, 30, 20}));  // A20:AD20
    EXPECT_FALSE(index.add({4, 3, 5, 4}));  // shares D3
    EXPECT_FALSE(index.add({1, 1, 9, 30}));  // covers them all
    EXPECT_FALSE(index.add({30, 19, 31, 21}));
    EXPECT_TRUE(index.overlaps({2, 9, 2, 9}));
    EXPECT_FALSE(index.overlaps({3, 4, 9, 4}));  // between the first two
    EXPECT_FALSE(index.overlaps({31, 1, 40, 40}));

    EXPECT_EQ(index.find(3, 3), (CellRange{2, 2, 4, 3}));
    EXPECT_EQ(index.find(2, 7), (CellRange{2, 5, 2, 9}));
    EXPECT_EQ(index.find(17, 20), (CellRange{1, 20, 30, 20}));
    EXPECT_FALSE(index.find(2, 4));
    EXPECT_FALSE(index.find(2, 10));
    EXPECT_FALSE(index.find(5, 2));

    EXPECT_FALSE(index.remove(3, 3));  // not an anchor
    EXPECT_TRUE(index.remove(2, 2));
    EXPECT_FALSE(index.find(3, 3));
    EXPECT_TRUE(index.add({3, 3, 3, 4}));  // the freed cells take a new span
    EXPECT_EQ(index.size(), 3u);

    index.removeIf([](const CellRange& s) { return s.row2 >= 9; });
    ASSERT_EQ(index.all().size(), 1u);
    EXPECT_EQ(index.all()[0], (CellRange{3, 3, 3, 4}));
}

// Many short spans down one column, as merging equal cells makes them: each lookup and removal
// stays cheap, and the sheet reports every span.
TEST(SpanIndex, ManyShortSpansInOneColumn) {
    Sheet sheet;
    sheet.setMaxCols(2);
    sheet.setMaxRows(100000);
    for (int row = 1; row <= 100000; row += 10) ASSERT_TRUE(sheet.addSpan(1, row, 1, 10));
    EXPECT_EQ(sheet.spans().size(), 10000u);
    EXPECT_EQ(sheet.spanAt(1, 99995), (CellRange{1, 99991, 1, 100000}));
    EXPECT_FALSE(sheet.addSpan(1, 55, 2, 1));
    for (int row = 1; row <= 100000; row += 10) ASSERT_TRUE(sheet.removeSpan(1, row));
    EXPECT_TRUE(sheet.spans().empty());
}

}  // namespace
}  // namespace grid

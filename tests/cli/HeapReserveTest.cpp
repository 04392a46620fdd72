#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "cli/HeapReserve.h"

namespace {

// The reserve is taken once, only when it is worth it, and the heap works as before around it: blocks
// large and small are handed out, written and freed, whether or not the system gave huge pages.
TEST(HeapReserve, TakenOnceAndOnlyWhenLarge) {
    EXPECT_FALSE(connsheet::reserveHugePageHeap(1 << 20));
    EXPECT_EQ(connsheet::heapForGridFile(7 << 20), std::size_t(112) << 20);

    const bool reserved = connsheet::reserveHugePageHeap(std::size_t(64) << 20);
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
    (void)reserved;  // true where the kernel offers transparent huge pages
#else
    EXPECT_FALSE(reserved);
#endif
    EXPECT_FALSE(connsheet::reserveHugePageHeap(std::size_t(64) << 20));

    std::vector<std::unique_ptr<char[]>> blocks;
    for (std::size_t size :
         {std::size_t(16), std::size_t(4096), std::size_t(1) << 20, std::size_t(40) << 20}) {
        blocks.push_back(std::make_unique<char[]>(size));
        std::memset(blocks.back().get(), 0x5A, size);
        EXPECT_EQ(blocks.back()[size - 1], 0x5A);
    }
    // Many small blocks, as a grid's cells are.
    std::vector<std::vector<double>> cells(100000, std::vector<double>(4, 1.5));
    double sum = 0;
    for (const auto& cell : cells)
        sum += cell[3];
    EXPECT_EQ(sum, 150000.0);
}

}  // namespace

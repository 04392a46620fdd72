#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "cli/WarmStart.h"

#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#include <sys/mman.h>  // madvise
#include <unistd.h>    // sbrk
#define WARM_START_EXPECTED 1
#endif

// As the program does: before any static constructor has used the heap.
__attribute__((constructor(101))) static void startWarm() {
    connsheet::warmStart();
}

namespace {

#if defined(WARM_START_EXPECTED)
// Whether this kernel takes the advice at all (Linux 5.14 and later).
bool kernelPopulates() {
    void* page = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    const bool taken = madvise(page, 4096, 23 /* MADV_POPULATE_WRITE */) == 0;
    munmap(page, 4096);
    return taken;
}
#endif

// The data and the first part of the heap were mapped in at the start; a later call changes nothing;
// the heap hands out, keeps and frees blocks as before, past the warmed part too. The test program's
// code is laid out as the compiler left it, so its code is not read in.
TEST(WarmStart, MapsDataAndHeapOnceAndTheHeapWorksAsBefore) {
#if defined(WARM_START_EXPECTED)
    if (!kernelPopulates())
        GTEST_SKIP() << "this kernel does not populate pages on advice";
#endif
    const connsheet::WarmStartPages first = connsheet::warmStart();
#if defined(WARM_START_EXPECTED)
    EXPECT_GT(first.data, 0u);
    EXPECT_GE(first.heap, connsheet::kWarmHeapBytes);
    EXPECT_EQ(first.code, 0u);
    const void* const end = sbrk(0);
#endif
    const connsheet::WarmStartPages again = connsheet::warmStart();
    EXPECT_EQ(again.code, first.code);
    EXPECT_EQ(again.data, first.data);
    EXPECT_EQ(again.heap, first.heap);
#if defined(WARM_START_EXPECTED)
    EXPECT_EQ(sbrk(0), end);
#endif

    std::vector<std::unique_ptr<char[]>> blocks;
    for (std::size_t size = 16; size <= (std::size_t(4) << 20); size *= 4) {
        blocks.push_back(std::make_unique<char[]>(size));
        std::memset(blocks.back().get(), 0x3C, size);
    }
    std::vector<std::vector<int>> small(20000, std::vector<int>(3, 7));
    long sum = 0;
    for (const auto& cell : small)
        sum += cell[2];
    EXPECT_EQ(sum, 140000);
    for (const auto& block : blocks)
        EXPECT_EQ(block[0], 0x3C);
}

}  // namespace

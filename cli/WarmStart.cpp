#include "cli/WarmStart.h"

#include <cstdint>

#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && \
    !defined(__SANITIZE_THREAD__)
#define CONNSHEET_WARM_START 1
#include <malloc.h>    // mallopt
#include <sys/mman.h>  // madvise
#include <unistd.h>    // sbrk
#include <cstdlib>
#endif

#if defined(CONNSHEET_WARM_START)
// Bounds the linker gives every program: the start of its data and the end of its zeroed data.
extern "C" char __data_start[];
extern "C" char _end[];

// The bounds of the frequently run code. The link lays the functions cli/hot-text.txt names out
// together, after the rest of the program's code, between these two; without that order they lie
// anywhere, and the code is left to fault in.
extern "C" __attribute__((section(".text.connsheet_hot_text_begin"), noinline, used)) void
connsheet_hot_text_begin() {
    __asm__ volatile("");
}
extern "C" __attribute__((section(".text.connsheet_hot_text_end"), noinline, used)) void
connsheet_hot_text_end() {
    __asm__ volatile("");
}
#endif

namespace connsheet {

namespace {

#if defined(CONNSHEET_WARM_START)
// Older C library headers lack the names; kernels before 5.14 refuse the advice, which is harmless.
#if !defined(MADV_POPULATE_READ)
constexpr int MADV_POPULATE_READ = 22;
#endif
#if !defined(MADV_POPULATE_WRITE)
constexpr int MADV_POPULATE_WRITE = 23;
#endif

constexpr std::uintptr_t kPage = 4096;
constexpr std::size_t kKeptHeapBytes = std::size_t(32) << 20;

// Called through a volatile pointer, so the compiler keeps an allocation nothing reads.
void* (*volatile allocate)(std::size_t) = std::malloc;

// Maps in [from, to) with one call, rounded out to whole pages; returns the bytes, or 0 when refused.
std::size_t populate(const void* from, const void* to, int advice) {
    const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(from) & ~(kPage - 1);
    const std::uintptr_t last = (reinterpret_cast<std::uintptr_t>(to) + kPage - 1) & ~(kPage - 1);
    if (last <= first)
        return 0;
    return madvise(reinterpret_cast<void*>(first), last - first, advice) == 0 ? last - first : 0;
}

// Grows the heap once by kWarmHeapBytes and writes it in. Freed memory at the heap's end is no longer
// handed back to the system once 128 KiB of it gather (the C library's default), but only past
// kKeptHeapBytes: a command frees and allocates again all the time, and each page handed back costs a
// fault to take back, while the process ends soon anyway.
// NOTE: setting either switches off the C library's own raising of the threshold above which blocks
// get mappings of their own; the large grids (calc) and the batch measured the same either way, and
// raising the threshold to 32 MiB here made the batch a tenth slower.
std::size_t warmHeap() {
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kKeptHeapBytes));
    mallopt(M_TOP_PAD, static_cast<int>(kWarmHeapBytes));
    // Blocks are taken from the free end of the heap until it must grow, which it then does by the
    // pad: at the program's start the first block does it, later (a library's constructor may have
    // used the heap first) a few more.
    constexpr int kMostBlocks = 64;
    constexpr std::size_t kBlock = std::size_t(16) << 10;
    void* blocks[kMostBlocks];
    int count = 0;
    char* const before = static_cast<char*>(sbrk(0));
    while (count < kMostBlocks && static_cast<char*>(sbrk(0)) == before) {
        blocks[count] = allocate(kBlock);
        if (blocks[count] == nullptr)
            break;
        ++count;
    }
    char* const after = static_cast<char*>(sbrk(0));
    const void* const from = count > 0 ? blocks[0] : nullptr;
    for (int i = count - 1; i >= 0; --i)
        std::free(blocks[i]);
    // Later growth goes back to the usual steps.
    mallopt(M_TOP_PAD, 128 << 10);
    if (from == nullptr || after <= before)
        return 0;
    return populate(from, after, MADV_POPULATE_WRITE);
}
#endif

}  // namespace

WarmStartPages warmStart() {
    static WarmStartPages done;
#if defined(CONNSHEET_WARM_START)
    static bool started = false;
    if (started)
        return done;
    started = true;
#if defined(CONNSHEET_HOT_TEXT)
    const auto begin = reinterpret_cast<const char*>(&connsheet_hot_text_begin);
    const auto end = reinterpret_cast<const char*>(&connsheet_hot_text_end);
    if (begin < end)
        done.code = populate(begin, end, MADV_POPULATE_READ);
#endif
    done.data = populate(__data_start, _end, MADV_POPULATE_WRITE);
    done.heap = warmHeap();
#endif
    return done;
}

}  // namespace connsheet

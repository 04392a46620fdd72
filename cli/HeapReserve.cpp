#include "cli/HeapReserve.h"

#include <cstdint>

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define CONNSHEET_HEAP_RESERVE 1
#include <malloc.h>    // mallopt
#include <sys/mman.h>  // madvise
#include <unistd.h>    // sbrk
#include <cstdlib>
#endif

namespace connsheet {

namespace {

// Below this, 4 KiB pages fault in quicker than a huge page is cleared.
constexpr std::size_t kSmallestReserve = std::size_t(32) << 20;
constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;

#if defined(CONNSHEET_HEAP_RESERVE)
// Called through a volatile pointer, so the compiler keeps an allocation nothing reads.
void* (*volatile allocate)(std::size_t) = std::malloc;
#endif

}  // namespace

bool reserveHugePageHeap(std::size_t bytes) {
#if defined(CONNSHEET_HEAP_RESERVE)
    static bool reserved = false;
    if (reserved || bytes < kSmallestReserve)
        return false;
    reserved = true;
    // The next growth of the heap takes the whole reserve at once; blocks up to 32 MiB come from the heap
    // rather than from mappings of their own, and a free never hands the reserve back.
    mallopt(M_TOP_PAD, static_cast<int>(bytes < (std::size_t(1) << 30) ? bytes : std::size_t(1) << 30));
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    char* const before = static_cast<char*>(sbrk(0));
    void* const block = allocate(std::size_t(1) << 20);
    char* const after = static_cast<char*>(sbrk(0));
    std::free(block);
    // Later growth goes back to the usual steps.
    mallopt(M_TOP_PAD, 128 << 10);
    const std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(before) + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t to = reinterpret_cast<std::uintptr_t>(after) & ~(kHugePage - 1);
    if (before == reinterpret_cast<char*>(-1) || to <= from)
        return false;
    // Only a hint: where huge pages are switched off the heap works as before.
    return madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE) == 0;
#else
    (void)bytes;
    return false;
#endif
}

}  // namespace connsheet

#pragma once
// Large grids allocate a cell, a formula and a text at a time: on a machine that offers transparent huge
// pages, a heap backed by them spares the process tens of thousands of page faults (a fifth of the
// time of a 100,000-row CSV went into the kernel filling 4 KiB pages one fault at a time).
#include <cstddef>

namespace connsheet {

// Grows the heap once by `bytes` and asks the system to back that part with huge pages where it can.
// Memory the process never touches costs nothing; the reserve is kept for the process's lifetime (the
// command ends after one job). Does nothing where the C library is not glibc, under sanitizers (they
// bring their own allocator), for small reserves, and after the first call. Returns whether the heap
// was reserved.
bool reserveHugePageHeap(std::size_t bytes);

// The heap a grid file of `fileBytes` needs while it is loaded, recalculated and printed: about twelve
// times the file (measured on number and formula grids), with room to spare.
constexpr std::size_t heapForGridFile(std::size_t fileBytes) {
    return fileBytes * 16;
}

}  // namespace connsheet

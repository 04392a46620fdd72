#pragma once
// A short command (one run, --version, a check of one sheet) spends more of its time in the kernel,
// filling in pages one fault at a time, than in its own work. On the virtual machines the command
// mostly runs on a page fault costs 10-20 µs; mapping the same pages in with one call costs 0.3 µs a
// page for code and 1-3 µs for memory that must be cleared.
#include <cstddef>

namespace connsheet {

// What warmStart() mapped in.
struct WarmStartPages {
    std::size_t code = 0;  // bytes of the program's code read in
    std::size_t data = 0;  // bytes of its writable data and zeroed data
    std::size_t heap = 0;  // bytes of heap grown and written in ahead of use
};

// The part of the heap a short command touches in any case (the command line, one standards sheet and
// its tables, one macro): warmStart() grows the heap by this much and maps it in at once.
inline constexpr std::size_t kWarmHeapBytes = std::size_t(512) << 10;

// Maps in, each with one call, the pages a command touches whatever it does: the program's frequently
// run code (laid out together by the link; see cli/hot-text.txt), its data, and the first part of
// the heap. Meant for the program's start, before the static constructors: main.cpp calls it
// from a constructor of the highest priority. Only a hint to the kernel: where the calls are missing
// (Linux before 5.14), refused, or under the sanitizers (their allocators own the heap), the pages
// fault in as before. Does its work once; later calls return what the first did.
WarmStartPages warmStart();

}  // namespace connsheet

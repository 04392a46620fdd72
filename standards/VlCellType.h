#pragma once
// The section of a standards sheet a variable is declared in.
#include <cstdint>

enum VlCellType : std::int32_t {
    kVlInput = 0,
    kVlOutput = 1,
    kVlLocal = 2,
};

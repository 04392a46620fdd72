#pragma once
// One cell as the sheet stores it: 48 bytes. The value and the formula are inline; the type is an
// index into the sheet's table of type records; everything rare (tag, tip, colours, font, border,
// the data text of a number) lives in a side table flagged by a bit here.
#include <cstdint>

#include "platform/grid/Value.h"

namespace grid {

class Formula;

namespace CellBit {
constexpr std::uint8_t Locked = 1;
constexpr std::uint8_t HasExtra = 2;     // an entry in the side table exists
constexpr std::uint8_t Cycle = 4;        // member of a reference cycle found by the last evaluation
}  // namespace CellBit

enum class CellState : std::uint8_t {
    Clean = 0,
    Dirty,     // its formula must compute again
    Visiting,  // being computed: its precedents are on the evaluation stack
    Running,   // its formula is running now (a host function it calls may read the sheet)
};

struct Cell {
    Value value;                  // the datum, or what the formula computed
    const Formula* formula = nullptr;
    std::uint16_t type = 0;       // index into the sheet's type table; 0 = default edit cell
    CellState state = CellState::Clean;
    std::uint8_t bits = 0;

    bool has(std::uint8_t bit) const { return (bits & bit) != 0; }
    void set(std::uint8_t bit, bool on) { bits = on ? (bits | bit) : (bits & ~bit); }
    // Nothing worth keeping: no datum, formula, type, lock or side-table entry.
    bool isBlank() const { return !formula && value.isEmpty() && type == 0 && (bits & ~CellBit::Cycle) == 0; }
};

}  // namespace grid

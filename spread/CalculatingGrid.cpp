#include "spread/CalculatingGrid.h"

namespace {
Mx_Spread* gCalculatingGrid = nullptr;
}  // namespace

Mx_Spread* CalculatingGrid::current() {
    return gCalculatingGrid;
}

CalculatingGrid::Scope::Scope(Mx_Spread* grid) : previous_(gCalculatingGrid) {
    gCalculatingGrid = grid;
}

CalculatingGrid::Scope::~Scope() {
    gCalculatingGrid = previous_;
}

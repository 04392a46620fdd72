#pragma once
// Turns a grid's redraw off for a scope and on again on every way out, so bulk updates are drawn once.
#include "platform/grid/window/SSFunctions.h"

class SpreadRedrawGuard {
public:
    explicit SpreadRedrawGuard(HWND grid) : grid_(grid) { SSSetBool(grid_, SSB_REDRAW, FALSE); }
    ~SpreadRedrawGuard() { SSSetBool(grid_, SSB_REDRAW, TRUE); }
    SpreadRedrawGuard(const SpreadRedrawGuard&) = delete;
    SpreadRedrawGuard& operator=(const SpreadRedrawGuard&) = delete;

private:
    HWND grid_;
};

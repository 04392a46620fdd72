#pragma once
// Turns a grid's redraw off for a scope and, on every way out, back to what it was, so bulk updates are
// drawn once. Restoring (rather than switching redraw on) matters because the guards nest: insertRow
// guards itself and calls setMaxRows, which guards itself too, and a caller may have turned redraw off
// around a bulk update of its own; the inner end must not draw the half-done outer update.
#include "platform/grid/window/SSFunctions.h"

class SpreadRedrawGuard {
public:
    explicit SpreadRedrawGuard(HWND grid) : grid_(grid), wasOn_(SSGetBool(grid, SSB_REDRAW) != FALSE) {
        SSSetBool(grid_, SSB_REDRAW, FALSE);
    }
    ~SpreadRedrawGuard() { SSSetBool(grid_, SSB_REDRAW, wasOn_ ? TRUE : FALSE); }
    SpreadRedrawGuard(const SpreadRedrawGuard&) = delete;
    SpreadRedrawGuard& operator=(const SpreadRedrawGuard&) = delete;

private:
    HWND grid_;
    bool wasOn_;
};

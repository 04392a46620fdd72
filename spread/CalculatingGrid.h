#pragma once
// The process-wide "current calculating grid": the grid whose evaluation is in progress, into which a
// FROMTABLE call of three arguments writes what it found. A nested evaluation (a table sheet that a
// FROMTABLE loads, a standards run) makes its own grid current for its duration and gives the place
// back when it ends, whichever way it ends:
//
//     CalculatingGrid::Scope current(&grid);
//     grid.ReCalcCell(col, row);  // FROMTABLE calls made here see `grid` as their caller
//
// There are no threads of the module's own: evaluations nest on the user-interface thread only.
class Mx_Spread;

class CalculatingGrid {
public:
    CalculatingGrid() = delete;

    // The grid being evaluated; null outside any evaluation.
    static Mx_Spread* current();

    // Makes a grid (or none) current and restores the previous one on destruction.
    class Scope {
    public:
        explicit Scope(Mx_Spread* grid);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

        Mx_Spread* previous() const { return previous_; }

    private:
        Mx_Spread* previous_;
    };
};

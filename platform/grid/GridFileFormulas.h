#pragma once
// Formulas in a file are checked before the target sheet is touched, against the custom functions the
// host registered on it, so the check refuses what setFormula would refuse.
#include "platform/grid/FormulaParser.h"
#include "platform/grid/Sheet.h"

namespace grid::gridfile {

// A parser that knows the custom functions of `target`, which must outlive it. Their argument counts
// are not exposed; any count passes here.
FormulaParser formulaChecker(const Sheet& target);

// While a reader fills `target`, its formulas wait for one recalculation at the end instead of each
// computing when set, over a sheet only partly read. finish() computes them; leaving the scope any
// other way (a failure, an exception) just ends the wait.
class DeferredCalculation {
public:
    explicit DeferredCalculation(Sheet& target) : target_(target) { target_.deferCalculation(true); }
    ~DeferredCalculation() { target_.deferCalculation(false); }
    DeferredCalculation(const DeferredCalculation&) = delete;
    DeferredCalculation& operator=(const DeferredCalculation&) = delete;

    void finish() {
        target_.deferCalculation(false);
        target_.recalc();
    }

private:
    Sheet& target_;
};

}  // namespace grid::gridfile

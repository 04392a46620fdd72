#pragma once
// Formulas in a file are checked before the target sheet is touched, against the custom functions the
// host registered on it, so the check refuses what setFormula would refuse.
#include "platform/grid/FormulaParser.h"

namespace grid::gridfile {

// A parser that knows the custom functions of `target`, which must outlive it. Their argument counts
// are not exposed; any count passes here.
FormulaParser formulaChecker(const Sheet& target);

}  // namespace grid::gridfile

#include "platform/grid/GridFileFormulas.h"

namespace grid::gridfile {
namespace {

FormulaParser::CustomArity lookupCustom(const void* context, std::wstring_view upperName) {
    const auto* sheet = static_cast<const Sheet*>(context);
    FormulaParser::CustomArity arity;
    if (sheet->hasCustomFunction(upperName)) {
        arity.found = true;
        arity.minArgs = 0;
        arity.maxArgs = -1;
    }
    return arity;
}

}  // namespace

FormulaParser formulaChecker(const Sheet& target) { return FormulaParser(lookupCustom, &target); }

}  // namespace grid::gridfile

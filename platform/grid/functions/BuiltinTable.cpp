// The merged, name-sorted table of every built-in function, scalarOf, and the plain range walk.
#include <algorithm>
#include <vector>

#include "platform/grid/Builtins.h"
#include "platform/grid/functions/FunctionSupport.h"

namespace grid {

Value scalarOf(const Arg& arg, CallContext& context) {
    if (!arg.isReference()) return arg.value();
    const CellRange& r = arg.range();
    if (!r.isSingleCell()) return Value::error(ErrorCode::Value);
    return context.cellValue(r.col1, r.row1);
}

void CallContext::visitValues(const CellRange& range, ValueVisit visit, void* state) {
    for (std::int32_t row = range.row1; row <= range.row2; ++row)
        for (std::int32_t col = range.col1; col <= range.col2; ++col) {
            Value v = cellValue(col, row);
            if (!v.isEmpty() && !visit(state, col, row, v)) return;
        }
}

namespace {

// The evaluator's own control functions: their arguments are evaluated lazily, so they are listed
// here only for their names and argument counts.
constexpr BuiltinInfo kControlBuiltins[] = {
    {L"AND", 1, -1, nullptr},
    {L"CHOOSE", 2, -1, nullptr},
    {L"IF", 2, 3, nullptr},
    {L"IFERROR", 2, 2, nullptr},
    {L"OR", 1, -1, nullptr},
};

const std::vector<BuiltinInfo>& table() {
    static const std::vector<BuiltinInfo> merged = [] {
        std::vector<BuiltinInfo> all(std::begin(kControlBuiltins), std::end(kControlBuiltins));
        for (auto family : {functions::roundingBuiltins(), functions::mathBuiltins(),
                            functions::aggregateBuiltins(), functions::logicalBuiltins(),
                            functions::textBuiltins(), functions::lookupBuiltins(),
                            functions::informationBuiltins(), functions::financeBuiltins()})
            all.insert(all.end(), family.begin(), family.end());
        std::sort(all.begin(), all.end(),
                  [](const BuiltinInfo& a, const BuiltinInfo& b) { return a.name < b.name; });
        return all;
    }();
    return merged;
}

}  // namespace

const BuiltinInfo* findBuiltin(std::wstring_view upperName) {
    const auto& all = table();
    auto it = std::lower_bound(all.begin(), all.end(), upperName,
                               [](const BuiltinInfo& info, std::wstring_view name) { return info.name < name; });
    return it != all.end() && it->name == upperName ? &*it : nullptr;
}

std::span<const BuiltinInfo> allBuiltins() { return table(); }

}  // namespace grid

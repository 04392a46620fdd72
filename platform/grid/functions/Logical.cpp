// NOT, TRUE, FALSE. IF, IFERROR, AND and OR evaluate their arguments lazily and belong to the
// evaluator.
#include "platform/grid/functions/FunctionSupport.h"

namespace grid::functions {
namespace {

Value fnNot(std::span<const Arg> args, CallContext& context) {
    BoolOrError b = boolArg(args[0], context);
    if (b.error) return errorResult(*b.error);
    return Value::logical(!b.value);
}

Value fnTrue(std::span<const Arg>, CallContext&) { return Value::logical(true); }
Value fnFalse(std::span<const Arg>, CallContext&) { return Value::logical(false); }

constexpr BuiltinInfo kBuiltins[] = {
    {L"FALSE", 0, 0, fnFalse},
    {L"NOT", 1, 1, fnNot},
    {L"TRUE", 0, 0, fnTrue},
};

}  // namespace

std::span<const BuiltinInfo> logicalBuiltins() { return kBuiltins; }

}  // namespace grid::functions

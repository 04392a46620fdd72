// ISNUMBER, ISTEXT, ISNONTEXT, ISBLANK, ISLOGICAL, ISERROR, ISERR, ISNA, NA. These look at a value
// without converting it, and never propagate an error: asking about one is their purpose.
#include "platform/grid/functions/FunctionSupport.h"

namespace grid::functions {
namespace {

template <bool (*Test)(const Value&)>
Value is(std::span<const Arg> args, CallContext& context) {
    return Value::logical(Test(scalarOf(args[0], context)));
}

bool number(const Value& v) { return v.isNumber(); }
bool text(const Value& v) { return v.isText(); }
bool nonText(const Value& v) { return !v.isText(); }
bool blank(const Value& v) { return v.isEmpty(); }
bool logical(const Value& v) { return v.isLogical(); }
bool error(const Value& v) { return v.isError(); }
bool errorButNA(const Value& v) { return v.isError() && v.asError() != ErrorCode::NA; }
bool notAvailable(const Value& v) { return v.isError() && v.asError() == ErrorCode::NA; }

Value fnNA(std::span<const Arg>, CallContext&) { return errorResult(ErrorCode::NA); }

constexpr BuiltinInfo kBuiltins[] = {
    {L"ISBLANK", 1, 1, is<blank>},     {L"ISERR", 1, 1, is<errorButNA>}, {L"ISERROR", 1, 1, is<error>},
    {L"ISLOGICAL", 1, 1, is<logical>}, {L"ISNA", 1, 1, is<notAvailable>}, {L"ISNONTEXT", 1, 1, is<nonText>},
    {L"ISNUMBER", 1, 1, is<number>},   {L"ISTEXT", 1, 1, is<text>},      {L"NA", 0, 0, fnNA},
};

}  // namespace

std::span<const BuiltinInfo> informationBuiltins() { return kBuiltins; }

}  // namespace grid::functions

// INDEX, MATCH, VLOOKUP, HLOOKUP, LOOKUP. CHOOSE evaluates only the chosen argument and belongs to
// the evaluator.
#include "platform/grid/functions/FunctionSupport.h"

namespace grid::functions {
namespace {

// A row or column of cells walked by position; a scalar argument is a line of one.
struct Line {
    const Arg* arg = nullptr;
    std::int32_t col = 0, row = 0, colStep = 0, rowStep = 0, length = 1;

    Value at(std::int32_t i, CallContext& context) const {
        if (!arg->isReference()) return i == 0 ? arg->value() : Value();
        return context.cellValue(col + i * colStep, row + i * rowStep);
    }
};

Line columnOf(const Arg& arg, std::int32_t colOffset) {
    Line line{&arg};
    if (arg.isReference()) {
        const CellRange& r = arg.range();
        line = {&arg, r.col1 + colOffset, r.row1, 0, 1, r.rows()};
    }
    return line;
}

Line rowOf(const Arg& arg, std::int32_t rowOffset) {
    Line line{&arg};
    if (arg.isReference()) {
        const CellRange& r = arg.range();
        line = {&arg, r.col1, r.row1 + rowOffset, 1, 0, r.columns()};
    }
    return line;
}

std::int32_t rowsOf(const Arg& arg) { return arg.isReference() ? arg.range().rows() : 1; }
std::int32_t columnsOf(const Arg& arg) { return arg.isReference() ? arg.range().columns() : 1; }

enum class MatchType : std::int8_t { Descending = -1, Exact = 0, Ascending = 1 };

// The lookup key: errors propagate, an empty key finds nothing.
struct Key {
    Value value;
    std::optional<Value> failure;
};
Key keyOf(const Arg& arg, CallContext& context) {
    Value v = scalarOf(arg, context);
    if (v.isError()) return {Value(), v};
    if (v.isEmpty()) return {Value(), errorResult(ErrorCode::NA)};
    return {std::move(v), std::nullopt};
}

// The position of the key in the line. Ascending: the last value <= key before the first greater
// one (the data is meant to be sorted ascending); Descending: the mirror; Exact: the first equal
// value, texts with wildcards. Only values of the key's category take part.
std::optional<std::int32_t> find(const Line& line, const Value& key, MatchType type, CallContext& context) {
    bool wildcards = type == MatchType::Exact && key.isText() && hasWildcards(key.asText());
    std::optional<std::int32_t> best;
    for (std::int32_t i = 0; i < line.length; ++i) {
        Value v = line.at(i, context);
        if (type == MatchType::Exact && wildcards) {
            if (v.isText() && wildcardMatch(key.asText(), v.asText(), CaseMatch::Sensitive)) return i;
            continue;
        }
        std::optional<int> c = lookupCompare(v, key);
        if (!c) continue;
        if (type == MatchType::Exact) {
            if (*c == 0) return i;
        } else if (type == MatchType::Ascending ? *c <= 0 : *c >= 0) {
            best = i;
        } else {
            break;
        }
    }
    return best;
}

Value fnMatch(std::span<const Arg> args, CallContext& context) {
    Key key = keyOf(args[0], context);
    if (key.failure) return *key.failure;
    MatchType type = MatchType::Ascending;
    if (args.size() > 2) {
        NumberOrError t = numberArg(args[2], context);
        if (t.error) return errorResult(*t.error);
        type = t.number > 0 ? MatchType::Ascending : (t.number < 0 ? MatchType::Descending : MatchType::Exact);
    }
    const Arg& range = args[1];
    Line line;
    if (rowsOf(range) == 1) {
        line = rowOf(range, 0);
    } else if (columnsOf(range) == 1) {
        line = columnOf(range, 0);
    } else {
        return errorResult(ErrorCode::NA);
    }
    std::optional<std::int32_t> at = find(line, key.value, type, context);
    if (!at) return errorResult(ErrorCode::NA);
    return Value::number(*at + 1);
}

// INDEX(range, row[, col]). A one-row range takes a single index as its column. Positions past the
// range are #REF!; negative positions, and 0 (the whole row or column) on a range wider than one,
// are #VALUE! because a cell holds one value.
Value fnIndex(std::span<const Arg> args, CallContext& context) {
    const Arg& range = args[0];
    std::int32_t rows = rowsOf(range), columns = columnsOf(range);
    IntegerOrError first = integerArg(args[1], context);
    if (first.error) return errorResult(*first.error);
    std::int64_t row = first.value, col = 0;
    if (args.size() > 2) {
        IntegerOrError second = integerArg(args[2], context);
        if (second.error) return errorResult(*second.error);
        col = second.value;
    } else if (rows == 1 && columns > 1) {
        col = row;
        row = 0;
    }
    if (row < 0 || col < 0) return errorResult(ErrorCode::Value);
    if (row > rows || col > columns) return errorResult(ErrorCode::Ref);
    if (row == 0) {
        if (rows > 1) return errorResult(ErrorCode::Value);
        row = 1;
    }
    if (col == 0) {
        if (columns > 1) return errorResult(ErrorCode::Value);
        col = 1;
    }
    if (!range.isReference()) return range.value();
    return context.cellValue(range.range().col1 + static_cast<std::int32_t>(col) - 1,
                             range.range().row1 + static_cast<std::int32_t>(row) - 1);
}

// VLOOKUP and HLOOKUP: find the key in the first column (row) and read the n-th column (row).
Value tableLookup(std::span<const Arg> args, CallContext& context, bool vertical) {
    Key key = keyOf(args[0], context);
    if (key.failure) return *key.failure;
    const Arg& table = args[1];
    IntegerOrError index = integerArg(args[2], context);
    if (index.error) return errorResult(*index.error);
    bool approximate = true;
    if (args.size() > 3) {
        BoolOrError b = boolArg(args[3], context);
        if (b.error) return errorResult(*b.error);
        approximate = b.value;
    }
    std::int32_t width = vertical ? columnsOf(table) : rowsOf(table);
    if (index.value < 1) return errorResult(ErrorCode::Value);
    if (index.value > width) return errorResult(ErrorCode::Ref);
    Line keys = vertical ? columnOf(table, 0) : rowOf(table, 0);
    std::optional<std::int32_t> at =
        find(keys, key.value, approximate ? MatchType::Ascending : MatchType::Exact, context);
    if (!at) return errorResult(ErrorCode::NA);
    Line results = vertical ? columnOf(table, static_cast<std::int32_t>(index.value) - 1)
                            : rowOf(table, static_cast<std::int32_t>(index.value) - 1);
    return results.at(*at, context);
}

Value fnVLookup(std::span<const Arg> args, CallContext& context) { return tableLookup(args, context, true); }
Value fnHLookup(std::span<const Arg> args, CallContext& context) { return tableLookup(args, context, false); }

// LOOKUP(key, lookupRange[, resultRange]): an ascending search. Without a result range, a range wider
// than tall is searched along its first row and answered from its last row, otherwise along its
// first column and answered from its last column. A result range is read along its own direction,
// past its end if need be, as the classic function did.
Value fnLookup(std::span<const Arg> args, CallContext& context) {
    Key key = keyOf(args[0], context);
    if (key.failure) return *key.failure;
    const Arg& lookup = args[1];
    bool alongRow = columnsOf(lookup) > rowsOf(lookup);
    Line keys = alongRow ? rowOf(lookup, 0) : columnOf(lookup, 0);
    std::optional<std::int32_t> at = find(keys, key.value, MatchType::Ascending, context);
    if (!at) return errorResult(ErrorCode::NA);
    if (args.size() < 3) {
        Line results = alongRow ? rowOf(lookup, rowsOf(lookup) - 1) : columnOf(lookup, columnsOf(lookup) - 1);
        return results.at(*at, context);
    }
    const Arg& result = args[2];
    if (!result.isReference()) return *at == 0 ? result.value() : errorResult(ErrorCode::Ref);
    Line results = rowsOf(result) == 1 && columnsOf(result) > 1 ? rowOf(result, 0) : columnOf(result, 0);
    return results.at(*at, context);
}

constexpr BuiltinInfo kBuiltins[] = {
    {L"HLOOKUP", 3, 4, fnHLookup}, {L"INDEX", 2, 3, fnIndex},   {L"LOOKUP", 2, 3, fnLookup},
    {L"MATCH", 2, 3, fnMatch},     {L"VLOOKUP", 3, 4, fnVLookup},
};

}  // namespace

std::span<const BuiltinInfo> lookupBuiltins() { return kBuiltins; }

}  // namespace grid::functions

#pragma once
// Shared argument handling of the built-in functions. Internal to platform/grid/functions: the
// evaluator sees only Builtins.h.
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/grid/Builtins.h"
#include "platform/grid/Value.h"

namespace grid::functions {

// ---- results ---------------------------------------------------------------------------------

// A numeric result; infinities and NaN never reach a cell, they become #NUM!.
inline Value numberResult(double v) { return std::isfinite(v) ? Value::number(v) : Value::error(ErrorCode::Num); }
inline Value errorResult(ErrorCode code) { return Value::error(code); }

// ---- single arguments ------------------------------------------------------------------------

// An argument read as a number: scalars and single cells convert numeric text; a multi-cell
// reference is #VALUE!.
NumberOrError numberArg(const Arg& arg, CallContext& context);
// An argument read as a whole number, truncated toward zero (counts, positions, digits). Values
// are clamped to +-1E15 so that callers can range-check and add without overflow; NaN is #NUM!.
struct IntegerOrError {
    std::int64_t value = 0;
    std::optional<ErrorCode> error;
};
IntegerOrError integerArg(const Arg& arg, CallContext& context);
// An argument read as text: numbers in their shortest form, empty as "".
TextOrError textArg(const Arg& arg, CallContext& context);
// An argument read as a truth value (non-zero numbers, "TRUE"/"FALSE").
BoolOrError boolArg(const Arg& arg, CallContext& context);

// Calls visit(value) for each cell of a range row by row, empty cells included; stops early when
// visit returns false. Its cost is the range's area: functions that skip empty cells use
// forEachValue.
template <class Visit>
void forEachCell(const CellRange& range, CallContext& context, Visit&& visit) {
    for (std::int32_t row = range.row1; row <= range.row2; ++row)
        for (std::int32_t col = range.col1; col <= range.col2; ++col)
            if (!visit(context.cellValue(col, row))) return;
}

// Calls visit(col, row, value) for each cell of a range whose value is not empty, row by row; stops
// early when visit returns false. Returns how many cells it visited, so that a function that counts
// empty cells (COUNTBLANK, COUNTIF) knows how many it did not see: the area less those visited.
// The sheet skips what it does not hold, so this costs what the range holds.
template <class Visit>
std::int64_t forEachValueAt(const CellRange& range, CallContext& context, Visit&& visit) {
    struct State {
        Visit& visit;
        std::int64_t visited = 0;
    } state{visit};
    context.visitValues(range, [](void* p, std::int32_t col, std::int32_t row, const Value& v) {
        auto& s = *static_cast<State*>(p);
        ++s.visited;
        return static_cast<bool>(s.visit(col, row, v));
    }, &state);
    return state.visited;
}
template <class Visit>
std::int64_t forEachValue(const CellRange& range, CallContext& context, Visit&& visit) {
    return forEachValueAt(range, context, [&](std::int32_t, std::int32_t, const Value& v) { return visit(v); });
}
inline std::int64_t cellCount(const CellRange& range) {
    return static_cast<std::int64_t>(range.rows()) * range.columns();
}

// The numbers that aggregate functions (SUM, MAX, PRODUCT, ...) see, in argument order: numbers of
// references (texts and empty cells skipped), scalars converted (numeric text accepted, other text
// #VALUE!). The first error met is returned and ends the walk.
template <class Visit>
std::optional<ErrorCode> forEachNumber(std::span<const Arg> args, CallContext& context, Visit&& visit) {
    for (const Arg& arg : args) {
        if (arg.isReference()) {
            std::optional<ErrorCode> error;
            forEachValue(arg.range(), context, [&](const Value& v) {
                if (v.isError()) {
                    error = v.asError();
                    return false;
                }
                if (v.isNumber()) visit(v.asNumber());
                return true;
            });
            if (error) return error;
            continue;
        }
        const Value& v = arg.value();
        if (v.isEmpty()) continue;
        NumberOrError n = toNumber(v);
        if (n.error) return n.error;
        visit(n.number);
    }
    return std::nullopt;
}

// ---- numbers ---------------------------------------------------------------------------------

enum class Rounding : std::uint8_t {
    HalfAwayFromZero,  // ROUND
    AwayFromZero,      // ROUNDUP
    TowardZero,        // ROUNDDOWN, TRUNC
    Down,              // INT: toward minus infinity
};
// Rounds x to `digits` decimal places (negative: left of the point) as a user reading the number
// expects: the decision is made on x written with 15 significant digits, so ROUND(2.675, 2) = 2.68
// although the double 2.675 lies just below. The result is the double nearest the decimal result.
double roundDecimal(double x, int digits, Rounding mode);
// x rounded to `digits` significant digits (1..17); clears noise such as 0.1 * 3 = 0.30000000000000004.
double roundSignificant(double x, int digits);
// q snapped to the nearest integer when it lies within floating-point noise of it: quotients like
// 0.3 / 0.1 = 2.9999999999999996 count as 3.
double snapQuotient(double q);

// ---- text ------------------------------------------------------------------------------------

// Simple case mapping for Latin-1, Latin Extended-A, Greek and Cyrillic (independent of the locale).
wchar_t upperChar(wchar_t c);
wchar_t lowerChar(wchar_t c);
// True when the texts are equal ignoring case.
bool equalsIgnoringCase(std::wstring_view a, std::wstring_view b);

enum class CaseMatch : std::uint8_t { Sensitive, Insensitive };
enum class MatchExtent : std::uint8_t { Whole, Prefix };
// Pattern matching with "?" (any one character), "*" (any run) and "~" escaping the next one.
// Prefix: the pattern need only match the start of the text (SEARCH).
bool wildcardMatch(std::wstring_view pattern, std::wstring_view text, CaseMatch caseMatch,
                   MatchExtent extent = MatchExtent::Whole);
bool hasWildcards(std::wstring_view pattern);

// A text result: #VALUE! when it is longer than kMaxTextLength (Value.h), the longest text a formula
// may build. Every function that makes a text returns it through here.
inline Value textResult(std::wstring text) {
    if (text.size() > kMaxTextLength) return Value::error(ErrorCode::Value);
    return Value::text(std::move(text));
}

// ---- lookups ---------------------------------------------------------------------------------

// Compares a cell with a lookup key of the same category: numbers with numbers, texts with texts
// (case-sensitive, as the comparison operators). Empty cells, errors and mixed categories are not
// comparable and give nothing.
std::optional<int> lookupCompare(const Value& cell, const Value& key);

// ---- the families' tables, merged by BuiltinTable.cpp ----------------------------------------

std::span<const BuiltinInfo> roundingBuiltins();
std::span<const BuiltinInfo> mathBuiltins();
std::span<const BuiltinInfo> aggregateBuiltins();
std::span<const BuiltinInfo> logicalBuiltins();
std::span<const BuiltinInfo> textBuiltins();
std::span<const BuiltinInfo> lookupBuiltins();
std::span<const BuiltinInfo> informationBuiltins();
std::span<const BuiltinInfo> financeBuiltins();

}  // namespace grid::functions

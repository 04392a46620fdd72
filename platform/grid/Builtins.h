#pragma once
// The built-in function library as the evaluator sees it: a table of eager functions that receive
// evaluated arguments. Control functions whose arguments are evaluated lazily (IF, IFERROR, CHOOSE,
// AND, OR) are the evaluator's own and are listed here only with evaluate == nullptr.
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/grid/CellRange.h"
#include "platform/grid/Value.h"

namespace grid {

// One evaluated argument: a scalar value, or a reference to a range of cells (a single cell is a 1x1
// reference). Functions over ranges skip texts and empty cells of references but convert numeric
// text given directly, so the distinction matters.
class Arg {
public:
    static Arg scalar(Value v) {
        Arg a;
        a.value_ = std::move(v);
        return a;
    }
    static Arg reference(CellRange r) {
        Arg a;
        a.isReference_ = true;
        a.range_ = r;
        return a;
    }
    // The empty result of a host-registered function (its "empty" status): the one empty value a
    // formula keeps as its own result. Any other empty result (a reference to an empty cell, an
    // omitted argument) makes the formula compute 0, as spreadsheet users expect of "=E1".
    static Arg hostEmpty() {
        Arg a;
        a.hostEmpty_ = true;
        return a;
    }
    bool isReference() const { return isReference_; }
    bool isHostEmpty() const { return hostEmpty_; }
    const Value& value() const { return value_; }      // scalars only
    const CellRange& range() const { return range_; }  // references only

private:
    Value value_;
    CellRange range_;
    bool isReference_ = false;
    bool hostEmpty_ = false;
};

// What a function may ask of the sheet while it runs. Implemented by the evaluator.
class CallContext {
public:
    virtual ~CallContext() = default;
    // The computed value of a cell (computing it first if it is dirty). Cells outside the sheet's
    // limits read as #REF!.
    virtual Value cellValue(std::int32_t col, std::int32_t row) = 0;
    // A uniform random number in [0, 1) for RAND().
    virtual double random() = 0;

    // Calls visit(state, col, row, value) for each cell of the range whose value is not empty, row by
    // row, each row left to right, until visit returns false. The range lies inside the sheet (as
    // the evaluator passes references). A sheet skips what it does not hold without looking at it,
    // so a range over a large empty area costs what it holds, not its size; this default reads
    // every cell.
    using ValueVisit = bool (*)(void* state, std::int32_t col, std::int32_t row, const Value& value);
    virtual void visitValues(const CellRange& range, ValueVisit visit, void* state);
};

// Reads an argument as one value: a scalar as is, a single-cell reference as that cell's value,
// a larger reference as #VALUE!.
Value scalarOf(const Arg& arg, CallContext& context);

using BuiltinFunction = Value (*)(std::span<const Arg> args, CallContext& context);
// The same function over plain finite numbers (no logical values, no references), for the
// evaluator's fast path. False when the result is not a plain finite number: the evaluator then
// calls the full function, which gives that case its proper value.
using NumericKernel = bool (*)(const double* args, std::size_t count, double& out);

enum class BuiltinFlags : std::uint8_t {
    None = 0,
    Volatile = 1,  // RAND: recomputed on every calculation, never folded
};

struct BuiltinInfo {
    std::wstring_view name;  // upper case
    std::int16_t minArgs;
    std::int16_t maxArgs;  // -1: any number
    BuiltinFunction evaluate;  // nullptr for the evaluator's lazy control functions
    BuiltinFlags flags = BuiltinFlags::None;
    NumericKernel numeric = nullptr;
};

// Looks a function up by its upper-case name; nullptr when there is none.
const BuiltinInfo* findBuiltin(std::wstring_view upperName);
// Every built-in, for listings and tests.
std::span<const BuiltinInfo> allBuiltins();

}  // namespace grid

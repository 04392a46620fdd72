// SUM, AVERAGE, MAX, MIN, COUNT, COUNTA, COUNTBLANK, COUNTIF, SUMIF, MEDIAN, SUMPRODUCT.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/grid/functions/Criterion.h"
#include "platform/grid/functions/FunctionSupport.h"

namespace grid::functions {
namespace {

Value fnSum(std::span<const Arg> args, CallContext& context) {
    double sum = 0.0;
    auto error = forEachNumber(args, context, [&](double v) { sum += v; });
    if (error) return errorResult(*error);
    return numberResult(sum);
}

Value fnAverage(std::span<const Arg> args, CallContext& context) {
    double sum = 0.0;
    std::int64_t count = 0;
    auto error = forEachNumber(args, context, [&](double v) {
        sum += v;
        ++count;
    });
    if (error) return errorResult(*error);
    if (count == 0) return errorResult(ErrorCode::Div0);
    return numberResult(sum / static_cast<double>(count));
}

template <bool Max>
bool extremeKernel(const double* args, std::size_t count, double& out) {
    out = args[0];
    for (std::size_t i = 1; i < count; ++i)
        if (Max ? args[i] > out : args[i] < out) out = args[i];
    return true;
}

bool sumKernel(const double* args, std::size_t count, double& out) {
    out = 0.0;
    for (std::size_t i = 0; i < count; ++i) out += args[i];
    return std::isfinite(out);
}

template <bool Max>
Value extreme(std::span<const Arg> args, CallContext& context) {
    double best = 0.0;
    bool any = false;
    auto error = forEachNumber(args, context, [&](double v) {
        if (!any || (Max ? v > best : v < best)) best = v;
        any = true;
    });
    if (error) return errorResult(*error);
    return numberResult(best);  // none: 0
}

// COUNT counts numbers (and numeric text given directly); it is a test, so errors are not
// propagated but simply not counted.
Value fnCount(std::span<const Arg> args, CallContext& context) {
    double count = 0;
    for (const Arg& arg : args) {
        if (arg.isReference()) {
            forEachValue(arg.range(), context, [&](const Value& v) {
                if (v.isNumber()) ++count;
                return true;
            });
        } else if (arg.value().isNumber() || (arg.value().isText() && parseNumber(arg.value().asText()))) {
            ++count;
        }
    }
    return Value::number(count);
}

// COUNTA counts every value that is not empty, errors included.
Value fnCountA(std::span<const Arg> args, CallContext& context) {
    double count = 0;
    for (const Arg& arg : args) {
        if (arg.isReference()) {
            count += static_cast<double>(forEachValue(arg.range(), context, [](const Value&) { return true; }));
        } else if (!arg.value().isEmpty()) {
            ++count;
        }
    }
    return Value::number(count);
}

bool isBlank(const Value& v) { return v.isEmpty() || (v.isText() && v.asText().empty()); }

Value fnCountBlank(std::span<const Arg> args, CallContext& context) {
    if (!args[0].isReference()) return Value::number(isBlank(args[0].value()) ? 1 : 0);
    // Cells not visited are empty; of those visited, only empty texts are blank.
    std::int64_t blankTexts = 0;
    const std::int64_t visited = forEachValue(args[0].range(), context, [&](const Value& v) {
        if (isBlank(v)) ++blankTexts;
        return true;
    });
    return Value::number(static_cast<double>(cellCount(args[0].range()) - visited + blankTexts));
}

// The value at (row, column) offset of an argument seen as a rectangle; a scalar is 1x1.
Value valueAt(const Arg& arg, std::int32_t rowOffset, std::int32_t colOffset, CallContext& context) {
    if (!arg.isReference()) return rowOffset == 0 && colOffset == 0 ? arg.value() : Value();
    return context.cellValue(arg.range().col1 + colOffset, arg.range().row1 + rowOffset);
}

std::int32_t rowsOf(const Arg& arg) { return arg.isReference() ? arg.range().rows() : 1; }
std::int32_t columnsOf(const Arg& arg) { return arg.isReference() ? arg.range().columns() : 1; }

Value fnCountIf(std::span<const Arg> args, CallContext& context) {
    Value criterionValue = scalarOf(args[1], context);
    if (criterionValue.isError()) return criterionValue;
    Criterion criterion = Criterion::parse(criterionValue);
    if (!args[0].isReference()) return Value::number(criterion.matches(args[0].value()) ? 1 : 0);
    // The cells not visited are empty: they all match, or none does.
    std::int64_t count = 0;
    const std::int64_t visited = forEachValue(args[0].range(), context, [&](const Value& v) {
        if (criterion.matches(v)) ++count;
        return true;
    });
    if (criterion.matches(Value())) count += cellCount(args[0].range()) - visited;
    return Value::number(static_cast<double>(count));
}

// SUMIF(range, criterion[, sumRange]): the sum range is read from its top-left cell with the shape
// of the tested range, so SUMIF(A1:A5, ">0", B1) sums B1:B5.
Value fnSumIf(std::span<const Arg> args, CallContext& context) {
    Value criterionValue = scalarOf(args[1], context);
    if (criterionValue.isError()) return criterionValue;
    Criterion criterion = Criterion::parse(criterionValue);
    const Arg& summed = args.size() > 2 ? args[2] : args[0];
    if (!summed.isReference() && args.size() > 2) return errorResult(ErrorCode::Value);
    double sum = 0.0;
    if (args[0].isReference()) {
        // Only places where the tested or the summed cell holds something can add or fail: those
        // are visited in row order, as a walk over every place would meet them.
        const CellRange& tested = args[0].range();
        const CellRange sumArea = &summed == &args[0]
                                      ? tested
                                      : CellRange{summed.range().col1, summed.range().row1,
                                                  summed.range().col1 + tested.columns() - 1,
                                                  summed.range().row1 + tested.rows() - 1};
        std::vector<std::pair<std::int32_t, std::int32_t>> places;  // (row, column) offsets
        auto keep = [&](const CellRange& area) {
            forEachValueAt(area, context, [&](std::int32_t col, std::int32_t row, const Value&) {
                places.emplace_back(row - area.row1, col - area.col1);
                return true;
            });
        };
        keep(tested);
        if (&summed != &args[0]) {
            keep(sumArea);
            std::sort(places.begin(), places.end());
            places.erase(std::unique(places.begin(), places.end()), places.end());
        }
        for (auto [r, c] : places) {
            if (!criterion.matches(context.cellValue(tested.col1 + c, tested.row1 + r))) continue;
            Value v = context.cellValue(sumArea.col1 + c, sumArea.row1 + r);
            if (v.isError()) return v;
            if (v.isNumber()) sum += v.asNumber();
        }
        return numberResult(sum);
    }
    for (std::int32_t r = 0; r < rowsOf(args[0]); ++r) {
        for (std::int32_t c = 0; c < columnsOf(args[0]); ++c) {
            if (!criterion.matches(valueAt(args[0], r, c, context))) continue;
            Value v = &summed == &args[0] ? valueAt(summed, r, c, context)
                                          : context.cellValue(summed.range().col1 + c, summed.range().row1 + r);
            if (v.isError()) return v;
            if (v.isNumber()) sum += v.asNumber();
        }
    }
    return numberResult(sum);
}

Value fnMedian(std::span<const Arg> args, CallContext& context) {
    std::vector<double> values;
    auto error = forEachNumber(args, context, [&](double v) { values.push_back(v); });
    if (error) return errorResult(*error);
    if (values.empty()) return errorResult(ErrorCode::Num);
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1) return Value::number(*middle);
    double upper = *middle;
    double lower = *std::max_element(values.begin(), middle);
    return numberResult(lower / 2 + upper / 2);
}

// SUMPRODUCT multiplies same-shaped rectangles element by element; entries that are not numbers
// count as 0, errors propagate, and rectangles of different shapes are #VALUE!.
Value fnSumProduct(std::span<const Arg> args, CallContext& context) {
    std::int32_t rows = rowsOf(args[0]), columns = columnsOf(args[0]);
    for (const Arg& arg : args)
        if (rowsOf(arg) != rows || columnsOf(arg) != columns) return errorResult(ErrorCode::Value);
    double sum = 0.0;
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < columns; ++c) {
            double product = 1.0;
            for (const Arg& arg : args) {
                Value v = valueAt(arg, r, c, context);
                if (v.isError()) return v;
                product *= v.isNumber() ? v.asNumber() : 0.0;
            }
            sum += product;
        }
    }
    return numberResult(sum);
}

constexpr BuiltinInfo kBuiltins[] = {
    {L"AVERAGE", 1, -1, fnAverage},   {L"COUNT", 1, -1, fnCount},        {L"COUNTA", 1, -1, fnCountA},
    {L"COUNTBLANK", 1, 1, fnCountBlank}, {L"COUNTIF", 2, 2, fnCountIf}, {L"MAX", 1, -1, extreme<true>, BuiltinFlags::None, extremeKernel<true>},
    {L"MEDIAN", 1, -1, fnMedian},     {L"MIN", 1, -1, extreme<false>, BuiltinFlags::None, extremeKernel<false>},   {L"SUM", 1, -1, fnSum, BuiltinFlags::None, sumKernel},
    {L"SUMIF", 2, 3, fnSumIf},        {L"SUMPRODUCT", 1, -1, fnSumProduct},
};

}  // namespace

std::span<const BuiltinInfo> aggregateBuiltins() { return kBuiltins; }

}  // namespace grid::functions

// ABS, SIGN, SQRT, POWER, EXP, LN, LOG, LOG10, PI, FACT, PRODUCT, SUMSQ, trigonometry, RAND.
#include <cmath>
#include <numbers>

#include "platform/grid/functions/FunctionSupport.h"

namespace grid::functions {
namespace {

// One numeric argument through f; domain faults (NaN, infinities) come out as #NUM!.
template <double (*F)(double)>
Value unary(std::span<const Arg> args, CallContext& context) {
    NumberOrError x = numberArg(args[0], context);
    if (x.error) return errorResult(*x.error);
    return numberResult(F(x.number));
}

double absolute(double x) { return std::fabs(x); }

template <double (*F)(double)>
bool unaryKernel(const double* args, std::size_t, double& out) {
    out = F(args[0]);
    return std::isfinite(out);
}
double sign(double x) { return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0); }
double squareRoot(double x) { return std::sqrt(x); }
double exponential(double x) { return std::exp(x); }
// log(0) is -inf and log of a negative NaN, so both become #NUM! through numberResult.
double naturalLog(double x) { return x > 0 ? std::log(x) : NAN; }
double log10Of(double x) { return x > 0 ? std::log10(x) : NAN; }
double sine(double x) { return std::sin(x); }
double cosine(double x) { return std::cos(x); }
double tangent(double x) { return std::tan(x); }
double arcSine(double x) { return std::asin(x); }
double arcCosine(double x) { return std::acos(x); }
double arcTangent(double x) { return std::atan(x); }
double degrees(double x) { return x * (180.0 / std::numbers::pi); }
double radians(double x) { return x * (std::numbers::pi / 180.0); }

Value fnPower(std::span<const Arg> args, CallContext& context) {
    NumberOrError base = numberArg(args[0], context);
    if (base.error) return errorResult(*base.error);
    NumberOrError exponent = numberArg(args[1], context);
    if (exponent.error) return errorResult(*exponent.error);
    if (base.number == 0.0) {
        if (exponent.number < 0) return errorResult(ErrorCode::Div0);
        if (exponent.number == 0) return errorResult(ErrorCode::Num);
    }
    return numberResult(std::pow(base.number, exponent.number));
}

Value fnLog(std::span<const Arg> args, CallContext& context) {
    NumberOrError x = numberArg(args[0], context);
    if (x.error) return errorResult(*x.error);
    double base = 10.0;
    if (args.size() > 1) {
        NumberOrError b = numberArg(args[1], context);
        if (b.error) return errorResult(*b.error);
        base = b.number;
    }
    if (x.number <= 0 || base <= 0) return errorResult(ErrorCode::Num);
    if (base == 1.0) return errorResult(ErrorCode::Div0);
    return numberResult(std::log(x.number) / std::log(base));
}

Value fnPi(std::span<const Arg>, CallContext&) { return Value::number(std::numbers::pi); }

Value fnFact(std::span<const Arg> args, CallContext& context) {
    NumberOrError x = numberArg(args[0], context);
    if (x.error) return errorResult(*x.error);
    if (x.number < 0) return errorResult(ErrorCode::Num);
    if (x.number > 170) return errorResult(ErrorCode::Num);  // 171! overflows a double
    double result = 1.0;
    for (int i = 2; i <= static_cast<int>(x.number); ++i) result *= i;
    return Value::number(result);
}

Value fnProduct(std::span<const Arg> args, CallContext& context) {
    double product = 1.0;
    bool any = false;
    auto error = forEachNumber(args, context, [&](double v) {
        product *= v;
        any = true;
    });
    if (error) return errorResult(*error);
    return numberResult(any ? product : 0.0);
}

Value fnSumSq(std::span<const Arg> args, CallContext& context) {
    double sum = 0.0;
    auto error = forEachNumber(args, context, [&](double v) { sum += v * v; });
    if (error) return errorResult(*error);
    return numberResult(sum);
}

// ATAN2(x, y): the angle of the point (x, y), as the spreadsheet convention has it.
Value fnAtan2(std::span<const Arg> args, CallContext& context) {
    NumberOrError x = numberArg(args[0], context);
    if (x.error) return errorResult(*x.error);
    NumberOrError y = numberArg(args[1], context);
    if (y.error) return errorResult(*y.error);
    if (x.number == 0.0 && y.number == 0.0) return errorResult(ErrorCode::Div0);
    return numberResult(std::atan2(y.number, x.number));
}

Value fnRand(std::span<const Arg>, CallContext& context) { return Value::number(context.random()); }

constexpr BuiltinInfo kBuiltins[] = {
    {L"ABS", 1, 1, unary<absolute>, BuiltinFlags::None, unaryKernel<absolute>},
    {L"ACOS", 1, 1, unary<arcCosine>},
    {L"ASIN", 1, 1, unary<arcSine>},
    {L"ATAN", 1, 1, unary<arcTangent>},
    {L"ATAN2", 2, 2, fnAtan2},
    {L"COS", 1, 1, unary<cosine>},
    {L"DEGREES", 1, 1, unary<degrees>},
    {L"EXP", 1, 1, unary<exponential>},
    {L"FACT", 1, 1, fnFact},
    {L"LN", 1, 1, unary<naturalLog>},
    {L"LOG", 1, 2, fnLog},
    {L"LOG10", 1, 1, unary<log10Of>},
    {L"PI", 0, 0, fnPi},
    {L"POWER", 2, 2, fnPower},
    {L"PRODUCT", 1, -1, fnProduct},
    {L"RADIANS", 1, 1, unary<radians>},
    {L"RAND", 0, 0, fnRand, BuiltinFlags::Volatile},
    {L"SIGN", 1, 1, unary<sign>},
    {L"SIN", 1, 1, unary<sine>},
    {L"SQRT", 1, 1, unary<squareRoot>, BuiltinFlags::None, unaryKernel<squareRoot>},
    {L"SUMSQ", 1, -1, fnSumSq},
    {L"TAN", 1, 1, unary<tangent>},
};

}  // namespace

std::span<const BuiltinInfo> mathBuiltins() { return kBuiltins; }

}  // namespace grid::functions

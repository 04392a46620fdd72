// ROUND, ROUNDUP, ROUNDDOWN, INT, TRUNC, CEILING, FLOOR, EVEN, ODD, MOD.
#include <algorithm>
#include <cmath>

#include "platform/grid/functions/FunctionSupport.h"

namespace grid::functions {
namespace {

Value roundWith(std::span<const Arg> args, CallContext& context, Rounding mode) {
    NumberOrError x = numberArg(args[0], context);
    if (x.error) return errorResult(*x.error);
    int digits = 0;
    if (args.size() > 1) {
        IntegerOrError d = integerArg(args[1], context);
        if (d.error) return errorResult(*d.error);
        digits = static_cast<int>(std::clamp<std::int64_t>(d.value, -1000, 1000));
    }
    return numberResult(roundDecimal(x.number, digits, mode));
}

// Digits as integerArg reads them: truncated toward zero, clamped.
int digitsOf(double d) {
    constexpr double kLimit = 1e15;
    const auto whole = static_cast<std::int64_t>(std::trunc(std::clamp(d, -kLimit, kLimit)));
    return static_cast<int>(std::clamp<std::int64_t>(whole, -1000, 1000));
}

template <Rounding Mode>
bool roundKernel(const double* args, std::size_t count, double& out) {
    out = roundDecimal(args[0], count > 1 ? digitsOf(args[1]) : 0, Mode);
    return std::isfinite(out);
}

Value fnRound(std::span<const Arg> args, CallContext& context) {
    return roundWith(args, context, Rounding::HalfAwayFromZero);
}
Value fnRoundUp(std::span<const Arg> args, CallContext& context) {
    return roundWith(args, context, Rounding::AwayFromZero);
}
Value fnRoundDown(std::span<const Arg> args, CallContext& context) {
    return roundWith(args, context, Rounding::TowardZero);
}
Value fnTrunc(std::span<const Arg> args, CallContext& context) {
    return roundWith(args, context, Rounding::TowardZero);
}
Value fnInt(std::span<const Arg> args, CallContext& context) { return roundWith(args, context, Rounding::Down); }

// CEILING and FLOOR round |x| to a multiple of |s| away from / toward zero and keep the sign of x.
// A positive x with a negative step has no sensible answer (#NUM!); a negative x with a positive step
// is taken by magnitude, so CEILING(-2.5, 2) = -4 like CEILING(-2.5, -2).
Value toMultiple(std::span<const Arg> args, CallContext& context, bool awayFromZero) {
    NumberOrError x = numberArg(args[0], context);
    if (x.error) return errorResult(*x.error);
    NumberOrError s = numberArg(args[1], context);
    if (s.error) return errorResult(*s.error);
    if (x.number == 0.0) return Value::number(0.0);
    if (s.number == 0.0) return awayFromZero ? Value::number(0.0) : errorResult(ErrorCode::Div0);
    if (x.number > 0 && s.number < 0) return errorResult(ErrorCode::Num);
    double step = std::fabs(s.number);
    double q = snapQuotient(std::fabs(x.number) / step);
    double n = awayFromZero ? std::ceil(q) : std::floor(q);
    double r = roundSignificant(n * step, 15);
    return numberResult(x.number < 0 ? -r : r);
}

Value fnCeiling(std::span<const Arg> args, CallContext& context) { return toMultiple(args, context, true); }
Value fnFloor(std::span<const Arg> args, CallContext& context) { return toMultiple(args, context, false); }

// EVEN and ODD round away from zero to the next even / odd integer.
Value toParity(std::span<const Arg> args, CallContext& context, bool odd) {
    NumberOrError x = numberArg(args[0], context);
    if (x.error) return errorResult(*x.error);
    double n = roundDecimal(std::fabs(x.number), 0, Rounding::AwayFromZero);
    bool isOdd = std::fmod(n, 2.0) == 1.0;
    if (isOdd != odd) n += 1.0;
    return numberResult(x.number < 0 ? -n : n);
}

Value fnEven(std::span<const Arg> args, CallContext& context) { return toParity(args, context, false); }
Value fnOdd(std::span<const Arg> args, CallContext& context) { return toParity(args, context, true); }

// MOD takes the sign of the divisor. fmod is exact, but the operands themselves carry decimal noise
// (MOD(5.3, 1) = 0.2999999999999998 in binary), so the remainder is cleaned to 15 significant digits
// of the larger operand, and a remainder that is within noise of the divisor is 0. Whole operands
// carry no such noise and keep their exact remainder.
Value fnMod(std::span<const Arg> args, CallContext& context) {
    NumberOrError a = numberArg(args[0], context);
    if (a.error) return errorResult(*a.error);
    NumberOrError b = numberArg(args[1], context);
    if (b.error) return errorResult(*b.error);
    if (b.number == 0.0) return errorResult(ErrorCode::Div0);
    double r = std::fmod(a.number, b.number);
    if (r != 0.0 && (r < 0) != (b.number < 0)) r += b.number;
    if (r == 0.0) return Value::number(0.0);
    if (std::trunc(a.number) == a.number && std::trunc(b.number) == b.number) return numberResult(r);
    double magnitude = std::max(std::fabs(a.number), std::fabs(b.number));
    int digits = 14 - static_cast<int>(std::floor(std::log10(magnitude)));
    r = roundDecimal(r, digits, Rounding::HalfAwayFromZero);
    if (std::fabs(r) >= std::fabs(b.number) * (1 - 1e-14)) r = 0.0;
    return numberResult(r == 0.0 ? 0.0 : r);
}

constexpr BuiltinInfo kBuiltins[] = {
    {L"CEILING", 2, 2, fnCeiling},    {L"EVEN", 1, 1, fnEven},           {L"FLOOR", 2, 2, fnFloor},
    {L"INT", 1, 1, fnInt, BuiltinFlags::None, roundKernel<Rounding::Down>},
               {L"MOD", 2, 2, fnMod},             {L"ODD", 1, 1, fnOdd},
    {L"ROUND", 2, 2, fnRound, BuiltinFlags::None, roundKernel<Rounding::HalfAwayFromZero>},
    {L"ROUNDDOWN", 2, 2, fnRoundDown, BuiltinFlags::None, roundKernel<Rounding::TowardZero>},
    {L"ROUNDUP", 2, 2, fnRoundUp, BuiltinFlags::None, roundKernel<Rounding::AwayFromZero>},
    {L"TRUNC", 1, 2, fnTrunc},
};

}  // namespace

std::span<const BuiltinInfo> roundingBuiltins() { return kBuiltins; }

}  // namespace grid::functions

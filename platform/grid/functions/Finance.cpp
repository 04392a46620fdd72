// PMT with the legacy argument order: PMT(amount, interest, terms, termsPerYear).
#include <cmath>

#include "platform/grid/functions/FunctionSupport.h"

namespace grid::functions {
namespace {

// The payment per term that pays off `amount` in `terms` equal payments, with the yearly interest
// rate `interest` (0.06 for 6 %) spread over `termsPerYear` terms a year. The payment has the sign of
// the amount: the legacy function answers "how much per term", not a cash-flow direction.
Value fnPmt(std::span<const Arg> args, CallContext& context) {
    double n[4];
    for (std::size_t i = 0; i < 4; ++i) {
        NumberOrError v = numberArg(args[i], context);
        if (v.error) return errorResult(*v.error);
        n[i] = v.number;
    }
    double amount = n[0], interest = n[1], terms = n[2], termsPerYear = n[3];
    if (terms <= 0 || termsPerYear <= 0) return errorResult(ErrorCode::Num);
    double rate = interest / termsPerYear;
    if (rate == 0.0) return numberResult(amount / terms);
    // amount * r / (1 - (1 + r)^-terms), with log1p/expm1 so tiny rates keep their precision.
    double growth = -std::expm1(-terms * std::log1p(rate));
    if (growth == 0.0) return errorResult(ErrorCode::Num);
    return numberResult(amount * rate / growth);
}

constexpr BuiltinInfo kBuiltins[] = {
    {L"PMT", 4, 4, fnPmt},
};

}  // namespace

std::span<const BuiltinInfo> financeBuiltins() { return kBuiltins; }

}  // namespace grid::functions

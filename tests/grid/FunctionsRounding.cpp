#include <cstdlib>
#include <random>

#include "tests/grid/FunctionsTestSupport.h"

namespace grid::test {
namespace {

constexpr auto kDiv0 = ErrorCode::Div0;
constexpr auto kNum = ErrorCode::Num;
constexpr auto kValue = ErrorCode::Value;

TEST(FunctionsRounding, RoundIsDecimalExactAndHalfAwayFromZero) {
    FakeSheet sheet;
    expectCases(sheet, {
        // Doubles that lie just below the written half still round up, as a user reads them.
        {L"ROUND", {num(2.675), num(2)}, number(2.68)},
        {L"ROUND", {num(1.005), num(2)}, number(1.01)},
        {L"ROUND", {num(0.285), num(2)}, number(0.29)},
        {L"ROUND", {num(1.0049999999), num(2)}, number(1.0)},
        {L"ROUND", {num(3 * 1.335), num(2)}, number(4.01)},  // 4.004999... shown as 4.005
        {L"ROUND", {num(-2.5), num(0)}, number(-3)},
        {L"ROUND", {num(-1.005), num(2)}, number(-1.01)},
        {L"ROUND", {num(1234.5), num(-2)}, number(1200)},
        {L"ROUND", {num(-1250), num(-2)}, number(-1300)},
        {L"ROUND", {num(49), num(-2)}, number(0)},
        {L"ROUND", {num(0.1 + 0.2), num(15)}, number(0.3)},
        {L"ROUND", {num(123456789012345.5), num(0)}, number(123456789012346)},
        {L"ROUND", {num(0.125), num(2)}, number(0.13)},  // exact binary ties
        {L"ROUND", {num(-0.375), num(2)}, number(-0.38)},
        {L"ROUND", {num(12.5), num(0)}, number(13)},
        {L"ROUND", {num(0.1 + 0.2), num(14)}, number(0.3)},
        {L"ROUND", {num(1e300), num(2)}, number(1e300)},
        {L"ROUND", {num(123.456), num(1.9)}, number(123.5)},  // digits truncated
        {L"ROUND", {num(5), num(-400)}, number(0)},
        {L"ROUNDUP", {num(5), num(-400)}, error(kNum)},
        {L"ROUNDUP", {num(1e-300), num(400)}, number(1e-300)},
        {L"ROUND", {str(L" 2.5 "), num(0)}, number(3)},
        {L"ROUND", {str(L"abc"), num(0)}, error(kValue)},
        {L"ROUND", {err(kDiv0), err(kNum)}, error(kDiv0)},
        {L"ROUND", {num(1), err(kNum)}, error(kNum)},
    });
}

TEST(FunctionsRounding, DirectedRounding) {
    FakeSheet sheet;
    expectCases(sheet, {
        {L"ROUNDUP", {num(3.2), num(0)}, number(4)},
        {L"ROUNDUP", {num(-3.2), num(0)}, number(-4)},
        {L"ROUNDUP", {num(0.1 * 3), num(1)}, number(0.3)},  // 0.30000000000000004 is 0.3
        {L"ROUNDUP", {num(31415.92654), num(-2)}, number(31500)},
        {L"ROUNDUP", {num(5), num(0)}, number(5)},
        {L"ROUNDDOWN", {num(3.9), num(0)}, number(3)},
        {L"ROUNDDOWN", {num(0.3 * 3), num(1)}, number(0.9)},  // 0.8999999999999999 is 0.9
        {L"ROUNDDOWN", {num(1234.5678), num(-2)}, number(1200)},
        {L"TRUNC", {num(-8.9)}, number(-8)},
        {L"TRUNC", {num(8.987), num(2)}, number(8.98)},
        {L"INT", {num(8.9)}, number(8)},
        {L"INT", {num(-8.1)}, number(-9)},
        {L"INT", {num(2.9999999999999996)}, number(3)},  // shown as 3
    });
}

TEST(FunctionsRounding, MultiplesAndParity) {
    FakeSheet sheet;
    expectCases(sheet, {
        {L"CEILING", {num(0.3), num(0.1)}, number(0.3)},  // 0.3 / 0.1 is 2.9999999999999996
        {L"CEILING", {num(0.31), num(0.1)}, number(0.4)},
        {L"CEILING", {num(-2.5), num(-2)}, number(-4)},
        {L"CEILING", {num(-2.5), num(2)}, number(-4)},
        {L"CEILING", {num(2.5), num(-2)}, error(kNum)},
        {L"CEILING", {num(2.5), num(0)}, number(0)},
        {L"CEILING", {num(0), num(3)}, number(0)},
        {L"FLOOR", {num(0.3), num(0.1)}, number(0.3)},
        {L"FLOOR", {num(2.5), num(1)}, number(2)},
        {L"FLOOR", {num(-2.5), num(-2)}, number(-2)},
        {L"FLOOR", {num(7), num(0)}, error(kDiv0)},
        {L"EVEN", {num(1.5)}, number(2)},
        {L"EVEN", {num(3)}, number(4)},
        {L"EVEN", {num(-1)}, number(-2)},
        {L"ODD", {num(1.5)}, number(3)},
        {L"ODD", {num(0)}, number(1)},
        {L"ODD", {num(-2)}, number(-3)},
    });
}

TEST(FunctionsRounding, ModTakesTheSignOfTheDivisor) {
    FakeSheet sheet;
    expectCases(sheet, {
        {L"MOD", {num(3), num(2)}, number(1)},
        {L"MOD", {num(-3), num(2)}, number(1)},
        {L"MOD", {num(3), num(-2)}, number(-1)},
        {L"MOD", {num(5.3), num(1)}, number(0.3)},
        {L"MOD", {num(0.3), num(0.1)}, number(0)},
        {L"MOD", {num(6), num(3)}, number(0)},
        {L"MOD", {num(2.5), num(0)}, error(kDiv0)},
        {L"MOD", {num(1e20), num(7)}, number(std::fmod(1e20, 7))},
        {L"MOD", {num(1e15 + 3), num(10)}, number(3)},
        {L"MOD", {num(-0.5), num(0.2)}, number(0.1)},
    });
}

// Numbers generated as 15-digit decimals, so the expected result is known by construction: the
// fast scaled path and the exact decimal path must both give the double nearest the rounded decimal.
// Half the cases are made exact ties at the rounding position, where binary noise matters most.
TEST(FunctionsRounding, AgreesWithDecimalArithmeticOnGeneratedNumbers) {
    FakeSheet sheet;
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<long long> mantissas(100000000000000LL, 999999999999999LL);
    std::uniform_int_distribution<int> exponents(-8, 12), places(-4, 14), coin(0, 1);
    const long long kPow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000,
                                1000000000, 10000000000, 100000000000, 1000000000000, 10000000000000,
                                100000000000000, 1000000000000000};
    int checked = 0;
    for (int i = 0; i < 20000; ++i) {
        long long m = mantissas(random);
        int e = exponents(random), d = places(random);
        int dropped = 14 - e - d;  // digits of m below the rounding position
        if (dropped < 1 || dropped > 14) continue;
        long long unit = kPow10[dropped];
        if (coin(random)) m = m / unit * unit + unit / 2;  // an exact tie
        bool negative = coin(random);
        char text[64];
        std::snprintf(text, sizeof text, "%s%llde%d", negative ? "-" : "", m, e - 14);
        double x = std::strtod(text, nullptr);

        long long kept = m / unit, rest = m % unit;
        auto expected = [&](long long q) {
            std::snprintf(text, sizeof text, "%s%llde%d", negative ? "-" : "", q, -d);
            return q == 0 ? 0.0 : std::strtod(text, nullptr);
        };
        SCOPED_TRACE(testing::Message() << "x=" << x << " digits=" << d);
        EXPECT_EQ(call(sheet, L"ROUND", {num(x), num(d)}), number(expected(kept + (rest * 2 >= unit))));
        EXPECT_EQ(call(sheet, L"ROUNDUP", {num(x), num(d)}), number(expected(kept + (rest != 0))));
        EXPECT_EQ(call(sheet, L"ROUNDDOWN", {num(x), num(d)}), number(expected(kept)));
        if (HasFailure()) return;
        ++checked;
    }
    EXPECT_GT(checked, 5000);
}

}  // namespace
}  // namespace grid::test

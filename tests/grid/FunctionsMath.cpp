#include <numbers>

#include "tests/grid/FunctionsTestSupport.h"

namespace grid::test {
namespace {

constexpr auto kDiv0 = ErrorCode::Div0;
constexpr auto kNum = ErrorCode::Num;
constexpr auto kValue = ErrorCode::Value;
constexpr auto kNA = ErrorCode::NA;

TEST(FunctionsMath, DomainFaultsAreNumErrors) {
    FakeSheet sheet;
    expectCases(sheet, {
        {L"SQRT", {num(16)}, number(4)},
        {L"SQRT", {num(-1)}, error(kNum)},
        {L"LN", {num(0)}, error(kNum)},
        {L"LN", {num(-1)}, error(kNum)},
        {L"LOG10", {num(0)}, error(kNum)},
        {L"LOG", {num(100)}, number(2)},
        {L"LOG", {num(8), num(2)}, number(3)},
        {L"LOG", {num(-8), num(2)}, error(kNum)},
        {L"LOG", {num(8), num(1)}, error(kDiv0)},
        {L"LOG", {num(8), num(0)}, error(kNum)},
        {L"ASIN", {num(2)}, error(kNum)},
        {L"EXP", {num(1000)}, error(kNum)},  // overflow never reaches a cell
        {L"POWER", {num(2), num(10)}, number(1024)},
        {L"POWER", {num(-8), num(1.0 / 3)}, error(kNum)},
        {L"POWER", {num(0), num(-1)}, error(kDiv0)},
        {L"POWER", {num(0), num(0)}, error(kNum)},
        {L"POWER", {num(10), num(400)}, error(kNum)},
        {L"FACT", {num(5)}, number(120)},
        {L"FACT", {num(5.9)}, number(120)},
        {L"FACT", {num(-1)}, error(kNum)},
        {L"FACT", {num(171)}, error(kNum)},
        {L"ATAN2", {num(0), num(0)}, error(kDiv0)},
        {L"SQRT", {str(L"x")}, error(kValue)},
        {L"SQRT", {err(kNA)}, error(kNA)},
    });
}

TEST(FunctionsMath, ValuesAndArgumentOrder) {
    FakeSheet sheet;
    sheet.set("A1", text(L"9"));
    expectCases(sheet, {
        {L"ABS", {num(-2.5)}, number(2.5)},
        {L"SIGN", {num(-0.1)}, number(-1)},
        {L"SIGN", {num(0)}, number(0)},
        {L"PI", {}, number(std::numbers::pi)},
        {L"ATAN2", {num(1), num(0)}, number(0)},  // x first, then y
        {L"ATAN2", {num(0), num(1)}, number(std::numbers::pi / 2)},
        {L"DEGREES", {num(std::numbers::pi)}, number(180)},
        {L"SQRT", {ref("A1")}, number(3)},  // numeric text in a single cell converts
        {L"SQRT", {ref("A1:A2")}, error(kValue)},
        {L"RAND", {}, number(0.25)},
    });
    EXPECT_EQ(findBuiltin(L"RAND")->flags, BuiltinFlags::Volatile);
    EXPECT_EQ(findBuiltin(L"SQRT")->flags, BuiltinFlags::None);
}

TEST(FunctionsMath, ProductAndSumSqSkipTextInRanges) {
    FakeSheet sheet;
    sheet.fill("A1:A4", {number(2), text(L"3"), Value(), number(4)});
    sheet.set("B1", error(kNA));
    expectCases(sheet, {
        {L"PRODUCT", {ref("A1:A4")}, number(8)},
        {L"PRODUCT", {ref("A1:A4"), str(L"3")}, number(24)},
        {L"PRODUCT", {ref("C1:C5")}, number(0)},
        {L"PRODUCT", {ref("A1:A4"), ref("B1")}, error(kNA)},
        {L"SUMSQ", {ref("A1:A4"), num(1)}, number(21)},
        {L"SUMSQ", {str(L"a")}, error(kValue)},
    });
}

}  // namespace
}  // namespace grid::test

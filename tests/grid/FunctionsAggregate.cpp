#include "tests/grid/FunctionsTestSupport.h"

namespace grid::test {
namespace {

constexpr auto kDiv0 = ErrorCode::Div0;
constexpr auto kNum = ErrorCode::Num;
constexpr auto kValue = ErrorCode::Value;
constexpr auto kNA = ErrorCode::NA;
constexpr auto kRef = ErrorCode::Ref;

// A1:A5 = 1, "2", empty, 3, logical 1 (a comparison result).
void fillMixed(FakeSheet& sheet) { sheet.fill("A1:A5", {number(1), text(L"2"), Value(), number(3), logical(true)}); }

TEST(FunctionsAggregate, RangesSkipTextAndEmptyWhileDirectTextConverts) {
    FakeSheet sheet;
    fillMixed(sheet);
    expectCases(sheet, {
        {L"SUM", {ref("A1:A4")}, number(4)},
        {L"SUM", {ref("A1:A5")}, number(5)},  // logical results are numbers
        {L"SUM", {num(1), str(L"2"), num(3)}, number(6)},
        {L"SUM", {num(1), str(L"two")}, error(kValue)},
        {L"SUM", {ref("A2")}, number(0)},  // a single text cell is still a reference
        {L"SUM", {ref("C1:C9")}, number(0)},
        {L"AVERAGE", {ref("A1:A4")}, number(2)},
        {L"AVERAGE", {ref("C1:C9")}, error(kDiv0)},
        {L"AVERAGE", {ref("A2:A3")}, error(kDiv0)},
        {L"MAX", {ref("A1:A4"), num(-5)}, number(3)},
        {L"MAX", {ref("C1:C9")}, number(0)},
        {L"MAX", {num(-5), num(-2)}, number(-2)},
        {L"MIN", {ref("A1:A4")}, number(1)},
        {L"MIN", {ref("C1:C9")}, number(0)},
        {L"MIN", {num(5), str(L"4")}, number(4)},
        {L"MEDIAN", {num(3), num(1), num(2)}, number(2)},
        {L"MEDIAN", {num(4), num(1), num(3), num(2)}, number(2.5)},
        {L"MEDIAN", {ref("C1:C9")}, error(kNum)},
    });
}

TEST(FunctionsAggregate, FirstErrorInArgumentOrderPropagates) {
    FakeSheet sheet;
    sheet.fill("A1:A3", {number(1), error(kNA), error(kDiv0)});
    sheet.set("B1", error(kRef));
    expectCases(sheet, {
        {L"SUM", {ref("A1:A3")}, error(kNA)},
        {L"SUM", {ref("B1"), ref("A1:A3")}, error(kRef)},
        {L"SUM", {num(1), err(kValue), ref("A1:A3")}, error(kValue)},
        {L"MAX", {ref("A1:A3")}, error(kNA)},
        {L"AVERAGE", {ref("A3"), ref("A2")}, error(kDiv0)},
    });
}

TEST(FunctionsAggregate, Counting) {
    FakeSheet sheet;
    fillMixed(sheet);
    sheet.fill("B1:B3", {error(kNA), text(L""), Value()});
    expectCases(sheet, {
        {L"COUNT", {ref("A1:A5")}, number(3)},
        {L"COUNT", {ref("A1:A5"), ref("B1:B3")}, number(3)},  // errors are not counted, not raised
        {L"COUNT", {str(L"7"), str(L"x"), num(1)}, number(2)},
        {L"COUNTA", {ref("A1:A5")}, number(4)},
        {L"COUNTA", {ref("B1:B3")}, number(2)},
        {L"COUNTBLANK", {ref("A1:A5")}, number(1)},
        {L"COUNTBLANK", {ref("B1:B3")}, number(2)},  // "" counts as blank
    });
}

TEST(FunctionsAggregate, Criteria) {
    FakeSheet sheet;
    // A: values tested, B: values summed.
    sheet.fill("A1:B8", {number(5), number(1),      number(-2), number(10),  text(L"tab"), number(100),
                         text(L"Ab"), number(1000), Value(), number(10000),  text(L"5"), number(100000),
                         error(kNA), number(7),     text(L"cb"), number(20)});
    expectCases(sheet, {
        {L"COUNTIF", {ref("A1:A8"), str(L">0")}, number(1)},
        {L"COUNTIF", {ref("A1:A8"), str(L"<=5")}, number(2)},
        {L"COUNTIF", {ref("A1:A8"), str(L"=5")}, number(1)},  // text "5" is not the number 5
        {L"COUNTIF", {ref("A1:A8"), num(5)}, number(1)},
        {L"COUNTIF", {ref("A1:A8"), str(L"t*")}, number(1)},
        {L"COUNTIF", {ref("A1:A8"), str(L"?b")}, number(2)},
        {L"COUNTIF", {ref("A1:A8"), str(L"ab")}, number(0)},  // case-sensitive like "="
        {L"COUNTIF", {ref("A1:A8"), str(L"<>tab")}, number(7)},
        {L"COUNTIF", {ref("A1:A8"), str(L"")}, number(1)},
        {L"COUNTIF", {ref("A1:A8"), str(L"<>")}, number(7)},
        {L"COUNTIF", {ref("A1:A8"), str(L">b")}, number(2)},
        {L"COUNTIF", {ref("A1:A8"), str(L"#N/A")}, number(1)},
        {L"COUNTIF", {ref("A1:A8"), err(kRef)}, error(kRef)},
        {L"SUMIF", {ref("A1:A8"), str(L">0"), ref("B1:B8")}, number(1)},
        {L"SUMIF", {ref("A1:A8"), str(L"<>5"), ref("B1")}, number(10 + 100 + 1000 + 10000 + 100000 + 7 + 20)},
        {L"SUMIF", {ref("A1:A8"), str(L"?b"), ref("B1")}, number(1020)},
        {L"SUMIF", {ref("A1:A8"), str(L"<0")}, number(-2)},
        {L"SUMIF", {ref("B1:B8"), str(L">=1000")}, number(111000)},
    });
    sheet.set("B2", error(kDiv0));
    EXPECT_EQ(call(sheet, L"SUMIF", {ref("A1:A8"), str(L"<0"), ref("B1")}), error(kDiv0));
    EXPECT_EQ(call(sheet, L"SUMIF", {ref("A1:A8"), str(L">0"), ref("B1")}), number(1));
}

TEST(FunctionsAggregate, SumProduct) {
    FakeSheet sheet;
    sheet.fill("A1:B3", {number(1), number(4), number(2), text(L"x"), number(3), number(6)});
    expectCases(sheet, {
        {L"SUMPRODUCT", {ref("A1:A3"), ref("B1:B3")}, number(22)},
        {L"SUMPRODUCT", {ref("A1:B3")}, number(16)},
        {L"SUMPRODUCT", {ref("A1:A3"), ref("B1:B2")}, error(kValue)},
        {L"SUMPRODUCT", {num(2), num(3)}, number(6)},
    });
    sheet.set("B2", error(kNA));
    EXPECT_EQ(call(sheet, L"SUMPRODUCT", {ref("A1:A3"), ref("B1:B3")}), error(kNA));
}

}  // namespace
}  // namespace grid::test

#include "tests/grid/FunctionsTestSupport.h"

namespace grid::test {
namespace {

constexpr auto kValue = ErrorCode::Value;
constexpr auto kNA = ErrorCode::NA;
constexpr auto kRef = ErrorCode::Ref;
constexpr auto kDiv0 = ErrorCode::Div0;

// A profile table: A sorted sizes, B names, C weights; E1:I1 ascending in a row; K1:K4 descending.
FakeSheet profileTable() {
    FakeSheet sheet;
    sheet.fill("A1:C5", {number(100), text(L"HEA100"), number(16.7), number(120), text(L"HEA120"), number(19.9),
                         number(140), text(L"HEA140"), number(24.7), number(160), text(L"HEA160"), number(30.4),
                         number(180), text(L"HEA180"), Value()});
    sheet.fill("E1:I2", {number(1), number(2), number(4), number(8), number(16),
                         text(L"a"), text(L"b"), text(L"c"), text(L"d"), text(L"e")});
    sheet.fill("K1:K4", {number(40), number(30), number(20), number(10)});
    return sheet;
}

TEST(FunctionsLookup, Match) {
    FakeSheet sheet = profileTable();
    expectCases(sheet, {
        {L"MATCH", {num(140), ref("A1:A5")}, number(3)},
        {L"MATCH", {num(150), ref("A1:A5")}, number(3)},
        {L"MATCH", {num(999), ref("A1:A5")}, number(5)},
        {L"MATCH", {num(50), ref("A1:A5")}, error(kNA)},
        {L"MATCH", {num(150), ref("A1:A5"), num(0)}, error(kNA)},
        {L"MATCH", {num(160), ref("A1:A5"), num(0)}, number(4)},
        {L"MATCH", {str(L"HEA140"), ref("B1:B5"), num(0)}, number(3)},
        {L"MATCH", {str(L"hea140"), ref("B1:B5"), num(0)}, error(kNA)},  // texts compare case-sensitively
        {L"MATCH", {str(L"HEA1?0"), ref("B1:B5"), num(0)}, number(1)},
        {L"MATCH", {str(L"*60"), ref("B1:B5"), num(0)}, number(4)},
        {L"MATCH", {str(L"HEA13"), ref("B1:B5")}, number(2)},
        {L"MATCH", {num(25), ref("K1:K4"), num(-1)}, number(2)},
        {L"MATCH", {num(50), ref("K1:K4"), num(-1)}, error(kNA)},
        {L"MATCH", {num(5), ref("E1:I1")}, number(3)},  // along a row
        {L"MATCH", {num(5), ref("A1:B5")}, error(kNA)},  // not a line
        {L"MATCH", {str(L"140"), ref("A1:A5"), num(0)}, error(kNA)},  // text never equals a number
        {L"MATCH", {blank(), ref("A1:A5")}, error(kNA)},
        {L"MATCH", {err(kDiv0), ref("A1:A5")}, error(kDiv0)},
    });
}

TEST(FunctionsLookup, IndexOutsideIsRef) {
    FakeSheet sheet = profileTable();
    expectCases(sheet, {
        {L"INDEX", {ref("A1:C5"), num(2), num(2)}, text(L"HEA120")},
        {L"INDEX", {ref("A1:C5"), num(5), num(3)}, Value()},
        {L"INDEX", {ref("A1:A5"), num(4)}, number(160)},
        {L"INDEX", {ref("E1:I1"), num(4)}, number(8)},  // one row: the index is the column
        {L"INDEX", {ref("A1:A5"), num(4), num(0)}, number(160)},
        {L"INDEX", {ref("A1:C5"), num(6), num(1)}, error(kRef)},
        {L"INDEX", {ref("A1:C5"), num(1), num(4)}, error(kRef)},
        {L"INDEX", {ref("A1:A5"), num(-1)}, error(kValue)},
        {L"INDEX", {ref("A1:C5"), num(0), num(1)}, error(kValue)},
        {L"INDEX", {ref("A1:C5"), err(kNA), num(1)}, error(kNA)},
    });
}

TEST(FunctionsLookup, TableLookups) {
    FakeSheet sheet = profileTable();
    expectCases(sheet, {
        {L"VLOOKUP", {num(140), ref("A1:C5"), num(2)}, text(L"HEA140")},
        {L"VLOOKUP", {num(150), ref("A1:C5"), num(3)}, number(24.7)},
        {L"VLOOKUP", {num(150), ref("A1:C5"), num(3), boolean(false)}, error(kNA)},
        {L"VLOOKUP", {num(160), ref("A1:C5"), num(3), num(0)}, number(30.4)},
        {L"VLOOKUP", {num(90), ref("A1:C5"), num(2)}, error(kNA)},
        {L"VLOOKUP", {num(140), ref("A1:C5"), num(4)}, error(kRef)},
        {L"VLOOKUP", {num(140), ref("A1:C5"), num(0)}, error(kValue)},
        {L"VLOOKUP", {num(180), ref("A1:C5"), num(3)}, Value()},
        {L"HLOOKUP", {num(5), ref("E1:I2"), num(2)}, text(L"c")},
        {L"HLOOKUP", {num(5), ref("E1:I2"), num(2), boolean(false)}, error(kNA)},
        {L"HLOOKUP", {num(5), ref("E1:I2"), num(3)}, error(kRef)},
        {L"LOOKUP", {num(150), ref("A1:A5"), ref("B1:B5")}, text(L"HEA140")},
        {L"LOOKUP", {num(150), ref("A1:A5"), ref("E2:I2")}, text(L"c")},  // result along a row
        {L"LOOKUP", {num(150), ref("A1:C5")}, number(24.7)},  // taller than wide: last column
        {L"LOOKUP", {num(9), ref("E1:I2")}, text(L"d")},       // wider than tall: last row
        {L"LOOKUP", {num(1), ref("A1:A5"), ref("B1:B5")}, error(kNA)},
    });
}

TEST(FunctionsLookup, EmptyAndTextCellsDoNotStopAnAscendingSearch) {
    FakeSheet sheet;
    sheet.fill("A1:A5", {number(1), Value(), text(L"x"), number(3), number(5)});
    expectCases(sheet, {
        {L"MATCH", {num(4), ref("A1:A5")}, number(4)},
        {L"MATCH", {str(L"y"), ref("A1:A5")}, number(3)},
    });
}

}  // namespace
}  // namespace grid::test

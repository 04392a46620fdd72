// The function library through the sheet's formulas: the evaluator's argument passing (references
// versus values), error propagation and case-insensitive names, family by family.
#include "platform/grid/Sheet.h"
#include "tests/grid/FunctionsTestSupport.h"

namespace grid::test {
namespace {

constexpr auto kDiv0 = ErrorCode::Div0;
constexpr auto kNum = ErrorCode::Num;
constexpr auto kValue = ErrorCode::Value;
constexpr auto kNA = ErrorCode::NA;
constexpr auto kRef = ErrorCode::Ref;

struct FormulaCase {
    const wchar_t* formula;
    Value expected;
};

// A1:A5 = 2.675, "abc", empty, 3, -1.5; B1:C4 a small profile table; D1 = "HEA*".
class FunctionsFormulas : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.setMaxRows(50);
        sheet.setMaxCols(10);
        sheet.setNumber(1, 1, 2.675);
        sheet.setData(1, 2, L"abc");
        sheet.setNumber(1, 4, 3);
        sheet.setNumber(1, 5, -1.5);
        const wchar_t* names[] = {L"HEA100", L"HEA120", L"HEB100", L"IPE80"};
        for (int i = 0; i < 4; ++i) {
            sheet.setNumber(2, i + 1, 100 + 20 * i);
            sheet.setData(3, i + 1, names[i]);
        }
        sheet.setData(4, 1, L"HEA*");
    }

    void expectFormulas(const std::vector<FormulaCase>& cases) {
        std::int32_t row = 10;
        for (const FormulaCase& c : cases) {
            std::string formula(c.formula, c.formula + std::wcslen(c.formula));
            FormulaStatus status = sheet.setFormula(6, row, c.formula);
            ASSERT_TRUE(status.ok) << formula;
            EXPECT_EQ(sheet.value(6, row), c.expected) << formula;
            ++row;
        }
    }

    Sheet sheet;
};

TEST_F(FunctionsFormulas, Rounding) {
    expectFormulas({
        {L"ROUND(A1, 2)", number(2.68)},
        {L"ROUND(-2.5, 0)", number(-3)},
        {L"round(1234.5, -2)", number(1200)},
        {L"ROUNDUP(A5, 0)", number(-2)},
        {L"INT(A5)", number(-2)},
        {L"MOD(-3, 2)", number(1)},
        {L"MOD(1, 0)", error(kDiv0)},
        {L"CEILING(0.1*3, 0.1)", number(0.3)},
        {L"ROUND(A2, 1)", error(kValue)},
    });
}

TEST_F(FunctionsFormulas, MathAndAggregates) {
    expectFormulas({
        {L"SUM(A1:A5)", number(2.675 + 3 - 1.5)},
        {L"SUM(A1:A5, \"2\")", number(2.675 + 3 - 1.5 + 2)},
        {L"SUM(A1:A5, 1/0)", error(kDiv0)},
        {L"AVERAGE(A3)", error(kDiv0)},
        {L"MAX(A2:A3)", number(0)},
        {L"MIN(A1:A5)", number(-1.5)},
        {L"COUNT(A1:A5)", number(3)},
        {L"COUNTA(A1:A5)", number(4)},
        {L"COUNTIF(B1:B4, \">110\")", number(3)},
        {L"COUNTIF(C1:C4, D1)", number(2)},
        {L"SUMIF(C1:C4, \"HEB*\", B1:B4)", number(140)},
        {L"SQRT(-4)", error(kNum)},
        {L"LOG(0)", error(kNum)},
        {L"FACT(5) + PRODUCT(B1, 2)", number(320)},
        {L"PMT(1200, 0, 12, 12)", number(100)},
    });
}

TEST_F(FunctionsFormulas, LogicalAndInformation) {
    expectFormulas({
        {L"NOT(A1 > 2)", logical(false)},
        {L"ISLOGICAL(1 = 1)", logical(true)},
        {L"ISLOGICAL(TRUE)", logical(true)},
        {L"ISLOGICAL(1)", logical(false)},
        {L"ISNUMBER(TRUE())", logical(true)},
        {L"ISBLANK(A3)", logical(true)},
        {L"ISTEXT(A2)", logical(true)},
        {L"ISERROR(1/0)", logical(true)},
        {L"ISNA(MATCH(99, B1:B4, 0))", logical(true)},
        {L"TRUE + TRUE", number(2)},
    });
}

TEST_F(FunctionsFormulas, TextAndLookup) {
    expectFormulas({
        {L"LEFT(C1, 3) & MID(C4, 4, 9)", text(L"HEA80")},
        {L"LEFT(C1, -1)", error(kValue)},
        {L"TRIM(\"  a   b \")", text(L"a b")},
        {L"TEXT(1234.5, \"#,##0.00\")", text(L"1,234.50")},
        {L"FIND(\"e\", \"HEA\")", error(kValue)},
        {L"SEARCH(\"e\", \"HEA\")", number(2)},
        {L"SUBSTITUTE(C3, \"B\", \"A\")", text(L"HEA100")},
        {L"LEN(1/3)", number(17)},
        {L"VLOOKUP(125, B1:C4, 2)", text(L"HEA120")},
        {L"VLOOKUP(125, B1:C4, 2, FALSE)", error(kNA)},
        {L"MATCH(\"HEB*\", C1:C4, 0)", number(3)},
        {L"INDEX(B1:C4, 5, 1)", error(kRef)},
        {L"INDEX(B1:C4, 4, 2)", text(L"IPE80")},
        {L"LOOKUP(150, B1:B4, C1:C4)", text(L"HEB100")},
    });
}

}  // namespace
}  // namespace grid::test

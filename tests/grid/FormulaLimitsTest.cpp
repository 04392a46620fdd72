// What the formula engine refuses or cuts short so that no text can crash it or grow it without
// bound: the depth of a formula's tree, the names of calls whose arguments name the same constant,
// and the length of the texts formulas build.
#include <gtest/gtest.h>

#include <string>

#include "platform/grid/FormulaParser.h"
#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/Value.h"

namespace grid {
namespace {

std::string narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

constexpr int kDepth = FormulaParser::kMaxDepth;

std::wstring repeat(std::wstring_view piece, int times) {
    std::wstring out;
    out.reserve(piece.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

class FormulaLimits : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.setMaxRows(20);
        sheet.setMaxCols(20);
    }
    // Sets the formula into a cell holding 5 and expects the refusal "formula nested too deeply"
    // at the given column, with the cell left as it was.
    void expectTooDeep(const std::wstring& formula, std::int32_t column, const char* what) {
        sheet.setNumber(1, 1, 5);
        FormulaStatus status = sheet.setFormula(1, 1, formula);
        EXPECT_FALSE(status.ok) << what;
        EXPECT_EQ(narrow(status.message), "formula nested too deeply at column " + std::to_string(column)) << what;
        EXPECT_EQ(status.column, column) << what;
        EXPECT_EQ(sheet.value(1, 1), Value::number(5)) << what;
    }
    Sheet sheet;
};

TEST_F(FormulaLimits, LongOperatorChainsAreRefusedWithTheirPosition) {
    // The n-th "+" of "=1+1+..." makes a tree n + 1 levels deep, and stands at column 2n + 1.
    expectTooDeep(L"=1" + repeat(L"+1", 50000), 2 * kDepth + 1, "50,000 terms");
    // The n-th "%" after "=1" stands at column n + 2.
    expectTooDeep(L"=1" + repeat(L"%", 100000), kDepth + 2, "100,000 percent signs");
    expectTooDeep(L"2" + repeat(L"^2", 30000), 2 * kDepth, "powers");
    expectTooDeep(L"\"a\"" + repeat(L"&\"a\"", 30000), 4 * kDepth, "concatenation");
    expectTooDeep(L"1" + repeat(L"=1", 30000), 2 * kDepth, "comparisons");
    // Mixed operators count alike: each "+" is one level over its left operand, and the first is
    // already two over the products below it.
    expectTooDeep(L"1" + repeat(L"*2+3", 30000), 4 * (kDepth - 1), "mixed operators");
}

TEST_F(FormulaLimits, EveryKindOfNestingCountsOneLevel) {
    struct {
        const wchar_t* open;
        const wchar_t* close;
        const char* what;
    } kinds[] = {
        {L"(", L")", "parentheses"},
        {L"ABS(", L")", "calls"},
        {L"IF(1,", L",0)", "IF branches"},
        {L"-", L"", "prefix signs"},
        {L"+", L"", "prefix plus"},
        {L"(-", L")", "parenthesised signs"},
    };
    for (const auto& kind : kinds) {
        // Just inside the bound: kDepth - 1 constructs around one value.
        const int levels = kind.open == std::wstring_view(L"(-") ? (kDepth - 1) / 2 : kDepth - 1;
        std::wstring inside = repeat(kind.open, levels) + L"7" + repeat(kind.close, levels);
        FormulaStatus status = sheet.setFormula(2, 2, inside);
        ASSERT_TRUE(status.ok) << kind.what << ": " << narrow(status.message);
        const bool negated = std::wstring_view(kind.open).find(L'-') != std::wstring_view::npos && levels % 2;
        EXPECT_EQ(sheet.value(2, 2), Value::number(negated ? -7 : 7)) << kind.what;
        std::wstring written = sheet.formulaText(2, 2);
        ASSERT_TRUE(sheet.setFormula(2, 3, written).ok) << kind.what << ": the written text parses again";
        EXPECT_EQ(sheet.formulaText(2, 3), written) << kind.what;

        // Far beyond it: refused, never a crash.
        std::wstring beyond = repeat(kind.open, 100000) + L"7" + repeat(kind.close, 100000);
        status = sheet.setFormula(2, 4, beyond);
        EXPECT_FALSE(status.ok) << kind.what;
        EXPECT_NE(status.message.find(L"formula nested too deeply at column "), std::wstring::npos)
            << kind.what << ": " << narrow(status.message);
    }
}

TEST_F(FormulaLimits, AChainJustInsideTheBoundComputes) {
    // kDepth - 1 operators over kDepth terms: the deepest chain accepted.
    std::wstring chain = L"=A1" + repeat(L"+A1", kDepth - 1);
    sheet.setNumber(1, 1, 0.5);
    ASSERT_TRUE(sheet.setFormula(2, 1, chain).ok);
    EXPECT_EQ(sheet.value(2, 1), Value::number(0.5 * kDepth));
    sheet.setNumber(1, 1, 2);  // the chain's one precedent, recorded once
    EXPECT_EQ(sheet.value(2, 1), Value::number(2.0 * kDepth));
    EXPECT_EQ(sheet.formulaText(2, 1), chain.substr(1));
    // One more term is one level too many.
    expectTooDeep(chain + L"+A1", 1 + 3 * kDepth, "one term more");
    // Chains of a few hundred terms, as long equations have, are far inside the bound.
    std::wstring sum = L"1";
    for (int i = 2; i <= 400; ++i) sum += L"+" + std::to_wstring(i);
    ASSERT_TRUE(sheet.setFormula(3, 1, sum).ok);
    EXPECT_EQ(sheet.value(3, 1), Value::number(400 * 401 / 2));
}

TEST_F(FormulaLimits, ACallHasAtMost65535Arguments) {
    // Beyond that the bytecode's count would wrap, and SUM would add up only the rest.
    std::wstring ones = L"1" + repeat(L",1", FormulaParser::kMaxArguments - 1);
    ASSERT_TRUE(sheet.setFormula(1, 1, L"SUM(" + ones + L")+1").ok);
    EXPECT_EQ(sheet.value(1, 1), Value::number(FormulaParser::kMaxArguments + 1));
    ASSERT_TRUE(sheet.setFormula(1, 2, L"CHOOSE(65534," + ones.substr(4) + L",7)").ok);
    EXPECT_EQ(sheet.value(1, 2), Value::number(7));
    FormulaStatus status = sheet.setFormula(1, 3, L"1+SUM(" + ones + L",1)");
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(narrow(status.message), "too many arguments to SUM at column 3");
}

TEST_F(FormulaLimits, AConstantCalledWithItselfIsAnArgumentCountError) {
    // The bare constant inside the call must not take the call's name away from it.
    for (const wchar_t* formula : {L"=FALSE(FALSE)", L"TRUE(TRUE)", L"TRUE(FALSE)", L"false(true,true)",
                                   L"TRUE(1)"}) {
        FormulaStatus status = sheet.setFormula(1, 1, formula);
        EXPECT_FALSE(status.ok) << narrow(formula);
        std::wstring upper = formula;
        for (auto& c : upper) c = static_cast<wchar_t>(std::towupper(c));
        const wchar_t* name = upper.find(L"FALSE") < upper.find(L"TRUE") ? L"FALSE" : L"TRUE";
        EXPECT_EQ(narrow(status.message), "wrong number of arguments to " + narrow(name) +
                                              (formula[0] == L'=' ? " at column 2" : " at column 1"))
            << narrow(formula);
    }
    // Names around and inside constants stay where they belong.
    ASSERT_TRUE(sheet.setFormula(1, 1, L"IF(TRUE,MAX(FALSE(),TRUE),NOSUCH(TRUE))").ok);
    EXPECT_EQ(sheet.value(1, 1), Value::number(1));
    EXPECT_EQ(sheet.formulaText(1, 1), L"IF(TRUE,MAX(FALSE,TRUE),NOSUCH(TRUE))");
    ASSERT_TRUE(sheet.setFormula(1, 2, L"NOSUCH(TRUE)+TRUE").ok);
    EXPECT_EQ(sheet.value(1, 2), Value::error(ErrorCode::Name));
    EXPECT_EQ(sheet.formulaText(1, 2), L"NOSUCH(TRUE)+TRUE");

    // A delimited file with such a cell is refused as a whole, naming the cell.
    Sheet loaded;
    GridFileResult r = GridFile::loadText(loaded, "1,=FALSE(FALSE)\n", GridFileFormat::Csv);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.diagnostic.find("cell B1: wrong number of arguments to FALSE"), std::string::npos) << r.diagnostic;
}

TEST_F(FormulaLimits, TextsAFormulaBuildsStopAtOneLimit) {
    ASSERT_EQ(kMaxTextLength, 32767u);
    // "&" doubling a text row by row: the length passes the limit at row 15 (2 x 2^14 characters),
    // and from there on the error propagates instead of the text growing to gigabytes.
    sheet.setData(1, 1, L"ab");
    for (std::int32_t row = 2; row <= 20; ++row)
        ASSERT_TRUE(sheet.setFormula(1, row, L"A" + std::to_wstring(row - 1) + L"&A" + std::to_wstring(row - 1)).ok);
    EXPECT_EQ(sheet.value(1, 14).asText().size(), 16384u);
    EXPECT_EQ(sheet.value(1, 15), Value::error(ErrorCode::Value));
    EXPECT_EQ(sheet.value(1, 20), Value::error(ErrorCode::Value));

    // B1 holds a text longer than any formula may build (data may be longer).
    sheet.setData(2, 1, std::wstring(40000, L'x'));
    struct {
        const wchar_t* formula;
        std::size_t length;  // 0: #VALUE!
    } cases[] = {
        {L"REPT(\"a\",32767)", 32767},
        {L"REPT(\"a\",16383)&REPT(\"a\",16384)", 32767},
        {L"REPT(\"a\",16384)&REPT(\"a\",16384)", 0},
        {L"REPT(\"a\",32767)&\"\"", 32767},
        {L"1&REPT(\"a\",32767)", 0},
        {L"CONCATENATE(REPT(\"a\",32767),\"b\")", 0},
        {L"REPT(\"ab\",16384)", 0},
        {L"SUBSTITUTE(REPT(\"a\",20000),\"a\",\"aa\")", 0},
        {L"REPLACE(REPT(\"a\",32767),1,0,\"b\")", 0},
        {L"TEXT(\"abc\",\"0;0;0;\"&REPT(\"@\",20000))", 0},
        {L"TEXT(1,REPT(\"0\",32767)&\"0\")", 0},
        {L"B1&\"\"", 0},
        {L"UPPER(B1)", 0},
        {L"TRIM(B1)", 0},
        {L"MID(B1,1,40000)", 0},
        {L"MID(B1,1,32767)", 32767},
        {L"LEFT(B1,5)", 5},
        {L"LEN(B1)", 0},  // a number: no text built
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(sheet.setFormula(3, 3, c.formula).ok) << narrow(c.formula);
        Value v = sheet.value(3, 3);
        if (c.length) {
            ASSERT_TRUE(v.isText()) << narrow(c.formula);
            EXPECT_EQ(v.asText().size(), c.length) << narrow(c.formula);
        } else if (std::wstring_view(c.formula).starts_with(L"LEN")) {
            EXPECT_EQ(v, Value::number(40000));
        } else {
            EXPECT_EQ(v, Value::error(ErrorCode::Value)) << narrow(c.formula);
        }
    }
    // A text constant is held to the limit when the formula is read.
    FormulaStatus status = sheet.setFormula(3, 3, L"1&\"" + std::wstring(32768, L'y') + L"\"");
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(narrow(status.message), "text too long at column 3");
    EXPECT_TRUE(sheet.setFormula(3, 3, L"\"" + std::wstring(32767, L'y') + L"\"").ok);
}

}  // namespace
}  // namespace grid

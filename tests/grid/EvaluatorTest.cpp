// Formulas computed through a sheet: operators and their precedence, coercion, references in the
// three styles, errors as values, lazy control functions and host-registered functions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/grid/Sheet.h"

namespace grid {
namespace {

struct Case {
    const wchar_t* formula;
    Value expected;
};

Value num(double v) { return Value::number(v); }
Value logical(bool b) { return Value::logical(b); }
Value text(const wchar_t* t) { return Value::text(std::wstring(t)); }
Value err(ErrorCode c) { return Value::error(c); }

std::string narrow(const wchar_t* w) { return std::string(w, w + std::wcslen(w)); }

// A1 = 2, A2 = 3, A3 = "12" (a text: typed numbers are numbers), A4 = "abc", A5 empty, B1 = 10,
// B2 = 20.
class Evaluator : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.setMaxRows(100);
        sheet.setMaxCols(10);
        sheet.setNumber(1, 1, 2);
        sheet.setNumber(1, 2, 3);
        sheet.setFormula(1, 3, L"\"12\"");
        sheet.setData(1, 4, L"abc");
        sheet.setNumber(2, 1, 10);
        sheet.setNumber(2, 2, 20);
    }

    void expectAll(const std::vector<Case>& cases, std::int32_t col = 5, std::int32_t row = 5) {
        for (const Case& c : cases) {
            FormulaStatus status = sheet.setFormula(col, row, c.formula);
            ASSERT_TRUE(status.ok) << narrow(c.formula) << ": " << std::string(status.message.begin(), status.message.end());
            EXPECT_EQ(sheet.value(col, row), c.expected) << narrow(c.formula);
        }
    }

    Sheet sheet;
};

TEST_F(Evaluator, OperatorsAndPrecedence) {
    expectAll({
        {L"1+2*3", num(7)},
        {L"(1+2)*3", num(9)},
        {L"-2^2", num(4)},
        {L"2^3^2", num(64)},
        {L"4^50%", num(2)},
        {L"1&2+3", text(L"15")},
        {L"50%", num(0.5)},
        {L"-50%", num(-0.5)},
        {L"-(2^2)", num(-4)},
        {L"2*-3", num(-6)},
        {L"10-2-3", num(5)},
        {L"12/2/3", num(2)},
        {L"1+2=3", logical(true)},
        {L"1<2<3", logical(true)},  // (1<2) is 1, and 1 < 3
        {L"+A4", text(L"abc")},
        {L" IF( A1 > 1 , 1 , 2 ) ", num(1)},
        {L"=A1*B1", num(20)},
    });
}

TEST_F(Evaluator, CoercionAndComparison) {
    expectAll({
        {L"\"12\"+1", num(13)},
        {L"\" 7 \"*2", num(14)},
        {L"A3+1", num(13)},
        {L"A4+1", err(ErrorCode::Value)},
        {L"A5+1", num(1)},
        {L"A5&\"x\"", text(L"x")},
        {L"1/3&\"\"", text(L"0.333333333333333")},
        {L"0.1+0.2&\"\"", text(L"0.3")},
        {L"\"ABC\"=\"abc\"", logical(false)},
        {L"\"abc\"=\"abc\"", logical(true)},
        {L"\"a\"<\"b\"", logical(true)},
        {L"\"B\"<\"a\"", logical(true)},  // case-sensitive: code points
        {L"9<\"1\"", logical(true)},      // numbers below texts
        {L"A5=\"\"", logical(true)},
        {L"A5=0", logical(true)},
        {L"TRUE+TRUE", num(2)},
        {L"TRUE()", logical(true)},
        {L"false", logical(false)},
        {L"(1=1)*5", num(5)},
    });
}

TEST_F(Evaluator, ErrorsPropagate) {
    expectAll({
        {L"1/0", err(ErrorCode::Div0)},
        {L"1/0+A4", err(ErrorCode::Div0)},  // the left error wins
        {L"A4+1/0", err(ErrorCode::Value)},
        {L"(1/0)=1", err(ErrorCode::Div0)},
        {L"NOSUCHFUNCTION(1)", err(ErrorCode::Name)},
        {L"somename+1", err(ErrorCode::Name)},
        {L"#N/A", err(ErrorCode::NA)},
        {L"#REF!+1", err(ErrorCode::Ref)},
        {L"SQRT(-1)", err(ErrorCode::Num)},
        {L"(-8)^0.5", err(ErrorCode::Num)},
        {L"0^-1", err(ErrorCode::Div0)},
        {L"10^400", err(ErrorCode::Num)},
        {L"1E308*10", err(ErrorCode::Num)},
        {L"A1:B2+1", err(ErrorCode::Value)},
        {L"A1:B2", err(ErrorCode::Value)},
        {L"A1:A1", num(2)},
        {L"Z999+1", err(ErrorCode::Ref)},  // beyond the sheet's 10 columns
    });
}

TEST_F(Evaluator, LazyControlFunctions) {
    expectAll({
        {L"IF(1, 5, 1/0)", num(5)},
        {L"IF(0, 1/0, 6)", num(6)},
        {L"IF(0, 1)", logical(false)},
        {L"IF(0, 1, )", logical(false)},
        {L"IF(A4, 1, 2)", err(ErrorCode::Value)},
        {L"IF(1/0, 1, 2)", err(ErrorCode::Div0)},
        {L"IF(\"TRUE\", 1, 2)", num(1)},
        {L"IFERROR(1/0, \"x\")", text(L"x")},
        {L"IFERROR(5, 1/0)", num(5)},
        {L"CHOOSE(2, 1/0, 7, 1/0)", num(7)},
        {L"CHOOSE(4, 1, 2, 3)", err(ErrorCode::Value)},
        {L"CHOOSE(1.9, \"a\", \"b\")", text(L"a")},
        {L"AND(1, 0, 1/0)", logical(false)},
        {L"OR(0, 1, 1/0)", logical(true)},
        {L"AND(1, 1/0)", err(ErrorCode::Div0)},
        {L"AND(A1:A4)", logical(true)},  // texts in ranges are skipped
        {L"OR(A5)", err(ErrorCode::Value)},  // nothing logical at all
        {L"AND(\"abc\")", err(ErrorCode::Value)},
        {L"SUM(IF(1, A1:A2, B1:B2))", num(5)},  // a branch passes its reference on
    });
}

TEST_F(Evaluator, AnEmptyResultComputesZeroButEmptyOperandsKeepTheirRole) {
    // A5 is empty.
    expectAll({
        {L"A5", num(0)},
        {L"IF(TRUE,,2)", num(0)},
        {L"IF(FALSE,1,A5)", num(0)},
        {L"CHOOSE(1,A5,2)", num(0)},
        {L"IFERROR(A5,1)", num(0)},
        {L"INDEX(A1:A5,5)", num(0)},
        {L"A5&\"x\"", text(L"x")},  // still "" in text
        {L"A5=\"\"", logical(true)},
        {L"A5=0", logical(true)},
        {L"ISBLANK(A5)", logical(true)},
    });
    EXPECT_EQ(sheet.valueText(5, 5), L"1");
    ASSERT_TRUE(sheet.setFormula(5, 5, L"A5").ok);
    EXPECT_EQ(sheet.valueText(5, 5), L"0");
    // A cell reading such a formula sees the 0, not an empty cell.
    ASSERT_TRUE(sheet.setFormula(5, 6, L"ISBLANK(E5)").ok);
    EXPECT_EQ(sheet.value(5, 6), logical(false));
    // The empty status of a host function stays empty: the standards functions give empty texts so.
    sheet.addCustomFunction(L"NOTHING", 0, 0, [](CustomRecord& r, std::span<CustomRecord>) {
        r.setEmpty();
        return true;
    });
    expectAll({{L"NOTHING()", Value()}, {L"IF(TRUE,NOTHING())", Value()}, {L"IFERROR(NOTHING(),1)", Value()},
               {L"NOTHING()+1", num(1)}});
}

TEST_F(Evaluator, AnEmptyResultInATextCellIsTheEmptyText) {
    // A cell typed for text (an edit or static text cell, not the default cell) shows what its formula
    // computes as text: a copy of an empty cell is empty there, not "0"; numbers still compute.
    ASSERT_TRUE(sheet.setCellType(5, 5, CellType::edit(0x110000, 200)));
    ASSERT_TRUE(sheet.setCellType(5, 6, CellType::ofCode(CellTypeCode::StaticText)));
    expectAll({{L"A5", Value()}, {L"IF(TRUE,,2)", Value()}, {L"A1", num(2)}, {L"A4", text(L"abc")}});
    ASSERT_TRUE(sheet.setFormula(5, 6, L"A5").ok);
    EXPECT_EQ(sheet.valueText(5, 6), L"");
    ASSERT_TRUE(sheet.setCellType(5, 7, CellType::number(2, 0, 0)));
    ASSERT_TRUE(sheet.setFormula(5, 7, L"A5").ok);
    EXPECT_EQ(sheet.value(5, 7), num(0));
}

TEST_F(Evaluator, NumbersAreEqualWhenTheyAgreeInFifteenDigits) {
    sheet.setNumber(3, 1, 0.3);
    sheet.setNumber(3, 2, 0.1);
    sheet.setNumber(3, 3, 0.2);
    sheet.setNumber(3, 4, 0.1 + 0.2);  // 0.30000000000000004
    expectAll({
        {L"0.1+0.2=0.3", logical(true)},
        {L"0.1+0.2<>0.3", logical(false)},
        {L"0.1+0.2>0.3", logical(false)},
        {L"0.1+0.2>=0.3", logical(true)},
        {L"0.3<0.1+0.2", logical(false)},
        {L"0.3<=0.1+0.2", logical(true)},
        {L"C2+C3=C1", logical(true)},             // through the plain-number path
        {L"(C2+C3=C1)*1", num(1)},
        {L"IF(C2+C3=C1,\"same\",\"differ\")", text(L"same")},
        {L"1.00000000000001=1", logical(false)},  // 15 significant digits still count
        {L"1.000000000000001=1", logical(true)},  // the 16th does not
        {L"123456789012345400=123456789012345000", logical(true)},
        {L"123456789012345678=123456789012345000", logical(false)},  // rounds to ...346
        {L"-0.1-0.2=-0.3", logical(true)},
        {L"1E-300*0.1=1E-301", logical(true)},
        {L"0=1E-300", logical(false)},            // tiny is not zero
        // The lookup functions and the criteria find the number the user typed.
        {L"MATCH(0.3,C4:C4,0)", num(1)},
        {L"VLOOKUP(C1,C4:C4,1,FALSE)", num(0.1 + 0.2)},
        {L"COUNTIF(C4:C4,0.3)", num(1)},
        {L"COUNTIF(C4:C4,\"=0.3\")", num(1)},
        {L"COUNTIF(C4:C4,\">0.3\")", num(0)},
    });
}

TEST_F(Evaluator, ReferencesInEveryStyle) {
    // Legacy: absolute references and "#" for the formula's own row or column (E5 here).
    sheet.setNumber(1, 5, 4);  // A5
    sheet.setNumber(5, 1, 8);  // E1
    expectAll({{L"A1+B2", num(22)}, {L"A#*2", num(8)}, {L"#1+1", num(9)}, {L"SUM(A1:A2)", num(5)}});
    sheet.setRefStyle(RefStyle::A1);
    expectAll({{L"$A$1+B2", num(22)}, {L"A$1+$B2", num(22)}, {L"a5", num(4)}, {L"SUM($A1:A2)", num(5)}});
    sheet.setRefStyle(RefStyle::R1C1);
    expectAll({{L"R1C1+R2C2", num(22)}, {L"RC[-4]", num(4)}, {L"R[-4]C*2", num(16)}, {L"SUM(R1C1:R2C1)", num(5)}});
}

TEST_F(Evaluator, SumOverReferencesSkipsTextButConvertsDirectArguments) {
    expectAll({{L"SUM(A1:A4)", num(5)}, {L"SUM(A3)", num(0)}, {L"SUM(\"12\", 1)", num(13)}, {L"SUM(A1, A2)", num(5)}});
}

// ---- custom functions ---------------------------------------------------------------------------

TEST_F(Evaluator, CustomFunctionReceivesRecordsAndReturnsResult) {
    std::vector<CustomRecord> seen;
    sheet.addCustomFunction(L"probe", 0, -1, [&](CustomRecord& result, std::span<CustomRecord> args) {
        seen.clear();
        for (CustomRecord& a : args) {
            CustomRecord copy;
            copy.status = a.status;
            copy.type = a.type;
            copy.longValue = a.longValue;
            copy.doubleValue = a.doubleValue;
            copy.col = a.col;
            copy.row = a.row;
            copy.col2 = a.col2;
            copy.row2 = a.row2;
            if (a.text) copy.text = TextHandle::make(a.text.view());
            seen.push_back(std::move(copy));
        }
        result = CustomRecord::ofString(L"done");
        return true;
    });
    ASSERT_TRUE(sheet.setFormula(5, 5, L"PROBE(1.5, \"t\", 1=1, A5, A1, A1:B2)").ok);
    EXPECT_EQ(sheet.value(5, 5), text(L"done"));
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0].type, RecordType::Double);
    EXPECT_EQ(seen[0].doubleValue, 1.5);
    EXPECT_EQ(seen[1].type, RecordType::String);
    EXPECT_EQ(seen[1].text.view(), L"t");  // no quotes
    EXPECT_EQ(seen[2].type, RecordType::Long);
    EXPECT_EQ(seen[2].longValue, 1);
    EXPECT_EQ(seen[3].status, RecordStatus::Empty);
    EXPECT_EQ(seen[4].type, RecordType::Double);  // a cell's value without flag 1
    EXPECT_EQ(seen[4].doubleValue, 2.0);
    EXPECT_EQ(seen[5].type, RecordType::Range);
    EXPECT_EQ(seen[5].col2, 2);
    EXPECT_EQ(seen[5].row2, 2);

    // With flag 1 a cell reference arrives as one.
    sheet.addCustomFunction(L"probe", 0, -1, [&](CustomRecord& result, std::span<CustomRecord> args) {
        result = CustomRecord::ofLong(args[0].type == RecordType::Cell ? args[0].col * 100 + args[0].row : -1);
        return true;
    }, CustomFunctionFlags::ReferencesAsCells);
    ASSERT_TRUE(sheet.setFormula(5, 6, L"PROBE(B2)").ok);
    EXPECT_EQ(sheet.value(5, 6), num(202));
}

TEST_F(Evaluator, CustomFunctionResultKindsAndFailure) {
    int mode = 0;
    sheet.addCustomFunction(L"F", 0, 2, [&](CustomRecord& result, std::span<CustomRecord>) {
        switch (mode) {
            case 0: result = CustomRecord::ofDouble(2.5); return true;
            case 1: result.setEmpty(); return true;
            case 2: result = CustomRecord::ofString(L"abc"); return false;  // failure wins; the string is freed
            case 3:
                result.status = RecordStatus::Valid;
                result.type = RecordType::Cell;
                result.col = 2;
                result.row = 1;
                return true;
            default: result.status = RecordStatus::Invalid; return true;
        }
    });
    const Value expected[] = {num(2.5), Value(), err(ErrorCode::Value), num(10), Value()};
    for (mode = 0; mode < 5; ++mode) {
        sheet.recalc();
        ASSERT_TRUE(sheet.setFormula(5, 5, L"F()").ok);
        EXPECT_EQ(sheet.value(5, 5), expected[mode]) << "mode " << mode;
    }
    // Wrong argument counts are refused when the formula is set.
    EXPECT_FALSE(sheet.setFormula(5, 5, L"F(1,2,3)").ok);
}

TEST_F(Evaluator, CustomFunctionShadowsBuiltinAndReRegistrationReplaces) {
    ASSERT_TRUE(sheet.setFormula(5, 5, L"ABS(-3)").ok);
    EXPECT_EQ(sheet.value(5, 5), num(3));
    sheet.addCustomFunction(L"ABS", 1, 1, [](CustomRecord& r, std::span<CustomRecord>) {
        r = CustomRecord::ofLong(42);
        return true;
    });
    EXPECT_EQ(sheet.value(5, 5), num(42));  // the cell computes again with the new function
    sheet.addCustomFunction(L"abs", 1, 1, [](CustomRecord& r, std::span<CustomRecord>) {
        r = CustomRecord::ofLong(7);
        return true;
    });
    sheet.recalc();
    EXPECT_EQ(sheet.value(5, 5), num(7));
    // A function named before it was registered computes #NAME? until then.
    ASSERT_TRUE(sheet.setFormula(5, 6, L"LATER(1)").ok);
    EXPECT_EQ(sheet.value(5, 6), err(ErrorCode::Name));
    sheet.addCustomFunction(L"LATER", 1, 1, [](CustomRecord& r, std::span<CustomRecord> a) {
        r = CustomRecord::ofDouble(a[0].doubleValue * 2);
        return true;
    });
    EXPECT_EQ(sheet.value(5, 6), num(2));
    EXPECT_FALSE(sheet.addCustomFunction(L"", 0, 0, [](CustomRecord&, std::span<CustomRecord>) { return true; }));
    EXPECT_FALSE(sheet.addCustomFunction(L"BAD", 3, 1, [](CustomRecord&, std::span<CustomRecord>) { return true; }));
}

TEST_F(Evaluator, CustomFunctionsRunOnEveryCalculationAndNotForErrorArguments) {
    int calls = 0;
    sheet.addCustomFunction(L"COUNTER", 0, 1, [&](CustomRecord& r, std::span<CustomRecord>) {
        r = CustomRecord::ofLong(++calls);
        return true;
    });
    ASSERT_TRUE(sheet.setFormula(5, 5, L"COUNTER()").ok);
    sheet.recalc();
    sheet.recalc();
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(sheet.value(5, 5), num(3));
    ASSERT_TRUE(sheet.setFormula(5, 6, L"COUNTER(1/0)").ok);
    EXPECT_EQ(sheet.value(5, 6), err(ErrorCode::Div0));
    ASSERT_TRUE(sheet.setFormula(5, 7, L"IF(0, COUNTER(), 1)").ok);  // the branch not taken is not run
    EXPECT_EQ(calls, 3);
}

TEST_F(Evaluator, CustomFunctionMayReadAndWriteTheSheetWhileItRuns) {
    // Like FROMTABLE with three arguments: the callback writes a result into another cell of the
    // calling sheet, and reads a cell whose value is out of date.
    ASSERT_TRUE(sheet.setFormula(3, 1, L"A1*100").ok);
    sheet.addCustomFunction(L"SIDE", 0, 0, [&](CustomRecord& r, std::span<CustomRecord>) {
        sheet.setNumber(4, 1, 99);
        r = CustomRecord::ofDouble(sheet.value(3, 1).asNumber() + 1);
        return true;
    });
    ASSERT_TRUE(sheet.setFormula(4, 2, L"D1*2").ok);
    sheet.setNumber(1, 1, 5);  // C1 is dirty now
    ASSERT_TRUE(sheet.setFormula(5, 5, L"SIDE()+1").ok);
    EXPECT_EQ(sheet.value(5, 5), num(502));
    EXPECT_EQ(sheet.value(4, 2), num(198));
    sheet.recalc();
    EXPECT_EQ(sheet.value(5, 5), num(502));
    // A callback that sets formulas during a recalculation does not upset it.
    sheet.addCustomFunction(L"SIDE", 0, 0, [&](CustomRecord& r, std::span<CustomRecord>) {
        sheet.setFormula(6, 1, L"A1+1");
        r = CustomRecord::ofLong(1);
        return true;
    });
    sheet.recalc();
    sheet.recalc();
    EXPECT_EQ(sheet.value(6, 1), num(6));
    EXPECT_EQ(sheet.value(5, 5), num(2));
}

TEST(TextHandle, ProducerMakesReaderFrees) {
    TextHandle h = TextHandle::make(L"wide text");
    EXPECT_TRUE(h);
    EXPECT_EQ(h.view(), L"wide text");
    TextHandle taken = std::move(h);  // the reader takes ownership; the producer's handle is empty
    EXPECT_FALSE(h);  // NOLINT(bugprone-use-after-move): moved-from handles are defined empty
    taken.free();
    EXPECT_FALSE(taken);
    EXPECT_EQ(taken.view(), L"");
    taken.free();  // freeing twice is harmless
    EXPECT_EQ(TextHandle::make(L"").view(), L"");
}

// A sheet that lives long and is given ever new texts (a pooled grid running sheet after sheet)
// keeps only the formulas its cells hold, plus a bounded cache; what the cells hold stays valid.
TEST(FormulaMemory, FormulasNoCellHoldsAreFreed) {
    Sheet sheet;
    sheet.setMaxCols(4);
    sheet.setMaxRows(4);
    sheet.setNumber(1, 1, 2);
    ASSERT_TRUE(sheet.setFormula(2, 1, L"A1*10").ok);  // kept throughout
    for (int i = 0; i < 50000; ++i) {
        ASSERT_TRUE(sheet.setFormula(3, 1, (L"A1+" + std::to_wstring(i)).c_str()).ok);
        ASSERT_TRUE(sheet.setFormula(3, 2, (L"#1*" + std::to_wstring(i)).c_str()).ok);  // relative: interned
    }
    EXPECT_LT(sheet.storedFormulaCount(), 10000u);
    EXPECT_EQ(sheet.value(2, 1), Value::number(20));
    EXPECT_EQ(sheet.value(3, 1), Value::number(2 + 49999));
    sheet.setNumber(1, 1, 3);
    EXPECT_EQ(sheet.value(2, 1), Value::number(30));
    EXPECT_EQ(sheet.value(3, 2), Value::number((3.0 + 49999) * 49999));  // "#1" is C1, in its own column
}

}  // namespace
}  // namespace grid

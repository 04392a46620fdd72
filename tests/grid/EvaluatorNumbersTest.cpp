// Formulas of numbers, cells, arithmetic, comparisons, IF and the numeric functions run over plain
// doubles first. Everything that is not a plain finite number must still come out as the general
// evaluator computes it: empty and text cells, logical values, errors, overflow, host functions
// that shadow a built-in, and a value changing kind between two calculations.
#include <gtest/gtest.h>

#include <cmath>
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
Value err(ErrorCode c) { return Value::error(c); }

std::string narrow(const wchar_t* w) { return std::string(w, w + std::wcslen(w)); }

// A1 = 2, A2 = -3, A3 = "abc", A4 empty, A5 = TRUE (a formula), A6 = 1E300, A7 = #DIV/0!.
class EvaluatorNumbers : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.setMaxRows(50);
        sheet.setMaxCols(10);
        sheet.setNumber(1, 1, 2);
        sheet.setNumber(1, 2, -3);
        sheet.setData(1, 3, L"abc");
        sheet.setFormula(1, 5, L"1<2");
        sheet.setNumber(1, 6, 1e300);
        sheet.setFormula(1, 7, L"1/0");
    }
    void expectAll(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            ASSERT_TRUE(sheet.setFormula(5, 5, c.formula).ok) << narrow(c.formula);
            EXPECT_EQ(sheet.value(5, 5), c.expected) << narrow(c.formula);
        }
    }
    Sheet sheet;
};

TEST_F(EvaluatorNumbers, PlainNumbersAndTheirKinds) {
    expectAll({
        {L"A1*A2+1", num(-5)},
        {L"-A1%", num(-0.02)},
        {L"A1>A2", logical(true)},       // a comparison stays logical
        {L"+(A1=2)", logical(true)},     // and so through unary plus
        {L"-(A1=2)", num(-1)},           // but not through negation
        {L"(A1=2)+1", num(2)},
        {L"IF(A1>A2,A1,A2)", num(2)},
        {L"IF(A1<A2,A1)", logical(false)},  // IF without else
        {L"IF(0,1,2)+IF(A2,10,20)", num(12)},
        {L"MAX(A1,A2,7)-MIN(A1,A2)", num(10)},
        {L"ROUND(A1/3,2)+ABS(A2)+SQRT(4)+INT(-1.5)", num(0.67 + 3 + 2 - 2)},
    });
}

TEST_F(EvaluatorNumbers, WhatIsNotAPlainNumberFallsBack) {
    expectAll({
        {L"A4", num(0)},                     // an empty cell read alone computes 0, as "=E1" does anywhere
        {L"A4+1", num(1)},
        {L"A5", logical(true)},              // a logical cell keeps its kind
        {L"A5+1", num(2)},
        {L"MAX(1<2,0)", num(1)},             // a logical given directly counts
        {L"A3+1", err(ErrorCode::Value)},
        {L"A7+1", err(ErrorCode::Div0)},
        {L"A1/0", err(ErrorCode::Div0)},
        {L"A1/A4", err(ErrorCode::Div0)},
        {L"A6*A6", err(ErrorCode::Num)},
        {L"SQRT(A2)", err(ErrorCode::Num)},
        {L"A1^-1", num(0.5)},
        {L"IF(A3,1,2)", err(ErrorCode::Value)},
        {L"A1+K1", err(ErrorCode::Ref)},     // outside the sheet's columns
        {L"MIN(A1:A2)", num(-3)},
    });
}

TEST_F(EvaluatorNumbers, RecalculationFollowsAChangeOfKind) {
    sheet.setBool(kSwitchAutoCalc, false);
    ASSERT_TRUE(sheet.setFormula(2, 1, L"ABS(A1)*2").ok);
    sheet.recalc();
    EXPECT_EQ(sheet.value(2, 1), num(4));
    sheet.setData(1, 1, L"x");
    sheet.recalc();
    EXPECT_EQ(sheet.value(2, 1), err(ErrorCode::Value));
    sheet.setNumber(1, 1, -5);
    sheet.recalc();
    EXPECT_EQ(sheet.value(2, 1), num(10));
}

TEST_F(EvaluatorNumbers, AHostFunctionShadowingABuiltinIsCalled) {
    ASSERT_TRUE(sheet.setFormula(2, 2, L"ABS(A2)+1").ok);
    EXPECT_EQ(sheet.value(2, 2), num(4));
    ASSERT_TRUE(sheet.addCustomFunction(L"ABS", 1, 1, [](CustomRecord& result, std::span<CustomRecord>) {
        result = CustomRecord::ofDouble(100);
        return true;
    }));
    sheet.recalc();
    EXPECT_EQ(sheet.value(2, 2), num(101));
}

// The kernels over plain numbers must agree with the full functions everywhere: "+A4" (an empty
// cell) sends the same call down the general path.
TEST_F(EvaluatorNumbers, NumericKernelsAgreeWithTheFullFunctions) {
    const double xs[] = {2.5, -2.5, 0.125, 1.005, -1234.5678, 1e-7, 123456789.98765, 0, 16};
    const double digits[] = {0, 2, -2, 1.9, -1.9, 400, -400, 1e20};
    const wchar_t* calls[] = {L"ROUND(B1%s,B2)", L"ROUNDUP(B1%s,B2)", L"ROUNDDOWN(B1%s,B2)", L"INT(B1%s)",
                              L"ABS(B1%s)",      L"SQRT(B1%s)",      L"MIN(B1%s,B2,3)",    L"MAX(B2,B1%s)",
                              L"SUM(B1%s,B2,0.1)"};
    auto withTail = [](const wchar_t* pattern, const wchar_t* tail) {
        std::wstring f = pattern;
        f.replace(f.find(L"%s"), 2, tail);
        return f;
    };
    for (double x : xs)
        for (double d : digits) {
            sheet.setNumber(2, 1, x);
            sheet.setNumber(2, 2, d);
            for (const wchar_t* call : calls) {
                ASSERT_TRUE(sheet.setFormula(5, 5, withTail(call, L"").c_str()).ok);
                ASSERT_TRUE(sheet.setFormula(5, 6, withTail(call, L"+A4").c_str()).ok);
                EXPECT_EQ(sheet.value(5, 5), sheet.value(5, 6))
                    << narrow(withTail(call, L"").c_str()) << " x=" << x << " d=" << d;
            }
        }
}

TEST_F(EvaluatorNumbers, ACycleIsStillFound) {
    ASSERT_TRUE(sheet.setFormula(3, 1, L"C2+1").ok);
    ASSERT_TRUE(sheet.setFormula(3, 2, L"ABS(C1)").ok);
    EXPECT_EQ(sheet.value(3, 1), err(ErrorCode::Circular));
    EXPECT_EQ(sheet.value(3, 2), err(ErrorCode::Circular));
}

}  // namespace
}  // namespace grid

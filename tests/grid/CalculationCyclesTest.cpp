// Cycles are what formulas actually read, found while they compute: a cycle that runs through a
// branch IF did not take is no cycle, a cycle of what is read gives every cell on it the circular
// error, whatever order the cells were set and computed in.
#include <gtest/gtest.h>

#include <string>

#include "platform/grid/Sheet.h"

namespace grid {
namespace {

constexpr std::int32_t kSwitchAutoCalc = 7;

Value num(double v) { return Value::number(v); }
Value circular() { return Value::error(ErrorCode::Circular); }

Sheet makeSheet() {
    Sheet s;
    s.setMaxCols(6);
    s.setMaxRows(10);
    return s;
}

// B1 = IF(A1=0,5,C1) and C1 = IF(A1=1,7,B1+1) read each other only when A1 is neither 0 nor 1.
void setBranches(Sheet& s, bool cFirst) {
    if (cFirst) {
        ASSERT_TRUE(s.setFormula(3, 1, L"IF(A1=1,7,B1+1)").ok);
    }
    ASSERT_TRUE(s.setFormula(2, 1, L"IF(A1=0,5,C1)").ok);
    if (!cFirst) {
        ASSERT_TRUE(s.setFormula(3, 1, L"IF(A1=1,7,B1+1)").ok);
    }
}

TEST(CalculationCycles, ACycleThroughABranchNotTakenIsNoCycle) {
    struct {
        double a1;
        Value b1, c1;
    } expected[] = {{1, num(7), num(7)}, {0, num(5), num(6)}, {2, circular(), circular()},
                    {1, num(7), num(7)}, {2, circular(), circular()}, {0, num(5), num(6)}};
    for (bool cFirst : {false, true}) {
        for (bool autoCalc : {true, false}) {
            Sheet s = makeSheet();
            s.setNumber(1, 1, 1);
            s.setBool(kSwitchAutoCalc, autoCalc);
            setBranches(s, cFirst);
            ASSERT_TRUE(s.setFormula(4, 1, L"IFERROR(B1,-1)").ok);  // a reader of both regimes
            for (const auto& e : expected) {
                s.setNumber(1, 1, e.a1);
                if (!autoCalc) s.recalc();
                const std::string where = "A1=" + std::to_string(e.a1) + (cFirst ? " C1 set first" : " B1 set first") +
                                          (autoCalc ? " automatic" : " recalc");
                EXPECT_EQ(s.value(2, 1), e.b1) << where;
                EXPECT_EQ(s.value(3, 1), e.c1) << where;
                EXPECT_EQ(s.value(4, 1), e.b1.isError() ? num(-1) : e.b1) << where;
                // A second full calculation (which may replay the order of the first) agrees.
                s.recalc();
                EXPECT_EQ(s.value(2, 1), e.b1) << where << ", again";
                EXPECT_EQ(s.value(3, 1), e.c1) << where << ", again";
            }
        }
    }
}

TEST(CalculationCycles, WhatIsReadDecidesForASingleCellToo) {
    Sheet s = makeSheet();
    ASSERT_TRUE(s.setFormula(1, 1, L"IF(FALSE,A1,3)").ok);
    EXPECT_EQ(s.value(1, 1), num(3));
    ASSERT_TRUE(s.setFormula(1, 2, L"IF(TRUE,A2,3)").ok);
    EXPECT_EQ(s.value(1, 2), circular());
    ASSERT_TRUE(s.setFormula(1, 3, L"IFERROR(1/0,A3)").ok);
    EXPECT_EQ(s.value(1, 3), circular());
    ASSERT_TRUE(s.setFormula(1, 4, L"CHOOSE(2,A4,4)+SUM(B4:B5)").ok);
    EXPECT_EQ(s.value(1, 4), num(4));
    // A range that covers the cell itself is read whatever the branch: a cycle.
    ASSERT_TRUE(s.setFormula(1, 5, L"SUM(A4:A6)").ok);
    EXPECT_EQ(s.value(1, 5), circular());
}

TEST(CalculationCycles, ARangeReadWaitsForAFormulaNotComputedYet) {
    // B1 reads C1 through a range in the branch A1 = 1 takes; C1 reads B1 only when A1 is not 1.
    for (bool cFirst : {false, true}) {
        for (bool autoCalc : {true, false}) {
            Sheet s = makeSheet();
            s.setBool(kSwitchAutoCalc, autoCalc);
            s.setNumber(1, 1, 1);
            if (cFirst) {
                ASSERT_TRUE(s.setFormula(3, 1, L"IF(A1=1,7,B1+1)").ok);
            }
            ASSERT_TRUE(s.setFormula(2, 1, L"IF(A1=0,5,SUM(C1:C2))").ok);
            if (!cFirst) {
                ASSERT_TRUE(s.setFormula(3, 1, L"IF(A1=1,7,B1+1)").ok);
            }
            for (double a1 : {1.0, 0.0, 1.0}) {
                s.setNumber(1, 1, a1);
                if (!autoCalc) s.recalc();
                const std::string where = "A1=" + std::to_string(a1) + (cFirst ? " C1 first" : " B1 first");
                // Asked in both orders: C1 first walks into B1, which then reads C1 while it is pending.
                EXPECT_EQ(s.value(3, 1), num(a1 == 1 ? 7 : 6)) << where;
                EXPECT_EQ(s.value(2, 1), num(a1 == 1 ? 7 : 5)) << where;
            }
        }
    }
}

TEST(CalculationCycles, ACycleOfThreeThroughBranchesAndItsReaders) {
    // A2 -> B2 -> C2 -> A2 read each other only while D2 is positive.
    Sheet s = makeSheet();
    s.setNumber(4, 2, 1);
    ASSERT_TRUE(s.setFormula(1, 2, L"IF(D2>0,B2+1,10)").ok);
    ASSERT_TRUE(s.setFormula(2, 2, L"IF(D2>0,C2+1,A2+1)").ok);
    ASSERT_TRUE(s.setFormula(3, 2, L"A2+1").ok);
    ASSERT_TRUE(s.setFormula(5, 2, L"C2*2").ok);  // reads the cycle
    for (std::int32_t col = 1; col <= 3; ++col) EXPECT_EQ(s.value(col, 2), circular()) << col;
    EXPECT_EQ(s.value(5, 2), circular());
    s.setNumber(4, 2, 0);  // A2 = 10, B2 = 11, C2 = 11: no cycle left
    EXPECT_EQ(s.value(1, 2), num(10));
    EXPECT_EQ(s.value(2, 2), num(11));
    EXPECT_EQ(s.value(3, 2), num(11));
    EXPECT_EQ(s.value(5, 2), num(22));
    s.setNumber(4, 2, 5);
    EXPECT_EQ(s.value(5, 2), circular());
}

}  // namespace
}  // namespace grid

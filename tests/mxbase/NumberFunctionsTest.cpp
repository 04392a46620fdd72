#include "platform/mxbase/NumberFunctions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(NumberFunctions, RoundToIsNotFooledByBinaryRepresentation) {
    struct Case {
        double value;
        double step;
        double expected;
    };
    const Case cases[] = {
        {2.5, 1, 3},         {-2.5, 1, -3},       {2.4999, 1, 2},    {0.15, 0.1, 0.2},  {0.25, 0.1, 0.3},
        {1.005, 0.01, 1.01}, {2.675, 0.01, 2.68}, {0.3, 0.1, 0.3},   {0.29, 0.1, 0.3},  {7.4, 5, 5},
        {7.5, 5, 10},        {-7.5, 5, -10},      {12.3, 2.5, 12.5}, {1234.5, 1, 1235}, {0.44999, 0.1, 0.4},
        {-0.4, 1, 0},        {1.0, 1.0 / 3, 1.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ObjectExportRoundTo(c.value, c.step), c.expected) << c.value << " to " << c.step;
    }
    EXPECT_FALSE(std::signbit(ObjectExportRoundTo(-0.4, 1)));  // no "-0" leaking into texts
}

TEST(NumberFunctions, RoundToWithUnusableStepReturnsTheValue) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ObjectExportRoundTo(3.7, 0), 3.7);
    EXPECT_EQ(ObjectExportRoundTo(3.7, -1), 3.7);
    EXPECT_EQ(ObjectExportRoundTo(3.7, nan), 3.7);
    EXPECT_EQ(ObjectExportRoundTo(3.7, inf), 3.7);
    EXPECT_EQ(ObjectExportRoundTo(1e300, 1e-300), 1e300);  // quotient overflows
    EXPECT_TRUE(std::isnan(ObjectExportRoundTo(nan, 1)));
}

TEST(NumberFunctions, RoundUpGoesTowardsPlusInfinity) {
    EXPECT_EQ(ObjectExportRoundUp(10.5, 5), 15);
    EXPECT_EQ(ObjectExportRoundUp(10, 5), 10);
    EXPECT_EQ(ObjectExportRoundUp(0.3, 0.1), 0.3);  // 0.3 / 0.1 is 2.9999999999999996
    EXPECT_EQ(ObjectExportRoundUp(0.7, 0.1), 0.7);
    EXPECT_EQ(ObjectExportRoundUp(0.71, 0.1), 0.8);
    EXPECT_EQ(ObjectExportRoundUp(-2.5, 1), -2);
    EXPECT_FALSE(std::signbit(ObjectExportRoundUp(-0.5, 1)));
    double result = 0;
    EXPECT_FALSE(ObjectExportRoundUp(4.2, 0, result));
    EXPECT_EQ(result, 4.2);
    EXPECT_TRUE(ObjectExportRoundUp(4.2, 2, result));
    EXPECT_EQ(result, 6);
}

TEST(NumberFunctions, FormatNumber) {
    EXPECT_EQ(formatKeyNumber(10), L"10.000000");
    EXPECT_EQ(formatKeyNumber(-12.5), L"-12.500000");
    EXPECT_EQ(formatKeyNumber(1e-7), L"0.000000");
    EXPECT_EQ(formatKeyNumber(5e-7), L"0.000001");
    EXPECT_EQ(formatNumber(0.1 + 0.2, 2), L"0.30");
    EXPECT_EQ(formatNumber(999.5, 0), L"1000");
    EXPECT_EQ(formatNumber(-0.0, 2), L"0.00");
    EXPECT_EQ(formatNumber(1.25, -3), L"1");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity(), 2), L"inf");
    EXPECT_EQ(formatShortest(0.1), L"0.1");
}

TEST(NumberFunctions, ParseNumberAcceptsWholeDecimalNumbersOnly) {
    struct Case {
        const wchar_t* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {L"12", true, 12},    {L" -3.5 ", true, -3.5},  {L"+.5", true, 0.5},   {L"5.", true, 5},
        {L"1e3", true, 1000}, {L"2.5E-2", true, 0.025}, {L"\t7\r\n", true, 7}, {L"1e-400", true, 0},
        {L"", false, 0},      {L" ", false, 0},         {L".", false, 0},      {L"-", false, 0},
        {L"1,5", false, 0},   {L"1e", false, 0},        {L"e5", false, 0},     {L"inf", false, 0},
        {L"nan", false, 0},   {L"0x10", false, 0},      {L"1 2", false, 0},    {L"1e400", false, 0},
        {L"12a", false, 0},   {L"--1", false, 0},       {L"\x0661", false, 0},  // Arabic-Indic one
        // Whole numbers, short and long: the same value whichever way they are converted.
        {L"007", true, 7},    {L"+42", true, 42},       {L"999999999999999", true, 999999999999999.0},
        {L"-9007199254740993", true, -9007199254740992.0},  // 16 digits: the nearest double
        {L"123456789012345678901234567890", true, 1.2345678901234568e29},
    };
    for (const Case& c : cases) {
        double value = -99;
        EXPECT_EQ(parseNumber(c.text, value), c.ok) << '"' << Mx_String(c.text).toUtf8() << '"';
        EXPECT_EQ(value, c.ok ? c.value : -99) << '"' << Mx_String(c.text).toUtf8() << '"';
    }
    double zero = 1;
    ASSERT_TRUE(parseNumber(L"-0", zero));
    EXPECT_TRUE(std::signbit(zero));
}

TEST(NumberFunctions, SortKeepsCompanionsWithTheirKeys) {
    AcArray<double> keys;
    AcArray<int> indexes;
    for (double k : {3.0, 1.0, 2.0, 1.0})
        keys.append(k);
    for (int i : {0, 1, 2, 3})
        indexes.append(i);
    ASSERT_TRUE(ObjectExportSort(keys, indexes));
    EXPECT_EQ(keys[0], 1.0);
    EXPECT_EQ(keys[3], 3.0);
    EXPECT_EQ(indexes[0], 1);  // stable: the first of the equal keys stays first
    EXPECT_EQ(indexes[1], 3);
    EXPECT_EQ(indexes[2], 2);
    EXPECT_EQ(indexes[3], 0);

    ASSERT_TRUE(ObjectExportSort(keys, indexes, false));
    EXPECT_EQ(keys[0], 3.0);
    EXPECT_EQ(indexes[0], 0);

    indexes.removeLast();
    EXPECT_FALSE(ObjectExportSort(keys, indexes));
    EXPECT_EQ(keys[0], 3.0);  // unchanged
}

TEST(NumberFunctions, SortPutsNanLast) {
    AcArray<double> keys;
    for (double k : {std::nan(""), 2.0, std::nan(""), 1.0})
        keys.append(k);
    ASSERT_TRUE(ObjectExportSort(keys));
    EXPECT_EQ(keys[0], 1.0);
    EXPECT_EQ(keys[1], 2.0);
    EXPECT_TRUE(std::isnan(keys[2]) && std::isnan(keys[3]));
}

}  // namespace

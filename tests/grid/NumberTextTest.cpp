// Numbers typed into cells keep the text they were typed as, whatever shortcut the sheet takes to
// decide whether that text needs keeping; and number texts read and write exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "platform/grid/Sheet.h"

namespace grid {
namespace {

std::string narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

TEST(NumberText, TypedNumbersReadBackAsTyped) {
    Sheet sheet;
    sheet.setMaxCols(2);
    sheet.setMaxRows(2);
    const wchar_t* fixed[] = {L"0", L"-0", L"0.0", L"1.50", L"007", L"-0.5", L"0.0001", L"0.00001", L"1e3",
                              L"+5", L".5", L"5.", L"123456789012345", L"1234567890123456",
                              L"0.123456789012345", L"0.1234567890123456", L"999999999999999.9",
                              L"100000000000000", L"1000000000000000", L"-12.25"};
    for (const wchar_t* text : fixed) {
        sheet.setData(1, 1, text);
        EXPECT_EQ(narrow(sheet.dataText(1, 1)), narrow(text));
    }
    std::mt19937 random(12345);
    auto digit = [&](int from) { return static_cast<wchar_t>(L'0' + from + static_cast<int>(random() % (10 - from))); };
    for (int i = 0; i < 20000; ++i) {
        std::wstring text;
        if (random() % 4 == 0) text += L'-';
        const int whole = static_cast<int>(random() % 18);
        if (whole == 0) text += L'0';
        for (int k = 0; k < whole; ++k) text += digit(k == 0 ? 1 : 0);
        const int fraction = static_cast<int>(random() % 18);
        if (fraction > 0) {
            text += L'.';
            const int zeros = static_cast<int>(random() % 7);
            for (int k = 0; k < fraction; ++k) text += k < zeros ? L'0' : digit(0);
        }
        sheet.setData(1, 1, text);
        ASSERT_EQ(narrow(sheet.dataText(1, 1)), narrow(text));
        ASSERT_TRUE(sheet.value(1, 1).isNumber()) << narrow(text);
        ASSERT_EQ(sheet.value(1, 1).asNumber(), std::stod(narrow(text))) << narrow(text);
    }
}

TEST(NumberText, ParsingAndFormattingAreExact) {
    EXPECT_EQ(parseNumber(L" 1.5E+2 "), 150.0);
    EXPECT_EQ(parseNumber(L"1e-400"), 0.0);       // underflow reads as zero, as arithmetic does
    EXPECT_FALSE(parseNumber(L"1e400"));          // overflow is no number
    EXPECT_FALSE(parseNumber(L"1e"));
    EXPECT_FALSE(parseNumber(L"0x10"));
    EXPECT_EQ(parseNumber(std::wstring(100, L'1')), 1.1111111111111111e99);  // longer than any stack buffer
    const struct {
        double value;
        const char* text;
    } cases[] = {{0.1 + 0.2, "0.3"}, {1.0 / 3, "0.333333333333333"}, {1e20, "1E+20"}, {-0.0, "0"},
                 {123456789012345.0, "123456789012345"}, {1e15, "1E+15"}, {0.0001, "0.0001"},
                 {0.00001, "1E-5"}, {-2.5e-300, "-2.5E-300"}, {4.9e-324, "4.94065645841247E-324"}};
    for (const auto& c : cases) EXPECT_EQ(narrow(formatNumber(c.value)), c.text) << c.value;
}

}  // namespace
}  // namespace grid

// Numbers typed into cells keep the text they were typed as, whatever shortcut the sheet takes to
// decide whether that text needs keeping; and number texts read and write exactly.
#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>  // to_chars
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "platform/grid/CellType.h"
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


// The general text of a number is what "%.15G" writes with the trailing zeros of the fraction and the
// leading zeros of the exponent removed, for every double: those whose shortest text needs 16 or 17
// digits (sums, thirds), subnormal ones, and those that round up into the next decade.
std::string printfGeneralText(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", v);
    std::string s = buffer, exponent;
    if (auto e = s.find('E'); e != std::string::npos) {
        exponent = s.substr(e);
        s.resize(e);
    }
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    if (!exponent.empty()) {
        std::size_t digits = 2;
        while (digits + 1 < exponent.size() && exponent[digits] == '0')
            ++digits;
        s += std::string("E") + exponent[1] + exponent.substr(digits);
    }
    return s == "-0" ? "0" : s;
}

TEST(NumberText, GeneralTextsAreWhatPrintfWrites) {
    for (double v : {9.9999999999999995, 999999999999999.94, 0.000099999999999999995, 1.0 / 3, -2.0 / 3,
                     9199.028973560147, 1e15 - 0.5, 4.9e-324, -2.2250738585072009e-308,
                     2.2250738585072014e-308, DBL_MAX, -DBL_MIN, 0.1 + 0.7, 123456.78901234567})
        EXPECT_EQ(narrow(formatNumber(v)), printfGeneralText(v)) << v;
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 200000; ++i) {
        double v = 0;
        if (i % 2) {
            std::uint64_t bits = random();
            std::memcpy(&v, &bits, sizeof v);
            if (!std::isfinite(v))
                continue;
        } else {  // everyday sums and products, most of them 16 or 17 digits long
            v = static_cast<double>(random() % 100000) / 100 * (static_cast<double>(random() % 1000) / 7);
        }
        char buffer[kNumberTextMax];
        const std::string got(buffer, formatNumberAscii(v, buffer));
        ASSERT_EQ(got, printfGeneralText(v)) << i;
    }
}

// Both texts of a number from one conversion are what the two separate ways write: the general text
// and std::to_chars' shortest, which picks fixed or scientific notation by length.
TEST(NumberText, BothTextsFromOneConversionAreTheSeparateOnes) {
    auto check = [](double v) {
        NumberTexts texts;
        formatNumberTexts(v, texts);
        char general[kNumberTextMax], shortest[64];
        const std::string wantGeneral(general, formatNumberAscii(v, general));
        const std::string wantShortest(shortest, std::to_chars(shortest, shortest + sizeof shortest, v).ptr);
        const std::string gotGeneral(texts.general, texts.generalLength);
        const std::string gotShortest(texts.shortest, texts.shortestLength);
        if (gotGeneral == wantGeneral && gotShortest == wantShortest)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << wantShortest << ": got " << gotGeneral << " and " << gotShortest << ", wanted "
               << wantGeneral << " and " << wantShortest;
    };
    // Ties between the notations, the 10^-4 and 10^15 edges, padded fixed texts, 16 and 17 digits.
    for (double v : {0.0,
                     -0.0,
                     1.0,
                     -7.0,
                     1e6,
                     1234567.0,
                     0.0001,
                     0.00012,
                     -0.00012,
                     0.001234,
                     1e-5,
                     1.5e-5,
                     0.1 + 0.2,
                     1.0 / 3,
                     1e15,
                     1.5e15,
                     1e16,
                     123456789012345680000.0,
                     1e21,
                     1e22,
                     9.5e22,
                     1e300,
                     -1.7976931348623157e308,
                     4.9e-324,
                     2.2250738585072014e-308,
                     614.54,
                     -9199.028973560147,
                     0.5,
                     12.25,
                     1e-300})
        EXPECT_TRUE(check(v));
    std::mt19937_64 random(20261210);
    for (int i = 0; i < 300000; ++i) {
        double v = 0;
        switch (i % 3) {
            case 0: {
                std::uint64_t bits = random();
                std::memcpy(&v, &bits, sizeof v);
                if (!std::isfinite(v))
                    continue;
                break;
            }
            case 1:  // typed amounts and what arithmetic makes of them
                v = static_cast<double>(random() % 10000000) / 100 *
                    (static_cast<double>(random() % 1000) / 7);
                break;
            default:  // every magnitude with few digits, where the notations compete
                v = static_cast<double>(random() % 1000) *
                    std::pow(10.0, static_cast<int>(random() % 60) - 30);
                break;
        }
        ASSERT_TRUE(check(v)) << i;
    }
}

// A number cell's text is the value rounded half away from zero to the cell's decimals, written with
// exactly that many, as printf's "%.*f" writes it: the same rounding done here and handed to snprintf
// must give the same text for any value, however large or small.
std::string printfCellText(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = v * scale;
    if (std::fabs(scaled) < 1e15) {
        const double away = scaled < 0 ? -INFINITY : INFINITY;
        v = std::round(std::nextafter(std::nextafter(scaled, away), away)) / scale;
    }
    if (v == 0.0) v = 0.0;
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    std::string s = buffer;
    if (s.size() > 1 && s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

TEST(NumberText, NumberCellTextsAreWhatPrintfWrites) {
    Sheet sheet;
    sheet.setMaxCols(17);
    sheet.setMaxRows(1);
    for (int d = 0; d <= 15; ++d) sheet.setCellType(d + 1, 1, CellType::number(d, -DBL_MAX, DBL_MAX));
    sheet.setCellType(17, 1, CellType::ofCode(CellTypeCode::Integer));  // no decimals
    auto check = [&](double v, int decimals) {
        const int col = decimals < 0 ? 17 : decimals + 1;
        if (!sheet.setNumber(col, 1, v)) return ::testing::AssertionFailure() << "setNumber " << v;
        const std::string got = narrow(sheet.valueText(col, 1));
        const std::string wanted = printfCellText(v, decimals < 0 ? 0 : decimals);
        if (got == wanted) return ::testing::AssertionSuccess();
        char exact[64];
        std::snprintf(exact, sizeof exact, "%.17g", v);
        return ::testing::AssertionFailure() << exact << " with " << decimals << " decimals: got \"" << got
                                             << "\", printf gives \"" << wanted << "\"";
    };

    // Known texts, so that a fault shared with the reference above still shows.
    const struct {
        double value;
        int decimals;
        const char* text;
    } known[] = {
        {2.5, 0, "3"},
        {-2.5, 0, "-3"},
        {1.005, 2, "1.01"},
        {-0.0004, 3, "0.000"},
        {-0.0, 2, "0.00"},
        {-1e-300, 15, "0.000000000000000"},
        {0.1 + 0.2, 15, "0.300000000000000"},
        {1e20, 2, "100000000000000000000.00"},
        {-123456789.125, 2, "-123456789.13"},
        {4.9e-324, 0, "0"},
        {9007199254740993.0, 1, "9007199254740992.0"},
    };
    for (const auto& k : known) {
        ASSERT_TRUE(sheet.setNumber(k.decimals + 1, 1, k.value));
        EXPECT_EQ(narrow(sheet.valueText(k.decimals + 1, 1)), k.text) << k.value;
    }
    // The widest texts there are: every digit of the largest numbers, with 15 decimals.
    for (double v : {DBL_MAX, -DBL_MAX, 1e300, -1e300, 1e308}) {
        EXPECT_TRUE(check(v, 15));
        const std::string text = narrow(sheet.valueText(16, 1));
        EXPECT_EQ(text.size(), printfCellText(v, 15).size());
        EXPECT_GT(text.size(), 300u);
    }

    std::mt19937_64 random(20261208);
    auto uniform = [&](double from, double to) { return std::uniform_real_distribution<double>(from, to)(random); };
    for (int i = 0; i < 20000; ++i) {
        const int decimals = static_cast<int>(random() % 17) - 1;  // -1: the integer cell
        const int places = decimals < 0 ? 0 : decimals;
        double v = 0;
        switch (i % 8) {
            case 0:  // everyday sizes
                v = uniform(-1e6, 1e6);
                break;
            case 1:  // any magnitude
                v = std::ldexp(uniform(-1, 1), static_cast<int>(random() % 2098) - 1074);
                break;
            case 2: {  // any bit pattern that is a finite number
                std::uint64_t bits = random();
                std::memcpy(&v, &bits, sizeof v);
                if (!std::isfinite(v)) v = 0;
                break;
            }
            case 3:  // halves at the last decimal, either sign
                v = (static_cast<double>(random() % 2000001) - 1000000 + 0.5) / std::pow(10.0, places);
                break;
            case 4:  // tiny negatives that round to zero
                v = -uniform(0, 0.49) / std::pow(10.0, places);
                break;
            case 5:  // huge
                v = (random() % 2 ? 1 : -1) * std::pow(10.0, uniform(15, 308));
                break;
            case 6:  // whole numbers and decimal fractions as typed
                v = static_cast<double>(static_cast<std::int64_t>(random() % 2000000001) - 1000000000) /
                    std::pow(10.0, static_cast<double>(random() % 10));
                break;
            default:  // around the 1e15 bound of the rounding
                v = uniform(-2e15, 2e15) / std::pow(10.0, places);
                break;
        }
        ASSERT_TRUE(check(v, decimals));
    }
}

}  // namespace
}  // namespace grid

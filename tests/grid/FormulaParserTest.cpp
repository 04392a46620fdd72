// The formula parser through the sheet: messages with positions, the nesting bound, argument
// counts, and the reference syntax of each style.
#include <gtest/gtest.h>

#include <cstdlib>  // strtod
#include <random>
#include <string>

#include "platform/grid/Sheet.h"

namespace grid {
namespace {

std::string narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

class FormulaParser : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.setMaxRows(20);
        sheet.setMaxCols(20);
    }
    Sheet sheet;
};

TEST_F(FormulaParser, ErrorsCarryTheirColumn) {
    struct {
        const wchar_t* formula;
        const wchar_t* message;
    } cases[] = {
        {L"SUM(A1:A3))+1", L"unexpected ')' at column 11"},
        {L"=1+", L"unexpected end of formula at column 4"},
        {L"1+*2", L"unexpected '*' at column 3"},
        {L"\"abc", L"unterminated text at column 1"},
        {L"(1+2", L"unexpected end of formula at column 5"},
        {L"1 2", L"unexpected '2' at column 3"},
        {L"ROUND(1)", L"wrong number of arguments to ROUND at column 1"},
        {L"IF(1)", L"wrong number of arguments to IF at column 1"},
        {L"A1:", L"unexpected end of formula at column 4"},
        {L"12abc", L"unexpected 'a' at column 3"},
        {L"$A$1", L"unexpected '$' at column 1"},  // no "$" in the legacy style
        {L"", L"empty formula at column 1"},
        {L"1+@", L"unexpected '@' at column 3"},
    };
    for (const auto& c : cases) {
        sheet.setNumber(1, 1, 5);
        FormulaStatus status = sheet.setFormula(1, 1, c.formula);
        if (std::wstring(c.formula).empty()) {
            // An empty formula empties the cell instead.
            EXPECT_TRUE(status.ok);
            EXPECT_TRUE(sheet.value(1, 1).isEmpty());
            continue;
        }
        EXPECT_FALSE(status.ok) << narrow(c.formula);
        EXPECT_EQ(narrow(status.message), narrow(c.message)) << narrow(c.formula);
        EXPECT_EQ(sheet.value(1, 1), Value::number(5)) << "a refused formula leaves the cell alone";
    }
}

TEST_F(FormulaParser, DeepNestingIsRefusedNotACrash) {
    for (const auto& [open, close] : {std::pair{L"(", L")"}, std::pair{L"ABS(", L")"}, std::pair{L"-", L""}}) {
        std::wstring deep;
        for (int i = 0; i < 10000; ++i) deep += open;
        deep += L"1";
        for (int i = 0; i < 10000; ++i) deep += close;
        FormulaStatus status = sheet.setFormula(1, 1, deep);
        EXPECT_FALSE(status.ok);
        EXPECT_NE(status.message.find(L"nested too deeply"), std::wstring::npos) << narrow(status.message);
    }
    // Moderate nesting is fine.
    std::wstring ok;
    for (int i = 0; i < 100; ++i) ok += L"(";
    ok += L"7";
    for (int i = 0; i < 100; ++i) ok += L")";
    ASSERT_TRUE(sheet.setFormula(1, 1, ok).ok);
    EXPECT_EQ(sheet.value(1, 1), Value::number(7));
    // A long flat formula is a deep tree too: a few hundred terms compute, 60,000 (well past the
    // 50,000 that once overflowed the compiler's stack) are refused.
    std::wstring flat = L"1";
    for (int i = 0; i < 500; ++i) flat += L"+1";
    ASSERT_TRUE(sheet.setFormula(1, 2, flat).ok);
    EXPECT_EQ(sheet.value(1, 2), Value::number(501));
    for (int i = 500; i < 60000; ++i) flat += L"+1";
    FormulaStatus status = sheet.setFormula(1, 2, flat);
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.message.find(L"nested too deeply"), std::wstring::npos) << narrow(status.message);
    EXPECT_EQ(sheet.value(1, 2), Value::number(501));
}

TEST_F(FormulaParser, ReferenceSyntaxPerStyle) {
    struct {
        RefStyle style;
        const wchar_t* formula;
        bool ok;
    } cases[] = {
        {RefStyle::Legacy, L"B#+#2+##", true},
        {RefStyle::Legacy, L"A1:B#", true},
        {RefStyle::Legacy, L"a1", true},
        {RefStyle::Legacy, L"A0", true},  // row 0 is no reference: a name, computing #NAME?
        {RefStyle::A1, L"$A$1+A$1+$A1+a1", true},
        {RefStyle::A1, L"A#", false},
        {RefStyle::R1C1, L"R1C1+RC+R[-1]C[1]+rc[2]", true},
        {RefStyle::R1C1, L"R[1C1", false},
        {RefStyle::R1C1, L"ROUND(RC[1],1)", true},  // a function is not taken for a reference
        {RefStyle::Legacy, L"LOG10(100)", true},     // nor here, though LOG10 looks like a cell
    };
    for (const auto& c : cases) {
        sheet.setRefStyle(c.style);
        EXPECT_EQ(sheet.setFormula(5, 5, c.formula).ok, c.ok) << narrow(c.formula);
    }
    sheet.setRefStyle(RefStyle::Legacy);
    ASSERT_TRUE(sheet.setFormula(5, 5, L"LOG10(100)").ok);
    EXPECT_EQ(sheet.value(5, 5), Value::number(2));
}

// A constant in a formula is the double strtod reads from its text, whichever way the parser takes
// to it: short decimals, long ones, leading and trailing zeros, many places, exponents.
TEST_F(FormulaParser, NumberConstantsAreTheDoublesTheirTextsName) {
    auto check = [&](const std::string& text) {
        if (!sheet.setFormula(2, 2, std::wstring(text.begin(), text.end())).ok)
            return ::testing::AssertionFailure() << text << " refused";
        const double want = std::strtod(text.c_str(), nullptr), got = sheet.value(2, 2).asNumber();
        if (got == want) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << text << ": " << got << " instead of " << want;
    };
    for (const char* text : {"0", "150", "0.5", "0.1", "0.3", "007.250", "5.", "123456789012345", "1234567890123456",
                             "0.123456789012345", "9007199254740993", "0.0000000000000000000001",
                             "0.00000000000000000000001", "1e3", "2.5E-3", "999999999999999.9", "0.1000000000000000"})
        EXPECT_TRUE(check(text));
    std::mt19937 random(99);
    for (int i = 0; i < 20000; ++i) {
        std::string text = std::to_string(random() % 100000000);
        const int places = static_cast<int>(random() % 25);
        if (places > 0) {
            text += '.';
            for (int k = 0; k < places; ++k) text += static_cast<char>('0' + random() % 10);
        }
        ASSERT_TRUE(check(text));
    }
}

TEST_F(FormulaParser, ArbitraryTextNeverBreaksTheParserAndAcceptedTextsRoundTrip) {
    // Random strings over the formula alphabet, in every style: a formula is accepted or refused
    // with a column inside the text; an accepted one reads back as text that parses to itself.
    const std::wstring alphabet = L"AB1290.,:;()+-*/^&%=<>\"$#[]RCEIFSUMrc _!?";
    std::uint32_t state = 12345;
    auto next = [&] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        std::wstring text;
        std::uint32_t length = 1 + next() % 16;
        for (std::uint32_t k = 0; k < length; ++k) text += alphabet[next() % alphabet.size()];
        auto style = static_cast<RefStyle>(i % 3);
        sheet.setRefStyle(style);
        FormulaStatus status = sheet.setFormula(3, 3, text);
        if (!status.ok) {
            EXPECT_GE(status.column, 1) << narrow(text);
            EXPECT_LE(status.column, static_cast<std::int32_t>(text.size()) + 1) << narrow(text);
            continue;
        }
        ++accepted;
        std::wstring normalised = sheet.formulaText(3, 3);
        if (normalised.find(L'?') != std::wstring::npos) continue;
        ASSERT_TRUE(sheet.setFormula(3, 3, normalised).ok) << narrow(text) << " -> " << narrow(normalised);
        EXPECT_EQ(narrow(sheet.formulaText(3, 3)), narrow(normalised)) << narrow(text);
    }
    EXPECT_GT(accepted, 100);
}

}  // namespace
}  // namespace grid

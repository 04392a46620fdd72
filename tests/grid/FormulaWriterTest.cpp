// Formula text read back: normalised (upper-case names, no blanks, parentheses only where needed),
// written in the current reference style, and read again into the same formula.
#include <gtest/gtest.h>

#include <string>

#include "platform/grid/Sheet.h"

namespace grid {
namespace {

std::string narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

struct Case {
    const wchar_t* input;
    const wchar_t* normalised;
};

TEST(FormulaWriter, NormalisedTextsReparseToTheSameFormula) {
    Sheet sheet;
    sheet.setMaxRows(20);
    sheet.setMaxCols(20);
    sheet.setNumber(1, 1, 3);
    const Case cases[] = {
        {L"=sum( a1 : b2 ) + 1", L"SUM(A1:B2)+1"},
        {L"(1+2)*3", L"(1+2)*3"},
        {L"((1))+((2*3))", L"1+2*3"},
        {L"1-(2-3)", L"1-(2-3)"},
        {L"(1-2)-3", L"1-2-3"},
        {L"2^(3^2)", L"2^(3^2)"},
        {L"-(2^2)", L"-(2^2)"},
        {L"(-2)^2", L"-2^2"},
        {L"-(50%)", L"-(50%)"},
        {L"(1&2)=\"12\"", L"1&2=\"12\""},
        {L"1&(2=2)", L"1&(2=2)"},
        {L"\"say \"\"hi\"\"\"", L"\"say \"\"hi\"\"\""},
        {L"if(a1>1,true,false())", L"IF(A1>1,TRUE,FALSE)"},
        {L"IF(A1,1,)", L"IF(A1,1,)"},
        {L"1.50+.5+1e3+0.1", L"1.5+0.5+1000+0.1"},
        {L"#n/a", L"#N/A"},
        {L"unknown+1", L"UNKNOWN+1"},
        {L"A#+#1", L"A#+#1"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(sheet.setFormula(3, 3, c.input).ok) << narrow(c.input);
        std::wstring text = sheet.formulaText(3, 3);
        EXPECT_EQ(narrow(text), narrow(c.normalised)) << narrow(c.input);
        Value before = sheet.value(3, 3);
        ASSERT_TRUE(sheet.setFormula(3, 3, text).ok) << narrow(text);
        EXPECT_EQ(sheet.formulaText(3, 3), text);
        EXPECT_EQ(sheet.value(3, 3), before) << narrow(text);
    }
}

TEST(FormulaWriter, EachStyleWritesTheSameReferences) {
    Sheet sheet;
    sheet.setMaxRows(20);
    sheet.setMaxCols(20);
    // Set in A1 style at C5: relative, absolute and mixed parts.
    sheet.setRefStyle(RefStyle::A1);
    ASSERT_TRUE(sheet.setFormula(3, 5, L"B4+$A$1+C$2+$D5+SUM(A1:C5)").ok);
    const struct {
        RefStyle style;
        const wchar_t* text;
    } expected[] = {
        {RefStyle::A1, L"B4+$A$1+C$2+$D5+SUM(A1:C5)"},
        {RefStyle::R1C1, L"R[-1]C[-1]+R1C1+R2C+RC4+SUM(R[-4]C[-2]:RC)"},
        // "#" is the formula's own column or row; other relative parts show the cell they designate.
        {RefStyle::Legacy, L"B4+A1+#2+D#+SUM(A1:##)"},
    };
    for (const auto& e : expected) {
        sheet.setRefStyle(e.style);
        EXPECT_EQ(narrow(sheet.formulaText(3, 5)), narrow(e.text));
    }
    // The R1C1 text set at the same cell is the same formula again.
    sheet.setRefStyle(RefStyle::R1C1);
    std::wstring r1c1 = sheet.formulaText(3, 5);
    ASSERT_TRUE(sheet.setFormula(3, 5, r1c1).ok);
    sheet.setRefStyle(RefStyle::A1);
    EXPECT_EQ(narrow(sheet.formulaText(3, 5)), "B4+$A$1+C$2+$D5+SUM(A1:C5)");
    // A relative reference left of column A cannot be shown in A1 or legacy style: it reads as the
    // error it evaluates to, and that text parses again.
    sheet.setRefStyle(RefStyle::R1C1);
    ASSERT_TRUE(sheet.setFormula(1, 1, L"RC[-1]+1").ok);
    EXPECT_EQ(sheet.value(1, 1), Value::error(ErrorCode::Ref));
    for (RefStyle style : {RefStyle::A1, RefStyle::Legacy}) {
        sheet.setRefStyle(style);
        EXPECT_EQ(narrow(sheet.formulaText(1, 1)), "#REF!+1");
        ASSERT_TRUE(sheet.setFormula(2, 1, sheet.formulaText(1, 1)).ok);
        EXPECT_EQ(sheet.value(2, 1), Value::error(ErrorCode::Ref));
    }
}

// Coordinates beyond the grid's last row or column are not references but names, in every style,
// so the text reads back as typed instead of as a reference the writer cannot show.
TEST(FormulaWriter, CoordinatesBeyondTheGridAreNames) {
    Sheet sheet;
    sheet.setMaxRows(20);
    sheet.setMaxCols(20);
    const struct {
        RefStyle style;
        const wchar_t* text;
    } cases[] = {
        {RefStyle::A1, L"D3333333+1"},   {RefStyle::A1, L"XFE1+1"},         {RefStyle::A1, L"A9999999"},
        {RefStyle::Legacy, L"D3333333"}, {RefStyle::Legacy, L"ZZZ1"},     {RefStyle::R1C1, L"R3333333C1"},
        {RefStyle::R1C1, L"R1C16385"},
    };
    for (const auto& c : cases) {
        sheet.setRefStyle(c.style);
        ASSERT_TRUE(sheet.setFormula(2, 2, c.text).ok) << narrow(c.text);
        EXPECT_EQ(narrow(sheet.formulaText(2, 2)), narrow(c.text));
        EXPECT_EQ(sheet.value(2, 2), Value::error(ErrorCode::Name)) << narrow(c.text);
    }
    // The last row and column themselves are references (outside this sheet's limits: #REF!).
    sheet.setRefStyle(RefStyle::A1);
    ASSERT_TRUE(sheet.setFormula(2, 2, L"XFD2000000").ok);
    EXPECT_EQ(sheet.value(2, 2), Value::error(ErrorCode::Ref));
}

}  // namespace
}  // namespace grid

#include "tests/grid/FunctionsTestSupport.h"

namespace grid::test {
namespace {

constexpr auto kValue = ErrorCode::Value;
constexpr auto kNA = ErrorCode::NA;
constexpr auto kDiv0 = ErrorCode::Div0;

TEST(FunctionsText, PiecesAndTheirBounds) {
    FakeSheet sheet;
    expectCases(sheet, {
        {L"LEFT", {str(L"steel")}, text(L"s")},
        {L"LEFT", {str(L"steel"), num(3)}, text(L"ste")},
        {L"LEFT", {str(L"steel"), num(99)}, text(L"steel")},
        {L"LEFT", {str(L"steel"), num(-1)}, error(kValue)},
        {L"LEFT", {num(1.0 / 3), num(4)}, text(L"0.33")},
        {L"RIGHT", {str(L"steel"), num(2)}, text(L"el")},
        {L"RIGHT", {str(L"steel"), num(-1)}, error(kValue)},
        {L"MID", {str(L"steel"), num(2), num(3)}, text(L"tee")},
        {L"MID", {str(L"steel"), num(4), num(10)}, text(L"el")},
        {L"MID", {str(L"steel"), num(6), num(1)}, text(L"")},
        {L"MID", {str(L"steel"), num(0), num(1)}, error(kValue)},
        {L"MID", {str(L"steel"), num(1), num(-1)}, error(kValue)},
        {L"MID", {str(L"steel"), num(1e300), num(1)}, text(L"")},
        {L"LEN", {str(L"steel")}, number(5)},
        {L"LEN", {num(1.0 / 3)}, number(17)},  // "0.333333333333333"
        {L"LEN", {blank()}, number(0)},
        {L"LEN", {err(kNA)}, error(kNA)},
        {L"REPLACE", {str(L"abcdef"), num(2), num(3), str(L"XY")}, text(L"aXYef")},
        {L"REPLACE", {str(L"abc"), num(9), num(1), str(L"Z")}, text(L"abcZ")},
        {L"REPLACE", {str(L"abc"), num(0), num(1), str(L"Z")}, error(kValue)},
    });
}

TEST(FunctionsText, CaseAndBlanks) {
    FakeSheet sheet;
    expectCases(sheet, {
        {L"UPPER", {str(L"hea 200 \u00e4\u00df")}, text(L"HEA 200 \u00c4\u00df")},
        {L"LOWER", {str(L"IPE \u00d6\u0416")}, text(L"ipe \u00f6\u0436")},
        {L"PROPER", {str(L"hELLO wORLD-2b o'neil")}, text(L"Hello World-2B O'Neil")},
        {L"PROPER", {str(L"stra\u00dfe")}, text(L"Stra\u00dfe")},
        {L"TRIM", {str(L"  a   b  c ")}, text(L"a b c")},
        {L"TRIM", {str(L"     ")}, text(L"")},
        {L"TRIM", {str(L"a\tb")}, text(L"a\tb")},
        {L"EXACT", {str(L"Abc"), str(L"abc")}, logical(false)},
        {L"EXACT", {str(L"12"), num(12)}, logical(true)},
    });
}

TEST(FunctionsText, FindIsCaseSensitiveAndSearchHasWildcards) {
    FakeSheet sheet;
    expectCases(sheet, {
        {L"FIND", {str(L"B"), str(L"abcABC")}, number(5)},
        {L"FIND", {str(L"b"), str(L"abcabc"), num(3)}, number(5)},
        {L"FIND", {str(L"x"), str(L"abc")}, error(kValue)},
        {L"FIND", {str(L""), str(L"abc"), num(2)}, number(2)},
        {L"FIND", {str(L"a"), str(L"abc"), num(5)}, error(kValue)},
        {L"FIND", {str(L"*"), str(L"a*b")}, number(2)},  // no wildcards in FIND
        {L"SEARCH", {str(L"B"), str(L"abcABC")}, number(2)},
        {L"SEARCH", {str(L"b?d"), str(L"aBcD")}, number(2)},
        {L"SEARCH", {str(L"c*f"), str(L"abcdef")}, number(3)},
        {L"SEARCH", {str(L"~*"), str(L"ab*c")}, number(3)},
        {L"SEARCH", {str(L"x*"), str(L"abc")}, error(kValue)},
        {L"SEARCH", {str(L"*"), str(L"abc"), num(4)}, number(4)},
        {L"SEARCH", {str(L"\u00e4"), str(L"X\u00c4")}, number(2)},
        {L"SEARCH", {str(L"a?c*e"), str(L"xxabcabcde"), num(4)}, number(6)},
        {L"SEARCH", {str(L"b*z"), str(L"abcbz")}, number(2)},
        {L"SEARCH", {str(L"b*z"), str(L"abcb")}, error(kValue)},
        {L"SEARCH", {str(L"*c"), str(L"abc"), num(2)}, number(2)},
        {L"SEARCH", {str(L"~?"), str(L"ab?")}, number(3)},
    });
}

TEST(FunctionsText, BuildingTexts) {
    FakeSheet sheet;
    sheet.set("A1", number(2.5));
    expectCases(sheet, {
        {L"SUBSTITUTE", {str(L"a-b-c"), str(L"-"), str(L"+")}, text(L"a+b+c")},
        {L"SUBSTITUTE", {str(L"a-b-c"), str(L"-"), str(L"+"), num(2)}, text(L"a-b+c")},
        {L"SUBSTITUTE", {str(L"a-b-c"), str(L"-"), str(L"+"), num(3)}, text(L"a-b-c")},
        {L"SUBSTITUTE", {str(L"a-b-c"), str(L"-"), str(L"+"), num(0)}, error(kValue)},
        {L"SUBSTITUTE", {str(L"abc"), str(L""), str(L"x")}, text(L"abc")},
        {L"CONCATENATE", {str(L"M"), num(12), str(L"x"), ref("A1")}, text(L"M12x2.5")},
        {L"CONCATENATE", {str(L"M"), err(kDiv0)}, error(kDiv0)},
        {L"REPT", {str(L"ab"), num(3)}, text(L"ababab")},
        {L"REPT", {str(L"ab"), num(-1)}, error(kValue)},
        {L"REPT", {str(L"x"), num(1e9)}, error(kValue)},  // refused, not allocated
        {L"CHAR", {num(65)}, text(L"A")},
        {L"CHAR", {num(128)}, text(L"\u20ac")},
        {L"CHAR", {num(0)}, error(kValue)},
        {L"CHAR", {num(256)}, error(kValue)},
        {L"CODE", {str(L"Abc")}, number(65)},
        {L"CODE", {str(L"\u20ac")}, number(128)},
        {L"CODE", {str(L"\u00e9")}, number(233)},
        {L"CODE", {str(L"")}, error(kValue)},
        {L"VALUE", {str(L" 12.5 ")}, number(12.5)},
        {L"VALUE", {str(L"15%")}, number(0.15)},
        {L"VALUE", {str(L"1,5")}, error(kValue)},
        {L"VALUE", {num(3)}, number(3)},
    });
}

TEST(FunctionsText, TextFormatCodes) {
    FakeSheet sheet;
    expectCases(sheet, {
        {L"TEXT", {num(2.675), str(L"0.00")}, text(L"2.68")},
        {L"TEXT", {num(1234.5), str(L"0")}, text(L"1235")},
        {L"TEXT", {num(0.4), str(L"0")}, text(L"0")},
        {L"TEXT", {num(-0.001), str(L"0.00")}, text(L"0.00")},
        {L"TEXT", {num(1234567.891), str(L"#,##0")}, text(L"1,234,568")},
        {L"TEXT", {num(1234567.891), str(L"#,##0.00")}, text(L"1,234,567.89")},
        {L"TEXT", {num(0), str(L"#,##0")}, text(L"0")},
        {L"TEXT", {num(0.256), str(L"0%")}, text(L"26%")},
        {L"TEXT", {num(0.2567), str(L"0.0%")}, text(L"25.7%")},
        {L"TEXT", {num(12345), str(L"0.0E+00")}, text(L"1.2E+04")},
        {L"TEXT", {num(0.00012345), str(L"0.0E+00")}, text(L"1.2E-04")},
        {L"TEXT", {num(1.25), str(L"0.0E+00")}, text(L"1.3E+00")},
        {L"TEXT", {num(9.96), str(L"0.0E+00")}, text(L"1.0E+01")},
        {L"TEXT", {num(0), str(L"0.0E+00")}, text(L"0.0E+00")},
        {L"TEXT", {num(-12345), str(L"0.00E+0")}, text(L"-1.23E+4")},
        {L"TEXT", {num(5), str(L"#.##")}, text(L"5.")},
        {L"TEXT", {num(0.5), str(L"#.##")}, text(L".5")},
        {L"TEXT", {num(5), str(L"000")}, text(L"005")},
        {L"TEXT", {num(12.5), str(L"\"L=\"0.0\" mm\"")}, text(L"L=12.5 mm")},
        {L"TEXT", {num(-3), str(L"0;(0)")}, text(L"(3)")},
        {L"TEXT", {num(0), str(L"0;(0);\"zero\"")}, text(L"zero")},
        {L"TEXT", {num(1500), str(L"#,##0,")}, text(L"2")},
        {L"TEXT", {num(1.0 / 3), str(L"General")}, text(L"0.333333333333333")},
        {L"TEXT", {str(L"2.5"), str(L"0.00")}, text(L"2.50")},
        {L"TEXT", {str(L"abc"), str(L"0.00")}, text(L"abc")},
        {L"TEXT", {num(1e300), str(L"0.0E+00")}, text(L"1.0E+300")},
        {L"TEXT", {num(5), str(L"")}, text(L"")},
        {L"TEXT", {num(1e-320), str(L"0.0E+00")}, text(L"1.0E-320")},
        {L"TEXT", {num(1e308), str(L"0%")}, text(L"#NUM!")},
        {L"TEXT", {num(7), str(L"\"unclosed")}, text(L"unclosed")},
        {L"TEXT", {num(7), str(L"0E+")}, text(L"7E+")},
        {L"TEXT", {num(12.5), str(L".00")}, text(L"12.50")},
    });
}

// TEXT writes at most 15 significant digits, as every other text of a number; further places are
// zeros, not the digits of the binary fraction.
TEST(FunctionsText, TextWritesFifteenSignificantDigits) {
    FakeSheet sheet;
    expectCases(sheet, {
        {L"TEXT", {num(1.0 / 3), str(L"0.00000000000000000000")}, text(L"0.33333333333333300000")},
        {L"TEXT", {num(0.1 + 0.2), str(L"0.000000000000000000")}, text(L"0.300000000000000000")},
        {L"TEXT", {num(2.0 / 3), str(L"0.000000000000000")}, text(L"0.666666666666667")},
        {L"TEXT", {num(123456789.123456789), str(L"0.000000000")}, text(L"123456789.123457000")},
        {L"TEXT", {num(123456789012345678.0), str(L"0")}, text(L"123456789012346000")},
        {L"TEXT", {num(1e20), str(L"#,##0")}, text(L"100,000,000,000,000,000,000")},
        {L"TEXT", {num(0.000123), str(L"0.000000")}, text(L"0.000123")},
        {L"TEXT", {num(-1.0 / 3), str(L"0.0000000000000000")}, text(L"-0.3333333333333330")},
        {L"TEXT", {num(1.0 / 3), str(L"0.0000000000000000E+00")}, text(L"3.3333333333333300E-01")},
    });
}

// A pattern whose head fits everywhere but whose tail never does is answered in one pass, not by
// retrying the whole pattern at each of 32767 positions.
TEST(FunctionsText, SearchFailsFastOnLongTexts) {
    FakeSheet sheet;
    Value many = call(sheet, L"REPT", {str(L"a"), num(32767)});
    ASSERT_TRUE(many.isText());
    EXPECT_EQ(call(sheet, L"SEARCH", {str(L"a*b"), Arg::scalar(many)}), error(kValue));
    EXPECT_EQ(call(sheet, L"SEARCH", {str(L"?a*a"), Arg::scalar(many), num(9)}), number(9));
}

}  // namespace
}  // namespace grid::test

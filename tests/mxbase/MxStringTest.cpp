#include "platform/mxbase/Mx_String.h"

#include <gtest/gtest.h>

#include <climits>  // INT_MIN, LLONG_MIN ...
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unordered_set>

namespace {

TEST(MxString, ConstructorsBuildTheExpectedText) {
    EXPECT_EQ(Mx_String(), L"");
    EXPECT_EQ(Mx_String(static_cast<const wchar_t*>(nullptr)), L"");
    EXPECT_EQ(Mx_String("Stra\xC3\x9F"
                        "e"),
              L"Straße");  // UTF-8 in, code points out
    EXPECT_EQ(Mx_String(L'x'), L"x");
    EXPECT_EQ(Mx_String('x'), L"x");  // a character, not its code
    EXPECT_EQ(Mx_String(-42), L"-42");
    EXPECT_EQ(Mx_String(9000000000LL), L"9000000000");
    // Every width of whole number, at its limits: all the digits, the sign only when negative.
    EXPECT_EQ(Mx_String(0), L"0");
    EXPECT_EQ(Mx_String(INT_MIN), L"-2147483648");
    EXPECT_EQ(Mx_String(LLONG_MIN), L"-9223372036854775808");
    EXPECT_EQ(Mx_String(LONG_MAX), L"9223372036854775807");
    EXPECT_EQ(Mx_String(UINT_MAX), L"4294967295");
    EXPECT_EQ(Mx_String(ULONG_MAX), L"18446744073709551615");
    EXPECT_EQ(Mx_String(L"Straße").toUtf8(),
              "Stra\xC3\x9F"
              "e");
}

TEST(MxString, DoubleConstructorUsesFixedDecimals) {
    struct Case {
        double value;
        int decimals;
        bool trim;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {10, 6, false, L"10.000000"},
        {3.14159, 2, false, L"3.14"},
        {2.675, 2, false, L"2.68"},
        {-0.001, 2, false, L"0.00"},
        {-1.5, 0, false, L"-2"},
        {0.5, 0, false, L"1"},
        {99.996, 2, false, L"100.00"},
        {1e20, 1, false, L"100000000000000000000.0"},
        {2.5, 3, true, L"2.5"},
        {4.0, 3, true, L"4"},
        {1.0 / 3, 8, false, L"0.33333333"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Mx_String(c.value, c.decimals, c.trim), c.expected) << c.value << " with " << c.decimals;
    }
}

// Makes a process locale whose decimal separator is "," current for the scope; skips when the
// machine has none and cannot build one.
class CommaLocale {
public:
    CommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
            if (std::setlocale(LC_ALL, name) != nullptr)
                return;
        }
        std::string dir = testing::TempDir() + "mxstring_locales";
        std::filesystem::create_directories(dir);
        setenv("LOCPATH", dir.c_str(), 1);
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr)
            return;  // built by an earlier run
        std::string command = "localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
        if (std::system(command.c_str()) != -1) {
            active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
            return;
        }
        active_ = false;
    }
    ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
    bool active() const { return active_ && std::localeconv()->decimal_point[0] == ','; }

private:
    bool active_ = true;
};

TEST(MxString, NumbersIgnoreTheProcessLocale) {
    CommaLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no locale with a decimal comma available";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ(probe, "1,5");  // the process really formats with a comma now
    EXPECT_EQ(Mx_String(1.5, 2, false), L"1.50");
    EXPECT_EQ(Mx_String(L" 2.25 ").toDouble(), 2.25);
    double value = 0;
    EXPECT_FALSE(Mx_String(L"2,25").toDouble(value));
}

TEST(MxString, CaseOptionFalseIgnoresCase) {
    Mx_String text(L"Width_Plate");
    EXPECT_TRUE(text.equal(L"WIDTH_PLATE", false));
    EXPECT_FALSE(text.equal(L"WIDTH_PLATE", true));
    EXPECT_TRUE(text.equal(Mx_String(L"width_plate"), false));
    EXPECT_TRUE(Mx_String(L"ÄÖÜ straße").equal(L"äöü STRAßE", false));  // beyond ASCII
    EXPECT_TRUE(text.startsWith(L"width", false));
    EXPECT_FALSE(text.startsWith(L"width"));
    EXPECT_TRUE(text.endsWith(L"PLATE", false));
    EXPECT_FALSE(text.endsWith(L"xWidth_Plate", false));  // longer than the text
    EXPECT_TRUE(text.contains(L"H_p", false));
    EXPECT_FALSE(text.contains(L"H_p"));
    EXPECT_EQ(Mx_String(L"abc").compare(L"ABD", false), -1);
    EXPECT_EQ(Mx_String(L"abc").compare(L"ABC", false), 0);
}

TEST(MxString, FindFirstAndLastFrom) {
    Mx_String text(L"a+Width*width");
    EXPECT_EQ(text.findFirstFrom(L"width"), 8);
    EXPECT_EQ(text.findFirstFrom(L"width", 0, false), 2);
    EXPECT_EQ(text.findFirstFrom(L"width", 3, false), 8);
    EXPECT_EQ(text.findFirstFrom(L"width", 99, false), -1);
    EXPECT_EQ(text.findFirstFrom(L"width", -5, false), 2);
    EXPECT_EQ(text.findLastFrom(L"WIDTH", -1, false), 8);
    EXPECT_EQ(text.findLastFrom(L"WIDTH", 7, false), 2);
    EXPECT_EQ(text.findLastFrom(L"Width", 1), -1);
    EXPECT_EQ(text.findFirstFrom(L'*'), 7);
    EXPECT_EQ(Mx_String().findLastFrom(L"x", -1, false), -1);
}

TEST(MxString, EditingClampsToTheText) {
    Mx_String text(L"abcdef");
    EXPECT_EQ(text.getSubStringAt(2, 2), L"cd");
    EXPECT_EQ(text.getSubStringAt(4), L"ef");
    EXPECT_EQ(text.getSubStringAt(10, 3), L"");
    EXPECT_EQ(text.getSubStringAt(-3, 2), L"ab");
    EXPECT_EQ(Mx_String(text).insertAt(3, L"-"), L"abc-def");
    EXPECT_EQ(Mx_String(text).insertAt(99, L"!"), L"abcdef!");
    EXPECT_EQ(Mx_String(text).removeAt(1, 2), L"adef");
    EXPECT_EQ(Mx_String(text).removeAt(4, 100), L"abcd");
    EXPECT_EQ(Mx_String(text).removeAt(-2, 3), L"bcdef");
    EXPECT_EQ(Mx_String(text).removeAt(2, 2147483647), L"ab");  // no overflow of position + count
    EXPECT_EQ(Mx_String(text).removeAt(9, 1), L"abcdef");
    EXPECT_EQ(text.at(6), L'\0');
}

TEST(MxString, ReplaceSubStringDoesNotRescanInsertedText) {
    Mx_String text(L"aaa");
    EXPECT_EQ(text.replaceSubString(L"a", L"aa"), 3);
    EXPECT_EQ(text, L"aaaaaa");
    Mx_String mixed(L"Width*WIDTH+w");
    EXPECT_EQ(mixed.replaceSubString(L"width", L"B5", false), 2);
    EXPECT_EQ(mixed, L"B5*B5+w");
    EXPECT_EQ(mixed.replaceSubString(L"", L"x"), 0);
}

TEST(MxString, AppendAndOperators) {
    Mx_String text(L"R");
    text.append(12).append(L'/').append(Mx_String(L"x")).append(static_cast<const wchar_t*>(nullptr));
    EXPECT_EQ(text, L"R12/x");
    EXPECT_EQ(L"<" + text + L">", L"<R12/x>");
    EXPECT_LT(Mx_String(L"A"), Mx_String(L"B"));
    std::unordered_set<Mx_String> set{Mx_String(L"a"), Mx_String(L"a"), Mx_String(L"b")};
    EXPECT_EQ(set.size(), 2u);
    EXPECT_EQ(Mx_String(L"Äb").toUpper(), L"ÄB");
    EXPECT_EQ(Mx_String(L"ÄB").toLower(), L"äb");
}

TEST(MxString, IntConversion) {
    int value = 7;
    EXPECT_TRUE(Mx_String(L" 3.0 ").toInt(value));
    EXPECT_EQ(value, 3);
    EXPECT_FALSE(Mx_String(L"3.5").toInt(value));
    EXPECT_FALSE(Mx_String(L"1e10").toInt(value));
    EXPECT_EQ(Mx_String(L"abc").toInt(), 0);
    EXPECT_EQ(value, 3);
}

}  // namespace

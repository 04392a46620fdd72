// The section functions of the standards (GETSYSNAME, SECTIONSIZE, GETPROFCELL) as a sheet's
// equations call them: through the grid, against the bundled section tables (examples/library/prof).
#include <gtest/gtest.h>

#include <string>

#include "platform/mxbase/Mx_Settings.h"
#include "standards/VlSSDlgsMgr.h"
#include "tests/standards/StandardsTestSupport.h"

namespace {

using standardstest::EquationSheet;
using standardstest::ScratchDir;

class SectionFunctions : public ::testing::Test {
protected:
    void SetUp() override { gSettings.setStandardsWarnings(true); }
    void TearDown() override { gSSDlgsMgr.destroyAll(); }
    ui::ScriptedDriver driver;
    ScratchDir dir;
};

// Every language's display name, and letter case, lead to the system name; an unknown name comes
// back as it was given.
TEST_F(SectionFunctions, GetSysNameTakesAnyLanguage) {
    struct Case {
        const char* argument;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"\"HE 200 B\"", L"HEB-200"},   // English
        {"\"IPB 200\"", L"HEB-200"},    // German
        {"\"IPBl 300\"", L"HEA-300"},   // German, HEA
        {"\"HEA 300\"", L"HEA-300"},    // French
        {"\"IPE300\"", L"IPE-300"},     // Dutch: found because the Dutch column says so
        {"\"ipe 300\"", L"IPE-300"},    // letter case ignored
        {"\"IPE-300\"", L"IPE-300"},    // a system name stays itself
        {"\"UPN 200\"", L"UPN 200"},    // no such table: the argument itself
        {"\"HE 200 X\"", L"HE 200 X"},
        {"Column", L"HEB-200"},         // through a variable
    };
    EquationSheet sheet;
    sheet.input(L"Column", L"HE 200 B", kVlString);
    for (const Case& c : cases) sheet.equation(std::string("GETSYSNAME(") + c.argument + ")", kVlString);
    ASSERT_TRUE(sheet.run(dir, driver));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_FALSE(sheet.failed(static_cast<int>(i))) << cases[i].argument;
        EXPECT_EQ(sheet.text(static_cast<int>(i)), Mx_String(cases[i].expected)) << cases[i].argument;
    }
    EXPECT_TRUE(sheet.messages().empty());
}

TEST_F(SectionFunctions, GetSysNameWantsAText) {
    EquationSheet sheet;
    const int number = sheet.equation("GETSYSNAME(200)", kVlString);
    ASSERT_TRUE(sheet.run(dir, driver));
    EXPECT_TRUE(sheet.failed(number));
}

// SECTIONSIZE counts the value columns from 1 (h, b, tw, tf, r, A, G) and truncates the index.
TEST_F(SectionFunctions, SectionSizeReadsTheTableRow) {
    struct Case {
        const char* arguments;
        double expected;
    };
    const Case cases[] = {
        {"\"IPE-300\", 1", 300},     {"\"IPE-300\", 2", 150},  {"\"IPE-300\", 3", 7.1},
        {"\"IPE-300\", 4", 10.7},    {"\"IPE-300\", 7", 42.2}, {"\"HEB-200\", 4", 15},
        {"\"IPE-300\", 2.9", 150},   // truncated, not rounded
        {"\"HE 200 B\", 2", 200},    // display names work as well
        {"\"IPB 200\", 3", 9},
        {"Beam, 1", 300},            // a text variable
        {"Beam, Field", 150},        // the index from a variable
    };
    EquationSheet sheet;
    sheet.input(L"Beam", L"IPE-300", kVlString).input(L"Field", L"2");
    for (const Case& c : cases) sheet.equation(std::string("SECTIONSIZE(") + c.arguments + ")");
    ASSERT_TRUE(sheet.run(dir, driver));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_FALSE(sheet.failed(static_cast<int>(i))) << cases[i].arguments;
        EXPECT_DOUBLE_EQ(sheet.number(static_cast<int>(i)), cases[i].expected) << cases[i].arguments;
    }
}

TEST_F(SectionFunctions, SectionSizeFailsOutsideTheTable) {
    const char* failing[] = {
        "\"IPE-300\", 0",    // field -1
        "\"IPE-300\", 8",    // the row has seven values
        "\"IPE-301\", 1",    // no such size
        "\"UPN-200\", 1",    // no such table
        "\"\", 1",           // no section at all
        "300, 1",            // the section must be a text
        "\"IPE-300\", \"2\"",  // and the index a number
    };
    EquationSheet sheet;
    for (const char* arguments : failing) sheet.equation(std::string("SECTIONSIZE(") + arguments + ")");
    // A failed equation leaves the ones below it alone.
    const int after = sheet.equation("SECTIONSIZE(\"IPE-200\", 1)");
    ASSERT_TRUE(sheet.run(dir, driver));
    for (std::size_t i = 0; i < std::size(failing); ++i) {
        EXPECT_TRUE(sheet.failed(static_cast<int>(i))) << failing[i];
        EXPECT_EQ(sheet.text(static_cast<int>(i)), Mx_String()) << failing[i];
    }
    EXPECT_FALSE(sheet.failed(after));
    EXPECT_EQ(sheet.number(after), 200);
    EXPECT_EQ(sheet.messages().size(), std::size(failing));
}

// GETPROFCELL reads the data file's first column as section names, so a row written "HE 200 B" (or
// in any other language) is found by the system name "HEB-200"; GETCELL compares the text as it is.
TEST_F(SectionFunctions, GetProfCellMatchesSystemNames) {
    dir.write("gauges.dat",
              "// section\tgauge\n"
              "HE 200 B\t110\n"
              "IPB 220\t120\n"          // German
              "HEA260\t140\n"           // Dutch
              "IPE-300\t90\n"           // already a system name
              "Default\t55\n"           // not a section: compared as it stands
              "IPE 400\n");             // a key without a value
    const std::string file = "\"" + Mx_String(dir.file("gauges.dat")).toUtf8() + "\"";
    struct Case {
        const char* function;
        const char* key;
        const wchar_t* expected;  // nullptr: the equation fails
    };
    const Case cases[] = {
        {"GETPROFCELL", "\"HEB-200\"", L"110"},
        {"GETPROFCELL", "\"heb-200\"", L"110"},      // keys ignore letter case
        {"GETPROFCELL", "\"HEB-220\"", L"120"},
        {"GETPROFCELL", "\"HEA-260\"", L"140"},
        {"GETPROFCELL", "\"IPE-300\"", L"90"},
        {"GETPROFCELL", "\"Default\"", L"55"},
        {"GETPROFCELL", "Column", L"110"},           // a text variable holding the system name
        {"GETPROFCELL", "\"HE 200 B\"", nullptr},    // the key itself is not translated
        {"GETPROFCELL", "\"HEB-240\"", nullptr},     // no row
        {"GETPROFCELL", "\"IPE-400\"", nullptr},     // a row without a second column
        {"GETCELL", "\"HE 200 B\"", L"110"},
        {"GETCELL", "\"HEB-200\"", nullptr},
    };
    EquationSheet sheet;
    sheet.input(L"Column", L"HEB-200", kVlString);
    for (const Case& c : cases) sheet.equation(std::string(c.function) + "(" + file + ", " + c.key + ")", kVlString);
    ASSERT_TRUE(sheet.run(dir, driver));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const int k = static_cast<int>(i);
        SCOPED_TRACE(std::string(cases[i].function) + " " + cases[i].key);
        if (cases[i].expected) {
            EXPECT_FALSE(sheet.failed(k));
            EXPECT_EQ(sheet.text(k), Mx_String(cases[i].expected));
        } else {
            EXPECT_TRUE(sheet.failed(k));
            EXPECT_EQ(sheet.text(k), Mx_String());
        }
    }
}

// The bundled end-plate standard's own lookup: its column gauge from Data/FlangeGauges.dat.
TEST_F(SectionFunctions, BundledFlangeGauges) {
    EquationSheet sheet;
    sheet.input(L"Column", L"HEB-200", kVlString);
    const int gauge = sheet.equation("GETPROFCELL(\"FlangeGauges.dat\", Column)");
    const int hea = sheet.equation("GETPROFCELL(\"FlangeGauges.dat\", GETSYSNAME(\"HE 300 A\"))");
    const int missing = sheet.equation("GETPROFCELL(\"NoGauges.dat\", Column)");
    ASSERT_TRUE(sheet.run(dir, driver));
    EXPECT_EQ(sheet.number(gauge), 110);
    EXPECT_EQ(sheet.number(hea), 160);
    EXPECT_TRUE(sheet.failed(missing));
}

}  // namespace

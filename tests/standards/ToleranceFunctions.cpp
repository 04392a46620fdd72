// The tolerance functions (STDTHICKNESSWITHTOLERANCE, STDWIDTHWITHTOLERANCE, STDSIZEWITHTOLERANCE)
// as a sheet's equations call them: the sizes file found and read, the standard values each function
// picks from it, the step fallback, and the warning for tolerances that add up to nothing.
#include <gtest/gtest.h>

#include <string>

#include "platform/mxbase/Mx_Settings.h"
#include "standards/VlRunReport.h"
#include "standards/VlSSDlgsMgr.h"
#include "tests/standards/StandardsTestSupport.h"

namespace {

using standardstest::EquationSheet;
using standardstest::ScratchDir;

class ToleranceFunctions : public ::testing::Test {
protected:
    void SetUp() override { gSettings.setStandardsWarnings(true); }
    void TearDown() override {
        gSSDlgsMgr.destroyAll();
        gSettings.setStandardsWarnings(true);
    }
    std::string quoted(const std::string& name) const { return "\"" + Mx_String(dir.file(name)).toUtf8() + "\""; }
    ui::ScriptedDriver driver;
    ScratchDir dir;
};

struct Case {
    std::string call;
    double expected;
};

void expectResults(const EquationSheet& sheet, const std::vector<Case>& cases) {
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const int k = static_cast<int>(i);
        EXPECT_FALSE(sheet.failed(k)) << cases[i].call;
        EXPECT_DOUBLE_EQ(sheet.number(k), cases[i].expected) << cases[i].call << " gave " << sheet.text(k).toUtf8();
    }
}

// The bundled stock lists (Data/FlatBars.siz: flats 60..300 wide, 8..30 thick, not every width in
// every thickness; Data/PlateThicknesses.siz: thicknesses only), found by their bare names.
TEST_F(ToleranceFunctions, BundledStockLists) {
    const std::vector<Case> cases = {
        // Thicknesses are the B values: 8, 10, 12, 15, 20, 25, 30.
        {"STDTHICKNESSWITHTOLERANCE(\"FlatBars.siz\", 1, 10.7, 0, 5)", 12},   // next one up
        {"STDTHICKNESSWITHTOLERANCE(\"FlatBars.siz\", 1, 15, 0, 5)", 15},     // exact
        {"STDTHICKNESSWITHTOLERANCE(\"FlatBars.siz\", 1, 11, 1, 1)", 10},     // tie 10/12: the one below
        {"STDTHICKNESSWITHTOLERANCE(\"FlatBars.siz\", 1, 11.2, 1, 1)", 12},   // 12 is nearer
        {"STDTHICKNESSWITHTOLERANCE(\"FlatBars.siz\", 1, 33, 0, 5)", 33},     // above the list: a 1 mm step
        {"STDTHICKNESSWITHTOLERANCE(\"FlatBars.siz\", 2, 33.5, 0, 5)", 34},   // ... of the given step
        // Widths come from the lines of the given thickness only: 60 and 70 exist in 15 mm, not in 20.
        {"STDWIDTHWITHTOLERANCE(\"FlatBars.siz\", 10, 15, 170, 0, 40)", 180},
        {"STDWIDTHWITHTOLERANCE(\"FlatBars.siz\", 10, 15, 55, 0, 10)", 60},
        {"STDWIDTHWITHTOLERANCE(\"FlatBars.siz\", 10, 20, 55, 0, 10)", 60},   // no 60x20: step multiple
        {"STDWIDTHWITHTOLERANCE(\"FlatBars.siz\", 5, 20, 57, 0, 10)", 60},
        {"STDWIDTHWITHTOLERANCE(\"FlatBars.siz\", 10, 20, 72, 0, 40)", 80},   // 80x20 is the first
        {"STDWIDTHWITHTOLERANCE(\"FlatBars.siz\", 10, 13, 170, 0, 40)", 170}, // no 13 mm flats at all
        // Sizes are the A values of every line.
        {"STDSIZEWITHTOLERANCE(\"PlateThicknesses.siz\", 5, 24, 0, 10)", 25},
        {"STDSIZEWITHTOLERANCE(\"PlateThicknesses.siz\", 5, 24, 10, 0)", 20},
        {"STDSIZEWITHTOLERANCE(\"PlateThicknesses.siz\", 5, 73, 0, 10)", 75},  // above the list
        {"STDSIZEWITHTOLERANCE(\"PlateThicknesses.siz\", 10, 73, 0, 1)", 73},  // nothing fits: the value
        {"STDSIZEWITHTOLERANCE(\"PlateThicknesses.siz\", 5, 4, 0, 3)", 5},     // below the list
    };
    EquationSheet sheet;
    for (const Case& c : cases) sheet.equation(c.call);
    ASSERT_TRUE(sheet.run(dir, driver));
    expectResults(sheet, cases);
    EXPECT_TRUE(sheet.messages().empty());
}

// A sizes file of our own: comments of both kinds, "A x B" with blanks, width-only lines that every
// thickness takes, and widths out of order.
TEST_F(ToleranceFunctions, SizesFileLayout) {
    dir.write("stock.siz",
              "/* stock held\n   at the yard */\n"
              "200 x 10 // preferred\n"
              "150x10\n"
              "\n"
              "// width only: any thickness\n"
              "175\n"
              "180x12 /* rare */\n"
              "/* 160x10 withdrawn */\n");
    const std::string file = quoted("stock.siz");
    const std::vector<Case> cases = {
        {"STDWIDTHWITHTOLERANCE(" + file + ", 1, 10, 160, 0, 50)", 175},   // 175 (no B) before 200
        {"STDWIDTHWITHTOLERANCE(" + file + ", 1, 10, 160, 20, 0)", 150},
        {"STDWIDTHWITHTOLERANCE(" + file + ", 1, 12, 178, 0, 5)", 180},
        {"STDWIDTHWITHTOLERANCE(" + file + ", 1, 12, 160, 0, 5)", 160},    // 160x10 is commented out
        {"STDWIDTHWITHTOLERANCE(" + file + ", 1, 8, 190, 20, 20)", 175},   // only the width-only line
        {"STDTHICKNESSWITHTOLERANCE(" + file + ", 1, 11, 1, 1)", 10},      // B values 10, 10, 0, 12
        {"STDTHICKNESSWITHTOLERANCE(" + file + ", 1, 1, 1, 1)", 0},        // the width-only line's 0
        {"STDSIZEWITHTOLERANCE(" + file + ", 1, 176, 5, 5)", 175},         // A values 200, 150, 175, 180
    };
    EquationSheet sheet;
    for (const Case& c : cases) sheet.equation(c.call);
    ASSERT_TRUE(sheet.run(dir, driver));
    expectResults(sheet, cases);
}

// A line that does not read as a size (a title, a half-written "180 x") is left out instead of
// becoming a standard size of 0, and the run's report says so once per file.
TEST_F(ToleranceFunctions, LinesThatAreNoSizeAreSkippedAndSaidOncePerFile) {
    dir.write("titled.siz", "Flats in stock (width x thickness)\n10x8\n180 x\n12x8\n");
    dir.write("plain.siz", "Plate thicknesses\n10\n12\n");
    dir.write("clean.siz", "10\n12\n");
    const std::vector<Case> cases = {
        // Nothing within 3 +- 5 but 0: the 1 mm step gives 3.
        {"STDSIZEWITHTOLERANCE(" + quoted("titled.siz") + ", 1, 3, 5, 5)", 3},
        {"STDTHICKNESSWITHTOLERANCE(" + quoted("titled.siz") + ", 1, 3, 5, 4)", 3},
        {"STDWIDTHWITHTOLERANCE(" + quoted("titled.siz") + ", 1, 8, 3, 5, 8)", 10},
        {"STDSIZEWITHTOLERANCE(" + quoted("plain.siz") + ", 1, 3, 5, 5)", 3},
        {"STDSIZEWITHTOLERANCE(" + quoted("clean.siz") + ", 1, 3, 5, 5)", 3},
    };
    EquationSheet sheet;
    for (const Case& c : cases) sheet.equation(c.call);
    VlRunReport report;
    {
        VlRunReportScope collecting(report);
        ASSERT_TRUE(sheet.run(dir, driver));
    }
    expectResults(sheet, cases);
    EXPECT_TRUE(sheet.messages().empty());
    std::vector<std::string> texts;
    for (const VlRunFinding& finding : report.findings()) {
        if (finding.kind != "sizes-file") continue;
        EXPECT_EQ(finding.severity, VlRunFinding::Severity::warning);
        EXPECT_NE(finding.sheet.find("equations.vls"), std::string::npos) << finding.sheet;
        texts.push_back(finding.text);
    }
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find("titled.siz: 2 lines are not a size"), std::string::npos) << texts[0];
    EXPECT_NE(texts[0].find("the first: \"Flats in stock (width x thickness)\""), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find("plain.siz: 1 line is not a size"), std::string::npos) << texts[1];
}

// Down + up at or below 0 is warned about (the text as the product has always shown it, with its
// missing blank before "UpTolerance") and the search goes on.
TEST_F(ToleranceFunctions, InvalidTolerancesAreWarnedAbout) {
    struct WarningCase {
        std::string call;
        double expected;
        const wchar_t* down;
        const wchar_t* up;
    };
    const WarningCase cases[] = {
        {"STDSIZEWITHTOLERANCE(\"PlateThicknesses.siz\", 5, 25, 0, 0)", 25, L"0.00", L"0.00"},
        {"STDSIZEWITHTOLERANCE(\"PlateThicknesses.siz\", 5, 24, 0, 0)", 24, L"0.00", L"0.00"},
        {"STDTHICKNESSWITHTOLERANCE(\"FlatBars.siz\", 1, 11, -2, 1.5)", 12, L"-2.00", L"1.50"},
        {"STDWIDTHWITHTOLERANCE(\"FlatBars.siz\", 10, 15, 160, 3.333, -4)", 160, L"3.33", L"-4.00"},
        // Nothing fits a negative window: the value, moved into it as far as it goes.
        {"STDWIDTHWITHTOLERANCE(\"FlatBars.siz\", 10, 15, 170, 3.5, -4)", 166.5, L"3.50", L"-4.00"},
    };
    EquationSheet sheet;
    for (const WarningCase& c : cases) sheet.equation(c.call);
    ASSERT_TRUE(sheet.run(dir, driver));
    ASSERT_EQ(sheet.messages().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const WarningCase& c = cases[i];
        EXPECT_FALSE(sheet.failed(static_cast<int>(i))) << c.call;
        EXPECT_DOUBLE_EQ(sheet.number(static_cast<int>(i)), c.expected) << c.call;
        const std::wstring expected = std::wstring(L"Invalid tolerances provided.\n DownTolerance is :") + c.down +
                                      L"UpTolerance is :" + c.up +
                                      L"\nAdding both tolerances should result in a positive value.";
        EXPECT_EQ(sheet.messages()[i].text, expected) << c.call;
        EXPECT_EQ(sheet.messages()[i].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    }

    // Warnings off: the same results, nothing shown.
    gSettings.setStandardsWarnings(false);
    ASSERT_TRUE(sheet.run(dir, driver));
    EXPECT_TRUE(sheet.messages().empty());
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_DOUBLE_EQ(sheet.number(static_cast<int>(i)), cases[i].expected) << cases[i].call;
}

TEST_F(ToleranceFunctions, BadArgumentsAndMissingFilesFail) {
    const char* failing[] = {
        "STDSIZEWITHTOLERANCE(\"NoSuchStock.siz\", 5, 24, 0, 10)",
        "STDSIZEWITHTOLERANCE(\"PlateThicknesses.siz\", 5, \"24\", 0, 10)",  // the value must be a number
        "STDSIZEWITHTOLERANCE(\"PlateThicknesses.siz\", \"5\", 24, 0, 10)",
        "STDSIZEWITHTOLERANCE(PlateThicknesses.siz, 5, 24, 0, 10)",          // an unquoted name is no text
        "STDWIDTHWITHTOLERANCE(\"FlatBars.siz\", 10, \"15\", 170, 0, 40)",
        "STDTHICKNESSWITHTOLERANCE(\"FlatBars.siz\", 1, 10.7, 0)",           // too few arguments
        "STDTHICKNESSWITHTOLERANCE(\"Data\", 1, 10.7, 0, 5)",                // a folder is no file
    };
    EquationSheet sheet;
    for (const char* call : failing) sheet.equation(call);
    ASSERT_TRUE(sheet.run(dir, driver));
    for (std::size_t i = 0; i < std::size(failing); ++i) {
        EXPECT_TRUE(sheet.failed(static_cast<int>(i))) << failing[i];
        EXPECT_EQ(sheet.text(static_cast<int>(i)), Mx_String()) << failing[i];
    }
    EXPECT_EQ(sheet.messages().size(), std::size(failing));
}

// A missing file with invalid tolerances: the warning comes first, then the failed equation.
TEST_F(ToleranceFunctions, WarningBeforeTheMissingFile) {
    EquationSheet sheet;
    const int k = sheet.equation("STDSIZEWITHTOLERANCE(\"NoSuchStock.siz\", 5, 24, 0, 0)");
    ASSERT_TRUE(sheet.run(dir, driver));
    ASSERT_EQ(sheet.messages().size(), 2u);
    EXPECT_EQ(sheet.messages()[0].text.rfind(L"Invalid tolerances provided.", 0), 0u);
    EXPECT_TRUE(sheet.failed(k));
}

}  // namespace

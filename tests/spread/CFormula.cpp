// The formulas dialog: FROMTABLE lookups from a grid being calculated, reading a whole sheet, and the
// dialog as the user works with it (reference styles, calculation, files).
#include "spread/CFormula.h"

#include <gtest/gtest.h>

#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "module/ModuleResources.h"
#include "platform/arx/CommandLine.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "spread/CalculatingGrid.h"
#include "spread/FormulaEntryPoints.h"
#include "tests/spread/SpreadTestHost.h"

namespace {

using spreadtest::Host;

class Scratch {
public:
    Scratch() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("cs_formula_" + std::string(test->name()) + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~Scratch() { std::filesystem::remove_all(path_); }
    std::string path(const std::string& name) const { return (path_ / name).string(); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name, std::ios::binary) << text;
        return path(name);
    }

private:
    std::filesystem::path path_;
};

// Bolt sizes by name: an integer column, a number column and a text column, with headers.
const char* kBoltTable =
    "connsheet-grid 1\n"
    "sheet cols=4 rows=3 ref-style=0\n"
    "cell A* data=\"Size\"\n"
    "cell B* data=\"Hole\"\n"
    "cell C* data=\"Area\"\n"
    "cell D* data=\"Grade\"\n"
    "cell A1 data=\"M12\"\n"
    "cell B1 type=10 data=\"13\"\n"
    "cell C1 type=14 type-decimals=2 number=84.3\n"
    "cell D1 data=\"8.8\"\n"
    "cell A2 data=\"M16\"\n"
    "cell B2 type=10 data=\"18\"\n"
    "cell C2 type=14 type-decimals=2 number=157\n"
    "cell D2 data=\"10.9\"\n"
    "cell A3 data=\"20\"\n"
    "cell B3 type=10 data=\"22\"\n"
    "cell C3 formula=\"C2*2\"\n"
    "cell D3 data=\"HV\"\n";

struct FromTableTest : ::testing::Test {
    FromTableTest() {
        host.fill(6, 6);
        CFormula::registerFromTable(host.grid);
        host::clearEvents();
    }
    // Sets a formula in (col, row) of the host grid and gives its value text.
    Mx_String eval(int col, int row, const std::string& formula) {
        EXPECT_TRUE(host.grid.SetFormula(col, row, Mx_String(formula).c_str()));
        return text(col, row);
    }
    Mx_String text(int col, int row) {
        Mx_String value;
        host.grid.getCellText(col, row, value, Mx_Spread::kValue);
        return value;
    }
    std::string quoted(const std::string& path) { return "\"" + path + "\""; }

    Scratch dir;
    Host host;
};

}  // namespace

TEST_F(FromTableTest, FourArgumentsMatchHeadersAndKeysIgnoringCase) {
    const std::string table = quoted(dir.write("bolts.vls", kBoltTable));
    EXPECT_EQ(eval(1, 1, "FROMTABLE(" + table + ", \"size\", \"HOLE\", \"m16\")"), L"18");
    EXPECT_NE(host::printedText().find(L"Result is long: 18\n"), std::wstring::npos);
    EXPECT_EQ(eval(1, 2, "FROMTABLE(" + table + ", \"Size\", \"Area\", \"M12\") * 2"), L"168.6");
    EXPECT_EQ(eval(1, 3, "FROMTABLE(" + table + ", \"Size\", \"Grade\", \"m12\") & \"!\""), L"8.8!");
    // A number key is looked up as the text it reads as; a cell key by the text of the caller's cell.
    EXPECT_EQ(eval(1, 4, "FROMTABLE(" + table + ", \"Size\", \"Grade\", 20)"), L"HV");
    host.grid.SetData(6, 6, L"M16");
    EXPECT_EQ(eval(1, 5, "FROMTABLE(" + table + ", \"Size\", \"Grade\", F6)"), L"10.9");
    // The target is recalculated in the table: C3 = C2 * 2.
    EXPECT_EQ(eval(2, 1, "FROMTABLE(" + table + ", \"Size\", \"Area\", \"20\")"), L"314");
}

TEST_F(FromTableTest, FailuresGiveNoValue) {
    const std::string table = quoted(dir.write("bolts.vls", kBoltTable));
    const std::string missing = quoted(dir.path("absent.vls"));
    // Each failure reads as an empty cell, whose "&" gives the bare suffix.
    const std::string cases[] = {
        "FROMTABLE(" + table + ", 2)",                                // a number, not a cell reference
        "FROMTABLE(" + missing + ", B2)",                             // no such file
        "FROMTABLE(12, B2)",                                          // the file is no text
        "FROMTABLE(" + table + ", F6)",                               // beyond the table
        "FROMTABLE(" + table + ", \"Size\", \"Pitch\", \"M12\")",     // no such result column
        "FROMTABLE(" + table + ", \"Diameter\", \"Hole\", \"M12\")",  // no such key column
        "FROMTABLE(" + table + ", \"Size\", \"Hole\", \"M99\")",      // no such row
        "FROMTABLE(" + table + ", \"Size\", \"Hole\", A1:B2)",        // a range is no key
    };
    for (const std::string& formula : cases) {
        host::clearEvents();
        EXPECT_EQ(eval(3, 3, formula + " & \"|\""), L"|") << formula;
        EXPECT_EQ(host::printedText().find(L"Result is"), std::wstring::npos) << formula;
    }
    EXPECT_EQ(CalculatingGrid::current(), nullptr);
}

TEST_F(FromTableTest, TwoArgumentsReadTheReferencedTableCell) {
    const std::string table = quoted(dir.write("bolts.vls", kBoltTable));
    EXPECT_EQ(eval(1, 1, "FROMTABLE(" + table + ", B2) + 1"), L"19");
    EXPECT_EQ(eval(1, 2, "FROMTABLE(" + table + ", D1)"), L"8.8");
}

// Three arguments: the text lands in the cell the third argument names, in the grid being calculated,
// and the function itself gives nothing.
TEST_F(FromTableTest, ThreeArgumentsWriteIntoTheCallersCell) {
    const std::string table = quoted(dir.write("bolts.vls", kBoltTable));
    EXPECT_EQ(eval(1, 1, "FROMTABLE(" + table + ", D2, E5) & \"|\""), L"|");
    EXPECT_EQ(text(5, 5), L"10.9");

    // While another grid is being calculated, that grid is the caller.
    Host other;
    other.fill(6, 6);
    {
        CalculatingGrid::Scope calculating(&other.grid);
        host.grid.SetFormula(1, 2, Mx_String("FROMTABLE(" + table + ", A2, B6)").c_str());
        EXPECT_EQ(CalculatingGrid::current(), &other.grid);
    }
    Mx_String written;
    other.grid.getCellText(2, 6, written, Mx_Spread::kValue);
    EXPECT_EQ(written, L"M16");
    EXPECT_EQ(text(2, 6), L"");
    EXPECT_EQ(CalculatingGrid::current(), nullptr);
}

// A table whose looked-up cell is itself a FROMTABLE of a missing file: the inner lookup fails inside
// the outer one, and every grid is given back its place as the current one.
TEST_F(FromTableTest, NestedFailureRestoresTheCallingGrid) {
    const std::string missing = quoted(dir.path("absent.vls"));
    const std::string inner = dir.write(
        "inner.vls", std::string("connsheet-grid 1\nsheet cols=2 rows=2\n") + "cell A1 data=\"7\"\n");
    std::string outerText = "connsheet-grid 1\nsheet cols=3 rows=3\n";
    outerText += "cell A1 formula=\"FROMTABLE(\\\"" + dir.path("absent.vls") + "\\\", A1)\"\n";
    outerText += "cell B1 formula=\"FROMTABLE(\\\"" + inner + "\\\", A1, C3)\"\n";
    const std::string outer = quoted(dir.write("outer.vls", outerText));

    CalculatingGrid::Scope calculating(&host.grid);
    EXPECT_EQ(eval(1, 1, "FROMTABLE(" + outer + ", A1) & \"|\""), L"|");
    EXPECT_EQ(CalculatingGrid::current(), &host.grid);
    // After the failed nested lookup a three-argument call still writes into the calling grid.
    EXPECT_EQ(eval(1, 2, "FROMTABLE(" + quoted(inner) + ", A1, D4) & \"|\""), L"|");
    EXPECT_EQ(text(4, 4), L"7");
    EXPECT_EQ(CalculatingGrid::current(), &host.grid);
}

// A table that looks itself up is a circular reference: it gives no value instead of nesting until the
// stack runs out.
TEST_F(FromTableTest, ATableThatLooksItselfUpGivesNoValue) {
    const std::string self = dir.path("self.vls");
    dir.write("self.vls", "connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 formula=\"FROMTABLE(\\\"" + self +
                              "\\\", A1) & \\\"x\\\"\"\ncell B1 data=\"plain\"\n");
    EXPECT_EQ(eval(1, 1, "FROMTABLE(" + quoted(self) + ", A1)"), L"x") << "the inner lookup is circular";
    EXPECT_EQ(eval(1, 2, "FROMTABLE(" + quoted(self) + ", B1)"), L"plain") << "and lookups go on working";
    EXPECT_EQ(CalculatingGrid::current(), nullptr);
}

// Tables that look each other up in a long chain stop at the nesting limit.
TEST_F(FromTableTest, LookupsNestOnlySoDeep) {
    const int tables = CFormula::kMaxNesting + 2;
    for (int i = 0; i < tables; ++i) {
        const std::string cell = i + 1 < tables ? "formula=\"FROMTABLE(\\\"" +
                                                      dir.path("t" + std::to_string(i + 1) + ".vls") +
                                                      "\\\", A1) & \\\"y\\\"\""
                                                : "data=\"end\"";
        dir.write("t" + std::to_string(i) + ".vls",
                  "connsheet-grid 1\nsheet cols=1 rows=1\ncell A1 " + cell + "\n");
    }
    EXPECT_EQ(eval(1, 1, "FROMTABLE(" + quoted(dir.path("t0.vls")) + ", A1)"),
              Mx_String(std::string(CFormula::kMaxNesting, 'y')));
}

TEST(CalculatingGridScope, RestoresThePreviousGridOnEveryWayOut) {
    Mx_Spread outer, inner;
    EXPECT_EQ(CalculatingGrid::current(), nullptr);
    {
        CalculatingGrid::Scope a(&outer);
        try {
            CalculatingGrid::Scope b(&inner);
            EXPECT_EQ(CalculatingGrid::current(), &inner);
            throw std::runtime_error("evaluation failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(CalculatingGrid::current(), &outer);
    }
    EXPECT_EQ(CalculatingGrid::current(), nullptr);
}

// ---- ReadSSFile ---------------------------------------------------------------------------------------

TEST(ReadSSFile, ReadsTitleHeadersAndEveryRow) {
    Scratch dir;
    const std::string path = dir.write("plates.vls",
                                       "connsheet-grid 1\nsheet cols=2 rows=3\n"
                                       "cell A* data=\"Plate\"\ncell B* data=\"Thickness\"\n"
                                       "cell A1 data=\"End plates\"\ncell B1 formula=\"B2+B3\"\n"
                                       "cell A2 data=\"P1\"\ncell B2 data=\"10\"\n"
                                       "cell A3 data=\"P2\"\ncell B3 data=\"12\"\n");
    Mx_String title = L"old";
    Mx_StringArray names{L"stale"};
    Mx_Array<Mx_StringArray> rows;
    rows.append(new Mx_StringArray{L"stale"});
    const HINSTANCE before = AfxGetResourceHandle();
    ReadSSFile(Mx_String(path), title, names, rows);
    EXPECT_EQ(AfxGetResourceHandle(), before);
    EXPECT_EQ(title, L"End plates");
    EXPECT_EQ(names, (Mx_StringArray{L"Plate", L"Thickness"}));
    ASSERT_EQ(rows.length(), 3);
    EXPECT_EQ(rows[0], (Mx_StringArray{L"End plates", L"22"}));
    EXPECT_EQ(rows[1], (Mx_StringArray{L"P1", L"10"}));
    EXPECT_EQ(rows[2], (Mx_StringArray{L"P2", L"12"}));
}

TEST(ReadSSFile, AMissingFileReadsTheDialogsOwnEmptySheet) {
    Scratch dir;
    Mx_String title;
    Mx_StringArray names;
    Mx_Array<Mx_StringArray> rows;
    EXPECT_FALSE(readSheet(Mx_String(dir.path("absent.vls")), title, names, rows));
    EXPECT_EQ(title, L"");
    EXPECT_EQ(names.length(), 8);
    ASSERT_EQ(rows.length(), 10);
    EXPECT_EQ(rows[9].length(), 8);
}

// ---- The dialog ---------------------------------------------------------------------------------------

namespace {
struct FormulaDialogTest : ::testing::Test {
    VlTempResourceOverride::Scope resources{ModuleResources::resourceOverride()};
    Scratch dir;
};

// A sheet with formulas in column 4, as the reference-style buttons expect them.
const char* kFormulaSheet =
    "connsheet-grid 1\nsheet cols=8 rows=10\n"
    "cell A1 data=\"-\"\ncell B1 data=\"2\"\ncell C1 data=\"3\"\n"
    "cell D1 formula=\"B1*C1\"\ncell D2 formula=\"SUM(B1:C1)\"\ncell D3 formula=\"D1+D2\"\n"
    "cell D4 data=\"no formula\"\ncell D5 data=\"plain\"\n";
}  // namespace

TEST_F(FormulaDialogTest, ReferenceStylesShowColumnFoursFormulas) {
    const std::string path = dir.write("sheet.vls", kFormulaSheet);
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(CFormula::IDC_FILE), Mx_String(path).str());
        EXPECT_EQ(dlg.checked(CFormula::IDC_DEFAULT), BST_CHECKED);
        EXPECT_EQ(dlg.checked(CFormula::IDC_AUTOCALC), BST_UNCHECKED);
        EXPECT_TRUE(dlg.enabled(CFormula::IDC_RECALC));
        auto& grid = *static_cast<Mx_Spread*>(dlg.wnd(CFormula::IDC_GRID));
        Mx_String text;
        grid.getCellText(4, 1, text);
        EXPECT_EQ(text, L"6") << "the cell to recalculate was calculated on opening";
        dlg.click(CFormula::IDC_R1C1);
        grid.getCellText(1, 1, text, Mx_Spread::kData);
        EXPECT_EQ(text, L"RC[-2]*RC[-1]");
        grid.getCellText(1, 3, text, Mx_Spread::kData);
        EXPECT_EQ(text, L"R[-2]C+R[-1]C");
        grid.getCellText(1, 4, text, Mx_Spread::kData);
        EXPECT_EQ(text, L"") << "rows 1 to 4 always take column 4's formula, even none";
        grid.getCellText(1, 5, text, Mx_Spread::kData);
        EXPECT_EQ(text, L"") << "row 5 only when it has one";
        dlg.click(CFormula::IDC_A1);
        grid.getCellText(1, 2, text, Mx_Spread::kData);
        EXPECT_EQ(text, L"SUM(B1:C1)");
        dlg.click(IDOK);
    });
    EXPECT_EQ(evaluateSheet(Mx_String(path), 4, 1), IDOK);
    ui::expectDriverDone(driver);
}

TEST_F(FormulaDialogTest, EvaluateSSOpensItsOwnSheet) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(CFormula::IDC_FILE), L"c:\\a\\t3.sss");
        dlg.click(IDOK);
    });
    host::clearEvents();
    EvaluateSS();
    ui::expectDriverDone(driver);
    EXPECT_EQ(host::printedText(), L"Loading spreadsheet:c:\\a\\t3.sss\n");
    EXPECT_EQ(CalculatingGrid::current(), nullptr);
}

TEST_F(FormulaDialogTest, AutomaticCalculationAndFiles) {
    const std::string path = dir.write("sheet.vls", kFormulaSheet);
    const std::string copy = dir.path("copy.vls");
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        auto& grid = *static_cast<Mx_Spread*>(dlg.wnd(CFormula::IDC_GRID));
        Mx_String text;
        grid.SetData(2, 1, L"5");
        grid.getCellText(4, 1, text);
        EXPECT_EQ(text, L"6") << "automatic calculation is off";
        dlg.click(CFormula::IDC_RECALC);
        grid.getCellText(4, 1, text);
        EXPECT_EQ(text, L"15");
        dlg.click(CFormula::IDC_AUTOCALC);
        EXPECT_FALSE(dlg.enabled(CFormula::IDC_RECALC));
        grid.SetData(3, 1, L"4");
        grid.getCellText(4, 1, text);
        EXPECT_EQ(text, L"20");
        dlg.click(CFormula::IDC_AUTOCALC);
        EXPECT_TRUE(dlg.enabled(CFormula::IDC_RECALC));

        dlg.type(CFormula::IDC_FILE, Mx_String(copy).str());
        dlg.click(CFormula::IDC_SAVE);
        EXPECT_TRUE(std::filesystem::exists(copy));
        dlg.type(CFormula::IDC_FILE, Mx_String(dir.path("nowhere/absent.vls")).str());
        dlg.click(CFormula::IDC_SAVE);
        dlg.click(CFormula::IDC_LOAD);
        grid.getCellText(4, 1, text);
        EXPECT_EQ(text, L"20") << "a failed load keeps the sheet";
        dlg.click(IDCANCEL);
    });
    host::clearEvents();
    EXPECT_EQ(evaluateSheet(Mx_String(path), 1, 1), IDCANCEL);
    ui::expectDriverDone(driver);
    const std::wstring printed = host::printedText();
    EXPECT_NE(printed.find(L"Loading spreadsheet:" + Mx_String(path).str() + L"\n"), std::wstring::npos);
    EXPECT_NE(printed.find(L"Save failed\n"), std::wstring::npos);
    EXPECT_NE(printed.find(L"Load failed\n"), std::wstring::npos);

    // The saved copy is the sheet as it was then.
    Mx_String title;
    Mx_StringArray names;
    Mx_Array<Mx_StringArray> rows;
    ASSERT_TRUE(readSheet(Mx_String(copy), title, names, rows));
    EXPECT_EQ(rows[0][3], L"20");
}

TEST_F(FormulaDialogTest, Picture) {
    // Relative to the working folder, so the picture shows the same name on every run.
    std::ofstream("formulas_picture.vls", std::ios::binary) << kFormulaSheet;
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "formulas_dialog");
        dlg.click(IDCANCEL);
    });
    CFormula dialog(CFormula::kRecalcCell);
    dialog.setFileName(L"formulas_picture.vls");
    dialog.setCell(4, 3);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ui::expectDriverDone(driver);
    std::filesystem::remove("formulas_picture.vls");
}

#include "platform/grid/GridFile.h"

#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "platform/grid/Sheet.h"

namespace grid {
namespace {

namespace fs = std::filesystem;

class GridFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("connsheet-gridfile-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::wstring path(const std::string& name) const { return (dir_ / name).wstring(); }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

// A sheet that uses everything a file has to keep.
void fillEverything(Sheet& s) {
    ASSERT_TRUE(s.setMaxCols(6));
    ASSERT_TRUE(s.setMaxRows(12));
    s.setRefStyle(RefStyle::A1);
    s.setTag(kHeader, kHeader, L"settings=demo;units=mm");  // the corner cell's tag
    s.setData(1, kHeader, L"Length");
    s.setData(kHeader, 3, L"Row three");
    s.setData(1, 1, L"12.50");   // kept as written
    s.setNumber(2, 1, 0.1 + 0.2);  // exact value beyond 15 digits
    s.setData(3, 1, L"quote \" backslash \\ tab\t newline\n ümlaut €");
    s.setData(4, 1, std::wstring(L"ctrl") + wchar_t(1) + L"end");
    ASSERT_TRUE(s.setFormula(1, 2, L"=A1*2+$B$1"));
    ASSERT_TRUE(s.setFormula(2, 2, L"IF(A2>10,\"big\",\"small\")&\" \"&SUM(A1:B1)"));
    s.setCellType(5, 1, CellType::number(3, -10, 1e6));
    s.setData(5, 1, L"42");
    CellType combo = CellType::ofCode(CellTypeCode::ComboBox, 7);
    combo.items = L"S235\tS355\tS460";
    s.setCellType(5, 2, combo);
    CellType check = CellType::ofCode(CellTypeCode::CheckBox);
    check.items = L"Active";
    check.picture = L"off.bmp";
    check.picture2 = L"on.bmp";
    s.setCellType(5, 3, check);
    s.setLock(1, 4, !s.isLocked(1, 4));
    s.setColors(2, 4, {0x0000FF, 0x80000008});
    CellFont bold = s.defaultFont();
    bold.weight = 700;
    bold.italic = true;
    s.setFont(3, 4, bold);
    s.setBorder(4, 4, {15, 1, 0x00FF00});
    s.setTextTip(6, 4, L"help text");
    ASSERT_TRUE(s.addSpan(1, 6, 3, 2));
    s.setColWidth(2, 14.5);
    s.setColWidth(kHeader, 3);
    s.setRowHeight(5, 22.25);
    s.setBool(44, true);
    s.setBool(kSwitchRedraw, false);
    SheetLook look = s.look();
    look.gridColor = 0x123456;
    look.operationMode = 2;
    s.setLook(look);
    CellFont base = s.defaultFont();
    base.face = L"Tahoma";
    base.height = 11;
    s.setDefaultFont(base);
}

TEST_F(GridFileTest, SaveLoadSaveGivesTheSameBytes) {
    Sheet original;
    fillEverything(original);
    ASSERT_TRUE(GridFile::save(original, path("a.grid")));
    Sheet loaded;
    GridFileResult r = GridFile::load(loaded, path("a.grid"));
    ASSERT_TRUE(r) << r.diagnostic;
    ASSERT_TRUE(GridFile::save(loaded, path("b.grid")));
    EXPECT_EQ(read("a.grid"), read("b.grid"));
    EXPECT_EQ(SSSaveToFile(loaded, path("c.grid")), 1);
    EXPECT_EQ(read("a.grid"), read("c.grid"));
}

TEST_F(GridFileTest, LoadedSheetHoldsEverything) {
    Sheet original;
    fillEverything(original);
    Sheet s;
    GridFileResult r = GridFile::loadText(s, GridFile::toNativeText(original), GridFileFormat::Native);
    ASSERT_TRUE(r) << r.diagnostic;

    EXPECT_EQ(s.maxCols(), 6);
    EXPECT_EQ(s.maxRows(), 12);
    EXPECT_EQ(s.refStyle(), RefStyle::A1);
    EXPECT_EQ(s.tag(kHeader, kHeader), L"settings=demo;units=mm");
    EXPECT_EQ(s.dataText(1, kHeader), L"Length");
    EXPECT_EQ(s.dataText(kHeader, 3), L"Row three");
    EXPECT_EQ(s.dataText(1, 1), L"12.50");
    EXPECT_EQ(s.value(2, 1).asNumber(), 0.1 + 0.2);
    EXPECT_EQ(s.dataText(3, 1), original.dataText(3, 1));
    EXPECT_EQ(s.dataText(4, 1), original.dataText(4, 1));
    EXPECT_EQ(s.formulaText(1, 2), L"A1*2+$B$1");
    EXPECT_EQ(s.value(1, 2).asNumber(), 12.5 * 2 + (0.1 + 0.2));  // computed after the load
    EXPECT_EQ(s.valueText(2, 2), original.valueText(2, 2));
    EXPECT_EQ(s.cellType(5, 1), original.cellType(5, 1));
    EXPECT_EQ(s.cellType(5, 2), original.cellType(5, 2));
    EXPECT_EQ(s.cellType(5, 3), original.cellType(5, 3));
    EXPECT_EQ(s.valueText(5, 1), original.valueText(5, 1));
    EXPECT_EQ(s.isLocked(1, 4), original.isLocked(1, 4));
    EXPECT_EQ(s.colors(2, 4), original.colors(2, 4));
    EXPECT_EQ(s.font(3, 4), original.font(3, 4));
    EXPECT_EQ(s.defaultFont(), original.defaultFont());
    EXPECT_EQ(s.border(4, 4), original.border(4, 4));
    EXPECT_EQ(s.textTip(6, 4), L"help text");
    EXPECT_EQ(s.spans(), original.spans());
    EXPECT_EQ(s.colWidth(2), 14.5);
    EXPECT_EQ(s.colWidth(kHeader), original.colWidth(kHeader));
    EXPECT_EQ(s.rowHeight(5), 22.25);
    EXPECT_TRUE(s.getBool(44));
    EXPECT_FALSE(s.getBool(kSwitchRedraw));
    EXPECT_FALSE(s.getBool(kSwitchChanged));
    EXPECT_EQ(s.look(), original.look());
}

// The format is ours and documented: this pins what it looks like, so a change is a deliberate one.
TEST_F(GridFileTest, NativeTextIsOneCellPerLineInRowOrder) {
    Sheet s;
    s.setMaxCols(3);
    s.setMaxRows(4);
    s.setData(2, kHeader, L"Width");
    s.setData(2, 3, L"7");
    s.setData(1, 3, L"x y");
    s.setFormula(3, 1, L"B3*2");
    s.setColWidth(2, 12);
    ASSERT_TRUE(s.addSpan(1, 4, 2, 1));
    EXPECT_EQ(GridFile::toNativeText(s),
              "connsheet-grid 1\n"
              "sheet cols=3 rows=4 ref-style=0\n"
              "col B width=12\n"
              "span A4 cols=2 rows=1\n"
              "cell B* data=\"Width\"\n"
              "cell C1 formula=\"$B$3*2\"\n"
              "cell A3 data=\"x y\"\n"
              "cell B3 data=\"7\"\n");
}

// Files of the largest sheet holding one cell per column: along the last row, and along a diagonal
// down to row 1,998,848 with a row height and a width at the far end. Loading, calculating and saving
// cost what the sheet holds; saving in row order by looking at every column of every band of rows
// took minutes for the diagonal.
TEST_F(GridFileTest, SparseFilesOfTheLargestSheetRoundTrip) {
    auto column = [](std::int32_t col) {
        std::string letters;
        for (; col > 0; col = (col - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (col - 1) % 26));
        return letters;
    };
    for (const bool diagonal : {false, true}) {
        auto rowOf = [&](std::int32_t col) { return diagonal ? 122 * col : kRowLimit; };
        std::string text = "connsheet-grid 1\nsheet cols=16384 rows=2000000 ref-style=1\n";
        if (diagonal) text += "col XFD width=3\nrow 1998848 height=20\n";
        text += "cell A" + std::to_string(rowOf(1)) + " formula=\"SUM(B1:XFD2000000)\"\n";
        for (std::int32_t c = 2; c <= kColLimit; ++c)
            text += "cell " + column(c) + std::to_string(rowOf(c)) + " data=\"" + std::to_string(c) + "\"\n";
        Sheet s;
        ASSERT_TRUE(GridFile::loadText(s, text, GridFileFormat::Native)) << diagonal;
        EXPECT_EQ(s.value(1, rowOf(1)), Value::number(kColLimit * (kColLimit + 1.0) / 2 - 1)) << diagonal;
        EXPECT_EQ(s.lastUsedCol(), kColLimit);
        EXPECT_EQ(s.lastUsedRow(), rowOf(kColLimit));
        EXPECT_EQ(GridFile::toNativeText(s), text) << diagonal;
        write("sparse.grid", text);
        ASSERT_TRUE(GridFile::load(s, path("sparse.grid")));
        ASSERT_TRUE(GridFile::save(s, path("copy.grid")));
        EXPECT_EQ(read("copy.grid"), text) << diagonal;
    }
}

TEST_F(GridFileTest, HandWrittenFileLoads) {
    Sheet s;
    GridFileResult r = GridFile::loadText(s,
                                          "connsheet-grid 1\r\n"
                                          "# a comment, and blank lines, are allowed\r\n"
                                          "\r\n"
                                          "sheet rows=3 cols=2\r\n"
                                          "cell a1 data=\"2\"\r\n"
                                          "cell A2   formula=\"A1^3\"  tag=\"x\\x41\"\r\n",
                                          GridFileFormat::Native);
    ASSERT_TRUE(r) << r.diagnostic;
    EXPECT_EQ(s.value(1, 2).asNumber(), 8);
    EXPECT_EQ(s.tag(1, 2), L"xA");
    EXPECT_EQ(s.refStyle(), RefStyle::Legacy);
}

// Native files with one fault each, and where it is said to be.
struct BadNativeFile {
    const char* text;
    const char* diagnostic;
};
const BadNativeFile kBadNativeFiles[] = {
    {"", "line 1: not a grid file"},
    {"hello,world\n", "line 1: not a grid file"},
    {"connsheet-grid 2\n", "line 1: grid file version 2 is newer than this program reads (1)"},
    {"connsheet-grid x\n", "line 1: bad version"},
    {"connsheet-grid 1\ncell A1 data=\"x\"\n", "line 2: \"cell\" before the sheet line"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\nsheet cols=2 rows=2\n", "line 3: a second sheet line"},
    {"connsheet-grid 1\nsheet cols=2 rows=2 colour=1\n", "line 2: unknown property \"colour\""},
    {"connsheet-grid 1\nsheet cols=99999999 rows=2\n", "line 2: \"cols\" needs a whole number"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell C1 data=\"x\"\n", "line 3: cell C1 is outside the sheet"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell 1A data=\"x\"\n", "line 3: \"1A\" is not a cell"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 data=\"x\n", "line 3: unterminated text"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 data=\"x\"y\n", "line 3: unexpected character after"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 data=\"\\q\"\n", "line 3: \"data\" needs a text"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 data=\"\xff\"\n", "line 3: \"data\" needs a text"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 data=\"1\" data=\"2\"\n",
     "line 3: \"data\" given twice"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 data=\"1\" formula=\"2\"\n",
     "line 3: a cell holds only one"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 formula=\"1+\"\n", "line 3: formula of A1: "},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell *1 formula=\"A2*2\"\n",
     "line 3: header cell *1 cannot hold a formula"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 lock=2\n", "line 3: \"lock\" needs 0 or 1"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 number=nan\n", "line 3: \"number\" needs a number"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 type=99\n", "line 3: unknown cell type 99"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 data\n", "line 3: expected name=value"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\nspan A1 cols=3 rows=1\n",
     "line 3: the span at A1 leaves the sheet"},
    {"connsheet-grid 1\nsheet cols=3 rows=3\nspan A1 cols=2 rows=2\nspan B2 cols=2 rows=2\n",
     "line 4: the span at B2 leaves the sheet or overlaps another span"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\ncol C width=3\n", "line 3: column C is outside the sheet"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\nrow 1 height=-3\n", "line 3: a size cannot be negative"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\nswitches x=1\n", "line 3: switch \"x\" is not a number"},
    {"connsheet-grid 1\nsheet cols=2 rows=2\nwidget A1\n", "line 3: unknown line \"widget\""},
};

TEST_F(GridFileTest, BadNativeFilesNameTheLineAndLeaveTheSheetAlone) {
    const auto& cases = kBadNativeFiles;
    for (const auto& c : cases) {
        Sheet s;
        s.setMaxCols(1);
        s.setMaxRows(1);
        s.setData(1, 1, L"before");
        GridFileResult r = GridFile::loadText(s, c.text, GridFileFormat::Native, "t.grid");
        EXPECT_FALSE(r) << c.text;
        EXPECT_TRUE(r.diagnostic.starts_with(std::string("t.grid: ") + c.diagnostic)) << r.diagnostic;
        EXPECT_GT(r.line, 0) << c.text;
        EXPECT_EQ(s.dataText(1, 1), L"before") << c.text;
        EXPECT_EQ(s.maxCols(), 1) << c.text;
    }
}

// A new sheet is loaded in one pass: a fault at any line gives the check's diagnostic and puts the
// sheet back as it was (header cell, reference style, switches and custom functions), whatever the
// lines before the fault had set.
TEST_F(GridFileTest, BadNativeFilesPutANewSheetBack) {
    std::vector<BadNativeFile> cases(std::begin(kBadNativeFiles), std::end(kBadNativeFiles));
    cases.push_back(
        {"connsheet-grid 1\nsheet cols=2 rows=2 ref-style=2\ncol A width=5\nspan A1 cols=2 rows=1\n"
         "cell B2 formula=\"2*3\" lock=1 back=255\nswitches 44=1\nwidget\n",
         "line 7: unknown line \"widget\""});
    for (const auto& c : cases) {
        Sheet s;
        ASSERT_TRUE(s.setData(kHeader, kHeader, L"corner"));
        s.setRefStyle(RefStyle::R1C1);
        s.setBool(kSwitchAutoCalc, false);
        s.addCustomFunction(L"TWICE", 1, 1, [](CustomRecord& result, std::span<CustomRecord>) {
            result = CustomRecord::ofDouble(2);
            return true;
        });
        GridFileResult r = GridFile::loadText(s, c.text, GridFileFormat::Native, "t.grid");
        EXPECT_FALSE(r) << c.text;
        EXPECT_TRUE(r.diagnostic.starts_with(std::string("t.grid: ") + c.diagnostic)) << r.diagnostic;
        EXPECT_EQ(r.diagnostic.find("loaded in part"), std::string::npos) << r.diagnostic;
        EXPECT_GT(r.line, 0) << c.text;
        EXPECT_EQ(s.maxCols(), 0) << c.text;
        EXPECT_EQ(s.maxRows(), 0) << c.text;
        EXPECT_EQ(s.dataText(kHeader, kHeader), L"corner") << c.text;
        EXPECT_EQ(s.refStyle(), RefStyle::R1C1) << c.text;
        EXPECT_FALSE(s.getBool(kSwitchAutoCalc)) << c.text;
        EXPECT_FALSE(s.getBool(44)) << c.text;
        EXPECT_FALSE(s.hasCustomColWidth(1)) << c.text;
        EXPECT_TRUE(s.hasCustomFunction(L"twice")) << c.text;

        // The same sheet then takes a good file in full, with its formula computed.
        ASSERT_TRUE(GridFile::loadText(s,
                                       "connsheet-grid 1\nsheet cols=1 rows=2\ncell A1 number=4\n"
                                       "cell A2 formula=\"TWICE(A1)+A1\"\n",
                                       GridFileFormat::Native, "t.grid"));
        EXPECT_EQ(s.value(1, 2).asNumber(), 6) << c.text;
        EXPECT_FALSE(s.getBool(kSwitchAutoCalc)) << c.text;
    }
}

TEST_F(GridFileTest, CsvAndTsvCellsAreEnteredAsTyped) {
    write("in.csv", "Name,Length,Twice\r\nplate,\"1,5\",=B3*2\n\"say \"\"hi\"\"\",12.5,=B3*2\n,, TRUE \n");
    write("in.TSV", "a\tb,c\n1\t=A2+1\n");
    write("noext", "x\ty\n3\t4\n");

    Sheet s;
    GridFileResult r = GridFile::load(s, path("in.csv"));
    ASSERT_TRUE(r) << r.diagnostic;
    EXPECT_EQ(s.maxCols(), 3);
    EXPECT_EQ(s.maxRows(), 4);
    EXPECT_EQ(s.dataText(2, 2), L"1,5");
    EXPECT_TRUE(s.value(2, 2).isText());  // not a number: "," is no decimal point
    EXPECT_EQ(s.dataText(1, 3), L"say \"hi\"");
    EXPECT_EQ(s.value(2, 3).asNumber(), 12.5);
    EXPECT_TRUE(s.hasFormula(3, 2));
    EXPECT_EQ(s.value(3, 2).asNumber(), 25);  // reads a cell loaded after it
    EXPECT_EQ(s.dataText(3, 4), L" TRUE ");
    EXPECT_FALSE(s.getBool(kSwitchChanged));

    ASSERT_TRUE(GridFile::load(s, path("in.TSV")));
    EXPECT_EQ(s.dataText(2, 1), L"b,c");
    EXPECT_EQ(s.value(2, 2).asNumber(), 2);
    EXPECT_EQ(s.maxRows(), 2);  // the earlier content is gone

    ASSERT_TRUE(GridFile::load(s, path("noext")));  // a tab on the first line: TSV
    EXPECT_EQ(s.value(2, 2).asNumber(), 4);
}

TEST_F(GridFileTest, BadDelimitedFilesNameTheLine) {
    struct Case {
        const char* name;
        const char* text;
        const char* diagnostic;
    } cases[] = {
        {"a.csv", "a,b\n\"open,c\n", "line 2: unterminated quoted field"},
        {"a.csv", "a,b\nc,=1+\n", "line 2: cell B2: "},
        {"a.tsv", "ok\n\"x\"y\n", "line 2: unexpected character after a closing quote"},
        {"a.csv", "ok\n\xfe\n", "line 2: text is not valid UTF-8"},
    };
    for (const auto& c : cases) {
        write(c.name, c.text);
        Sheet s;
        s.setMaxCols(1);
        s.setMaxRows(1);
        s.setData(1, 1, L"before");
        std::string diagnostic;
        EXPECT_EQ(SSLoadFromFile(s, path(c.name), &diagnostic), 0);
        EXPECT_NE(diagnostic.find(std::string(c.name) + ": " + c.diagnostic), std::string::npos) << diagnostic;
        EXPECT_EQ(s.dataText(1, 1), L"before");
    }
}

// A new sheet is loaded in one pass: when a formula fails half-way it is put back as it was, its
// header cell, reference style and switches included, and the diagnostic is the same as the check's.
TEST_F(GridFileTest, NewSheetIsPutBackWhenAFormulaFails) {
    write("bad.csv", "1,=A1*2\n2,=A2*2\n3,=A3*\n4,=A4*2\n");
    Sheet s;
    ASSERT_TRUE(s.setData(kHeader, kHeader, L"corner"));
    s.setRefStyle(RefStyle::R1C1);
    s.setBool(kSwitchAutoCalc, false);
    GridFileResult r = GridFile::load(s, path("bad.csv"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.diagnostic.find("bad.csv: line 3: cell B3: "), std::string::npos) << r.diagnostic;
    EXPECT_EQ(r.diagnostic.find("loaded in part"), std::string::npos) << r.diagnostic;
    EXPECT_EQ(s.maxRows(), 0);
    EXPECT_EQ(s.maxCols(), 0);
    EXPECT_FALSE(s.hasFormula(2, 1));
    EXPECT_EQ(s.dataText(kHeader, kHeader), L"corner");
    EXPECT_EQ(s.refStyle(), RefStyle::R1C1);
    EXPECT_FALSE(s.getBool(kSwitchAutoCalc));

    // The same sheet then loads a good file in full.
    write("good.csv", "1,=A1*2\n2,=A2*2+B1\n");
    ASSERT_TRUE(GridFile::load(s, path("good.csv")));
    EXPECT_EQ(s.maxRows(), 2);
    EXPECT_EQ(s.value(2, 2).asNumber(), 6.0);
}

TEST_F(GridFileTest, DelimitedSaveReadsBack) {
    Sheet s;
    s.setMaxCols(3);
    s.setMaxRows(2);
    s.setRefStyle(RefStyle::A1);
    s.setData(1, 1, L"a,b");
    s.setData(2, 1, L"7");
    s.setFormula(3, 2, L"B1*3");
    ASSERT_TRUE(GridFile::save(s, path("out.csv")));
    EXPECT_EQ(read("out.csv"), "\"a,b\",7,\n,,=B1*3\n");
    Sheet back;
    ASSERT_TRUE(GridFile::load(back, path("out.csv")));
    EXPECT_EQ(back.value(3, 2).asNumber(), 21);

    // A text starting with U+FEFF at the start of the file is not taken for a byte-order mark.
    s.setData(1, 1, L"\uFEFFx");
    ASSERT_TRUE(GridFile::save(s, path("bom.csv")));
    ASSERT_TRUE(GridFile::load(back, path("bom.csv")));
    EXPECT_EQ(back.dataText(1, 1), L"\uFEFFx");
}

TEST_F(GridFileTest, LoadKeepsCustomFunctionsAndUnlistedSwitches) {
    write("f.grid", "connsheet-grid 1\nsheet cols=1 rows=2\ncell A1 formula=\"TWICE(21)\"\n");
    Sheet s;
    s.addCustomFunction(L"TWICE", 1, 1, [](CustomRecord& result, std::span<CustomRecord> args) {
        result = CustomRecord::ofDouble(2 * (args[0].type == RecordType::Long ? args[0].longValue : args[0].doubleValue));
        return true;
    });
    s.setBool(kSwitchAutoCalc, false);  // as the standards engine does before loading
    GridFileResult r = GridFile::load(s, path("f.grid"));
    ASSERT_TRUE(r) << r.diagnostic;
    EXPECT_EQ(s.value(1, 1).asNumber(), 42);
    EXPECT_FALSE(s.getBool(kSwitchAutoCalc));
    EXPECT_TRUE(s.hasCustomFunction(L"twice"));
}

TEST_F(GridFileTest, PathsAndFailures) {
    Sheet s;
    s.setMaxCols(1);
    s.setMaxRows(1);
    s.setData(1, 1, L"x");
    // Library paths are written on Windows: "\" separators and any letter case.
    fs::create_directories(dir_ / "Sub");
    std::wstring windowsStyle = path("SUB") + L"\\Sheet.GRID";
    ASSERT_TRUE(GridFile::save(s, windowsStyle));
    EXPECT_TRUE(fs::exists(dir_ / "Sub" / "Sheet.GRID"));
    Sheet back;
    EXPECT_TRUE(GridFile::load(back, path("sub") + L"/sheet.grid"));
    EXPECT_EQ(back.dataText(1, 1), L"x");

    std::string diagnostic;
    EXPECT_EQ(SSLoadFromFile(back, path("missing.grid"), &diagnostic), 0);
    EXPECT_FALSE(diagnostic.empty());
    EXPECT_EQ(SSSaveToFile(s, path("no/such/folder/x.grid"), &diagnostic), 0);
    EXPECT_FALSE(diagnostic.empty());

    // Saving clears the changed flag; a failed save does not.
    s.setBool(kSwitchChanged, true);
    EXPECT_FALSE(GridFile::save(s, path("no/such/folder/x.grid")));
    EXPECT_TRUE(s.getBool(kSwitchChanged));
    EXPECT_TRUE(GridFile::save(s, path("ok.grid")));
    EXPECT_FALSE(s.getBool(kSwitchChanged));
}

TEST(GridFileDetect, ByExtensionThenContent) {
    EXPECT_EQ(GridFile::detect("a.CSV", "connsheet-grid 1\n"), GridFileFormat::Csv);
    EXPECT_EQ(GridFile::detect("a.tsv", "a,b"), GridFileFormat::Tsv);
    EXPECT_EQ(GridFile::detect("a.vls", "connsheet-grid 1\n"), GridFileFormat::Native);
    EXPECT_EQ(GridFile::detect("a.vls", "\xEF\xBB\xBF" "connsheet-grid 1\n"), GridFileFormat::Native);
    EXPECT_EQ(GridFile::detect("a.txt", "a\tb\n"), GridFileFormat::Tsv);
    EXPECT_EQ(GridFile::detect("a.txt", "a,b\n"), GridFileFormat::Csv);
}

}  // namespace
}  // namespace grid

// Standards runs end to end on small sheets written as tab-separated ".vls" files: equations, the
// standards functions, "CallChild" and the host-dialog pool.
#include <gtest/gtest.h>

#include <string>

#include "platform/mfc/ScriptedDriver.h"
#include "platform/mxbase/Mx_Settings.h"
#include "standards/StartDlgStandardsSS.h"
#include "tests/standards/StandardsTestSupport.h"
#include "standards/VlCalcSS.h"
#include "standards/VlDataFile.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlSSDlgsMgr.h"
#include "standards/VlTolerance.h"
#include "standards/VlWholeWord.h"

namespace {

using standardstest::ScratchDir;

VlVarCell in(const wchar_t* name, const wchar_t* value, VlValueType type = kVlDouble) {
    return VlVarCell(name, kVlInput, type, 0, 0, value);
}
VlVarCell out(const wchar_t* name, VlValueType type = kVlDouble) {
    return VlVarCell(name, kVlOutput, type, 0, 0, L"");
}

// A child-mode run of `sheet` with the given arguments.
struct ChildRun {
    explicit ChildRun(const Mx_String& sheet) {
        data.mode = VlDlgStandardsData::kChildRun;
        data.standardsFile = sheet;
    }
    ChildRun& arg(const VlVarCell& cell) {
        data.varCells.append(cell);
        return *this;
    }
    bool go() { return StartDlgStandardsSS(data); }
    Mx_String value(int index) const { return data.varCells[index].value; }
    VlDlgStandardsData data;
};

class StandardsRun : public ::testing::Test {
protected:
    void SetUp() override { gSettings.setStandardsWarnings(true); }
    void TearDown() override { gSSDlgsMgr.destroyAll(); }
    ui::ScriptedDriver driver;
    ScratchDir dir;
};

// Sheet "Area": two double inputs, one double output.
const char* kAreaSheet =
    "Input\t\t\n"
    "Double Width\tDouble Length\t\n"
    "Output\t\t\n"
    "Double Area\t\t\n"
    "Calc\t\t\n"
    "Area = Width * Length\t\t\n";

TEST_F(StandardsRun, EquationResultLandsInTargetAndArgument) {
    dir.write("area.vls", kAreaSheet);
    ChildRun run(dir.file("area.vls"));
    run.arg(in(L"Width", L"3")).arg(in(L"Length", L"4.5")).arg(out(L"Area"));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(2).toDouble(), 13.5);
    EXPECT_TRUE(driver.messageBoxes().empty());
}

// A string result is text: copied from an empty string it stays empty (a spreadsheet shows "=E1" of an
// empty E1 as 0, but a name or material must not become "0"); numbers still arrive as numbers.
TEST_F(StandardsRun, AStringCopiedFromAnEmptyStringStaysEmpty) {
    dir.write("copy.vls",
              "Input\t\n"
              "String Name\tDouble Width\n"
              "Output\t\n"
              "String Copy\tDouble Twice\n"
              "Calc\t\n"
              "Copy = Name\tTwice = Width * 2\n");
    ChildRun run(dir.file("copy.vls"));
    run.arg(in(L"Name", L"", kVlString)).arg(in(L"Width", L"")).arg(out(L"Copy", kVlString)).arg(out(L"Twice"));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(2), Mx_String(L""));
    EXPECT_EQ(run.value(3).toDouble(), 0.0);
    EXPECT_TRUE(driver.messageBoxes().empty());
}

// A sheet may declare the largest size and hold six cells, spread to its far corners: finding its
// sections, declarations and equations costs what it holds. Scans over the declared size (32
// billion cells) would take hours.
TEST_F(StandardsRun, ASheetDeclaredHugeButHoldingSixCellsRuns) {
    dir.write("huge.vls",
              "connsheet-grid 1\n"
              "sheet cols=16384 rows=2000000\n"
              "cell A1 data=\"Input\"\n"
              "cell XFD2 data=\"Double Width\"\n"
              "cell C1000 data=\"Output\"\n"
              "cell B1001 data=\"Double Area\"\n"
              "cell XFC1999999 data=\"Calc\"\n"
              "cell XFD2000000 data=\"Area = Width * 2 + 1\"\n");
    ChildRun run(dir.file("huge.vls"));
    run.arg(in(L"Width", L"3")).arg(out(L"Area"));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(1).toDouble(), 7.0);
    EXPECT_TRUE(driver.messageBoxes().empty());
}

TEST_F(StandardsRun, WholeWordsOrderAndQuotedText) {
    dir.write("order.vls",
              "Input\t\t\n"
              "Double Width\t\t\n"
              "Output\t\t\n"
              "Double Widths\tDouble Early\tString Label\n"
              "Calc\t\t\n"
              // Early reads Widths before it is computed: it sees the old (empty) value.
              "Early = Widths + 1\t\t\n"
              "Widths = Width + 1\tLabel = \"Width\" & Width\t\n");
    ChildRun run(dir.file("order.vls"));
    run.arg(in(L"Width", L"10")).arg(out(L"Widths")).arg(out(L"Early")).arg(out(L"Label", kVlString));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(1).toDouble(), 11.0);
    EXPECT_EQ(run.value(2).toDouble(), 1.0);
    EXPECT_EQ(run.value(3), Mx_String(L"Width10"));
}

// Names are replaced in list order, each name once over the expression as it stands: a reference
// put in for one name is a word a later name may match, never an earlier one. Only the variables
// named by words of the expression are tried, so the order must survive that.
TEST_F(StandardsRun, NamesAreReplacedInListOrderOverTheTextSoFar) {
    dir.write("refs.vls",
              "Input\t\t\n"                       // row 1
              "Double A3\tDouble Width\t\n"        // row 2: A3 in A2, Width in B2
              "Double B2\t\t\n"                    // row 3: B2 in A3
              "Output\t\t\n"
              "Double R\tDouble S\t\n"
              "Calc\t\t\n"
              // Width -> B2 -> A3 (B2 is later in the list); A3 came first, so "A3" stays.
              "R = Width + 0\tS = A3 * 1\t\n");
    ChildRun run(dir.file("refs.vls"));
    run.arg(in(L"A3", L"1")).arg(in(L"Width", L"20")).arg(in(L"B2", L"300")).arg(out(L"R")).arg(out(L"S"));
    ASSERT_TRUE(run.go());
    // R = B2 + 0 = 300 (Width's cell holds 20, but the reference B2 was then taken for variable B2,
    // whose cell is A3; A3 itself was not tried again).
    EXPECT_EQ(run.value(3).toDouble(), 300.0);
    // S = A2 * 1: variable A3's cell.
    EXPECT_EQ(run.value(4).toDouble(), 1.0);
}

// A reference put in may name a later variable, whose reference may name a later one again; a name
// the expression held from the start is still replaced after the chain has passed it in the list.
TEST_F(StandardsRun, ReferencesChainThroughLaterNamesOnly) {
    dir.write("chain.vls",
              "Input\t\t\n"                  // row 1
              "Double A4\tDouble Width\t\n"  // row 2: A4 in A2, Width in B2
              "Double B2\tDouble Len\t\n"    // row 3: B2 in A3, Len in B3
              "Double A3\t\t\n"              // row 4: A3 in A4
              "Output\t\t\n"
              "Double R\tDouble S\t\n"
              "Calc\t\t\n"
              // Width -> B2 -> A3 -> A4, which came first in the list and stays; Len -> B3.
              "R = Width + Len\tS = len * 2 + LEN\t\n");
    ChildRun run(dir.file("chain.vls"));
    run.arg(in(L"A4", L"1")).arg(in(L"Width", L"20")).arg(in(L"B2", L"300")).arg(in(L"Len", L"5"));
    run.arg(in(L"A3", L"4000")).arg(out(L"R")).arg(out(L"S"));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(5).toDouble(), 4005.0);  // A4 (variable A3) + B3 (Len)
    EXPECT_EQ(run.value(6).toDouble(), 15.0);    // every case of a name
    EXPECT_TRUE(driver.messageBoxes().empty());
}

// A target is found by its name in any case whatever the sheet's length: a short list is searched,
// a long one looked up by name. One pooled grid runs the sheets one after another, long, short, long.
TEST_F(StandardsRun, TargetsAreFoundInShortAndLongLists) {
    const auto sheetOf = [](int locals) {
        std::string text = "Input\t\nDouble A\t\nOutput\t\nDouble R\t\nLocal\t\n";
        for (int i = 1; i <= locals; ++i)
            text += "Double L" + std::to_string(i) + "\t\n";
        const std::string last = std::to_string(locals);
        return text + "Calc\t\nl" + last + " = A + 1\t\nR = L" + last + " * 2 + l1\t\n";
    };
    for (int locals : {31, 32, 33, 60, 5, 60}) {
        const std::string name = "long" + std::to_string(locals) + ".vls";
        dir.write(name, sheetOf(locals));
        ChildRun run(dir.file(name));
        run.arg(in(L"A", L"3")).arg(out(L"R"));
        ASSERT_TRUE(run.go()) << locals;
        EXPECT_EQ(run.value(1).toDouble(), 8.0) << locals;
    }
    EXPECT_TRUE(driver.messageBoxes().empty());
}

// A section runs down to the row of the next header, that row included: a declaration beside the
// Output header is an input, one beside the Local header an output.
TEST_F(StandardsRun, DeclarationBesideTheNextHeaderBelongsToTheSectionAbove) {
    dir.write("beside.vls",
              "Input\t\t\n"
              "Double A\t\t\n"
              "Output\tDouble B\t\n"
              "Double R\t\t\n"
              "Local\tDouble S\t\n"
              "Double T\t\t\n"
              "Calc\t\t\n"
              "T = A + B\tR = T\tS = T * 2\n");
    ChildRun run(dir.file("beside.vls"));
    // By position: the inputs A and B, then the outputs R and S.
    run.arg(in(L"A", L"1")).arg(in(L"B", L"2")).arg(out(L"R")).arg(out(L"S"));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(2).toDouble(), 3.0);
    EXPECT_EQ(run.value(3).toDouble(), 6.0);
    EXPECT_TRUE(driver.messageBoxes().empty());
}

// A general variable's value replaces its name before the equations run: a number as it is, any
// other text as a text literal in double quotes (a grade "S355" would otherwise read as cell S355).
TEST_F(StandardsRun, GeneralVariablesTextQuotedNumbersNot) {
    dir.write("gen.vls",
              "Input\t\t\n"
              "Double A\t\t\n"
              "Output\t\t\n"
              "String Grade\tDouble GapIsNumber\tDouble GradeIsText\n"
              "Calc\t\t\n"
              "Grade = gen_Grade & \"/\" & gen_Gap\tGapIsNumber = IF(ISNUMBER(gen_Gap), gen_Gap * 2, -1)\t"
              "GradeIsText = IF(ISTEXT(gen_Grade), 1, 0)\n");
    ChildRun run(dir.file("gen.vls"));
    run.arg(in(L"A", L"1")).arg(out(L"Grade", kVlString)).arg(out(L"GapIsNumber")).arg(out(L"GradeIsText"));
    run.data.genVarNames.append(Mx_String(L"gen_Grade"));
    run.data.genVarValues.append(Mx_String(L"S355"));
    run.data.genVarNames.append(Mx_String(L"gen_Gap"));
    run.data.genVarValues.append(Mx_String(L"2.5"));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(1), Mx_String(L"S355/2.5"));
    EXPECT_EQ(run.value(2).toDouble(), 5.0);
    EXPECT_EQ(run.value(3).toDouble(), 1.0);
    EXPECT_TRUE(driver.messageBoxes().empty());
}

// Cells that hold only a type or a look (a sheet saved from the grid has them beside and between the
// declarations) are no headers, no declarations and no equations; the general variables are still
// replaced in the text cells after them.
TEST_F(StandardsRun, CellsWithOnlyATypeOrALookAreLeftOut) {
    dir.write("looks.vls",
              "connsheet-grid 1\n"
              "sheet cols=3 rows=9\n"
              "cell B1 type=1 type-max-length=5\n"
              "cell A1 data=\"Input\"\n"
              "cell A2 lock=1\n"
              "cell B2 data=\"Double Width\"\n"
              "cell C2 back=255\n"
              "cell A3 data=\"Output\"\n"
              "cell A4 type=1\n"
              "cell B4 data=\"Double Area\"\n"
              "cell C4 data=\"String Grade\"\n"
              "cell A5 data=\"Calc\" fore=255\n"
              "cell B5 lock=0\n"
              "cell A6 border-sides=15\n"
              "cell B6 data=\"Area = Width * gen_Factor\"\n"
              "cell C7 data=\"Grade = \\\"S\\\" & gen_Factor\"\n"
              "cell A9 type=1\n");
    ChildRun run(dir.file("looks.vls"));
    run.arg(in(L"Width", L"10")).arg(out(L"Area")).arg(out(L"Grade", kVlString));
    run.data.genVarNames.append(Mx_String(L"gen_Factor"));
    run.data.genVarValues.append(Mx_String(L"3"));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(1).toDouble(), 30.0);
    EXPECT_EQ(run.value(2), Mx_String(L"S3"));
    EXPECT_TRUE(driver.messageBoxes().empty());
}

TEST_F(StandardsRun, ErrorValueIsAFailedEquationAndTargetKeepsValue) {
    dir.write("div.vls",
              "Input\t\t\n"
              "Double A\tDouble B\t\n"
              "Output\t\t\n"
              "Double R\tDouble S\t\n"
              "Calc\t\t\n"
              "R = A / B\tS = A + Undeclared\tNoTarget = A\n");
    ChildRun run(dir.file("div.vls"));
    run.arg(in(L"A", L"1")).arg(in(L"B", L"0")).arg(VlVarCell(L"R", kVlOutput, kVlDouble, 0, 0, L"7"))
        .arg(out(L"S"));
    ASSERT_TRUE(run.go());  // failed equations do not fail the run
    EXPECT_EQ(run.value(2).toDouble(), 7.0);
    ASSERT_EQ(driver.messageBoxes().size(), 3u);
    const std::wstring& first = driver.messageBoxes()[0].text;
    EXPECT_EQ(first.rfind(L"The following equation failed:\nR = ", 0), 0u) << Mx_String(first).toUtf8();
    EXPECT_NE(first.find(L" (line: 6)\nHere's a tip for finding the cause :\n"), std::wstring::npos);
    EXPECT_EQ(first.find(L"#DIV"), std::wstring::npos);

    // The same run with warnings off shows nothing.
    gSettings.setStandardsWarnings(false);
    ChildRun quiet(dir.file("div.vls"));
    quiet.arg(in(L"A", L"1")).arg(in(L"B", L"0")).arg(out(L"R")).arg(out(L"S"));
    ASSERT_TRUE(quiet.go());
    EXPECT_EQ(driver.messageBoxes().size(), 3u);
}

TEST_F(StandardsRun, SheetFailuresLeaveDataUntouched) {
    dir.write("nocalc.vls", "Input\t\nDouble A\t\nOutput\t\nDouble R\t\n");
    for (const char* sheet : {"nocalc.vls", "missing.vls"}) {
        ChildRun run(dir.file(sheet));
        run.arg(in(L"A", L"1")).arg(VlVarCell(L"R", kVlOutput, kVlDouble, 0, 0, L"42"));
        EXPECT_FALSE(run.go()) << sheet;
        EXPECT_EQ(run.value(1), Mx_String(L"42"));
    }
    // Too few arguments for the child's variables.
    dir.write("area.vls", kAreaSheet);
    ChildRun shortRun(dir.file("area.vls"));
    shortRun.arg(in(L"Width", L"1"));
    EXPECT_FALSE(shortRun.go());
    EXPECT_EQ(gSSDlgsMgr.inUseCount(), 0);
}

TEST_F(StandardsRun, DuplicateNamesAreAlwaysReported) {
    gSettings.setStandardsWarnings(false);
    dir.write("dup.vls",
              "Input\t\t\nDouble A\t\t\nOutput\t\t\nDouble R\t\t\nLocal\t\t\nDouble a\t\t\n"
              "Calc\t\t\nR = A + 1\t\t\n");
    // A child run is refused (its arguments go by position); a main run drops the later duplicates
    // (MainRun.DuplicateNamesAreDroppedAfterTheFirst).
    ChildRun run(dir.file("dup.vls"));
    run.arg(in(L"A", L"1")).arg(VlVarCell(L"R", kVlOutput, kVlDouble, 0, 0, L"7"));
    EXPECT_FALSE(run.go());
    EXPECT_EQ(run.value(1).toDouble(), 7.0);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.messageBoxes()[0].caption, L"Variable names must be unique");
    EXPECT_NE(driver.messageBoxes()[0].text.find(L"Duplicate variable names:\n\nA\n"), std::wstring::npos);
}

// ---- CallChild

const char* kChildSheet =
    "Input\t\t\n"
    "Double A\tDouble B\t\n"
    "Output\t\t\n"
    "Double R\t\t\n"
    "Calc\t\t\n"
    "R = A * 10 + B\t\t\n";

TEST_F(StandardsRun, CallChildPassesArgumentsByPosition) {
    dir.write("Sub.vls", kChildSheet);
    dir.write("parent.vls",
              "Input\t\t\n"
              "Double A\tDouble B\t\n"
              "Output\t\t\n"
              "Double R\tDouble T\t\n"
              "Calc\t\t\n"
              "X = CallChild(Sub.vls, A, B, R)\t\t\n"
              "T = R + 1\t\t\n");
    ChildRun run(dir.file("parent.vls"));
    run.arg(in(L"A", L"2")).arg(in(L"B", L"3")).arg(out(L"R")).arg(out(L"T"));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(2).toDouble(), 23.0);
    EXPECT_EQ(run.value(3).toDouble(), 24.0);
    EXPECT_TRUE(driver.messageBoxes().empty());
    EXPECT_EQ(gSSDlgsMgr.size(), 2);  // one host dialog per nesting level
    EXPECT_EQ(gSSDlgsMgr.inUseCount(), 0);
}

TEST_F(StandardsRun, CallChildFailuresAreReported) {
    dir.write("Sub.vls", kChildSheet);
    dir.write("self.vls",
              "Input\t\t\nDouble A\tDouble B\t\nOutput\t\t\nDouble R\t\t\nCalc\t\t\n"
              "X = CallChild(self.vls, A, B, R)\t\t\n"
              "X = CallChild(Sub.vls, A, Nope, R)\t\t\n"
              "X = CallChild(Missing.vls, A, B, R)\t\t\n"
              "X = CallChild(Sub.vls)\t\t\n"
              "X = CallChild(Sub.vls, A, B, A)\t\t\n");
    ChildRun run(dir.file("self.vls"));
    run.arg(in(L"A", L"2")).arg(in(L"B", L"3")).arg(VlVarCell(L"R", kVlOutput, kVlDouble, 0, 0, L"5"));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(2).toDouble(), 5.0);
    EXPECT_EQ(driver.messageBoxes().size(), 5u);
}

// Arguments go to the child's variables by position. Dropping a duplicate name, as a run does,
// would move every later variable one place up and send a result into the wrong argument; so a
// child whose names are not unique is not run, and the call fails with the child and the names said.
TEST_F(StandardsRun, CallChildOfASheetWithDuplicateNamesFails) {
    gSettings.setStandardsWarnings(false);  // the duplicate names are said whatever the switch
    dir.write("Dup.vls",
              "Input\t\t\n"
              "Double A\tDouble B\tDouble a\n"
              "Output\t\t\n"
              "Double R\t\t\n"
              "Calc\t\t\n"
              "R = A * 10 + B\t\t\n");
    dir.write("caller.vls",
              "Input\t\t\n"
              "Double A\tDouble B\t\n"
              "Output\t\t\n"
              "Double C\tDouble R\t\n"
              "Calc\t\t\n"
              "X = CallChild(Dup.vls, A, B, C, R)\t\t\n");
    ChildRun run(dir.file("caller.vls"));
    run.arg(in(L"A", L"2")).arg(in(L"B", L"3"));
    run.arg(VlVarCell(L"C", kVlOutput, kVlDouble, 0, 0, L"7")).arg(VlVarCell(L"R", kVlOutput, kVlDouble, 0, 0, L"5"));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(2).toDouble(), 7.0);
    EXPECT_EQ(run.value(3).toDouble(), 5.0);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    const std::wstring& text = driver.messageBoxes()[0].text;
    EXPECT_EQ(driver.messageBoxes()[0].caption, L"Variable names must be unique");
    EXPECT_NE(text.find(L"Dup.vls"), std::wstring::npos) << Mx_String(text).toUtf8();
    EXPECT_NE(text.find(L"Duplicate variable names:\n\nA\n"), std::wstring::npos) << Mx_String(text).toUtf8();
    EXPECT_EQ(gSSDlgsMgr.inUseCount(), 0);

    // With warnings on, the caller's equation is reported as failed as well.
    gSettings.setStandardsWarnings(true);
    ChildRun again(dir.file("caller.vls"));
    again.arg(in(L"A", L"2")).arg(in(L"B", L"3")).arg(out(L"C")).arg(out(L"R"));
    ASSERT_TRUE(again.go());
    ASSERT_EQ(driver.messageBoxes().size(), 3u);
    EXPECT_EQ(driver.messageBoxes()[2].text.rfind(L"The following equation failed:\nX = CallChild(Dup.vls", 0), 0u);
}

TEST_F(StandardsRun, CallChildCycleIsRefused) {
    // a -> b -> a: the second call of a is refused, so b's call fails and a's call of b fails too.
    const std::string body = "Input\t\nDouble A\t\nOutput\t\nDouble R\t\nCalc\t\n";
    dir.write("a.vls", body + "X = CallChild(b.vls, A, R)\t\n");
    dir.write("b.vls", body + "X = CallChild(a.vls, A, R)\t\nR = A + 1\t\n");
    ChildRun run(dir.file("a.vls"));
    run.arg(in(L"A", L"1")).arg(out(L"R"));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(1).toDouble(), 2.0);  // b still finished its other equation
    EXPECT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(VlCalcSS::runningDepth(), 0);
}

TEST_F(StandardsRun, DeepCallChainStopsAtTheNestingLimit) {
    // s0 -> s1 -> ... -> s39: the chain is cut at 32 running sheets.
    const std::string body = "Input\t\nDouble A\t\nOutput\t\nDouble R\t\nCalc\t\n";
    for (int i = 0; i < 40; ++i)
        dir.write("s" + std::to_string(i) + ".vls",
                  body + "X = CallChild(s" + std::to_string(i + 1) + ".vls, A, R)\t\nR = R + 1\t\n");
    ChildRun run(dir.file("s0.vls"));
    run.arg(in(L"A", L"1")).arg(out(L"R"));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(1).toDouble(), static_cast<double>(VlCalcSS::kMaxNesting));
    EXPECT_GE(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(gSSDlgsMgr.inUseCount(), 0);
}

// ---- The pool

TEST_F(StandardsRun, PoolReusesItsHostDialogs) {
    dir.write("area.vls", kAreaSheet);
    for (int i = 0; i < 3; ++i) {
        ChildRun run(dir.file("area.vls"));
        run.arg(in(L"Width", L"2")).arg(in(L"Length", L"2")).arg(out(L"Area"));
        ASSERT_TRUE(run.go());
        EXPECT_EQ(run.value(2).toDouble(), 4.0);
    }
    EXPECT_EQ(gSSDlgsMgr.size(), 1);
    void* first = gSSDlgsMgr.getDlg();
    void* second = gSSDlgsMgr.getDlg();
    EXPECT_NE(first, second);
    EXPECT_EQ(gSSDlgsMgr.releaseDlg(first), Acad::eOk);
    EXPECT_EQ(gSSDlgsMgr.getDlg(), first);
    int notInPool = 0;
    EXPECT_EQ(gSSDlgsMgr.releaseDlg(&notInPool), Acad::eInvalidInput);
    gSSDlgsMgr.destroyAll();
    EXPECT_EQ(gSSDlgsMgr.size(), 0);
}

// One pooled grid runs sheet after sheet: what it keeps of a sheet's equations must follow the sheet
// it has now, its variables' cells and the general variables of the run.
TEST_F(StandardsRun, APooledGridFollowsEachSheetAndRun) {
    dir.write("area.vls", kAreaSheet);
    // The same equation text, the variables in other cells, and a general variable.
    dir.write("shifted.vls",
              "Note\tInput\t\n"
              "\tDouble Length\tDouble Width\n"
              "Output\t\t\n"
              "\t\tDouble Area\n"
              "Calc\t\t\n"
              "Area = Width * Length + gen_Extra\t\t\n");
    const auto area = [&](const char* sheet, const wchar_t* width, const wchar_t* length, const wchar_t* extra) {
        ChildRun run(dir.file(sheet));
        if (std::string(sheet) == "shifted.vls")
            run.arg(in(L"Length", length)).arg(in(L"Width", width)).arg(out(L"Area"));
        else
            run.arg(in(L"Width", width)).arg(in(L"Length", length)).arg(out(L"Area"));
        run.data.genVarNames.append(Mx_String(L"gen_Extra"));
        run.data.genVarValues.append(Mx_String(extra));
        EXPECT_TRUE(run.go()) << sheet;
        return run.value(2).toDouble();
    };
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(area("area.vls", L"3", L"4", L"0"), 12.0);
        EXPECT_EQ(area("shifted.vls", L"3", L"4", L"0.5"), 12.5);
        EXPECT_EQ(area("shifted.vls", L"2", L"5", L"1"), 11.0);
        EXPECT_EQ(area("area.vls", L"2", L"5", L"7"), 10.0);
    }
    EXPECT_EQ(gSSDlgsMgr.size(), 1);

    // The sheet changed on disk between runs.
    dir.write("area.vls", std::string(kAreaSheet).replace(std::string(kAreaSheet).find("Width * Length"), 14,
                                                          "Width + Length"));
    EXPECT_EQ(area("area.vls", L"3", L"4", L"0"), 7.0);
    EXPECT_TRUE(driver.messageBoxes().empty());
}

// ---- Standards functions

TEST_F(StandardsRun, DomainFunctions) {
    dir.write("plates.dat", "// key\tvalue\n\n10.000000;S235\t12// a comment\nIPE-200\tbig\n");
    const std::string file = Mx_String(dir.file("plates.dat")).toUtf8();
    dir.write("funcs.vls",
              "Input\t\t\n"
              "String List\tDouble N\t\n"
              "Output\t\t\n"
              "Double R1\tString R2\tString R3\n"
              "Double R4\tDouble R5\tDouble R6\n"
              "Double R7\tDouble R8\tString R9\n"
              "Calc\t\t\n"
              "R1 = ROUNDTO(N, 0.5)\tR2 = GETARRAYITEM(List, 4)\tR3 = GETARRAYITEM(List, 2)\n"
              "R4 = TONUMBER(\"12.5\")\tR5 = ISNULL(\"\")\tR6 = ISPOSITIVE(\"-3\")\n"
              "R7 = ISNULL(N)\tR8 = ISPOSITIVE(N)\tR9 = GETCELL(\"" + file + "\", 10, \"S235\")\n");
    ChildRun run(dir.file("funcs.vls"));
    run.arg(in(L"List", L"a;b;c", kVlString)).arg(in(L"N", L"2.3"));
    run.arg(out(L"R1")).arg(out(L"R2", kVlString)).arg(out(L"R3", kVlString));
    run.arg(out(L"R4")).arg(out(L"R5")).arg(out(L"R6"));
    run.arg(out(L"R7")).arg(out(L"R8")).arg(out(L"R9", kVlString));
    ASSERT_TRUE(run.go());
    EXPECT_EQ(run.value(2).toDouble(), 2.5);
    EXPECT_EQ(run.value(3), Mx_String());  // out of range: empty, not an error
    EXPECT_EQ(run.value(4), Mx_String(L"b"));
    EXPECT_EQ(run.value(5).toDouble(), 12.5);
    EXPECT_EQ(run.value(6).toDouble(), 1.0);
    EXPECT_EQ(run.value(7).toDouble(), 0.0);
    EXPECT_EQ(run.value(8).toDouble(), 0.0);
    EXPECT_EQ(run.value(9).toDouble(), 1.0);
    EXPECT_EQ(run.value(10), Mx_String(L"12"));
    EXPECT_TRUE(driver.messageBoxes().empty());
}

TEST(VlTolerance, NearestStandardThenStepMultiple) {
    struct Case {
        std::vector<double> standards;
        double step, value, down, up, expected;
    };
    const Case cases[] = {
        {{8, 10, 12}, 1, 10.5, 1, 1, 10},      // below is nearer
        {{8, 10, 12}, 1, 11.5, 1, 1, 12},      // above is nearer
        {{8, 12}, 1, 10, 2, 2, 8},             // tie: below wins
        {{8, 12}, 1, 10, 1, 3, 12},            // below out of tolerance
        {{20}, 5, 11, 3, 3, 10},               // no standard: nearest multiple
        {{20}, 5, 12.5, 3, 3, 10},             // tie between multiples: the lower one
        {{}, 10, 14, 1, 1, 14},                // no multiple inside: the value itself
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(VlTolerance::choose(c.standards, c.step, c.value, c.down, c.up), c.expected)
            << c.value;
}

TEST(VlWholeWord, ReplacesWholeWordsOutsideQuotes) {
    struct Case {
        const wchar_t *text, *name, *replacement;
        bool skipQuoted;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"Widths = Width + 1", L"Width", L"B5", false, L"Widths = B5 + 1"},
        {L"width*Width_2+WIDTH", L"Width", L"B5", false, L"B5*Width_2+B5"},
        {L"\"Width\" & Width", L"Width", L"B5", true, L"\"Width\" & B5"},
        {L"A+A", L"A", L"AA", false, L"AA+AA"},  // the inserted text is not searched again
    };
    for (const Case& c : cases) {
        Mx_String text(c.text);
        VlWholeWord::replace(text, Mx_String(c.name), Mx_String(c.replacement), c.skipQuoted);
        EXPECT_EQ(text, Mx_String(c.expected)) << Mx_String(c.text).toUtf8();
    }
}

TEST(VlDataFile, ParsesDataAndSizes) {
    const auto rows = VlDataFile::parseData(Mx_String(L"// head\n\na\tb\tc // note\nkey\t1\n"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1], Mx_String(L"b"));
    const auto sizes = VlDataFile::parseSizes(Mx_String(L"/* many\nlines */ 100x10\n// x\n120\n\n140 x 8 /* c */\n"));
    ASSERT_EQ(sizes.size(), 3u);
    EXPECT_EQ(sizes[0], std::make_pair(100.0, 10.0));
    EXPECT_EQ(sizes[1], std::make_pair(120.0, 0.0));
    EXPECT_EQ(sizes[2], std::make_pair(140.0, 8.0));
}

// Empty columns keep their place, whatever the line ends; a comment ends the line's columns.
TEST(VlDataFile, DataColumnsKeepTheirPlaces) {
    const auto rows = VlDataFile::parseData(Mx_String(L"a\t\tc\r\nkey\t1\t// two\r\n  \t \r\nlast\t"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], Mx_StringArray({L"a", L"", L"c"}));
    EXPECT_EQ(rows[1], Mx_StringArray({L"key", L"1", L""}));
    EXPECT_EQ(rows[2], Mx_StringArray({L"last", L""}));
}

// A stock list written on Windows: CRLF line ends, a title, a size with a comment after it, a line
// that is no size, and a last line without its line end.
TEST(VlDataFile, SizesFileKeepsWhatIsNoSizeAside) {
    const auto file = VlDataFile::parseSizesFile(
        Mx_String(L"Flat bars\r\n60x8 // stock\r\n\t\r\n180 x\r\n 70 x 10 \r\n1e1\r\n// 90x9\r\n200x12"));
    const VlDataFile::Sizes expected{{60, 8}, {70, 10}, {10, 0}, {200, 12}};
    EXPECT_EQ(file.sizes, expected);
    ASSERT_EQ(file.skipped.size(), 2u);
    EXPECT_EQ(file.skipped[0], Mx_String(L"Flat bars"));
    EXPECT_EQ(file.skipped[1], Mx_String(L"180 x"));
}

}  // namespace

// The findings a standards run leaves in an active VlRunReport: each failed equation with its cell,
// its text as written and why it failed; a mapping that could not be built, with the file and key;
// a run that failed, with its reason. The legacy message boxes stay as they are beside them.
#include <gtest/gtest.h>

#include <string>

#include "platform/arx/AcTransaction.h"
#include "platform/mxbase/Mx_Settings.h"
#include "standards/VlRunReport.h"
#include "standards/VlSSDlgsMgr.h"
#include "tests/standards/StandardsTestSupport.h"

namespace {

using standardstest::EndPlateMacro;
using standardstest::EquationSheet;
using standardstest::ScratchDir;

class RunReport : public ::testing::Test {
protected:
    void SetUp() override { gSettings.setStandardsWarnings(true); }
    void TearDown() override {
        gSSDlgsMgr.destroyAll();
        gSettings.setLibDir(Mx_String());
    }
    // The finding of the equation on `cell`, or null.
    const VlRunFinding* at(const VlRunReport& report, const std::string& cell) const {
        for (const VlRunFinding& f : report.findings())
            if (f.cell == cell) return &f;
        return nullptr;
    }
    ui::ScriptedDriver driver;
    ScratchDir dir;
};

TEST_F(RunReport, AFailedEquationSaysWhyWithItsCellAndItsTextAsWritten) {
    dir.write("bolts.dat", "M20\t147\n");
    const std::string bolts = "\"" + Mx_String(dir.file("bolts.dat")).toUtf8() + "\"";
    struct Case {
        std::string expression, cause;
    } const cases[] = {
        {"Width / 0", "#DIV/0!"},
        {"Missing + 1", "#NAME?: unknown name Missing"},
        {"SQUARE(Width)", "#NAME?: unknown function SQUARE"},
        {"GETCELL(\"NoSuch.dat\", \"M20\")", "data file \"NoSuch.dat\" not found"},
        {"GETCELL(" + bolts + ", \"M99\")", "key \"M99\" not in " + bolts},
        {"TONUMBER(\"abc\")", "\"abc\" is not a number"},
        {"ROUNDTO(Width)", "cannot be read as a formula: wrong number of arguments to ROUNDTO at column 1 of \"ROUNDTO(A2)\""},
        {"Width * (2 +", "cannot be read as a formula: unexpected end of formula"},
        {"Width + 1", ""},  // computes: no finding
    };
    EquationSheet sheet;
    sheet.input(L"Width", L"20");
    for (const Case& c : cases) sheet.equation(c.expression);
    VlRunReport report;
    {
        VlRunReportScope scope(report);
        ASSERT_TRUE(sheet.run(dir, driver));
    }
    // Input on row 2; outputs R_1.. from row 4; Calc below them; equations from the row after.
    const int firstRow = 4 + static_cast<int>(std::size(cases)) + 1;
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        SCOPED_TRACE(cases[k].expression);
        const VlRunFinding* f = at(report, "A" + std::to_string(firstRow + static_cast<int>(k)));
        if (cases[k].cause.empty()) {
            EXPECT_EQ(f, nullptr);
            continue;
        }
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->kind, "equation-failed");
        EXPECT_TRUE(f->isError());
        EXPECT_EQ(f->equation, "R_" + std::to_string(k + 1) + " = " + cases[k].expression);
        EXPECT_EQ(f->cause.substr(0, cases[k].cause.size()), cases[k].cause);
        // The legacy box is the finding's text, unchanged.
        EXPECT_EQ(f->text.rfind("The following equation failed:\nR_", 0), 0u) << f->text;
        EXPECT_TRUE(sheet.failed(static_cast<int>(k)));
    }
    EXPECT_EQ(report.findings().size(), std::size(cases) - 1);
}

TEST_F(RunReport, FindingsAreKeptWithWarningsOffAndNotWithoutAReport) {
    gSettings.setStandardsWarnings(false);
    EquationSheet sheet;
    sheet.input(L"Width", L"20");
    sheet.equation("Width / 0");
    VlRunReport report;
    {
        VlRunReportScope scope(report);
        ASSERT_TRUE(sheet.run(dir, driver));
    }
    EXPECT_TRUE(sheet.messages().empty());  // no box: the switch is off
    ASSERT_EQ(report.findings().size(), 1u);
    EXPECT_EQ(report.findings()[0].cause, "#DIV/0!");
    // Without a scope nobody collects, and nothing is left for the next report.
    ASSERT_TRUE(sheet.run(dir, driver));
    VlRunReport later;
    VlRunReportScope scope(later);
    EXPECT_TRUE(later.findings().empty());
    EXPECT_EQ(vlTakeCause(), "");
}

TEST_F(RunReport, AMappingThatCannotBeBuiltLeavesAnErrorNamingFileAndKey) {
    // The sheet lies in the scratch folder; its mapping file beside it.
    dir.write("Plate.vls", "connsheet-grid 1\nsheet cols=2 rows=7\ncell A1 data=\"Input\"\n"
                           "cell A2 data=\"Double Thickness\"\ncell A3 data=\"Output\"\ncell A4 data=\"Double Width\"\n"
                           "cell A6 data=\"Calc\"\ncell A7 data=\"Width = Thickness * 10\"\n");
    struct Case {
        const char* mapFile;  // null: none
        const wchar_t* key;
        std::string cause;
    } const cases[] = {
        {nullptr, L"EndPlate", "mapping file \"" + Mx_String(dir.file("Plate.map")).toUtf8() + "\" not found"},
        {"Mapping version 1.0\nOther=Width\xC6\x92Plates\" Distance Width\n", L"EndPlate",
         "key \"EndPlate\" not in mapping file \"" + Mx_String(dir.file("Plate.map")).toUtf8() + "\""},
        {"Mapping version 1.0\nOther=x\n", L"", "no target to look up in mapping file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cause);
        if (c.mapFile) dir.write("Plate.map", c.mapFile);
        EndPlateMacro macro;
        AcTransaction transaction;
        VlDlgStandardsData data;
        ASSERT_EQ(data.initialize(&macro.macro, dir.file("Plate.vls"), Mx_String(c.key), &macro.data), Acad::eOk);
        data.transaction = &transaction;
        VlRunReport report;
        {
            VlRunReportScope scope(report);
            // The run goes on without a mapping, as it always has.
            ASSERT_TRUE(StartDlgStandardsSS(data));
        }
        ASSERT_FALSE(report.findings().empty());
        const VlRunFinding& f = report.findings()[0];
        EXPECT_EQ(f.kind, "mapping");
        EXPECT_TRUE(f.isError());
        EXPECT_EQ(f.cause.substr(0, c.cause.size()), c.cause);
    }
}

TEST_F(RunReport, AFailedRunSaysWhyAndAFailedChildNamesItsSheet) {
    dir.write("NoCalc.vls", "connsheet-grid 1\nsheet cols=1 rows=4\ncell A1 data=\"Input\"\ncell A2 data=\"Double A\"\n"
                            "cell A3 data=\"Output\"\ncell A4 data=\"Double B\"\n");
    VlDlgStandardsData data;
    data.mode = VlDlgStandardsData::kChildRun;
    data.standardsFile = dir.file("NoCalc.vls");
    data.varCells.append(VlVarCell(L"A", kVlInput, kVlDouble, 0, 0, L"1"));
    data.varCells.append(VlVarCell(L"B", kVlOutput, kVlDouble, 0, 0, L""));
    VlRunReport report;
    {
        VlRunReportScope scope(report);
        EXPECT_FALSE(StartDlgStandardsSS(data));
    }
    ASSERT_EQ(report.findings().size(), 1u);
    EXPECT_EQ(report.findings()[0].kind, "run-failed");
    EXPECT_EQ(report.findings()[0].cause, "no \"Calc\" section");

    // Called from an equation, the child's failure is that equation's cause.
    EquationSheet sheet;
    sheet.input(L"A", L"1");
    const std::string child = Mx_String(dir.file("NoCalc.vls")).toUtf8();
    sheet.equation("CallChild(\"" + child + "\", A, R_1)");
    sheet.equation("CallChild(\"Absent.vls\", A, R_2)");
    VlRunReport parent;
    {
        VlRunReportScope scope(parent);
        ASSERT_TRUE(sheet.run(dir, driver));
    }
    ASSERT_EQ(parent.findings().size(), 2u);
    EXPECT_EQ(parent.findings()[0].cause, "CallChild: the run of " + child + " failed: no \"Calc\" section");
    EXPECT_EQ(parent.findings()[1].cause, "CallChild: sheet \"Absent.vls\" not found");
}

TEST_F(RunReport, ToleranceWarningsAreFindingsOfTheirEquation) {
    dir.write("plates.siz", "10\n12\n");
    EquationSheet sheet;
    sheet.equation("STDSIZEWITHTOLERANCE(\"" + Mx_String(dir.file("plates.siz")).toUtf8() + "\", 1, 11, 0, 0)");
    VlRunReport report;
    {
        VlRunReportScope scope(report);
        ASSERT_TRUE(sheet.run(dir, driver));
    }
    ASSERT_EQ(report.findings().size(), 1u);
    const VlRunFinding& f = report.findings()[0];
    EXPECT_EQ(f.kind, "tolerance");
    EXPECT_FALSE(f.isError());
    EXPECT_EQ(f.equation.rfind("R_1 = STDSIZEWITHTOLERANCE(", 0), 0u) << f.equation;
    EXPECT_EQ(f.text.rfind("Invalid tolerances provided.", 0), 0u) << f.text;
}

}  // namespace

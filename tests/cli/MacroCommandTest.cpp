// connsheet macro: the dialog on a macro file, driven by a step file; its edits land in the file.
#include <gtest/gtest.h>

#include "CommandRun.h"
#include "MacroFileTest.h"

namespace {

class MacroCommandTest : public MacroFileTest {};

}  // namespace

TEST_F(MacroCommandTest, StepsEditTheMacroFileAndTheLogSaysWhatTheDialogDid) {
    const std::string steps = file("edit.steps",
                                   "# a thicker end plate, seen in the compact view of the bolts\n"
                                   "type 33006 \"22\\n\"\n"
                                   "select 8097 1\n"
                                   "click 1182\n");
    const CommandRun run = runConnsheet({"macro", macro_, "--steps", steps, "--log"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(macroText().find("\"value\": 22"), std::string::npos);
    EXPECT_NE(run.out.find("UpdateModule EndPlate changed=0 removed=- objects=1 -> ok\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("changeView EndPlateBolts 0\n"), std::string::npos);
    EXPECT_NE(run.out.find("acedPostCommand CANCELCMD\n"), std::string::npos);
}

TEST_F(MacroCommandTest, DumpShowsTheDialogAfterTheSteps) {
    const std::string steps = file("tab.steps", "select 8097 2\n");
    const CommandRun run = runConnsheet({"macro", macro_, "--steps", steps, "--dump"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"EndPlateBeamToColumn\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("tabs=3 sel=2"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("ComboBox #1221 \"PL-10x95\""), std::string::npos);
}

TEST_F(MacroCommandTest, ProblemsAreReportedWithTheFileTheyCameFrom) {
    const std::string before = macroText();
    const std::string steps = file("bad.steps", "click 4711\n");
    CommandRun run = runConnsheet({"macro", macro_, "--steps", steps});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("bad.steps: "), std::string::npos) << run.err;
    EXPECT_EQ(macroText(), before);

    run = runConnsheet({"macro", file("broken.json", "{\"version\": 1, \"modules\": 3}")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("broken.json: /modules: "), std::string::npos) << run.err;

    run = runConnsheet({"macro", macro_, "--steps", file("wrong.steps", "frobnicate 3\n")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("wrong.steps:1:"), std::string::npos) << run.err;
}

TEST_F(MacroCommandTest, StepsThatCloseTheDialogLeaveNothingToShow) {
    const std::string steps = file("close.steps", "type 33001 \"210\\n\"\nclick IDOK\n");
    const CommandRun run = runConnsheet({"macro", macro_, "--steps", steps, "--dump"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(macroText().find("\"value\": 210"), std::string::npos);
}

TEST_F(MacroCommandTest, LoadFromStandardsRunsTheSheetAndThePagesShowItsResults) {
    const std::string library = std::string(CONNSHEET_SOURCE_DIR) + "/examples/library";
    const std::string steps = file("standards.steps", "click 1185\n");
    const CommandRun run = runConnsheet({"--lib", library, "macro", macro_, "--standards",
                                         "EndPlateBeamToColumn", "--steps", steps, "--dump", "--log"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("loadFromStandards -> ok\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Edit #33001 \"180\""), std::string::npos) << "the sheet's plate width";
    EXPECT_NE(macroText().find("\"value\": 180"), std::string::npos) << "written into the drawing";

    const CommandRun without = runConnsheet({"macro", macro_, "--steps", steps, "--log"});
    EXPECT_NE(without.out.find("loadFromStandards -> no standards\n"), std::string::npos) << without.out;
    EXPECT_EQ(runConnsheet({"--lib", library, "macro", macro_, "--standards", "NoSuchSheet"}).status, 2);
}

TEST_F(MacroCommandTest, ABoltDiameterEditedOnItsPageIsWhatTheStandardWorksFrom) {
    const std::string library = std::string(CONNSHEET_SOURCE_DIR) + "/examples/library";
    // The bolt page's diameter field has the same id as a label of the hidden plate page: the field
    // the user sees is the one typed into.
    const std::string steps = file("m24.steps", "select 8097 1\ntype 33007 \"24\\n\"\nclick 1185\n");
    const CommandRun run = runConnsheet({"--lib", library, "macro", macro_, "--standards",
                                         "EndPlateBeamToColumn", "--steps", steps, "--dump", "--log"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("UpdateModule EndPlateBolts changed=-10 removed=- objects=1 -> ok\n"
                           "clashcheck -1 off\nloadFromStandards -> ok\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Edit #33007 \"24\""), std::string::npos);
    EXPECT_NE(run.out.find("Edit #33006 \"20\""), std::string::npos) << "the plate thickness for M24";
    const std::string text = macroText();
    EXPECT_NE(text.find("\"diameter\": \"24\""), std::string::npos);
    EXPECT_NE(text.find("\"name\": \"Gauge\",\n          \"value\": 90.0"), std::string::npos) << text;
}

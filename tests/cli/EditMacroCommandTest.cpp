// connsheet edit-macro: the macro editor on a macro file, driven by a step file and the user's picks;
// its changes land in the file.
#include <gtest/gtest.h>

#include "CommandRun.h"
#include "MacroFileTest.h"

namespace {

class EditMacroCommandTest : public MacroFileTest {
protected:
    EditMacroCommandTest() : MacroFileTest("tests/data/macros/StiffenedEndPlate.json", "Stiffened.json") {}
};

}  // namespace

TEST_F(EditMacroCommandTest, PicksGoToTheCommandsInOrderAndTheLogSaysWhatHappened) {
    const std::string steps = file("add.steps",
                                   "# a tangent on the stiffener module, then a module of its own\n"
                                   "select 8097 3\n"
                                   "click 1028\n"
                                   "select 8097 3\n"
                                   "click 1035\n");
    const CommandRun run = runConnsheet({"edit-macro", macro_, "--module", "Stiffeners", "--steps", steps,
                                         "--pick", "StiffenerEdge", "--pick", "Cleat,CleatEdge", "--log"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("StartMacroCommand 4 Stiffeners -> refused: invalid\n"), std::string::npos)
        << "a tangent ties two objects" << run.out;
    EXPECT_NE(run.out.find("StartMacroCommand 11 Stiffeners -> ok\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("BeginEditorCommand\n"), std::string::npos);
    EXPECT_NE(macroText().find("\"name\": \"Cleat\""), std::string::npos);
    EXPECT_NE(macroText().find("\"name\": \"CleatEdge\""), std::string::npos);
}

TEST_F(EditMacroCommandTest, UnreadableInputIsAUsageError) {
    const std::string before = macroText();
    EXPECT_EQ(runConnsheet({"edit-macro", (dir_ / "missing.json").string()}).status, 2);
    const std::string steps = file("bad.steps", "wiggle 1024\n");
    const CommandRun run = runConnsheet({"edit-macro", macro_, "--steps", steps});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("bad.steps:1:"), std::string::npos) << run.err;
    const std::string hidden = file("hidden.steps", "click 1024\n");  // on a page not shown
    const CommandRun problem = runConnsheet({"edit-macro", macro_, "--steps", hidden});
    EXPECT_EQ(problem.status, 1);
    EXPECT_NE(problem.err.find("control 1024 is hidden"), std::string::npos) << problem.err;
    EXPECT_EQ(macroText(), before);
}

// connsheet cuts: the cuts dialogs on a macro file, driven by a step file; removed cuts leave the file.
#include <gtest/gtest.h>

#include "CommandRun.h"
#include "MacroFileTest.h"

namespace {

class CutsCommandTest : public MacroFileTest {};

}  // namespace

TEST_F(CutsCommandTest, ARemovedCutLeavesTheFileAndTheOptionComesBackOnClose) {
    const std::string steps = file("remove.steps", "select 1339 1\nclick 1087\nclick 1340\nclick IDOK\n");
    const CommandRun run = runConnsheet({"cuts", macro_, "--profile", "1", "--steps", steps, "--log"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(macroText().find("CornerChamfer"), std::string::npos);
    EXPECT_NE(macroText().find("BeamEndCut"), std::string::npos);
    EXPECT_NE(run.out.find("result: OK\npreview: 0\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("removeCut 1 EndPlate/CornerChamfer -> ok\n"), std::string::npos) << run.out;
}

TEST_F(CutsCommandTest, ANewCutIsPrintedOnOkAndRefusalsAreListed) {
    const std::string steps =
        file("new.steps", "click IDOK\ntype 1282 \"TopNotch\"\nselect 1284 5\nclick IDOK\n");
    const CommandRun run = runConnsheet({"cuts", macro_, "--new", "--steps", steps});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("result: OK\nflag: 0\nname: TopNotch\nkind: 5\nparameter: Radius = 10\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("macro: 1 EndPlateBeamToColumn\n"), std::string::npos);
    EXPECT_NE(run.out.find("message: Name missing: Please enter a name for the cut.\n"), std::string::npos);
}

TEST_F(CutsCommandTest, WrongArgumentsAreRefusedBeforeAnyDialogOpens) {
    EXPECT_EQ(runConnsheet({"cuts", macro_, "--profile", "9"}).status, 2)
        << "the end plate has 3 named profiles";
    EXPECT_EQ(runConnsheet({"cuts", macro_, "--cut", "NoSuchCut"}).status, 2);
    const CommandRun pick = runConnsheet({"cuts", macro_, "--profile", "1", "--pick", "EndPlate"});
    EXPECT_EQ(pick.status, 2);
    EXPECT_NE(pick.err.find("expected OBJECT:PROFILE"), std::string::npos) << pick.err;
    EXPECT_EQ(runConnsheet({"cuts", macro_, "--new", "--pick", "1,x"}).status, 2);
}

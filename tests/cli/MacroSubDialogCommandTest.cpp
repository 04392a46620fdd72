// connsheet macro --bolt-advanced / --pattern: a sub-dialog on a macro file; each apply lands in the file.
#include <gtest/gtest.h>

#include "CommandRun.h"
#include "MacroFileTest.h"

namespace {

class MacroSubDialogCommandTest : public MacroFileTest {};

}  // namespace

TEST_F(MacroSubDialogCommandTest, BoltSettingsChangedInTheDialogAreInTheFile) {
    const std::string steps = file("bolts.steps",
                                   "select 1091 \"M24 10.9 HV\"\n"
                                   "click 1115\n"
                                   "type 1104 \"3\"\n"
                                   "click 1\n");
    const CommandRun run = runConnsheet({"macro", macro_, "--bolt-advanced", "--steps", steps, "--log"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string text = macroText();
    EXPECT_NE(text.find("\"composition\": \"M24 10.9 HV\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"countersunk\": \"on\""), std::string::npos);
    EXPECT_NE(text.find("\"holeTolerance\": \"3\""), std::string::npos);
    EXPECT_NE(run.out.find("UpdateModule EndPlateBolts changed=-10 removed=- objects=1 -> ok\n"),
              std::string::npos)
        << run.out;
}

TEST_F(MacroSubDialogCommandTest, APatternsNewCountIsInTheFileAndAnUnknownPatternIsRefused) {
    const std::string steps = file("pattern.steps", "type 1266 \"5\"\nclick 1447\nclick 1\n");
    const CommandRun run = runConnsheet({"macro", macro_, "--pattern", "BoltRows", "--steps", steps});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string text = macroText();
    EXPECT_NE(text.find("\"nrBolts1\": \"5\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"alternation\": 3"), std::string::npos);

    const std::string before = macroText();
    const CommandRun unknown = runConnsheet({"macro", macro_, "--pattern", "Nope"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("the macro has no bolt pattern \"Nope\""), std::string::npos) << unknown.err;
    EXPECT_EQ(macroText(), before);
}

#include "cli/Connsheet.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/cli/CommandRun.h"

namespace {

const std::string kLibrary = CONNSHEET_SOURCE_DIR "/examples/library/";
const char* const kSubcommands[] = {"texts", "calc", "run", "eval", "check", "show", "sheets", "batch"};

// The command lines that do not name a known subcommand still see every one of them.
TEST(Connsheet, HelpAndUnknownNamesListEverySubcommand) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"--help"}, {"--lib", "run"}}) {
        const CommandRun r = runConnsheet(args);
        EXPECT_EQ(r.status, 0) << r.err;
        for (const char* name : kSubcommands)
            EXPECT_NE(r.out.find(std::string("  ") + name + " "), std::string::npos) << name << " in\n"
                                                                                     << r.out;
    }
    const CommandRun unknown = runConnsheet({"runn", "EndPlateBeamToColumn"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("runn"), std::string::npos) << unknown.err;
}

// The subcommand is found past the top-level options, whatever their values look like.
TEST(Connsheet, FindsTheSubcommandPastTopLevelOptions) {
    const CommandRun sheets = runConnsheet({"--lib", kLibrary, "sheets"});
    EXPECT_EQ(sheets.status, 0) << sheets.err;
    EXPECT_NE(sheets.out.find("EndPlateBeamToColumn"), std::string::npos) << sheets.out;

    // "--lib sheets" names a folder, not the subcommand: the one after it is meant.
    const CommandRun texts = runConnsheet({"--lib", "sheets", "texts", "1"});
    EXPECT_EQ(texts.status, 0) << texts.err;
    EXPECT_EQ(texts.out.find("EndPlateBeamToColumn"), std::string::npos) << texts.out;

    // A subcommand's own help is its own, and another subcommand's name after it is no subcommand.
    const CommandRun help = runConnsheet({"run", "--help"});
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_NE(help.out.find("--macro"), std::string::npos) << help.out;
    const CommandRun extra = runConnsheet({"--lib", kLibrary, "sheets", "calc"});
    EXPECT_EQ(extra.status, 2) << extra.out;
}

}  // namespace

// connsheet help and mistyped commands.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli/CommandRun.h"

TEST(HelpCommand, HelpOfOneCommandAndNearMisses) {
    CommandRun help = runConnsheet({"help", "run"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: run [OPTIONS] SHEET"), std::string::npos) << help.out;
    EXPECT_NE(runConnsheet({"help"}).out.find("convert"), std::string::npos);

    struct Typo {
        std::vector<std::string> args;
        const char* message;
    } const typos[] = {
        {{"chek", "FinPlate"}, "unknown command \"chek\" (did you mean \"check\"?)"},
        {{"--lib", "run", "tset"},
         "unknown command \"tset\" (did you mean \"test\"?)"},  // "run" is --lib's value
        {{"help", "conver"}, "unknown command \"conver\" (did you mean \"convert\"?)"},
        {{"frobnicate"}, "unknown command \"frobnicate\"; "},
    };
    for (const Typo& t : typos) {
        CommandRun r = runConnsheet(t.args);
        EXPECT_EQ(r.status, 2) << t.message;
        EXPECT_NE(r.err.find(t.message), std::string::npos) << r.err;
    }
}

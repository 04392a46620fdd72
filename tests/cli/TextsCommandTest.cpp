#include <gtest/gtest.h>

#include <sstream>

#include "tests/cli/CommandRun.h"

namespace {

CommandRun runCommand(std::vector<std::string> args) { return runConnsheet(std::move(args)); }
using Result = CommandRun;

}  // namespace

TEST(ConnsheetCommand, VersionHelpAndUsageErrors) {
    Result version = runCommand({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find("connsheet 0."), std::string::npos);

    Result help = runCommand({});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("texts"), std::string::npos);

    Result bad = runCommand({"--no-such-option"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_FALSE(bad.err.empty());

    Result missing = runCommand({"texts"});
    EXPECT_EQ(missing.status, 2);
}

TEST(ConnsheetCommand, TextsPrintsKnownTextsAndVisiblePlaceholders) {
    Result r = runCommand({"texts", "1764", "987654"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1764\tGeneral variables\n987654\t<text 987654>\n");
}

// connsheet read (the formulas dialog's reading of a whole sheet) and connsheet show NUMBER --sheet
// (the formulas, string-table and find/replace dialogs opened on a sheet).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/mfc/WindowRenderer.h"
#include "tests/cli/CommandRun.h"
#include "tests/cli/ScratchFolder.h"

namespace {

class ReadCommand : public ScratchFolderTest {};

const char* kPlates =
    "connsheet-grid 1\nsheet cols=2 rows=3\n"
    "cell A* data=\"Plate\"\ncell B* data=\"t\"\n"
    "cell A1 data=\"End \\\"plates\\\"\"\ncell B1 formula=\"B2+B3\"\n"
    "cell A2 data=\"P1\\tx\"\ncell B2 data=\"10\"\n"
    "cell A3 data=\"P2\"\ncell B3 data=\"12\"\n";

TEST_F(ReadCommand, JsonHoldsTitleColumnsAndRows) {
    const std::string sheet = file("plates.vls", kPlates);
    const CommandRun run = runConnsheet({"read", sheet, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["title"], "End \"plates\"");
    EXPECT_EQ(json["columns"], nlohmann::json::parse(R"(["Plate", "t"])"));
    EXPECT_EQ(json["rows"],
              nlohmann::json::parse(R"([["End \"plates\"", "22"], ["P1\tx", "10"], ["P2", "12"]])"));
    EXPECT_EQ(run.out.find("Loading spreadsheet"), std::string::npos) << "the host's line is no part of it";
}

TEST_F(ReadCommand, TextIsTabSeparatedAndAMissingOrBadSheetFails) {
    const CommandRun run = runConnsheet({"read", file("plates.vls", kPlates)});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "title\tEnd \"plates\"\nPlate\tt\nEnd \"plates\"\t22\nP1\\tx\t10\nP2\t12\n")
        << "a tab inside a text is shown escaped";

    EXPECT_EQ(runConnsheet({"read", (dir_ / "absent.vls").string()}).status, 2);
    const CommandRun bad =
        runConnsheet({"read", file("bad.vls", "connsheet-grid 1\ncell A1 formula=\"(\"\n")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("cannot load the sheet"), std::string::npos) << bad.err;
}

TEST_F(ReadCommand, ShowOpensTheFormulaDialogsOnASheet) {
    const std::string sheet = file("plates.vls", kPlates);
    const std::string steps = file("steps.txt", "type 1207 \"P\"\ntype 1209 \"Q\"\nclick 1205\n");
    CommandRun run = runConnsheet({"show", "218", "--sheet", sheet, "--steps", steps});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Edit #1207 \"P\""), std::string::npos) << run.out;

    run = runConnsheet({"show", "133", "--sheet", sheet, "--cell", "2", "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Edit #1000 \"" + sheet + "\""), std::string::npos) << run.out;

    const std::string png = (dir_ / "table.png").string();
    run = runConnsheet({"show", "208", "--sheet", sheet, "--png", png});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(ui::readPng(png, nullptr));

    run = runConnsheet({"show", "9002", "--sheet", sheet});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("takes no --sheet"), std::string::npos) << run.err;
}

}  // namespace

namespace {

// A standards sheet that looks the hole up in the bundled bolt table: the lookup's line on the host's
// command line goes to stderr, so the JSON on stdout stays whole.
TEST_F(ReadCommand, FromTableInAStandardsSheetKeepsTheJsonWhole) {
    const std::string table =
        CONNSHEET_SOURCE_DIR "/examples/library/Connection Standards/Data/BoltHoles.sss";
    const std::string sheet = file("lookup.vls",
                                   "Input\t\nString Bolt\t\nOutput\t\nDouble Hole\t\nCalc\t\n"
                                   "Hole = FROMTABLE(\"" +
                                       table + "\", \"size\", \"HOLE\", Bolt)\t\n");
    const CommandRun run = runConnsheet({"eval", sheet, "Bolt=m24", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["ok"], true);
    EXPECT_NE(run.out.find("26"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("Result is long: 26"), std::string::npos) << run.err;
}

}  // namespace

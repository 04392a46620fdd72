// connsheet eval: a sheet run as a child, its inputs from the command line.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "tests/cli/CommandRun.h"

namespace {

const std::string kLibrary = CONNSHEET_SOURCE_DIR "/examples/library/";

using Result = CommandRun;

Result connsheet(std::vector<std::string> args) {
    args.insert(args.begin(), {"--lib", kLibrary});
    return runConnsheet(std::move(args));
}

TEST(EvalCommand, BoltLayoutFollowsTheHoleDiameter) {
    struct Case {
        std::vector<std::string> inputs;
        double edge, pitch;
    } cases[] = {
        {{"BoltDiameter=20", "HoleOffset=2"}, 35, 70},  // d0 22: 1.5 d0 = 33, 3 d0 = 66, up to 5 mm
        {{"BoltDiameter=16", "HoleOffset=2"}, 30, 55},  // d0 18
        // No hole offset: normal clearance, 3 mm above M24.
        {{"BoltDiameter=30"}, 50, 100},  // d0 33
        {{"BoltDiameter=24"}, 40, 80},   // d0 26
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"eval", "Childs/BoltLayout.vls"};
        args.insert(args.end(), c.inputs.begin(), c.inputs.end());
        args.push_back("--json");
        SCOPED_TRACE(c.inputs[0]);
        Result r = connsheet(args);
        ASSERT_EQ(r.status, 0) << r.err << r.out;
        nlohmann::json document = nlohmann::json::parse(r.out);
        EXPECT_TRUE(document.at("ok"));
        std::map<std::string, nlohmann::json> byName;
        for (const auto& v : document.at("variables")) byName[v.at("name")] = v;
        EXPECT_DOUBLE_EQ(std::stod(byName.at("EdgeDistance").at("value").get<std::string>()), c.edge);
        EXPECT_DOUBLE_EQ(std::stod(byName.at("Pitch").at("value").get<std::string>()), c.pitch);
        EXPECT_EQ(byName.at("BoltDiameter").at("section"), "input");
        EXPECT_EQ(byName.at("BoltDiameter").at("type"), "double");
        EXPECT_EQ(byName.at("BoltDiameter").at("cell"), "A5");
    }
}

TEST(EvalCommand, LocalsArePrintedAndGeneralVariablesReplaced) {
    // The base plate's embedment length depends on gen_ConcreteGrade; its locals show in the listing.
    Result r = connsheet({"eval", "BasePlate", "ColumnSection=HE 200 B", "AnchorDiameter=20", "HoleOffset=",
                          "--gen", "gen_ConcreteGrade=35"});
    ASSERT_EQ(r.status, 0) << r.err << r.out;
    std::istringstream lines(r.out);
    std::string line;
    bool found = false;
    while (std::getline(lines, line)) {
        if (line.find(" ColumnName ") == std::string::npos) continue;
        found = true;
        EXPECT_EQ(line.rfind("local ", 0), 0u) << line;
        EXPECT_NE(line.find("HEB-200"), std::string::npos) << line;  // GETSYSNAME of the display name
    }
    EXPECT_TRUE(found) << r.out;
    EXPECT_NE(r.out.find("EmbedmentLength"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");
}

TEST(EvalCommand, UnknownInputsAndBadArgumentsAreUsageErrors) {
    EXPECT_EQ(connsheet({"eval", "Childs/BoltLayout.vls", "Diameter=20"}).status, 2);
    EXPECT_EQ(connsheet({"eval", "Childs/BoltLayout.vls", "BoltDiameter"}).status, 2);
    // An output is not an input: it cannot be given.
    EXPECT_EQ(connsheet({"eval", "Childs/BoltLayout.vls", "Pitch=3"}).status, 2);
    EXPECT_EQ(connsheet({"eval", "Childs/NoSuchSheet.vls"}).status, 1);
}

}  // namespace

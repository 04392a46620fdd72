// What every standards command promises about its output: warnings are objects with their place,
// tables keep a value on its line, CSV quotes what it must, --quiet prints only errors.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "tests/cli/CommandRun.h"

namespace {

namespace fs = std::filesystem;

const std::string kLibrary = CONNSHEET_SOURCE_DIR "/examples/library/";

class OutputContract : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("connsheet-contract-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        // A string input echoed to an output, and an equation that fails on row 8.
        sheet_ = (dir_ / "Echo.vls").string();
        std::ofstream(sheet_)
            << "connsheet-grid 1\nsheet cols=2 rows=8\n"
               "cell A1 data=\"Input\"\ncell A2 data=\"String Note\"\n"
               "cell A3 data=\"Output\"\ncell A4 data=\"String Copy\"\ncell B4 data=\"Double Bad\"\n"
               "cell A6 data=\"Calc\"\ncell A7 data=\"Copy = Note\"\n"
               "cell A8 data=\"Bad = Missing + 1\"\n";
    }
    void TearDown() override { fs::remove_all(dir_); }
    CommandRun eval(std::vector<std::string> extra) {
        std::vector<std::string> args{"--lib", kLibrary, "eval", sheet_, "Note=tab\there, line\nbreak"};
        args.insert(args.end(), extra.begin(), extra.end());
        return runConnsheet(args);
    }
    fs::path dir_;
    std::string sheet_;
};

TEST_F(OutputContract, WarningsAreObjectsWithTheirPlace) {
    CommandRun r = eval({"--json"});
    EXPECT_EQ(r.status, 1);
    const auto document = nlohmann::json::parse(r.out);
    ASSERT_EQ(document["warnings"].size(), 1u) << r.out;
    const auto& w = document["warnings"][0];
    EXPECT_EQ(w["kind"], "equation-failed");
    EXPECT_EQ(w["cell"], "A8");
    EXPECT_EQ(w["row"], 8);
    EXPECT_EQ(w["equation"], "Bad = Missing + 1");
    EXPECT_NE(w["cause"].get<std::string>().find("Missing"), std::string::npos) << w;
    EXPECT_NE(w["sheet"].get<std::string>().find("Echo.vls"), std::string::npos) << w;
    EXPECT_NE(w["text"].get<std::string>().find("The following equation failed"), std::string::npos) << w;
}

TEST_F(OutputContract, TablesEscapeAndCsvQuotes) {
    CommandRun table = eval({});
    EXPECT_NE(table.out.find("output   string  Copy  tab\\there, line\\nbreak\n"), std::string::npos)
        << table.out;

    CommandRun csv = eval({"--csv"});
    EXPECT_NE(csv.out.find("section,type,name,value,cell\n"), std::string::npos) << csv.out;
    EXPECT_NE(csv.out.find("output,string,Copy,\"tab\there, line\nbreak\",A4\n"), std::string::npos)
        << csv.out;
    EXPECT_NE(csv.out.find("output,double,Bad,,B4\n"), std::string::npos) << csv.out;
    EXPECT_EQ(eval({"--csv", "--json"}).status, 2);
}

TEST_F(OutputContract, QuietPrintsOnlyErrors) {
    CommandRun quiet = eval({"--quiet"});
    EXPECT_EQ(quiet.status, 1);
    EXPECT_EQ(quiet.out, "");
    EXPECT_EQ(quiet.err.find("warning:"), std::string::npos) << quiet.err;
    EXPECT_NE(quiet.err.find("A8: error:"), std::string::npos) << quiet.err;

    CommandRun fine =
        runConnsheet({"--lib", kLibrary, "eval", "Childs/BoltLayout.vls", "BoltDiameter=20", "--quiet"});
    EXPECT_EQ(fine.status, 0);
    EXPECT_EQ(fine.out + fine.err, "");
}

}  // namespace

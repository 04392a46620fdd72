// connsheet test: case files are read strictly, every case runs as eval or run would, and a wrong
// output is shown with what was expected, what came and the tolerance.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/StandardsCase.h"
#include "tests/cli/CommandRun.h"

namespace {

namespace fs = std::filesystem;

const std::string kLibrary = CONNSHEET_SOURCE_DIR "/examples/library/";

// The table with each run of blanks made one, so that a check does not depend on column widths.
std::string squeezed(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ' || out.empty() || out.back() != ' ') out += c;
    return out;
}

class TestCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("connsheet-test-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string file(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return (dir_ / name).string();
    }
    CommandRun test(std::vector<std::string> args) {
        args.insert(args.begin(), {"--lib", kLibrary, "test"});
        return runConnsheet(args);
    }
    fs::path dir_;
};

TEST_F(TestCommand, BundledCasesPass) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(kLibrary + "tests"))
        files.push_back(entry.path().string());
    ASSERT_GE(files.size(), 4u);
    CommandRun r = test(files);
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find(" 0 failed"), std::string::npos) << r.out;
}

TEST_F(TestCommand, WrongOutputsShowExpectedGotAndTolerance) {
    // BoltLayout for M20 in oversized holes gives 35 and 70 (see the bundled cases).
    const std::string cases = file("Layout.json", R"({
      "sheet": "Childs/BoltLayout.vls",
      "tolerance": 0.5,
      "cases": [
        {"name": "within tolerance", "inputs": {"BoltDiameter": 20, "HoleOffset": 2},
         "expect": {"EdgeDistance": 35.4, "Pitch": {"value": 69, "tolerance": 1}}},
        {"name": "off by one", "inputs": {"BoltDiameter": 20, "HoleOffset": 2},
         "expect": {"EdgeDistance": 36, "Pitch": 70, "NoSuchOutput": 1}},
        {"name": "text compared exactly", "inputs": {"BoltDiameter": 20}, "expect": {"BoltDiameter": "20.0"}},
        {"name": "not an input", "inputs": {"Diameter": 20}, "expect": {"Pitch": 70}}
      ]})");
    CommandRun r = test({cases});
    EXPECT_EQ(r.status, 1);
    r.out = squeezed(r.out);
    EXPECT_NE(r.out.find("pass " + cases + ": within tolerance"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("off by one EdgeDistance 36 35.0000000 -1 0.5\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("off by one NoSuchOutput 1 (no such variable)\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("off by one Pitch"), std::string::npos) << r.out;  // Pitch was right
    EXPECT_NE(r.out.find("text compared exactly BoltDiameter 20.0 20\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("not an input (run) connsheet eval: Diameter is not an input of"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Diameter is not an input of"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("4 cases: 1 passed, 3 failed"), std::string::npos) << r.out;

    const std::string junit = (dir_ / "out" / "results.xml").string();
    fs::create_directories(dir_ / "out");
    CommandRun json = test({cases, "--json", "--junit", junit});
    EXPECT_EQ(json.status, 1);
    const auto document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["ok"], false);
    EXPECT_EQ(document["passed"], 1);
    EXPECT_EQ(document["failed"], 3);
    const auto& off = document["cases"][1];
    EXPECT_EQ(off["name"], "off by one");
    EXPECT_EQ(off["outputs"][0]["got"], "35.0000000");
    EXPECT_EQ(off["outputs"][0]["difference"], "-1");
    EXPECT_EQ(off["outputs"][2]["got"], nullptr);

    std::ifstream in(junit);
    const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(xml.find("<testsuite name=\"" + cases + "\" tests=\"4\" failures=\"3\""), std::string::npos)
        << xml;
    EXPECT_NE(xml.find("<testcase classname=\"Childs/BoltLayout.vls\" name=\"within tolerance\""),
              std::string::npos);
    EXPECT_NE(
        xml.find(
            "<failure message=\"EdgeDistance: expected 36, got 35.0000000 (difference -1, tolerance 0.5)\">"),
        std::string::npos)
        << xml;
    // Written whole or not at all: no temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "out"), fs::directory_iterator()), 1);
}

TEST_F(TestCommand, CsvCasesAndPathsBesideTheCaseFile) {
    file("Twice.vls",
         "connsheet-grid 1\nsheet cols=2 rows=6\ncell A1 data=\"Input\"\ncell A2 data=\"Double A\"\n"
         "cell A3 data=\"Output\"\ncell A4 data=\"Double R\"\ncell A5 data=\"Calc\"\ncell A6 data=\"R = A * "
         "2 + gen_Extra\"\n");
    const std::string cases = file("Twice.csv",
                                   "name,sheet,tolerance,in:A,gen:gen_Extra,out:R\n"
                                   "doubles,Twice.vls,,21,0,42\n"
                                   "\n"
                                   "general variable,Twice.vls,0.01,1,0.5,2.505\n"
                                   "wrong,Twice.vls,,1,0,3\n");
    CommandRun r = test({cases});
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_NE(r.out.find(cases + ":2: doubles"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("pass    " + cases + ":4: general variable"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("FAIL    " + cases + ":5: wrong"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("3 cases: 2 passed, 1 failed"), std::string::npos) << r.out;
}

TEST(StandardsCaseFile, ProblemsNameTheirPlace) {
    struct Bad {
        const char* text;
        const char* error;  // the start of it
    } const cases[] = {
        {"{\"cases\": [}", "1:12: unexpected '}'"},
        {"{\n  \"sheet\": x\n}", "2:12: invalid literal"},
        {"[]", "/: expected an object"},
        {"{\"cases\": []}", "/cases: expected a non-empty array"},
        {"{\"colour\": 1, \"cases\": []}", "/colour: unknown member"},
        {"{\"version\": 2, \"cases\": []}", "/version: unsupported version"},
        {"{\"cases\": [{\"expect\": {\"R\": 1}}]}", "/cases/0/sheet: missing"},
        {"{\"sheet\": \"S\", \"cases\": [{\"name\": \"n\"}]}", "/cases/0/expect: expected an object"},
        {"{\"sheet\": \"S\", \"cases\": [{\"expect\": {\"R\": [1]}}]}",
         "/cases/0/expect/R: expected a number, a string"},
        {"{\"sheet\": \"S\", \"cases\": [{\"expect\": {\"R\": {\"tolerance\": 1}}}]}",
         "/cases/0/expect/R/value: missing"},
        {"{\"sheet\": \"S\", \"cases\": [{\"expect\": {\"R\": 1}, \"tolerance\": -1}]}",
         "/cases/0/tolerance: expected a number 0"},
        {"{\"sheet\": \"S\", \"cases\": [{\"inputs\": {\"A\": true}, \"expect\": {\"R\": 1}}]}",
         "/cases/0/inputs/A: expected a number or a string"},
        {"{\"sheet\": \"S\", \"macro\": \"m.json\", \"cases\": [{\"inputs\": {\"A\": 1}, \"expect\": {\"R\": "
         "1}}]}",
         "/cases/0/inputs: a case takes a macro or inputs, not both"},
        {"name,sheet,colour\n", "1:3: unknown column \"colour\""},
        {"name,in:\n", "1:2: a column \"in:\" needs a name"},
        {"name,sheet,out:R\n", "1:1: no cases"},
        {"name,sheet,out:R\nn,S,1,2\n", "2:4: more values than columns"},
        {"name,sheet,out:R\nn,,1\n", "2:1: no sheet for this case"},
        {"name,sheet,in:A\nn,S,1\n", "2:1: no expected output"},
        {"sheet,tolerance,out:R\nS,wide,1\n", "2:1: tolerance \"wide\" is not a number"},
        {"sheet,out:R\nS,\"1\n", "line 2: unterminated quoted field"},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<connsheet::StandardsCase> read;
        std::string error;
        EXPECT_FALSE(connsheet::readStandardsCases(c.text, read, error));
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
        EXPECT_EQ(error.find("json.exception"), std::string::npos) << error;
    }
}

TEST(StandardsCaseFile, DefaultsOfTheFileAndTheCase) {
    std::vector<connsheet::StandardsCase> read;
    std::string error;
    ASSERT_TRUE(
        connsheet::readStandardsCases(R"({"sheet": "S", "tolerance": 0.5, "general": {"gen_A": 1, "gen_B": 2},
        "cases": [{"general": {"gen_B": 3}, "expect": {"R": 1, "T": "x", "U": {"value": 2, "tolerance": 0}}},
                  {"sheet": "Other", "tolerance": 0.1, "inputs": {"W": 0.1}, "expect": {"R": 1}}]})",
                                      read, error))
        << error;
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].name, "case 1");
    EXPECT_EQ(read[0].sheet, "S");
    ASSERT_EQ(read[0].generalVariables.size(), 2u);
    EXPECT_EQ(read[0].generalVariables[1], (std::pair<std::string, std::string>{"gen_B", "3"}));
    ASSERT_EQ(read[0].expected.size(), 3u);
    EXPECT_EQ(read[0].expected[0].tolerance, 0.5);
    EXPECT_FALSE(read[0].expected[1].numeric);
    EXPECT_EQ(read[0].expected[2].tolerance, 0);
    EXPECT_EQ(read[1].sheet, "Other");
    EXPECT_EQ(read[1].expected[0].tolerance, 0.1);
    EXPECT_EQ(read[1].inputs[0].second, "0.1");  // the shortest text, not 0.1000000000000000055
}

}  // namespace

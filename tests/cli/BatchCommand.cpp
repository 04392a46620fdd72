// connsheet batch: many macros against the bundled end-plate standard in worker processes, with the
// ways single macros go wrong (unreadable, failing, a crashing worker) costing nothing of the others.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <cstdlib>   // setenv, unsetenv
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/CommandRun.h"

namespace {

namespace fs = std::filesystem;

const std::string kLibrary = CONNSHEET_SOURCE_DIR "/examples/library/";
const std::string kEndPlate = kLibrary + "Macros/EndPlateBeamToColumn.json";

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    return all;
}

class BatchCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("connsheet-batch-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "in");
        endPlate_ = slurp(kEndPlate);
    }
    void TearDown() override {
        ::unsetenv("CONNSHEET_BATCH_TEST_ABORT_ON");
        fs::remove_all(dir_);
    }
    // A copy of the bundled end-plate macro with another beam section (the sheet reads its depth).
    std::string variant(const std::string& name, const std::string& beam) {
        std::string text = endPlate_;
        const auto at = text.find("\"IPE-300\"");
        text.replace(at, 9, "\"" + beam + "\"");
        return input(name, text);
    }
    std::string input(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / "in" / name, std::ios::binary) << bytes;
        return (dir_ / "in" / name).string();
    }
    CommandRun batch(std::vector<std::string> args) {
        args.insert(args.begin(), {"--lib", kLibrary, "batch", "EndPlateBeamToColumn"});
        return runConnsheet(std::move(args));
    }
    fs::path dir_;
    std::string endPlate_;
};

TEST_F(BatchCommand, EveryMacroIsRunWrittenAndReportedWhateverHappensToTheOthers) {
    const std::string good1 = variant("a-good.json", "IPE-270");
    const std::string corrupt = input("b-corrupt.json", "{ \"format\": \"connsheet-macro\", ");
    const std::string crashing = variant("c-crash.json", "IPE-330");
    const std::string otherStandard = input("d-other.json", slurp(kLibrary + "Macros/FinPlate.json"));
    const std::string good2 = variant("e-good.json", "IPE-360");
    const std::string missing = (dir_ / "in" / "f-missing.json").string();
    const std::string before = slurp(good1);
    ::setenv("CONNSHEET_BATCH_TEST_ABORT_ON", "c-crash.json", 1);

    for (const char* jobs : {"1", "2", "4"}) {
        SCOPED_TRACE(jobs);
        fs::remove_all(dir_ / "out");
        const std::string report = (dir_ / "report.csv").string();
        const CommandRun r = batch({good1, corrupt, crashing, otherStandard, good2, missing, "-j", jobs,
                                    "--out-dir", (dir_ / "out").string(), "--report", report});
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.out.find("runs: 6, succeeded: 2, failed: 4 (unreadable: 2, crashed: 1)"),
                  std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find("crashed: " + crashing + ": the worker was killed by signal 6"),
                  std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find("unreadable: " + corrupt + ": "), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("unreadable: " + missing + ": "), std::string::npos) << r.out;

        // Only the runs that succeeded are written, never over their inputs.
        EXPECT_TRUE(fs::exists(dir_ / "out" / "a-good.json"));
        EXPECT_TRUE(fs::exists(dir_ / "out" / "e-good.json"));
        EXPECT_FALSE(fs::exists(dir_ / "out" / "d-other.json"));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "out"), fs::directory_iterator()), 2);
        EXPECT_EQ(slurp(good1), before);
        // The written macro carries the run's outputs: the plate height follows the beam (IPE-360).
        EXPECT_NE(slurp(dir_ / "out" / "e-good.json"), slurp(good2));

        // One row per macro, in the order given, whichever worker ran it.
        const std::vector<std::string> rows = lines(slurp(report));
        ASSERT_EQ(rows.size(), 7u);
        EXPECT_EQ(rows[0].rfind("file,status,problem,EdgeDistance,", 0), 0u) << rows[0];
        EXPECT_EQ(rows[1].rfind(good1 + ",succeeded,,", 0), 0u) << rows[1];
        EXPECT_EQ(rows[2].rfind(corrupt + ",unreadable,", 0), 0u) << rows[2];
        EXPECT_EQ(rows[3].rfind(crashing + ",crashed,", 0), 0u) << rows[3];
        EXPECT_EQ(rows[4].rfind(otherStandard + ",failed,", 0), 0u) << rows[4];
        EXPECT_NE(rows[4].find("not in mapping file"), std::string::npos) << rows[4];
        EXPECT_EQ(rows[5].rfind(good2 + ",succeeded,,", 0), 0u) << rows[5];
        EXPECT_EQ(rows[6].rfind(missing + ",unreadable,", 0), 0u) << rows[6];
    }
}

TEST_F(BatchCommand, JsonReportHoldsEveryOutputValueOfEachMacro) {
    const std::string a = variant("a.json", "IPE-200");
    const std::string b = variant("b.json", "IPE-400");
    const std::string report = (dir_ / "report.json").string();
    const CommandRun r = batch({"--macros", (dir_ / "in").string(), "--report", report, "-j", "2"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const auto rows = nlohmann::json::parse(slurp(report));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["file"], a);
    EXPECT_EQ(rows[1]["file"], b);
    EXPECT_EQ(rows[0]["status"], "succeeded");
    // Both macros' outputs, each from its own run: a deeper beam makes a taller plate.
    const double low = std::stod(rows[0]["outputs"]["PlateHeight"].get<std::string>());
    const double high = std::stod(rows[1]["outputs"]["PlateHeight"].get<std::string>());
    EXPECT_LT(low, high);
    EXPECT_EQ(rows[0]["outputs"].size(), 10u);
    EXPECT_TRUE(rows[0]["warnings"].is_array());
}

TEST_F(BatchCommand, JsonLinesComeBackLineForLineWithNullForMacrosNotUpdated) {
    std::string compact = nlohmann::json::parse(endPlate_).dump();
    std::ofstream(dir_ / "many.jsonl") << compact << "\n\n"  // a blank line is skipped, not a macro
                                       << "not json\n"
                                       << compact << "\r\n";
    const CommandRun r =
        batch({"--jsonl", (dir_ / "many.jsonl").string(), "--out-dir", (dir_ / "out").string(), "-j", "2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("unreadable: " + (dir_ / "many.jsonl").string() + ":3: "), std::string::npos)
        << r.out;
    const std::vector<std::string> out = lines(slurp(dir_ / "out" / "many.jsonl"));
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1], "null");
    for (int i : {0, 2}) {
        const auto macro = nlohmann::json::parse(out[i]);
        EXPECT_EQ(macro["name"], "EndPlateBeamToColumn");
    }
}

TEST_F(BatchCommand, InPlaceRewritesTheInputsOnly) {
    const std::string a = variant("a.json", "IPE-220");
    const std::string before = slurp(a);
    const CommandRun r = batch({a, "--in-place"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(slurp(a), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "in"), fs::directory_iterator()), 1);
}

TEST_F(BatchCommand, CommandLinesThatCannotWorkAreRefusedBeforeAnyRun) {
    const std::string a = variant("a.json", "IPE-220");
    fs::create_directories(dir_ / "other");
    std::ofstream(dir_ / "other" / "a.json") << endPlate_;
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string says;
    } cases[] = {
        {{}, 2, "give macro files"},
        {{a, "--in-place", "--out-dir", (dir_ / "out").string()}, 2, "exclude each other"},
        {{"--jsonl", a, "--in-place"}, 2, "--in-place cannot rewrite"},
        {{a, (dir_ / "other" / "a.json").string(), "--out-dir", (dir_ / "out").string()},
         1,
         "would both be written"},
        {{"--macros", (dir_ / "nowhere").string()}, 1, "cannot list"},
        {{a, "--gen", "novalue"}, 2, "NAME=VALUE"},
        {{a, "-j", "0"}, 2, ""},
    };
    for (const Case& c : cases) {
        const CommandRun r = batch(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("runs:"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(dir_ / "out"));
    const CommandRun unknown = runConnsheet({"--lib", kLibrary, "batch", "NoSuchSheet", a});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("sheet not found: NoSuchSheet"), std::string::npos);
}

TEST(SheetsCommand, ListsTheLibrarysSheetsAsSheetTakesThem) {
    const CommandRun r = runConnsheet({"--lib", kLibrary, "sheets"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "BasePlate\nEndPlateBeamToColumn\nFinPlate\n");
    EXPECT_EQ(runConnsheet({"--lib", "/nonexistent/library", "sheets"}).status, 1);
}

}  // namespace

// The command's exit status, its JSON "ok" and its writes agree with what the run found: 0 only when
// every equation computed and every output was set; 1 for a failed run, a failed equation, an output
// not set or a failed write; 2 for usage. --out is written only on success (or with --allow-failures).
#include <gtest/gtest.h>

#include <sys/stat.h>  // chmod
#include <unistd.h>    // getpid

#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/Connsheet.h"
#include "tests/cli/CommandRun.h"

namespace {

namespace fs = std::filesystem;

const std::string kLibrary = CONNSHEET_SOURCE_DIR "/examples/library/";
const std::string kMacro = kLibrary + "Macros/EndPlateBeamToColumn.json";

CommandRun connsheet(std::vector<std::string> args) {
    args.insert(args.begin(), {"--lib", kLibrary});
    return runConnsheet(std::move(args));
}

// With standard input: args without the program name.
CommandRun connsheetWithInput(std::vector<std::string> args, const std::string& input) {
    args.insert(args.begin(), {"connsheet", "--lib", kLibrary});
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = connsheet::run(args, in, out, err);
    return {status, out.str(), err.str()};
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ExitStatus : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("connsheet-exit-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string file(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return path(name);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    // A sheet of group Plates: Width from Thickness, then `equation` on row 8.
    std::string plateSheet(const std::string& equation) {
        return file("Plate.vls", "connsheet-grid 1\nsheet cols=2 rows=8\n"
                                 "cell A1 data=\"Input\"\ncell A2 data=\"Double Thickness\"\n"
                                 "cell A3 data=\"Output\"\ncell A4 data=\"Double Width\"\n"
                                 "cell A6 data=\"Calc\"\ncell A7 data=\"Width = Thickness * 10\"\n"
                                 "cell A8 data=\"" + equation + "\"\n");
    }
    fs::path dir_;
};

TEST_F(ExitStatus, AFailedEquationFailsTheCommandAndKeepsOutUnwrittenUnlessAllowed) {
    const std::string sheet = plateSheet("Width = Width / 0");
    const std::vector<std::string> run = {"run", sheet, "--macro", kMacro, "--maps-to", "Module.Plates", "--json",
                                          "--out", path("out.json")};
    CommandRun r = connsheet(run);
    EXPECT_EQ(r.status, 1) << r.err;
    const nlohmann::json document = nlohmann::json::parse(r.out);
    EXPECT_FALSE(document.at("ok"));
    EXPECT_FALSE(fs::exists(path("out.json")));
    ASSERT_EQ(document.at("findings").size(), 1u) << document.at("findings").dump();
    const nlohmann::json& finding = document.at("findings")[0];
    EXPECT_EQ(finding.at("kind"), "equation-failed");
    EXPECT_EQ(finding.at("cell"), "A8");
    EXPECT_EQ(finding.at("equation"), "Width = Width / 0");
    EXPECT_EQ(finding.at("cause"), "#DIV/0!");
    EXPECT_NE(r.err.find("--allow-failures"), std::string::npos) << r.err;

    std::vector<std::string> allowed = run;
    allowed.push_back("--allow-failures");
    r = connsheet(allowed);
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(nlohmann::json::parse(r.out).at("ok"));
    EXPECT_TRUE(fs::exists(path("out.json")));  // the outputs that computed are in it
}

TEST_F(ExitStatus, AMappingThatCannotBeBuiltFailsTheCommandAndSaysWhatWasNotFound) {
    const std::string sheet = plateSheet("Width = Thickness * 11");
    struct Case {
        std::string what, mapsTo, expected;
    } cases[] = {
        {"no mapping file", "EndPlate", "mapping file \"" + path("Plate.map") + "\" not found"},
        {"a key the file lacks", "Elsewhere", "key \"Elsewhere\" not in mapping file"},
        {"a garbage file", "EndPlate", "key \"EndPlate\" not in mapping file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.what == "a key the file lacks") file("Plate.map", "Mapping version 1.0\nEndPlate=Thickness\xC6\x92Plates\" Distance Thickness\n");
        if (c.what == "a garbage file") file("Plate.map", std::string("\x00\xFF\xFE garbage\n\x01\x02", 14));
        CommandRun r = connsheet({"run", sheet, "--macro", kMacro, "--maps-to", c.mapsTo, "--json", "--out", path("out.json")});
        EXPECT_EQ(r.status, 1);
        const nlohmann::json document = nlohmann::json::parse(r.out);
        EXPECT_FALSE(document.at("ok"));
        EXPECT_FALSE(fs::exists(path("out.json")));
        ASSERT_FALSE(document.at("findings").empty());
        EXPECT_EQ(document.at("findings")[0].at("kind"), "mapping");
        EXPECT_NE(document.at("findings")[0].at("cause").get<std::string>().find(c.expected), std::string::npos)
            << document.at("findings")[0].dump();
    }

    // A macro without a name has no default target.
    std::string json = readFile(kMacro);
    json.replace(json.find("\"name\": \"EndPlateBeamToColumn\""), 30, "\"name\": \"\"");
    const std::string unnamed = file("unnamed.json", json);
    CommandRun r = connsheet({"run", "EndPlateBeamToColumn", "--macro", unnamed});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("--maps-to"), std::string::npos) << r.err;

    // An unknown module group: every variable is reported, with what is missing.
    r = connsheet({"run", sheet, "--macro", kMacro, "--maps-to", "Module.Nope"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("A2: error: Thickness not retrieved: no module in group \"Nope\""), std::string::npos) << r.err;
}

TEST_F(ExitStatus, AnOutputThatCannotBeSetFailsTheCommand) {
    // The stiffener module's group has no tab in the dialog data: its values cannot be reached, and
    // the message says so rather than doubting the variable.
    std::string json = readFile(kMacro);
    const std::string named = "\"name\": \"Stiffeners\",\n      \"kind\": \"profile\",\n      \"title\"";
    const auto tab = json.find(named);
    ASSERT_NE(tab, std::string::npos);
    json.replace(tab, named.size(), "\"name\": \"Unrelated\",\n      \"kind\": \"profile\",\n      \"title\"");
    const std::string macro = file("notab.json", json);
    CommandRun r = connsheet({"run", "EndPlateBeamToColumn", "--macro", macro, "--json"});
    EXPECT_EQ(r.status, 1) << r.err;
    const nlohmann::json document = nlohmann::json::parse(r.out);
    EXPECT_FALSE(document.at("ok"));
    bool found = false;
    for (const auto& f : document.at("findings")) {
        if (f.at("kind") != "not-set") continue;
        found = true;
        EXPECT_EQ(f.at("variable"), "StiffenerThickness");
        EXPECT_NE(f.at("cause").get<std::string>().find("has no tab \"Stiffeners\""), std::string::npos) << f.dump();
    }
    EXPECT_TRUE(found) << document.at("findings").dump();
}

TEST_F(ExitStatus, AMacroValueThatIsNoNumberForANumericInputIsReported) {
    // The bolt count is a text in the macro; an Int reading it by name needs a number.
    std::string json = readFile(kMacro);
    const std::string count = "\"nrBolts1\": \"4\"";
    ASSERT_NE(json.find(count), std::string::npos);
    json.replace(json.find(count), count.size(), "\"nrBolts1\": \"four\"");
    const std::string macro = file("four.json", json);
    const std::string sheet = file("Rows.vls", "connsheet-grid 1\nsheet cols=2 rows=6\n"
                                               "cell A1 data=\"Input\"\ncell A2 data=\"Int BoltRows.NrBolts1\"\n"
                                               "cell A3 data=\"Output\"\ncell A4 data=\"Double Pitch\"\n"
                                               "cell A5 data=\"Calc\"\ncell A6 data=\"Pitch = 70\"\n");
    CommandRun r = connsheet({"run", sheet, "--macro", macro, "--maps-to", "Module.Bolts"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("A2: error: BoltRows.NrBolts1: the macro's value \"four\" is not a number"), std::string::npos) << r.err;
    // The same sheet with the macro's "4" is clean.
    EXPECT_EQ(connsheet({"run", sheet, "--macro", kMacro, "--maps-to", "Module.Bolts"}).status, 0);
}

TEST_F(ExitStatus, JsonOkAgreesWithAFailedWrite) {
    // /proc takes no new files: the write fails and the command says so in "ok" too.
    CommandRun r = connsheet({"run", "FinPlate", "--macro", kLibrary + "Macros/FinPlate.json", "--json", "--out",
                              "/proc/connsheet-x.json"});
    EXPECT_EQ(r.status, 1);
    const nlohmann::json document = nlohmann::json::parse(r.out);
    EXPECT_FALSE(document.at("ok"));
    EXPECT_EQ(document.at("findings").back().at("kind"), "write");
    EXPECT_NE(r.err.find("connsheet run: /proc/connsheet-x.json: cannot"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("--allow-failures"), std::string::npos) << r.err;  // it would not help
}

TEST_F(ExitStatus, OutRefusesAFileTheUserCannotWrite) {
    const std::string target = file("readonly.json", "keep me");
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    CommandRun r = connsheet({"run", "FinPlate", "--macro", kLibrary + "Macros/FinPlate.json", "--out", target});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Permission denied"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(target), "keep me");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// A stream whose every write fails, as stdout on a full disk.
class FullStream : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST_F(ExitStatus, AFailedWriteToStandardOutputIsAFailure) {
    FullStream full;
    std::ostream out(&full);
    std::ostringstream err;
    std::istringstream in;
    const int status = connsheet::run({"connsheet", "--lib", kLibrary, "run", "FinPlate", "--macro",
                                       kLibrary + "Macros/FinPlate.json"},
                                      in, out, err);
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.str().find("standard output"), std::string::npos) << err.str();
}

TEST_F(ExitStatus, DashMeansStandardInputAndOutput) {
    // The macro piped in, the updated macro piped out.
    CommandRun r = connsheetWithInput({"run", "FinPlate", "--macro", "-", "--out", "-"}, readFile(kLibrary + "Macros/FinPlate.json"));
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json macro = nlohmann::json::parse(r.out);  // only the macro: no table mixed in
    EXPECT_EQ(macro.at("name"), "FinPlate");

    EXPECT_EQ(connsheet({"run", "FinPlate", "--macro", kLibrary + "Macros/FinPlate.json", "--out", "-", "--json"}).status, 2);
    r = connsheetWithInput({"run", "FinPlate", "--macro", "-"}, "{ not json");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("standard input"), std::string::npos) << r.err;

    r = connsheetWithInput({"calc", "-"}, "1,2,=A1+B1\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("C1\t3"), std::string::npos) << r.out;
}

TEST_F(ExitStatus, NumericInputsRefuseTextsThatAreNoNumber) {
    file("Count.vls", "connsheet-grid 1\nsheet cols=2 rows=6\n"
                      "cell A1 data=\"Input\"\ncell A2 data=\"Int Count\"\ncell B2 data=\"Double Length\"\n"
                      "cell A3 data=\"Output\"\ncell A4 data=\"Double Total\"\n"
                      "cell A5 data=\"Calc\"\ncell A6 data=\"Total = Count * Length\"\n");
    const std::string sheet = path("Count.vls");
    CommandRun r = connsheet({"eval", sheet, "Count=abc", "Length=2"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Count is an Int input: \"abc\" is not a number"), std::string::npos) << r.err;
    r = connsheet({"eval", sheet, "Count=2.5"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("\"2.5\" is not a whole number"), std::string::npos) << r.err;
    EXPECT_EQ(connsheet({"eval", sheet, "Length=wide"}).status, 2);
    r = connsheet({"eval", sheet, "Count=3", "Length=2.5"});
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(ExitStatus, EvalSaysWhyARunFailed) {
    const std::string noCalc = file("NoCalc.vls", "connsheet-grid 1\nsheet cols=1 rows=4\ncell A1 data=\"Input\"\n"
                                                  "cell A2 data=\"Double A\"\ncell A3 data=\"Output\"\ncell A4 data=\"Double B\"\n");
    CommandRun r = connsheet({"eval", noCalc, "A=1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("failed: no \"Calc\" section"), std::string::npos) << r.err;
    const std::string broken = file("Broken.vls", "connsheet-grid 1\nsheet cols=1 rows=2\ncell A1 nonsense\n");
    r = connsheet({"eval", broken});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("line 3"), std::string::npos) << r.err;
    r = connsheet({"run", broken, "--macro", kMacro, "--maps-to", "Module.Plates"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("line 3"), std::string::npos) << r.err;
}

}  // namespace

// connsheet run: the bundled standards against the bundled macros, end to end, and the ways a run
// can go wrong on the command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>  // getpid

#include <nlohmann/json.hpp>

#include "tests/cli/CommandRun.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"

namespace {

namespace fs = std::filesystem;

const std::string kLibrary = CONNSHEET_SOURCE_DIR "/examples/library/";
const std::string kMacros = kLibrary + "Macros/";

using Result = CommandRun;

Result connsheet(std::vector<std::string> args) {
    args.insert(args.begin(), {"--lib", kLibrary});
    return runConnsheet(std::move(args));
}

// The final value of every variable of a --json run, by name.
std::map<std::string, std::string> values(const nlohmann::json& document) {
    std::map<std::string, std::string> byName;
    for (const auto& v : document.at("variables")) byName[v.at("name")] = v.at("value");
    return byName;
}

class RunCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("connsheet-run-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string file(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return (dir_ / name).string();
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

// What an engineer would work out by hand for the bundled macros (see the sheets' equations).
TEST_F(RunCommand, BundledStandardsComputeTheirConnections) {
    struct Case {
        std::string sheet, macro;
        std::map<std::string, double> expected;
    } cases[] = {
        {"EndPlateBeamToColumn", "EndPlateBeamToColumn.json",
         {{"EdgeDistance", 35}, {"Pitch", 70}, {"WasherDiameter", 37}, {"ColumnGauge", 110}, {"WeldSize", 5},
          {"Gauge", 80}, {"PlateThickness", 15}, {"PlateWidth", 180}, {"TopExtension", 75},
          {"PlateHeight", 410}, {"ChamferSize", 20}, {"StiffenerThickness", 12}}},
        {"FinPlate", "FinPlate.json",
         {{"EdgeDistance", 35}, {"Pitch", 70}, {"NrBolts", 3}, {"PlateHeight", 210}, {"PlateThickness", 8},
          {"PlateWidth", 90}}},
        {"BasePlate.vls", "BasePlate.json",
         {{"EdgeDistance", 45}, {"PlateWidth", 380}, {"PlateHeight", 380}, {"PlateThickness", 25},
          {"ChamferSize", 25}, {"GroutThickness", 40}, {"EmbedmentLength", 480}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sheet);
        Result r = connsheet({"run", c.sheet, "--macro", kMacros + c.macro, "--json"});
        ASSERT_EQ(r.status, 0) << r.err << r.out;
        nlohmann::json document = nlohmann::json::parse(r.out);
        EXPECT_TRUE(document.at("ok"));
        EXPECT_TRUE(document.at("warnings").empty()) << document.at("warnings").dump();
        // Every input had, every equation computed, every output set.
        EXPECT_TRUE(document.at("findings").empty()) << document.at("findings").dump();
        EXPECT_EQ(r.err, "");
        auto byName = values(document);
        for (const auto& [name, value] : c.expected) {
            ASSERT_TRUE(byName.count(name)) << name;
            EXPECT_DOUBLE_EQ(std::stod(byName[name]), value) << name << " = " << byName[name];
        }
    }
}

TEST_F(RunCommand, OutWritesTheOutputsIntoTheMacroAndGenOverridesTheMacrosValue) {
    Result r = connsheet({"run", "BasePlate", "--macro", kMacros + "BasePlate.json", "--gen", "gen_ConcreteGrade=20",
                          "--out", path("out.json")});
    ASSERT_EQ(r.status, 0) << r.err;
    // The table names every variable with its section and type.
    EXPECT_NE(r.out.find("output   double  EmbedmentLength"), std::string::npos) << r.out;

    Mx_DbMacro macro;
    MacroData data;
    ASSERT_EQ(macro.readFromFile(Mx_String(path("out.json")), &data), Acad::eOk);
    const Mx_Module* plate = nullptr;
    const Mx_Module* bolts = nullptr;
    ASSERT_EQ(macro.macroRead()->findModule(Mx_String(L"BasePlate"), plate), Acad::eOk);
    ASSERT_EQ(macro.macroRead()->findModule(Mx_String(L"AnchorBolts"), bolts), Acad::eOk);
    double value = 0;
    ASSERT_EQ(plate->getConstrVarValue(L"Width", value), Acad::eOk);
    EXPECT_EQ(value, 380);
    ASSERT_EQ(plate->getConstrVarValue(L"Thickness", value), Acad::eOk);
    EXPECT_EQ(value, 25);
    // C20/25: 25 diameters instead of the macro's C30 and its 20.
    ASSERT_EQ(bolts->getConstrVarValue(L"EmbedmentLength", value), Acad::eOk);
    EXPECT_EQ(value, 600);
}

TEST_F(RunCommand, FailedEquationsAreReportedAndFailTheCommand) {
    // Module-group mapping: the names themselves reach the module variables of group Plates.
    const std::string sheet = file("Plate.vls",
                                   "connsheet-grid 1\nsheet cols=2 rows=8\n"
                                   "cell A1 data=\"Input\"\ncell A2 data=\"Double Thickness\"\n"
                                   "cell A3 data=\"Output\"\ncell A4 data=\"Double Width\"\n"
                                   "cell A6 data=\"Calc\"\ncell A7 data=\"Width = Thickness * 10\"\n"
                                   "cell A8 data=\"Width = Missing + 1\"\n");
    Result r = connsheet({"run", sheet, "--macro", kMacros + "EndPlateBeamToColumn.json", "--maps-to", "Module.Plates",
                          "--json"});
    // The run goes on past the failed equation, but the command does not call it a success.
    ASSERT_EQ(r.status, 1) << r.err;
    nlohmann::json document = nlohmann::json::parse(r.out);
    EXPECT_FALSE(document.at("ok"));
    EXPECT_DOUBLE_EQ(std::stod(values(document)["Width"]), 150);
    ASSERT_EQ(document.at("warnings").size(), 1u) << document.at("warnings").dump();
    const std::string text = document.at("warnings")[0].at("text");
    EXPECT_EQ(text.rfind("The following equation failed:\nWidth =", 0), 0u) << text;
    EXPECT_NE(text.find("Missing + 1"), std::string::npos) << text;
    EXPECT_NE(text.find("(line: 8)"), std::string::npos) << text;

    Result plain = connsheet({"run", sheet, "--macro", kMacros + "EndPlateBeamToColumn.json", "--maps-to", "Module.Plates"});
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.err.rfind("warning: ", 0), 0u) << plain.err;
    EXPECT_NE(plain.err.find("A8: error: #NAME?: unknown name Missing (in \"Width = Missing + 1\")"), std::string::npos)
        << plain.err;
    // Without warnings the box is not shown, but the error still is: the status says the run failed.
    Result quiet = connsheet({"run", sheet, "--macro", kMacros + "EndPlateBeamToColumn.json", "--maps-to",
                              "Module.Plates", "--no-warnings"});
    EXPECT_EQ(quiet.status, 1);
    EXPECT_EQ(quiet.err.find("warning: "), std::string::npos) << quiet.err;
    EXPECT_NE(quiet.err.find("A8: error: #NAME?"), std::string::npos) << quiet.err;
}

TEST_F(RunCommand, UsageAndFailuresHaveTheirExitStatus) {
    const std::string macro = kMacros + "EndPlateBeamToColumn.json";
    EXPECT_EQ(connsheet({"run", "EndPlateBeamToColumn"}).status, 2);  // --macro is required
    EXPECT_EQ(connsheet({"run", "EndPlateBeamToColumn", "--macro", macro, "--gen", "gen_Clearance"}).status, 2);

    Result missing = connsheet({"run", "NoSuchStandard", "--macro", macro});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("sheet not found"), std::string::npos) << missing.err;

    // A macro that does not read leaves --out alone.
    const std::string bad = file("bad.json", "{\"version\": 2}");
    Result unread = connsheet({"run", "EndPlateBeamToColumn", "--macro", bad, "--out", path("out.json")});
    EXPECT_EQ(unread.status, 1);
    EXPECT_NE(unread.err.find("/version"), std::string::npos) << unread.err;
    EXPECT_FALSE(fs::exists(path("out.json")));

    // A sheet without an Output section fails its run: status 1, ok false, and nothing written.
    const std::string noOutput = file("NoOutput.vls", "connsheet-grid 1\nsheet cols=1 rows=3\ncell A1 data=\"Input\"\n"
                                                      "cell A2 data=\"Double Thickness\"\ncell A3 data=\"Calc\"\n");
    Result failed = connsheet({"run", noOutput, "--macro", macro, "--maps-to", "Module.Plates", "--json", "--out",
                               path("out.json")});
    EXPECT_EQ(failed.status, 1);
    EXPECT_FALSE(nlohmann::json::parse(failed.out).at("ok"));
    EXPECT_FALSE(fs::exists(path("out.json")));
}

TEST_F(RunCommand, TimingsListThePhases) {
    Result r = connsheet({"run", "FinPlate", "--macro", kMacros + "FinPlate.json", "--timings"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("gCalcMain"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("gCalcChild"), std::string::npos) << r.out;
}

}  // namespace

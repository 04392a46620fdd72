// connsheet genvars, and the stored general variables reaching run and batch; show with --data.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

#include "tests/cli/CommandRun.h"
#include "tests/cli/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

class GenVarsCommand : public ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        lib_ = dir_ / "lib";
        fs::copy(CONNSHEET_SOURCE_DIR "/examples/library", lib_, fs::copy_options::recursive);
    }
    CommandRun connsheet(std::vector<std::string> args) {
        args.insert(args.begin(), {"--lib", lib_.string() + "/"});
        return runConnsheet(std::move(args));
    }
    void store(const std::string& text) {
        std::ofstream(lib_ / "Connection Standards" / "GeneralVariables.txt", std::ios::binary) << text;
    }
    std::string stored() const {
        std::ifstream in(lib_ / "Connection Standards" / "GeneralVariables.txt", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // The embedment length a BasePlate run computes: 25 anchor diameters for C20/25, 20 for C30/37.
    std::string embedment(std::vector<std::string> extra = {}) {
        std::vector<std::string> args{"run", "BasePlate", "--macro",
                                      (lib_ / "Macros" / "BasePlate.json").string(), "--json"};
        args.insert(args.end(), extra.begin(), extra.end());
        const CommandRun r = connsheet(args);
        EXPECT_EQ(r.status, 0) << r.err;
        const nlohmann::json document = nlohmann::json::parse(r.out);
        for (const auto& v : document.at("variables"))
            if (v.at("name").get<std::string>() == "EmbedmentLength")
                return v.at("value").get<std::string>();
        return "";
    }
    fs::path lib_;
};

}  // namespace

TEST_F(GenVarsCommand, StoredVariablesReachARunWhereTheirFilterAppliesAndGenStillWins) {
    const std::string macrosOwn = embedment();
    store("[standards]\ngen_ConcreteGrade\t20\t1\tBasePlate.dwg\n");
    const std::string overridden = embedment();
    EXPECT_NE(overridden, macrosOwn);
    EXPECT_EQ(overridden, embedment({"--gen", "gen_ConcreteGrade=20"}));
    EXPECT_EQ(embedment({"--gen", "gen_ConcreteGrade=30"}), macrosOwn) << "the command line comes last";

    store("[standards]\ngen_ConcreteGrade\t20\t0\t\n");
    EXPECT_EQ(embedment(), macrosOwn) << "without its override the macro's own value stays";
    store("[standards]\ngen_ConcreteGrade\t20\tyes\tSheds\n");
    EXPECT_EQ(embedment(), macrosOwn) << "a filter naming other drawings";

    store("[drawing]\ngen_ConcreteGrade\t20\t\textra\n");
    const CommandRun broken =
        connsheet({"run", "BasePlate", "--macro", (lib_ / "Macros" / "BasePlate.json").string()});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("GeneralVariables.txt:2: more than 3 fields"), std::string::npos) << broken.err;
}

TEST_F(GenVarsCommand, BatchAppliesThemToEveryMacro) {
    store("[standards]\ngen_ConcreteGrade\t20\t1\t\n");
    const CommandRun r = connsheet({"batch", "BasePlate", (lib_ / "Macros" / "BasePlate.json").string(),
                                    "--out-dir", (dir_ / "out").string(), "--no-progress"});
    ASSERT_EQ(r.status, 0) << r.err;
    store("");
    const CommandRun withGen =
        connsheet({"batch", "BasePlate", (lib_ / "Macros" / "BasePlate.json").string(), "--out-dir",
                   (dir_ / "gen").string(), "--no-progress", "--gen", "gen_ConcreteGrade=20"});
    ASSERT_EQ(withGen.status, 0) << withGen.err;
    std::ifstream a(dir_ / "out" / "BasePlate.json"), b(dir_ / "gen" / "BasePlate.json");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(a), {}),
              std::string(std::istreambuf_iterator<char>(b), {}));
}

TEST_F(GenVarsCommand, StepsEndingWithOkSaveAndOthersLeaveTheFileAlone) {
    EXPECT_EQ(connsheet({"genvars"}).out.find("[drawing]\n[standards]\n") != std::string::npos, true);

    const std::string steps = file("edit.steps",
                                   "type 1434 \"gen_Clearance\"\npress TAB\ntype-here \"15\"\n"
                                   "press RETURN\nclick IDOK\n");
    CommandRun r = connsheet({"genvars", "--steps", steps});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(stored().find("[drawing]\ngen_Clearance\t15\t\n"), std::string::npos) << stored();
    EXPECT_EQ(r.out, stored());

    // The "..." button of the first row, answered from the command line.
    const std::string macros = (lib_ / "Macros").string();
    r = connsheet({"genvars", "--steps",
                   file("choose.steps", "mouse-down 1434 372 27\nmouse-up 1434 372 27\nclick IDOK\n"),
                   "--choose", macros + "/Halls;/elsewhere/North.dwg;" + macros + "/FinPlate.json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(stored().find("gen_Clearance\t15\tHalls;FinPlate.json\n"), std::string::npos) << stored();

    const std::string before = stored();
    r = connsheet({"genvars", "--steps", file("cancel.steps", "type 1434 \"gen_Other\"\nclick IDCANCEL\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(stored(), before);
    r = connsheet({"genvars", "--steps", file("open.steps", "type 1434 \"gen_Other\"\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("#0 \"General variables\""), std::string::npos) << "the dialog left open is printed";
    EXPECT_EQ(stored(), before);
    r = connsheet({"genvars", "--steps", file("wrong.steps", "click 4711\n")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(connsheet({"genvars", "--steps", file("bad.steps", "wiggle 1434\n")}).status, 2);
}

TEST_F(GenVarsCommand, ShowOpensTheSmallDialogsOnTheirDataAndPrintsWhatOkGives) {
    const std::string data = file("grid.json", R"({"firstCount": 6, "secondLabel": "K"})");
    CommandRun r = connsheet({"show", "242", "--data", data, "--steps", file("ok.steps", "click IDOK\n")});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto result = nlohmann::json::parse(r.out);
    EXPECT_EQ(result.at("firstCount"), 6);
    EXPECT_EQ(result.at("secondLabel"), "K");
    EXPECT_EQ(result.at("firstLabel"), "A");

    r = connsheet({"show", "244", "--steps", file("all.steps", "click 3\n")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out).at("result"), 2);

    for (const char* bad :
         {R"({"firstCount": "6"})", R"({"firstCount": 4294967296})", R"({"colour": 1})", "[]"}) {
        r = connsheet({"show", "242", "--data", file("bad.json", bad)});
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("bad.json: "), std::string::npos) << r.err;
    }
    EXPECT_EQ(connsheet({"show", "248", "--data", data}).status, 2) << "--data for a template without data";
}

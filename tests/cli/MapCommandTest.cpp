// connsheet map: listing a sheet's links to a macro, and storing them as the mapping page does, used by
// the next run of the sheet on that macro.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/cli/CommandRun.h"
#include "tests/cli/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kPlateSheet = R"(connsheet-grid 1
sheet cols=2 rows=8 ref-style=0
cell A1 data="Input"
cell A2 data="Double Thick"
cell A3 data="String Section"
cell A4 data="Output"
cell A5 data="Double Wide"
cell A6 data="Calc"
cell A7 data="Wide = Thick * 10"
)";

class MapCommand : public ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        fs::create_directories(dir_ / "lib/Connection Standards");
        file("lib/Connection Standards/Plate.vls", kPlateSheet);
        fs::copy_file(fs::path(CONNSHEET_SOURCE_DIR) / "examples/library/Macros/EndPlateBeamToColumn.json",
                      dir_ / "macro.json");
    }
    CommandRun map(std::vector<std::string> more) {
        std::vector<std::string> args{"--lib",   (dir_ / "lib").string() + "/", "map", "Plate",
                                      "--macro", (dir_ / "macro.json").string()};
        args.insert(args.end(), more.begin(), more.end());
        return runConnsheet(args);
    }
    std::string read(const fs::path& path) const {
        std::ifstream in(dir_ / path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

TEST_F(MapCommand, ListsTheVariablesTheirLinksAndTheMacrosObjects) {
    const CommandRun run = map({});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("maps to  EndPlateBeamToColumn\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Thick     Decim  -\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Section   Tekst  -\n"), std::string::npos);
    EXPECT_NE(run.out.find("Decim  Plates.Thickness\n"), std::string::npos);
    EXPECT_NE(run.out.find("Tekst  Bolts.BoltRows.PatternNrBolts1\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "lib/Connection Standards/Plate.map"));
}

TEST_F(MapCommand, ASetLinkGoesUnderAFreshKeyOnceAndTheNextRunUsesIt) {
    const CommandRun first =
        map({"--set", "Thick=plates.thickness", "Section=.Prof0.PrPlName", "Wide=Plates.Height"});
    ASSERT_EQ(first.status, 0) << first.err;
    ASSERT_EQ(first.out.rfind("stored under ", 0), 0u) << first.out;
    const std::string key = first.out.substr(13, 24);
    EXPECT_NE(first.out.find("Thick     Decim  Plates.Thickness\n"), std::string::npos) << first.out;
    EXPECT_EQ(read("lib/Connection Standards/Plate.map"),
              "Mapping version 1.0\n" + key +
                  "=Thick\xC6\x92Plates\" Distance Thickness\xC2\xBFSection\xC6\x92\" PrPlName "
                  "Prof0\xC2\xBFWide\xC6\x92Plates\" Distance Height\n");
    EXPECT_NE(read("macro.json").find("\"sheet\": \"Plate\",\n      \"mapsTo\": \"" + key + "\""),
              std::string::npos)
        << read("macro.json");

    // The same links again: nothing is written.
    const std::string macroBefore = read("macro.json"),
                      mapBefore = read("lib/Connection Standards/Plate.map");
    const CommandRun again = map({"--set", "Wide=Plates.Height"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out.rfind("unchanged: nothing written\n", 0), 0u) << again.out;
    EXPECT_NE(again.out.find("maps to  " + key), std::string::npos);
    EXPECT_EQ(read("macro.json"), macroBefore);
    EXPECT_EQ(read("lib/Connection Standards/Plate.map"), mapBefore);

    // The run finds the key in the macro: Height = Thickness 15 * 10.
    const CommandRun run = runConnsheet({"--lib", (dir_ / "lib").string() + "/", "run", "Plate", "--macro",
                                         (dir_ / "macro.json").string(), "--no-warnings", "--out",
                                         (dir_ / "out.json").string()});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::string out = read("out.json");
    EXPECT_NE(out.find("\"name\": \"Height\",\n          \"value\": 150.0,"), std::string::npos) << out;
}

TEST_F(MapCommand, RefusesObjectsOfTheOtherClassAndUnknownNamesWritingNothing) {
    const std::string macroBefore = read("macro.json");
    for (const std::vector<std::string>& set :
         {std::vector<std::string>{"--set", "Section=Plates.Thickness"},
          std::vector<std::string>{"--set", "Thick=Bolts.BoltRows.PatternNrBolts1"},
          std::vector<std::string>{"--set", "Nope=Plates.Thickness"},
          std::vector<std::string>{"--set", "Thick"}}) {
        const CommandRun run = map(set);
        EXPECT_EQ(run.status, 2) << set[1];
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_EQ(read("macro.json"), macroBefore);
    EXPECT_FALSE(fs::exists(dir_ / "lib/Connection Standards/Plate.map"));
    EXPECT_EQ(map({"--maps-to", "Module.Plates", "--set", "Thick=Plates.Thickness"}).status, 2);
}

}  // namespace

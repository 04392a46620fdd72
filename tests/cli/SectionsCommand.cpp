// connsheet sections: listing tables and sizes, adding a size, and a standards run that uses the added
// size right away (in the same process) and in the next run (read from the rewritten file).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/mxbase/Mx_SectionTableManager.h"
#include "platform/mxbase/Mx_Settings.h"
#include "tests/cli/CommandRun.h"
#include "tests/cli/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

class SectionsCommand : public ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        const fs::path bundled = fs::path(CONNSHEET_SOURCE_DIR) / "examples" / "library" / "prof";
        fs::create_directories(dir_ / "prof");
        fs::create_directories(dir_ / "Connection Standards");
        for (const char* table : {"IPE.pr", "HEA.pr", "HEB.pr"})
            fs::copy_file(bundled / table, dir_ / "prof" / table);
        std::ofstream(dir_ / "Connection Standards" / "Depth.vls") << R"vls(connsheet-grid 1
sheet cols=1 rows=10 ref-style=0
cell A1 data="Input"
cell A2 data="String Section"
cell A4 data="Output"
cell A5 data="Double Depth"
cell A6 data="Double Width"
cell A8 data="Calc"
cell A9 data="Depth = SECTIONSIZE(Section, 1)"
cell A10 data="Width = SECTIONSIZE(Section, 2)"
)vls";
        lib_ = dir_.string() + "/";
        gSectionTableManager.reset();
    }
    void TearDown() override {
        gSectionTableManager.reset();
        gSettings.reset();
        ScratchFolderTest::TearDown();
    }
    CommandRun sections(std::vector<std::string> args) {
        args.insert(args.begin(), {"--lib", lib_, "sections"});
        return runConnsheet(args);
    }
    std::string lib_;
};

TEST_F(SectionsCommand, ListsTablesAndOneTablesSizes) {
    const CommandRun tables = sections({});
    ASSERT_EQ(tables.status, 0) << tables.err;
    EXPECT_EQ(
        tables.out,
        "table\tsizes\tactive\tpicture\nHEA\t24\t24\thea.bmp\nHEB\t19\t19\theb.bmp\nIPE\t18\t18\tipe.bmp\n");

    const CommandRun ipe = sections({"IPE"});
    ASSERT_EQ(ipe.status, 0) << ipe.err;
    EXPECT_EQ(ipe.out.substr(0, ipe.out.find('\n')),
              "SysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\tb\ttw\ttf\tr\tA\tG");
    EXPECT_NE(
        ipe.out.find("\n200\t1\tIPE 200\tIPE 200\tIPE 200\tIPE200\t200\t100\t5.6\t8.5\t12\t28.48\t22.4\n"),
        std::string::npos);

    const CommandRun json = sections({"HEA", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find(R"("section": "HEA-200")"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find(R"("English": "HE 200 A")"), std::string::npos);
    EXPECT_NE(json.out.find(R"("h": "190")"), std::string::npos);

    const CommandRun missing = sections({"UPN"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no table UPN"), std::string::npos) << missing.err;
}

TEST_F(SectionsCommand, AddedSizeIsUsedBySectionSizeInThisRunAndTheNext) {
    const CommandRun before = runConnsheet({"--lib", lib_, "eval", "Depth", "Section=IPE 210", "--csv"});
    EXPECT_EQ(before.status, 1) << before.out;

    const CommandRun added = sections({"add", "IPE", "--like", "200", "h=210", "b=105"});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "added IPE-210 (IPE 210) as row 8 of 19\n");

    // This process: the table was registered as it was written.
    const CommandRun now = runConnsheet({"--lib", lib_, "eval", "Depth", "Section=IPE 210", "--csv"});
    ASSERT_EQ(now.status, 0) << now.err << now.out;
    EXPECT_NE(now.out.find("output,double,Depth,210"), std::string::npos) << now.out;
    EXPECT_NE(now.out.find("output,double,Width,105"), std::string::npos) << now.out;

    // The next process reads the library's files.
    gSectionTableManager.reset();
    const CommandRun next = runConnsheet({"--lib", lib_, "eval", "Depth", "Section=IPE-210", "--csv"});
    ASSERT_EQ(next.status, 0) << next.err << next.out;
    EXPECT_NE(next.out.find("output,double,Depth,210"), std::string::npos) << next.out;

    const CommandRun listed = sections({"IPE"});
    EXPECT_NE(listed.out.find("\n200\t1\tIPE 200\t"), std::string::npos);
    EXPECT_LT(listed.out.find("\n200\t"),
              listed.out.find("\n210\t1\tIPE 210\tIPE 210\tIPE 210\tIPE210\t210\t105\t5.6\t"));
    EXPECT_LT(listed.out.find("\n210\t"), listed.out.find("\n220\t"));
}

TEST_F(SectionsCommand, RefusedSizesLeaveTheFileAlone) {
    const std::string ipe = (dir_ / "prof" / "IPE.pr").string();
    std::ifstream in(ipe, std::ios::binary);
    const std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto unchanged = [&] {
        std::ifstream again(ipe, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>()) ==
               original;
    };

    const CommandRun same = sections({"add", "IPE", "--like", "200"});
    EXPECT_EQ(same.status, 1);
    EXPECT_NE(same.err.find("already has a size 200"), std::string::npos) << same.err;
    const CommandRun typedSame = sections({"add", "IPE", "--like", "200", "--name", "ipe 200", "h=1"});
    EXPECT_EQ(typedSame.status, 0) << "a typed name differs from every system name: " << typedSame.err;
    EXPECT_FALSE(unchanged());

    std::ofstream(ipe, std::ios::binary) << original;
    const CommandRun unknownValue = sections({"add", "IPE", "--like", "200", "depth=210"});
    EXPECT_EQ(unknownValue.status, 2);
    EXPECT_NE(unknownValue.err.find("(h, b, tw, tf, r, A, G)"), std::string::npos) << unknownValue.err;
    const CommandRun notNumber = sections({"add", "IPE", "--like", "200", "h=deep"});
    EXPECT_EQ(notNumber.status, 1);
    const CommandRun unknownLike = sections({"add", "IPE", "--like", "999", "h=999"});
    EXPECT_EQ(unknownLike.status, 1);
    EXPECT_NE(unknownLike.err.find("has no size 999"), std::string::npos);
    const CommandRun noLike = sections({"add", "IPE", "h=210"});
    EXPECT_EQ(noLike.status, 2);
    EXPECT_TRUE(unchanged());
}

}  // namespace

namespace {

TEST_F(SectionsCommand, DialogsRunOnTheLibraryWithAStepFile) {
    // The new-size dialog: OK in the steps adds the size and writes the table.
    const std::string add = file("add.steps", "type 1300 \"210\"\ntype 1302 \"105\"\nclick IDOK\n");
    const CommandRun added = sections({"add", "IPE", "--like", "200", "--dialog", "--steps", add});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "added a size to IPE as active size 8 of 19\n");
    const CommandRun listed = sections({"IPE"});
    EXPECT_NE(listed.out.find("\n210\t1\tIPE 210\t"), std::string::npos) << listed.out;
    const CommandRun run = runConnsheet({"--lib", lib_, "eval", "Depth", "Section=IPE 210", "--csv"});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_NE(run.out.find("output,double,Width,105"), std::string::npos)
        << "SECTIONSIZE sees the dialog's size";

    // Steps that leave the dialog open: the picture is written, the dialog cancelled, nothing saved.
    const std::string look = file("look.steps", "type 1300 \"230\"\n");
    const std::string png = (dir_ / "new-size.png").string();
    const CommandRun looked =
        sections({"add", "IPE", "--like", "200", "--dialog", "--steps", look, "--png", png});
    EXPECT_EQ(looked.status, 0) << looked.err;
    EXPECT_EQ(looked.out, "cancelled: IPE unchanged\n");
    EXPECT_TRUE(fs::exists(png));

    // A step on a control the dialog does not have is named and fails the command.
    const std::string wrong = file("wrong.steps", "click 4242\n");
    const CommandRun failed = sections({"add", "IPE", "--like", "200", "--dialog", "--steps", wrong});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("4242"), std::string::npos) << failed.err;

    // The library editor saves the groups and types on OK.
    const std::string ok = file("ok.steps", "click IDOK\n");
    const CommandRun edited = runConnsheet({"--lib", lib_, "sections", "edit", "--steps", ok});
    ASSERT_EQ(edited.status, 0) << edited.err;
    EXPECT_TRUE(fs::exists(dir_ / "prof" / "SectionLibrary.txt"));
    const CommandRun tables = sections({});
    EXPECT_EQ(tables.out.find("SectionLibrary"), std::string::npos) << "the library data is no table";
}

}  // namespace

// connsheet select-macro: the macro selection on the library's macros, driven by a step file.
#include <gtest/gtest.h>

#include <filesystem>

#include "CommandRun.h"
#include "ScratchFolder.h"
#include "platform/mfc/RegistryScope.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/ui/MacroPreviews.h"

namespace {

const std::string kLibrary = std::string(CONNSHEET_SOURCE_DIR) + "/examples/library";

class SelectMacroCommandTest : public ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        setMacroPreviewFolder(Mx_String((dir_ / "previews").wstring()));
    }
    void TearDown() override {
        setMacroPreviewFolder(Mx_String());
        gSettings.reset();
        ScratchFolderTest::TearDown();
    }
    CommandRun select(const std::string& steps, std::vector<std::string> more = {}) {
        std::vector<std::string> args = {"--lib", kLibrary, "select-macro", "--steps",
                                         file("pick.steps", steps)};
        args.insert(args.end(), more.begin(), more.end());
        return runConnsheet(args);
    }
    ui::RegistryScope registry_;
};

}  // namespace

TEST_F(SelectMacroCommandTest, OkPrintsTheChosenDrawingAndTheOption) {
    const CommandRun run = select("select 9091 \"FinPlate\"\nclick IDOK\n", {"--option"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "chosen: FinPlate.dwg\noption: 0\n");
}

TEST_F(SelectMacroCommandTest, NewMacroGivesTheOptionWithoutAName) {
    const CommandRun run = select("click 1352\n", {"--option"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "chosen: \noption: 1\n");
}

TEST_F(SelectMacroCommandTest, CancelAndMacrosNotOnOfferAreReported) {
    CommandRun run = select("click IDCANCEL\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "connsheet select-macro: cancelled\n");

    run = select("select 9091 \"FinPlate\"\nclick IDOK\n", {"BasePlate.dwg"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("has no item \"FinPlate\""), std::string::npos) << run.err;
}

TEST_F(SelectMacroCommandTest, ADialogLeftOpenIsDrawn) {
    const std::string png = (dir_ / "select.png").string();
    const CommandRun run = select("click 1409\n", {"--png", png, "--note"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(std::filesystem::is_regular_file(png));
}

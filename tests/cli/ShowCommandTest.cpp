#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <fstream>

#include "platform/mfc/WindowRenderer.h"
#include "tests/cli/CommandRun.h"
#include "tests/cli/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

class ShowCommand : public ScratchFolderTest {};

TEST_F(ShowCommand, DrawsATemplateAtItsSizeAndScale) {
    const std::string png = (dir_ / "prompt.png").string();
    const CommandRun run = runConnsheet({"show", "9002", "--png", png, "--scale", "2"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string error;
    const auto picture = ui::readPng(png, &error);
    ASSERT_TRUE(picture) << error;
    // 180 x 50 dialog units (276 x 110 pixels with the frame), at twice the size.
    EXPECT_EQ(picture->width(), 2 * 276);
    EXPECT_EQ(picture->height(), 2 * 110);
}

TEST_F(ShowCommand, PlaysStepsFirstAndPrintsTheTreeWithoutPng) {
    const std::string steps = file("steps.txt", "type 1101 \"M24 bolts\"\n");
    const CommandRun run = runConnsheet({"show", "9002", "--steps", steps});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Edit #1101 \"M24 bolts\""), std::string::npos) << run.out;
}

TEST_F(ShowCommand, BadStepsAndUnknownTargetsFailWithTheirReason) {
    const std::string steps = file("bad.txt", "type 1101 \"ok\"\nclick\n");
    CommandRun run = runConnsheet({"show", "9002", "--steps", steps});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("bad.txt:2: click needs a control"), std::string::npos) << run.err;

    run = runConnsheet({"show", "424242"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("no dialog template 424242"), std::string::npos) << run.err;

    // A step on a control that is not there is the user's mistake, reported, with no picture taken.
    const std::string missing = file("missing.txt", "click 5555\n");
    run = runConnsheet({"show", "9002", "--steps", missing, "--png", (dir_ / "x.png").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(fs::exists(dir_ / "x.png"));
}

TEST_F(ShowCommand, DrawsAResourceFileOfItsOwnWithItsPictures) {
    const std::string rc = file("mine.rc",
                                "DIALOG 7 0 0 100 40\n"
                                "  CAPTION \"Mine\"\n"
                                "  CONTROL Button IDOK \"OK\" 7 20 50 14 BS_DEFPUSHBUTTON\n"
                                "END\n"
                                "DIALOG 8 0 0 60 30\n"
                                "END\n");
    CommandRun run = runConnsheet({"show", rc});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"Mine\""), std::string::npos) << run.out;
    run = runConnsheet({"show", rc, "--dialog", "8", "--png", (dir_ / "8.png").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(dir_ / "8.png"));

    const std::string broken = file("broken.rc", "DIALOG 7 0 0 100 40\n  CONTROL\nEND\n");
    run = runConnsheet({"show", broken});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("broken.rc:2"), std::string::npos) << run.err;
}

TEST_F(ShowCommand, DrawsALibrarySheetInTheSpreadsheetWindow) {
    const std::string png = (dir_ / "sheet.png").string();
    const CommandRun run = runConnsheet({"show", "EndPlateBeamToColumn", "--png", png});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(ui::readPng(png, nullptr));
    EXPECT_EQ(runConnsheet({"show", "NoSuchSheet"}).status, 2);
}

}  // namespace

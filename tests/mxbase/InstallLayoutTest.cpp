#include "platform/mxbase/InstallLayout.h"

#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class InstallLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("cs_install_layout_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "bin");
        std::ofstream(root_ / "bin" / "connsheet") << "";
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path root_;
};

TEST_F(InstallLayoutTest, FindsTheShareFolderBesideTheProgramOnlyWhenItExists) {
    const fs::path program = root_ / "bin" / "connsheet";
    EXPECT_FALSE(install::sharedFolder(program, "library"));

    fs::create_directories(root_ / "share" / "connsheet" / "library");
    const auto found = install::sharedFolder(program, "library");
    ASSERT_TRUE(found);
    // Normalised, with the separator callers append to.
    EXPECT_EQ(found->string(), (root_ / "share" / "connsheet" / "library").string() + "/");
    EXPECT_FALSE(install::sharedFolder(program, "res"));

    // A file of that name is no folder.
    fs::create_directories(root_ / "share" / "connsheet");
    std::ofstream(root_ / "share" / "connsheet" / "res") << "";
    EXPECT_FALSE(install::sharedFolder(program, "res"));
}

TEST_F(InstallLayoutTest, ProgramWithoutAFolderOrUnknownFindsNothing) {
    EXPECT_FALSE(install::sharedFolder(fs::path(), "library"));
    EXPECT_FALSE(install::sharedFolder(fs::path("connsheet"), "library"));
}

TEST_F(InstallLayoutTest, TheBuildTreesTestProgramIsNotAnInstalledTree) {
    // Run from the build tree, nothing is installed beside us: the settings keep the source tree's
    // folders (and an installed tree cannot be mistaken for one because of this test's own location).
    EXPECT_FALSE(install::installedLibraryFolder());
    EXPECT_FALSE(install::installedHomeFolder());
    EXPECT_EQ(install::programFile().filename(), "test_mxbase_InstallLayoutTest");
}

}  // namespace

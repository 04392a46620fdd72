// What a standards run learns of its files holds from one run to the next while the kernel sends no
// change notice, and any change to a file, or to a folder on its way, is seen by the next run.
#include "platform/mxbase/FileWatch.h"

#include <gtest/gtest.h>
#include <sys/statfs.h>

#include <filesystem>
#include <fstream>

#include "platform/mxbase/FileSystem.h"
#include "tests/mxbase/FileSystemTestFolder.h"

namespace {

namespace fs = std::filesystem;

// One look at a path inside a scope of its own, as one run looks at its files.
fsys::PathInfo lookInRun(const fs::path& path) {
    fsys::StatScope run;
    return fsys::pathInfo(path);
}

class FileWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fsys::FileWatch::available()) GTEST_SKIP() << "no change notices here";
        // Earlier tests' changes must not count as this test's.
        fsys::StatScope settle;
    }
    TestFolder folder_;
};

TEST_F(FileWatchTest, UnchangedFilesAreNotAskedForAgain) {
    const fs::path file = folder_.put("Data/Bolts.dat", "M16\t18\n");
    const fs::path missing = folder_ / "Data/Other.dat";
    const fsys::PathInfo first = lookInRun(file);
    ASSERT_EQ(first.kind, fsys::PathInfo::Kind::File);
    EXPECT_FALSE(lookInRun(missing).exists());
    if (!fsys::FileWatch::watch(file)) GTEST_SKIP() << "the temporary folder is not on a watched file system";

    // Other programs making files in the temporary folder (a watched folder on the way) send
    // notices too, which rightly make a run ask again: one quiet pair of runs must do without.
    bool quiet = false;
    for (int attempt = 0; attempt < 50 && !quiet; ++attempt) {
        lookInRun(file);
        lookInRun(missing);
        const std::uint64_t before = fsys::statCount();
        EXPECT_EQ(lookInRun(file).stamp, first.stamp);
        EXPECT_FALSE(lookInRun(missing).exists());
        quiet = fsys::statCount() == before;
    }
    EXPECT_TRUE(quiet);

    // A path through a link is asked for every run: its target's folders are not watched.
    fs::create_directory_symlink(folder_ / "Data", folder_ / "Linked");
    lookInRun(folder_ / "Linked/Bolts.dat");
    const std::uint64_t linked = fsys::statCount();
    EXPECT_TRUE(lookInRun(folder_ / "Linked/Bolts.dat").exists());
    EXPECT_EQ(fsys::statCount(), linked + 1);

    // A relative path depends on the working folder: it is asked for every run.
    const fs::path here = fs::current_path();
    fs::current_path(folder_.path());
    lookInRun("Data/Bolts.dat");
    const std::uint64_t relative = fsys::statCount();
    EXPECT_TRUE(lookInRun("Data/Bolts.dat").exists());
    EXPECT_EQ(fsys::statCount(), relative + 1);
    fs::current_path(here);
}

TEST_F(FileWatchTest, EveryKindOfChangeIsSeenByTheNextRun) {
    const fs::path file = folder_.put("lib/Data/Bolts.dat", "M16\t18\n");
    const fs::path other = folder_ / "lib/Data/Other.dat";
    lookInRun(file);
    lookInRun(other);

    // Rewritten in place with the same size: the next run asks the file system again (its times
    // would tell only if the clock ticked in between; the notice always tells).
    const fsys::PathInfo original = lookInRun(file);
    std::ofstream(file, std::ios::binary) << "M20\t22\n";
    std::uint64_t before = fsys::statCount();
    const fsys::PathInfo rewritten = lookInRun(file);
    EXPECT_GT(fsys::statCount(), before);
    EXPECT_EQ(rewritten.stamp.size, original.stamp.size);

    // A file that was missing appears.
    std::ofstream(other) << "x";
    EXPECT_TRUE(lookInRun(other).exists());

    // Put in place by a rename (as writeAtomic does it): another file.
    const fs::path temporary = folder_.put("lib/Data/Bolts.tmp", "M24\t26\n");
    lookInRun(file);
    fs::rename(temporary, file);
    EXPECT_NE(lookInRun(file).stamp.inode, rewritten.stamp.inode);

    // Attributes changed.
    lookInRun(file);
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    before = fsys::statCount();
    lookInRun(file);
    EXPECT_GT(fsys::statCount(), before);

    // Removed.
    fs::remove(other);
    EXPECT_FALSE(lookInRun(other).exists());

    // A folder on the way renamed: the file is no longer there, and is there under the new name.
    fs::rename(folder_ / "lib/Data", folder_ / "lib/Stock");
    EXPECT_FALSE(lookInRun(file).exists());
    EXPECT_TRUE(lookInRun(folder_ / "lib/Stock/Bolts.dat").exists());

    // A folder further up renamed.
    lookInRun(folder_ / "lib/Stock/Bolts.dat");
    fs::rename(folder_ / "lib", folder_ / "library");
    EXPECT_FALSE(lookInRun(folder_ / "lib/Stock/Bolts.dat").exists());
    EXPECT_TRUE(lookInRun(folder_ / "library/Stock/Bolts.dat").exists());
}

TEST_F(FileWatchTest, AChangeWithinARunWaitsForTheNextRun) {
    // A run sees its files as they were when it first looked: the memory of the run holds.
    const fs::path file = folder_.put("sheet.vls", "one");
    fsys::StatScope run;
    EXPECT_EQ(fsys::pathInfo(file).stamp.size, 3);
    std::ofstream(file, std::ios::binary) << "three";
    EXPECT_EQ(fsys::pathInfo(file).stamp.size, 3);
    // Unless the change came through the file layer, which forgets.
    ASSERT_TRUE(fsys::writeAtomic(file, "seven!!", nullptr));
    EXPECT_EQ(fsys::pathInfo(file).stamp.size, 7);
}

}  // namespace

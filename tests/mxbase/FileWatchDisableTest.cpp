// A program of its own: turning notices off lasts for the rest of the process.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <fstream>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/FileWatch.h"

namespace {

namespace fs = std::filesystem;

TEST(FileWatchDisable, NothingIsWatchedNorTrustedAfterwardsSoChangesAreStillSeen) {
    const fs::path dir = fs::temp_directory_path() / ("cs_watch_off_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "a.dat";
    std::ofstream(file) << "1";

    fsys::FileWatch::disable();
    EXPECT_FALSE(fsys::FileWatch::available());
    EXPECT_FALSE(fsys::FileWatch::watch(file));
    EXPECT_TRUE(fsys::FileWatch::changedSinceLastCheck());

    // Without trust, a later scope looks at the file again and sees it grow.
    std::int64_t before = 0;
    {
        fsys::StatScope scope;
        before = fsys::stamp(file)->size;
    }
    std::ofstream(file, std::ios::app) << "23";
    {
        fsys::StatScope scope;
        EXPECT_EQ(fsys::stamp(file)->size, before + 2);
    }
    fs::remove_all(dir);
}

}  // namespace

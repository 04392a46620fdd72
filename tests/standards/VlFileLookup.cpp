// The kept answers of the file lookups: an answer is used again only while the folders searched in
// vain and the file found are as they were, so a file that appears in an earlier place, or goes away,
// is seen on the next lookup; inside one run an answer is checked once.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <vector>

#include "standards/VlFileLookup.h"
#include "tests/standards/StandardsTestSupport.h"

namespace {

namespace fs = std::filesystem;
using standardstest::ScratchDir;

class VlFileLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        VlFileLookup::clearCache();
        fs::create_directories(path("first"));
        fs::create_directories(path("second"));
        dir.write("second/x.dat", "second");
        age();
        // The product writes "\" and its own letter case; the second place is spelt otherwise.
        candidates = {dir.file("first") + L"\\x.dat", dir.file("SECOND") + L"\\X.DAT"};
    }
    void TearDown() override { VlFileLookup::clearCache(); }

    fs::path path(const std::string& name) const { return fs::path(dir.file(name).str()); }
    // Gives the folders a time long past, as a library's folders have: only then are answers kept.
    void age() const {
        const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
        for (const char* folder : {"first", "second"}) fs::last_write_time(path(folder), past);
    }
    // The index of the candidate found, -1 for none.
    int lookUp() const {
        Mx_String found;
        if (!VlFileLookup::firstExisting(candidates, found)) return -1;
        for (std::size_t i = 0; i < candidates.size(); ++i)
            if (found == candidates[i]) return static_cast<int>(i);
        ADD_FAILURE() << "not a candidate: " << found.toUtf8();
        return -2;
    }

    ScratchDir dir;
    std::vector<Mx_String> candidates;
};

TEST_F(VlFileLookupTest, AnswersFollowTheFolders) {
    EXPECT_EQ(lookUp(), 1);
    EXPECT_EQ(lookUp(), 1);  // kept

    // A file appearing in the earlier place wins from then on, whether its folder is fresh or old.
    dir.write("first/x.dat", "first");
    EXPECT_EQ(lookUp(), 0);
    age();
    EXPECT_EQ(lookUp(), 0);

    fs::remove(path("first/x.dat"));
    age();
    EXPECT_EQ(lookUp(), 1);

    // The file found goes away: nothing is found, and a folder in its place does not count.
    fs::remove(path("second/x.dat"));
    age();
    EXPECT_EQ(lookUp(), -1);
    fs::create_directories(path("second/x.dat"));
    age();
    EXPECT_EQ(lookUp(), -1);
    fs::remove(path("second/x.dat"));
    dir.write("second/x.dat", "again");
    EXPECT_EQ(lookUp(), 1);
}

TEST_F(VlFileLookupTest, AMissingFolderThatAppearsIsSeen) {
    // Neither "later" nor "later\sub" exists: the answer watches the nearest folder that does.
    candidates.insert(candidates.begin(), dir.file("later") + L"\\sub\\x.dat");
    const fs::path root = path("first").parent_path();
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(root, now - std::chrono::hours(1));
    EXPECT_EQ(lookUp(), 2);
    EXPECT_EQ(lookUp(), 2);
    dir.write("later/sub/x.dat", "later");
    for (const fs::path& folder : {root, path("later"), path("later/sub")})
        fs::last_write_time(folder, now - std::chrono::hours(2));
    EXPECT_EQ(lookUp(), 0);
}

TEST_F(VlFileLookupTest, ARunChecksEachAnswerOnce) {
    {
        VlFileLookup::RunScope run;
        EXPECT_EQ(lookUp(), 1);
        dir.write("first/x.dat", "first");
        age();
        EXPECT_EQ(lookUp(), 1);  // checked in this run already
        {
            VlFileLookup::RunScope child;  // a child run belongs to the same run
            EXPECT_EQ(lookUp(), 1);
        }
    }
    EXPECT_EQ(lookUp(), 0);
    VlFileLookup::RunScope next;
    EXPECT_EQ(lookUp(), 0);
}

TEST_F(VlFileLookupTest, SingleFiles) {
    EXPECT_TRUE(VlFileLookup::isFile(dir.file("second") + L"\\x.dat"));
    EXPECT_FALSE(VlFileLookup::isFile(dir.file("second")));  // a folder
    EXPECT_FALSE(VlFileLookup::isFile(Mx_String()));
    EXPECT_FALSE(VlFileLookup::isFile(dir.file("nowhere/x.dat")));
}

}  // namespace

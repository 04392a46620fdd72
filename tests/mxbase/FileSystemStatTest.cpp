// What the file system is asked about a path (its kind and stamp), and the memory a StatScope keeps of
// those answers: kept while a scope lives, forgotten when the outermost one ends or the program itself
// writes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>  // symlink

#include <chrono>
#include <string>

#include "platform/mxbase/FileSystem.h"
#include "tests/mxbase/FileSystemTestFolder.h"

namespace fs = std::filesystem;

namespace {

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

TEST(FileSystemStat, KindsAndStamps) {
    TestFolder folder;
    const fs::path file = folder.put("a.txt", "12345");
    fs::create_directories(folder / "sub");
    ASSERT_EQ(::symlink(file.c_str(), (folder / "to-file").c_str()), 0);
    ASSERT_EQ(::symlink((folder / "sub").c_str(), (folder / "to-sub").c_str()), 0);
    ASSERT_EQ(::symlink((folder / "gone").c_str(), (folder / "dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);

    using Kind = fsys::PathInfo::Kind;
    const struct {
        fs::path path;
        Kind kind;
    } cases[] = {
        {file, Kind::File},
        {folder / "to-file", Kind::File},  // links are followed
        {folder / "sub", Kind::Folder},
        {folder / "to-sub", Kind::Folder},
        {folder / "sub/", Kind::Folder},
        {folder / "fifo", Kind::Other},
        {folder / "missing.txt", Kind::None},
        {folder / "dangling", Kind::None},
        {folder / "a.txt/below", Kind::None},
        {fs::path(), Kind::None},
    };
    for (const auto& c : cases) {
        const fsys::PathInfo info = fsys::pathInfo(c.path);
        EXPECT_EQ(info.kind, c.kind) << c.path;
        EXPECT_EQ(info.exists(), c.kind != Kind::None) << c.path;
        EXPECT_EQ(fsys::exists(c.path), c.kind != Kind::None) << c.path;
        EXPECT_EQ(fsys::isDirectory(c.path), c.kind == Kind::Folder) << c.path;
        EXPECT_EQ(fsys::stamp(c.path).has_value(), c.kind == Kind::File) << c.path;  // files only
        EXPECT_EQ(fsys::lastWriteTime(c.path).has_value(), c.kind != Kind::None) << c.path;
    }

    // The stamp is what stat says of the file, for the file and for a link to it.
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    const auto stamp = fsys::stamp(file);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->device, static_cast<std::uint64_t>(st.st_dev));
    EXPECT_EQ(stamp->inode, static_cast<std::uint64_t>(st.st_ino));
    EXPECT_EQ(stamp->size, 5);
    EXPECT_EQ(stamp->writeTime, std::int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec);
    EXPECT_EQ(stamp->changeTime, std::int64_t(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec);
    EXPECT_EQ(fsys::lastWriteTime(file), stamp->writeTime);
    EXPECT_EQ(fsys::stamp(folder / "to-file"), stamp);
    EXPECT_EQ(fsys::pathInfo(file).stamp, *stamp);
    EXPECT_NE(fsys::pathInfo(folder / "sub").stamp.inode, 0u);  // folders have a stamp too

    // A file put in its place is another file, whatever its size and times.
    ASSERT_TRUE(fsys::writeAtomic(file, "54321", nullptr));
    const auto replaced = fsys::stamp(file);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->size, 5);
    EXPECT_NE(*replaced, *stamp);
}

TEST(FileSystemStat, SettledMeansBothTimesTwoSecondsOld) {
    TestFolder folder;
    const fs::path file = folder.put("a.txt", "x");
    const auto written = fsys::stamp(file);
    ASSERT_TRUE(written);
    EXPECT_FALSE(written->settled());

    // A file whose write time was set back (an archive extracted, a copy keeping times) has a new
    // status-change time: not settled either.
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(24));
    const auto backdated = fsys::stamp(file);
    ASSERT_TRUE(backdated);
    EXPECT_LT(backdated->writeTime, nowNs() - 3'600'000'000'000);
    EXPECT_FALSE(backdated->settled());

    const std::int64_t old = nowNs() - 3'000'000'000, young = nowNs() - 1'900'000'000;
    const std::int64_t future = nowNs() + 60'000'000'000;
    const struct {
        std::int64_t writeTime, changeTime;
        bool settled;
    } cases[] = {
        {old, old, true},
        {old, young, false},
        {young, old, false},
        {young, young, false},
        {old, future, false},
        {future, future, false},
        {0, 0, true},
    };
    for (const auto& c : cases) {
        fsys::FileStamp stamp;
        stamp.size = 10;
        stamp.writeTime = c.writeTime;
        stamp.changeTime = c.changeTime;
        EXPECT_EQ(stamp.settled(), c.settled) << c.writeTime << " " << c.changeTime;
    }
}

TEST(FileSystemStat, AScopeRemembersUntilTheOutermostEnds) {
    TestFolder folder;
    const fs::path file = folder.put("a.txt", "abc");
    const fs::path later = folder / "later.txt";

    // Without a scope every look is fresh.
    ASSERT_TRUE(fsys::exists(file));
    fs::remove(file);
    EXPECT_FALSE(fsys::exists(file));
    folder.put("a.txt", "abc");

    {
        fsys::StatScope outer;
        const auto before = fsys::stamp(file);
        ASSERT_TRUE(before);
        EXPECT_FALSE(fsys::exists(later));
        {
            fsys::StatScope inner;
            fs::remove(file);
            folder.put("later.txt", "now");
            EXPECT_TRUE(fsys::exists(file));
            EXPECT_EQ(fsys::stamp(file), before);
            EXPECT_EQ(fsys::pathInfo(file).kind, fsys::PathInfo::Kind::File);
            EXPECT_EQ(fsys::lastWriteTime(file), before->writeTime);
            EXPECT_FALSE(fsys::exists(later));
        }
        // The inner scope ending forgets nothing.
        EXPECT_TRUE(fsys::exists(file));
        EXPECT_EQ(fsys::stamp(file), before);
        EXPECT_FALSE(fsys::pathInfo(later).exists());
    }
    EXPECT_FALSE(fsys::exists(file));
    EXPECT_FALSE(fsys::stamp(file));
    EXPECT_FALSE(fsys::lastWriteTime(file));
    EXPECT_TRUE(fsys::exists(later));

    // A new scope starts with nothing remembered.
    fsys::StatScope again;
    EXPECT_FALSE(fsys::exists(file));
    EXPECT_EQ(fsys::stamp(later)->size, 3);
}

TEST(FileSystemStat, WritesInAScopeAreSeen) {
    TestFolder folder;
    const fs::path file = folder.put("a.txt", "abc");
    const fs::path created = folder / "new.txt";
    const fs::path copy = folder / "copy.txt";
    const fs::path deep = folder / "one/two";

    fsys::StatScope scope;
    ASSERT_EQ(fsys::stamp(file)->size, 3);
    EXPECT_FALSE(fsys::exists(created));
    EXPECT_FALSE(fsys::exists(copy));
    EXPECT_FALSE(fsys::isDirectory(deep));
    EXPECT_FALSE(fsys::isDirectory(folder / "one"));

    ASSERT_TRUE(fsys::writeAtomic(file, "abcdef", nullptr));
    EXPECT_EQ(fsys::stamp(file)->size, 6);
    ASSERT_TRUE(fsys::writeAtomic(created, "x", nullptr));
    EXPECT_TRUE(fsys::exists(created));
    ASSERT_TRUE(fsys::copyFile(file, copy, nullptr));
    EXPECT_EQ(fsys::stamp(copy)->size, 6);
    ASSERT_TRUE(fsys::createDirectories(deep, nullptr));
    EXPECT_TRUE(fsys::isDirectory(deep));
    EXPECT_TRUE(fsys::isDirectory(folder / "one"));

    // A failed write forgets too, and what it answers afterwards is the truth.
    EXPECT_FALSE(fsys::writeAtomic(folder / "no/such/x.txt", "x", nullptr));
    EXPECT_FALSE(fsys::exists(folder / "no/such/x.txt"));
}

TEST(FileSystemStat, ResolveWorksInAScope) {
    TestFolder folder;
    const fs::path actual = folder.put("Data/File.TXT", "x");
    const std::wstring base = folder.wide();

    fsys::StatScope scope;
    for (int round = 0; round < 2; ++round) {  // the second time from what the scope remembers
        EXPECT_EQ(fsys::resolve(base + L"data\\file.txt"), actual);
        EXPECT_EQ(fsys::resolve(base + L"DATA/File.TXT"), actual);
        EXPECT_EQ(fsys::resolve(base + L"Data/File.TXT"), actual);
        EXPECT_EQ(fsys::resolve(base + L"data/New.txt"), folder / "Data/New.txt");
    }
    // A file written through the program is found by any case afterwards, by the texts resolved
    // before it existed too.
    EXPECT_EQ(fsys::resolve(base + L"data/new.txt"), folder / "Data/new.txt");
    ASSERT_TRUE(fsys::writeAtomic(folder / "Data/New.txt", "y", nullptr));
    EXPECT_EQ(fsys::resolve(base + L"DATA\\NEW.TXT"), folder / "Data/New.txt");
    EXPECT_EQ(fsys::resolve(base + L"data/new.txt"), folder / "Data/New.txt");
    EXPECT_TRUE(fsys::exists(fsys::resolve(base + L"data/new.txt")));
    // And a folder made through it.
    EXPECT_EQ(fsys::resolve(base + L"data/sub/x.txt"), folder / "Data/sub/x.txt");
    ASSERT_TRUE(fsys::createDirectories(folder / "Data/Sub", nullptr));
    EXPECT_EQ(fsys::resolve(base + L"data/sub/x.txt"), folder / "Data/Sub/x.txt");
}

// A scope lists a folder once for every name looked for in it: a file that appears there behind the
// program's back is found by its other case only when the scope has ended (or was told to forget).
TEST(FileSystemStat, AScopeListsAFolderOnce) {
    TestFolder folder;
    folder.put("Data/First.txt", "x");
    const std::wstring base = folder.wide();
    {
        fsys::StatScope scope;
        EXPECT_EQ(fsys::resolve(base + L"data/first.txt"), folder / "Data/First.txt");
        folder.put("Data/Second.txt", "y");  // not through writeAtomic
        EXPECT_EQ(fsys::resolve(base + L"Data/second.txt"), folder / "Data/second.txt");
        fsys::StatScope::forget();
        EXPECT_EQ(fsys::resolve(base + L"Data/second.TXT"), folder / "Data/Second.txt");
        folder.put("Data/Third.txt", "z");
        EXPECT_EQ(fsys::resolve(base + L"Data/third.txt"), folder / "Data/third.txt");
    }
    EXPECT_EQ(fsys::resolve(base + L"Data/third.txt"), folder / "Data/Third.txt");
    fsys::StatScope again;
    EXPECT_EQ(fsys::resolve(base + L"Data/THIRD.txt"), folder / "Data/Third.txt");
}

}  // namespace

#include "platform/mxbase/FileSystem.h"

#include <gtest/gtest.h>
#include <sys/resource.h>  // setrlimit
#include <sys/stat.h>

#include <csignal>
#include <string>
#include <vector>

#include "tests/mxbase/FileSystemTestFolder.h"

namespace fs = std::filesystem;

namespace {

TEST(FileSystemResolve, FindsPathsWrittenTheProductWayIgnoringCase) {
    TestFolder folder;
    fs::path actual = folder.put("connection standards/data/X.DAT", "x");

    EXPECT_EQ(fsys::resolve(folder.wide() + L"Connection Standards\\Data\\x.dat"), actual);
    EXPECT_EQ(fsys::resolve(folder.wide() + L"CONNECTION STANDARDS/data/x.DaT"), actual);
    // As written, when it exists, with the separators turned.
    EXPECT_EQ(fsys::resolve(folder.wide() + L"connection standards\\data\\X.DAT"), actual);
}

TEST(FileSystemResolve, KeepsWhatDoesNotExistAsWritten) {
    TestFolder folder;
    folder.put("Macros/a.txt", "");
    const std::string base = folder.path().string();

    struct Case {
        std::wstring path;
        std::string expected;
    };
    const std::wstring w = folder.wide();
    const Case cases[] = {
        // A new file in an existing folder of other case lands in that folder.
        {w + L"MACROS\\New File.txt", base + "/Macros/New File.txt"},
        // Nothing matches below a missing folder.
        {w + L"missing\\Macros\\a.txt", base + "/missing/Macros/a.txt"},
        // A trailing separator stays, doubled separators collapse.
        {w + L"macros\\\\", base + "/Macros/"},
        {L"relative\\no\\such\\file.txt", "relative/no/such/file.txt"},
        {L"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fsys::resolve(c.path).string(), c.expected) << fsys::fromWide(c.path);
}

TEST(FileSystemResolve, SearchesEveryCaseVariantOfAFolder) {
    TestFolder folder;
    folder.put("Data/b.txt", "upper");
    folder.put("data/c.txt", "lower");
    const std::wstring w = folder.wide();
    // Both folders match "DATA"; the file decides which one is meant.
    EXPECT_EQ(fsys::resolve(w + L"DATA\\B.TXT"), folder / "Data/b.txt");
    EXPECT_EQ(fsys::resolve(w + L"DATA\\C.TXT"), folder / "data/c.txt");
    // A new file goes to the first variant in byte order, whatever the directory order.
    EXPECT_EQ(fsys::resolve(w + L"DATA\\new.txt"), folder / "Data/new.txt");
    EXPECT_EQ(fsys::resolve(w + L"data\\new.txt"), folder / "data/new.txt");
    // The folder as written exists but lacks the file: its variant still gets its turn.
    EXPECT_EQ(fsys::resolve(w + L"Data\\c.txt"), folder / "data/c.txt");
}

TEST(FileSystemResolve, MatchesCaseOnlyBelowAFolderTakenAsWritten) {
    TestFolder folder;
    folder.put("lib/Data/x.txt", "lower root");
    folder.put("Lib/data/y.txt", "upper root");
    folder.put("Lib/Macros/m.txt", "");
    const std::wstring w = folder.wide();
    // Before: the root's own variants are searched like any other folder's.
    EXPECT_EQ(fsys::resolve(w + L"Lib\\DATA\\X.TXT"), folder / "lib/Data/x.txt");

    ASSERT_TRUE(fsys::takeFolderAsWritten(folder / "Lib/"));
    // After: the root and what lies above it are taken as written; below it names still fold.
    EXPECT_EQ(fsys::resolve(w + L"Lib\\DATA\\Y.TXT"), folder / "Lib/data/y.txt");
    EXPECT_EQ(fsys::resolve(w + L"Lib\\DATA\\X.TXT"), folder / "Lib/data/X.TXT");
    EXPECT_EQ(fsys::resolve(w + L"Lib\\macros\\"), folder / "Lib/Macros/");
    // A path that merely starts with the same letters is not inside it.
    EXPECT_EQ(fsys::resolve(w + L"LibX\\a.txt"), folder / "LibX/a.txt");
    EXPECT_EQ(fsys::resolve(w + L"LIB\\data\\x.txt"), folder / "lib/Data/x.txt");

    // Only folders that exist as written, named absolutely, are taken.
    EXPECT_FALSE(fsys::takeFolderAsWritten(folder / "LIB"));
    EXPECT_FALSE(fsys::takeFolderAsWritten(folder / "Lib/data/y.txt"));
    EXPECT_FALSE(fsys::takeFolderAsWritten("relative/folder"));
    EXPECT_FALSE(fsys::takeFolderAsWritten("/"));
}

TEST(FileSystemResolve, FoldsLettersBeyondAscii) {
    TestFolder folder;
    fs::path actual = folder.put("ÄRGER/Ölpreis.txt", "x");
    EXPECT_EQ(fsys::resolve(folder.wide() + L"ärger\\ÖLPREIS.TXT"), actual);
    EXPECT_TRUE(fsys::equalIgnoringCase(L"ŁÓDŹ ΣΙΓΜΑ ЖУК", L"łódź σιγμα жук"));
    EXPECT_FALSE(fsys::equalIgnoringCase(L"a", L"ab"));
}

TEST(FileSystemRead, ReportsMissingFilesAndFolders) {
    TestFolder folder;
    std::string error;
    EXPECT_FALSE(fsys::readBytes(folder / "none.txt", &error));
    EXPECT_NE(error.find("none.txt"), std::string::npos) << error;
    EXPECT_FALSE(fsys::readBytes(folder.path(), &error));
    EXPECT_FALSE(fsys::readBytes(folder / "none.txt", nullptr));  // no error wanted: no crash

    std::string bytes("a\0b\xff", 4);
    folder.put("bin", bytes);
    EXPECT_EQ(fsys::readBytes(folder / "bin", nullptr), bytes);
}

// Files of every size come back whole: empty, larger than one read, and files whose size stat does
// not tell (/proc says 0 for files that are not empty).
TEST(FileSystemRead, ReadsWholeFilesWhateverTheirSizeSays) {
    TestFolder folder;
    folder.put("empty", "");
    EXPECT_EQ(fsys::readBytes(folder / "empty", nullptr), std::string());
    std::string large;
    for (int i = 0; large.size() < 200000; ++i)
        large += std::to_string(i) + '\n';
    folder.put("large", large);
    EXPECT_EQ(fsys::readBytes(folder / "large", nullptr), large);

    const std::optional<std::string> status = fsys::readBytes("/proc/self/status", nullptr);
    ASSERT_TRUE(status);
    EXPECT_NE(status->find("VmSize"), std::string::npos);
}

TEST(FileSystemWrite, ReplacesTheFileAndKeepsItsPermissions) {
    TestFolder folder;
    fs::path file = folder.put("a.txt", "old");
    ::chmod(file.c_str(), 0600);
    std::string error;
    ASSERT_TRUE(fsys::writeAtomic(file, "new contents", &error)) << error;
    EXPECT_EQ(TestFolder::get(file), "new contents");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(folder.entryCount(folder.path()), 1);  // no temporary file left
}

TEST(FileSystemWrite, RefusesAReadOnlyFileAsCpDoes) {
    // The folder allows the rename, but the file itself is read-only (for root too: its owner's write
    // bit decides there).
    TestFolder folder;
    fs::path file = folder.put("locked.txt", "keep");
    ::chmod(file.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(fsys::writeAtomic(file, "new", &error));
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    EXPECT_EQ(TestFolder::get(file), "keep");
    EXPECT_EQ(folder.entryCount(folder.path()), 1);  // no temporary file left
    ::chmod(file.c_str(), 0644);
    EXPECT_TRUE(fsys::writeAtomic(file, "new", &error)) << error;
}

TEST(FileSystemWrite, WritesThroughASymbolicLink) {
    TestFolder folder;
    fs::path target = folder.put("real.txt", "old");
    fs::create_symlink(target, folder / "link.txt");
    ASSERT_TRUE(fsys::writeAtomic(folder / "link.txt", "new", nullptr));
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(TestFolder::get(target), "new");
}

// Every way a write can fail must leave the old file as it was and no temporary file behind. The
// tests run as root in CI, so permission bits cannot be used to make a write fail.
TEST(FileSystemWrite, FailureLeavesTheOldFile) {
    TestFolder folder;
    std::string error;

    // The folder of the target is a file.
    folder.put("plain", "x");
    EXPECT_FALSE(fsys::writeAtomic(folder / "plain/a.txt", "new", &error));
    EXPECT_FALSE(error.empty());

    // The target is a folder that is not empty: the rename fails after the data was written.
    folder.put("busy/inside.txt", "keep");
    error.clear();
    EXPECT_FALSE(fsys::writeAtomic(folder / "busy", "new", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(TestFolder::get(folder / "busy/inside.txt"), "keep");
    EXPECT_EQ(folder.entryCount(folder.path()), 2);  // "plain" and "busy" only

    // A folder where nobody, root included, may create files.
    fs::path proc = "/proc/self/comm";
    std::optional<std::string> before = fsys::readBytes(proc, nullptr);
    ASSERT_TRUE(before);
    EXPECT_FALSE(fsys::writeAtomic(proc, "overwritten\n", &error));
    EXPECT_EQ(fsys::readBytes(proc, nullptr), before);
}

TEST(FileSystemWrite, FailureInTheMiddleOfWritingLeavesTheOldFile) {
    TestFolder folder;
    fs::path file = folder.put("big.txt", "old contents");

    // A file size limit makes write() fail part-way, for root too.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    bool written = fsys::writeAtomic(file, std::string(100000, 'x'), &error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(TestFolder::get(file), "old contents");
    EXPECT_EQ(folder.entryCount(folder.path()), 1);
}

TEST(FileSystemWrite, PiecesLandInOrderHoweverManyAndHoweverSmall) {
    TestFolder folder;
    fs::path file = folder.put("lines.txt", "old");
    // More pieces than one system call takes, empty ones among them, and a large one.
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i)
        texts.push_back(i % 7 == 0 ? std::string() : std::to_string(i) + (i % 2 ? "\n" : ","));
    texts[1500] = std::string(300000, 'x');
    std::vector<std::string_view> pieces(texts.begin(), texts.end());
    std::string whole;
    for (const std::string& text : texts)
        whole += text;
    std::string error;
    ASSERT_TRUE(fsys::writeAtomic(file, pieces, &error)) << error;
    EXPECT_EQ(TestFolder::get(file), whole);
    // Nothing at all is an empty file.
    ASSERT_TRUE(fsys::writeAtomic(file, std::span<const std::string_view>(), &error)) << error;
    EXPECT_EQ(TestFolder::get(file), "");
    EXPECT_EQ(folder.entryCount(folder.path()), 1);
}

}  // namespace

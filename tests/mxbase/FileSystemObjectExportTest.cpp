// The core's ObjectExport* file functions, on top of the file layer.
#include <gtest/gtest.h>

#include <chrono>
#include <ostream>

#include "platform/arx/Utf8.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "tests/mxbase/FileSystemTestFolder.h"

namespace fs = std::filesystem;

// Readable failure messages for line arrays.
void PrintTo(const Mx_StringArray& lines, std::ostream* out) {
    *out << "{";
    for (const Mx_String& line : lines) *out << " \"" << utf8::encode(line.view()) << "\"";
    *out << " }";
}

namespace {

// UTF-16 with its byte-order mark (characters of the basic plane only).
std::string utf16(std::wstring_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : text) {
        char high = static_cast<char>((c >> 8) & 0xFF), low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

Mx_StringArray read(const std::wstring& path) {
    Mx_StringArray lines;
    EXPECT_TRUE(ObjectExportReadFile(Mx_String(path), lines));
    return lines;
}

TEST(ObjectExportReadFile, ReadsProductFilesInEveryEncoding) {
    TestFolder folder;
    const Mx_StringArray expected = {L"name=a¿bƒc", L"line 2"};
    // Windows-1252 as the product writes it on Windows: "¿" is 0xBF and "ƒ" 0x83, with CRLF.
    folder.put("cp1252.map", "name=a\xBF" "b\x83" "c\r\nline 2\r\n");
    folder.put("utf16le.map", utf16(L"name=a¿bƒc\r\nline 2\r\n", false));
    folder.put("utf16be.map", utf16(L"name=a¿bƒc\nline 2", true));
    folder.put("utf8bom.map", "\xEF\xBB\xBFname=a\xC2\xBF" "b\xC6\x92" "c\nline 2");
    for (const char* name : {"cp1252.map", "utf16le.map", "utf16be.map", "utf8bom.map"}) {
        std::string n(name);
        EXPECT_EQ(read(folder.wide() + std::wstring(n.begin(), n.end())), expected) << name;
    }
}

TEST(ObjectExportReadFile, FindsAProductPathIgnoringCase) {
    TestFolder folder;
    folder.put("connection standards/data/X.DAT", "found");
    EXPECT_EQ(read(folder.wide() + L"Connection Standards\\Data\\x.dat"), Mx_StringArray{L"found"});

    Mx_StringArray lines = {L"stale"};
    EXPECT_FALSE(ObjectExportReadFile(Mx_String(folder.wide() + L"Connection Standards\\Data\\y.dat"), lines));
    EXPECT_TRUE(lines.isEmpty());
}

TEST(ObjectExportWriteFile, WritesUtf8ThatReadsBack) {
    TestFolder folder;
    folder.put("Standards/keep.txt", "");
    const Mx_StringArray lines = {L"Mapping version 1.0", L"k=x¿yƒz", L"", L"€"};
    // Written through a product path into the existing, differently-cased folder.
    ASSERT_TRUE(ObjectExportWriteFile(Mx_String(folder.wide() + L"STANDARDS\\new.map"), lines));
    EXPECT_EQ(TestFolder::get(folder / "Standards/new.map"), "Mapping version 1.0\nk=x\xC2\xBFy\xC6\x92z\n\n\xE2\x82\xAC\n");
    EXPECT_EQ(read(folder.wide() + L"standards/NEW.map"), lines);

    EXPECT_TRUE(ObjectExportWriteFile(Mx_String(folder.wide() + L"empty.txt"), Mx_StringArray()));
    EXPECT_TRUE(read(folder.wide() + L"empty.txt").isEmpty());
}

TEST(ObjectExportWriteFile, FailedWriteReportsFailureAndKeepsTheOldFile) {
    TestFolder folder;
    folder.put("file", "x");
    EXPECT_FALSE(ObjectExportWriteFile(Mx_String(folder.wide() + L"file\\sub.map"), Mx_StringArray{L"a"}));
    EXPECT_FALSE(ObjectExportWriteFile(Mx_String(L"/proc/self/comm"), Mx_StringArray{L"a"}));
    EXPECT_NE(TestFolder::get("/proc/self/comm"), "a\n");
}

TEST(ObjectExportFindFiles, MatchesIgnoringCaseAndSortsByName) {
    TestFolder folder;
    folder.put("Templates/b.TXT", "");
    folder.put("Templates/A.txt", "");
    folder.put("Templates/c.bmp", "");
    folder.put("Templates/Sub/d.txt", "");
    folder.put("Templates/Sub/Deeper/e.txt", "");
    fs::create_directories(folder / "Templates/folder.txt");  // a folder is never a file
    const std::wstring root = folder.wide() + L"templates\\";

    Mx_StringArray found;
    ASSERT_TRUE(ObjectExportFindFiles(Mx_String(root), Mx_String(L"*.txt"), found));
    EXPECT_EQ(found, (Mx_StringArray{root + L"A.txt", root + L"b.TXT"}));

    found.removeAll();
    ASSERT_TRUE(ObjectExportFindFilesRecursive(Mx_String(root), Mx_String(L"*.txt"), found));
    EXPECT_EQ(found, (Mx_StringArray{root + L"A.txt", root + L"b.TXT", root + L"Sub\\d.txt", root + L"Sub\\Deeper\\e.txt"}));

    struct Case {
        const wchar_t* pattern;
        int count;
    };
    for (Case c : {Case{L"*.*", 3}, Case{L"?.txt", 2}, Case{L"*", 3}, Case{L"a*", 1}, Case{L"*.t?t", 2}, Case{L"x*", 0}}) {
        found.removeAll();
        ASSERT_TRUE(ObjectExportFindFiles(Mx_String(root), Mx_String(c.pattern), found));
        EXPECT_EQ(found.length(), c.count) << fs::path(c.pattern);
    }

    // Without a trailing separator the folder's own "/" style is used.
    found.removeAll();
    std::wstring plain = folder.wide() + L"Templates/Sub";
    ASSERT_TRUE(ObjectExportFindFiles(Mx_String(plain), Mx_String(L"*.txt"), found));
    EXPECT_EQ(found, Mx_StringArray{plain + L"/d.txt"});

    EXPECT_FALSE(ObjectExportFindFiles(Mx_String(folder.wide() + L"missing"), Mx_String(L"*"), found));
}

// A file listed is named by where it was found, below the folder asked for, even when it links to a
// file elsewhere or the folder is reached through a link.
TEST(ObjectExportFindFiles, NamesFilesWhereTheyAreFound) {
    TestFolder folder;
    folder.put("Elsewhere/target.txt", "");
    folder.put("Library/Data/own.txt", "");
    fs::create_symlink(folder / "Elsewhere/target.txt", folder / "Library/Data/linked.txt");
    fs::create_directory_symlink(folder / "Library", folder / "Shortcut");
    const std::wstring root = folder.wide() + L"Shortcut\\";

    Mx_StringArray found;
    ASSERT_TRUE(ObjectExportFindFilesRecursive(Mx_String(root), Mx_String(L"*.txt"), found));
    EXPECT_EQ(found, (Mx_StringArray{root + L"Data\\linked.txt", root + L"Data\\own.txt"}));
}

TEST(ObjectExportFiles, DirectoriesTimesAndCopies) {
    TestFolder folder;
    const std::wstring w = folder.wide();
    EXPECT_TRUE(ObjectExportCreateDirectory(Mx_String(w + L"Connection Standards\\Childs")));
    EXPECT_TRUE(fs::is_directory(folder / "Connection Standards/Childs"));
    EXPECT_TRUE(ObjectExportCreateDirectory(Mx_String(w + L"connection standards")));  // exists: fine

    // Times order a copy's source against its target (section pictures are refreshed that way).
    folder.put("src.bmp", "image");
    folder.put("old.bmp", "");
    fs::last_write_time(folder / "old.bmp", fs::file_time_type::clock::now() - std::chrono::hours(1));
    std::int64_t time = 0, oldTime = 0;
    EXPECT_TRUE(ObjectExportGetFileTime(Mx_String(w + L"SRC.bmp"), time));
    EXPECT_TRUE(ObjectExportGetFileTime(Mx_String(w + L"old.bmp"), oldTime));
    EXPECT_LT(oldTime, time);
    EXPECT_FALSE(ObjectExportGetFileTime(Mx_String(w + L"none.bmp"), time));
    EXPECT_FALSE(ObjectExportCreateDirectory(Mx_String(w + L"src.bmp\\sub")));

    EXPECT_TRUE(ObjectExportCopyFile(Mx_String(w + L"src.bmp"), Mx_String(w + L"copy.bmp")));
    folder.put("src.bmp", "changed");
    EXPECT_FALSE(ObjectExportCopyFile(Mx_String(w + L"src.bmp"), Mx_String(w + L"copy.bmp"), false));
    EXPECT_EQ(TestFolder::get(folder / "copy.bmp"), "image");
    EXPECT_TRUE(ObjectExportCopyFile(Mx_String(w + L"src.bmp"), Mx_String(w + L"copy.bmp"), true));
    EXPECT_EQ(TestFolder::get(folder / "copy.bmp"), "changed");
    EXPECT_FALSE(ObjectExportCopyFile(Mx_String(w + L"none.bmp"), Mx_String(w + L"copy.bmp")));
    EXPECT_EQ(TestFolder::get(folder / "copy.bmp"), "changed");

    EXPECT_TRUE(ObjectExportFileExists(Mx_String(w + L"COPY.BMP")));
    EXPECT_FALSE(ObjectExportFileExists(Mx_String(w + L"Connection Standards")));
    EXPECT_TRUE(ObjectExportDeleteFile(Mx_String(w + L"copy.BMP")));
    EXPECT_FALSE(ObjectExportFileExists(Mx_String(w + L"copy.bmp")));
}

}  // namespace

// GETCELL and the files behind the standards functions, as a sheet's equations reach them: how the
// key is built from the arguments, what a data file row must hold, where data and sizes files are
// looked for (the name itself, the library's "Connection Standards\Data\", "Connection Standards\",
// the library folder), and that an edited file is read again.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/mxbase/Mx_Settings.h"
#include "standards/VlSSDlgsMgr.h"
#include "tests/standards/StandardsTestSupport.h"

namespace {

using standardstest::EquationSheet;
using standardstest::ScratchDir;

class DataFileFunctions : public ::testing::Test {
protected:
    void SetUp() override { gSettings.setStandardsWarnings(true); }
    void TearDown() override {
        gSSDlgsMgr.destroyAll();
        gSettings.setLibDir(Mx_String());
    }
    std::string quoted(const std::string& name) const { return "\"" + Mx_String(dir.file(name)).toUtf8() + "\""; }
    ui::ScriptedDriver driver;
    ScratchDir dir;
};

const char* kBoltData =
    "// grade;size\tproof load\n"
    "8.8;M20\t147\n"
    "8.8\tgrade only\n"
    "10.9;M20\t203\n"
    "20.000000\tby number\n"
    "20.500000;S355\tmixed\n"
    "M24\t\n"                   // an empty value
    "M27\n"                     // no value column at all
    "\tnameless\n"              // an empty key
    "M30\t56\textra columns\tare ignored\n";

TEST_F(DataFileFunctions, KeysAreTheArgumentsJoined) {
    dir.write("bolts.dat", kBoltData);
    const std::string file = quoted("bolts.dat");
    struct Case {
        std::string keys;
        const wchar_t* expected;  // nullptr: the equation fails
    };
    const Case cases[] = {
        {"\"8.8;M20\"", L"147"},
        {"\"8.8\", \"M20\"", L"147"},            // joined with ";"
        {"\"10.9\", \"M\" & Size", L"203"},        // keys may be built in the formula
        {"20", L"by number"},                      // a number key has 6 decimals
        {"Size", L"by number"},                    // ... from a variable as well
        {"20.5, \"S355\"", L"mixed"},
        {"\"20\"", nullptr},                       // as a text, "20" is not "20.000000"
        {"\"m30\"", L"56"},                        // letter case ignored
        {"\"M30 \"", nullptr},                     // blanks count
        {"\"8.8\", Nothing, \"M20\"", L"grade only"},  // an empty argument ends the keys
        {"\"M24\"", L""},                          // an empty value is an empty result, not a failure
        {"\"M27\"", nullptr},                      // a row without a value column
        {"\"\"", L"nameless"},
        {"\"M36\"", nullptr},                      // no such row
    };
    EquationSheet sheet;
    sheet.input(L"Size", L"20").local(L"Nothing", kVlString);
    for (const Case& c : cases) sheet.equation("GETCELL(" + file + ", " + c.keys + ")", kVlString);
    ASSERT_TRUE(sheet.run(dir, driver));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const int k = static_cast<int>(i);
        SCOPED_TRACE(cases[i].keys);
        EXPECT_EQ(sheet.failed(k), cases[i].expected == nullptr);
        EXPECT_EQ(sheet.text(k), Mx_String(cases[i].expected ? cases[i].expected : L""));
    }
}

TEST_F(DataFileFunctions, FileFailures) {
    dir.write("comments.dat", "// nothing but notes\n\n   \n// and more\n");
    dir.write("bolts.dat", kBoltData);
    const std::vector<std::string> calls = {
        "GETCELL(\"NoSuchFile.dat\", \"M20\")",
        "GETCELL(\"\", \"M20\")",
        "GETCELL(12, \"M20\")",                           // the file must be a text
        "GETCELL(" + quoted("comments.dat") + ", \"M20\")",  // a file without rows
    };
    EquationSheet sheet;
    for (const std::string& call : calls) sheet.equation(call, kVlString);
    // Seven keys are one too many.
    const int tooMany = sheet.equation("GETCELL(" + quoted("bolts.dat") + ", 1, 2, 3, 4, 5, 6, 7)", kVlString);
    ASSERT_TRUE(sheet.run(dir, driver));
    for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_TRUE(sheet.failed(static_cast<int>(i))) << calls[i];
    EXPECT_TRUE(sheet.failed(tooMany));
}

// A library of our own in which the same file names stand in several places.
class FileLookupOrder : public DataFileFunctions {
protected:
    void SetUp() override {
        DataFileFunctions::SetUp();
        std::filesystem::create_directories(root() / "Connection Standards" / "Data");
        gSettings.setLibDir(Mx_String(root().string()));
    }
    std::filesystem::path root() const { return std::filesystem::path(dir.file("lib").str()); }
    void put(const std::string& relative, const std::string& text) const {
        dir.write("lib/" + relative, text);
    }
};

TEST_F(FileLookupOrder, FirstExistingPlaceWins) {
    put("Connection Standards/Data/where.dat", "key\tdata folder\n");
    put("Connection Standards/where.dat", "key\tstandards folder\n");
    put("where.dat", "key\tlibrary folder\n");
    put("Connection Standards/Data/stock.siz", "100\n");
    put("Connection Standards/stock.siz", "200\n");
    put("stock.siz", "300\n");
    // A name that is a path is taken as it is, wherever it points.
    dir.write("elsewhere.dat", "key\tthe path itself\n");

    auto lookup = [&](const std::string& expectedText, double expectedSize) {
        EquationSheet sheet;
        const int data = sheet.equation("GETCELL(\"where.dat\", \"key\")", kVlString);
        const int size = sheet.equation("STDSIZEWITHTOLERANCE(\"stock.siz\", 1, 150, 200, 200)");
        const int path = sheet.equation("GETCELL(" + quoted("elsewhere.dat") + ", \"key\")", kVlString);
        ASSERT_TRUE(sheet.run(dir, driver));
        if (expectedText.empty()) {
            EXPECT_TRUE(sheet.failed(data));
            EXPECT_TRUE(sheet.failed(size));
        } else {
            EXPECT_EQ(sheet.text(data), Mx_String(expectedText));
            EXPECT_EQ(sheet.number(size), expectedSize);
        }
        EXPECT_EQ(sheet.text(path), Mx_String(L"the path itself"));
    };
    {
        SCOPED_TRACE("all three");
        lookup("data folder", 100);
    }
    std::filesystem::remove(root() / "Connection Standards" / "Data" / "where.dat");
    std::filesystem::remove(root() / "Connection Standards" / "Data" / "stock.siz");
    {
        SCOPED_TRACE("without Data");
        lookup("standards folder", 200);
    }
    std::filesystem::remove(root() / "Connection Standards" / "where.dat");
    std::filesystem::remove(root() / "Connection Standards" / "stock.siz");
    {
        SCOPED_TRACE("library folder only");
        lookup("library folder", 300);
    }
    std::filesystem::remove(root() / "where.dat");
    std::filesystem::remove(root() / "stock.siz");
    {
        SCOPED_TRACE("nowhere");
        lookup("", 0);
    }
}

// Sheets name their files as written on Windows: a sub-folder with "\" and any letter case.
TEST_F(FileLookupOrder, WindowsStyleNames) {
    put("Connection Standards/Data/Sub/Plates.dat", "A\tfound\n");
    EquationSheet sheet;
    const int backslash = sheet.equation("GETCELL(\"Sub\\plates.DAT\", \"a\")", kVlString);
    const int slash = sheet.equation("GETCELL(\"sub/Plates.dat\", \"A\")", kVlString);
    ASSERT_TRUE(sheet.run(dir, driver));
    EXPECT_EQ(sheet.text(backslash), Mx_String(L"found"));
    EXPECT_EQ(sheet.text(slash), Mx_String(L"found"));
}

// Files are parsed once and kept, but a file changed on disk between two runs is read again.
TEST_F(FileLookupOrder, AnEditedFileIsReadAgain) {
    put("Connection Standards/Data/live.dat", "key\tbefore\n");
    put("Connection Standards/Data/live.siz", "10\n");
    auto run = [&](const wchar_t* expectedText, double expectedSize) {
        EquationSheet sheet;
        const int data = sheet.equation("GETCELL(\"live.dat\", \"key\")", kVlString);
        const int size = sheet.equation("STDSIZEWITHTOLERANCE(\"live.siz\", 1, 12, 5, 5)");
        ASSERT_TRUE(sheet.run(dir, driver));
        EXPECT_EQ(sheet.text(data), Mx_String(expectedText));
        EXPECT_EQ(sheet.number(size), expectedSize);
    };
    run(L"before", 10);
    run(L"before", 10);
    const auto data = root() / "Connection Standards" / "Data";
    const auto stamp = std::filesystem::last_write_time(data / "live.dat");
    put("Connection Standards/Data/live.dat", "key\tafter\n");
    put("Connection Standards/Data/live.siz", "13\n");
    // Whatever the clock's resolution, the edit shows as a new modification time.
    std::filesystem::last_write_time(data / "live.dat", stamp + std::chrono::seconds(2));
    std::filesystem::last_write_time(data / "live.siz", stamp + std::chrono::seconds(2));
    run(L"after", 13);
}

// A file rewritten within one tick of the file system's clock keeps its modification time; while
// the time is that recent the file is read again rather than trusted.
TEST_F(FileLookupOrder, ARewriteWithinOneClockTickIsSeen) {
    put("Connection Standards/Data/tick.dat", "key\tbefore\n");
    put("Connection Standards/Data/tick.siz", "10\n");
    const auto data = root() / "Connection Standards" / "Data";
    const auto dataStamp = std::filesystem::last_write_time(data / "tick.dat");
    const auto sizesStamp = std::filesystem::last_write_time(data / "tick.siz");
    auto run = [&](const wchar_t* expectedText, double expectedSize) {
        EquationSheet sheet;
        const int text = sheet.equation("GETCELL(\"tick.dat\", \"key\")", kVlString);
        const int size = sheet.equation("STDSIZEWITHTOLERANCE(\"tick.siz\", 1, 12, 5, 5)");
        ASSERT_TRUE(sheet.run(dir, driver));
        EXPECT_EQ(sheet.text(text), Mx_String(expectedText));
        EXPECT_EQ(sheet.number(size), expectedSize);
    };
    run(L"before", 10);
    put("Connection Standards/Data/tick.dat", "key\tafter\n");
    put("Connection Standards/Data/tick.siz", "13\n");
    std::filesystem::last_write_time(data / "tick.dat", dataStamp);
    std::filesystem::last_write_time(data / "tick.siz", sizesStamp);
    run(L"after", 13);
}

}  // namespace

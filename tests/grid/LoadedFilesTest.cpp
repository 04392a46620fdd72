// A grid file loaded a second time, unchanged, gives the sheet a kept copy of what the first load read.
// That copy has to be indistinguishable from reading the file again, must never be taken for a file
// that changed, and must not be shared with the sheets it was given to.
//
// Only files whose times are two seconds old are kept, and a file's status-change time cannot be set
// back. The files that never change are therefore written once into a folder named after their
// content, under the temporary folder, and left there: each test program (ctest runs one per test)
// waits only for what is not yet old enough, so the wait is paid once, not per test. Files a test
// changes live in a folder of this process.
#include "platform/grid/LoadedFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>  // getuid, link, unlink

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"
#include "platform/mxbase/FileSystem.h"
#include "tests/mxbase/FileSystemTestFolder.h"

namespace grid {
namespace {

namespace fs = std::filesystem;

// Switches the rich file sets: 13 and 44 on, redraw (8) off.
constexpr std::int32_t kFileSwitchOn = 13;
constexpr std::int32_t kFileSwitchOther = 44;

// A sheet without formulas that uses everything a file keeps.
void fillRich(Sheet& s) {
    s.setMaxCols(8);
    s.setMaxRows(20);
    s.setRefStyle(RefStyle::R1C1);
    s.setTag(kHeader, kHeader, L"settings=demo;units=mm");
    s.setData(1, kHeader, L"Length");
    s.setData(kHeader, 3, L"Row three");
    s.setData(1, 1, L"1.50");  // a number whose text is not its canonical form
    s.setNumber(2, 1, 0.1 + 0.2);
    s.setData(3, 1, L"quote \" backslash \\ tab\t newline\n \u00fcmlaut \u20ac");
    s.setData(4, 1, L"-0");
    s.setCellType(5, 1, CellType::number(3, -10, 1e6));
    s.setData(5, 1, L"42.12345");
    s.setCellType(6, 1, CellType::ofCode(CellTypeCode::Integer));
    s.setNumber(6, 1, 2.5);
    CellType combo = CellType::ofCode(CellTypeCode::ComboBox, 7);
    combo.items = L"S235\tS355\tS460";
    s.setCellType(5, 2, combo);
    s.setData(5, 2, L"S355");
    CellType check = CellType::ofCode(CellTypeCode::CheckBox);
    check.items = L"Active";
    check.picture = L"off.bmp";
    check.picture2 = L"on.bmp";
    s.setCellType(5, 3, check);
    s.setLock(1, 4, !s.isLocked(1, 4));
    s.setColors(2, 4, {0x0000FF, 0x80000008});
    CellFont bold = s.defaultFont();
    bold.weight = 700;
    bold.italic = true;
    s.setFont(3, 4, bold);
    s.setBorder(4, 4, {15, 1, 0x00FF00});
    s.setTextTip(6, 4, L"help text");
    s.setTag(7, 4, L"tagged");
    s.addSpan(1, 6, 3, 2);
    s.addSpan(5, 10, 2, 3);
    s.setColWidth(2, 14.5);
    s.setColWidth(kHeader, 3);
    s.setRowHeight(5, 22.25);
    s.setRowHeight(kHeader, 17);
    s.setData(8, 20, L"last");
    s.setBool(kFileSwitchOther, true);
    s.setBool(kFileSwitchOn, true);
    s.setBool(kSwitchRedraw, false);
    SheetLook look = s.look();
    look.gridColor = 0x123456;
    look.operationMode = 2;
    s.setLook(look);
    CellFont base = s.defaultFont();
    base.face = L"Tahoma";
    base.height = 11;
    s.setDefaultFont(base);
}

std::string richText() {
    Sheet s;
    fillRich(s);
    return GridFile::toNativeText(s);
}

// A native file of exactly `size` bytes, without formulas (padded with a comment).
std::string nativeOfSize(std::size_t size) {
    std::string text = "connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 data=\"big\"\n# ";
    text.append(size - text.size() - 1, 'x');
    text += '\n';
    return text;
}

// Many small files, more than are ever kept at once.
constexpr int kManyFiles = 300;
std::string manyName(int i) { return "many-" + std::to_string(i) + ".grid"; }

struct FileText {
    std::string name, bytes;
};

std::vector<FileText> unchangingFiles() {
    std::vector<FileText> files = {
        {"rich.grid", richText()},
        {"formula.grid", "connsheet-grid 1\nsheet cols=2 rows=2\ncell A1 data=\"4\"\ncell B1 formula=\"A1*2\"\n"},
        {"plain.csv", "a,b\n1.50,=A2*2\n"},
        {"bad.grid", "connsheet-grid 1\nsheet cols=2 rows=2\ncell C1 data=\"x\"\n"},
        {"limit.grid", nativeOfSize(static_cast<std::size_t>(LoadedFiles::kMaxFileSize))},
        {"over.grid", nativeOfSize(static_cast<std::size_t>(LoadedFiles::kMaxFileSize) + 1)},
    };
    for (int i = 0; i < kManyFiles; ++i)
        files.push_back({manyName(i), "connsheet-grid 1\nsheet cols=1 rows=1\ncell A1 data=\"" + std::to_string(i) + "\"\n"});
    return files;
}

// Until every file's write and status-change times are more than two seconds old.
void waitUntilSettled(const std::vector<fs::path>& files) {
    using namespace std::chrono;
    for (int round = 0; round < 5; ++round) {
        std::int64_t newest = 0;
        for (const fs::path& file : files) {
            struct stat info {};
            if (::stat(file.c_str(), &info) != 0) continue;
            newest = std::max({newest, std::int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
                               std::int64_t(info.st_ctim.tv_sec) * 1'000'000'000 + info.st_ctim.tv_nsec});
        }
        const std::int64_t now = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
        const std::int64_t wait = newest + 2'050'000'000 - now;
        if (wait <= 0) return;
        std::this_thread::sleep_for(nanoseconds(wait));
    }
}

void writeFile(const fs::path& file, const std::string& bytes) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    ASSERT_NE(out, nullptr) << file;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), out), bytes.size());
    ASSERT_EQ(std::fclose(out), 0);
}

class LoadedFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::vector<FileText> files = unchangingFiles();
        std::uint64_t hash = 1469598103934665603ull;  // FNV-1a of names and contents
        for (const FileText& f : files)
            for (const std::string* part : {&f.name, &f.bytes})
                for (char c : *part) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
        shared_ = fs::temp_directory_path() /
                  ("connsheet-loadedfiles-" + std::to_string(::getuid()) + "-" + hex);
        fs::create_directories(shared_);
        std::vector<fs::path> paths;
        for (const FileText& f : files) {
            const fs::path file = shared_ / f.name;
            paths.push_back(file);
            if (fs::exists(file)) continue;
            // Published whole under its name or not at all, so that programs running side by side
            // never see half a file, and never replaced once there.
            const fs::path temp = shared_ / (f.name + ".tmp" + std::to_string(::getpid()));
            writeFile(temp, f.bytes);
            ::link(temp.c_str(), file.c_str());
            ::unlink(temp.c_str());
        }
        own_ = std::make_unique<TestFolder>();
        own_->put("rewrite.grid", "connsheet-grid 1\nsheet cols=1 rows=1\ncell A1 data=\"old\"\n");
        waitUntilSettled(paths);
    }
    static void TearDownTestSuite() { own_.reset(); }

    void SetUp() override {
        LoadedFiles::clear();
        for (const FileText& f : unchangingFiles())
            ASSERT_EQ(TestFolder::get(shared_ / f.name), f.bytes) << "a kept test file was changed: " << f.name;
    }
    void TearDown() override { LoadedFiles::clear(); }

    static std::wstring shared(const std::string& name) { return fsys::toWide(shared_ / name); }
    static bool isKept(const fs::path& file) {
        const auto stamp = fsys::stamp(file);
        return stamp && LoadedFiles::find(file, *stamp) != nullptr;
    }

    static fs::path shared_;
    static std::unique_ptr<TestFolder> own_;
};

fs::path LoadedFilesTest::shared_;
std::unique_ptr<TestFolder> LoadedFilesTest::own_;

// A sheet with content, formulas, spans and a calculation depending on a custom function, as a pooled
// grid has from its previous run.
void fillUsed(Sheet& s) {
    s.setMaxCols(30);
    s.setMaxRows(600);
    for (int r = 1; r <= 40; ++r) s.setNumber(1, r, r);
    s.setData(1, 600, L"far down");
    s.setData(30, 5, L"far right");
    s.setData(8, 21, L"just below");
    s.setData(9, 20, L"just right");
    s.setTag(1, 300, L"tag");
    s.setFormula(2, 2, L"SUM(A1:A40)");
    s.setCellType(9, 9, CellType::number(1, 0, 10));
    s.setColWidth(12, 40);
    s.setRowHeight(33, 5);
    s.addSpan(20, 20, 4, 4);
    s.setTag(kHeader, kHeader, L"previous");
    s.setRefStyle(RefStyle::A1);
}

TEST_F(LoadedFilesTest, AKeptLoadGivesWhatAParseGives) {
    const std::string bytes = TestFolder::get(shared_ / "rich.grid");
    Sheet parsed;
    ASSERT_TRUE(GridFile::loadText(parsed, bytes, GridFileFormat::Native));
    ASSERT_EQ(GridFile::toNativeText(parsed), bytes);  // the file reads back whole

    Sheet first;
    ASSERT_TRUE(GridFile::load(first, shared("rich.grid")));
    EXPECT_EQ(LoadedFiles::size(), 1u);
    EXPECT_TRUE(isKept(shared_ / "rich.grid"));

    // Into a new sheet, into a sheet with a previous content, and by a differently-cased name.
    Sheet fresh, used;
    fillUsed(used);
    for (auto [sheet, path] : {std::pair{&fresh, shared("rich.grid")}, std::pair{&used, shared("RICH.GRID")}}) {
        const GridFileResult r = GridFile::load(*sheet, path);
        ASSERT_TRUE(r) << r.diagnostic;
        EXPECT_EQ(r.line, 0);
        EXPECT_TRUE(r.diagnostic.empty());
        EXPECT_EQ(LoadedFiles::size(), 1u);
        EXPECT_EQ(GridFile::toNativeText(*sheet), bytes);

        Sheet& s = *sheet;
        EXPECT_EQ(s.maxCols(), 8);
        EXPECT_EQ(s.maxRows(), 20);
        EXPECT_EQ(s.lastUsedCol(), 8);
        EXPECT_EQ(s.lastUsedRow(), 20);
        EXPECT_EQ(s.refStyle(), RefStyle::R1C1);
        EXPECT_EQ(s.dataText(1, 1), L"1.50");
        EXPECT_EQ(s.value(1, 1).asNumber(), 1.5);
        EXPECT_EQ(s.dataText(4, 1), L"-0");
        EXPECT_EQ(s.value(2, 1).asNumber(), 0.1 + 0.2);
        EXPECT_EQ(s.valueText(5, 1), L"42.123");
        EXPECT_EQ(s.valueText(6, 1), L"3");
        EXPECT_EQ(s.dataText(1, kHeader), L"Length");
        EXPECT_EQ(s.tag(kHeader, kHeader), L"settings=demo;units=mm");
        EXPECT_EQ(s.cellType(5, 2), parsed.cellType(5, 2));
        EXPECT_EQ(s.cellType(5, 3), parsed.cellType(5, 3));
        EXPECT_EQ(s.font(3, 4), parsed.font(3, 4));
        EXPECT_EQ(s.defaultFont(), parsed.defaultFont());
        EXPECT_EQ(s.colors(2, 4), parsed.colors(2, 4));
        EXPECT_EQ(s.spans(), parsed.spans());
        EXPECT_EQ(s.spanAt(6, 12), parsed.spanAt(6, 12));
        EXPECT_EQ(s.colWidth(kHeader), parsed.colWidth(kHeader));
        EXPECT_EQ(s.rowHeight(5), 22.25);
        EXPECT_FALSE(s.hasCustomColWidth(12));  // nothing of the previous content stays
        EXPECT_FALSE(s.hasFormula(2, 2));
        EXPECT_EQ(s.dataText(1, 30), L"");
        EXPECT_EQ(s.look(), parsed.look());
        for (std::int32_t i = 0; i <= 64; ++i) EXPECT_EQ(s.getBool(i), parsed.getBool(i)) << "switch " << i;
    }
    // Nothing of the previous content hides beyond the loaded sheet's end either.
    ASSERT_TRUE(used.setMaxRows(700));
    ASSERT_TRUE(used.setMaxCols(40));
    for (auto [col, row] : {std::pair{1, 600}, {30, 5}, {8, 21}, {9, 20}, {1, 300}, {1, 30}}) {
        EXPECT_EQ(used.dataText(col, row), L"") << col << "," << row;
        EXPECT_EQ(used.tag(col, row), L"") << col << "," << row;
    }
    EXPECT_EQ(used.dataText(8, 20), L"last");
    EXPECT_EQ(used.lastUsedRow(), 20);
    EXPECT_EQ(used.lastUsedCol(), 8);
    ASSERT_TRUE(used.setMaxRows(20));
    ASSERT_TRUE(used.setMaxCols(8));

    // The sheet keeps working as a loaded one: formulas read the kept cells.
    ASSERT_TRUE(used.setFormula(7, 7, L"R1C1*2+R1C6").ok);
    EXPECT_EQ(used.value(7, 7).asNumber(), 1.5 * 2 + 2.5);
    used.setData(1, 1, L"10");
    EXPECT_EQ(used.value(7, 7).asNumber(), 22.5);
}

TEST_F(LoadedFilesTest, SwitchesAreThoseOfAParse) {
    const std::string bytes = TestFolder::get(shared_ / "rich.grid");
    // As the standards engine prepares a sheet: calculation off, plus whatever else a caller set.
    // The file's own switches win (13 is on in the file); the changed flag is never loaded.
    auto prepare = [](Sheet& s) {
        s.setBool(kSwitchAutoCalc, false);
        s.setBool(kFileSwitchOn, false);
        s.setBool(21, true);
        s.setBool(kSwitchChanged, true);
    };
    Sheet parsed;
    prepare(parsed);
    ASSERT_TRUE(GridFile::loadText(parsed, bytes, GridFileFormat::Native));

    // The first load's caller switches must not become part of what is kept.
    Sheet first;
    first.setBool(22, true);
    first.setBool(kSwitchAutoCalc, false);
    ASSERT_TRUE(GridFile::load(first, shared("rich.grid")));
    ASSERT_TRUE(isKept(shared_ / "rich.grid"));
    EXPECT_TRUE(first.getBool(22));

    Sheet kept;
    prepare(kept);
    ASSERT_TRUE(GridFile::load(kept, shared("rich.grid")));
    for (std::int32_t i = -1; i <= 64; ++i) EXPECT_EQ(kept.getBool(i), parsed.getBool(i)) << "switch " << i;
    EXPECT_EQ(kept.changedSwitches(), parsed.changedSwitches());
    EXPECT_FALSE(kept.getBool(kSwitchAutoCalc));
    EXPECT_TRUE(kept.getBool(kFileSwitchOn));
    EXPECT_TRUE(kept.getBool(kFileSwitchOther));
    EXPECT_FALSE(kept.getBool(kSwitchRedraw));
    EXPECT_TRUE(kept.getBool(21));
    EXPECT_FALSE(kept.getBool(22));
    EXPECT_FALSE(kept.getBool(kSwitchChanged));

    // Calculation stays off after the kept load: a formula set now waits for a recalculation.
    ASSERT_TRUE(kept.setFormula(7, 7, L"R1C1*2").ok);
    kept.setData(1, 1, L"4");
    kept.recalc();
    EXPECT_EQ(kept.value(7, 7).asNumber(), 8);

    // A sheet with default switches gets exactly the file's.
    Sheet plain;
    ASSERT_TRUE(GridFile::load(plain, shared("rich.grid")));
    Sheet plainParsed;
    ASSERT_TRUE(GridFile::loadText(plainParsed, bytes, GridFileFormat::Native));
    EXPECT_EQ(plain.changedSwitches(), plainParsed.changedSwitches());
    EXPECT_TRUE(plain.getBool(kSwitchAutoCalc));
}

TEST_F(LoadedFilesTest, KeptContentIsNotSharedWithTheSheets) {
    const std::string bytes = TestFolder::get(shared_ / "rich.grid");
    auto change = [](Sheet& s) {
        s.setData(1, 1, L"changed");
        s.setData(1, kHeader, L"header changed");
        s.setNumber(2, 1, 7);
        s.setData(8, 20, L"");
        s.setCellType(5, 2, CellType::number(1, 0, 1));
        s.setCellType(1, 19, CellType::ofCode(CellTypeCode::CheckBox));
        s.addSpan(1, 15, 2, 2);
        s.removeSpan(5, 10);
        s.setColWidth(2, 99);
        s.setColWidth(7, 3);
        s.setRowHeight(kHeader, 40);
        CellFont font = s.font(3, 4);
        font.face = L"Courier";
        s.setFont(3, 4, font);
        s.setDefaultFont(font);
        s.setTag(7, 4, L"retagged");
        s.setTextTip(6, 4, L"");
        s.setColors(2, 4, {1, 2});
        s.setLock(1, 4, !s.isLocked(1, 4));
        s.insertRows(2, 1);
        s.setMaxRows(50);
        SheetLook look = s.look();
        look.gridColor = 1;
        s.setLook(look);
    };
    Sheet first;  // parsed, and kept from
    ASSERT_TRUE(GridFile::load(first, shared("rich.grid")));
    ASSERT_TRUE(isKept(shared_ / "rich.grid"));
    change(first);
    ASSERT_NE(GridFile::toNativeText(first), bytes);

    Sheet second;  // given the kept content
    ASSERT_TRUE(GridFile::load(second, shared("rich.grid")));
    EXPECT_EQ(GridFile::toNativeText(second), bytes);
    change(second);
    ASSERT_TRUE(second.setFormula(1, 3, L"R1C1&\"!\"").ok);

    // The same sheet loaded again, and another one.
    for (Sheet* sheet : {&second, &first}) {
        ASSERT_TRUE(GridFile::load(*sheet, shared("rich.grid")));
        EXPECT_EQ(GridFile::toNativeText(*sheet), bytes);
        EXPECT_EQ(sheet->dataText(1, 1), L"1.50");
    }
    EXPECT_EQ(LoadedFiles::size(), 1u);
}

// A pooled grid reuses its cell storage for the copy: nothing of what it held may survive, inside or
// beyond the new size.
TEST(SheetContent, RestoreReplacesEveryCell) {
    Sheet rich;
    fillRich(rich);
    const auto content = rich.saveContent();
    ASSERT_TRUE(content);

    Sheet used;
    fillUsed(used);
    used.setFormula(3, 3, L"A1+1");
    for (int round = 0; round < 2; ++round) {
        used.restoreContent(*content);
        EXPECT_EQ(used.maxCols(), 8);
        EXPECT_EQ(used.maxRows(), 20);
        EXPECT_EQ(used.refStyle(), RefStyle::A1);  // the sheet's own, as switches are
        EXPECT_EQ(used.dataText(1, 1), L"1.50");
        EXPECT_EQ(used.valueText(5, 1), L"42.123");
        EXPECT_EQ(used.spans(), rich.spans());
        EXPECT_FALSE(used.hasFormula(3, 3));
        EXPECT_EQ(used.dataText(3, 3), L"");
        ASSERT_TRUE(used.setMaxRows(700));
        ASSERT_TRUE(used.setMaxCols(40));
        for (auto [col, row] : {std::pair{1, 600}, {30, 5}, {8, 21}, {9, 20}, {1, 300}, {1, 30}}) {
            EXPECT_EQ(used.dataText(col, row), L"") << col << "," << row;
            EXPECT_EQ(used.tag(col, row), L"") << col << "," << row;
        }
        EXPECT_EQ(used.lastUsedRow(), 20);
        EXPECT_EQ(used.lastUsedCol(), 8);
        // Changed and grown again before the next restore.
        used.setData(1, 1, L"x");
        used.setData(35, 650, L"y");
        used.setTag(1, 600, L"z");
    }
    EXPECT_EQ(rich.dataText(1, 1), L"1.50");

    Sheet withFormula;
    withFormula.setMaxCols(1);
    withFormula.setMaxRows(1);
    ASSERT_TRUE(withFormula.setFormula(1, 1, L"1+1").ok);
    EXPECT_EQ(withFormula.saveContent(), nullptr);
}

TEST_F(LoadedFilesTest, CustomFunctionsStayRegistered) {
    Sheet first;
    ASSERT_TRUE(GridFile::load(first, shared("rich.grid")));
    ASSERT_TRUE(isKept(shared_ / "rich.grid"));

    Sheet s;
    ASSERT_TRUE(s.addCustomFunction(L"TWICE", 1, 1, [](CustomRecord& result, std::span<CustomRecord> args) {
        result = CustomRecord::ofDouble(2 * (args[0].type == RecordType::Long ? args[0].longValue : args[0].doubleValue));
        return true;
    }));
    fillUsed(s);
    ASSERT_TRUE(s.setFormula(3, 3, L"TWICE(A1)").ok);
    ASSERT_TRUE(GridFile::load(s, shared("rich.grid")));
    EXPECT_TRUE(s.hasCustomFunction(L"twice"));
    EXPECT_FALSE(s.hasFormula(3, 3));
    ASSERT_TRUE(s.setFormula(7, 7, L"TWICE(R1C1)+R1C6").ok);
    EXPECT_EQ(s.value(7, 7).asNumber(), 2 * 1.5 + 2.5);
    EXPECT_FALSE(first.hasCustomFunction(L"TWICE"));
}

TEST_F(LoadedFilesTest, WhatIsNeverKeptStillLoads) {
    Sheet s;
    // Formulas: compiled for the sheet that holds them.
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(GridFile::load(s, shared("formula.grid")));
        EXPECT_EQ(s.value(2, 1).asNumber(), 8);
        EXPECT_EQ(s.formulaText(2, 1), L"A#*2");  // the file sets no reference style
        EXPECT_EQ(LoadedFiles::size(), 0u);
    }
    // Delimited text.
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(GridFile::load(s, shared("plain.csv")));
        EXPECT_EQ(s.dataText(1, 2), L"1.50");
        EXPECT_EQ(s.value(2, 2).asNumber(), 3);
        EXPECT_EQ(LoadedFiles::size(), 0u);
    }
    // A bad file fails every time, naming its line, and leaves the sheet alone.
    for (int round = 0; round < 2; ++round) {
        const GridFileResult r = GridFile::load(s, shared("bad.grid"));
        EXPECT_FALSE(r);
        EXPECT_EQ(r.line, 3);
        EXPECT_EQ(s.dataText(1, 2), L"1.50");
        EXPECT_EQ(LoadedFiles::size(), 0u);
    }
    // Size: up to the limit is kept, one byte more is not.
    for (const char* name : {"limit.grid", "over.grid"}) {
        for (int round = 0; round < 2; ++round) {
            s.setData(1, 1, L"before");
            ASSERT_TRUE(GridFile::load(s, shared(name))) << name;
            EXPECT_EQ(s.dataText(1, 1), L"big");
        }
    }
    EXPECT_TRUE(isKept(shared_ / "limit.grid"));
    EXPECT_FALSE(isKept(shared_ / "over.grid"));
    EXPECT_EQ(LoadedFiles::size(), 1u);
    // A file just written: its stamp proves nothing yet.
    own_->put("fresh.grid", "connsheet-grid 1\nsheet cols=1 rows=1\ncell A1 data=\"fresh\"\n");
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(GridFile::load(s, fsys::toWide(*own_ / "fresh.grid")));
        EXPECT_EQ(s.dataText(1, 1), L"fresh");
    }
    EXPECT_FALSE(isKept(*own_ / "fresh.grid"));
    EXPECT_EQ(LoadedFiles::size(), 1u);
}

TEST_F(LoadedFilesTest, ManyFilesKeepTheirOwnContent) {
    Sheet s;
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < kManyFiles; ++i) {
            ASSERT_TRUE(GridFile::load(s, shared(manyName(i))));
            ASSERT_EQ(s.dataText(1, 1), std::to_wstring(i));
            ASSERT_GE(LoadedFiles::size(), 1u);
            ASSERT_LE(LoadedFiles::size(), 256u);  // bounded
        }
    EXPECT_TRUE(isKept(shared_ / manyName(kManyFiles - 1)));
}

TEST_F(LoadedFilesTest, AChangedFileIsReadAgain) {
    const fs::path file = *own_ / "rewrite.grid";
    const std::wstring path = fsys::toWide(file);
    waitUntilSettled({file});
    Sheet s;
    ASSERT_TRUE(GridFile::load(s, path));
    EXPECT_EQ(s.dataText(1, 1), L"old");
    ASSERT_TRUE(isKept(file));

    // Written again in place with as many bytes: same file, same size, newer times.
    writeFile(file, "connsheet-grid 1\nsheet cols=1 rows=1\ncell A1 data=\"new\"\n");
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(GridFile::load(s, path));
        EXPECT_EQ(s.dataText(1, 1), L"new");
    }
    EXPECT_EQ(LoadedFiles::size(), 0u);  // the stale copy is dropped, the new text is too young

    // Replaced by another file.
    ASSERT_TRUE(fsys::writeAtomic(file, "connsheet-grid 1\nsheet cols=2 rows=1\ncell B1 data=\"other\"\n", nullptr));
    ASSERT_TRUE(GridFile::load(s, path));
    EXPECT_EQ(s.dataText(2, 1), L"other");
    EXPECT_EQ(s.dataText(1, 1), L"");

    // Inside a run that remembers what it learnt about files, a save of the file is seen.
    fsys::StatScope scope;
    ASSERT_TRUE(GridFile::load(s, path));
    s.setData(1, 1, L"saved");
    ASSERT_TRUE(GridFile::save(s, path));
    Sheet back;
    ASSERT_TRUE(GridFile::load(back, path));
    EXPECT_EQ(back.dataText(1, 1), L"saved");
}

}  // namespace
}  // namespace grid

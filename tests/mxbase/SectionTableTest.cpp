// Section tables: the table file layout, the manager's lookups, and the bundled profile tables.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <cmath>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

#include "platform/mxbase/Mx_SectionTableManager.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/SectionTableFile.h"

namespace {

namespace fs = std::filesystem;

const Mx_String kBundledProf(Mx_String(CONNSHEET_SOURCE_DIR) + L"/examples/library/prof/");

fs::path tempFolder(const std::string& name) {
    fs::path folder =
        fs::temp_directory_path() / ("connsheet_sections_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

Mx_SectionTableManager& bundled() {
    static Mx_SectionTableManager manager(Mx_SectionTableManager::LibraryLoad::Never);
    static bool loaded = manager.loadFolder(kBundledProf) == Acad::eOk;
    EXPECT_TRUE(loaded);
    return manager;
}

TEST(SectionTableFile, RowsRoundTripAndUnstorableFieldsAreRefused) {
    fs::path folder = tempFolder("file");
    Mx_String path(((folder / "Test.pr").string()));
    Mx_Array<Mx_StringArray> rows;
    rows.append(Mx_StringArray{L"pic.bmp"});
    rows.append(Mx_StringArray{L"SysName", L"I/O", L"Ünïcode ¿ƒ", L""});
    rows.append(Mx_StringArray{});
    rows.append(Mx_StringArray{L"", L"x", L""});
    ASSERT_TRUE(writeFile(path, rows));

    Mx_String name;
    Mx_Array<Mx_StringArray> back;
    ASSERT_TRUE(readFile(path, name, back));
    EXPECT_EQ(name, L"Test");
    EXPECT_EQ(back, rows);

    std::string before;
    {
        std::ifstream in(folder / "Test.pr", std::ios::binary);
        before.assign(std::istreambuf_iterator<char>(in), {});
    }
    for (const wchar_t* bad : {L"a\tb", L"a\nb", L"a\rb"}) {
        Mx_Array<Mx_StringArray> broken(rows);
        broken[1][2] = bad;
        EXPECT_FALSE(writeFile(path, broken));
    }
    std::ifstream in(folder / "Test.pr", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);

    EXPECT_FALSE(readFile(Mx_String(((folder / "Missing.pr").string())), name, back));
    EXPECT_EQ(name, L"Test");
    fs::remove_all(folder);
}

// A table whose first field starts with U+FEFF (a zero-width no-break space, say pasted into the
// picture name) must not lose it to the byte-order mark the reader strips.
TEST(SectionTableFile, LeadingNoBreakSpaceSurvivesTheRoundTrip) {
    fs::path folder = tempFolder("bom");
    Mx_String path(((folder / "Bom.pr").string()));
    for (const wchar_t* first : {L"\uFEFF", L"\uFEFFpic.bmp", L"\uFEFF\uFEFF"}) {
        Mx_Array<Mx_StringArray> rows;
        rows.append(Mx_StringArray{first, L"x"});
        rows.append(Mx_StringArray{L"SysName"});
        ASSERT_TRUE(writeFile(path, rows));
        Mx_String name;
        Mx_Array<Mx_StringArray> back;
        ASSERT_TRUE(readFile(path, name, back));
        EXPECT_EQ(back, rows) << Mx_String(first).length();
    }
    fs::remove_all(folder);
}

TEST(SectionTableManager, SystemNamesFromAnyLanguageIgnoringCase) {
    Mx_SectionTableManager& tables = bundled();
    struct Case {
        const wchar_t* given;
        const wchar_t* systemName;
    };
    const Case cases[] = {
        {L"IPE-200", L"IPE-200"},  {L"ipe-200", L"IPE-200"},   {L"  IPE 200 ", L"IPE-200"},
        {L"IPE200", L"IPE-200"},   {L"HE 200 B", L"HEB-200"},  {L"IPB 200", L"HEB-200"},  // German
        {L"ipbl 300", L"HEA-300"}, {L"HEA 1000", L"HEA-1000"},
    };
    for (const Case& c : cases) {
        Mx_String found;
        ASSERT_EQ(tables.getSystemName(c.given, found), Acad::eOk) << Mx_String(c.given).toUtf8();
        EXPECT_EQ(found, c.systemName);
    }
    Mx_String untouched(L"keep");
    for (const wchar_t* unknown : {L"IPE 210", L"", L"  ", L"HEB-", L"UPN 200"}) {
        EXPECT_EQ(tables.getSystemName(unknown, untouched), Acad::eKeyNotFound);
    }
    EXPECT_EQ(untouched, L"keep");
    Mx_String german;
    ASSERT_EQ(tables.getDisplayName(L"HEA-200", 1, german), Acad::eOk);
    EXPECT_EQ(german, L"IPBl 200");
    EXPECT_EQ(tables.getDisplayName(L"HEA-200", 4, german), Acad::eInvalidIndex);
}

TEST(SectionTableManager, SectionSizeFieldsCountFromTheFirstValueColumn) {
    Mx_SectionTableManager& tables = bundled();
    Mx_StringArray columns;
    ASSERT_EQ(tables.getSectionColumnNames(L"IPE 200", columns), Acad::eOk);
    EXPECT_EQ(columns, Mx_StringArray({L"h", L"b", L"tw", L"tf", L"r", L"A", L"G"}));

    // SECTIONSIZE(section, n) reads field n - 1.
    struct Case {
        const wchar_t* section;
        double values[5];
    };
    const Case cases[] = {
        {L"IPE-200", {200, 100, 5.6, 8.5, 12}},
        {L"HEB-200", {200, 200, 9, 15, 18}},
        {L"HEA-200", {190, 200, 6.5, 10, 18}},
    };
    for (const Case& c : cases) {
        for (int sectionSize = 1; sectionSize <= 5; ++sectionSize) {
            double value = 0;
            ASSERT_EQ(tables.getSectionValue(c.section, sectionSize - 1, value), Acad::eOk);
            EXPECT_DOUBLE_EQ(value, c.values[sectionSize - 1])
                << Mx_String(c.section).toUtf8() << " " << sectionSize;
        }
    }
    Mx_String text;
    EXPECT_EQ(tables.getSectionValue(L"IPE-200", 7, text), Acad::eInvalidIndex);
    EXPECT_EQ(tables.getSectionValue(L"IPE-200", -1, text), Acad::eInvalidIndex);
    EXPECT_EQ(tables.getSectionValue(L"IPE-210", 0, text), Acad::eKeyNotFound);
}

TEST(SectionTableManager, BundledTablesAreCompleteAndSelfConsistent) {
    Mx_SectionTableManager& tables = bundled();
    struct Family {
        const wchar_t* name;
        int sizes;
    };
    for (const Family& family : {Family{L"IPE", 18}, Family{L"HEA", 24}, Family{L"HEB", 19}}) {
        Mx_StringArray names;
        ASSERT_EQ(tables.getSectionNames(family.name, names), Acad::eOk);
        EXPECT_EQ(names.length(), family.sizes);
        // The area follows from the dimensions (two flanges, the web, four root fillets) and the
        // weight from the area (7850 kg/m3): a mistyped dimension shows as a mismatch.
        for (const Mx_String& section : names) {
            double v[7];
            for (int i = 0; i < 7; ++i)
                ASSERT_EQ(tables.getSectionValue(section, i, v[i]), Acad::eOk);
            double h = v[0], b = v[1], tw = v[2], tf = v[3], r = v[4], area = v[5], weight = v[6];
            double computed = (2 * b * tf + (h - 2 * tf) * tw + (4 - M_PI) * r * r) / 100;
            EXPECT_NEAR(computed, area, area * 0.006) << section.toUtf8();
            EXPECT_NEAR(area * 0.785, weight, weight * 0.006) << section.toUtf8();
        }
    }
}

TEST(SectionTableManager, RegisteredTablesReplaceByNameAndDropTheFlagColumn) {
    Mx_SectionTableManager tables(Mx_SectionTableManager::LibraryLoad::Never);
    Mx_StringArray headers{L"SysName", L"I/O",    L"English", L"German", L"French",
                           L"Dutch",   L"Korean", L"h",       L"b"};
    Mx_Array<Mx_StringArray> rows;
    rows.append(Mx_StringArray{L"100x50", L"0", L"Box 100x50", L"", L"", L"", L"박스", L"100", L"50"});
    ASSERT_EQ(tables.addSectionTable(L"Box.pr", L"Prof\\box.bmp", headers, rows), Acad::eOk);
    EXPECT_TRUE(tables.hasTable(L"BOX"));
    EXPECT_TRUE(tables.hasTable(L"box.pr"));

    Mx_String found;
    ASSERT_EQ(tables.getSystemName(L"박스", found), Acad::eOk);  // the fifth language counts
    EXPECT_EQ(found, L"Box-100x50");
    Mx_StringArray columns;
    ASSERT_EQ(tables.getSectionColumnNames(L"Box-100x50", columns), Acad::eOk);
    EXPECT_EQ(columns, Mx_StringArray({L"h", L"b"}));

    rows[0][7] = L"120";
    ASSERT_EQ(tables.addSectionTable(L"Box", L"", headers, rows), Acad::eOk);
    Mx_StringArray names;
    tables.getTableNames(names);
    EXPECT_EQ(names.length(), 1);
    Mx_String value;
    ASSERT_EQ(tables.getSectionValue(L"box 100x50", 0, value), Acad::eOk);
    EXPECT_EQ(value, L"120");

    ASSERT_EQ(tables.removeTable(L"Box.pr"), Acad::eOk);
    EXPECT_EQ(tables.getSystemName(L"Box 100x50", found), Acad::eKeyNotFound);
    EXPECT_EQ(tables.removeTable(L"Box"), Acad::eKeyNotFound);
    EXPECT_EQ(tables.addSectionTable(L".pr", L"", headers, rows), Acad::eInvalidInput);
}

// Thousands of names registered table after table: every one is found (by any language, any case),
// a name that only extends a known one is not, and a display name tables share goes to the table
// registered first.
TEST(SectionTableManager, ManyTablesKeepEveryNameAndTheFirstTableWinsATie) {
    Mx_SectionTableManager tables(Mx_SectionTableManager::LibraryLoad::Never);
    const Mx_StringArray headers{L"SysName", L"English", L"German", L"French", L"Dutch", L"h"};
    const auto rowsOf = [](int t, int sizes) {
        Mx_Array<Mx_StringArray> rows;
        for (int s = 1; s <= sizes; ++s) {
            const Mx_String size(s);
            rows.append(Mx_StringArray{size, L"T" + Mx_String(t) + L" " + size,
                                       L"D" + Mx_String(t) + L"x" + size, L"Shared " + size, L"",
                                       Mx_String(t * 1000 + s)});
        }
        return rows;
    };
    constexpr int kTables = 40, kSizes = 60;
    for (int t = 1; t <= kTables; ++t)
        ASSERT_EQ(tables.addSectionTable(L"T" + Mx_String(t), L"", headers, rowsOf(t, kSizes)), Acad::eOk);
    for (int t = 1; t <= kTables; ++t) {
        for (int s = 1; s <= kSizes; ++s) {
            const Mx_String system = L"T" + Mx_String(t) + L"-" + Mx_String(s);
            Mx_String found;
            ASSERT_EQ(tables.getSystemName(L"t" + Mx_String(t) + L" " + Mx_String(s), found), Acad::eOk);
            EXPECT_EQ(found, system);
            ASSERT_EQ(tables.getSystemName(L"d" + Mx_String(t) + L"X" + Mx_String(s), found), Acad::eOk);
            EXPECT_EQ(found, system);
            double height = 0;
            ASSERT_EQ(tables.getSectionValue(system, 0, height), Acad::eOk);
            EXPECT_EQ(height, t * 1000 + s);
        }
    }
    Mx_String found;
    EXPECT_EQ(tables.getSystemName(L"SHARED 7", found), Acad::eOk);
    EXPECT_EQ(found, L"T1-7");
    EXPECT_EQ(tables.getSystemName(L"T1-" + Mx_String(kSizes + 1), found), Acad::eKeyNotFound);
    EXPECT_EQ(tables.getSystemName(L"T1 6", found), Acad::eOk);  // "T1 60" minus a digit is size 6
    EXPECT_EQ(tables.getSystemName(L"T1 600", found), Acad::eKeyNotFound);
    EXPECT_EQ(tables.getSystemName(L"Shared", found), Acad::eKeyNotFound);

    // Registered again, a table counts as registered last; a table removed leaves the tie to the next.
    ASSERT_EQ(tables.addSectionTable(L"T1", L"", headers, rowsOf(1, kSizes)), Acad::eOk);
    EXPECT_EQ(tables.getSystemName(L"Shared 7", found), Acad::eOk);
    EXPECT_EQ(found, L"T2-7");
    ASSERT_EQ(tables.removeTable(L"T2"), Acad::eOk);
    EXPECT_EQ(tables.getSystemName(L"Shared 7", found), Acad::eOk);
    EXPECT_EQ(found, L"T3-7");
    EXPECT_EQ(tables.getSystemName(L"T2 7", found), Acad::eKeyNotFound);
    ASSERT_EQ(tables.getSystemName(L"T1 7", found), Acad::eOk);
    EXPECT_EQ(found, L"T1-7");
}

TEST(SectionTableManager, TheGlobalManagerReadsTheLibraryOnFirstUseAndRegisteredTablesWin) {
    fs::path folder = tempFolder("library");
    fs::create_directories(folder / "Prof");  // the library was authored on Windows
    std::ofstream(folder / "Prof" / "IPE.pr") << "ipe.bmp\nSysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\n"
                                                 "200\t1\tIPE 200\tIPE 200\tIPE 200\tIPE 200\t999\n";
    std::ofstream(folder / "Prof" / "UPN.pr") << "upn.bmp\nSysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\n"
                                                 "200\t1\tUPN 200\tU 200\tUPN 200\tUNP 200\t200\n";
    std::ofstream(folder / "Prof" / "Broken.pr") << "only a picture line\n";
    gSettings.setLibDir(Mx_String(folder.string()));
    gSectionTableManager.reset();

    Mx_StringArray headers{L"SysName", L"English", L"German", L"French", L"Dutch", L"h"};
    Mx_Array<Mx_StringArray> rows;
    rows.append(Mx_StringArray{L"200", L"IPE 200", L"", L"", L"", L"200"});
    ASSERT_EQ(gSectionTableManager.addSectionTable(L"IPE.pr", L"", headers, rows), Acad::eOk);

    Mx_String found;
    ASSERT_EQ(gSectionTableManager.getSystemName(L"U 200", found), Acad::eOk);
    EXPECT_EQ(found, L"UPN-200");
    double h = 0;
    ASSERT_EQ(gSectionTableManager.getSectionValue(L"IPE-200", 0, h), Acad::eOk);
    EXPECT_EQ(h, 200);  // the registered table, not the file
    EXPECT_FALSE(gSectionTableManager.hasTable(L"Broken"));

    gSectionTableManager.reset();
    gSettings.reset();
    fs::remove_all(folder);
}

// One size "1" of a table: its file stem, its English name (the other languages: the stem's letter
// and " 1") and its height.
struct OneSizeTable {
    const char* stem;
    const char* english;
    int height;
};

void writeOneSizeTable(const fs::path& folder, const OneSizeTable& t) {
    const std::string letter(1, t.stem[0]);
    std::ofstream(folder / "prof" / (std::string(t.stem) + ".pr"))
        << "x.bmp\nSysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\n"
        << "1\t1\t" << t.english << "\t" << letter << " 1\t" << letter << " 1\t" << letter << " 1\t"
        << t.height << "\n";
}

// A library folder of such tables, made the library.
fs::path libraryOfTables(const std::string& name, std::initializer_list<OneSizeTable> tables) {
    fs::path folder = tempFolder(name);
    fs::create_directories(folder / "prof");
    for (const OneSizeTable& t : tables)
        writeOneSizeTable(folder, t);
    gSettings.setLibDir(Mx_String(folder.string()));
    gSectionTableManager.reset();
    return folder;
}

// A lookup by system name reads only the table it names; a display name reads the others, and ties
// between display names go to the file that comes first whatever order the files were read in.
TEST(SectionTableManager, LibraryFilesAreReadWhenTheirTableIsNeeded) {
    fs::path folder =
        libraryOfTables("lazy", {{"AAA", "SHARED", 10}, {"BBB", "SHARED", 20}, {"CCC", "C 1", 30}});

    double h = 0;
    ASSERT_EQ(gSectionTableManager.getSectionValue(L"bbb-1", 0, h), Acad::eOk);
    EXPECT_EQ(h, 20);
    // CCC.pr was not read: a change to it before its first use is seen.
    writeOneSizeTable(folder, {"CCC", "C 1", 31});
    ASSERT_EQ(gSectionTableManager.getSectionValue(L"CCC-1", 0, h), Acad::eOk);
    EXPECT_EQ(h, 31);

    Mx_String found;
    ASSERT_EQ(gSectionTableManager.getSystemName(L"shared", found), Acad::eOk);
    EXPECT_EQ(found, L"AAA-1");
    Mx_StringArray names;
    gSectionTableManager.getTableNames(names);
    EXPECT_EQ(names.length(), 3);
    EXPECT_EQ(gSectionTableManager.getSystemName(L"DDD-1", found), Acad::eKeyNotFound);

    gSectionTableManager.reset();
    gSettings.reset();
    fs::remove_all(folder);
}

// A display name reads the library's files in name order up to the first that holds it: that file
// wins whatever was read before, and the files after it stay unread.
TEST(SectionTableManager, ADisplayNameReadsTheFilesUpToTheOneThatHoldsIt) {
    fs::path folder = libraryOfTables(
        "ordered", {{"AAA", "A 1", 10}, {"BBB", "SHARED", 20}, {"CCC", "SHARED", 30}, {"DDD", "D 1", 40}});

    double h = 0;
    ASSERT_EQ(gSectionTableManager.getSectionValue(L"CCC-1", 0, h), Acad::eOk);  // reads CCC alone
    Mx_String found;
    ASSERT_EQ(gSectionTableManager.getSystemName(L"shared", found), Acad::eOk);
    EXPECT_EQ(found, L"BBB-1");  // BBB comes before CCC, though read after it
    ASSERT_EQ(gSectionTableManager.getSystemName(L"C 1", found), Acad::eOk);
    EXPECT_EQ(found, L"CCC-1");
    // DDD.pr is still unread: a change made now is seen by its first lookup.
    writeOneSizeTable(folder, {"DDD", "D 1", 41});
    ASSERT_EQ(gSectionTableManager.getSectionValue(L"D 1", 0, h), Acad::eOk);
    EXPECT_EQ(h, 41);
    EXPECT_EQ(gSectionTableManager.getSystemName(L"E 1", found), Acad::eKeyNotFound);

    gSectionTableManager.reset();
    gSettings.reset();
    fs::remove_all(folder);
}

// What a ".pr" file may hold besides the plain layout: a byte-order mark, CRLF line ends, Windows-1252
// text, empty lines, sizes without a name or with fewer values than headers, blanks around names.
TEST(SectionTableManager, TableFilesReadInEveryLayoutTheLibraryUses) {
    fs::path folder = tempFolder("layouts");
    std::ofstream(folder / "UPN.pr", std::ios::binary)
        << "\xEF\xBB\xBFupn.bmp\tignored\r\n"
           "SysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\tb\r\n"
           "\r\n"
           " 200 \t1\tUPN 200\tU 200\tUPN 200\tUNP200\t200\t75\r\n"
           "\t1\tNameless\t\t\t\t1\t1\r\n"
           "240\t0\tUPN 240\n"
           "260\t1\t\t\t\t\t260\t90";  // no line end at the end of the file
    std::ofstream(folder / "L.pr", std::ios::binary) << "l.bmp\nSysName\tEnglish\tGerman\tFrench\tDutch\tc\n"
                                                        "50x5\tL 50\xD7"
                                                        "5\tL 50x5\tL 50x5\tL 50x5\t14,0\n";
    std::ofstream(folder / "Empty.pr", std::ios::binary) << "empty.bmp\n\n200\t1\n";
    Mx_SectionTableManager tables(Mx_SectionTableManager::LibraryLoad::Never);
    Mx_String problems;
    ASSERT_EQ(tables.loadFolder(Mx_String(folder.string() + "/"), &problems), Acad::eOk);
    EXPECT_TRUE(problems.contains(Mx_String(L"Empty.pr: not a section table"))) << problems.toUtf8();

    Mx_String text;
    ASSERT_EQ(tables.getTablePicture(L"UPN", text), Acad::eOk);
    EXPECT_EQ(text, L"upn.bmp");
    Mx_StringArray names;
    ASSERT_EQ(tables.getSectionNames(L"UPN", names), Acad::eOk);
    EXPECT_EQ(names, Mx_StringArray({L"UPN-200", L"UPN-240", L"UPN-260"}));
    ASSERT_EQ(tables.getSystemName(L"unp200", text), Acad::eOk);
    EXPECT_EQ(text, L"UPN-200");
    EXPECT_EQ(tables.getSystemName(L"Nameless", text), Acad::eKeyNotFound);
    ASSERT_EQ(tables.getSectionValue(L"U 200", 1, text), Acad::eOk);
    EXPECT_EQ(text, L"75");  // not "75\r"
    EXPECT_EQ(tables.getSectionValue(L"UPN-240", 0, text), Acad::eInvalidIndex);
    EXPECT_EQ(tables.getDisplayName(L"UPN-240", 1, text), Acad::eInvalidIndex);
    ASSERT_EQ(tables.getSystemName(L"UPN 240", text), Acad::eOk);
    double b = 0;
    ASSERT_EQ(tables.getSectionValue(L"UPN-260", 1, b), Acad::eOk);
    EXPECT_EQ(b, 90);

    ASSERT_EQ(tables.getSystemName(L"l 50\u00d75", text), Acad::eOk);  // a Windows-1252 file
    EXPECT_EQ(text, L"L-50x5");
    double c = 0;
    EXPECT_EQ(tables.getSectionValue(L"L-50x5", 0, c), Acad::eInvalidInput);
    fs::remove_all(folder);
}

}  // namespace

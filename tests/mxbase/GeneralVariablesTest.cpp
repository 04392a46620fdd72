// The library's general variables: the file that keeps them, and how they reach a run.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/mxbase/GeneralVariableFilter.h"
#include "platform/mxbase/VlAutoStandardsData.h"
#include "tests/mxbase/FileSystemTestFolder.h"

namespace {

using Variables = std::vector<std::pair<Mx_String, Mx_String>>;

VlAutoStandardsData read(const std::string& text) {
    VlAutoStandardsData data;
    std::string error;
    EXPECT_TRUE(data.readText(text, "vars", &error)) << error;
    return data;
}

}  // namespace

TEST(GeneralVariablesFile, FieldsThatLookLikeSyntaxSurviveAWriteAndARead) {
    VlAutoStandardsData data;
    data.dwgGenVars() = {L"#hash", L"[bracket", L"tab\there", L""};
    data.dwgGenValues() = {L"back\\slash", L"line\nbreak", L"cr\rx", L""};
    data.dwgGenFilters() = {L"Halls\\North.dwg;Halls\\", L"", L"", L""};
    data.stdGenVars() = {L"gen_Gap"};
    data.stdGenValues() = {L"5"};
    data.stdGenOverrides() = {L"1"};
    data.stdGenFilters() = {L""};
    EXPECT_EQ(read(data.text()), data);
}

TEST(GeneralVariablesFile, ShortRowsReadWithEmptyFieldsAndWritesFillTheParallelColumns) {
    const VlAutoStandardsData data = read("[standards]\ngen_A\n[drawing]\ngen_B\t2\n\n# note\n");
    EXPECT_EQ(data.stdGenVars(), Mx_StringArray({L"gen_A"}));
    EXPECT_EQ(data.stdGenOverrides(), Mx_StringArray({L""}));
    EXPECT_EQ(data.dwgGenValues(), Mx_StringArray({L"2"}));
    EXPECT_EQ(data.dwgGenFilters(), Mx_StringArray({L""}));

    // A caller that left a column short still gets whole rows written.
    VlAutoStandardsData shortColumns;
    shortColumns.dwgGenVars() = {L"a", L"b"};
    shortColumns.dwgGenValues() = {L"1"};
    EXPECT_EQ(read(shortColumns.text()).dwgGenValues(), Mx_StringArray({L"1", L""}));
}

TEST(GeneralVariablesFile, ABadLineIsRefusedWithItsNumberAndKeepsWhatWasThere) {
    struct Case {
        const char* text;
        const char* problem;
    } cases[] = {
        {"gen_A\t1\n", "vars:1: a variable before [drawing] or [standards]"},
        {"[drawing]\n\n[other]\n", "vars:3: unknown list"},
        {"[drawing]\na\tb\tc\td\n", "vars:2: more than 3 fields"},
        {"[standards]\na\tb\tc\td\te\n", "vars:2: more than 4 fields"},
        {"[drawing]\na\\x\n", "vars:2: a backslash"},
        {"[drawing]\na\\\n", "vars:2: a backslash"},
    };
    for (const Case& c : cases) {
        VlAutoStandardsData data = read("[drawing]\nkept\t1\n");
        std::string error;
        EXPECT_FALSE(data.readText(c.text, "vars", &error)) << c.text;
        EXPECT_EQ(error.rfind(c.problem, 0), 0u) << error;
        EXPECT_EQ(data.dwgGenVars(), Mx_StringArray({L"kept"})) << c.text;
    }
}

TEST(GeneralVariablesFile, ALibraryWithoutTheFileHasNoneAndSavingMakesItsFolder) {
    const TestFolder folder;
    const Mx_String path(folder.wide() + L"Connection Standards/GeneralVariables.txt");
    VlAutoStandardsData data = read("[drawing]\nstale\t1\n");
    std::string error;
    ASSERT_TRUE(data.load(path, &error)) << error;
    EXPECT_EQ(data, VlAutoStandardsData());

    data.dwgGenVars() = {L"gen_A"};
    data.dwgGenValues() = {L"7"};
    data.dwgGenFilters() = {L""};
    ASSERT_TRUE(data.save(path, &error)) << error;
    VlAutoStandardsData again;
    ASSERT_TRUE(again.load(path, &error)) << error;
    EXPECT_EQ(again, data);
}

TEST(GeneralVariableFilter, MacroPathsBelowTheLibrarysMacrosFolder) {
    const Mx_String lib = L"/lib/";
    EXPECT_EQ(macroPathInLibrary(L"/lib/Macros/Halls/North.json", lib), L"Halls\\North.json");
    EXPECT_EQ(macroPathInLibrary(L"/lib/macros/../Macros/A.json", lib), L"A.json");
    EXPECT_EQ(macroPathInLibrary(L"/LIB/MACROS/A.json", lib), L"A.json") << "letter case does not matter";
    EXPECT_EQ(macroPathInLibrary(L"/lib/MacrosOld/A.json", lib), L"") << "a folder that only starts alike";
    EXPECT_EQ(macroPathInLibrary(L"/lib/Macros", lib), L"") << "the folder itself names nothing";
    EXPECT_EQ(macroPathInLibrary(L"/elsewhere/A.json", lib), L"");
    EXPECT_EQ(macroPathInLibrary(L"", lib), L"");
}

TEST(GeneralVariableFilter, EntriesNameFilesWhateverTheExtensionOrFoldersAtAnyDepth) {
    struct Case {
        const wchar_t* filter;
        const wchar_t* macro;
        bool applies;
    } cases[] = {
        {L"", L"Halls\\North.json", true},
        {L" ; ;", L"", true},  // only empty entries: applies everywhere
        {L"Halls\\North.dwg", L"Halls\\North.json", true},
        {L"halls/north.DWG", L"Halls\\North.json", true},
        {L"Halls", L"Halls\\Sub\\North.json", true},
        {L"Halls\\", L"Halls\\North.json", true},
        {L"Hall", L"Halls\\North.json", false},
        {L"Halls\\South.dwg;Sheds", L"Halls\\North.json", false},
        {L"Halls\\South.dwg;Halls\\North.dwg", L"Halls\\North.json", true},
        {L"Halls", L"", false},  // a macro outside "Macros\" or without a file
    };
    for (const Case& c : cases)
        EXPECT_EQ(filterApplies(c.filter, c.macro), c.applies)
            << Mx_String(c.filter).toUtf8() << " / " << Mx_String(c.macro).toUtf8();
}

TEST(GeneralVariableFilter, TheMacrosOwnWinUnlessAStandardsRowOverrides) {
    VlAutoStandardsData stored = read(
        "[drawing]\n"
        "gen_Own\t100\t\n"           // the macro has it: its own value stays
        "gen_Drawing\t2\t\n"         // added
        "gen_Elsewhere\t3\tSheds\n"  // filter does not apply
        "\t9\t\n"                    // no name: skipped
        "[standards]\n"
        "GEN_OWN\t200\tno\t\n"            // not overriding: stays 1
        "gen_drawing\t20\ttrue\tHalls\n"  // overrides the drawing list's value
        "gen_Std\t5\t\t\n");
    Variables variables{{L"gen_Own", L"1"}};
    applyGeneralVariables(stored, L"Halls\\North.json", variables);
    EXPECT_EQ(variables, (Variables{{L"gen_Own", L"1"}, {L"gen_Drawing", L"20"}, {L"gen_Std", L"5"}}));

    for (const wchar_t* on : {L"1", L" YES ", L"True"})
        EXPECT_TRUE(overrideIsOn(on));
    for (const wchar_t* off : {L"", L"0", L"no", L"2", L"on"})
        EXPECT_FALSE(overrideIsOn(off));
}

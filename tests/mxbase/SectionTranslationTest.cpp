// Section-name translation tables ("CIS2ProfNames.dat" and the language strings).
#include "platform/mxbase/SectionTranslation.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/mxbase/MacroLangs.h"
#include "tests/mxbase/FileSystemTestFolder.h"

TEST(SectionTranslation, PairsReadTrimmedAndAWrongLineIsRefusedWhole) {
    Mx_StringArray names{L"old"}, translated{L"old"};
    std::string error;
    ASSERT_TRUE(
        parseSectionTranslation("# c\r\n HEA200 \tHE200A\r\n\r\nIPE300\t\n", "t", names, translated, &error));
    EXPECT_EQ(names, Mx_StringArray({L"HEA200", L"IPE300"}));
    EXPECT_EQ(translated, Mx_StringArray({L"HE200A", L""}));

    for (const char* bad : {"HEA200 HE200A\n", "\tHE200A\n", "a\tb\tc\n"}) {
        EXPECT_FALSE(parseSectionTranslation(std::string("ok\tfine\n") + bad, "t", names, translated, &error))
            << bad;
        EXPECT_EQ(error.rfind("t:2: ", 0), 0u) << error;
        EXPECT_TRUE(names.isEmpty());
    }
}

TEST(SectionTranslation, WritingKeepsEachPairOnItsLineAndLeavesNamelessPairsOut) {
    Mx_StringArray names{L"A\tB", L"", L"C\nD"}, translated{L"x", L"lost", L"y\tz\r"};
    Mx_StringArray readNames, readTranslated;
    std::string error;
    ASSERT_TRUE(parseSectionTranslation(formatSectionTranslation(names, translated), "t", readNames,
                                        readTranslated, &error))
        << error;
    EXPECT_EQ(readNames, Mx_StringArray({L"A B", L"C D"}));
    EXPECT_EQ(readTranslated, Mx_StringArray({L"x", L"y z"}));
}

TEST(SectionTranslation, AFailedSaveLeavesTheTableAsItWas) {
    const TestFolder folder;
    const Mx_String file(folder.wide() + L"CIS2ProfNames.dat");
    ASSERT_TRUE(saveSectionTranslation(file, {L"HEA200"}, {L"HE200A"}));
    Mx_StringArray names, translated;
    ASSERT_TRUE(readSectionTranslation(file, names, translated));
    EXPECT_EQ(translated, Mx_StringArray({L"HE200A"}));

    std::string error;
    EXPECT_FALSE(
        saveSectionTranslation(folder.wide() + L"missing/CIS2ProfNames.dat", names, translated, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(readSectionTranslation(folder.wide() + L"absent.dat", names, translated))
        << "no file, no pairs";
    EXPECT_TRUE(names.isEmpty());
}

TEST(MacroLangs, NamesWithoutATextShowAsTheyAre) {
    const TestFolder folder;
    folder.put("MacroLangs.txt", "EndPlate\tEnd plate\nBlank\t\n");
    MacroLangs langs;
    ASSERT_TRUE(langs.load(folder.wide() + L"MacroLangs.txt"));
    EXPECT_EQ(langs.GetString(L"EndPlate"), L"End plate");
    EXPECT_EQ(langs.GetString(L"Blank"), L"Blank");
    EXPECT_EQ(langs.GetString(L"Other"), L"Other");
}

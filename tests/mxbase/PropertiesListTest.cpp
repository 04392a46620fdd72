#include "platform/mxbase/Mx_PropertiesList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/mxbase/FileSystemTestFolder.h"

namespace {

using Type = Mx_PropertiesList::Type;

Mx_PropertiesList sample() {
    Mx_PropertiesList list;
    list.setInt(L"nrOfControls", 2);
    list.setInt(L"type0", -7);
    list.setDouble(L"topLeftX0", 0.1);
    list.setDouble(L"tiny", 5e-324);
    list.setDouble(L"big", -1.7976931348623157e308);
    list.setString(L"contents0", L"tab\there, line\nbreak, back\\slash, ¿ƒ €");
    list.setString(L"comboList0", L"");
    list.setString(L"name\twith tab", L"x");
    list.setBool(L"locked", true);
    return list;
}

TEST(PropertiesList, TextRoundTripKeepsEveryValueExactly) {
    Mx_PropertiesList list = sample();
    Mx_PropertiesList back;
    EXPECT_EQ(back.readFromText(list.toText()), 0);
    EXPECT_EQ(back, list);
    double x = 0;
    EXPECT_TRUE(back.getDouble(L"topLeftX0", x));
    EXPECT_EQ(x, 0.1);
    EXPECT_TRUE(back.getDouble(L"tiny", x));
    EXPECT_EQ(x, 5e-324);
}

TEST(PropertiesList, FileRoundTripThroughAProductPath) {
    TestFolder folder;
    folder.put("Dialog Templates/Dialog Design/keep", "");
    const Mx_String path(folder.wide() + L"dialog templates\\DIALOG DESIGN\\Plate.txt");
    ASSERT_TRUE(sample().writeToFile(path));
    Mx_PropertiesList back;
    back.setInt(L"stale", 1);
    ASSERT_TRUE(back.readFromFile(path));
    EXPECT_EQ(back, sample());

    // A failed write keeps the file that was there.
    folder.put("blocker", "");
    EXPECT_FALSE(sample().writeToFile(Mx_String(folder.wide() + L"blocker\\x.txt")));
    EXPECT_FALSE(back.readFromFile(Mx_String(folder.wide() + L"missing.txt")));
    EXPECT_TRUE(back.isEmpty());
}

TEST(PropertiesList, NamesIgnoreCaseAndKeepTheirPlace) {
    Mx_PropertiesList list;
    list.setInt(L"Alpha", 1);
    list.setInt(L"beta", 2);
    list.setString(L"ALPHA", L"now a string");
    EXPECT_EQ(list.length(), 2);
    EXPECT_EQ(list.nameAt(0), Mx_String(L"Alpha"));
    EXPECT_EQ(list.typeOf(L"alpha"), Type::String);
    EXPECT_EQ(list.typeOf(L"gamma"), Type::None);
    EXPECT_EQ(list.nameAt(5), Mx_String());
    EXPECT_TRUE(list.remove(L"BETA"));
    EXPECT_FALSE(list.remove(L"beta"));
    EXPECT_EQ(list.length(), 1);
}

TEST(PropertiesList, GettersConvertOnlyWhatFits) {
    Mx_PropertiesList list;
    list.setInt(L"i", 42);
    list.setDouble(L"whole", 3.0);
    list.setDouble(L"half", 3.5);
    list.setDouble(L"huge", 1e12);
    list.setString(L"s", L"12");
    list.setBool(L"b", true);

    int i = -1;
    double d = -1;
    bool b = false;
    Mx_String s;
    EXPECT_TRUE(list.getDouble(L"i", d) && d == 42.0);
    EXPECT_TRUE(list.getInt(L"whole", i) && i == 3);
    i = -1;
    EXPECT_FALSE(list.getInt(L"half", i));
    EXPECT_FALSE(list.getInt(L"huge", i));
    EXPECT_FALSE(list.getInt(L"s", i));  // a string is not a number, even when it reads like one
    EXPECT_FALSE(list.getInt(L"missing", i));
    EXPECT_EQ(i, -1);  // failed gets leave the value alone
    EXPECT_TRUE(list.getInt(L"b", i) && i == 1);
    EXPECT_TRUE(list.getBool(L"i", b) && b);
    EXPECT_FALSE(list.getBool(L"s", b));
    EXPECT_TRUE(list.getString(L"half", s) && s == Mx_String(L"3.5"));
}

TEST(PropertiesList, ReadingSkipsMalformedLinesAndKeepsTheRest) {
    Mx_PropertiesList list;
    int malformed = list.readFromText(
        L"Mx_PropertiesList 1\r\n"
        L"good\tint\t5\r\n"
        L"no tabs at all\r\n"
        L"\tint\t1\r\n"                 // empty name
        L"kind\tcolour\tred\r\n"        // unknown type
        L"n\tint\t12x\r\n"              // not a number
        L"n\tint\t99999999999\r\n"      // out of int range
        L"d\tdouble\t1,5\r\n"           // decimal comma
        L"b\tbool\tyes\r\n"
        L"s\tstring\tbad escape \\q\r\n"
        L"later\tstring\tvalue\twith tab\r\n"
        L"\r\n");
    EXPECT_EQ(malformed, 8);
    EXPECT_EQ(list.length(), 2);
    Mx_String s;
    EXPECT_TRUE(list.getString(L"later", s));
    EXPECT_EQ(s, Mx_String(L"value\twith tab"));  // the value runs to the end of the line

    // Files written on Windows in 1252 read too.
    TestFolder folder;
    folder.put("old.txt", "Mx_PropertiesList 1\r\ncontents0\tstring\ta\xBF" "b\r\n");
    ASSERT_TRUE(list.readFromFile(Mx_String(folder.wide() + L"old.txt")));
    EXPECT_TRUE(list.getString(L"contents0", s));
    EXPECT_EQ(s, Mx_String(L"a¿b"));
}

}  // namespace

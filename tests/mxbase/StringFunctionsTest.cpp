#include "platform/mxbase/StringFunctions.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

Mx_StringArray split(const wchar_t* text, const wchar_t* separator, bool dropEmpty) {
    Mx_StringArray pieces{L"stale"};
    splitString(text, separator, pieces, dropEmpty);
    return pieces;
}

TEST(StringFunctions, SplitFunctions) {
    EXPECT_EQ(split(L"a;;b;", L";", false), (Mx_StringArray{L"a", L"", L"b", L""}));
    EXPECT_EQ(split(L"a;;b;", L";", true), (Mx_StringArray{L"a", L"b"}));
    EXPECT_EQ(split(L"x::y:z", L"::", false), (Mx_StringArray{L"x", L"y:z"}));
    EXPECT_EQ(split(L"", L";", false), Mx_StringArray());
    EXPECT_EQ(split(L";", L";", true), Mx_StringArray());
    EXPECT_EQ(split(L"abc", L"", false), (Mx_StringArray{L"abc"}));

    Mx_StringArray pieces;
    EXPECT_EQ(splitStringAtSymbol(L"\"Sub.vls\", A , B,, R ", L',', pieces, true), 4);
    EXPECT_EQ(pieces, (Mx_StringArray{L"\"Sub.vls\"", L"A", L"B", L"R"}));
    EXPECT_EQ(splitStringAtSymbol(L" , x", L',', pieces, false), 2);
    EXPECT_EQ(pieces[0], L"");

    // strToArr keeps positions, arrToStr undoes it.
    EXPECT_EQ(strToArr(L"a;;c;", pieces), 4);
    EXPECT_EQ(pieces, (Mx_StringArray{L"a", L"", L"c", L""}));
    EXPECT_EQ(arrToStr(pieces), L"a;;c;");
    EXPECT_EQ(arrToStr(Mx_StringArray{L"1", L"2"}, L", "), L"1, 2");
}

TEST(StringFunctions, SubstringsAroundADelimiter) {
    EXPECT_EQ(getSubstrAfter(L"Area = Width * Length", L"="), L" Width * Length");
    EXPECT_EQ(getSubstrBefore(L"Area = a = b", L"="), L"Area ");
    EXPECT_EQ(getSubstrBefore(L"Area = a = b", L"=", true), L"Area = a ");
    EXPECT_EQ(getSubstrAfter(L"a.b.c", L".", true), L"c");
    EXPECT_EQ(getSubstrAfter(L"abc", L"="), L"");
    EXPECT_EQ(getSubstrBefore(L"abc", L"="), L"");
}

TEST(StringFunctions, Paths) {
    EXPECT_EQ(removeExtension(L"C:\\lib\\Sub.vls"), L"C:\\lib\\Sub");
    EXPECT_EQ(removeExtension(L"C:\\lib.d\\Sub"), L"C:\\lib.d\\Sub");  // the folder's dot is no extension
    EXPECT_EQ(removeExtension(L"dir/.map"), L"dir/.map");
    EXPECT_EQ(removeExtension(L"a.tar.gz"), L"a.tar");
    EXPECT_EQ(changeExtension(L"x\\Sub.vls", L"map"), L"x\\Sub.map");
    EXPECT_EQ(changeExtension(L"x\\Sub.vls", L".map"), L"x\\Sub.map");
    EXPECT_EQ(changeExtension(L"Sub", L"map"), L"Sub.map");
    EXPECT_EQ(changeExtension(L"Sub.vls", L""), L"Sub");
    EXPECT_EQ(getFileName(L"C:\\a/b\\Sub.vls"), L"Sub.vls");
    EXPECT_EQ(getFileName(L"C:\\a\\Sub.vls", false), L"Sub");
    EXPECT_EQ(getFileName(L"C:\\a\\"), L"");
    EXPECT_EQ(ensureEndBSlash(L"C:\\lib"), L"C:\\lib\\");
    EXPECT_EQ(ensureEndBSlash(L"C:\\lib\\"), L"C:\\lib\\");
    EXPECT_EQ(ensureEndBSlash(L"/lib/"), L"/lib/");
    EXPECT_EQ(ensureEndBSlash(L""), L"");
}

TEST(StringFunctions, DuplicatesAreRepeatsOfAnEarlierElement) {
    const Mx_StringArray names{L"Width", L"b", L"WIDTH", L"width", L"B", L"c"};
    EXPECT_TRUE(hasDuplicates(names, false));
    EXPECT_FALSE(hasDuplicates(names, true));  // all six differ in case at least
    EXPECT_FALSE(hasDuplicates(Mx_StringArray{L"a", L"A"}, true));
    EXPECT_FALSE(hasDuplicates(Mx_StringArray(), false));

    AcArray<int> positions;
    EXPECT_EQ(getDuplicates(names, positions, false), 3);
    EXPECT_EQ(positions[0], 2);
    EXPECT_EQ(positions[1], 3);
    EXPECT_EQ(positions[2], 4);
    EXPECT_EQ(getDuplicates(names, positions, true), 0);

    Mx_StringArray repeated;
    EXPECT_EQ(getDuplicates(names, repeated, false), 2);
    EXPECT_EQ(repeated, (Mx_StringArray{L"Width", L"b"}));
}

TEST(StringFunctions, DuplicatesScaleToLargeArrays) {
    Mx_StringArray names;
    for (int i = 0; i < 200000; ++i)
        names.append(Mx_String(L"Var") + Mx_String(i % 100000));
    AcArray<int> positions;
    EXPECT_EQ(getDuplicates(names, positions, false), 100000);
    EXPECT_EQ(positions[0], 100000);
}

TEST(StringFunctions, AlfabetColumnLetters) {
    const std::pair<int, const wchar_t*> cases[] = {{1, L"A"},       {2, L"B"},   {26, L"Z"},   {27, L"AA"},
                                                    {52, L"AZ"},     {53, L"BA"}, {702, L"ZZ"}, {703, L"AAA"},
                                                    {16384, L"XFD"}, {0, L""},    {-5, L""}};
    for (auto [column, letters] : cases)
        EXPECT_EQ(getAlfabet(column), letters) << column;
    EXPECT_EQ(getAlfabet(2147483647), L"FXSHRXW");
}

TEST(StringFunctions, RandomStringsUseTheirAlphabet) {
    std::set<std::wstring> seen;
    for (int i = 0; i < 50; ++i) {
        Mx_String key = generateRandomString(24, true);
        ASSERT_EQ(key.length(), 24);
        for (wchar_t c : key.str())
            ASSERT_TRUE(std::iswalnum(c) && c < 0x80) << int(c);
        seen.insert(key.str());
    }
    EXPECT_EQ(seen.size(), 50u);
    for (wchar_t c : generateRandomString(30, false).str())
        EXPECT_TRUE(c >= L'A' && c <= L'Z');
    EXPECT_EQ(generateRandomString(-1, true), L"");
}

TEST(StringFunctions, FindNonExistingString) {
    const Mx_StringArray names{L"1", L"2", L"HEA100", L"table", L"Table1"};
    EXPECT_EQ(findNonExistingString(names, L"3"), L"3");
    EXPECT_EQ(findNonExistingString(names, L"1"), L"3");
    EXPECT_EQ(findNonExistingString(names, L"HEA100"), L"HEA101");
    EXPECT_EQ(findNonExistingString(names, L"Table"), L"Table2");  // "table" is taken ignoring case
    EXPECT_EQ(findNonExistingString(names, L""), L"3");
    EXPECT_EQ(findNonExistingString(Mx_StringArray{L"99999999999999999999"}, L"99999999999999999999"),
              L"999999999999999999991");
}

TEST(StringFunctions, FirstNumbersSortAndStrip) {
    int position = -1;
    Mx_String digits;
    EXPECT_TRUE(findFirstNumbers(L"Plate12x30", position, digits));
    EXPECT_EQ(position, 5);
    EXPECT_EQ(digits, L"12");
    EXPECT_FALSE(findFirstNumbers(L"Plate", position, digits));

    Mx_StringArray names{L"beta", L"Alpha", L"alpha", L"Beta"};
    sortArray(names, true, false);
    EXPECT_EQ(names, (Mx_StringArray{L"Alpha", L"alpha", L"Beta", L"beta"}));
    sortArray(names);
    EXPECT_EQ(names, (Mx_StringArray{L"Alpha", L"Beta", L"alpha", L"beta"}));
    sortArray(names, false, false);
    EXPECT_EQ(names, (Mx_StringArray{L"beta", L"Beta", L"alpha", L"Alpha"}));

    EXPECT_EQ(stripSymbols(L"  Double Width  ", L" "), L"Double Width");
    EXPECT_EQ(stripSymbols(L"  x  ", L" ", StripSide::Start), L"x  ");
    EXPECT_EQ(stripSymbols(L"\"Sub.vls\"", L"\"", StripSide::End), L"\"Sub.vls");
    EXPECT_EQ(stripSymbols(L"   ", L" "), L"");
}

TEST(StringFunctions, JoinAndBuild) {
    EXPECT_EQ(appStrs(L"a", L"b"), L"ab");
    EXPECT_EQ(appStrs(L"a", L"b", L"c", L"d", L"e"), L"abcde");
    EXPECT_EQ(stringArr(L"a", L"", L"c"), (Mx_StringArray{L"a", L"", L"c"}));
    EXPECT_TRUE(isNumber(L" 1.5e3 "));
    EXPECT_FALSE(isNumber(L"gen_x"));
}

}  // namespace

#include "sectionlib/SectionSizeTemplate.h"

#include "tests/sectionlib/SectionLibTestSupport.h"

namespace {

using SizeTemplate = ScratchLibraryTest;
using Result = SectionSizeTemplate::AddResult;

Mx_StringArray row(std::initializer_list<const wchar_t*> fields) {
    Mx_StringArray out;
    for (const wchar_t* field : fields)
        out.append(field);
    return out;
}

Mx_ProfValuesTable table(const wchar_t* name, const wchar_t* image,
                         std::initializer_list<Mx_StringArray> rows) {
    Mx_ProfValuesTable out;
    out.name = name;
    out.image = image;
    out.headers =
        row({L"SysName", L"I/O", L"English", L"German", L"French", L"Dutch", L"h", L"b", L"t", L"r"});
    for (const Mx_StringArray& r : rows)
        out.rows.append(r);
    return out;
}

Mx_StringArray sysNames(const Mx_ProfValuesTable& t) {
    Mx_StringArray names;
    t.getColumn(names, 0);
    return names;
}

TEST_F(SizeTemplate, DisplayNamesKeepWhatSurroundsTheSystemNameInEachLanguage) {
    Mx_ProfValuesTable hea;
    ASSERT_TRUE(hea.readFromFile(L"HEA"));
    SectionSizeTemplate like(hea, L"200");
    EXPECT_EQ(like.prefixes(), row({L"HE ", L"IPBl ", L"HEA ", L"HEA"}));
    EXPECT_EQ(like.suffixes(), row({L" A", L"", L"", L""}));
    // HE 200 A is 190 deep and 200 wide: its name is spelled by b, not h.
    EXPECT_EQ(like.namePositions(), std::vector<int>{1});
    const Mx_String name = like.generatedName(row({L"220", L"230.0"}));
    EXPECT_EQ(name, Mx_String(L"230"));
    const Mx_StringArray added = like.buildRow(name, row({L"220", L"230"}));
    EXPECT_EQ(added, row({L"230", L"1", L"HE 230 A", L"IPBl 230", L"HEA 230", L"HEA230", L"220", L"230",
                          L"6.5", L"10.0", L"18", L"53.83", L"42.3"}));

    // A template name that is only part of a number in the display name ("1" in "IPE 100") is not cut.
    Mx_ProfValuesTable odd = table(L"X", L"1", {row({L"1", L"1", L"IPE 100", L"", L"1 X", L"X1", L"100"})});
    SectionSizeTemplate oddLike(odd, L"1");
    EXPECT_EQ(oddLike.prefixes(), row({L"IPE ", L"", L"", L"X"}));
    EXPECT_EQ(oddLike.suffixes(), row({L"", L"", L" X", L""}));
}

TEST_F(SizeTemplate, GeneratedNamesUseTheValuesThatSpellTheTemplateName) {
    Mx_ProfValuesTable angles = table(L"L", L"3",
                                      {row({L"100x50x5", L"1", L"L 100x50x5", L"L 100x50x5", L"L 100x50x5",
                                            L"L100x50x5", L"100", L"50", L"5", L"5"})});
    SectionSizeTemplate like(angles, L"100x50x5");
    // "5" is spelled by t, the first unused column that holds it, not by r.
    EXPECT_EQ(like.namePositions(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(like.generatedName(row({L"120", L" 80 ", L"8.0", L"9"})), Mx_String(L"120x80x8"));
    EXPECT_EQ(like.generatedName(row({L"120", L"80", L"7.5"})), Mx_String(L"120x80x7.5"));

    // Without a spelling template the first value names the size; an unknown template is the first row.
    Mx_ProfValuesTable codes = table(L"C", L"3", {row({L"A1", L"1", L"C A1", L"", L"", L"", L"40", L"20"})});
    SectionSizeTemplate codeLike(codes, L"nope");
    EXPECT_EQ(codeLike.templateRow(), 0);
    EXPECT_EQ(codeLike.namePositions(), std::vector<int>{0});
    EXPECT_EQ(codeLike.generatedName(row({L"45"})), Mx_String(L"45"));
    EXPECT_EQ(codeLike.displayName(0, L"45"), Mx_String(L"C 45"));
}

TEST_F(SizeTemplate, NewSizesGoBehindTheirPredecessorInNaturalOrder) {
    Mx_ProfValuesTable ipe;
    ASSERT_TRUE(ipe.readFromFile(L"IPE"));
    SectionSizeTemplate like(ipe, L"200");
    int index = -1;
    ASSERT_EQ(like.addTo(ipe, L"210", row({L"210", L"105"}), index), Result::Added);
    EXPECT_EQ(ipe.rows[index - 1][0], Mx_String(L"200"));
    EXPECT_EQ(ipe.rows[index + 1][0], Mx_String(L"220"));
    EXPECT_EQ(ipe.rows[index][7], Mx_String(L"105"));
    ASSERT_EQ(like.addTo(ipe, L"70", row({L"70"}), index), Result::Added);
    EXPECT_EQ(index, 0);
    ASSERT_EQ(like.addTo(ipe, L"700", row({L"700"}), index), Result::Added);
    EXPECT_EQ(index, ipe.rows.length() - 1);

    // Square names ("AxA") are placed among the square ones, others among all.
    Mx_ProfValuesTable tubes =
        table(L"SHS", L"3", {row({L"50x50"}), row({L"60x60"}), row({L"100x50"}), row({L"120x120"})});
    EXPECT_EQ(SectionSizeTemplate::sortedPosition(tubes, L"80x80"), 2);
    EXPECT_EQ(SectionSizeTemplate::sortedPosition(tubes, L"110x50"), 3);
    EXPECT_EQ(SectionSizeTemplate::sortedPosition(tubes, L"40x40"), 0);
    EXPECT_EQ(SectionSizeTemplate::sortedPosition(tubes, L"130x130"), 4);
    EXPECT_EQ(SectionSizeTemplate::sortedPosition(Mx_ProfValuesTable(), L"1"), 0);

    EXPECT_LT(SectionSizeTemplate::compareNames(L"80", L"100"), 0);
    EXPECT_LT(SectionSizeTemplate::compareNames(L"ipe80", L"IPE100"), 0);
    EXPECT_EQ(SectionSizeTemplate::compareNames(L"007", L"7"), 0);
    EXPECT_GT(SectionSizeTemplate::compareNames(L"100x60", L"100x50x5"), 0);
}

TEST_F(SizeTemplate, RefusedSizesLeaveTheTableAsItWas) {
    Mx_ProfValuesTable ipe;
    ASSERT_TRUE(ipe.readFromFile(L"IPE"));
    const Mx_StringArray before = sysNames(ipe);
    SectionSizeTemplate like(ipe, L"200");
    int index = -7;
    EXPECT_EQ(like.addTo(ipe, L"  ", row({}), index), Result::BadName);
    EXPECT_EQ(like.addTo(ipe, L"2\t10", row({}), index), Result::BadName);
    EXPECT_EQ(like.addTo(ipe, L"200", row({}), index), Result::NameInUse);
    Mx_ProfValuesTable lower = ipe;
    lower.rows[0][0] = L"a1";
    EXPECT_EQ(SectionSizeTemplate(lower, L"a1").addTo(lower, L"A1", row({}), index), Result::NameInUse);
    EXPECT_EQ(like.addTo(ipe, L"210", row({L"210", L"wide"}), index), Result::BadValue);
    EXPECT_EQ(sysNames(ipe), before);
    EXPECT_EQ(index, -7);
}

TEST_F(SizeTemplate, RectangularTubesNeedAnInnerValueOfZeroOrAboveTheOneBefore) {
    Mx_ProfValuesTable tubes = table(
        L"RHS", L"10", {row({L"100x50", L"1", L"RHS 100x50", L"", L"", L"", L"100", L"50", L"4", L"8"})});
    ASSERT_TRUE(SectionSizeTemplate::isRectTube(tubes));
    SectionSizeTemplate like(tubes, L"100x50");
    int index = -1;
    // The fourth value (r) against the third (t).
    EXPECT_EQ(like.addTo(tubes, L"120x60", row({L"120", L"60", L"5", L"3"}), index), Result::TubeThickness);
    EXPECT_EQ(like.addTo(tubes, L"120x60", row({L"120", L"60", L"5", L"5"}), index), Result::TubeThickness);
    EXPECT_EQ(tubes.rows.length(), 1);  // a refused size is not left behind
    EXPECT_EQ(like.addTo(tubes, L"120x60", row({L"120", L"60", L"5", L"0"}), index), Result::Added);
    EXPECT_EQ(like.addTo(tubes, L"140x60", row({L"140", L"60", L"5", L"6"}), index), Result::Added);
    EXPECT_EQ(tubes.rows.length(), 3);

    // Other shapes and pictures are not checked; "100" or "10.bmp" is not type 10.
    for (const wchar_t* image : {L"8", L"100", L"10.bmp"}) {
        tubes.image = image;
        EXPECT_FALSE(SectionSizeTemplate::isRectTube(tubes)) << Mx_String(image).toUtf8();
    }
    EXPECT_EQ(like.addTo(tubes, L"160x60", row({L"160", L"60", L"5", L"3"}), index), Result::Added);
}

}  // namespace

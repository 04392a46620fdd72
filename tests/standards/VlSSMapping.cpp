// The mapping of a sheet: the mapping file, link lookups and sorting, module-group names and the
// list of every linkable object of a macro.
#include "standards/VlSSMapping.h"

#include <gtest/gtest.h>

#include "platform/mxbase/Mx_Settings.h"
#include "standards/VlDlgStandardsData.h"
#include "tests/standards/StandardsTestSupport.h"

using standardstest::EndPlateMacro;
using standardstest::ScratchDir;

namespace {

// "¿" and "ƒ" as UTF-8, the way our own writer puts them.
const std::string kLink = "\xC2\xBF", kName = "\xC6\x92";

VlSSMapping mappingOf(std::initializer_list<VlObjectMap> links) {
    VlSSMapping mapping;
    for (const VlObjectMap& link : links) mapping.mappedObjectsWrite().append(link);
    return mapping;
}

}  // namespace

TEST(VlSSMappingLine, LinksAreReadInOrderAndBadPairsDisappear) {
    VlSSMapping mapping;
    mapping.mappedObjectsWrite().append(VlObjectMap(L"old", L"old", L"old", 1));
    const Mx_String line(("Key=W" + kName + "Plates\" Distance Width" + kLink + kLink + "NoSeparator" + kLink +
                          "Bad" + kName + "Plates Distance Width" + kLink + "Unknown" + kName +
                          "Plates\" Length X" + kLink + "R" + kName + "Bolts\" PatternNrBolts1 BoltRows")
                             .c_str());
    ASSERT_EQ(mapping.initMappingFromLine(line), Acad::eOk);
    ASSERT_EQ(mapping.mappedObjects().length(), 2);
    EXPECT_EQ(mapping.mappedObjects()[0].ssVarName, Mx_String(L"W"));
    EXPECT_EQ(mapping.mappedObjects()[1].kind, VlObjectMap::kPatternNrBolts1);

    EXPECT_EQ(mapping.initMappingFromLine(Mx_String(L"no equals sign")), Acad::eInvalidInput);
    EXPECT_EQ(mapping.mappedObjects().length(), 0);
}

TEST(VlSSMappingFile, ReadingFindsTheKeyAndKeepsADataFirstLine) {
    ScratchDir dir;
    const Mx_String sheet = dir.file("Plate.vls");
    VlSSMapping mapping;
    EXPECT_EQ(mapping.getMappingFromFile(sheet, Mx_String(L"A")), Acad::eInvalidInput);  // no file

    dir.write("Plate.map", "A=W" + kName + "Plates\" Distance Width\nB=T" + kName + "Plates\" Distance Thickness\n");
    ASSERT_EQ(mapping.getMappingFromFile(sheet, Mx_String(L"A")), Acad::eOk);  // first line is data
    ASSERT_EQ(mapping.mappedObjects().length(), 1);
    EXPECT_EQ(mapping.mappedObjects()[0].objectName, Mx_String(L"Width"));
    ASSERT_EQ(mapping.getMappingFromFile(sheet, Mx_String(L"B")), Acad::eOk);
    EXPECT_EQ(mapping.mappedObjects()[0].objectName, Mx_String(L"Thickness"));
    EXPECT_EQ(mapping.getMappingFromFile(sheet, Mx_String(L"b")), Acad::eInvalidInput);  // keys are exact

    // A file written on Windows: Windows-1252 separators.
    dir.write("Plate.map", "Mapping version 1.0\r\nC=D\x83" "Bolts\" BoltsDiameter \xBFH\x83Plates\" Distance Height\r\n");
    ASSERT_EQ(mapping.getMappingFromFile(sheet, Mx_String(L"C")), Acad::eOk);
    ASSERT_EQ(mapping.mappedObjects().length(), 2);
    EXPECT_EQ(mapping.mappedObjects()[1].objectName, Mx_String(L"Height"));

    dir.write("Plate.map", "Mapping version 1.0\n");  // no lines: success, links unchanged
    ASSERT_EQ(mapping.getMappingFromFile(sheet, Mx_String(L"Z")), Acad::eOk);
    EXPECT_EQ(mapping.mappedObjects().length(), 2);
}

TEST(VlSSMappingFile, WritingReplacesOnlyAChangedLine) {
    ScratchDir dir;
    const Mx_String sheet = dir.file("Plate.vls");
    VlSSMapping first = mappingOf({VlObjectMap(L"Plates", L"Width", L"W", 1)});
    Mx_String keyA(L"A"), keyB(L"B");
    ASSERT_EQ(first.setMappingToFile(sheet, keyA), Acad::eOk);
    VlSSMapping second = mappingOf({VlObjectMap(L"Bolts", L"", L"D", 20)});
    ASSERT_EQ(second.setMappingToFile(sheet, keyB), Acad::eOk);
    const std::string expected = "Mapping version 1.0\nA=W" + kName + "Plates\" Distance Width\nB=D" + kName +
                                 "Bolts\" BoltsDiameter \n";
    EXPECT_EQ(dir.bytes("Plate.map"), expected);

    // The same mapping again: the file is not touched at all.
    std::int64_t before = 0, after = 0;
    ASSERT_TRUE(ObjectExportGetFileTime(dir.file("Plate.map"), before));
    ASSERT_EQ(first.setMappingToFile(sheet, keyA), Acad::eOk);
    ASSERT_TRUE(ObjectExportGetFileTime(dir.file("Plate.map"), after));
    EXPECT_EQ(before, after);

    // A changed mapping moves to the end.
    first.mappedObjectsWrite()[0].objectName = L"Height";
    ASSERT_EQ(first.setMappingToFile(sheet, keyA), Acad::eOk);
    EXPECT_EQ(dir.bytes("Plate.map"), "Mapping version 1.0\nB=D" + kName + "Bolts\" BoltsDiameter \nA=W" + kName +
                                          "Plates\" Distance Height\n");

    // A removed link is a change too.
    VlSSMapping fewer;
    ASSERT_EQ(fewer.setMappingToFile(sheet, keyB), Acad::eOk);
    EXPECT_EQ(dir.bytes("Plate.map"), "Mapping version 1.0\nA=W" + kName + "Plates\" Distance Height\nB=\n");

    Mx_String found;
    EXPECT_TRUE(first.hasSameMapping(sheet, found));
    EXPECT_EQ(found, Mx_String(L"A"));
    VlSSMapping stranger = mappingOf({VlObjectMap(L"X", L"Y", L"Z", 1)});
    EXPECT_FALSE(stranger.hasSameMapping(sheet, found));
    EXPECT_FALSE(stranger.hasSameMapping(dir.file("Missing.vls"), found));
}

TEST(VlSSMappingFile, WritingLeavesOutDuplicatesAndUnsafeNames) {
    ScratchDir dir;
    VlSSMapping mapping = mappingOf({
        VlObjectMap(L"G", L"a", L"W", 1),
        VlObjectMap(L"G", L"b", L"T", 1),
        VlObjectMap(L"G", L"c", L"w", 1),   // duplicate of W (ignoring case)
        VlObjectMap(L"G", L"d", L"W", 1),   // duplicate
        VlObjectMap(L"G", L"e", L"a/b", 1), // not allowed in a file name
        VlObjectMap(L"G", L"f", L"H", 0),   // no kind
        VlObjectMap(L"G", L"g\u00BFx", L"S", 1),  // would split the line
        VlObjectMap(L"G", L"h", L"L", 2),
    });
    Mx_String key(L"K");
    ASSERT_EQ(mapping.setMappingToFile(dir.file("P.vls"), key), Acad::eOk);
    EXPECT_EQ(dir.bytes("P.map"), "Mapping version 1.0\nK=W" + kName + "G\" Distance a" + kLink + "T" + kName +
                                      "G\" Distance b" + kLink + "L" + kName + "G\" GenVar h\n");

    Mx_String badKey(L"K=2");
    EXPECT_EQ(mapping.setMappingToFile(dir.file("P.vls"), badKey), Acad::eInvalidInput);
    Mx_String anyKey(L"K");
    EXPECT_EQ(mapping.setMappingToFile(dir.file("NoFolder/P.vls"), anyKey), Acad::eInvalidInput);
}

TEST(VlSSMappingFile, SheetNamesResolveBelowTheLibrary) {
    gSettings.setLibDir(Mx_String(L"/lib/"));
    EXPECT_EQ(VlSSMapping::mappingFileName(Mx_String(L"EndPlate")), Mx_String(L"/lib/Connection Standards\\EndPlate.map"));
    EXPECT_EQ(VlSSMapping::mappingFileName(Mx_String(L"c:\\std\\EndPlate.vls")), Mx_String(L"c:\\std\\EndPlate.map"));
    gSettings.reset();
}

// A sheet named by a path below the library without its extension ("Childs\\MapChild") is the
// library's sheet, and its mapping file lies beside it, whatever the working folder.
TEST(VlSSMappingFile, SheetInALibraryFolderMapsBesideIt) {
    ScratchDir dir;
    dir.write("lib/Connection Standards/Childs/MapChild.vls", "Input\t\n");
    dir.write("lib/Connection Standards/Childs/MapChild.map", "Mapping version 1.0\nK=W" + kName + "G\" Distance w\n");
    gSettings.setLibDir(dir.file("lib/"));
    const Mx_String expected = dir.file("lib/") + L"Connection Standards\\Childs\\MapChild.map";
    EXPECT_EQ(VlSSMapping::mappingFileName(Mx_String(L"Childs\\MapChild")), expected);
    EXPECT_EQ(VlSSMapping::mappingFileName(Mx_String(L"Childs/MapChild")),
              dir.file("lib/") + L"Connection Standards\\Childs/MapChild.map");
    VlSSMapping mapping;
    ASSERT_EQ(mapping.getMappingFromFile(Mx_String(L"Childs\\MapChild"), Mx_String(L"K")), Acad::eOk);
    ASSERT_EQ(mapping.mappedObjects().length(), 1);
    EXPECT_EQ(mapping.mappedObjects()[0].ssVarName, Mx_String(L"W"));
    gSettings.reset();
}

// A pass over every variable of a large sheet looks links up through an index; it must answer as
// the search through the links does: the first link of the name (ignoring case) whose kind carries
// the type asked for.
TEST(VlSSMappingLinks, TheNameIndexAnswersAsTheSearch) {
    VlSSMapping mapping;
    for (int i = 0; i < 50; ++i)
        mapping.mappedObjectsWrite().append(VlObjectMap(L"G", L"o", Mx_String(L"V") + Mx_String(i), VlObjectMap::kDistance, 0));
    mapping.mappedObjectsWrite().append(VlObjectMap(L"G", L"p", L"Rows", VlObjectMap::kPatternNrBolts1, 0));   // 50
    mapping.mappedObjectsWrite().append(VlObjectMap(L"G", L"q", L"rows", VlObjectMap::kDistance, 0));          // 51
    mapping.mappedObjectsWrite().append(VlObjectMap(L"G", L"r", L"ROWS", VlObjectMap::kDistance, 0));          // 52
    mapping.mappedObjectsWrite().append(VlObjectMap(L"G", L"s", L"v7", VlObjectMap::kDistance, 0));            // 53
    mapping.mappedObjectsWrite().append(VlObjectMap(L"G", L"t", L"Odd", 0, 0));                                // 54: no kind
    struct Ask {
        const wchar_t* name;
        VlValueType type;
    };
    const Ask asks[] = {{L"V0", kVlDouble}, {L"v49", kVlDouble}, {L"V7", kVlDouble}, {L"Rows", kVlString},
                        {L"Rows", kVlDouble}, {L"rOwS", kVlDouble}, {L"Rows", kVlInteger}, {L"V3", kVlString},
                        {L"Odd", kVlDouble}, {L"Odd", kVlString}, {L"V50", kVlDouble}, {L"", kVlDouble}};
    std::vector<std::pair<bool, int>> searched;
    for (const Ask& ask : asks) {
        int index = -1;
        const bool found = mapping.findSSVar(Mx_String(ask.name), ask.type, index) == Acad::eOk;
        searched.emplace_back(found, found ? index : -1);
    }
    EXPECT_EQ(searched[2], std::make_pair(true, 7));
    EXPECT_EQ(searched[3], std::make_pair(true, 50));
    EXPECT_EQ(searched[4], std::make_pair(true, 51));
    const VlSSMapping::NameIndex index(mapping);
    for (std::size_t i = 0; i < std::size(asks); ++i) {
        int found = -1;
        const bool ok = mapping.findSSVar(Mx_String(asks[i].name), asks[i].type, found) == Acad::eOk;
        EXPECT_EQ(std::make_pair(ok, ok ? found : -1), searched[i]) << Mx_String(asks[i].name).toUtf8();
    }
    // A copy made meanwhile searches its own links.
    VlSSMapping copy = mapping;
    copy.mappedObjectsWrite().removeAt(7);
    int found = -1;
    ASSERT_EQ(copy.findSSVar(Mx_String(L"V7"), kVlDouble, found), Acad::eOk);
    EXPECT_EQ(found, 52);
}

TEST(VlSSMappingLinks, LookupsCompareNameTypeAndTarget) {
    const VlSSMapping mapping = mappingOf({
        VlObjectMap(L"Bolts", L"BoltRows", L"Rows", VlObjectMap::kPatternNrBolts1, 2),
        VlObjectMap(L"Bolts", L"BoltRows", L"Rev", VlObjectMap::kPatternReverseStart1, 1),
        VlObjectMap(L"Plates", L"Width", L"W", VlObjectMap::kDistance, 0),
        VlObjectMap(L"Plates", L"", L"N", VlObjectMap::kPrPlName, 3),
    });
    int index = -1;
    EXPECT_EQ(mapping.findSSVar(Mx_String(L"Rows"), kVlInteger, index), Acad::eInvalidInput);
    ASSERT_EQ(mapping.findSSVar(Mx_String(L"rows"), kVlString, index), Acad::eOk);
    EXPECT_EQ(index, 0);
    ASSERT_EQ(mapping.findSSVar(Mx_String(L"Rev"), kVlInteger, index), Acad::eOk);
    EXPECT_EQ(index, 1);
    ASSERT_EQ(mapping.findCompatible(VlObjectMap(L"plates", L"WIDTH", L"x", 1), index), Acad::eOk);
    EXPECT_EQ(index, 2);

    VlSSMapping smaller = mappingOf({VlObjectMap(L"Plates", L"Width", L"W", 1)});
    EXPECT_TRUE(smaller.isEqual(mapping));  // links of the other side are not looked at
    EXPECT_FALSE(mapping.isEqual(smaller));
    smaller.mappedObjectsWrite()[0].objectName = L"Height";
    EXPECT_FALSE(smaller.isEqual(mapping));
    int count = -1;
    EXPECT_EQ(mapping.isCompatible(smaller, count), Acad::eOk);
    EXPECT_EQ(count, 4);

    AcArray<int> numeric, strings;
    ASSERT_EQ(mapping.getValidVars(false, kVlDouble, numeric), Acad::eOk);
    ASSERT_EQ(mapping.getValidVars(true, kVlString, strings), Acad::eOk);
    ASSERT_EQ(numeric.length(), 2);
    EXPECT_EQ(numeric[0], 1);
    EXPECT_EQ(numeric[1], 2);
    ASSERT_EQ(strings.length(), 2);

    AcArray<int> all;
    for (int i : {0, 1, 2, 3}) all.append(i);
    AcArray<int> order;
    EXPECT_EQ(mapping.sortValidVars(all, order), Acad::eInvalidInput);
    order.append(1);
    order.append(0);
    ASSERT_EQ(mapping.sortValidVars(all, order), Acad::eOk);
    const int expected[] = {1, 2, 0, 3};  // class 1, class 0, then the rest in their order
    for (int i = 0; i < 4; ++i) EXPECT_EQ(all[i], expected[i]) << i;
}

class VlSSMappingMacro : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(data.initialize(&macro.macro, Mx_String(L"Sheet"), Mx_String(L"Module.Bolts"), &macro.data),
                  Acad::eOk);
        ASSERT_EQ(mapping.initFromModuleGroup(data.moduleGroup), Acad::eOk);
    }
    Acad::ErrorStatus get(const wchar_t* name, VlValueType type, Mx_String& value) {
        return mapping.getMacroVarValue(Mx_String(name), type, value, data);
    }
    Mx_String read(const wchar_t* name, VlValueType type) {
        Mx_String value;
        EXPECT_EQ(get(name, type, value), Acad::eOk) << Mx_String(name).toUtf8();
        return value;
    }
    Acad::ErrorStatus set(const wchar_t* name, VlValueType type, const wchar_t* value) {
        Mx_String text(value);
        return mapping.setMacroVarValue(Mx_String(name), type, text, data);
    }

    EndPlateMacro macro;
    VlDlgStandardsData data;
    VlSSMapping mapping;
};

TEST_F(VlSSMappingMacro, NameConventionReachesEveryObject) {
    EXPECT_EQ(read(L"gen.Clearance", kVlDouble), Mx_String(L"10.0000"));
    EXPECT_EQ(read(L"BoltRows.NrBolts1", kVlString), Mx_String(L"4"));
    EXPECT_EQ(read(L"BoltRows.NrBolts2", kVlInteger), Mx_String(L"2"));
    EXPECT_EQ(read(L"BoltRows.ReverseStart2", kVlInteger), Mx_String(L"0"));
    EXPECT_EQ(read(L"Bolt.Diameter", kVlDouble), Mx_String(L"20"));
    EXPECT_EQ(read(L"Bolt.HoleOffset", kVlDouble), Mx_String(L"2"));
    EXPECT_EQ(read(L"Gauge", kVlDouble), Mx_String(L"120"));

    ASSERT_EQ(set(L"BoltRows.ReverseStart1", kVlInteger, L"1"), Acad::eOk);
    EXPECT_EQ(read(L"BoltRows.ReverseStart1", kVlInteger), Mx_String(L"1"));
    ASSERT_EQ(set(L"gen.Clearance", kVlDouble, L"12"), Acad::eOk);
    EXPECT_EQ(read(L"gen.Clearance", kVlDouble), Mx_String(L"12.0000"));

    Mx_String value(L"kept");
    EXPECT_EQ(get(L"gen.Missing", kVlDouble, value), Acad::eInvalidInput);
    EXPECT_EQ(get(L"Gauge", kVlString, value), Acad::eInvalidInput);  // a string reaches no variable
    EXPECT_EQ(get(L"Missing", kVlDouble, value), Acad::eInvalidInput);
    EXPECT_EQ(value, Mx_String(L"kept"));

    data.moduleGroup = L"Plates";
    EXPECT_EQ(read(L"EndPlate.Name", kVlString), Mx_String(L"PL-15x200"));
    EXPECT_EQ(read(L"EndPlate.Material", kVlString), Mx_String(L"S355"));
    EXPECT_EQ(read(L"CornerChamfer.Chamfer2", kVlDouble), Mx_String(L"15"));
    EXPECT_EQ(read(L"BeamEndCut.CutLength", kVlDouble), Mx_String(L"2"));
    EXPECT_EQ(set(L"EndPlate.Name", kVlString, L"PL-20x200"), Acad::eInvalidInput);  // get only
    EXPECT_EQ(get(L"BoltRows.ReverseStart1", kVlInteger, value), Acad::eInvalidInput);  // bolt modules only
    ASSERT_EQ(set(L"BeamEndCut.Cut", kVlDouble, L"3"), Acad::eOk);
    EXPECT_EQ(read(L"BeamEndCut.Cut", kVlDouble), Mx_String(L"3"));

    data.moduleGroup = L"Stiffeners";
    EXPECT_EQ(read(L"Any.MemberName", kVlString), Mx_String(L"Column"));
    EXPECT_EQ(read(L"RootNotch.CutRadius", kVlDouble), Mx_String(L"18"));

    data.macro = nullptr;
    EXPECT_EQ(get(L"Gauge", kVlDouble, value), Acad::eInvalidInput);
}

TEST_F(VlSSMappingMacro, InitAllVarsFromMacroListsEveryObjectInOrder) {
    VlSSMapping all;
    EXPECT_EQ(all.initAllVarsFromMacro(nullptr, nullptr), Acad::eInvalidInput);
    ASSERT_EQ(all.initAllVarsFromMacro(&macro.macro, nullptr), Acad::eOk);
    const Mx_Array<VlObjectMap>& links = all.mappedObjects();
    Mx_StringArray texts;
    for (const VlObjectMap& link : links) {
        Mx_String text, ssVar;
        VlObjectMap copy = link;
        ASSERT_EQ(copy.setMappingToStrs(text, ssVar), Acad::eOk);
        texts.append(text + L"|" + Mx_String(link.varClass));
    }
    // Module by module (variables, cuts, bolts, profiles), then the base profiles; each in its order.
    const wchar_t* expected[] = {
        L"Plates\" Distance Thickness|0",
        L"Plates\" Distance TopExtension|1",
        L"Plates\" Distance WeldSize|2",
        L"Plates\" CutOffset BeamEndCut|0",
        L"Plates\" CutLengthOffset BeamEndCut|0",
        L"Plates\" CutChamferOffset2 CornerChamfer|0",
        L"Bolts\" Distance Gauge|0",
        L"Bolts\" BoltsDiameter |0",
        L"Bolts\" BoltsHoleOffset |0",
        L"Bolts\" PatternNrBolts1 BoltRows|0",
        L"Bolts\" PatternReverseStart1 BoltRows|0",
        L"Bolts\" PatternNrBolts2 BoltRows|0",
        L"Bolts\" PatternReverseStart2 BoltRows|0",
        L"Stiffeners\" CutRadius RootNotch|0",
        L"Stiffeners\" OwnedMemberName TopStiffener|0",
        L"Stiffeners\" OwnedMemberName BottomStiffener|0",
        L"\" PrPlName Prof0|0",
        L"\" PrPlMaterial Prof0|0",
        L"\" PrPlName Prof1|0",
    };
    int previous = -1;
    for (const wchar_t* text : expected) {
        const int position = texts.indexOf(Mx_String(text));
        EXPECT_GT(position, previous) << Mx_String(text).toUtf8();
        previous = position;
    }
    EXPECT_EQ(texts.indexOf(Mx_String(L"Plates\" CutRadius CornerChamfer|0")), -1);  // not offered
    // The general variables come last.
    EXPECT_EQ(texts[texts.length() - 2], Mx_String(L"\" GenVar gen_Clearance|0"));
    EXPECT_EQ(texts.last(), Mx_String(L"\" GenVar gen_BoltGrade|0"));
}

TEST(VlSSMappingInit, TypeFollowsHowTheMappingWasBuilt) {
    VlSSMapping mapping;
    EXPECT_EQ(mapping.initFromModuleGroup(Mx_String()), Acad::eInvalidInput);
    EXPECT_EQ(mapping.type, VlSSMapping::kNotSet);
    VlDlgStandardsData data;
    EXPECT_EQ(mapping.initFromMacro(data), Acad::eInvalidInput);  // no macro
    Mx_DbMacro macro;
    data.macro = &macro;
    data.moduleGroup = L"Plates";
    EXPECT_EQ(mapping.initFromMacro(data), Acad::eInvalidInput);  // module group mode
    EXPECT_EQ(mapping.initFromModuleGroup(Mx_String(L"Plates")), Acad::eOk);
    EXPECT_EQ(mapping.type, VlSSMapping::kModuleGroup);
}

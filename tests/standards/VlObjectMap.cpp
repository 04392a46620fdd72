// Mapping strings and the value exchange of one link, kind by kind.
#include "standards/VlObjectMap.h"

#include <gtest/gtest.h>

#include "standards/VlVarCell.h"
#include "tests/standards/StandardsTestSupport.h"

using standardstest::EndPlateMacro;

TEST(VlObjectMapString, ParseAndComposeEveryKind) {
    const wchar_t* keywords[] = {
        L"Distance", L"GenVar", L"CutOffset", L"CutPolyOffset", L"CutLengthOffset", L"CutCenterOffset",
        L"CutInsideOffset", L"CutOutsideOffset", L"CutChamferOffset1", L"CutChamferOffset2", L"CutRadius",
        L"PrPlName", L"PrPlMaterial", L"OwnedMemberName", L"MemberSectionSize", L"PatternNrBolts1",
        L"PatternNrBolts2", L"PatternReverseStart1", L"PatternReverseStart2", L"BoltsDiameter", L"BoltsHoleOffset"};
    for (int kind = 1; kind <= 21; ++kind) {
        const Mx_String text = Mx_String(L"Plate1\" ") + keywords[kind - 1] + L" Width";
        VlObjectMap link;
        ASSERT_EQ(link.getMappingFromStrs(Mx_String(L"W"), text), Acad::eOk) << kind;
        EXPECT_EQ(link.kind, kind);
        EXPECT_EQ(link.groupName, Mx_String(L"Plate1"));
        EXPECT_EQ(link.objectName, Mx_String(L"Width"));
        EXPECT_EQ(link.ssVarName, Mx_String(L"W"));
        Mx_String composed, ssVar;
        ASSERT_EQ(link.setMappingToStrs(composed, ssVar), Acad::eOk);
        EXPECT_EQ(composed, text);
        EXPECT_EQ(ssVar, Mx_String(L"W"));
    }
}

TEST(VlObjectMapString, OddStringsParseOrFailAsWritten) {
    struct Case {
        const wchar_t* text;
        bool parses;
        const wchar_t* group;
        int kind;
        const wchar_t* object;
    };
    const Case cases[] = {
        {L"\" GenVar gen_Clearance", true, L"", 2, L"gen_Clearance"},
        {L"Plates\"    Distance  Width", true, L"Plates", 1, L" Width"},  // only leading blanks go
        {L"Bolts\" BoltsDiameter", true, L"Bolts", 20, L""},
        {L"Prof\" MemberSectionSize Prof0;3", true, L"Prof", 15, L"Prof0;3"},
        {L"Plates Distance Width", false, L"", 0, L""},   // no double quote + blank
        {L"Plates\"Distance Width", false, L"", 0, L""},  // quote without the blank
        {L"Plates\" Length Width", false, L"", 0, L""},   // unknown keyword
        {L"", false, L"", 0, L""},
    };
    for (const Case& c : cases) {
        VlObjectMap link;
        EXPECT_EQ(link.getMappingFromStrs(Mx_String(L"v"), Mx_String(c.text)) == Acad::eOk, c.parses)
            << Mx_String(c.text).toUtf8();
        if (!c.parses) {
            EXPECT_EQ(link.kind, 0);
            continue;
        }
        EXPECT_EQ(link.groupName, Mx_String(c.group));
        EXPECT_EQ(link.kind, c.kind);
        EXPECT_EQ(link.objectName, Mx_String(c.object));
    }
    VlObjectMap none;
    Mx_String text, ssVar;
    EXPECT_EQ(none.setMappingToStrs(text, ssVar), Acad::eInvalidInput);
}

TEST(VlObjectMapString, KindsCarryTheirValueTypes) {
    VlValueType type = kVlString;
    for (int kind : {1, 2, 3, 11, 15, 20, 21}) {
        ASSERT_TRUE(VlObjectMap::kindValueType(kind, type));
        EXPECT_EQ(type, kVlDouble) << kind;
    }
    for (int kind : {12, 13, 14, 16, 17}) {
        ASSERT_TRUE(VlObjectMap::kindValueType(kind, type));
        EXPECT_EQ(type, kVlString) << kind;
    }
    for (int kind : {18, 19}) {
        ASSERT_TRUE(VlObjectMap::kindValueType(kind, type));
        EXPECT_EQ(type, kVlInteger) << kind;
    }
    EXPECT_FALSE(VlObjectMap::kindValueType(0, type));
    EXPECT_FALSE(VlObjectMap::kindValueType(22, type));
    EXPECT_EQ(VlObjectMap::kindKeyword(22), nullptr);
}

TEST(VlObjectMapString, MapFromArraysAndCompatibility) {
    const Mx_StringArray names{Mx_String(L"Width"), Mx_String(L"Rows")};
    const Mx_StringArray strings{Mx_String(L"Plates\" Distance Width")};
    VlObjectMap link;
    ASSERT_EQ(link.mapFromArrays(names, strings, VlVarCell(L"WIDTH", kVlInput, kVlDouble)), Acad::eOk);
    EXPECT_EQ(link.ssVarName, Mx_String(L"WIDTH"));
    EXPECT_EQ(link.mapFromArrays(names, strings, VlVarCell(L"Rows", kVlInput, kVlString)), Acad::eInvalidInput);
    EXPECT_EQ(link.mapFromArrays(names, strings, VlVarCell(L"Depth", kVlInput, kVlString)), Acad::eInvalidInput);

    const VlObjectMap same(L"PLATES", L"width", L"other", 1);
    EXPECT_EQ(link.isCompatible(same), Acad::eOk);
    EXPECT_EQ(link.isCompatible(VlObjectMap(L"Plates", L"Width", L"WIDTH", 3)), Acad::eInvalidInput);
    EXPECT_EQ(link.isCompatible(VlObjectMap(L"Bolts", L"Width", L"WIDTH", 1)), Acad::eInvalidInput);
}

class VlObjectMapMacro : public testing::Test {
protected:
    Acad::ErrorStatus get(const wchar_t* group, int kind, const wchar_t* object, Mx_String& value) {
        VlObjectMap link(group, object, L"v", kind);
        return link.getMacroVarValue(&macro.macro, &macro.data, value, nullptr);
    }
    Acad::ErrorStatus set(const wchar_t* group, int kind, const wchar_t* object, const wchar_t* value) {
        VlObjectMap link(group, object, L"v", kind);
        Mx_String text(value);
        return link.setMacroVarValue(&macro.macro, &macro.data, text, nullptr);
    }
    Mx_String read(const wchar_t* group, int kind, const wchar_t* object) {
        Mx_String value;
        EXPECT_EQ(get(group, kind, object, value), Acad::eOk) << kind;
        return value;
    }

    EndPlateMacro macro;
};

TEST_F(VlObjectMapMacro, ModuleKindsReadAndWrite) {
    EXPECT_EQ(read(L"Plates", 1, L"Thickness"), Mx_String(L"15"));
    EXPECT_EQ(read(L"Plates", 9, L"CornerChamfer"), Mx_String(L"15"));  // chamfer offset 1
    EXPECT_EQ(read(L"Bolts", 20, L""), Mx_String(L"20"));
    EXPECT_EQ(read(L"Bolts", 21, L""), Mx_String(L"2"));
    EXPECT_EQ(read(L"Bolts", 16, L"BoltRows"), Mx_String(L"4"));
    EXPECT_EQ(read(L"Bolts", 17, L"BoltRows"), Mx_String(L"2"));
    EXPECT_EQ(read(L"Bolts", 18, L"BoltRows"), Mx_String(L"0"));
    EXPECT_EQ(read(L"Stiffeners", 14, L"TopStiffener"), Mx_String(L"Column"));

    ASSERT_EQ(set(L"Plates", 1, L"Height", L"400"), Acad::eOk);  // a flexible variable is fixed first
    EXPECT_EQ(read(L"Plates", 1, L"Height"), Mx_String(L"400"));
    bool fixed = false, linked = true;
    const MacroTabData* tab = nullptr;
    ASSERT_EQ(macro.data.findTab(Mx_String(L"Plates"), tab), Acad::eOk);
    ASSERT_EQ(tab->getFlexFixBtnStatus(Mx_String(L"Height"), fixed, linked), Acad::eOk);
    EXPECT_TRUE(fixed && !linked);

    ASSERT_EQ(set(L"Bolts", 19, L"BoltRows", L"1"), Acad::eOk);
    EXPECT_EQ(read(L"Bolts", 19, L"BoltRows"), Mx_String(L"1"));
    ASSERT_EQ(set(L"Bolts", 19, L"BoltRows", L"true"), Acad::eOk);  // only "1" counts as true
    EXPECT_EQ(read(L"Bolts", 19, L"BoltRows"), Mx_String(L"0"));
    ASSERT_EQ(set(L"Bolts", 20, L"", L"24"), Acad::eOk);
    EXPECT_EQ(read(L"Bolts", 20, L""), Mx_String(L"24"));
    ASSERT_EQ(set(L"Stiffeners", 14, L"", L"Beam"), Acad::eOk);
    EXPECT_EQ(read(L"Stiffeners", 14, L""), Mx_String(L"Beam"));
    ASSERT_EQ(set(L"Plates", 3, L"BeamEndCut", L"5"), Acad::eOk);
    EXPECT_EQ(read(L"Plates", 3, L"BeamEndCut"), Mx_String(L"5"));
}

TEST_F(VlObjectMapMacro, LinksThatReachNothingFailAndLeaveTheValue) {
    Mx_String value(L"kept");
    EXPECT_EQ(get(L"Plates", 1, L"NoSuchVariable", value), Acad::eInvalidInput);
    EXPECT_EQ(get(L"NoGroup", 1, L"Thickness", value), Acad::eInvalidInput);
    EXPECT_EQ(get(L"Plates", 11, L"CornerChamfer", value), Acad::eInvalidInput);  // radius not offered
    EXPECT_EQ(get(L"Plates", 20, L"", value), Acad::eInvalidInput);               // not a bolt tab
    EXPECT_EQ(value, Mx_String(L"kept"));
    EXPECT_EQ(set(L"Plates", 1, L"Thickness", L"thick"), Acad::eInvalidInput);
    EXPECT_EQ(read(L"Plates", 1, L"Thickness"), Mx_String(L"15"));

    VlObjectMap link(L"Plates", L"Thickness", L"v", 1);
    EXPECT_EQ(link.getMacroVarValue(nullptr, &macro.data, value, nullptr), Acad::eInvalidInput);
    // Without the dialog data no module has its page, so nothing is reached.
    EXPECT_EQ(link.getMacroVarValue(&macro.macro, nullptr, value, nullptr), Acad::eInvalidInput);
}

TEST_F(VlObjectMapMacro, MacroLevelKinds) {
    EXPECT_EQ(read(L"", 2, L"gen_Clearance"), Mx_String(L"10.00000000"));
    ASSERT_EQ(set(L"", 2, L"gen_Clearance", L"12.5"), Acad::eOk);
    EXPECT_EQ(read(L"", 2, L"gen_Clearance"), Mx_String(L"12.50000000"));
    EXPECT_EQ(set(L"", 2, L"gen_Clearance", L"wide"), Acad::eInvalidInput);

    EXPECT_EQ(read(L"", 12, L"Prof0"), Mx_String(L"HEB-200"));
    EXPECT_EQ(read(L"", 12, L"Prof1"), Mx_String(L"IPE-300"));
    EXPECT_EQ(read(L"", 13, L"Prof1"), Mx_String(L"S235"));
    Mx_String value;
    EXPECT_EQ(get(L"", 12, L"Prof2", value), Acad::eInvalidInput);
    EXPECT_EQ(get(L"", 12, L"Column", value), Acad::eInvalidInput);
    EXPECT_EQ(set(L"", 12, L"Prof0", L"IPE-100"), Acad::eInvalidInput);  // read only
    EXPECT_EQ(get(L"", 15, L"Prof0", value), Acad::eInvalidInput);      // no field
}

// The core's cut data over a real drawing: default parameters, names in use, the variable-name rule,
// and the cuts on a profile (removal written into the macro file, previews kept and logged).
#include "platform/mxbase/MacroCutsData.h"

#include <gtest/gtest.h>

#include "MacroDlgTestSupport.h"

namespace {

using CutsData = MacroDrawingTest;

DlgMacroCutsData withNames(std::initializer_list<Mx_String> names) {
    DlgMacroCutsData data;
    data.paramNames = Mx_StringArray(names);
    return data;
}

}  // namespace

TEST(MacroCutsDefaults, EveryKindHasParametersAndAnUnknownKindHasNone) {
    Mx_StringArray names;
    AcArray<double> values;
    AcArray<int> flags;
    for (int kind = 0; kind < DlgMacroCutsData::kKindCount; ++kind) {
        ASSERT_TRUE(DlgMacroCutsData::GetDefaultValues(kind, names, values, flags)) << kind;
        EXPECT_FALSE(names.isEmpty());
        EXPECT_EQ(values.length(), names.length());
        EXPECT_EQ(flags.length(), names.length());
        EXPECT_TRUE(withNames({}).AreVarNamesValid());
        DlgMacroCutsData data;
        data.paramNames = names;
        EXPECT_TRUE(data.AreVarNamesValid()) << "the defaults pass the rule, kind " << kind;
    }
    EXPECT_TRUE(DlgMacroCutsData::GetDefaultValues(DlgMacroCutsData::kFillet, names, values, flags));
    EXPECT_EQ(names, (Mx_StringArray{L"Radius"}));
    for (int kind : {-1, DlgMacroCutsData::kKindCount}) {
        EXPECT_FALSE(DlgMacroCutsData::GetDefaultValues(kind, names, values, flags));
        EXPECT_TRUE(names.isEmpty() && values.isEmpty() && flags.isEmpty()) << "emptied, not left stale";
    }
}

TEST(MacroCutsNames, ParameterNamesFollowTheVariableRule) {
    const struct {
        std::initializer_list<Mx_String> names;
        bool valid;
    } cases[] = {
        {{L"Offset", L"Gap_2"}, true},
        {{L"_inner"}, true},
        {{L"generic"}, true},  // "gen" alone is no prefix of general variables
        {{L"gen_Offset"}, false},
        {{L"GEN_offset"}, false},
        {{L""}, false},
        {{L"2nd"}, false},
        {{L"end gap"}, false},
        {{L"Offset-1"}, false},
        {{L"Maß"}, false},
        {{L"Offset", L"offset"}, false},  // the same variable, ignoring case
    };
    for (const auto& c : cases) {
        const DlgMacroCutsData data = withNames(c.names);
        EXPECT_EQ(data.AreVarNamesValid(), c.valid) << Mx_String(data.paramNames[0]).toUtf8();
    }
}

TEST_F(CutsData, NamesInUseAreLookedUpInTheListedMacrosOnly) {
    copyEndPlate("Other.json");
    ASSERT_EQ(MacroDrawing::active().open(Mx_String(dir_.wstring())), Acad::eOk);
    DlgMacroCutsData data;
    EXPECT_FALSE(data.CutNameInUse(L"BeamEndCut")) << "no macros listed";
    data.macros.ids.append(AcDbObjectId(2));
    EXPECT_TRUE(data.CutNameInUse(L"rootnotch")) << "in any module, ignoring case";
    EXPECT_FALSE(data.CutNameInUse(L"TopCope"));
    MacroDrawing::active().erase(AcDbObjectId(2));
    EXPECT_FALSE(data.CutNameInUse(L"RootNotch")) << "an erased macro has no cuts";
}

TEST_F(CutsData, UserSelectMacroTakesOnlyAPickOfMacrosInTheDrawing) {
    ASSERT_EQ(MacroDrawing::active().open(Mx_String((dir_ / "EndPlate.json").wstring())), Acad::eOk);
    MacrosInDlgData macros;
    EXPECT_FALSE(macros.UserSelectMacro());
    AcArray<AcDbObjectId> picked;
    picked.append(AcDbObjectId(1));
    picked.append(AcDbObjectId(7));
    MacroDrawing::active().setNextPick(picked);
    EXPECT_FALSE(macros.UserSelectMacro());
    EXPECT_TRUE(macros.ids.isEmpty());
    EXPECT_TRUE(logHas(L"UserSelectMacro -> object 7 not in the drawing"));
    picked.removeAt(1);
    MacroDrawing::active().setNextPick(picked);
    EXPECT_TRUE(macros.UserSelectMacro());
    EXPECT_EQ(macros.names, (Mx_StringArray{L"EndPlateBeamToColumn"}));
}

TEST_F(CutsData, ARemovedCutLeavesTheFileAndAFailedWriteKeepsIt) {
    ASSERT_EQ(MacroDrawing::active().open(Mx_String((dir_ / "EndPlate.json").wstring())), Acad::eOk);
    DlgProfCutsData data;
    data.profileId = AcDbObjectId(1);  // no name: the macro's first named profile, the end plate
    Mx_StringArray descs;
    ASSERT_TRUE(data.getCutDescs(descs));
    EXPECT_EQ(descs, (Mx_StringArray{L"BeamEndCut (Plane)", L"CornerChamfer (Chamfer)"}));
    EXPECT_FALSE(data.removeCut(2));
    EXPECT_FALSE(data.removeCut(-1));

    // A file that cannot be replaced: the folder is read-only.
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const bool writable = std::ofstream(dir_ / "probe").good();  // root writes anyway
    if (!writable) {
        EXPECT_FALSE(data.removeCut(0));
        data.getCutDescs(descs);
        EXPECT_EQ(descs.length(), 2) << "the drawing keeps the cut its file still has";
    }
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    std::filesystem::remove(dir_ / "probe");

    EXPECT_TRUE(data.removeCut(0));
    EXPECT_EQ(onDisk().find("BeamEndCut"), std::string::npos);
    EXPECT_NE(onDisk().find("CornerChamfer"), std::string::npos);
    ASSERT_EQ(MacroDrawing::active().open(Mx_String((dir_ / "EndPlate.json").wstring())), Acad::eOk);
    data.getCutDescs(descs);
    EXPECT_EQ(descs, (Mx_StringArray{L"CornerChamfer (Chamfer)"})) << "read back from the file";
}

TEST_F(CutsData, PreviewsAreRemovedOnceAndAllOfThemAtTheEnd) {
    ASSERT_EQ(MacroDrawing::active().open(Mx_String((dir_ / "EndPlate.json").wstring())), Acad::eOk);
    DlgProfCutsData data;
    data.profileId = AcDbObjectId(1);
    data.profileName = L"EndPlate";
    EXPECT_TRUE(data.drawCutPreview(0));
    EXPECT_TRUE(data.drawCutPreview(1));
    EXPECT_TRUE(data.drawCutPreview(1));
    EXPECT_EQ(data.previewCount(), 2) << "drawn once each";
    EXPECT_FALSE(data.drawCutPreview(5));
    EXPECT_TRUE(data.removeCutPreview(0));
    EXPECT_FALSE(data.removeCutPreview(0)) << "not drawn any more";
    data.removeAllCutPreviews();
    EXPECT_EQ(data.previewCount(), 0);
    EXPECT_TRUE(logHas(L"removeCutPreview 1 EndPlate/CornerChamfer\n"));

    MacroDrawing::active().setNextProfilePick(AcDbObjectId(1), L"NoSuchProfile");
    EXPECT_FALSE(data.selectOtherProf());
    EXPECT_EQ(data.profileName, L"EndPlate");
}

// The get/set families of the macro model that the standards mapping relies on.
#include <gtest/gtest.h>

#include <limits>
#include <utility>  // std::as_const

#include "platform/arx/AcTransaction.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"

namespace {

Mx_Module boltModule() {
    Mx_Module module(L"Bolts", L"Plates", Mx_ModuleKind::Bolt);
    MacroBoltPattern rows;
    rows.name = L"Rows";
    rows.nrBolts1 = L"3";
    rows.twoDirections = false;
    EXPECT_EQ(module.addPattern(rows), Acad::eOk);
    MacroBoltPattern grid;
    grid.name = L"Grid";
    grid.twoDirections = true;
    EXPECT_EQ(module.addPattern(grid), Acad::eOk);
    return module;
}

TEST(MacroModule, ConstraintVariablesExchangeExactTextAndRefuseNonNumbers) {
    Mx_Module module(L"EndPlate", L"Plates", Mx_ModuleKind::General);
    ASSERT_EQ(module.addVariable({L"Thickness", 15.0, true, true}), Acad::eOk);
    EXPECT_EQ(module.addVariable({L"THICKNESS", 1.0, true, true}), Acad::eDuplicateKey);

    Mx_String value;
    ASSERT_EQ(module.getSetConstrVarValue(L"thickness", value, Mx_Access::Get), Acad::eOk);
    EXPECT_EQ(value, L"15");

    value = L" 0.1 ";
    ASSERT_EQ(module.getSetConstrVarValue(L"Thickness", value, Mx_Access::Set), Acad::eOk);
    ASSERT_EQ(module.getSetConstrVarValue(L"Thickness", value, Mx_Access::Get), Acad::eOk);
    EXPECT_EQ(value, L"0.1");

    for (const wchar_t* bad : {L"", L"abc", L"12mm", L"1,5"}) {
        value = bad;
        EXPECT_EQ(module.getSetConstrVarValue(L"Thickness", value, Mx_Access::Set), Acad::eInvalidInput)
            << bad;
    }
    double number = 0;
    ASSERT_EQ(module.getConstrVarValue(L"Thickness", number), Acad::eOk);
    EXPECT_DOUBLE_EQ(number, 0.1);

    value = L"unchanged";
    EXPECT_EQ(module.getSetConstrVarValue(L"Missing", value, Mx_Access::Get), Acad::eKeyNotFound);
    EXPECT_EQ(value, L"unchanged");
}

TEST(MacroModule, DialogVariablesCarryTheirTwoFlags) {
    Mx_Module module(L"M", L"", Mx_ModuleKind::General);
    module.addVariable({L"Both", 1, true, true});
    module.addVariable({L"ShownOnly", 1, true, false});
    module.addVariable({L"EditOnly", 1, false, true});
    module.addVariable({L"Neither", 1, false, false});
    Mx_StringArray names;
    AcArray<int> visible, editable;
    ASSERT_EQ(module.getDialogVariables(names, visible, editable), Acad::eOk);
    ASSERT_EQ(names.length(), 4);
    EXPECT_EQ(names[2], L"EditOnly");
    EXPECT_EQ(visible[2], 0);
    EXPECT_EQ(editable[2], 1);
    EXPECT_EQ(visible[0] + editable[0], 2);
    EXPECT_EQ(module.groupOrName(), L"M");
}

TEST(MacroModule, CutValuesByIndexOnlyWhereTheCutOffersThem) {
    Mx_Module module(L"M", L"", Mx_ModuleKind::General);
    MacroCut cut;
    cut.name = L"Notch";
    cut.setValue(kCutOffset, 5);
    cut.setValue(kCutRadius, 12.5);
    ASSERT_EQ(module.addCut(cut), Acad::eOk);

    AcArray<int> offsets;
    ASSERT_EQ(module.getCutOffsets(L"notch", offsets), Acad::eOk);
    ASSERT_EQ(offsets.length(), 2);
    EXPECT_EQ(offsets[0], kCutOffset);
    EXPECT_EQ(offsets[1], kCutRadius);

    MacroCut* found = nullptr;
    ASSERT_EQ(module.getCutConstraint(L"NOTCH", found), Acad::eOk);
    Mx_String value;
    for (int i = 0; i < kCutValueCount; ++i) {
        Acad::ErrorStatus expected = (i == kCutOffset || i == kCutRadius) ? Acad::eOk : Acad::eNotApplicable;
        EXPECT_EQ(found->getSetCutValue(static_cast<VlCutOffsetType>(i), value, Mx_Access::Get), expected)
            << i;
    }
    value = L"20";
    EXPECT_EQ(module.getSetCutValue(L"Notch", kCutRadius, value, Mx_Access::Set), Acad::eOk);
    EXPECT_EQ(module.getSetCutValue(L"Notch", kCutChamferOffset1, value, Mx_Access::Set),
              Acad::eNotApplicable);
    EXPECT_EQ(found->getSetCutValue(static_cast<VlCutOffsetType>(9), value, Mx_Access::Get),
              Acad::eInvalidIndex);
    EXPECT_EQ(found->getSetCutValue(static_cast<VlCutOffsetType>(-1), value, Mx_Access::Get),
              Acad::eInvalidIndex);
    ASSERT_EQ(module.getSetCutValue(L"Notch", kCutRadius, value, Mx_Access::Get), Acad::eOk);
    EXPECT_EQ(value, L"20");
    EXPECT_EQ(module.getSetCutValue(L"Other", kCutRadius, value, Mx_Access::Get), Acad::eKeyNotFound);
}

TEST(MacroModule, PatternCountsAndReverseFlags) {
    Mx_Module module = boltModule();
    AcArray<int> ids;
    ASSERT_EQ(module.getPatternIds(ids), Acad::eOk);
    ASSERT_EQ(ids.length(), 2);
    EXPECT_NE(ids[0], ids[1]);  // ids were handed out

    Mx_String count;
    ASSERT_EQ(module.getSetNrBolts(L"rows", 1, count, Mx_Access::Get), Acad::eOk);
    EXPECT_EQ(count, L"3");
    count = L"5";
    EXPECT_EQ(module.getSetNrBolts(L"Rows", 1, count, Mx_Access::Set), Acad::eOk);
    EXPECT_EQ(module.getSetNrBolts(L"Rows", 2, count, Mx_Access::Set),
              Acad::eNotApplicable);  // one direction
    EXPECT_EQ(module.getSetNrBolts(L"Grid", 2, count, Mx_Access::Set), Acad::eOk);
    EXPECT_EQ(module.getSetNrBolts(L"Grid", 3, count, Mx_Access::Get), Acad::eInvalidIndex);
    count = L"";
    EXPECT_EQ(module.getSetNrBolts(L"Grid", 1, count, Mx_Access::Set), Acad::eInvalidInput);
    count = L"2\n3";
    EXPECT_EQ(module.getSetNrBolts(L"Grid", 1, count, Mx_Access::Set), Acad::eInvalidInput);

    int id = 0;
    ASSERT_EQ(module.findPattern(L"GRID", id), Acad::eOk);
    bool r1 = true, r2 = false;
    ASSERT_EQ(module.getSetBoltPatternReverses(id, r1, r2, Mx_Access::Set), Acad::eOk);
    bool g1 = false, g2 = true;
    ASSERT_EQ(module.getSetBoltPatternReverses(id, g1, g2, Mx_Access::Get), Acad::eOk);
    EXPECT_TRUE(g1);
    EXPECT_FALSE(g2);
    EXPECT_EQ(module.getSetBoltPatternReverses(999, g1, g2, Mx_Access::Get), Acad::eKeyNotFound);

    EXPECT_EQ(MacroBoltPattern::getCount(L"4"), 4);
    EXPECT_EQ(MacroBoltPattern::getCount(L"3*75"), -1);
    EXPECT_EQ(MacroBoltPattern::getCount(L"-1"), -1);
}

TEST(MacroModule, PatternsBelongToBoltModulesOnly) {
    Mx_Module plain(L"P", L"", Mx_ModuleKind::General);
    MacroBoltPattern p;
    p.name = L"X";
    EXPECT_EQ(plain.addPattern(p), Acad::eNotApplicable);
    int id = 0;
    EXPECT_EQ(plain.findPattern(L"X", id), Acad::eNotApplicable);
    Mx_Module bolts(L"B", L"", Mx_ModuleKind::Bolt);
    p.id = 7;
    ASSERT_EQ(bolts.addPattern(p), Acad::eOk);
    MacroBoltPattern q;
    q.name = L"Y";
    q.id = 7;
    EXPECT_EQ(bolts.addPattern(q), Acad::eDuplicateKey);
}

TEST(MacroModule, NewPatternsTakeTheNextIdOrTheLowestFreeAfterTheLargest) {
    Mx_Module module(L"Bolts", L"Plates", Mx_ModuleKind::Bolt);
    MacroBoltPattern pattern;
    pattern.name = L"Given";
    pattern.id = 7;
    ASSERT_EQ(module.addPattern(pattern), Acad::eOk);
    pattern.name = L"Next";
    pattern.id = 0;
    ASSERT_EQ(module.addPattern(pattern), Acad::eOk);
    pattern.name = L"Largest";
    pattern.id = std::numeric_limits<int>::max();
    ASSERT_EQ(module.addPattern(pattern), Acad::eOk);
    // No id past the largest there is: the lowest one free instead.
    for (const wchar_t* name : {L"Free1", L"Free2"}) {
        pattern.name = name;
        pattern.id = 0;
        ASSERT_EQ(module.addPattern(pattern), Acad::eOk);
    }
    AcArray<int> ids;
    ASSERT_EQ(module.getPatternIds(ids), Acad::eOk);
    ASSERT_EQ(ids.length(), 5);
    EXPECT_EQ(ids[0], 7);
    EXPECT_EQ(ids[1], 8);
    EXPECT_EQ(ids[2], std::numeric_limits<int>::max());
    EXPECT_EQ(ids[3], 1);
    EXPECT_EQ(ids[4], 2);
}

TEST(MacroModule, NamedPlatesAndProfiles) {
    Mx_Module module(L"M", L"", Mx_ModuleKind::Profile);
    ASSERT_EQ(module.addProfile({L"EndPlate", L"PL-15x200", L"S355", true}), Acad::eOk);
    ASSERT_EQ(module.addProfile({L"", L"PL-10x95", L"S235", true}), Acad::eOk);
    ASSERT_EQ(module.addProfile({L"", L"PL-10x95", L"S235", true}), Acad::eOk);  // unnamed may repeat
    EXPECT_EQ(module.addProfile({L"endplate", L"x", L"y", true}), Acad::eDuplicateKey);
    Mx_String section, material;
    ASSERT_EQ(module.getNamedPrpl(L"ENDPLATE", section, material), Acad::eOk);
    EXPECT_EQ(section, L"PL-15x200");
    EXPECT_EQ(material, L"S355");
    EXPECT_EQ(module.getNamedPrpl(L"", section, material), Acad::eKeyNotFound);
    Mx_StringArray names;
    module.getProfileNames(names);
    EXPECT_EQ(names, Mx_StringArray({L"EndPlate"}));
}

TEST(MacroMacro, ModulesByGroupAndGeneralVariables) {
    Mx_Macro macro(L"M");
    ASSERT_EQ(macro.addModule(Mx_Module(L"A", L"Plates", Mx_ModuleKind::General)), Acad::eOk);
    ASSERT_EQ(macro.addModule(Mx_Module(L"B", L"", Mx_ModuleKind::General)), Acad::eOk);
    ASSERT_EQ(macro.addModule(Mx_Module(L"C", L"plates", Mx_ModuleKind::Bolt)), Acad::eOk);
    EXPECT_EQ(macro.addModule(Mx_Module(L"a", L"", Mx_ModuleKind::General)), Acad::eDuplicateKey);

    Mx_StringArray names;
    ASSERT_EQ(macro.getModNamesOfGroup(L"PLATES", names), Acad::eOk);
    EXPECT_EQ(names, Mx_StringArray({L"A", L"C"}));
    ASSERT_EQ(macro.getModNamesOfGroup(L"B", names), Acad::eOk);  // no group: addressed by its name
    EXPECT_EQ(names, Mx_StringArray({L"B"}));
    EXPECT_EQ(macro.getModNamesOfGroup(L"Nothing", names), Acad::eKeyNotFound);
    Mx_Module* module = nullptr;
    ASSERT_EQ(macro.findModuleWrite(L"c", module), Acad::eOk);
    EXPECT_TRUE(module->isBoltModule());

    EXPECT_EQ(macro.addGenVar({L"Clearance", 1}), Acad::eInvalidInput);
    EXPECT_EQ(macro.addGenVar({L"gen_", 1}), Acad::eInvalidInput);
    ASSERT_EQ(macro.addGenVar({L"gen_Clearance", 10}), Acad::eOk);
    Mx_String text;
    ASSERT_EQ(macro.getGenVarValue(L"gen_clearance", text, 4), Acad::eOk);
    EXPECT_EQ(text, L"10.0000");
    ASSERT_EQ(macro.setGenVarValue(L"gen_Clearance", Mx_String(L"12.5")), Acad::eOk);
    EXPECT_EQ(macro.setGenVarValue(L"gen_Clearance", Mx_String(L"wide")), Acad::eInvalidInput);
    EXPECT_EQ(macro.setGenVarValue(L"gen_Other", 1.0), Acad::eKeyNotFound);
    ASSERT_EQ(macro.getGenVarValue(L"gen_Clearance", text, 8), Acad::eOk);
    EXPECT_EQ(text, L"12.50000000");
}

TEST(MacroMacro, BaseProfileSections) {
    Mx_Macro macro;
    macro.addBaseProf({L"HEB-200", L"S355"});
    macro.addBaseProf({L"", L""});
    const MacroBaseProfile* prof = nullptr;
    ASSERT_EQ(macro.getBaseProf(0, prof), Acad::eOk);
    Mx_String section;
    ASSERT_EQ(prof->getSectionName(section), Acad::eOk);
    EXPECT_EQ(section, L"HEB-200");
    ASSERT_EQ(macro.getBaseProf(1, prof), Acad::eOk);
    EXPECT_EQ(prof->getSectionName(section), Acad::eInvalidInput);
    EXPECT_EQ(macro.getBaseProf(2, prof), Acad::eInvalidIndex);
    EXPECT_EQ(macro.getBaseProf(-1, prof), Acad::eInvalidIndex);
}

TEST(MacroTabData, FlexFixButtonsSwitchSoAWrittenValueStays) {
    MacroTabData tab(L"Plates", MacroTabData::kGeneral);
    ASSERT_EQ(tab.addFlexFixButton({L"Plates", L"Height", false, false}), Acad::eOk);
    ASSERT_EQ(tab.addFlexFixButton({L"Plates", L"Width", true, true}), Acad::eOk);
    bool fixed = false, linked = false;
    ASSERT_EQ(tab.getFlexFixBtnStatus(L"height", fixed, linked), Acad::eOk);
    EXPECT_FALSE(fixed);
    // What the mapping does before a write: switch a button that would not keep the value.
    EXPECT_TRUE(tab.flexFixBtnClicked(L"Plates", L"Height", false));
    EXPECT_TRUE(tab.flexFixBtnClicked(L"", L"Width", false));
    for (const wchar_t* variable : {L"Height", L"Width"}) {
        ASSERT_EQ(tab.getFlexFixBtnStatus(variable, fixed, linked), Acad::eOk);
        EXPECT_TRUE(fixed && !linked) << variable;
    }
    EXPECT_TRUE(tab.flexFixBtnClicked(L"Plates", L"Width", true));  // back to flexible
    tab.getFlexFixBtnStatus(L"Width", fixed, linked);
    EXPECT_FALSE(fixed);
    EXPECT_FALSE(tab.flexFixBtnClicked(L"Other", L"Width", false));
    EXPECT_FALSE(tab.hasBtnFlexFix(L"Thickness"));
    EXPECT_EQ(tab.getFlexFixBtnStatus(L"Thickness", fixed, linked), Acad::eKeyNotFound);
}

TEST(MacroTabData, BoltDataOnlyOnBoltTabsAndMergedProperties) {
    MacroTabData general(L"Plates", MacroTabData::kGeneral);
    MacroBoltData* bolts = nullptr;
    EXPECT_EQ(general.getBoltData(bolts), Acad::eNotApplicable);
    EXPECT_EQ(bolts, nullptr);

    MacroTabData boltTab(L"Bolts", MacroTabData::kBolt);
    ASSERT_EQ(boltTab.getBoltData(bolts), Acad::eOk);
    bolts->diameter = L"24";
    bolts->holeOffset = L"3";
    const MacroBoltData* read = nullptr;
    ASSERT_EQ(std::as_const(boltTab).getBoltData(read), Acad::eOk);
    EXPECT_EQ(read->diameter, L"24");

    MacroTabData profiles(L"Beam", MacroTabData::kProfile);
    ASSERT_EQ(profiles.addProfGroup({L"Beam", L"IPE-300", L"S235", L"B1"}), Acad::eOk);
    MacroProfData props;
    ASSERT_EQ(profiles.getMergedPropsOfGroup(L"", props), Acad::eOk);  // empty: the first group
    EXPECT_EQ(props.ownedMemberName, L"B1");
    props.ownedMemberName = L"Rafter";
    props.group = L"Renamed";
    ASSERT_EQ(profiles.setMergedPropsOfGroup(L"beam", props), Acad::eOk);
    ASSERT_EQ(profiles.getMergedPropsOfGroup(L"Beam", props), Acad::eOk);
    EXPECT_EQ(props.ownedMemberName, L"Rafter");
    EXPECT_EQ(props.group, L"Beam");  // the group keeps its name
    EXPECT_EQ(profiles.getMergedPropsOfGroup(L"Column", props), Acad::eKeyNotFound);

    MacroData data;
    ASSERT_EQ(data.addTab(boltTab), Acad::eOk);
    EXPECT_EQ(data.addTab(MacroTabData(L"BOLTS", 0)), Acad::eDuplicateKey);
    MacroTabData* found = nullptr;
    ASSERT_EQ(data.findTab(L"bolts", found), Acad::eOk);
    EXPECT_TRUE(found->isBoltTab());
    EXPECT_EQ(data.findTab(L"Nothing", found), Acad::eKeyNotFound);
}

TEST(MacroDbMacro, WriteAccessNeedsALiveObjectAndAnOpenTransaction) {
    Mx_DbMacro db(Mx_Macro(L"M"));
    EXPECT_FALSE(db.isModified());
    AcTransaction transaction;
    ASSERT_NE(db.macroWrite(&transaction), nullptr);
    EXPECT_TRUE(db.isModified());
    EXPECT_EQ(transaction.numOpenedObjects(), 1);
    transaction.commit();
    EXPECT_EQ(db.macroWrite(&transaction), nullptr);
    EXPECT_EQ(db.macroRead(&transaction), nullptr);
    db.erase();
    EXPECT_EQ(db.macroWrite(), nullptr);
}

}  // namespace

TEST(MacroTabData, PatternsArraysAndSegmentsAreDifferencesButTheirPageControlsAreNot) {
    MacroTabData before(L"Bolts", MacroTabData::kBolt);
    MacroPatternProps rows;
    rows.pattern.name = L"BoltRows";
    rows.pattern.nrBolts1 = L"4";
    before.patternsWrite().append(rows);
    before.arraysWrite().append(DynArrayData{L"Ribs", 1, 0});
    MacroTabData after = before;
    after.patternsWrite()[0].ctrlIds[0] = 33004;  // shown by a designed field now
    after.arraysWrite()[0].ctrlId = -3;
    Mx_StringArray names;
    AcArray<int> changed, removed;
    after.differences(before, names, changed, removed);
    EXPECT_TRUE(changed.isEmpty());

    MacroPatternProps more = after.patterns()[0];
    more.pattern.nrBolts1 = L"5";
    more.ctrlIds[0] = 0;
    EXPECT_TRUE(after.setPattern(0, more));
    EXPECT_EQ(after.patterns()[0].ctrlIds[0], 33004) << "the pattern's controls stay";
    EXPECT_FALSE(after.setPattern(1, more));
    Mx_Array<MacroProfSegmentedData> segments;
    segments.append(MacroProfSegmentedData{L"Curve"});
    after.setSegments(segments);
    after.differences(before, names, changed, removed);
    ASSERT_EQ(changed.length(), 2);
    EXPECT_EQ(changed[0], MacroTabData::kPatternsChanged);
    EXPECT_EQ(changed[1], MacroTabData::kSegmentsChanged);
    EXPECT_EQ(names[0], L"patterns");

    after.removeAllDlgReferences();
    EXPECT_EQ(after.patterns()[0].ctrlIds[0], 0);
    EXPECT_EQ(after.arrays()[0].ctrlId, 0);
    EXPECT_EQ(after.findPattern(L"boltrows"), &after.patternsWrite()[0]);
}

#include "platform/mxbase/MacroDrawing.h"

#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/mxbase/ClashCheck.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroPropertyFile.h"
#include "platform/mxbase/Mx_DbMacro.h"

namespace {

const std::filesystem::path kEndPlate =
    std::filesystem::path(CONNSHEET_SOURCE_DIR) / "examples/library/Macros/EndPlateBeamToColumn.json";

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("connsheet-drawing-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        std::filesystem::copy_file(kEndPlate, dir_ / "a.json");
    }
    void TearDown() override {
        MacroDrawing::active().close();
        MacroDrawing::active().clearLog();
        std::filesystem::remove_all(dir_);
    }
    MacroData openFolder() {
        EXPECT_EQ(drawing().open(Mx_String(dir_.wstring())), Acad::eOk);
        MacroData data;
        drawing().initMacroData(drawing().objectIds(), data);
        return data;
    }
    static MacroDrawing& drawing() { return MacroDrawing::active(); }
    std::string onDisk(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static MacroTabData& tab(MacroData& data, const wchar_t* name) {
        MacroTabData* found = nullptr;
        data.findTab(name, found);
        return *found;
    }
    static double variable(AcDbObjectId id, const wchar_t* module, const wchar_t* name) {
        const Mx_Module* found = nullptr;
        drawing().object(id)->macroRead()->findModule(module, found);
        double value = -1;
        found->getConstrVarValue(name, value);
        return value;
    }
    std::filesystem::path dir_;
};

}  // namespace

TEST_F(DrawingTest, AFolderIsADrawingOfItsMacroFilesInNameOrder) {
    std::filesystem::copy_file(kEndPlate, dir_ / "b.json");
    std::ofstream(dir_ / "notes.txt") << "not a macro";
    MacroData data = openFolder();
    ASSERT_EQ(data.objectIds.length(), 2);
    EXPECT_EQ(drawing().fileOf(data.objectIds[1]), Mx_String((dir_ / "b.json").wstring()));
    EXPECT_EQ(data.title, L"2 macros");
    EXPECT_EQ(data.numTabs(), 3);

    std::ofstream(dir_ / "c.json") << "{\"version\": 1, \"colour\": 1}";
    Mx_String error;
    EXPECT_EQ(drawing().open(Mx_String(dir_.wstring()), &error), Acad::eInvalidInput);
    EXPECT_NE(error.str().find(L"c.json: /colour: unknown member"), std::wstring::npos) << error.toUtf8();
    EXPECT_TRUE(drawing().objectIds().isEmpty()) << "a drawing that cannot be read is not half open";
}

TEST_F(DrawingTest, UpdateModuleWritesTheTabIntoEveryEditedMacroAndItsFile) {
    std::filesystem::copy_file(kEndPlate, dir_ / "b.json");
    MacroData data = openFolder();
    tab(data, L"Plates").findCell(L"Thickness")->value = L" 17.50 ";
    AcArray<int> changed;
    changed.append(0);
    EXPECT_TRUE(UpdateModule(L"endplate", data, changed, AcArray<int>()));
    EXPECT_EQ(variable(data.objectIds[0], L"EndPlate", L"Thickness"), 17.5);
    EXPECT_EQ(variable(data.objectIds[1], L"EndPlate", L"Thickness"), 17.5);
    EXPECT_EQ(tab(data, L"Plates").findCell(L"Thickness")->value, L"17.5")
        << "the cell reads as the drawing holds it";
    EXPECT_NE(onDisk("b.json").find("\"value\": 17.5"), std::string::npos);
    EXPECT_FALSE(drawing().object(data.objectIds[0])->isModified()) << "saved";
}

TEST_F(DrawingTest, ARefusedValueOrAMissingModuleChangesNoMacro) {
    std::filesystem::copy_file(kEndPlate, dir_ / "b.json");
    MacroData data = openFolder();
    const std::string before = onDisk("a.json");
    tab(data, L"Plates").findCell(L"Thickness")->value = L"thick";
    EXPECT_FALSE(UpdateModule(L"EndPlate", data, AcArray<int>(), AcArray<int>()));
    EXPECT_FALSE(UpdateModule(L"NoSuchModule", data, AcArray<int>(), AcArray<int>()));
    // The second macro lacks the module: the first is not written either.
    Mx_Module* module = nullptr;
    drawing().object(data.objectIds[1])->macroWrite()->findModuleWrite(L"EndPlate", module);
    module->setName(L"Renamed");
    tab(data, L"Plates").findCell(L"Thickness")->value = L"30";
    EXPECT_FALSE(UpdateModule(L"EndPlate", data, AcArray<int>(), AcArray<int>()));
    EXPECT_EQ(variable(data.objectIds[0], L"EndPlate", L"Thickness"), 15);
    EXPECT_EQ(onDisk("a.json"), before);
}

TEST_F(DrawingTest, ProfileGroupsGoIntoTheModulesProfiles) {
    MacroData data = openFolder();
    MacroProfData props;
    tab(data, L"Stiffeners").getMergedPropsOfGroup(L"Stiffeners", props);
    props.section = L"PL-12x100";
    props.material = L"";  // profiles that differ keep their own
    tab(data, L"Stiffeners").setMergedPropsOfGroup(L"Stiffeners", props);
    EXPECT_TRUE(UpdateModule(L"Stiffeners", data, AcArray<int>(), AcArray<int>()));
    Mx_String section, material;
    const Mx_Module* module = nullptr;
    drawing().object(data.objectIds[0])->macroRead()->findModule(L"Stiffeners", module);
    module->getNamedPrpl(L"BottomStiffener", section, material);
    EXPECT_EQ(section, L"PL-12x100");
    EXPECT_EQ(material, L"S355");
}

TEST_F(DrawingTest, FiltersSelectTabsByGroupAndByKind) {
    MacroData data = openFolder();
    data.filter1Index = 2;  // "Bolts"
    EXPECT_EQ(UpdateAllFilterModified(data, true), Acad::eOk);
    ASSERT_EQ(data.numTabs(), 1);
    EXPECT_EQ(data.tabAt(0)->name, L"Bolts");
    data.filter1Index = 0;
    data.filter2Index = 1;  // general tabs
    UpdateAllFilterModified(data, false);
    ASSERT_EQ(data.numTabs(), 1);
    EXPECT_EQ(data.tabAt(0)->name, L"Plates");
}

TEST(MacroTabDataDifferences, NamesChangedNewAndRemovedCellsAndTheOtherParts) {
    MacroTabData before(L"Plates", MacroTabData::kBolt);
    before.addCell({L"A", MacroCell::kNumber, 0, L"", L"1"});
    before.addCell({L"B", MacroCell::kNumber, 0, L"", L"2"});
    before.addCell({L"C", MacroCell::kNumber, 0, L"", L"3"});
    MacroTabData after = before;
    Mx_StringArray names;
    AcArray<int> changed, removed;
    after.differences(before, names, changed, removed);
    EXPECT_TRUE(changed.isEmpty() && removed.isEmpty());

    after = MacroTabData(L"Plates", MacroTabData::kBolt);
    after.addCell({L"A", MacroCell::kNumber, 0, L"", L"1"});
    after.addCell({L"C", MacroCell::kNumber, 0, L"", L"4"});
    after.addCell({L"D", MacroCell::kNumber, 0, L"", L"5"});
    after.setBoltData({L"M24", L"24", L"2"});
    after.differences(before, names, changed, removed);
    ASSERT_EQ(changed.length(), 3);
    EXPECT_EQ(changed[0], 1);
    EXPECT_EQ(changed[1], 2);
    EXPECT_EQ(changed[2], MacroTabData::kBoltDataChanged);
    EXPECT_EQ(names[2], L"boltData");
    ASSERT_EQ(removed.length(), 1);
    EXPECT_EQ(removed[0], 1) << "B's index in the tab before";
}

TEST(MacroDataDifferences, MarksTabsWithoutCounterpart) {
    MacroData before, after;
    before.addTab(MacroTabData(L"Gone", 0));
    before.addTab(MacroTabData(L"Same", 0));
    after.addTab(MacroTabData(L"Same", 0));
    after.addTab(MacroTabData(L"New", 0));
    Mx_StringArray names;
    AcArray<int> changed, removed;
    after.differences(before, names, changed, removed);
    ASSERT_EQ(changed.length(), 1);
    EXPECT_EQ(changed[0], MacroData::kNewTab);
    ASSERT_EQ(removed.length(), 1);
    EXPECT_EQ(removed[0], 0);
}

TEST_F(DrawingTest, PropertyFilesTakeOnlyWhatTheMacroHasAndCountTheChanges) {
    MacroData data = openFolder();
    tab(data, L"Plates").findCell(L"Height")->readOnly = true;
    int count = -1;
    Mx_String error;
    const std::string file = R"({"format": "connsheet-macro-properties", "version": 1, "tabs": [
      {"name": "plates", "cells": [{"name": "Thickness", "value": "18"}, {"name": "Width", "value": "200"},
                                   {"name": "Height", "value": "1"}, {"name": "Gone", "value": "1"}]},
      {"name": "Bolts", "boltData": {"diameter": "24"}},
      {"name": "Elsewhere", "cells": [{"name": "X", "value": "1"}]}]})";
    ASSERT_TRUE(macroprops::read(file, data, count, error)) << error.toUtf8();
    EXPECT_EQ(count, 2) << "Thickness and the diameter; Width is unchanged, Height read-only";
    EXPECT_EQ(tab(data, L"Plates").findCell(L"Thickness")->value, L"18");
    EXPECT_EQ(tab(data, L"Plates").findCell(L"Height")->value, L"380");

    const MacroData before = data;
    for (
        const char* bad :
        {R"({"version": 2})", R"({"version": 1, "tabs": [{"name": "Plates", "x": 1}]})",
         R"({"version": 1, "tabs": [{"name": "Plates", "cells": [{"name": "Thickness", "value": "1\t"}]}]})",
         R"({"version": 1, "tabs": [{"name": "Plates", "cells": [{"name": "Thickness", "value": "9"}]}, 3]})",
         "{"}) {
        error = Mx_String();
        EXPECT_FALSE(macroprops::read(bad, data, count, error)) << bad;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(data.sameTabs(before)) << "nothing taken from a refused file: " << bad;
    }
}

TEST_F(DrawingTest, AWrittenPropertyFileReadsBackAndLivesBesideTheDrawing) {
    MacroData data = openFolder();
    Mx_StringArray files, folders;
    ASSERT_EQ(data.getPropFiles(files, folders), Acad::eOk);
    EXPECT_TRUE(files.isEmpty());
    EXPECT_EQ(folders[0], Mx_String((dir_ / "Properties" / "EndPlateBeamToColumn").wstring()));
    const Mx_String path((dir_ / "Properties" / "EndPlateBeamToColumn" / "standard.json").wstring());
    ASSERT_EQ(data.writeToFile(path), Acad::eOk);
    data.getPropFiles(files, folders);
    EXPECT_EQ(files.length(), 1);
    MacroData other = data;
    tab(other, L"Plates").findCell(L"Width")->value = L"999";
    int count = 0;
    ASSERT_EQ(other.readFromFile(path, count), Acad::eOk);
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(other.sameTabs(data));
}

TEST_F(DrawingTest, TheSameConnectionTwiceOnTheSameMembersClashes) {
    std::filesystem::copy_file(kEndPlate, dir_ / "b.json");
    MacroData data = openFolder();
    AcArray<AcDbObjectId> first;
    first.append(data.objectIds[0]);
    EXPECT_EQ(clashcheck(7, first), 0) << "the switch is off";
    clashSetStatus(true);
    EXPECT_EQ(clashcheck(7, first), 1);
    EXPECT_EQ(clashLastCount(7), 1);
    MacroBaseProfile* base = nullptr;
    drawing().object(data.objectIds[1])->macroWrite()->getBaseProfWrite(0, base);
    base->section = L"HEB-300";
    EXPECT_EQ(clashcheck(7, first), 0) << "on other members it is another connection";
    clashDlgClosed(7);
    EXPECT_EQ(clashLastCount(7), -1);
    clashSetStatus(false);
}

// The variable list: lookups, comparison of inputs, value exchange with the macro (with its warnings)
// and with the sheet.
#include "standards/VlVarCells.h"

#include <gtest/gtest.h>

#include "platform/arx/CommandLine.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mxbase/Mx_Settings.h"
#include "standards/VlDlgStandardsData.h"
#include "tests/standards/StandardsTestSupport.h"

using standardstest::EndPlateMacro;
using standardstest::GridHost;
using standardstest::ScratchDir;

namespace {

VlVarCells sampleList() {
    VlVarCells list;
    list.append(VlVarCell(L"Thickness", kVlInput, kVlDouble, 2, 2, Mx_String(L"old")));
    list.append(VlVarCell(L"Width", kVlInput, kVlDouble, 3, 2, Mx_String(L"old")));
    list.append(VlVarCell(L"Height", kVlOutput, kVlDouble, 2, 4, Mx_String(L"old")));
    list.append(VlVarCell(L"Scratch", kVlLocal, kVlString, 2, 6, Mx_String(L"old")));
    return list;
}

}  // namespace

TEST(VlVarCellsList, FindRemoveAndCopy) {
    VlVarCells list = sampleList();
    int index = -1;
    ASSERT_EQ(list.findVarCell(Mx_String(L"WIDTH"), index), Acad::eOk);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(list.findVarCell(Mx_String(L"Depth"), index), Acad::eInvalidInput);

    host::clearEvents();
    EXPECT_FALSE(list.removeAt(4));
    EXPECT_EQ(host::printedText(), std::wstring(L"*Error* Invalid index passed to remove.\n"));
    EXPECT_EQ(list.length(), 4);

    VlVarCells copy = list;  // deep: changing the copy leaves the original
    copy[0].value = L"new";
    copy.mapping().type = VlSSMapping::kModuleGroup;
    EXPECT_EQ(list[0].value, Mx_String(L"old"));
    EXPECT_EQ(list.mapping().type, VlSSMapping::kNotSet);
    copy.resetVarCells();
    EXPECT_EQ(copy.length(), 0);
}

TEST(VlVarCellsList, HasSameInputLooksOnlyAtThisListsInputs) {
    const VlVarCells list = sampleList();
    VlVarCells other = sampleList();
    other[2].value = L"different output";
    other.append(VlVarCell(L"Extra", kVlInput, kVlString));
    EXPECT_TRUE(list.hasSameInput(other));

    other[1].value = L"OLD";  // compared ignoring case
    EXPECT_TRUE(list.hasSameInput(other));
    other[1].value = L"20";
    EXPECT_FALSE(list.hasSameInput(other));

    VlVarCells retyped = sampleList();
    retyped[0].valueType = kVlInteger;
    EXPECT_FALSE(list.hasSameInput(retyped));

    VlVarCells missing = sampleList();
    missing.removeAt(0);
    EXPECT_FALSE(list.hasSameInput(missing));
    EXPECT_TRUE(missing.hasSameInput(list));
}

class VlVarCellsMacro : public testing::Test {
protected:
    void SetUp() override { gSettings.setStandardsWarnings(true); }
    void TearDown() override { gSettings.reset(); }

    EndPlateMacro macro;
    ScratchDir dir;
    ui::ScriptedDriver driver;
};

TEST_F(VlVarCellsMacro, ModuleGroupReadsInputsAndOutputsAndEmptiesLocals) {
    VlDlgStandardsData data;
    ASSERT_EQ(data.initialize(&macro.macro, dir.file("Plate.vls"), Mx_String(L"Module.Plates"), &macro.data),
              Acad::eOk);
    VlVarCells list = sampleList();
    ASSERT_EQ(list.getFromMacro(data), Acad::eOk);
    EXPECT_EQ(list.mapping().type, VlSSMapping::kModuleGroup);
    EXPECT_EQ(list[0].value, Mx_String(L"15"));
    EXPECT_EQ(list[1].value, Mx_String(L"200"));
    EXPECT_EQ(list[2].value, Mx_String(L"380"));
    EXPECT_EQ(list[3].value, Mx_String());
    EXPECT_TRUE(driver.messageBoxes().empty());

    list[2].value = L"400";
    list[0].value = L"99";  // inputs are never written back
    EXPECT_EQ(list.setToMacro(data), Acad::eOk);
    double height = 0, thickness = 0;
    const Mx_Module* module = nullptr;
    ASSERT_EQ(macro.content().findModule(Mx_String(L"EndPlate"), module), Acad::eOk);
    ASSERT_EQ(module->getConstrVarValue(Mx_String(L"Height"), height), Acad::eOk);
    ASSERT_EQ(module->getConstrVarValue(Mx_String(L"Thickness"), thickness), Acad::eOk);
    EXPECT_DOUBLE_EQ(height, 400);
    EXPECT_DOUBLE_EQ(thickness, 15);
}

TEST_F(VlVarCellsMacro, MissingMappingFileOrKeyReadsNothing) {
    VlDlgStandardsData data;
    ASSERT_EQ(data.initialize(&macro.macro, dir.file("Plate.vls"), Mx_String(L"Target"), &macro.data), Acad::eOk);
    VlVarCells list = sampleList();
    EXPECT_EQ(list.getFromMacro(data), Acad::eOk);  // no file
    dir.write("Plate.map", "Mapping version 1.0\nOther=Width\xC6\x92Plates\" Distance Width\n");
    EXPECT_EQ(list.getFromMacro(data), Acad::eOk);  // no line for "Target"
    for (int i = 0; i < list.length(); ++i) EXPECT_EQ(list[i].value, Mx_String(L"old")) << i;
    EXPECT_TRUE(driver.messageBoxes().empty());

    data.macro = nullptr;
    EXPECT_EQ(list.getFromMacro(data), Acad::eInvalidInput);
}

TEST_F(VlVarCellsMacro, EmptyMappingFileReportsEveryInputAndOutput) {
    VlDlgStandardsData data;
    const Mx_String sheet = dir.file("Plate.vls");
    ASSERT_EQ(data.initialize(&macro.macro, sheet, Mx_String(L"Target"), &macro.data), Acad::eOk);
    dir.write("Plate.map", "Mapping version 1.0\n");
    VlVarCells list = sampleList();
    ASSERT_EQ(list.getFromMacro(data), Acad::eOk);
    ASSERT_EQ(driver.messageBoxes().size(), 3u);
    EXPECT_EQ(Mx_String(driver.messageBoxes()[0].text),
              Mx_String(L"The following Input variable couldn't be retrieved : \nThickness\n"
                        L"Make sure the variable exists in the macro or module.\nSpreadsheet : ") +
                  sheet);
    EXPECT_EQ(Mx_String(driver.messageBoxes()[2].text),
              Mx_String(L"The following Output variable couldn't be set : \nHeight\n"
                        L"Make sure the variable exists in the macro or module.\nSpreadsheet : ") +
                  sheet);
    EXPECT_EQ(driver.messageBoxes()[0].type & 0xF0u, static_cast<unsigned>(MB_ICONEXCLAMATION));
    EXPECT_EQ(list[3].value, Mx_String());

    gSettings.setStandardsWarnings(false);
    ASSERT_EQ(list.getFromMacro(data), Acad::eOk);
    EXPECT_EQ(driver.messageBoxes().size(), 3u);
}

TEST_F(VlVarCellsMacro, MappingFileLinksReachTheMacro) {
    VlDlgStandardsData data;
    ASSERT_EQ(data.initialize(&macro.macro, dir.file("Plate.vls"), Mx_String(L"EndPlate A"), &macro.data),
              Acad::eOk);
    dir.write("Plate.map", "Mapping version 1.0\nEndPlate A=T\xC6\x92Plates\" Distance Thickness\xC2\xBF"
                           "Rows\xC6\x92" "Bolts\" PatternNrBolts1 BoltRows\n");
    VlVarCells list;
    list.append(VlVarCell(L"T", kVlInput, kVlDouble));
    list.append(VlVarCell(L"Rows", kVlOutput, kVlString));
    ASSERT_EQ(list.getFromMacro(data), Acad::eOk);
    EXPECT_EQ(list.mapping().type, VlSSMapping::kMappingFile);
    EXPECT_EQ(list[0].value, Mx_String(L"15"));
    EXPECT_EQ(list[1].value, Mx_String(L"4"));
    EXPECT_TRUE(driver.messageBoxes().empty());
}

TEST(VlVarCellsSheet, ValuesTravelBetweenListAndSheet) {
    GridHost host;
    VlVarCells list = sampleList();
    list[0].value = L"15";
    list[2].value = L"380";
    ASSERT_EQ(list.setValuesToSS(host.grid), Acad::eOk);
    EXPECT_EQ(host.value(2, 6), Mx_String(L"old"));

    host.put(2, 4, L"512");
    host.put(2, 2, L"77");
    ASSERT_EQ(list.getValuesFromSS(host.grid), Acad::eOk);
    double height = 0;
    ASSERT_TRUE(list[2].value.toDouble(height));
    EXPECT_DOUBLE_EQ(height, 512);
    EXPECT_EQ(list[0].value, Mx_String(L"15"));  // only outputs are read back

    list.append(VlVarCell(L"Far", kVlOutput, kVlDouble, 60, 60));
    EXPECT_EQ(list.getValuesFromSS(host.grid), Acad::eInvalidInput);
    EXPECT_EQ(list.setValuesToSS(host.grid), Acad::eInvalidInput);
}

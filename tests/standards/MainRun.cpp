// A main standards run end to end, as the product runs one from a macro: the bundled
// EndPlateBeamToColumn standard against its example macro through StartDlgStandardsSS. The inputs
// come from the macro through the sheet's mapping file, the equations (with a CallChild, data files,
// section values and stock lists) run, and the outputs land in the macro model. The expected numbers
// are worked out by hand from the sheet's equations, as an engineer checking the standard would.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/arx/AcTransaction.h"
#include "platform/mxbase/MacroTabData.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/NumberFunctions.h"
#include "standards/VlSSDlgsMgr.h"
#include "tests/standards/StandardsTestSupport.h"

namespace {

using standardstest::ScratchDir;

const std::string kMacroFile = CONNSHEET_SOURCE_DIR "/examples/library/Macros/EndPlateBeamToColumn.json";

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Replaces the one occurrence of `from` in `text`.
void replaceOnce(std::string& text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    ASSERT_EQ(text.find(from, at + 1), std::string::npos) << from;
    text.replace(at, from.size(), to);
}

class MainRun : public ::testing::Test {
protected:
    void SetUp() override { gSettings.setStandardsWarnings(true); }
    void TearDown() override { gSSDlgsMgr.destroyAll(); }

    // Reads the macro (the bundled one, or `json` when given) and prepares a run of the bundled sheet
    // for `mapsTo`, with the macro's general variables as the product hands them over.
    void prepare(const std::string& json = std::string(), const wchar_t* mapsTo = L"EndPlateBeamToColumn") {
        std::string path = kMacroFile;
        if (!json.empty()) {
            dir.write("macro.json", json);
            path = Mx_String(dir.file("macro.json")).toUtf8();
        }
        ASSERT_EQ(macro.readFromFile(Mx_String(path), &macroData), Acad::eOk);
        ASSERT_EQ(data.initialize(&macro, Mx_String(L"EndPlateBeamToColumn"), Mx_String(mapsTo), &macroData),
                  Acad::eOk);
        data.transaction = &transaction;
        for (const MacroGeneralVariable& variable : macro.macroRead()->generalVariables()) {
            data.genVarNames.append(variable.name);
            data.genVarValues.append(formatShortest(variable.value));
        }
    }

    // Every variable of the finished run by name.
    std::map<std::wstring, Mx_String> finalValues() const {
        std::map<std::wstring, Mx_String> values;
        for (int i = 0; i < data.varCells.length(); ++i) values[data.varCells[i].name.str()] = data.varCells[i].value;
        return values;
    }

    double moduleValue(const wchar_t* module, const wchar_t* variable) {
        const Mx_Module* found = nullptr;
        double value = -1;
        EXPECT_EQ(macro.macroRead()->findModule(Mx_String(module), found), Acad::eOk) << Mx_String(module).toUtf8();
        if (found) {
            EXPECT_EQ(found->getConstrVarValue(Mx_String(variable), value), Acad::eOk);
        }
        return value;
    }

    Mx_String cutValue(const wchar_t* module, const wchar_t* cut, VlCutOffsetType which) {
        Mx_Module* found = nullptr;
        Mx_String value;
        EXPECT_EQ(macro.macroWrite()->findModuleWrite(Mx_String(module), found), Acad::eOk);
        if (found) {
            EXPECT_EQ(found->getSetCutValue(Mx_String(cut), which, value, Mx_Access::Get), Acad::eOk);
        }
        return value;
    }

    ui::ScriptedDriver driver;
    ScratchDir dir;
    Mx_DbMacro macro;
    MacroData macroData;
    AcTransaction transaction;
    VlDlgStandardsData data;
};

// Column HEB-200, beam IPE-300 (h 300, b 150, tw 7.1, tf 10.7), M20 bolts with 2 mm clearance, four
// bolt rows, 10 mm clearance (gen_Clearance):
//   hole d0 = 22; BoltLayout: e = ceil5(1.5 d0 = 33) = 35, p = ceil5(3 d0 = 66) = 70
//   washer M20 = 37; column gauge HE 200 B = 110
//   weld = max(4, ceil(0.7 * 7.1 = 4.97)) = 5
//   gauge = min(110, max(70, ceil10(7.1 + 2*5 + 37 + 2*10 = 74.1))) = 80
//   t required = max(0.75 * 20, 10.7) = 15 -> flat 15
//   width min = max(150 + 20, 80 + 2*35) = 170 -> flats 15 thick: 160, 180 -> 180
//   top extension = ceil5(2*35 + 5) = 75; height = max(300 + 75 + 35, 2*35 + 3*70) = 410
//   chamfer = round5(35 / 2 = 17.5) = 20; stiffener = flat above tf 10.7 = 12
TEST_F(MainRun, EndPlateFromItsExampleMacro) {
    prepare();
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_TRUE(driver.messageBoxes().empty()) << Mx_String(driver.messageBoxes()[0].text).toUtf8();
    EXPECT_EQ(gSSDlgsMgr.inUseCount(), 0);

    auto values = finalValues();
    // Inputs as read from the macro.
    EXPECT_EQ(values[L"ColumnSection"], Mx_String(L"HEB-200"));
    EXPECT_EQ(values[L"BeamSection"], Mx_String(L"IPE-300"));
    EXPECT_EQ(values[L"BeamDepth"].toDouble(), 300);
    EXPECT_EQ(values[L"BoltDiameter"].toDouble(), 20);
    EXPECT_EQ(values[L"HoleOffset"].toDouble(), 2);
    EXPECT_EQ(values[L"BoltRowsText"], Mx_String(L"4"));
    const std::pair<const wchar_t*, double> expected[] = {
        // locals
        {L"HoleDiameter", 22}, {L"WasherDiameter", 37}, {L"BeamFlangeWidth", 150}, {L"BeamWebThickness", 7.1},
        {L"BeamFlangeThickness", 10.7}, {L"ColumnGauge", 110}, {L"NrRows", 4}, {L"RequiredThickness", 15},
        {L"MinWidth", 170},
        // outputs
        {L"EdgeDistance", 35}, {L"Pitch", 70}, {L"Gauge", 80}, {L"WeldSize", 5}, {L"PlateThickness", 15},
        {L"PlateWidth", 180}, {L"TopExtension", 75}, {L"PlateHeight", 410}, {L"ChamferSize", 20},
        {L"StiffenerThickness", 12},
    };
    for (const auto& [name, value] : expected) {
        ASSERT_TRUE(values.count(name)) << Mx_String(name).toUtf8();
        EXPECT_DOUBLE_EQ(values[name].toDouble(), value) << Mx_String(name).toUtf8() << " = " << values[name].toUtf8();
    }
    // Each variable still knows its declaring cell.
    int index = -1;
    ASSERT_EQ(data.varCells.findVarCell(Mx_String(L"PlateHeight"), index), Acad::eOk);
    EXPECT_EQ(data.varCells[index].col, 1);
    EXPECT_EQ(data.varCells[index].row, 20);
    EXPECT_TRUE(data.varCells[index].isOutput());

    // The outputs in the macro model, through the mapping file's links.
    EXPECT_EQ(moduleValue(L"EndPlateBolts", L"EdgeDistance"), 35);
    EXPECT_EQ(moduleValue(L"EndPlateBolts", L"Pitch"), 70);
    EXPECT_EQ(moduleValue(L"EndPlateBolts", L"Gauge"), 80);
    EXPECT_EQ(moduleValue(L"EndPlate", L"WeldSize"), 5);
    EXPECT_EQ(moduleValue(L"EndPlate", L"Thickness"), 15);
    EXPECT_EQ(moduleValue(L"EndPlate", L"Width"), 180);
    EXPECT_EQ(moduleValue(L"EndPlate", L"TopExtension"), 75);
    EXPECT_EQ(moduleValue(L"EndPlate", L"Height"), 410);
    EXPECT_EQ(moduleValue(L"Stiffeners", L"StiffenerThickness"), 12);
    EXPECT_EQ(cutValue(L"EndPlate", L"CornerChamfer", kCutChamferOffset1), Mx_String(L"20"));
    // Only what the sheet outputs changes.
    EXPECT_EQ(cutValue(L"EndPlate", L"CornerChamfer", kCutChamferOffset2), Mx_String(L"15"));
    Mx_Module* bolts = nullptr;
    ASSERT_EQ(macro.macroWrite()->findModuleWrite(Mx_String(L"EndPlateBolts"), bolts), Acad::eOk);
    Mx_String rows;
    ASSERT_EQ(bolts->getSetNrBolts(Mx_String(L"BoltRows"), 1, rows, Mx_Access::Get), Acad::eOk);
    EXPECT_EQ(rows, Mx_String(L"4"));
    double clearance = 0;
    ASSERT_EQ(macro.macroRead()->getGenVarValue(Mx_String(L"gen_Clearance"), clearance), Acad::eOk);
    EXPECT_EQ(clearance, 10);

    // Height was flexible: the run fixed it so that the written value stays.
    const MacroTabData* plates = nullptr;
    ASSERT_EQ(macroData.findTab(Mx_String(L"Plates"), plates), Acad::eOk);
    bool fixed = false, linked = true;
    ASSERT_EQ(plates->getFlexFixBtnStatus(Mx_String(L"Height"), fixed, linked), Acad::eOk);
    EXPECT_TRUE(fixed);
    EXPECT_FALSE(linked);
}

// The same standard for a heavier connection: column HEB-300, beam IPE-400 (h 400, b 180, tw 8.6,
// tf 13.5), M24 bolts with 3 mm clearance, three rows:
//   d0 = 27; e = ceil5(40.5) = 45, p = ceil5(81) = 85; washer M24 = 44; gauge HE 300 B = 160
//   weld = ceil(0.7 * 8.6 = 6.02) = 7; gauge = min(160, max(85, ceil10(8.6 + 14 + 44 + 20 = 86.6))) = 90
//   t required = max(18, 13.5) = 18 -> flats: 15 is 3 below, 20 is 2 above (within 5) -> 20
//   width min = max(180 + 20, 90 + 90) = 200 -> 200x20 exists -> 200
//   top = ceil5(90 + 7) = 100; height = max(400 + 100 + 45, 90 + 2*85) = 545
//   chamfer = round5(22.5) = 25 (halves away from zero); stiffener: 12 and 15 both 1.5 from 13.5,
//   but only 15 is within the tolerance (0 down, 5 up) -> 15
TEST_F(MainRun, EndPlateForAHeavierConnection) {
    std::string json = readText(kMacroFile);
    replaceOnce(json, "{ \"section\": \"HEB-200\"", "{ \"section\": \"HEB-300\"");
    replaceOnce(json, "{ \"section\": \"IPE-300\"", "{ \"section\": \"IPE-400\"");
    replaceOnce(json, "\"diameter\": \"20\", \"holeOffset\": \"2\"", "\"diameter\": \"24\", \"holeOffset\": \"3\"");
    replaceOnce(json, "\"nrBolts1\": \"4\"", "\"nrBolts1\": \"3\"");
    prepare(json);
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_TRUE(driver.messageBoxes().empty());

    auto values = finalValues();
    const std::pair<const wchar_t*, double> expected[] = {
        {L"BeamDepth", 400}, {L"HoleDiameter", 27}, {L"WasherDiameter", 44}, {L"ColumnGauge", 160},
        {L"NrRows", 3}, {L"RequiredThickness", 18}, {L"MinWidth", 200},
        {L"EdgeDistance", 45}, {L"Pitch", 85}, {L"Gauge", 90}, {L"WeldSize", 7}, {L"PlateThickness", 20},
        {L"PlateWidth", 200}, {L"TopExtension", 100}, {L"PlateHeight", 545}, {L"ChamferSize", 25},
        {L"StiffenerThickness", 15},
    };
    for (const auto& [name, value] : expected)
        EXPECT_DOUBLE_EQ(values[name].toDouble(), value) << Mx_String(name).toUtf8() << " = " << values[name].toUtf8();
    EXPECT_EQ(moduleValue(L"EndPlate", L"Thickness"), 20);
    EXPECT_EQ(moduleValue(L"EndPlate", L"Height"), 545);
    EXPECT_EQ(moduleValue(L"EndPlateBolts", L"Pitch"), 85);
    EXPECT_EQ(cutValue(L"EndPlate", L"CornerChamfer", kCutChamferOffset1), Mx_String(L"25"));
}

// Two runs on one macro: the second reads what the first wrote and computes the same again.
TEST_F(MainRun, RunningTwiceIsStable) {
    prepare();
    ASSERT_TRUE(StartDlgStandardsSS(data));
    const auto first = finalValues();
    VlDlgStandardsData again;
    ASSERT_EQ(again.initialize(&macro, Mx_String(L"EndPlateBeamToColumn"), Mx_String(L"EndPlateBeamToColumn"),
                               &macroData),
              Acad::eOk);
    again.transaction = &transaction;
    again.genVarNames = data.genVarNames;
    again.genVarValues = data.genVarValues;
    ASSERT_TRUE(StartDlgStandardsSS(again));
    data = again;
    EXPECT_EQ(finalValues(), first);
    EXPECT_EQ(gSSDlgsMgr.size(), 2);  // the parent's dialog and the one its CallChild took
}

// A target the mapping file has no line for: the run reads nothing, every equation works on the
// declarations' texts and fails, and nothing is written into the macro.
TEST_F(MainRun, UnknownTargetLeavesTheMacroAlone) {
    prepare(std::string(), L"NoSuchTarget");
    gSettings.setStandardsWarnings(false);
    ASSERT_TRUE(StartDlgStandardsSS(data));
    EXPECT_EQ(moduleValue(L"EndPlate", L"Thickness"), 15);
    EXPECT_EQ(moduleValue(L"EndPlate", L"Width"), 200);
    EXPECT_EQ(moduleValue(L"EndPlate", L"Height"), 380);
    EXPECT_EQ(moduleValue(L"EndPlateBolts", L"Pitch"), 90);
    EXPECT_EQ(cutValue(L"EndPlate", L"CornerChamfer", kCutChamferOffset1), Mx_String(L"15"));
}

// Without a transaction the input phase refuses, and the caller's data stays as it was.
TEST_F(MainRun, WithoutATransactionNothingHappens) {
    prepare();
    data.transaction = nullptr;
    const VlDlgStandardsData before = data;
    EXPECT_FALSE(StartDlgStandardsSS(data));
    EXPECT_EQ(data.varCells.length(), before.varCells.length());
    EXPECT_EQ(moduleValue(L"EndPlate", L"Height"), 380);
    EXPECT_TRUE(driver.messageBoxes().empty());
    EXPECT_EQ(gSSDlgsMgr.inUseCount(), 0);
}

// The module-group target: no mapping file, the variable names say what they reach in each module of
// the group ("gen.Clearance", a cut value by "Cut.Chamfer1", the module variables by name).
TEST_F(MainRun, ModuleGroupTargetByNameConvention) {
    dir.write("PlatesByName.vls",
              "Input\t\t\n"
              "Double Thickness\tDouble gen.Clearance\t\n"
              "Output\t\t\n"
              "Double Width\tDouble CornerChamfer.Chamfer2\tDouble Unknown\n"
              "Calc\t\t\n"
              "Width = Thickness * 10 + gen.Clearance\t\t\n"
              "CornerChamfer.Chamfer2 = Thickness + 5\t\t\n"
              "Unknown = 1\t\t\n");
    prepare();
    ASSERT_EQ(data.initialize(&macro, dir.file("PlatesByName.vls"), Mx_String(L"Module.Plates"), &macroData),
              Acad::eOk);
    EXPECT_EQ(data.moduleGroup, Mx_String(L"Plates"));
    ASSERT_TRUE(StartDlgStandardsSS(data));
    // Unknown is no module variable: reported as not retrieved, and its result goes nowhere.
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.messageBoxes()[0].text.rfind(L"The following Output variable couldn't be set : \nUnknown\n", 0), 0u)
        << Mx_String(driver.messageBoxes()[0].text).toUtf8();
    EXPECT_EQ(moduleValue(L"EndPlate", L"Width"), 160);
    EXPECT_EQ(cutValue(L"EndPlate", L"CornerChamfer", kCutChamferOffset2), Mx_String(L"20"));
    EXPECT_EQ(cutValue(L"EndPlate", L"CornerChamfer", kCutChamferOffset1), Mx_String(L"15"));
}

// Of the variables that share a name (ignoring case) the first stays and the later ones are dropped
// from the run, so they are neither computed nor handed back; the message says so whatever the
// warnings switch.
TEST_F(MainRun, DuplicateNamesAreDroppedAfterTheFirst) {
    dir.write("Dups.vls",
              "Input\t\t\n"
              "Double Thickness\t\t\n"
              "Output\t\t\n"
              "Double Width\tDouble Height\t\n"
              "Local\t\t\n"
              "Double WIDTH\tDouble thickness\tDouble Spare\n"
              "Calc\t\t\n"
              "Width = Thickness * 10\t\t\n");
    prepare();
    ASSERT_EQ(data.initialize(&macro, dir.file("Dups.vls"), Mx_String(L"Module.Plates"), &macroData), Acad::eOk);
    gSettings.setStandardsWarnings(false);
    ASSERT_TRUE(StartDlgStandardsSS(data));
    ASSERT_EQ(data.varCells.length(), 4);
    const wchar_t* names[] = {L"Thickness", L"Width", L"Height", L"Spare"};
    const VlCellType types[] = {kVlInput, kVlOutput, kVlOutput, kVlLocal};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(data.varCells[i].name, Mx_String(names[i]));
        EXPECT_EQ(data.varCells[i].cellType, types[i]) << i;
    }
    EXPECT_EQ(moduleValue(L"EndPlate", L"Width"), 150);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.messageBoxes()[0].caption, L"Variable names must be unique");
    EXPECT_NE(driver.messageBoxes()[0].text.find(L"Duplicate variable names:\n\nWidth\nThickness\n"),
              std::wstring::npos)
        << Mx_String(driver.messageBoxes()[0].text).toUtf8();
}

// A computed value reads as its declared type writes it, however it was computed: a Double with 7
// decimals (also from a function's text "110"), an Int as the whole number its 0-decimal cell shows
// (halves away from zero), which later equations then compute with; a text that is no number stays.
TEST_F(MainRun, ComputedValuesReadAsTheirDeclaredType) {
    dir.write("Sixth.vls",
              "Input\t\n"
              "Double T\t\n"
              "Output\t\n"
              "Double R\t\n"
              "Calc\t\n"
              "R = T / 6\t\n");
    dir.write("Typed.vls",
              "Input\t\t\n"
              "Double Thickness\t\t\n"  // 15 in the end plate
              "Output\t\t\n"
              "Double Width\tInt Rounded\t\n"
              "Local\t\t\n"
              "Int Half\tDouble Twice\tInt Negative\n"
              "Double Gauge\tInt FromText\tDouble NotANumber\n"
              "Int JustBelow\tDouble ChildTwice\t\n"
              "Calc\t\t\n"
              "Half = Thickness / 2\tTwice = Half * 2\tNegative = -Thickness / 2\n"
              "Gauge = GETARRAYITEM(\"110;2.5\", 1)\tFromText = GETARRAYITEM(\"110;2.5\", 2)\t"
              "NotANumber = GETARRAYITEM(\"abc\", 1)\n"
              "JustBelow = 2.4999999 + 0\tWidth = Half * 10\t\n"
              "X = CallChild(Sixth.vls, Thickness, Rounded)\tChildTwice = Rounded * 2\t\n");
    prepare();
    ASSERT_EQ(data.initialize(&macro, dir.file("Typed.vls"), Mx_String(L"Module.Plates"), &macroData), Acad::eOk);
    gSettings.setStandardsWarnings(false);  // Rounded reaches no module variable
    ASSERT_TRUE(StartDlgStandardsSS(data));
    const auto values = finalValues();
    const std::pair<const wchar_t*, const wchar_t*> expected[] = {
        {L"Half", L"8"},          {L"Twice", L"16.0000000"},    {L"Negative", L"-8"},
        {L"Gauge", L"110.0000000"}, {L"FromText", L"3"},       {L"NotANumber", L"abc"},
        {L"JustBelow", L"2"},     {L"Width", L"80.0000000"},   {L"Rounded", L"3"},
        {L"ChildTwice", L"6.0000000"},
    };
    for (const auto& [name, value] : expected) {
        ASSERT_TRUE(values.count(name)) << Mx_String(name).toUtf8();
        EXPECT_EQ(values.at(name), Mx_String(value)) << Mx_String(name).toUtf8();
    }
    EXPECT_EQ(moduleValue(L"EndPlate", L"Width"), 80);
}

// The macro documentation shows the bundled end-plate macro in full; it must stay the file itself.
TEST(MacroDocumentation, FullExampleIsTheBundledMacro) {
    const std::string doc = readText(CONNSHEET_SOURCE_DIR "/docs/macro-format.md");
    const std::string section = doc.substr(doc.find("## Full example"));
    const auto open = section.find("```json\n");
    ASSERT_NE(open, std::string::npos);
    const auto close = section.find("```", open + 8);
    ASSERT_NE(close, std::string::npos);
    EXPECT_EQ(section.substr(open + 8, close - open - 8), readText(kMacroFile));
}

}  // namespace

// The macro settings dialog (8141) opened by the macro editor's settings button, with its standards
// mapping page (8720), on the bundled end-plate macro and a scratch library.
#include "macrodlg/CDlgMacroSettings.h"

#include <filesystem>
#include <fstream>

#include "macrodlg/CTabMacroFilter.h"
#include "macrodlg/CTabMacroFilter2.h"
#include "macrodlg/CTabMacroFilterProps.h"
#include "macrodlg/MacroEditorWindow.h"
#include "platform/arx/AcTransaction.h"
#include "platform/grid/window/GridAutomation.h"
#include "platform/grid/window/GridMessages.h"
#include "platform/mfc/CheckComboBox.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/TabCtrl.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/EditConstrData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Settings.h"
#include "spread/TSpread.h"
#include "standards/CTabMacroMapping.h"
#include "standards/StartDlgStandardsSS.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlMappingStore.h"
#include "standards/VlSSDlgsMgr.h"
#include "tests/macrodlg/MacroDlgTestSupport.h"

namespace {

namespace fs = std::filesystem;
using Mapping = CTabMacroMapping;
constexpr int kMappingPage = 5;

// A small sheet of the scratch library: a number, a text and a count in, a number out.
constexpr const char* kPlateSheet = R"(connsheet-grid 1
sheet cols=2 rows=8 ref-style=0
cell A1 data="Input"
cell A2 data="Double Thick"
cell A3 data="String Section"
cell A4 data="Int Rows"
cell A5 data="Output"
cell A6 data="Double Wide"
cell A7 data="Calc"
cell A8 data="Wide = Thick * 10"
)";
// Rows of the variable grid for that sheet: blank, "Input", three inputs, blank, "Output", one output.
constexpr int kThickRow = 3, kSectionRow = 4, kRowsRow = 5, kWideRow = 8;

class MacroSettingsTest : public MacroDlgTest {
protected:
    void SetUp() override {
        MacroDlgTest::SetUp();
        lib_ = dir_ / "lib";
        const fs::path bundled = fs::path(CONNSHEET_SOURCE_DIR) / "examples/library/Connection Standards";
        fs::create_directories(lib_);
        fs::copy(bundled, lib_ / "Connection Standards", fs::copy_options::recursive);
        std::ofstream(lib_ / "Connection Standards/Plate.vls", std::ios::binary) << kPlateSheet;
        gSettings.setLibDir(Mx_String((lib_.string() + "/").c_str()));
        open();
        data_.objectIds = MacroDrawing::active().objectIds();
        data_.macroName = L"EndPlateBeamToColumn";
    }
    void TearDown() override {
        gSSDlgsMgr.destroyAll();
        gSettings.reset();
        MacroDlgTest::TearDown();
    }

    // The macro's standards sheets, written into it as a saved settings dialog would.
    void attach(const MacroStandards& standards) {
        MacroSettings settings;
        ASSERT_EQ(GetMacroSettings(data_, settings), Acad::eOk);
        settings.standards = standards;
        ASSERT_EQ(SetMacroSettings(data_, settings), Acad::eOk);
        MacroDrawing::active().clearLog();
    }
    MacroStandards stored() const {
        MacroSettings settings;
        GetMacroSettings(data_, settings);
        return settings.standards;
    }
    std::string mapFile(const std::string& sheet = "Plate") const {
        std::ifstream in(lib_ / "Connection Standards" / (sheet + ".map"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool hasMapFile(const std::string& sheet = "Plate") const {
        return fs::exists(lib_ / "Connection Standards" / (sheet + ".map"));
    }
    // Runs the settings dialog as the editor's button does, with `steps` on it.
    INT_PTR run(const std::function<void(ui::Automation&)>& steps) {
        ui::ScriptedDriver driver;
        driver.onModal([&](ui::Automation& dlg) {
            dlg.control<ui::TabCtrlVerbs>(CDlgMacroSettings::IDC_TABS).clickTab(kMappingPage);
            steps(dlg);
        });
        const INT_PTR result = runMacroSettings(data_, nullptr);
        ui::expectDriverDone(driver);
        return result;
    }

    fs::path lib_;
    EditConstrData data_;
};

ui::Automation mappingPage(ui::Automation& dlg) {
    return ui::Automation(dlg.find(Mapping::IDD));
}

bool isFreshKey(const Mx_String& key) {
    if (key.length() != VlMappingStore::kKeyLength)
        return false;
    for (wchar_t c : key.view())
        if (!iswalnum(c))
            return false;
    return true;
}

// --- the sheet grid and the targets

TEST_F(MacroSettingsTest, ModuleGroupSwitchedToTheEntireMacroIsStoredUnderAFreshKey) {
    attach({{L"Plate"}, {L"Module.Plates"}});
    EXPECT_EQ(run([](ui::Automation& dlg) {
                  ui::Automation page = mappingPage(dlg);
                  auto sheets = page.control<ui::GridAutomation>(Mapping::IDC_SHEETS);
                  auto variables = page.control<ui::GridAutomation>(Mapping::IDC_VARIABLES);
                  EXPECT_EQ(sheets.text(1, 1), L"Plate");
                  EXPECT_EQ(sheets.text(2, 1), L"Plates");
                  EXPECT_EQ(sheets.comboItems(2, 1), (std::vector<std::wstring>{L"<Entire macro>", L"Plates",
                                                                                L"Bolts", L"Stiffeners"}));
                  EXPECT_EQ(sheets.comboItems(1, 1),
                            (std::vector<std::wstring>{L"BasePlate", L"Childs\\BoltLayout",
                                                       L"EndPlateBeamToColumn", L"FinPlate", L"Plate"}));
                  // A module group follows the name convention: no links to show.
                  EXPECT_EQ(variables.rows(), 0);
                  sheets.selectCombo(2, 1, L"<Entire macro>");
                  EXPECT_EQ(variables.rows(), kWideRow);
                  EXPECT_EQ(variables.text(1, kThickRow), L"Thick");
                  EXPECT_EQ(variables.text(2, kThickRow), L"");  // nothing stored yet
                  dlg.click(IDOK);
              }),
              IDOK);
    const MacroStandards after = stored();
    ASSERT_EQ(after.sheets.length(), 1);
    EXPECT_TRUE(isFreshKey(after.mapsTo[0])) << after.mapsTo[0].toUtf8();
    EXPECT_EQ(mapFile(), "Mapping version 1.0\n" + after.mapsTo[0].toUtf8() + "=\n");
}

TEST_F(MacroSettingsTest, AMappingFileThatCannotBeWrittenKeepsTheDialogOpenUntilItCanBe) {
    attach({{L"Plate"}, {L"Module.Plates"}});
    const fs::path mapping = lib_ / "Connection Standards/Plate.map";
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        dlg.control<ui::TabCtrlVerbs>(CDlgMacroSettings::IDC_TABS).clickTab(kMappingPage);
        ui::Automation page = mappingPage(dlg);
        page.control<ui::GridAutomation>(Mapping::IDC_SHEETS).selectCombo(2, 1, L"<Entire macro>");
        fs::create_directories(mapping);  // a folder where the mapping file goes: the write fails
        dlg.click(IDOK);
        ASSERT_EQ(driver.messageBoxes().size(), 1u);
        EXPECT_NE(driver.messageBoxes()[0].text.find(L"Plate.map"), std::wstring::npos);
        EXPECT_EQ(stored().mapsTo[0], L"Module.Plates") << "nothing is taken while the links are unwritten";
        fs::remove(mapping);
        dlg.click(IDOK);
    });
    EXPECT_EQ(runMacroSettings(data_, nullptr), IDOK);
    ui::expectDriverDone(driver);
    const MacroStandards after = stored();
    ASSERT_EQ(after.sheets.length(), 1);
    EXPECT_TRUE(isFreshKey(after.mapsTo[0])) << after.mapsTo[0].toUtf8();
    EXPECT_EQ(mapFile(), "Mapping version 1.0\n" + after.mapsTo[0].toUtf8() + "=\n");
}

TEST_F(MacroSettingsTest, ALinkChosenIsStoredOnceAndApplyingAgainWritesNothing) {
    attach({{L"Plate"}, {L""}});
    run([](ui::Automation& dlg) {
        ui::Automation page = mappingPage(dlg);
        auto variables = page.control<ui::GridAutomation>(Mapping::IDC_VARIABLES);
        variables.selectCombo(2, kThickRow, L"Plates.Thickness");
        variables.selectCombo(2, kWideRow, L"Plates.Width");
        dlg.click(IDOK);
    });
    const Mx_String key = stored().mapsTo[0];
    ASSERT_TRUE(isFreshKey(key));
    const std::string written = mapFile();
    EXPECT_EQ(written,
              "Mapping version 1.0\n" + key.toUtf8() +
                  "=Thick\xC6\x92Plates\" Distance Thickness\xC2\xBFWide\xC6\x92Plates\" Distance Width\n");
    const std::string macroFile = onDisk();

    // Opened again: the links are shown as stored; OK without edits writes no line and keeps the key.
    fs::remove(lib_ / "Connection Standards/Plate.map");
    std::ofstream(lib_ / "Connection Standards/Plate.map", std::ios::binary) << written;
    const auto stamp = fs::last_write_time(lib_ / "Connection Standards/Plate.map");
    run([](ui::Automation& dlg) {
        ui::Automation page = mappingPage(dlg);
        auto variables = page.control<ui::GridAutomation>(Mapping::IDC_VARIABLES);
        EXPECT_EQ(variables.text(2, kThickRow), L"Plates.Thickness");
        EXPECT_EQ(variables.text(2, kWideRow), L"Plates.Width");
        EXPECT_EQ(variables.text(2, kSectionRow), L"");
        dlg.click(IDOK);
    });
    EXPECT_EQ(stored().mapsTo[0], key);
    EXPECT_EQ(mapFile(), written);
    EXPECT_EQ(fs::last_write_time(lib_ / "Connection Standards/Plate.map"), stamp);
    EXPECT_EQ(onDisk(), macroFile);

    // Dropping a link is an edit too: it goes under another fresh key, the old line stays.
    run([](ui::Automation& dlg) {
        ui::Automation page = mappingPage(dlg);
        auto variables = page.control<ui::GridAutomation>(Mapping::IDC_VARIABLES);
        variables.selectCombo(2, kWideRow, 0);  // the empty item
        dlg.click(IDOK);
    });
    const Mx_String third = stored().mapsTo[0];
    EXPECT_NE(third, key);
    EXPECT_TRUE(isFreshKey(third));
    EXPECT_NE(mapFile().find(key.toUtf8() + "=Thick"), std::string::npos);
    EXPECT_NE(mapFile().find(third.toUtf8() + "=Thick\xC6\x92Plates\" Distance Thickness\n"),
              std::string::npos);
}

TEST_F(MacroSettingsTest, VariablesAreOfferedOnlyObjectsOfTheirValueClass) {
    attach({{L"Plate"}, {L""}});
    run([](ui::Automation& dlg) {
        ui::Automation page = mappingPage(dlg);
        auto variables = page.control<ui::GridAutomation>(Mapping::IDC_VARIABLES);
        EXPECT_EQ(variables.text(0, 2), L"Input");
        EXPECT_EQ(variables.text(0, 7), L"Output");
        EXPECT_EQ(variables.text(0, kThickRow), L"Decim");
        EXPECT_EQ(variables.text(0, kSectionRow), L"Tekst");
        EXPECT_EQ(variables.text(0, kRowsRow), L"Getal");

        std::vector<std::wstring> strings = variables.comboItems(2, kSectionRow);
        ASSERT_FALSE(strings.empty());
        EXPECT_EQ(strings.front(), L"");  // no link
        strings.erase(strings.begin());
        EXPECT_EQ(strings, (std::vector<std::wstring>{
                               L"Bolts.BoltRows.PatternNrBolts1", L"Bolts.BoltRows.PatternNrBolts2",
                               L"Stiffeners.TopStiffener.OwnedMemberName",
                               L"Stiffeners.BottomStiffener.OwnedMemberName", L".Prof0.PrPlName",
                               L".Prof0.PrPlMaterial", L".Prof1.PrPlName", L".Prof1.PrPlMaterial"}));
        // Integers and doubles are one class: the same numeric objects, none of the text kinds.
        const std::vector<std::wstring> numbers = variables.comboItems(2, kThickRow);
        EXPECT_EQ(variables.comboItems(2, kRowsRow), numbers);
        ASSERT_GT(numbers.size(), 1u);
        EXPECT_EQ(numbers[1], L"Plates.Thickness");
        for (const std::wstring& item : numbers) {
            for (const wchar_t* text : {L"PrPlName", L"PrPlMaterial", L"OwnedMemberName", L"PatternNrBolts"})
                EXPECT_EQ(item.find(text), std::wstring::npos) << Mx_String(item).toUtf8();
        }
        for (const wchar_t* expected : {L"Bolts.BoltRows.PatternReverseStart1", L"Bolts.BoltsDiameter",
                                        L".gen_Clearance.GenVar", L"Plates.CornerChamfer.CutChamferOffset1"})
            EXPECT_NE(std::find(numbers.begin(), numbers.end(), expected), numbers.end())
                << Mx_String(expected).toUtf8();
        dlg.click(IDCANCEL);
    });
}

TEST_F(MacroSettingsTest, AddRemoveAndMoveEditBothListsAndKeepEachRowsTarget) {
    attach({{L"EndPlateBeamToColumn", L"Plate"}, {L"EndPlateBeamToColumn", L"Module.Bolts"}});
    EXPECT_EQ(run([](ui::Automation& dlg) {
                  ui::Automation page = mappingPage(dlg);
                  auto sheets = page.control<ui::GridAutomation>(Mapping::IDC_SHEETS);
                  auto variables = page.control<ui::GridAutomation>(Mapping::IDC_VARIABLES);
                  // The bundled mapping's links are shown for the first row.
                  EXPECT_EQ(variables.text(1, 3), L"ColumnSection");
                  EXPECT_EQ(variables.text(2, 3), L".Prof0.PrPlName");

                  sheets.click(1, 2);
                  EXPECT_EQ(variables.rows(), 0);  // Module.Bolts
                  page.click(Mapping::IDC_UP);     // the selected row moves, and stays selected
                  EXPECT_EQ(sheets.text(1, 1), L"Plate");
                  EXPECT_EQ(sheets.text(2, 1), L"Bolts");
                  EXPECT_EQ(sheets.activeCell().second, 1);
                  page.click(Mapping::IDC_UP);  // at the top: nothing moves
                  EXPECT_EQ(sheets.text(1, 1), L"Plate");

                  page.click(Mapping::IDC_ADD);  // an empty row before the selected one
                  ASSERT_EQ(sheets.rows(), 3);
                  EXPECT_EQ(sheets.text(1, 1), L"");
                  EXPECT_EQ(sheets.text(2, 1), L"<Entire macro>");
                  EXPECT_EQ(sheets.activeCell().second, 1);
                  sheets.selectCombo(1, 1, L"FinPlate");
                  sheets.selectCombo(2, 1, L"Plates");

                  page.click(Mapping::IDC_DOWN);
                  EXPECT_EQ(sheets.text(1, 2), L"FinPlate");
                  EXPECT_EQ(sheets.text(1, 1), L"Plate");

                  sheets.click(1, 3);
                  page.click(Mapping::IDC_REMOVE);  // the last row: the new last is selected
                  ASSERT_EQ(sheets.rows(), 2);
                  EXPECT_EQ(sheets.activeCell().second, 2);
                  dlg.click(IDOK);
              }),
              IDOK);
    const MacroStandards after = stored();
    EXPECT_EQ(after.sheets, (Mx_StringArray{L"Plate", L"FinPlate"}));
    EXPECT_EQ(after.mapsTo, (Mx_StringArray{L"Module.Bolts", L"Module.Plates"}));
    EXPECT_FALSE(hasMapFile("FinPlate") && mapFile("FinPlate").find("Module") != std::string::npos);
}

TEST_F(MacroSettingsTest, AnUneditedSheetKeepsItsKeyAndLinksThePageCannotOffer) {
    // The beam depth is a section column, offered only when the section tables can be read: here they
    // cannot, and the stored link must survive an OK all the same.
    attach({{L"EndPlateBeamToColumn"}, {L"EndPlateBeamToColumn"}});
    const std::string bundledMap = mapFile("EndPlateBeamToColumn");
    run([](ui::Automation& dlg) {
        ui::Automation page = mappingPage(dlg);
        auto variables = page.control<ui::GridAutomation>(Mapping::IDC_VARIABLES);
        EXPECT_EQ(variables.text(1, 5), L"BeamDepth");
        EXPECT_EQ(variables.text(2, 5), L".Prof1;0");
        dlg.click(IDOK);
    });
    EXPECT_EQ(stored().mapsTo, (Mx_StringArray{L"EndPlateBeamToColumn"}));
    EXPECT_EQ(mapFile("EndPlateBeamToColumn"), bundledMap);

    // Unlinked by the user, it goes: under a fresh key, the bundled line staying as it was.
    run([](ui::Automation& dlg) {
        ui::Automation page = mappingPage(dlg);
        page.control<ui::GridAutomation>(Mapping::IDC_VARIABLES).selectCombo(2, 5, 0);
        dlg.click(IDOK);
    });
    const Mx_String key = stored().mapsTo[0];
    EXPECT_TRUE(isFreshKey(key));
    const std::string after = mapFile("EndPlateBeamToColumn");
    EXPECT_EQ(after.rfind(bundledMap, 0), 0u);
    const std::string added = after.substr(bundledMap.size());
    EXPECT_EQ(added.rfind(key.toUtf8() + "=ColumnSection", 0), 0u);
    EXPECT_EQ(added.find("BeamDepth"), std::string::npos);
    EXPECT_NE(added.find("StiffenerThickness"), std::string::npos);
}

TEST_F(MacroSettingsTest, OnlyTheSheetGridsMessagesChangeTheShownSheet) {
    attach({{L"Plate", L"EndPlateBeamToColumn"}, {L"", L"EndPlateBeamToColumn"}});
    run([](ui::Automation& dlg) {
        ui::Automation page = mappingPage(dlg);
        auto sheets = page.control<ui::GridAutomation>(Mapping::IDC_SHEETS);
        auto variables = page.control<ui::GridAutomation>(Mapping::IDC_VARIABLES);
        EXPECT_EQ(variables.text(1, kThickRow), L"Thick");
        // The second row made active without a notification, then told by another control: ignored.
        SSSetActiveCell(sheets.hwnd(), 1, 2);
        ::SendMessage(page.root(), SSM_LEAVECELL, Mapping::IDC_VARIABLES, 0);
        EXPECT_EQ(variables.text(1, kThickRow), L"Thick");
        for (UINT message : {SSM_BLOCKSELECTED, SSM_EDITMODEON, SSM_COMBODROPDOWN, SSM_COMBOCLOSEUP}) {
            SSSetActiveCell(sheets.hwnd(), 1, 1);
            ::SendMessage(page.root(), SSM_LEAVECELL, Mapping::IDC_SHEETS, 0);
            EXPECT_EQ(variables.text(1, kThickRow), L"Thick");
            SSSetActiveCell(sheets.hwnd(), 1, 2);
            ::SendMessage(page.root(), message, Mapping::IDC_SHEETS, 0);
            EXPECT_EQ(variables.text(1, 3), L"ColumnSection") << message;
        }
        // A row outside the list is no row.
        SSSetActiveCell(sheets.hwnd(), 1, 9);
        ::SendMessage(page.root(), SSM_LEAVECELL, Mapping::IDC_SHEETS, 0);
        EXPECT_EQ(variables.text(1, 3), L"ColumnSection");
        dlg.click(IDCANCEL);
    });
}

TEST_F(MacroSettingsTest, CancelWritesNothingEvenAfterSwitchingRows) {
    attach({{L"Plate", L"EndPlateBeamToColumn"}, {L"", L"EndPlateBeamToColumn"}});
    const std::string macroFile = onDisk();
    const std::string bundledMap = mapFile("EndPlateBeamToColumn");
    EXPECT_EQ(run([](ui::Automation& dlg) {
                  ui::Automation page = mappingPage(dlg);
                  auto variables = page.control<ui::GridAutomation>(Mapping::IDC_VARIABLES);
                  variables.selectCombo(2, kThickRow, L"Plates.Thickness");
                  page.control<ui::GridAutomation>(Mapping::IDC_SHEETS).click(1, 2);  // stores row 1's links
                  variables.selectCombo(2, 3, L".Prof1.PrPlName");
                  page.click(Mapping::IDC_REMOVE);
                  dlg.click(IDCANCEL);
              }),
              IDCANCEL);
    EXPECT_EQ(onDisk(), macroFile);
    EXPECT_FALSE(hasMapFile());
    EXPECT_EQ(mapFile("EndPlateBeamToColumn"), bundledMap);
    EXPECT_EQ(stored().sheets.length(), 2);
}

TEST_F(MacroSettingsTest, ASheetThatCannotBeReadShowsNoVariablesAndStoresNothing) {
    attach({{L"Missing", L"Plate"}, {L"SomeKey", L""}});
    run([](ui::Automation& dlg) {
        ui::Automation page = mappingPage(dlg);
        auto variables = page.control<ui::GridAutomation>(Mapping::IDC_VARIABLES);
        EXPECT_EQ(variables.rows(), 0);
        dlg.click(IDOK);
    });
    // The row keeps its key (its links are not lost); no mapping file is made for it.
    EXPECT_EQ(stored().mapsTo[0], Mx_String(L"SomeKey"));
    EXPECT_FALSE(hasMapFile("Missing"));
}

// --- end to end: the next standards run uses the stored link

TEST_F(MacroSettingsTest, ALinkStoredThroughThePageIsUsedByTheNextStandardsRun) {
    gSettings.setStandardsWarnings(false);  // Section and Rows are left unlinked
    attach({{L"Plate"}, {L""}});
    run([](ui::Automation& dlg) {
        ui::Automation page = mappingPage(dlg);
        auto variables = page.control<ui::GridAutomation>(Mapping::IDC_VARIABLES);
        variables.selectCombo(2, kThickRow, L"Plates.Thickness");
        variables.selectCombo(2, kWideRow, L"Plates.Height");
        dlg.click(IDOK);
    });
    MacroDrawing& drawing = MacroDrawing::active();
    Mx_DbMacro* macro = drawing.object(data_.objectIds[0]);
    ASSERT_NE(macro, nullptr);
    Mx_String mapsTo;
    ASSERT_TRUE(macro->macroRead()->standards().findMapsTo(
        Mx_String((lib_ / "Connection Standards/Plate.vls").wstring()), mapsTo));
    MacroData tabs;
    ASSERT_EQ(drawing.initMacroData(data_.objectIds, tabs), Acad::eOk);
    VlDlgStandardsData run;
    AcTransaction transaction;
    ASSERT_EQ(run.initialize(macro, Mx_String(L"Plate"), mapsTo, &tabs), Acad::eOk);
    run.transaction = &transaction;
    ASSERT_TRUE(StartDlgStandardsSS(run));
    double height = 0;
    const Mx_Module* plate = nullptr;
    ASSERT_EQ(macro->macroRead()->findModule(L"EndPlate", plate), Acad::eOk);
    ASSERT_EQ(plate->getConstrVarValue(L"Height", height), Acad::eOk);
    EXPECT_EQ(height, 150.0);  // Thickness 15 * 10
}

// --- the other pages

TEST_F(MacroSettingsTest, FilterPagesAreWrittenIntoTheMacroOnOk) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        ui::Automation angles(dlg.find(CTabMacroFilter::IDD));
        angles.click(CTabMacroFilter::IDC_ANGLE_90);
        angles.control<ui::CheckComboVerbs>(CTabMacroFilter::IDC_SECTION_ANGLES).toggleCheck(2);
        dlg.control<ui::TabCtrlVerbs>(CDlgMacroSettings::IDC_TABS).clickTab(1);
        ui::Automation sizes(dlg.find(CTabMacroFilter2::IDD));
        sizes.type(CTabMacroFilter2::IDC_DISTANCE_MAX, L"250");
        sizes.type(CTabMacroFilter2::IDC_SIZE_MIN, L"not a number");  // keeps its value
        sizes.control<ui::CheckComboVerbs>(CTabMacroFilter2::IDC_SECTION_KINDS).toggleCheck(1);
        dlg.control<ui::TabCtrlVerbs>(CDlgMacroSettings::IDC_TABS).clickTab(2);
        ui::Automation props(dlg.find(CTabMacroFilterProps::IDD));
        props.click(CTabMacroFilterProps::IDC_ADD);
        auto grid = props.control<ui::GridAutomation>(CTabMacroFilterProps::IDC_PROPERTIES);
        grid.type(1, 1, L"Load class");
        grid.type(2, 1, L"Heavy");
        props.click(CTabMacroFilterProps::IDC_ADD);  // a row left without a name is dropped
        dlg.click(IDOK);
    });
    EXPECT_EQ(runMacroSettings(data_, nullptr), IDOK);
    ui::expectDriverDone(driver);
    const MacroFilters& f = MacroDrawing::active().object(data_.objectIds[0])->macroRead()->filters();
    EXPECT_FALSE(f.angle180);
    EXPECT_TRUE(f.angle90);
    EXPECT_EQ(f.sectionAngles, (Mx_StringArray{L"180"}));
    EXPECT_EQ(f.pathDistanceMax, 250.0);
    EXPECT_EQ(f.sectionSizeMin, 0.0);
    EXPECT_EQ(f.sectionKinds, (Mx_StringArray{L"H"}));
    EXPECT_EQ(f.propertyNames, (Mx_StringArray{L"Load class"}));
    EXPECT_EQ(f.propertyValues, (Mx_StringArray{L"Heavy"}));
    // In the file, read back by the next open.
    Mx_DbMacro reread;
    ASSERT_EQ(reread.readFromFile(Mx_String((dir_ / "EndPlate.json").wstring())), Acad::eOk);
    EXPECT_TRUE(reread.macroRead()->filters() == f);
    EXPECT_TRUE(logHas(L"SetMacroSettings 1 -> 0 sheets"));
}

TEST_F(MacroSettingsTest, AValueThatIsNoNumberWritesNothing) {
    const std::string before = onDisk();
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.control<ui::TabCtrlVerbs>(CDlgMacroSettings::IDC_TABS).clickTab(3);
        ui::Automation page(dlg.find(214));
        auto grid = page.control<ui::GridAutomation>(1196);
        EXPECT_EQ(grid.text(1, 1), L"gen_Clearance");
        EXPECT_EQ(grid.cellType(1, 1), grid.cellType(1, 2));
        grid.type(2, 1, L"ten");
        dlg.click(IDOK);
    });
    EXPECT_EQ(runMacroSettings(data_, nullptr), IDCANCEL);
    ui::expectDriverDone(driver);
    EXPECT_EQ(onDisk(), before);
    EXPECT_TRUE(logHas(L"gen_Clearance is not a number"));
}

TEST_F(MacroSettingsTest, MappingPagePicture) {
    attach({{L"EndPlateBeamToColumn", L"Plate"}, {L"EndPlateBeamToColumn", L"Module.Plates"}});
    run([](ui::Automation& dlg) {
        ui::expectMatchesGolden(ui::renderWindow(dlg.root(), 1), "macro_settings_mapping");
        dlg.click(IDCANCEL);
    });
}

TEST_F(MacroSettingsTest, AngleFilterPagePicture) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        ui::Automation(dlg.find(CTabMacroFilter::IDD)).click(CTabMacroFilter::IDC_ANGLE_180);
        ui::expectMatchesGolden(ui::renderWindow(dlg.root(), 1), "macro_settings_filters");
        dlg.click(IDCANCEL);
    });
    runMacroSettings(data_, nullptr);
    ui::expectDriverDone(driver);
}

}  // namespace

// The general page of the macro dialog on the bundled end plate: designed controls linked by name, the
// grid for the rest, the apply cycle into the drawing, flex buttons, sub-dialogs and the keyboard.
#include "macrodlg/CMacroTabGeneral.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "MacroDlgTestSupport.h"
#include "MacroPageTestSupport.h"
#include "macrodlg/CDlgMacro.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "macrodlg/MacroDlgRegistry.h"
#include "macrodlg/MacroSubDialogRunners.h"
#include "platform/grid/window/GridAutomation.h"
#include "platform/grid/window/GridMessages.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/UserPicks.h"

namespace {

// The end plate page (template "End Plate"): the fields of the plate's own module are kept.
constexpr int kWidth = 33001;
constexpr int kHeight = 33002;
constexpr int kGauge = 33003;  // a bolt variable: not on the plate's tab
constexpr int kThickness = 33006;
// The bolt page (template "Bolt Assembly").
constexpr int kBoltHead = 33001;
constexpr int kSecondNut = 33005;
constexpr int kBoltDiameter = 33007;
constexpr int kPretensioned = 33008;  // its list names no cell of the tab
// Grid rows of the bolt page: the three cells, then the pattern.
constexpr int kPitchRow = 3;
constexpr int kPatternRow = 4;

int count(const std::wstring& text, const std::wstring& part) {
    int found = 0;
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

class MacroPageTest : public MacroDlgTest {
protected:
    void TearDown() override {
        DestroyAllMacroDlgs();
        setBoltAdvRunner({});
        setPatternRunner({});
        setArrayRunner({});
        clearUserPicks();
        MacroDlgTest::TearDown();
    }
    CDlgMacro& show(MacroData& data, int tab) { return showMacroPage(data, tab); }
    const MacroTabData& tabOf(CDlgMacro& dialog, const wchar_t* name) {
        const MacroTabData* tab = nullptr;
        EXPECT_EQ(dialog.macroData().findTab(name, tab), Acad::eOk);
        return *tab;
    }
    int updates() const { return count(MacroDrawing::active().logText(), L"UpdateModule"); }
};

}  // namespace

// --- linking and the grid

TEST_F(MacroPageTest, AGeneralTabWhoseItemsAllHaveDesignedControlsShowsNoGrid) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 0);
    ui::Automation page(*dialog.page(0));
    EXPECT_EQ(page.text(kThickness), L"15");
    EXPECT_EQ(page.text(kWidth), L"200");
    EXPECT_EQ(page.text(kHeight), L"380");
    EXPECT_EQ(::GetDlgItem(dialog.page(0)->GetSafeHwnd(), kGauge), nullptr)
        << "a field of another module's variable links to nothing and is removed";
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog.page(0)->GetSafeHwnd(), CMacroTabGeneral::IDC_GRID)));
    EXPECT_FALSE(
        ::IsWindowVisible(::GetDlgItem(dialog.page(0)->GetSafeHwnd(), CMacroTabGeneral::IDC_COMPOSITION)))
        << "not a bolt tab";
    const MacroTabData& plates = tabOf(dialog, L"Plates");
    EXPECT_EQ(plates.findCell(L"Width")->controlId, kWidth);
}

TEST_F(MacroPageTest, TheGridListsCellsAndPatternsWithoutDesignedControls) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 1);
    ui::Automation page(*dialog.page(1));
    auto grid = page.control<ui::GridAutomation>(CMacroTabGeneral::IDC_GRID);
    ASSERT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.text(1, 1), L"Edge distance");
    EXPECT_EQ(grid.text(3, kPitchRow), L"90");
    EXPECT_TRUE(grid.locked(1, kPitchRow)) << "labels cannot be edited";
    EXPECT_EQ(grid.text(1, kPatternRow), L"BoltRows");
    EXPECT_EQ(grid.text(3, kPatternRow), L"4");
    EXPECT_EQ(grid.text(4, kPatternRow), L"2");
    const MacroTabData& bolts = tabOf(dialog, L"Bolts");
    EXPECT_EQ(bolts.findCell(L"Pitch")->controlId, -kPitchRow) << "a grid row's item carries minus its row";
    EXPECT_EQ(bolts.patterns()[0].ctrlIds[2], -kPatternRow);
    EXPECT_EQ(::GetDlgItem(dialog.page(1)->GetSafeHwnd(), kPretensioned), nullptr)
        << "a check box whose list names no cell of the tab is removed";
}

TEST_F(MacroPageTest, AGridNumberIsKeptWithTwoDecimalsAndAppliedAtOnce) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 1);
    ui::Automation page(*dialog.page(1));
    auto grid = page.control<ui::GridAutomation>(CMacroTabGeneral::IDC_GRID);
    grid.type(3, kPitchRow, L"3.14159");
    EXPECT_TRUE(logHas(L"UpdateModule EndPlateBolts changed=2 removed=- objects=1 -> ok"));
    EXPECT_EQ(tabOf(dialog, L"Bolts").findCell(L"Pitch")->value, L"3.14");
    EXPECT_NE(onDisk().find("\"name\": \"Pitch\",\n          \"value\": 3.14,"), std::string::npos)
        << onDisk();

    // The same number typed again, in another notation, changes nothing and applies nothing.
    grid.type(3, kPitchRow, L"3.140");
    EXPECT_EQ(updates(), 1);
}

TEST_F(MacroPageTest, APatternCountTypedInTheGridReachesTheModulesPattern) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 1);
    ui::Automation page(*dialog.page(1));
    auto grid = page.control<ui::GridAutomation>(CMacroTabGeneral::IDC_GRID);
    grid.type(3, kPatternRow, L"5");
    EXPECT_TRUE(logHas(L"changed=-14"));
    EXPECT_NE(onDisk().find("\"nrBolts1\": \"5\""), std::string::npos);
    EXPECT_EQ(grid.text(3, kPatternRow), L"5");
    // An empty count is refused by the drawing: the page shows the count it holds.
    grid.type(3, kPatternRow, L"");
    EXPECT_EQ(grid.text(3, kPatternRow), L"5");
    EXPECT_TRUE(logHas(L"-> a value was refused"));
}

TEST_F(MacroPageTest, ReturnWithoutAChangeAppliesNothing) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 0);
    ui::Automation page(*dialog.page(0));
    page.setFocus(kWidth);
    page.press(VK_RETURN);
    EXPECT_EQ(updates(), 0);
    EXPECT_TRUE(page.visible(0)) << "Return does not close the dialog";
    page.type(kWidth, L"220\n");
    EXPECT_EQ(updates(), 1);
    EXPECT_NE(onDisk().find("\"value\": 220"), std::string::npos);
}

// --- bolts

TEST_F(MacroPageTest, TheDesignedDiameterFieldEditsTheBoltDataAndHidesThePagesBoltLists) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 1);
    ui::Automation page(*dialog.page(1));
    EXPECT_FALSE(page.visible(CMacroTabGeneral::IDC_DIAMETER));
    EXPECT_FALSE(page.visible(CMacroTabGeneral::IDC_BOLT_ADVANCED));
    EXPECT_EQ(page.text(kBoltDiameter), L"20");
    page.type(kBoltDiameter, L"24\n");
    EXPECT_TRUE(logHas(L"UpdateModule EndPlateBolts changed=-10 removed=- objects=1 -> ok"));
    EXPECT_NE(onDisk().find("\"diameter\": \"24\""), std::string::npos);
}

TEST_F(MacroPageTest, ABoltTabWithoutTemplateOffersCompositionsAndDiametersAndTheAdvancedDialog) {
    MacroData data = open();
    MacroTabData* bolts = nullptr;
    ASSERT_EQ(data.findTab(L"Bolts", bolts), Acad::eOk);
    bolts->templateFile = Mx_String();
    MacroBoltData* boltData = nullptr;
    bolts->getBoltData(boltData);
    boltData->diameter = L"22";  // not a size of the list: it is added so it still shows
    int advanced = 0;
    setBoltAdvRunner([&](BoltAdvRequest& request) {
        ++advanced;
        EXPECT_EQ(request.data.composition, L"M20 8.8 HV");
        request.data.composition = L"M24 10.9";
        EXPECT_TRUE(request.apply(request.data));
        EXPECT_EQ(request.data.composition, L"M24 10.9") << "the data as the tab holds it now";
        EXPECT_FALSE(request.apply(request.data)) << "the same data again applies nothing";
        return IDOK;
    });
    CDlgMacro& dialog = show(data, 1);
    ui::Automation page(*dialog.page(1));
    ASSERT_TRUE(page.visible(CMacroTabGeneral::IDC_COMPOSITION));
    EXPECT_EQ(page.text(CMacroTabGeneral::IDC_COMPOSITION), L"M20 8.8 HV");
    EXPECT_EQ(page.text(CMacroTabGeneral::IDC_DIAMETER), L"22");
    const std::vector<std::wstring> diameters = page.items(CMacroTabGeneral::IDC_DIAMETER);
    EXPECT_EQ(std::count(diameters.begin(), diameters.end(), L"22"), 1);
    page.select(CMacroTabGeneral::IDC_DIAMETER, L"24");
    EXPECT_NE(onDisk().find("\"diameter\": \"24\""), std::string::npos) << "a selection change applies";
    page.click(CMacroTabGeneral::IDC_BOLT_ADVANCED);
    EXPECT_EQ(advanced, 1);
    EXPECT_NE(onDisk().find("\"composition\": \"M24 10.9\""), std::string::npos);
    EXPECT_EQ(page.text(CMacroTabGeneral::IDC_COMPOSITION), L"M24 10.9");
}

TEST_F(MacroPageTest, FlexButtonsSwitchTheirVariableAndAnUndefinedStateSwitchesNothing) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 1);
    ui::Automation page(*dialog.page(1));
    EXPECT_EQ(page.checked(kBoltHead), BST_UNCHECKED) << "a fixed variable";
    EXPECT_EQ(page.checked(kSecondNut), BST_CHECKED) << "a flexible one is pushed in";
    page.click(kBoltHead);
    bool fixed = true, linked = false;
    ASSERT_EQ(tabOf(dialog, L"Bolts").getFlexFixBtnStatus(L"BoltHead", fixed, linked), Acad::eOk);
    EXPECT_FALSE(fixed);
    EXPECT_TRUE(logHas(L"UpdateModule EndPlateBolts changed=-11"));
    page.click(kSecondNut);
    tabOf(dialog, L"Bolts").getFlexFixBtnStatus(L"SecondNut", fixed, linked);
    EXPECT_TRUE(fixed);
    EXPECT_EQ(page.checked(kSecondNut), BST_UNCHECKED);
    EXPECT_EQ(updates(), 2);

    // A button left in the third state: its click changes nothing and applies nothing.
    page.send(kBoltHead, BM_SETCHECK, BST_INDETERMINATE);
    dialog.page(1)->SendMessage(
        WM_COMMAND, MAKEWPARAM(kBoltHead, BN_CLICKED),
        reinterpret_cast<LPARAM>(::GetDlgItem(dialog.page(1)->GetSafeHwnd(), kBoltHead)));
    EXPECT_EQ(updates(), 2);
    tabOf(dialog, L"Bolts").getFlexFixBtnStatus(L"BoltHead", fixed, linked);
    EXPECT_FALSE(fixed);
}

TEST_F(MacroPageTest, ThePatternDialogAppliesThroughThePage) {
    MacroData data = open();
    int runs = 0;
    setPatternRunner([&](PatternRequest& request) {
        ++runs;
        EXPECT_EQ(request.index, 0);
        EXPECT_EQ(request.pattern.pattern.nrBolts1, L"6") << "what the page showed goes in first";
        MacroPatternProps changed = request.pattern;
        changed.pattern.spacing1 = 75.0;
        EXPECT_TRUE(request.apply(changed));
        return IDOK;
    });
    CDlgMacro& dialog = show(data, 1);
    ui::Automation page(*dialog.page(1));
    auto grid = page.control<ui::GridAutomation>(CMacroTabGeneral::IDC_GRID);
    grid.type(3, kPatternRow, L"6");
    grid.click(5, kPatternRow);
    EXPECT_EQ(runs, 1);
    EXPECT_NE(onDisk().find("\"spacing1\": 75"), std::string::npos);
    EXPECT_NE(onDisk().find("\"nrBolts1\": \"6\""), std::string::npos);
    EXPECT_EQ(tabOf(dialog, L"Bolts").patterns()[0].pattern.spacing1, 75.0);
}

TEST_F(MacroPageTest, AnArrayRowOpensTheArrayDialogAndItsResultIsApplied) {
    MacroData data = open();
    MacroTabData* plates = nullptr;
    data.findTab(L"Plates", plates);
    plates->arraysWrite().append(DynArrayData{L"Stiffeners", 1, 0});
    setArrayRunner([&](ArrayRequest& request) {
        EXPECT_EQ(request.data.name, L"Stiffeners");
        EXPECT_EQ(request.moduleName, L"EndPlate");
        request.data.arrayType = 2;
        return IDOK;
    });
    CDlgMacro& dialog = show(data, 0);
    ui::Automation page(*dialog.page(0));
    auto grid = page.control<ui::GridAutomation>(CMacroTabGeneral::IDC_GRID);
    ASSERT_EQ(grid.rows(), 1) << "the array is the only item without a designed control";
    grid.click(5, 1);
    EXPECT_TRUE(logHas(L"changed=-15"));
    EXPECT_EQ(tabOf(dialog, L"Plates").arrays()[0].arrayType, 2);
    EXPECT_NE(onDisk().find("\"arrayType\": 2"), std::string::npos);
}

// --- grid cells of every kind

TEST_F(MacroPageTest, GridCellsTakeTheirTypeFromTheCellKindAndReadOnlyCellsAreLocked) {
    MacroData data = open();
    // The plate's tab without its template, its cells of every kind.
    MacroTabData* plates = nullptr;
    ASSERT_EQ(data.findTab(L"Plates", plates), Acad::eOk);
    MacroTabData extra(L"Plates", MacroTabData::kGeneral);
    extra.title = L"End plate";
    extra.moduleName = L"EndPlate";
    extra.addCell({L"Thickness", MacroCell::kCombo, 0, L"Thickness", L"15", L"12;15;20"});
    extra.addCell({L"Note", MacroCell::kText, 0, L"Note", L"plain"});
    extra.addCell({L"Welded", MacroCell::kCheckBox, 0, L"Welded", L"1"});
    MacroCell fixed{L"Width", MacroCell::kNumber, 0, L"Width", L"200"};
    fixed.readOnly = true;
    extra.addCell(fixed);
    *plates = extra;
    CDlgMacro& dialog = show(data, 0);
    ui::Automation page(*dialog.page(0));
    auto grid = page.control<ui::GridAutomation>(CMacroTabGeneral::IDC_GRID);
    ASSERT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.comboItems(3, 1), (std::vector<std::wstring>{L"12", L"15", L"20"}));
    EXPECT_TRUE(grid.checked(3, 3));
    EXPECT_TRUE(grid.locked(3, 4));
    EXPECT_FALSE(grid.locked(3, 2));
    grid.selectCombo(3, 1, L"20");
    EXPECT_NE(onDisk().find("\"value\": 20.0,"), std::string::npos) << "a combo choice applies";
    EXPECT_EQ(tabOf(dialog, L"Plates").findCell(L"Thickness")->value, L"20");
    grid.click(3, 3);
    EXPECT_EQ(tabOf(dialog, L"Plates").findCell(L"Welded")->value, L"0") << "a check box is kept as 1 or 0";
}

// --- keyboard

TEST_F(MacroPageTest, TabRunsInARingOverTheTemplateAndTheGrid) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 1);
    ui::Automation page(*dialog.page(1));
    page.setFocus(kBoltDiameter);
    std::vector<int> visited;
    for (int i = 0; i < 12 && (visited.empty() || visited.back() != CMacroTabGeneral::IDC_GRID); ++i) {
        page.press(VK_TAB);
        visited.push_back(page.focusedId());
    }
    ASSERT_EQ(visited.back(), CMacroTabGeneral::IDC_GRID)
        << "the template's last control hands on to the grid";
    auto grid = page.control<ui::GridAutomation>(CMacroTabGeneral::IDC_GRID);
    EXPECT_EQ(grid.activeCell(), (std::pair<SS_COORD, SS_COORD>{3, 1})) << "its first cell that takes input";
    page.press(VK_TAB, ui::Keys::Shift);
    EXPECT_GE(page.focusedId(), CMacroTabPage::kFirstDesignedId) << "Shift+Tab on the first cell goes back";
    EXPECT_LE(page.focusedId(), CMacroTabPage::kLastDesignedId);
}

TEST_F(MacroPageTest, TabOnAPageWithOnlyDesignedFieldsWrapsInsideTheTemplate) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 0);
    ui::Automation page(*dialog.page(0));
    page.setFocus(kThickness);
    std::vector<int> visited;
    for (int i = 0; i < 4; ++i) {
        page.press(VK_TAB);
        visited.push_back(page.focusedId());
    }
    EXPECT_EQ(visited, (std::vector<int>{kHeight, kWidth, kThickness, kHeight}));
}

TEST_F(MacroPageTest, EscapeInAPageClosesTheWholeDialogAsItsCloseButtonDoes) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 1);
    ui::Automation page(*dialog.page(1));
    page.setFocus(kBoltDiameter);
    page.press(VK_ESCAPE);
    EXPECT_EQ(MacroDlgRegistry::instance().length(), 0);
    EXPECT_TRUE(logHas(L"changeView EndPlateBolts 3"));
}

TEST_F(MacroPageTest, PictureOfTheBoltPage) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 1);
    dialog.ShowWindow(SW_SHOW);
    ui::expectMatchesGolden(ui::renderWindow(dialog.GetSafeHwnd(), 1), "macro_page_bolts");
}

// --- a template of every kind of linked control, in a library of its own

namespace {

struct Control {
    int type;
    const char* contents;
    const char* list;
    double left, top, right, bottom;
};

// Writes a template (no bitmap: the controls sit on the page's button face).
void writeTemplate(const std::filesystem::path& file, const std::vector<Control>& controls) {
    std::ofstream out(file, std::ios::binary);
    out << "Mx_PropertiesList 1\nnrOfControls\tint\t" << controls.size() << "\n";
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Control& c = controls[i];
        out << "type" << i << "\tint\t" << c.type << "\n"
            << "topLeftX" << i << "\tdouble\t" << c.left << "\n"
            << "topLeftY" << i << "\tdouble\t" << c.top << "\n"
            << "bottomRightX" << i << "\tdouble\t" << c.right << "\n"
            << "bottomRightY" << i << "\tdouble\t" << c.bottom << "\n"
            << "contents" << i << "\tstring\t" << c.contents << "\n"
            << "comboList" << i << "\tstring\t" << c.list << "\n";
    }
}

}  // namespace

TEST_F(MacroPageTest, CheckBoxesActionButtonsAndLabelsAreLinkedByTheirLists) {
    const std::filesystem::path library = dir_ / "library";
    const std::filesystem::path designs = library / "Dialog Templates" / "Dialog Design";
    std::filesystem::create_directories(designs);
    writeTemplate(designs / "Plate checks.txt",
                  {{kCtrlCheckBox, "Welded all round", "Welded", 0, 0, 0, 0},  // 33000
                   {kCtrlVarButton, "Pick", "Height;pick;;;", 0, 0, 0, 0},     // 33001: read-only cell
                   {kCtrlVarButton, "Place", "Width;place;;;", 0, 0, 0, 0},    // 33002: editable cell
                   {kCtrlStatic, "Weld size", "WeldSize", 0, 0, 0, 0},         // 33003: no such cell
                   {kCtrlStatic, "Plate", "", 0, 0, 0, 0},                     // 33004
                   {kCtrlPositionList, "BeamEndCut", "", 0, 0, 0, 0}});        // 33005: cuts are not in tabs
    gSettings.setLibDir(Mx_String(library.wstring() + L"/"));
    MacroData data = open();
    MacroTabData* plates = nullptr;
    ASSERT_EQ(data.findTab(L"Plates", plates), Acad::eOk);
    MacroTabData checks(L"Plates", MacroTabData::kGeneral);
    checks.moduleName = L"EndPlate";
    checks.templateFile = L"Plate checks";
    checks.addCell({L"Welded", MacroCell::kCheckBox, 0, L"Welded", L"0"});
    MacroCell height{L"Height", MacroCell::kNumber, 0, L"Height", L"380"};
    height.readOnly = true;
    checks.addCell(height);
    checks.addCell({L"Width", MacroCell::kNumber, 0, L"Width", L"200"});
    *plates = checks;
    CDlgMacro& dialog = show(data, 0);
    gSettings.setLibDir(Mx_String());
    ui::Automation page(*dialog.page(0));
    const HWND hwnd = dialog.page(0)->GetSafeHwnd();
    EXPECT_EQ(page.text(33000), L"Welded all round");
    EXPECT_EQ(page.checked(33000), BST_UNCHECKED);
    EXPECT_NE(::GetDlgItem(hwnd, 33001), nullptr);
    EXPECT_EQ(::GetDlgItem(hwnd, 33002), nullptr) << "an action on a cell the user may edit is removed";
    EXPECT_EQ(page.text(33003), L"") << "the label of a missing cell says nothing";
    EXPECT_EQ(page.text(33004), L"Plate");
    EXPECT_EQ(::GetDlgItem(hwnd, 33005), nullptr);
    auto grid = page.control<ui::GridAutomation>(CMacroTabGeneral::IDC_GRID);
    ASSERT_EQ(grid.rows(), 1) << "only the width has no designed control";

    page.click(33000);
    EXPECT_EQ(tabOf(dialog, L"Plates").findCell(L"Welded")->value, L"1") << "a click on a check box applies";
    EXPECT_EQ(updates(), 1);

    host::clearEvents();
    queueUserPick(L"410");
    page.click(33001);
    EXPECT_TRUE(logHas(L"designed action 25 Height;pick;;; -> 410"));
    ASSERT_FALSE(host::events().empty());
    EXPECT_EQ(host::events().front().text, L"CANCELCMD");
}

#include "macrodlg/CDlgEditMacro.h"

#include <gtest/gtest.h>

#include "MacroDlgTestSupport.h"
#include "macrodlg/CTabEditConstraints.h"
#include "macrodlg/CTabEditVars.h"
#include "macrodlg/CTabGeometries.h"
#include "macrodlg/CTabMacroCommands.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "macrodlg/MacroDlgRegistry.h"
#include "macrodlg/MacroEditorWindow.h"
#include "platform/grid/window/GridAutomation.h"
#include "platform/mfc/ButtonST.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/TabCtrl.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/Window.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/EditConstrCalls.h"
#include "platform/mxbase/Mx_Macro.h"
#include "spread/Mx_DlgPromptString.h"

namespace {

const std::filesystem::path kStiffened =
    std::filesystem::path(CONNSHEET_SOURCE_DIR) / "tests/data/macros/StiffenedEndPlate.json";

using Editor = CDlgEditMacro;
using Constraints = CTabEditConstraints;

std::vector<std::wstring> modules(const ui::Automation& dlg) {
    return dlg.items(Editor::IDC_MODULES);
}

std::wstring currentModule(const ui::Automation& dlg) {
    const std::vector<std::wstring> names = modules(dlg);
    const int at = dlg.selection(Editor::IDC_MODULES);
    return at >= 0 && at < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(at)] : L"";
}

void showPage(ui::Automation& dlg, int page) {
    dlg.select(Editor::IDC_TABS, page);
}

int count(const std::wstring& text, const std::wstring& part) {
    int found = 0;
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

// The modeless editor's window, null when none is open.
CDlgEditMacro* openEditor() {
    for (HWND window : ui::topLevelWindows()) {
        if (auto* editor = dynamic_cast<CDlgEditMacro*>(CWnd::FromHandle(window)))
            return editor;
    }
    return nullptr;
}

Mx_StringArray names(std::initializer_list<const wchar_t*> list) {
    Mx_StringArray out;
    for (const wchar_t* name : list)
        out.append(name);
    return out;
}

}  // namespace

// The stiffened end plate (modules EndPlate, EndPlateBolts, Stiffeners with geometry, constraints and
// equations) as the drawing, and the editor's data on it.
class EditMacroTest : public MacroDlgTest {
protected:
    void SetUp() override {
        MacroDlgTest::SetUp();
        std::filesystem::copy_file(kStiffened, dir_ / "Stiffened.json");
        EXPECT_EQ(MacroDrawing::active().open(Mx_String((dir_ / "Stiffened.json").wstring())), Acad::eOk);
        data_.objectIds = MacroDrawing::active().objectIds();
        data_.macroName = L"StiffenedEndPlate";
        MacroDrawing::active().clearLog();
        host::clearEvents();
        cancelNextGeometryPick();
    }
    void TearDown() override {
        setDrawingInteraction({});
        cancelNextGeometryPick();
        MacroDlgTest::TearDown();
    }
    std::string file() const { return onDisk("Stiffened.json"); }
    const Mx_Module* module(const wchar_t* name) const {
        const Mx_Module* found = nullptr;
        const Mx_Macro* macro = EditedMacro(data_);
        return macro != nullptr && macro->findModule(name, found) == Acad::eOk ? found : nullptr;
    }
    // Runs the editor modally with the steps; the result of StartDlgEditConstrModal.
    bool runEditor(ui::ScriptedDriver::Step steps) {
        ui::ScriptedDriver driver;
        driver.onModal(std::move(steps));
        const bool ok = StartDlgEditConstrModal(data_);
        ui::expectDriverDone(driver);
        return ok;
    }

    EditConstrData data_;
};

// --- modules

TEST_F(EditMacroTest, RemovingModulesKeepsThePlaceOrTakesTheOneBeforeTheLast) {
    EXPECT_TRUE(runEditor([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Macro editor");
        EXPECT_EQ(dlg.text(IDOK), L"Close");
        EXPECT_EQ(modules(dlg), (std::vector<std::wstring>{L"EndPlate", L"EndPlateBolts", L"Stiffeners"}));
        EXPECT_EQ(currentModule(dlg), L"EndPlate");
        dlg.select(Editor::IDC_MODULES, 2);
        dlg.click(Editor::IDC_REMOVE_MODULE);
        EXPECT_EQ(modules(dlg), (std::vector<std::wstring>{L"EndPlate", L"EndPlateBolts"}));
        EXPECT_EQ(currentModule(dlg), L"EndPlateBolts") << "the last one went: the one before it";
        dlg.select(Editor::IDC_MODULES, 0);
        dlg.click(Editor::IDC_REMOVE_MODULE);
        EXPECT_EQ(currentModule(dlg), L"EndPlateBolts") << "same place in the list";
        dlg.click(Editor::IDC_REMOVE_MODULE);
        EXPECT_TRUE(modules(dlg).empty());
        EXPECT_EQ(dlg.selection(Editor::IDC_MODULES), -1);
        dlg.click(Editor::IDC_REMOVE_MODULE);  // nothing left: nothing happens
        dlg.click(IDOK);
    }));
    EXPECT_EQ(EditedMacro(data_)->numModules(), 0);
    EXPECT_EQ(file().find("StiffenerEdge"), std::string::npos) << "the file holds no module any more";
    EXPECT_EQ(count(MacroDrawing::active().logText(), L"RemoveModule"), 3);
}

TEST_F(EditMacroTest, ARenameTheDrawingRefusesKeepsTheOldName) {
    const std::string before = file();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        dlg.select(Editor::IDC_MODULES, 1);
        dlg.click(Editor::IDC_RENAME);  // the prompt takes the next step
    });
    driver.onModal([&](ui::Automation& prompt) {
        EXPECT_EQ(prompt.text(0), L"Rename module");
        EXPECT_EQ(prompt.text(Mx_DlgPromptString::IDC_VALUE), L"EndPlateBolts");
        prompt.type(Mx_DlgPromptString::IDC_VALUE, L"stiffeners");  // another module's name, any case
        prompt.click(IDOK);
    });
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(modules(dlg), (std::vector<std::wstring>{L"EndPlate", L"EndPlateBolts", L"Stiffeners"}));
        EXPECT_EQ(currentModule(dlg), L"EndPlateBolts");
        dlg.click(Editor::IDC_RENAME);
    });
    driver.onModal([&](ui::Automation& prompt) {
        prompt.type(Mx_DlgPromptString::IDC_VALUE, L"Bolts/Top");  // not a name a file can hold
        prompt.click(IDOK);
    });
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(currentModule(dlg), L"EndPlateBolts");
        dlg.click(Editor::IDC_RENAME);
    });
    driver.onModal([&](ui::Automation& prompt) {
        prompt.type(Mx_DlgPromptString::IDC_VALUE, L"TopBolts");
        prompt.click(IDOK);
    });
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(modules(dlg), (std::vector<std::wstring>{L"EndPlate", L"TopBolts", L"Stiffeners"}));
        EXPECT_EQ(currentModule(dlg), L"TopBolts");
        dlg.click(IDOK);
    });
    EXPECT_TRUE(StartDlgEditConstrModal(data_));
    ui::expectDriverDone(driver);
    EXPECT_TRUE(logHas(L"RenameModule EndPlateBolts stiffeners -> refused: name in use"));
    EXPECT_TRUE(logHas(L"RenameModule EndPlateBolts Bolts/Top -> refused: invalid"));
    EXPECT_NE(file().find("\"name\": \"TopBolts\""), std::string::npos);
    EXPECT_NE(before, file());
}

// --- the zoom guard and the commands page

TEST_F(EditMacroTest, ZoomPressedAgainWhileTheZoomRunsIsIgnored) {
    runEditor([&](ui::Automation& dlg) {
        int pressesDuringZoom = 0;
        setDrawingInteraction([&] {
            // The host's loop runs while the zoom waits for the user: a second press arrives.
            ++pressesDuringZoom;
            dlg.send(0, WM_COMMAND, MAKEWPARAM(Editor::IDC_ZOOM, BN_CLICKED), 0);
        });
        dlg.click(Editor::IDC_ZOOM);
        setDrawingInteraction({});
        EXPECT_EQ(pressesDuringZoom, 1) << "the second press started no zoom of its own";
        dlg.click(Editor::IDC_ZOOM);  // once the zoom is over, the button works again
        dlg.click(IDOK);
    });
    EXPECT_EQ(count(MacroDrawing::active().logText(), L"ZoomCommand"), 2);
    EXPECT_EQ(MacroDrawing::active().viewOf(data_.objectIds[0]), 3);
    int begun = 0, completed = 0;
    for (const host::Event& event : host::events()) {
        begun += event.kind == host::EventKind::BeginEditorCommand;
        completed += event.kind == host::EventKind::CompleteEditorCommand;
    }
    EXPECT_EQ(begun, 2);
    EXPECT_EQ(completed, 2);
}

TEST_F(EditMacroTest, TheCommandsPageHasAPicturedButtonPerCommandButTheTenthRunsWithoutOne) {
    runEditor([&](ui::Automation& dlg) {
        showPage(dlg, Editor::kCommandsPage);
        for (int code = 0; code < CTabMacroCommands::kCommandCount; ++code) {
            auto* button = dynamic_cast<CButtonST*>(dlg.wnd(CTabMacroCommands::kFirstButton + code));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->hasPicture(), code != 10) << "command " << code;
            EXPECT_EQ(button->tooltipText().IsEmpty(), code == 10) << "command " << code;
        }
        EXPECT_EQ(std::wstring(dynamic_cast<CButtonST*>(dlg.wnd(1024))->tooltipText()), L"Parallel");
        EXPECT_EQ(std::wstring(dynamic_cast<CButtonST*>(dlg.wnd(1035))->tooltipText()), L"Add a module");
        setNextGeometryPick(names({L"HoleCentre"}));
        dlg.click(1034);
        EXPECT_EQ(dlg.selection(Editor::IDC_TABS), Editor::kConstraintsPage) << "a new constraint is shown";
        auto grid = dlg.control<ui::GridAutomation>(Constraints::IDC_GRID);
        EXPECT_EQ(grid.rows(), 4);
        EXPECT_EQ(grid.text(Constraints::kKindCol, 4), L"Fixed");
        EXPECT_EQ(grid.text(Constraints::kObjectsCol, 4), L"HoleCentre");
        dlg.click(IDOK);
    });
    EXPECT_TRUE(logHas(L"StartMacroCommand 10 EndPlate -> ok"));
    EXPECT_EQ(count(Mx_String(file()).str(), L"\"kind\": \"fixed\""), 2)
        << "one more fixed constraint in the file";
    ASSERT_EQ(module(L"EndPlate")->constraints().length(), 4);
    EXPECT_EQ(module(L"EndPlate")->constraints()[3].objects, names({L"HoleCentre"}));
}

TEST_F(EditMacroTest, AFailingCommandLeavesTheListsAsTheyWere) {
    const std::string before = file();
    runEditor([&](ui::Automation& dlg) {
        auto grid = dlg.control<ui::GridAutomation>(Constraints::IDC_GRID);
        showPage(dlg, Editor::kCommandsPage);
        dlg.click(1024);  // the pick is cancelled
        setNextGeometryPick(names({L"PlateEdge"}));
        dlg.click(1025);  // perpendicular needs two objects
        setNextGeometryPick(names({L"PlateEdge", L"Nowhere"}));
        dlg.click(1026);  // an object the module does not have
        setNextGeometryPick(names({L"NewPart"}));
        dlg.click(1036);  // a bolt pattern on a module that is no bolt module
        setNextGeometryPick(names({L"Stiffeners"}));
        dlg.click(Editor::IDC_ADD_MODULE);  // a module name in use
        EXPECT_EQ(dlg.selection(Editor::IDC_TABS), Editor::kCommandsPage) << "the page stays";
        EXPECT_EQ(modules(dlg), (std::vector<std::wstring>{L"EndPlate", L"EndPlateBolts", L"Stiffeners"}));
        EXPECT_EQ(currentModule(dlg), L"EndPlate");
        showPage(dlg, Editor::kConstraintsPage);
        EXPECT_EQ(grid.rows(), 3);
        dlg.click(IDOK);
    });
    EXPECT_EQ(file(), before);
    EXPECT_TRUE(logHas(L"StartMacroCommand 0 EndPlate -> cancelled"));
    EXPECT_TRUE(logHas(L"StartMacroCommand 1 EndPlate -> refused: invalid"));
    EXPECT_TRUE(logHas(L"StartMacroCommand 2 EndPlate -> refused: invalid"));
    EXPECT_TRUE(logHas(L"StartMacroCommand 12 EndPlate -> refused: not applicable"));
    EXPECT_TRUE(logHas(L"StartMacroCommand 11 EndPlate -> refused: name in use"));
}

TEST_F(EditMacroTest, AddingAModuleSelectsItAndACoordinateSystemChangesNothingShown) {
    runEditor([&](ui::Automation& dlg) {
        showPage(dlg, Editor::kCommandsPage);
        setNextGeometryPick(names({L"Cleat", L"CleatEdge"}));
        dlg.click(Editor::IDC_ADD_MODULE);
        EXPECT_EQ(modules(dlg).size(), 4U);
        EXPECT_EQ(currentModule(dlg), L"Cleat");
        showPage(dlg, Editor::kGeometryPage);
        auto geometry = dlg.control<ui::GridAutomation>(CTabGeometries::IDC_GRID);
        EXPECT_EQ(geometry.rows(), 1);
        EXPECT_EQ(geometry.text(CTabGeometries::kNameCol, 1), L"CleatEdge");
        setNextGeometryPick(names({}));
        showPage(dlg, Editor::kCommandsPage);
        dlg.click(1037);  // code 13: the module's coordinate system
        EXPECT_EQ(dlg.selection(Editor::IDC_TABS), Editor::kCommandsPage);
        dlg.click(IDOK);
    });
    ASSERT_NE(module(L"Cleat"), nullptr);
    ASSERT_EQ(module(L"Cleat")->geometries().length(), 2);
    EXPECT_EQ(module(L"Cleat")->geometries()[1].type, L"coordSys");
    EXPECT_EQ(module(L"Cleat")->geometries()[1].name, L"CoordSys1");
}

// --- constraints page

TEST_F(EditMacroTest, SelectingHighlightsEditingUpdatesAndDeleteSelectsTheOneBefore) {
    runEditor([&](ui::Automation& dlg) {
        auto grid = dlg.control<ui::GridAutomation>(Constraints::IDC_GRID);
        ASSERT_EQ(grid.rows(), 3);
        EXPECT_EQ(grid.text(Constraints::kKindCol, 1), L"Parallel");
        EXPECT_EQ(grid.text(Constraints::kObjectsCol, 2), L"PlateFace, ColumnFace");
        EXPECT_EQ(grid.text(Constraints::kValueCol, 3), L"40");
        EXPECT_FALSE(dlg.enabled(Constraints::IDC_DELETE)) << "nothing selected yet";
        grid.click(Constraints::kKindCol, 2);
        grid.click(Constraints::kKindCol, 3);
        EXPECT_EQ(HighlightedConstraints().length(), 1) << "earlier highlights are removed";
        EXPECT_EQ(dlg.text(Constraints::IDC_TYPE), L"Distance");
        EXPECT_TRUE(dlg.enabled(Constraints::IDC_SHOW_VALUE));
        EXPECT_NE(grid.cellType(Constraints::kValueCol, 1), grid.cellType(Constraints::kValueCol, 3))
            << "a parallel constraint has no value to type";
        grid.type(Constraints::kValueCol, 3, L"45");
        EXPECT_EQ(grid.text(Constraints::kValueCol, 3), L"45");
        grid.type(Constraints::kValueCol, 3, L"wide");
        EXPECT_EQ(grid.text(Constraints::kValueCol, 3), L"45") << "not a number: the stored value again";
        dlg.click(Constraints::IDC_USE_VARIABLE);  // off: the dimension cannot be shown any more
        EXPECT_FALSE(dlg.enabled(Constraints::IDC_SHOW_VALUE));
        dlg.click(Constraints::kStateButtons[4]);
        EXPECT_EQ(grid.text(Constraints::kStateCol, 3), L"5");
        dlg.click(Constraints::IDC_DELETE);
        EXPECT_EQ(grid.rows(), 2);
        EXPECT_EQ(dlg.text(Constraints::IDC_TYPE), L"Coincident") << "the one before the deleted one";
        grid.click(Constraints::kKindCol, 1);
        dlg.click(Constraints::IDC_DELETE);
        EXPECT_EQ(dlg.text(Constraints::IDC_TYPE), L"Coincident") << "the first deleted: the new first";
        dlg.click(IDOK);
    });
    EXPECT_EQ(HighlightedConstraints().length(), 0) << "closing removes the highlights";
    const Mx_Module* plate = module(L"EndPlate");
    ASSERT_NE(plate, nullptr);
    ASSERT_EQ(plate->constraints().length(), 1);
    EXPECT_EQ(plate->constraints()[0].kind, MacroConstraint::kCoincident);
    EXPECT_TRUE(logHas(L"UpdateConstraint EndPlate 2 -> ok"));
    EXPECT_TRUE(logHas(L"DeleteConstraint EndPlate 2 -> ok"));
    EXPECT_TRUE(logHas(L"HighlightConstraint EndPlate 1"));
    EXPECT_EQ(file().find("\"distance\""), std::string::npos) << "the delete is on disk";
}

TEST_F(EditMacroTest, HeaderClicksSortAndTheContextMenuMovesConstraints) {
    ui::ScriptedDriver driver;
    driver.answerPopupMenu(1 + kMenuMoveUp);
    driver.onModal([&](ui::Automation& dlg) {
        auto grid = dlg.control<ui::GridAutomation>(Constraints::IDC_GRID);
        grid.click(Constraints::kValueCol, 0);  // sorts by value: the distance of 40 goes last
        grid.click(Constraints::kKindCol, 0);   // by kind: parallel, coincident, distance
        EXPECT_EQ(grid.text(Constraints::kKindCol, 2), L"Coincident");
        grid.rightClick(Constraints::kKindCol, 3);
        EXPECT_EQ(grid.text(Constraints::kKindCol, 2), L"Distance");
        EXPECT_EQ(dlg.text(Constraints::IDC_TYPE), L"Distance") << "the moved constraint stays selected";
        dlg.click(IDOK);
    });
    StartDlgEditConstrModal(data_);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(logHas(L"SortConstraints EndPlate 2 -> ok"));
    EXPECT_TRUE(logHas(L"ContextMenuAction EndPlate 2 0 -> ok"));
    EXPECT_EQ(module(L"EndPlate")->constraints()[1].kind, MacroConstraint::kDistance);
}

// --- Escape

TEST_F(EditMacroTest, EscapeRightAfterASelectionKeepsTheEditorOpenLaterItCloses) {
    EXPECT_FALSE(runEditor([&](ui::Automation& dlg) {
        auto grid = dlg.control<ui::GridAutomation>(Constraints::IDC_GRID);
        grid.click(Constraints::kKindCol, 1);
        clock_.advance(1999);
        dlg.press(VK_ESCAPE);
        EXPECT_TRUE(dlg.exists(0)) << "within 2000 ms of the selection";
        grid.click(Constraints::kKindCol, 2);  // restarts the window
        clock_.advance(1500);
        dlg.press(VK_ESCAPE);
        clock_.advance(500);   // now 2000 ms after the last selection
        dlg.press(VK_ESCAPE);  // closes
    }));
}

TEST_F(EditMacroTest, AfterTheCutEditorReturnedTrueOneEscapeIsLetThrough) {
    EXPECT_FALSE(runEditor([&](ui::Automation& dlg) {
        auto geometry = dlg.control<ui::GridAutomation>(CTabGeometries::IDC_GRID);
        setNextGeometryPick(names({L"NoSuchCut"}));
        dlg.click(Constraints::IDC_CUTS);  // false: Escape closes as before
        setNextGeometryPick(names({L"BeamEndCut"}));
        dlg.click(Constraints::IDC_CUTS);
        dlg.press(VK_ESCAPE);  // the first Escape after the cut editor
        showPage(dlg, Editor::kGeometryPage);
        geometry.click(CTabGeometries::kNameCol, 2);
        clock_.advance(2000);
        dlg.press(VK_ESCAPE);  // the geometry page's window is over too: closes
    }));
    EXPECT_TRUE(logHas(L"StartEditMacroCutDlg EndPlate -> no cut NoSuchCut"));
    EXPECT_TRUE(logHas(L"StartEditMacroCutDlg EndPlate -> BeamEndCut"));
    EXPECT_TRUE(logHas(L"HighlightObject EndPlate BeamFlange"));
    EXPECT_TRUE(logHas(L"UnHighlightObject BeamFlange")) << "closing ends the highlight";
}

// --- geometry and variables pages

TEST_F(EditMacroTest, GeometryOffsetsAndFlexibilityGoToTheDrawing) {
    runEditor([&](ui::Automation& dlg) {
        showPage(dlg, Editor::kGeometryPage);
        auto geometry = dlg.control<ui::GridAutomation>(CTabGeometries::IDC_GRID);
        ASSERT_EQ(geometry.rows(), 5);
        EXPECT_EQ(geometry.text(CTabGeometries::kTypeCol, 3), L"plane");
        EXPECT_TRUE(geometry.checked(CTabGeometries::kFlexibleCol, 3));
        geometry.type(CTabGeometries::kOffsetCol, 1, L"12.5");
        geometry.click(CTabGeometries::kFlexibleCol, 1);
        geometry.type(CTabGeometries::kOffsetCol, 2, L"far");
        EXPECT_EQ(geometry.text(CTabGeometries::kOffsetCol, 2), L"0");
        dlg.click(IDOK);
    });
    const MacroGeometry& edge = module(L"EndPlate")->geometries()[0];
    EXPECT_EQ(edge.offset, 12.5);
    EXPECT_TRUE(edge.flexible);
    EXPECT_NE(file().find("\"offset\": 12.5"), std::string::npos);
    EXPECT_TRUE(logHas(L"UpdateGeomFlexibility EndPlate 0 1 -> ok"));
    EXPECT_FALSE(logHas(L"UpdateConstrGeom EndPlate 1"));
}

TEST_F(EditMacroTest, VariablesAndEquationsAreWrittenTogetherAndADuplicateNameIsRefused) {
    runEditor([&](ui::Automation& dlg) {
        showPage(dlg, Editor::kVariablesPage);
        auto variables = dlg.control<ui::GridAutomation>(CTabEditVars::IDC_VARIABLES);
        auto dimensions = dlg.control<ui::GridAutomation>(CTabEditVars::IDC_DIMENSIONS);
        ASSERT_EQ(variables.rows(), 5);
        EXPECT_EQ(dimensions.rows(), 1);
        EXPECT_EQ(dimensions.text(2, 1), L"40");
        EXPECT_EQ(dlg.text(CTabEditVars::IDC_EQUATIONS), L"Height = Width * 1.9\r\nTopExtension = 40");
        variables.type(CTabEditVars::kNameCol, 2, L"thickness");  // the name of variable 1, in other case
        EXPECT_EQ(variables.text(CTabEditVars::kNameCol, 2), L"Width") << "refused: the stored name again";
        dlg.click(CTabEditVars::IDC_NEW);
        EXPECT_EQ(variables.text(CTabEditVars::kNameCol, 6), L"Variable1");
        variables.type(CTabEditVars::kValueCol, 6, L"7.5");
        dlg.type(CTabEditVars::IDC_EQUATIONS, L"  Height = Width * 2  \n\nVariable1 = 7.5\n");
        showPage(dlg, Editor::kConstraintsPage);  // leaving the page writes the equations
        dlg.click(IDOK);
    });
    const Mx_Module* plate = module(L"EndPlate");
    ASSERT_EQ(plate->variables().length(), 6);
    EXPECT_EQ(plate->variables()[5].value, 7.5);
    EXPECT_EQ(plate->equations(), names({L"Height = Width * 2", L"Variable1 = 7.5"}));
    EXPECT_EQ(plate->constraints().length(), 3) << "the rest of the module is kept";
    EXPECT_EQ(plate->cuts().length(), 2);
    EXPECT_TRUE(logHas(L"UpdateVarsEqs EndPlate -> refused: name in use"));
    EXPECT_NE(file().find("\"Variable1 = 7.5\""), std::string::npos);
}

// --- select other macro and settings

TEST_F(EditMacroTest, SelectingAnotherMacroRefillsTheEditor) {
    MacroDrawing::active().close();
    std::filesystem::remove(dir_ / "EndPlate.json");
    ASSERT_EQ(MacroDrawing::active().open(Mx_String(dir_.wstring())), Acad::eOk);
    // The folder's files in name order: the end plate copy is gone, so 1 is Stiffened.json.
    copyEndPlate("Plain.json");
    MacroDrawing::active().close();
    ASSERT_EQ(MacroDrawing::active().open(Mx_String(dir_.wstring())), Acad::eOk);
    const AcArray<AcDbObjectId> ids = MacroDrawing::active().objectIds();
    ASSERT_EQ(ids.length(), 2);
    data_.objectIds = AcArray<AcDbObjectId>();
    data_.objectIds.append(ids[1]);
    runEditor([&](ui::Automation& dlg) {
        dlg.click(Editor::IDC_SELECT_OTHER);  // cancelled: nothing changes
        AcArray<AcDbObjectId> pick;
        pick.append(ids[0]);
        MacroDrawing::active().setNextPick(pick);
        dlg.select(Editor::IDC_MODULES, 2);
        dlg.click(Editor::IDC_SELECT_OTHER);
        EXPECT_EQ(currentModule(dlg), L"EndPlate");
        EXPECT_EQ(dlg.control<ui::GridAutomation>(Constraints::IDC_GRID).rows(), 0)
            << "the plain macro has none";
        dlg.click(IDOK);
    });
    EXPECT_TRUE(logHas(L"SelectOtherMacro -> cancelled"));
    EXPECT_TRUE(logHas(L"SelectOtherMacro -> EndPlateBeamToColumn"));
}

TEST_F(EditMacroTest, TheSettingsButtonRunsTheSettingsOnTheEditedMacro) {
    std::vector<Mx_String> seen;
    CWnd* owner = nullptr;
    INT_PTR answer = IDCANCEL;
    setMacroSettingsRunner([&](EditConstrData& data, CWnd* parent) {
        seen.push_back(data.moduleName);
        owner = parent;
        // What the settings dialog writes on OK: here a module renamed behind the editor's back.
        if (answer == IDOK)
            RenameModule(data, L"Stiffeners", L"Ribs");
        return answer;
    });
    runEditor([&](ui::Automation& dlg) {
        dlg.select(Editor::IDC_MODULES, 2);
        dlg.click(Editor::IDC_SETTINGS);
        EXPECT_EQ(owner, dlg.wnd(0));
        EXPECT_EQ(modules(dlg).back(), L"Stiffeners");
        answer = IDOK;
        dlg.click(Editor::IDC_SETTINGS);
        EXPECT_EQ(modules(dlg).back(), L"Ribs") << "after OK the editor shows the macro again";
        dlg.click(IDOK);
    });
    setMacroSettingsRunner({});
    EXPECT_EQ(seen, (std::vector<Mx_String>{L"Stiffeners", L"Stiffeners"}));
}

// --- the entry points

TEST_F(EditMacroTest, TheModelessEditorClosesItselfThroughTheEntryPoint) {
    EXPECT_TRUE(StartDlgEditConstraints(data_));
    MacroEditorWindow* editor = MacroDlgRegistry::instance().editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->data().modeless);
    EditConstrData other = data_;
    other.macroName = L"Other";
    EXPECT_TRUE(StartDlgEditConstraints(other));
    EXPECT_EQ(MacroDlgRegistry::instance().editor(), editor) << "still the one editor";
    CDlgEditMacro* open = openEditor();
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(open->IsWindowVisible());
    const HWND window = open->GetSafeHwnd();
    ui::Automation dlg(*open);
    EXPECT_EQ(modules(dlg).size(), 3U);
    dlg.click(IDOK);
    EXPECT_EQ(MacroDlgRegistry::instance().editor(), nullptr);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(host::events().back().kind, host::EventKind::PostCommandPrompt);
    // A new editor can be opened, and closed by the module's unload.
    EXPECT_TRUE(StartDlgEditConstraints(data_));
    EXPECT_NE(MacroDlgRegistry::instance().editor(), nullptr);
}

TEST_F(EditMacroTest, EscapeClosesTheModelessEditorAndTheUnloadDeletesIt) {
    ASSERT_TRUE(StartDlgEditConstraints(data_));
    ui::Automation dlg(*openEditor());
    showPage(dlg, Editor::kVariablesPage);
    dlg.setFocus(CTabEditVars::IDC_NEW);
    dlg.press(VK_ESCAPE);
    EXPECT_EQ(openEditor(), nullptr);
    EXPECT_EQ(MacroDlgRegistry::instance().editor(), nullptr);
    // The closed editor is deleted by the module's unload at the end of the test, its timer gone.
    EXPECT_EQ(ui::activeTimerCount(), 0U);
}

TEST_F(EditMacroTest, TheModalEditorTellsWhetherItEndedWithOk) {
    EXPECT_TRUE(runEditor([](ui::Automation& dlg) { dlg.click(IDOK); }));
    EXPECT_FALSE(runEditor([](ui::Automation& dlg) { dlg.close(); }));
    EXPECT_EQ(MacroDlgRegistry::instance().editor(), nullptr);
}

TEST_F(EditMacroTest, ThePictureOfTheEditor) {
    runEditor([&](ui::Automation& dlg) {
        auto grid = dlg.control<ui::GridAutomation>(Constraints::IDC_GRID);
        grid.click(Constraints::kKindCol, 3);
        ui::expectMatchesGolden(ui::renderWindow(dlg.find(0), 1), "macro_editor");
        showPage(dlg, Editor::kCommandsPage);
        ui::expectMatchesGolden(ui::renderWindow(dlg.find(0), 1), "macro_editor_commands");
        dlg.click(IDOK);
    });
}

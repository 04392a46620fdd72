// The macro selection, opened through StartDlgSelectMacro on a library of macro files and driven as a
// user drives it.
#include "macrodlg/CDlgSelectMacro.h"

#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>

#include "macrodlg/MacroDlgEntryPoints.h"
#include "module/entry/ModuleEntry.h"
#include "platform/grid/window/GridAutomation.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/ListCtrl.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/RegistryScope.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/ui/DialogSize.h"
#include "platform/mxbase/ui/MacroPreviews.h"

namespace {

namespace fs = std::filesystem;
using D = CDlgSelectMacro;

const fs::path kExamples = fs::path(CONNSHEET_SOURCE_DIR) / "examples/library/Macros";

// A library with the bundled macros, one more in a sub-folder, previews kept in the test's folder.
struct SelectMacroTest : ::testing::Test {
    fs::path lib = fs::temp_directory_path() / ("connsheet-select-macro-" + std::to_string(::getpid()));
    ui::RegistryScope registry;  // sizes and the layout start from nothing
    ModuleFrame::LoadedModule module;

    void SetUp() override {
        fs::remove_all(lib);
        fs::create_directories(lib / "Macros" / "Halls");
        for (const char* name : {"BasePlate.json", "EndPlateBeamToColumn.json", "FinPlate.json"})
            fs::copy_file(kExamples / name, lib / "Macros" / name);
        std::ofstream(lib / "Macros" / "Halls" / "Purlin.json")
            << R"({"version": 1, "name": "Purlin", "modules": [{"name": "Cleat", "kind": "general",
                 "variables": [{"name": "Thickness", "value": 8}]}]})";
        gSettings.setLibDir(Mx_String(lib.wstring()));
        setMacroPreviewFolder(Mx_String((lib / "previews").wstring()));
    }
    void TearDown() override {
        setMacroPreviewFolder(Mx_String());
        gSettings.reset();
        ui::resetMessageQueue();
        fs::remove_all(lib);
    }
};

const std::vector<std::wstring> kAll = {L"BasePlate", L"EndPlateBeamToColumn", L"FinPlate", L"Halls\\Purlin"};

// The centre of a picture in the list's client area.
POINT pictureCentre(ui::Automation& dlg, int index) {
    auto* list = dynamic_cast<CListCtrl*>(dlg.wnd(D::IDC_PICTURES));
    RECT rect{};
    if (list)
        list->GetItemRect(index, &rect, 0);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The filter grid's row of a module (property empty) or of one of its properties; 0 when none.
int filterRow(ui::Automation& dlg, const std::wstring& module, const std::wstring& property = {}) {
    auto grid = dlg.control<ui::GridAutomation>(D::IDC_FILTER_GRID);
    std::wstring current;
    for (SS_COORD row = 1; row <= grid.rows(); ++row) {
        if (!grid.text(2, row).empty())
            current = grid.text(2, row);
        if (current == module && grid.text(3, row) == property)
            return static_cast<int>(row);
    }
    return 0;
}

int windowWidth(ui::Automation& dlg) {
    RECT window{};
    ::GetWindowRect(dlg.root(), &window);
    return window.right - window.left;
}

bool select(const Mx_StringArray& names, Mx_String& chosen, bool& option, bool showNote = false,
            const Mx_String& title = Mx_String()) {
    return StartDlgSelectMacro(title, names, 0, 0, chosen, option, showNote);
}

}  // namespace

TEST_F(SelectMacroTest, OkWaitsForAPictureAndGivesItsNameAsADrawing) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Select a macro") << "no title given";
        EXPECT_EQ(dlg.text(D::IDC_LABEL), L"  Macros:");
        EXPECT_EQ(dlg.items(D::IDC_PICTURES), kAll) << "no names: every macro below \"Macros\\\"";
        EXPECT_EQ(dlg.checked(D::IDC_PREVIEW_IN_DRAWING), BST_CHECKED);
        dlg.click(IDOK);
        ASSERT_TRUE(::IsWindowVisible(dlg.root())) << "nothing selected: the dialog stays";
        dlg.select(D::IDC_PICTURES, L"Halls\\Purlin");
        dlg.click(IDOK);
    });
    Mx_String chosen = L"before";
    bool option = true;
    EXPECT_TRUE(select({}, chosen, option));
    ui::expectDriverDone(driver);
    EXPECT_EQ(chosen, L"Halls\\Purlin.dwg");
    EXPECT_FALSE(option) << "a picture taken clears the option";
}

TEST_F(SelectMacroTest, OnlyTheVisibleNamesWithAFileAreOfferedUnderTheCallersTitle) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Pick a connection");
        EXPECT_EQ(dlg.items(D::IDC_PICTURES), (std::vector<std::wstring>{L"FinPlate", L"Halls\\Purlin"}));
        dlg.click(IDCANCEL);
    });
    Mx_String chosen = L"before";
    bool option = true;
    AcArray<bool> visible;
    for (bool shown : {true, false, true, true})
        visible.append(shown);
    EXPECT_FALSE(StartDlgSelectMacro(
        L"Pick a connection", {L"FinPlate.dwg", L"BasePlate.dwg", L"Halls\\Purlin.dwg", L"Missing.dwg"},
        visible, 0, 0, chosen, option, false));
    ui::expectDriverDone(driver);
    EXPECT_EQ(chosen, L"before") << "Cancel leaves the caller's values";
    EXPECT_TRUE(option);
}

TEST_F(SelectMacroTest, ADoubleClickOnAPictureChoosesItAndOneOnNothingDoesNot) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        const RECT list = dlg.rect(D::IDC_PICTURES);
        const POINT empty{list.right - list.left - 12, list.bottom - list.top - 12};
        dlg.send(D::IDC_PICTURES, WM_LBUTTONDBLCLK, 0, MAKELPARAM(empty.x, empty.y));
        ASSERT_TRUE(::IsWindowVisible(dlg.root()));
        const POINT at = pictureCentre(dlg, 2);
        dlg.mouseDown(D::IDC_PICTURES, at);
        dlg.mouseUp(D::IDC_PICTURES, at);
        dlg.send(D::IDC_PICTURES, WM_LBUTTONDBLCLK, 0, MAKELPARAM(at.x, at.y));
    });
    Mx_String chosen;
    bool option = false;
    EXPECT_TRUE(select({}, chosen, option));
    ui::expectDriverDone(driver);
    EXPECT_EQ(chosen, L"FinPlate.dwg");
}

TEST_F(SelectMacroTest, NewMacroIsOfferedOnlyWithTheOptionAndReturnsNoName) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_FALSE(dlg.enabled(D::IDC_NEW_MACRO));
        EXPECT_TRUE(dlg.visible(D::IDC_NOTE));
        EXPECT_EQ(dlg.text(D::IDC_NOTE),
                  L"A new macro cannot be made from here.\nUse the macro editor to make one.");
        const RECT list = dlg.rect(D::IDC_PICTURES);
        const RECT note = dlg.rect(D::IDC_NOTE);
        EXPECT_LE(list.bottom, note.top) << "the note takes the bottom of the list";
        dlg.click(IDCANCEL);
    });
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_TRUE(dlg.enabled(D::IDC_NEW_MACRO));
        EXPECT_EQ(dlg.text(D::IDC_NEW_MACRO), L"New macro");
        EXPECT_FALSE(dlg.visible(D::IDC_NOTE)) << "the option is offered: nothing to explain";
        dlg.select(D::IDC_PICTURES, L"FinPlate");
        dlg.click(D::IDC_NEW_MACRO);
    });
    Mx_String chosen = L"before";
    bool option = false;
    EXPECT_FALSE(select({}, chosen, option, true));
    option = true;
    EXPECT_TRUE(select({}, chosen, option, true));
    ui::expectDriverDone(driver);
    EXPECT_TRUE(option);
    EXPECT_EQ(chosen, L"") << "no picture is taken, even a selected one";
}

TEST_F(SelectMacroTest, TickingModulesAndPropertiesNarrowsThePictures) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.click(D::IDC_SHOW_FILTER);
        ASSERT_TRUE(dlg.visible(D::IDC_FILTER_GRID));
        auto grid = dlg.control<ui::GridAutomation>(D::IDC_FILTER_GRID);
        EXPECT_EQ(grid.text(2, SS_HEADER), L"Module");
        EXPECT_EQ(grid.text(3, SS_HEADER), L"Property");

        const int cleat = filterRow(dlg, L"Cleat");
        ASSERT_GT(cleat, 0);
        grid.click(1, cleat);
        EXPECT_TRUE(grid.checked(1, cleat));
        EXPECT_EQ(dlg.items(D::IDC_PICTURES), (std::vector<std::wstring>{L"Halls\\Purlin"}));
        grid.click(1, cleat);
        EXPECT_EQ(dlg.items(D::IDC_PICTURES), kAll) << "unticked: every macro again";

        // A property narrows to the macros whose module of that name has it; ticks add up.
        const int pitch = filterRow(dlg, L"FinBolts", L"Pitch");
        ASSERT_GT(pitch, 0);
        grid.click(1, pitch);
        EXPECT_EQ(dlg.items(D::IDC_PICTURES), (std::vector<std::wstring>{L"FinPlate"}));
        grid.click(1, cleat);
        EXPECT_TRUE(dlg.items(D::IDC_PICTURES).empty()) << "no macro has both";
        dlg.click(IDOK);
        EXPECT_TRUE(::IsWindowVisible(dlg.root())) << "no picture left to take";
        grid.click(1, pitch);
        EXPECT_EQ(dlg.items(D::IDC_PICTURES), (std::vector<std::wstring>{L"Halls\\Purlin"}));
        grid.click(1, cleat);
        EXPECT_EQ(dlg.items(D::IDC_PICTURES), kAll);
        // The selected macro stays selected while it stays in the list.
        dlg.select(D::IDC_PICTURES, L"FinPlate");
        grid.click(1, pitch);
        dlg.click(IDOK);
    });
    Mx_String chosen;
    bool option = false;
    EXPECT_TRUE(select({}, chosen, option));
    ui::expectDriverDone(driver);
    EXPECT_EQ(chosen, L"FinPlate.dwg");
}

TEST_F(SelectMacroTest, WithoutAnyMacroTheListAndTheGridStayEmptyAndOkDoesNothing) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        auto* toggle = dynamic_cast<CButtonST*>(dlg.wnd(D::IDC_SHOW_FILTER));
        ASSERT_NE(toggle, nullptr);
        EXPECT_TRUE(toggle->hasPicture());
        EXPECT_EQ(toggle->tooltipText(), CString(L"Show or hide filter options"));
        dlg.click(D::IDC_SHOW_FILTER);
        EXPECT_EQ(dlg.control<ui::GridAutomation>(D::IDC_FILTER_GRID).rows(), 0);
        EXPECT_TRUE(dlg.items(D::IDC_PICTURES).empty());
        dlg.click(IDOK);
        EXPECT_TRUE(::IsWindowVisible(dlg.root()));
        dlg.press(VK_ESCAPE);
    });
    Mx_String chosen = L"before";
    bool option = false;
    EXPECT_FALSE(select({L"Missing.dwg", L"Other"}, chosen, option));
    ui::expectDriverDone(driver);
    EXPECT_EQ(chosen, L"before");
}

TEST_F(SelectMacroTest, TheLayoutAndSizeLeftAreTheNextOpenings) {
    int smallWidth = 0, largeWidth = 0;
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_FALSE(dlg.visible(D::IDC_FILTER_GRID)) << "first opening: the small layout";
        smallWidth = windowWidth(dlg);
        dlg.click(D::IDC_SHOW_FILTER);
        EXPECT_TRUE(dlg.visible(D::IDC_FILTER_GRID));
        largeWidth = windowWidth(dlg);
        EXPECT_GT(largeWidth, smallWidth);
        const RECT list = dlg.rect(D::IDC_PICTURES);
        const RECT grid = dlg.rect(D::IDC_FILTER_GRID);
        EXPECT_LT(list.right, grid.left) << "side by side";
        dlg.click(IDCANCEL);
    });
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_TRUE(dlg.visible(D::IDC_FILTER_GRID)) << "the large layout again";
        EXPECT_EQ(windowWidth(dlg), largeWidth);
        dlg.click(D::IDC_SHOW_FILTER);
        EXPECT_EQ(windowWidth(dlg), smallWidth);
        dlg.resize(smallWidth + 100, 500);
        dlg.close();
    });
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_FALSE(dlg.visible(D::IDC_FILTER_GRID));
        EXPECT_EQ(windowWidth(dlg), smallWidth + 100) << "the small layout's size as it was left";
        dlg.click(D::IDC_SHOW_FILTER);
        EXPECT_EQ(windowWidth(dlg), largeWidth + 100);
        const RECT list = dlg.rect(D::IDC_PICTURES);
        const RECT cancel = dlg.rect(IDCANCEL);
        RECT client{};
        ::GetClientRect(dlg.root(), &client);
        EXPECT_EQ(client.right - cancel.right, list.left) << "the buttons keep the margin at the right edge";
        EXPECT_EQ(client.bottom - cancel.bottom, 11);
        dlg.click(IDCANCEL);
    });
    Mx_String chosen;
    bool option = false;
    for (int opening = 0; opening < 3; ++opening)
        select({}, chosen, option);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(readDlgRegBool(L"DLG_SELECT_MACRO", L"LARGE_DLG"));
}

TEST_F(SelectMacroTest, Pictures) {
    // The bundled macros alone, as scripts/pictures.sh draws them for the documentation.
    fs::remove_all(lib / "Macros" / "Halls");
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.select(D::IDC_PICTURES, L"FinPlate");
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "select_macro_dialog_small");
        dlg.click(D::IDC_SHOW_FILTER);
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "select_macro_dialog_large");
        dlg.click(IDCANCEL);
    });
    Mx_String chosen;
    bool option = false;
    select({}, chosen, option, true);
    ui::expectDriverDone(driver);
}

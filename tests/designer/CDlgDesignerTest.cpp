// The designer window driven as an author uses it: mouse clicks and drags over the template, the tool
// buttons, the property panel, the save question.
#include "designer/CDlgDesigner.h"

#include <gtest/gtest.h>

#include "DesignerTestSupport.h"
#include "designer/CControlTracker.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/RectTracker.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/UiTexts.h"
#include "spread/Mx_DlgPromptString.h"

using designertest::control;
using designertest::TempLibrary;

namespace {

constexpr int kA = 33000, kB = 33001, kC = 33002;

// A 300 x 200 bitmap with three edit fields: A (20,20 60x20), B (100,20 60x20), C (20,100 60x40).
struct Designer {
    TempLibrary library;
    ui::ScriptedDriver driver;
    Designer() {
        ui::clearTrackerDrags();
        library.writeBitmap("Plate", 300, 200);
        Mx_Array<Mx_DesignerControl> controls;
        controls.append(control(kCtrlEdit, 20 / 300.0, 20 / 200.0, 80 / 300.0, 40 / 200.0, L"A"));
        controls.append(control(kCtrlEdit, 100 / 300.0, 20 / 200.0, 160 / 300.0, 40 / 200.0, L"B"));
        controls.append(control(kCtrlEdit, 20 / 300.0, 100 / 200.0, 80 / 300.0, 140 / 200.0, L"C"));
        library.writeTemplate("Plate", controls);
    }
    Mx_String path() const { return library.templatePath("Plate"); }
};

std::vector<int> selected(ui::Automation& dlg) {
    auto* designer = dynamic_cast<CDlgDesigner*>(CWnd::FromHandle(dlg.root()));
    std::vector<int> ids;
    designer->data().getTracker()->getSelectedIds(ids);
    return ids;
}

RECT rectOf(ui::Automation& dlg, int id) {
    return dlg.rect(id);
}

}  // namespace

TEST(DlgDesigner, ClicksSelectToggleAndAdd) {
    Designer d;
    d.driver.onModal([](ui::Automation& dlg) {
        dlg.clickAt(0, {30, 30});
        EXPECT_EQ(selected(dlg), std::vector<int>{kA});
        // The panel shows the one selected control.
        EXPECT_EQ(dlg.text(CDlgDesigner::IDC_CONTENTS), L"A");
        EXPECT_TRUE(dlg.enabled(CDlgDesigner::IDC_CONTENTS));
        EXPECT_FALSE(dlg.enabled(CDlgDesigner::IDC_LIST));
        dlg.clickAt(0, {110, 30}, ui::Keys::Shift);
        dlg.clickAt(0, {30, 110}, ui::Keys::Shift);
        EXPECT_EQ(selected(dlg), (std::vector<int>{kA, kB, kC}));
        // Shift on a selected control keeps the selection; Ctrl takes only that one out.
        dlg.clickAt(0, {110, 30}, ui::Keys::Shift);
        EXPECT_EQ(selected(dlg), (std::vector<int>{kA, kB, kC}));
        dlg.clickAt(0, {110, 30}, ui::Keys::Ctrl);
        EXPECT_EQ(selected(dlg), (std::vector<int>{kA, kC}));
        EXPECT_FALSE(dlg.enabled(CDlgDesigner::IDC_CONTENTS));  // no single selection
        // A click on empty ground clears; with a modifier it does nothing.
        dlg.clickAt(0, {250, 180}, ui::Keys::Ctrl);
        EXPECT_EQ(selected(dlg).size(), 2u);
        dlg.clickAt(0, {250, 180});
        EXPECT_TRUE(selected(dlg).empty());
        dlg.click(CDlgDesigner::IDC_ADD);
        ASSERT_TRUE(dlg.exists(33003));
        EXPECT_EQ(rectOf(dlg, 33003).left, 60);
        EXPECT_EQ(rectOf(dlg, 33003).right - rectOf(dlg, 33003).left, 30);
        EXPECT_EQ(dlg.text(33003), dialString(171).str());
        dlg.click(IDCANCEL);
    });
    EXPECT_FALSE(StartDlgDesigner(d.path()));
    ui::expectDriverDone(d.driver);
    // Cancel leaves without a question.
    EXPECT_TRUE(d.driver.messageBoxes().empty());
}

TEST(DlgDesigner, RubberBandSelectsOnlyWhatItWhollyCovers) {
    Designer d;
    d.driver.onModal([](ui::Automation& dlg) {
        // Covers A whole and B only in part.
        dlg.drag(0, {{10, 10}, {90, 50}, {130, 60}});
        EXPECT_EQ(selected(dlg), std::vector<int>{kA});
        dlg.drag(0, {{200, 190}, {5, 5}});  // drawn backwards: normalised
        EXPECT_EQ(selected(dlg), (std::vector<int>{kA, kB, kC}));
        dlg.click(IDCANCEL);
    });
    StartDlgDesigner(d.path());
    ui::expectDriverDone(d.driver);
}

TEST(DlgDesigner, DraggingMovesEverySelectedControlAndHandlesResizeOne) {
    Designer d;
    d.driver.onModal([](ui::Automation& dlg) {
        dlg.drag(0, {{5, 5}, {250, 190}});
        ASSERT_EQ(selected(dlg).size(), 3u);
        dlg.drag(0, {{110, 30}, {120, 35}, {125, 45}});  // grabbed inside B, released 15 right and down
        EXPECT_EQ(rectOf(dlg, kA).left, 35);
        EXPECT_EQ(rectOf(dlg, kA).top, 35);
        EXPECT_EQ(rectOf(dlg, kB).left, 115);
        EXPECT_EQ(rectOf(dlg, kC).top, 115);
        EXPECT_EQ(selected(dlg).size(), 3u);
        // A plain click on a selected control keeps the selection (a move may follow); on empty ground
        // it clears. Then C alone: its bottom-right handle (outside, 5 pixels) resizes it.
        dlg.clickAt(0, {40, 120});
        EXPECT_EQ(selected(dlg).size(), 3u);
        dlg.clickAt(0, {250, 190});
        dlg.clickAt(0, {40, 120});
        EXPECT_EQ(selected(dlg), std::vector<int>{kC});
        dlg.drag(0, {{97, 157}, {107, 167}});
        EXPECT_EQ(rectOf(dlg, kC).right, 105);
        EXPECT_EQ(rectOf(dlg, kC).bottom, 165);
        EXPECT_EQ(rectOf(dlg, kC).left, 35);
        // An unselected control has no handles: just outside A selects nothing.
        dlg.clickAt(0, {97, 57});
        EXPECT_TRUE(selected(dlg).empty());
        dlg.click(IDOK);
    });
    d.driver.answerMessageBox(IDYES);
    EXPECT_TRUE(StartDlgDesigner(d.path()));
    ui::expectDriverDone(d.driver);
    ASSERT_EQ(d.driver.messageBoxes().size(), 1u);
    EXPECT_EQ(d.driver.messageBoxes()[0].caption, dialString(837).str());
    // The moves are in the saved template.
    Mx_DlgDesignerData saved;
    ASSERT_TRUE(saved.readFromFile(d.path(), false));
    EXPECT_DOUBLE_EQ(saved.getControl(2)->topLeftX, 35 / 300.0);
    EXPECT_DOUBLE_EQ(saved.getControl(2)->bottomRightY, 165 / 200.0);
    EXPECT_DOUBLE_EQ(saved.getControl(1)->topLeftY, 35 / 200.0);
}

TEST(DlgDesigner, ChangingTheTypeRecreatesTheWindowInPlace) {
    Designer d;
    d.driver.onModal([](ui::Automation& dlg) {
        dlg.clickAt(0, {110, 30});
        dlg.select(CDlgDesigner::IDC_TYPE, 7);
        EXPECT_EQ(selected(dlg), std::vector<int>{kB});
        ASSERT_TRUE(dlg.exists(kB));
        EXPECT_EQ(std::wstring(dlg.wnd(kB)->GetClassName()), L"ComboBox");
        EXPECT_EQ(rectOf(dlg, kB).left, 100);
        EXPECT_EQ(rectOf(dlg, kB).bottom, 40);  // not opened to a dropped height in the designer
        // The list field belongs to types that have a list; the flex button's hint names its parts.
        EXPECT_FALSE(dlg.enabled(CDlgDesigner::IDC_LIST));
        dlg.select(CDlgDesigner::IDC_TYPE, 30);
        EXPECT_TRUE(dlg.enabled(CDlgDesigner::IDC_LIST));
        EXPECT_EQ(dlg.text(CDlgDesigner::IDC_LIST_LABEL), L"Flex group;Part 2;Part 3");
        dlg.type(CDlgDesigner::IDC_LIST, L"Bolt;Nut");
        dlg.type(CDlgDesigner::IDC_CONTENTS, L"SecondNut");
        EXPECT_EQ(dlg.text(kB), L"SecondNut");
        dlg.click(IDOK);
    });
    d.driver.answerMessageBox(IDYES);
    StartDlgDesigner(d.path());
    ui::expectDriverDone(d.driver);
    Mx_DlgDesignerData saved;
    ASSERT_TRUE(saved.readFromFile(d.path(), false));
    EXPECT_EQ(saved.getControl(1)->type, kCtrlFlexButton);
    EXPECT_EQ(saved.getControl(1)->getMergedExtComboList(), Mx_String(L"Bolt;Nut;;"));
    EXPECT_EQ(saved.getControl(1)->contents, Mx_String(L"SecondNut"));
}

TEST(DlgDesigner, TheSaveQuestionGuardsOkCloseAndOpen) {
    Designer d;
    d.library.writeBitmap("Other", 100, 100);
    d.library.writeTemplate("Other", Mx_Array<Mx_DesignerControl>());
    d.driver.onModal([&](ui::Automation& dlg) {
        dlg.press(VK_ESCAPE);  // swallowed
        ASSERT_TRUE(IsWindow(dlg.root()));
        dlg.clickAt(0, {30, 30});  // any click marks the template changed
        dlg.close();               // answered Cancel: stays open
        ASSERT_TRUE(IsWindow(dlg.root()));
        dlg.click(CDlgDesigner::IDC_OPEN);  // answered No: opens the other one unsaved
        EXPECT_EQ(dlg.text(0), L"Dialog designer - <Other>");
        EXPECT_FALSE(dlg.exists(kA));
        dlg.click(IDOK);  // unchanged since opening: no question
    });
    d.driver.answerMessageBox(IDCANCEL).answerMessageBox(IDNO);
    d.driver.answerFileDialog({true, {d.library.templatePath("Other").str()}});
    EXPECT_TRUE(StartDlgDesigner(d.path()));
    ui::expectDriverDone(d.driver);
    EXPECT_EQ(d.driver.messageBoxes().size(), 2u);
    ASSERT_EQ(d.driver.fileDialogs().size(), 1u);
    EXPECT_EQ(d.driver.fileDialogs()[0].title, dialString(841).str());
}

TEST(DlgDesigner, ABitmapForAnUnnamedTemplateAsksForANameFirst) {
    TempLibrary library;
    library.writeBitmap("Source", 120, 80);
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Dialog designer");
        dlg.click(CDlgDesigner::IDC_ADD);  // nothing to measure against yet
        EXPECT_FALSE(dlg.exists(33000));
        dlg.click(CDlgDesigner::IDC_BITMAP);  // the name is refused: nothing happens
        EXPECT_EQ(driver.fileDialogs().size(), 1u);
        dlg.click(CDlgDesigner::IDC_BITMAP);
        EXPECT_EQ(dlg.text(0), L"Dialog designer - <New>");
        dlg.click(CDlgDesigner::IDC_ADD);
        EXPECT_TRUE(dlg.exists(33000));
        dlg.click(IDOK);
    });
    driver.answerFileDialog({false, {}});
    driver.answerFileDialog({true, {library.templatePath("New").str()}});
    driver.answerFileDialog({true, {(library.templates() / "Source.bmp").wstring()}});
    driver.answerMessageBox(IDYES);
    EXPECT_TRUE(StartDlgDesigner(L""));
    ui::expectDriverDone(driver);
    EXPECT_TRUE(TempLibrary::read(library.templates() / "New.bmp") ==
                TempLibrary::read(library.templates() / "Source.bmp"));
    Mx_DlgDesignerData saved;
    ASSERT_TRUE(saved.readFromFile(library.templatePath("New"), true));
    EXPECT_EQ(saved.getNrControls(), 1);
    int width = 0, height = 0;
    saved.getImageSize(width, height);
    EXPECT_EQ(width, 0);  // not initialised: no size reported
}

TEST(DlgDesigner, SavingOutsideTheRootKeepsTheChangesAndSaysSo) {
    Designer d;
    d.driver.onModal([&](ui::Automation& dlg) {
        dlg.clickAt(0, {30, 30});
        dlg.click(CDlgDesigner::IDC_SAVE_AS);
        EXPECT_EQ(dlg.text(0), L"Dialog designer - <Plate>");
        dlg.click(IDCANCEL);
    });
    d.driver.answerFileDialog({true, {(d.library.root() / "Elsewhere.txt").wstring()}});
    StartDlgDesigner(d.path());
    ui::expectDriverDone(d.driver);
    EXPECT_FALSE(std::filesystem::exists(d.library.root() / "Elsewhere.txt"));
    ASSERT_EQ(d.driver.messageBoxes().size(), 1u);
    EXPECT_EQ(d.driver.messageBoxes()[0].type & MB_ICONEXCLAMATION, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST(DlgDesigner, LooksLikeAClassicDesigner) {
    TempLibrary library;
    const std::filesystem::path bundled = std::filesystem::path(CONNSHEET_SOURCE_DIR) / "examples" /
                                          "library" / "Dialog Templates" / "Dialog Design";
    for (const char* file : {"End Plate.txt", "End Plate.bmp"})
        std::filesystem::copy_file(bundled / file, library.templates() / file);
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.drag(0, {{100, 5}, {170, 40}});  // the band covers the gauge field
        EXPECT_EQ(selected(dlg), std::vector<int>{33003});
        ui::expectMatchesGolden(ui::renderWindow(dlg.root(), 1), "designer");
        dlg.click(IDCANCEL);
    });
    StartDlgDesigner(library.templatePath("End Plate"));
    ui::expectDriverDone(driver);
}

TEST(DlgDesigner, ResizingKeepsThePanelOnTheRightAndTheSizeIsRemembered) {
    Designer d;
    int okRight = 0;
    d.driver.onModal([&](ui::Automation& dlg) {
        const RECT before = dlg.rect(IDOK);
        const int typeLeft = dlg.rect(CDlgDesigner::IDC_TYPE).left;
        RECT window;
        dlg.wnd(0)->GetWindowRect(&window);
        const int width = window.right - window.left, height = window.bottom - window.top;
        dlg.resize(width + 100, height + 50);
        EXPECT_EQ(dlg.rect(IDOK).left, before.left + 100);
        EXPECT_EQ(dlg.rect(IDOK).top, before.top + 50);
        EXPECT_EQ(dlg.rect(CDlgDesigner::IDC_TYPE).left, typeLeft + 100);
        dlg.resize(100, 100);  // never smaller than the template made it
        EXPECT_EQ(dlg.rect(IDOK).left, before.left);
        dlg.resize(width + 40, height);
        okRight = dlg.rect(IDOK).right;
        dlg.click(IDCANCEL);
    });
    StartDlgDesigner(d.path());
    d.driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.rect(IDOK).right, okRight);  // the stored size came back
        dlg.click(IDCANCEL);
    });
    StartDlgDesigner(d.path());
    ui::expectDriverDone(d.driver);
}

// Keyboard order, the Tab key and the layout commands of a designed dialog.
#include <gtest/gtest.h>

#include "DesignerTestSupport.h"
#include "designer/CControlTracker.h"
#include "designer/Mx_DlgDesignerData.h"
#include "platform/arx/CommandLine.h"
#include "platform/mfc/Automation.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Window.h"
#include "spread/Mx_DlgPromptString.h"

using designertest::control;
using designertest::Host;
using designertest::TempLibrary;

namespace {

// A template shown in a product dialog (or in design mode on the same host) on a 200 x 100 bitmap.
struct Shown {
    TempLibrary library;
    Host host;
    Mx_DlgDesignerData data;
    // `locked`: the controls the using module locks (the file does not keep it).
    explicit Shown(const Mx_Array<Mx_DesignerControl>& controls, bool designMode = false,
                   std::initializer_list<int> locked = {}) {
        library.writeBitmap("T", 200, 100);
        library.writeTemplate("T", controls);
        data.initialize(&host, 33000, 33099, 0, 0, 0, 0, 0, designMode);
        data.readFromFile(library.templatePath("T"), true);
        for (int index : locked)
            data.getControlWrite(index)->locked = true;
        data.redrawAllControls();
    }
    int order(int index) const { return data.getControl(index)->tabOrder; }
    void select(std::initializer_list<int> ids) {
        data.getTracker()->clearSelection();
        for (int id : ids)
            data.getTracker()->selectById(id, false);
    }
    RECT rect(int id) { return ui::Automation(host).rect(id); }
};

}  // namespace

TEST(DesignerLayout, KeyboardOrderGoesByRowsThenLeftToRight) {
    Mx_Array<Mx_DesignerControl> controls;
    controls.append(control(kCtrlEdit, 0.5, 0.10, 0.6, 0.20, L"A"));
    controls.append(control(kCtrlEdit, 0.1, 0.15, 0.2, 0.25, L"B"));  // starts above A's bottom: A's row
    controls.append(control(kCtrlEdit, 0.0, 0.30, 0.1, 0.40, L"C"));
    controls.append(control(kCtrlEdit, 0.0, 0.0, 0.1, 0.05, L"Locked"));
    controls.append(control(kCtrlStatic, 0.0, 0.0, 0.1, 0.05, L"Label"));
    controls.append(control(kCtrlGroupBox, 0.0, 0.0, 0.1, 0.05, L"Group"));
    controls.append(control(kCtrlCombo, 0.3, 0.30, 0.4, 0.40, L"D"));  // C's row, right of it
    Shown shown(controls, false, {3});
    EXPECT_EQ(shown.order(1), 1);
    EXPECT_EQ(shown.order(0), 2);
    EXPECT_EQ(shown.order(2), 3);
    EXPECT_EQ(shown.order(6), 4);
    for (int index : {3, 4, 5})
        EXPECT_EQ(shown.order(index), 0) << index;
    // A locked control is created disabled.
    EXPECT_FALSE(ui::Automation(shown.host).enabled(33003));
}

TEST(DesignerLayout, TabMovesAlongTheOrderAndHandsTheEndsToTheDialog) {
    Mx_Array<Mx_DesignerControl> controls;
    controls.append(control(kCtrlEdit, 0.1, 0.1, 0.3, 0.2, L"First"));
    controls.append(control(kCtrlStatic, 0.4, 0.1, 0.5, 0.2, L"Label"));
    controls.append(control(kCtrlEdit, 0.6, 0.1, 0.8, 0.2, L"Second"));
    Shown shown(controls);
    ui::Automation dlg(shown.host);
    Mx_TabMsgHandle result = kTabFocusMoved;
    EXPECT_FALSE(shown.data.handleTabKey(VK_RETURN, result));
    EXPECT_EQ(result, kTabNotHandled);
    // Nothing of the template has the focus: not handled.
    EXPECT_FALSE(shown.data.handleTabKey(VK_TAB, result));

    ASSERT_TRUE(shown.data.setFocusToCtrl(true));
    EXPECT_EQ(dlg.focusedId(), 33000);
    EXPECT_TRUE(shown.data.handleTabKey(VK_TAB, result));
    EXPECT_EQ(result, kTabFocusMoved);
    EXPECT_EQ(dlg.focusedId(), 33002);  // the static is skipped
    EXPECT_TRUE(shown.data.handleTabKey(VK_TAB, result));
    EXPECT_EQ(result, kTabLeaveForward);
    EXPECT_EQ(dlg.focusedId(), 33002);

    ui::setKeyDown(VK_SHIFT, true);
    EXPECT_TRUE(shown.data.handleTabKey(VK_TAB, result));
    EXPECT_EQ(result, kTabFocusMoved);
    EXPECT_EQ(dlg.focusedId(), 33000);
    EXPECT_TRUE(shown.data.handleTabKey(VK_TAB, result));
    EXPECT_EQ(result, kTabLeaveBackward);
    ui::setKeyDown(VK_SHIFT, false);

    ASSERT_TRUE(shown.data.setFocusToCtrl(false));
    EXPECT_EQ(dlg.focusedId(), 33002);
}

TEST(DesignerLayout, AllLockedLeavesTabToTheDialog) {
    Mx_Array<Mx_DesignerControl> controls;
    controls.append(control(kCtrlEdit, 0.1, 0.1, 0.3, 0.2, L"Fixed"));
    Shown shown(controls, false, {0});
    Mx_TabMsgHandle result = kTabFocusMoved;
    EXPECT_FALSE(shown.data.handleTabKey(VK_TAB, result));
    EXPECT_EQ(result, kTabNotHandled);
    EXPECT_FALSE(shown.data.setFocusToCtrl(true));
}

TEST(DesignerLayout, SizesInPixels) {
    Mx_Array<Mx_DesignerControl> controls;
    controls.append(control(kCtrlEdit, 0.1, 0.1, 0.3, 0.5, L"A"));  // 20,10 - 60,50: 40 high
    Shown shown(controls);
    Mx_DesignerControl c = *shown.data.getControl(0);
    shown.data.setHeight(c, 18);  // grows from the bottom: the top moves down by 22
    EXPECT_DOUBLE_EQ(shown.data.getTopLeftY(c), 32);
    EXPECT_DOUBLE_EQ(shown.data.getBottomRightY(c), 50);
    shown.data.setWidth(c, 30);  // from the left: the right edge moves
    EXPECT_DOUBLE_EQ(shown.data.getTopLeftX(c), 20);
    EXPECT_DOUBLE_EQ(shown.data.getBottomRightX(c), 50);
    // The size command measures from the top instead.
    shown.data.changeCtrlSize(0, false, 18);
    EXPECT_DOUBLE_EQ(shown.data.getBottomRightY(*shown.data.getControl(0)), 28);
    shown.data.changeCtrlSize(5, false, 18);  // ignored
}

TEST(DesignerLayout, CopiesLieTwentyPixelsOffAndBecomeTheSelection) {
    Mx_Array<Mx_DesignerControl> controls;
    controls.append(control(kCtrlEdit, 0.1, 0.1, 0.3, 0.2, L"A"));
    controls.append(control(kCtrlCheckBox, 0.5, 0.1, 0.7, 0.2, L"B"));
    Shown shown(controls, true);
    shown.select({33000, 33001});
    shown.data.copyCurCtrls();
    ASSERT_EQ(shown.data.getNrControls(), 4);
    std::vector<int> ids;
    shown.data.getTracker()->getSelectedIds(ids);
    EXPECT_EQ(ids, (std::vector<int>{33002, 33003}));
    EXPECT_EQ(shown.rect(33002).left, 40);
    EXPECT_EQ(shown.rect(33002).top, 30);
    EXPECT_EQ(shown.rect(33003).right, 160);
    EXPECT_EQ(shown.data.getControl(3)->type, kCtrlCheckBox);
    // Removing takes the selected controls and their windows.
    EXPECT_TRUE(shown.data.removeCurControls());
    EXPECT_EQ(shown.data.getNrControls(), 2);
    EXPECT_EQ(shown.data.getNrDrawnCtrls(), 2);
    EXPECT_FALSE(ui::Automation(shown.host).exists(33003));
}

TEST(DesignerLayout, AlignmentTakesTheLeftmostAndTheFirstSelectedOnATie) {
    Mx_Array<Mx_DesignerControl> controls;
    controls.append(control(kCtrlEdit, 0.5, 0.1, 0.7, 0.3, L"Right"));  // 100,10 - 140,30
    controls.append(control(kCtrlEdit, 0.1, 0.5, 0.3, 0.6, L"Left"));   // 20,50 - 60,60
    controls.append(control(kCtrlEdit, 0.1, 0.7, 0.2, 0.9, L"Tie"));    // 20,70 - 40,90
    Shown shown(controls, true);

    shown.select({33000});
    EXPECT_FALSE(shown.data.stickRightCurCtrls());
    shown.select({33000, 33001, 33002});
    EXPECT_FALSE(shown.data.stickRightCurCtrls());

    // Align bottoms: both others take the bottom of Left (the first selected of the two leftmost).
    shown.select({33001, 33002, 33000});
    EXPECT_TRUE(shown.data.outlineCurCtrls());
    EXPECT_EQ(shown.rect(33000).bottom, 60);
    EXPECT_EQ(shown.rect(33000).top, 40);  // keeps its height
    EXPECT_EQ(shown.rect(33002).bottom, 60);
    EXPECT_EQ(shown.rect(33001).top, 50);
    std::vector<int> ids;
    shown.data.getTracker()->getSelectedIds(ids);
    EXPECT_EQ(ids, (std::vector<int>{33001, 33002, 33000}));

    // Attach right: the other one sits on Left's right edge, as high as Left, keeping its width.
    shown.select({33000, 33001});
    EXPECT_TRUE(shown.data.stickRightCurCtrls());
    const RECT attached = shown.rect(33000);
    EXPECT_EQ(attached.left, 60);
    EXPECT_EQ(attached.right, 100);
    EXPECT_EQ(attached.top, 50);
    EXPECT_EQ(attached.bottom, 60);
}

TEST(DesignerLayout, SizeCommandAsksAndSetsEverySelectedControl) {
    Mx_Array<Mx_DesignerControl> controls;
    controls.append(control(kCtrlEdit, 0.1, 0.1, 0.3, 0.5, L"A"));
    controls.append(control(kCtrlEdit, 0.5, 0.1, 0.6, 0.2, L"B"));
    Shown shown(controls, true);
    shown.select({33000, 33001});
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& prompt) {
        EXPECT_EQ(prompt.text(Mx_DlgPromptString::IDC_VALUE), L"18");
        prompt.type(Mx_DlgPromptString::IDC_VALUE, L"24");
        prompt.click(IDOK);
    });
    driver.onModal([](ui::Automation& prompt) { prompt.click(IDCANCEL); });
    shown.data.changeCtrlSize(false);
    EXPECT_EQ(shown.rect(33000).bottom, 34);
    EXPECT_EQ(shown.rect(33001).bottom, 34);
    std::vector<int> ids;
    shown.data.getTracker()->getSelectedIds(ids);
    EXPECT_EQ(ids.size(), 2u);
    shown.data.changeCtrlSize(true);  // cancelled: nothing changes
    EXPECT_EQ(shown.rect(33000).right, 60);
    ui::expectDriverDone(driver);
}

TEST(DesignerLayout, PrintPositionsListsTheFactors) {
    Mx_Array<Mx_DesignerControl> controls;
    controls.append(control(kCtrlEdit, 0.1, 0.2, 0.3, 0.4, L"A"));
    Shown shown(controls);
    host::clearEvents();
    shown.data.printPositions();
    EXPECT_EQ(host::printedText(),
              L"**** Control A ****\nLeft: 0.100000 - Right: 0.300000\nTop: 0.200000 - Bottom: "
              L"0.400000\n********\n");
}

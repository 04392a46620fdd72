// Mx_Spread as a user meets it, driven through the automation API: the context menu, the Tab key out
// of the grid, the check link, and the F3/F5/F8 keys.
#include <gtest/gtest.h>

#include "platform/mfc/Automation.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mxbase/UiTexts.h"
#include "spread/Mx_DlgPromptString.h"
#include "tests/spread/SpreadTestHost.h"

using spreadtest::Host;
using spreadtest::kAfter;
using spreadtest::kBefore;
using spreadtest::kGrid;

namespace {

POINT centreOf(Mx_Spread& grid, int col, int row) {
    RECT r{};
    EXPECT_TRUE(grid.GetCellRect(col, row, &r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void clickCell(ui::Automation& dlg, Mx_Spread& grid, int col, int row,
               ui::MouseButton button = ui::MouseButton::Left) {
    POINT at = centreOf(grid, col, row);
    dlg.mouseDown(kGrid, at, button);
    dlg.mouseUp(kGrid, at, button);
}

Mx_String value(Mx_Spread& grid, int col, int row) {
    Mx_String t;
    grid.getCellText(col, row, t);
    return t;
}

}  // namespace

TEST(Mx_SpreadContextMenu, KindsBuildTheMenuAndIdsReachTheirActions) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 3);
    grid.setColumnTexts(1, {L"a", L"b", L"c"}, false);
    ASSERT_TRUE(grid.setContextMenu({2, 1, 3}));

    ui::ScriptedDriver driver;
    driver.answerPopupMenu(32811).answerPopupMenu(32812);
    ui::Automation dlg(host);
    clickCell(dlg, grid, 1, 1, ui::MouseButton::Right);  // copy "a"
    clickCell(dlg, grid, 1, 3, ui::MouseButton::Right);  // paste into (1, 3)

    ASSERT_EQ(driver.popupMenus().size(), 2u);
    const auto& items = driver.popupMenus()[0].items;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].id, 32811u);
    EXPECT_EQ(items[0].text, dialString(1154).str());
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ(items[2].id, 32812u);
    EXPECT_EQ(items[2].text, dialString(1155).str());
    EXPECT_EQ(value(grid, 1, 3), Mx_String(L"a"));
    ui::expectDriverDone(driver);
}

TEST(Mx_SpreadContextMenu, RowAndCheckCommands) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 3);
    grid.setCheckBoxColumn(2, false, false);
    grid.setColumnTexts(1, {L"a", L"b", L"c"}, false);
    // Twelve kinds: only the first ten commands get an id.
    grid.setContextMenu({4, 5, 8, 9, 2, 3, 6, 7, 2, 3, 2, 3});

    ui::ScriptedDriver driver;
    driver.answerPopupMenu(32811)   // insert row at (x, 2)
        .answerPopupMenu(32816)     // check all in the selection
        .answerPopupMenu(32812);    // delete row at (x, 1)
    ui::Automation dlg(host);
    clickCell(dlg, grid, 1, 2, ui::MouseButton::Right);
    EXPECT_EQ(grid.getMaxRows(), 4);
    EXPECT_EQ(value(grid, 1, 2), Mx_String());
    EXPECT_EQ(value(grid, 1, 3), Mx_String(L"b"));
    EXPECT_EQ(grid.getCellType(2, 2), SS_TYPE_CHECKBOX) << "the new row has the format of the row below";

    clickCell(dlg, grid, 2, 4, ui::MouseButton::Right);
    EXPECT_EQ(value(grid, 2, 4), Mx_String(L"1"));
    EXPECT_EQ(value(grid, 2, 3), Mx_String()) << "outside the selection";

    clickCell(dlg, grid, 1, 1, ui::MouseButton::Right);
    EXPECT_EQ(grid.getMaxRows(), 3);
    EXPECT_EQ(value(grid, 1, 1), Mx_String());

    ASSERT_EQ(driver.popupMenus().size(), 3u);
    std::size_t commands = 0;
    for (const ui::MenuItem& item : driver.popupMenus()[0].items) commands += item.separator ? 0 : 1;
    EXPECT_EQ(commands, 10u);
    EXPECT_EQ(driver.popupMenus()[0].items.back().id, 32804u);
    EXPECT_TRUE(grid.GetBool(SSB_CHANGEMADE));
    ui::expectDriverDone(driver);
}

TEST(Mx_SpreadContextMenu, NoKindsNoMenu) {
    Host host;
    host.fill(2, 2);
    ui::ScriptedDriver driver;
    ui::Automation dlg(host);
    clickCell(dlg, host.grid, 1, 1, ui::MouseButton::Right);
    EXPECT_TRUE(driver.popupMenus().empty());
}

TEST(Mx_SpreadTab, LeavesTheGridOnlyAtItsEdges) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(3, 2);
    grid.setLock(3, 2, true);  // the last enterable cell is (2, 2)
    grid.setLock(1, 1, true);  // the first is (2, 1)
    ui::ScriptedDriver driver;
    ui::Automation dlg(host);

    dlg.setFocus(kGrid);
    grid.SetActiveCell(2, 1);
    dlg.press(VK_TAB);
    EXPECT_EQ(host.lastTabResult, kTabFocusMoved);
    EXPECT_EQ(dlg.focusedId(), kGrid);
    EXPECT_EQ(grid.selectedCol(), 3) << "the grid moved inside";

    grid.SetActiveCell(2, 2);
    dlg.press(VK_TAB);
    EXPECT_EQ(host.lastTabResult, kTabLeaveForward);
    EXPECT_EQ(dlg.focusedId(), kAfter);

    dlg.setFocus(kGrid);
    grid.SetActiveCell(2, 1);
    dlg.press(VK_TAB, ui::Keys::Shift);
    EXPECT_EQ(host.lastTabResult, kTabLeaveBackward);
    EXPECT_EQ(dlg.focusedId(), kBefore);

    // Shift+Tab elsewhere moves inside.
    dlg.setFocus(kGrid);
    grid.SetActiveCell(1, 2);
    dlg.press(VK_TAB, ui::Keys::Shift);
    EXPECT_EQ(host.lastTabResult, kTabFocusMoved);
    EXPECT_EQ(dlg.focusedId(), kGrid);

    // Another key is no Tab: not handled.
    dlg.press(VK_RIGHT);
    EXPECT_FALSE(host.lastKeyHandled);
    EXPECT_EQ(host.lastKeyResult, kTabNotHandled);
    EXPECT_EQ(dlg.focusedId(), kGrid);
    ui::expectDriverDone(driver);
}

TEST(Mx_SpreadTab, SpansAndFullyLockedGrids) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 3);
    grid.setColumnTexts(2, {L"x", L"y", L"y"}, false);
    grid.mergeEqualCells(2);  // (2, 2) spans rows 2-3: the active cell there is the anchor
    ui::Automation dlg(host);
    dlg.setFocus(kGrid);
    grid.SetActiveCell(2, 3);
    dlg.press(VK_TAB);
    EXPECT_EQ(host.lastKeyResult, kTabLeaveForward);
    EXPECT_EQ(dlg.focusedId(), kAfter);

    // A locked anchor locks the whole span: (1, 3) is then the last cell Tab may enter.
    grid.setLock(2, 2, true);
    dlg.setFocus(kGrid);
    grid.SetActiveCell(1, 3);
    dlg.press(VK_TAB);
    EXPECT_EQ(host.lastKeyResult, kTabLeaveForward);

    // Nothing to enter: Tab leaves, either way, instead of trapping the focus.
    grid.SetLockRange(1, 1, 2, 3, TRUE);
    EXPECT_FALSE(grid.focusFirstUnlocked(true));
    dlg.setFocus(kGrid);
    dlg.press(VK_TAB);
    EXPECT_EQ(host.lastKeyResult, kTabLeaveForward);
    EXPECT_EQ(dlg.focusedId(), kAfter);
    dlg.setFocus(kGrid);
    dlg.press(VK_TAB, ui::Keys::Shift);
    EXPECT_EQ(host.lastKeyResult, kTabLeaveBackward);
    EXPECT_EQ(dlg.focusedId(), kBefore);

    grid.setLock(1, 2, false);
    dlg.setFocus(kBefore);
    ASSERT_TRUE(grid.focusFirstUnlocked(false));
    EXPECT_EQ(dlg.focusedId(), kGrid);
    EXPECT_EQ(grid.selectedRow(), 2);
    EXPECT_EQ(grid.selectedCol(), 1);

    // Focus outside a grid: not handled.
    dlg.setFocus(kBefore);
    dlg.press(VK_TAB);
    EXPECT_FALSE(host.lastKeyHandled);
    EXPECT_EQ(host.lastKeyResult, kTabNotHandled);
}

TEST(Mx_SpreadCheckLink, ClickingTheCheckBoxLocksOrUnlocksItsRow) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 3);
    grid.setCheckBoxColumn(1, false, false);
    grid.setColumnTexts(1, {L"1", L"0", L"maybe"}, false);
    grid.setLock(2, 3, true);
    EXPECT_FALSE(grid.linkCheckToCell(3, 2));
    ASSERT_TRUE(grid.linkCheckToCell(1, 2));
    EXPECT_FALSE(grid.isLocked(2, 1));
    EXPECT_TRUE(grid.isLocked(2, 2));
    EXPECT_TRUE(grid.isLocked(2, 3)) << "any other text leaves the lock";

    ui::ScriptedDriver driver;
    ui::Automation dlg(host);
    clickCell(dlg, grid, 1, 2);  // checks row 2
    EXPECT_EQ(value(grid, 1, 2), Mx_String(L"1"));
    EXPECT_FALSE(grid.isLocked(2, 2));
    EXPECT_EQ(grid.selectedCol(), 2) << "the dependent cell becomes active";
    EXPECT_EQ(grid.selectedRow(), 2);

    clickCell(dlg, grid, 1, 1);  // unchecks row 1
    EXPECT_TRUE(grid.isLocked(2, 1));
    ui::expectDriverDone(driver);
}

namespace {
struct FakeFindReplace : Mx_Spread::FindReplace {
    static inline int created = 0, finds = 0, replaces = 0;
    void findNext() override { ++finds; }
    void replaceNext() override { ++replaces; }
};
}  // namespace

TEST(Mx_SpreadKeys, FunctionKeys) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    ui::Automation dlg(host);
    dlg.setFocus(kGrid);

    Mx_Spread::setFindReplaceFactory([](Mx_Spread&, bool) -> std::unique_ptr<Mx_Spread::FindReplace> {
        ++FakeFindReplace::created;
        return std::make_unique<FakeFindReplace>();
    });
    dlg.press(VK_F3);
    EXPECT_EQ(FakeFindReplace::created, 1);
    EXPECT_EQ(FakeFindReplace::finds, 0) << "the first press only opens the dialog";
    dlg.press(VK_F3);
    dlg.press(VK_F5);
    EXPECT_EQ(FakeFindReplace::created, 1);
    EXPECT_EQ(FakeFindReplace::finds, 1);
    EXPECT_EQ(FakeFindReplace::replaces, 1);
    EXPECT_NE(grid.findReplace(), nullptr);
    Mx_Spread::setFindReplaceFactory(nullptr);

    bool permanent = grid.GetBool(SSB_EDITMODEPERMANENT);
    dlg.press(VK_F8);
    EXPECT_NE(grid.GetBool(SSB_EDITMODEPERMANENT) != FALSE, permanent);
    grid.setF8Enabled(false);
    dlg.press(VK_F8);
    EXPECT_NE(grid.GetBool(SSB_EDITMODEPERMANENT) != FALSE, permanent);
}

TEST(Mx_SpreadContextMenu, InsertColumnAsksForItsHeader) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    grid.setContextMenu({6});
    ui::ScriptedDriver driver;
    driver.answerPopupMenu(32811);
    driver.onModal([](ui::Automation& prompt) {
        prompt.type(Mx_DlgPromptString::IDC_VALUE, L"Width");
        prompt.click(IDOK);
    });
    ui::Automation dlg(host);
    clickCell(dlg, grid, 2, 1, ui::MouseButton::Right);
    EXPECT_EQ(grid.getMaxCols(), 3);
    Mx_String header;
    ASSERT_TRUE(grid.getCellText(2, SS_HEADER, header));
    EXPECT_EQ(header, Mx_String(L"Width"));
    EXPECT_TRUE(grid.GetBool(SSB_CHANGEMADE));
    ui::expectDriverDone(driver);
}

// ---- Context menu: the remaining commands --------------------------------------------------------------

TEST(Mx_SpreadContextMenu, DeleteColumnAndUncheckAll) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(3, 3);
    grid.setRowTexts(1, {L"a", L"b", L"c"}, false);
    grid.setCheckBoxColumn(3, false, false);
    grid.setColumnBools(3, {true, true, true});
    grid.setContextMenu({7, 1, 9});

    ui::ScriptedDriver driver;
    driver.answerPopupMenu(32811)   // delete the column of (1, 2)
        .answerPopupMenu(32812);    // uncheck all in the selected block
    ui::Automation dlg(host);
    clickCell(dlg, grid, 1, 2, ui::MouseButton::Right);
    EXPECT_EQ(grid.getMaxCols(), 2);
    EXPECT_EQ(value(grid, 1, 1), Mx_String(L"b"));
    EXPECT_EQ(grid.getCellType(2, 1), SS_TYPE_CHECKBOX) << "the check boxes moved left";

    grid.SetBool(SSB_CHANGEMADE, FALSE);
    grid.selectBlock(1, 1, 2, 2);
    POINT at = centreOf(grid, 2, 2);  // inside the block: the block stays selected
    dlg.mouseDown(kGrid, at, ui::MouseButton::Right);
    dlg.mouseUp(kGrid, at, ui::MouseButton::Right);
    EXPECT_EQ(value(grid, 2, 1), Mx_String(L"0"));
    EXPECT_EQ(value(grid, 2, 2), Mx_String(L"0"));
    EXPECT_EQ(value(grid, 2, 3), Mx_String(L"1")) << "outside the block";
    EXPECT_EQ(value(grid, 1, 1), Mx_String(L"b")) << "only check boxes change";
    EXPECT_TRUE(grid.GetBool(SSB_CHANGEMADE));
    ui::expectDriverDone(driver);
}

TEST(Mx_SpreadContextMenu, UnknownKindsShowNothingAndTakeNoId) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    grid.setContextMenu({0, 10, 2, -1, 3});
    ui::ScriptedDriver driver;
    driver.answerPopupMenu(0);
    ui::Automation dlg(host);
    clickCell(dlg, grid, 1, 1, ui::MouseButton::Right);
    ASSERT_EQ(driver.popupMenus().size(), 1u);
    const auto& items = driver.popupMenus()[0].items;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].id, 32811u);
    EXPECT_EQ(items[1].id, 32812u);
    EXPECT_EQ(items[1].text, dialString(1155).str());
}

// ---- Check link from the keyboard ------------------------------------------------------------------------

TEST(Mx_SpreadCheckLink, SpaceOnTheCheckBoxAppliesTheLinkToo) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    grid.setCheckBoxColumn(1, false, false);
    grid.setColumnBools(1, {false, false});
    ASSERT_TRUE(grid.linkCheckToCell(1, 2));
    EXPECT_TRUE(grid.isLocked(2, 2));

    ui::ScriptedDriver driver;
    ui::Automation dlg(host);
    dlg.setFocus(kGrid);
    grid.SetActiveCell(1, 2);
    dlg.press(VK_SPACE);
    EXPECT_EQ(value(grid, 1, 2), Mx_String(L"1"));
    EXPECT_FALSE(grid.isLocked(2, 2));
    EXPECT_EQ(grid.selectedCol(), 2);
    EXPECT_TRUE(grid.isLocked(2, 1)) << "other rows keep their lock";

    // Outside the check column a button press is not the link's.
    grid.setButtonCell(2, 1, L"...");
    grid.setLock(2, 1, false);
    grid.SetActiveCell(2, 1);
    dlg.press(VK_SPACE);
    EXPECT_EQ(grid.selectedCol(), 2);
    EXPECT_EQ(grid.selectedRow(), 1);
    ui::expectDriverDone(driver);
}

// ---- Header prompt of insertRow / insertCol ------------------------------------------------------------

TEST(Mx_SpreadHeaderPrompt, RowsAndColumnsAskWithTheirOwnPrompt) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& prompt) {
        EXPECT_EQ(prompt.text(0), dialString(1150).str());
        EXPECT_EQ(prompt.text(Mx_DlgPromptString::IDC_PROMPT),
                  dialString(1151).str() + L" " + dialString(1152).str() + L":");
        EXPECT_EQ(prompt.text(Mx_DlgPromptString::IDC_VALUE), dialString(171).str());
        EXPECT_EQ(prompt.text(IDOK), L"Ok");
        prompt.type(Mx_DlgPromptString::IDC_VALUE, L"Bolts");
        prompt.click(IDOK);
    });
    driver.onModal([](ui::Automation& prompt) {
        EXPECT_EQ(prompt.text(Mx_DlgPromptString::IDC_PROMPT),
                  dialString(1151).str() + L" " + dialString(1153).str() + L":");
        prompt.close();
    });
    ASSERT_TRUE(grid.insertRow(2, true, false));
    ASSERT_TRUE(grid.insertCol(1, true, false));
    Mx_String header;
    ASSERT_TRUE(grid.getCellText(SS_HEADER, 2, header));
    EXPECT_EQ(header, Mx_String(L"Bolts"));
    ASSERT_TRUE(grid.getCellText(1, SS_HEADER, header));
    EXPECT_EQ(header, dialString(171)) << "closing the prompt keeps its initial text";
    EXPECT_FALSE(grid.insertRow(5, true, false)) << "past max rows + 1: no prompt either";
    ui::expectDriverDone(driver);
}

// What a user does in a grid, through the automation verbs, and what the parent hears of it.
#include "tests/grid_window/GridTestDialog.h"

namespace {

using Strings = std::vector<std::string>;

class GridInput : public GridWindowTest {
protected:
    void SetUp() override {
        GridWindowTest::SetUp();
        SSSetBool(hwnd, SSB_PROCESSTAB, TRUE);
        dialog.take();
    }
    void checkBoxColumn(SS_COORD col) {
        SS_CELLTYPE ct;
        SSSetTypeCheckBox(hwnd, &ct, 768, L"", nullptr, nullptr);
        SSSetCellTypeRange(hwnd, col, 1, col, 6, &ct);
    }
    void comboCell(SS_COORD col, SS_COORD row) {
        SS_CELLTYPE ct;
        SSSetTypeComboBox(hwnd, &ct, 0x100000, L"M16\tM20\tM24");
        SSSetCellType(hwnd, col, row, &ct);
    }
};

TEST_F(GridInput, CommittedEditSendsDataChangeThenEditModeOff) {
    user.type(2, 3, L"HEA 200");
    EXPECT_EQ(value(2, 3), L"HEA 200");
    EXPECT_EQ(dialog.take(), (Strings{"0x509 (1,1)", "0x502 (2,3)", "0x50C (2,3)", "0x508 (2,3)", "0x521 (2,3)"}));
    EXPECT_FALSE(user.editing());

    // Typing the text a cell already has commits nothing new.
    user.type(2, 3, L"HEA 200");
    EXPECT_EQ(dialog.take(), (Strings{"0x502 (2,3)", "0x50C (2,3)", "0x521 (2,3)"}));

    // Escape throws the edit away.
    user.click(2, 3);
    dlg.typeHere(L"IPE");
    EXPECT_EQ(user.editText(), L"IPE");
    user.key(VK_ESCAPE);
    EXPECT_EQ(value(2, 3), L"HEA 200");
    EXPECT_FALSE(user.editing());
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd)) << "Escape in an edit does not cancel the dialog";
}

TEST_F(GridInput, EditKeysAndLimits) {
    SS_CELLTYPE ct;
    SSSetTypeEdit(hwnd, &ct, 0, 4);
    SSSetCellType(hwnd, 1, 1, &ct);
    user.click(1, 1);
    dlg.typeHere(L"abcdef");
    EXPECT_EQ(user.editText(), L"abcd") << "the cell's length limit";
    user.key(VK_LEFT);
    user.key(VK_LEFT);
    dlg.typeHere(L"\b");
    user.key(VK_DELETE);
    EXPECT_EQ(user.editText(), L"ad");
    int start = -1, end = -1;
    ASSERT_TRUE(SSGetSel(hwnd, &start, &end));
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(1, 1));
    user.key(VK_HOME);
    user.key(VK_END, ui::Keys::Shift);
    ASSERT_TRUE(SSGetSel(hwnd, &start, &end));
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 2));

    // Leaving the grid commits, and the parent hears of it as for Return.
    dialog.take();
    dlg.setFocus(IDC_NAME);
    EXPECT_EQ(value(1, 1), L"ad");
    EXPECT_EQ(dialog.take(), (Strings{"0x508 (1,1)", "0x521 (1,1)"}));
}

TEST_F(GridInput, ProgrammaticEditModeAndSelection) {
    SSSetData(hwnd, 2, 2, L"Plate");
    ASSERT_TRUE(SSSetActiveCell(hwnd, 2, 2));
    int start = 0, end = 0;
    EXPECT_FALSE(SSGetSel(hwnd, &start, &end)) << "not in edit mode";
    ASSERT_TRUE(SSSetEditMode(hwnd, TRUE));
    ASSERT_TRUE(SSSetSel(hwnd, 0, -1));
    ASSERT_TRUE(SSGetSel(hwnd, &start, &end));
    EXPECT_EQ(end, 5);
    ASSERT_TRUE(SSSetEditMode(hwnd, FALSE));
    EXPECT_TRUE(dialog.take().empty()) << "programmatic calls send nothing";

    // A locked cell or a static text cell does not enter edit mode.
    SSSetLock(hwnd, 3, 3, TRUE);
    SSSetActiveCell(hwnd, 3, 3);
    EXPECT_FALSE(SSSetEditMode(hwnd, TRUE));
    SS_CELLTYPE ct;
    SSSetTypeStaticText(hwnd, &ct, 0);
    SSSetCellType(hwnd, 4, 4, &ct);
    SSSetActiveCell(hwnd, 4, 4);
    EXPECT_FALSE(SSSetEditMode(hwnd, TRUE));
    SSSetOperationMode(hwnd, SS_OPMODE_READONLY);
    SSSetActiveCell(hwnd, 1, 1);
    EXPECT_FALSE(SSSetEditMode(hwnd, TRUE)) << "read-only grid";

    ASSERT_TRUE(SSSetSelectBlock(hwnd, 2, 2, 3, -1)) << "a negative end is the last row";
    SS_COORD c1, r1, c2, r2;
    ASSERT_TRUE(SSGetSelectBlock(hwnd, &c1, &r1, &c2, &r2));
    EXPECT_EQ(std::vector<SS_COORD>({c1, r1, c2, r2}), std::vector<SS_COORD>({2, 2, 3, 6}));
    EXPECT_EQ(user.activeCell(), std::make_pair(2, 2)) << "the active cell moves into the block";
    ASSERT_TRUE(SSSetSelectBlock(hwnd, SS_HEADER, 3, SS_HEADER, 3)) << "a whole row";
    ASSERT_TRUE(SSGetSelectBlock(hwnd, &c1, &r1, &c2, &r2));
    EXPECT_EQ(std::vector<SS_COORD>({c1, r1, c2, r2}), std::vector<SS_COORD>({1, 3, 4, 3}));
    ASSERT_TRUE(SSSetActiveCell(hwnd, 1, 1));
    EXPECT_FALSE(SSGetSelectBlock(hwnd, &c1, &r1, &c2, &r2)) << "zero when there is no block";
    EXPECT_FALSE(SSSetSelectBlock(hwnd, 1, 1, 9, 9));
}

TEST_F(GridInput, CheckBoxClickTogglesAndNotifies) {
    checkBoxColumn(1);
    SSSetData(hwnd, 1, 2, L"0");
    user.click(1, 2);
    EXPECT_TRUE(user.checked(1, 2));
    EXPECT_EQ(dialog.take(), (Strings{"0x509 (1,1)", "cmd 59 (1,2)", "0x508 (1,2)", "cmd 60 (1,2)", "0x502 (1,2)"}));
    user.key(VK_SPACE);
    EXPECT_FALSE(user.checked(1, 2));
    EXPECT_EQ(value(1, 2), L"0");
    EXPECT_EQ(dialog.take(), (Strings{"cmd 59 (1,2)", "0x508 (1,2)", "cmd 60 (1,2)"}));

    // A locked check box, or one in a read-only grid, stays as it is and sends no button codes.
    SSSetLock(hwnd, 1, 3, TRUE);
    user.click(1, 3);
    EXPECT_FALSE(user.checked(1, 3));
    EXPECT_EQ(dialog.take(), (Strings{"0x509 (1,2)", "0x502 (1,3)"}));
    SSSetOperationMode(hwnd, SS_OPMODE_READONLY);
    user.click(1, 4);
    EXPECT_FALSE(user.checked(1, 4));

    // Pressed on one cell and released on another: no click.
    SSSetOperationMode(hwnd, SS_OPMODE_NORMAL);
    RECT from, to;
    ASSERT_TRUE(SSGetCellRect(hwnd, 1, 5, &from));
    ASSERT_TRUE(SSGetCellRect(hwnd, 2, 5, &to));
    dialog.take();
    dlg.mouseDown(IDC_GRID, {from.left + 2, from.top + 2});
    dlg.mouseUp(IDC_GRID, {to.left + 2, to.top + 2});
    EXPECT_FALSE(user.checked(1, 5));
    EXPECT_EQ(dialog.take(), (Strings{"0x509 (1,4)", "cmd 59 (1,5)"}));
}

TEST_F(GridInput, ButtonCellClickSendsTheButtonCodes) {
    SS_CELLTYPE ct;
    SSSetTypeButton(hwnd, &ct, 0, L"...");
    SSSetCellType(hwnd, 4, 2, &ct);
    user.click(4, 2);
    EXPECT_EQ(dialog.take(), (Strings{"0x509 (1,1)", "cmd 59 (4,2)", "cmd 60 (4,2)", "0x502 (4,2)"}));
    EXPECT_EQ(value(4, 2), L"") << "a button holds no data";
}

TEST_F(GridInput, ComboSelectionNotifiesInOrder) {
    comboCell(3, 2);
    EXPECT_EQ(user.comboItems(3, 2), (std::vector<std::wstring>{L"M16", L"M20", L"M24"}));
    user.selectCombo(3, 2, 1);
    EXPECT_EQ(value(3, 2), L"M20");
    EXPECT_EQ(dialog.take(),
              (Strings{"0x509 (1,1)", "0x516 (3,2)", "0x502 (3,2)", "0x517 (3,2)", "0x508 (3,2)", "0x518 (3,2)"}));
    // Choosing the item the cell already has is still a selection, but no data change.
    user.selectCombo(3, 2, L"M20");
    EXPECT_EQ(dialog.take(), (Strings{"0x516 (3,2)", "0x502 (3,2)", "0x517 (3,2)", "0x518 (3,2)"}));

    // Escape closes the list without a choice; the dialog stays.
    user.key(VK_F4);
    user.key(VK_DOWN);
    user.key(VK_ESCAPE);
    EXPECT_EQ(value(3, 2), L"M20");
    EXPECT_EQ(dialog.take(), (Strings{"0x516 (3,2)", "0x518 (3,2)"}));
    EXPECT_TRUE(dialog.IsWindowVisible());
}

TEST_F(GridInput, KeyboardNavigation) {
    struct Case {
        UINT key;
        ui::Keys keys;
        std::pair<SS_COORD, SS_COORD> from, to;
    };
    const Case cases[] = {
        {VK_RIGHT, ui::Keys::None, {1, 1}, {2, 1}},
        {VK_LEFT, ui::Keys::None, {1, 1}, {1, 1}},  // stops at the edge
        {VK_DOWN, ui::Keys::None, {2, 6}, {2, 6}},
        {VK_END, ui::Keys::None, {2, 3}, {4, 3}},
        {VK_HOME, ui::Keys::Ctrl, {3, 4}, {1, 1}},
        {VK_END, ui::Keys::Ctrl, {1, 1}, {4, 6}},
        {VK_TAB, ui::Keys::None, {4, 1}, {1, 2}},  // wraps to the next row
        {VK_TAB, ui::Keys::Shift, {1, 2}, {4, 1}},
        {VK_TAB, ui::Keys::None, {4, 6}, {4, 6}},  // the last cell: nowhere to go
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        SSSetActiveCell(hwnd, c.from.first, c.from.second);
        user.key(c.key, c.keys);
        EXPECT_EQ(user.activeCell(), c.to);
    }

    // Tab skips locked cells and lands on a span's anchor, never inside it.
    SSSetLock(hwnd, 2, 1, TRUE);
    SSAddCellSpan(hwnd, 3, 1, 2, 2);
    SSSetActiveCell(hwnd, 1, 1);
    user.key(VK_TAB);
    EXPECT_EQ(user.activeCell(), std::make_pair(3, 1));
    user.key(VK_TAB);
    EXPECT_EQ(user.activeCell(), std::make_pair(1, 2));
    user.key(VK_RIGHT);
    EXPECT_EQ(user.activeCell(), std::make_pair(2, 2));
    user.key(VK_RIGHT);
    EXPECT_EQ(user.activeCell(), std::make_pair(3, 1)) << "into the span: its anchor";
    user.key(VK_DOWN);
    EXPECT_EQ(user.activeCell(), std::make_pair(3, 3)) << "out of the span's bottom";
}

TEST_F(GridInput, TheEnterActionMovesAfterACommit) {
    struct Case {
        WORD action;
        std::pair<SS_COORD, SS_COORD> to;
    };
    const Case cases[] = {
        {SS_ENTERACTION_NONE, {2, 2}}, {SS_ENTERACTION_DOWN, {2, 3}}, {SS_ENTERACTION_UP, {2, 1}},
        {SS_ENTERACTION_RIGHT, {3, 2}}, {SS_ENTERACTION_NEXTROW, {1, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        SSSetEditEnterAction(hwnd, c.action);
        user.type(2, 2, L"7");
        EXPECT_EQ(user.activeCell(), c.to);
    }
    EXPECT_FALSE(SSSetEditEnterAction(hwnd, 99));

    // Return outside edit mode belongs to the dialog unless the grid processes it.
    SSSetEditEnterAction(hwnd, SS_ENTERACTION_NEXT);
    SSSetActiveCell(hwnd, 4, 1);
    user.key(VK_RETURN);
    EXPECT_FALSE(dialog.IsWindowVisible()) << "the default button (OK) answered";
    dialog.ShowWindow(SW_SHOW);
    SSSetBool(hwnd, SSB_PROCESSRETURN, TRUE);
    user.key(VK_RETURN);
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_EQ(user.activeCell(), std::make_pair(1, 2)) << "next: the first cell of the next row";
}

TEST_F(GridInput, PermanentEditModeEditsEveryCellItEnters) {
    SSSetBool(hwnd, SSB_EDITMODEPERMANENT, TRUE);
    SSSetData(hwnd, 2, 1, L"old");
    user.click(2, 1);
    EXPECT_TRUE(user.editing());
    dlg.typeHere(L"new");
    user.key(VK_DOWN);
    EXPECT_EQ(value(2, 1), L"new") << "the whole text was selected on entry";
    EXPECT_TRUE(user.editing());
    EXPECT_EQ(user.activeCell(), std::make_pair(2, 2));
}

TEST_F(GridInput, BlocksAndRightClick) {
    user.selectBlock(2, 2, 3, 4);
    ASSERT_TRUE(user.block().has_value());
    EXPECT_EQ(*user.block(), (grid::CellRange{2, 2, 3, 4}));
    EXPECT_EQ(dialog.take(), (Strings{"0x509 (1,1)", "0x502 (2,2)", "0x50A (2,2)"}));
    user.key(VK_RIGHT, ui::Keys::Shift);
    EXPECT_EQ(*user.block(), (grid::CellRange{2, 2, 4, 4}));
    dialog.take();

    // A right click inside the block keeps it; outside, it moves the active cell first.
    user.rightClick(3, 3);
    EXPECT_TRUE(user.block().has_value());
    EXPECT_EQ(dialog.take(), (Strings{"0x50D (3,3)"}));
    user.rightClick(1, 6);
    EXPECT_FALSE(user.block().has_value());
    EXPECT_EQ(user.activeCell(), std::make_pair(1, 6));
    EXPECT_EQ(dialog.take(), (Strings{"0x509 (2,2)", "0x50D (1,6)"}));

    // A drag selects the block it covers, told once the button is released.
    RECT from, to;
    ASSERT_TRUE(SSGetCellRect(hwnd, 1, 1, &from));
    ASSERT_TRUE(SSGetCellRect(hwnd, 2, 3, &to));
    dlg.mouseDown(IDC_GRID, {from.left + 2, from.top + 2});
    dlg.mouseMove(IDC_GRID, {to.left + 2, to.top + 2});
    dlg.mouseUp(IDC_GRID, {to.left + 2, to.top + 2});
    EXPECT_EQ(*user.block(), (grid::CellRange{1, 1, 2, 3}));
    EXPECT_EQ(dialog.take(), (Strings{"0x509 (1,6)", "0x50A (1,1)"}));

    // A double click starts editing; its closing release is no further click.
    user.doubleClick(4, 5);
    EXPECT_TRUE(user.editing());
    EXPECT_EQ(dialog.take(), (Strings{"0x509 (1,1)", "0x502 (4,5)", "0x503 (4,5)", "0x50C (4,5)"}));

    // A column header selects the column.
    RECT header;
    ASSERT_TRUE(SSGetCellRect(hwnd, 3, SS_HEADER, &header));
    dlg.mouseDown(IDC_GRID, {header.left + 3, header.top + 3});
    dlg.mouseUp(IDC_GRID, {header.left + 3, header.top + 3});
    EXPECT_EQ(*user.block(), (grid::CellRange{3, 1, 3, 6}));
}

TEST_F(GridInput, ClipboardRoundTripAsTabSeparatedText) {
    SSSetData(hwnd, 1, 1, L"Name");
    SSSetData(hwnd, 2, 1, L"a\tb");  // a tab inside a cell travels quoted
    SSSetFloat(hwnd, 1, 2, 12.5);
    SSSetFormula(hwnd, 2, 2, L"A2*2");
    ASSERT_TRUE(SSSetSelectBlock(hwnd, 1, 1, 2, 2));
    ASSERT_TRUE(SSClipboardCopy(hwnd));
    EXPECT_EQ(ui::Clipboard::text().value_or(L""), L"Name\t\"a\tb\"\r\n12.5\t25\r\n");

    SSSetLock(hwnd, 4, 4, TRUE);
    ASSERT_TRUE(SSSetActiveCell(hwnd, 3, 3));
    ASSERT_TRUE(SSClipboardPaste(hwnd));
    EXPECT_EQ(value(3, 3), L"Name");
    EXPECT_EQ(value(4, 3), L"a\tb");
    EXPECT_EQ(value(3, 4), L"12.5");
    EXPECT_EQ(value(4, 4), L"") << "locked cells are not pasted into";
    EXPECT_TRUE(dialog.take().empty()) << "SSClipboardPaste is programmatic";

    // Pasted by the user (Ctrl+V), every changed cell notifies; the part beyond the sheet is dropped.
    ui::Clipboard::setText(L"x\ty\tz\r\n");
    SSSetActiveCell(hwnd, 3, 6);
    user.paste();
    EXPECT_EQ(value(3, 6), L"x");
    EXPECT_EQ(value(4, 6), L"y");
    EXPECT_EQ(dialog.take(), (Strings{"0x508 (3,6)", "0x508 (4,6)"}));

    // Text that is not valid tab-separated data changes nothing.
    ui::Clipboard::setText(L"\"open");
    EXPECT_FALSE(SSClipboardPaste(hwnd));
    EXPECT_EQ(value(3, 6), L"x");
}

TEST_F(GridInput, AParentThatDestroysTheGridDuringANotificationIsSafe) {
    checkBoxColumn(2);
    dialog.onGridMessage = [&](UINT message, const SS_NOTIFYINFO&) {
        if (message == SSM_LEAVECELL) ::DestroyWindow(hwnd);
    };
    user.click(2, 3);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dialog.take(), (Strings{"0x509 (0,0)"})) << "the grid is gone while the message is recorded";
    problems.clear();  // the automation reports that the mouse-up found no grid: expected here
}

TEST_F(GridInput, ActingOnCellsThatCannotBeReachedIsReported) {
    user.click(9, 9);
    user.selectCombo(1, 1, 0);  // not a combo cell
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find(L"outside"), std::wstring::npos);
    problems.clear();
    EXPECT_TRUE(dialog.take().empty());
}

}  // namespace

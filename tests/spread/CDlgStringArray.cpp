// startGridDialog: a table of strings edited in a grid, handed back on OK only.
#include "spread/CDlgStringArray.h"

#include <gtest/gtest.h>

#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/ui/DialogSize.h"

inline void PrintTo(const Mx_String& text, std::ostream* out) {
    *out << '"' << text.toUtf8() << '"';
}

namespace {

constexpr int kGrid = CDlgStringArray::IDC_GRID;

Mx_Array<Mx_StringArray> table(std::initializer_list<Mx_StringArray> rows) {
    Mx_Array<Mx_StringArray> out;
    for (const Mx_StringArray& row : rows)
        out.append(new Mx_StringArray(row));
    return out;
}

Mx_Spread& gridOf(ui::Automation& dlg) {
    return *static_cast<Mx_Spread*>(dlg.wnd(kGrid));
}

Mx_String cell(ui::Automation& dlg, int col, int row) {
    Mx_String text;
    gridOf(dlg).getCellText(col, row, text, Mx_Spread::kData);
    return text;
}

const Mx_StringArray kColumns{L"Name", L"Value"};

}  // namespace

TEST(StartGridDialog, WithoutColumnsReturnsAtOnce) {
    ui::ScriptedDriver driver;
    Mx_Array<Mx_StringArray> rows = table({{L"a", L"b"}});
    EXPECT_FALSE(startGridDialog({}, {}, rows, true, L"", L"Nothing"));
    EXPECT_TRUE(driver.modalDialogs().empty());
    EXPECT_EQ(rows.length(), 1);
}

TEST(StartGridDialog, ShowsTheTableAndGivesBackEveryRowOnOk) {
    const HINSTANCE before = AfxGetResourceHandle();
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Plate sizes");
        EXPECT_EQ(dlg.text(CDlgStringArray::IDC_ADD), L"Add");
        EXPECT_EQ(dlg.text(CDlgStringArray::IDC_REMOVE), L"Remove");
        EXPECT_EQ(cell(dlg, 1, SS_HEADER), L"Name");
        EXPECT_EQ(cell(dlg, 2, SS_HEADER), L"Value");
        EXPECT_EQ(cell(dlg, SS_HEADER, 2), L"second");
        EXPECT_EQ(cell(dlg, 2, 2), L"12");
        EXPECT_EQ(cell(dlg, 2, 1), L"") << "a short row leaves its last cells empty";
        Mx_Spread& grid = gridOf(dlg);
        // A row below the first, then the last row removed.
        grid.SetActiveCell(2, 1);
        dlg.click(CDlgStringArray::IDC_ADD);
        int col = 0, row = 0;
        grid.getActiveCell(col, row);
        EXPECT_EQ(row, 2);
        grid.SetData(1, 2, L"added");
        grid.SetActiveCell(1, 3);
        dlg.click(CDlgStringArray::IDC_REMOVE);
        EXPECT_EQ(grid.getMaxRows(), 2);
        dlg.click(IDOK);
    });
    Mx_Array<Mx_StringArray> rows = table({{L"first"}, {L"thickness", L"12"}});
    ASSERT_TRUE(startGridDialog(kColumns, {L"first", L"second"}, rows, true, L"", L"Plate sizes"));
    ui::expectDriverDone(driver);
    EXPECT_EQ(AfxGetResourceHandle(), before);
    ASSERT_EQ(rows.length(), 2);
    EXPECT_EQ(rows[0], (Mx_StringArray{L"first", L""}));
    EXPECT_EQ(rows[1], (Mx_StringArray{L"added", L""}));
    int width = 0, height = 0;
    EXPECT_TRUE(getDlgSize(Mx_String(L"DLG_SS_STRINGARRAY"), width, height))
        << "the size is kept under the default name";
}

TEST(StartGridDialog, CancelKeepsTheRowsAndWithoutTheFlagRowsCannotBeEdited) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_FALSE(dlg.visible(CDlgStringArray::IDC_ADD));
        EXPECT_FALSE(dlg.visible(CDlgStringArray::IDC_REMOVE));
        gridOf(dlg).SetData(1, 1, L"changed");
        dlg.click(IDCANCEL);
    });
    Mx_Array<Mx_StringArray> rows = table({{L"kept", L"1"}});
    EXPECT_FALSE(startGridDialog(kColumns, {}, rows, false, L"DLG_TEST_TABLE", L"Table"));
    ui::expectDriverDone(driver);
    ASSERT_EQ(rows.length(), 1);
    EXPECT_EQ(rows[0], (Mx_StringArray{L"kept", L"1"}));
}

TEST(StartGridDialog, TheGridFollowsTheDialogsSize) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        const RECT grid = dlg.rect(kGrid), ok = dlg.rect(IDOK), add = dlg.rect(CDlgStringArray::IDC_ADD);
        RECT window;
        ::GetWindowRect(dlg.root(), &window);
        dlg.resize(window.right - window.left + 100, window.bottom - window.top + 50);
        EXPECT_EQ(dlg.rect(kGrid).right - dlg.rect(kGrid).left, grid.right - grid.left + 100);
        EXPECT_EQ(dlg.rect(kGrid).bottom - dlg.rect(kGrid).top, grid.bottom - grid.top + 50);
        EXPECT_EQ(dlg.rect(IDOK).left, ok.left);
        EXPECT_EQ(dlg.rect(IDOK).top, ok.top + 50);
        EXPECT_EQ(dlg.rect(CDlgStringArray::IDC_ADD).left, add.left + 100);
        dlg.click(IDCANCEL);
    });
    Mx_Array<Mx_StringArray> rows = table({{L"a", L"b"}});
    startGridDialog(kColumns, {}, rows, true, L"DLG_TEST_RESIZE", L"Table");
    ui::expectDriverDone(driver);
}

TEST(StartGridDialog, Picture) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "string_array_dialog");
        dlg.click(IDCANCEL);
    });
    Mx_Array<Mx_StringArray> rows =
        table({{L"M12", L"13", L"8.8"}, {L"M16", L"18", L"8.8"}, {L"M20", L"22", L"10.9"}});
    startGridDialog({L"Bolt", L"Hole", L"Grade"}, {}, rows, true, L"DLG_TEST_PICTURE", L"Bolt sizes");
    ui::expectDriverDone(driver);
}

// Mx_Spread's sheet operations: creation, sizes, typed cells and transfers, structure edits and the
// changed flag, merging, search and the column width policies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>  // fopen
#include <functional>
#include <limits>
#include <string>

#include "module/ModuleResources.h"
#include "platform/grid/Sheet.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/BitmapFile.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/GdiObjects.h"
#include "tests/spread/SpreadTestHost.h"

using spreadtest::Host;

namespace {

Mx_String text(Mx_Spread& grid, int col, int row, int kind = Mx_Spread::kValue) {
    Mx_String t;
    EXPECT_TRUE(grid.getCellText(col, row, t, kind)) << col << "," << row;
    return t;
}

int weight(Mx_Spread& grid, int col, int row) {
    const LOGFONT* font = ui::gdi::font(grid.GetFont(col, row));
    return font ? font->lfWeight : -1;
}

bool changed(Mx_Spread& grid) { return grid.GetBool(SSB_CHANGEMADE) != FALSE; }

std::vector<grid::CellRange> spansOf(Mx_Spread& grid) { return SSGetSheet(grid.GetSafeHwnd())->spans(); }

}  // namespace

TEST(Mx_SpreadLifecycle, UncreatedWindowRefusesEverything) {
    Mx_Spread grid;
    Mx_String t;
    int v = 0;
    EXPECT_EQ(grid.getMaxRows(), -1);
    EXPECT_EQ(grid.getMaxCols(), -1);
    EXPECT_EQ(grid.totalColumnWidth(), -1);
    EXPECT_FALSE(grid.initDefaults(0));
    EXPECT_FALSE(grid.setMaxRows(3, false));
    EXPECT_FALSE(grid.getCellText(1, 1, t));
    EXPECT_FALSE(grid.getCellInt(1, 1, v));
    EXPECT_FALSE(grid.insertRow(1, false, false));
    EXPECT_FALSE(grid.setContextMenu({2}));
    EXPECT_FALSE(grid.mergeEqualCells(1));
    EXPECT_FALSE(grid.onResized());
}

TEST(Mx_SpreadLifecycle, TakesThePlaceholdersPlaceAndId) {
    AfxSetResourceHandle(spreadtest::hostResources());
    CDialog dialog(spreadtest::kDialogId);
    ASSERT_TRUE(dialog.Create(spreadtest::kDialogId));
    RECT place{};
    dialog.GetDlgItem(spreadtest::kGrid)->GetWindowRect(&place);

    Mx_Spread missing;
    EXPECT_FALSE(missing.createFromDlgItem(&dialog, 4242, false));
    EXPECT_FALSE(missing.createFromDlgItem(nullptr, spreadtest::kGrid, false));

    Mx_Spread grid;
    ASSERT_TRUE(grid.createFromDlgItem(&dialog, spreadtest::kGrid, false));
    RECT now{};
    grid.GetWindowRect(&now);
    EXPECT_EQ(now.left, place.left);
    EXPECT_EQ(now.top, place.top);
    EXPECT_EQ(now.right, place.right);
    EXPECT_EQ(grid.GetClassName(), CString(L"fpUSpread70"));
    EXPECT_EQ(dialog.GetDlgItem(spreadtest::kGrid), &grid);
    EXPECT_EQ(grid.getMaxRows(), 0);
    EXPECT_EQ(grid.getMaxCols(), 0);
    // The grid keeps the placeholder's place in the tab order.
    EXPECT_EQ(dialog.GetNextDlgTabItem(dialog.GetDlgItem(spreadtest::kBefore)), &grid);
    grid.DestroyWindow();
    dialog.DestroyWindow();
}

TEST(Mx_SpreadSize, GrowingCopiesTheLastRowAndBoldsHeaders) {
    Host host;
    Mx_Spread& grid = host.grid;
    grid.initDefaults(0);
    ASSERT_TRUE(grid.setMaxCols(2, false));
    ASSERT_TRUE(grid.setMaxRows(3, false));
    // Growing an empty sheet: both header lines bold, data cells normal.
    EXPECT_EQ(weight(grid, 1, SS_HEADER), 700);
    EXPECT_EQ(weight(grid, 2, SS_HEADER), 700);
    EXPECT_EQ(weight(grid, SS_HEADER, 3), 700);
    EXPECT_EQ(weight(grid, 2, 3), 400);

    grid.setCellText(1, 3, L"last");
    grid.setNumberCell(2, 3, 2, false);
    ASSERT_TRUE(grid.setMaxRows(5, true));
    for (int row : {4, 5}) {
        EXPECT_EQ(text(grid, 1, row), Mx_String(L"last"));
        EXPECT_EQ(grid.getCellType(2, row), SS_TYPE_FLOAT);
        EXPECT_EQ(weight(grid, SS_HEADER, row), 700);
    }
    ASSERT_TRUE(grid.setMaxRows(2, true));
    EXPECT_EQ(grid.getMaxRows(), 2);
    EXPECT_FALSE(grid.setMaxRows(-1, false));
    EXPECT_FALSE(changed(grid)) << "resizing is no structural edit";
}

TEST(Mx_SpreadCells, TypedReadsUseLeadingNumberConversion) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(3, 3);
    grid.setCellText(1, 1, L"12abc");
    grid.setCellText(2, 1, L"-3.75");
    int i = -1;
    double d = -1;
    EXPECT_TRUE(grid.getCellInt(1, 1, i));
    EXPECT_EQ(i, 12);
    EXPECT_TRUE(grid.getCellInt(3, 3, i)) << "an empty cell inside the sheet reads";
    EXPECT_EQ(i, 0);
    EXPECT_TRUE(grid.getCellDouble(2, 1, d));
    EXPECT_DOUBLE_EQ(d, -3.75);
    EXPECT_FALSE(grid.getCellInt(4, 1, i));
    EXPECT_FALSE(grid.getCellInt(1, 4, i));

    ASSERT_TRUE(grid.setCellDouble(1, 2, 3.14159));
    EXPECT_EQ(text(grid, 1, 2, Mx_Spread::kData), Mx_String(L"3.14"));
    ASSERT_TRUE(grid.setCellInt(2, 2, -7));
    EXPECT_EQ(text(grid, 2, 2), Mx_String(L"-7"));
    grid.SetCellTag(3, 2, L"tag");
    EXPECT_EQ(text(grid, 3, 2, Mx_Spread::kTag), Mx_String(L"tag"));
    EXPECT_FALSE(changed(grid)) << "plain cell writes leave the changed flag";
}

TEST(Mx_SpreadCells, ColumnAndRowTransfer) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(3, 4);

    // Writers stop at the sheet's end, readers read every row.
    ASSERT_TRUE(grid.setColumnInts(1, {1, 2, 3, 4, 5, 6}));
    std::vector<int> ints;
    ASSERT_TRUE(grid.getColumnInts(1, ints));
    EXPECT_EQ(ints, (std::vector<int>{1, 2, 3, 4}));

    ASSERT_TRUE(grid.setColumnDoubles(2, {1.005, 2.5}));
    EXPECT_EQ(text(grid, 2, 2, Mx_Spread::kData), Mx_String(L"2.50"));
    std::vector<double> doubles;
    ASSERT_TRUE(grid.getColumnDoubles(2, doubles));
    ASSERT_EQ(doubles.size(), 4u);
    EXPECT_DOUBLE_EQ(doubles[1], 2.5);
    EXPECT_DOUBLE_EQ(doubles[3], 0);

    ASSERT_TRUE(grid.setColumnBools(3, {true, false, true}));
    grid.setCellText(3, 4, L"yes");
    std::vector<bool> bools;
    ASSERT_TRUE(grid.getColumnBools(3, bools));
    EXPECT_EQ(bools, (std::vector<bool>{true, false, true, false}));

    // Row numbers outside 0..max rows become 0.
    ASSERT_TRUE(grid.setColumnRowNumbers(1, {-1, 5, 4, 0}));
    Mx_StringArray texts;
    ASSERT_TRUE(grid.getColumnTexts(1, texts));
    EXPECT_EQ(texts.items(), (std::vector<Mx_String>{L"0", L"0", L"4", L"0"}));

    ASSERT_TRUE(grid.setRowTexts(1, {L"a", L"b", L"c", L"d"}, false));
    ASSERT_TRUE(grid.getRowTexts(1, texts));
    EXPECT_EQ(texts.items(), (std::vector<Mx_String>{L"a", L"b", L"c"}));
    std::vector<Mx_StringArray> rows;
    ASSERT_TRUE(grid.getAllRows(rows));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].items(), texts.items());

    // Past the sheet: false.
    EXPECT_FALSE(grid.setColumnInts(4, {1}));
    EXPECT_FALSE(grid.getColumnTexts(4, texts));
    EXPECT_FALSE(grid.getRowTexts(5, texts));
    EXPECT_FALSE(grid.setRowTexts(-2, {L"x"}, false));

    ASSERT_TRUE(grid.clearRows(1, 2));
    EXPECT_EQ(text(grid, 1, 1), Mx_String());
    ASSERT_TRUE(grid.fillColumnPairs({L"n1"}, {true}, 4));
    EXPECT_EQ(text(grid, 2, 4), Mx_String(L"n1"));
    EXPECT_EQ(text(grid, 1, 4), Mx_String(L"1"));
}

TEST(Mx_SpreadCells, CellTypesAndCheckBoxesInASelection) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(3, 3);
    ASSERT_TRUE(grid.setCheckBoxColumn(2, true, false));
    ASSERT_TRUE(grid.setComboColumn(3, {L"a", L"b"}, false));
    EXPECT_FALSE(grid.setComboColumn(4, {L"a"}, false));
    EXPECT_EQ(grid.getCellType(2, 1), SS_TYPE_CHECKBOX);
    SS_CELLTYPE box;
    ASSERT_TRUE(grid.GetCellType(2, 1, &box));
    EXPECT_NE(box.detail.picture, box.detail.picture2) << "checked and unchecked pictures both loaded";
    EXPECT_EQ(grid.getCellType(3, 3), SS_TYPE_COMBOBOX);
    ASSERT_TRUE(grid.setNumberCells(1, 1, 1, 3, 3, true));
    EXPECT_EQ(grid.getCellType(1, 2), SS_TYPE_FLOAT);
    EXPECT_FALSE(changed(grid));

    ASSERT_TRUE(grid.selectBlock(1, 2, -1, -1));
    ASSERT_TRUE(grid.setCheckInSelection(true));
    EXPECT_EQ(text(grid, 2, 1), Mx_String()) << "outside the block";
    EXPECT_EQ(text(grid, 2, 2), Mx_String(L"1"));
    EXPECT_EQ(text(grid, 2, 3), Mx_String(L"1"));
    EXPECT_EQ(text(grid, 1, 2), Mx_String()) << "only check boxes change";
    EXPECT_TRUE(changed(grid));
}

TEST(Mx_SpreadRows, StructureEditsSetTheChangedFlag) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 3);
    grid.setColumnTexts(1, {L"r1", L"r2", L"r3"}, false);
    grid.setNumberCells(2, 2, 2, 2, 1, false);

    struct Edit {
        const char* name;
        std::function<bool(Mx_Spread&)> run;
    };
    const Edit edits[] = {
        {"insertRow", [](Mx_Spread& g) { return g.insertRow(2, false, true); }},
        {"appendRow", [](Mx_Spread& g) { return g.appendRow(false) > 0; }},
        {"deleteRow", [](Mx_Spread& g) { return g.deleteRow(1); }},
        {"insertCol", [](Mx_Spread& g) { return g.insertCol(1, false, false); }},
        {"deleteCol", [](Mx_Spread& g) { return g.deleteCol(1); }},
        {"swapRows", [](Mx_Spread& g) { return g.swapRows(1, 2); }},
        {"copyRow", [](Mx_Spread& g) { return g.copyRow(1, 2); }},
        {"copyCol", [](Mx_Spread& g) { return g.copyCol(1, 2); }},
        {"setButtonCell", [](Mx_Spread& g) { return g.setButtonCell(1, 1, L"..."); }},
    };
    for (const Edit& edit : edits) {
        grid.SetBool(SSB_CHANGEMADE, FALSE);
        EXPECT_TRUE(edit.run(grid)) << edit.name;
        EXPECT_TRUE(changed(grid)) << edit.name;
    }
    // Refused edits change nothing.
    grid.SetBool(SSB_CHANGEMADE, FALSE);
    int rows = grid.getMaxRows();
    EXPECT_FALSE(grid.insertRow(rows + 2, false, false));
    EXPECT_FALSE(grid.deleteRow(rows + 1));
    EXPECT_FALSE(grid.swapRows(0, 1));
    EXPECT_EQ(grid.getMaxRows(), rows);
    EXPECT_FALSE(changed(grid));
}

TEST(Mx_SpreadRows, InsertCopiesTheFormatNotTheDataAndAsksForTheHeader) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    grid.setColumnTexts(1, {L"a", L"b"}, false);
    grid.setNumberCells(2, 1, 2, 2, 1, false);
    grid.setLock(1, 1, true);
    Mx_Spread::setHeaderPrompt([](CWnd*, bool isRow) { return Mx_String(isRow ? L"row header" : L"col header"); });

    ASSERT_TRUE(grid.insertRow(1, true, true));
    EXPECT_EQ(grid.getMaxRows(), 3);
    EXPECT_EQ(text(grid, 1, 1), Mx_String());
    EXPECT_EQ(text(grid, 1, 2), Mx_String(L"a"));
    EXPECT_EQ(grid.getCellType(2, 1), SS_TYPE_FLOAT);
    EXPECT_TRUE(grid.isLocked(1, 1));
    EXPECT_EQ(text(grid, SS_HEADER, 1), Mx_String(L"row header"));

    ASSERT_TRUE(grid.insertRow(4, false, true)) << "at max rows + 1";
    EXPECT_EQ(grid.getMaxRows(), 4);
    ASSERT_TRUE(grid.insertCol(3, true, false));
    EXPECT_EQ(text(grid, 3, SS_HEADER), Mx_String(L"col header"));
    Mx_Spread::setHeaderPrompt(nullptr);

    EXPECT_EQ(grid.appendRow(true), 5);
    EXPECT_EQ(grid.getCellType(2, 5), grid.getCellType(2, 4));
}

TEST(Mx_SpreadRows, SwapAndMoveFollowTheSelection) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 3);
    grid.setColumnTexts(1, {L"a", L"b", L"c"}, false);
    grid.SetActiveCell(2, 1);
    ASSERT_TRUE(grid.moveSelectedRowDown());
    EXPECT_EQ(text(grid, 1, 1), Mx_String(L"b"));
    EXPECT_EQ(text(grid, 1, 2), Mx_String(L"a"));
    EXPECT_EQ(grid.selectedRow(), 2);
    EXPECT_EQ(grid.selectedCol(), 2);
    ASSERT_TRUE(grid.moveSelectedRowDown());
    EXPECT_FALSE(grid.moveSelectedRowDown()) << "already the last row";
    ASSERT_TRUE(grid.moveSelectedRowUp());
    EXPECT_EQ(text(grid, 1, 3), Mx_String(L"c"));
    EXPECT_EQ(text(grid, 1, 2), Mx_String(L"a"));
}

TEST(Mx_SpreadRows, ActiveRowHelpersKeepThePosition) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    grid.setColumnTexts(1, {L"a", L"b"}, false);
    grid.SetActiveCell(1, 2);
    ASSERT_TRUE(grid.deleteActiveRow());
    EXPECT_EQ(grid.getMaxRows(), 1);
    EXPECT_EQ(grid.selectedRow(), 1) << "past the end: the new last row";
    ASSERT_TRUE(grid.insertRowBelowActive());
    EXPECT_EQ(grid.getMaxRows(), 2);
    EXPECT_EQ(grid.selectedRow(), 2);
    EXPECT_FALSE(changed(grid));
}

TEST(Mx_SpreadMerge, EqualRunsBecomeSpans) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 5);
    grid.setColumnTexts(1, {L"A", L"A", L"B", L"B", L"B"}, false);
    ASSERT_TRUE(grid.mergeEqualCells(1));
    auto spans = spansOf(grid);
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0], (grid::CellRange{1, 1, 1, 2}));
    EXPECT_EQ(spans[1], (grid::CellRange{1, 3, 1, 5})) << "the run that ends the column";

    // Empty cells never merge, and merging again starts from no spans.
    ASSERT_TRUE(grid.mergeEqualCells(2));
    EXPECT_EQ(spansOf(grid).size(), 2u);
    grid.setCellText(1, 2, L"C");
    ASSERT_TRUE(grid.mergeEqualCells(1));
    spans = spansOf(grid);
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_EQ(spans[0], (grid::CellRange{1, 3, 1, 5}));

    ASSERT_TRUE(grid.unmergeCell(1, 4));
    EXPECT_TRUE(spansOf(grid).empty());
    grid.mergeEqualCells(1);
    ASSERT_TRUE(grid.unmergeAll());
    EXPECT_TRUE(spansOf(grid).empty());
}

TEST(Mx_SpreadSearch, FindsForwardWithoutWrapping) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(3, 3);
    grid.setRowTexts(1, {L"plate", L"bolt", L"cut"}, false);
    grid.setRowTexts(3, {L"", L"plate 10", L""}, false);
    int col = 0, row = 0;
    ASSERT_TRUE(grid.findNext(L"plate", 2, 1, col, row));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 3);
    EXPECT_FALSE(grid.findNextExact(L"plate", 2, 1, col, row)) << "no wrap-around, no partial match";
    ASSERT_TRUE(grid.findNextExact(L"cut", 1, 1, col, row));
    EXPECT_EQ(col, 3);
    EXPECT_FALSE(grid.findInRow(L"x", true, 4, 1, col));

    ASSERT_TRUE(grid.replaceInCell(2, 3, L"10", L"12"));
    EXPECT_EQ(text(grid, 2, 3), Mx_String(L"plate 12"));
    EXPECT_FALSE(grid.replaceInCell(2, 3, L"zz", L"y"));
    EXPECT_FALSE(grid.replaceInCell(2, 3, L"", L"y")) << "an empty search text replaces nothing";

    ASSERT_TRUE(grid.findInCellAndSelect(L"12", 2, 3, 0));
    int start = 0, end = 0;
    ASSERT_TRUE(grid.getEditSelection(start, end));
    EXPECT_EQ(start, 6);
    EXPECT_EQ(end, 8);
    EXPECT_FALSE(grid.findInCellAndSelect(L"plate", 2, 3, 1));
}

// A grid declared at the largest size is searched at the cost of what it holds: a search that read
// every cell would read 32 billion of them.
TEST(Mx_SpreadSearch, TheLargestGridIsSearchedByWhatItHolds) {
    Host host;
    Mx_Spread& grid = host.grid;
    grid::Sheet& sheet = *SSGetSheet(grid.GetSafeHwnd());
    ASSERT_TRUE(sheet.setMaxCols(grid::kColLimit));
    ASSERT_TRUE(sheet.setMaxRows(grid::kRowLimit));
    sheet.setData(grid::kColLimit, grid::kRowLimit - 1, L"plate 7");
    sheet.setData(5, grid::kRowLimit, L"plate");
    sheet.setData(3, grid::kRowLimit, L"bolt");
    int col = 0, row = 0;
    ASSERT_TRUE(grid.findNext(L"plate", 1, 1, col, row));
    EXPECT_EQ(col, grid::kColLimit);
    EXPECT_EQ(row, grid::kRowLimit - 1);
    ASSERT_TRUE(grid.findNextExact(L"plate", 1, 1, col, row));
    EXPECT_EQ(col, 5);
    EXPECT_EQ(row, grid::kRowLimit);
    ASSERT_TRUE(grid.findNext(L"a", 4, grid::kRowLimit, col, row)) << "the start column holds for the start row";
    EXPECT_EQ(col, 5);
    ASSERT_TRUE(grid.findNext(L"a", 4, 0, col, row)) << "a start above the first row searches from A1";
    EXPECT_EQ(col, grid::kColLimit);
    EXPECT_FALSE(grid.findNext(L"nut", 1, 1, col, row));
    ASSERT_TRUE(grid.findInRow(L"bolt", false, grid::kRowLimit, 1, col));
    EXPECT_EQ(col, 3);
    EXPECT_FALSE(grid.findInRow(L"bolt", false, grid::kRowLimit, 4, col));
}

// The width policies must leave every width valid and non-negative, also where no column is left to
// share the rest.
TEST(Mx_SpreadWidths, PoliciesNeverDivideByZeroColumns) {
    Host host;
    Mx_Spread& grid = host.grid;
    grid.initDefaults(0);
    grid.SetBool(SSB_ROWHEADERS, FALSE);
    grid.setMaxRows(2, false);
    RECT client{};
    grid.GetSSClientRect(&client);
    int available = client.right - client.left;
    auto width = [&](int col) {
        int px = -1;
        grid.GetColWidthInPixels(col, &px);
        return px;
    };

    // One column with a fixed width: it gets the width, nothing else to share.
    grid.setMaxCols(1, false);
    ASSERT_TRUE(grid.fitColumnsToWidth(true, 40));
    EXPECT_EQ(width(1), 40);

    // Mode 3 with n equal to the column count.
    grid.setMaxCols(3, false);
    ASSERT_TRUE(grid.setResizeMode(3, 3, 60));
    ASSERT_TRUE(grid.onResized());
    for (int col = 1; col <= 3; ++col) EXPECT_EQ(width(col), (available * 60 / 100 + 1) / 3) << col;

    // Mode 3 with the last column: the others share the rest.
    ASSERT_TRUE(grid.setResizeMode(3, -1, 50));
    ASSERT_TRUE(grid.onResized());
    EXPECT_EQ(width(3), (available + 1) / 2);
    EXPECT_EQ(width(1), (available - width(3)) / 2);

    // Mode 4 wider than the window: the others get 0, not a negative width.
    ASSERT_TRUE(grid.setResizeMode(4, 2, available * 2));
    ASSERT_TRUE(grid.onResized());
    EXPECT_EQ(width(1), 0);
    EXPECT_EQ(width(2), available * 2);

    // Mode 5 with the header shown, pairs up to the shorter array.
    grid.SetBool(SSB_ROWHEADERS, TRUE);
    ASSERT_TRUE(grid.setResizeMode(5, std::vector<int>{0, 1, 2}, std::vector<int>{30, 50}));
    ASSERT_TRUE(grid.onResized());
    EXPECT_EQ(width(SS_HEADER), 30);
    EXPECT_EQ(width(1), 50);
    EXPECT_EQ(width(2), (available - 80) / 2);

    // Mode 1 over the header and the columns, less the scroll bar.
    ASSERT_TRUE(grid.setResizeMode(1, 0, 0));
    ASSERT_TRUE(grid.onResized());
    EXPECT_EQ(width(2), (available - SS_SCROLLBAR_SIZE) / 4);
    EXPECT_FALSE(grid.setResizeMode(6, 0, 0));

    // No columns: nothing happens.
    grid.setMaxCols(0, false);
    EXPECT_TRUE(grid.onResized());
}

TEST(Mx_SpreadWidths, ResizingTheWindowAppliesThePolicy) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    grid.SetBool(SSB_ROWHEADERS, FALSE);
    grid.setResizeMode(1, 0, 0);
    grid.MoveWindow(0, 0, 217, 100);
    int px = 0;
    grid.GetColWidthInPixels(1, &px);
    RECT client{};
    grid.GetSSClientRect(&client);
    EXPECT_EQ(px, (client.right - client.left - SS_SCROLLBAR_SIZE) / 2);
}

TEST(Mx_SpreadRows, EditHeadersAppliesWhatTheDialogReturns) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    grid.setRowTexts(0, {L"A", L"B"}, false);
    EXPECT_FALSE(grid.editHeaders()) << "no dialog plugged in";

    Mx_Spread::setHeaderEditor([](CWnd*, Mx_Spread::HeaderSettings& s) {
        EXPECT_EQ(s.cols, 2);
        EXPECT_EQ(s.colHeaders.items(), (std::vector<Mx_String>{L"A", L"B"}));
        s.cols = 3;
        s.rows = 1;
        s.headerColWidth = 44;
        s.colHeaders = {L"X", L"Y", L"Z"};
        s.rowHeaders = {L"only"};
        return true;
    });
    ASSERT_TRUE(grid.editHeaders());
    Mx_Spread::setHeaderEditor(nullptr);
    EXPECT_EQ(grid.getMaxCols(), 3);
    EXPECT_EQ(grid.getMaxRows(), 1);
    EXPECT_EQ(text(grid, 3, SS_HEADER), Mx_String(L"Z"));
    EXPECT_EQ(text(grid, SS_HEADER, 1), Mx_String(L"only"));
    int width = 0;
    grid.GetColWidthInPixels(SS_HEADER, &width);
    EXPECT_EQ(width, 44);
    EXPECT_TRUE(changed(grid));
}

// The check-box pictures are the module's bitmaps 8134 and 8136: 13 x 13 pixels, 16 colours.
TEST(Mx_SpreadCells, CheckBoxPicturesAreModuleResources) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    for (int id : {8134, 8136}) {
        HBITMAP picture = LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
        ASSERT_NE(picture, nullptr) << id;
        BITMAP info;
        ASSERT_NE(GetObject(picture, sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, 13);
        EXPECT_EQ(info.bmHeight, 13);
        DeleteObject(picture);
    }
}

// ---- House style -------------------------------------------------------------------------------------------

TEST(Mx_SpreadStyle, EnterModeChoosesEditingAndReturn) {
    Host host;
    Mx_Spread& grid = host.grid;
    struct Case {
        int mode;
        bool permanent, processReturn;
        WORD enterAction;
    };
    // Each mode after the one before: a mode other than 0 and 1 keeps what the previous one set.
    const Case cases[] = {
        {1, true, false, SS_ENTERACTION_NONE},
        {7, true, false, SS_ENTERACTION_NONE},
        {0, false, true, SS_ENTERACTION_NEXT},
        {-1, false, true, SS_ENTERACTION_NEXT},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(grid.initDefaults(c.mode)) << c.mode;
        EXPECT_EQ(grid.GetBool(SSB_EDITMODEPERMANENT) != FALSE, c.permanent) << c.mode;
        EXPECT_EQ(grid.GetBool(SSB_PROCESSRETURN) != FALSE, c.processReturn) << c.mode;
        EXPECT_EQ(grid.GetEditEnterAction(), c.enterAction) << c.mode;
        EXPECT_TRUE(grid.GetBool(SSB_REDRAW)) << "redraw is on again at the end";
        EXPECT_FALSE(grid.GetBool(SSB_AUTOCALC)) << "the sheets calculate when asked";
        EXPECT_TRUE(grid.GetBool(SSB_PROCESSTAB));
        EXPECT_TRUE(grid.GetBool(SSB_COLHEADERS));
        EXPECT_TRUE(grid.GetBool(SSB_ROWHEADERS));
    }
    COLORREF background = 0, foreground = 0;
    ASSERT_TRUE(SSGetSelColor(grid.GetSafeHwnd(), &background, &foreground));
    EXPECT_EQ(background, 0x6A240Au);
    EXPECT_EQ(foreground, 0xFFFFFFu);
    ASSERT_TRUE(SSGetLockColor(grid.GetSafeHwnd(), &background, &foreground));
    EXPECT_EQ(background, 0xE6E6E6u);
}

// ---- The changed flag -------------------------------------------------------------------------------------

TEST(Mx_SpreadRows, SelectionBasedEditsSetTheChangedFlag) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(3, 4);
    grid.setColumnTexts(1, {L"a", L"b", L"c", L"d"}, false);
    struct Edit {
        const char* name;
        std::function<bool(Mx_Spread&)> run;
    };
    const Edit edits[] = {
        {"setButtonColumn", [](Mx_Spread& g) { return g.setButtonColumn(3, L"...", true); }},
        {"setCheckInSelection", [](Mx_Spread& g) { return g.setCheckInSelection(false); }},
        {"moveSelectedRowDown", [](Mx_Spread& g) { return g.moveSelectedRowDown(); }},
        {"moveSelectedRowUp", [](Mx_Spread& g) { return g.moveSelectedRowUp(); }},
        {"insertRowAfterSelection", [](Mx_Spread& g) { return g.insertRowAfterSelection(false); }},
        {"deleteSelectedRow", [](Mx_Spread& g) { return g.deleteSelectedRow(); }},
    };
    for (const Edit& edit : edits) {
        grid.SetActiveCell(1, 2);
        grid.SetBool(SSB_CHANGEMADE, FALSE);
        EXPECT_TRUE(edit.run(grid)) << edit.name;
        EXPECT_TRUE(changed(grid)) << edit.name;
    }
}

TEST(Mx_SpreadRows, CellWritesAndLooksLeaveTheChangedFlag) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(4, 4);
    struct Edit {
        const char* name;
        std::function<bool(Mx_Spread&)> run;
    };
    const Edit edits[] = {
        {"setCellText", [](Mx_Spread& g) { return g.setCellText(1, 1, L"x"); }},
        {"setCellInt", [](Mx_Spread& g) { return g.setCellInt(1, 1, 3); }},
        {"setCellDouble", [](Mx_Spread& g) { return g.setCellDouble(1, 1, 3.5); }},
        {"setColumnTexts", [](Mx_Spread& g) { return g.setColumnTexts(2, {L"p", L"p", L"q"}, true); }},
        {"setColumnInts", [](Mx_Spread& g) { return g.setColumnInts(3, {1, 2}); }},
        {"setColumnBools", [](Mx_Spread& g) { return g.setColumnBools(4, {true}); }},
        {"setRowTexts", [](Mx_Spread& g) { return g.setRowTexts(4, {L"r"}, false); }},
        {"clearRows", [](Mx_Spread& g) { return g.clearRows(3, 4); }},
        {"fillColumnPairs", [](Mx_Spread& g) { return g.fillColumnPairs({L"n"}, {true}, 1); }},
        {"setLock", [](Mx_Spread& g) { return g.setLock(1, 1, true); }},
        {"lockColumn", [](Mx_Spread& g) { return g.lockColumn(2); }},
        {"mergeEqualCells", [](Mx_Spread& g) { return g.mergeEqualCells(2); }},
        {"unmergeAll", [](Mx_Spread& g) { return g.unmergeAll(); }},
        {"setCheckBoxColumn", [](Mx_Spread& g) { return g.setCheckBoxColumn(4, true, false); }},
        {"setComboColumn", [](Mx_Spread& g) { return g.setComboColumn(3, {L"a"}, true); }},
        {"setNumberCells", [](Mx_Spread& g) { return g.setNumberCells(1, 1, 1, 4, 2, false); }},
        {"resetFonts", [](Mx_Spread& g) { return g.resetFonts(true); }},
        {"autoSizeAll", [](Mx_Spread& g) { return g.autoSizeAll(); }},
        {"fitColumnsToWidth", [](Mx_Spread& g) { return g.fitColumnsToWidth(true, -1); }},
        {"linkCheckToCell", [](Mx_Spread& g) { return g.linkCheckToCell(4, 1); }},
        {"setMaxRows", [](Mx_Spread& g) { return g.setMaxRows(5, true); }},
        {"insertRowBelowActive", [](Mx_Spread& g) { return g.insertRowBelowActive(); }},
        {"deleteActiveRow", [](Mx_Spread& g) { return g.deleteActiveRow(); }},
    };
    for (const Edit& edit : edits) {
        EXPECT_TRUE(edit.run(grid)) << edit.name;
        EXPECT_FALSE(changed(grid)) << edit.name;
    }
}

// ---- Cell types with the system's look ----------------------------------------------------------------------

TEST(Mx_SpreadCells, TypeRecordsCarryTheHouseStyle) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(4, 3);
    auto typeOf = [&](int col, int row) {
        SS_CELLTYPE type;
        EXPECT_TRUE(grid.GetCellType(col, row, &type)) << col << "," << row;
        return type;
    };

    ASSERT_TRUE(grid.setTextCell(1, 1));
    SS_CELLTYPE text = typeOf(1, 1);
    EXPECT_EQ(text.Type, SS_TYPE_EDIT);
    EXPECT_EQ(text.detail.style, 0x110000u);
    EXPECT_EQ(text.detail.maxLength, 200);

    for (bool flag : {false, true}) {
        ASSERT_TRUE(grid.setNumberCell(1, 2, 3, flag));
        SS_CELLTYPE number = typeOf(1, 2);
        EXPECT_EQ(number.Type, SS_TYPE_FLOAT);
        EXPECT_EQ(number.detail.style, flag ? 0x10400000u : 0x10100000u);
        EXPECT_EQ(number.detail.decimals, 3);
        EXPECT_EQ(number.detail.minimum, -99999999999999.0);
        EXPECT_EQ(number.detail.maximum, 99999999999999.0);
        EXPECT_FALSE(number.detail.separator);
    }

    ASSERT_TRUE(grid.setComboCell(2, 1, {L"M12", L"M16", L"M20"}, true));
    SS_CELLTYPE combo = typeOf(2, 1);
    EXPECT_EQ(combo.detail.style, 0x100002u);
    EXPECT_EQ(combo.detail.items, L"M12\tM16\tM20");

    // A static column includes its header cell and no other column.
    ASSERT_TRUE(grid.setStaticTextColumn(3, 5));
    EXPECT_EQ(grid.getCellType(3, SS_HEADER), SS_TYPE_STATICTEXT);
    EXPECT_EQ(grid.getCellType(3, 3), SS_TYPE_STATICTEXT);
    EXPECT_EQ(grid.getCellType(4, 3), SS_TYPE_EDIT);
    EXPECT_FALSE(grid.setStaticTextColumn(5, 0));

    // Check boxes: the unchecked picture is bitmap 8136, the checked one 8134.
    ASSERT_TRUE(grid.setCheckBoxColumn(4, true, true));
    SS_CELLTYPE box = typeOf(4, 3);
    EXPECT_EQ(box.Type, SS_TYPE_CHECKBOX);
    EXPECT_EQ(box.detail.style, 768u);
    EXPECT_EQ(box.detail.items, L"");
    auto pictureOf = [](const std::wstring& handle) {
        return ui::gdi::bitmap(reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(std::stoull(handle))));
    };
    auto resource = [](int id) {
        VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
        HBITMAP h = LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
        auto image = ui::gdi::bitmap(h);
        DeleteObject(h);
        return image;
    };
    ASSERT_TRUE(pictureOf(box.detail.picture) && pictureOf(box.detail.picture2));
    EXPECT_EQ(*pictureOf(box.detail.picture), *resource(8136));
    EXPECT_EQ(*pictureOf(box.detail.picture2), *resource(8134));
    SS_COORD anchorCol = 0, anchorRow = 0, cols = 0, rows = 0;
    EXPECT_EQ(grid.GetCellSpan(4, SS_HEADER, &anchorCol, &anchorRow, &cols, &rows), SS_SPAN_NO)
        << "the last column's header has no neighbour to span";

    // Buttons: the header of the column before spans both.
    ASSERT_TRUE(grid.setButtonColumn(2, L"...", true));
    EXPECT_EQ(grid.getCellType(2, 3), SS_TYPE_BUTTON);
    EXPECT_EQ(typeOf(2, 3).detail.items, L"...");
    ASSERT_EQ(grid.GetCellSpan(2, SS_HEADER, &anchorCol, &anchorRow, &cols, &rows), SS_SPAN_YES);
    EXPECT_EQ(anchorCol, 1);
    EXPECT_EQ(cols, 2);
    ASSERT_TRUE(grid.setButtonColumn(1, L"x", true)) << "no column before the first: no span, no failure";
}

TEST(Mx_SpreadCells, PictureRowShowsTheImageAcrossTheSheet) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(4, 3);
    const std::string dir = ::testing::TempDir();
    const std::string path = dir + "/connsheet-picture-row.bmp";
    {
        std::string bytes = ui::encodeBmp(ui::BitmapImage(30, 21, 0x00FF00));
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    int added = -1;
    EXPECT_FALSE(grid.addPictureRow(Mx_String(path + ".missing"), 2, 2, added));
    EXPECT_EQ(added, -1) << "a missing file changes nothing";
    EXPECT_EQ(grid.getCellType(2, 2), SS_TYPE_EDIT);

    ASSERT_TRUE(grid.addPictureRow(Mx_String(path), 2, 2, added));
    EXPECT_EQ(added, 0);
    int height = 0;
    grid.GetRowHeightInPixels(2, &height);
    EXPECT_EQ(height, 21);
    EXPECT_EQ(grid.getCellType(2, 2), SS_TYPE_PICTURE);
    auto spans = spansOf(grid);
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_EQ(spans[0], (grid::CellRange{2, 2, 4, 2})) << "to the sheet's last column";
    EXPECT_FALSE(grid.addPictureRow(Mx_String(path), 5, 1, added)) << "outside the sheet";
    std::remove(path.c_str());
}

// ---- Rows inserted and deleted at the active cell ----------------------------------------------------------

TEST(Mx_SpreadRows, ActiveRowHelpersFontAndSelection) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    grid.setFontFace(L"Arial");
    grid.setFontSize(30);
    grid.setColumnTexts(1, {L"first", L"second"}, false);
    grid.SetActiveCell(2, 1);
    ASSERT_TRUE(grid.insertRowBelowActive());
    EXPECT_EQ(text(grid, 1, 3), Mx_String(L"second"));
    EXPECT_EQ(grid.selectedRow(), 2);
    EXPECT_EQ(grid.selectedCol(), 2);
    for (int col : {SS_HEADER, 1, 2}) {
        const LOGFONT* font = ui::gdi::font(grid.GetFont(col, 2));
        ASSERT_NE(font, nullptr) << col;
        EXPECT_EQ(std::wstring(font->lfFaceName), L"Tahoma") << "whatever the window's own font, " << col;
        EXPECT_EQ(font->lfHeight, 15) << col;
        EXPECT_EQ(font->lfWeight, 400) << col;
    }

    // Deleting the active row edits the cell that takes its place, with its whole text selected.
    grid.SetActiveCell(1, 2);
    ASSERT_TRUE(grid.deleteActiveRow());
    EXPECT_EQ(grid.getMaxRows(), 2);
    EXPECT_EQ(grid.selectedRow(), 2);
    int start = -1, end = -1;
    ASSERT_TRUE(grid.getEditSelection(start, end));
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 6);  // "second"

    // An empty sheet: nothing to delete.
    grid.SetEditMode(FALSE);
    grid.setMaxRows(0, false);
    EXPECT_FALSE(grid.deleteActiveRow());
    EXPECT_EQ(grid.getMaxRows(), 0);
}

// ---- Search ------------------------------------------------------------------------------------------------

TEST(Mx_SpreadSearch, SelectingAFindEndsAnEditElsewhere) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    grid.setRowTexts(2, {L"", L"end plate"}, false);
    grid.SetActiveCell(1, 1);
    grid.SetEditMode(TRUE);
    ASSERT_TRUE(grid.findInCellAndSelect(L"plate", 2, 2, 2));
    EXPECT_EQ(grid.selectedCol(), 2);
    EXPECT_EQ(grid.selectedRow(), 2);
    int start = -1, end = -1;
    ASSERT_TRUE(grid.getEditSelection(start, end));
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 9);
    EXPECT_FALSE(grid.findInCellAndSelect(L"plate", 2, 2, 5)) << "searching from past the match";
    EXPECT_FALSE(grid.findInCellAndSelect(L"", 2, 2, 0));

    // Case is respected, and the header row is searched as row 0.
    int col = 0;
    EXPECT_FALSE(grid.findInRow(L"Plate", true, 2, 1, col));
    grid.setRowTexts(0, {L"Name", L"Value"}, false);
    ASSERT_TRUE(grid.findInRow(L"Value", false, 0, 1, col));
    EXPECT_EQ(col, 2);
    EXPECT_FALSE(grid.findInRow(L"Value", false, 0, 3, col)) << "starting past the last column";
}

// ---- Width policies: every width stays valid --------------------------------------------------------------

TEST(Mx_SpreadWidths, FixedWidthOfTheFirstOrLastColumn) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(4, 1);
    grid.SetBool(SSB_ROWHEADERS, FALSE);
    RECT client{};
    grid.GetSSClientRect(&client);
    const int available = client.right - client.left - SS_SCROLLBAR_SIZE;
    auto width = [&](int col) {
        int px = -1;
        grid.GetColWidthInPixels(col, &px);
        return px;
    };
    struct Case {
        const char* name;
        bool fixedFirst;
        int fixed;
        int fixedCol;  // 0: every column equal
    };
    const Case cases[] = {
        {"no fixed width", true, -1, 0},
        {"zero counts as none", true, 0, 0},
        {"first column fixed", true, 40, 1},
        {"last column fixed", false, 40, 4},
        {"fixed exactly the equal share", true, available / 4, 1},
        {"fixed wider than the equal share", true, available / 4 + 1, 0},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(grid.fitColumnsToWidth(c.fixedFirst, c.fixed)) << c.name;
        for (int col = 1; col <= 4; ++col) {
            int expected = c.fixedCol == 0 ? available / 4 : col == c.fixedCol ? c.fixed : (available - c.fixed) / 3;
            EXPECT_EQ(width(col), expected) << c.name << ", column " << col;
        }
    }
}

TEST(Mx_SpreadWidths, PoliciesWithNothingLeftToShare) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(3, 1);
    RECT client{};
    grid.GetSSClientRect(&client);
    const int available = client.right - client.left;
    auto width = [&](int col) {
        int px = -1;
        grid.GetColWidthInPixels(col, &px);
        return px;
    };

    // Mode 5 listing the header and every column: nothing is divided.
    ASSERT_TRUE(grid.setResizeMode(5, std::vector<int>{3, 0, 1, 2, 1}, std::vector<int>{10, 20, 30, 40, 99}));
    ASSERT_TRUE(grid.onResized());
    EXPECT_EQ(width(SS_HEADER), 20);
    EXPECT_EQ(width(1), 30) << "a column listed twice keeps its first width";
    EXPECT_EQ(width(2), 40);
    EXPECT_EQ(width(3), 10);

    // Mode 5 with columns outside the sheet and negative widths.
    ASSERT_TRUE(grid.setResizeMode(5, std::vector<int>{7, -5, 2}, std::vector<int>{50, 50, -30}));
    ASSERT_TRUE(grid.onResized());
    EXPECT_EQ(width(2), 0);
    EXPECT_EQ(width(1), available / 3);

    // Mode 4 on the header, named either way.
    for (int header : {0, SS_HEADER}) {
        ASSERT_TRUE(grid.setResizeMode(4, header, 25));
        ASSERT_TRUE(grid.onResized());
        EXPECT_EQ(width(SS_HEADER), 25) << header;
        EXPECT_EQ(width(2), (available - 25) / 3) << header;
    }

    // Mode 3 with the header shown: the header shares the rest; n beyond the columns, or the most
    // negative n, is every column.
    ASSERT_TRUE(grid.setResizeMode(3, 1, 50));
    ASSERT_TRUE(grid.onResized());
    EXPECT_EQ(width(1), (available + 1) / 2);
    EXPECT_EQ(width(SS_HEADER), (available - width(1)) / 3);
    EXPECT_EQ(width(3), width(SS_HEADER));
    for (int n : {3, 10, -10, std::numeric_limits<int>::min()}) {
        ASSERT_TRUE(grid.setResizeMode(3, n, 150));
        ASSERT_TRUE(grid.onResized());
        EXPECT_EQ(width(1), (available + 1) / 3) << n << ": the percentage is at most 100";
        EXPECT_EQ(width(SS_HEADER), std::max(available - 3 * width(1), 0)) << n << ": the header has the rest";
    }

    // Mode 0 touches nothing.
    grid.SetColWidthInPixels(1, 77);
    ASSERT_TRUE(grid.setResizeMode(0, 0, 0));
    ASSERT_TRUE(grid.onResized());
    EXPECT_EQ(width(1), 77);
}

TEST(Mx_SpreadWidths, AWindowNarrowerThanTheScrollBarGivesZeroWidths) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 1);
    ASSERT_TRUE(grid.setResizeMode(1, 0, 0));
    grid.MoveWindow(0, 0, 10, 50);
    for (int col : {SS_HEADER, 1, 2}) {
        int px = -1;
        grid.GetColWidthInPixels(col, &px);
        EXPECT_EQ(px, 0) << col;
    }
    ASSERT_TRUE(grid.fitColumnsToWidth(false, 5)) << "no room for a fixed width either";
    int px = -1;
    grid.GetColWidthInPixels(2, &px);
    EXPECT_EQ(px, 0);
}

// ---- Reading cells by kind -------------------------------------------------------------------------------

TEST(Mx_SpreadCells, EmptyCellsReadAsEmptyTextsOfEveryKind) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    grid.setCellText(1, 1, L"=1+1");
    grid.SetFormula(2, 1, L"1+2");
    grid.SetCellTag(2, 1, L"t");
    struct Case {
        int col, row, kind;
        bool ok;
        const wchar_t* text;
    };
    const Case cases[] = {
        {2, 2, Mx_Spread::kData, true, L""},
        {2, 2, Mx_Spread::kFormula, true, L""},
        {2, 2, Mx_Spread::kTag, true, L""},
        {2, 2, Mx_Spread::kValue, true, L""},
        {SS_HEADER, SS_HEADER, Mx_Spread::kValue, true, L""},
        {0, 2, Mx_Spread::kValue, true, L""},
        {2, 1, Mx_Spread::kFormula, true, L"1+2"},
        {2, 1, Mx_Spread::kTag, true, L"t"},
        {2, 1, Mx_Spread::kData, true, L"3"},
        {1, 1, Mx_Spread::kData, true, L"=1+1"},  // a datum is never a formula
        {3, 1, Mx_Spread::kValue, false, L""},
        {1, 3, Mx_Spread::kValue, false, L""},
        {-1, 1, Mx_Spread::kValue, false, L""},
        {1, 1, 4, false, L""},
    };
    for (const Case& c : cases) {
        Mx_String t(L"stale");
        EXPECT_EQ(grid.getCellText(c.col, c.row, t, c.kind), c.ok) << c.col << "," << c.row << " kind " << c.kind;
        if (c.ok) {
            EXPECT_EQ(t, Mx_String(c.text)) << c.col << "," << c.row << " kind " << c.kind;
        }
    }
}

TEST(Mx_SpreadLifecycle, KeepPlaceInADialogWithoutCaption) {
    static HINSTANCE module = ui::loadResourceModuleFromText("spread-page", R"(
DIALOG 501 0 0 200 120
  STYLE WS_POPUP | WS_VISIBLE
  CONTROL Static 100 "" 10 20 150 80
END
)").module;
    AfxSetResourceHandle(module);
    CDialog page(501);
    ASSERT_TRUE(page.Create(501));
    RECT place{};
    page.GetDlgItem(100)->GetWindowRect(&place);
    Mx_Spread grid;
    ASSERT_TRUE(grid.createFromDlgItem(&page, 100, true));
    RECT now{};
    grid.GetWindowRect(&now);
    EXPECT_EQ(now.left, place.left);
    EXPECT_EQ(now.top, place.top);
    EXPECT_EQ(now.right, place.right);
    EXPECT_EQ(now.bottom, place.bottom);
    EXPECT_EQ(grid.controlId(), 100);
    EXPECT_FALSE(grid.createFromDlgItem(&page, 100, true)) << "created once";
    grid.DestroyWindow();
    page.DestroyWindow();
}

// ---- Automatic sizing ----------------------------------------------------------------------------------

TEST(Mx_SpreadSizing, PictureCellsCanBeLeftOutOfAColumnsWidth) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 2);
    grid.setCellText(1, 1, L"ab");
    grid.setCellText(1, 2, L"a much longer text under a picture");
    SS_CELLTYPE picture;
    grid.SetTypePicture(&picture, 36, L"pic.bmp");
    ASSERT_TRUE(grid.SetCellType(1, 2, &picture));
    auto measured = [&](int row) {
        double w = 0, h = 0;
        EXPECT_TRUE(grid.GetMaxTextCellSize(1, row, &w, &h));
        return w;
    };
    auto width = [&] {
        double w = -1;
        grid.GetColWidth(1, &w);
        return w;
    };
    const double withoutPicture = std::max(measured(SS_HEADER), measured(1));
    ASSERT_LT(withoutPicture, measured(2));

    ASSERT_TRUE(grid.autoSizeColumn(1, true));
    EXPECT_NEAR(width(), withoutPicture, 0.2);
    ASSERT_TRUE(grid.autoSizeColumn(1, false));
    EXPECT_NEAR(width(), measured(2), 0.2);
    EXPECT_FALSE(grid.autoSizeColumn(3, false));

    // Sizing every column makes the header row static text first.
    ASSERT_TRUE(grid.autoSizeColumns(true));
    EXPECT_EQ(grid.getCellType(2, SS_HEADER), SS_TYPE_STATICTEXT);
    EXPECT_NEAR(width(), withoutPicture, 0.2);
    ASSERT_TRUE(grid.autoSizeRows());
    EXPECT_EQ(grid.getCellType(SS_HEADER, 2), SS_TYPE_STATICTEXT);
}

TEST(Mx_SpreadSizing, StretchingFillsTheWindowAndNeverShrinks) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(2, 1);
    RECT client{};
    grid.GetSSClientRect(&client);
    const int room = client.right - client.left - SS_SCROLLBAR_SIZE;
    auto width = [&](int col) {
        int px = -1;
        grid.GetColWidthInPixels(col, &px);
        return px;
    };
    grid.SetColWidthInPixels(SS_HEADER, 30);
    grid.SetColWidthInPixels(1, 50);
    grid.SetColWidthInPixels(2, 50);
    ASSERT_EQ(grid.totalColumnWidth(), 130);

    ASSERT_TRUE(grid.stretchColumn(2));
    EXPECT_EQ(width(2), 50 + room - 130);
    EXPECT_EQ(grid.totalColumnWidth(), room);
    ASSERT_TRUE(grid.stretchColumn(1)) << "nothing left to fill";
    EXPECT_EQ(width(1), 50);

    grid.SetColWidthInPixels(1, room);
    ASSERT_TRUE(grid.stretchColumn(2));
    EXPECT_EQ(width(2), 50 + room - 130) << "wider than the window: no column shrinks";
    EXPECT_FALSE(grid.stretchColumn(3));
}

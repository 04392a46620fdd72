// Mx_Spread's sheet operations: creation, sizes, typed cells and transfers, structure edits and the
// changed flag, merging, search and the column width policies.
#include <gtest/gtest.h>

#include <functional>

#include "module/ModuleResources.h"
#include "platform/grid/Sheet.h"
#include "platform/mfc/Bitmap.h"
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

// Mx_Spread: inserting, deleting, swapping and copying rows and columns, check boxes in a selection,
// spans and equal-cell merging, and search and replace in cells.
#include <algorithm>

#include "platform/grid/Sheet.h"
#include "platform/mfc/GdiObjects.h"
#include "platform/mfc/Win32Api.h"
#include "spread/Mx_Spread.h"
#include "spread/SpreadRedrawGuard.h"

// ---- Insert and delete ---------------------------------------------------------------------------------
// NOTE: with copyFormat a new row (column) takes the cell types, locks and looks of its neighbour but
// not its data: a copied row would duplicate the neighbour's entries (a standards sheet would declare
// its variables twice).

bool Mx_Spread::insertRow(int row, bool askHeader, bool copyFormat) {
    if (!created_) return false;
    int rows = GetMaxRows();
    if (row < 1 || row > rows + 1) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    setMaxRows(rows + 1, false);
    if (!InsRow(row)) return false;
    boldRow(row, true);
    int cols = GetMaxCols();
    if (copyFormat && row + 1 <= rows + 1 && cols > 0) {
        CopyRange(1, row + 1, cols, row + 1, 1, row);
        ClearDataRange(1, row, cols, row);
    }
    if (askHeader) SetData(SS_HEADER, row, promptHeader(true).c_str());
    setChanged();
    return true;
}

bool Mx_Spread::insertCol(int col, bool askHeader, bool copyFormat) {
    if (!created_) return false;
    int cols = GetMaxCols();
    if (col < 1 || col > cols + 1) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    setMaxCols(cols + 1, false);
    if (!InsCol(col)) return false;
    boldCol(col, true);
    int rows = GetMaxRows();
    if (copyFormat && col + 1 <= cols + 1 && rows > 0) {
        CopyRange(col + 1, 1, col + 1, rows, col, 1);
        ClearDataRange(col, 1, col, rows);
    }
    if (askHeader) SetData(col, SS_HEADER, promptHeader(false).c_str());
    setChanged();
    return true;
}

int Mx_Spread::appendRow(bool copyFormat) {
    if (!created_) return -1;
    SpreadRedrawGuard redraw(m_hWnd);
    int row = GetMaxRows() + 1;
    if (!setMaxRows(row, false)) return -1;
    clearRow(row);
    boldRow(row, true);
    int cols = GetMaxCols();
    if (copyFormat && row >= 2 && cols > 0) {
        CopyRange(1, row - 1, cols, row - 1, 1, row);
        ClearDataRange(1, row, cols, row);
    }
    setChanged();
    return row;
}

bool Mx_Spread::insertRowAfterSelection(bool copyFormat) {
    int row = selectedRow();
    return row >= 0 && insertRow(row + 1, false, copyFormat);
}

bool Mx_Spread::deleteRow(int row) {
    if (!validRow(row)) return false;
    if (!DelRow(row)) return false;
    SetMaxRows(GetMaxRows() - 1);
    setChanged();
    return true;
}

bool Mx_Spread::deleteCol(int col) {
    if (!validCol(col)) return false;
    if (!DelCol(col)) return false;
    SetMaxCols(GetMaxCols() - 1);
    setChanged();
    return true;
}

bool Mx_Spread::deleteSelectedRow() { return deleteRow(selectedRow()); }

bool Mx_Spread::swapRows(int rowA, int rowB) {
    if (!validRow(rowA) || !validRow(rowB)) return false;
    int col = selectedCol();
    if (rowA != rowB) {
        int cols = GetMaxCols();
        if (cols > 0 && !SwapRange(1, rowA, cols, rowA, 1, rowB)) return false;
    }
    SetActiveCell(col, rowB);
    setChanged();
    return true;
}

bool Mx_Spread::moveSelectedRowUp() {
    int row = selectedRow();
    return row > 1 && swapRows(row, row - 1);
}

bool Mx_Spread::moveSelectedRowDown() {
    int row = selectedRow();
    return row >= 1 && row < GetMaxRows() && swapRows(row, row + 1);
}

bool Mx_Spread::copyRow(int from, int to) {
    if (!validRow(from) || !validRow(to)) return false;
    int cols = GetMaxCols();
    if (cols > 0 && from != to && !CopyRange(1, from, cols, from, 1, to)) return false;
    setChanged();
    return true;
}

bool Mx_Spread::copyCol(int from, int to) {
    if (!validCol(from) || !validCol(to)) return false;
    int rows = GetMaxRows();
    if (rows > 0 && from != to && !CopyRange(from, 1, from, rows, to, 1)) return false;
    setChanged();
    return true;
}

bool Mx_Spread::setCheckInSelection(bool checked) {
    int col1 = 0, row1 = 0, col2 = 0, row2 = 0;
    if (!getSelection(col1, row1, col2, row2)) return false;
    int cols = GetMaxCols(), rows = GetMaxRows();
    if (col2 < 0) col2 = cols;
    if (row2 < 0) row2 = rows;
    if (col1 < 1) col1 = 1;
    if (row1 < 1) row1 = 1;
    col2 = std::min(col2, cols);
    row2 = std::min(row2, rows);
    SpreadRedrawGuard redraw(m_hWnd);
    for (int row = row1; row <= row2; ++row)
        for (int col = col1; col <= col2; ++col)
            if (getCellType(col, row) == SS_TYPE_CHECKBOX) SetValue(col, row, checked ? L"1" : L"0");
    setChanged();
    return true;
}

bool Mx_Spread::insertRowBelowActive() {
    if (!::IsWindow(m_hWnd)) return false;
    SS_COORD col = 1, row = 1;
    GetActiveCell(&col, &row);
    int rows = GetMaxRows();
    if (rows < 0) return false;
    row = std::clamp(row, 0, rows);
    SetMaxRows(rows + 1);
    if (!InsRow(row + 1)) return false;
    int cols = GetMaxCols();
    HFONT font = makeFont(L"Tahoma", 15, false);
    SetFontRange(0, row + 1, std::max(cols, 0), row + 1, font, FALSE);
    DeleteObject(font);
    SetFocus();
    SetActiveCell(std::max(col, 1), row + 1);
    return true;
}

bool Mx_Spread::deleteActiveRow() {
    if (!::IsWindow(m_hWnd)) return false;
    int rows = GetMaxRows();
    if (rows < 1) return false;
    SS_COORD col = 1, row = 1;
    GetActiveCell(&col, &row);
    if (row < 1 || row > rows) return false;
    if (!DelRow(row)) return false;
    SetMaxRows(rows - 1);
    SetFocus();
    if (rows - 1 < 1) return true;
    // The position stays; past the new end it is the new last row.
    SetActiveCell(col, std::min(row, rows - 1));
    SetEditMode(TRUE);
    SetSel(0, -1);
    return true;
}

// ---- Header options --------------------------------------------------------------------------------------

namespace {
Mx_Spread::HeaderEditor gHeaderEditor = nullptr;
}

void Mx_Spread::setHeaderEditor(HeaderEditor editor) { gHeaderEditor = editor; }

bool Mx_Spread::editHeaders() {
    if (!created_ || !gHeaderEditor) return false;
    HeaderSettings settings;
    settings.cols = GetMaxCols();
    settings.rows = GetMaxRows();
    GetRowHeightInPixels(SS_HEADER, &settings.headerRowHeight);
    GetColWidthInPixels(SS_HEADER, &settings.headerColWidth);
    getRowTexts(0, settings.colHeaders);
    getColumnTexts(0, settings.rowHeaders, kValue);
    if (!gHeaderEditor(GetParent(), settings)) return false;

    SpreadRedrawGuard redraw(m_hWnd);
    if (settings.cols >= 0) setMaxCols(settings.cols, false);
    if (settings.rows >= 0) setMaxRows(settings.rows, false);
    if (settings.headerRowHeight >= 0) SetRowHeightInPixels(SS_HEADER, settings.headerRowHeight);
    if (settings.headerColWidth >= 0) SetColWidthInPixels(SS_HEADER, settings.headerColWidth);
    setRowTexts(0, settings.colHeaders, false);
    setColumnTexts(0, settings.rowHeaders, false);
    setChanged();
    return true;
}

// ---- Spans -----------------------------------------------------------------------------------------------

bool Mx_Spread::unmergeCell(int col, int row) {
    if (!created_) return false;
    return RemoveCellSpan(col, row) != FALSE;
}

bool Mx_Spread::unmergeColumn(int col) {
    if (!validCol(col)) return false;
    grid::Sheet* sheet = SSGetSheet(m_hWnd);
    if (!sheet) return false;
    // One pass over the spans, not one span query per row.
    for (const grid::CellRange& span : sheet->spans())
        if (span.col1 <= col && col <= span.col2) RemoveCellSpan(span.col1, span.row1);
    return true;
}

bool Mx_Spread::unmergeAll() {
    if (!created_) return false;
    grid::Sheet* sheet = SSGetSheet(m_hWnd);
    if (!sheet) return false;
    for (const grid::CellRange& span : sheet->spans()) RemoveCellSpan(span.col1, span.row1);
    return true;
}

bool Mx_Spread::mergeEqualCells(int col) {
    if (!unmergeColumn(col)) return false;
    Mx_StringArray texts;
    if (!getColumnTexts(col, texts, kValue)) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    int rows = texts.length();
    int start = 1;
    while (start <= rows) {
        const Mx_String& first = texts[start - 1];
        int end = start;
        while (end + 1 <= rows && texts[end].equal(first)) ++end;
        if (end > start && !first.isEmpty()) AddCellSpan(col, start, 1, end - start + 1);
        start = end + 1;
    }
    return true;
}

// ---- Search ----------------------------------------------------------------------------------------------
// Comparisons respect case: a standards sheet's names are case-sensitive.

// A non-empty text is found only in a cell that holds something, so a search for one goes from such
// cell to the next (Sheet::nextUsedCell) and costs what the sheet holds, not its declared size (two
// million rows by 16,384 columns). An empty text matches the first cell looked at, held or not.
bool Mx_Spread::findInRow(const Mx_String& text, bool partial, int row, int startCol, int& col) {
    if (!validRowOrHeader(row)) return false;
    int cols = GetMaxCols();
    Mx_String cell;
    const grid::Sheet* sheet = SSGetSheet(m_hWnd);
    if (sheet && !text.isEmpty() && row >= 1) {
        std::int32_t c = std::max(startCol, 1), r = row;
        for (; sheet->nextUsedCell({1, row, cols, row}, c, r); ++c) {
            if (!readText(c, r, kValue, cell)) continue;
            if (partial ? cell.contains(text) : cell.equal(text)) {
                col = c;
                return true;
            }
        }
        return false;
    }
    for (int c = std::max(startCol, 1); c <= cols; ++c) {
        if (!readText(c, toGridIndex(row), kValue, cell)) continue;
        if (partial ? cell.contains(text) : cell.equal(text)) {
            col = c;
            return true;
        }
    }
    return false;
}

bool Mx_Spread::findFrom(const Mx_String& text, bool partial, int startCol, int startRow, int& col, int& row) {
    if (!created_) return false;
    int rows = GetMaxRows();
    const grid::Sheet* sheet = SSGetSheet(m_hWnd);
    if (sheet && !text.isEmpty()) {
        // The start column holds for the start row only (a start above row 1 searches from A1).
        std::int32_t c = startRow >= 1 ? std::max(startCol, 1) : 1, r = std::max(startRow, 1);
        Mx_String cell;
        for (; sheet->nextUsedCell({1, 1, GetMaxCols(), rows}, c, r); ++c) {
            if (!readText(c, r, kValue, cell)) continue;
            if (partial ? cell.contains(text) : cell.equal(text)) {
                col = c;
                row = r;
                return true;
            }
        }
        return false;
    }
    for (int r = std::max(startRow, 1); r <= rows; ++r) {
        int c = 0;
        if (findInRow(text, partial, r, r == startRow ? startCol : 1, c)) {
            col = c;
            row = r;
            return true;
        }
    }
    return false;
}

bool Mx_Spread::findNext(const Mx_String& text, int startCol, int startRow, int& col, int& row) {
    return findFrom(text, true, startCol, startRow, col, row);
}

bool Mx_Spread::findNextExact(const Mx_String& text, int startCol, int startRow, int& col, int& row) {
    return findFrom(text, false, startCol, startRow, col, row);
}

bool Mx_Spread::findInCellAndSelect(const Mx_String& text, int col, int row, int startPos) {
    if (text.isEmpty() || !validCol(col) || !validRow(row)) return false;
    Mx_String cell;
    if (!readText(col, row, kValue, cell)) return false;
    int at = cell.findFirstFrom(text, std::max(startPos, 0));
    if (at < 0) return false;
    SetFocus();
    SS_COORD activeCol = 0, activeRow = 0;
    GetActiveCell(&activeCol, &activeRow);
    if (activeCol != col || activeRow != row) SetActiveCell(col, row);
    if (!GetEditMode()) SetEditMode(TRUE);
    SetSel(at, at + text.length());
    return true;
}

bool Mx_Spread::replaceInCell(int col, int row, const Mx_String& find, const Mx_String& replace) {
    // An empty search text would match between every two characters.
    if (find.isEmpty() || !validColOrHeader(col) || !validRowOrHeader(row)) return false;
    Mx_String cell;
    if (!readText(toGridIndex(col), toGridIndex(row), kValue, cell)) return false;
    if (cell.replaceSubString(find, replace) == 0) return false;
    return SetData(toGridIndex(col), toGridIndex(row), cell.c_str()) != FALSE;
}

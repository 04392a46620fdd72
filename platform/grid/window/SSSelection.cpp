// The C functions over files, the clipboard, the selection and editing.
#include <algorithm>
#include <string>

#include "platform/grid/GridFile.h"
#include "platform/grid/window/GridWindow.h"
#include "platform/grid/window/SSFunctions.h"

using grid::CellRange;
using grid::GridWindow;

// ---- Files and clipboard --------------------------------------------------------------------------

BOOL SSLoadFromFile(HWND hwnd, LPCTSTR path) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !path) return FALSE;
    if (grid::SSLoadFromFile(g->sheet, path) != 1) return FALSE;
    // A new content: nothing of what the user was doing on the old one carries over.
    g->edit = {};
    g->combo = {};
    g->block.reset();
    g->activeCol = g->activeRow = 1;
    g->leftCol = g->topRow = 1;
    return TRUE;
}

BOOL SSSaveToFile(HWND hwnd, LPCTSTR path, BOOL) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !path) return FALSE;
    return grid::SSSaveToFile(g->sheet, path) == 1 ? TRUE : FALSE;
}

BOOL SSClipboardCopy(HWND hwnd) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->copyToClipboard() ? TRUE : FALSE;
}

BOOL SSClipboardPaste(HWND hwnd) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->pasteFromClipboard(hwnd, false) ? TRUE : FALSE;
}

// ---- Selection and editing ------------------------------------------------------------------------

BOOL SSSetActiveCell(HWND hwnd, SS_COORD col, SS_COORD row) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->moveActive(hwnd, col, row, false) ? TRUE : FALSE;
}

BOOL SSGetActiveCell(HWND hwnd, SS_COORD* col, SS_COORD* row) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    if (col) *col = g->activeCol;
    if (row) *row = g->activeRow;
    return g->isDataCell(g->activeCol, g->activeRow) ? TRUE : FALSE;
}

BOOL SSSetSelectBlock(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    SS_COORD maxCols = g->sheet.maxCols(), maxRows = g->sheet.maxRows();
    // SS_HEADER selects whole columns or rows; a negative end is the last one.
    if (col == SS_HEADER) col = 1, col2 = maxCols;
    if (row == SS_HEADER) row = 1, row2 = maxRows;
    if (col2 < 0) col2 = maxCols;
    if (row2 < 0) row2 = maxRows;
    CellRange r{std::min(col, col2), std::min(row, row2), std::max(col, col2), std::max(row, row2)};
    if (!g->isDataCell(r.col1, r.row1) || !g->isDataCell(r.col2, r.row2)) return FALSE;
    if (!g->isDataCell(g->activeCol, g->activeRow) || !r.contains(g->activeCol, g->activeRow)) {
        if (!g->moveActive(hwnd, r.col1, r.row1, false)) return FALSE;
    } else if (!g->endEdit(hwnd, true)) {
        return FALSE;
    }
    g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    g->block = r;
    return TRUE;
}

BOOL SSGetSelectBlock(HWND hwnd, SS_COORD* col, SS_COORD* row, SS_COORD* col2, SS_COORD* row2) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->block) return FALSE;
    if (col) *col = g->block->col1;
    if (row) *row = g->block->row1;
    if (col2) *col2 = g->block->col2;
    if (row2) *row2 = g->block->row2;
    return TRUE;
}

BOOL SSClearSelection(HWND hwnd) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    g->block.reset();
    return TRUE;
}

BOOL SSSetSel(HWND hwnd, int selStart, int selEnd) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->edit.on) return FALSE;
    int size = static_cast<int>(g->edit.text.size());
    g->edit.selStart = std::clamp(selStart, 0, size);
    g->edit.selEnd = selEnd < 0 ? size : std::clamp(selEnd, 0, size);
    return TRUE;
}

BOOL SSGetSel(HWND hwnd, int* selStart, int* selEnd) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->edit.on) return FALSE;
    if (selStart) *selStart = std::min(g->edit.selStart, g->edit.selEnd);
    if (selEnd) *selEnd = std::max(g->edit.selStart, g->edit.selEnd);
    return TRUE;
}

BOOL SSSetEditMode(HWND hwnd, BOOL editMode) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    if (editMode) return g->beginEdit(hwnd, false) ? TRUE : FALSE;
    return g->endEdit(hwnd, true) ? TRUE : FALSE;
}

BOOL SSGetEditMode(HWND hwnd) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->edit.on ? TRUE : FALSE;
}

BOOL SSSetEditEnterAction(HWND hwnd, WORD action) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || action > SS_ENTERACTION_NEXTROW) return FALSE;
    grid::SheetLook look = g->sheet.look();
    look.editEnterAction = action;
    g->sheet.setLook(look);
    return TRUE;
}

WORD SSGetEditEnterAction(HWND hwnd) {
    GridWindow* g = GridWindow::from(hwnd);
    return g ? static_cast<WORD>(g->sheet.look().editEnterAction) : 0;
}

BOOL SSSetActionKey(HWND hwnd, WORD action, BOOL shift, BOOL ctrl, WORD key) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || action > SS_KBA_POPUP) return FALSE;
    g->actionKeys[action] = {shift != FALSE, ctrl != FALSE, key};
    return TRUE;
}

BOOL SSGetActionKey(HWND hwnd, WORD action, BOOL* shift, BOOL* ctrl, WORD* key) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || action > SS_KBA_POPUP) return FALSE;
    const GridWindow::ActionKey& a = g->actionKeys[action];
    if (shift) *shift = a.shift ? TRUE : FALSE;
    if (ctrl) *ctrl = a.ctrl ? TRUE : FALSE;
    if (key) *key = a.key;
    return TRUE;
}

BOOL SSSetOperationMode(HWND hwnd, WORD mode) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || mode > SS_OPMODE_EXTSEL) return FALSE;
    grid::SheetLook look = g->sheet.look();
    look.operationMode = mode;
    g->sheet.setLook(look);
    if (mode == SS_OPMODE_READONLY) {
        g->endEdit(hwnd, true);
        if (GridWindow* still = GridWindow::from(hwnd)) still->closeCombo(hwnd, false);
    }
    return TRUE;
}

WORD SSGetOperationMode(HWND hwnd) {
    GridWindow* g = GridWindow::from(hwnd);
    return g ? static_cast<WORD>(g->sheet.look().operationMode) : 0;
}

BOOL SSGetCellSendingMsg(HWND hwnd, SS_COORD* col, SS_COORD* row) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || g->sendingCol == 0) return FALSE;
    if (col) *col = g->sendingCol;
    if (row) *row = g->sendingRow;
    return TRUE;
}

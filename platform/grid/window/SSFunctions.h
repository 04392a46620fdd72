#pragma once
// The grid's C function family: every call takes the grid window (class "fpUSpread70") first and
// fails (FALSE, 0, or -1 for counts) on a handle that is not a live grid window. Cells are
// (column, row) from 1; SS_HEADER (-32767) is the header row or column in single-cell calls and
// "all" in the *Range calls, where 0 names the header. Setters have a getter of the same name with Get.
//
// Texts are read length first: ask SSGet*Len, pass a buffer of length + 1 wide characters and its
// size; the getter copies at most size - 1 characters plus the terminating zero and returns how many
// it copied, so a non-zero result means text came back. A buffer that is too small gets a truncated,
// still terminated text, never an overrun.
//
// The window class registers itself when a program uses any of these functions; SSRegisterClass()
// does it explicitly (idempotent) for code that creates grids before calling one.
#include "platform/grid/window/SSTypes.h"

struct LOGFONT;

namespace grid {
class Sheet;
}

BOOL SSRegisterClass();
// The engine sheet behind a grid window (null for anything else). For engine-level work the C
// functions do not cover (files with diagnostics, bulk reads); changes made through it do not notify.
grid::Sheet* SSGetSheet(HWND hwnd);

// ---- Values -----------------------------------------------------------------------------------------
BOOL SSSetValue(HWND hwnd, SS_COORD col, SS_COORD row, LPCTSTR text);  // as the user would enter it
BOOL SSSetData(HWND hwnd, SS_COORD col, SS_COORD row, LPCTSTR text);   // the raw datum
BOOL SSSetFloat(HWND hwnd, SS_COORD col, SS_COORD row, double value);
// With or without "="; FALSE (cell unchanged) when the formula does not parse.
BOOL SSSetFormula(HWND hwnd, SS_COORD col, SS_COORD row, LPCTSTR formula, BOOL buildDependencies = TRUE);
BOOL SSSetCellTag(HWND hwnd, SS_COORD col, SS_COORD row, LPCTSTR tag);
BOOL SSClearData(HWND hwnd, SS_COORD col, SS_COORD row);
BOOL SSClearDataRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2);
// Lengths in wide characters; -1 outside the sheet.
int SSGetValueLen(HWND hwnd, SS_COORD col, SS_COORD row);
int SSGetDataLen(HWND hwnd, SS_COORD col, SS_COORD row);
int SSGetFormulaLen(HWND hwnd, SS_COORD col, SS_COORD row);
int SSGetCellTagLen(HWND hwnd, SS_COORD col, SS_COORD row);
int SSGetValue(HWND hwnd, SS_COORD col, SS_COORD row, LPTSTR buffer, int bufferSize);
int SSGetData(HWND hwnd, SS_COORD col, SS_COORD row, LPTSTR buffer, int bufferSize);
int SSGetFormula(HWND hwnd, SS_COORD col, SS_COORD row, LPTSTR buffer, int bufferSize);
int SSGetCellTag(HWND hwnd, SS_COORD col, SS_COORD row, LPTSTR buffer, int bufferSize);
// The computed number; FALSE when the cell does not compute to a number.
BOOL SSGetFloat(HWND hwnd, SS_COORD col, SS_COORD row, double* value);

// ---- Calculation ------------------------------------------------------------------------------------
BOOL SSReCalc(HWND hwnd);
BOOL SSReCalcCell(HWND hwnd, SS_COORD col, SS_COORD row);
BOOL SSSetRefStyle(HWND hwnd, short style);  // 0 legacy, 1 A1, 2 R1C1
short SSGetRefStyle(HWND hwnd);
// Registers a function for this grid's formulas (flags: SS_CUSTFUNC_WANTCELLREF). The callback is
// called during recalculation with the result record, the argument records and their count.
BOOL SSAddCustomFunctionExt(HWND hwnd, LPCTSTR name, short minArgs, short maxArgs, SS_CALCFUNC callback,
                            long flags);
// The same with a callable that may carry context (C++ callers).
BOOL SSAddCustomFunctionExt(HWND hwnd, LPCTSTR name, short minArgs, short maxArgs, grid::CustomCallback callback,
                            long flags);

// ---- Cell types ---------------------------------------------------------------------------------------
// Each fills the record (and returns it) for SSSetCellType / SSSetCellTypeRange.
LPSS_CELLTYPE SSSetTypeEdit(HWND hwnd, LPSS_CELLTYPE cellType, long style, int maxLength);
LPSS_CELLTYPE SSSetTypeNumber(HWND hwnd, LPSS_CELLTYPE cellType, long style, short decimals, double minimum,
                              double maximum, BOOL separator);
LPSS_CELLTYPE SSSetTypeStaticText(HWND hwnd, LPSS_CELLTYPE cellType, long style);
// Items separated by tab characters.
LPSS_CELLTYPE SSSetTypeComboBox(HWND hwnd, LPSS_CELLTYPE cellType, long style, LPCTSTR items);
// Pictures for the unchecked and checked states, normal and focused (null: the grid's default look).
LPSS_CELLTYPE SSSetTypeCheckBox(HWND hwnd, LPSS_CELLTYPE cellType, long style, LPCTSTR caption,
                                HBITMAP unchecked, HBITMAP checked, HBITMAP focusUnchecked = nullptr,
                                HBITMAP focusChecked = nullptr);
LPSS_CELLTYPE SSSetTypeButton(HWND hwnd, LPSS_CELLTYPE cellType, long style, LPCTSTR caption,
                              HBITMAP picture = nullptr);
// A picture from a file or resource name.
LPSS_CELLTYPE SSSetTypePicture(HWND hwnd, LPSS_CELLTYPE cellType, long style, LPCTSTR picture);
// A picture from a bitmap handle; with deleteHandle the grid deletes the bitmap when the window goes.
LPSS_CELLTYPE SSSetTypePictureHandle(HWND hwnd, LPSS_CELLTYPE cellType, long style, HBITMAP picture,
                                     BOOL deleteHandle);
BOOL SSSetCellType(HWND hwnd, SS_COORD col, SS_COORD row, const SS_CELLTYPE* cellType);
BOOL SSSetCellTypeRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                        const SS_CELLTYPE* cellType);
BOOL SSGetCellType(HWND hwnd, SS_COORD col, SS_COORD row, LPSS_CELLTYPE cellType);

// ---- Look ----------------------------------------------------------------------------------------------
BOOL SSSetLock(HWND hwnd, SS_COORD col, SS_COORD row, BOOL lock);
BOOL SSGetLock(HWND hwnd, SS_COORD col, SS_COORD row);
BOOL SSSetLockRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, BOOL lock);
BOOL SSSetLockColor(HWND hwnd, COLORREF background, COLORREF foreground);
BOOL SSGetLockColor(HWND hwnd, COLORREF* background, COLORREF* foreground);
BOOL SSSetColor(HWND hwnd, SS_COORD col, SS_COORD row, COLORREF background, COLORREF foreground);
BOOL SSGetColor(HWND hwnd, SS_COORD col, SS_COORD row, COLORREF* background, COLORREF* foreground);
BOOL SSSetColorRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, COLORREF background,
                     COLORREF foreground);
BOOL SSSetBackColorStyle(HWND hwnd, WORD style);
WORD SSGetBackColorStyle(HWND hwnd);
BOOL SSSetGrayAreaColor(HWND hwnd, COLORREF background, COLORREF foreground);
BOOL SSGetGrayAreaColor(HWND hwnd, COLORREF* background, COLORREF* foreground);
BOOL SSSetSelColor(HWND hwnd, COLORREF background, COLORREF foreground);
BOOL SSGetSelColor(HWND hwnd, COLORREF* background, COLORREF* foreground);
BOOL SSSetGridColor(HWND hwnd, COLORREF color);
COLORREF SSGetGridColor(HWND hwnd);
BOOL SSSetGridType(HWND hwnd, WORD type);
WORD SSGetGridType(HWND hwnd);
BOOL SSSetBorder(HWND hwnd, SS_COORD col, SS_COORD row, WORD type, WORD style, COLORREF color);
BOOL SSGetBorder(HWND hwnd, SS_COORD col, SS_COORD row, WORD* type, WORD* style, COLORREF* color);
BOOL SSSetBorderRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, WORD type, WORD style,
                      COLORREF color);
// The font is read from the handle at the call; the caller keeps ownership of it.
BOOL SSSetFont(HWND hwnd, SS_COORD col, SS_COORD row, HFONT font, BOOL redraw);
BOOL SSSetFontRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, HFONT font, BOOL redraw);
// A font handle describing the cell's font, owned by the grid (valid while the window lives).
HFONT SSGetFont(HWND hwnd, SS_COORD col, SS_COORD row);
BOOL SSSetAppearance(HWND hwnd, WORD appearance);
WORD SSGetAppearance(HWND hwnd);
BOOL SSSetCursor(HWND hwnd, WORD type, HCURSOR cursor);
HCURSOR SSGetCursor(HWND hwnd, WORD type);
// Tips: mode (0 off, 1 on), delay in ms, font (null: keep), colours.
BOOL SSSetTextTip(HWND hwnd, WORD mode, long delay, const LOGFONT* font, COLORREF background, COLORREF foreground);
BOOL SSGetTextTip(HWND hwnd, WORD* mode, long* delay, LOGFONT* font, COLORREF* background, COLORREF* foreground);
BOOL SSSetCellNoteIndicator(HWND hwnd, WORD indicator);
WORD SSGetCellNoteIndicator(HWND hwnd);
BOOL SSSetAutoSizeVisible(HWND hwnd, SS_COORD visibleCols, SS_COORD visibleRows);
BOOL SSGetAutoSizeVisible(HWND hwnd, SS_COORD* visibleCols, SS_COORD* visibleRows);
BOOL SSSetUnitType(HWND hwnd, WORD unitType);
WORD SSGetUnitType(HWND hwnd);
// Returns the previous state.
BOOL SSSetBool(HWND hwnd, short index, BOOL on);
BOOL SSGetBool(HWND hwnd, short index);

// ---- Size -----------------------------------------------------------------------------------------------
BOOL SSSetMaxRows(HWND hwnd, SS_COORD rows);
SS_COORD SSGetMaxRows(HWND hwnd);  // -1 for a handle that is not a grid
BOOL SSSetMaxCols(HWND hwnd, SS_COORD cols);
SS_COORD SSGetMaxCols(HWND hwnd);
// Widths in characters, heights in points; the pixel forms convert as the engine does.
BOOL SSSetColWidth(HWND hwnd, SS_COORD col, double width);
BOOL SSGetColWidth(HWND hwnd, SS_COORD col, double* width);
BOOL SSSetColWidthInPixels(HWND hwnd, SS_COORD col, int pixels);
BOOL SSGetColWidthInPixels(HWND hwnd, SS_COORD col, int* pixels);
BOOL SSSetRowHeight(HWND hwnd, SS_COORD row, double height);
BOOL SSGetRowHeight(HWND hwnd, SS_COORD row, double* height);
BOOL SSSetRowHeightInPixels(HWND hwnd, SS_COORD row, int pixels);
BOOL SSGetRowHeightInPixels(HWND hwnd, SS_COORD row, int* pixels);
// Measured text: one character of the cell's font is one width unit; a line is the font's height.
BOOL SSGetMaxTextCellSize(HWND hwnd, SS_COORD col, SS_COORD row, double* width, double* height);
// The widest / tallest text over the header and the data cells of the column / row.
BOOL SSGetMaxTextColWidth(HWND hwnd, SS_COORD col, double* width);
BOOL SSGetMaxTextRowHeight(HWND hwnd, SS_COORD row, double* height);
BOOL SSGetClientRect(HWND hwnd, LPRECT rect);
BOOL SSGetScrollBarSize(HWND hwnd, int* verticalWidth, int* horizontalHeight);
// The cell's rectangle in the grid's client coordinates; FALSE when it is scrolled out of view.
BOOL SSGetCellRect(HWND hwnd, SS_COORD col, SS_COORD row, LPRECT rect);
// Scrolls so the cell is in view.
BOOL SSShowCell(HWND hwnd, SS_COORD col, SS_COORD row);
BOOL SSGetTopLeftCell(HWND hwnd, SS_COORD* col, SS_COORD* row);

// ---- Structure ----------------------------------------------------------------------------------------
BOOL SSAddCellSpan(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD numCols, SS_COORD numRows);
// Removes the span that contains the cell.
BOOL SSRemoveCellSpan(HWND hwnd, SS_COORD col, SS_COORD row);
// SS_SPAN_NO, SS_SPAN_ANCHOR or SS_SPAN_YES; the anchor and size of the span when there is one.
int SSGetCellSpan(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD* anchorCol, SS_COORD* anchorRow,
                  SS_COORD* numCols, SS_COORD* numRows);
// The sheet keeps its size: the last row or column falls off on insert, an empty one enters on delete.
BOOL SSInsRow(HWND hwnd, SS_COORD row);
BOOL SSDelRow(HWND hwnd, SS_COORD row);
BOOL SSInsCol(HWND hwnd, SS_COORD col);
BOOL SSDelCol(HWND hwnd, SS_COORD col);
BOOL SSCopyRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, SS_COORD destCol,
                 SS_COORD destRow);
BOOL SSSwapRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, SS_COORD destCol,
                 SS_COORD destRow);
// Back to a new grid: no rows, columns, content, selection or edit; custom functions stay.
BOOL SSReset(HWND hwnd);

// ---- Files and clipboard --------------------------------------------------------------------------
// Native grid files, CSV and TSV (see GridFile.h). A failed load leaves the grid as it was.
BOOL SSLoadFromFile(HWND hwnd, LPCTSTR path);
BOOL SSSaveToFile(HWND hwnd, LPCTSTR path, BOOL dataOnly = FALSE);  // 1 on success
// The selected block (or the active cell) as tab-separated value texts, rows ending in CR LF.
BOOL SSClipboardCopy(HWND hwnd);
// Tab-separated text from the clipboard into the cells from the block's (or the active cell's)
// top-left, as a user would enter it; cells beyond the sheet, locked or static cells are skipped.
BOOL SSClipboardPaste(HWND hwnd);

// ---- Selection and editing ------------------------------------------------------------------------
// Ends an edit in progress (committing it), clears the block and scrolls the cell into view.
BOOL SSSetActiveCell(HWND hwnd, SS_COORD col, SS_COORD row);
// FALSE when the active cell lies outside the sheet (an empty sheet); the position is given anyway.
BOOL SSGetActiveCell(HWND hwnd, SS_COORD* col, SS_COORD* row);
BOOL SSSetSelectBlock(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2);
// FALSE (zero) when there is no block.
BOOL SSGetSelectBlock(HWND hwnd, SS_COORD* col, SS_COORD* row, SS_COORD* col2, SS_COORD* row2);
BOOL SSClearSelection(HWND hwnd);
// The text selection of the cell being edited (start, end in characters; -1 as end is the text's end).
BOOL SSSetSel(HWND hwnd, int selStart, int selEnd);
BOOL SSGetSel(HWND hwnd, int* selStart, int* selEnd);  // FALSE when not in edit mode
// Starts editing the active cell (caret at the end) or ends the edit, committing it.
BOOL SSSetEditMode(HWND hwnd, BOOL editMode);
BOOL SSGetEditMode(HWND hwnd);
BOOL SSSetEditEnterAction(HWND hwnd, WORD action);
WORD SSGetEditEnterAction(HWND hwnd);
// Binds an SS_KBA_* action to a key with modifiers; key 0 switches the action off.
BOOL SSSetActionKey(HWND hwnd, WORD action, BOOL shift, BOOL ctrl, WORD key);
BOOL SSGetActionKey(HWND hwnd, WORD action, BOOL* shift, BOOL* ctrl, WORD* key);
BOOL SSSetOperationMode(HWND hwnd, WORD mode);
WORD SSGetOperationMode(HWND hwnd);
// The cell the grid's latest notification was about.
BOOL SSGetCellSendingMsg(HWND hwnd, SS_COORD* col, SS_COORD* row);

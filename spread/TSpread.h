#pragma once
// TSpread: a grid window ("fpUSpread70") seen as a CWnd, with one method per grid function and the
// window handle implied. It holds nothing but the window; Mx_Spread builds the system's behaviour on it.
#include "platform/grid/window/SSFunctions.h"
#include "platform/mfc/CWnd.h"

class TSpread : public CWnd {
public:
    TSpread() = default;
    ~TSpread() override = default;

    // ---- Values
    BOOL SetValue(SS_COORD col, SS_COORD row, LPCTSTR text) { return SSSetValue(m_hWnd, col, row, text); }
    BOOL SetData(SS_COORD col, SS_COORD row, LPCTSTR text) { return SSSetData(m_hWnd, col, row, text); }
    BOOL SetFloat(SS_COORD col, SS_COORD row, double value) { return SSSetFloat(m_hWnd, col, row, value); }
    BOOL GetFloat(SS_COORD col, SS_COORD row, double* value) { return SSGetFloat(m_hWnd, col, row, value); }
    BOOL SetFormula(SS_COORD col, SS_COORD row, LPCTSTR formula, BOOL buildDependencies = TRUE) {
        return SSSetFormula(m_hWnd, col, row, formula, buildDependencies);
    }
    BOOL SetCellTag(SS_COORD col, SS_COORD row, LPCTSTR tag) { return SSSetCellTag(m_hWnd, col, row, tag); }
    BOOL ClearData(SS_COORD col, SS_COORD row) { return SSClearData(m_hWnd, col, row); }
    BOOL ClearDataRange(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2) {
        return SSClearDataRange(m_hWnd, col, row, col2, row2);
    }
    int GetValueLen(SS_COORD col, SS_COORD row) { return SSGetValueLen(m_hWnd, col, row); }
    int GetDataLen(SS_COORD col, SS_COORD row) { return SSGetDataLen(m_hWnd, col, row); }
    int GetFormulaLen(SS_COORD col, SS_COORD row) { return SSGetFormulaLen(m_hWnd, col, row); }
    int GetCellTagLen(SS_COORD col, SS_COORD row) { return SSGetCellTagLen(m_hWnd, col, row); }
    int GetValue(SS_COORD col, SS_COORD row, LPTSTR buffer, int size) { return SSGetValue(m_hWnd, col, row, buffer, size); }
    int GetData(SS_COORD col, SS_COORD row, LPTSTR buffer, int size) { return SSGetData(m_hWnd, col, row, buffer, size); }
    int GetFormula(SS_COORD col, SS_COORD row, LPTSTR buffer, int size) {
        return SSGetFormula(m_hWnd, col, row, buffer, size);
    }
    int GetCellTag(SS_COORD col, SS_COORD row, LPTSTR buffer, int size) {
        return SSGetCellTag(m_hWnd, col, row, buffer, size);
    }

    // ---- Calculation
    BOOL ReCalc() { return SSReCalc(m_hWnd); }
    BOOL ReCalcCell(SS_COORD col, SS_COORD row) { return SSReCalcCell(m_hWnd, col, row); }
    BOOL SetRefStyle(short style) { return SSSetRefStyle(m_hWnd, style); }
    short GetRefStyle() { return SSGetRefStyle(m_hWnd); }
    BOOL AddCustomFunctionExt(LPCTSTR name, short minArgs, short maxArgs, SS_CALCFUNC callback, long flags) {
        return SSAddCustomFunctionExt(m_hWnd, name, minArgs, maxArgs, callback, flags);
    }

    // ---- Cell types
    LPSS_CELLTYPE SetTypeEdit(LPSS_CELLTYPE type, long style, int maxLength) {
        return SSSetTypeEdit(m_hWnd, type, style, maxLength);
    }
    LPSS_CELLTYPE SetTypeNumber(LPSS_CELLTYPE type, long style, short decimals, double minimum, double maximum,
                                BOOL separator) {
        return SSSetTypeNumber(m_hWnd, type, style, decimals, minimum, maximum, separator);
    }
    LPSS_CELLTYPE SetTypeStaticText(LPSS_CELLTYPE type, long style) { return SSSetTypeStaticText(m_hWnd, type, style); }
    LPSS_CELLTYPE SetTypeComboBox(LPSS_CELLTYPE type, long style, LPCTSTR items) {
        return SSSetTypeComboBox(m_hWnd, type, style, items);
    }
    LPSS_CELLTYPE SetTypeCheckBox(LPSS_CELLTYPE type, long style, LPCTSTR caption, HBITMAP unchecked,
                                  HBITMAP checked, HBITMAP focusUnchecked = nullptr, HBITMAP focusChecked = nullptr) {
        return SSSetTypeCheckBox(m_hWnd, type, style, caption, unchecked, checked, focusUnchecked, focusChecked);
    }
    LPSS_CELLTYPE SetTypeButton(LPSS_CELLTYPE type, long style, LPCTSTR caption, HBITMAP picture = nullptr) {
        return SSSetTypeButton(m_hWnd, type, style, caption, picture);
    }
    LPSS_CELLTYPE SetTypePicture(LPSS_CELLTYPE type, long style, LPCTSTR picture) {
        return SSSetTypePicture(m_hWnd, type, style, picture);
    }
    LPSS_CELLTYPE SetTypePictureHandle(LPSS_CELLTYPE type, long style, HBITMAP picture, BOOL deleteHandle) {
        return SSSetTypePictureHandle(m_hWnd, type, style, picture, deleteHandle);
    }
    BOOL SetCellType(SS_COORD col, SS_COORD row, const SS_CELLTYPE* type) { return SSSetCellType(m_hWnd, col, row, type); }
    BOOL SetCellTypeRange(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, const SS_CELLTYPE* type) {
        return SSSetCellTypeRange(m_hWnd, col, row, col2, row2, type);
    }
    BOOL GetCellType(SS_COORD col, SS_COORD row, LPSS_CELLTYPE type) { return SSGetCellType(m_hWnd, col, row, type); }

    // ---- Look
    BOOL SetLock(SS_COORD col, SS_COORD row, BOOL lock) { return SSSetLock(m_hWnd, col, row, lock); }
    BOOL GetLock(SS_COORD col, SS_COORD row) { return SSGetLock(m_hWnd, col, row); }
    BOOL SetLockRange(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, BOOL lock) {
        return SSSetLockRange(m_hWnd, col, row, col2, row2, lock);
    }
    BOOL SetLockColor(COLORREF background, COLORREF foreground) { return SSSetLockColor(m_hWnd, background, foreground); }
    BOOL SetColor(SS_COORD col, SS_COORD row, COLORREF background, COLORREF foreground) {
        return SSSetColor(m_hWnd, col, row, background, foreground);
    }
    BOOL SetColorRange(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, COLORREF background,
                       COLORREF foreground) {
        return SSSetColorRange(m_hWnd, col, row, col2, row2, background, foreground);
    }
    BOOL SetBackColorStyle(WORD style) { return SSSetBackColorStyle(m_hWnd, style); }
    BOOL SetGrayAreaColor(COLORREF background, COLORREF foreground) {
        return SSSetGrayAreaColor(m_hWnd, background, foreground);
    }
    BOOL SetSelColor(COLORREF background, COLORREF foreground) { return SSSetSelColor(m_hWnd, background, foreground); }
    BOOL SetGridColor(COLORREF color) { return SSSetGridColor(m_hWnd, color); }
    BOOL SetGridType(WORD type) { return SSSetGridType(m_hWnd, type); }
    BOOL SetBorder(SS_COORD col, SS_COORD row, WORD type, WORD style, COLORREF color) {
        return SSSetBorder(m_hWnd, col, row, type, style, color);
    }
    BOOL SetBorderRange(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, WORD type, WORD style,
                        COLORREF color) {
        return SSSetBorderRange(m_hWnd, col, row, col2, row2, type, style, color);
    }
    BOOL SetFontRange(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, HFONT font, BOOL redraw) {
        return SSSetFontRange(m_hWnd, col, row, col2, row2, font, redraw);
    }
    HFONT GetFont(SS_COORD col, SS_COORD row) { return SSGetFont(m_hWnd, col, row); }
    BOOL SetAppearance(WORD appearance) { return SSSetAppearance(m_hWnd, appearance); }
    BOOL SetCursor(WORD type, HCURSOR cursor) { return SSSetCursor(m_hWnd, type, cursor); }
    BOOL SetTextTip(WORD mode, long delay, const LOGFONT* font, COLORREF background, COLORREF foreground) {
        return SSSetTextTip(m_hWnd, mode, delay, font, background, foreground);
    }
    BOOL GetTextTip(WORD* mode, long* delay, LOGFONT* font, COLORREF* background, COLORREF* foreground) {
        return SSGetTextTip(m_hWnd, mode, delay, font, background, foreground);
    }
    BOOL SetCellNoteIndicator(WORD indicator) { return SSSetCellNoteIndicator(m_hWnd, indicator); }
    BOOL SetAutoSizeVisible(SS_COORD cols, SS_COORD rows) { return SSSetAutoSizeVisible(m_hWnd, cols, rows); }
    BOOL SetUnitType(WORD unitType) { return SSSetUnitType(m_hWnd, unitType); }
    BOOL SetBool(short index, BOOL on) { return SSSetBool(m_hWnd, index, on); }
    BOOL GetBool(short index) { return SSGetBool(m_hWnd, index); }

    // ---- Size
    BOOL SetMaxRows(SS_COORD rows) { return SSSetMaxRows(m_hWnd, rows); }
    SS_COORD GetMaxRows() { return SSGetMaxRows(m_hWnd); }
    BOOL SetMaxCols(SS_COORD cols) { return SSSetMaxCols(m_hWnd, cols); }
    SS_COORD GetMaxCols() { return SSGetMaxCols(m_hWnd); }
    BOOL SetColWidth(SS_COORD col, double width) { return SSSetColWidth(m_hWnd, col, width); }
    BOOL GetColWidth(SS_COORD col, double* width) { return SSGetColWidth(m_hWnd, col, width); }
    BOOL SetColWidthInPixels(SS_COORD col, int pixels) { return SSSetColWidthInPixels(m_hWnd, col, pixels); }
    BOOL GetColWidthInPixels(SS_COORD col, int* pixels) { return SSGetColWidthInPixels(m_hWnd, col, pixels); }
    BOOL SetRowHeight(SS_COORD row, double height) { return SSSetRowHeight(m_hWnd, row, height); }
    BOOL GetRowHeight(SS_COORD row, double* height) { return SSGetRowHeight(m_hWnd, row, height); }
    BOOL SetRowHeightInPixels(SS_COORD row, int pixels) { return SSSetRowHeightInPixels(m_hWnd, row, pixels); }
    BOOL GetRowHeightInPixels(SS_COORD row, int* pixels) { return SSGetRowHeightInPixels(m_hWnd, row, pixels); }
    BOOL GetMaxTextCellSize(SS_COORD col, SS_COORD row, double* width, double* height) {
        return SSGetMaxTextCellSize(m_hWnd, col, row, width, height);
    }
    BOOL GetMaxTextColWidth(SS_COORD col, double* width) { return SSGetMaxTextColWidth(m_hWnd, col, width); }
    BOOL GetMaxTextRowHeight(SS_COORD row, double* height) { return SSGetMaxTextRowHeight(m_hWnd, row, height); }
    BOOL GetSSClientRect(LPRECT rect) { return SSGetClientRect(m_hWnd, rect); }
    BOOL GetScrollBarSize(int* verticalWidth, int* horizontalHeight) {
        return SSGetScrollBarSize(m_hWnd, verticalWidth, horizontalHeight);
    }
    BOOL GetCellRect(SS_COORD col, SS_COORD row, LPRECT rect) { return SSGetCellRect(m_hWnd, col, row, rect); }
    BOOL ShowCell(SS_COORD col, SS_COORD row) { return SSShowCell(m_hWnd, col, row); }

    // ---- Structure
    BOOL AddCellSpan(SS_COORD col, SS_COORD row, SS_COORD numCols, SS_COORD numRows) {
        return SSAddCellSpan(m_hWnd, col, row, numCols, numRows);
    }
    BOOL RemoveCellSpan(SS_COORD col, SS_COORD row) { return SSRemoveCellSpan(m_hWnd, col, row); }
    int GetCellSpan(SS_COORD col, SS_COORD row, SS_COORD* anchorCol, SS_COORD* anchorRow, SS_COORD* numCols,
                    SS_COORD* numRows) {
        return SSGetCellSpan(m_hWnd, col, row, anchorCol, anchorRow, numCols, numRows);
    }
    BOOL InsRow(SS_COORD row) { return SSInsRow(m_hWnd, row); }
    BOOL DelRow(SS_COORD row) { return SSDelRow(m_hWnd, row); }
    BOOL InsCol(SS_COORD col) { return SSInsCol(m_hWnd, col); }
    BOOL DelCol(SS_COORD col) { return SSDelCol(m_hWnd, col); }
    BOOL CopyRange(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, SS_COORD destCol, SS_COORD destRow) {
        return SSCopyRange(m_hWnd, col, row, col2, row2, destCol, destRow);
    }
    BOOL SwapRange(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, SS_COORD destCol, SS_COORD destRow) {
        return SSSwapRange(m_hWnd, col, row, col2, row2, destCol, destRow);
    }
    BOOL Reset() { return SSReset(m_hWnd); }

    // ---- Files and clipboard
    BOOL LoadFromFile(LPCTSTR path) { return SSLoadFromFile(m_hWnd, path); }
    BOOL SaveToFile(LPCTSTR path, BOOL dataOnly = FALSE) { return SSSaveToFile(m_hWnd, path, dataOnly); }
    BOOL ClipboardCopy() { return SSClipboardCopy(m_hWnd); }
    BOOL ClipboardPaste() { return SSClipboardPaste(m_hWnd); }

    // ---- Selection and editing
    BOOL SetActiveCell(SS_COORD col, SS_COORD row) { return SSSetActiveCell(m_hWnd, col, row); }
    BOOL GetActiveCell(SS_COORD* col, SS_COORD* row) { return SSGetActiveCell(m_hWnd, col, row); }
    BOOL SetSelectBlock(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2) {
        return SSSetSelectBlock(m_hWnd, col, row, col2, row2);
    }
    BOOL GetSelectBlock(SS_COORD* col, SS_COORD* row, SS_COORD* col2, SS_COORD* row2) {
        return SSGetSelectBlock(m_hWnd, col, row, col2, row2);
    }
    BOOL SetSel(int start, int end) { return SSSetSel(m_hWnd, start, end); }
    BOOL GetSel(int* start, int* end) { return SSGetSel(m_hWnd, start, end); }
    BOOL SetEditMode(BOOL on) { return SSSetEditMode(m_hWnd, on); }
    BOOL GetEditMode() { return SSGetEditMode(m_hWnd); }
    BOOL SetEditEnterAction(WORD action) { return SSSetEditEnterAction(m_hWnd, action); }
    WORD GetEditEnterAction() { return SSGetEditEnterAction(m_hWnd); }
    BOOL SetActionKey(WORD action, BOOL shift, BOOL ctrl, WORD key) {
        return SSSetActionKey(m_hWnd, action, shift, ctrl, key);
    }
    BOOL SetOperationMode(WORD mode) { return SSSetOperationMode(m_hWnd, mode); }
    WORD GetOperationMode() { return SSGetOperationMode(m_hWnd); }
    BOOL GetCellSendingMsg(SS_COORD* col, SS_COORD* row) { return SSGetCellSendingMsg(m_hWnd, col, row); }
};

// The C functions over cells, types, looks, sizes and structure. Selection, editing, files and the
// clipboard are in SSSelection.cpp.
#include "platform/grid/window/SSFunctions.h"

#include <algorithm>
#include <cwchar>  // wcslen
#include <string>

#include "platform/grid/window/GridWindow.h"

using grid::CellRange;
using grid::CellTypeCode;
using grid::GridWindow;

namespace {

std::wstring_view textOf(LPCTSTR text) { return text ? std::wstring_view(text) : std::wstring_view(); }

// A range as the *Range calls take it: SS_HEADER means every column or row, corners in any order.
CellRange rangeOf(const GridWindow& g, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2) {
    if (col == SS_HEADER || col2 == SS_HEADER) {
        col = 1;
        col2 = g.sheet.maxCols();
    }
    if (row == SS_HEADER || row2 == SS_HEADER) {
        row = 1;
        row2 = g.sheet.maxRows();
    }
    return {std::min(col, col2), std::min(row, row2), std::max(col, col2), std::max(row, row2)};
}

// After the sheet's shape changed: an edit or a block on cells that are gone ends silently.
void settle(GridWindow& g) {
    if (!g.isDataCell(g.activeCol, g.activeRow)) {
        g.edit = {};
        g.combo = {};
        if (g.activeCol > g.sheet.maxCols()) g.activeCol = std::max(1, g.sheet.maxCols());
        if (g.activeRow > g.sheet.maxRows()) g.activeRow = std::max(1, g.sheet.maxRows());
    }
    if (g.block && (g.block->col2 > g.sheet.maxCols() || g.block->row2 > g.sheet.maxRows())) g.block.reset();
    g.leftCol = std::clamp(g.leftCol, 1, std::max(1, g.sheet.maxCols()));
    g.topRow = std::clamp(g.topRow, 1, std::max(1, g.sheet.maxRows()));
}

// An edit in progress shows the cell's old text; a program writing the cell wins over it.
void dropEditOf(GridWindow& g, SS_COORD col, SS_COORD row) {
    if (g.edit.on && g.activeCol == col && g.activeRow == row) g.edit = {};
}

int textLength(HWND hwnd, SS_COORD col, SS_COORD row, grid::TextKind kind) {
    GridWindow* g = GridWindow::from(hwnd);
    std::wstring text;
    if (!g || !g->sheet.getText(col, row, kind, text)) return -1;
    return static_cast<int>(text.size());
}

int copyText(const std::wstring& text, LPTSTR buffer, int bufferSize) {
    if (!buffer || bufferSize <= 0) return 0;
    int n = std::min(static_cast<int>(text.size()), bufferSize - 1);
    std::copy_n(text.begin(), n, buffer);
    buffer[n] = 0;
    return n;
}

int readText(HWND hwnd, SS_COORD col, SS_COORD row, grid::TextKind kind, LPTSTR buffer, int bufferSize) {
    GridWindow* g = GridWindow::from(hwnd);
    std::wstring text;
    if (!g || !g->sheet.getText(col, row, kind, text)) {
        copyText(L"", buffer, bufferSize);
        return 0;
    }
    return copyText(text, buffer, bufferSize);
}

LPSS_CELLTYPE fill(LPSS_CELLTYPE ct, grid::CellType type) {
    if (!ct) return nullptr;
    ct->Type = static_cast<std::int32_t>(type.code);
    ct->detail = std::move(type);
    return ct;
}

std::wstring handleText(const void* handle) {
    return handle ? std::to_wstring(reinterpret_cast<std::uintptr_t>(handle)) : std::wstring();
}

bool validType(const SS_CELLTYPE* ct) {
    if (!ct) return false;
    switch (ct->Type) {
    case SS_TYPE_DATE: case SS_TYPE_EDIT: case SS_TYPE_TIME: case SS_TYPE_BUTTON: case SS_TYPE_PICTURE:
    case SS_TYPE_COMBOBOX: case SS_TYPE_INTEGER: case SS_TYPE_OWNERDRAW: case SS_TYPE_CHECKBOX:
    case SS_TYPE_STATICTEXT: case SS_TYPE_FLOAT: case SS_TYPE_CURRENCY: case SS_TYPE_PERCENT:
        return true;
    default:
        return false;
    }
}

// The record's first field rules: a caller that changed only Type gets that type.
grid::CellType typeOf(const SS_CELLTYPE* ct) {
    grid::CellType t = ct->detail;
    t.code = static_cast<CellTypeCode>(ct->Type);
    return t;
}

template <class Change>
BOOL changeLook(HWND hwnd, Change change) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    grid::SheetLook look = g->sheet.look();
    change(look);
    g->sheet.setLook(look);
    return TRUE;
}

template <class Read>
auto readLook(HWND hwnd, Read read) -> decltype(read(grid::SheetLook{})) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return {};
    return read(g->sheet.look());
}

void put(COLORREF* out, COLORREF value) {
    if (out) *out = value;
}

grid::CellFont cellFontOf(const LOGFONT& lf) {
    grid::CellFont f;
    f.face.assign(lf.lfFaceName, wcsnlen(lf.lfFaceName, 32));
    // Win32 heights are negative for character heights; the grid keeps the magnitude.
    f.height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    f.weight = lf.lfWeight == 0 ? 400 : lf.lfWeight;
    f.italic = lf.lfItalic != 0;
    f.underline = lf.lfUnderline != 0;
    f.strikeOut = lf.lfStrikeOut != 0;
    return f;
}

// Width of a text in characters of its font and its height in lines: longest line, line count.
std::pair<int, int> textExtent(const std::wstring& text) {
    int longest = 0, lines = 1, current = 0;
    for (wchar_t ch : text) {
        if (ch == L'\n') {
            longest = std::max(longest, current);
            current = 0;
            ++lines;
        } else if (ch != L'\r') {
            ++current;
        }
    }
    return {std::max(longest, current), text.empty() ? 0 : lines};
}

// Size of a cell's text in the engine's units: width in characters of the default font (scaled by
// the cell's font height), height in points.
std::pair<double, double> cellTextSize(const GridWindow& g, SS_COORD col, SS_COORD row) {
    std::wstring text = g.sheet.valueText(col, row);
    grid::CellType type = g.sheet.cellType(col, row);
    if (text.empty() && (type.code == CellTypeCode::Button || type.code == CellTypeCode::CheckBox)) text = type.items;
    auto [chars, lines] = textExtent(text);
    grid::CellFont font = g.sheet.font(col, row);
    double scale = static_cast<double>(font.height) / std::max(1, g.sheet.defaultFont().height);
    double width = chars * scale * (font.bold() ? 1.1 : 1.0);
    double height = lines * font.height * 0.75;
    return {width, height};
}

}  // namespace

BOOL SSRegisterClass() {
    GridWindow::registerClass();
    return TRUE;
}

grid::Sheet* SSGetSheet(HWND hwnd) {
    GridWindow* g = GridWindow::from(hwnd);
    return g ? &g->sheet : nullptr;
}

// ---- Values -----------------------------------------------------------------------------------------

BOOL SSSetValue(HWND hwnd, SS_COORD col, SS_COORD row, LPCTSTR text) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.setValue(col, row, textOf(text))) return FALSE;
    dropEditOf(*g, col, row);
    return TRUE;
}

BOOL SSSetData(HWND hwnd, SS_COORD col, SS_COORD row, LPCTSTR text) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.setData(col, row, textOf(text))) return FALSE;
    dropEditOf(*g, col, row);
    return TRUE;
}

BOOL SSSetFloat(HWND hwnd, SS_COORD col, SS_COORD row, double value) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.setNumber(col, row, value)) return FALSE;
    dropEditOf(*g, col, row);
    return TRUE;
}

BOOL SSSetFormula(HWND hwnd, SS_COORD col, SS_COORD row, LPCTSTR formula, BOOL) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.setFormula(col, row, textOf(formula))) return FALSE;
    dropEditOf(*g, col, row);
    return TRUE;
}

BOOL SSSetCellTag(HWND hwnd, SS_COORD col, SS_COORD row, LPCTSTR tag) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.setTag(col, row, textOf(tag)) ? TRUE : FALSE;
}

BOOL SSClearData(HWND hwnd, SS_COORD col, SS_COORD row) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.clearData(col, row)) return FALSE;
    dropEditOf(*g, col, row);
    return TRUE;
}

BOOL SSClearDataRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    CellRange r = rangeOf(*g, col, row, col2, row2);
    if (!g->sheet.clearDataRange(r)) return FALSE;
    if (r.contains(g->activeCol, g->activeRow)) dropEditOf(*g, g->activeCol, g->activeRow);
    return TRUE;
}

int SSGetValueLen(HWND hwnd, SS_COORD col, SS_COORD row) { return textLength(hwnd, col, row, grid::TextKind::Value); }
int SSGetDataLen(HWND hwnd, SS_COORD col, SS_COORD row) { return textLength(hwnd, col, row, grid::TextKind::Data); }
int SSGetFormulaLen(HWND hwnd, SS_COORD col, SS_COORD row) {
    return textLength(hwnd, col, row, grid::TextKind::Formula);
}
int SSGetCellTagLen(HWND hwnd, SS_COORD col, SS_COORD row) { return textLength(hwnd, col, row, grid::TextKind::Tag); }

int SSGetValue(HWND hwnd, SS_COORD col, SS_COORD row, LPTSTR buffer, int bufferSize) {
    return readText(hwnd, col, row, grid::TextKind::Value, buffer, bufferSize);
}
int SSGetData(HWND hwnd, SS_COORD col, SS_COORD row, LPTSTR buffer, int bufferSize) {
    return readText(hwnd, col, row, grid::TextKind::Data, buffer, bufferSize);
}
int SSGetFormula(HWND hwnd, SS_COORD col, SS_COORD row, LPTSTR buffer, int bufferSize) {
    return readText(hwnd, col, row, grid::TextKind::Formula, buffer, bufferSize);
}
int SSGetCellTag(HWND hwnd, SS_COORD col, SS_COORD row, LPTSTR buffer, int bufferSize) {
    return readText(hwnd, col, row, grid::TextKind::Tag, buffer, bufferSize);
}

BOOL SSGetFloat(HWND hwnd, SS_COORD col, SS_COORD row, double* value) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.isInside(col, row)) return FALSE;
    grid::Value v = g->sheet.value(col, row);
    if (!v.isNumber()) return FALSE;
    if (value) *value = v.asNumber();
    return TRUE;
}

// ---- Calculation ------------------------------------------------------------------------------------

BOOL SSReCalc(HWND hwnd) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    g->sheet.recalc();
    return TRUE;
}

BOOL SSReCalcCell(HWND hwnd, SS_COORD col, SS_COORD row) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.recalcCell(col, row) ? TRUE : FALSE;
}

BOOL SSSetRefStyle(HWND hwnd, short style) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.setRefStyle(static_cast<grid::RefStyle>(style)) ? TRUE : FALSE;
}

short SSGetRefStyle(HWND hwnd) {
    GridWindow* g = GridWindow::from(hwnd);
    return g ? static_cast<short>(g->sheet.refStyle()) : 0;
}

BOOL SSAddCustomFunctionExt(HWND hwnd, LPCTSTR name, short minArgs, short maxArgs, SS_CALCFUNC callback, long flags) {
    if (!callback) return FALSE;
    grid::CustomCallback call = [callback](SS_VALUE& result, std::span<SS_VALUE> args) {
        return callback(&result, args.data(), static_cast<short>(args.size())) != FALSE;
    };
    return SSAddCustomFunctionExt(hwnd, name, minArgs, maxArgs, std::move(call), flags);
}

BOOL SSAddCustomFunctionExt(HWND hwnd, LPCTSTR name, short minArgs, short maxArgs, grid::CustomCallback callback,
                            long flags) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !callback) return FALSE;
    auto f = (flags & SS_CUSTFUNC_WANTCELLREF) ? grid::CustomFunctionFlags::ReferencesAsCells
                                               : grid::CustomFunctionFlags::None;
    return g->sheet.addCustomFunction(textOf(name), minArgs, maxArgs, std::move(callback), f) ? TRUE : FALSE;
}

// ---- Cell types ---------------------------------------------------------------------------------------

LPSS_CELLTYPE SSSetTypeEdit(HWND, LPSS_CELLTYPE cellType, long style, int maxLength) {
    return fill(cellType, grid::CellType::edit(static_cast<std::uint32_t>(style), std::max(0, maxLength)));
}

LPSS_CELLTYPE SSSetTypeNumber(HWND, LPSS_CELLTYPE cellType, long style, short decimals, double minimum, double maximum,
                              BOOL separator) {
    grid::CellType t = grid::CellType::number(decimals, minimum, maximum, static_cast<std::uint32_t>(style));
    t.separator = separator != FALSE;
    return fill(cellType, std::move(t));
}

LPSS_CELLTYPE SSSetTypeStaticText(HWND, LPSS_CELLTYPE cellType, long style) {
    return fill(cellType, grid::CellType::ofCode(CellTypeCode::StaticText, static_cast<std::uint32_t>(style)));
}

LPSS_CELLTYPE SSSetTypeComboBox(HWND, LPSS_CELLTYPE cellType, long style, LPCTSTR items) {
    grid::CellType t = grid::CellType::ofCode(CellTypeCode::ComboBox, static_cast<std::uint32_t>(style));
    t.items = textOf(items);
    return fill(cellType, std::move(t));
}

LPSS_CELLTYPE SSSetTypeCheckBox(HWND, LPSS_CELLTYPE cellType, long style, LPCTSTR caption, HBITMAP unchecked,
                                HBITMAP checked, HBITMAP focusUnchecked, HBITMAP focusChecked) {
    grid::CellType t = grid::CellType::ofCode(CellTypeCode::CheckBox, static_cast<std::uint32_t>(style));
    t.items = textOf(caption);
    // The pictures only matter to a renderer; the record keeps the handles so they read back. The
    // focused pictures are kept only when they differ from the normal ones.
    t.picture = handleText(unchecked);
    t.picture2 = handleText(checked);
    if ((focusUnchecked && focusUnchecked != unchecked) || (focusChecked && focusChecked != checked))
        t.picture += L";" + handleText(focusUnchecked) + L";" + handleText(focusChecked);
    return fill(cellType, std::move(t));
}

LPSS_CELLTYPE SSSetTypeButton(HWND, LPSS_CELLTYPE cellType, long style, LPCTSTR caption, HBITMAP picture) {
    grid::CellType t = grid::CellType::ofCode(CellTypeCode::Button, static_cast<std::uint32_t>(style));
    t.items = textOf(caption);
    t.picture = handleText(picture);
    return fill(cellType, std::move(t));
}

LPSS_CELLTYPE SSSetTypePicture(HWND, LPSS_CELLTYPE cellType, long style, LPCTSTR picture) {
    grid::CellType t = grid::CellType::ofCode(CellTypeCode::Picture, static_cast<std::uint32_t>(style));
    t.picture = textOf(picture);
    return fill(cellType, std::move(t));
}

LPSS_CELLTYPE SSSetTypePictureHandle(HWND hwnd, LPSS_CELLTYPE cellType, long style, HBITMAP picture,
                                     BOOL deleteHandle) {
    grid::CellType t = grid::CellType::ofCode(CellTypeCode::Picture, static_cast<std::uint32_t>(style));
    t.pictureHandle = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(picture));
    if (deleteHandle && picture) {
        GridWindow* g = GridWindow::from(hwnd);
        if (g && std::find(g->ownedPictures.begin(), g->ownedPictures.end(), picture) == g->ownedPictures.end())
            g->ownedPictures.push_back(picture);
    }
    return fill(cellType, std::move(t));
}

BOOL SSSetCellType(HWND hwnd, SS_COORD col, SS_COORD row, const SS_CELLTYPE* cellType) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !validType(cellType)) return FALSE;
    if (!g->sheet.setCellType(col, row, typeOf(cellType))) return FALSE;
    dropEditOf(*g, col, row);
    return TRUE;
}

BOOL SSSetCellTypeRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                        const SS_CELLTYPE* cellType) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !validType(cellType)) return FALSE;
    CellRange r{col, row, col2, row2};
    if (col != SS_HEADER && col2 != SS_HEADER) r.col1 = std::min(col, col2), r.col2 = std::max(col, col2);
    if (row != SS_HEADER && row2 != SS_HEADER) r.row1 = std::min(row, row2), r.row2 = std::max(row, row2);
    if (!g->sheet.setCellTypeRange(r, typeOf(cellType))) return FALSE;
    g->edit = {};
    g->combo = {};
    return TRUE;
}

BOOL SSGetCellType(HWND hwnd, SS_COORD col, SS_COORD row, LPSS_CELLTYPE cellType) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !cellType || !g->sheet.isInside(col, row)) return FALSE;
    fill(cellType, g->sheet.cellType(col, row));
    return TRUE;
}

// ---- Look ----------------------------------------------------------------------------------------------

BOOL SSSetLock(HWND hwnd, SS_COORD col, SS_COORD row, BOOL lock) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.setLock(col, row, lock != FALSE) ? TRUE : FALSE;
}

BOOL SSGetLock(HWND hwnd, SS_COORD col, SS_COORD row) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.isLocked(col, row) ? TRUE : FALSE;
}

BOOL SSSetLockRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, BOOL lock) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.setLockRange({col, row, col2, row2}, lock != FALSE) ? TRUE : FALSE;
}

BOOL SSSetLockColor(HWND hwnd, COLORREF background, COLORREF foreground) {
    return changeLook(hwnd, [&](grid::SheetLook& l) { l.lockBack = background, l.lockFore = foreground; });
}

BOOL SSGetLockColor(HWND hwnd, COLORREF* background, COLORREF* foreground) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    put(background, g->sheet.look().lockBack);
    put(foreground, g->sheet.look().lockFore);
    return TRUE;
}

BOOL SSSetColor(HWND hwnd, SS_COORD col, SS_COORD row, COLORREF background, COLORREF foreground) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.setColors(col, row, {background, foreground}) ? TRUE : FALSE;
}

BOOL SSGetColor(HWND hwnd, SS_COORD col, SS_COORD row, COLORREF* background, COLORREF* foreground) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.isInside(col, row)) return FALSE;
    grid::CellColors c = g->sheet.colors(col, row);
    put(background, c.back);
    put(foreground, c.fore);
    return TRUE;
}

BOOL SSSetColorRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, COLORREF background,
                     COLORREF foreground) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.setColorsRange({col, row, col2, row2}, {background, foreground}) ? TRUE : FALSE;
}

BOOL SSSetBackColorStyle(HWND hwnd, WORD style) {
    return changeLook(hwnd, [&](grid::SheetLook& l) { l.backColorStyle = style; });
}
WORD SSGetBackColorStyle(HWND hwnd) {
    return readLook(hwnd, [](const grid::SheetLook& l) { return static_cast<WORD>(l.backColorStyle); });
}

BOOL SSSetGrayAreaColor(HWND hwnd, COLORREF background, COLORREF foreground) {
    return changeLook(hwnd, [&](grid::SheetLook& l) { l.grayBack = background, l.grayFore = foreground; });
}

BOOL SSGetGrayAreaColor(HWND hwnd, COLORREF* background, COLORREF* foreground) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    put(background, g->sheet.look().grayBack);
    put(foreground, g->sheet.look().grayFore);
    return TRUE;
}

BOOL SSSetSelColor(HWND hwnd, COLORREF background, COLORREF foreground) {
    return changeLook(hwnd, [&](grid::SheetLook& l) { l.selectionBack = background, l.selectionFore = foreground; });
}

BOOL SSGetSelColor(HWND hwnd, COLORREF* background, COLORREF* foreground) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    put(background, g->sheet.look().selectionBack);
    put(foreground, g->sheet.look().selectionFore);
    return TRUE;
}

BOOL SSSetGridColor(HWND hwnd, COLORREF color) {
    return changeLook(hwnd, [&](grid::SheetLook& l) { l.gridColor = color; });
}
COLORREF SSGetGridColor(HWND hwnd) {
    return readLook(hwnd, [](const grid::SheetLook& l) { return static_cast<COLORREF>(l.gridColor); });
}
BOOL SSSetGridType(HWND hwnd, WORD type) {
    return changeLook(hwnd, [&](grid::SheetLook& l) { l.gridType = type; });
}
WORD SSGetGridType(HWND hwnd) {
    return readLook(hwnd, [](const grid::SheetLook& l) { return static_cast<WORD>(l.gridType); });
}

BOOL SSSetBorder(HWND hwnd, SS_COORD col, SS_COORD row, WORD type, WORD style, COLORREF color) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.setBorder(col, row, {type, style, color}) ? TRUE : FALSE;
}

BOOL SSGetBorder(HWND hwnd, SS_COORD col, SS_COORD row, WORD* type, WORD* style, COLORREF* color) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.isInside(col, row)) return FALSE;
    grid::CellBorder b = g->sheet.border(col, row);
    if (type) *type = static_cast<WORD>(b.sides);
    if (style) *style = static_cast<WORD>(b.style);
    put(color, b.color);
    return TRUE;
}

BOOL SSSetBorderRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, WORD type, WORD style,
                      COLORREF color) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.setBorderRange({col, row, col2, row2}, {type, style, color}) ? TRUE : FALSE;
}

BOOL SSSetFont(HWND hwnd, SS_COORD col, SS_COORD row, HFONT font, BOOL) {
    GridWindow* g = GridWindow::from(hwnd);
    const LOGFONT* lf = ui::gdi::font(font);
    return g && lf && g->sheet.setFont(col, row, cellFontOf(*lf)) ? TRUE : FALSE;
}

BOOL SSSetFontRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, HFONT font, BOOL) {
    GridWindow* g = GridWindow::from(hwnd);
    const LOGFONT* lf = ui::gdi::font(font);
    return g && lf && g->sheet.setFontRange({col, row, col2, row2}, cellFontOf(*lf)) ? TRUE : FALSE;
}

HFONT SSGetFont(HWND hwnd, SS_COORD col, SS_COORD row) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.isInside(col, row)) return nullptr;
    return g->fontHandle(g->sheet.font(col, row));
}

BOOL SSSetAppearance(HWND hwnd, WORD appearance) {
    return changeLook(hwnd, [&](grid::SheetLook& l) { l.appearance = appearance; });
}
WORD SSGetAppearance(HWND hwnd) {
    return readLook(hwnd, [](const grid::SheetLook& l) { return static_cast<WORD>(l.appearance); });
}

BOOL SSSetCursor(HWND hwnd, WORD type, HCURSOR cursor) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    auto it = std::find_if(g->cursors.begin(), g->cursors.end(), [&](const auto& c) { return c.first == type; });
    if (it != g->cursors.end()) it->second = cursor;
    else g->cursors.emplace_back(type, cursor);
    // The sheet keeps the last setting so that it travels with the sheet's files.
    grid::SheetLook look = g->sheet.look();
    look.cursorType = type;
    look.cursorValue = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(cursor));
    g->sheet.setLook(look);
    return TRUE;
}

HCURSOR SSGetCursor(HWND hwnd, WORD type) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return nullptr;
    for (const auto& [t, c] : g->cursors)
        if (t == type) return c;
    return nullptr;
}

BOOL SSSetTextTip(HWND hwnd, WORD mode, long delay, const LOGFONT* font, COLORREF background, COLORREF foreground) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    if (font) g->tipFont = *font;
    return changeLook(hwnd, [&](grid::SheetLook& l) {
        l.textTipMode = mode;
        l.textTipDelay = static_cast<std::int32_t>(delay);
        l.textTipBack = background;
        l.textTipFore = foreground;
    });
}

BOOL SSGetTextTip(HWND hwnd, WORD* mode, long* delay, LOGFONT* font, COLORREF* background, COLORREF* foreground) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    const grid::SheetLook& l = g->sheet.look();
    if (mode) *mode = static_cast<WORD>(l.textTipMode);
    if (delay) *delay = l.textTipDelay;
    if (font) *font = g->tipFont;
    put(background, l.textTipBack);
    put(foreground, l.textTipFore);
    return TRUE;
}

BOOL SSSetCellNoteIndicator(HWND hwnd, WORD indicator) {
    return changeLook(hwnd, [&](grid::SheetLook& l) { l.cellNoteIndicator = indicator; });
}
WORD SSGetCellNoteIndicator(HWND hwnd) {
    return readLook(hwnd, [](const grid::SheetLook& l) { return static_cast<WORD>(l.cellNoteIndicator); });
}

BOOL SSSetAutoSizeVisible(HWND hwnd, SS_COORD visibleCols, SS_COORD visibleRows) {
    if (visibleCols < 0 || visibleRows < 0) return FALSE;
    return changeLook(hwnd, [&](grid::SheetLook& l) {
        l.autoSizeVisibleCols = visibleCols;
        l.autoSizeVisibleRows = visibleRows;
    });
}

BOOL SSGetAutoSizeVisible(HWND hwnd, SS_COORD* visibleCols, SS_COORD* visibleRows) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    if (visibleCols) *visibleCols = g->sheet.look().autoSizeVisibleCols;
    if (visibleRows) *visibleRows = g->sheet.look().autoSizeVisibleRows;
    return TRUE;
}

BOOL SSSetUnitType(HWND hwnd, WORD unitType) {
    return changeLook(hwnd, [&](grid::SheetLook& l) { l.unitType = unitType; });
}
WORD SSGetUnitType(HWND hwnd) {
    return readLook(hwnd, [](const grid::SheetLook& l) { return static_cast<WORD>(l.unitType); });
}

BOOL SSSetBool(HWND hwnd, short index, BOOL on) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    bool old = g->sheet.getBool(index);
    g->sheet.setBool(index, on != FALSE);
    if (index == SSB_REDRAW)
        if (ui::Window* w = ui::windowFromHandle(hwnd)) w->redraw = on != FALSE;
    return old ? TRUE : FALSE;
}

BOOL SSGetBool(HWND hwnd, short index) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.getBool(index) ? TRUE : FALSE;
}

// ---- Size -----------------------------------------------------------------------------------------------

BOOL SSSetMaxRows(HWND hwnd, SS_COORD rows) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.setMaxRows(rows)) return FALSE;
    settle(*g);
    return TRUE;
}

SS_COORD SSGetMaxRows(HWND hwnd) {
    GridWindow* g = GridWindow::from(hwnd);
    return g ? g->sheet.maxRows() : -1;
}

BOOL SSSetMaxCols(HWND hwnd, SS_COORD cols) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.setMaxCols(cols)) return FALSE;
    settle(*g);
    return TRUE;
}

SS_COORD SSGetMaxCols(HWND hwnd) {
    GridWindow* g = GridWindow::from(hwnd);
    return g ? g->sheet.maxCols() : -1;
}

BOOL SSSetColWidth(HWND hwnd, SS_COORD col, double width) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.setColWidth(col, width) ? TRUE : FALSE;
}

BOOL SSGetColWidth(HWND hwnd, SS_COORD col, double* width) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.isInside(col, 0)) return FALSE;
    if (width) *width = g->sheet.colWidth(col);
    return TRUE;
}

BOOL SSSetColWidthInPixels(HWND hwnd, SS_COORD col, int pixels) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.setColWidthInPixels(col, pixels) ? TRUE : FALSE;
}

BOOL SSGetColWidthInPixels(HWND hwnd, SS_COORD col, int* pixels) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.isInside(col, 0)) return FALSE;
    if (pixels) *pixels = g->sheet.colWidthInPixels(col);
    return TRUE;
}

BOOL SSSetRowHeight(HWND hwnd, SS_COORD row, double height) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.setRowHeight(row, height) ? TRUE : FALSE;
}

BOOL SSGetRowHeight(HWND hwnd, SS_COORD row, double* height) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.isInside(0, row)) return FALSE;
    if (height) *height = g->sheet.rowHeight(row);
    return TRUE;
}

BOOL SSSetRowHeightInPixels(HWND hwnd, SS_COORD row, int pixels) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.setRowHeightInPixels(row, pixels) ? TRUE : FALSE;
}

BOOL SSGetRowHeightInPixels(HWND hwnd, SS_COORD row, int* pixels) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.isInside(0, row)) return FALSE;
    if (pixels) *pixels = g->sheet.rowHeightInPixels(row);
    return TRUE;
}

BOOL SSGetMaxTextCellSize(HWND hwnd, SS_COORD col, SS_COORD row, double* width, double* height) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.isInside(col, row)) return FALSE;
    auto [w, h] = cellTextSize(*g, col, row);
    if (width) *width = w;
    if (height) *height = h;
    return TRUE;
}

BOOL SSGetMaxTextColWidth(HWND hwnd, SS_COORD col, double* width) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.isInside(col, 0)) return FALSE;
    double widest = 0;
    for (SS_COORD row = 0; row <= g->sheet.maxRows(); ++row) widest = std::max(widest, cellTextSize(*g, col, row).first);
    if (width) *width = widest;
    return TRUE;
}

BOOL SSGetMaxTextRowHeight(HWND hwnd, SS_COORD row, double* height) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.isInside(0, row)) return FALSE;
    double tallest = 0;
    for (SS_COORD col = 0; col <= g->sheet.maxCols(); ++col)
        tallest = std::max(tallest, cellTextSize(*g, col, row).second);
    if (height) *height = tallest;
    return TRUE;
}

BOOL SSGetClientRect(HWND hwnd, LPRECT rect) {
    ui::Window* w = ui::windowFromHandle(hwnd);
    if (!GridWindow::from(hwnd) || !rect) return FALSE;
    *rect = w->clientRect();
    return TRUE;
}

BOOL SSGetScrollBarSize(HWND hwnd, int* verticalWidth, int* horizontalHeight) {
    if (!GridWindow::from(hwnd)) return FALSE;
    if (verticalWidth) *verticalWidth = SS_SCROLLBAR_SIZE;
    if (horizontalHeight) *horizontalHeight = SS_SCROLLBAR_SIZE;
    return TRUE;
}

BOOL SSGetCellRect(HWND hwnd, SS_COORD col, SS_COORD row, LPRECT rect) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    auto r = g->cellRect(hwnd, col, row);
    if (!r) return FALSE;
    if (rect) *rect = *r;
    return TRUE;
}

BOOL SSShowCell(HWND hwnd, SS_COORD col, SS_COORD row) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g || !g->sheet.isInside(col, row)) return FALSE;
    g->showCell(hwnd, col, row);
    return TRUE;
}

BOOL SSGetTopLeftCell(HWND hwnd, SS_COORD* col, SS_COORD* row) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    if (col) *col = g->leftCol;
    if (row) *row = g->topRow;
    return TRUE;
}

// ---- Structure ----------------------------------------------------------------------------------------

BOOL SSAddCellSpan(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD numCols, SS_COORD numRows) {
    GridWindow* g = GridWindow::from(hwnd);
    return g && g->sheet.addSpan(col, row, numCols, numRows) ? TRUE : FALSE;
}

BOOL SSRemoveCellSpan(HWND hwnd, SS_COORD col, SS_COORD row) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    auto span = g->sheet.spanAt(col, row);
    return span && g->sheet.removeSpan(span->col1, span->row1) ? TRUE : FALSE;
}

int SSGetCellSpan(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD* anchorCol, SS_COORD* anchorRow, SS_COORD* numCols,
                  SS_COORD* numRows) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return SS_SPAN_NO;
    auto span = g->sheet.spanAt(col, row);
    if (!span) return SS_SPAN_NO;
    if (anchorCol) *anchorCol = span->col1;
    if (anchorRow) *anchorRow = span->row1;
    if (numCols) *numCols = span->columns();
    if (numRows) *numRows = span->rows();
    return span->col1 == col && span->row1 == row ? SS_SPAN_ANCHOR : SS_SPAN_YES;
}

namespace {
template <class Change>
BOOL structural(HWND hwnd, Change change) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    // The cell under an edit may move away: the edit ends first, as a click elsewhere would end it.
    g->endEdit(hwnd, true);
    g = GridWindow::from(hwnd);
    if (!g || !change(g->sheet)) return FALSE;
    settle(*g);
    return TRUE;
}
}  // namespace

BOOL SSInsRow(HWND hwnd, SS_COORD row) {
    return structural(hwnd, [&](grid::Sheet& s) { return s.insertRows(row, 1); });
}
BOOL SSDelRow(HWND hwnd, SS_COORD row) {
    return structural(hwnd, [&](grid::Sheet& s) { return s.deleteRows(row, 1); });
}
BOOL SSInsCol(HWND hwnd, SS_COORD col) {
    return structural(hwnd, [&](grid::Sheet& s) { return s.insertCols(col, 1); });
}
BOOL SSDelCol(HWND hwnd, SS_COORD col) {
    return structural(hwnd, [&](grid::Sheet& s) { return s.deleteCols(col, 1); });
}

BOOL SSCopyRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, SS_COORD destCol,
                 SS_COORD destRow) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    CellRange r = rangeOf(*g, col, row, col2, row2);
    if (destCol == SS_HEADER) destCol = r.col1;
    if (destRow == SS_HEADER) destRow = r.row1;
    return structural(hwnd, [&](grid::Sheet& s) { return s.copyRange(r, destCol, destRow); });
}

BOOL SSSwapRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, SS_COORD destCol,
                 SS_COORD destRow) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    CellRange r = rangeOf(*g, col, row, col2, row2);
    if (destCol == SS_HEADER) destCol = r.col1;
    if (destRow == SS_HEADER) destRow = r.row1;
    return structural(hwnd, [&](grid::Sheet& s) { return s.swapRange(r, destCol, destRow); });
}

BOOL SSReset(HWND hwnd) {
    GridWindow* g = GridWindow::from(hwnd);
    if (!g) return FALSE;
    g->sheet.reset();
    g->edit = {};
    g->combo = {};
    g->block.reset();
    g->activeCol = g->activeRow = 1;
    g->leftCol = g->topRow = 1;
    g->sendingCol = g->sendingRow = 0;
    return TRUE;
}

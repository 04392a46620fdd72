// Mx_Spread: cell types, typed reading and writing of cells, rows and columns, locking and selection.
#include <cwchar>  // wcstol, wcstod
#include <string>

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/GdiObjects.h"
#include "platform/mfc/Resources.h"
#include "spread/Mx_Spread.h"
#include "spread/SpreadRedrawGuard.h"

namespace {

constexpr long kTextStyle = 0x110000;
constexpr int kTextMaxLength = 200;
constexpr long kNumberStyle = 0x10000000;
constexpr double kNumberLimit = 99999999999999.0;
constexpr long kCheckBoxStyle = 768;
constexpr long kPictureStyle = 0x210004;

std::wstring joinItems(const Mx_StringArray& items) {
    std::wstring joined;
    for (int i = 0; i < items.length(); ++i) {
        if (i > 0) joined += L'\t';
        joined += items[i].str();
    }
    return joined;
}

// Leading-number conversion, as the C library reads numbers: "12abc" is 12, "abc" is 0.
int leadingInt(const Mx_String& text) {
    double value = std::wcstod(text.c_str(), nullptr);
    if (!(value > -2147483648.0)) return value < 0 ? INT32_MIN : 0;  // NaN reads 0
    if (value >= 2147483647.0) return INT32_MAX;
    return static_cast<int>(value);
}

double leadingDouble(const Mx_String& text) { return std::wcstod(text.c_str(), nullptr); }

Mx_String twoDecimals(double value) { return Mx_String(value, 2, false); }

}  // namespace

// ---- Raw text access ------------------------------------------------------------------------------------

bool Mx_Spread::readText(int col, int row, int kind, Mx_String& text) {
    int length = -1;
    switch (kind) {
    case kData: length = GetDataLen(col, row); break;
    case kFormula: length = GetFormulaLen(col, row); break;
    case kTag: length = GetCellTagLen(col, row); break;
    case kValue: length = GetValueLen(col, row); break;
    default: return false;
    }
    if (length < 0) return false;
    text.clear();
    if (length == 0) return true;
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    int got = 0;
    switch (kind) {
    case kData: got = GetData(col, row, buffer.data(), length + 1); break;
    case kFormula: got = GetFormula(col, row, buffer.data(), length + 1); break;
    case kTag: got = GetCellTag(col, row, buffer.data(), length + 1); break;
    default: got = GetValue(col, row, buffer.data(), length + 1); break;
    }
    buffer.resize(static_cast<std::size_t>(std::max(got, 0)));
    text = std::move(buffer);
    return true;
}

bool Mx_Spread::writeText(int col, int row, const Mx_String& text, bool asValue) {
    return (asValue ? SetValue(col, row, text.c_str()) : SetData(col, row, text.c_str())) != FALSE;
}

bool Mx_Spread::getCellText(int col, int row, Mx_String& text, int kind) {
    if (!validColOrHeader(col) || !validRowOrHeader(row)) return false;
    return readText(toGridIndex(col), toGridIndex(row), kind, text);
}

bool Mx_Spread::setCellText(int col, int row, const Mx_String& text, bool asValue) {
    if (!validColOrHeader(col) || !validRowOrHeader(row)) return false;
    return writeText(toGridIndex(col), toGridIndex(row), text, asValue);
}

bool Mx_Spread::setCellInt(int col, int row, int value) {
    if (!created_) return false;
    return SetValue(col, row, std::to_wstring(value).c_str()) != FALSE;
}

bool Mx_Spread::setCellDouble(int col, int row, double value) {
    if (!created_) return false;
    return SetData(col, row, twoDecimals(value).c_str()) != FALSE;
}

bool Mx_Spread::getCellInt(int col, int row, int& value) {
    Mx_String text;
    if (!getCellText(col, row, text, kValue)) return false;
    value = leadingInt(text);
    return true;
}

bool Mx_Spread::getCellDouble(int col, int row, double& value) {
    Mx_String text;
    if (!getCellText(col, row, text, kValue)) return false;
    value = leadingDouble(text);
    return true;
}

// ---- Column and row transfer ---------------------------------------------------------------------------
// Each transfer starts at row (or column) 1 and stops at the sheet's end or the array's end.

bool Mx_Spread::setColumnTexts(int col, const Mx_StringArray& texts, bool asValue) {
    if (!validColOrHeader(col)) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    int n = std::min(GetMaxRows(), texts.length());
    for (int row = 1; row <= n; ++row)
        if (!writeText(toGridIndex(col), row, texts[row - 1], asValue)) return false;
    return true;
}

bool Mx_Spread::setColumnInts(int col, const std::vector<int>& values) {
    if (!validColOrHeader(col)) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    int n = std::min(GetMaxRows(), static_cast<int>(values.size()));
    for (int row = 1; row <= n; ++row)
        if (!SetData(toGridIndex(col), row, std::to_wstring(values[row - 1]).c_str())) return false;
    return true;
}

bool Mx_Spread::setColumnDoubles(int col, const std::vector<double>& values) {
    if (!validColOrHeader(col)) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    int n = std::min(GetMaxRows(), static_cast<int>(values.size()));
    for (int row = 1; row <= n; ++row)
        if (!SetData(toGridIndex(col), row, twoDecimals(values[row - 1]).c_str())) return false;
    return true;
}

bool Mx_Spread::setColumnBools(int col, const std::vector<bool>& values) {
    if (!validColOrHeader(col)) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    int n = std::min(GetMaxRows(), static_cast<int>(values.size()));
    for (int row = 1; row <= n; ++row)
        if (!SetData(toGridIndex(col), row, values[row - 1] ? L"1" : L"0")) return false;
    return true;
}

bool Mx_Spread::setColumnRowNumbers(int col, const std::vector<int>& rows) {
    if (!validColOrHeader(col)) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    int maxRows = GetMaxRows();
    int n = std::min(maxRows, static_cast<int>(rows.size()));
    for (int row = 1; row <= n; ++row) {
        int number = rows[row - 1];
        if (number < 0 || number > maxRows) number = 0;
        if (!SetData(toGridIndex(col), row, std::to_wstring(number).c_str())) return false;
    }
    return true;
}

bool Mx_Spread::setRowTexts(int row, const Mx_StringArray& texts, bool asValue) {
    if (!validRowOrHeader(row)) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    int n = std::min(GetMaxCols(), texts.length());
    for (int col = 1; col <= n; ++col)
        if (!writeText(col, toGridIndex(row), texts[col - 1], asValue)) return false;
    return true;
}

bool Mx_Spread::getColumnTexts(int col, Mx_StringArray& texts, int kind) {
    if (!validColOrHeader(col)) return false;
    texts.removeAll();
    int rows = GetMaxRows();
    texts.reserve(rows);
    Mx_String text;
    for (int row = 1; row <= rows; ++row) {
        if (!readText(toGridIndex(col), row, kind, text)) return false;
        texts.append(std::move(text));
    }
    return true;
}

bool Mx_Spread::getColumnInts(int col, std::vector<int>& values) {
    Mx_StringArray texts;
    if (!getColumnTexts(col, texts, kValue)) return false;
    values.clear();
    values.reserve(static_cast<std::size_t>(texts.length()));
    for (const Mx_String& text : texts.items()) values.push_back(leadingInt(text));
    return true;
}

bool Mx_Spread::getColumnDoubles(int col, std::vector<double>& values) {
    Mx_StringArray texts;
    if (!getColumnTexts(col, texts, kValue)) return false;
    values.clear();
    values.reserve(static_cast<std::size_t>(texts.length()));
    for (const Mx_String& text : texts.items()) values.push_back(leadingDouble(text));
    return true;
}

bool Mx_Spread::getColumnBools(int col, std::vector<bool>& values) {
    Mx_StringArray texts;
    if (!getColumnTexts(col, texts, kValue)) return false;
    values.clear();
    values.reserve(static_cast<std::size_t>(texts.length()));
    for (const Mx_String& text : texts.items()) values.push_back(text.equal(L"1"));
    return true;
}

bool Mx_Spread::getRowTexts(int row, Mx_StringArray& texts) {
    if (!validRowOrHeader(row)) return false;
    texts.removeAll();
    int cols = GetMaxCols();
    texts.reserve(cols);
    Mx_String text;
    for (int col = 1; col <= cols; ++col) {
        if (!readText(col, toGridIndex(row), kValue, text)) return false;
        texts.append(std::move(text));
    }
    return true;
}

bool Mx_Spread::getAllRows(std::vector<Mx_StringArray>& rows) {
    if (!created_) return false;
    rows.clear();
    int count = GetMaxRows();
    rows.resize(static_cast<std::size_t>(count));
    for (int row = 1; row <= count; ++row)
        if (!getRowTexts(row, rows[static_cast<std::size_t>(row - 1)])) return false;
    return true;
}

bool Mx_Spread::clearRow(int row) {
    if (!validRowOrHeader(row)) return false;
    int cols = GetMaxCols();
    for (int col = 1; col <= cols; ++col) SetValue(col, toGridIndex(row), L"");
    return true;
}

bool Mx_Spread::clearRows(int from, int to) {
    if (!validRowOrHeader(from) || !validRowOrHeader(to)) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    for (int row = std::min(from, to); row <= std::max(from, to); ++row) clearRow(row);
    return true;
}

bool Mx_Spread::fillColumnPairs(const Mx_StringArray& names, const std::vector<bool>& flags, int row) {
    if (!validRowOrHeader(row)) return false;
    int cols = GetMaxCols();
    for (int i = 0; i < names.length() && 2 * i + 2 <= cols; ++i) {
        SetData(2 * i + 2, toGridIndex(row), names[i].c_str());
        if (static_cast<std::size_t>(i) < flags.size())
            SetData(2 * i + 1, toGridIndex(row), flags[static_cast<std::size_t>(i)] ? L"1" : L"0");
    }
    return true;
}

// ---- Cell types ---------------------------------------------------------------------------------------------

bool Mx_Spread::setEditCells(int col1, int row1, int col2, int row2, long style, int maxLength) {
    if (!created_) return false;
    SS_CELLTYPE type;
    SetTypeEdit(&type, style, maxLength);
    return SetCellTypeRange(col1, row1, col2, row2, &type) != FALSE;
}

bool Mx_Spread::setTextCells(int col1, int row1, int col2, int row2) {
    return setEditCells(col1, row1, col2, row2, kTextStyle, kTextMaxLength);
}

bool Mx_Spread::setTextCell(int col, int row) { return setTextCells(col, row, col, row); }

bool Mx_Spread::setNumberCells(int col1, int row1, int col2, int row2, int decimals, bool flag) {
    if (!created_) return false;
    SS_CELLTYPE type;
    long style = kNumberStyle | (flag ? 0x400000 : 0x100000);
    SetTypeNumber(&type, style, static_cast<short>(decimals), -kNumberLimit, kNumberLimit, FALSE);
    return SetCellTypeRange(col1, row1, col2, row2, &type) != FALSE;
}

bool Mx_Spread::setNumberCell(int col, int row, int decimals, bool flag) {
    return setNumberCells(col, row, col, row, decimals, flag);
}

bool Mx_Spread::setStaticTextCell(int col, int row, long style) {
    if (!created_) return false;
    SS_CELLTYPE type;
    SetTypeStaticText(&type, style);
    return SetCellType(col, row, &type) != FALSE;
}

bool Mx_Spread::setStaticTextColumn(int col, long style) {
    if (!validCol(col)) return false;
    SS_CELLTYPE type;
    SetTypeStaticText(&type, style);
    return SetCellTypeRange(col, 0, col, GetMaxRows(), &type) != FALSE;
}

bool Mx_Spread::setComboCells(int col1, int row1, int col2, int row2, const Mx_StringArray& items, bool flag) {
    if (!created_) return false;
    SS_CELLTYPE type;
    std::wstring joined = joinItems(items);
    SetTypeComboBox(&type, 0x100000 | (flag ? 2 : 0), joined.c_str());
    return SetCellTypeRange(col1, row1, col2, row2, &type) != FALSE;
}

bool Mx_Spread::setComboCell(int col, int row, const Mx_StringArray& items, bool flag) {
    return setComboCells(col, row, col, row, items, flag);
}

bool Mx_Spread::setComboColumn(int col, const Mx_StringArray& items, bool flag) {
    if (!validCol(col)) return false;
    int rows = GetMaxRows();
    if (rows < 1) return true;
    return setComboCells(col, 1, col, rows, items, flag);
}

bool Mx_Spread::checkBoxType(SS_CELLTYPE& type) {
    HBITMAP unchecked = uncheckedPicture(), checked = checkedPicture();
    SetTypeCheckBox(&type, kCheckBoxStyle, L"", unchecked, checked, unchecked, checked);
    return true;
}

bool Mx_Spread::setCheckBoxColumn(int col, bool withBorder, bool spanHeader) {
    if (!validCol(col)) return false;
    int rows = GetMaxRows();
    SS_CELLTYPE type;
    checkBoxType(type);
    if (rows > 0) {
        if (!SetCellTypeRange(col, 1, col, rows, &type)) return false;
        if (withBorder) SetBorderRange(col, 1, col, rows, 2, 6, 0);
    }
    if (spanHeader) AddCellSpan(col, SS_HEADER, 2, 1);
    return true;
}

bool Mx_Spread::setCheckBoxCell(int col, int row, bool withBorder) {
    if (!created_) return false;
    SS_CELLTYPE type;
    checkBoxType(type);
    if (!SetCellType(col, row, &type)) return false;
    if (withBorder) SetBorder(col, row, 2, 6, 0);
    return true;
}

bool Mx_Spread::setButtonColumn(int col, const Mx_String& caption, bool spanHeader) {
    if (!validCol(col)) return false;
    int rows = GetMaxRows();
    SS_CELLTYPE type;
    SetTypeButton(&type, 0, caption.c_str());
    if (rows > 0 && !SetCellTypeRange(col, 1, col, rows, &type)) return false;
    if (spanHeader && col > 1) AddCellSpan(col - 1, SS_HEADER, 2, 1);
    setChanged();
    return true;
}

bool Mx_Spread::setButtonCell(int col, int row, const Mx_String& caption) {
    if (!created_) return false;
    SS_CELLTYPE type;
    SetTypeButton(&type, 0, caption.c_str());
    if (!SetCellType(col, row, &type)) return false;
    setChanged();
    return true;
}

bool Mx_Spread::setPictureCell(int col, int row, int resourceId, bool isIcon) {
    if (!created_) return false;
    HBITMAP picture = nullptr;
    if (isIcon) {
        // The grid shows bitmaps; an icon's picture becomes one.
        HICON icon = LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(resourceId));
        if (auto image = ui::gdi::icon(icon)) picture = ui::gdi::addBitmap(image);
        if (icon) DestroyIcon(icon);
    } else {
        picture = LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(resourceId));
    }
    if (!picture) return false;
    SS_CELLTYPE type;
    // The grid deletes the picture with the window.
    SetTypePictureHandle(&type, kPictureStyle | (isIcon ? 0x1000 : 0x20), picture, TRUE);
    return SetCellType(col, row, &type) != FALSE;
}

bool Mx_Spread::addPictureRow(const Mx_String& imageFile, int col, int row, int& addedRows) {
    if (!validCol(col) || !validRow(row)) return false;
    HANDLE image = LoadImage(nullptr, imageFile.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!image) return false;
    BITMAP info;
    GetObject(image, sizeof info, &info);
    DeleteObject(image);
    addedRows = 0;
    SetRowHeightInPixels(row, static_cast<int>(info.bmHeight));
    // NOTE: the span runs to the sheet's last column; a span of max-columns columns from a column
    // other than the first would leave the sheet, which the grid refuses.
    int cols = GetMaxCols();
    if (cols - col + 1 > 1) AddCellSpan(col, row, cols - col + 1, 1);
    if (col > 1) SetBorder(col - 1, row, 18, 6, 0x8000000B);
    SS_CELLTYPE type;
    SetTypePicture(&type, 36, imageFile.c_str());
    return SetCellType(col, row, &type) != FALSE;
}

int Mx_Spread::getCellType(int col, int row) {
    if (!created_) return -1;
    SS_CELLTYPE type;
    if (!GetCellType(col, row, &type)) return -1;
    return type.Type;
}

// ---- Locking and selection -------------------------------------------------------------------------------

bool Mx_Spread::setLock(int col, int row, bool locked) {
    if (!created_) return false;
    return SetLock(col, row, locked ? TRUE : FALSE) != FALSE;
}

bool Mx_Spread::lockColumn(int col) {
    if (!validCol(col)) return false;
    int rows = GetMaxRows();
    return rows < 1 || SetLockRange(col, 1, col, rows, TRUE) != FALSE;
}

bool Mx_Spread::isLocked(int col, int row) {
    if (!created_) return false;
    return GetLock(col, row) != FALSE;
}

bool Mx_Spread::getActiveCell(int& col, int& row) {
    if (!created_) return false;
    SS_COORD c = 0, r = 0;
    if (!GetActiveCell(&c, &r) || c < 1 || r < 1) {
        col = row = 1;
        SetActiveCell(1, 1);
        return true;
    }
    col = c;
    row = r;
    return true;
}

bool Mx_Spread::getSelection(int& col1, int& row1, int& col2, int& row2) {
    if (!created_) return false;
    SS_COORD c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (GetSelectBlock(&c1, &r1, &c2, &r2)) {
        col1 = c1;
        row1 = r1;
        col2 = c2;
        row2 = r2;
        return true;
    }
    getActiveCell(col1, row1);
    col2 = col1;
    row2 = row1;
    return true;
}

int Mx_Spread::selectedCol() {
    int col = -1, row = -1;
    return getActiveCell(col, row) ? col : -1;
}

int Mx_Spread::selectedRow() {
    int col = -1, row = -1;
    return getActiveCell(col, row) ? row : -1;
}

bool Mx_Spread::selectBlock(int col1, int row1, int col2, int row2) {
    if (!created_) return false;
    return SetSelectBlock(col1, row1, col2, row2) != FALSE;
}

bool Mx_Spread::selectColumn(int col) {
    if (!validCol(col)) return false;
    return SetSelectBlock(col, 1, col, std::max(GetMaxRows(), 1)) != FALSE;
}

bool Mx_Spread::getEditSelection(int& start, int& end) {
    if (!created_ || !GetEditMode()) return false;
    int s = 0, e = 0;
    if (!GetSel(&s, &e)) return false;
    start = s;
    end = e;
    return true;
}

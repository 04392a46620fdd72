// Mx_Spread: automatic sizing and the column width policies applied after each resize.
#include <algorithm>

#include "spread/Mx_Spread.h"
#include "spread/SpreadRedrawGuard.h"

namespace {
constexpr long kHeaderStaticStyle = 140;
}

// ---- Automatic sizing -----------------------------------------------------------------------------------

bool Mx_Spread::autoSizeColumn(int col, bool skipType8) {
    if (!validColOrHeader(col)) return false;
    int gridCol = toGridIndex(col);
    double widest = 0;
    if (!skipType8) {
        if (!GetMaxTextColWidth(gridCol, &widest)) return false;
    } else {
        int rows = GetMaxRows();
        for (int row = 0; row <= rows; ++row) {
            int gridRow = toGridIndex(row);
            if (getCellType(gridCol, gridRow) == SS_TYPE_PICTURE) continue;
            double width = 0, height = 0;
            if (GetMaxTextCellSize(gridCol, gridRow, &width, &height)) widest = std::max(widest, width);
        }
    }
    return SetColWidth(gridCol, widest) != FALSE;
}

bool Mx_Spread::autoSizeRow(int row) {
    if (!validRowOrHeader(row)) return false;
    double tallest = 0;
    if (!GetMaxTextRowHeight(toGridIndex(row), &tallest)) return false;
    return SetRowHeight(toGridIndex(row), tallest) != FALSE;
}

bool Mx_Spread::autoSizeColumns(bool skipType8) {
    if (!created_) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    int cols = GetMaxCols();
    if (cols > 0) {
        SS_CELLTYPE type;
        SetTypeStaticText(&type, kHeaderStaticStyle);
        SetCellTypeRange(1, 0, cols, 0, &type);
    }
    for (int col = 1; col <= cols; ++col) autoSizeColumn(col, skipType8);
    return true;
}

bool Mx_Spread::autoSizeRows() {
    if (!created_) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    int rows = GetMaxRows();
    if (rows > 0) {
        SS_CELLTYPE type;
        SetTypeStaticText(&type, kHeaderStaticStyle);
        SetCellTypeRange(0, 1, 0, rows, &type);
    }
    for (int row = 1; row <= rows; ++row) autoSizeRow(row);
    return true;
}

bool Mx_Spread::autoSizeAll() {
    if (!autoSizeColumns(false) || !autoSizeRows()) return false;
    autoSizeRow(SS_HEADER);
    autoSizeColumn(SS_HEADER, false);
    return true;
}

int Mx_Spread::totalColumnWidth() {
    if (!created_) return -1;
    int total = 0, cols = GetMaxCols();
    for (int col = 0; col <= cols; ++col) {
        int pixels = 0;
        if (GetColWidthInPixels(toGridIndex(col), &pixels)) total += pixels;
    }
    return total;
}

bool Mx_Spread::stretchColumn(int col) {
    if (!validColOrHeader(col)) return false;
    RECT client{};
    GetSSClientRect(&client);
    int scrollWidth = 0, scrollHeight = 0;
    GetScrollBarSize(&scrollWidth, &scrollHeight);
    int extra = (client.right - client.left) - scrollWidth - totalColumnWidth();
    if (extra <= 0) return true;
    int pixels = 0;
    GetColWidthInPixels(toGridIndex(col), &pixels);
    return SetColWidthInPixels(toGridIndex(col), pixels + extra) != FALSE;
}

// ---- Column width policies --------------------------------------------------------------------------------
// Every policy ends in fitWidths: listed columns get their widths, every other shown column (the header
// column when switch 4 shows it, and columns 1..max) an equal share of what is left. When no column is
// left to share, nothing is divided; a share is never negative.

bool Mx_Spread::setResizeMode(int mode, int a, int b) {
    if (!created_ || mode < 0 || mode > 5) return false;
    resizeMode_ = mode;
    resizeA_ = a;
    resizeB_ = b;
    return true;
}

bool Mx_Spread::setResizeMode(int mode, const std::vector<int>& ids, const std::vector<int>& widths) {
    if (!created_ || mode < 0 || mode > 5) return false;
    resizeMode_ = mode;
    resizeIds_ = ids;
    resizeWidths_ = widths;
    return true;
}

bool Mx_Spread::fitWidths(int available, int count, const std::vector<int>& fixedCols,
                          const std::vector<int>& fixedWidths) {
    (void)count;
    int cols = GetMaxCols();
    bool header = GetBool(SSB_ROWHEADERS) != FALSE;
    std::vector<char> fixed(static_cast<std::size_t>(cols) + 1, 0);
    int rest = std::max(available, 0);
    for (std::size_t i = 0; i < fixedCols.size() && i < fixedWidths.size(); ++i) {
        int col = fixedCols[i] == SS_HEADER ? 0 : fixedCols[i];
        if (col < 0 || col > cols) continue;
        int width = std::max(fixedWidths[i], 0);
        if (fixed[static_cast<std::size_t>(col)]) continue;  // the first listing of a column counts
        fixed[static_cast<std::size_t>(col)] = 1;
        SetColWidthInPixels(toGridIndex(col), width);
        rest = std::max(rest - width, 0);
    }
    int sharing = 0;
    for (int col = header ? 0 : 1; col <= cols; ++col) sharing += fixed[static_cast<std::size_t>(col)] ? 0 : 1;
    if (sharing == 0) return true;
    int share = rest / sharing;
    for (int col = header ? 0 : 1; col <= cols; ++col)
        if (!fixed[static_cast<std::size_t>(col)]) SetColWidthInPixels(toGridIndex(col), share);
    return true;
}

bool Mx_Spread::fitColumnsToWidth(bool fixedFirst, int fixedWidth) {
    if (!created_) return false;
    int cols = GetMaxCols();
    if (cols < 1) return true;
    RECT client{};
    GetSSClientRect(&client);
    int scrollWidth = 0, scrollHeight = 0;
    GetScrollBarSize(&scrollWidth, &scrollHeight);
    int available = std::max(static_cast<int>(client.right - client.left) - scrollWidth, 0);
    int count = cols + (GetBool(SSB_ROWHEADERS) ? 1 : 0);
    SpreadRedrawGuard redraw(m_hWnd);
    if (fixedWidth > 0 && fixedWidth <= available / count)
        return fitWidths(available, count, {fixedFirst ? 1 : cols}, {fixedWidth});
    return fitWidths(available, count, {}, {});
}

bool Mx_Spread::onResized() {
    if (!created_) return false;
    int cols = GetMaxCols();
    if (cols < 1 || resizeMode_ == 0) return true;
    if (resizeMode_ == 1) return fitColumnsToWidth(true, -1);
    if (resizeMode_ == 2) return autoSizeColumns(false) && autoSizeRows();

    RECT client{};
    GetSSClientRect(&client);
    int available = std::max(static_cast<int>(client.right - client.left), 0);
    bool header = GetBool(SSB_ROWHEADERS) != FALSE;
    int count = cols + (header ? 1 : 0);
    SpreadRedrawGuard redraw(m_hWnd);
    std::vector<int> ids, widths;
    switch (resizeMode_) {
    case 3: {
        // |a| clamped without negating a (the negation of the smallest int overflows).
        int n = resizeA_ >= 0 ? std::min(resizeA_, cols) : (resizeA_ < -cols ? cols : -resizeA_);
        int percent = std::clamp(resizeB_, 0, 100);
        if (n == 0) return fitWidths(available, count, {}, {});
        int each = static_cast<int>((static_cast<long long>(available) * percent / 100.0) / n + 0.5);
        for (int i = 0; i < n; ++i) {
            ids.push_back(resizeA_ >= 0 ? 1 + i : cols - i);
            widths.push_back(each);
        }
        return fitWidths(available, count, ids, widths);
    }
    case 4:
        return fitWidths(available, count, {resizeA_}, {resizeB_});
    case 5:
        return fitWidths(available, count, resizeIds_, resizeWidths_);
    default:
        return true;
    }
}

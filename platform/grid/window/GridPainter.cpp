#include "platform/grid/window/GridPainter.h"

#include <algorithm>
#include <climits>  // INT_MAX
#include <string>

#include "platform/grid/window/GridWindow.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/ClassicLook.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"

namespace grid {

namespace {

// Style bits of the cell types, read as the Win32 controls the types stand for read theirs.
// Edit, number and combo cells (ES_*): the low two bits centre or right-align.
constexpr std::uint32_t kEditCenter = 0x1;
constexpr std::uint32_t kEditRight = 0x2;
constexpr std::uint32_t kEditMultiLine = 0x4;
// Static text cells (SS_*): the low five bits are the kind: 0 left, 1 centred, 2 right (all three
// wrap words), 0xB simple and 0xC left without wrapping; 0x80 shows "&" as it is.
constexpr std::uint32_t kStaticKindMask = 0x1F;
constexpr std::uint32_t kStaticSimple = 0xB;
constexpr std::uint32_t kStaticNoPrefix = 0x80;
// Check boxes (BS_*): where the box sits.
constexpr std::uint32_t kButtonLeft = 0x100;
constexpr std::uint32_t kButtonRight = 0x200;
constexpr std::uint32_t kButtonCenter = 0x300;
// Pictures: stretched over the cell (SS_REALSIZECONTROL), else centred at their own size.
constexpr std::uint32_t kPictureStretch = 0x40;

constexpr int kTextInset = 2;  // pixels between a cell's edge and its text
constexpr int kCheckBoxSize = 13;
constexpr int kMostListItems = 8;

constexpr COLORREF sys(int index) {
    return 0x80000000u | COLORREF(index);
}

RECT intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

bool isEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// A, B, ... Z, AA, AB ...: the letters of a column header.
std::wstring columnLetters(SS_COORD col) {
    std::wstring out;
    for (; col > 0; col = (col - 1) / 26)
        out.insert(out.begin(), wchar_t(L'A' + (col - 1) % 26));
    return out;
}

}  // namespace

UINT GridPainter::textFormat(const CellType& type, bool header) {
    if (header)
        return DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    const std::uint32_t style = type.style;
    UINT format = DT_NOPREFIX;
    bool wrap = false;
    switch (type.code) {
        case CellTypeCode::StaticText: {
            const std::uint32_t kind = style & kStaticKindMask;
            if (kind == 1)
                format |= DT_CENTER;
            else if (kind == 2)
                format |= DT_RIGHT;
            wrap = kind <= 2;
            if (kind != kStaticSimple && !(style & kStaticNoPrefix))
                format &= ~DT_NOPREFIX;
            break;
        }
        case CellTypeCode::Edit:
            if (style & kEditCenter)
                format |= DT_CENTER;
            else if (style & kEditRight)
                format |= DT_RIGHT;
            wrap = (style & kEditMultiLine) != 0;
            break;
        case CellTypeCode::Integer:
        case CellTypeCode::Number:
        case CellTypeCode::Currency:
        case CellTypeCode::Percent:
            // Numbers line up on the right unless centred.
            format |= (style & kEditCenter) && !(style & kEditRight) ? DT_CENTER : DT_RIGHT;
            break;
        case CellTypeCode::ComboBox:
            break;  // a combo's low bits say how it drops, not where its text goes
        default:
            if (style & kEditCenter)
                format |= DT_CENTER;
            else if (style & kEditRight)
                format |= DT_RIGHT;
            break;
    }
    return format | (wrap ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
}

GridPainter::GridPainter(GridWindow& grid, const GridLayout& layout, CDC& dc)
    : grid_(grid), layout_(layout), dc_(dc), clip_(layout.client()) {}

GridPainter::~GridPainter() {
    if (selected_)
        dc_.SelectObject(previousFont_);
    font_.Detach();
}

void GridPainter::paint() {
    dc_.SetBkMode(TRANSPARENT);
    paintGrayArea();
    paintCells();
    paintHeaders();
    paintActiveFrame();
    paintDroppedList();
}

void GridPainter::fill(const RECT& rect, COLORREF color) {
    const RECT r = intersect(rect, clip_);
    if (!isEmpty(r))
        dc_.FillSolidRect(&r, color);
}

void GridPainter::useFont(const CellFont& font) {
    HFONT handle = grid_.fontHandle(font);
    if (handle == selected_)
        return;
    font_.Detach();
    font_.Attach(handle);
    CFont* previous = dc_.SelectObject(&font_);
    if (!selected_)
        previousFont_ = previous;
    selected_ = handle;
}

int GridPainter::lineHeight() {
    return dc_.GetTextExtent(CString(L"Ag")).cy;
}

// ---- The grey area ---------------------------------------------------------------------------------------

void GridPainter::paintGrayArea() {
    const RECT client = layout_.client();
    const COLORREF gray = grid_.sheet.look().grayBack;
    const int right = layout_.cellsRight(), bottom = layout_.cellsBottom();
    if (right < client.right)
        fill({right, 0, client.right, client.bottom}, gray);
    if (bottom < client.bottom)
        fill({0, bottom, right, client.bottom}, gray);
}

// ---- Headers
// ------------------------------------------------------------------------------------------------

void GridPainter::paintHeaders() {
    const RECT client = layout_.client();
    const int hw = layout_.headerWidth(), hh = layout_.headerHeight();
    const int right = layout_.cellsRight(), bottom = layout_.cellsBottom();
    const Sheet& sheet = grid_.sheet;
    if (hh > 0) {
        clip_ = {hw, 0, right, hh};
        SS_COORD skipTo = 0;  // columns inside a header span already drawn
        for (const LayoutLine& col : layout_.columns()) {
            if (col.index <= skipTo)
                continue;
            if (auto span = sheet.spanAt(col.index, 0); span && span->row1 == 0) {
                skipTo = span->col2;
                if (auto box = layout_.blockRect(*span))
                    paintHeader(span->col1, 0, *box);
                continue;
            }
            paintHeader(col.index, 0, {col.start, 0, col.end, hh});
        }
    }
    if (hw > 0) {
        clip_ = {0, hh, hw, bottom};
        SS_COORD skipTo = 0;
        for (const LayoutLine& row : layout_.rows()) {
            if (row.index <= skipTo)
                continue;
            if (auto span = sheet.spanAt(0, row.index); span && span->col1 == 0) {
                skipTo = span->row2;
                if (auto box = layout_.blockRect(*span))
                    paintHeader(0, span->row1, *box);
                continue;
            }
            paintHeader(0, row.index, {0, row.start, hw, row.end});
        }
    }
    if (hw > 0 && hh > 0) {
        clip_ = {0, 0, hw, hh};
        paintHeader(0, 0, {0, 0, hw, hh});
    }
    clip_ = client;
}

void GridPainter::paintHeader(SS_COORD col, SS_COORD row, const RECT& box) {
    const Sheet& sheet = grid_.sheet;
    const CellColors colors = sheet.colors(col, row);
    const COLORREF back = colors.back == kSystemWindowColor ? sys(COLOR_BTNFACE) : colors.back;
    const COLORREF fore = colors.fore == kSystemWindowTextColor ? sys(COLOR_BTNTEXT) : colors.fore;
    fill(box, back);
    // The raised edge only where the whole button is in view: a span cut by the clip keeps its face.
    if (inside(box, clip_)) {
        ui::classic::drawEdge(dc_, box, ui::classic::Edge::RaisedThin);
    } else {
        const RECT shown = intersect(box, clip_);
        if (!isEmpty(shown))
            ui::classic::drawEdge(dc_, shown, ui::classic::Edge::RaisedThin);
    }
    std::wstring text = sheet.valueText(col, row);
    if (text.empty() && col == 0 && row > 0)
        text = std::to_wstring(row);
    if (text.empty() && row == 0 && col > 0)
        text = columnLetters(col);
    if (text.empty())
        return;
    useFont(sheet.font(col, row));
    RECT rect{box.left + kTextInset, box.top + 1, box.right - kTextInset, box.bottom - 1};
    paintText(text, rect, textFormat(sheet.cellType(col, row), true), fore);
}

// ---- Cells
// --------------------------------------------------------------------------------------------------

void GridPainter::paintCells() {
    const int hw = layout_.headerWidth(), hh = layout_.headerHeight();
    // Right and bottom stay open: the surface ends there, and a cell cut by the window edge keeps its
    // alignment within the whole cell.
    clip_ = {hw, hh, INT_MAX / 2, INT_MAX / 2};
    const Sheet& sheet = grid_.sheet;
    // Spans are drawn once, by the first of their cells in view.
    std::vector<CellRange> drawn;
    for (const LayoutLine& row : layout_.rows()) {
        for (const LayoutLine& col : layout_.columns()) {
            if (auto span = sheet.spanAt(col.index, row.index)) {
                if (std::find(drawn.begin(), drawn.end(), *span) != drawn.end())
                    continue;
                drawn.push_back(*span);
                if (auto box = layout_.blockRect(*span))
                    paintCell(span->col1, span->row1, *box);
                continue;
            }
            paintCell(col.index, row.index, {col.start, row.start, col.end, row.end});
        }
    }
    clip_ = layout_.client();
}

void GridPainter::paintCell(SS_COORD col, SS_COORD row, const RECT& box) {
    const Sheet& sheet = grid_.sheet;
    const SheetLook& look = sheet.look();
    const CellType& type = sheet.cellType(col, row);
    // The cell's own colours; a locked cell left in the default ones takes the lock colours; a
    // selected cell other than the active one the selection's.
    CellColors colors = sheet.colors(col, row);
    if (sheet.isLocked(col, row)) {
        if (colors.back == kSystemWindowColor)
            colors.back = look.lockBack;
        if (colors.fore == kSystemWindowTextColor)
            colors.fore = look.lockFore;
    }
    const bool active = col == grid_.activeCol && row == grid_.activeRow;
    if (grid_.block && grid_.block->contains(col, row) && !active)
        colors = {look.selectionBack, look.selectionFore};
    const bool editing = active && grid_.edit.on;
    if (editing)
        colors = {kSystemWindowColor, kSystemWindowTextColor};

    // The grid lines are the cell's last column and row of pixels.
    const RECT inner{box.left, box.top, box.right - 1, box.bottom - 1};
    fill(inner, colors.back);
    fill({box.right - 1, box.top, box.right, box.bottom}, look.gridColor);
    fill({box.left, box.bottom - 1, box.right - 1, box.bottom}, look.gridColor);

    useFont(sheet.font(col, row));
    if (editing) {
        paintEdit(inner, colors.fore);
        return;
    }
    switch (type.code) {
        case CellTypeCode::CheckBox:
            paintCheckBox(col, row, type, inner, colors.fore);
            return;
        case CellTypeCode::ComboBox:
            paintCombo(col, row, inner, colors.fore);
            return;
        case CellTypeCode::Button:
            paintButton(col, row, type, inner);
            return;
        case CellTypeCode::Picture:
            paintPicture(type.pictureHandle ? std::to_wstring(type.pictureHandle) : type.picture, inner,
                         (type.style & kPictureStretch) != 0);
            return;
        default:
            break;
    }
    const std::wstring text = sheet.valueText(col, row);
    if (text.empty())
        return;
    paintText(text, {inner.left + kTextInset, inner.top, inner.right - kTextInset, inner.bottom},
              textFormat(type, false), colors.fore);
}

void GridPainter::paintText(const std::wstring& text, RECT rect, UINT format, COLORREF color) {
    if (format & DT_WORDBREAK) {
        // DrawText centres single lines only: a wrapped block is centred here, or starts at the top
        // when it is taller than the cell.
        RECT measured = rect;
        const int height = dc_.DrawText(CString(text), &measured, format | DT_CALCRECT);
        rect.top += std::max(0, int(rect.bottom - rect.top - height) / 2);
    }
    rect = intersect(rect, clip_);
    if (isEmpty(rect))
        return;
    dc_.SetTextColor(color);
    dc_.DrawText(CString(text), &rect, format);
}

void GridPainter::paintEdit(const RECT& inner, COLORREF color) {
    const GridWindow::Edit& edit = grid_.edit;
    RECT rect{inner.left + kTextInset, inner.top, inner.right - kTextInset, inner.bottom};
    rect = intersect(rect, clip_);
    if (isEmpty(rect))
        return;
    const UINT format = DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    dc_.SetTextColor(color);
    if (!edit.text.empty())
        dc_.DrawText(CString(edit.text), &rect, format);
    const int size = int(edit.text.size());
    const int from = std::clamp(std::min(edit.selStart, edit.selEnd), 0, size);
    const int to = std::clamp(std::max(edit.selStart, edit.selEnd), 0, size);
    auto xAt = [&](int chars) {
        return int(rect.left) + dc_.GetTextExtent(CString(edit.text.substr(0, std::size_t(chars)))).cx;
    };
    const int lh = lineHeight();
    const int top = int(rect.top) + std::max(0, int(rect.bottom - rect.top - lh) / 2);
    if (from == to) {
        // The caret.
        fill({xAt(to), top, xAt(to) + 1, std::min<int>(top + lh, rect.bottom)}, color);
        return;
    }
    const int left = xAt(from), right = xAt(to);
    RECT selected = intersect({left, top, right, top + lh}, rect);
    if (isEmpty(selected))
        return;
    fill(selected, sys(COLOR_HIGHLIGHT));
    dc_.SetTextColor(sys(COLOR_HIGHLIGHTTEXT));
    RECT textRect{left, rect.top, std::min<int>(right + 1, rect.right), rect.bottom};
    dc_.DrawText(CString(edit.text.substr(std::size_t(from), std::size_t(to - from))), &textRect, format);
}

void GridPainter::paintCheckBox(SS_COORD col, SS_COORD row, const CellType& type, const RECT& inner,
                                COLORREF color) {
    const std::wstring value = grid_.sheet.valueText(col, row);
    const int state = value == L"1" ? 1 : value == L"2" ? 2 : 0;
    // Pictures given with the type stand in for the drawn box: unchecked in `picture` (before any
    // focused ones after ";"), checked in `picture2`.
    std::wstring_view name = state == 1 ? std::wstring_view(type.picture2) : std::wstring_view(type.picture);
    if (state != 1)
        name = name.substr(0, name.find(L';'));
    const std::wstring& caption = type.items;
    std::uint32_t place = type.style & kButtonCenter;
    if (place == 0)
        place = caption.empty() ? kButtonCenter : kButtonLeft;
    if (caption.empty() && !name.empty() && paintPicture(name, inner, false))
        return;
    const int boxTop = int(inner.top) + (int(inner.bottom - inner.top) - kCheckBoxSize) / 2;
    int boxLeft = inner.left + kTextInset;
    if (place == kButtonCenter)
        boxLeft = int(inner.left) + (int(inner.right - inner.left) - kCheckBoxSize) / 2;
    else if (place == kButtonRight)
        boxLeft = inner.right - kTextInset - kCheckBoxSize;
    const RECT box{boxLeft, boxTop, boxLeft + kCheckBoxSize, boxTop + kCheckBoxSize};
    if (inside(box, intersect(inner, clip_))) {
        const auto pressed = grid_.pressedButton();
        const bool pushed = pressed && pressed->first == col && pressed->second == row;
        ui::classic::drawCheckBox(dc_, box, state, true, pushed);
    }
    if (caption.empty())
        return;
    RECT text{box.right + 4, inner.top, inner.right - kTextInset, inner.bottom};
    if (place == kButtonRight)
        text = {inner.left + kTextInset, inner.top, box.left - 4, inner.bottom};
    paintText(caption, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, color);
}

void GridPainter::paintCombo(SS_COORD col, SS_COORD row, const RECT& inner, COLORREF color) {
    const RECT button{std::max<LONG>(inner.left, inner.right - GridWindow::kDropButtonWidth), inner.top,
                      inner.right, inner.bottom};
    const std::wstring text = grid_.sheet.valueText(col, row);
    if (!text.empty())
        paintText(text, {inner.left + kTextInset, inner.top, button.left - 1, inner.bottom},
                  DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, color);
    if (!inside(button, intersect(inner, clip_)))
        return;
    const bool dropped = grid_.combo.dropped && col == grid_.activeCol && row == grid_.activeRow;
    ui::classic::drawArrowButton(dc_, button, ui::classic::Direction::Down, dropped, true);
}

void GridPainter::paintButton(SS_COORD col, SS_COORD row, const CellType& type, const RECT& inner) {
    if (!inside(inner, clip_))
        return;  // a face cut in half reads as no button at all
    const auto pressed = grid_.pressedButton();
    const bool down = pressed && pressed->first == col && pressed->second == row;
    const RECT content = ui::classic::drawPushButton(dc_, inner, down, false);
    if (!type.picture.empty() && paintPicture(type.picture, content, false))
        return;
    if (type.items.empty())
        return;
    ui::classic::drawControlText(dc_, CString(type.items), content, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                                 true);
}

bool GridPainter::paintPicture(std::wstring_view name, const RECT& inner, bool stretch) {
    std::shared_ptr<const ui::BitmapImage> image = grid_.picture(name);
    if (!image || image->isNull())
        return false;
    CBitmap bitmap;
    bitmap.CreateBitmapFrom(*image);
    CDC memory;
    memory.CreateCompatibleDC(&dc_);
    memory.SelectObject(&bitmap);
    const RECT area = intersect(inner, clip_);
    if (stretch) {
        if (!inside(inner, clip_))
            return true;
        dc_.StretchBlt(inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top, &memory, 0,
                       0, image->width(), image->height(), SRCCOPY);
        return true;
    }
    // Centred at its own size; whatever falls outside the cell is cut off.
    const int x = int(inner.left) + (int(inner.right - inner.left) - image->width()) / 2;
    const int y = int(inner.top) + (int(inner.bottom - inner.top) - image->height()) / 2;
    const RECT shown = intersect({x, y, x + image->width(), y + image->height()}, area);
    if (isEmpty(shown))
        return true;
    dc_.BitBlt(shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top, &memory,
               shown.left - x, shown.top - y, SRCCOPY);
    return true;
}

// ---- The active cell and the dropped list ----------------------------------------------------------------

void GridPainter::paintActiveFrame() {
    auto box = layout_.cellBox(grid_.activeCol, grid_.activeRow);
    if (!box || !grid_.isDataCell(grid_.activeCol, grid_.activeRow))
        return;
    clip_ = {layout_.headerWidth(), layout_.headerHeight(), INT_MAX / 2, INT_MAX / 2};
    // Two pixels wide, over the cell's own grid lines and the ones before it.
    const RECT outer{box->left - 1, box->top - 1, box->right, box->bottom};
    const COLORREF black = sys(COLOR_WINDOWTEXT);
    fill({outer.left, outer.top, outer.right, outer.top + 2}, black);
    fill({outer.left, outer.bottom - 2, outer.right, outer.bottom}, black);
    fill({outer.left, outer.top, outer.left + 2, outer.bottom}, black);
    fill({outer.right - 2, outer.top, outer.right, outer.bottom}, black);
    clip_ = layout_.client();
}

void GridPainter::paintDroppedList() {
    if (!grid_.combo.dropped)
        return;
    auto box = layout_.cellBox(grid_.activeCol, grid_.activeRow);
    if (!box)
        return;
    const std::vector<std::wstring> items = grid_.comboItems(grid_.activeCol, grid_.activeRow);
    if (items.empty())
        return;
    useFont(grid_.sheet.font(grid_.activeCol, grid_.activeRow));
    const int lh = lineHeight();
    const int shownItems = std::min<int>(int(items.size()), kMostListItems);
    const int height = shownItems * lh + 2;
    const RECT client = layout_.client();
    int top = box->bottom;
    if (top + height > client.bottom && box->top - height >= 0)
        top = box->top - height;
    const RECT list{box->left, top, box->right, top + height};
    fill(list, sys(COLOR_WINDOW));
    dc_.Draw3dRect(&list, sys(COLOR_WINDOWFRAME), sys(COLOR_WINDOWFRAME));
    // The highlighted item stays in view.
    const int first = std::clamp(grid_.combo.highlight - shownItems + 1, 0, int(items.size()) - shownItems);
    for (int i = 0; i < shownItems; ++i) {
        const int index = first + i;
        const RECT line{list.left + 1, list.top + 1 + i * lh, list.right - 1, list.top + 1 + (i + 1) * lh};
        COLORREF color = sys(COLOR_WINDOWTEXT);
        if (index == grid_.combo.highlight) {
            fill(line, sys(COLOR_HIGHLIGHT));
            color = sys(COLOR_HIGHLIGHTTEXT);
        }
        paintText(items[std::size_t(index)],
                  {line.left + kTextInset, line.top, line.right - kTextInset, line.bottom},
                  DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, color);
    }
}

}  // namespace grid

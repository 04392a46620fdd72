#include "platform/grid/window/GridAutomation.h"

#include <algorithm>

#include "platform/grid/window/GridWindow.h"
#include "platform/grid/window/SSFunctions.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Window.h"

namespace ui {

namespace {

std::wstring cellName(SS_COORD col, SS_COORD row) {
    return L"(" + std::to_wstring(col) + L"," + std::to_wstring(row) + L")";
}

std::wstring widen(const char* s) { return std::wstring(s, s + std::char_traits<char>::length(s)); }

}  // namespace

HWND GridAutomation::hwnd() const { return m_dlg.find(m_id); }

SS_COORD GridAutomation::rows() const { return SSGetMaxRows(hwnd()); }
SS_COORD GridAutomation::cols() const { return SSGetMaxCols(hwnd()); }

std::wstring GridAutomation::text(SS_COORD col, SS_COORD row) const {
    grid::Sheet* sheet = SSGetSheet(hwnd());
    return sheet ? sheet->valueText(col, row) : std::wstring();
}

std::wstring GridAutomation::data(SS_COORD col, SS_COORD row) const {
    grid::Sheet* sheet = SSGetSheet(hwnd());
    return sheet ? sheet->dataText(col, row) : std::wstring();
}

bool GridAutomation::checked(SS_COORD col, SS_COORD row) const { return text(col, row) == L"1"; }

bool GridAutomation::locked(SS_COORD col, SS_COORD row) const { return SSGetLock(hwnd(), col, row) != FALSE; }

std::int32_t GridAutomation::cellType(SS_COORD col, SS_COORD row) const {
    SS_CELLTYPE t;
    return SSGetCellType(hwnd(), col, row, &t) ? t.Type : -1;
}

std::pair<SS_COORD, SS_COORD> GridAutomation::activeCell() const {
    SS_COORD col = 0, row = 0;
    SSGetActiveCell(hwnd(), &col, &row);
    return {col, row};
}

std::optional<grid::CellRange> GridAutomation::block() const {
    grid::CellRange r;
    if (!SSGetSelectBlock(hwnd(), &r.col1, &r.row1, &r.col2, &r.row2)) return std::nullopt;
    return r;
}

bool GridAutomation::editing() const { return SSGetEditMode(hwnd()) != FALSE; }

std::wstring GridAutomation::editText() const {
    grid::GridWindow* g = grid::GridWindow::from(hwnd());
    return g && g->edit.on ? g->edit.text : std::wstring();
}

std::vector<std::wstring> GridAutomation::comboItems(SS_COORD col, SS_COORD row) const {
    grid::GridWindow* g = grid::GridWindow::from(hwnd());
    return g ? g->comboItems(col, row) : std::vector<std::wstring>();
}

std::optional<POINT> GridAutomation::pointOf(SS_COORD col, SS_COORD row, const char* verb, bool dropButton) const {
    HWND h = hwnd();
    grid::GridWindow* g = grid::GridWindow::from(h);
    if (!g) {
        reportProblem(widen(verb) + L": control #" + std::to_wstring(m_id) + L" is not a grid");
        return std::nullopt;
    }
    // Scrolling the cell into view is what a user does with the scroll bars before clicking.
    if (!g->sheet.isInside(col, row) || !SSShowCell(h, col, row)) {
        reportProblem(widen(verb) + L": cell " + cellName(col, row) + L" is outside grid #" + std::to_wstring(m_id));
        return std::nullopt;
    }
    RECT r;
    if (!SSGetCellRect(h, col, row, &r)) {
        reportProblem(widen(verb) + L": cell " + cellName(col, row) + L" of grid #" + std::to_wstring(m_id) +
                      L" cannot be shown");
        return std::nullopt;
    }
    // A cell that spans columns shows its drop button at the span's right edge.
    SS_COORD anchorCol = 0, anchorRow = 0, spanCols = 1, spanRows = 1;
    RECT last;
    if (SSGetCellSpan(h, col, row, &anchorCol, &anchorRow, &spanCols, &spanRows) == SS_SPAN_ANCHOR && spanCols > 1 &&
        SSGetCellRect(h, anchorCol + spanCols - 1, row, &last))
        r.right = last.right;
    if (dropButton) return POINT{std::max(r.left, r.right - grid::GridWindow::kDropButtonWidth / 2), (r.top + r.bottom) / 2};
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void GridAutomation::focus() const {
    HWND h = hwnd();
    if (h && focusWindow() != h) {
        ui::setFocus(h);
        pumpMessages();
    }
}

void GridAutomation::click(SS_COORD col, SS_COORD row, Keys keys) {
    auto at = pointOf(col, row, "click");
    if (!at) return;
    m_dlg.mouseDown(m_id, *at, MouseButton::Left, keys);
    m_dlg.mouseUp(m_id, *at, MouseButton::Left, keys);
}

void GridAutomation::doubleClick(SS_COORD col, SS_COORD row) {
    auto at = pointOf(col, row, "double-click");
    if (!at) return;
    m_dlg.mouseDown(m_id, *at);
    m_dlg.mouseUp(m_id, *at);
    HWND h = hwnd();
    if (!h) return;
    MSG msg;
    msg.hwnd = h;
    msg.message = WM_LBUTTONDBLCLK;
    msg.wParam = MK_LBUTTON;
    msg.lParam = MAKELPARAM(static_cast<WORD>(at->x), static_cast<WORD>(at->y));
    setKeyDown(VK_LBUTTON, true);
    dispatchInput(msg);
    pumpMessages();
    setKeyDown(VK_LBUTTON, false);
    if (hwnd()) m_dlg.mouseUp(m_id, *at);
}

void GridAutomation::rightClick(SS_COORD col, SS_COORD row) {
    auto at = pointOf(col, row, "right-click");
    if (!at) return;
    m_dlg.mouseDown(m_id, *at, MouseButton::Right);
    if (hwnd()) m_dlg.mouseUp(m_id, *at, MouseButton::Right);
}

void GridAutomation::type(SS_COORD col, SS_COORD row, const std::wstring& text) {
    click(col, row);
    if (!hwnd() || focusWindow() != hwnd()) return;
    if (editing()) {
        // Already editing (permanent edit mode): select the whole text so typing replaces it.
        m_dlg.press(VK_HOME);
        m_dlg.press(VK_END, Keys::Shift);
    }
    // An empty text still has to start an edit and empty it: a character and a backspace do that.
    m_dlg.typeHere(text.empty() ? std::wstring(L" \b") : text);
    if (!editing()) {
        reportProblem(L"type: cell " + cellName(col, row) + L" of grid #" + std::to_wstring(m_id) +
                      L" does not take text");
        return;
    }
    m_dlg.press(VK_RETURN);
}

void GridAutomation::selectCombo(SS_COORD col, SS_COORD row, int index) {
    auto items = comboItems(col, row);
    if (index < 0 || index >= static_cast<int>(items.size())) {
        reportProblem(L"select: cell " + cellName(col, row) + L" of grid #" + std::to_wstring(m_id) + L" has no item " +
                      std::to_wstring(index));
        return;
    }
    auto at = pointOf(col, row, "select", true);
    if (!at) return;
    m_dlg.mouseDown(m_id, *at);
    m_dlg.mouseUp(m_id, *at);
    grid::GridWindow* g = grid::GridWindow::from(hwnd());
    if (!g || !g->combo.dropped) {
        reportProblem(L"select: the list of cell " + cellName(col, row) + L" of grid #" + std::to_wstring(m_id) +
                      L" did not drop down");
        return;
    }
    m_dlg.press(VK_HOME);
    for (int i = 0; i < index; ++i) m_dlg.press(VK_DOWN);
    m_dlg.press(VK_RETURN);
}

void GridAutomation::selectCombo(SS_COORD col, SS_COORD row, const std::wstring& item) {
    auto items = comboItems(col, row);
    auto it = std::find(items.begin(), items.end(), item);
    if (it == items.end()) {
        reportProblem(L"select: cell " + cellName(col, row) + L" of grid #" + std::to_wstring(m_id) + L" has no item \"" +
                      item + L"\"");
        return;
    }
    selectCombo(col, row, static_cast<int>(it - items.begin()));
}

void GridAutomation::key(UINT virtualKey, Keys keys) {
    HWND h = hwnd();
    if (!h) return;
    Window* w = windowFromHandle(h);
    if (!w->isShown() || !w->acceptsInput()) {
        reportProblem(L"key: grid #" + std::to_wstring(m_id) + L" is hidden or disabled");
        return;
    }
    focus();
    m_dlg.press(virtualKey, keys);
}

void GridAutomation::selectBlock(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2) {
    click(col, row);
    click(col2, row2, Keys::Shift);
}

}  // namespace ui

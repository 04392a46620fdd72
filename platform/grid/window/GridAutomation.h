#pragma once
// Automation verbs for grid windows, so dialog tests act on a grid as a user does: every verb is
// mouse or keyboard input at the cell's place (the grid scrolls the cell into view first, as a user
// would), so the grid sends its parent the same notifications as for real input.
//
//   auto grid = dlg.control<ui::GridAutomation>(IDC_GRID);
//   grid.type(2, 3, L"12.5");          // click, type, Return
//   grid.click(1, 4);                   // a check box cell toggles
//   grid.selectCombo(3, 1, 2);          // drop the list, choose the third item
//   EXPECT_EQ(grid.text(2, 3), L"12.5");
//
// Acting on a missing, hidden or disabled grid, or on a cell outside the sheet, does nothing and is
// reported as an automation problem.
#include <optional>
#include <string>
#include <utility>  // pair

#include "platform/grid/CellRange.h"
#include "platform/grid/window/SSTypes.h"
#include "platform/mfc/Automation.h"

namespace ui {

class GridAutomation {
public:
    GridAutomation(Automation& dlg, int id) : m_dlg(dlg), m_id(id) {}

    // ---- Reading
    HWND hwnd() const;
    SS_COORD rows() const;
    SS_COORD cols() const;
    std::wstring text(SS_COORD col, SS_COORD row) const;  // the value text
    std::wstring data(SS_COORD col, SS_COORD row) const;
    bool checked(SS_COORD col, SS_COORD row) const;       // a check box cell holds "1"
    bool locked(SS_COORD col, SS_COORD row) const;
    std::int32_t cellType(SS_COORD col, SS_COORD row) const;
    std::pair<SS_COORD, SS_COORD> activeCell() const;
    std::optional<grid::CellRange> block() const;
    bool editing() const;
    std::wstring editText() const;
    std::vector<std::wstring> comboItems(SS_COORD col, SS_COORD row) const;

    // ---- Actions
    void click(SS_COORD col, SS_COORD row, Keys keys = Keys::None);
    void doubleClick(SS_COORD col, SS_COORD row);
    void rightClick(SS_COORD col, SS_COORD row);
    // Clicks the cell, replaces its text by typing and presses Return (the Enter action follows).
    void type(SS_COORD col, SS_COORD row, const std::wstring& text);
    // Clicks the drop button of a combo cell, moves to the item with the keys and presses Return.
    void selectCombo(SS_COORD col, SS_COORD row, int index);
    void selectCombo(SS_COORD col, SS_COORD row, const std::wstring& item);
    // A key press at the grid (focusing it first).
    void key(UINT virtualKey, Keys keys = Keys::None);
    // Clicks one corner and Shift+clicks the other.
    void selectBlock(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2);
    void copy() { key('C', Keys::Ctrl); }
    void paste() { key('V', Keys::Ctrl); }

private:
    // The point of a cell in the grid's client area (its centre, or its drop button); null when the
    // cell cannot be reached (reported).
    std::optional<POINT> pointOf(SS_COORD col, SS_COORD row, const char* verb, bool dropButton = false) const;
    void focus() const;

    Automation& m_dlg;
    int m_id;
};

}  // namespace ui

#pragma once
// Paints a grid window's client area as the grid component shows it: raised header buttons with
// letters and numbers (or the header texts the sheet gives), cells with their colours, fonts,
// alignment and kind (text, check box, combo, button, picture), spans as one cell, grid lines, the
// selected block, the active cell's thick frame, an edit in progress, a dropped combo list, and the
// grey area past the sheet's last column and row.
//
// Only the cells in view are visited, so painting a sheet of two million rows costs what the window
// shows. Everything is drawn through the device context's calls, so scaled pictures and call logs work.
#include <optional>
#include <string>
#include <string_view>

#include "platform/grid/CellLook.h"
#include "platform/grid/CellRange.h"
#include "platform/grid/CellType.h"
#include "platform/grid/window/GridLayout.h"
#include "platform/mfc/Font.h"

class CDC;
class CString;

namespace grid {

class GridWindow;

class GridPainter {
public:
    GridPainter(GridWindow& grid, const GridLayout& layout, CDC& dc);
    ~GridPainter();
    GridPainter(const GridPainter&) = delete;
    GridPainter& operator=(const GridPainter&) = delete;

    void paint();

    // The DrawText format of a cell's text from its type's style bits (see GridPainter.cpp).
    static UINT textFormat(const CellType& type, bool header);

private:
    void paintGrayArea();
    void paintHeaders();
    void paintHeader(SS_COORD col, SS_COORD row, const RECT& box);
    void paintCells();
    void paintCell(SS_COORD col, SS_COORD row, const RECT& box);
    void paintText(const std::wstring& text, RECT rect, UINT format, COLORREF color);
    void paintEdit(const RECT& inner, COLORREF color);
    void paintCheckBox(SS_COORD col, SS_COORD row, const CellType& type, const RECT& inner, COLORREF color);
    void paintCombo(SS_COORD col, SS_COORD row, const RECT& inner, COLORREF color);
    void paintButton(SS_COORD col, SS_COORD row, const CellType& type, const RECT& inner);
    // A picture centred in the rectangle at its own size, or stretched over it.
    bool paintPicture(std::wstring_view name, const RECT& inner, bool stretch);
    void paintActiveFrame();
    void paintDroppedList();

    // Fills the part of the rectangle inside the current clip.
    void fill(const RECT& rect, COLORREF color);
    void useFont(const CellFont& font);
    int lineHeight();

    GridWindow& grid_;
    const GridLayout& layout_;
    CDC& dc_;
    RECT clip_{};
    CFont font_;  // borrows the grid's font handles
    HFONT selected_ = nullptr;
    CFont* previousFont_ = nullptr;
};

}  // namespace grid

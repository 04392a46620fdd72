#include "macrodlg/SubDialogGrid.h"

#include <algorithm>

#include "platform/grid/window/SSFunctions.h"
#include "spread/Mx_Spread.h"

namespace subdlg {

void showColumns(Mx_Spread& grid, const Mx_StringArray& headings, const Mx_Array<Mx_StringArray>& columns) {
    int rows = 1;
    for (const Mx_StringArray& column : columns)
        rows = std::max(rows, column.length());
    grid.setMaxCols(std::max(headings.length(), columns.length()), false);
    grid.setMaxRows(rows, false);
    grid.clearRows(1, rows);
    for (int col = 1; col <= headings.length(); ++col)
        grid.SetData(col, SS_HEADER, headings[col - 1].c_str());
    for (int col = 1; col <= columns.length(); ++col)
        grid.setColumnTexts(col, columns[col - 1], false);
    grid.onResized();
}

void readColumns(Mx_Spread& grid, Mx_Array<Mx_StringArray>& columns) {
    columns.removeAll();
    const int cols = grid.getMaxCols();
    for (int col = 1; col <= cols; ++col) {
        Mx_StringArray texts;
        grid.getColumnTexts(col, texts, Mx_Spread::kData);
        columns.append(texts);
    }
}

}  // namespace subdlg

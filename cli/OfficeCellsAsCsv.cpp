#include <algorithm>
#include <vector>

#include "cli/OfficeSheet.h"
#include "platform/grid/DelimitedText.h"

namespace connsheet {

std::string officeCellsAsCsv(std::vector<OfficeCell> cells) {
    std::sort(cells.begin(), cells.end(), [](const OfficeCell& a, const OfficeCell& b) {
        return a.row != b.row ? a.row < b.row : a.col < b.col;
    });
    std::string out;
    std::int32_t row = 1;
    std::int32_t fields = 0;  // fields written on the current row
    for (const OfficeCell& cell : cells) {
        for (; row < cell.row; ++row, fields = 0)
            out += '\n';
        if (cell.col <= fields)
            continue;  // a cell given twice: the first wins
        for (; fields < cell.col; ++fields) {
            if (fields > 0)
                out += ',';
            if (fields + 1 == cell.col)
                grid::appendDelimitedField(out, cell.text, grid::Delimiter::Comma);
        }
    }
    if (!cells.empty())
        out += '\n';
    return out;
}

}  // namespace connsheet

// The grid's side of the clipboard: cells travel as tab-separated text, the form every spreadsheet
// program exchanges, quoted only where a field holds a tab, a quote or a line break.
#include <string>
#include <tuple>
#include <vector>

#include "platform/arx/Utf8.h"
#include "platform/grid/DelimitedText.h"
#include "platform/grid/window/GridWindow.h"
#include "platform/mfc/Clipboard.h"

namespace grid {

bool GridWindow::copyToClipboard() const {
    CellRange r = selection();
    if (!isDataCell(r.col1, r.row1)) return false;
    std::string out;
    for (SS_COORD row = r.row1; row <= r.row2; ++row) {
        for (SS_COORD col = r.col1; col <= r.col2; ++col) {
            if (col > r.col1) out += '\t';
            appendDelimitedField(out, utf8::encode(sheet.valueText(col, row)), Delimiter::Tab);
        }
        out += "\r\n";
    }
    return ui::Clipboard::setText(utf8::decode(out));
}

bool GridWindow::pasteFromClipboard(HWND hwnd, bool notifyUser) {
    std::optional<std::wstring> text = ui::Clipboard::text();
    if (!text || !isDataCell(activeCol, activeRow)) return false;
    if (edit.on && !endEdit(hwnd, true)) return false;
    // Read everything first: text that is not valid tab-separated data changes no cell at all.
    std::string bytes = utf8::encode(*text);
    DelimitedReader reader(bytes, Delimiter::Tab);
    std::vector<std::tuple<SS_COORD, SS_COORD, std::wstring>> fields;
    DelimitedReader::Field field;
    DelimitedReader::Status status;
    CellRange r = selection();
    while ((status = reader.next(field)) == DelimitedReader::Status::Field)
        fields.emplace_back(r.col1 + field.column - 1, r.row1 + field.row - 1, utf8::decode(field.text));
    if (status == DelimitedReader::Status::Error) return false;

    std::vector<std::pair<SS_COORD, SS_COORD>> changed;
    for (const auto& [col, row, value] : fields) {
        if (!isDataCell(col, row)) continue;
        std::wstring before = sheet.valueText(col, row);
        CellTypeCode code = sheet.cellType(col, row).code;
        bool written = false;
        if (isEditable(col, row)) written = sheet.setValue(col, row, value);
        else if ((code == CellTypeCode::CheckBox || code == CellTypeCode::ComboBox) && isActionable(col, row))
            written = sheet.setData(col, row, value);
        if (written && sheet.valueText(col, row) != before) changed.emplace_back(col, row);
    }
    if (notifyUser)
        for (auto [col, row] : changed)
            if (!notify(hwnd, SSM_DATACHANGE, {.Col = col, .Row = row})) break;
    return true;
}

}  // namespace grid

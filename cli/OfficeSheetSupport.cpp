#include "cli/OfficeSheetSupport.h"

#include <algorithm>
#include <vector>

#include "cli/OfficeSheet.h"
#include "platform/grid/DelimitedText.h"

namespace connsheet {

namespace {
constexpr std::int32_t kMaxCol = 16384;  // XFD, the widest sheet office programs write
constexpr std::int32_t kMaxRow = 1048576;
}  // namespace

bool parseXml(const std::string& bytes, const std::string& name, pugi::xml_document& document,
              std::string& error) {
    const pugi::xml_parse_result result =
        document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (result)
        return true;
    const auto offset =
        std::min(static_cast<std::size_t>(std::max<std::ptrdiff_t>(result.offset, 0)), bytes.size());
    const auto line =
        1 + std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(offset), '\n');
    const auto lineStart = bytes.rfind('\n', offset == 0 ? 0 : offset - 1);
    const auto column = offset - (lineStart == std::string::npos || offset == 0 ? 0 : lineStart + 1) + 1;
    error = name + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + result.description();
    return false;
}

bool parseCellName(std::string_view name, std::int32_t& col, std::int32_t& row) {
    std::size_t i = 0;
    if (i < name.size() && name[i] == '$')
        ++i;
    col = 0;
    const std::size_t lettersAt = i;
    while (i < name.size() && name[i] >= 'A' && name[i] <= 'Z' && i - lettersAt < 3)
        col = col * 26 + (name[i++] - 'A' + 1);
    if (i == lettersAt)
        return false;
    if (i < name.size() && name[i] == '$')
        ++i;
    row = 0;
    const std::size_t digitsAt = i;
    while (i < name.size() && name[i] >= '0' && name[i] <= '9' && i - digitsAt < 8)
        row = row * 10 + (name[i++] - '0');
    return i == name.size() && i > digitsAt && row >= 1 && row <= kMaxRow && col <= kMaxCol;
}

std::string_view localName(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

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

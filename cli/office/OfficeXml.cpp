#include "cli/office/OfficeXml.h"

#include <algorithm>
#include <vector>

namespace connsheet::office {

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

}  // namespace connsheet::office

#include "platform/grid/GridFileAddress.h"

#include "platform/grid/Sheet.h"

namespace grid::gridfile {

bool isHeader(std::int32_t index) { return index == 0 || index == kHeader; }

void appendColumn(std::string& out, std::int32_t col) {
    if (isHeader(col)) {
        out += '*';
        return;
    }
    char letters[8];
    int n = 0;
    for (std::int32_t c = col; c > 0; c = (c - 1) / 26) letters[n++] = static_cast<char>('A' + (c - 1) % 26);
    while (n > 0) out += letters[--n];
}

void appendRow(std::string& out, std::int32_t row) {
    if (isHeader(row)) out += '*';
    else out += std::to_string(row);
}

std::optional<std::int32_t> parseColumn(std::string_view s) {
    if (s == "*") return kHeader;
    if (s.empty() || s.size() > 4) return std::nullopt;
    std::int32_t col = 0;
    for (char c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') return std::nullopt;
        col = col * 26 + (c - 'A' + 1);
    }
    if (col > kColLimit) return std::nullopt;
    return col;
}

std::optional<std::int32_t> parseRow(std::string_view s) {
    if (s == "*") return kHeader;
    if (s.empty() || s.size() > 7 || s[0] == '0') return std::nullopt;
    std::int32_t row = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        row = row * 10 + (c - '0');
    }
    if (row > kRowLimit) return std::nullopt;
    return row;
}

bool parseAddress(std::string_view s, std::int32_t& col, std::int32_t& row) {
    std::size_t split = 0;
    while (split < s.size() && s[split] != '*' && (s[split] < '0' || s[split] > '9')) ++split;
    if (split == 0 && !s.empty() && s[0] == '*') split = 1;  // "*7", "**"
    auto c = parseColumn(s.substr(0, split));
    auto r = parseRow(s.substr(split));
    if (!c || !r) return false;
    col = *c;
    row = *r;
    return true;
}

std::string addressText(std::int32_t col, std::int32_t row) {
    std::string s;
    appendColumn(s, col);
    appendRow(s, row);
    return s;
}

}  // namespace grid::gridfile

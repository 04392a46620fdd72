#pragma once
// Cell addresses as the grid files write them: column letters and a row number ("B7"), with "*" for
// the header row or column ("B*", "*7", "**").
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace grid::gridfile {

// Index 0 and kHeader both address the header row or column.
bool isHeader(std::int32_t index);

void appendColumn(std::string& out, std::int32_t col);
void appendRow(std::string& out, std::int32_t row);
std::string addressText(std::int32_t col, std::int32_t row);

// Letters (any case) or "*"; nullopt when malformed or beyond the column limit.
std::optional<std::int32_t> parseColumn(std::string_view s);
// Digits without a leading zero, or "*"; nullopt when malformed or beyond the row limit.
std::optional<std::int32_t> parseRow(std::string_view s);
bool parseAddress(std::string_view s, std::int32_t& col, std::int32_t& row);

}  // namespace grid::gridfile

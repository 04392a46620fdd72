#pragma once
// What the .xlsx and .ods readers of the office module share (pugixml).
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace connsheet::office {

// Parses one XML entry; false with "name: line:col: problem" in `error`.
bool parseXml(const std::string& bytes, const std::string& name, pugi::xml_document& document,
              std::string& error);

// "B12" -> column 2, row 12 ("$" allowed); false for anything else or beyond the limits.
bool parseCellName(std::string_view name, std::int32_t& col, std::int32_t& row);

// The name without its namespace prefix ("table:table-cell" -> "table-cell").
std::string_view localName(const pugi::xml_node& node);

}  // namespace connsheet::office

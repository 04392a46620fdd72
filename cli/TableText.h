#pragma once
// Values in text tables: one cell of a table must stay on its line and in its column.
#include <string>

namespace connsheet {

// "a\tb" for a tab, "\n" for a line break, "\r" for a carriage return, "\\" for a backslash.
std::string escapeForTable(const std::string& value);

}  // namespace connsheet

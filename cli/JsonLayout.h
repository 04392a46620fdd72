#pragma once
// Writing a JSON file back the way its author laid it out. A program that changes a few values of a
// hand-written file should leave a diff of those values, not of every line re-indented.
#include <string>
#include <string_view>

namespace connsheet {

// `original` with the values that `rewritten` changed put in place, every other byte (blanks, line
// breaks, member order, "10.0" against "10") as it was. When the two differ in more than values (a
// member added or dropped, an array of another length, a value of another kind) or either is not
// JSON, `rewritten` itself. Values are compared as values: 10.0 and 10 are the same number.
std::string keepJsonLayout(std::string_view original, const std::string& rewritten);

}  // namespace connsheet

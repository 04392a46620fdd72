#pragma once
// What a #NAME? error of an equation stands for: the words of the formula the grid was given that
// are neither cells nor functions it knows. Names that are variables have become cells by then, so
// what is left is a name the sheet does not declare, or a function nobody registered.
#include <string>
#include <string_view>

namespace grid {
class Sheet;
}

// ": unknown name Missing", ": unknown function SQUARE" (several joined by ", "); empty when no such
// word is found.
std::string vlNameErrorCause(const grid::Sheet& sheet, std::wstring_view formula);

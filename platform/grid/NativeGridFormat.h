#pragma once
// The first line of a native grid file: the magic word and the format's version ("connsheet-grid 1").
#include <string_view>

namespace grid::gridfile {

constexpr std::string_view kMagic = "connsheet-grid";
constexpr int kVersion = 1;

}  // namespace grid::gridfile

#pragma once
// Plain records of how a cell looks: its font, border and colours. Sheets intern fonts and keep
// non-default looks in side tables, since most cells look like their sheet's default.
#include <cstdint>
#include <string>

namespace grid {

// Colours are 0x00BBGGRR, or 0x80000000 | n for system colour n, as the host passes them.
constexpr std::uint32_t kSystemWindowColor = 0x80000005;
constexpr std::uint32_t kSystemWindowTextColor = 0x80000008;

struct CellColors {
    std::uint32_t back = kSystemWindowColor;
    std::uint32_t fore = kSystemWindowTextColor;
    bool operator==(const CellColors&) const = default;
};

struct CellFont {
    std::wstring face = L"Arial";
    std::int32_t height = 13;  // pixels
    std::int32_t weight = 400; // 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool bold() const { return weight >= 700; }
    bool operator==(const CellFont&) const = default;
};

struct CellBorder {
    std::uint32_t sides = 0;   // the border type bits as given (left, right, top, bottom, outline)
    std::uint32_t style = 0;
    std::uint32_t color = 0;
    bool operator==(const CellBorder&) const = default;
};

}  // namespace grid

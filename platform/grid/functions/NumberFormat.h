#pragma once
// Number format codes as TEXT(x, code) reads them: sections "positive;negative;zero;text", digit
// placeholders 0 # ?, the decimal point, "," for thousands (or, trailing, to scale by 1000), "%",
// exponents E+ / E-, literal text in quotes or after "\", and "General". Dates are not formatted.
#include <string>
#include <string_view>

namespace grid::functions {

class NumberFormat {
public:
    // The number written by the code; rounding is decimal (half away from zero).
    static std::wstring format(double value, std::wstring_view code);
    // A text written by the code's text section (its "@" replaced); the text itself when the code has
    // no text section.
    static std::wstring formatText(std::wstring_view text, std::wstring_view code);
};

}  // namespace grid::functions

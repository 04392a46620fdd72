#include "standards/VlTypedValue.h"

#include <cmath>
#include <string_view>

#include "platform/mxbase/NumberFunctions.h"

namespace {

constexpr int kDoubleDecimals = 7;

// Whether `text` already reads as the type writes a number: [-]digits for an Int, [-]digits "."
// seven digits for a Double. Results mostly come so (a child's output cell, an equation cell), and
// need not be read and written again.
bool writtenAs(std::wstring_view text, VlValueType type) {
    std::size_t i = !text.empty() && text[0] == L'-' ? 1 : 0;
    const std::size_t digitsFrom = i;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') ++i;
    if (i == digitsFrom) return false;
    if (type == kVlInteger) return i == text.size();
    if (i == text.size() || text[i] != L'.' || text.size() - i - 1 != kDoubleDecimals) return false;
    for (++i; i < text.size(); ++i)
        if (text[i] < L'0' || text[i] > L'9') return false;
    return true;
}

}  // namespace

Mx_String vlTypedValue(double number, VlValueType type) {
    if (type != kVlInteger) return formatNumber(number, kDoubleDecimals);
    Mx_String whole = formatNumber(number, 0);
    // -0.4 rounds to a zero without a sign, as the cell shows it.
    if (whole.str() == L"-0") whole = Mx_String(L"0");
    return whole;
}

Mx_String vlTypedValue(const Mx_String& text, VlValueType type) {
    if (!isNumericValueType(type) || writtenAs(text.view(), type)) return text;
    double number = 0;
    if (!text.toDouble(number) || !std::isfinite(number)) return text;
    return vlTypedValue(number, type);
}

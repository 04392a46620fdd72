#include "standards/VlTypedValue.h"

#include <cmath>

#include "platform/mxbase/NumberFunctions.h"

namespace {

constexpr int kDoubleDecimals = 7;

}  // namespace

Mx_String vlTypedValue(double number, VlValueType type) {
    if (type != kVlInteger) return formatNumber(number, kDoubleDecimals);
    Mx_String whole = formatNumber(number, 0);
    // -0.4 rounds to a zero without a sign, as the cell shows it.
    if (whole.str() == L"-0") whole = Mx_String(L"0");
    return whole;
}

Mx_String vlTypedValue(const Mx_String& text, VlValueType type) {
    if (!isNumericValueType(type)) return text;
    double number = 0;
    if (!text.toDouble(number) || !std::isfinite(number)) return text;
    return vlTypedValue(number, type);
}

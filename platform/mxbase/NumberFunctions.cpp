#include "platform/mxbase/NumberFunctions.h"

#include <algorithm>
#include <charconv>  // std::to_chars, std::from_chars: locale-independent
#include <cmath>
#include <cstdint>
#include <numeric>  // std::iota
#include <string>
#include <vector>

namespace {

constexpr int kMaxDecimals = 20;

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}
bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// How far a quotient may miss a half or a whole and still count as one. Binary representation and
// one division put the quotient within a few units in the last place of the exact decimal quotient;
// 2^-44 relative leaves ample room for that while anything a user types (up to about twelve
// significant digits) is still told apart.
double snapTolerance(double quotient) {
    return std::max(1.0, std::fabs(quotient)) * 0x1p-44;
}

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr double kExactIntegerLimit = 0x1p53;

// quotient * step, computed so that the result is the double nearest to the decimal product when the
// step is a short decimal (0.1, 0.05, 2.5): then step = n / 10^d exactly in decimal, and
// (quotient * n) / 10^d is an exact integer divided once, which rounds correctly.
double multipleOf(double quotient, double step) {
    for (int d = 0; d < 16; ++d) {
        double scaled = step * kPowersOfTen[d];
        if (scaled >= kExactIntegerLimit)
            break;
        double n = std::nearbyint(scaled);
        if (n > 0 && n / kPowersOfTen[d] == step) {
            double numerator = quotient * n;
            if (std::fabs(numerator) >= kExactIntegerLimit)
                break;
            return numerator / kPowersOfTen[d];
        }
    }
    return quotient * step;
}

double positiveZero(double value) {
    return value == 0 ? 0.0 : value;
}

// Decimal digits and exponent of the shortest text that reads back as `value` (finite, not negative):
// value = 0.d1d2d3... * 10^pointPosition.
struct DecimalDigits {
    std::string digits;
    int pointPosition = 0;
};

DecimalDigits shortestDigits(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    DecimalDigits result;
    if (ec != std::errc())
        return result;
    // Form: d[.ddd]e±XX
    const char* p = buffer;
    const char* exponent = std::find(buffer, end, 'e');
    for (; p < exponent; ++p) {
        if (*p != '.')
            result.digits += *p;
    }
    int exp = 0;
    std::from_chars(exponent + 1 + (exponent[1] == '+' ? 1 : 0), end, exp);
    result.pointPosition = exp + 1;
    return result;
}

}  // namespace

Mx_String formatNumber(double value, int decimals, bool trimZeros) {
    if (std::isnan(value))
        return Mx_String(L"nan");
    if (std::isinf(value))
        return Mx_String(value < 0 ? L"-inf" : L"inf");
    decimals = std::clamp(decimals, 0, kMaxDecimals);

    bool negative = std::signbit(value);
    DecimalDigits decimal = shortestDigits(std::fabs(value));
    std::string& digits = decimal.digits;
    int point = decimal.pointPosition;
    if (value == 0) {
        digits = "0";
        point = 1;
    }

    // Round the decimal text half away from zero at `decimals` digits after the point.
    int keep = point + decimals;
    if (keep < 0) {
        digits.clear();
    } else if (keep < static_cast<int>(digits.size())) {
        bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (roundUp) {
            int i = keep - 1;
            while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i)] = '0';
                --i;
            }
            if (i >= 0) {
                ++digits[static_cast<std::size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++point;
            }
        }
    }

    std::string text;
    // Integer part.
    if (point <= 0) {
        text = "0";
    } else {
        for (int i = 0; i < point; ++i) {
            text += i < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(i)] : '0';
        }
    }
    // Fraction.
    std::string fraction;
    for (int i = 0; i < decimals; ++i) {
        int index = point + i;
        fraction += (index >= 0 && index < static_cast<int>(digits.size()))
                        ? digits[static_cast<std::size_t>(index)]
                        : '0';
    }
    if (trimZeros) {
        while (!fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
    }
    if (!fraction.empty())
        text += '.' + fraction;

    bool allZero = std::all_of(text.begin(), text.end(), [](char c) { return c == '0' || c == '.'; });
    if (negative && !allZero)
        text.insert(text.begin(), '-');
    return Mx_String(std::wstring(text.begin(), text.end()));
}

Mx_String formatKeyNumber(double value) {
    return formatNumber(value, kKeyDecimals);
}

Mx_String formatShortest(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, positiveZero(value));
    if (ec != std::errc())
        return Mx_String();
    return Mx_String(std::wstring(buffer, end));
}

bool parseNumber(std::wstring_view text, double& value) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;

    // Validate the exact shape first: from_chars alone would also take "inf", "nan" and hex.
    std::string ascii;
    ascii.reserve(end - begin);
    std::size_t i = begin;
    bool negative = false;
    if (i < end && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    if (negative)
        ascii += '-';
    int mantissaDigits = 0;
    int integerDigits = 0;  // significant digits before the point, to tell overflow from underflow
    bool seenNonZero = false;
    for (; i < end && isDigit(text[i]); ++i, ++mantissaDigits) {
        ascii += static_cast<char>(text[i]);
        if (text[i] != L'0')
            seenNonZero = true;
        if (seenNonZero)
            ++integerDigits;
    }
    // A whole number of up to 15 digits (a size, a count, a key) is exact as a double: it needs no
    // general conversion.
    if (i == end && mantissaDigits > 0 && mantissaDigits <= 15) {
        std::uint64_t whole = 0;
        for (std::size_t digit = end - static_cast<std::size_t>(mantissaDigits); digit < end; ++digit)
            whole = whole * 10 + static_cast<std::uint64_t>(text[digit] - L'0');
        const double number = static_cast<double>(whole);
        value = negative ? -number : number;
        return true;
    }
    if (i < end && text[i] == L'.') {
        ascii += '.';
        for (++i; i < end && isDigit(text[i]); ++i, ++mantissaDigits)
            ascii += static_cast<char>(text[i]);
    }
    if (mantissaDigits == 0)
        return false;
    long long exponent = 0;
    if (i < end && (text[i] == L'e' || text[i] == L'E')) {
        ascii += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == L'+' || text[i] == L'-')) {
            negativeExponent = text[i] == L'-';
            ascii += static_cast<char>(text[i]);
            ++i;
        }
        int exponentDigits = 0;
        for (; i < end && isDigit(text[i]); ++i, ++exponentDigits) {
            ascii += static_cast<char>(text[i]);
            if (exponent < 100000)
                exponent = exponent * 10 + (text[i] - L'0');
        }
        if (exponentDigits == 0)
            return false;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != end)
        return false;

    double parsed = 0;
    auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), parsed);
    if (ptr != ascii.data() + ascii.size())
        return false;
    if (ec == std::errc::result_out_of_range) {
        // Too small to represent is zero; too large is not a usable number.
        if (integerDigits + exponent > 0)
            return false;
        parsed = negative ? -0.0 : 0.0;
    } else if (ec != std::errc()) {
        return false;
    }
    value = parsed;
    return true;
}

double ObjectExportRoundTo(double value, double step) {
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(value))
        return value;
    double quotient = value / step;
    if (!std::isfinite(quotient))
        return value;
    double whole = std::trunc(quotient);
    double fraction = std::fabs(quotient - whole);
    if (fraction >= 0.5 - snapTolerance(quotient))
        whole += std::copysign(1.0, quotient);
    return positiveZero(multipleOf(whole, step));
}

bool ObjectExportRoundUp(double value, double step, double& result) {
    result = value;
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(value))
        return false;
    double quotient = value / step;
    if (!std::isfinite(quotient))
        return false;
    double nearest = std::nearbyint(quotient);
    double whole = std::fabs(quotient - nearest) <= snapTolerance(quotient) ? nearest : std::ceil(quotient);
    result = positiveZero(multipleOf(whole, step));
    return true;
}

double ObjectExportRoundUp(double value, double step) {
    double result = value;
    ObjectExportRoundUp(value, step, result);
    return result;
}

namespace {

// The stable order of `keys`, NaN last.
std::vector<int> sortedOrder(const AcArray<double>& keys, bool ascending) {
    std::vector<int> order(static_cast<std::size_t>(keys.length()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        double x = keys[a];
        double y = keys[b];
        if (std::isnan(x) || std::isnan(y))
            return !std::isnan(x) && std::isnan(y);
        return ascending ? x < y : x > y;
    });
    return order;
}

template <typename T>
void applyOrder(AcArray<T>& items, const std::vector<int>& order) {
    AcArray<T> sorted(static_cast<int>(order.size()));
    for (int index : order)
        sorted.append(items[index]);
    items = std::move(sorted);
}

template <typename Companion>
bool sortWith(AcArray<double>& keys, AcArray<Companion>* companions, bool ascending) {
    if (companions != nullptr && companions->length() != keys.length())
        return false;
    std::vector<int> order = sortedOrder(keys, ascending);
    applyOrder(keys, order);
    if (companions != nullptr)
        applyOrder(*companions, order);
    return true;
}

}  // namespace

bool ObjectExportSort(AcArray<double>& keys, bool ascending) {
    return sortWith<double>(keys, nullptr, ascending);
}

bool ObjectExportSort(AcArray<double>& keys, AcArray<int>& companions, bool ascending) {
    return sortWith(keys, &companions, ascending);
}

bool ObjectExportSort(AcArray<double>& keys, AcArray<double>& companions, bool ascending) {
    if (&keys == &companions)
        return sortWith<double>(keys, nullptr, ascending);
    return sortWith(keys, &companions, ascending);
}

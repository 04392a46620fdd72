#include "platform/grid/Value.h"

#include <algorithm>  // max
#include <array>
#include <charconv>   // to_chars
#include <cmath>
#include <cstdio>
#include <cstdlib>  // strtod
#include <string>
#include <cwctype>  // towupper

namespace grid {
namespace {

const std::wstring& emptyText() {
    static const std::wstring empty;
    return empty;
}

constexpr std::array<std::wstring_view, 7> kErrorTexts = {
    L"#DIV/0!", L"#VALUE!", L"#REF!", L"#NAME?", L"#N/A", L"#NUM!", L"#CIRCULAR!",
};

}  // namespace

std::wstring_view errorText(ErrorCode code) {
    auto index = static_cast<std::size_t>(code) - 1;
    return index < kErrorTexts.size() ? kErrorTexts[index] : L"#VALUE!";
}

std::optional<ErrorCode> errorFromText(std::wstring_view text) {
    for (std::size_t i = 0; i < kErrorTexts.size(); ++i)
        if (kErrorTexts[i] == text) return static_cast<ErrorCode>(i + 1);
    return std::nullopt;
}

Value Value::text(std::wstring s) { return text(std::make_shared<const std::wstring>(std::move(s))); }

Value Value::text(std::shared_ptr<const std::wstring> s) {
    Value v(Kind::Text, 0.0);
    v.text_ = s ? std::move(s) : std::make_shared<const std::wstring>();
    return v;
}

const std::wstring& Value::asText() const { return text_ ? *text_ : emptyText(); }

bool Value::operator==(const Value& other) const {
    if (kind_ != other.kind_) return false;
    switch (kind_) {
        case Kind::Empty: return true;
        case Kind::Number: return number_ == other.number_ && logical_ == other.logical_;
        case Kind::Text: return asText() == other.asText();
        case Kind::Error: return error_ == other.error_;
    }
    return false;
}

namespace {

// A number's decimal digits (no trailing zeros) and the exponent of the first: d.ddd x 10^exponent.
struct Decimal {
    bool negative = false;
    char digits[24];
    std::size_t count = 0;
    int exponent = 0;
};

// Reads what to_chars writes in scientific notation, "-d.ddde+XX", between sci and end.
void readScientific(const char* sci, const char* end, Decimal& d) {
    const char* e = std::find(sci, end, 'e');
    d.negative = sci[0] == '-';
    d.count = 0;
    for (const char* p = sci + (d.negative ? 1 : 0); p < e; ++p)
        if (*p != '.')
            d.digits[d.count++] = *p;
    while (d.count > 1 && d.digits[d.count - 1] == '0')
        --d.count;
    const char* x = e + 1;
    if (x < end && *x == '+')
        ++x;
    std::from_chars(x, end, d.exponent);
}

// Digits in fixed notation: 0.00ddd, ddd.dd or ddd (no zeros after the last digit).
char* writeFixed(const Decimal& d, char* o) {
    if (d.negative)
        *o++ = '-';
    if (d.exponent < 0) {
        *o++ = '0';
        *o++ = '.';
        for (int i = -1; i > d.exponent; --i)
            *o++ = '0';
        return std::copy(d.digits, d.digits + d.count, o);
    }
    const auto whole = static_cast<std::size_t>(d.exponent) + 1;
    for (std::size_t i = 0; i < std::max(whole, d.count); ++i) {
        if (i == whole)
            *o++ = '.';
        *o++ = i < d.count ? d.digits[i] : '0';
    }
    return o;
}

// What %.15G writes, trailing zeros of the fraction and leading zeros of the exponent removed.
std::size_t writeGeneral(const Decimal& d, char* out) {
    char* o = out;
    if (d.exponent < -4 || d.exponent >= 15) {
        if (d.negative)
            *o++ = '-';
        *o++ = d.digits[0];
        if (d.count > 1) {
            *o++ = '.';
            o = std::copy(d.digits + 1, d.digits + d.count, o);
        }
        *o++ = 'E';
        *o++ = d.exponent < 0 ? '-' : '+';
        o = std::to_chars(o, o + 8, d.exponent < 0 ? -d.exponent : d.exponent).ptr;
        return static_cast<std::size_t>(o - out);
    }
    return static_cast<std::size_t>(writeFixed(d, o) - out);
}

bool isSubnormal(double value) {
    return std::fabs(value) < 2.2250738585072014e-308;
}

// The number's shortest scientific text into sci (at least 40 bytes); returns its end. More than 15
// significant digits: the shortest text is not the general one.
const char* shortestScientific(double value, char* sci) {
    return std::to_chars(sci, sci + 40, value, std::chars_format::scientific).ptr;
}

bool longerThan15Digits(const char* sci, const char* end) {
    // "d.ddd": the digits and the point before the exponent.
    return std::find(sci, end, 'e') - sci > (sci[0] == '-' ? 17 : 16);
}

// The digits of the general text: the shortest ones when there are at most 15 of them, because
// rounding the double to 15 digits lands on the same decimal; longer ones, and those of subnormal
// numbers (which carry fewer digits than their shortest text suggests), rounded to 15 digits as
// printf rounds them: exactly, from the double's binary value.
void generalDigits(double value, const char* sci, const char* end, Decimal& d) {
    if (sci == end || longerThan15Digits(sci, end)) {
        char rounded[40];
        end = std::to_chars(rounded, rounded + sizeof rounded, value, std::chars_format::scientific, 14).ptr;
        readScientific(rounded, end, d);
        return;
    }
    readScientific(sci, end, d);
}

}  // namespace

std::size_t formatNumberAscii(double value, char* out) {
    auto put = [&](std::string_view text) {
        std::copy(text.begin(), text.end(), out);
        return text.size();
    };
    if (!std::isfinite(value))
        return put("#NUM!");
    if (value == 0.0)
        return put("0");
    // Whole numbers below 10^15 are their digits.
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return static_cast<std::size_t>(std::to_chars(out, out + 24, static_cast<std::int64_t>(value)).ptr -
                                        out);
    char sci[40];
    const char* end = isSubnormal(value) ? sci : shortestScientific(value, sci);
    Decimal d;
    generalDigits(value, sci, end, d);
    return writeGeneral(d, out);
}

void formatNumberTexts(double value, NumberTexts& out) {
    auto plain = [&] {
        out.shortestLength = static_cast<std::size_t>(
            std::to_chars(out.shortest, out.shortest + kNumberTextMax, value).ptr - out.shortest);
    };
    if (value == 0.0 || isSubnormal(value) || (std::fabs(value) < 1e15 && value == std::trunc(value))) {
        out.generalLength = formatNumberAscii(value, out.general);
        plain();
        return;
    }
    char sci[40];
    const char* end = shortestScientific(value, sci);
    Decimal shortest;
    readScientific(sci, end, shortest);
    if (longerThan15Digits(sci, end)) {
        Decimal d;
        generalDigits(value, sci, end, d);
        out.generalLength = writeGeneral(d, out.general);
    } else {
        out.generalLength = writeGeneral(shortest, out.general);
    }
    // to_chars without a format writes the shorter of fixed and scientific notation, fixed on a tie.
    // Fixed notation with zeros after the digits (large numbers) is left to to_chars itself.
    const auto sciLength = static_cast<std::size_t>(end - sci);
    const bool padded =
        shortest.exponent >= 0 && static_cast<std::size_t>(shortest.exponent) + 1 > shortest.count;
    if (padded) {
        plain();
        return;
    }
    const std::size_t sign = shortest.negative ? 1 : 0;
    const std::size_t fixedLength =
        shortest.exponent < 0
            ? sign + 1 + static_cast<std::size_t>(-shortest.exponent) + shortest.count
            : sign + shortest.count + (shortest.count > static_cast<std::size_t>(shortest.exponent) + 1);
    if (fixedLength <= sciLength) {
        out.shortestLength = static_cast<std::size_t>(writeFixed(shortest, out.shortest) - out.shortest);
    } else {
        out.shortestLength = sciLength;
        std::copy(static_cast<const char*>(sci), end, out.shortest);
    }
}

std::wstring formatNumber(double value) {
    char buffer[kNumberTextMax];
    const std::size_t n = formatNumberAscii(value, buffer);
    return std::wstring(buffer, buffer + n);
}

std::optional<double> parseNumber(std::wstring_view text) {
    std::size_t i = 0, n = text.size();
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (i < n && blank(text[i])) ++i;
    while (n > i && blank(text[n - 1])) --n;
    if (i == n) return std::nullopt;
    // The number as ASCII, checked on the way: [+-]digits[.digits][e[+-]digits]. Short texts (all
    // but pathological ones) stay on the stack.
    char small[64];
    std::string large;
    char* ascii = small;
    if (n - i >= sizeof small) {
        large.resize(n - i + 1);
        ascii = large.data();
    }
    std::size_t length = 0;
    std::size_t k = i;
    bool minus = false;
    if (text[k] == L'+' || text[k] == L'-') minus = text[k++] == L'-';
    if (minus) ascii[length++] = '-';
    bool digits = false, dot = false;
    for (; k < n; ++k) {
        wchar_t c = text[k];
        if (c >= L'0' && c <= L'9') {
            digits = true;
        } else if (c == L'.' && !dot) {
            dot = true;
        } else {
            break;
        }
        ascii[length++] = static_cast<char>(c);
    }
    if (!digits) return std::nullopt;
    if (k < n && (text[k] == L'e' || text[k] == L'E')) {
        ascii[length++] = 'e';
        ++k;
        if (k < n && (text[k] == L'+' || text[k] == L'-')) ascii[length++] = static_cast<char>(text[k++]);
        bool expDigits = false;
        for (; k < n && text[k] >= L'0' && text[k] <= L'9'; ++k) {
            ascii[length++] = static_cast<char>(text[k]);
            expDigits = true;
        }
        if (!expDigits) return std::nullopt;
    }
    if (k != n) return std::nullopt;
    double v = 0.0;
    auto result = std::from_chars(ascii, ascii + length, v);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow is no number; underflow reads as strtod reads it (0 or a subnormal).
        ascii[length] = '\0';
        v = std::strtod(ascii, nullptr);
    } else if (result.ec != std::errc() || result.ptr != ascii + length) {
        return std::nullopt;
    }
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

NumberOrError toNumber(const Value& v) {
    switch (v.kind()) {
        case Value::Kind::Empty: return {0.0, std::nullopt};
        case Value::Kind::Number: return {v.asNumber(), std::nullopt};
        case Value::Kind::Text:
            if (auto n = parseNumber(v.asText())) return {*n, std::nullopt};
            return {0.0, ErrorCode::Value};
        case Value::Kind::Error: return {0.0, v.asError()};
    }
    return {0.0, ErrorCode::Value};
}

TextOrError toText(const Value& v) {
    switch (v.kind()) {
        case Value::Kind::Empty: return {};
        case Value::Kind::Number: return {formatNumber(v.asNumber()), std::nullopt};
        case Value::Kind::Text: return {v.asText(), std::nullopt};
        case Value::Kind::Error: return {{}, v.asError()};
    }
    return {};
}

BoolOrError toBool(const Value& v) {
    if (v.isText()) {
        const std::wstring& t = v.asText();
        auto upper = [&](std::wstring_view w) {
            if (t.size() != w.size()) return false;
            for (std::size_t i = 0; i < t.size(); ++i)
                if (static_cast<wchar_t>(std::towupper(static_cast<wint_t>(t[i]))) != w[i]) return false;
            return true;
        };
        if (upper(L"TRUE")) return {true, std::nullopt};
        if (upper(L"FALSE")) return {false, std::nullopt};
    }
    NumberOrError n = toNumber(v);
    return {n.number != 0.0, n.error};
}

std::wstring displayText(const Value& v) {
    switch (v.kind()) {
        case Value::Kind::Number: return formatNumber(v.asNumber());
        case Value::Kind::Text: return v.asText();
        default: return {};
    }
}

int compareValues(const Value& a, const Value& b) {
    bool aText = a.isText(), bText = b.isText();
    if (aText != bText) return aText ? 1 : -1;
    if (aText) {
        int c = a.asText().compare(b.asText());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return compareNumbers(a.isNumber() ? a.asNumber() : 0.0, b.isNumber() ? b.asNumber() : 0.0);
}

int compareNumbers(double a, double b) {
    if (a == b) return 0;
    const int order = a < b ? -1 : 1;
    // Numbers apart by more than a unit of their 15th digit differ there whatever the rounding;
    // only the rest need the rounding itself.
    if (std::fabs(a - b) > std::max(std::fabs(a), std::fabs(b)) * 1e-14) return order;
    auto rounded = [](double x) {
        char buffer[40];
        char* end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 14).ptr;
        double r = x;
        std::from_chars(buffer, end, r);
        return r;
    };
    return rounded(a) == rounded(b) ? 0 : order;
}

}  // namespace grid

#include "platform/grid/Value.h"

#include <algorithm>  // max
#include <array>
#include <charconv>   // to_chars
#include <cmath>
#include <cstdio>
#include <cstdlib>  // strtod
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

// %.15G, with trailing zeros of the fraction and leading zeros of the exponent removed.
std::wstring formatNumberSlow(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string s(buffer);
    std::string exponent;
    if (auto e = s.find('E'); e != std::string::npos) {
        exponent = s.substr(e);
        s.resize(e);
    }
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    if (!exponent.empty()) {
        char sign = exponent.size() > 1 ? exponent[1] : '+';
        std::size_t digits = 2;
        while (digits + 1 < exponent.size() && exponent[digits] == '0') ++digits;
        exponent = std::string("E") + sign + exponent.substr(digits);
    }
    s += exponent;
    return std::wstring(s.begin(), s.end());
}

}  // namespace

std::wstring formatNumber(double value) {
    if (!std::isfinite(value)) return L"#NUM!";
    if (value == 0.0) return L"0";
    // Fast path: the shortest text that reads back as the same double. When it has at most 15
    // significant digits it is exactly what %.15G with trailing zeros removed gives, because
    // rounding the double to 15 digits lands on the same decimal. Otherwise printf decides.
    // Subnormal numbers carry fewer digits than their shortest text suggests.
    if (std::fabs(value) < 2.2250738585072014e-308) return formatNumberSlow(value);
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    if (result.ec != std::errc()) return formatNumberSlow(value);
    std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
    std::size_t e = sci.find('e');
    if (e == std::string_view::npos) return formatNumberSlow(value);
    bool negative = sci[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i)
        if (sci[i] != '.') digits += sci[i];
    if (digits.size() > 15) return formatNumberSlow(value);
    int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
    std::wstring out;
    if (negative) out += L'-';
    if (exponent < -4 || exponent >= 15) {
        out += static_cast<wchar_t>(digits[0]);
        if (digits.size() > 1) {
            out += L'.';
            for (std::size_t i = 1; i < digits.size(); ++i) out += static_cast<wchar_t>(digits[i]);
        }
        out += exponent < 0 ? L"E-" : L"E+";
        for (char c : std::to_string(exponent < 0 ? -exponent : exponent)) out += static_cast<wchar_t>(c);
        return out;
    }
    if (exponent < 0) {
        out += L"0.";
        for (int i = -1; i > exponent; --i) out += L'0';
        for (char c : digits) out += static_cast<wchar_t>(c);
        return out;
    }
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    for (std::size_t i = 0; i < std::max(whole, digits.size()); ++i) {
        if (i == whole) out += L'.';
        out += i < digits.size() ? static_cast<wchar_t>(digits[i]) : L'0';
    }
    return out;
}

std::optional<double> parseNumber(std::wstring_view text) {
    std::size_t i = 0, n = text.size();
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (i < n && blank(text[i])) ++i;
    while (n > i && blank(text[n - 1])) --n;
    if (i == n) return std::nullopt;
    std::string ascii;
    ascii.reserve(n - i);
    std::size_t k = i;
    if (text[k] == L'+' || text[k] == L'-') ascii += static_cast<char>(text[k++]);
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
        ascii += static_cast<char>(c);
    }
    if (!digits) return std::nullopt;
    if (k < n && (text[k] == L'e' || text[k] == L'E')) {
        ascii += 'e';
        ++k;
        if (k < n && (text[k] == L'+' || text[k] == L'-')) ascii += static_cast<char>(text[k++]);
        bool expDigits = false;
        for (; k < n && text[k] >= L'0' && text[k] <= L'9'; ++k) {
            ascii += static_cast<char>(text[k]);
            expDigits = true;
        }
        if (!expDigits) return std::nullopt;
    }
    if (k != n) return std::nullopt;
    double v = std::strtod(ascii.c_str(), nullptr);
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
    double x = a.isNumber() ? a.asNumber() : 0.0, y = b.isNumber() ? b.asNumber() : 0.0;
    return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace grid

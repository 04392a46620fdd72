#include "platform/grid/Value.h"

#include <array>
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

std::wstring formatNumber(double value) {
    if (!std::isfinite(value)) return L"#NUM!";
    if (value == 0.0) return L"0";
    // %.15G gives 15 significant digits; trim trailing zeros of the fraction and of the mantissa.
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
        // "E+020" style never appears with %G on glibc, but normalise "E+05" to "E+5".
        char sign = exponent.size() > 1 ? exponent[1] : '+';
        std::size_t digits = 2;
        while (digits + 1 < exponent.size() && exponent[digits] == '0') ++digits;
        exponent = std::string("E") + sign + exponent.substr(digits);
    }
    s += exponent;
    return std::wstring(s.begin(), s.end());
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
                if (std::towupper(t[i]) != w[i]) return false;
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

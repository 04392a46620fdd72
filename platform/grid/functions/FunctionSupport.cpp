#include "platform/grid/functions/FunctionSupport.h"

#include <algorithm>
#include <charconv>  // to_chars, from_chars: locale-free and heap-free

namespace grid::functions {

// ---- single arguments ------------------------------------------------------------------------

NumberOrError numberArg(const Arg& arg, CallContext& context) { return toNumber(scalarOf(arg, context)); }

IntegerOrError integerArg(const Arg& arg, CallContext& context) {
    NumberOrError n = numberArg(arg, context);
    if (n.error) return {0, n.error};
    if (std::isnan(n.number)) return {0, ErrorCode::Num};
    // Clamp before converting: a double beyond the int64 range is undefined behaviour to cast.
    constexpr double kLimit = 1e15;
    double t = std::trunc(std::clamp(n.number, -kLimit, kLimit));
    return {static_cast<std::int64_t>(t), std::nullopt};
}

TextOrError textArg(const Arg& arg, CallContext& context) { return toText(scalarOf(arg, context)); }

BoolOrError boolArg(const Arg& arg, CallContext& context) { return toBool(scalarOf(arg, context)); }

// ---- numbers ---------------------------------------------------------------------------------

namespace {

constexpr double kPowersOf10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                  1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The exact path: round the 15-significant-digit decimal of |x| as integers, then let strtod find
// the double nearest the decimal result.
double roundThroughDecimal(double x, int digits, Rounding mode) {
    double ax = std::fabs(x);
    if (ax == 0.0) return 0.0;
    char buffer[48];
    // d.dddddddddddddde±XX: 15 significant digits
    char* end = std::to_chars(buffer, buffer + sizeof buffer, ax, std::chars_format::scientific, 14).ptr;
    std::int64_t mantissa = 0;
    const char* p = buffer;
    for (; p != end && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') mantissa = mantissa * 10 + (*p - '0');
    int exponent = 0;
    if (p != end) std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);

    // |x| ~ mantissa * 10^(exponent - 14); digits below 10^-digits are dropped. When there are none
    // at 15 digits the answer is the number as shown, which also makes ROUND(123456789012345.5, 0)
    // a whole number.
    int shift = exponent - 14 + digits;
    int dropped = -shift;
    std::int64_t kept = 0, rest = mantissa;
    bool half = false;  // rest >= half a unit of the last kept digit
    if (shift >= 0) {
        kept = mantissa;
        rest = 0;
        digits = 14 - exponent;
    } else if (dropped <= 15) {
        auto unit = static_cast<std::int64_t>(kPowersOf10[dropped]);
        kept = mantissa / unit;
        rest = mantissa % unit;
        half = rest * 2 >= unit;
    }
    bool negative = x < 0;
    bool increment = false;
    switch (mode) {
        case Rounding::HalfAwayFromZero: increment = half; break;
        case Rounding::AwayFromZero: increment = rest != 0; break;
        case Rounding::TowardZero: increment = false; break;
        case Rounding::Down: increment = negative && rest != 0; break;
    }
    if (increment) ++kept;
    if (kept == 0) return 0.0;
    // The decimal kept·10^-digits, converted once so the result is the double nearest to it.
    char exponentText[8];  // "e-400" at most
    exponentText[0] = 'e';
    char* exponentEnd = std::to_chars(exponentText + 1, exponentText + sizeof exponentText, -digits).ptr;
    end = std::to_chars(buffer, buffer + 24, kept).ptr;  // 16 digits at most
    end = std::copy(exponentText, exponentEnd, end);
    double r = 0.0;
    if (std::from_chars(buffer, end, r).ec == std::errc::result_out_of_range)
        r = digits < 0 ? HUGE_VAL : 0.0;  // beyond the doubles: the caller turns infinity into #NUM!
    return negative ? -r : r;
}

}  // namespace

double roundDecimal(double x, int digits, Rounding mode) {
    if (!std::isfinite(x)) return x;
    digits = std::clamp(digits, -400, 400);
    // Fast path: scale by an exact power of ten and decide on the scaled value, unless it lies so
    // close to the point where the decision changes (.5 for ROUND, an integer otherwise) that the
    // 15-digit decimal could fall on the other side; then take the exact path.
    if (digits >= -22 && digits <= 22) {
        double ax = std::fabs(x);
        double scale = kPowersOf10[digits >= 0 ? digits : -digits];
        double y = digits >= 0 ? ax * scale : ax / scale;
        if (y < 4e15) {
            double whole = std::floor(y), fraction = y - whole;
            double tolerance = y * 4e-15;
            bool negative = x < 0;
            bool up = false, decided = fraction == 0.0;
            if (mode == Rounding::HalfAwayFromZero) {
                decided = std::fabs(fraction - 0.5) > tolerance;
                up = fraction >= 0.5;
                // An exact binary tie (2.5, 0.125 to two places) is a decimal tie too when the
                // scaling was exact and the number has at most 15 digits: round it up here.
                if (fraction == 0.5 && y < 1e14) {
                    double residue = digits >= 0 ? std::fma(ax, scale, -y) : std::fma(y, scale, -ax);
                    decided = residue == 0.0;
                }
            } else if (!decided) {
                decided = std::min(fraction, 1.0 - fraction) > tolerance;
                up = mode == Rounding::AwayFromZero || (mode == Rounding::Down && negative);
            }
            if (decided) {
                double r = up ? whole + 1.0 : whole;
                if (r == 0.0) return 0.0;
                r = digits >= 0 ? r / scale : r * scale;
                return negative ? -r : r;
            }
        } else if (digits >= 0) {
            return x;  // no fraction left at this scale
        }
    }
    return roundThroughDecimal(x, digits, mode);
}

double roundSignificant(double x, int digits) {
    if (!std::isfinite(x) || x == 0.0) return x;
    char buffer[48];
    char* end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific,
                              std::clamp(digits, 1, 17) - 1).ptr;
    double r = x;
    std::from_chars(buffer, end, r);
    return r;
}

double snapQuotient(double q) {
    double r = std::nearbyint(q);
    return std::fabs(q - r) <= std::fabs(r) * 1e-13 ? r : q;
}

// ---- text ------------------------------------------------------------------------------------

wchar_t upperChar(wchar_t c) {
    if (c < 0x80) return (c >= L'a' && c <= L'z') ? c - 32 : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c == 0xFF) return 0x178;
    if ((c >= 0x100 && c <= 0x137 && c != 0x130 && c != 0x131) || (c >= 0x14A && c <= 0x177))
        return (c & 1) ? c - 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
    if (c >= 0x3B1 && c <= 0x3C9) return c == 0x3C2 ? 0x3A3 : c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

wchar_t lowerChar(wchar_t c) {
    if (c < 0x80) return (c >= L'A' && c <= L'Z') ? c + 32 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    if (c == 0x178) return 0xFF;
    if ((c >= 0x100 && c <= 0x137 && c != 0x130 && c != 0x131) || (c >= 0x14A && c <= 0x177))
        return (c & 1) ? c : c + 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    return c;
}

bool equalsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upperChar(a[i]) != upperChar(b[i])) return false;
    return true;
}

bool hasWildcards(std::wstring_view pattern) { return pattern.find_first_of(L"*?~") != std::wstring_view::npos; }

bool wildcardMatch(std::wstring_view pattern, std::wstring_view text, CaseMatch caseMatch, MatchExtent extent) {
    auto same = [caseMatch](wchar_t a, wchar_t b) {
        return a == b || (caseMatch == CaseMatch::Insensitive && upperChar(a) == upperChar(b));
    };
    auto escaped = [&](std::size_t p) {
        return pattern[p] == L'~' && p + 1 < pattern.size() &&
               (pattern[p + 1] == L'*' || pattern[p + 1] == L'?' || pattern[p + 1] == L'~');
    };
    // Greedy matching with one backtrack point, the last "*" seen: a later star always subsumes
    // an earlier one, so this is linear per star rather than exponential.
    constexpr std::size_t kNone = std::wstring_view::npos;
    std::size_t p = 0, t = 0, starPattern = kNone, starText = 0;
    while (t < text.size()) {
        if (extent == MatchExtent::Prefix && p == pattern.size()) return true;
        if (p < pattern.size()) {
            if (pattern[p] == L'*') {
                starPattern = ++p;
                starText = t;
                continue;
            }
            bool isEscaped = escaped(p);
            wchar_t literal = isEscaped ? pattern[p + 1] : pattern[p];
            if ((!isEscaped && literal == L'?') || same(literal, text[t])) {
                p += isEscaped ? 2 : 1;
                ++t;
                continue;
            }
        }
        if (starPattern == kNone) return false;
        p = starPattern;
        t = ++starText;
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

// ---- lookups ---------------------------------------------------------------------------------

std::optional<int> lookupCompare(const Value& cell, const Value& key) {
    if (cell.isNumber() && key.isNumber()) return compareNumbers(cell.asNumber(), key.asNumber());
    if (cell.isText() && key.isText()) {
        int c = cell.asText().compare(key.asText());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return std::nullopt;
}

}  // namespace grid::functions

#include "platform/grid/functions/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>  // snprintf
#include <cstdlib>
#include <vector>

#include "platform/grid/Value.h"
#include "platform/grid/functions/FunctionSupport.h"

namespace grid::functions {
namespace {

// Placeholders beyond this many fraction digits are written as zeros/blanks without computing them.
constexpr int kMaxFractionDigits = 30;

struct Token {
    enum class Kind : std::uint8_t { Literal, Digit, Point, Exponent, General };
    Kind kind = Kind::Literal;
    wchar_t symbol = 0;  // the placeholder (0 # ?), the exponent's sign mode (+ -), or 'E'/'e'
    wchar_t letter = L'E';
    std::wstring text;   // literals
};

struct Section {
    std::vector<Token> tokens;
    bool grouping = false;
    int percent = 0;
    int scaleThousands = 0;
    bool hasPoint = false;
    bool hasExponent = false;
};

std::vector<std::wstring_view> splitSections(std::wstring_view code) {
    std::vector<std::wstring_view> sections;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        wchar_t c = code[i];
        if (c == L'"') {
            quoted = !quoted;
        } else if (!quoted && c == L'\\') {
            ++i;
        } else if (!quoted && c == L';') {
            sections.push_back(code.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(code.substr(start));
    return sections;
}

bool isPlaceholder(wchar_t c) { return c == L'0' || c == L'#' || c == L'?'; }

Section parseSection(std::wstring_view code) {
    Section s;
    auto literal = [&](std::wstring_view text) {
        if (!s.tokens.empty() && s.tokens.back().kind == Token::Kind::Literal) {
            s.tokens.back().text += text;
        } else {
            Token t;
            t.text = text;
            s.tokens.push_back(std::move(t));
        }
    };
    auto previousIsDigit = [&] { return !s.tokens.empty() && s.tokens.back().kind == Token::Kind::Digit; };
    for (std::size_t i = 0; i < code.size(); ++i) {
        wchar_t c = code[i];
        if (c == L'"') {
            std::size_t end = code.find(L'"', i + 1);
            if (end == std::wstring_view::npos) end = code.size();
            literal(code.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == L'\\' && i + 1 < code.size()) {
            literal(code.substr(++i, 1));
        } else if (c == L'_' && i + 1 < code.size()) {
            ++i;
            literal(L" ");  // the width of the next character
        } else if (c == L'*' && i + 1 < code.size()) {
            ++i;  // fill to the column width: there is no column
        } else if (c == L'[') {
            std::size_t end = code.find(L']', i);
            i = end == std::wstring_view::npos ? code.size() : end;  // colours and conditions
        } else if (isPlaceholder(c)) {
            Token t;
            t.kind = Token::Kind::Digit;
            t.symbol = c;
            s.tokens.push_back(t);
        } else if (c == L'.' && !s.hasPoint && !s.hasExponent) {
            s.hasPoint = true;
            s.tokens.push_back(Token{Token::Kind::Point});
        } else if (c == L',' && previousIsDigit()) {
            // Between placeholders a comma groups thousands; after the last one it scales by 1000.
            if (i + 1 < code.size() && isPlaceholder(code[i + 1]) && !s.hasPoint) {
                s.grouping = true;
            } else {
                ++s.scaleThousands;
            }
        } else if ((c == L'E' || c == L'e') && !s.hasExponent && i + 2 < code.size() &&
                   (code[i + 1] == L'+' || code[i + 1] == L'-') && isPlaceholder(code[i + 2])) {
            s.hasExponent = true;
            Token t;
            t.kind = Token::Kind::Exponent;
            t.symbol = code[i + 1];
            t.letter = c;
            s.tokens.push_back(t);
            ++i;
        } else if (c == L'%') {
            ++s.percent;
            literal(L"%");
        } else if (c == L'@') {
            s.tokens.push_back(Token{Token::Kind::General});
        } else if ((c == L'G' || c == L'g') && equalsIgnoringCase(code.substr(i, 7), L"General")) {
            s.tokens.push_back(Token{Token::Kind::General});
            i += 6;
        } else {
            literal(code.substr(i, 1));
        }
    }
    return s;
}

// v / 10^exponent without overflowing the power on its way (1E-320 has an exponent of -320, and
// 10^320 is not a double).
double powerOf10(int e) {
    static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (e >= 0 && e <= 22) return kExact[e];
    return std::pow(10.0, e);
}

double scaleDown(double v, int exponent) {
    if (exponent >= 0 && exponent <= 22) return v / powerOf10(exponent);
    if (exponent < 0 && exponent >= -22) return v * powerOf10(-exponent);
    int half = exponent / 2;
    return v / std::pow(10.0, half) / std::pow(10.0, exponent - half);
}

// Writes an already rounded non-negative number with `decimals` digits after the point and splits
// it: integer digits without leading zeros ("" for 0) and exactly `decimals` fraction digits. Only
// 15 significant digits are written, the rest are zeros, as in every other text the engine makes of
// a number: TEXT(1/3, "0.00000000000000000") is "0.33333333333333300", not the binary fraction's
// "0.33333333333333331".
void splitDigits(double v, int decimals, std::string& integer, std::string& fraction) {
    integer.clear();
    fraction.assign(static_cast<std::size_t>(decimals), '0');
    if (v == 0.0) return;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", v);  // d.dddddddddddddde[+-]x
    char digits[15];
    digits[0] = buffer[0];
    std::copy(buffer + 2, buffer + 16, digits + 1);
    const int exponent = std::atoi(buffer + 17);
    // Significant digit i stands for 10^(exponent - i).
    auto digitAt = [&](int i) { return i >= 0 && i < 15 ? digits[i] : '0'; };
    for (int i = 0; i <= exponent; ++i) integer += digitAt(i);
    for (int k = 0; k < decimals; ++k) fraction[static_cast<std::size_t>(k)] = digitAt(exponent + 1 + k);
}

std::wstring formatSection(const Section& s, double value, bool writeSign) {
    bool negative = value < 0;
    double v = std::fabs(value);
    for (int i = 0; i < s.percent; ++i) v *= 100;
    for (int i = 0; i < s.scaleThousands; ++i) v /= 1000;
    if (!std::isfinite(v)) return std::wstring(errorText(ErrorCode::Num));

    // Count the placeholders of each part.
    int integerPlaces = 0, fractionPlaces = 0, exponentZeros = 0;
    bool integerHash = false;
    enum class Part { Integer, Fraction, Exponent } part = Part::Integer;
    for (const Token& t : s.tokens) {
        if (t.kind == Token::Kind::Point) part = Part::Fraction;
        if (t.kind == Token::Kind::Exponent) part = Part::Exponent;
        if (t.kind != Token::Kind::Digit) continue;
        if (part == Part::Integer) {
            ++integerPlaces;
            integerHash = integerHash || t.symbol == L'#';
        } else if (part == Part::Fraction) {
            ++fractionPlaces;
        } else if (t.symbol == L'0') {
            ++exponentZeros;
        }
    }
    int decimals = std::min(fractionPlaces, kMaxFractionDigits);

    int exponent = 0;
    if (s.hasExponent && v != 0.0) {
        int places = std::clamp(integerPlaces, 1, 300);  // more whole digits than any double has
        int magnitude = static_cast<int>(std::floor(std::log10(v)));
        // Engineering notation ("##0.0E+0") keeps the exponent a multiple of the integer places.
        auto choose = [&](int m) {
            if (integerHash && places > 1) return static_cast<int>(std::floor(static_cast<double>(m) / places)) * places;
            return m - (places - 1);
        };
        exponent = choose(magnitude);
        double mantissa = roundDecimal(scaleDown(v, exponent), decimals, Rounding::HalfAwayFromZero);
        if (mantissa >= powerOf10(places)) {  // 9.96 written as 10.0: one more power of ten
            exponent = choose(magnitude + 1);
            mantissa = roundDecimal(scaleDown(v, exponent), decimals, Rounding::HalfAwayFromZero);
        }
        v = mantissa;
    } else {
        v = roundDecimal(v, decimals, Rounding::HalfAwayFromZero);
    }
    if (!std::isfinite(v)) return std::wstring(errorText(ErrorCode::Num));

    std::string integer, fraction;
    splitDigits(v, decimals, integer, fraction);
    fraction.resize(static_cast<std::size_t>(fractionPlaces), '0');
    bool hasGeneral = std::any_of(s.tokens.begin(), s.tokens.end(),
                                  [](const Token& t) { return t.kind == Token::Kind::General; });
    bool showsZero = hasGeneral ? value == 0.0 : v == 0.0;  // no "-0.00"

    // The integer part (up to the point or exponent), written right to left so that surplus digits
    // go to the leftmost placeholder and grouping counts from the right.
    std::size_t integerEnd = 0;
    while (integerEnd < s.tokens.size() && s.tokens[integerEnd].kind != Token::Kind::Point &&
           s.tokens[integerEnd].kind != Token::Kind::Exponent)
        ++integerEnd;
    std::wstring reversed;
    std::size_t written = 0;  // integer digits written so far, padding zeros included
    auto writeDigit = [&](wchar_t d) {
        if (s.grouping && written > 0 && written % 3 == 0) reversed += L',';
        reversed += d;
        ++written;
    };
    std::size_t next = integer.size();  // integer digits not yet written are integer[0, next)
    int placesLeft = integerPlaces;
    // ".00" still shows the whole part; a code without placeholders ("\"Yes\"") shows only its text.
    if (integerPlaces == 0 && s.hasPoint)
        while (next > 0) writeDigit(static_cast<wchar_t>(integer[--next]));
    for (std::size_t i = integerEnd; i-- > 0;) {
        const Token& t = s.tokens[i];
        if (t.kind == Token::Kind::Literal) {
            reversed.append(t.text.rbegin(), t.text.rend());
        } else if (t.kind == Token::Kind::General) {
            std::wstring g = formatNumber(std::fabs(value));
            reversed.append(g.rbegin(), g.rend());
        } else if (t.kind == Token::Kind::Digit) {
            --placesLeft;
            if (next > 0) {
                writeDigit(static_cast<wchar_t>(integer[--next]));
                if (placesLeft == 0)
                    while (next > 0) writeDigit(static_cast<wchar_t>(integer[--next]));
            } else if (t.symbol == L'0') {
                writeDigit(L'0');
            } else if (t.symbol == L'?') {
                reversed += L' ';
            }
        }
    }
    std::wstring out(reversed.rbegin(), reversed.rend());

    // The point, the fraction and the exponent, left to right.
    int lastShown = -1;  // the last fraction place that must be shown
    {
        int j = 0;
        bool inFraction = false;
        for (std::size_t i = integerEnd; i < s.tokens.size(); ++i) {
            const Token& t = s.tokens[i];
            if (t.kind == Token::Kind::Point) inFraction = true;
            if (t.kind == Token::Kind::Exponent) break;
            if (inFraction && t.kind == Token::Kind::Digit) {
                if (t.symbol == L'0' || fraction[static_cast<std::size_t>(j)] != '0') lastShown = j;
                ++j;
            }
        }
    }
    int j = 0;
    bool inExponent = false;
    for (std::size_t i = integerEnd; i < s.tokens.size(); ++i) {
        const Token& t = s.tokens[i];
        switch (t.kind) {
            case Token::Kind::Literal: out += t.text; break;
            case Token::Kind::General: out += formatNumber(std::fabs(value)); break;
            case Token::Kind::Point: out += L'.'; break;
            case Token::Kind::Exponent: {
                inExponent = true;
                out += t.letter;
                if (exponent < 0) {
                    out += L'-';
                } else if (t.symbol == L'+') {
                    out += L'+';
                }
                std::wstring digits = std::to_wstring(std::abs(exponent));
                if (static_cast<int>(digits.size()) < exponentZeros)
                    digits.insert(0, static_cast<std::size_t>(exponentZeros) - digits.size(), L'0');
                out += digits;
                break;
            }
            case Token::Kind::Digit:
                if (inExponent) break;  // written with the exponent
                if (j <= lastShown) {
                    out += static_cast<wchar_t>(fraction[static_cast<std::size_t>(j)]);
                } else if (t.symbol == L'?') {
                    out += L' ';
                }
                ++j;
                break;
        }
    }
    if (negative && writeSign && !showsZero) out.insert(0, 1, L'-');
    return out;
}

}  // namespace

std::wstring NumberFormat::format(double value, std::wstring_view code) {
    if (!std::isfinite(value)) return std::wstring(errorText(ErrorCode::Num));
    std::vector<std::wstring_view> sections = splitSections(code);
    std::size_t index = 0;
    bool writeSign = true;
    if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
        index = 1;
        writeSign = false;  // the negative section writes its own signs
    } else if (value == 0 && sections.size() >= 3) {
        index = 2;
    }
    Section section = parseSection(sections[index]);
    if (section.tokens.empty()) return {};
    return formatSection(section, index == 1 ? -value : value, writeSign);
}

std::wstring NumberFormat::formatText(std::wstring_view text, std::wstring_view code) {
    std::vector<std::wstring_view> sections = splitSections(code);
    if (sections.size() < 4) return std::wstring(text);
    Section section = parseSection(sections[3]);
    std::wstring out;
    for (const Token& t : section.tokens) {
        if (t.kind == Token::Kind::Literal) out += t.text;
        if (t.kind == Token::Kind::General) out += text;
        // A code of many "@" would otherwise repeat a long text into any size; too long is too long.
        if (out.size() > kMaxTextLength) break;
    }
    return out;
}

}  // namespace grid::functions

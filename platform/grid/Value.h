#pragma once
// The engine's tagged value: what a cell computes to and what flows through formulas.
// Scalars (number, logical, error, empty) need no heap; text is shared and immutable, so copying a
// value never copies characters.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace grid {

enum class ErrorCode : std::uint8_t {
    Div0 = 1,   // #DIV/0!
    Value,      // #VALUE!
    Ref,        // #REF!
    Name,       // #NAME?
    NA,         // #N/A
    Num,        // #NUM!
    Circular,   // a cell that depends on itself
};

// "#DIV/0!", "#VALUE!", ... ; the circular error reads "#CIRCULAR!".
std::wstring_view errorText(ErrorCode code);
// The code whose text this is (exactly as errorText writes it), if any.
std::optional<ErrorCode> errorFromText(std::wstring_view text);

class Value {
public:
    // Ordered so that category tests are comparisons: everything below Text is numeric in arithmetic.
    enum class Kind : std::uint8_t { Empty, Number, Text, Error };

    Value() = default;
    static Value number(double v) { return Value(Kind::Number, v); }
    // A logical result: a number 1 or 0 that remembers it came from a comparison or logical function.
    static Value logical(bool b) {
        Value v(Kind::Number, b ? 1.0 : 0.0);
        v.logical_ = true;
        return v;
    }
    static Value text(std::wstring s);
    static Value text(std::shared_ptr<const std::wstring> s);
    static Value error(ErrorCode code) {
        Value v(Kind::Error, 0.0);
        v.error_ = code;
        return v;
    }

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isNumber() const { return kind_ == Kind::Number; }
    bool isLogical() const { return kind_ == Kind::Number && logical_; }
    bool isText() const { return kind_ == Kind::Text; }
    bool isError() const { return kind_ == Kind::Error; }

    double asNumber() const { return number_; }        // meaningful for Number
    ErrorCode asError() const { return error_; }        // meaningful for Error
    const std::wstring& asText() const;                 // meaningful for Text; "" otherwise
    const std::shared_ptr<const std::wstring>& sharedText() const { return text_; }

    // Exact equality of kind and content (text case-sensitive); used by tests and change detection.
    bool operator==(const Value& other) const;

private:
    Value(Kind k, double n) : kind_(k), number_(n) {}

    Kind kind_ = Kind::Empty;
    bool logical_ = false;
    ErrorCode error_ = ErrorCode::Value;
    double number_ = 0.0;
    std::shared_ptr<const std::wstring> text_;
};

// The longest text a formula may build, as the legacy component's cells held: "&", CONCATENATE,
// REPT, SUBSTITUTE, REPLACE, TEXT and every other function that makes a text give #VALUE! rather
// than a longer text, so that a chain of doublings (=A1&A1) ends in an error value, not in memory
// exhaustion. A text constant in a formula is held to it too.
inline constexpr std::size_t kMaxTextLength = 32767;

// Numbers in their shortest form with at most 15 significant digits: 0.1 + 0.2 -> "0.3",
// 1/3 -> "0.333333333333333", 1e20 -> "1E+20", -0 -> "0". Infinities and NaN never reach a cell
// (they become #NUM!), but format as "#NUM!" to be safe.
std::wstring formatNumber(double value);
// The same text in ASCII into out (at least kNumberTextMax bytes); returns its length.
constexpr std::size_t kNumberTextMax = 40;
std::size_t formatNumberAscii(double value, char* out);
// formatNumberAscii's text and the shortest text that reads back as the same double, exactly as
// std::to_chars(first, last, value) writes it (what JSON and CSV carry), from one conversion of the
// number where the two share their digits. Finite numbers only.
struct NumberTexts {
    char general[kNumberTextMax];
    std::size_t generalLength = 0;
    char shortest[kNumberTextMax];
    std::size_t shortestLength = 0;
};
void formatNumberTexts(double value, NumberTexts& out);

// Numeric text as arithmetic sees it: optional blanks, sign, digits with at most one ".", optional
// exponent, blanks. " 7 " -> 7, "1.5E+2" -> 150, ".5" -> 0.5; "", "1,5", "abc", "1e" -> nothing.
std::optional<double> parseNumber(std::wstring_view text);

// Coercions used by operators and functions.
//   toNumber: Number as is; Empty 0; numeric Text converted, other Text #VALUE!; Error itself.
//   toText:   Text as is; Empty ""; Number via formatNumber; Error itself.
//   toBool:   via toNumber, non-zero is true; texts "TRUE"/"FALSE" (any case) too.
// Each returns either the converted value or the error value to propagate.
struct NumberOrError {
    double number = 0.0;
    std::optional<ErrorCode> error;
};
NumberOrError toNumber(const Value& v);
struct TextOrError {
    std::wstring text;
    std::optional<ErrorCode> error;
};
TextOrError toText(const Value& v);
struct BoolOrError {
    bool value = false;
    std::optional<ErrorCode> error;
};
BoolOrError toBool(const Value& v);

// The value text a cell shows: numbers via formatNumber, logical as "1"/"0", text as is, empty and
// errors as "" (a cell whose formula fails shows nothing; callers ask for the error separately).
std::wstring displayText(const Value& v);

// Ordering of two numbers as users read them: numbers that agree in 15 significant digits (what
// every text of a number shows) are equal, so 0.1 + 0.2 = 0.3. Returns -1, 0, 1. The comparison
// operators, the lookup functions and the criteria of COUNTIF/SUMIF all compare numbers this way.
int compareNumbers(double a, double b);

// Ordering used by comparison operators: numbers (and empty as 0) below texts, numbers as
// compareNumbers; texts compare case-sensitively by code point. Returns <0, 0, >0. Errors are the
// caller's business.
int compareValues(const Value& a, const Value& b);

}  // namespace grid

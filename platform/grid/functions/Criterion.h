#pragma once
// The condition of COUNTIF and SUMIF: a value ("5", a cell), or a text with a comparison in front
// (">0", "<>x", "=5", "<=2.5") and wildcards for equality ("t*", "?b").
#include <cstdint>
#include <string>

#include "platform/grid/Value.h"

namespace grid::functions {

class Criterion {
public:
    // The criterion argument must not be an error; the caller propagates those.
    static Criterion parse(const Value& criterion);

    bool matches(const Value& cell) const;

private:
    enum class Operator : std::uint8_t { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };
    enum class Operand : std::uint8_t { Number, Text, Blank, Error };

    bool equals(const Value& cell) const;
    bool ordered(int comparison) const;

    Operator operator_ = Operator::Equal;
    Operand operand_ = Operand::Blank;
    double number_ = 0.0;
    ErrorCode error_ = ErrorCode::Value;
    bool wildcards_ = false;
    std::wstring text_;
};

}  // namespace grid::functions

#pragma once
// Reads formula text into a Formula tree: the three reference styles, operators with the legacy
// precedence, strings, numbers, error literals and function calls. The parser is recursive descent
// with a bound on its depth, so a formula nested thousands of levels deep is refused with a message
// instead of exhausting the stack.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/grid/Formula.h"
#include "platform/grid/Sheet.h"

namespace grid {

class FormulaParser {
public:
    // Nesting deeper than this (parentheses, function calls, prefix signs) is a parse error.
    static constexpr int kMaxDepth = 256;

    // Argument counts of a host-registered function, for the check at parse time.
    struct CustomArity {
        bool found = false;
        std::int32_t minArgs = 0, maxArgs = 0;
    };
    using CustomLookup = CustomArity (*)(const void* context, std::wstring_view upperName);

    FormulaParser(CustomLookup lookup, const void* context) : lookup_(lookup), lookupContext_(context) {}

    // Parses text (with or without a leading "=") into out, which must be empty. Columns in
    // messages count from 1 in text as given.
    FormulaStatus parse(std::wstring_view text, RefStyle style, Formula& out);

private:
    CustomLookup lookup_;
    const void* lookupContext_;
    std::vector<std::uint32_t> argStack_;  // scratch for call arguments, reused between parses
};

}  // namespace grid

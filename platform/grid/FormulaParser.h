#pragma once
// Reads formula text into a Formula tree: the three reference styles, operators with the legacy
// precedence, strings, numbers, error literals and function calls. The parser is recursive descent,
// and the compiler walks the tree recursively; both stay on the machine stack only because the tree
// a formula makes is bounded in depth: a formula deeper than kMaxDepth is refused with a message, not
// a stack overflow.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/grid/Formula.h"
#include "platform/grid/Sheet.h"

namespace grid {

class FormulaParser {
public:
    // The deepest formula tree accepted. Every construct is a level: an operator (binary, prefix
    // or "%"), a function call, a pair of parentheses. So "1+1+...+1" with n terms is n levels deep,
    // like n nested parentheses. Deeper text is a parse error ("formula nested too deeply at column
    // N", N where the construct that went too deep stands).
    static constexpr int kMaxDepth = 1024;
    // The most arguments one call may have: the bytecode counts them in 16 bits.
    static constexpr int kMaxArguments = 65535;

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
    std::vector<std::uint16_t> levels_;    // scratch: the level of every node of the tree being built
};

}  // namespace grid

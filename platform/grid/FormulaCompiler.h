#pragma once
// Turns a Formula tree into bytecode: operands before operators, function arguments as references
// where they are references, and the control functions IF, IFERROR, CHOOSE, AND and OR as jumps so
// that only the branches needed are evaluated.
#include <cstdint>
#include <string>

#include "platform/grid/Formula.h"

namespace grid {

class FormulaCompiler {
public:
    // The sheet's side of compiling: which function slot a name uses, and whether a host-registered
    // function of that name shadows the built-in control functions.
    class Functions {
    public:
        virtual ~Functions() = default;
        virtual std::int32_t slotFor(const std::wstring& upperName) = 0;
        virtual bool isCustom(const std::wstring& upperName) const = 0;
        virtual bool hasEffects(std::int32_t slot) const = 0;
    };

    // Fills f.code, f.choices, f.slots and f.hasEffects from f's tree.
    static void compile(Formula& f, Functions& functions);
};

}  // namespace grid

#pragma once
// Runs a formula's bytecode for one cell over a value stack. Numbers never touch the heap; the
// stack is kept between runs. Runs may nest (a custom function that reads a cell of the same sheet
// starts another run above the current one), so every run works relative to where it began.
#include <cstdint>
#include <vector>

#include "platform/grid/Builtins.h"
#include "platform/grid/Formula.h"
#include "platform/grid/Value.h"

namespace grid {

class SheetData;
struct FunctionSlot;

class Evaluator final : public CallContext {
public:
    explicit Evaluator(SheetData& sheet);

    // The value of f placed at (col, row). What it reads must be up to date already: the sheet
    // brings a formula's precedents up to date before running it. When the run read a formula cell
    // that is not computed yet (a precedent the sheet could not order before it: one reached only
    // through a branch of a reference cycle, or read by a host function), blockedOn() names that
    // cell afterwards and the value is to be thrown away: the sheet computes that cell first and
    // runs this formula again.
    Value run(const Formula& f, std::int32_t col, std::int32_t row);
    std::uint64_t blockedOn() const { return lastBlocked_; }

    // True while a formula runs (a custom function may call back into the sheet).
    bool running() const { return depth_ > 0; }

    Value cellValue(std::int32_t col, std::int32_t row) override;
    double random() override;
    // Walks only the cells the sheet holds in the range.
    void visitValues(const CellRange& range, ValueVisit visit, void* state) override;

private:
    // One entry of the number stack: a logical result stays marked so that a formula ending in a
    // comparison still computes to TRUE/FALSE.
    struct Number {
        double value;
        bool logical;
    };
    // Runs a formula marked numeric over plain doubles. False, with nothing changed, as soon as it
    // meets anything else (an empty or text cell, an error, an infinite result): the caller then runs
    // the bytecode the general way, which gives that case its proper value.
    bool runNumeric(const Formula& f, std::int32_t col, std::int32_t row, Value& out);

    Value valueOf(const Arg& arg);
    void binary(Operator op);
    void unary(Operator op);
    void call(const FunctionSlot& slot, std::uint16_t count);
    Value callCustom(std::int32_t custom, std::size_t first, std::uint16_t count);
    // AND / OR: folds one argument into the accumulator below it; true when the result is decided.
    bool logicStep(bool isOr);

    Value runFormula(const Formula& f, std::int32_t col, std::int32_t row);

    SheetData& sheet_;
    int depth_ = 0;
    std::uint64_t blocked_ = 0;      // the first uncomputed cell the current run read (0: none)
    std::uint64_t lastBlocked_ = 0;  // the same for the run that ended last
    std::vector<Arg> stack_;
    std::vector<Number> numbers_;
};

}  // namespace grid

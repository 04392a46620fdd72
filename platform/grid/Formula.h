#pragma once
// A compiled formula: a small tree (for writing the text back and for moving references) and the
// bytecode the evaluator runs. References are stored relative to the formula's cell wherever the
// text made them relative, so one Formula serves every cell of a filled-down column. Formulas are
// immutable once built and shared between cells; the sheet owns them.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>  // swap
#include <vector>

#include "platform/grid/CellRange.h"

namespace grid {

struct BuiltinInfo;

enum class NodeKind : std::uint8_t {
    Number,    // numbers[a]
    Text,      // texts[a]
    Error,     // a = ErrorCode
    Logical,   // a = 0/1 (TRUE, FALSE)
    Cell,      // a = col, b = row
    Range,     // a, b = first col/row; c, d = last col/row
    RefError,  // a reference into deleted cells
    Missing,   // an omitted argument: IF(c, a, )
    Unary,     // op, one child
    Binary,    // op, two children
    Call,      // a = name index (names[a]), children are the arguments
    Paren,     // kept only while parsing; never stored
};

// Operators, in the order the evaluator and the writer test them.
enum class Operator : std::uint8_t {
    Negate, Plus, Percent,
    Power, Multiply, Divide, Add, Subtract, Concat,
    Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
};

// Reference flags of a Cell or Range node. "Relative" parts hold an offset from the formula's
// cell. "Written" marks the parts that the text wrote as plain A1 coordinates: straight from the
// parser they still hold the coordinate as written; once the formula is placed in a cell they hold
// the offset like any relative part, and the mark only tells the sheet that the same text in
// another cell means another formula.
namespace RefFlag {
constexpr std::uint8_t Col1Relative = 1, Row1Relative = 2, Col2Relative = 4, Row2Relative = 8;
constexpr std::uint8_t Col1Written = 16, Row1Written = 32, Col2Written = 64, Row2Written = 128;
constexpr std::uint8_t AnyWritten = 0xF0;
}  // namespace RefFlag

struct Node {
    NodeKind kind = NodeKind::Number;
    std::uint8_t op = 0;      // Operator for Unary / Binary
    std::uint8_t flags = 0;   // RefFlag for Cell / Range
    std::uint8_t unused = 0;
    std::int32_t a = 0, b = 0, c = 0, d = 0;
    std::uint32_t first = 0;  // children: childIndex[first .. first + count)
    std::uint32_t count = 0;
};

// Bytecode. Every instruction is 20 bytes; numbers and texts live in the formula's tables.
enum class OpCode : std::uint8_t {
    PushNumber,     // numbers[a]
    PushText,       // texts[a]
    PushError,      // a = ErrorCode
    PushLogical,    // a = 0/1
    PushEmpty,      // an omitted argument
    PushCell,       // the value of the cell (a, b) (flags: relative parts)
    PushCellRef,    // a reference to the cell (a, b), for function arguments
    PushRange,      // a reference to (a, b):(c, d)
    Unary,          // flags = Operator
    Binary,         // flags = Operator
    Call,           // a = function slot, count = arguments
    JumpIfFalse,    // pops a condition; false -> jump to a; an error -> push it and jump to b
    Jump,           // to a
    JumpIfNotError, // leaves the top; jumps to a unless it is an error (then pops it)
    Choose,         // pops an index; jumps to choices[a + i - 1] (count choices), else #VALUE! and b
    LogicStart,     // pushes the AND/OR accumulator
    LogicStep,      // flags 0 AND, 1 OR: folds the top into the accumulator; decided -> jump to a
    LogicEnd,       // turns the accumulator into the result
    Deref,          // turns a reference on the top into its value
};

struct Instr {
    OpCode op = OpCode::PushNumber;
    std::uint8_t flags = 0;
    std::uint16_t count = 0;
    std::int32_t a = 0, b = 0, c = 0, d = 0;
};

class Formula {
public:
    std::vector<Node> nodes;
    std::vector<std::uint32_t> childIndex;
    std::uint32_t root = 0;
    std::vector<double> numbers;
    std::vector<std::shared_ptr<const std::wstring>> texts;
    std::vector<std::wstring> names;  // function names, upper case

    std::vector<Instr> code;
    std::vector<std::int32_t> choices;  // jump targets of CHOOSE
    std::vector<std::int32_t> slots;    // names[i] -> the sheet's function slot (set when compiled)

    bool hasWritten = false;   // some reference part carries a Written mark
    bool hasEffects = false;   // calls a custom or volatile function: never fold, always recompute
    // The bytecode reads only numbers, cells, arithmetic, comparisons, IF and a few numeric
    // functions, so the evaluator may first try it over plain doubles (set when compiled).
    bool numeric = false;

    const Node& child(const Node& n, std::uint32_t i) const { return nodes[childIndex[n.first + i]]; }

    // Empties the formula but keeps the storage, for reuse as a scratch formula.
    void clear() {
        nodes.clear();
        childIndex.clear();
        root = 0;
        numbers.clear();
        texts.clear();
        names.clear();
        code.clear();
        choices.clear();
        slots.clear();
        hasWritten = false;
        hasEffects = false;
        numeric = false;
    }
    // Copies the tree (not the bytecode) of another formula.
    void assignTree(const Formula& other) {
        nodes = other.nodes;
        childIndex = other.childIndex;
        root = other.root;
        numbers = other.numbers;
        texts = other.texts;
        names = other.names;
        hasWritten = other.hasWritten;
    }
};

}  // namespace grid

namespace grid {

// The absolute coordinate of one part of a reference in a formula placed at host.
inline std::int32_t resolveCoord(std::int32_t value, bool relative, std::int32_t host) {
    return relative ? host + value : value;
}

// The rectangle a PushCell / PushCellRef / PushRange instruction (or a Cell / Range node, whose
// fields and flags are laid out alike) designates for a formula at (col, row), corners ordered.
template <class T>
inline CellRange resolveRange(const T& r, bool isRange, std::int32_t col, std::int32_t row) {
    CellRange out;
    out.col1 = resolveCoord(r.a, r.flags & RefFlag::Col1Relative, col);
    out.row1 = resolveCoord(r.b, r.flags & RefFlag::Row1Relative, row);
    if (isRange) {
        out.col2 = resolveCoord(r.c, r.flags & RefFlag::Col2Relative, col);
        out.row2 = resolveCoord(r.d, r.flags & RefFlag::Row2Relative, row);
        if (out.col2 < out.col1) std::swap(out.col1, out.col2);
        if (out.row2 < out.row1) std::swap(out.row1, out.row2);
    } else {
        out.col2 = out.col1;
        out.row2 = out.row1;
    }
    return out;
}

}  // namespace grid

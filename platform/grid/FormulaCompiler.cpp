#include "platform/grid/FormulaCompiler.h"

#include <vector>

#include "platform/grid/Builtins.h"
#include "platform/grid/Value.h"

namespace grid {
namespace {

enum class Context { Value, Argument };

// The most arguments a call may have in a formula the evaluator runs over plain doubles.
constexpr std::uint32_t kNumericMaxArgs = 8;

class Compiler {
public:
    Compiler(Formula& f, FormulaCompiler::Functions& functions) : f_(f), functions_(functions) {}

    void run() {
        f_.code.clear();
        f_.code.reserve(f_.nodes.size() + 2);
        f_.choices.clear();
        f_.slots.assign(f_.names.size(), -1);
        for (std::size_t i = 0; i < f_.names.size(); ++i) f_.slots[i] = functions_.slotFor(f_.names[i]);
        for (std::int32_t slot : f_.slots)
            if (functions_.hasEffects(slot)) f_.hasEffects = true;
        numeric_ = !f_.hasEffects;
        emitNode(f_.nodes[f_.root], Context::Value);
        f_.numeric = numeric_ && numericCode();
    }

private:
    // Functions with a kernel over plain numbers treat a single-cell reference holding a number
    // exactly like that number given directly and have no effects: calls to them may take their
    // arguments as plain numbers.
    static bool isNumericBuiltin(const std::wstring& name) {
        const BuiltinInfo* info = findBuiltin(name);
        return info && info->numeric;
    }

    bool numericCode() const {
        for (const Instr& in : f_.code) {
            switch (in.op) {
                case OpCode::PushNumber:
                case OpCode::PushLogical:
                case OpCode::PushCell:
                case OpCode::PushCellRef:
                case OpCode::Unary:
                case OpCode::Jump:
                case OpCode::JumpIfFalse:
                case OpCode::Call: break;
                case OpCode::Binary:
                    if (static_cast<Operator>(in.flags) == Operator::Concat) return false;
                    break;
                default: return false;
            }
        }
        return true;
    }

    std::int32_t here() const { return static_cast<std::int32_t>(f_.code.size()); }
    std::int32_t emit(OpCode op, std::int32_t a = 0, std::int32_t b = 0, std::uint8_t flags = 0, std::uint16_t count = 0) {
        Instr in;
        in.op = op;
        in.a = a;
        in.b = b;
        in.flags = flags;
        in.count = count;
        f_.code.push_back(in);
        return here() - 1;
    }

    // Recursion here is bounded by the parser's depth limit.
    void emitNode(const Node& n, Context context) {
        switch (n.kind) {
            case NodeKind::Number: emit(OpCode::PushNumber, n.a); return;
            case NodeKind::Text: emit(OpCode::PushText, n.a); return;
            case NodeKind::Error: emit(OpCode::PushError, n.a); return;
            case NodeKind::Logical: emit(OpCode::PushLogical, n.a); return;
            case NodeKind::Missing: emit(OpCode::PushEmpty); return;
            case NodeKind::RefError: emit(OpCode::PushError, static_cast<std::int32_t>(ErrorCode::Ref)); return;
            case NodeKind::Cell:
                emit(context == Context::Argument ? OpCode::PushCellRef : OpCode::PushCell, n.a, n.b, n.flags);
                return;
            case NodeKind::Range: {
                Instr in;
                in.op = OpCode::PushRange;
                in.flags = n.flags;
                in.a = n.a;
                in.b = n.b;
                in.c = n.c;
                in.d = n.d;
                f_.code.push_back(in);
                return;
            }
            case NodeKind::Unary:
                emitNode(f_.child(n, 0), Context::Value);
                emit(OpCode::Unary, 0, 0, n.op);
                return;
            case NodeKind::Binary:
                emitNode(f_.child(n, 0), Context::Value);
                emitNode(f_.child(n, 1), Context::Value);
                emit(OpCode::Binary, 0, 0, n.op);
                return;
            case NodeKind::Call: call(n, context); return;
            case NodeKind::Paren: return;
        }
    }

    void call(const Node& n, Context context) {
        const std::wstring& name = f_.names[static_cast<std::size_t>(n.a)];
        if (n.flags & 1) {  // a bare name
            emit(OpCode::PushError, static_cast<std::int32_t>(ErrorCode::Name));
            return;
        }
        if (!functions_.isCustom(name)) {
            if (name == L"IF") return emitIf(n, context);
            if (name == L"IFERROR") return emitIfError(n, context);
            if (name == L"CHOOSE") return emitChoose(n, context);
            if (name == L"AND") return emitLogic(n, 0);
            if (name == L"OR") return emitLogic(n, 1);
        }
        if (n.count > kNumericMaxArgs || functions_.isCustom(name) || !isNumericBuiltin(name)) numeric_ = false;
        for (std::uint32_t i = 0; i < n.count; ++i) emitNode(f_.child(n, i), Context::Argument);
        emit(OpCode::Call, f_.slots[static_cast<std::size_t>(n.a)], 0, 0, static_cast<std::uint16_t>(n.count));
    }

    void emitIf(const Node& n, Context context) {
        emitNode(f_.child(n, 0), Context::Value);
        std::int32_t test = emit(OpCode::JumpIfFalse);
        emitNode(f_.child(n, 1), context);
        std::int32_t skip = emit(OpCode::Jump);
        f_.code[static_cast<std::size_t>(test)].a = here();
        if (n.count > 2 && f_.child(n, 2).kind != NodeKind::Missing) {
            emitNode(f_.child(n, 2), context);
        } else {
            emit(OpCode::PushLogical, 0);  // IF without an else gives 0 (logical values are numbers)
        }
        f_.code[static_cast<std::size_t>(skip)].a = here();
        f_.code[static_cast<std::size_t>(test)].b = here();
    }

    void emitIfError(const Node& n, Context context) {
        emitNode(f_.child(n, 0), Context::Value);
        std::int32_t test = emit(OpCode::JumpIfNotError);
        emitNode(f_.child(n, 1), context);
        f_.code[static_cast<std::size_t>(test)].a = here();
    }

    void emitChoose(const Node& n, Context context) {
        emitNode(f_.child(n, 0), Context::Value);
        auto first = static_cast<std::int32_t>(f_.choices.size());
        std::uint32_t count = n.count - 1;
        f_.choices.resize(f_.choices.size() + count);
        std::int32_t dispatch = emit(OpCode::Choose, first, 0, 0, static_cast<std::uint16_t>(count));
        std::vector<std::int32_t> exits;
        for (std::uint32_t i = 0; i < count; ++i) {
            f_.choices[static_cast<std::size_t>(first) + i] = here();
            emitNode(f_.child(n, i + 1), context);
            exits.push_back(emit(OpCode::Jump));
        }
        for (std::int32_t e : exits) f_.code[static_cast<std::size_t>(e)].a = here();
        f_.code[static_cast<std::size_t>(dispatch)].b = here();
    }

    void emitLogic(const Node& n, std::uint8_t isOr) {
        emit(OpCode::LogicStart);
        std::vector<std::int32_t> steps;
        for (std::uint32_t i = 0; i < n.count; ++i) {
            emitNode(f_.child(n, i), Context::Argument);
            steps.push_back(emit(OpCode::LogicStep, 0, 0, isOr));
        }
        for (std::int32_t s : steps) f_.code[static_cast<std::size_t>(s)].a = here();
        emit(OpCode::LogicEnd);
    }

    Formula& f_;
    FormulaCompiler::Functions& functions_;
    bool numeric_ = true;
};

}  // namespace

void FormulaCompiler::compile(Formula& f, Functions& functions) {
    f.hasEffects = false;
    Compiler(f, functions).run();
}

}  // namespace grid

#include "platform/grid/Evaluator.h"

#include <cmath>
#include <utility>  // exchange

#include "platform/grid/SheetData.h"

namespace grid {
namespace {

Value numberOrNum(double v) { return std::isfinite(v) ? Value::number(v) : Value::error(ErrorCode::Num); }

Value arithmetic(Operator op, double a, double b) {
    switch (op) {
        case Operator::Add: return numberOrNum(a + b);
        case Operator::Subtract: return numberOrNum(a - b);
        case Operator::Multiply: return numberOrNum(a * b);
        case Operator::Divide:
            if (b == 0.0) return Value::error(ErrorCode::Div0);
            return numberOrNum(a / b);
        case Operator::Power:
            if (a == 0.0 && b < 0.0) return Value::error(ErrorCode::Div0);
            if (a == 0.0 && b == 0.0) return Value::error(ErrorCode::Num);
            if (a < 0.0 && b != std::trunc(b)) return Value::error(ErrorCode::Num);
            return numberOrNum(std::pow(a, b));
        default: return Value::error(ErrorCode::Value);
    }
}

// Comparison as the operators see it: an empty cell is 0 against a number and "" against a text.
Value compare(Operator op, const Value& l, const Value& r) {
    if (l.isError()) return l;
    if (r.isError()) return r;
    int c;
    if (l.isEmpty() && r.isText()) c = r.asText().empty() ? 0 : -1;
    else if (r.isEmpty() && l.isText()) c = l.asText().empty() ? 0 : 1;
    else c = compareValues(l, r);
    switch (op) {
        case Operator::Equal: return Value::logical(c == 0);
        case Operator::NotEqual: return Value::logical(c != 0);
        case Operator::Less: return Value::logical(c < 0);
        case Operator::Greater: return Value::logical(c > 0);
        case Operator::LessEqual: return Value::logical(c <= 0);
        default: return Value::logical(c >= 0);
    }
}

Value binaryValues(Operator op, const Value& l, const Value& r) {
    if (op >= Operator::Equal) return compare(op, l, r);
    if (op == Operator::Concat) {
        TextOrError a = toText(l);
        if (a.error) return Value::error(*a.error);
        TextOrError b = toText(r);
        if (b.error) return Value::error(*b.error);
        if (a.text.size() + b.text.size() > kMaxTextLength) return Value::error(ErrorCode::Value);
        a.text += b.text;
        return Value::text(std::move(a.text));
    }
    NumberOrError a = toNumber(l);
    if (a.error) return Value::error(*a.error);
    NumberOrError b = toNumber(r);
    if (b.error) return Value::error(*b.error);
    return arithmetic(op, a.number, b.number);
}

CustomRecord recordOf(const Value& v) {
    switch (v.kind()) {
        case Value::Kind::Number:
            if (v.isLogical()) return CustomRecord::ofLong(v.asNumber() != 0.0 ? 1 : 0);
            return CustomRecord::ofDouble(v.asNumber());
        case Value::Kind::Text: return CustomRecord::ofString(v.asText());
        default: return CustomRecord{};
    }
}

}  // namespace

Evaluator::Evaluator(SheetData& sheet) : sheet_(sheet) { stack_.reserve(256); }

Value Evaluator::cellValue(std::int32_t col, std::int32_t row) {
    if (!sheet_.insideData(col, row)) return Value::error(ErrorCode::Ref);
    const Cell* cell = sheet_.cells.find(col, row);
    if (!cell) return {};
    if (cell->formula && cell->state != CellState::Clean) {
        // A cell whose formula is running is read again only through a host function of its own
        // formula that reads the sheet: a cycle whatever the values.
        if (cell->state == CellState::Running) return Value::error(ErrorCode::Circular);
        // Not computed yet: the sheet computes it first and runs this formula again, so what is
        // returned here is never kept.
        if (!blocked_) blocked_ = Dependencies::key(col, row);
        return Value::error(ErrorCode::Circular);
    }
    return cell->value;
}

void Evaluator::visitValues(const CellRange& range, ValueVisit visit, void* state) {
    if (!sheet_.insideData(range.col1, range.row1) || !sheet_.insideData(range.col2, range.row2)) {
        CallContext::visitValues(range, visit, state);  // reads #REF! where it leaves the sheet
        return;
    }
    sheet_.cells.forEachByRow(range, [&](std::int32_t col, std::int32_t row, const Cell& cell) {
        // A formula not computed yet is read as a single cell reads it (the run waits for it).
        if (cell.formula && cell.state != CellState::Clean) return visit(state, col, row, cellValue(col, row));
        return cell.value.isEmpty() || visit(state, col, row, cell.value);
    });
}

double Evaluator::random() {
    // xorshift64*: RAND needs no more, and the state lives with the sheet.
    std::uint64_t& x = sheet_.randomState;
    x ^= x >> 12;
    x ^= x << 25;
    x ^= x >> 27;
    return static_cast<double>((x * 0x2545F4914F6CDD1Dull) >> 11) * 0x1.0p-53;
}

Value Evaluator::valueOf(const Arg& arg) {
    if (!arg.isReference()) return arg.value();
    const CellRange& r = arg.range();
    if (r.isSingleCell()) return cellValue(r.col1, r.row1);
    return Value::error(ErrorCode::Value);
}

bool Evaluator::runNumeric(const Formula& f, std::int32_t col, std::int32_t row, Value& out) {
    // Every instruction pushes at most one entry, so the code's length bounds the stack.
    if (numbers_.size() < f.code.size()) numbers_.resize(f.code.size());
    Number* const stack = numbers_.data();
    std::size_t top = 0;  // entries in use
    const Instr* code = f.code.data();
    const std::size_t size = f.code.size();
    std::size_t pc = 0;
    while (pc < size) {
        const Instr& in = code[pc++];
        switch (in.op) {
            case OpCode::PushNumber: stack[top++] = {f.numbers[static_cast<std::size_t>(in.a)], false}; break;
            case OpCode::PushLogical: stack[top++] = {in.a != 0 ? 1.0 : 0.0, true}; break;
            case OpCode::PushCell:
            case OpCode::PushCellRef: {
                // A single-cell reference given to one of the numeric functions counts as its number.
                const std::int32_t c = resolveCoord(in.a, in.flags & RefFlag::Col1Relative, col);
                const std::int32_t r = resolveCoord(in.b, in.flags & RefFlag::Row1Relative, row);
                if (!sheet_.insideData(c, r)) return false;
                const Cell* cell = sheet_.cells.find(c, r);
                if (!cell || cell->state != CellState::Clean || !cell->value.isNumber() || cell->value.isLogical())
                    return false;
                stack[top++] = {cell->value.asNumber(), false};
                break;
            }
            case OpCode::Unary: {
                Number& x = stack[top - 1];
                switch (static_cast<Operator>(in.flags)) {
                    case Operator::Negate: x = {-x.value, false}; break;
                    case Operator::Percent: x = {x.value / 100.0, false}; break;
                    default: break;  // unary plus keeps the value as it is, logical or not
                }
                break;
            }
            case OpCode::Binary: {
                const double b = stack[--top].value;
                Number& l = stack[top - 1];
                const double a = l.value;
                const auto op = static_cast<Operator>(in.flags);
                if (op >= Operator::Equal) {
                    const int c = compareNumbers(a, b);
                    bool result;
                    switch (op) {
                        case Operator::Equal: result = c == 0; break;
                        case Operator::NotEqual: result = c != 0; break;
                        case Operator::Less: result = c < 0; break;
                        case Operator::Greater: result = c > 0; break;
                        case Operator::LessEqual: result = c <= 0; break;
                        default: result = c >= 0; break;
                    }
                    l = {result ? 1.0 : 0.0, true};
                    break;
                }
                double v;
                switch (op) {
                    case Operator::Add: v = a + b; break;
                    case Operator::Subtract: v = a - b; break;
                    case Operator::Multiply: v = a * b; break;
                    case Operator::Divide:
                        if (b == 0.0) return false;
                        v = a / b;
                        break;
                    default: return false;  // powers have their own error cases
                }
                if (!std::isfinite(v)) return false;
                l = {v, false};
                break;
            }
            case OpCode::Call: {
                const FunctionSlot& slot = sheet_.slots[static_cast<std::size_t>(in.a)];
                // A host function registered under the name since the formula was compiled wins.
                if (slot.custom >= 0 || !slot.builtin || !slot.builtin->numeric) return false;
                constexpr std::size_t kMaxArgs = 8;
                const std::size_t count = in.count;
                if (count > kMaxArgs || count > top) return false;
                if (count < static_cast<std::size_t>(slot.builtin->minArgs) ||
                    (slot.builtin->maxArgs >= 0 && count > static_cast<std::size_t>(slot.builtin->maxArgs)))
                    return false;
                double args[kMaxArgs];
                const std::size_t first = top - count;
                for (std::size_t i = 0; i < count; ++i) {
                    // Functions count logical values given directly differently from numbers.
                    if (stack[first + i].logical) return false;
                    args[i] = stack[first + i].value;
                }
                double result;
                if (!slot.builtin->numeric(args, count, result)) return false;
                top = first;
                stack[top++] = {result, false};
                break;
            }
            case OpCode::JumpIfFalse: {
                const double condition = stack[--top].value;
                if (condition == 0.0) pc = static_cast<std::size_t>(in.a);
                break;
            }
            case OpCode::Jump: pc = static_cast<std::size_t>(in.a); break;
            default: return false;
        }
    }
    if (top == 0) return false;
    const Number& result = stack[top - 1];
    if (!std::isfinite(result.value)) return false;
    out = result.logical ? Value::logical(result.value != 0.0) : Value::number(result.value);
    return true;
}

Value Evaluator::run(const Formula& f, std::int32_t col, std::int32_t row) {
    // Runs nest (a host function may compute other cells): each has its own blocked cell.
    const std::uint64_t outer = std::exchange(blocked_, 0);
    Value v = runFormula(f, col, row);
    lastBlocked_ = std::exchange(blocked_, outer);
    return v;
}

Value Evaluator::runFormula(const Formula& f, std::int32_t col, std::int32_t row) {
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } depth(depth_);
    if (f.numeric) {
        Value out;
        if (runNumeric(f, col, row, out)) return out;
    }
    const std::size_t base = stack_.size();
    const Instr* code = f.code.data();
    const std::size_t size = f.code.size();
    std::size_t pc = 0;
    while (pc < size) {
        const Instr& in = code[pc++];
        switch (in.op) {
            case OpCode::PushNumber: stack_.push_back(Arg::scalar(Value::number(f.numbers[static_cast<std::size_t>(in.a)]))); break;
            case OpCode::PushText: stack_.push_back(Arg::scalar(Value::text(f.texts[static_cast<std::size_t>(in.a)]))); break;
            case OpCode::PushError: stack_.push_back(Arg::scalar(Value::error(static_cast<ErrorCode>(in.a)))); break;
            case OpCode::PushLogical: stack_.push_back(Arg::scalar(Value::logical(in.a != 0))); break;
            case OpCode::PushEmpty: stack_.push_back(Arg::scalar(Value())); break;
            case OpCode::PushCell: {
                std::int32_t c = resolveCoord(in.a, in.flags & RefFlag::Col1Relative, col);
                std::int32_t r = resolveCoord(in.b, in.flags & RefFlag::Row1Relative, row);
                stack_.push_back(Arg::scalar(cellValue(c, r)));
                break;
            }
            case OpCode::PushCellRef:
            case OpCode::PushRange: {
                CellRange r = resolveRange(in, in.op == OpCode::PushRange, col, row);
                if (sheet_.insideData(r.col1, r.row1) && sheet_.insideData(r.col2, r.row2))
                    stack_.push_back(Arg::reference(r));
                else
                    stack_.push_back(Arg::scalar(Value::error(ErrorCode::Ref)));
                break;
            }
            case OpCode::Unary: unary(static_cast<Operator>(in.flags)); break;
            case OpCode::Binary: binary(static_cast<Operator>(in.flags)); break;
            case OpCode::Call: call(sheet_.slots[static_cast<std::size_t>(in.a)], in.count); break;
            case OpCode::JumpIfFalse: {
                Value v = valueOf(stack_.back());
                stack_.pop_back();
                BoolOrError b = toBool(v);
                if (b.error) {
                    stack_.push_back(Arg::scalar(Value::error(*b.error)));
                    pc = static_cast<std::size_t>(in.b);
                } else if (!b.value) {
                    pc = static_cast<std::size_t>(in.a);
                }
                break;
            }
            case OpCode::Jump: pc = static_cast<std::size_t>(in.a); break;
            case OpCode::JumpIfNotError: {
                Value v = valueOf(stack_.back());
                if (!v.isError()) {
                    if (stack_.back().isReference()) stack_.back() = Arg::scalar(std::move(v));
                    pc = static_cast<std::size_t>(in.a);
                } else {
                    stack_.pop_back();
                }
                break;
            }
            case OpCode::Choose: {
                Value v = valueOf(stack_.back());
                stack_.pop_back();
                NumberOrError n = toNumber(v);
                double index = std::trunc(n.number);
                if (n.error) {
                    stack_.push_back(Arg::scalar(Value::error(*n.error)));
                    pc = static_cast<std::size_t>(in.b);
                } else if (index >= 1.0 && index <= in.count) {
                    pc = static_cast<std::size_t>(f.choices[static_cast<std::size_t>(in.a) + static_cast<std::size_t>(index) - 1]);
                } else {
                    stack_.push_back(Arg::scalar(Value::error(ErrorCode::Value)));
                    pc = static_cast<std::size_t>(in.b);
                }
                break;
            }
            case OpCode::LogicStart: stack_.push_back(Arg::scalar(Value())); break;
            case OpCode::LogicStep:
                if (logicStep(in.flags != 0)) pc = static_cast<std::size_t>(in.a);
                break;
            case OpCode::LogicEnd: {
                const Value& acc = stack_.back().value();
                if (acc.isEmpty()) stack_.back() = Arg::scalar(Value::error(ErrorCode::Value));
                break;
            }
            case OpCode::Deref: stack_.back() = Arg::scalar(valueOf(stack_.back())); break;
        }
    }
    Value result;
    if (stack_.size() > base) {
        result = valueOf(stack_.back());
        // Nothing computed shows 0, as spreadsheet users expect of "=E1"; a cell typed as a text cell
        // shows text, and there nothing is the empty text (a name copied from an empty name stays
        // empty, it does not become "0").
        if (result.isEmpty() && !stack_.back().isHostEmpty() && !sheet_.isTextCell(col, row))
            result = Value::number(0.0);
    }
    stack_.resize(base);
    if (result.isNumber() && !std::isfinite(result.asNumber())) return Value::error(ErrorCode::Num);
    return result;
}

void Evaluator::unary(Operator op) {
    Arg& top = stack_.back();
    if (!top.isReference() && top.value().isNumber() && op != Operator::Plus) {
        double x = top.value().asNumber();
        top = Arg::scalar(Value::number(op == Operator::Negate ? -x : x / 100.0));
        return;
    }
    Value v = valueOf(top);
    if (op == Operator::Plus) {
        top = Arg::scalar(std::move(v));
        return;
    }
    NumberOrError n = toNumber(v);
    if (n.error) top = Arg::scalar(Value::error(*n.error));
    else top = Arg::scalar(Value::number(op == Operator::Negate ? -n.number : n.number / 100.0));
}

void Evaluator::binary(Operator op) {
    const std::size_t n = stack_.size();
    Arg& l = stack_[n - 2];
    const Arg& r = stack_[n - 1];
    // The common case first: two plain numbers, no coercion, no copies of values.
    if (op <= Operator::Subtract && !l.isReference() && !r.isReference() && l.value().isNumber() && r.value().isNumber()) {
        Value v = arithmetic(op, l.value().asNumber(), r.value().asNumber());
        stack_.pop_back();
        stack_.back() = Arg::scalar(std::move(v));
        return;
    }
    Value a = valueOf(l);
    Value b = valueOf(r);
    stack_.pop_back();
    stack_.back() = Arg::scalar(binaryValues(op, a, b));
}

void Evaluator::call(const FunctionSlot& slot, std::uint16_t count) {
    const std::size_t first = stack_.size() - count;
    Value result;
    if (slot.custom >= 0) {
        result = callCustom(slot.custom, first, count);
    } else if (slot.builtin && slot.builtin->evaluate) {
        std::span<const Arg> args(stack_.data() + first, count);
        result = slot.builtin->evaluate(args, *this);
        if (result.isNumber() && !std::isfinite(result.asNumber())) result = Value::error(ErrorCode::Num);
    } else {
        result = Value::error(ErrorCode::Name);
    }
    stack_.resize(first);
    stack_.push_back(slot.custom >= 0 && result.isEmpty() ? Arg::hostEmpty() : Arg::scalar(std::move(result)));
}

Value Evaluator::callCustom(std::int32_t custom, std::size_t first, std::uint16_t count) {
    // Copy what the callback needs first: it may run formulas of this sheet, which use the stack.
    const CustomFunction fn = sheet_.customs[static_cast<std::size_t>(custom)];
    if (count < fn.minArgs || (fn.maxArgs >= 0 && count > fn.maxArgs)) return Value::error(ErrorCode::Value);
    const bool asCells = (static_cast<std::uint32_t>(fn.flags) & static_cast<std::uint32_t>(CustomFunctionFlags::ReferencesAsCells)) != 0;
    std::vector<CustomRecord> args(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        const Arg& arg = stack_[first + i];
        CustomRecord& rec = args[i];
        if (arg.isReference() && (asCells || !arg.range().isSingleCell())) {
            const CellRange& r = arg.range();
            rec.status = RecordStatus::Valid;
            rec.type = r.isSingleCell() ? RecordType::Cell : RecordType::Range;
            rec.col = r.col1;
            rec.row = r.row1;
            rec.col2 = r.col2;
            rec.row2 = r.row2;
            continue;
        }
        Value v = valueOf(arg);
        if (v.isError()) return v;  // an error argument is the result; the function is not called
        rec = recordOf(v);
    }
    CustomRecord result;
    if (!fn.callback || !fn.callback(result, std::span<CustomRecord>(args))) return Value::error(ErrorCode::Value);
    if (result.status != RecordStatus::Valid) return {};
    switch (result.type) {
        case RecordType::Long: return Value::number(result.longValue);
        case RecordType::Double: return numberOrNum(result.doubleValue);
        case RecordType::String: {
            Value v = Value::text(std::wstring(result.text.view()));
            result.text.free();  // the grid reads the result, so the grid frees it
            return v;
        }
        case RecordType::Cell: return cellValue(result.col, result.row);
        case RecordType::Range: return Value::error(ErrorCode::Value);
    }
    return {};
}

bool Evaluator::logicStep(bool isOr) {
    Arg arg = std::move(stack_.back());
    stack_.pop_back();
    Value acc = stack_.back().value();
    auto fold = [&](bool b) {
        if (acc.isEmpty()) acc = Value::logical(!isOr);
        if (isOr ? b : !b) acc = Value::logical(isOr);
    };
    if (arg.isReference()) {
        struct Walk {
            Value& acc;
            decltype(fold)& step;
        } walk{acc, fold};
        visitValues(arg.range(), [](void* p, std::int32_t, std::int32_t, const Value& v) {
            auto& w = *static_cast<Walk*>(p);
            if (v.isError()) {
                w.acc = v;
                return false;
            }
            if (v.isNumber()) w.step(v.asNumber() != 0.0);  // texts and empty cells of ranges are skipped
            return true;
        }, &walk);
    } else if (!arg.value().isEmpty()) {
        BoolOrError b = toBool(arg.value());
        if (b.error) acc = Value::error(*b.error);
        else fold(b.value);
    }
    bool decided = acc.isError() || (acc.isNumber() && (acc.asNumber() != 0.0) == isOr);
    stack_.back() = Arg::scalar(std::move(acc));
    return decided;
}

}  // namespace grid

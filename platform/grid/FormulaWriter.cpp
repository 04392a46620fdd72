#include "platform/grid/FormulaWriter.h"

#include <charconv>  // to_chars
#include <cstring>   // memcpy
#include <type_traits>

namespace grid {
namespace {

// Binding strength of what a node writes; a child that binds less tightly than its parent needs
// parentheses.
enum Precedence : int {
    Comparison = 1, Concatenation, Additive, Multiplicative, Power, Postfix, Prefix, Primary,
};

int precedenceOf(const Node& n) {
    if (n.kind == NodeKind::Unary)
        return static_cast<Operator>(n.op) == Operator::Percent ? Postfix : Prefix;
    if (n.kind != NodeKind::Binary) return Primary;
    switch (static_cast<Operator>(n.op)) {
        case Operator::Power: return Power;
        case Operator::Multiply:
        case Operator::Divide: return Multiplicative;
        case Operator::Add:
        case Operator::Subtract: return Additive;
        case Operator::Concat: return Concatenation;
        default: return Comparison;
    }
}

std::wstring_view operatorText(Operator op) {
    switch (op) {
        case Operator::Negate: return L"-";
        case Operator::Plus: return L"+";
        case Operator::Percent: return L"%";
        case Operator::Power: return L"^";
        case Operator::Multiply: return L"*";
        case Operator::Divide: return L"/";
        case Operator::Add: return L"+";
        case Operator::Subtract: return L"-";
        case Operator::Concat: return L"&";
        case Operator::Equal: return L"=";
        case Operator::NotEqual: return L"<>";
        case Operator::Less: return L"<";
        case Operator::Greater: return L">";
        case Operator::LessEqual: return L"<=";
        case Operator::GreaterEqual: return L">=";
    }
    return L"?";
}

class Writer {
public:
    Writer(const Formula& f, std::int32_t col, std::int32_t row, RefStyle style)
        : f_(f), col_(col), row_(row), style_(style) {}

    // Iterative over an explicit stack: formulas are bounded in depth by the parser, but a formula
    // grown by other means must not be able to exhaust the stack here either.
    void write(const Node& root) {
        struct Frame {
            const Node* node;
            std::uint32_t step;
            bool parens;
        };
        std::vector<Frame> stack{{&root, 0, false}};
        while (!stack.empty()) {
            Frame& fr = stack.back();
            const Node& n = *fr.node;
            if (fr.step == 0 && fr.parens) out_ += L'(';
            bool done = false;
            switch (n.kind) {
                case NodeKind::Unary: {
                    auto op = static_cast<Operator>(n.op);
                    if (fr.step == 0) {
                        if (op != Operator::Percent) out_ += operatorText(op);
                        fr.step = 1;
                        const Node& c = f_.child(n, 0);
                        stack.push_back({&c, 0, precedenceOf(c) < precedenceOf(n)});
                        continue;
                    }
                    if (op == Operator::Percent) out_ += L'%';
                    done = true;
                    break;
                }
                case NodeKind::Binary: {
                    int p = precedenceOf(n);
                    if (fr.step == 0) {
                        fr.step = 1;
                        const Node& c = f_.child(n, 0);
                        stack.push_back({&c, 0, precedenceOf(c) < p});
                        continue;
                    }
                    if (fr.step == 1) {
                        out_ += operatorText(static_cast<Operator>(n.op));
                        fr.step = 2;
                        const Node& c = f_.child(n, 1);
                        stack.push_back({&c, 0, precedenceOf(c) <= p});
                        continue;
                    }
                    done = true;
                    break;
                }
                case NodeKind::Call: {
                    if (fr.step == 0) {
                        out_ += f_.names[static_cast<std::size_t>(n.a)];
                        if (n.flags & 1) {
                            done = true;
                            break;
                        }
                        out_ += L'(';
                    }
                    if (fr.step < n.count) {
                        if (fr.step > 0) out_ += L',';
                        const Node& c = f_.child(n, fr.step);
                        ++fr.step;
                        stack.push_back({&c, 0, false});
                        continue;
                    }
                    out_ += L')';
                    done = true;
                    break;
                }
                default:
                    leaf(n);
                    done = true;
                    break;
            }
            if (done) {
                if (stack.back().parens) out_ += L')';
                stack.pop_back();
            }
        }
    }

    std::wstring take() { return std::move(out_); }

private:
    void leaf(const Node& n) {
        switch (n.kind) {
            case NodeKind::Number: out_ += FormulaWriter::numberText(f_.numbers[static_cast<std::size_t>(n.a)]); break;
            case NodeKind::Text: {
                out_ += L'"';
                for (wchar_t c : *f_.texts[static_cast<std::size_t>(n.a)]) {
                    if (c == L'"') out_ += L'"';
                    out_ += c;
                }
                out_ += L'"';
                break;
            }
            case NodeKind::Error: out_ += errorText(static_cast<ErrorCode>(n.a)); break;
            case NodeKind::Logical: out_ += n.a ? L"TRUE" : L"FALSE"; break;
            case NodeKind::RefError: out_ += L"#REF!"; break;
            case NodeKind::Missing: break;
            case NodeKind::Cell: {
                std::wstring r = cell(n.a, n.b, n.flags & RefFlag::Col1Relative, n.flags & RefFlag::Row1Relative);
                // A reference this style cannot show (the formula was entered in another style)
                // points outside the sheet: it reads, and re-parses, as the error it evaluates to.
                out_ += r.empty() ? L"#REF!" : r;
                break;
            }
            case NodeKind::Range: {
                std::wstring a = cell(n.a, n.b, n.flags & RefFlag::Col1Relative, n.flags & RefFlag::Row1Relative);
                std::wstring b = cell(n.c, n.d, n.flags & RefFlag::Col2Relative, n.flags & RefFlag::Row2Relative);
                if (a.empty() || b.empty()) out_ += L"#REF!";
                else out_ += a + L":" + b;
                break;
            }
            default: break;
        }
    }

    // One cell reference in the current style; empty when the style cannot show it.
    std::wstring cell(std::int32_t c, std::int32_t r, bool colRel, bool rowRel) const {
        std::wstring s;
        switch (style_) {
            case RefStyle::Legacy: {
                // "#" is the formula's own column or row; any other relative part (a formula entered
                // in another style) is shown as the cell it designates from here.
                const std::int64_t col = colRel ? std::int64_t{col_} + c : c;
                const std::int64_t row = rowRel ? std::int64_t{row_} + r : r;
                if ((!colRel || c != 0) && (col < 1 || col > kColLimit)) return {};
                if ((!rowRel || r != 0) && (row < 1 || row > kRowLimit)) return {};
                if (colRel && c == 0) s += L'#';
                else s += FormulaWriter::columnLetters(static_cast<std::int32_t>(col));
                if (rowRel && r == 0) s += L'#';
                else s += std::to_wstring(row);
                return s;
            }
            case RefStyle::A1: {
                std::int64_t col = colRel ? std::int64_t{col_} + c : c;
                std::int64_t row = rowRel ? std::int64_t{row_} + r : r;
                if (col < 1 || row < 1 || col > kColLimit || row > kRowLimit) return {};
                if (!colRel) s += L'$';
                s += FormulaWriter::columnLetters(static_cast<std::int32_t>(col));
                if (!rowRel) s += L'$';
                s += std::to_wstring(row);
                return s;
            }
            case RefStyle::R1C1:
                s += L'R';
                if (!rowRel) s += std::to_wstring(r);
                else if (r != 0) s += L"[" + std::to_wstring(r) + L"]";
                s += L'C';
                if (!colRel) s += std::to_wstring(c);
                else if (c != 0) s += L"[" + std::to_wstring(c) + L"]";
                return s;
        }
        return {};
    }

    const Formula& f_;
    std::int32_t col_, row_;
    RefStyle style_;
    std::wstring out_;
};

template <class T>
void append(std::string& out, const T& v) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &v, sizeof(T));
    out.append(bytes, sizeof(T));
}

template <class T>
void appendArray(std::string& out, const T* items, std::size_t count) {
    out.append(reinterpret_cast<const char*>(items), count * sizeof(T));
}

}  // namespace

std::wstring FormulaWriter::text(const Formula& f, std::int32_t col, std::int32_t row, RefStyle style) {
    if (f.nodes.empty()) return {};
    Writer w(f, col, row, style);
    w.write(f.nodes[f.root]);
    return w.take();
}

void FormulaWriter::key(const Formula& f, std::string& out) {
    // Nodes, child indexes and numbers go in as their bytes, whole arrays at a time: a node has no
    // padding and its spare byte is always 0, so equal trees give equal keys.
    static_assert(std::has_unique_object_representations_v<Node>);
    out.clear();
    append(out, f.root);
    append(out, static_cast<std::uint32_t>(f.nodes.size()));
    appendArray(out, f.nodes.data(), f.nodes.size());
    append(out, static_cast<std::uint32_t>(f.childIndex.size()));
    appendArray(out, f.childIndex.data(), f.childIndex.size());
    append(out, static_cast<std::uint32_t>(f.numbers.size()));
    appendArray(out, f.numbers.data(), f.numbers.size());
    for (const auto& t : f.texts) {
        append(out, static_cast<std::uint32_t>(t->size()));
        appendArray(out, t->data(), t->size());
    }
    for (const auto& name : f.names) {
        append(out, static_cast<std::uint32_t>(name.size()));
        appendArray(out, name.data(), name.size());
    }
}

std::wstring FormulaWriter::columnLetters(std::int32_t col) {
    std::wstring letters;
    for (std::int32_t c = col; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<wchar_t>(L'A' + (c - 1) % 26));
    return letters;
}

std::wstring FormulaWriter::numberText(double v) {
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    std::wstring s;
    for (char* p = buffer; p != result.ptr; ++p) s += static_cast<wchar_t>(*p == 'e' ? 'E' : *p);
    return s;
}

}  // namespace grid

#include "platform/grid/FormulaParser.h"

#include <algorithm>  // max
#include <cstdint>
#include <cstdlib>    // strtod
#include <optional>
#include <string>

#include "platform/grid/Builtins.h"

namespace grid {
namespace {

bool isLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool isNameChar(wchar_t c) { return isLetter(c) || isDigit(c) || c == L'_' || c == L'.'; }
bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }
wchar_t upper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c; }

// The evaluator's own functions: their arguments are evaluated lazily, so they are compiled into
// jumps rather than called. Counts are checked here because there is no table entry to call.
struct ControlArity {
    std::wstring_view name;
    std::int32_t minArgs, maxArgs;
};
constexpr ControlArity kControls[] = {
    {L"IF", 2, 3}, {L"IFERROR", 2, 2}, {L"CHOOSE", 2, -1}, {L"AND", 1, -1},
    {L"OR", 1, -1}, {L"TRUE", 0, 0},   {L"FALSE", 0, 0},
};

constexpr std::wstring_view kErrorLiterals[] = {
    L"#DIV/0!", L"#VALUE!", L"#REF!", L"#NAME?", L"#N/A", L"#NUM!", L"#CIRCULAR!",
};

constexpr std::int32_t kMaxRowDigits = 7;
constexpr std::int32_t kMaxColLetters = 3;

class Parser {
public:
    Parser(std::wstring_view text, RefStyle style, Formula& f, std::vector<std::uint32_t>& argStack,
           std::vector<std::uint16_t>& levels, FormulaParser::CustomLookup lookup, const void* context)
        : s_(text), style_(style), f_(f), args_(argStack), levels_(levels), lookup_(lookup), context_(context) {}

    FormulaStatus run() {
        skipBlanks();
        if (pos_ < s_.size() && s_[pos_] == L'=') ++pos_;
        skipBlanks();
        if (pos_ >= s_.size()) return fail(L"empty formula", pos_);
        std::uint32_t root = comparison();
        if (failed_) return status_;
        skipBlanks();
        if (pos_ < s_.size()) return unexpected();
        f_.root = root;
        return {};
    }

private:
    // ---- errors -------------------------------------------------------------------------------
    FormulaStatus fail(std::wstring_view what, std::size_t at) {
        if (!failed_) {
            failed_ = true;
            status_.ok = false;
            status_.column = static_cast<std::int32_t>(at + 1);
            status_.message = std::wstring(what) + L" at column " + std::to_wstring(at + 1);
        }
        return status_;
    }
    FormulaStatus unexpected() {
        if (pos_ >= s_.size()) return fail(L"unexpected end of formula", pos_);
        std::wstring what = L"unexpected '";
        what += s_[pos_];
        what += L'\'';
        return fail(what, pos_);
    }

    // ---- nodes --------------------------------------------------------------------------------
    // Every node records its level: 1 for a value, one more than its deepest child for an operator
    // or a call, one more for each pair of parentheses around it. A node above kMaxDepth is refused
    // where its operator stands, so that no walk over a tree (compiling it, here and wherever trees
    // are walked recursively) can go deeper than the bound, whatever shape the text has: a chain of
    // 50,000 "+1" is a tree 50,000 levels deep just as 50,000 nested parentheses are.
    std::uint32_t add(const Node& n, std::uint16_t level = 1) {
        f_.nodes.push_back(n);
        levels_.push_back(level);
        return static_cast<std::uint32_t>(f_.nodes.size() - 1);
    }
    // The level of a node over children whose deepest is `deepest`; false (and the parse fails at
    // column at + 1) when that is beyond the bound.
    bool levelAbove(std::uint32_t deepest, std::size_t at, std::uint16_t& level) {
        if (deepest >= static_cast<std::uint32_t>(FormulaParser::kMaxDepth)) {
            fail(L"formula nested too deeply", at);
            return false;
        }
        level = static_cast<std::uint16_t>(deepest + 1);
        return true;
    }
    std::uint32_t addWithChildren(Node n, std::initializer_list<std::uint32_t> children, std::size_t at) {
        std::uint32_t deepest = 0;
        for (auto c : children) deepest = std::max<std::uint32_t>(deepest, levels_[c]);
        std::uint16_t level = 0;
        if (!levelAbove(deepest, at, level)) return 0;
        n.first = static_cast<std::uint32_t>(f_.childIndex.size());
        n.count = static_cast<std::uint32_t>(children.size());
        for (auto c : children) f_.childIndex.push_back(c);
        return add(n, level);
    }
    std::uint32_t binary(Operator op, std::uint32_t l, std::uint32_t r, std::size_t at) {
        if (failed_) return 0;
        Node n;
        n.kind = NodeKind::Binary;
        n.op = static_cast<std::uint8_t>(op);
        return addWithChildren(n, {l, r}, at);
    }
    std::uint32_t unary(Operator op, std::uint32_t child, std::size_t at) {
        if (failed_) return 0;
        Node n;
        n.kind = NodeKind::Unary;
        n.op = static_cast<std::uint8_t>(op);
        return addWithChildren(n, {child}, at);
    }

    void skipBlanks() {
        while (pos_ < s_.size() && isBlank(s_[pos_])) ++pos_;
    }
    bool peek(wchar_t c) {
        skipBlanks();
        return pos_ < s_.size() && s_[pos_] == c;
    }

    // ---- precedence levels, lowest first ---------------------------------------------------------
    struct DepthGuard {
        Parser& p;
        explicit DepthGuard(Parser& parser) : p(parser) { ++p.depth_; }
        ~DepthGuard() { --p.depth_; }
    };

    std::uint32_t comparison() {
        DepthGuard guard(*this);
        if (depth_ > FormulaParser::kMaxDepth) {
            fail(L"formula nested too deeply", pos_);
            return 0;
        }
        std::uint32_t left = concat();
        while (!failed_) {
            skipBlanks();
            if (pos_ >= s_.size()) break;
            Operator op;
            std::size_t len = 1;
            wchar_t c = s_[pos_];
            wchar_t next = pos_ + 1 < s_.size() ? s_[pos_ + 1] : 0;
            if (c == L'=') op = Operator::Equal;
            else if (c == L'<' && next == L'>') op = Operator::NotEqual, len = 2;
            else if (c == L'<' && next == L'=') op = Operator::LessEqual, len = 2;
            else if (c == L'>' && next == L'=') op = Operator::GreaterEqual, len = 2;
            else if (c == L'<') op = Operator::Less;
            else if (c == L'>') op = Operator::Greater;
            else break;
            const std::size_t at = pos_;
            pos_ += len;
            std::uint32_t right = concat();
            left = binary(op, left, right, at);
        }
        return left;
    }

    std::uint32_t concat() {
        std::uint32_t left = additive();
        while (!failed_ && peek(L'&')) {
            const std::size_t at = pos_++;
            std::uint32_t right = additive();
            left = binary(Operator::Concat, left, right, at);
        }
        return left;
    }

    std::uint32_t additive() {
        std::uint32_t left = multiplicative();
        while (!failed_) {
            skipBlanks();
            if (pos_ >= s_.size() || (s_[pos_] != L'+' && s_[pos_] != L'-')) break;
            Operator op = s_[pos_] == L'+' ? Operator::Add : Operator::Subtract;
            const std::size_t at = pos_++;
            std::uint32_t right = multiplicative();
            left = binary(op, left, right, at);
        }
        return left;
    }

    std::uint32_t multiplicative() {
        std::uint32_t left = power();
        while (!failed_) {
            skipBlanks();
            if (pos_ >= s_.size() || (s_[pos_] != L'*' && s_[pos_] != L'/')) break;
            Operator op = s_[pos_] == L'*' ? Operator::Multiply : Operator::Divide;
            const std::size_t at = pos_++;
            std::uint32_t right = power();
            left = binary(op, left, right, at);
        }
        return left;
    }

    // Left to right: 2^3^2 = (2^3)^2 = 64, as the legacy component computed it.
    std::uint32_t power() {
        std::uint32_t left = postfix();
        while (!failed_ && peek(L'^')) {
            const std::size_t at = pos_++;
            std::uint32_t right = postfix();
            left = binary(Operator::Power, left, right, at);
        }
        return left;
    }

    std::uint32_t postfix() {
        std::uint32_t operand = prefix();
        while (!failed_ && peek(L'%')) {
            operand = unary(Operator::Percent, operand, pos_);
            ++pos_;
        }
        return operand;
    }

    // Prefix signs bind tighter than everything else: -2^2 = 4.
    std::uint32_t prefix() {
        skipBlanks();
        if (pos_ < s_.size() && (s_[pos_] == L'-' || s_[pos_] == L'+')) {
            DepthGuard guard(*this);
            if (depth_ > FormulaParser::kMaxDepth) {
                fail(L"formula nested too deeply", pos_);
                return 0;
            }
            Operator op = s_[pos_] == L'-' ? Operator::Negate : Operator::Plus;
            const std::size_t at = pos_++;
            std::uint32_t operand = prefix();
            if (failed_) return 0;
            return unary(op, operand, at);
        }
        return primary();
    }

    std::uint32_t primary() {
        skipBlanks();
        if (pos_ >= s_.size()) {
            unexpected();
            return 0;
        }
        wchar_t c = s_[pos_];
        if (c == L'(') {
            const std::size_t open = pos_++;
            std::uint32_t inner = comparison();
            if (failed_) return 0;
            if (!peek(L')')) {
                unexpected();
                return 0;
            }
            ++pos_;
            // Parentheses make no node, but they are a level all the same: the descent through
            // them is as deep as through an operator.
            if (!levelAbove(levels_[inner], open, levels_[inner])) return 0;
            return inner;
        }
        if (isDigit(c) || (c == L'.' && pos_ + 1 < s_.size() && isDigit(s_[pos_ + 1]))) return number();
        if (c == L'"') return text();
        if (c == L'#') {
            if (auto e = errorLiteral()) return *e;
            if (style_ == RefStyle::Legacy) {
                if (auto r = reference()) return *r;
            }
            unexpected();
            return 0;
        }
        if (isLetter(c) || c == L'_' || c == L'$') {
            if (c != L'$') {
                std::size_t end = pos_;
                while (end < s_.size() && isNameChar(s_[end])) ++end;
                std::size_t after = end;
                while (after < s_.size() && isBlank(s_[after])) ++after;
                if (after < s_.size() && s_[after] == L'(') return call(pos_, end, after);
            }
            if (auto r = reference()) return *r;
            return name();
        }
        unexpected();
        return 0;
    }

    // A constant of at most 15 digits with at most 22 after the point and no exponent, such as "150"
    // or "0.5", without strtod: its digits as a whole number and the power of ten are both exact
    // doubles, so one division rounds the quotient as strtod rounds the decimal. Nothing for any
    // other constant.
    static std::optional<double> exactDecimal(const char* text, std::size_t length) {
        static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        std::int64_t digits = 0;
        int count = 0, fraction = 0;
        bool point = false;
        for (std::size_t i = 0; i < length; ++i) {
            const char c = text[i];
            if (c == '.' && !point) {
                point = true;
                continue;
            }
            if (c < '0' || c > '9') return std::nullopt;
            if (count > 0 || c != '0') ++count;
            if (count > 15) return std::nullopt;
            digits = digits * 10 + (c - '0');
            if (point) ++fraction;
        }
        if (fraction > 22) return std::nullopt;
        return static_cast<double>(digits) / kPowers[fraction];
    }

    std::uint32_t number() {
        std::size_t start = pos_;
        char buffer[64];
        std::size_t n = 0;
        auto put = [&](wchar_t ch) {
            if (n + 1 < sizeof buffer) buffer[n++] = static_cast<char>(ch);
            else n = sizeof buffer;  // too long to be a sensible number
        };
        while (pos_ < s_.size() && isDigit(s_[pos_])) put(s_[pos_++]);
        if (pos_ < s_.size() && s_[pos_] == L'.') {
            put(s_[pos_++]);
            while (pos_ < s_.size() && isDigit(s_[pos_])) put(s_[pos_++]);
        }
        if (pos_ < s_.size() && (s_[pos_] == L'e' || s_[pos_] == L'E')) {
            std::size_t save = pos_;
            std::size_t k = pos_ + 1;
            if (k < s_.size() && (s_[k] == L'+' || s_[k] == L'-')) ++k;
            if (k < s_.size() && isDigit(s_[k])) {
                put(L'e');
                ++pos_;
                if (s_[pos_] == L'+' || s_[pos_] == L'-') put(s_[pos_++]);
                while (pos_ < s_.size() && isDigit(s_[pos_])) put(s_[pos_++]);
            } else {
                pos_ = save;
            }
        }
        if (pos_ < s_.size() && (isLetter(s_[pos_]) || s_[pos_] == L'_')) {
            unexpected();
            return 0;
        }
        if (n >= sizeof buffer) {
            fail(L"number too long", start);
            return 0;
        }
        buffer[n] = 0;
        const std::optional<double> exact = exactDecimal(buffer, n);
        double v = exact ? *exact : std::strtod(buffer, nullptr);
        if (!(v <= 1.7976931348623157e308)) {  // overflow to infinity
            fail(L"number out of range", start);
            return 0;
        }
        Node node;
        node.kind = NodeKind::Number;
        node.a = static_cast<std::int32_t>(f_.numbers.size());
        f_.numbers.push_back(v);
        return add(node);
    }

    std::uint32_t text() {
        std::size_t start = pos_++;
        std::wstring value;
        while (true) {
            if (pos_ >= s_.size()) {
                fail(L"unterminated text", start);
                return 0;
            }
            wchar_t ch = s_[pos_++];
            if (ch == L'"') {
                if (pos_ < s_.size() && s_[pos_] == L'"') {
                    value += L'"';
                    ++pos_;
                    continue;
                }
                break;
            }
            value += ch;
        }
        if (value.size() > kMaxTextLength) {
            fail(L"text too long", start);
            return 0;
        }
        Node node;
        node.kind = NodeKind::Text;
        node.a = static_cast<std::int32_t>(f_.texts.size());
        f_.texts.push_back(std::make_shared<const std::wstring>(std::move(value)));
        return add(node);
    }

    std::optional<std::uint32_t> errorLiteral() {
        for (std::size_t i = 0; i < std::size(kErrorLiterals); ++i) {
            std::wstring_view lit = kErrorLiterals[i];
            if (s_.size() - pos_ < lit.size()) continue;
            bool same = true;
            for (std::size_t k = 0; k < lit.size() && same; ++k) same = upper(s_[pos_ + k]) == lit[k];
            if (!same) continue;
            pos_ += lit.size();
            Node node;
            node.kind = NodeKind::Error;
            node.a = static_cast<std::int32_t>(i + 1);
            return add(node);
        }
        return std::nullopt;
    }

    // ---- references ---------------------------------------------------------------------------
    struct Axis {
        std::int32_t value = 0;
        bool relative = false;
        bool written = false;  // A1 relative: the coordinate as written, made relative later
    };
    struct CellAxes {
        Axis col, row;
    };

    static bool readColumnLetters(std::wstring_view s, std::size_t& p, std::int32_t& col) {
        std::size_t start = p;
        std::int32_t v = 0;
        while (p < s.size() && isLetter(s[p]) && p - start < kMaxColLetters) v = v * 26 + (upper(s[p++]) - L'A' + 1);
        // Beyond the last column the letters are a name, as they would be to any user.
        if (p == start || (p < s.size() && isLetter(s[p])) || v > kColLimit) return false;
        col = v;
        return true;
    }
    static bool readRowDigits(std::wstring_view s, std::size_t& p, std::int32_t& row, std::int32_t limit = kRowLimit) {
        std::size_t start = p;
        std::int32_t v = 0;
        while (p < s.size() && isDigit(s[p]) && p - start < kMaxRowDigits) v = v * 10 + (s[p++] - L'0');
        if (p == start || (p < s.size() && isDigit(s[p])) || v == 0 || v > limit) return false;
        row = v;
        return true;
    }
    // R1C1 part after the letter: digits (absolute), [n] (relative), or nothing (relative 0).
    static bool readR1C1Part(std::wstring_view s, std::size_t& p, Axis& axis, std::int32_t limit) {
        if (p < s.size() && s[p] == L'[') {
            std::size_t k = p + 1;
            bool negative = false;
            if (k < s.size() && (s[k] == L'-' || s[k] == L'+')) negative = s[k++] == L'-';
            std::size_t digitsStart = k;
            std::int32_t v = 0;
            while (k < s.size() && isDigit(s[k]) && k - digitsStart < kMaxRowDigits) v = v * 10 + (s[k++] - L'0');
            if (k == digitsStart || k >= s.size() || s[k] != L']') return false;
            axis = {negative ? -v : v, true, false};
            p = k + 1;
            return true;
        }
        if (p < s.size() && isDigit(s[p])) {
            std::int32_t v = 0;
            if (!readRowDigits(s, p, v, limit)) return false;
            axis = {v, false, false};
            return true;
        }
        axis = {0, true, false};
        return true;
    }

    bool cellAt(std::size_t& p, CellAxes& out) const {
        std::wstring_view s = s_;
        switch (style_) {
            case RefStyle::Legacy:
                if (p < s.size() && s[p] == L'#') {
                    out.col = {0, true, false};
                    ++p;
                } else if (!readColumnLetters(s, p, out.col.value)) {
                    return false;
                }
                if (p < s.size() && s[p] == L'#') {
                    out.row = {0, true, false};
                    ++p;
                } else if (!readRowDigits(s, p, out.row.value)) {
                    return false;
                }
                break;
            case RefStyle::A1: {
                bool colAbs = p < s.size() && s[p] == L'$';
                if (colAbs) ++p;
                if (!readColumnLetters(s, p, out.col.value)) return false;
                bool rowAbs = p < s.size() && s[p] == L'$';
                if (rowAbs) ++p;
                if (!readRowDigits(s, p, out.row.value)) return false;
                out.col.relative = out.col.written = !colAbs;
                out.row.relative = out.row.written = !rowAbs;
                break;
            }
            case RefStyle::R1C1:
                if (p >= s.size() || upper(s[p]) != L'R') return false;
                ++p;
                if (!readR1C1Part(s, p, out.row, kRowLimit)) return false;
                if (p >= s.size() || upper(s[p]) != L'C') return false;
                ++p;
                if (!readR1C1Part(s, p, out.col, kColLimit)) return false;
                break;
        }
        // A reference ends where a name would not go on.
        return !(p < s.size() && (isNameChar(s[p]) || s[p] == L'#' || s[p] == L'$' || s[p] == L'['));
    }

    static void applyAxis(const Axis& axis, std::int32_t& value, std::uint8_t& flags, std::uint8_t relBit,
                          std::uint8_t writtenBit) {
        value = axis.value;
        if (axis.relative) flags |= relBit;
        if (axis.written) flags |= writtenBit;
    }

    std::optional<std::uint32_t> reference() {
        std::size_t p = pos_;
        CellAxes first;
        if (!cellAt(p, first)) return std::nullopt;
        Node node;
        node.kind = NodeKind::Cell;
        applyAxis(first.col, node.a, node.flags, RefFlag::Col1Relative, RefFlag::Col1Written);
        applyAxis(first.row, node.b, node.flags, RefFlag::Row1Relative, RefFlag::Row1Written);
        std::size_t q = p;
        while (q < s_.size() && isBlank(s_[q])) ++q;
        if (q < s_.size() && s_[q] == L':') {
            ++q;
            while (q < s_.size() && isBlank(s_[q])) ++q;
            CellAxes second;
            std::size_t r = q;
            if (!cellAt(r, second)) {
                pos_ = q;
                unexpected();
                return 0u;
            }
            node.kind = NodeKind::Range;
            applyAxis(second.col, node.c, node.flags, RefFlag::Col2Relative, RefFlag::Col2Written);
            applyAxis(second.row, node.d, node.flags, RefFlag::Row2Relative, RefFlag::Row2Written);
            p = r;
        }
        if (node.flags & RefFlag::AnyWritten) f_.hasWritten = true;
        pos_ = p;
        return add(node);
    }

    // ---- names and calls ----------------------------------------------------------------------
    static std::wstring upperCase(std::wstring_view raw) {
        std::wstring name(raw);
        for (auto& ch : name) ch = upper(ch);
        return name;
    }
    // Names are interned only for the node that keeps them, once its arguments are parsed: a name
    // taken earlier could be claimed or dropped by what the arguments intern meanwhile.
    std::uint32_t internName(std::wstring name) {
        for (std::size_t i = 0; i < f_.names.size(); ++i)
            if (f_.names[i] == name) return static_cast<std::uint32_t>(i);
        f_.names.push_back(std::move(name));
        return static_cast<std::uint32_t>(f_.names.size() - 1);
    }
    static bool isLogicalName(std::wstring_view upperName) { return upperName == L"TRUE" || upperName == L"FALSE"; }
    std::uint32_t logical(std::wstring_view upperName, std::uint16_t level = 1) {
        Node node;
        node.kind = NodeKind::Logical;
        node.a = upperName == L"TRUE";
        return add(node, level);
    }

    // A bare name: TRUE and FALSE are logical values, anything else computes #NAME?.
    std::uint32_t name() {
        std::size_t start = pos_;
        if (pos_ >= s_.size() || !(isLetter(s_[pos_]) || s_[pos_] == L'_')) {
            unexpected();
            return 0;
        }
        while (pos_ < s_.size() && isNameChar(s_[pos_])) ++pos_;
        if (pos_ < s_.size() && (s_[pos_] == L'$' || s_[pos_] == L'#' || s_[pos_] == L'[')) {
            unexpected();
            return 0;
        }
        std::wstring upperName = upperCase(s_.substr(start, pos_ - start));
        if (isLogicalName(upperName)) return logical(upperName);
        Node node;
        node.kind = NodeKind::Call;
        node.flags = 1;  // bare: written without parentheses
        node.a = static_cast<std::int32_t>(internName(std::move(upperName)));
        return add(node);
    }

    std::uint32_t call(std::size_t nameStart, std::size_t nameEnd, std::size_t open) {
        std::wstring upperName = upperCase(s_.substr(nameStart, nameEnd - nameStart));
        pos_ = open + 1;
        std::size_t base = args_.size();
        if (!peek(L')')) {
            while (true) {
                skipBlanks();
                if (pos_ < s_.size() && (s_[pos_] == L',' || s_[pos_] == L')')) {
                    Node missing;
                    missing.kind = NodeKind::Missing;
                    args_.push_back(add(missing));
                } else {
                    std::uint32_t arg = comparison();
                    if (failed_) return 0;
                    args_.push_back(arg);
                }
                skipBlanks();
                if (pos_ < s_.size() && s_[pos_] == L',') {
                    ++pos_;
                    continue;
                }
                if (pos_ < s_.size() && s_[pos_] == L')') break;
                unexpected();
                return 0;
            }
        }
        ++pos_;  // ')'
        auto count = static_cast<std::int32_t>(args_.size() - base);
        if (count > FormulaParser::kMaxArguments) {
            fail(L"too many arguments to " + upperName, nameStart);
            return 0;
        }
        if (!checkArity(upperName, count, nameStart)) return 0;
        std::uint32_t deepest = 0;
        for (std::size_t i = base; i < args_.size(); ++i) deepest = std::max<std::uint32_t>(deepest, levels_[args_[i]]);
        std::uint16_t level = 0;
        if (!levelAbove(deepest, nameStart, level)) return 0;
        if (isLogicalName(upperName) && !isCustom(upperName)) {
            args_.resize(base);
            return logical(upperName, level);
        }
        Node node;
        node.kind = NodeKind::Call;
        node.a = static_cast<std::int32_t>(internName(std::move(upperName)));
        node.first = static_cast<std::uint32_t>(f_.childIndex.size());
        node.count = static_cast<std::uint32_t>(count);
        f_.childIndex.insert(f_.childIndex.end(), args_.begin() + static_cast<std::ptrdiff_t>(base), args_.end());
        args_.resize(base);
        return add(node, level);
    }

    bool isCustom(std::wstring_view upperName) const { return lookup_ && lookup_(context_, upperName).found; }

    bool checkArity(const std::wstring& upperName, std::int32_t count, std::size_t at) {
        std::int32_t minArgs = 0, maxArgs = -1;
        bool known = false;
        if (lookup_) {
            auto custom = lookup_(context_, upperName);
            if (custom.found) known = true, minArgs = custom.minArgs, maxArgs = custom.maxArgs;
        }
        if (!known) {
            for (const auto& control : kControls)
                if (control.name == upperName) known = true, minArgs = control.minArgs, maxArgs = control.maxArgs;
        }
        if (!known) {
            if (const BuiltinInfo* info = findBuiltin(upperName)) known = true, minArgs = info->minArgs, maxArgs = info->maxArgs;
        }
        if (!known) return true;  // an unknown function computes #NAME?, it is no syntax error
        if (count < minArgs || (maxArgs >= 0 && count > maxArgs)) {
            fail(L"wrong number of arguments to " + upperName, at);
            return false;
        }
        return true;
    }

    std::wstring_view s_;
    RefStyle style_;
    Formula& f_;
    std::vector<std::uint32_t>& args_;
    std::vector<std::uint16_t>& levels_;  // per node, as f_.nodes
    FormulaParser::CustomLookup lookup_;
    const void* context_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    bool failed_ = false;
    FormulaStatus status_;
};

}  // namespace

FormulaStatus FormulaParser::parse(std::wstring_view text, RefStyle style, Formula& out) {
    argStack_.clear();
    levels_.clear();
    Parser parser(text, style, out, argStack_, levels_, lookup_, lookupContext_);
    return parser.run();
}

}  // namespace grid

#include "platform/grid/functions/Criterion.h"

#include "platform/grid/functions/FunctionSupport.h"

namespace grid::functions {

Criterion Criterion::parse(const Value& criterion) {
    Criterion c;
    if (criterion.isNumber()) {
        c.operand_ = Operand::Number;
        c.number_ = criterion.asNumber();
        return c;
    }
    if (!criterion.isText()) return c;  // an empty criterion cell asks for blank cells

    std::wstring_view text = criterion.asText();
    struct Prefix {
        std::wstring_view text;
        Operator op;
    };
    // Two-character operators first, so "<=" is not read as "<" followed by "=...".
    static constexpr Prefix kPrefixes[] = {
        {L"<=", Operator::LessEqual}, {L">=", Operator::GreaterEqual}, {L"<>", Operator::NotEqual},
        {L"<", Operator::Less},       {L">", Operator::Greater},       {L"=", Operator::Equal},
    };
    for (const Prefix& prefix : kPrefixes) {
        if (text.starts_with(prefix.text)) {
            c.operator_ = prefix.op;
            text.remove_prefix(prefix.text.size());
            break;
        }
    }
    if (text.empty() && (c.operator_ == Operator::Equal || c.operator_ == Operator::NotEqual)) {
        c.operand_ = Operand::Blank;
    } else if (auto n = parseNumber(text)) {
        c.operand_ = Operand::Number;
        c.number_ = *n;
    } else if (auto e = errorFromText(text)) {
        c.operand_ = Operand::Error;
        c.error_ = *e;
    } else {
        c.operand_ = Operand::Text;
        c.text_ = text;
        c.wildcards_ = (c.operator_ == Operator::Equal || c.operator_ == Operator::NotEqual) && hasWildcards(text);
    }
    return c;
}

bool Criterion::equals(const Value& cell) const {
    switch (operand_) {
        case Operand::Number: return cell.isNumber() && compareNumbers(cell.asNumber(), number_) == 0;
        case Operand::Blank: return cell.isEmpty() || (cell.isText() && cell.asText().empty());
        case Operand::Error: return cell.isError() && cell.asError() == error_;
        case Operand::Text:
            if (!cell.isText()) return false;
            return wildcards_ ? wildcardMatch(text_, cell.asText(), CaseMatch::Sensitive) : cell.asText() == text_;
    }
    return false;
}

bool Criterion::ordered(int comparison) const {
    switch (operator_) {
        case Operator::Less: return comparison < 0;
        case Operator::LessEqual: return comparison <= 0;
        case Operator::Greater: return comparison > 0;
        case Operator::GreaterEqual: return comparison >= 0;
        default: return false;
    }
}

bool Criterion::matches(const Value& cell) const {
    if (operator_ == Operator::Equal) return equals(cell);
    if (operator_ == Operator::NotEqual) return !equals(cell);
    // Ordering compares numbers with numbers and texts with texts only; other cells never match.
    if (operand_ == Operand::Number && cell.isNumber()) {
        return ordered(compareNumbers(cell.asNumber(), number_));
    }
    if (operand_ == Operand::Text && cell.isText()) return ordered(cell.asText().compare(text_));
    return false;
}

}  // namespace grid::functions

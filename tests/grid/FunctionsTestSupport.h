#pragma once
// A fake sheet for calling built-in functions directly: cells in a map, addressed "B3" style, and a
// call helper that checks the argument counts as the evaluator would.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <initializer_list>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/grid/Builtins.h"
#include "platform/grid/CellRange.h"
#include "platform/grid/Value.h"

namespace grid {

inline void PrintTo(const Value& v, std::ostream* os) {
    switch (v.kind()) {
        case Value::Kind::Empty: *os << "<empty>"; return;
        case Value::Kind::Number: {
            char buffer[40];
            std::snprintf(buffer, sizeof buffer, "%.17g", v.asNumber());
            *os << (v.isLogical() ? "logical " : "number ") << buffer;
            return;
        }
        case Value::Kind::Text: {
            *os << "text \"";
            for (wchar_t c : v.asText()) *os << (c < 128 ? static_cast<char>(c) : '?');
            *os << '"';
            return;
        }
        case Value::Kind::Error: {
            *os << "error ";
            for (wchar_t c : errorText(v.asError())) *os << static_cast<char>(c);
            return;
        }
    }
}

}  // namespace grid

namespace grid::test {

// "B3" -> (2, 3); "AA10" -> (27, 10).
inline std::pair<std::int32_t, std::int32_t> cellAt(std::string_view a1) {
    std::int32_t col = 0, row = 0;
    std::size_t i = 0;
    for (; i < a1.size() && a1[i] >= 'A' && a1[i] <= 'Z'; ++i) col = col * 26 + (a1[i] - 'A' + 1);
    for (; i < a1.size(); ++i) row = row * 10 + (a1[i] - '0');
    return {col, row};
}

inline CellRange rangeAt(std::string_view a1) {
    auto colon = a1.find(':');
    auto [c1, r1] = cellAt(a1.substr(0, colon));
    if (colon == std::string_view::npos) return CellRange::cell(c1, r1);
    auto [c2, r2] = cellAt(a1.substr(colon + 1));
    return {c1, r1, c2, r2};
}

class FakeSheet : public CallContext {
public:
    static constexpr std::int32_t kMaxRows = 1000, kMaxCols = 100;

    void set(std::string_view a1, Value v) { cells_[cellAt(a1)] = std::move(v); }
    // Fills a rectangle row by row from the list.
    void fill(std::string_view a1range, std::initializer_list<Value> values) {
        CellRange r = rangeAt(a1range);
        auto it = values.begin();
        for (std::int32_t row = r.row1; row <= r.row2; ++row)
            for (std::int32_t col = r.col1; col <= r.col2 && it != values.end(); ++col, ++it)
                if (!it->isEmpty()) cells_[{col, row}] = *it;
    }

    Value cellValue(std::int32_t col, std::int32_t row) override {
        ++reads;
        if (col < 1 || row < 1 || col > kMaxCols || row > kMaxRows) return Value::error(ErrorCode::Ref);
        auto it = cells_.find({col, row});
        return it == cells_.end() ? Value() : it->second;
    }
    double random() override { return nextRandom; }

    double nextRandom = 0.25;
    int reads = 0;

private:
    std::map<std::pair<std::int32_t, std::int32_t>, Value> cells_;
};

inline Arg num(double v) { return Arg::scalar(Value::number(v)); }
inline Arg boolean(bool v) { return Arg::scalar(Value::logical(v)); }
inline Arg str(const wchar_t* s) { return Arg::scalar(Value::text(std::wstring(s))); }
inline Arg err(ErrorCode e) { return Arg::scalar(Value::error(e)); }
inline Arg blank() { return Arg::scalar(Value()); }
inline Arg ref(std::string_view a1range) { return Arg::reference(rangeAt(a1range)); }

inline Value number(double v) { return Value::number(v); }
inline Value logical(bool v) { return Value::logical(v); }
inline Value text(const wchar_t* s) { return Value::text(std::wstring(s)); }
inline Value error(ErrorCode e) { return Value::error(e); }

// Calls a built-in as the evaluator would, failing the test on an unknown name, a lazy function or a
// wrong argument count.
inline Value call(CallContext& sheet, std::wstring_view name, const std::vector<Arg>& args) {
    const BuiltinInfo* info = findBuiltin(name);
    if (info == nullptr || info->evaluate == nullptr) {
        ADD_FAILURE() << "no eager built-in " << std::string(name.begin(), name.end());
        return Value();
    }
    auto count = static_cast<std::int16_t>(args.size());
    if (count < info->minArgs || (info->maxArgs >= 0 && count > info->maxArgs)) {
        ADD_FAILURE() << "wrong argument count for " << std::string(name.begin(), name.end());
        return Value();
    }
    return info->evaluate(args, sheet);
}

struct Case {
    const wchar_t* function;
    std::vector<Arg> args;
    Value expected;
};

inline std::string describe(const Case& c) {
    std::string s(c.function, c.function + std::wcslen(c.function));
    s += "(";
    for (std::size_t i = 0; i < c.args.size(); ++i) {
        if (i) s += ", ";
        const Arg& a = c.args[i];
        if (a.isReference()) {
            s += "ref";
        } else {
            std::ostringstream os;
            PrintTo(a.value(), &os);
            s += os.str();
        }
    }
    return s + ")";
}

// Runs a table of cases against one sheet.
inline void expectCases(CallContext& sheet, const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(call(sheet, c.function, c.args), c.expected) << describe(c);
}

}  // namespace grid::test

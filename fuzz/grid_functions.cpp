// Format codes, wildcard patterns and criteria are user text; none of them may crash or hang the
// function library. Input: 8 bytes of a double, then "code\0text".
#include <cstdint>
#include <cstring>  // memcpy
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/grid/Builtins.h"
#include "platform/grid/Value.h"
#include "platform/grid/functions/Criterion.h"
#include "platform/grid/functions/FunctionSupport.h"
#include "platform/grid/functions/NumberFormat.h"

namespace {

// No cells: the text functions under test take scalars only.
class NoCells : public grid::CallContext {
public:
    grid::Value cellValue(std::int32_t, std::int32_t) override { return grid::Value(); }
    double random() override { return 0.5; }
};

grid::Value call(const wchar_t* name, std::initializer_list<grid::Arg> args) {
    NoCells cells;
    std::vector<grid::Arg> list(args);
    return grid::findBuiltin(name)->evaluate(list, cells);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace grid::functions;
    double number = 0.0;
    if (size >= sizeof number) {
        std::memcpy(&number, data, sizeof number);
        data += sizeof number;
        size -= sizeof number;
    }
    // Bytes as Latin-1 characters: cheap, and every byte value reaches the parsers.
    std::wstring code, text;
    std::size_t i = 0;
    for (; i < size && data[i] != 0; ++i) code += static_cast<wchar_t>(data[i]);
    for (++i; i < size; ++i) text += static_cast<wchar_t>(data[i]);
    if (code.size() > 4096 || text.size() > 4096) return 0;

    NumberFormat::format(number, code);
    NumberFormat::formatText(text, code);
    wildcardMatch(code, text, CaseMatch::Insensitive, MatchExtent::Prefix);
    wildcardMatch(code, text, CaseMatch::Sensitive);
    Criterion criterion = Criterion::parse(grid::Value::text(code));
    criterion.matches(grid::Value::text(text));
    criterion.matches(grid::Value::number(number));
    auto textArg = [](const std::wstring& t) { return grid::Arg::scalar(grid::Value::text(t)); };
    auto numberArg = [](double v) { return grid::Arg::scalar(grid::Value::number(v)); };
    call(L"SEARCH", {textArg(code), textArg(text)});
    call(L"SUBSTITUTE", {textArg(text), textArg(code), textArg(text)});
    call(L"TEXT", {numberArg(number), textArg(code)});
    call(L"MID", {textArg(text), numberArg(number), numberArg(static_cast<double>(code.size()))});
    roundDecimal(number, static_cast<int>(text.size()) - 20, Rounding::HalfAwayFromZero);
    return 0;
}

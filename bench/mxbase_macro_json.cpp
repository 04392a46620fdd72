// Reading a macro file: the JSON parse (every run of a standard reads its macro) and the macro built
// from it; and writing it back, as a file and as a line of a JSON-lines stream (the batch command
// writes every macro it updates).
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/mxbase/JsonErrorText.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/Mx_Macro.h"

namespace {

std::string exampleMacro() {
    std::ifstream in(CONNSHEET_SOURCE_DIR "/examples/library/Macros/EndPlateBeamToColumn.json",
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void BM_ParseMacroDocument(benchmark::State& state) {
    const std::string text = exampleMacro();
    for (auto _ : state) {
        nlohmann::ordered_json document;
        std::string error;
        benchmark::DoNotOptimize(parseJsonWithin(text, 64, document, error));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseMacroDocument);

void BM_ReadMacro(benchmark::State& state) {
    const std::string text = exampleMacro();
    for (auto _ : state) {
        Mx_Macro macro;
        Mx_String error;
        benchmark::DoNotOptimize(macrojson::read(text, macro, nullptr, error));
    }
}
BENCHMARK(BM_ReadMacro);

void writeMacro(benchmark::State& state, macrojson::Layout layout) {
    Mx_Macro macro;
    MacroData tabs;
    Mx_String error;
    if (!macrojson::read(exampleMacro(), macro, &tabs, error)) {
        state.SkipWithError("the example macro does not read");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string json = macrojson::write(macro, &tabs, layout);
        bytes += json.size();
        benchmark::DoNotOptimize(json.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_WriteMacroIndented(benchmark::State& state) {
    writeMacro(state, macrojson::Layout::indented);
}
BENCHMARK(BM_WriteMacroIndented);

void BM_WriteMacroOneLine(benchmark::State& state) {
    writeMacro(state, macrojson::Layout::oneLine);
}
BENCHMARK(BM_WriteMacroOneLine);

}  // namespace

BENCHMARK_MAIN();

// Reading a macro file: the JSON parse (every run of a standard reads its macro) and the macro built
// from it.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/mxbase/JsonErrorText.h"
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

}  // namespace

BENCHMARK_MAIN();

// The core string and number functions on the standards engine's hot path: splitting equations,
// whole-sheet duplicate checks, key formatting and rounding.
#include <benchmark/benchmark.h>

#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/StringFunctions.h"

namespace {

Mx_StringArray makeNames(int count) {
    Mx_StringArray names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names.append(Mx_String(L"Variable_") + Mx_String(i % (count / 2 + 1)));
    return names;
}

void BM_GetDuplicatesIgnoringCase(benchmark::State& state) {
    Mx_StringArray names = makeNames(static_cast<int>(state.range(0)));
    AcArray<int> positions;
    for (auto _ : state)
        benchmark::DoNotOptimize(getDuplicates(names, positions, false));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_GetDuplicatesIgnoringCase)->Range(1 << 8, 1 << 16)->Complexity();

void BM_SplitList(benchmark::State& state) {
    Mx_String list;
    for (int i = 0; i < 200; ++i)
        list.append(L"item").append(i).append(L';');
    Mx_StringArray pieces;
    for (auto _ : state)
        benchmark::DoNotOptimize(strToArr(list, pieces));
}
BENCHMARK(BM_SplitList);

void BM_ReplaceVariableIgnoringCase(benchmark::State& state) {
    Mx_String equation(L"Width * Length + WIDTH / 2 - width * Thickness + Width");
    for (auto _ : state) {
        Mx_String copy(equation);
        benchmark::DoNotOptimize(copy.replaceSubString(L"width", L"B5", false));
    }
}
BENCHMARK(BM_ReplaceVariableIgnoringCase);

void BM_FormatKeyNumber(benchmark::State& state) {
    double value = 123.456;
    for (auto _ : state)
        benchmark::DoNotOptimize(formatKeyNumber(value));
}
BENCHMARK(BM_FormatKeyNumber);

// Every variable's cell reference ("B12") and every line number of a message is a whole number in text.
void BM_WholeNumberText(benchmark::State& state) {
    int row = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Mx_String(row));
        row = row * 7 % 1000003;
    }
}
BENCHMARK(BM_WholeNumberText);

void BM_RoundTo(benchmark::State& state) {
    double value = 0.15;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ObjectExportRoundTo(value, 0.1));
        value += 1e-9;
    }
}
BENCHMARK(BM_RoundTo);

// Stock lists, data files and section values are numbers in text, most of them whole.
void BM_ParseNumber(benchmark::State& state) {
    const std::wstring texts[] = {L"60", L" 180 ", L"12.5", L"2.5E-2", L"1000"};
    double value = 0;
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(parseNumber(texts[i++ % 5], value));
}
BENCHMARK(BM_ParseNumber);

}  // namespace
BENCHMARK_MAIN();

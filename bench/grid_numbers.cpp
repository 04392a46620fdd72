// Numbers on calc's path: a number cell's two texts as calc prints them (the general text the cell
// shows and the shortest text that reads back as the same double, converted separately or together),
// and number constants read from formulas.
#include <benchmark/benchmark.h>

#include <charconv>  // to_chars
#include <random>
#include <string>
#include <vector>

#include "platform/grid/Sheet.h"
#include "platform/grid/Value.h"

namespace {

// Amounts as typed (two decimals) and what arithmetic makes of them (16 and 17 digits).
std::vector<double> numbers() {
    std::mt19937_64 random(7);
    std::vector<double> values;
    for (int i = 0; i < 4096; ++i) {
        const double typed = static_cast<double>(random() % 1000000) / 100;
        values.push_back(i % 2 ? typed : typed * 1.1);
    }
    return values;
}

void BM_GeneralThenShortest(benchmark::State& state) {
    const std::vector<double> values = numbers();
    char general[grid::kNumberTextMax], shortest[64];
    std::size_t i = 0;
    for (auto _ : state) {
        const double v = values[i++ % values.size()];
        benchmark::DoNotOptimize(grid::formatNumberAscii(v, general));
        benchmark::DoNotOptimize(std::to_chars(shortest, shortest + sizeof shortest, v).ptr);
    }
}
BENCHMARK(BM_GeneralThenShortest);

void BM_NumberTextsTogether(benchmark::State& state) {
    const std::vector<double> values = numbers();
    grid::NumberTexts texts;
    std::size_t i = 0;
    for (auto _ : state) {
        grid::formatNumberTexts(values[i++ % values.size()], texts);
        benchmark::DoNotOptimize(texts);
    }
}
BENCHMARK(BM_NumberTextsTogether);

// Numbers whose shortest text has more than 15 digits, rounded to 15 as the cell shows them.
void BM_GeneralTextOf17Digits(benchmark::State& state) {
    char general[grid::kNumberTextMax];
    double v = 9199.028973560147;
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid::formatNumberAscii(v, general));
        v += 0.001;
    }
}
BENCHMARK(BM_GeneralTextOf17Digits);

// Formulas with number constants, each a new text, as a large sheet is loaded.
void BM_FormulaConstants(benchmark::State& state) {
    grid::Sheet sheet;
    sheet.setMaxCols(4);
    sheet.setMaxRows(1 << 20);
    std::int32_t row = 1;
    for (auto _ : state) {
        const std::wstring text = L"=IF(A" + std::to_wstring(row) + L">150,A" + std::to_wstring(row) + L"*0.5,2.25)";
        benchmark::DoNotOptimize(sheet.setFormula(2, row, text));
        row = row % (1 << 20) + 1;
    }
}
BENCHMARK(BM_FormulaConstants);

}  // namespace

BENCHMARK_MAIN();

// Sparse sheets: sheets declared at the largest size (16,384 columns by 2,000,000 rows) that hold few
// cells. Each case costs what the sheet holds, so the diagonal, given a growing number of cells,
// grows linearly with them.
//
//   cmake --build build/default --target bench_grid_sparse
//   build/default/bench/bench_grid_sparse
//
// Peak memory (ru_maxrss of the process so far) is reported as a counter: run one case per process
// (--benchmark_filter) to read it for that case.
#include <benchmark/benchmark.h>

#include <sys/resource.h>  // getrusage

#include <string>

#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"

namespace {

std::string columnName(std::int32_t col) {
    std::string letters;
    for (; col > 0; col = (col - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (col - 1) % 26));
    return letters;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A native file of the largest size with the given cells; column A's cell sums the others.
std::string sparseFile(std::int32_t cells, std::int32_t (*rowOf)(std::int32_t col)) {
    std::string text = "connsheet-grid 1\nsheet cols=16384 rows=2000000 ref-style=1\n";
    const std::string last = columnName(cells);
    text += "cell A" + std::to_string(rowOf(1)) + " formula=\"SUM(B1:" + last + "2000000)\"\n";
    for (std::int32_t c = 2; c <= cells; ++c)
        text += "cell " + columnName(c) + std::to_string(rowOf(c)) + " data=\"" + std::to_string(c) + "\"\n";
    return text;
}

// Load, calculate, save: the sheet's native text back out, with the load's all-or-nothing check.
void loadCalculateSave(benchmark::State& state, const std::string& file, std::int32_t cells) {
    for (auto _ : state) {
        grid::Sheet sheet;
        const grid::GridFileResult loaded = grid::GridFile::loadText(sheet, file, grid::GridFileFormat::Native);
        if (!loaded) state.SkipWithError(loaded.diagnostic.c_str());
        sheet.recalc();
        const std::string saved = grid::GridFile::toNativeText(sheet);
        if (saved != file) state.SkipWithError("the saved text differs");
        benchmark::DoNotOptimize(saved.data());
    }
    state.counters["cells"] = cells;
    state.counters["peak_MB"] = peakMegabytes();
    state.SetItemsProcessed(state.iterations() * cells);
}

// One cell per column, every one at row 2,000,000.
void Sparse_OneCellPerColumnAtTheLastRow(benchmark::State& state) {
    const std::string file = sparseFile(grid::kColLimit, [](std::int32_t) { return grid::kRowLimit; });
    loadCalculateSave(state, file, grid::kColLimit);
}
BENCHMARK(Sparse_OneCellPerColumnAtTheLastRow)->Unit(benchmark::kMillisecond);

// Column c at row 122 c: every band of rows holds a cell or two, the last at row 1,998,848.
void Sparse_Diagonal(benchmark::State& state) {
    const auto cells = static_cast<std::int32_t>(state.range(0));
    const std::string file = sparseFile(cells, [](std::int32_t col) { return 122 * col; });
    loadCalculateSave(state, file, cells);
}
BENCHMARK(Sparse_Diagonal)->RangeMultiplier(2)->Range(1024, 16384)->Unit(benchmark::kMillisecond);

// SUM, COUNTBLANK and COUNTIF over B1:ALL2000000 (two billion cells) holding three numbers.
void Sparse_RangeFunctionsOverAnEmptyArea(benchmark::State& state) {
    grid::Sheet sheet;
    sheet.setMaxCols(1000);
    sheet.setMaxRows(grid::kRowLimit);
    sheet.setNumber(2, 1, 1);
    sheet.setNumber(500, 1'000'000, 2);
    sheet.setNumber(1000, grid::kRowLimit, 3);
    sheet.setFormula(1, 1, L"SUM(B1:ALL2000000)");
    sheet.setFormula(1, 2, L"COUNTBLANK(B1:ALL2000000)");
    sheet.setFormula(1, 3, L"COUNTIF(B1:ALL2000000,\">1\")");
    for (auto _ : state) {
        sheet.recalc();
        benchmark::DoNotOptimize(sheet.value(1, 1));
    }
    if (sheet.value(1, 1).asNumber() != 6) state.SkipWithError("wrong sum");
}
BENCHMARK(Sparse_RangeFunctionsOverAnEmptyArea)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

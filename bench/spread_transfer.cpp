// The cost of Mx_Spread's typed column transfer and of mergeEqualCells on large sheets. Both should
// grow linearly with the number of rows.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/Resources.h"
#include "spread/Mx_Spread.h"

namespace {

constexpr int kDialogId = 500, kGrid = 100;

struct Host {
    Host() {
        static HINSTANCE module = ui::loadResourceModuleFromText("spread-bench", R"(
DIALOG 500 0 0 300 200
  CAPTION "Grid host"
  CONTROL Static 100 "" 5 5 280 180
END
)").module;
        AfxSetResourceHandle(module);
        dialog.Create(kDialogId);
        grid.createFromDlgItem(&dialog, kGrid, false);
    }
    ~Host() {
        grid.DestroyWindow();
        dialog.DestroyWindow();
    }
    CDialog dialog{kDialogId};
    Mx_Spread grid;
};

void IntColumnRoundTrip(benchmark::State& state) {
    Host host;
    int rows = static_cast<int>(state.range(0));
    host.grid.setMaxCols(2, false);
    host.grid.setMaxRows(rows, false);
    std::vector<int> values(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) values[static_cast<std::size_t>(i)] = i * 7;
    std::vector<int> back;
    for (auto _ : state) {
        host.grid.setColumnInts(1, values);
        host.grid.getColumnInts(1, back);
        benchmark::DoNotOptimize(back.data());
    }
    state.SetComplexityN(rows);
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(IntColumnRoundTrip)->Arg(25'000)->Arg(50'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Complexity();

void DoubleColumnRoundTrip(benchmark::State& state) {
    Host host;
    int rows = static_cast<int>(state.range(0));
    host.grid.setMaxCols(1, false);
    host.grid.setMaxRows(rows, false);
    std::vector<double> values(static_cast<std::size_t>(rows), 12.345);
    std::vector<double> back;
    for (auto _ : state) {
        host.grid.setColumnDoubles(1, values);
        host.grid.getColumnDoubles(1, back);
        benchmark::DoNotOptimize(back.data());
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(DoubleColumnRoundTrip)->Arg(100'000)->Unit(benchmark::kMillisecond);

// range(0) rows, range(1) rows per run of equal texts (so rows / range(1) spans). The window's part is
// linear; the engine's span list checks each new span against the existing ones, which shows with many
// short runs (100,000 rows in runs of 10).
void MergeEqualCells(benchmark::State& state) {
    Host host;
    int rows = static_cast<int>(state.range(0)), run = static_cast<int>(state.range(1));
    host.grid.setMaxCols(1, false);
    host.grid.setMaxRows(rows, false);
    Mx_StringArray texts;
    for (int i = 0; i < rows; ++i) texts.append(Mx_String(std::to_wstring(i / run)));
    host.grid.setColumnTexts(1, texts, false);
    for (auto _ : state) host.grid.mergeEqualCells(1);
    state.SetComplexityN(rows);
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(MergeEqualCells)
    ->Args({25'000, 100})
    ->Args({50'000, 100})
    ->Args({100'000, 100})
    ->Args({100'000, 1})
    ->Args({100'000, 10})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

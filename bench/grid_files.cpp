// W3: 100,000 x 10 cells loaded from CSV, saved and loaded in the native format (GridFile); W2's
// 200,000 formulas loaded from CSV; a standards sheet's text (a few hundred cells) into a new sheet
// (one pass) and into one that holds cells (checked, then applied).
// Peak memory needs a process of its own: see bench_grid_w3memory.
#include <benchmark/benchmark.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/GridWorkloads.h"
#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"

namespace {

namespace fs = std::filesystem;

const fs::path& folder() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("connsheet-bench-w3-" + std::to_string(::getpid()));
        fs::create_directories(d);
        std::ofstream(d / "w3.csv", std::ios::binary) << workloads::makeW3Csv();
        std::ofstream(d / "w2.csv", std::ios::binary) << workloads::makeW2Csv();
        return d;
    }();
    return dir;
}

// A CSV file into a new sheet: W3's 1,000,000 values, or W2's 200,000 formulas (each parsed once, the
// sheet computed once).
void CsvLoad(benchmark::State& state, const char* file) {
    std::wstring path = (folder() / file).wstring();
    for (auto _ : state) {
        grid::Sheet sheet;
        if (!grid::GridFile::load(sheet, path)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(sheet.maxRows());
        state.PauseTiming();
        sheet = grid::Sheet();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(CsvLoad, W3, "w3.csv")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(CsvLoad, W2, "w2.csv")->Unit(benchmark::kMillisecond)->Iterations(3);

void W3_NativeSave(benchmark::State& state) {
    grid::Sheet sheet;
    grid::GridFile::load(sheet, (folder() / "w3.csv").wstring());
    std::wstring path = (folder() / "w3.grid").wstring();
    for (auto _ : state)
        if (!grid::GridFile::save(sheet, path)) state.SkipWithError("save failed");
    state.counters["bytes"] = static_cast<double>(fs::file_size(folder() / "w3.grid"));
}
BENCHMARK(W3_NativeSave)->Unit(benchmark::kMillisecond)->Iterations(3);

void W3_NativeLoad(benchmark::State& state) {
    std::wstring path = (folder() / "w3.grid").wstring();
    if (!fs::exists(folder() / "w3.grid")) {
        grid::Sheet sheet;
        grid::GridFile::load(sheet, (folder() / "w3.csv").wstring());
        grid::GridFile::save(sheet, path);
    }
    for (auto _ : state) {
        grid::Sheet sheet;
        if (!grid::GridFile::load(sheet, path)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(sheet.maxRows());
        state.PauseTiming();
        sheet = grid::Sheet();
        state.ResumeTiming();
    }
}
BENCHMARK(W3_NativeLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

// The size of a standards sheet: 200 rows of declarations, equations and notes, widths, a formula.
std::string standardsSizedText() {
    std::string text =
        "connsheet-grid 1\nsheet cols=2 rows=200 ref-style=0\ncol A width=62\ncol B width=48\n";
    for (int row = 1; row <= 200; ++row) {
        const std::string r = std::to_string(row);
        text += "cell A" + r + " data=\"Double Variable" + r + " = Width" + r + " * 2 + MAX(Pitch, 10)\"\n";
        text += "cell B" + r + (row % 2 ? " data=\"a note on the row\"\n" : " formula=\"A1&\\\"x\\\"\"\n");
    }
    return text;
}

void StandardsSheetLoad(benchmark::State& state) {
    const std::string text = standardsSizedText();
    const bool used = state.range(0) != 0;
    for (auto _ : state) {
        grid::Sheet sheet;
        if (used) {
            sheet.setMaxCols(1);
            sheet.setMaxRows(1);
        }
        if (!grid::GridFile::loadText(sheet, text, grid::GridFileFormat::Native, "s.vls"))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(sheet.maxRows());
    }
}
BENCHMARK(StandardsSheetLoad)->ArgName("used")->Arg(0)->Arg(1);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(folder());
    return 0;
}

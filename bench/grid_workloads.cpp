// The grid engine on the workloads W1 (standards-like) and W2 (200,000 formulas); see GridWorkloads.h.
//
//   bench_grid_workloads [google benchmark flags]
//   bench_grid_workloads --write-workloads=DIR   leaves the workloads for bench/peers/ and exits
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "bench/GridWorkloads.h"
#include "platform/grid/Sheet.h"

namespace {

std::wstring wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

void enter(grid::Sheet& sheet, const workloads::Entry& e) {
    if (e.text.starts_with('=')) sheet.setFormula(e.col, e.row, wide(e.text));
    else sheet.setData(e.col, e.row, wide(e.text));
}

double numericResults(const grid::Sheet& sheet) {
    double sum = 0;
    for (int r = workloads::W1::kInputs + 1; r <= workloads::W1::kInputs + workloads::W1::kNumeric; ++r)
        sum += sheet.value(1, r).asNumber();
    return sum;
}

grid::Sheet w1Sheet(const workloads::W1& w, bool withEquations) {
    grid::Sheet sheet;
    sheet.setMaxCols(1);
    sheet.setMaxRows(workloads::W1::kInputs + workloads::W1::kNumeric + workloads::W1::kText);
    for (const auto& e : w.inputs) enter(sheet, e);
    if (withEquations)
        for (const auto& e : w.equations) enter(sheet, e);
    return sheet;
}

// Build and first calculation: a new sheet, its inputs and equations, every result read.
void W1_Cold(benchmark::State& state) {
    const auto w = workloads::makeW1();
    double checksum = 0;
    for (auto _ : state) {
        grid::Sheet sheet = w1Sheet(w, true);
        checksum = numericResults(sheet);
        benchmark::DoNotOptimize(checksum);
    }
    state.counters["checksum"] = checksum;
}
BENCHMARK(W1_Cold)->Unit(benchmark::kMicrosecond)->MinWarmUpTime(0.2);

// As the standards engine works: automatic calculation off, then per equation set the formula and
// read its value, top to bottom.
void W1_Sequential(benchmark::State& state) {
    const auto w = workloads::makeW1();
    std::vector<std::wstring> formulas;
    for (const auto& e : w.equations) formulas.push_back(wide(e.text));
    double checksum = 0;
    for (auto _ : state) {
        state.PauseTiming();
        grid::Sheet sheet = w1Sheet(w, false);
        sheet.setBool(grid::kSwitchAutoCalc, false);
        state.ResumeTiming();
        checksum = 0;
        for (std::size_t i = 0; i < formulas.size(); ++i) {
            sheet.setFormula(1, w.equations[i].row, formulas[i]);
            grid::Value v = sheet.value(1, w.equations[i].row);
            if (i < workloads::W1::kNumeric) checksum += v.asNumber();
        }
        benchmark::DoNotOptimize(checksum);
        state.PauseTiming();
        sheet = grid::Sheet();  // destroyed outside the measurement
        state.ResumeTiming();
    }
    state.counters["checksum"] = checksum;
}
BENCHMARK(W1_Sequential)->Unit(benchmark::kMicrosecond)->MinWarmUpTime(0.2);

// Change all 40 inputs, recalculate, read the 200 numeric results.
void W1_Warm(benchmark::State& state) {
    const auto w = workloads::makeW1();
    grid::Sheet sheet = w1Sheet(w, true);
    sheet.setBool(grid::kSwitchAutoCalc, false);
    double checksum = 0;
    std::size_t round = 0;
    for (auto _ : state) {
        const auto& values = w.warm[round++ % 2];
        for (int r = 0; r < workloads::W1::kInputs; ++r) sheet.setNumber(1, r + 1, values[r]);
        sheet.recalc();
        checksum = numericResults(sheet);
        benchmark::DoNotOptimize(checksum);
    }
    state.counters["checksum"] = checksum;
}
BENCHMARK(W1_Warm)->Unit(benchmark::kMicrosecond)->MinWarmUpTime(0.2);

grid::Sheet w2Sheet(const workloads::W2& w) {
    grid::Sheet sheet;
    sheet.setRefStyle(grid::RefStyle::A1);
    sheet.setMaxCols(4);
    sheet.setMaxRows(workloads::W2::kRows);
    for (const auto& e : w.cells) enter(sheet, e);
    return sheet;
}

double sums(const grid::Sheet& sheet) {
    double s = 0;
    for (int k = 1; k <= workloads::W2::kSums; ++k) s += sheet.value(4, k).asNumber();
    return s;
}

void W2_BuildAndCalc(benchmark::State& state) {
    const auto w = workloads::makeW2();
    double checksum = sums(w2Sheet(w));  // a warm-up build, as the peer comparison gives every engine
    for (auto _ : state) {
        grid::Sheet sheet = w2Sheet(w);
        checksum = sums(sheet);
        benchmark::DoNotOptimize(checksum);
        state.PauseTiming();
        sheet = grid::Sheet();
        state.ResumeTiming();
    }
    state.counters["checksum"] = checksum;
}
BENCHMARK(W2_BuildAndCalc)->Unit(benchmark::kMillisecond)->Iterations(3);

// Changing $A$1 makes every chain, every C and every SUM out of date.
void W2_RootRecalc(benchmark::State& state) {
    grid::Sheet sheet = w2Sheet(workloads::makeW2());
    double checksum = 0;
    int round = 0;
    for (; round < 2; ++round) {  // warm-up rounds, untimed
        sheet.setNumber(1, 1, round % 2 ? 40 : 60);
        checksum = sums(sheet);
    }
    for (auto _ : state) {
        sheet.setNumber(1, 1, round++ % 2 ? 40 : 60);
        checksum = sums(sheet) + sheet.value(3, workloads::W2::kRows).asNumber();
        benchmark::DoNotOptimize(checksum);
    }
    state.counters["checksum"] = checksum;
}
BENCHMARK(W2_RootRecalc)->Unit(benchmark::kMillisecond)->Iterations(5);

// Changing the last A touches one B and one C; both are read, as the peer comparison reads them.
void W2_LastRecalc(benchmark::State& state) {
    grid::Sheet sheet = w2Sheet(workloads::makeW2());
    int round = 0;
    for (auto _ : state) {
        sheet.setNumber(1, workloads::W2::kRows, round++ % 2 ? 40 : 60);
        benchmark::DoNotOptimize(sheet.value(2, workloads::W2::kRows));
        benchmark::DoNotOptimize(sheet.value(3, workloads::W2::kRows));
    }
}
BENCHMARK(W2_LastRecalc)->Unit(benchmark::kMicrosecond)->MinWarmUpTime(0.2);

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* kWrite = "--write-workloads=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], kWrite, std::strlen(kWrite)) == 0)
            return workloads::writeWorkloadFiles(argv[i] + std::strlen(kWrite)) ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The hot built-ins called directly, as the evaluator calls them, on a small in-memory sheet.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/grid/Builtins.h"

namespace {

// Cells A1:A100 hold 1.5, 2.5, ... ; everything else is empty.
class Cells : public grid::CallContext {
public:
    grid::Value cellValue(std::int32_t col, std::int32_t row) override {
        if (col == 1 && row >= 1 && row <= 100) return grid::Value::number(row + 0.5);
        return grid::Value();
    }
    double random() override { return 0.5; }
};

void run(benchmark::State& state, const wchar_t* name, std::vector<grid::Arg> args) {
    Cells cells;
    const grid::BuiltinInfo* info = grid::findBuiltin(name);
    for (auto _ : state) benchmark::DoNotOptimize(info->evaluate(args, cells));
}

void roundPlain(benchmark::State& state) {
    run(state, L"ROUND", {grid::Arg::scalar(grid::Value::number(123.4567)), grid::Arg::scalar(grid::Value::number(2))});
}
void roundTie(benchmark::State& state) {  // takes the exact decimal path
    run(state, L"ROUND", {grid::Arg::scalar(grid::Value::number(2.675)), grid::Arg::scalar(grid::Value::number(2))});
}
void maxOfTwo(benchmark::State& state) {
    run(state, L"MAX", {grid::Arg::scalar(grid::Value::number(3)), grid::Arg::reference(grid::CellRange::cell(1, 7))});
}
void sumOf100(benchmark::State& state) { run(state, L"SUM", {grid::Arg::reference({1, 1, 1, 100})}); }
void vlookup100(benchmark::State& state) {
    run(state, L"VLOOKUP", {grid::Arg::scalar(grid::Value::number(80)), grid::Arg::reference({1, 1, 1, 100}),
                            grid::Arg::scalar(grid::Value::number(1))});
}

BENCHMARK(roundPlain);
BENCHMARK(roundTie);
BENCHMARK(maxOfTwo);
BENCHMARK(sumOf100);
BENCHMARK(vlookup100);

}  // namespace

BENCHMARK_MAIN();

// The stock lists and data files the standards functions read at their first use in a run
// (STDTHICKNESSWITHTOLERANCE, GETCELL, GETPROFCELL).
#include <benchmark/benchmark.h>

#include "standards/VlDataFile.h"

namespace {

Mx_String flatBars() {
    std::wstring text = L"/* Flat bars held in stock, width x thickness in mm. */\r\n";
    for (int thickness : {8, 10, 12, 15, 20, 25, 30}) {
        text += L"// " + std::to_wstring(thickness) + L" mm\r\n";
        for (int width = 60; width <= 300; width += 20)
            text += std::to_wstring(width) + L"x" + std::to_wstring(thickness) + L"\r\n";
    }
    return Mx_String(std::move(text));
}

void BM_ParseSizesFile(benchmark::State& state) {
    const Mx_String text = flatBars();
    for (auto _ : state)
        benchmark::DoNotOptimize(VlDataFile::parseSizesFile(text));
}
BENCHMARK(BM_ParseSizesFile);

void BM_ParseDataFile(benchmark::State& state) {
    std::wstring text = L"// Largest bolt gauge across a column flange (mm).\n";
    for (int size = 100; size <= 1000; size += 20)
        text += L"HE " + std::to_wstring(size) + L" B\t" + std::to_wstring(size / 2) + L"\n";
    const Mx_String data(std::move(text));
    for (auto _ : state)
        benchmark::DoNotOptimize(VlDataFile::parseData(data));
}
BENCHMARK(BM_ParseDataFile);

}  // namespace

BENCHMARK_MAIN();

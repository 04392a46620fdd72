// The standards engine asks the section tables for system names and values thousands of times per run
// (GETSYSNAME, GETPROFCELL keys, SECTIONSIZE, kind-15 links): each lookup must stay a hash lookup.
#include <benchmark/benchmark.h>

#include "platform/mxbase/Mx_SectionTableManager.h"

namespace {

Mx_SectionTableManager& tables() {
    static Mx_SectionTableManager manager(Mx_SectionTableManager::LibraryLoad::Never);
    static bool loaded =
        manager.loadFolder(Mx_String(CONNSHEET_SOURCE_DIR) + L"/examples/library/prof/") == Acad::eOk;
    (void)loaded;
    return manager;
}

void BM_SystemNameFromDisplayName(benchmark::State& state) {
    Mx_SectionTableManager& manager = tables();
    const Mx_String names[] = {L"IPB 200", L"ipe 300", L"HE 1000 A", L"HEB-600"};
    Mx_String found;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(manager.getSystemName(names[i++ % 4], found));
    }
}
BENCHMARK(BM_SystemNameFromDisplayName);

void BM_SectionSize(benchmark::State& state) {
    Mx_SectionTableManager& manager = tables();
    double value = 0;
    int field = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(manager.getSectionValue(L"HEB-200", field++ % 7, value));
    }
}
BENCHMARK(BM_SectionSize);

void BM_UnknownSection(benchmark::State& state) {
    Mx_SectionTableManager& manager = tables();
    Mx_String found;
    for (auto _ : state)
        benchmark::DoNotOptimize(manager.getSystemName(L"UPN 240", found));
}
BENCHMARK(BM_UnknownSection);

// What a short run pays once: reading the library's tables and indexing their names.
void BM_ReadBundledTables(benchmark::State& state) {
    const Mx_String folder = Mx_String(CONNSHEET_SOURCE_DIR) + L"/examples/library/prof/";
    for (auto _ : state) {
        Mx_SectionTableManager manager(Mx_SectionTableManager::LibraryLoad::Never);
        benchmark::DoNotOptimize(manager.loadFolder(folder));
    }
}
BENCHMARK(BM_ReadBundledTables);

}  // namespace

BENCHMARK_MAIN();

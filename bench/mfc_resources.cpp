// The platform's embedded resource texts: read whole when a module is loaded, or resource by
// resource on first lookup, as a command that needs one dialog template does.
#include <benchmark/benchmark.h>

#include "platform/mfc/Resources.h"

namespace embedded {
std::span<const File> platformResources();
}

namespace {

void BM_LoadWholeModule(benchmark::State& state) {
    for (auto _ : state) {
        ui::ModuleLoad load = ui::loadResourceModule("bench", embedded::platformResources());
        benchmark::DoNotOptimize(ui::findResourceModule(load.module)->dialog(9001));
        ui::unloadResourceModule(load.module);
    }
}
BENCHMARK(BM_LoadWholeModule);

void BM_OnDemandOneDialog(benchmark::State& state) {
    for (auto _ : state) {
        HINSTANCE module = ui::loadResourceModuleOnDemand("bench", embedded::platformResources());
        benchmark::DoNotOptimize(ui::findResourceModule(module)->dialog(9001));
        ui::unloadResourceModule(module);
    }
}
BENCHMARK(BM_OnDemandOneDialog);

}  // namespace

BENCHMARK_MAIN();

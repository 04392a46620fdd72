// Standards runs: one sheet cold (first run in the process, host dialog made), warm (pooled dialog,
// engine caches hot) and a run that goes two levels deep through "CallChild".
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/mfc/ScriptedDriver.h"
#include "standards/StartDlgStandardsSS.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlSSDlgsMgr.h"

namespace {

const std::filesystem::path& folder() {
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / "cs_bench_standards_run";
        std::filesystem::create_directories(p);
        const std::string head = "Input\t\t\nDouble Width\tDouble Thickness\t\nOutput\t\t\n";
        std::ofstream(p / "plate.vls") << head
                                       << "Double Area\tDouble Mass\tDouble Rounded\nLocal\t\t\nDouble Tmp\t\t\n"
                                          "Calc\t\t\nTmp = Width * 2\t\t\nArea = Tmp * Thickness\t\t\n"
                                          "Mass = Area * 7.85 / 1000\tRounded = ROUNDTO(Mass, 0.5)\t\n";
        std::ofstream(p / "level2.vls") << head << "Double Area\t\t\nCalc\t\t\nArea = Width * Thickness\t\t\n";
        std::ofstream(p / "level1.vls") << head
                                        << "Double Area\t\t\nCalc\t\t\nX = CallChild(level2.vls, Width, Thickness, Area)\t\t\n";
        std::ofstream(p / "top.vls") << head
                                     << "Double Area\t\t\nCalc\t\t\nX = CallChild(level1.vls, Width, Thickness, Area)\t\t\n";
        return p;
    }();
    return path;
}

VlDlgStandardsData childRun(const char* sheet, int outputs) {
    VlDlgStandardsData data;
    data.mode = VlDlgStandardsData::kChildRun;
    data.standardsFile = Mx_String((folder() / sheet).string());
    data.varCells.append(VlVarCell(L"Width", kVlInput, kVlDouble, 0, 0, L"200"));
    data.varCells.append(VlVarCell(L"Thickness", kVlInput, kVlDouble, 0, 0, L"12"));
    const wchar_t* names[] = {L"Area", L"Mass", L"Rounded"};
    for (int i = 0; i < outputs; ++i) data.varCells.append(VlVarCell(names[i], kVlOutput, kVlDouble));
    return data;
}

void BM_RunCold(benchmark::State& state) {
    ui::ScriptedDriver driver;
    for (auto _ : state) {
        gSSDlgsMgr.destroyAll();
        VlDlgStandardsData data = childRun("plate.vls", 3);
        if (!StartDlgStandardsSS(data)) state.SkipWithError("run failed");
    }
}
BENCHMARK(BM_RunCold);

void BM_RunWarm(benchmark::State& state) {
    ui::ScriptedDriver driver;
    const VlDlgStandardsData prototype = childRun("plate.vls", 3);
    for (auto _ : state) {
        VlDlgStandardsData data = prototype;
        if (!StartDlgStandardsSS(data)) state.SkipWithError("run failed");
    }
}
BENCHMARK(BM_RunWarm)->Iterations(1000);

void BM_RunTwoLevelsOfCallChild(benchmark::State& state) {
    ui::ScriptedDriver driver;
    const VlDlgStandardsData prototype = childRun("top.vls", 1);
    for (auto _ : state) {
        VlDlgStandardsData data = prototype;
        if (!StartDlgStandardsSS(data)) state.SkipWithError("run failed");
    }
}
BENCHMARK(BM_RunTwoLevelsOfCallChild);

}  // namespace

BENCHMARK_MAIN();

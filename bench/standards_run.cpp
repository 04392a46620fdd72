// Standards runs: one sheet cold (first run in the process, host dialog made), warm (pooled dialog,
// engine caches hot) and a run that goes two levels deep through "CallChild"; and the bundled
// end-plate standard as the product runs it, a main run against its example macro (a CallChild, data
// and sizes files, section values, 18 equations), cold and warm; and generated sheets of 5,000 to
// 40,000 variables, whose times should grow in step with the variables.
//
//   cmake --build build/default --target bench_standards_run
//   build/default/bench/bench_standards_run --benchmark_filter=EndPlate
//   build/default/bench/bench_standards_run --benchmark_filter=ManyVariables
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/arx/AcTransaction.h"
#include "platform/grid/LoadedFiles.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_SectionTableManager.h"
#include "platform/mxbase/NumberFunctions.h"
#include "standards/StartDlgStandardsSS.h"
#include "standards/VlDataFile.h"
#include "standards/VlFileLookup.h"
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

// A generated sheet of `variables` variables: half inputs, one output, the rest locals, each local
// computed from two inputs; the output sums two locals. A run's cost should grow with the sheet, in
// step with its variables (names found, duplicates looked for and replaced by cell references).
std::filesystem::path manyVariablesSheet(int variables) {
    const auto path = folder() / ("many" + std::to_string(variables) + ".vls");
    if (std::filesystem::exists(path)) return path;
    const int inputs = variables / 2;
    const int locals = variables - inputs - 1;
    std::ofstream out(path);
    out << "Input\t\n";  // a TAB on the first line: read as tab-separated text
    for (int i = 0; i < inputs; ++i) out << "Double In" << i << "\n";
    out << "Output\nDouble Total\nLocal\n";
    for (int i = 0; i < locals; ++i) out << "Double L" << i << "\n";
    out << "Calc\n";
    for (int i = 0; i < locals; ++i) out << "L" << i << " = In" << i % inputs << " * 2 + In" << (i * 7) % inputs << "\n";
    out << "Total = L0 + L" << locals - 1 << "\n";
    return path;
}

void BM_ManyVariables(benchmark::State& state) {
    ui::ScriptedDriver driver;
    const int variables = static_cast<int>(state.range(0));
    VlDlgStandardsData prototype;
    prototype.mode = VlDlgStandardsData::kChildRun;
    prototype.standardsFile = Mx_String(manyVariablesSheet(variables).string());
    for (int i = 0; i < variables / 2; ++i)
        prototype.varCells.append(VlVarCell(Mx_String(L"In") + Mx_String(i), kVlInput, kVlDouble, 0, 0, L"3"));
    prototype.varCells.append(VlVarCell(L"Total", kVlOutput, kVlDouble));
    for (auto _ : state) {
        // Each run is the sheet's first in its host dialog, as a sheet run once from the command is.
        gSSDlgsMgr.destroyAll();
        VlDlgStandardsData data = prototype;
        if (!StartDlgStandardsSS(data)) state.SkipWithError("run failed");
    }
    gSSDlgsMgr.destroyAll();
    state.SetComplexityN(variables);
}
BENCHMARK(BM_ManyVariables)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Complexity(benchmark::oN);

// The bundled end-plate macro, read once, with a run of the bundled sheet prepared against it.
struct EndPlate {
    EndPlate() {
        const Mx_String file(CONNSHEET_SOURCE_DIR "/examples/library/Macros/EndPlateBeamToColumn.json");
        ok = macro.readFromFile(file, &macroData) == Acad::eOk &&
             prototype.initialize(&macro, Mx_String(L"EndPlateBeamToColumn"), Mx_String(L"EndPlateBeamToColumn"),
                                  &macroData) == Acad::eOk;
        prototype.transaction = &transaction;
        if (!ok) return;
        for (const MacroGeneralVariable& variable : macro.macroRead()->generalVariables()) {
            prototype.genVarNames.append(variable.name);
            prototype.genVarValues.append(formatShortest(variable.value));
        }
    }
    bool ok = false;
    Mx_DbMacro macro;
    MacroData macroData;
    AcTransaction transaction;
    VlDlgStandardsData prototype;
};

// The first run in a process: host dialogs made, sheets, data and sizes files and section tables
// read, every file looked at.
void BM_EndPlateCold(benchmark::State& state) {
    ui::ScriptedDriver driver;
    EndPlate endPlate;
    if (!endPlate.ok) state.SkipWithError("macro not read");
    for (auto _ : state) {
        gSSDlgsMgr.destroyAll();
        VlDataFile::clearCache();
        VlFileLookup::clearCache();
        grid::LoadedFiles::clear();
        fsys::StatScope::forget();
        gSectionTableManager.reset();
        VlDlgStandardsData data = endPlate.prototype;
        if (!StartDlgStandardsSS(data)) state.SkipWithError("run failed");
    }
    gSSDlgsMgr.destroyAll();
}
BENCHMARK(BM_EndPlateCold);

// Many runs in one process, as a user editing a connection gets them.
void BM_EndPlateWarm(benchmark::State& state) {
    ui::ScriptedDriver driver;
    EndPlate endPlate;
    if (!endPlate.ok) state.SkipWithError("macro not read");
    for (auto _ : state) {
        VlDlgStandardsData data = endPlate.prototype;
        if (!StartDlgStandardsSS(data)) state.SkipWithError("run failed");
    }
    state.counters["runs/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    if (!driver.messageBoxes().empty()) state.SkipWithError("the run showed messages");
}
BENCHMARK(BM_EndPlateWarm);

// A sheet that declares 16,384 columns by 2,000,000 rows and holds six cells, run as "connsheet eval"
// runs one (a child-mode run with the inputs given): the section, declaration and equation scans
// cost the six cells, not the declared size.
void BM_DeclaredHugeHoldingSixCells(benchmark::State& state) {
    ui::ScriptedDriver driver;
    std::ofstream(folder() / "huge.vls") << "connsheet-grid 1\n"
                                            "sheet cols=16384 rows=2000000\n"
                                            "cell A1 data=\"Input\"\n"
                                            "cell XFD2 data=\"Double Width\"\n"
                                            "cell C1000 data=\"Output\"\n"
                                            "cell B1001 data=\"Double Area\"\n"
                                            "cell XFC1999999 data=\"Calc\"\n"
                                            "cell XFD2000000 data=\"Area = Width * 2\"\n";
    VlDlgStandardsData prototype;
    prototype.mode = VlDlgStandardsData::kChildRun;
    prototype.standardsFile = Mx_String((folder() / "huge.vls").string());
    prototype.varCells.append(VlVarCell(L"Width", kVlInput, kVlDouble, 0, 0, L"200"));
    prototype.varCells.append(VlVarCell(L"Area", kVlOutput, kVlDouble));
    for (auto _ : state) {
        // As a command runs it: loaded and scanned afresh, nothing kept from the run before.
        gSSDlgsMgr.destroyAll();
        grid::LoadedFiles::clear();
        VlDlgStandardsData data = prototype;
        if (!StartDlgStandardsSS(data) || data.varCells[1].value.toDouble() != 400) state.SkipWithError("run failed");
    }
    gSSDlgsMgr.destroyAll();
}
BENCHMARK(BM_DeclaredHugeHoldingSixCells)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// W3 end to end in a fresh process, for its time and peak memory (VmHWM): load 100,000 x 10 cells
// from CSV, save them in the native format, load that into a new sheet.
//
//   bench_grid_w3memory [DIR]    DIR holds w3.csv (else it is generated into a temporary folder)
//
// Prints one JSON object per phase, like bench/peers/workloads.js does for HyperFormula.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>  // getpid

#include "bench/GridWorkloads.h"
#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"

namespace {

namespace fs = std::filesystem;

double peakMB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

double seconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

}  // namespace

int main(int argc, char** argv) {
    fs::path dir = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / ("connsheet-w3-" + std::to_string(::getpid()));
    bool generated = argc <= 1;
    if (generated) {
        fs::create_directories(dir);
        std::ofstream(dir / "w3.csv", std::ios::binary) << workloads::makeW3Csv();
    }
    double before = peakMB();
    auto t0 = std::chrono::steady_clock::now();
    double loaded = 0, saved = 0, reloaded = 0;
    {
        grid::Sheet sheet;
        grid::GridFileResult r = grid::GridFile::load(sheet, (dir / "w3.csv").wstring());
        if (!r) {
            std::fprintf(stderr, "%s\n", r.diagnostic.c_str());
            return 1;
        }
        loaded = seconds(t0);
        r = grid::GridFile::save(sheet, (dir / "w3.grid").wstring());
        if (!r) {
            std::fprintf(stderr, "%s\n", r.diagnostic.c_str());
            return 1;
        }
        saved = seconds(t0);
    }
    grid::Sheet again;
    grid::GridFileResult r = grid::GridFile::load(again, (dir / "w3.grid").wstring());
    if (!r) {
        std::fprintf(stderr, "%s\n", r.diagnostic.c_str());
        return 1;
    }
    reloaded = seconds(t0);
    std::printf("{\"name\":\"W3/csv-load\",\"seconds\":%.6f}\n", loaded);
    std::printf("{\"name\":\"W3/native-save\",\"seconds\":%.6f}\n", saved - loaded);
    std::printf("{\"name\":\"W3/native-load\",\"seconds\":%.6f}\n", reloaded - saved);
    std::printf("{\"name\":\"W3/total\",\"seconds\":%.6f,\"peakMB\":%.1f,\"startMB\":%.1f,\"rows\":%d}\n", reloaded,
                peakMB(), before, again.maxRows());
    if (generated) fs::remove_all(dir);
    else fs::remove(dir / "w3.grid");
    return 0;
}

// Finding the lines of a batch's JSON-lines file (the parent's pass over the whole file) and reading
// one back where it lies (each worker's, once per macro).
#include <benchmark/benchmark.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/JsonLinesFile.h"

namespace {

namespace fs = std::filesystem;

// 2,000 copies of the bundled end-plate macro on one line each (about 7 MB).
const std::string& linesFile() {
    static const std::string path = [] {
        std::ifstream in(CONNSHEET_SOURCE_DIR "/examples/library/Macros/EndPlateBeamToColumn.json",
                         std::ios::binary);
        std::string macro{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::string line;
        for (char c : macro)
            if (c != '\n' && c != '\r')
                line += c;
        const fs::path file =
            fs::temp_directory_path() / ("bench-lines-" + std::to_string(::getpid()) + ".jsonl");
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < 2000; ++i)
            out << line << '\n';
        return file.string();
    }();
    return path;
}

void BM_FindLines(benchmark::State& state) {
    const std::string& path = linesFile();
    for (auto _ : state) {
        connsheet::JsonLinesFile file;
        std::string error;
        benchmark::DoNotOptimize(file.open(path, error));
        benchmark::DoNotOptimize(file.lines().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(path)));
}
BENCHMARK(BM_FindLines)->Unit(benchmark::kMillisecond);

void BM_ReadLine(benchmark::State& state) {
    connsheet::JsonLinesFile file;
    std::string error, text;
    file.open(linesFile(), error);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(file.read(next, text, error));
        next = (next + 7) % file.lines().size();
    }
}
BENCHMARK(BM_ReadLine);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(linesFile());
    return 0;
}

// Reading the library's text files (section tables, data files, sheets): bytes to wide text, with
// the encoding found on the way. Most files are plain ASCII or UTF-8.
#include <benchmark/benchmark.h>

#include "platform/arx/Utf8.h"
#include "platform/mxbase/TextFile.h"

namespace {

std::string tableText(bool latin) {
    std::string text = "heb.bmp\nSysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\tb\ttw\ttf\tr\tA\tG\n";
    for (int size = 100; size <= 1000; size += 20) {
        const std::string s = std::to_string(size);
        text += s + "\t1\tHE " + s + " B\tIPB " + s + "\tHEB " + s + "\tHEB" + s + "\t" + s +
                "\t300\t6.5\t11.0\t12\t" + (latin ? "34,01\xc2\xb5" : "34.01") + "\t26.7\n";
    }
    return text;
}

void BM_DecodeAsciiTable(benchmark::State& state) {
    const std::string bytes = tableText(false);
    for (auto _ : state)
        benchmark::DoNotOptimize(textfile::decode(bytes, nullptr));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeAsciiTable);

void BM_DecodeUtf8Table(benchmark::State& state) {
    const std::string bytes = tableText(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(textfile::decode(bytes, nullptr));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeUtf8Table);

void BM_EncodeAscii(benchmark::State& state) {
    const std::wstring text = utf8::decode(tableText(false));
    for (auto _ : state)
        benchmark::DoNotOptimize(utf8::encode(text));
}
BENCHMARK(BM_EncodeAscii);

}  // namespace

BENCHMARK_MAIN();

// A bill of 25,000 to 100,000 rows fed through the bill output as the list generator does, with a
// subtotal row every 50 rows and the save at the end of the feed. The time should grow linearly with
// the rows: the sheet grows a hundred rows at a time and each row is written once.
#include <benchmark/benchmark.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <string>

#include "platform/mxbase/Mx_Bill.h"
#include "spread/Mx_Spread.h"
#include "spread/VlSSBillOutput.h"

namespace {

Mx_Bill makeBill(int rows) {
    Mx_Bill bill;
    bill.reserve(static_cast<std::size_t>(rows + rows / 50));
    for (int i = 1; i <= rows; ++i) {
        bill.addRow({Mx_String(L"P") + Mx_String(i), L"Plate 10x200", Mx_String(i % 7 + 1),
                     Mx_String(i % 97, 1, false), L"S355"});
        if (i % 50 == 0)
            bill.addSubTotal({L"", L"", Mx_String(200), Mx_String(4800.5, 1, false), L""});
    }
    return bill;
}

void BillFeed(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const Mx_Bill bill = makeBill(rows);
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("connsheet-bench-bill-" + std::to_string(::getpid()) + ".vls");
    for (auto _ : state) {
        listOutputLog().clear();
        VlSSBillOutput output;
        output.init(Mx_String(file.string()), {L"Mark", L"Name", L"Qty", L"Weight", L"Grade"}, {},
                    {3, 3, 1, 2, 3}, L"", {}, {});
        bill.feed(output);
        benchmark::DoNotOptimize(output.getSSPointer()->GetMaxRows());
    }
    std::filesystem::remove(file);
    state.SetComplexityN(rows);
    state.counters["rows/s"] =
        benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BillFeed)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();

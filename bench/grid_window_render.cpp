// Rendering a grid window: a window showing 40 columns by 60 rows of numbers and texts, with headers,
// composed with ui::renderWindow as a picture of a dialog would be. What a user waits for when the
// spreadsheet window repaints; it should stay well under 20 ms.
//
//   cmake --build build/default --target bench_grid_window_render
//   build/default/bench/bench_grid_window_render
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/grid/window/SSFunctions.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/TextRenderer.h"
#include "platform/mfc/Window.h"
#include "platform/mfc/WindowRenderer.h"

namespace {

constexpr int kCols = 40, kRows = 60, kColWidth = 48, kRowHeight = 16, kHeaderWidth = 40;

// A top-level grid window sized to show exactly kCols x kRows cells below and beside its headers.
HWND makeGrid() {
    SSRegisterClass();
    ui::CreateParams params;
    params.className = SS_CLASSNAME;
    params.style = WS_POPUP | WS_VISIBLE;
    params.rect = {0, 0, kHeaderWidth + kCols * kColWidth, kRowHeight + kRows * kRowHeight};
    HWND hwnd = ui::createWindow(params);
    SSSetMaxCols(hwnd, kCols);
    SSSetMaxRows(hwnd, kRows);
    SSSetBool(hwnd, SSB_COLHEADERS, TRUE);
    SSSetBool(hwnd, SSB_ROWHEADERS, TRUE);
    SSSetColWidthInPixels(hwnd, 0, kHeaderWidth);
    SSSetRowHeightInPixels(hwnd, 0, kRowHeight);
    for (SS_COORD col = 1; col <= kCols; ++col)
        SSSetColWidthInPixels(hwnd, col, kColWidth);
    for (SS_COORD row = 1; row <= kRows; ++row)
        SSSetRowHeightInPixels(hwnd, row, kRowHeight);
    SS_CELLTYPE number;
    SSSetTypeNumber(hwnd, &number, 0, 2, 0, 0, FALSE);
    for (SS_COORD row = 1; row <= kRows; ++row) {
        for (SS_COORD col = 1; col <= kCols; ++col) {
            if (col % 2 == 0) {
                SSSetCellType(hwnd, col, row, &number);
                SSSetFloat(hwnd, col, row, row * 1000.0 / col);
            } else {
                const std::wstring text = L"M" + std::to_wstring(row * kCols + col);
                SSSetData(hwnd, col, row, text.c_str());
            }
        }
    }
    SSSetActiveCell(hwnd, 3, 4);
    SSSetSelectBlock(hwnd, 3, 4, 6, 9);
    return hwnd;
}

void RenderGridWindow(benchmark::State& state) {
    HWND hwnd = makeGrid();
    if (!ui::TextRenderer::instance().hasRealFonts())
        state.SkipWithError("no render module: text falls back to blocks");
    for (auto _ : state) {
        ui::BitmapImage picture = ui::renderWindow(hwnd);
        benchmark::DoNotOptimize(picture.pixels().data());
    }
    state.counters["cells"] = kCols * kRows;
    ui::destroyWindow(hwnd);
}
BENCHMARK(RenderGridWindow)->Unit(benchmark::kMillisecond);

// The grid's own painting alone, on a surface made once: what renderWindow adds is the composing.
void PaintGridClient(benchmark::State& state) {
    HWND hwnd = makeGrid();
    const RECT client = ui::windowFromHandle(hwnd)->clientRect();
    auto surface = std::make_shared<ui::BitmapImage>(client.right, client.bottom);
    for (auto _ : state) {
        ui::paintClient(hwnd, surface, 1);
        benchmark::DoNotOptimize(surface->pixels().data());
    }
    ui::destroyWindow(hwnd);
}
BENCHMARK(PaintGridClient)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

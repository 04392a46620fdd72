// Drawing a dialog as a picture: the cost of rendering a dialog of 30 controls (labels, fields, check
// boxes, buttons, a list and a combo), at scale 1 and 2, and of measuring and drawing text.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/TextRenderer.h"
#include "platform/mfc/WindowRenderer.h"

namespace {

// Ten rows of label, field and check box: thirty controls.
std::string thirtyControls()
{
    std::string text = "DIALOG 100 0 0 300 190\n  CAPTION \"Thirty controls\"\n";
    for (int row = 0; row < 10; ++row) {
        const std::string y = std::to_string(7 + row * 17);
        const std::string id = std::to_string(1000 + row * 3);
        text += "  CONTROL Static " + id + " \"Bolt row " + std::to_string(row + 1) + ":\" 7 " + y + " 60 8\n";
        text += "  CONTROL Edit " + std::to_string(1001 + row * 3) + " \"\" 70 " + y + " 120 14 WS_BORDER\n";
        text += "  CONTROL Button " + std::to_string(1002 + row * 3) + " \"Stiffened\" 200 " + y +
                " 80 10 BS_AUTOCHECKBOX\n";
    }
    text += "END\n";
    return text;
}

void BM_RenderDialogOfThirtyControls(benchmark::State& state)
{
    const ui::ModuleLoad load = ui::loadResourceModuleFromText("bench.rc", thirtyControls());
    AfxSetResourceHandle(load.module);
    CDialog dialog(100);
    dialog.Create(100);
    for (int i = 0; i < 10; ++i)
        dialog.SetDlgItemText(1001 + i * 3, L"M24 8.8, 120 mm");
    const int scale = int(state.range(0));
    ui::renderWindow(dialog.GetSafeHwnd(), scale);  // fonts load on first use: not what is measured
    for (auto _ : state)
        benchmark::DoNotOptimize(ui::renderWindow(dialog.GetSafeHwnd(), scale));
    dialog.DestroyWindow();
    AfxSetResourceHandle(nullptr);
}
BENCHMARK(BM_RenderDialogOfThirtyControls)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_MeasureText(benchmark::State& state)
{
    LOGFONT font{};
    font.lfHeight = -11;
    const std::wstring text = L"EndPlateThickness = 15.0000000";
    ui::TextRenderer& renderer = ui::TextRenderer::instance();
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.width(font, text));
    state.SetItemsProcessed(state.iterations() * std::int64_t(text.size()));
}
BENCHMARK(BM_MeasureText);

void BM_DrawTextLine(benchmark::State& state)
{
    auto surface = std::make_shared<ui::BitmapImage>(300, 20, 0xFFFFFF);
    CDC dc;
    dc.setSurface(surface);
    dc.SetBkMode(TRANSPARENT);
    RECT box{0, 0, 300, 20};
    for (auto _ : state) {
        dc.DrawText(L"EndPlateThickness = 15.0000000", &box, DT_SINGLELINE | DT_VCENTER);
        dc.clearCalls();
    }
}
BENCHMARK(BM_DrawTextLine);

}  // namespace

BENCHMARK_MAIN();

// The spreadsheet tool window showing a bundled standard, as a user sees it: the grid with the
// standard's texts, widths and headers, composed into the tool window.
#include <gtest/gtest.h>

#include <string>

#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/TextRenderer.h"
#include "platform/mfc/Window.h"
#include "platform/mfc/WindowRenderer.h"
#include "spread/CDlgSSAsTool.h"
#include "spread/DlgSSAsTool.h"
#include "spread/Mx_Spread.h"

TEST(SpreadWindowPicture, TheToolWindowShowsTheEndPlateStandard) {
    if (!ui::TextRenderer::instance().hasRealFonts())
        GTEST_SKIP() << "no render module";
    DlgSSAsTool tool;
    ASSERT_TRUE(tool.create());
    Mx_Spread* grid = tool.grid();
    ASSERT_NE(grid, nullptr);
    ASSERT_TRUE(grid->initDefaults(0));  // the house style: headers, font, colours
    const std::wstring path = std::wstring(L"" CONNSHEET_SOURCE_DIR) +
                              L"/examples/library/Connection Standards/EndPlateBeamToColumn.vls";
    ASSERT_TRUE(grid->LoadFromFile(path.c_str()));
    ASSERT_EQ(grid->GetMaxCols(), 2);

    const HWND gridWindow = grid->GetSafeHwnd();
    const ui::BitmapImage alone = ui::renderWindow(gridWindow);
    ui::expectMatchesGolden(alone, "spread_tool_end_plate");

    // In the tool window the grid shows the same picture at its place.
    const ui::BitmapImage whole = ui::renderWindow(tool.dialog()->GetSafeHwnd());
    ui::expectMatchesGolden(whole, "spread_tool_window");
    const ui::Window* dialog = ui::windowFromHandle(tool.dialog()->GetSafeHwnd());
    const ui::Window* control = ui::windowFromHandle(gridWindow);
    ASSERT_TRUE(dialog && control);
    const RECT frame = ui::frameInsets(dialog->style, dialog->exStyle);
    const int x0 = int(frame.left + control->rect.left), y0 = int(frame.top + control->rect.top);
    int differing = 0;
    for (int y = 0; y < alone.height(); ++y)
        for (int x = 0; x < alone.width(); ++x)
            differing += whole.pixel(x0 + x, y0 + y) != alone.pixel(x, y);
    EXPECT_EQ(differing, 0);
}

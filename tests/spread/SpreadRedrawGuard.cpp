// The redraw guard: bulk updates are drawn once, and a guard never turns redraw on under an update
// that is still going on (an enclosing guard's, or one the caller started by switching redraw off).
#include "spread/SpreadRedrawGuard.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/spread/SpreadTestHost.h"

using spreadtest::Host;

namespace {
bool redraw(Mx_Spread& grid) { return grid.GetBool(SSB_REDRAW) != FALSE; }
}  // namespace

TEST(SpreadRedrawGuard, NestedGuardsRedrawOnlyAtTheOutermostEnd) {
    Host host;
    host.fill(2, 2);
    HWND grid = host.grid.GetSafeHwnd();
    {
        SpreadRedrawGuard outer(grid);
        EXPECT_FALSE(redraw(host.grid));
        {
            SpreadRedrawGuard inner(grid);
            EXPECT_FALSE(redraw(host.grid));
        }
        EXPECT_FALSE(redraw(host.grid)) << "the outer update is not finished";
    }
    EXPECT_TRUE(redraw(host.grid));

    SpreadRedrawGuard onADeadHandle(nullptr);  // nothing to switch, nothing to fail
}

TEST(SpreadRedrawGuard, BulkOperationsKeepTheCallersRedrawState) {
    Host host;
    Mx_Spread& grid = host.grid;
    host.fill(3, 3);
    grid.setColumnTexts(1, {L"a", L"a", L"b"}, false);
    grid.setCheckBoxColumn(3, false, false);
    struct Operation {
        const char* name;
        std::function<bool(Mx_Spread&)> run;
    };
    // Several of these guard themselves and call others that do (insertRow grows the sheet first).
    const Operation operations[] = {
        {"setMaxRows", [](Mx_Spread& g) { return g.setMaxRows(g.getMaxRows() + 1, true); }},
        {"insertRow", [](Mx_Spread& g) { return g.insertRow(1, false, true); }},
        {"insertCol", [](Mx_Spread& g) { return g.insertCol(1, false, true); }},
        {"appendRow", [](Mx_Spread& g) { return g.appendRow(true) > 0; }},
        {"setColumnTexts", [](Mx_Spread& g) { return g.setColumnTexts(2, {L"x", L"y"}, false); }},
        {"setRowTexts", [](Mx_Spread& g) { return g.setRowTexts(1, {L"x", L"y"}, true); }},
        {"clearRows", [](Mx_Spread& g) { return g.clearRows(1, 2); }},
        {"mergeEqualCells", [](Mx_Spread& g) { return g.mergeEqualCells(2); }},
        {"setCheckInSelection", [](Mx_Spread& g) { return g.setCheckInSelection(true); }},
        {"autoSizeAll", [](Mx_Spread& g) { return g.autoSizeAll(); }},
        {"fitColumnsToWidth", [](Mx_Spread& g) { return g.fitColumnsToWidth(true, 20); }},
    };
    for (bool callerRedraw : {false, true}) {
        for (const Operation& op : operations) {
            grid.SetBool(SSB_REDRAW, callerRedraw ? TRUE : FALSE);
            EXPECT_TRUE(op.run(grid)) << op.name;
            EXPECT_EQ(redraw(grid), callerRedraw) << op.name;
        }
    }
}

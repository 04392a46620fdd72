// The segmented-profile dialog on a page's segmented profiles.
#include "macrodlg/CDlgMacroProfSegm.h"

#include <gtest/gtest.h>

#include "MacroDlgTestSupport.h"
#include "platform/grid/window/GridAutomation.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"

namespace {

using Dlg = CDlgMacroProfSegm;

ProfSegmRequest sample() {
    ProfSegmRequest request;
    MacroProfSegmentedData rail;
    rail.name = L"Rail";
    rail.clearance = L"5";
    rail.points = {L"0,0,0", L"1000,0,0", L"1000,500,0"};
    MacroProfSegmentedData purlin;
    purlin.name = L"Purlin";
    purlin.breakAtPoints = true;
    request.segments.append(rail);
    request.segments.append(purlin);
    return request;
}

class ProfSegmTest : public MacroDlgTest {};

}  // namespace

TEST_F(ProfSegmTest, SwitchingProfilesKeepsTheEditsAndOkHandsThemBack) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.items(Dlg::IDC_SEGMENTS), (std::vector<std::wstring>{L"Rail", L"Purlin"}));
        auto grid = dlg.control<ui::GridAutomation>(Dlg::IDC_GRID);
        EXPECT_EQ(grid.text(1, SS_HEADER), L"Point nr.");
        EXPECT_EQ(grid.text(2, 3), L"1000,500,0");
        EXPECT_EQ(grid.text(1, 3), L"3");
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "segmented_profile_dialog");
        dlg.type(Dlg::IDC_CLEARANCE, L"8");
        grid.click(2, 2);
        dlg.click(Dlg::IDC_DELETE);
        EXPECT_EQ(grid.text(2, 2), L"1000,500,0");
        grid.click(2, 1);
        dlg.click(Dlg::IDC_INSERT);  // before the first point, numbered again
        EXPECT_EQ(grid.text(2, 1), L"0,0,0");
        EXPECT_EQ(grid.text(1, 3), L"3");
        grid.type(2, 1, L"-200,0,0");
        dlg.select(Dlg::IDC_SEGMENTS, 1);
        EXPECT_EQ(dlg.checked(Dlg::IDC_BREAK), BST_CHECKED);
        dlg.click(Dlg::IDC_BREAK);
        dlg.select(Dlg::IDC_SEGMENTS, 0);
        EXPECT_EQ(dlg.text(Dlg::IDC_CLEARANCE), L"8");
        dlg.click(Dlg::IDC_NEW);  // does nothing
        dlg.click(IDOK);
    });
    ProfSegmRequest request = sample();
    EXPECT_EQ(runSubDialog(request), IDOK);
    ui::expectDriverDone(driver);
    EXPECT_EQ(request.segments[0].clearance, L"8");
    EXPECT_EQ(request.segments[0].points, Mx_StringArray({L"-200,0,0", L"0,0,0", L"1000,500,0"}));
    EXPECT_FALSE(request.segments[1].breakAtPoints);
    EXPECT_EQ(request.segments.length(), 2);
}

TEST_F(ProfSegmTest, CancelHandsNothingBack) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.type(Dlg::IDC_NAME, L"Renamed");
        dlg.click(Dlg::IDC_DELETE);
        dlg.click(IDCANCEL);
    });
    ProfSegmRequest request = sample();
    const ProfSegmRequest given = sample();
    EXPECT_EQ(runSubDialog(request), IDCANCEL);
    ui::expectDriverDone(driver);
    EXPECT_EQ(request.segments, given.segments);
}

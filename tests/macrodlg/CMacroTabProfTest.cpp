// The profile page of the macro dialog on the bundled end plate's stiffeners, and the designer opened
// from a page.
#include "macrodlg/CMacroTabProf.h"

#include <gtest/gtest.h>

#include "MacroDlgTestSupport.h"
#include "MacroPageTestSupport.h"
#include "macrodlg/CDlgMacro.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "macrodlg/MacroDlgRegistry.h"
#include "macrodlg/MacroSubDialogRunners.h"
#include "platform/grid/window/GridAutomation.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/UserPicks.h"

namespace {

int count(const std::wstring& text, const std::wstring& part) {
    int found = 0;
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

class ProfilePageTest : public MacroDlgTest {
protected:
    void TearDown() override {
        DestroyAllMacroDlgs();
        setProfSegmRunner({});
        clearUserPicks();
        MacroDlgTest::TearDown();
    }
    CDlgMacro& show(MacroData& data, int tab) { return showMacroPage(data, tab); }
    MacroProfData stiffeners(CDlgMacro& dialog) {
        MacroProfData props;
        EXPECT_EQ(dialog.macroData().getMergedPropsOfGroup(L"Stiffeners", L"Stiffeners", props), Acad::eOk);
        return props;
    }
    int updates() const { return count(MacroDrawing::active().logText(), L"UpdateModule"); }
};

}  // namespace

TEST_F(ProfilePageTest, ShowsTheGroupsTheProfilesOfTheGroupAndTheGroupsSection) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 2);
    ui::Automation page(*dialog.page(2));
    EXPECT_EQ(page.items(CMacroTabProf::IDC_GROUPS), std::vector<std::wstring>{L"Stiffeners"});
    EXPECT_EQ(page.text(CMacroTabProf::IDC_GROUPS), L"Stiffeners");
    EXPECT_EQ(page.items(CMacroTabProf::IDC_PROFILES),
              (std::vector<std::wstring>{L"All profiles of the group", L"1"}));
    EXPECT_EQ(page.selection(CMacroTabProf::IDC_PROFILES), 0);
    EXPECT_EQ(page.text(CMacroTabProf::IDC_SECTION), L"PL-10x95");
    EXPECT_EQ(page.text(CMacroTabProf::IDC_ROTATION_LABEL), L"Rotation (\u00b0):");
    EXPECT_EQ(page.text(CMacroTabProf::IDC_BASE_PLANE), L"Plane of the member");
    auto grid = page.control<ui::GridAutomation>(CMacroTabProf::IDC_GRID);
    ASSERT_EQ(grid.rows(), 1) << "a row per cell";
    EXPECT_EQ(grid.text(1, 1), L"Stiffener thickness");
    grid.type(3, 1, L"12");
    EXPECT_TRUE(logHas(L"UpdateModule Stiffeners changed=0 removed=- objects=1 -> ok"));
    EXPECT_NE(onDisk().find("\"value\": 12.0"), std::string::npos);
}

TEST_F(ProfilePageTest, AChosenSectionIsWrittenIntoTheProfilesAndACancelledChoiceChangesNothing) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 2);
    ui::Automation page(*dialog.page(2));
    page.click(CMacroTabProf::IDC_CHOOSE_SECTION);
    EXPECT_TRUE(logHas(L"UserChooseSection PL-10x95 -> cancelled"));
    EXPECT_EQ(updates(), 0);

    queueUserPick(L"PL-12x95");
    page.click(CMacroTabProf::IDC_CHOOSE_SECTION);
    EXPECT_TRUE(logHas(L"UpdateModule Stiffeners changed=-13 removed=- objects=1 -> ok"));
    EXPECT_EQ(stiffeners(dialog).section, L"PL-12x95");
    EXPECT_EQ(page.text(CMacroTabProf::IDC_SECTION), L"PL-12x95");
    EXPECT_EQ(count(Mx_String(onDisk()).str(), L"\"PL-12x95\""), 3) << "both stiffeners and the group";
}

TEST_F(ProfilePageTest, RotationAndOffsetAreAppliedAndKeptWithTheGroup) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 2);
    ui::Automation page(*dialog.page(2));
    page.select(CMacroTabProf::IDC_ROTATION, L"90");
    EXPECT_EQ(stiffeners(dialog).rotationText(), L"90") << "a list choice applies";
    page.type(CMacroTabProf::IDC_OFFSET, L"-5\n");
    EXPECT_EQ(stiffeners(dialog).offset, L"-5");
    EXPECT_EQ(updates(), 2);
    EXPECT_NE(onDisk().find("\"rotation\": \"90\""), std::string::npos);
    EXPECT_NE(onDisk().find("\"offset\": \"-5\""), std::string::npos);
    EXPECT_EQ(stiffeners(dialog).section, L"PL-10x95") << "what was not touched stays";
}

TEST_F(ProfilePageTest, PickActsOnTheBasePlaneChoice) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 2);
    ui::Automation page(*dialog.page(2));
    page.click(CMacroTabProf::IDC_PICK);  // the member's plane: nothing to pick
    EXPECT_EQ(MacroDrawing::active().logText(), L"");

    page.select(CMacroTabProf::IDC_BASE_PLANE, CMacroTabProf::kCoordSys);
    queueUserPick(L"UCS 2");
    page.click(CMacroTabProf::IDC_PICK);
    EXPECT_TRUE(logHas(L"selectCoordSys -> UCS 2"));
    EXPECT_TRUE(::IsWindowVisible(dialog.GetSafeHwnd())) << "shown again after the pick";
    EXPECT_EQ(stiffeners(dialog).basePlane, L"xp");

    page.select(CMacroTabProf::IDC_BASE_PLANE, CMacroTabProf::kPickedPlane);
    page.click(CMacroTabProf::IDC_PICK);  // cancelled
    EXPECT_EQ(stiffeners(dialog).basePlane, L"xp");
    queueUserPick(L"Flange top");
    page.click(CMacroTabProf::IDC_PICK);
    EXPECT_EQ(stiffeners(dialog).basePlane, L"Flange top");
    EXPECT_NE(onDisk().find("\"basePlane\": \"Flange top\""), std::string::npos);
}

TEST_F(ProfilePageTest, TheSegmentedProfilesDialogsResultIsApplied) {
    MacroData data = open();
    setProfSegmRunner([](ProfSegmRequest& request) {
        EXPECT_TRUE(request.segments.isEmpty());
        request.segments.append(MacroProfSegmentedData{L"Curved flange"});
        return IDOK;
    });
    CDlgMacro& dialog = show(data, 2);
    ui::Automation page(*dialog.page(2));
    page.click(CMacroTabProf::IDC_SEGMENTED);
    EXPECT_TRUE(logHas(L"changed=-16"));
    const MacroTabData* tab = nullptr;
    dialog.macroData().findTab(L"Stiffeners", tab);
    ASSERT_EQ(tab->segments().length(), 1);
    EXPECT_EQ(tab->segments()[0].name, L"Curved flange");
}

TEST_F(ProfilePageTest, PictureOfTheProfilePage) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 2);
    dialog.ShowWindow(SW_SHOW);
    ui::expectMatchesGolden(ui::renderWindow(dialog.GetSafeHwnd(), 1), "macro_page_profile");
}

TEST_F(ProfilePageTest, F12OpensTheDesignerOnThePagesTemplate) {
    MacroData data = open();
    CDlgMacro& dialog = show(data, 0);
    ui::Automation page(*dialog.page(0));
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& designer) {
        EXPECT_NE(designer.text(0).find(L"End Plate"), std::wstring::npos) << designer.text(0);
        designer.click(IDOK);
    });
    page.setFocus(33006);
    page.press(VK_F12);
    ui::expectDriverDone(driver);
    EXPECT_EQ(page.text(33006), L"15") << "the page shows the template again";

    // A page without template lets the key pass.
    ui::Automation profile(*dialog.page(2));
    ui::Automation(dialog).select(CDlgMacro::IDC_TAB, 2);
    profile.setFocus(CMacroTabProf::IDC_SECTION);
    profile.press(VK_F12);
    EXPECT_EQ(driver.remainingSteps(), 0u);
}

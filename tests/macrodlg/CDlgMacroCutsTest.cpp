// The macro cuts dialog (223) and the profile cuts dialog (235), opened through their entry points on
// the end-plate drawing, driven as a user would.
#include "macrodlg/CDlgMacroCuts.h"

#include <gtest/gtest.h>

#include "MacroDlgTestSupport.h"
#include "macrodlg/CDlgEditProfCuts.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "macrodlg/MacroDlgRegistry.h"
#include "platform/grid/window/GridAutomation.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/MacroCutsData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/ui/DialogSize.h"

namespace {

using Cuts = CDlgMacroCuts;
using ProfCuts = CDlgEditProfCuts;
using Lines = std::vector<std::wstring>;

// The drawing's log lines that start with one of the calls the cuts dialogs make.
Lines cutCalls() {
    Lines calls;
    for (const std::wstring& line : MacroDrawing::active().log()) {
        for (const wchar_t* call : {L"drawCutPreview", L"removeCutPreview", L"removeCut ", L"selectOtherProf",
                                    L"UserSelectMacro"}) {
            if (line.rfind(call, 0) == 0) {
                calls.push_back(line);
                break;
            }
        }
    }
    return calls;
}

int postedCancels() {
    int cancels = 0;
    for (const host::Event& event : host::events())
        cancels += event.kind == host::EventKind::PostCommand && event.text == L"CANCELCMD";
    return cancels;
}

class MacroCutsTest : public MacroDlgTest {
protected:
    // A new cut for every macro of the drawing.
    DlgMacroCutsData newCut() {
        open(true);
        DlgMacroCutsData data;
        data.macros.mode = MacrosInDlgData::kNewCut;
        data.macros.ids = MacroDrawing::active().objectIds();
        for (int i = 0; i < data.macros.ids.length(); ++i)
            data.macros.names.append(MacroDrawing::active().object(data.macros.ids[i])->macroRead()->name());
        return data;
    }
};

class ProfCutsTest : public MacroDlgTest {
protected:
    void TearDown() override {
        MacroDlgRegistry::instance().cutPreview = true;
        MacroDlgTest::TearDown();
    }
    // The end plate's plate: its module has the cuts BeamEndCut and CornerChamfer.
    DlgProfCutsData endPlate() {
        open();
        DlgProfCutsData data;
        data.profileId = AcDbObjectId(1);
        data.profileName = L"EndPlate";
        return data;
    }
};

}  // namespace

// --- macro cuts

TEST_F(MacroCutsTest, OkIsRefusedWithTheThreeMessagesInTheirOrderAndTheDialogStaysOpen) {
    DlgMacroCutsData data = newCut();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"New cut");
        auto grid = dlg.control<ui::GridAutomation>(Cuts::IDC_GRID);
        grid.type(Cuts::kNameCol, 1, L"gen_Offset");  // an invalid name, reported only third
        dlg.type(Cuts::IDC_NAME, L"   ");             // blanks are no name
        dlg.click(IDOK);
        dlg.type(Cuts::IDC_NAME, L"beamendcut");  // BeamEndCut of the end plate, ignoring case
        dlg.click(IDOK);
        dlg.type(Cuts::IDC_NAME, L"TopNotch");
        dlg.click(IDOK);
        EXPECT_TRUE(dlg.visible(0)) << "still open after three refusals";
        grid.type(Cuts::kNameCol, 1, L"NotchOffset");
        dlg.click(IDOK);
    });
    bool flag = true;
    EXPECT_TRUE(StartDlgMacroCuts(data, flag));
    ui::expectDriverDone(driver);
    const auto& boxes = driver.messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, L"Please enter a name for the cut.");
    EXPECT_EQ(boxes[0].caption, L"Name missing");
    EXPECT_EQ(boxes[1].text, L"A cut with this name already exists.\nPlease choose another name.");
    EXPECT_EQ(boxes[1].caption, L"Name in use");
    EXPECT_EQ(
        boxes[2].text,
        L"One or more parameter names are not valid.\nA parameter name may hold only letters, digits and "
        L"underscores, and it may not begin with \"gen_\".\n");
    EXPECT_EQ(boxes[2].caption, L"Invalid value");
    EXPECT_NE(boxes[0].type & MB_ICONEXCLAMATION, 0u);
    EXPECT_FALSE(flag) << "no macros were selected";
    EXPECT_EQ(data.cutName, L"TopNotch");
    EXPECT_EQ(data.paramNames, (Mx_StringArray{L"NotchOffset", L"PolyOffset"}));
}

TEST_F(MacroCutsTest, AnEmptyNameIsReportedBeforeAnythingElseAndAnExistingCutMayKeepItsName) {
    DlgMacroCutsData data = newCut();
    data.paramNames = {L"1st", L"1st"};  // invalid twice over
    data.paramValues.append(1.0);
    data.paramValues.append(2.0);
    data.paramFlags.append(1);
    data.paramFlags.append(1);
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        dlg.click(IDOK);
        dlg.click(IDCANCEL);
    });
    bool flag = false;
    EXPECT_FALSE(StartDlgMacroCuts(data, flag));
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.messageBoxes()[0].caption, L"Name missing");

    // Editing the end plate's own cut: its name is in use, by itself, and that is no reason to refuse.
    data.macros.mode = 0;
    data.existingCut = true;
    data.cutName = L"BeamEndCut";
    data.paramNames = {L"Offset", L"LengthOffset"};
    ui::ScriptedDriver editing;
    editing.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Edit cut");
        EXPECT_FALSE(dlg.enabled(Cuts::IDC_NAME)) << "an existing cut keeps its name";
        EXPECT_FALSE(dlg.enabled(Cuts::IDC_KIND));
        dlg.click(IDOK);
    });
    EXPECT_TRUE(StartDlgMacroCuts(data, flag));
    ui::expectDriverDone(editing);
    EXPECT_TRUE(editing.messageBoxes().empty());
}

TEST_F(MacroCutsTest, ChoosingAKindShowsItsDefaultParametersUnderTheirLabels) {
    DlgMacroCutsData data = newCut();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.items(Cuts::IDC_KIND),
                  (Lines{L"Profile against plate", L"Profile against profile", L"Profile in profile",
                         L"Profile against profile, 3 segments", L"Chamfer", L"Fillet"}));
        EXPECT_EQ(dlg.items(Cuts::IDC_PROFILE_END), (Lines{L"Start", L"End", L"Both ends", L"None", L""}));
        EXPECT_EQ(dlg.items(Cuts::IDC_NAME), (Lines{L"BeamEndCut", L"CornerChamfer", L"RootNotch"}))
            << "the names the macros' cuts have";
        auto grid = dlg.control<ui::GridAutomation>(Cuts::IDC_GRID);
        EXPECT_EQ(grid.text(Cuts::kLabelCol, SS_HEADER), L"Parameter");
        EXPECT_EQ(grid.text(Cuts::kNameCol, SS_HEADER), L"Variable");

        dlg.select(Cuts::IDC_KIND, 2);
        ASSERT_EQ(grid.rows(), 3);
        EXPECT_EQ(grid.text(Cuts::kLabelCol, 1), L"Inside offset");
        EXPECT_EQ(grid.text(Cuts::kLabelCol, 3), L"Centre offset");
        EXPECT_EQ(grid.text(Cuts::kNameCol, 2), L"OutsideOffset");
        EXPECT_TRUE(grid.locked(Cuts::kValueCol, 3)) << "a fixed parameter";
        EXPECT_FALSE(grid.locked(Cuts::kValueCol, 1));

        dlg.select(Cuts::IDC_KIND, 5);
        ASSERT_EQ(grid.rows(), 1);
        EXPECT_EQ(grid.text(Cuts::kLabelCol, 1), L"Radius");
        grid.type(Cuts::kNameCol, 1, L"CopeRadius");
        EXPECT_EQ(grid.text(Cuts::kLabelCol, 1), L"Radius") << "a renamed parameter keeps its label";
        grid.type(Cuts::kValueCol, 1, L"12.5");
        dlg.type(Cuts::IDC_NAME, L"Cope");
        dlg.click(IDOK);
    });
    bool flag = false;
    EXPECT_TRUE(StartDlgMacroCuts(data, flag));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.kind, DlgMacroCutsData::kFillet);
    EXPECT_EQ(data.paramNames, (Mx_StringArray{L"CopeRadius"}));
    ASSERT_EQ(data.paramValues.length(), 1);
    EXPECT_DOUBLE_EQ(data.paramValues[0], 12.5);
}

TEST_F(MacroCutsTest, AKindThePickerDoesNotOfferOpensAsTheFirstKind) {
    DlgMacroCutsData data = newCut();
    data.kind = 9;
    data.cutName = L"Odd";
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.selection(Cuts::IDC_KIND), 0);
        EXPECT_EQ(dlg.control<ui::GridAutomation>(Cuts::IDC_GRID).rows(), 2);
        dlg.click(IDOK);
    });
    bool flag = false;
    EXPECT_TRUE(StartDlgMacroCuts(data, flag));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.kind, DlgMacroCutsData::kProfileVsPlate);
    EXPECT_EQ(data.paramNames, (Mx_StringArray{L"Offset", L"PolyOffset"}));
}

TEST_F(MacroCutsTest, FlangesAndWebExcludeEachOtherOnlyForAProfileAgainstAProfile) {
    DlgMacroCutsData data = newCut();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        // Profile against plate: both boxes stay enabled; the corners only with the web alone.
        EXPECT_FALSE(dlg.enabled(Cuts::IDC_ROUND_CORNERS));
        dlg.click(Cuts::IDC_WEB_ONLY);
        EXPECT_TRUE(dlg.enabled(Cuts::IDC_ROUND_CORNERS));
        dlg.click(Cuts::IDC_FLANGES_ONLY);
        EXPECT_TRUE(dlg.enabled(Cuts::IDC_WEB_ONLY));
        EXPECT_TRUE(dlg.enabled(Cuts::IDC_FLANGES_ONLY));
        EXPECT_FALSE(dlg.enabled(Cuts::IDC_ROUND_CORNERS)) << "not while the flanges are cut too";

        // Profile against profile with both ticked: the flanges stay, the web box is cleared and greyed.
        dlg.select(Cuts::IDC_KIND, 1);
        EXPECT_EQ(dlg.checked(Cuts::IDC_WEB_ONLY), BST_UNCHECKED);
        EXPECT_FALSE(dlg.enabled(Cuts::IDC_WEB_ONLY));
        dlg.click(Cuts::IDC_FLANGES_ONLY);
        EXPECT_TRUE(dlg.enabled(Cuts::IDC_WEB_ONLY));
        dlg.click(Cuts::IDC_WEB_ONLY);
        EXPECT_FALSE(dlg.enabled(Cuts::IDC_FLANGES_ONLY));
        EXPECT_TRUE(dlg.enabled(Cuts::IDC_ROUND_CORNERS));
        dlg.click(Cuts::IDC_ROUND_CORNERS);

        // The profile end is chosen only for a cut at an end.
        EXPECT_TRUE(dlg.enabled(Cuts::IDC_PROFILE_END));
        dlg.click(Cuts::IDC_WHOLE_LENGTH);
        EXPECT_FALSE(dlg.enabled(Cuts::IDC_PROFILE_END));
        dlg.type(Cuts::IDC_NAME, L"WebCope");
        dlg.click(IDOK);
    });
    bool flag = false;
    EXPECT_TRUE(StartDlgMacroCuts(data, flag));
    ui::expectDriverDone(driver);
    EXPECT_FALSE(data.flangesOnly);
    EXPECT_TRUE(data.webOnly);
    EXPECT_TRUE(data.roundWebCorners);
    EXPECT_EQ(data.placement, 1);
}

TEST_F(MacroCutsTest, SelectingMacrosInTheDrawingSetsTheFlagThatComesBackEvenOnCancel) {
    copyEndPlate("Second.json");
    DlgMacroCutsData data = newCut();
    ASSERT_EQ(data.macros.ids.length(), 2);
    AcArray<AcDbObjectId> second;
    second.append(AcDbObjectId(2));
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.items(Cuts::IDC_MACROS).size(), 2u);
        dlg.click(Cuts::IDC_SELECT_MACROS);  // no pick: cancelled, the list stays
        EXPECT_EQ(dlg.items(Cuts::IDC_MACROS).size(), 2u);
        MacroDrawing::active().setNextPick(second);
        dlg.click(Cuts::IDC_TARGET_PICKED);  // picks as the select button does
        EXPECT_EQ(dlg.items(Cuts::IDC_MACROS), (Lines{L"EndPlateBeamToColumn"}));
        EXPECT_TRUE(dlg.visible(0)) << "shown again after the pick";
        dlg.click(IDCANCEL);
    });
    const DlgMacroCutsData before = data;
    bool flag = false;
    EXPECT_FALSE(StartDlgMacroCuts(data, flag));
    ui::expectDriverDone(driver);
    EXPECT_TRUE(flag) << "the flag comes back on Cancel";
    EXPECT_EQ(data.macros.ids.length(), before.macros.ids.length()) << "nothing else comes back on Cancel";
    EXPECT_EQ(cutCalls(), (Lines{L"UserSelectMacro -> cancelled", L"UserSelectMacro -> 1 macros"}));
    EXPECT_EQ(postedCancels(), 2);
    int begun = 0;
    for (const host::Event& event : host::events())
        begun += event.kind == host::EventKind::BeginEditorCommand;
    EXPECT_EQ(begun, 2) << "the dialog steps aside for each pick";
    int width = 0, height = 0;
    EXPECT_TRUE(getDlgSize(L"DLG_MACRO_CUTS", width, height)) << "the size is stored when the dialog closes";
}

// --- profile cuts

TEST_F(ProfCutsTest, OpeningPreviewsTheFirstCutAndClosingTakesThePreviewsAway) {
    DlgProfCutsData data = endPlate();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Profile cuts");
        EXPECT_EQ(dlg.text(IDOK), L"Close");
        EXPECT_EQ(dlg.items(ProfCuts::IDC_CUTS), (Lines{L"BeamEndCut (Plane)", L"CornerChamfer (Chamfer)"}));
        EXPECT_EQ(dlg.selection(ProfCuts::IDC_CUTS), 0);
        EXPECT_EQ(dlg.checked(ProfCuts::IDC_NO_PREVIEW), BST_UNCHECKED);
        dlg.select(ProfCuts::IDC_CUTS, 1);
        dlg.click(IDOK);
    });
    EXPECT_TRUE(StartEditProfCutsDlg(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(
        cutCalls(),
        (Lines{L"drawCutPreview 1 EndPlate/BeamEndCut", L"removeCutPreview 1 EndPlate/BeamEndCut",
               L"drawCutPreview 1 EndPlate/CornerChamfer", L"removeCutPreview 1 EndPlate/CornerChamfer"}));
}

TEST_F(ProfCutsTest, RemovingTheLastCutSelectsTheNewLastOneAndAnEmptyListIsHarmless) {
    DlgProfCutsData data = endPlate();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        dlg.select(ProfCuts::IDC_CUTS, 1);
        MacroDrawing::active().clearLog();
        dlg.click(ProfCuts::IDC_REMOVE);
        EXPECT_EQ(onDisk().find("CornerChamfer"), std::string::npos) << "the cut left the macro file";
        EXPECT_EQ(dlg.items(ProfCuts::IDC_CUTS), (Lines{L"BeamEndCut (Plane)"}));
        EXPECT_EQ(dlg.selection(ProfCuts::IDC_CUTS), 0);
        EXPECT_EQ(cutCalls(), (Lines{L"removeCutPreview 1 EndPlate/CornerChamfer",
                                     L"removeCut 1 EndPlate/CornerChamfer -> ok",
                                     L"drawCutPreview 1 EndPlate/BeamEndCut"}));
        dlg.click(ProfCuts::IDC_REMOVE);
        EXPECT_TRUE(dlg.items(ProfCuts::IDC_CUTS).empty());
        EXPECT_EQ(dlg.selection(ProfCuts::IDC_CUTS), -1);
        MacroDrawing::active().clearLog();
        dlg.click(ProfCuts::IDC_REMOVE);
        EXPECT_TRUE(cutCalls().empty()) << "nothing to remove, nothing to preview";
        dlg.click(IDOK);
    });
    EXPECT_TRUE(StartEditProfCutsDlg(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(onDisk().find("BeamEndCut"), std::string::npos);
    EXPECT_NE(onDisk().find("RootNotch"), std::string::npos) << "other modules keep their cuts";
    EXPECT_TRUE(cutCalls().empty()) << "no preview was left to take away";
}

TEST_F(ProfCutsTest, WithPreviewsOffSelectingDrawsNothingAndTheOptionComesBackOnlyOnOk) {
    DlgProfCutsData data = endPlate();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        dlg.click(ProfCuts::IDC_NO_PREVIEW);
        EXPECT_EQ(cutCalls().back(), L"removeCutPreview 1 EndPlate/BeamEndCut")
            << "the drawn preview goes when previews are switched off";
        MacroDrawing::active().clearLog();
        dlg.select(ProfCuts::IDC_CUTS, 1);
        dlg.select(ProfCuts::IDC_CUTS, 0);
        EXPECT_TRUE(cutCalls().empty());
        dlg.close();  // the close box: no OK
    });
    EXPECT_FALSE(StartEditProfCutsDlg(data));
    EXPECT_TRUE(cutCalls().empty());
    EXPECT_TRUE(MacroDlgRegistry::instance().cutPreview) << "not taken back without OK";

    driver.onModal([&](ui::Automation& dlg) {
        dlg.click(ProfCuts::IDC_NO_PREVIEW);
        dlg.click(IDOK);
    });
    EXPECT_TRUE(StartEditProfCutsDlg(data));
    EXPECT_FALSE(MacroDlgRegistry::instance().cutPreview) << "taken back on OK";

    MacroDrawing::active().clearLog();
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.checked(ProfCuts::IDC_NO_PREVIEW), BST_CHECKED) << "the next dialog starts with it";
        dlg.click(ProfCuts::IDC_NO_PREVIEW);
        EXPECT_EQ(cutCalls(), (Lines{L"drawCutPreview 1 EndPlate/BeamEndCut"}))
            << "on again: the selected cut";
        dlg.click(IDOK);
    });
    EXPECT_TRUE(StartEditProfCutsDlg(data));
    ui::expectDriverDone(driver);
    EXPECT_TRUE(MacroDlgRegistry::instance().cutPreview);
}

TEST_F(ProfCutsTest, AnotherProfileRefillsTheListAndACancelledPickKeepsThePreview) {
    DlgProfCutsData data = endPlate();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        dlg.click(ProfCuts::IDC_OTHER_PROFILE);  // nothing picked
        EXPECT_EQ(dlg.items(ProfCuts::IDC_CUTS).size(), 2u);
        MacroDrawing::active().setNextProfilePick(AcDbObjectId(1), L"topstiffener");
        dlg.click(ProfCuts::IDC_OTHER_PROFILE);
        EXPECT_EQ(dlg.items(ProfCuts::IDC_CUTS), (Lines{L"RootNotch (Notch)"}));
        EXPECT_TRUE(dlg.visible(0));
        dlg.click(IDOK);
    });
    EXPECT_TRUE(StartEditProfCutsDlg(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(cutCalls(),
              (Lines{L"drawCutPreview 1 EndPlate/BeamEndCut", L"removeCutPreview 1 EndPlate/BeamEndCut",
                     L"selectOtherProf -> cancelled", L"drawCutPreview 1 EndPlate/BeamEndCut",
                     L"removeCutPreview 1 EndPlate/BeamEndCut", L"selectOtherProf -> 1 TopStiffener",
                     L"drawCutPreview 1 Stiffeners/RootNotch", L"removeCutPreview 1 Stiffeners/RootNotch"}));
    EXPECT_EQ(postedCancels(), 2);
}

TEST_F(ProfCutsTest, AProfileNotInTheDrawingShowsAnEmptyList) {
    DlgProfCutsData data = endPlate();
    data.profileName = L"NoSuchPlate";
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_TRUE(dlg.items(ProfCuts::IDC_CUTS).empty());
        dlg.click(ProfCuts::IDC_REMOVE);
        dlg.click(IDOK);
    });
    EXPECT_TRUE(StartEditProfCutsDlg(data));
    ui::expectDriverDone(driver);
    EXPECT_TRUE(cutCalls().empty());
}

// --- pictures

TEST_F(MacroCutsTest, Picture) {
    DlgMacroCutsData data = newCut();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        dlg.type(Cuts::IDC_NAME, L"TopNotch");  // as scripts/pictures.sh does
        ui::expectMatchesGolden(ui::renderWindow(dlg.root(), 1), "macro_cuts");
        dlg.click(IDCANCEL);
    });
    bool flag = false;
    StartDlgMacroCuts(data, flag);
    ui::expectDriverDone(driver);
}

TEST_F(ProfCutsTest, Picture) {
    DlgProfCutsData data = endPlate();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        ui::expectMatchesGolden(ui::renderWindow(dlg.root(), 1), "profile_cuts");
        dlg.click(IDOK);
    });
    StartEditProfCutsDlg(data);
    ui::expectDriverDone(driver);
}

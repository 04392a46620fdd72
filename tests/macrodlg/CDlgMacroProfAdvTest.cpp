// The profile-advanced dialog and its callback protocol, with an owner that records every call.
#include "macrodlg/CDlgMacroProfAdv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MacroDlgTestSupport.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/DrawingPicks.h"

namespace {

using Dlg = CDlgMacroProfAdv;

// The owner: it keeps one profile's properties, answers Get and Set as a page does (Set puts back
// what the drawing made of it: here the material in capitals) and logs each call.
struct Owner {
    std::vector<std::wstring> calls;
    MacroProfData held;
};
Owner* owner = nullptr;

bool recordingCallback(VlMACallBackType type, const VlMACallBackData& data, MacroProfData& prof) {
    const wchar_t* names[] = {L"Get", L"Set", L"HideOwner", L"ShowOwner"};
    owner->calls.push_back(std::wstring(names[type]) + L" " + data.groupName.str());
    if (type == MACallBackGet) {
        prof = owner->held;
    } else if (type == MACallBackSet) {
        owner->held = prof;
        owner->held.material = prof.material.toUpper();
        prof = owner->held;
    }
    return true;
}

class ProfAdvTest : public MacroDlgTest {
protected:
    void SetUp() override {
        MacroDlgTest::SetUp();
        owner = &recorded;
        recorded.held.group = L"Stiffeners";
        recorded.held.section = L"IPE-300";
        recorded.held.material = L"S355";
        drawingpicks::reset();
    }
    void TearDown() override {
        owner = nullptr;
        drawingpicks::reset();
        MacroDlgTest::TearDown();
    }
    void run(bool mode = false) {
        data.groupName = L"Stiffeners";
        request.data = &data;
        request.callback = recordingCallback;
        request.mode = mode;
        ASSERT_TRUE(runProfAdvDialog(request));
    }
    bool hostHad(host::EventKind kind) const {
        for (const host::Event& e : host::events()) {
            if (e.kind == kind)
                return true;
        }
        return false;
    }
    Owner recorded;
    VlMACallBackData data;
    ProfAdvRequest request;
};

}  // namespace

TEST_F(ProfAdvTest, OpensOnWhatTheOwnerGivesAndEveryChangeIsSetAndShownAsTheOwnerPutsItBack) {
    ui::ScriptedDriver driver;
    driver.onModal([this](ui::Automation& dlg) {
        EXPECT_EQ(recorded.calls, std::vector<std::wstring>{L"Get Stiffeners"});
        EXPECT_EQ(dlg.text(Dlg::IDC_GROUP), L"Stiffeners");
        EXPECT_EQ(dlg.text(Dlg::IDC_SECTION_TYPE), L"IPE");
        EXPECT_EQ(dlg.text(Dlg::IDC_SECTION), L"IPE-300");
        EXPECT_EQ(dlg.text(Dlg::IDC_OFFSET_TYPE), L"Centre");
        EXPECT_EQ(dlg.checked(Dlg::IDC_WCS), BST_CHECKED);
        EXPECT_FALSE(dlg.visible(Dlg::IDC_SECTION2)) << "one section: the second one's controls are hidden";
        EXPECT_FALSE(dlg.enabled(Dlg::IDC_OWN_COORDSYS)) << "no temporary profile";
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "profile_advanced_dialog");
        dlg.click(Dlg::IDC_TOP_LEFT);
        EXPECT_EQ(recorded.held.offsetType, 0);
        EXPECT_EQ(dlg.text(Dlg::IDC_OFFSET_TYPE), L"Top left");
        dlg.type(Dlg::IDC_MATERIAL, L"s235");
        dlg.click(Dlg::IDC_ROT90);  // leaving the material sets it too
        EXPECT_EQ(recorded.held.rotation, MacroProfData::Rot90);
        EXPECT_EQ(dlg.text(Dlg::IDC_MATERIAL), L"S235") << "shows what the owner put back";
        dlg.select(Dlg::IDC_OFFSET_TYPE, L"*VARIES*");
        EXPECT_TRUE(recorded.held.offsetTypeUndefined);
        EXPECT_EQ(recorded.held.offsetType, 0) << "an undefined type keeps the old one";
        dlg.type(Dlg::IDC_OFFSET_X, L"12.5");
        dlg.type(Dlg::IDC_SEGMENT, L"3");
        dlg.click(Dlg::IDC_ON_SEGMENT);
        dlg.click(IDOK);
    });
    run();
    ui::expectDriverDone(driver);
    EXPECT_DOUBLE_EQ(recorded.held.offsetX, 12.5);
    EXPECT_TRUE(recorded.held.onSegment);
    EXPECT_EQ(recorded.held.segment, 3);
    EXPECT_EQ(recorded.held.group, L"Stiffeners");
    EXPECT_EQ(recorded.calls.front(), L"Get Stiffeners");
    EXPECT_EQ(recorded.calls.back(), L"Set Stiffeners") << "OK sets once more";
}

TEST_F(ProfAdvTest, APickHidesTheOwnerAndTheDialogAndSetsWhatWasPickedAfterwards) {
    queueUserPick(L"xp");
    ui::ScriptedDriver driver;
    driver.onModal([this](ui::Automation& dlg) {
        dlg.click(Dlg::IDC_BASE_PLANE);
        recorded.calls.clear();
        host::clearEvents();
        dlg.click(Dlg::IDC_PICK_BASE);
        EXPECT_EQ(recorded.calls, (std::vector<std::wstring>{L"HideOwner Stiffeners", L"ShowOwner Stiffeners",
                                                             L"Set Stiffeners"}));
        EXPECT_TRUE(hostHad(host::EventKind::BeginEditorCommand));
        EXPECT_TRUE(hostHad(host::EventKind::CompleteEditorCommand));
        EXPECT_TRUE(dlg.visible(0)) << "shown again after the pick";
        EXPECT_EQ(recorded.held.basePlane, L"xp");
        dlg.click(Dlg::IDC_SELECTED_COORDSYS);
        dlg.click(Dlg::IDC_PICK_BASE);  // no coordinate system to select: the pick is cancelled
        EXPECT_EQ(recorded.calls.back(), L"Set Stiffeners");
        EXPECT_EQ(recorded.held.basePlane, L"") << "none selected and the list is empty";
        drawingpicks::setNextPoint(0, 10);
        dlg.click(Dlg::IDC_PICK_ANGLE);
        EXPECT_EQ(recorded.held.rotation, MacroProfData::RotAngle);
        EXPECT_EQ(recorded.held.angle, L"90");
        dlg.click(IDCANCEL);
    });
    run();
    ui::expectDriverDone(driver);
    EXPECT_TRUE(logHas(L"UserSelectPlane -> xp"));
    EXPECT_TRUE(logHas(L"selectCoordSys -> cancelled"));
}

TEST_F(ProfAdvTest, WithoutACallbackTheControlsStayEmptyAndNothingIsSet) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(Dlg::IDC_SECTION), L"");
        EXPECT_EQ(dlg.selection(Dlg::IDC_OFFSET_TYPE), -1);
        dlg.click(Dlg::IDC_TOP_LEFT);
        dlg.click(IDOK);
    });
    request.data = &data;
    ASSERT_TRUE(runProfAdvDialog(request));
    ui::expectDriverDone(driver);
    EXPECT_TRUE(recorded.calls.empty());
}

TEST_F(ProfAdvTest, ATwoSectionProfileGrowsTheDialogAndShowsItsSecondSection) {
    recorded.held.morphed = true;
    recorded.held.section2 = L"HEA-200";
    RECT normal{};
    ui::ScriptedDriver first;
    first.onModal([&](ui::Automation& dlg) {
        EXPECT_TRUE(dlg.visible(Dlg::IDC_SECTION2));
        EXPECT_EQ(dlg.text(Dlg::IDC_SECTION2), L"HEA-200");
        ::GetWindowRect(dlg.root(), &normal);
        dlg.type(Dlg::IDC_GROUP2_END, L"Top");
        dlg.click(IDOK);
    });
    run();
    ui::expectDriverDone(first);
    EXPECT_EQ(recorded.held.group2End, L"Top");
    recorded.held.morphed = false;
    ui::ScriptedDriver second;
    second.onModal([&](ui::Automation& dlg) {
        RECT small{};
        ::GetWindowRect(dlg.root(), &small);
        EXPECT_EQ((normal.bottom - normal.top) - (small.bottom - small.top), Dlg::kMorphedGrowth);
        dlg.click(IDCANCEL);
    });
    run();
    ui::expectDriverDone(second);
}

TEST_F(ProfAdvTest, TheTemporaryCoordinateSystemIsMadeOnceAndErasedWithATemporaryMacro) {
    MacroData macro = open();
    macro.tempProfile = true;
    macro.eraseAfter = true;
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        ASSERT_TRUE(dlg.enabled(Dlg::IDC_OWN_COORDSYS));
        dlg.click(Dlg::IDC_OWN_COORDSYS);
        dlg.click(Dlg::IDC_WCS);
        dlg.click(Dlg::IDC_OWN_COORDSYS);
        EXPECT_EQ(dlg.checked(Dlg::IDC_OWN_COORDSYS), BST_CHECKED);
        dlg.click(IDOK);
    });
    StartDlgMacroProfAdv(macro, L"Stiffeners", L"Stiffeners", false);
    ui::expectDriverDone(driver);
    const std::wstring log = MacroDrawing::active().logText();
    EXPECT_EQ(log.find(L"createCoordSys CS1"), log.rfind(L"createCoordSys")) << "made once:\n" << log;
    EXPECT_NE(log.find(L"EraseObject 9001"), std::wstring::npos) << log;
}

TEST_F(ProfAdvTest, TheStandAloneFormOpensOnlyWithIdsAndHandsBackItsOption) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_FALSE(dlg.visible(Dlg::IDC_GROUP));
        EXPECT_TRUE(dlg.visible(Dlg::IDC_OPTION));
        EXPECT_EQ(dlg.checked(Dlg::IDC_OPTION), BST_UNCHECKED);
        dlg.click(Dlg::IDC_OPTION);
        dlg.click(IDOK);
    });
    bool option = false;
    AcArray<AcDbObjectId> ids;
    StartDlgMacroProfAdv(nullptr, option, recordingCallback);
    StartDlgMacroProfAdv(&ids, option, recordingCallback);
    EXPECT_TRUE(driver.modalDialogs().empty()) << "no ids: nothing opens";
    ids.append(AcDbObjectId(1));
    StartDlgMacroProfAdv(&ids, option, recordingCallback);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(option);
    EXPECT_EQ(recorded.calls.front(), L"Get ") << "no group: the owner's single profile";
}

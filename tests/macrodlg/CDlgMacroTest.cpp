#include "macrodlg/CDlgMacro.h"

#include <gtest/gtest.h>

#include "MacroDlgTestSupport.h"
#include "macrodlg/CMacroTabPage.h"
#include "macrodlg/CMacroTabProf.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "macrodlg/MacroDlgRegistry.h"
#include "macrodlg/ProfAdvDialogRunner.h"
#include "platform/mfc/DialogSizeStore.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/TabCtrl.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/ClashCheck.h"

namespace {

// The end plate's fields on its designed page (the template's controls in order from 33000).
constexpr int kWidth = 33001;
constexpr int kHeight = 33002;
constexpr int kThickness = 33006;

int count(const std::wstring& text, const std::wstring& part) {
    int found = 0;
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

int postedCancels() {
    int cancels = 0;
    for (const host::Event& event : host::events())
        cancels += event.kind == host::EventKind::PostCommand && event.text == L"CANCELCMD";
    return cancels;
}

}  // namespace

TEST_F(MacroDlgTest, AnEditGoesIntoTheDrawingAtOnceAndClosingHandsTheDataBack) {
    MacroData data = open();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"EndPlateBeamToColumn");
        EXPECT_EQ(dlg.items(CDlgMacro::IDC_TAB),
                  (std::vector<std::wstring>{L"End plate", L"Bolts", L"Stiffeners"}));
        EXPECT_EQ(dlg.text(IDOK), L"Close");
        EXPECT_EQ(dlg.focusedId(), kThickness) << "the first page's first value has the focus";
        EXPECT_EQ(dlg.text(kThickness), L"15");
        dlg.type(kThickness, L"18\n");
        EXPECT_NE(onDisk().find("\"value\": 18"), std::string::npos) << "Return applied the page to the file";
        EXPECT_TRUE(logHas(L"UpdateModule EndPlate changed=0 removed=- objects=1 -> ok"));
        EXPECT_EQ(dlg.text(kThickness), L"18");
        dlg.close();
    });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(data.closed) << "the close box closes as button 1 does";
    const MacroTabData* plates = nullptr;
    ASSERT_EQ(data.findTab(L"Plates", plates), Acad::eOk);
    EXPECT_EQ(plates->findCell(L"Thickness")->value, L"18") << "the dialog's data comes back";
    EXPECT_TRUE(logHas(L"changeView EndPlate 3"));
    EXPECT_TRUE(logHas(L"clashDlgClosed -1"));
    EXPECT_EQ(postedCancels(), 1);
    EXPECT_EQ(host::events().back().kind, host::EventKind::PostCommandPrompt);
}

TEST_F(MacroDlgTest, AValueTheDrawingRefusesIsNotKeptAndNothingIsWritten) {
    MacroData data = open();
    const std::string before = onDisk();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        dlg.type(kWidth, L"wide\n");
        EXPECT_EQ(dlg.text(kWidth), L"200") << "the page shows what the drawing holds";
        dlg.type(kWidth, L"200\n");  // the same value again: nothing to apply
        dlg.click(IDOK);
    });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
    EXPECT_EQ(onDisk(), before);
    EXPECT_TRUE(logHas(L"UpdateModule EndPlate changed=1 removed=- objects=1 -> a value was refused"));
    EXPECT_EQ(count(MacroDrawing::active().logText(), L"UpdateModule"), 1);
    const MacroTabData* plates = nullptr;
    data.findTab(L"Plates", plates);
    EXPECT_EQ(plates->findCell(L"Width")->value, L"200");
}

TEST_F(MacroDlgTest, LeavingAnEditedValueAppliesItAndEscapeInAPageCloses) {
    MacroData data = open();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        dlg.type(kHeight, L"400");
        dlg.setFocus(kThickness);  // leaving the edit commits it
        EXPECT_NE(onDisk().find("\"value\": 400"), std::string::npos);
        dlg.press(VK_ESCAPE);
    });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(data.closed);
}

TEST_F(MacroDlgTest, PagesSwitchAndKeepTheirFocus) {
    MacroData data = open();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        dlg.setFocus(kHeight);
        dlg.select(CDlgMacro::IDC_TAB, 2);
        EXPECT_FALSE(dlg.visible(kHeight)) << "the first page is hidden";
        EXPECT_TRUE(dlg.visible(CMacroTabProf::IDC_SECTION));
        EXPECT_EQ(dlg.text(CMacroTabProf::IDC_SECTION), L"PL-10x95");
        dlg.select(CDlgMacro::IDC_TAB, 0);
        EXPECT_EQ(dlg.focusedId(), kHeight) << "the page's focus is where the user left it";
        dlg.click(IDOK);
    });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
}

TEST_F(MacroDlgTest, ViewButtonsPostTheCancelCommandAndChangeTheViewOfTheShownModule) {
    MacroData data = open();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        dlg.click(CDlgMacro::IDC_VIEW_COMPACT);
        dlg.select(CDlgMacro::IDC_TAB, 1);
        dlg.click(CDlgMacro::IDC_VIEW_LARGE);
        EXPECT_EQ(postedCancels(), 2);
        EXPECT_EQ(MacroDrawing::active().viewOf(data.objectIds[0]), 2);
        dlg.click(IDOK);
    });
    StartDlgMacro(data);
    EXPECT_TRUE(logHas(L"changeView EndPlate 0\nchangeView EndPlateBolts 2\n"));
    EXPECT_EQ(MacroDrawing::active().viewOf(data.objectIds[0]), 3) << "closing resets the view";
}

TEST_F(MacroDlgTest, ATabOfAnUnknownKindGetsNoPage) {
    MacroData data = open();
    MacroTabData odd(L"Odd", 4);
    odd.title = L"Odd";
    data.addTab(odd);
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.items(CDlgMacro::IDC_TAB),
                  (std::vector<std::wstring>{L"End plate", L"Bolts", L"Stiffeners"}));
        dlg.select(CDlgMacro::IDC_TAB, 2);  // the profile page still finds its own tab
        EXPECT_EQ(dlg.text(CMacroTabProf::IDC_GROUPS), L"Stiffeners");
        dlg.click(IDOK);
    });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
}

TEST_F(MacroDlgTest, TheFirstTabAskedForIsShownFirst) {
    MacroData data = open();
    data.firstTab = L"bolts";
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.selection(CDlgMacro::IDC_TAB), 1);
        dlg.click(IDOK);
    });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
}

TEST_F(MacroDlgTest, FiltersRebuildThePages) {
    MacroData data = open();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.items(CDlgMacro::IDC_FILTER1),
                  (std::vector<std::wstring>{L"(all)", L"Plates", L"Bolts", L"Stiffeners"}));
        dlg.select(CDlgMacro::IDC_FILTER1, L"Bolts");
        EXPECT_EQ(dlg.items(CDlgMacro::IDC_TAB), std::vector<std::wstring>{L"Bolts"});
        EXPECT_EQ(dlg.selection(CDlgMacro::IDC_FILTER1), 2);
        dlg.select(CDlgMacro::IDC_FILTER1, 0);
        dlg.select(CDlgMacro::IDC_FILTER2, L"Profiles");
        EXPECT_EQ(dlg.items(CDlgMacro::IDC_TAB), std::vector<std::wstring>{L"Stiffeners"});
        dlg.click(IDOK);
    });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(logHas(L"UpdateAllFilterModified groups 2\n"));
    EXPECT_TRUE(logHas(L"UpdateAllFilterModified kinds 3\n"));
}

TEST_F(MacroDlgTest, TheSizeIsStoredUnderTheMacroNameOrTheNumberOfMacros) {
    MacroData one = open();
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.resize(700, 560);
        dlg.click(IDOK);
    });
    StartDlgMacro(one);
    const auto stored = ui::DialogSizeStore::read(L"DLG_MACRO_EDITVARS_EndPlateBeamToColumn");
    ASSERT_TRUE(stored.has_value());
    EXPECT_GE(stored->width, 700);

    copyEndPlate("EndPlate2.json");
    copyEndPlate("EndPlate3.json");
    MacroData three = open(true);
    ASSERT_EQ(three.objectIds.length(), 3);
    driver.onModal([](ui::Automation& dlg) { dlg.click(IDOK); });
    StartDlgMacro(three);
    EXPECT_TRUE(ui::DialogSizeStore::read(L"DLG_MACRO_EDITVARS_3_MACROS").has_value());
    ui::expectDriverDone(driver);
}

TEST_F(MacroDlgTest, TheClashSwitchIsGlobalAndTheCheckRunsAfterEveryApply) {
    copyEndPlate("EndPlate2.json");  // the same connection twice on the same members
    MacroData data = open(true);
    AcArray<AcDbObjectId> first;
    first.append(data.objectIds[0]);
    MacroDrawing::active().initMacroData(first, data);
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.checked(CDlgMacro::IDC_CLASH), BST_UNCHECKED);
        dlg.click(CDlgMacro::IDC_CLASH);
        EXPECT_TRUE(clashGetStatus());
        dlg.type(kThickness, L"16\n");
        EXPECT_EQ(clashLastCount(-1), 1);
        dlg.click(IDOK);
    });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(logHas(L"clashInitDlgStarted -1\nclashResetInfo -1 1 objects\nclashcheck -1 off\n"));
    clashSetStatus(false);
}

TEST_F(MacroDlgTest, SelectingOtherMacrosRebuildsThePagesForThem) {
    copyEndPlate("EndPlate2.json");
    MacroData data = open(true);
    AcArray<AcDbObjectId> first, second;
    first.append(data.objectIds[0]);
    second.append(data.objectIds[1]);
    MacroDrawing::active().initMacroData(first, data);
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        dlg.click(CDlgMacro::IDC_SELECT_OTHER);  // the user cancels the pick
        EXPECT_TRUE(logHas(L"SelectOtherMacros -> cancelled"));
        MacroDrawing::active().setNextPick(second);
        dlg.click(CDlgMacro::IDC_SELECT_OTHER);
        EXPECT_TRUE(dlg.visible(0));
        dlg.type(kThickness, L"22\n");
        dlg.click(IDOK);
    });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.objectIds.length(), 1);
    EXPECT_EQ(data.objectIds[0], second[0]);
    EXPECT_NE(onDisk("EndPlate2.json").find("\"value\": 22"), std::string::npos);
    EXPECT_EQ(onDisk("EndPlate.json").find("\"value\": 22"), std::string::npos);
}

TEST_F(MacroDlgTest, ReApplyWritesEveryTabAndCloses) {
    MacroData data = open();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) { dlg.click(CDlgMacro::IDC_REAPPLY); });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(data.closed);
    EXPECT_EQ(count(MacroDrawing::active().logText(), L"-> ok"), 3);
}

TEST_F(MacroDlgTest, PropertyFilesKeepTheValuesForAnotherMacroOfTheSameKind) {
    MacroData data = open();
    const std::wstring file = (dir_ / "Properties/EndPlateBeamToColumn/thick.json").wstring();
    ui::ScriptedDriver driver;
    driver.answerFileDialog({true, {file}});
    driver.answerFileDialog({true, {file}});
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_TRUE(dlg.enabled(CDlgMacro::IDC_SAVE_PROPS));
        dlg.type(kThickness, L"25");  // not committed yet: saving commits it first
        dlg.click(CDlgMacro::IDC_SAVE_PROPS);
        EXPECT_NE(onDisk().find("\"value\": 25"), std::string::npos);
        dlg.type(kThickness, L"12\n");
        dlg.type(kWidth, L"210\n");
        dlg.click(CDlgMacro::IDC_LOAD_PROPS);
        EXPECT_EQ(dlg.text(kThickness), L"25");
        EXPECT_EQ(dlg.text(kWidth), L"200");
        dlg.click(IDOK);
    });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
    ASSERT_EQ(driver.fileDialogs().size(), 2u);
    EXPECT_EQ(driver.fileDialogs()[0].initialFolder, (dir_ / "Properties/EndPlateBeamToColumn").wstring());
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.messageBoxes()[0].text,
              L"The property file has been read.\nIt changed 2 values of the macro.\n\n"
              L"Values that do not belong to this macro were left out.");
    EXPECT_NE(onDisk().find("\"value\": 25"), std::string::npos) << "the loaded values are in the drawing";
}

TEST_F(MacroDlgTest, PropertyFilesAreNotOfferedForMacrosOfDifferentNames) {
    MacroData data = open();
    data.macroNames.append(L"OtherConnection");
    data.objectIds.append(AcDbObjectId(99));
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_FALSE(dlg.enabled(CDlgMacro::IDC_LOAD_PROPS));
        EXPECT_FALSE(dlg.enabled(CDlgMacro::IDC_SAVE_PROPS));
        dlg.click(IDOK);
    });
    StartDlgMacro(data);
    EXPECT_TRUE(driver.fileDialogs().empty());
}

TEST_F(MacroDlgTest, PictureOfTheEndPlate) {
    MacroData data = open();
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        ui::expectMatchesGolden(ui::renderWindow(dlg.root(), 1), "macro_dialog_end_plate");
        dlg.click(IDOK);
    });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
}

TEST_F(MacroDlgTest, TheMinimumSizeFollowsThePagesOnceTheSizeIsKnown) {
    MacroData data = open();
    MacroTabData tall(L"Tall", MacroTabData::kGeneral);
    tall.title = L"Tall";
    for (int i = 0; i < 20; ++i)
        tall.addCell({Mx_String(L"Row" + std::to_wstring(i)), MacroCell::kNumber, 0, L"", L"1"});
    data.addTab(tall);
    CDlgMacro dialog;
    dialog.setMacroData(data);
    ASSERT_TRUE(dialog.Create(CDlgMacro::IDD));  // the window is sized as it is made
    ui::Automation dlg(dialog);
    dialog.ShowWindow(SW_SHOW);
    dlg.resize(300, 300);
    const RECT window = dlg.rect(0);
    EXPECT_GE(window.bottom - window.top, 20 * 26 + 160) << "the tall page fits";
    EXPECT_GE(window.right - window.left, 510) << "never smaller than the template";
    dialog.DestroyWindow();
}

TEST_F(MacroDlgTest, TheProfileDialogAskedForOpensAtOnceAndItsChangesReachTheDrawing) {
    MacroData data = open();
    data.firstTab = L"Stiffeners";
    data.openProfAdvanced = true;
    data.openProfAdvancedGroup = L"Stiffeners";
    int runs = 0;
    setProfAdvDialogRunner([&runs](ProfAdvRequest& request) {
        ++runs;
        MacroProfData prof;
        EXPECT_TRUE(request.callback(MACallBackGet, *request.data, prof));
        EXPECT_EQ(prof.material, L"S355");
        prof.material = L"S460";
        prof.section = L"PL-12x95";
        EXPECT_TRUE(request.callback(MACallBackHideOwner, *request.data, prof));
        EXPECT_FALSE(::IsWindowVisible(::GetParent(::GetParent(request.data->ownerWindow))));
        EXPECT_TRUE(request.callback(MACallBackSet, *request.data, prof));
        EXPECT_TRUE(request.callback(MACallBackShowOwner, *request.data, prof));
    });
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(runs, 1);
        EXPECT_TRUE(dlg.visible(0));
        EXPECT_EQ(dlg.text(CMacroTabProf::IDC_SECTION), L"PL-12x95") << "the page was refreshed";
        dlg.click(IDOK);
    });
    StartDlgMacro(data);
    setProfAdvDialogRunner({});
    ui::expectDriverDone(driver);
    EXPECT_NE(onDisk().find("\"material\": \"S460\""), std::string::npos);
    EXPECT_EQ(postedCancels(), 2) << "opening the profile dialog and closing";
}

TEST_F(MacroDlgTest, EscapeWithAValueNotYetCommittedClosesWithoutWritingIt) {
    MacroData data = open();
    const std::string before = onDisk();
    int id = -1;
    ASSERT_TRUE(StartDlgMacroModeless(true, data, id));
    ui::Automation dlg(MacroDlgRegistry::instance().at(id)->GetSafeHwnd());
    dlg.type(kThickness, L"99");
    dlg.press(VK_ESCAPE);
    EXPECT_EQ(MacroDlgRegistry::instance().length(), 0);
    EXPECT_EQ(onDisk(), before);
}

TEST_F(MacroDlgTest, WithoutAPageAViewButtonOnlyCancelsTheHostsCommand) {
    MacroData data = open();
    data.setTabsFrom(MacroData());
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_TRUE(dlg.items(CDlgMacro::IDC_TAB).empty());
        dlg.click(CDlgMacro::IDC_VIEW_NORMAL);
        EXPECT_EQ(postedCancels(), 1);
        dlg.close();
    });
    StartDlgMacro(data);
    ui::expectDriverDone(driver);
    EXPECT_FALSE(logHas(L"changeView"));
    EXPECT_EQ(postedCancels(), 2) << "closing cancels too";
    EXPECT_TRUE(data.closed);
}

#include "macrodlg/MacroDlgEntryPoints.h"

#include <gtest/gtest.h>

#include "MacroDlgTestSupport.h"
#include "macrodlg/CDlgMacro.h"
#include "macrodlg/CMacroTabPage.h"
#include "macrodlg/MacroDlgRegistry.h"
#include "macrodlg/MacroEditorWindow.h"
#include "macrodlg/MacroSubDialogRunners.h"
#include "macrodlg/ProfAdvDialogRunner.h"
#include "module/ModuleResources.h"
#include "platform/mfc/Automation.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/EditConstrData.h"
#include "platform/mxbase/MacroData.h"

namespace {

MacroDlgRegistry& registry() {
    return MacroDlgRegistry::instance();
}

HWND windowOf(int id) {
    CDlgMacro* dialog = registry().at(id);
    return dialog != nullptr ? dialog->GetSafeHwnd() : nullptr;
}

int openModeless(MacroData& data) {
    int id = -7;
    EXPECT_TRUE(StartDlgMacroModeless(true, data, id));
    return id;
}

int count(const std::wstring& text, const std::wstring& part) {
    int found = 0;
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

}  // namespace

TEST_F(MacroDlgTest, ModelessDialogsReuseTheHighestEmptySlotAndTheRegistryShrinksOnlyAtItsTail) {
    MacroData data = open();
    for (int expected = 0; expected < 4; ++expected)
        EXPECT_EQ(openModeless(data), expected);
    EXPECT_TRUE(EndDlgMacroModeless(0));
    EXPECT_TRUE(EndDlgMacroModeless(2));
    EXPECT_EQ(registry().length(), 4) << "closing in the middle leaves empty slots";
    MacroData copy;
    EXPECT_FALSE(GetDlgMacroData(0, copy));
    EXPECT_FALSE(GetDlgMacroData(2, copy));
    EXPECT_TRUE(GetDlgMacroData(1, copy));

    EXPECT_EQ(openModeless(data), 2) << "the highest empty slot wins";
    EXPECT_TRUE(EndDlgMacroModeless(2));
    EXPECT_TRUE(EndDlgMacroModeless(3));
    EXPECT_EQ(registry().length(), 2) << "closing the last slot drops the empty slots before it";
    EXPECT_TRUE(EndDlgMacroModeless(1));
    EXPECT_EQ(registry().length(), 0);

    EXPECT_FALSE(EndDlgMacroModeless(-1));
    EXPECT_FALSE(EndDlgMacroModeless(0));
    EXPECT_FALSE(GetDlgMacroData(5, copy));
}

TEST_F(MacroDlgTest, AModelessDialogIsOwnedByTheHostAndGivesTheFocusBackUnlessAsked) {
    MacroData data = open();
    const HINSTANCE before = AfxGetResourceHandle();
    int kept = -1;
    ASSERT_TRUE(StartDlgMacroModeless(true, data, kept));
    EXPECT_TRUE(::IsChild(windowOf(kept), ::GetFocus())) << "the dialog keeps the focus";
    EXPECT_EQ(::SendMessage(windowOf(kept), CDlgMacro::kKeepFocusMessage, 0, 0), TRUE);
    int given = -1;
    ASSERT_TRUE(StartDlgMacroModeless(false, data, given));
    EXPECT_EQ(::GetFocus(), adsw_acadMainWnd()->GetSafeHwnd());
    EXPECT_EQ(::GetParent(windowOf(given)), adsw_acadMainWnd()->GetSafeHwnd());
    EXPECT_EQ(AfxGetResourceHandle(), before) << "the resource scope was left";
    DestroyAllMacroDlgs();
    EXPECT_EQ(registry().length(), 0);
}

TEST_F(MacroDlgTest, AModelessDialogsEditIsReadBackAndItsCloseButtonUnregistersIt) {
    MacroData data = open();
    const int id = openModeless(data);
    ui::Automation dlg(windowOf(id));
    dlg.type(33006, L"30\n");  // the end plate's thickness field
    MacroData copy;
    ASSERT_TRUE(GetDlgMacroData(id, copy));
    const MacroTabData* plates = nullptr;
    copy.findTab(L"Plates", plates);
    EXPECT_EQ(plates->findCell(L"Thickness")->value, L"30");
    EXPECT_FALSE(copy.closed);

    host::clearEvents();
    dlg.click(IDOK);
    EXPECT_EQ(windowOf(id), nullptr);
    EXPECT_EQ(registry().length(), 0);
    EXPECT_TRUE(logHas(L"clashDlgClosed 0"));
    ASSERT_FALSE(host::events().empty());
    EXPECT_EQ(host::events().back().kind, host::EventKind::PostCommandPrompt);
}

TEST_F(MacroDlgTest, AMacroInUseIsClosedAtTheFirstTimerTickAfterItIsFree) {
    MacroData data = open();
    const int id = openModeless(data);
    registry().at(id)->macroData().inUse = true;
    host::CommandLineCapture commandLine;
    EXPECT_TRUE(EndDlgMacroModeless(id)) << "scheduled for closing";
    EXPECT_TRUE(::IsWindow(windowOf(id)));
    EXPECT_EQ(ui::activeTimerCount(), 1u);

    clock_.advance(49);
    EXPECT_EQ(commandLine.text(), L"");
    clock_.advance(1);
    EXPECT_EQ(commandLine.text(), L"Delayed timer called.\n");
    EXPECT_TRUE(::IsWindow(windowOf(id))) << "still in use: deferred again";
    EXPECT_EQ(registry().deferred().size(), 1u) << "the old timer's record is gone, the new one's is there";
    EXPECT_EQ(ui::activeTimerCount(), 1u);

    registry().at(id)->macroData().inUse = false;
    clock_.advance(50);
    EXPECT_EQ(count(commandLine.text(), L"Delayed timer called.\n"), 2);
    EXPECT_EQ(registry().at(id), nullptr);
    EXPECT_TRUE(registry().deferred().empty());
    EXPECT_EQ(ui::activeTimerCount(), 0u);
    clock_.advance(500);
    EXPECT_EQ(count(commandLine.text(), L"Delayed timer called.\n"), 2) << "no timer is left running";
}

TEST_F(MacroDlgTest, ADialogThatClosesItselfWhileInUseIsDeferredToo) {
    MacroData data = open();
    const int id = openModeless(data);
    registry().at(id)->macroData().inUse = true;
    ui::Automation dlg(windowOf(id));
    dlg.click(IDOK);
    EXPECT_TRUE(::IsWindow(windowOf(id)));
    EXPECT_TRUE(registry().at(id)->macroData().closed);
    registry().at(id)->macroData().inUse = false;
    clock_.advance(50);
    EXPECT_EQ(registry().length(), 0);
}

TEST_F(MacroDlgTest, UnloadSettlesPendingClosesSoNoTimerCallsIntoTheUnloadedModule) {
    MacroData data = open();
    const int first = openModeless(data);
    const int second = openModeless(data);
    registry().at(first)->macroData().inUse = true;
    EXPECT_TRUE(EndDlgMacroModeless(first));
    registry().at(second)->macroData().inUse = true;
    host::CommandLineCapture commandLine;
    EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr), AcRx::kRetOK);
    EXPECT_EQ(registry().length(), 0) << "every dialog is gone, in use or not";
    EXPECT_TRUE(registry().deferred().empty());
    EXPECT_EQ(ui::activeTimerCount(), 0u);
    clock_.advance(200);
    EXPECT_EQ(commandLine.text(), L"");
}

// --- the macro editor

namespace {

struct EditorLog {
    int created = 0;
    int destroyed = 0;
    bool destroyFails = false;
    EditConstrData lastData;
};

class FakeEditor : public MacroEditorWindow {
public:
    explicit FakeEditor(EditorLog& log) : m_log(log) {}
    void setData(const EditConstrData& data) override { m_data = data; }
    const EditConstrData& data() const override { return m_data; }
    void setModeless(bool modeless) override { m_data.modeless = modeless; }
    INT_PTR runModal(CWnd*) override { return m_data.macroName == L"ok" ? IDOK : IDCANCEL; }
    bool createModeless(CWnd*) override {
        ++m_log.created;
        m_log.lastData = m_data;
        return true;
    }
    bool destroyWindow() override {
        ++m_log.destroyed;
        return !m_log.destroyFails;
    }

private:
    EditorLog& m_log;
    EditConstrData m_data;
};

}  // namespace

TEST_F(MacroDlgTest, OneModelessEditorAtATime) {
    EditorLog log;
    setMacroEditorFactory([&log] { return std::make_unique<FakeEditor>(log); });
    EditConstrData first;
    first.macroName = L"First";
    EXPECT_TRUE(StartDlgEditConstraints(first));
    EditConstrData second;
    second.macroName = L"Second";
    EXPECT_TRUE(StartDlgEditConstraints(second));
    EXPECT_EQ(log.created, 1);
    EXPECT_EQ(registry().editor()->data().macroName, L"First") << "the open editor keeps its data";
    EXPECT_TRUE(registry().editor()->data().modeless);

    host::CommandLineCapture commandLine;
    log.destroyFails = true;
    EndDlgEditConstraints();
    EXPECT_EQ(registry().editor(), nullptr) << "deleted although its window could not be destroyed";
    EXPECT_EQ(commandLine.text(), L"Erase window failed\n");
    EXPECT_EQ(host::events().back().kind, host::EventKind::PostCommandPrompt);
    EndDlgEditConstraints();  // none open: nothing happens
    EXPECT_EQ(log.destroyed, 1);

    EditConstrData modal;
    modal.macroName = L"ok";
    EXPECT_TRUE(StartDlgEditConstrModal(modal));
    modal.macroName = L"cancel";
    EXPECT_FALSE(StartDlgEditConstrModal(modal));
    setMacroEditorFactory({});
}

// --- the profile-advanced dialog

TEST_F(MacroDlgTest, TheProfileDialogOpensOnlyOnProfilesAndHandsTheOptionBack) {
    int runs = 0;
    setProfAdvDialogRunner([&runs](ProfAdvRequest& request) {
        ++runs;
        EXPECT_TRUE(request.mode);
        EXPECT_EQ(request.data->objectIds.length(), 2);
        request.option = !request.option;
    });
    bool option = true;
    StartDlgMacroProfAdv(nullptr, option, nullptr);
    AcArray<AcDbObjectId> none;
    StartDlgMacroProfAdv(&none, option, nullptr);
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(option) << "nothing opened: the option stays";
    AcArray<AcDbObjectId> two;
    two.append(AcDbObjectId(4));
    two.append(AcDbObjectId(5));
    StartDlgMacroProfAdv(&two, option, nullptr);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(option);
    setProfAdvDialogRunner({});
}

TEST_F(MacroDlgTest, TheStandAloneProfileDialogWorksOnACopyAndUpdatesTheDrawing) {
    MacroData data = open();
    data.eraseAfter = true;
    setProfAdvDialogRunner([](ProfAdvRequest& request) {
        MacroProfData prof;
        EXPECT_TRUE(request.callback(MACallBackGet, *request.data, prof));
        EXPECT_EQ(prof.section, L"PL-10x95");
        prof.section = L"PL-12x100";
        EXPECT_TRUE(request.callback(MACallBackSet, *request.data, prof));
        EXPECT_EQ(prof.section, L"PL-12x100") << "read back after the update";
        EXPECT_TRUE(request.callback(MACallBackHideOwner, *request.data, prof));
        VlMACallBackData copy(*request.data);
        EXPECT_EQ(copy.macroCopy(), nullptr) << "a copy never shares the macro copy";
        EXPECT_FALSE(request.callback(MACallBackGet, copy, prof))
            << "no macro copy: the owner is out of reach";
    });
    StartDlgMacroProfAdv(data, L"Stiffeners", L"Stiffeners", false);
    setProfAdvDialogRunner({});
    EXPECT_NE(onDisk().find("\"section\": \"PL-12x100\""), std::string::npos);
    const MacroTabData* stiffeners = nullptr;
    data.findTab(L"Stiffeners", stiffeners);
    EXPECT_EQ(stiffeners->profGroups()[0].section, L"PL-10x95") << "the caller's macro is not the copy";
    EXPECT_TRUE(logHas(L"EraseObject 1\n")) << "one object marked erase-after is erased";
    EXPECT_TRUE(MacroDrawing::active().objectIds().isEmpty());
}

TEST(VlMACallBackData, TheMacroCopyIsTakenOnceAndOwned) {
    MacroData macro;
    macro.title = L"first";
    VlMACallBackData data;
    data.initDataClass(macro);
    macro.title = L"second";
    data.initDataClass(macro);
    ASSERT_NE(data.macroCopy(), nullptr);
    EXPECT_EQ(data.macroCopy()->title, L"first") << "a second call does not refresh the copy";
    VlMACallBackData other;
    other.initDataClass(macro);
    other = data;
    EXPECT_NE(other.macroCopy(), data.macroCopy());
    EXPECT_EQ(other.macroCopy()->title, L"second") << "assignment keeps the target's own copy";
}

// --- the other sub-dialogs

TEST_F(MacroDlgTest, TheSelectionShowsEveryNameOfTheFirstFormAndAnswersOnlyOnOk) {
    INT_PTR answer = IDCANCEL;
    AcArray<bool> seen;
    HINSTANCE during = nullptr;
    setSelectMacroRunner([&](SelectMacroRequest& request) {
        seen = request.filter.visible();
        during = AfxGetResourceHandle();
        EXPECT_EQ(request.filter.first(), 3);
        EXPECT_TRUE(request.showNote);
        request.chosen = L"Macros/FinPlate.dwg";
        request.option = false;
        return answer;
    });
    const HINSTANCE before = AfxGetResourceHandle();
    Mx_StringArray names;
    names.append(L"EndPlate");
    names.append(L"FinPlate");
    Mx_String chosen = L"untouched";
    bool option = true;
    EXPECT_FALSE(StartDlgSelectMacro(L"Pick", names, 3, 4, chosen, option, true));
    EXPECT_EQ(chosen, L"untouched");
    EXPECT_TRUE(option);
    ASSERT_EQ(seen.length(), 2);
    EXPECT_TRUE(seen[0] && seen[1]);
    EXPECT_EQ(during, ModuleResources::handle()) << "the module's resources while the dialog runs";
    EXPECT_EQ(AfxGetResourceHandle(), before);

    EXPECT_FALSE(StartDlgSelectMacro(L"Pick", Mx_StringArray(), 3, 4, chosen, option, true));
    EXPECT_TRUE(seen.isEmpty()) << "no names: an empty visibility array";

    answer = IDOK;
    EXPECT_TRUE(StartDlgSelectMacro(L"Pick", names, 3, 4, chosen, option, true));
    EXPECT_EQ(chosen, L"Macros/FinPlate.dwg");
    EXPECT_FALSE(option);
    setSelectMacroRunner({});
}

TEST_F(MacroDlgTest, CutsArraysAndTheCutPreviewComeBackOnlyAsTheirDialogsSay) {
    INT_PTR answer = IDCANCEL;
    setMacroCutsRunner([&](MacroCutsRequest& request) {
        request.data.flag = true;
        request.data.cutName = L"Changed";
        return answer;
    });
    DlgMacroCutsData cut;
    cut.cutName = L"Notch";
    bool flag = false;
    EXPECT_FALSE(StartDlgMacroCuts(cut, flag));
    EXPECT_TRUE(flag) << "the flag comes back however the dialog closed";
    EXPECT_EQ(cut.cutName, L"Notch");
    answer = IDOK;
    EXPECT_TRUE(StartDlgMacroCuts(cut, flag));
    EXPECT_EQ(cut.cutName, L"Changed");

    setProfCutsRunner([&](ProfCutsRequest& request) {
        request.preview = !request.preview;
        return answer;
    });
    DlgProfCutsData profile;
    EXPECT_TRUE(registry().cutPreview);
    EXPECT_TRUE(StartEditProfCutsDlg(profile));
    EXPECT_FALSE(registry().cutPreview) << "taken back on OK";
    answer = IDCANCEL;
    EXPECT_FALSE(StartEditProfCutsDlg(profile));
    EXPECT_FALSE(registry().cutPreview) << "kept on Cancel";
    registry().cutPreview = true;

    setArrayRunner([&](ArrayRequest& request) {
        EXPECT_EQ(request.moduleName, L"Stiffeners");
        EXPECT_EQ(request.ids.length(), 1);
        request.data.arrayType = 3;
        return answer;
    });
    DynArrayData array;
    AcArray<AcDbObjectId> ids;
    ids.append(AcDbObjectId(1));
    EXPECT_FALSE(StartArrayDlg(array, ids, L"Stiffeners"));
    EXPECT_EQ(array.arrayType, 0);
    answer = IDOK;
    EXPECT_TRUE(StartArrayDlg(array, ids, L"Stiffeners"));
    EXPECT_EQ(array.arrayType, 3);
    setMacroCutsRunner({});
    setProfCutsRunner({});
    setArrayRunner({});
    EXPECT_FALSE(StartArrayDlg(array, ids, L"Stiffeners")) << "no dialog installed: nothing opens";
}

// The sample dialog (res/dialogs/platform_samples.rc, template 9001) driven end to end through the
// automation API: modal and modeless, a nested prompt, message boxes, timers and the tree dump.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/arx/CommandLine.h"
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mfc/CButton.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CFileDialog.h"
#include "platform/mfc/CListBox.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/Clock.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Win32Api.h"

namespace {

constexpr int IDC_NAME = 1001, IDC_ENABLED = 1002, IDC_PARTIAL = 1003, IDC_LEFT = 1005, IDC_RIGHT = 1006,
              IDC_KIND = 1007, IDC_UNIT = 1008, IDC_LIST = 1009, IDC_NOTES = 1010, IDC_PICTURE = 1011,
              IDC_ASK = 1012, IDC_HIDDEN = 1013, IDC_PROMPT = 1101;

class PromptDialog : public CDialog {
public:
    explicit PromptDialog(CWnd* parent) : CDialog(9002, parent) {}
    CString value;

protected:
    void OnOK() override {
        GetDlgItemText(IDC_PROMPT, value);
        CDialog::OnOK();
    }
};

class SampleDialog : public CAcUiDialog {
public:
    explicit SampleDialog(CWnd* parent = nullptr) : CAcUiDialog(9001, parent) {}

    std::vector<std::wstring> log;
    CString name, unit, notes;
    int kind = -1, enabled = -1, partial = -1, side = 0;
    int ticks = 0;

    BOOL OnInitDialog() override {
        CAcUiDialog::OnInitDialog();
        auto* kinds = static_cast<CComboBox*>(GetDlgItem(IDC_KIND));
        for (const wchar_t* k : {L"Plate", L"Bolt", L"Cut"}) kinds->AddString(k);
        kinds->SetCurSel(0);
        auto* units = static_cast<CComboBox*>(GetDlgItem(IDC_UNIT));
        units->AddString(L"mm");
        units->AddString(L"in");
        auto* list = static_cast<CListBox*>(GetDlgItem(IDC_LIST));
        list->AddString(L"first");
        list->AddString(L"second");
        SetDlgItemText(IDC_NAME, L"initial");
        CheckRadioButton(IDC_LEFT, IDC_RIGHT, IDC_LEFT);
        static_cast<CStatic*>(GetDlgItem(IDC_PICTURE))->SetBitmap(reinterpret_cast<HBITMAP>(0x1234));
        SetTimer(7, 100);
        log.clear();  // what the initialisation itself caused is not of interest
        return TRUE;
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        log.push_back(std::to_wstring(LOWORD(wParam)) + L":" + std::to_wstring(HIWORD(wParam)));
        if (LOWORD(wParam) == IDC_ASK && HIWORD(wParam) == BN_CLICKED) {
            PromptDialog prompt(this);
            if (prompt.DoModal() == IDOK) SetDlgItemText(IDC_NAME, prompt.value);
            return TRUE;
        }
        return CAcUiDialog::OnCommand(wParam, lParam);
    }

    void OnOK() override {
        GetDlgItemText(IDC_NAME, name);
        if (name.IsEmpty() && AfxMessageBox(L"The name is missing. Close anyway?", MB_ICONEXCLAMATION | MB_YESNO) != IDYES) return;
        kind = static_cast<CComboBox*>(GetDlgItem(IDC_KIND))->GetCurSel();
        GetDlgItemText(IDC_UNIT, unit);
        GetDlgItemText(IDC_NOTES, notes);
        enabled = static_cast<int>(IsDlgButtonChecked(IDC_ENABLED));
        partial = static_cast<int>(IsDlgButtonChecked(IDC_PARTIAL));
        side = GetCheckedRadioButton(IDC_LEFT, IDC_RIGHT);
        KillTimer(7);
        CAcUiDialog::OnOK();
    }

    void OnTimer(UINT_PTR id) override {
        if (id == 7) ++ticks;
    }
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::resetMessageQueue();
        AfxSetResourceHandle(ui::platformResources());
    }
    void TearDown() override { AfxSetResourceHandle(nullptr); }
    ui::FrozenClock clock;
};

TEST_F(DialogTest, ModalRunEveryControlKindThroughTheAutomation) {
    ui::ScriptedDriver driver;
    SampleDialog dialog;
    driver.onModal([&](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Sample");
        EXPECT_EQ(dlg.text(IDC_NAME), L"initial");
        EXPECT_TRUE(dlg.focused(IDC_NAME)) << "OnInitDialog returned TRUE: the first tab stop has the focus";
        EXPECT_EQ(dlg.items(IDC_KIND), (std::vector<std::wstring>{L"Plate", L"Bolt", L"Cut"}));
        EXPECT_FALSE(dlg.visible(IDC_HIDDEN));
        dlg.type(IDC_NAME, L"Base plate");
        dlg.click(IDC_ENABLED);
        dlg.click(IDC_PARTIAL);
        dlg.click(IDC_PARTIAL);
        dlg.click(IDC_RIGHT);
        dlg.select(IDC_KIND, L"Cut");
        dlg.type(IDC_UNIT, L"ft");
        dlg.type(IDC_NOTES, L"two\nlines");
        dlg.select(IDC_LIST, 1);
        EXPECT_EQ(dlg.checked(IDC_LEFT), BST_UNCHECKED) << "auto radio buttons clear the rest of their group";
        EXPECT_EQ(dlg.selection(IDC_LIST), 1);
        clock.advance(250);
        dlg.click(IDOK);
    });

    EXPECT_EQ(dialog.DoModal(), IDOK);
    ui::expectDriverDone(driver);
    EXPECT_EQ(dialog.name, L"Base plate");
    EXPECT_EQ(dialog.enabled, BST_CHECKED);
    EXPECT_EQ(dialog.partial, BST_INDETERMINATE);
    EXPECT_EQ(dialog.side, IDC_RIGHT);
    EXPECT_EQ(dialog.kind, 2);
    EXPECT_EQ(dialog.unit, L"ft");
    EXPECT_EQ(dialog.notes, L"two\r\nlines") << "Return in a multi-line ES_WANTRETURN edit is a new line";
    EXPECT_EQ(dialog.ticks, 1) << "a timer that came due twice in one advance fires once";
    EXPECT_FALSE(IsWindow(dialog.m_hWnd));
    EXPECT_TRUE(driver.messageBoxes().empty());

    // The notifications the dialog saw, in order, for the controls the user touched.
    auto saw = [&](int id, WORD code) {
        return std::find(dialog.log.begin(), dialog.log.end(), std::to_wstring(id) + L":" + std::to_wstring(code)) != dialog.log.end();
    };
    EXPECT_TRUE(saw(IDC_NAME, EN_CHANGE));
    EXPECT_TRUE(saw(IDC_NAME, EN_KILLFOCUS));
    EXPECT_TRUE(saw(IDC_ENABLED, BN_CLICKED));
    EXPECT_TRUE(saw(IDC_KIND, CBN_SELCHANGE));
    EXPECT_TRUE(saw(IDC_UNIT, CBN_EDITCHANGE));
    EXPECT_TRUE(saw(IDC_LIST, LBN_SELCHANGE));
}

TEST_F(DialogTest, NestedPromptTakesTheNextStepsAndMessageBoxesAreAnswered) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.type(IDC_NAME, L"");
        dlg.click(IDC_ASK);  // opens the prompt, which runs the next step
        EXPECT_EQ(dlg.text(IDC_NAME), L"from prompt");
        dlg.type(IDC_NAME, L"");
        dlg.click(IDOK);  // empty name: the message box says no, the dialog stays
        EXPECT_TRUE(IsWindowVisible(dlg.root()));
        dlg.press(VK_RETURN);  // Return = the default button; the second answer is yes
    });
    driver.onModal([](ui::Automation& prompt) {
        EXPECT_EQ(prompt.text(0), L"Prompt");
        EXPECT_FALSE(IsWindowEnabled(GetParent(prompt.root()))) << "a modal prompt disables its owner";
        prompt.type(IDC_PROMPT, L"from prompt");
        prompt.press(VK_RETURN);
    });
    driver.answerMessageBox(IDNO).answerMessageBox(IDYES);

    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ui::expectDriverDone(driver);
    EXPECT_EQ(driver.modalDialogs(), (std::vector<std::wstring>{L"Sample", L"Prompt"}));
    ASSERT_EQ(driver.messageBoxes().size(), 2u);
    EXPECT_EQ(driver.messageBoxes()[0].text, L"The name is missing. Close anyway?");
    EXPECT_EQ(driver.messageBoxes()[0].caption, L"connsheet");
    EXPECT_EQ(driver.messageBoxes()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(driver.messageBoxes()[1].answer, IDYES);
}

TEST_F(DialogTest, KeysEscapeCloseBoxAndDisabledButtons) {
    struct Case {
        const char* name;
        std::function<void(ui::Automation&)> act;
        INT_PTR result;
    };
    const Case cases[] = {
        {"Escape cancels", [](ui::Automation& d) { d.press(VK_ESCAPE); }, IDCANCEL},
        {"close box cancels", [](ui::Automation& d) { d.close(); }, IDCANCEL},
        {"Return on a focused push button presses it",
         [](ui::Automation& d) {
             d.setFocus(IDCANCEL);
             d.press(VK_RETURN);
         },
         IDCANCEL},
        {"Return with OK disabled does nothing, then Escape",
         [](ui::Automation& d) {
             EnableWindow(GetDlgItem(d.root(), IDOK), FALSE);
             d.press(VK_RETURN);
             EXPECT_TRUE(IsWindowVisible(d.root()));
             d.press(VK_ESCAPE);
         },
         IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui::ScriptedDriver driver;
        driver.onModal(c.act);
        SampleDialog dialog;
        EXPECT_EQ(dialog.DoModal(), c.result);
        ui::expectDriverDone(driver);
    }
}

TEST_F(DialogTest, TabMovesAmongVisibleEnabledTabStopsAndSelectsEditText) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& d) {
        EXPECT_EQ(d.focusedId(), IDC_NAME);
        d.press(VK_TAB);
        EXPECT_EQ(d.focusedId(), IDC_ENABLED);
        EnableWindow(GetDlgItem(d.root(), IDC_PARTIAL), FALSE);
        d.press(VK_TAB);
        EXPECT_EQ(d.focusedId(), IDC_LEFT) << "disabled controls are skipped";
        d.press(VK_TAB, ui::Keys::Shift);
        d.press(VK_TAB, ui::Keys::Shift);
        EXPECT_EQ(d.focusedId(), IDC_NAME);
        d.typeHere(L"X");
        EXPECT_EQ(d.text(IDC_NAME), L"X") << "tabbing into an edit selects its text";
        d.press(VK_TAB, ui::Keys::Shift);
        EXPECT_EQ(d.focusedId(), IDCANCEL) << "Shift+Tab wraps round";
        d.press(VK_ESCAPE);
    });
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ui::expectDriverDone(driver);
}

TEST_F(DialogTest, ActingOnHiddenOrDisabledControlsIsReportedNotDone) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& d) {
        d.click(IDC_HIDDEN);
        EnableWindow(GetDlgItem(d.root(), IDC_ENABLED), FALSE);
        d.click(IDC_ENABLED);
        d.click(4242);
        EXPECT_EQ(d.checked(IDC_ENABLED), BST_UNCHECKED);
        d.press(VK_ESCAPE);
    });
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(driver.problems(), (std::vector<std::wstring>{L"click: control 1013 is hidden", L"click: control 1002 is disabled",
                                                             L"control 4242 not found"}));
}

TEST_F(DialogTest, DialogLeftOpenWhenStepsRunOutIsCancelledAndListed) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& d) { d.type(IDC_NAME, L"abc"); });
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(driver.unfinishedDialogs(), (std::vector<std::wstring>{L"Sample (template 9001)"}));
}

TEST_F(DialogTest, MissingTemplateFailsWithMinusOne) {
    ui::ScriptedDriver driver;
    CDialog missing(4711);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_TRUE(driver.modalDialogs().empty());
    EXPECT_TRUE(IsWindowEnabled(adsw_acadMainWnd()->m_hWnd)) << "the owner is enabled again after a failed start";
}

TEST_F(DialogTest, ModelessDialogOwnedByTheHostWindow) {
    SampleDialog dialog(adsw_acadMainWnd());
    ASSERT_TRUE(dialog.Create(9001, adsw_acadMainWnd()));
    EXPECT_FALSE(dialog.IsWindowVisible()) << "the template has no WS_VISIBLE";
    EXPECT_TRUE(adsw_acadMainWnd()->IsWindowEnabled()) << "modeless dialogs leave the host usable";
    EXPECT_EQ(dialog.GetOwner(), adsw_acadMainWnd());
    dialog.ShowWindow(SW_SHOW);

    ui::Automation dlg(dialog);
    dlg.click(IDC_ENABLED);
    EXPECT_EQ(dlg.checked(IDC_ENABLED), BST_CHECKED);
    clock.advance(100);
    EXPECT_EQ(dialog.ticks, 1);
    dlg.press(VK_ESCAPE);
    EXPECT_FALSE(dialog.IsWindowVisible()) << "EndDialog hides a modeless dialog";
    EXPECT_TRUE(IsWindow(dialog.m_hWnd));
    dialog.DestroyWindow();
    clock.advance(1000);
    EXPECT_EQ(dialog.ticks, 1) << "a destroyed window's timers are gone";
    EXPECT_EQ(ui::activeTimerCount(), 0u);
}

int selfOwnedDeleted = 0;

TEST_F(DialogTest, ModelessDialogMayDeleteItselfFromItsOwnHandler) {
    // The usual modeless pattern: Cancel destroys the window and PostNcDestroy deletes the object,
    // all while the click that started it is still being handled.
    struct SelfOwned : CDialog {
        void OnCancel() override { DestroyWindow(); }
        void PostNcDestroy() override {
            ++selfOwnedDeleted;
            delete this;
        }
    };
    selfOwnedDeleted = 0;
    auto* d = new SelfOwned;
    ASSERT_TRUE(d->Create(9002, adsw_acadMainWnd()));
    d->ShowWindow(SW_SHOW);
    HWND h = d->m_hWnd;
    ui::Automation dlg(h);
    dlg.click(IDCANCEL);
    EXPECT_EQ(selfOwnedDeleted, 1);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(DialogTest, EditorCommandHidesTheDialogAndEnablesTheHost) {
    host::clearEvents();
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& d) {
        auto* self = static_cast<CAcUiDialog*>(CWnd::FromHandle(d.root()));
        self->BeginEditorCommand();
        EXPECT_FALSE(IsWindowVisible(d.root()));
        EXPECT_TRUE(adsw_acadMainWnd()->IsWindowEnabled());
        self->CompleteEditorCommand();
        EXPECT_TRUE(IsWindowVisible(d.root()));
        EXPECT_FALSE(adsw_acadMainWnd()->IsWindowEnabled());
        d.press(VK_ESCAPE);
    });
    SampleDialog dialog;
    dialog.DoModal();
    ASSERT_EQ(host::events().size(), 2u);
    EXPECT_EQ(host::events()[0].kind, host::EventKind::BeginEditorCommand);
    EXPECT_EQ(host::events()[1].kind, host::EventKind::CompleteEditorCommand);
    EXPECT_TRUE(adsw_acadMainWnd()->IsWindowEnabled());
}

TEST_F(DialogTest, TreeDumpIsDeterministic) {
    ui::ScriptedDriver driver;
    std::wstring dump;
    driver.onModal([&](ui::Automation& d) {
        d.click(IDC_ENABLED);
        dump = d.dump();
        d.press(VK_ESCAPE);
    });
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_EQ(dump,
              L"#32770 #0 \"Sample\" (792,407 336x289)\n"
              L"  Static #1000 \"&Name:\" (11,15 60x13)\n"
              L"  Edit #1001 \"initial\" (75,11 150x23) sel=0-7\n"
              L"  Button #1002 \"Enabled\" [focus] (11,42 90x16) checked\n"
              L"  Button #1003 \"Partial\" (105,42 90x16) unchecked\n"
              L"  Button #1004 \"Options\" (11,65 180x59)\n"
              L"  Button #1005 \"Left\" (21,85 60x16) checked\n"
              L"  Button #1006 \"Right\" (90,85 60x16) unchecked\n"
              L"  ComboBox #1007 \"Plate\" (11,133 150x98) items=3 sel=0\n"
              L"  ComboBox #1008 \"\" (165,133 150x98) items=2 sel=-1\n"
              L"  ListBox #1009 \"\" (11,163 150x49) items=2 sel=-1\n"
              L"  Edit #1010 \"\" (165,163 150x49)\n"
              L"  Static #1011 \"\" (240,11 24x26) bitmap\n"
              L"  Button #1012 \"Ask...\" (11,228 75x23)\n"
              L"  Button #1 \"OK\" (165,228 75x23)\n"
              L"  Button #2 \"Cancel\" (245,228 75x23)\n"
              L"  Button #1013 \"Hidden\" [hidden] (11,195 60x23)\n");
}

TEST_F(DialogTest, FileDialogsAskTheDriver) {
    ui::ScriptedDriver driver;
    driver.answerFileDialog({true, {L"/data/sheets/base"}});
    driver.answerFileDialog({true, {L"/a/one.vls", L"/b/two.vls"}});
    driver.answerFileDialog({});

    CFileDialog save(FALSE, L"vls", L"base", OFN_OVERWRITEPROMPT, L"Sheets (*.vls)|*.vls||");
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), L"/data/sheets/base.vls") << "the default extension is added";
    EXPECT_EQ(save.GetFileTitle(), L"base");
    EXPECT_EQ(save.GetFolderPath(), L"/data/sheets");

    CFileDialog open(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST);
    ASSERT_EQ(open.DoModal(), IDOK);
    std::vector<std::wstring> chosen;
    for (POSITION p = open.GetStartPosition(); p;) chosen.push_back(open.GetNextPathName(p).str());
    EXPECT_EQ(chosen, (std::vector<std::wstring>{L"/a/one.vls", L"/b/two.vls"}));

    CFileDialog cancelled(TRUE);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetPathName(), L"");
    ASSERT_EQ(driver.fileDialogs().size(), 3u);
    EXPECT_EQ(driver.fileDialogs()[0].kind, ui::FileDialogKind::Save);
    EXPECT_EQ(driver.fileDialogs()[1].kind, ui::FileDialogKind::OpenMultiple);
}

TEST_F(DialogTest, KeysPassPreTranslateMessageWithModifiersAndTheCaptureGetsTheMouse) {
    struct Keyed : CDialog {
        Keyed() : CDialog(9002) {}
        std::vector<std::wstring> seen;
        BOOL PreTranslateMessage(MSG* msg) override {
            if (msg->message == WM_KEYDOWN && msg->wParam == VK_F3) {
                seen.push_back(GetKeyState(VK_CONTROL) < 0 ? L"ctrl+F3" : L"F3");
                return TRUE;
            }
            return CDialog::PreTranslateMessage(msg);
        }
        void OnLButtonDown(UINT flags, CPoint p) override {
            seen.push_back(L"down " + std::to_wstring(p.x) + L"," + std::to_wstring(p.y) + ((flags & MK_SHIFT) ? L" shift" : L""));
            SetCapture();
        }
        void OnMouseMove(UINT, CPoint p) override { seen.push_back(L"move " + std::to_wstring(p.x) + L"," + std::to_wstring(p.y)); }
        void OnLButtonUp(UINT, CPoint) override {
            seen.push_back(L"up");
            ReleaseCapture();
        }
    };
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& d) {
        d.press(VK_F3);
        d.press(VK_F3, ui::Keys::Ctrl);
        EXPECT_GE(GetKeyState(VK_CONTROL), 0) << "modifiers are released after the press";
        d.mouseDown(0, {5, 5}, ui::MouseButton::Left, ui::Keys::Shift);
        d.mouseMove(IDC_PROMPT, {1, 1});  // over the edit, but the dialog holds the capture
        d.mouseUp(0, {5, 5});
        d.press(VK_ESCAPE);
    });
    Keyed dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ui::expectDriverDone(driver);
    EXPECT_EQ(dialog.seen, (std::vector<std::wstring>{L"F3", L"ctrl+F3", L"down 5,5 shift", L"move 13,13", L"up"}))
        << "the edit at (11,11) has a 1 pixel border: its client (1,1) is the dialog's (13,13)";
}

TEST_F(DialogTest, PagesShareTheKeyboardInterfaceOfTheirDialog) {
    struct WithPage : CDialog {
        WithPage() : CDialog(9002) {}
        CDialog page;
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            EXPECT_TRUE(page.Create(9003, this));
            page.ShowWindow(SW_SHOW);
            return TRUE;
        }
    };
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& d) {
        std::vector<int> order{d.focusedId()};
        for (int i = 0; i < 5; ++i) {
            d.press(VK_TAB);
            order.push_back(d.focusedId());
        }
        EXPECT_EQ(order, (std::vector<int>{IDC_PROMPT, IDOK, IDCANCEL, 1201, 1202, IDC_PROMPT}));
        d.type(1201, L"in page");
        d.press(VK_RETURN);  // handled for the dialog the page sits in
    });
    WithPage dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ui::expectDriverDone(driver);
    EXPECT_EQ(dialog.page.m_hWnd, nullptr) << "the page went with its dialog";
}

TEST(DefaultDriver, CancelsDialogsAndTakesDefaultMessageBoxAnswers) {
    AfxSetResourceHandle(ui::platformResources());
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_THAT(ui::defaultDriverCancelledDialogs(), ::testing::Contains(L"Sample (template 9001)"));
    testing::internal::CaptureStderr();
    int answer = MessageBox(nullptr, L"Sheet not found", L"Standards", MB_YESNO | MB_DEFBUTTON2 | MB_ICONEXCLAMATION);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "warning: Standards: Sheet not found\n");
    AfxSetResourceHandle(nullptr);
}

}  // namespace

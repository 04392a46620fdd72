// The Win32 and MFC calls around the window model that dialogs lean on, and the driver answers.
#include <gtest/gtest.h>

#include "platform/mfc/CButton.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/Clock.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Win32Api.h"

namespace {

class Win32ApiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::resetMessageQueue();
        ASSERT_TRUE(top.CreateEx(0, L"Window", L"Top", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    }
    CWnd top;
};

TEST_F(Win32ApiTest, DlgItemIntRejectsWhatIsNotAWholeNumberInRange) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE, CRect(0, 0, 9, 9), &top, 5));
    struct Case {
        const wchar_t* text;
        BOOL isSigned;
        BOOL translated;
        UINT value;
    };
    const Case cases[] = {
        {L"42", TRUE, TRUE, 42},
        {L" -7 ", TRUE, TRUE, static_cast<UINT>(-7)},
        {L"-7", FALSE, FALSE, 0},
        {L"12abc", TRUE, FALSE, 0},
        {L"", TRUE, FALSE, 0},
        {L"4294967295", FALSE, TRUE, 4294967295u},
        {L"4294967296", FALSE, FALSE, 0},
        {L"2147483648", TRUE, FALSE, 0},
        {L"99999999999999999999999", TRUE, FALSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text, c.text + wcslen(c.text)));
        top.SetDlgItemText(5, c.text);
        BOOL translated = -1;
        EXPECT_EQ(top.GetDlgItemInt(5, &translated, c.isSigned), c.value);
        EXPECT_EQ(translated, c.translated);
    }
    top.SetDlgItemInt(5, static_cast<UINT>(-12));
    EXPECT_EQ(top.GetDlgItemInt(5), static_cast<UINT>(-12));
}

TEST_F(Win32ApiTest, ZOrderIsTabOrderAndRelationsFollowIt) {
    CButton a, b, c;
    ASSERT_TRUE(a.Create(L"a", WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 9, 9), &top, 1));
    ASSERT_TRUE(b.Create(L"b", WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 9, 9), &top, 2));
    ASSERT_TRUE(c.Create(L"c", WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 9, 9), &top, 3));
    c.SetWindowPos(&a, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // c right after a
    EXPECT_EQ(top.GetWindow(GW_CHILD), &a);
    EXPECT_EQ(a.GetWindow(GW_HWNDNEXT), &c);
    EXPECT_EQ(c.GetWindow(GW_HWNDNEXT), &b);
    EXPECT_EQ(b.GetWindow(GW_HWNDNEXT), nullptr);
    EXPECT_EQ(top.GetNextDlgTabItem(&c), &b);
    EXPECT_EQ(top.GetNextDlgTabItem(&a, TRUE), &b) << "backwards wraps round";
    b.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // HWND_TOP
    EXPECT_EQ(top.GetWindow(GW_CHILD), &b);
    EXPECT_TRUE(IsChild(top.m_hWnd, c.m_hWnd));
    EXPECT_FALSE(IsChild(c.m_hWnd, top.m_hWnd));
    EXPECT_EQ(GetParent(c.m_hWnd), top.m_hWnd);
}

TEST_F(Win32ApiTest, WindowLongsAndStyles) {
    CButton b;
    ASSERT_TRUE(b.Create(L"b", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 0, 9, 9), &top, 8));
    EXPECT_EQ(GetWindowLongPtr(b.m_hWnd, GWL_ID), 8);
    SetWindowLongPtr(b.m_hWnd, GWLP_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtr(b.m_hWnd, GWLP_USERDATA), 1234);
    EXPECT_TRUE(b.ModifyStyle(BS_AUTOCHECKBOX, BS_AUTO3STATE));
    EXPECT_FALSE(b.ModifyStyle(0, BS_AUTO3STATE)) << "no change";
    b.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(b.GetCheck(), BST_INDETERMINATE);
    b.ModifyStyle(BS_TYPEMASK, BS_AUTOCHECKBOX);
    b.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(b.GetCheck(), BST_CHECKED) << "only 3-state boxes keep the third state";
    EXPECT_EQ(GetWindowLongPtr(nullptr, GWL_STYLE), 0);
}

TEST_F(Win32ApiTest, ShowHideAndEnableReportThePreviousState) {
    CButton b;
    ASSERT_TRUE(b.Create(L"b", 0, CRect(0, 0, 9, 9), &top, 8));
    EXPECT_FALSE(b.ShowWindow(SW_SHOW));
    EXPECT_TRUE(b.ShowWindow(SW_HIDE));
    EXPECT_FALSE(b.EnableWindow(FALSE)) << "returns whether it was disabled before";
    EXPECT_TRUE(b.EnableWindow(TRUE));
    b.ShowWindow(SW_SHOW);
    top.ShowWindow(SW_HIDE);
    EXPECT_FALSE(b.IsWindowVisible()) << "a child of a hidden window is not visible";
    b.Click();
    EXPECT_EQ(b.GetCheck(), BST_UNCHECKED);
}

int procTicks = 0;
void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) { ++procTicks; }

TEST_F(Win32ApiTest, WindowTimerWithAProcCallsTheProcNotTheWindow) {
    ui::FrozenClock clock;
    struct Counting : CWnd {
        int onTimer = 0;
        void OnTimer(UINT_PTR) override { ++onTimer; }
    } w;
    ASSERT_TRUE(w.CreateEx(0, L"Window", L"", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
    procTicks = 0;
    w.SetTimer(3, 0, countTick);  // 0 ms means the 10 ms minimum
    clock.advance(9);
    EXPECT_EQ(procTicks, 0);
    clock.advance(1);
    EXPECT_EQ(procTicks, 1);
    EXPECT_EQ(w.onTimer, 0);
    EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(0x7), 1, 10, nullptr), 0u) << "no timer for a window that does not exist";
}

TEST(MessageBoxes, DefaultAnswerIsTheDefaultButton) {
    struct Case {
        UINT type;
        int answer;
    };
    const Case cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNOCANCEL | MB_DEFBUTTON3 | MB_ICONQUESTION, IDCANCEL},
        {MB_YESNO | MB_ICONEXCLAMATION, IDYES},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_RETRYCANCEL | MB_DEFBUTTON3, IDRETRY},  // no third button: the first answers
        {0xE, IDOK},                                 // unknown button set
    };
    for (const Case& c : cases) EXPECT_EQ(ui::defaultMessageBoxAnswer(c.type), c.answer) << c.type;
}

TEST(MessageBoxes, AfxMessageBoxByStringIdUsesTheResourceText) {
    AfxSetResourceHandle(ui::platformResources());
    ui::ScriptedDriver driver;
    EXPECT_EQ(AfxMessageBox(9060, MB_OK | MB_ICONINFORMATION), IDOK);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.messageBoxes()[0].text, L"Sample message");
    AfxSetResourceHandle(nullptr);
}

TEST(PopupMenus, OnlyEnabledCommandItemsCanBeChosen) {
    ui::ScriptedDriver driver;
    ui::PopupMenuRequest menu;
    menu.items = {{10, L"Copy"}, {0, L"", true}, {11, L"Paste", false, false, true}, {0, L"More", false, false, false, {{12, L"Deep"}}}};
    driver.answerPopupMenu(12).answerPopupMenu(11).answerPopupMenu(0);
    EXPECT_EQ(ui::activeDriver().popupMenu(menu), 12u) << "sub-menu items can be chosen";
    EXPECT_EQ(ui::activeDriver().popupMenu(menu), 0u) << "a greyed item cannot";
    EXPECT_EQ(ui::activeDriver().popupMenu(menu), 0u);
    EXPECT_EQ(driver.popupMenus().size(), 3u);
    EXPECT_EQ(driver.problems(), std::vector<std::wstring>{L"popup menu has no enabled item 11"});
}

TEST(Drivers, InnermostScriptedDriverAnswersAndTheStackUnwinds) {
    ui::ScriptedDriver outer;
    outer.answerMessageBox(IDNO);
    {
        ui::ScriptedDriver inner;
        inner.answerMessageBox(IDRETRY);
        EXPECT_EQ(MessageBox(nullptr, L"t", nullptr, MB_RETRYCANCEL), IDRETRY);
        EXPECT_EQ(inner.messageBoxes()[0].caption, L"Error") << "Win32's caption when none is given";
    }
    EXPECT_EQ(MessageBox(nullptr, L"t", L"c", MB_YESNO), IDNO);
    EXPECT_EQ(outer.messageBoxes().size(), 1u);
}

TEST(Drivers, DialogDestroyedByItsOwnHandlerEndsTheModalLoop) {
    AfxSetResourceHandle(ui::platformResources());
    struct SelfDestroying : CDialog {
        SelfDestroying() : CDialog(9002) {}
        void OnOK() override { DestroyWindow(); }
    };
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& d) {
        d.click(IDOK);
        d.click(IDOK);  // the dialog is gone: reported, not a crash
    });
    driver.onModal([](ui::Automation&) {});
    SelfDestroying dialog;
    EXPECT_EQ(dialog.DoModal(), -1) << "no EndDialog: the result is -1, as MFC gives";
    EXPECT_TRUE(driver.unfinishedDialogs().empty());
    EXPECT_EQ(driver.remainingSteps(), 1u) << "the loop stopped when the window went";
    EXPECT_TRUE(IsWindowEnabled(adsw_acadMainWnd()->m_hWnd));
    AfxSetResourceHandle(nullptr);
}

}  // namespace

// The window model: lifetime, messages, subclassing, geometry, focus and timers.
#include <gtest/gtest.h>

#include "platform/mfc/Automation.h"
#include "platform/mfc/CButton.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/Clock.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/Window.h"
#include "platform/mfc/WindowClass.h"

namespace {

// Records what reaches it, in order.
class Recorder : public CWnd {
public:
    explicit Recorder(std::vector<std::string>* log, std::string name) : m_log(log), m_name(std::move(name)) {}
    bool deleteOnDestroy = false;
    int sizes = 0;
    CSize lastSize;
    CSize minimum{0, 0};

protected:
    void OnDestroy() override { m_log->push_back(m_name + " destroy"); }
    void OnNcDestroy() override { m_log->push_back(m_name + " ncdestroy"); }
    void PostNcDestroy() override {
        m_log->push_back(m_name + " gone");
        if (deleteOnDestroy) delete this;
    }
    void OnSize(UINT, int cx, int cy) override {
        ++sizes;
        lastSize = CSize(cx, cy);
    }
    void OnGetMinMaxInfo(MINMAXINFO* info) override {
        if (minimum.cx) info->ptMinTrackSize = {minimum.cx, minimum.cy};
    }
    void OnTimer(UINT_PTR id) override { m_log->push_back(m_name + " timer " + std::to_string(id)); }
    void OnSetFocus(CWnd*) override { m_log->push_back(m_name + " setfocus"); }
    void OnKillFocus(CWnd*) override { m_log->push_back(m_name + " killfocus"); }

private:
    std::vector<std::string>* m_log;
    std::string m_name;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { ui::resetMessageQueue(); }
    ui::FrozenClock clock;
    std::vector<std::string> log;
};

TEST_F(WindowTest, DestroyRunsParentFirstThenChildrenAndLeavesNoValidHandle) {
    Recorder top(&log, "top");
    ASSERT_TRUE(top.CreateEx(0, L"Window", L"Top", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
    auto* child = new Recorder(&log, "child");
    child->deleteOnDestroy = true;  // the modeless pattern: the object deletes itself after the window
    ASSERT_TRUE(child->Create(L"Window", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &top, 5));
    Recorder owned(&log, "owned");
    ASSERT_TRUE(owned.CreateEx(0, L"Window", L"", WS_POPUP, CRect(0, 0, 10, 10), &top, 0));
    HWND topHandle = top.m_hWnd, childHandle = child->m_hWnd;

    EXPECT_TRUE(top.DestroyWindow());
    EXPECT_EQ(log, (std::vector<std::string>{"owned destroy", "owned ncdestroy", "owned gone", "top destroy", "child destroy",
                                             "child ncdestroy", "top ncdestroy", "child gone", "top gone"}));
    EXPECT_FALSE(IsWindow(topHandle));
    EXPECT_FALSE(IsWindow(childHandle));
    EXPECT_EQ(top.m_hWnd, nullptr);
    EXPECT_FALSE(top.DestroyWindow()) << "destroying twice is refused, not a crash";

    Recorder again(&log, "again");
    ASSERT_TRUE(again.CreateEx(0, L"Window", L"", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
    EXPECT_NE(again.m_hWnd, topHandle) << "handles are never reused";
}

// A window that destroys one of its children from its own WM_DESTROY (a designer clearing its
// controls): the child is gone once, and the parent's walk over its children never reaches it again.
TEST_F(WindowTest, AChildDestroyedFromItsParentsDestroyIsDestroyedOnce) {
    struct Clearing : Recorder {
        using Recorder::Recorder;
        CWnd* doomed = nullptr;
        void OnDestroy() override {
            Recorder::OnDestroy();
            doomed->DestroyWindow();
        }
    };
    Clearing top(&log, "top");
    ASSERT_TRUE(top.CreateEx(0, L"Window", L"Top", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
    Recorder first(&log, "first"), second(&log, "second");
    ASSERT_TRUE(first.Create(L"Window", L"", WS_CHILD, CRect(0, 0, 10, 10), &top, 5));
    ASSERT_TRUE(second.Create(L"Window", L"", WS_CHILD, CRect(0, 0, 10, 10), &top, 6));
    top.doomed = &first;

    EXPECT_TRUE(top.DestroyWindow());
    EXPECT_EQ(log, (std::vector<std::string>{"top destroy", "first destroy", "first ncdestroy", "first gone",
                                             "second destroy", "second ncdestroy", "top ncdestroy", "second gone",
                                             "top gone"}));
}

TEST_F(WindowTest, CreationFailsForUnknownClassesAndOrphanChildren) {
    CWnd w;
    EXPECT_FALSE(w.CreateEx(0, L"NoSuchClass", L"", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
    EXPECT_FALSE(w.CreateEx(0, L"Window", L"", WS_CHILD, CRect(0, 0, 1, 1), nullptr, 0));
    EXPECT_EQ(w.m_hWnd, nullptr);
    EXPECT_TRUE(w.CreateEx(0, L"window", L"", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0)) << "class names ignore case";
    EXPECT_FALSE(w.CreateEx(0, L"Window", L"", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0)) << "one window per object";
}

TEST_F(WindowTest, SubclassingSeesMessagesFirstAndKeepsTheControlBehaviour) {
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, L"Window", L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    CButton plain;
    ASSERT_TRUE(plain.Create(L"Check", BS_AUTOCHECKBOX | WS_VISIBLE, CRect(0, 0, 50, 20), &dialog, 10));

    // A subclass that forces every check to 3-state indeterminate... only for SetCheck(1).
    struct Sticky : CButton {
        int seen = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == BM_SETCHECK) ++seen;
            return CButton::WindowProc(message, wParam, lParam);
        }
    };
    {
        Sticky sticky;
        ASSERT_TRUE(sticky.SubclassDlgItem(10, &dialog));
        EXPECT_EQ(CWnd::FromHandle(plain.m_hWnd), &sticky);
        plain.SetCheck(BST_CHECKED);  // through the window, so the subclass sees it
        EXPECT_EQ(sticky.seen, 1);
        EXPECT_EQ(sticky.GetCheck(), BST_CHECKED) << "the state stays with the window";
        EXPECT_EQ(sticky.UnsubclassWindow(), plain.m_hWnd);
    }
    EXPECT_EQ(CWnd::FromHandle(plain.m_hWnd), &plain);
    EXPECT_EQ(plain.GetCheck(), BST_CHECKED);
}

TEST_F(WindowTest, GeometryFrameClientAndDialogUnits) {
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, L"Window", L"", WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE, CRect(100, 50, 400, 300), nullptr, 0));
    CWnd child;
    ASSERT_TRUE(child.CreateEx(WS_EX_CLIENTEDGE, L"Window", L"", WS_CHILD | WS_VISIBLE, CRect(10, 20, 60, 40), &top, 3));

    CRect client;
    top.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 294, 221)) << "3 pixel frame and 23 pixel caption";
    CRect childScreen;
    child.GetWindowRect(&childScreen);
    EXPECT_EQ(childScreen, CRect(113, 96, 163, 116));
    top.ScreenToClient(&childScreen);
    EXPECT_EQ(childScreen, CRect(10, 20, 60, 40));
    child.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 46, 16)) << "client edge";
    EXPECT_EQ(top.ChildWindowFromPoint(CPoint(15, 25)), &child);

    struct Case {
        RECT dialogUnits;
        RECT pixels;
    };
    const Case cases[] = {
        {{0, 0, 4, 8}, {0, 0, 6, 13}},
        {{7, 9, 47, 17}, {11, 15, 71, 28}},  // 10.5 rounds up, 14.625 rounds to 15
        {{-4, -8, 0, 0}, {-6, -13, 0, 0}},
    };
    for (const Case& c : cases) {
        CRect r(c.dialogUnits);
        MapDialogRect(top.m_hWnd, &r);
        EXPECT_EQ(r, CRect(c.pixels));
    }
}

TEST_F(WindowTest, UserResizeRespectsTheMinimumTrackingSize) {
    Recorder top(&log, "top");
    ASSERT_TRUE(top.CreateEx(0, L"Window", L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    EXPECT_EQ(top.sizes, 1) << "creation sends the first WM_SIZE";
    top.minimum = CSize(300, 200);
    ui::Automation user(top.m_hWnd);
    user.resize(100, 100);
    EXPECT_EQ(top.lastSize, CSize(300, 200));
    top.MoveWindow(0, 0, 100, 100);
    EXPECT_EQ(top.lastSize, CSize(100, 100)) << "programs may size below the tracking minimum";
    int before = top.sizes;
    top.MoveWindow(5, 5, 100, 100);
    EXPECT_EQ(top.sizes, before) << "a move is not a resize";
}

TEST_F(WindowTest, FocusMovesWithKillThenSetAndNeverToHiddenOrDisabledWindows) {
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, L"Window", L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    Recorder a(&log, "a"), b(&log, "b"), hidden(&log, "hidden");
    ASSERT_TRUE(a.Create(L"Window", L"", WS_VISIBLE, CRect(0, 0, 1, 1), &top, 1));
    ASSERT_TRUE(b.Create(L"Window", L"", WS_VISIBLE, CRect(0, 0, 1, 1), &top, 2));
    ASSERT_TRUE(hidden.Create(L"Window", L"", 0, CRect(0, 0, 1, 1), &top, 3));
    a.SetFocus();
    b.SetFocus();
    hidden.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &b);
    b.EnableWindow(FALSE);
    EXPECT_EQ(CWnd::GetFocus(), nullptr) << "disabling the focused window drops the focus";
    EXPECT_EQ(log, (std::vector<std::string>{"a setfocus", "a killfocus", "b setfocus", "b killfocus"}));
}

TEST_F(WindowTest, PostedMessagesWaitForThePumpAndDieWithTheirWindow) {
    Recorder w(&log, "w");
    ASSERT_TRUE(w.CreateEx(0, L"Window", L"", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
    EXPECT_TRUE(w.PostMessage(WM_TIMER, 99));
    EXPECT_TRUE(log.empty());
    HWND gone = w.m_hWnd;
    w.DestroyWindow();
    log.clear();
    EXPECT_EQ(ui::pumpMessages(), 1u);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(PostMessage(gone, WM_NULL, 0, 0));
}

int threadTicks = 0;
void CALLBACK onThreadTimer(HWND, UINT, UINT_PTR, DWORD) { ++threadTicks; }

TEST_F(WindowTest, TimersRunOnTheVirtualClock) {
    Recorder w(&log, "w");
    ASSERT_TRUE(w.CreateEx(0, L"Window", L"", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
    EXPECT_EQ(w.SetTimer(1, 50), 1u);
    threadTicks = 0;
    UINT_PTR thread = SetTimer(nullptr, 0, 2000, onThreadTimer);
    ASSERT_NE(thread, 0u);
    EXPECT_EQ(SetTimer(nullptr, 0, 10, nullptr), 0u) << "a thread timer needs a proc";

    clock.advance(49);
    EXPECT_TRUE(log.empty());
    clock.advance(1);
    EXPECT_EQ(log, std::vector<std::string>{"w timer 1"});
    clock.advance(50);
    EXPECT_EQ(log.size(), 2u);
    EXPECT_TRUE(w.KillTimer(1));
    EXPECT_FALSE(w.KillTimer(1));
    clock.advance(1900);
    EXPECT_EQ(log.size(), 2u);
    EXPECT_EQ(threadTicks, 1);
    EXPECT_EQ(SetTimer(nullptr, thread, 2000, onThreadTimer), thread) << "an existing thread timer is reset, not duplicated";
    clock.advance(1999);
    EXPECT_EQ(threadTicks, 1);
    clock.advance(1);
    EXPECT_EQ(threadTicks, 2);
    EXPECT_TRUE(KillTimer(nullptr, thread));
    EXPECT_EQ(ui::activeTimerCount(), 0u);
}

TEST_F(WindowTest, TimerKilledWhileItsMessageIsQueuedDoesNotFire) {
    Recorder w(&log, "w");
    ASSERT_TRUE(w.CreateEx(0, L"Window", L"", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
    w.SetTimer(4, 10);
    // Another timer's handler kills timer 4 while its WM_TIMER waits behind it in the queue.
    struct Killer : CWnd {
        CWnd* victim = nullptr;
        void OnTimer(UINT_PTR) override { victim->KillTimer(4); }
    } killer;
    killer.victim = &w;
    ASSERT_TRUE(killer.CreateEx(0, L"Window", L"", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
    ui::killWindowTimers(w.m_hWnd);
    killer.SetTimer(1, 10);
    w.SetTimer(4, 10);
    clock.advance(10);
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowTest, CustomClassesRegisterWithAFactoryAndAddAutomationVerbs) {
    struct Counter : ui::WindowProcedure {
        int count = 0;
        LRESULT handle(ui::Window& w, UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_USER + 1) return ++count;
            return ui::WindowProcedure::handle(w, message, wParam, lParam);
        }
        std::wstring describe(const ui::Window&) const override { return L"count=" + std::to_wstring(count); }
    };
    ui::registerWindowClass({L"TestCounter", [] { return std::make_unique<Counter>(); }, nullptr});
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, L"Window", L"Top", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    CWnd counter;
    ASSERT_TRUE(counter.Create(L"testcounter", L"c", WS_VISIBLE, CRect(1, 2, 11, 12), &top, 77));

    // A verb set in the shape custom controls use: built on the automation and an id.
    struct CounterVerbs {
        ui::Automation& dlg;
        int id;
        LRESULT bump() { return dlg.send(id, WM_USER + 1); }
    };
    ui::Automation dlg(top);
    EXPECT_EQ(dlg.control<CounterVerbs>(77).bump(), 1);
    EXPECT_EQ(dlg.control<CounterVerbs>(77).bump(), 2);
    EXPECT_EQ(dlg.dump(), L"Window #0 \"Top\" (0,0 100x100)\n  TestCounter #77 \"c\" (1,2 10x10) count=2\n");
}

}  // namespace

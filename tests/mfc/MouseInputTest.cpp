// Where mouse input goes: hit-testing of child windows, the capture, drags with and without a tracking
// loop, and the step-file verbs for them.
#include "platform/mfc/MouseInput.h"

#include <gtest/gtest.h>

#include "platform/mfc/Automation.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/RectTracker.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/StepScript.h"
#include "platform/mfc/Win32Api.h"

namespace {

// A dialog that logs the mouse messages reaching it and its canvas child (id 10), which captures the
// mouse on a press as a drawing control does.
class Canvas : public CWnd {
public:
    std::vector<std::string> log;

protected:
    void OnLButtonDown(UINT, CPoint p) override {
        log.push_back("down " + std::to_string(p.x) + "," + std::to_string(p.y));
        SetCapture();
    }
    void OnMouseMove(UINT flags, CPoint p) override {
        log.push_back("move " + std::to_string(p.x) + "," + std::to_string(p.y) + ((flags & MK_LBUTTON) ? " held" : ""));
    }
    void OnLButtonUp(UINT, CPoint p) override {
        log.push_back("up " + std::to_string(p.x) + "," + std::to_string(p.y));
        ReleaseCapture();
    }
};

class Host : public CDialog {
public:
    std::vector<std::string> log;
    CRectTracker tracker{CRect(200, 10, 240, 30), CRectTracker::resizeInside};
    Canvas canvas;

    Host() {
        ui::DialogTemplate t;
        t.caption = L"Mouse";
        t.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
        t.cx = 200;
        t.cy = 100;
        // Pixels: the dialog units are turned into x * 6 / 4, y * 13 / 8.
        t.controls = {
            {L"Edit", 1, L"", WS_DISABLED, 0, 4, 4, 40, 10},          // 6,7 - 66,23: disabled
            {L"Static", 2, L"label", 0, 0, 4, 20, 40, 10},            // 6,33 - 66,49: transparent
            {L"Static", 3, L"link", SS_NOTIFY, 0, 4, 36, 40, 10},     // 6,59 - 66,75: takes clicks
            {L"Button", 4, L"group", BS_GROUPBOX, 0, 60, 4, 60, 60},  // 90,7 - 180,104: transparent
            {L"Button", 5, L"in group", 0, 0, 70, 20, 40, 14},        // 105,33 - 165,56
            {L"Static", 10, L"", SS_NOTIFY, 0, 4, 70, 60, 20},        // 6,114 - 96,146: the canvas
        };
        for (ui::ControlTemplate& control : t.controls)
            control.style |= WS_CHILD | WS_VISIBLE;
        CreateIndirect(t, nullptr);
        canvas.SubclassDlgItem(10, this);
    }
    ~Host() override { DestroyWindow(); }

protected:
    void OnLButtonDown(UINT flags, CPoint p) override {
        log.push_back("dialog down " + std::to_string(p.x) + "," + std::to_string(p.y) +
                      ((flags & MK_SHIFT) ? " shift" : ""));
        if (tracker.HitTest(p) != CRectTracker::hitNothing)
            tracker.Track(this, p);
    }
    void OnLButtonUp(UINT, CPoint p) override {
        log.push_back("dialog up " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
};

int idAt(Host& host, POINT p) {
    const ui::MouseTarget target = ui::mouseTargetAt(host.GetSafeHwnd(), p);
    return target.window == host.GetSafeHwnd() ? 0 : GetDlgCtrlID(target.window);
}

}  // namespace

TEST(MouseInput, DisabledChildrenAndTransparentStaticsPassTheMouseOn) {
    Host host;
    EXPECT_EQ(idAt(host, {10, 10}), 0);    // the disabled edit's parent
    EXPECT_EQ(idAt(host, {10, 40}), 0);    // a plain static is transparent
    EXPECT_EQ(idAt(host, {10, 65}), 3);    // SS_NOTIFY takes it
    EXPECT_EQ(idAt(host, {100, 20}), 0);   // a group box frame is transparent
    EXPECT_EQ(idAt(host, {110, 40}), 5);   // the button inside the group box
    EXPECT_EQ(idAt(host, {400, 400}), 0);  // outside every child
    const ui::MouseTarget target = ui::mouseTargetAt(host.GetSafeHwnd(), {110, 40});
    EXPECT_EQ(target.at.x, 5);
    EXPECT_EQ(target.at.y, 7);
    EXPECT_EQ(ui::mouseTargetAt(nullptr, {0, 0}).window, nullptr);
}

TEST(MouseInput, ClickAtReachesTheWindowTheHitTestFinds) {
    Host host;
    ui::Automation dlg(host);
    dlg.clickAt(0, {10, 10}, ui::Keys::Shift);
    EXPECT_EQ(host.log, (std::vector<std::string>{"dialog down 10,10 shift", "dialog up 10,10"}));
}

TEST(MouseInput, DragsFollowATrackingLoopOrArriveAsMessagesToTheCapture) {
    Host host;
    ui::clearTrackerDrags();
    ui::Automation dlg(host);
    // Pressed on the tracker: its loop follows the drag, nothing else arrives.
    dlg.drag(0, {{210, 20}, {215, 25}, {230, 40}});
    EXPECT_EQ(host.tracker.m_rect, CRect(220, 30, 260, 50));
    EXPECT_EQ(host.log, std::vector<std::string>{"dialog down 210,20"});
    EXPECT_EQ(ui::pendingTrackerDrags(), 0);
    // Pressed on the canvas, which captures: moves and the release reach it even outside it.
    host.log.clear();
    dlg.drag(0, {{16, 124}, {40, 130}, {300, 10}});
    EXPECT_EQ(host.canvas.log, (std::vector<std::string>{"down 10,10", "move 34,16 held", "up 294,-104"}));
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(ui::pendingTrackerDrags(), 0);  // the unused drag was taken back
}

TEST(MouseInput, StepFilesClickAtAndDrag) {
    std::string error;
    const auto script =
        ui::StepScript::parse("click-at 0 10 10 shift\ndrag 0 210 20 215 25 230 40\n", "s", &error);
    ASSERT_TRUE(script) << error;
    ASSERT_EQ(script->steps().size(), 2u);
    EXPECT_EQ(script->steps()[1].numbers.size(), 6u);
    for (const char* bad : {"drag 0 1 2\n", "drag 0 1 2 3\n", "click-at 0 1 2 3 4\n", "click-at 0 1\n",
                            "drag 0 1 2 3 4 sideways\n"}) {
        EXPECT_FALSE(ui::StepScript::parse(bad, "s", &error)) << bad;
        EXPECT_NE(error.find("s:1:"), std::string::npos);
    }
    Host host;
    ui::clearTrackerDrags();
    ui::Automation dlg(host);
    script->run(dlg);
    EXPECT_EQ(host.tracker.m_rect, CRect(220, 30, 260, 50));
    EXPECT_EQ(host.log.front(), "dialog down 10,10 shift");
}

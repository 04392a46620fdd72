#include "platform/mfc/MessageLoop.h"

#include <algorithm>
#include <deque>
#include <set>
#include <vector>

#include "platform/mfc/CWnd.h"
#include "platform/mfc/Clock.h"
#include "platform/mfc/Window.h"

namespace ui {
namespace {

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    TIMERPROC proc = nullptr;
    std::uint64_t due = 0;
};

struct Loop {
    std::deque<MSG> queue;
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimerId = 0x7F01;
    std::set<UINT> keysDown;
    int clockObserver = -1;
};

Loop& loop() {
    static Loop* l = new Loop;  // never destroyed, see the window table
    return *l;
}

constexpr UINT kMinimumElapse = 10;          // USER_TIMER_MINIMUM
constexpr std::size_t kMaxDeliveries = 1000000;  // a handler that re-posts itself forever stops here

bool timerPending(HWND hwnd, UINT_PTR id) {
    for (const MSG& m : loop().queue)
        if (m.message == WM_TIMER && m.hwnd == hwnd && m.wParam == id) return true;
    return false;
}

void fireDueTimers() {
    Loop& l = loop();
    std::uint64_t now = Clock::tickCount();
    for (Timer& t : l.timers) {
        if (t.due > now) continue;
        t.due = now + t.elapse;
        // Like Win32, a timer that came due several times since the last look fires once.
        if (timerPending(t.hwnd, t.id)) continue;
        MSG m;
        m.hwnd = t.hwnd;
        m.message = WM_TIMER;
        m.wParam = t.id;
        m.lParam = reinterpret_cast<LPARAM>(t.proc);
        m.time = static_cast<DWORD>(now);
        l.queue.push_back(m);
    }
}

void deliver(const MSG& m) {
    if (m.message == WM_TIMER && m.lParam) {
        // A timer with a proc calls it instead of the window, as DispatchMessage does. A killed
        // timer's pending message is dropped.
        bool alive = std::any_of(loop().timers.begin(), loop().timers.end(),
                                 [&](const Timer& t) { return t.hwnd == m.hwnd && t.id == m.wParam; });
        if (!alive) return;
        reinterpret_cast<TIMERPROC>(m.lParam)(m.hwnd, WM_TIMER, m.wParam, static_cast<DWORD>(Clock::tickCount()));
        return;
    }
    if (!m.hwnd) return;  // thread messages without a proc (WM_QUIT) have no receiver here
    if (m.message == WM_TIMER) {
        bool alive = std::any_of(loop().timers.begin(), loop().timers.end(),
                                 [&](const Timer& t) { return t.hwnd == m.hwnd && t.id == m.wParam; });
        if (!alive) return;
    }
    sendMessage(m.hwnd, m.message, m.wParam, m.lParam);
}

void watchClock() {
    Loop& l = loop();
    if (l.clockObserver >= 0) return;
    l.clockObserver = Clock::addAdvanceObserver([](std::uint64_t) { pumpMessages(); });
}

}  // namespace

bool postMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !windowFromHandle(hwnd)) return false;
    MSG m;
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = static_cast<DWORD>(Clock::tickCount());
    loop().queue.push_back(m);
    return true;
}

std::size_t pumpMessages() {
    Loop& l = loop();
    std::size_t delivered = 0;
    fireDueTimers();
    while (!l.queue.empty() && delivered < kMaxDeliveries) {
        MSG m = l.queue.front();
        l.queue.pop_front();
        deliver(m);
        ++delivered;
    }
    return delivered;
}

std::size_t pendingMessages() { return loop().queue.size(); }

void resetMessageQueue() {
    loop().queue.clear();
    loop().timers.clear();
    loop().keysDown.clear();
}

void setKeyDown(UINT virtualKey, bool down) {
    if (down) loop().keysDown.insert(virtualKey);
    else loop().keysDown.erase(virtualKey);
}

bool isKeyDown(UINT virtualKey) { return loop().keysDown.count(virtualKey) != 0; }

bool dispatchInput(MSG& msg) {
    Window* target = windowFromHandle(msg.hwnd);
    if (!target) return false;
    // From the target up to its top-level window, as MFC's WalkPreTranslateTree does; a dialog's
    // PreTranslateMessage does the dialog keyboard handling.
    std::vector<HWND> chain;
    for (Window* w = target; w; w = w->isChild() ? w->parent : nullptr) chain.push_back(w->handle);
    for (HWND h : chain) {
        CWnd* wnd = CWnd::FromHandle(h);
        if (wnd && wnd->PreTranslateMessage(&msg)) return true;
    }
    if (windowFromHandle(msg.hwnd)) sendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    return false;
}

UINT_PTR setTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    Loop& l = loop();
    if (hwnd && !windowFromHandle(hwnd)) return 0;
    if (!hwnd && !proc) return 0;  // a thread timer without a proc could never be seen
    elapse = std::max(elapse, kMinimumElapse);
    watchClock();
    std::uint64_t due = Clock::tickCount() + elapse;
    if (!hwnd) {
        // Thread timers: an id naming an existing one resets it, otherwise a fresh id is chosen.
        for (Timer& t : l.timers) {
            if (!t.hwnd && t.id == id && id != 0) {
                t.elapse = elapse;
                t.proc = proc;
                t.due = due;
                return id;
            }
        }
        UINT_PTR fresh = l.nextThreadTimerId++;
        l.timers.push_back({nullptr, fresh, elapse, proc, due});
        return fresh;
    }
    for (Timer& t : l.timers) {
        if (t.hwnd == hwnd && t.id == id) {
            t.elapse = elapse;
            t.proc = proc;
            t.due = due;
            return id == 0 ? 1 : id;
        }
    }
    l.timers.push_back({hwnd, id, elapse, proc, due});
    return id == 0 ? 1 : id;
}

bool killTimer(HWND hwnd, UINT_PTR id) {
    auto& timers = loop().timers;
    auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers.end()) return false;
    timers.erase(it);
    // A WM_TIMER already queued for it is dropped at delivery.
    return true;
}

std::size_t activeTimerCount() { return loop().timers.size(); }

void killWindowTimers(HWND hwnd) {
    auto& timers = loop().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd; }), timers.end());
}

}  // namespace ui

#pragma once
// The one source of "now" for the window platform: the tick count (GetTickCount) and the local time
// (GetLocalTime) both come from here, so timers, message times and time stamps agree with each other.
//
// The command runs on the real clock. Tests freeze it with a FrozenClock scope guard and move it forward
// with ui::Clock::advance(ms); nothing else moves a frozen clock, so a test that waits 2000 ms for a timer
// takes no time at all and never flakes.

#include <cstdint>
#include <functional>

namespace ui {

// A civil local time, field for field like SYSTEMTIME (month 1-12, dayOfWeek 0 = Sunday).
struct LocalTime {
    int year = 1970;
    int month = 1;
    int dayOfWeek = 4;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;

    bool operator==(const LocalTime&) const = default;
};

class Clock {
public:
    // Milliseconds since an arbitrary start; never goes backwards. GetTickCount is the low 32 bits.
    static std::uint64_t tickCount();
    static LocalTime localTime();

    static bool isFrozen();
    // Moves a frozen clock forward and then tells every observer; ignored on the real clock (which
    // cannot be pushed) so production code calling it by mistake changes nothing.
    static void advance(std::uint64_t milliseconds);

    // Called after every advance() of a frozen clock with the new tick count. The message loop uses it
    // to make due timers fire; on the real clock the loop simply polls tickCount().
    using AdvanceObserver = std::function<void(std::uint64_t tickCount)>;
    static int addAdvanceObserver(AdvanceObserver observer);
    static void removeAdvanceObserver(int id);
};

// Freezes the clock for its lifetime at the given tick count and local time (defaults: tick 1000,
// Monday 2024-01-15 10:00:00.000), restoring whatever clock was in effect before, frozen or real.
class FrozenClock {
public:
    FrozenClock();
    explicit FrozenClock(const LocalTime& start, std::uint64_t startTick = 1000);
    ~FrozenClock();
    FrozenClock(const FrozenClock&) = delete;
    FrozenClock& operator=(const FrozenClock&) = delete;

    void advance(std::uint64_t milliseconds) { Clock::advance(milliseconds); }

private:
    bool m_wasFrozen;
    std::uint64_t m_savedTick;
    std::int64_t m_savedLocalMs;
};

}  // namespace ui

// Win32-shaped access, for code written against the host's API.
std::uint32_t GetTickCount();
std::uint64_t GetTickCount64();

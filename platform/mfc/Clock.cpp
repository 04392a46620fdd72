#include "platform/mfc/Clock.h"

#include <chrono>
#include <ctime>  // localtime_r
#include <utility>
#include <vector>

namespace ui {

namespace {

using namespace std::chrono;

struct ClockState {
    bool frozen = false;
    std::uint64_t frozenTick = 0;
    // Frozen local time as milliseconds since 1970-01-01 00:00 local, so advancing is an addition and
    // no time zone takes part.
    std::int64_t frozenLocalMs = 0;
    int nextObserverId = 1;
    std::vector<std::pair<int, Clock::AdvanceObserver>> observers;
};

ClockState& state()
{
    static ClockState s;
    return s;
}

const steady_clock::time_point processStart = steady_clock::now();

LocalTime fromLocalMilliseconds(std::int64_t ms)
{
    const local_time<milliseconds> point{milliseconds{ms}};
    const auto dayPoint = floor<days>(point);
    const year_month_day date{dayPoint};
    const hh_mm_ss<milliseconds> time{point - dayPoint};
    LocalTime t;
    t.year = int(date.year());
    t.month = int(unsigned(date.month()));
    t.day = int(unsigned(date.day()));
    t.dayOfWeek = int(weekday{dayPoint}.c_encoding());
    t.hour = int(time.hours().count());
    t.minute = int(time.minutes().count());
    t.second = int(time.seconds().count());
    t.milliseconds = int(time.subseconds().count());
    return t;
}

std::int64_t toLocalMilliseconds(const LocalTime& t)
{
    const local_days day{year{t.year} / month{unsigned(t.month)} / std::chrono::day{unsigned(t.day)}};
    const auto point = day + hours{t.hour} + minutes{t.minute} + seconds{t.second} + milliseconds{t.milliseconds};
    return point.time_since_epoch().count();
}

}  // namespace

std::uint64_t Clock::tickCount()
{
    if (state().frozen)
        return state().frozenTick;
    // Offset so a fresh process never reports 0, which callers use as "never".
    return std::uint64_t(duration_cast<milliseconds>(steady_clock::now() - processStart).count()) + 1000;
}

LocalTime Clock::localTime()
{
    if (state().frozen)
        return fromLocalMilliseconds(state().frozenLocalMs);
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    LocalTime t;
    t.year = parts.tm_year + 1900;
    t.month = parts.tm_mon + 1;
    t.day = parts.tm_mday;
    t.dayOfWeek = parts.tm_wday;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    t.second = parts.tm_sec;
    t.milliseconds = int(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return t;
}

bool Clock::isFrozen()
{
    return state().frozen;
}

void Clock::advance(std::uint64_t ms)
{
    ClockState& s = state();
    if (!s.frozen)
        return;
    s.frozenTick += ms;
    s.frozenLocalMs += std::int64_t(ms);
    // Copy first: an observer may add or remove observers (a timer handler that kills its timer).
    const auto observers = s.observers;
    const std::uint64_t tick = s.frozenTick;
    for (const auto& [id, observer] : observers)
        if (observer)
            observer(tick);
}

int Clock::addAdvanceObserver(AdvanceObserver observer)
{
    ClockState& s = state();
    const int id = s.nextObserverId++;
    s.observers.emplace_back(id, std::move(observer));
    return id;
}

void Clock::removeAdvanceObserver(int id)
{
    auto& observers = state().observers;
    std::erase_if(observers, [id](const auto& entry) { return entry.first == id; });
}

FrozenClock::FrozenClock()
    : FrozenClock(LocalTime{2024, 1, 1, 15, 10, 0, 0, 0})
{
}

FrozenClock::FrozenClock(const LocalTime& start, std::uint64_t startTick)
{
    ClockState& s = state();
    m_wasFrozen = s.frozen;
    m_savedTick = s.frozenTick;
    m_savedLocalMs = s.frozenLocalMs;
    s.frozen = true;
    s.frozenTick = startTick;
    s.frozenLocalMs = toLocalMilliseconds(start);
}

FrozenClock::~FrozenClock()
{
    ClockState& s = state();
    s.frozen = m_wasFrozen;
    s.frozenTick = m_savedTick;
    s.frozenLocalMs = m_savedLocalMs;
}

}  // namespace ui

std::uint32_t GetTickCount()
{
    return std::uint32_t(ui::Clock::tickCount());
}

std::uint64_t GetTickCount64()
{
    return ui::Clock::tickCount();
}

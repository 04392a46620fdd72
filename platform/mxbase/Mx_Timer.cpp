#include "platform/mxbase/Mx_Timer.h"

#include <atomic>
#include <chrono>
#include <cstdio>  // snprintf

namespace {

std::int64_t steadyNow() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

std::atomic<Mx_Timer::Clock> gClock{&steadyNow};

}  // namespace

Mx_Timer::Mx_Timer(const Mx_String& name) : name_(name) {}

void Mx_Timer::setClock(Clock clock) { gClock = clock ? clock : &steadyNow; }

std::int64_t Mx_Timer::now() { return gClock.load()(); }

void Mx_Timer::start() {
    if (depth_++ == 0) startedAt_ = now();
}

void Mx_Timer::end() {
    if (depth_ == 0) return;
    ++count_;
    if (--depth_ == 0) {
        std::int64_t elapsed = now() - startedAt_;
        if (elapsed > 0) total_ += elapsed;  // a clock set back must not make the total shrink
    }
}

void Mx_Timer::reset() {
    depth_ = 0;
    count_ = 0;
    startedAt_ = 0;
    total_ = 0;
}

Mx_String Mx_Timer::toString() const {
    // Integer arithmetic rather than printf's %f, whose decimal point follows the process locale.
    std::int64_t micro = (total_ + 500) / 1000;
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%d %s, %lld.%06lld s", count_, count_ == 1 ? "call" : "calls",
                  static_cast<long long>(micro / 1'000'000), static_cast<long long>(micro % 1'000'000));
    Mx_String text = name_.isEmpty() ? Mx_String() : name_ + L": ";
    text.append(Mx_String(buffer));
    return text;
}

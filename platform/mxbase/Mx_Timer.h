#pragma once
// Phase timers of the standards engine: a named stopwatch that adds up the time of every start/end
// pair and counts the pairs.
//
// Child standards runs nest on the same thread, so a timer may be started again before it has ended
// (gCalcMain around a child's gCalcMain). Only the outermost pair measures time, so nested time is
// never counted twice; every pair counts as one call.
#include <cstdint>

#include "platform/mxbase/Mx_String.h"

class Mx_Timer {
public:
    // Nanoseconds on a monotonic clock. Tests install a clock of their own.
    using Clock = std::int64_t (*)();

    explicit Mx_Timer(const Mx_String& name = Mx_String());

    void start();
    // Ends the innermost running start. An end without a start is ignored.
    void end();
    bool isRunning() const { return depth_ > 0; }

    const Mx_String& name() const { return name_; }
    // Completed start/end pairs.
    int count() const { return count_; }
    // Accumulated time of the completed outermost pairs.
    std::int64_t nanoseconds() const { return total_; }
    double seconds() const { return static_cast<double>(total_) / 1e9; }
    void reset();

    // "gCalcMain: 3 calls, 0.012345 s" (the running part of a timer not yet ended is not included).
    Mx_String toString() const;

    static void setClock(Clock clock);  // nullptr restores the steady clock
    static std::int64_t now();

private:
    Mx_String name_;
    int depth_ = 0;
    int count_ = 0;
    std::int64_t startedAt_ = 0;
    std::int64_t total_ = 0;
};

// Times a scope with a Mx_Timer: starts it when made and ends it on every way out.
class Mx_FunctionTimer {
public:
    explicit Mx_FunctionTimer(Mx_Timer& timer) : timer_(timer) { timer_.start(); }
    ~Mx_FunctionTimer() { timer_.end(); }
    Mx_FunctionTimer(const Mx_FunctionTimer&) = delete;
    Mx_FunctionTimer& operator=(const Mx_FunctionTimer&) = delete;

private:
    Mx_Timer& timer_;
};

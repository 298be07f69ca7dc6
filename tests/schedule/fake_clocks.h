// Clocks that move only when a test moves them, for the timer queue and the task
// manager: a wait of days takes no time. The two clocks move together.
#pragma once

#include <atomic>
#include <chrono>
#include <ctime>

#include "schedule/plan_task_manager.h"
#include "schedule/timer_queue.h"

struct FakeElapsed {
    std::atomic<int64_t> ms{0};
};

class FakeTimerClock : public TimerClock {
public:
    explicit FakeTimerClock(const FakeElapsed& elapsed) : elapsed_(elapsed) {}
    TimePoint Now() const override { return start_ + std::chrono::milliseconds(elapsed_.ms.load()); }

private:
    const TimePoint start_ = std::chrono::steady_clock::now();
    const FakeElapsed& elapsed_;
};

class FakeWallClock : public WallClock {
public:
    FakeWallClock(const FakeElapsed& elapsed, time_t start) : elapsed_(elapsed), start_(start) {}
    time_t Now() const override { return start_ + static_cast<time_t>(elapsed_.ms.load() / 1000); }

private:
    const FakeElapsed& elapsed_;
    const time_t start_;
};

// A local time as seconds since 1970, for the clocks' start.
inline time_t LocalTimeAt(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm = {};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return mktime(&tm);
}

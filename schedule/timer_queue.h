// Timers ordered by due time on one timer thread; each due action runs on the
// queue's own worker pool, so a slow action never delays another timer.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <queue>
#include <set>
#include <thread>
#include <vector>

#include "schedule/threadpool.h"

// The monotonic time the queue measures delays on; tests replace it.
class TimerClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~TimerClock() = default;
    // Any thread.
    virtual TimePoint Now() const = 0;
};

class SteadyTimerClock : public TimerClock {
public:
    TimePoint Now() const override { return std::chrono::steady_clock::now(); }
};

struct TimerEntry {
    TimerClock::TimePoint due;
    std::function<void()> action;
    int32_t id = 0;
    int32_t remaining = 0;
    bool repeatForever = false;
    bool repeatCounted = false;
    int64_t periodMs = 0;
};

class TimerQueue {
public:
    static constexpr int kPoolWorkers = 6;

    // Any thread. The clock must outlive the queue; null means the steady clock.
    explicit TimerQueue(const TimerClock* clock = nullptr);
    ~TimerQueue();
    TimerQueue(const TimerQueue&) = delete;
    TimerQueue& operator=(const TimerQueue&) = delete;

    // Any thread: starts the timer thread (once).
    void Start();
    // Any thread: a timer due after delayMs; with repeatForever it fires again
    // every delayMs until cancelled. Returns its id (0, 1, 2, ...).
    int32_t AddOnce(int64_t delayMs, bool repeatForever, std::function<void()> action);
    // Any thread: due after periodMs, then again every periodMs, count more times.
    int32_t AddRepeating(int32_t periodMs, int32_t count, std::function<void()> action);
    // Any thread: the timer never fires again (an action already running goes on).
    void Cancel(int32_t id);
    // Any thread: makes the timer thread look at the clock again (a test that
    // moved its clock calls this).
    void Wake();
    // Any thread: true while nothing is due and every action handed to the pool
    // has returned. A test that moved its clock (and woke the queue) waits for
    // this before it looks at what the actions did.
    bool IsSettled();
    // Any thread.
    int PoolWorkerCount() { return pool_.WorkerCount(); }

private:
    struct Later {
        bool operator()(const TimerEntry& a, const TimerEntry& b) const { return a.due > b.due; }
    };

    int32_t Push(TimerEntry entry);
    bool IsActive(int32_t id);
    void RunLoop();

    const SteadyTimerClock steady_;
    const TimerClock& clock_;
    std::priority_queue<TimerEntry, std::vector<TimerEntry>, Later> entries_;
    std::atomic<bool> running_{true};
    std::mutex queueLock_;  // guards entries_
    std::condition_variable queueChanged_;
    std::thread timerThread_;
    bool waiting_ = false;               // guarded by queueLock_: the timer thread waits with nothing due
    std::atomic<int64_t> handedOut_{0};  // actions posted to the pool
    std::atomic<int64_t> finished_{0};   // actions that have returned
    Threadpool pool_{kPoolWorkers};
    std::atomic<int32_t> nextId_{0};
    std::set<int32_t> active_;
    std::mutex activeLock_;  // guards active_; taken after queueLock_, never before
};

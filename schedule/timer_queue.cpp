// The timer thread: sleeps until the earliest entry is due, re-queues repeating
// entries from the moment they fire, and hands each action to the pool.
#include "schedule/timer_queue.h"

TimerQueue::TimerQueue(const TimerClock* clock) : clock_(clock ? *clock : steady_) {}

TimerQueue::~TimerQueue() {
    {
        std::lock_guard<std::mutex> lock(queueLock_);
        running_ = false;
    }
    queueChanged_.notify_all();
    if (timerThread_.joinable()) timerThread_.join();
}

void TimerQueue::Start() {
    std::lock_guard<std::mutex> lock(queueLock_);
    if (!timerThread_.joinable()) timerThread_ = std::thread([this] { RunLoop(); });
}

int32_t TimerQueue::AddOnce(int64_t delayMs, bool repeatForever, std::function<void()> action) {
    TimerEntry entry;
    entry.periodMs = delayMs < 0 ? 0 : delayMs;
    entry.repeatForever = repeatForever;
    entry.action = std::move(action);
    return Push(std::move(entry));
}

int32_t TimerQueue::AddRepeating(int32_t periodMs, int32_t count, std::function<void()> action) {
    TimerEntry entry;
    entry.periodMs = periodMs < 0 ? 0 : periodMs;
    entry.repeatCounted = true;
    entry.remaining = count;
    entry.action = std::move(action);
    return Push(std::move(entry));
}

int32_t TimerQueue::Push(TimerEntry entry) {
    entry.id = nextId_++;
    {
        std::lock_guard<std::mutex> lock(activeLock_);
        active_.insert(entry.id);
    }
    const int32_t id = entry.id;
    {
        std::lock_guard<std::mutex> lock(queueLock_);
        entry.due = clock_.Now() + std::chrono::milliseconds(entry.periodMs);
        entries_.push(std::move(entry));
        waiting_ = false;
    }
    queueChanged_.notify_all();
    return id;
}

void TimerQueue::Cancel(int32_t id) {
    std::lock_guard<std::mutex> lock(activeLock_);
    active_.erase(id);
}

void TimerQueue::Wake() {
    {
        std::lock_guard<std::mutex> lock(queueLock_);
        waiting_ = false;
    }
    queueChanged_.notify_all();
}

bool TimerQueue::IsSettled() {
    std::lock_guard<std::mutex> lock(queueLock_);
    return waiting_ && finished_ == handedOut_;
}

bool TimerQueue::IsActive(int32_t id) {
    std::lock_guard<std::mutex> lock(activeLock_);
    return active_.count(id) != 0;
}

// Long waits are taken in slices of an hour: a condition wait of many days is
// then never handed to the system in one piece.
void TimerQueue::RunLoop() {
    constexpr auto kLongestWait = std::chrono::hours(1);
    std::unique_lock<std::mutex> lock(queueLock_);
    while (running_) {
        if (entries_.empty()) {
            waiting_ = true;
            queueChanged_.wait(lock);
            waiting_ = false;
            continue;
        }
        TimerEntry entry = entries_.top();
        const auto now = clock_.Now();
        if (entry.due > now) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(entry.due - now);
            waiting_ = true;
            queueChanged_.wait_for(lock, left < kLongestWait ? left : kLongestWait);
            waiting_ = false;
            continue;
        }
        entries_.pop();
        if (!IsActive(entry.id)) continue;
        if (entry.repeatForever || (entry.repeatCounted && entry.remaining >= 1)) {
            TimerEntry again = entry;
            again.due = now + std::chrono::milliseconds(entry.periodMs);
            if (entry.repeatCounted) --again.remaining;
            entries_.push(std::move(again));
        }
        ++handedOut_;
        lock.unlock();
        std::function<void()> action = std::move(entry.action);
        if (!pool_
                 .post_task([this, action] {
                     action();
                     ++finished_;
                 })
                 .valid())
            ++finished_;  // the pool has stopped: the action never runs
        lock.lock();
    }
}

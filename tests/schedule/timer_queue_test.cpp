// The timer queue and its pool: due times on an injected clock, cancels, repeat
// counts, the 64-worker limit, and one real wait.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

#include "schedule/threadpool.h"
#include "schedule/timer_queue.h"
#include "tests/schedule/fake_clocks.h"

namespace {

using namespace std::chrono_literals;
constexpr auto kPatience = 10s;  // a safety net only: nothing here takes this long

// Polls a condition; the patience is a safety net, not a measure.
template <typename Condition>
bool WaitUntil(Condition done) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// A gate that actions wait on until the test opens it.
class Gate {
public:
    void Open() {
        std::lock_guard<std::mutex> lock(m_);
        open_ = true;
        cv_.notify_all();
    }
    void Wait() {
        std::unique_lock<std::mutex> lock(m_);
        cv_.wait(lock, [this] { return open_; });
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool open_ = false;
};

class TimerQueueTest : public ::testing::Test {
protected:
    TimerQueueTest() { queue_.Start(); }
    void Advance(int64_t ms) {
        elapsed_.ms += ms;
        queue_.Wake();
    }
    // Everything due up to now has been handed to the pool and has returned.
    void Settle() {
        ASSERT_TRUE(WaitUntil([this] { return queue_.IsSettled(); }));
    }

    FakeElapsed elapsed_;
    FakeTimerClock clock_{elapsed_};
    TimerQueue queue_{&clock_};
};

TEST_F(TimerQueueTest, DelayZeroFiresWithoutTheClockMoving) {
    std::promise<void> fired;
    queue_.AddOnce(0, false, [&] { fired.set_value(); });
    EXPECT_EQ(fired.get_future().wait_for(kPatience), std::future_status::ready);
}

TEST_F(TimerQueueTest, IdsCountUpFromZero) {
    EXPECT_EQ(queue_.AddOnce(1000, false, [] {}), 0);
    EXPECT_EQ(queue_.AddRepeating(1000, 1, [] {}), 1);
    EXPECT_EQ(queue_.AddOnce(1000, false, [] {}), 2);
}

TEST_F(TimerQueueTest, FiresOnlyOnceItsDueTimeIsReached) {
    std::atomic<int> runs{0};
    queue_.AddOnce(5000, false, [&] { ++runs; });
    Advance(4999);
    Settle();
    EXPECT_EQ(runs, 0);
    Advance(1);
    Settle();
    EXPECT_EQ(runs, 1);
    Advance(10000);
    Settle();
    EXPECT_EQ(runs, 1);  // a one-shot timer runs once
}

TEST_F(TimerQueueTest, ACancelledTimerNeverRuns) {
    std::atomic<int> runs{0};
    const int32_t id = queue_.AddOnce(1000, false, [&] { ++runs; });
    queue_.Cancel(id);
    Advance(2000);
    Settle();
    EXPECT_EQ(runs, 0);
}

TEST_F(TimerQueueTest, CancelledWhileRunningItDoesNotRunAgain) {
    std::atomic<int> runs{0};
    Gate gate;
    std::promise<void> started;
    const int32_t id = queue_.AddOnce(1000, true, [&] {
        if (++runs == 1) started.set_value();
        gate.Wait();
    });
    Advance(1000);
    ASSERT_EQ(started.get_future().wait_for(kPatience), std::future_status::ready);
    queue_.Cancel(id);  // its next firing is already queued
    gate.Open();
    Advance(1000);
    Settle();
    Advance(1000);
    Settle();
    EXPECT_EQ(runs, 1);
}

TEST_F(TimerQueueTest, TimersOfTheSameDueTimeBothRun) {
    std::atomic<int> a{0}, b{0};
    queue_.AddOnce(700, false, [&] { ++a; });
    queue_.AddOnce(700, false, [&] { ++b; });
    Advance(700);
    Settle();
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 1);
}

TEST_F(TimerQueueTest, ACountedTimerRunsItsCountPlusOneTimes) {
    std::atomic<int> runs{0};
    queue_.AddRepeating(100, 2, [&] { ++runs; });
    for (int i = 0; i < 6; ++i) {
        Advance(100);
        Settle();
    }
    EXPECT_EQ(runs, 3);
}

TEST_F(TimerQueueTest, ADailyTimerFiresOnceEveryDay) {
    std::atomic<int> runs{0};
    queue_.AddRepeating(86400000, 99999999, [&] { ++runs; });
    for (int day = 1; day <= 3; ++day) {
        Advance(86400000 - 1);
        Settle();
        EXPECT_EQ(runs, day - 1);
        Advance(1);
        Settle();
        EXPECT_EQ(runs, day);
    }
}

TEST_F(TimerQueueTest, AThirtyDayWaitEndsAfterThirtyDays) {
    std::atomic<int> runs{0};
    const int64_t thirtyDays = 30LL * 86400000;
    queue_.AddOnce(thirtyDays, false, [&] { ++runs; });
    Advance(thirtyDays - 1000);
    Settle();
    EXPECT_EQ(runs, 0);
    Advance(1000);
    Settle();
    EXPECT_EQ(runs, 1);
}

// On the real clock: a wait of thirty days does not end early, while a short
// timer behind it fires on time.
TEST(TimerQueueRealClockTest, AThirtyDayWaitDoesNotReturnEarly) {
    TimerQueue queue;
    queue.Start();
    std::atomic<int> longRuns{0};
    queue.AddOnce(30LL * 86400000, false, [&] { ++longRuns; });
    std::promise<void> shortFired;
    queue.AddOnce(300, false, [&] { shortFired.set_value(); });
    ASSERT_EQ(shortFired.get_future().wait_for(kPatience), std::future_status::ready);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(longRuns, 0);
}

// Each long callable is posted once the one before it runs, so every post finds
// no idle worker; the 65th waits in the queue.
TEST(ThreadpoolTest, NoSixtyFifthWorkerStarts) {
    Threadpool pool(1);
    Gate gate;
    std::atomic<int> running{0}, finished{0};
    std::vector<std::future<void>> done;
    auto post = [&] {
        done.push_back(pool.post_task([&] {
            ++running;
            gate.Wait();
            ++finished;
        }));
    };
    for (int i = 1; i <= 64; ++i) {
        post();
        ASSERT_TRUE(WaitUntil([&] { return running == i; })) << i;
        ASSERT_EQ(pool.WorkerCount(), i) << "grown by one for a post that found no idle worker";
    }
    // A pool grows inside post_task: once these return, no further worker can appear.
    for (int i = 0; i < 6; ++i) post();
    EXPECT_EQ(pool.WorkerCount(), 64);
    EXPECT_EQ(running, 64);
    gate.Open();
    for (auto& f : done) ASSERT_EQ(f.wait_for(kPatience), std::future_status::ready);
    EXPECT_EQ(finished, 64 + 6);
}

// Workers that have just started, or are between a look at the queue and their
// wait, are let go by the destructor every time (the test would hang otherwise).
TEST(ThreadpoolTest, DestroyingAPoolAlwaysLetsItsWorkersGo) {
    std::atomic<int> runs{0};
    for (int round = 0; round < 100; ++round) {
        Threadpool pool(6);
        if (round % 2) pool.post_task([&] { ++runs; });
    }
    EXPECT_EQ(runs, 50);
}

TEST(ThreadpoolTest, QueuedWorkStillRunsWhenThePoolIsDestroyed) {
    std::atomic<int> runs{0};
    {
        Threadpool pool(1);
        for (int i = 0; i < 20; ++i) pool.post_task([&] { ++runs; });
    }
    EXPECT_EQ(runs, 20);
}

TEST(TimerQueueOwnPoolTest, StaysAtSixWorkersUnderALightLoad) {
    TimerQueue queue;
    queue.Start();
    std::promise<void> fired;
    queue.AddOnce(0, false, [&] { fired.set_value(); });
    ASSERT_EQ(fired.get_future().wait_for(kPatience), std::future_status::ready);
    EXPECT_EQ(queue.PoolWorkerCount(), 6);
}

}  // namespace

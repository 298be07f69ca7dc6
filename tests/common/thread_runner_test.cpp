#include "common/thread_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace {

// Counts its runs; leaves when asked, or at once when told to finish by itself.
class CountingBody : public SiThO {
public:
    explicit CountingBody(bool endsByItself = false) : endsByItself_(endsByItself) {}
    DWORD _Do(CThreadRunner* runner) override {
        ++runs;
        while (!endsByItself_ && runner->IsRunning()) Sleep(1);
        return 7;
    }
    std::atomic<int> runs{0};

private:
    bool endsByItself_;
};

// Ignores the running flag: only termination ends it.
class StuckBody : public SiThO {
public:
    DWORD _Do(CThreadRunner*) override {
        entered = true;
        for (;;) Sleep(10);
    }
    std::atomic<bool> entered{false};
};

void WaitUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 5000 && !done(); ++i) Sleep(1);
}

TEST(ThreadRunner, StopWithoutStartDoesNothing) {
    CThreadRunner runner;
    EXPECT_TRUE(runner.Stop(10));
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_EQ(runner.ThreadHandle(), nullptr);
}

TEST(ThreadRunner, StartTwiceCreatesOneThread) {
    CountingBody body;
    CThreadRunner runner;
    ASSERT_TRUE(runner.Start(&body));
    HANDLE first = runner.ThreadHandle();
    ASSERT_TRUE(runner.Start(&body));
    EXPECT_EQ(runner.ThreadHandle(), first);
    WaitUntil([&] { return body.runs == 1; });
    EXPECT_TRUE(runner.Stop());
    EXPECT_EQ(body.runs, 1);
    EXPECT_FALSE(runner.IsRunning());
}

TEST(ThreadRunner, StopWaitsForACooperativeBodyAndKeepsItsExitCode) {
    CountingBody body;
    CThreadRunner runner;
    ASSERT_TRUE(runner.Start(&body, true));
    WaitUntil([&] { return body.runs == 1; });
    HANDLE dup;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), runner.ThreadHandle(), GetCurrentProcess(), &dup, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    EXPECT_TRUE(runner.Stop());  // ended by itself, not terminated
    DWORD code = 0;
    GetExitCodeThread(dup, &code);
    CloseHandle(dup);
    EXPECT_EQ(code, 7u);
}

TEST(ThreadRunner, BodyThatIgnoresStopIsTerminatedAfterTheWait) {
    StuckBody body;
    CThreadRunner runner;
    ASSERT_TRUE(runner.Start(&body));
    WaitUntil([&] { return body.entered.load(); });
    EXPECT_FALSE(runner.Stop(100));
    EXPECT_EQ(runner.ThreadHandle(), nullptr);
    EXPECT_FALSE(runner.IsRunning());
}

TEST(ThreadRunner, BodyThatEndedByItselfCanBeStartedAgainWithoutLeakingItsHandle) {
    CountingBody body(true);
    CThreadRunner runner;
    ASSERT_TRUE(runner.Start(&body));
    WaitUntil([&] { return !runner.IsRunning(); });
    ASSERT_FALSE(runner.IsRunning());
    HANDLE first = runner.ThreadHandle();
    ASSERT_NE(first, nullptr);  // kept until the next Start or Stop
    const DWORD firstId = GetThreadId(first);

    ASSERT_TRUE(runner.Start(&body));
    WaitUntil([&] { return body.runs == 2; });
    EXPECT_EQ(body.runs, 2);
    // Closed: the value no longer names the first thread (it may name the second).
    EXPECT_NE(GetThreadId(first), firstId);
    runner.Stop();
    EXPECT_EQ(runner.ThreadHandle(), nullptr);
}

}  // namespace

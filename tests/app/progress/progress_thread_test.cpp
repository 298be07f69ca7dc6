// The progress thread against a real window: it ticks while a recording writes,
// posts the split, stop and tick messages, pauses with the state, and once the
// recording has ended neither reads its counter nor posts for it.
#include "app/progress/progress_thread.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "common/record_globals.h"
#include "shell/custom_messages.h"
#include "tests/support/record_globals_reset.h"

namespace {

constexpr uint64_t kMiB = 1024ull * 1024;

// A hidden window that keeps every message the progress thread may post.
class MessageSink {
public:
    MessageSink() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &MessageSink::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ProgressThreadTestSink";
        RegisterClassW(&wc);
        hwnd =
            CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~MessageSink() { DestroyWindow(hwnd); }

    size_t Count(UINT message) const {
        size_t n = 0;
        for (UINT m : messages) n += m == message;
        return n;
    }
    // Dispatches what is queued now.
    void Drain() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    // Dispatches messages until done(); false after a generous wait.
    bool PumpUntil(const std::function<bool()>& done) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 20000;) {
            Drain();
            if (done()) return true;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return done();
    }

    HWND hwnd = nullptr;
    std::vector<UINT> messages;
    bool nonZeroParams = false;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<MessageSink*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && msg >= WM_USER) {
            self->messages.push_back(msg);
            self->nonZeroParams |= wParam != 0 || lParam != 0;
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
};

// The recorder's byte counter as the board reads it; notes reads after detaching.
struct CounterSource {
    std::atomic<uint64_t> bytes{0};
    std::atomic<bool> detached{false};
    std::atomic<int> readsAfterDetach{0};
    CProgressBoard::ByteCounter Reader() {
        return [this] {
            if (detached) ++readsAfterDetach;
            return bytes.load();
        };
    }
};

SettingRecord SplitEveryMiB() {
    SettingRecord s;
    s.Division = true;
    s.Check_division = 1;
    s.Division_size = 1;
    s.path = L"C:\\";
    return s;
}

class ProgressThreadTest : public ::testing::Test {
protected:
    void SetUp() override { testing_support::ResetRecordGlobals(); }
    void TearDown() override {
        thread.Stop();
        testing_support::ResetRecordGlobals();
    }
    // Waits until the loop has made n more passes.
    bool WaitPasses(uint64_t n) {
        uint64_t target = thread.PassCount() + n;
        return sink.PumpUntil([&] { return thread.PassCount() >= target; });
    }

    MessageSink sink;
    CounterSource counter;
    CProgressBoard board;
    CProgressThread thread{board, sink.hwnd, SplitEveryMiB};
};

TEST_F(ProgressThreadTest, TicksWhileWritingAndStopsPostingOnceTheRecordingEnds) {
    AutoStopOptions autoStop;
    autoStop.enabled = true;
    autoStop.byTime = false;
    autoStop.bySize = true;
    autoStop.sizeMB = 2;
    board.SetAutoStopOptions(autoStop);
    board.BeginRecording(counter.Reader(), PlanTaskProgress{true, 1});
    ASSERT_TRUE(thread.Start());

    // Stopped, then recording with nothing written yet: no tick.
    ASSERT_TRUE(WaitPasses(2));
    g_recordeState = _RecordingState;
    ASSERT_TRUE(WaitPasses(2));
    EXPECT_TRUE(sink.messages.empty());

    counter.bytes = 3 * kMiB / 2;  // past the first 1 MiB split
    ASSERT_TRUE(sink.PumpUntil([&] { return sink.Count(WM_PROGRESS_TICK) >= 1; }));
    EXPECT_EQ(sink.Count(WM_SPLITFILE_MSG), 1u);
    ProgressTick tick;
    ASSERT_TRUE(board.TakeTick(tick));
    EXPECT_EQ(tick.sizeLabel.rfind(L"   1.5MB/", 0), 0u) << std::string(tick.sizeLabel.begin(), tick.sizeLabel.end());
    EXPECT_EQ(tick.sizeLabel.substr(tick.sizeLabel.size() - 2), L"GB");
    EXPECT_FALSE(board.TakeTick(tick)) << "a tick is handed out once";

    counter.bytes = 3 * kMiB;  // the second split and the stop by size
    ASSERT_TRUE(sink.PumpUntil([&] { return sink.Count(WM_AUTO_STOP_REACHED) >= 1; }));
    EXPECT_EQ(sink.Count(WM_SPLITFILE_MSG), 2u);
    ASSERT_TRUE(sink.PumpUntil([&] { return sink.Count(WM_PLAN_DURATION_REACHED) >= 1; }));
    ASSERT_TRUE(board.TakeTick(tick));
    EXPECT_GE(tick.m_uTimeNum, 2u);
    EXPECT_EQ(tick.division.m_division_num, 3);
    EXPECT_FALSE(tick.plan.task_begin);

    // Paused: no more ticks.
    g_recordeState = _PauseState;
    ASSERT_TRUE(WaitPasses(2));
    sink.Drain();
    size_t seen = sink.messages.size();
    ASSERT_TRUE(WaitPasses(2));
    EXPECT_EQ(sink.messages.size(), seen);

    // The recording ends while recording again: nothing more is read or posted, and a
    // tick still queued finds nothing to apply.
    g_recordeState = _RecordingState;
    board.EndRecording();
    counter.detached = true;
    sink.Drain();  // what was posted before the end
    seen = sink.messages.size();
    ASSERT_TRUE(WaitPasses(3));
    EXPECT_EQ(sink.messages.size(), seen);
    EXPECT_EQ(counter.readsAfterDetach, 0);
    EXPECT_FALSE(board.TakeTick(tick));
    EXPECT_EQ(sink.Count(WM_PLAN_DURATION_REACHED), 1u);
    EXPECT_FALSE(sink.nonZeroParams);
}

TEST_F(ProgressThreadTest, ANewRecordingStartsFromZero) {
    g_recordeState = _RecordingState;
    counter.bytes = 10;
    board.BeginRecording(counter.Reader(), PlanTaskProgress{});
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(sink.PumpUntil([&] { return sink.Count(WM_PROGRESS_TICK) >= 2; }));
    board.EndRecording();

    // Bytes on the first read only, so exactly one tick of the new recording.
    std::atomic<int> reads{0};
    board.BeginRecording([&] { return reads++ == 0 ? 2 * kMiB : 0; }, PlanTaskProgress{});
    ProgressTick tick;
    EXPECT_FALSE(board.TakeTick(tick)) << "no tick of the previous recording";
    ASSERT_TRUE(sink.PumpUntil([&] { return board.TakeTick(tick); }));
    EXPECT_EQ(tick.m_uTimeNum, 1u);
    EXPECT_EQ(tick.digits.secondsUnits, 1u);
    EXPECT_EQ(tick.division.m_division_num, 2) << "split counters start at 1 again";
    board.EndRecording();
}

TEST(ProgressThread, StopsAndCanStartAgain) {
    CProgressBoard board;
    CProgressThread thread(board, nullptr, [] { return SettingRecord{}; });
    EXPECT_TRUE(thread.Start());
    thread.Stop();
    uint64_t passes = thread.PassCount();
    EXPECT_TRUE(thread.Start());
    for (DWORD start = GetTickCount(); thread.PassCount() == passes && GetTickCount() - start < 20000;) Sleep(10);
    EXPECT_GT(thread.PassCount(), passes);
}

TEST(OutputDrive, FreeBytesOfTheFolderDrive) {
    EXPECT_GT(OutputDriveFreeBytes(L"C:\\Vistrel"), 0u);
    EXPECT_EQ(OutputDriveFreeBytes(L""), 0u);
    EXPECT_EQ(OutputDriveFreeBytes(L"\\\\server\\share"), 0u);
}

}  // namespace

// A split is made only when a tick asked for it, once; one that could not be made
// is asked for again at the next tick, and only then.
TEST_F(ProgressThreadTest, ASplitIsDueOnlyFromATickAndOneSkippedIsAskedForAgain) {
    g_recordeState = _RecordingState;
    counter.bytes = 10;  // below the 1 MiB split
    board.BeginRecording(counter.Reader(), PlanTaskProgress{});
    EXPECT_FALSE(board.TakeSplitDue()) << "nothing asked for yet: a posted split is foreign";
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(sink.PumpUntil([&] { return sink.Count(WM_PROGRESS_TICK) >= 2; }));
    EXPECT_EQ(sink.Count(WM_SPLITFILE_MSG), 0u);
    EXPECT_FALSE(board.TakeSplitDue());

    counter.bytes = 3 * kMiB / 2;
    ASSERT_TRUE(sink.PumpUntil([&] { return sink.Count(WM_SPLITFILE_MSG) >= 1; }));
    EXPECT_TRUE(board.TakeSplitDue());
    EXPECT_FALSE(board.TakeSplitDue()) << "taken once";

    // The split was skipped: the next tick asks again, the one after does not.
    // (Two passes: the one under way when the split is put back may have read the
    // board before; what the passes posted is dispatched before it is counted.)
    board.PutSplitBack();
    ASSERT_TRUE(WaitPasses(2));
    sink.Drain();
    EXPECT_EQ(sink.Count(WM_SPLITFILE_MSG), 2u);
    ASSERT_TRUE(WaitPasses(2));
    sink.Drain();
    EXPECT_EQ(sink.Count(WM_SPLITFILE_MSG), 2u) << "asked again once";
    EXPECT_TRUE(board.TakeSplitDue());
    board.EndRecording();
    board.PutSplitBack();
    EXPECT_FALSE(board.TakeSplitDue()) << "nothing is due for a recording that ended";
}

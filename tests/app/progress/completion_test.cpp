// The completion handling with the power actions replaced: each action and its
// printed line, the reset of the auto-stop options, and messages left over from a
// recording that has already stopped.
#include "app/progress/completion.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/text_convert.h"

namespace {

class CountingPower : public PowerActions {
public:
    void ShutdownSystem() override { ++shutdowns; }
    void SuspendSystem() override { ++suspends; }
    int shutdowns = 0;
    int suspends = 0;
};

HWND MakeWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CompletionTestWindow";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

AutoStopOptions Armed(const std::wstring& action) {
    AutoStopOptions a;
    a.enabled = true;
    a.byTime = false;
    a.seconds = 30;
    a.bySize = true;
    a.sizeMB = 77;
    a.action = action;
    return a;
}

bool IsDefault(const AutoStopOptions& a) {
    AutoStopOptions d;
    return a.enabled == d.enabled && a.byTime == d.byTime && a.seconds == d.seconds && a.bySize == d.bySize &&
           a.sizeMB == d.sizeMB && a.action == d.action;
}

struct Expected {
    const wchar_t* action;
    const wchar_t* line;  // empty: nothing printed
    int suspends;
    int shutdowns;
    bool windowDestroyed;
};

const wchar_t* const kPrefixes[] = {L"自动停止后，", L"计划任务停止后，"};

const Expected kActionCases[] = {
    {L"不做任何操作", L"不做任何操作\n", 0, 0, false},
    {L"退出程序", L"退出程序\n", 0, 0, true},
    {L"睡眠", L"睡眠\n", 1, 0, false},
    {L"关机", L"关机\n", 0, 1, false},
    {L"重启", L"", 0, 0, false},  // not one of the four
    {L"", L"", 0, 0, false},
};

class Completion : public ::testing::Test {
protected:
    void SetUp() override { window = MakeWindow(); }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
    }
    CompletionTarget Target() {
        return CompletionTarget{[this] { ++stops; }, window, power};
    }
    std::string Expect(const wchar_t* prefix, const Expected& c) {
        return *c.line ? WideToChs(std::wstring(prefix) + c.line) : std::string();
    }
    void CheckActed(const Expected& c) {
        EXPECT_EQ(stops, 1) << WideToUtf8(c.action);
        EXPECT_EQ(power.suspends, c.suspends) << WideToUtf8(c.action);
        EXPECT_EQ(power.shutdowns, c.shutdowns) << WideToUtf8(c.action);
        EXPECT_EQ(!IsWindow(window), c.windowDestroyed) << WideToUtf8(c.action);
    }

    HWND window = nullptr;
    CountingPower power;
    CProgressBoard board;
    int stops = 0;
};

TEST_F(Completion, AutoStopRunsItsActionThenResetsTheOptions) {
    for (const Expected& c : kActionCases) {
        SCOPED_TRACE(WideToUtf8(c.action));
        TearDown();
        SetUp();
        power = CountingPower{};
        stops = 0;
        board.SetAutoStopOptions(Armed(c.action));
        testing::internal::CaptureStdout();
        HandleAutoStopReached(true, Target(), board);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), Expect(kPrefixes[0], c));
        CheckActed(c);
        EXPECT_TRUE(IsDefault(board.GetAutoStopOptions()));
    }
}

TEST_F(Completion, PlannedLengthRunsTheTaskOption) {
    for (bool autoStopArmed : {false, true}) {
        for (const Expected& c : kActionCases) {
            SCOPED_TRACE(WideToUtf8(c.action) + (autoStopArmed ? " armed" : ""));
            TearDown();
            SetUp();
            power = CountingPower{};
            stops = 0;
            AutoStopOptions options = Armed(L"关机");
            options.enabled = autoStopArmed;
            board.SetAutoStopOptions(options);
            testing::internal::CaptureStdout();
            HandlePlanDurationReached(true, Target(), c.action, board);
            EXPECT_EQ(testing::internal::GetCapturedStdout(), Expect(kPrefixes[1], c));
            CheckActed(c);
            AutoStopOptions after = board.GetAutoStopOptions();
            if (autoStopArmed)
                EXPECT_TRUE(IsDefault(after));
            else
                EXPECT_EQ(after.sizeMB, 77) << "disabled options are left alone";
        }
    }
}

TEST_F(Completion, DisabledAutoStopOnlyStops) {
    AutoStopOptions options = Armed(L"关机");
    options.enabled = false;
    board.SetAutoStopOptions(options);
    testing::internal::CaptureStdout();
    HandleAutoStopReached(true, Target(), board);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(power.shutdowns, 0);
    EXPECT_EQ(board.GetAutoStopOptions().sizeMB, 77);
}

TEST_F(Completion, LeftOverMessagesDoNothing) {
    board.SetAutoStopOptions(Armed(L"关机"));
    testing::internal::CaptureStdout();
    HandleAutoStopReached(false, Target(), board);
    HandlePlanDurationReached(false, Target(), L"睡眠", board);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(stops, 0);
    EXPECT_EQ(power.shutdowns + power.suspends, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(board.GetAutoStopOptions().enabled) << "still armed for the next recording";
}

TEST_F(Completion, StopComesBeforeTheAction) {
    std::vector<std::string> order;
    struct OrderedPower : PowerActions {
        std::vector<std::string>* order;
        void ShutdownSystem() override { order->push_back("shutdown"); }
        void SuspendSystem() override { order->push_back("suspend"); }
    } ordered;
    ordered.order = &order;
    board.SetAutoStopOptions(Armed(L"睡眠"));
    testing::internal::CaptureStdout();
    HandleAutoStopReached(true, CompletionTarget{[&] { order.push_back("stop"); }, window, ordered}, board);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(order, (std::vector<std::string>{"stop", "suspend"}));
}

}  // namespace

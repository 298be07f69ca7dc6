// The countdown window from the real skin: only with the setting, its 90 frames
// decoded before they play and shown by the time since the start, Alt+F4, a
// second countdown, and the main window's start timer closing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "app/recording_ui/countdown_frames.h"
#include "app/recording_ui/countdown_ui.h"
#include "app/recording_ui/countdown_wnd.h"
#include "tests/app/recording_ui/message_sink.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

SettingRecord WithCountdown(bool on) {
    SettingRecord settings;
    settings.Check_Countdown = on;
    return settings;
}

int FrameNumber(const CDuiString& image) {
    int n = -1;
    return swscanf(image, L"countdown/%d.png", &n) == 1 ? n : -1;
}

}  // namespace

TEST(Countdown, NoWindowWithoutTheSetting) {
    EnsureTestSkin();
    EXPECT_EQ(ShowCountdown(nullptr, WithCountdown(false)), nullptr);
    EXPECT_EQ(FindWindowW(L"CountdownWnd", nullptr), nullptr);
}

// 30 ms a frame, 90 frames; a frame not decoded yet is never shown.
TEST(Countdown, TheFrameShownFollowsTheTimeSinceTheStart) {
    const struct {
        ULONGLONG elapsedMs;
        int decoded, frame;
    } cases[] = {
        {0, 90, 0},     {29, 90, 0},     {30, 90, 1},   {1500, 90, 50}, {2670, 90, 89},
        {2700, 90, 89}, {60000, 90, 89}, {1500, 10, 9}, {1500, 1, 0},   {0, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.elapsedMs << " ms, " << c.decoded << " decoded");
        EXPECT_EQ(CountdownFrameAt(c.elapsedMs, 30, 90, c.decoded), c.frame);
    }
}

// Every frame of the skin decoded once, the first before Start returns; a frame
// the skin lacks stays empty.
TEST(Countdown, FramesAreDecodedOnceInOrderBeforeTheyPlay) {
    EnsureTestSkin();
    std::mutex askedLock;
    std::vector<int> asked;
    CountdownFrames frames(91, [&](int n) {
        std::lock_guard<std::mutex> guard(askedLock);
        asked.push_back(n);
        CDuiString name;
        name.Format(L"countdown/%.3d.png", n);
        return std::wstring(name.GetData());
    });
    frames.Start();
    ASSERT_GE(frames.Decoded(), 1);
    ASSERT_NE(frames.Frame(0), nullptr);
    EXPECT_EQ(frames.Frame(0)->nX, 426);
    EXPECT_EQ(frames.Frame(0)->nY, 550);
    EXPECT_TRUE(frames.Frame(0)->bAlpha);
    ASSERT_TRUE(PumpUntil([&] { return frames.Decoded() == 91; }, 20000));
    for (int n = 0; n < 90; ++n) EXPECT_NE(frames.Frame(n), nullptr) << n;
    EXPECT_EQ(frames.Frame(90), nullptr) << "countdown/090.png is not in the skin";
    std::vector<int> once(91);
    for (int n = 0; n < 91; ++n) once[n] = n;
    std::lock_guard<std::mutex> guard(askedLock);
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ(asked, once) << "each frame once";
}

// A UI thread held up for 600 ms: the next step shows the frame of 600 ms or
// later (or the latest decoded one), not the one after the last shown.
TEST(Countdown, AHeldUpUiThreadSkipsFramesInsteadOfSlowingDown) {
    EnsureTestSkin();
    CCountdownWnd* countdown = ShowCountdown(nullptr, WithCountdown(true));
    ASSERT_NE(countdown, nullptr);
    CCountdownUI* animation = countdown->Animation();
    ASSERT_NE(animation, nullptr);
    EXPECT_EQ(FrameNumber(animation->FrameImage()), 0) << "the first frame from the start";
    Sleep(600);
    const int before = FrameNumber(animation->FrameImage());
    const int decoded = animation->Frames()->Decoded();  // the step sees at least these
    ASSERT_GE(decoded, 3) << "the worker decoded on while the UI thread slept";
    EXPECT_TRUE(PumpUntil([&] { return FrameNumber(animation->FrameImage()) != before; }));
    EXPECT_GE(FrameNumber(animation->FrameImage()), std::min(20, decoded - 1));
    CloseCountdown(countdown);
    EXPECT_TRUE(PumpUntil([] { return FindWindowW(L"CountdownWnd", nullptr) == nullptr; }));
}

TEST(Countdown, PlaysItsFramesOnceIgnoresAltF4AndCloses) {
    EnsureTestSkin();
    CCountdownWnd* countdown = ShowCountdown(nullptr, WithCountdown(true));
    ASSERT_NE(countdown, nullptr);
    HWND hwnd = countdown->GetHWND();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rc = {}, work = {};
    GetWindowRect(hwnd, &rc);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(rc.right - rc.left, 426);
    EXPECT_EQ(rc.bottom - rc.top, 550);
    EXPECT_NEAR((rc.left + rc.right) / 2, (work.left + work.right) / 2, 1) << "centred";
    EXPECT_NEAR((rc.top + rc.bottom) / 2, (work.top + work.bottom) / 2, 1);

    CCountdownUI* animation = countdown->Animation();
    ASSERT_NE(animation, nullptr);
    std::vector<int> seen;
    bool quit = false;
    PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpWatchingQuit(
        [&] {
            int n = FrameNumber(animation->FrameImage());
            if (n >= 0 && (seen.empty() || seen.back() != n)) seen.push_back(n);
            return !animation->IsAnimationRunning(CCountdownUI::kAnimationId);
        },
        8000, &quit);
    ASSERT_GT(seen.size(), 1u);
    EXPECT_EQ(seen.back(), 89) << "the last frame stays";
    for (size_t i = 1; i < seen.size(); ++i) EXPECT_GT(seen[i], seen[i - 1]);
    EXPECT_EQ(animation->FrameImage(), CDuiString(L"countdown/089.png"));
    EXPECT_FALSE(quit) << "Alt+F4 does not end the program's message loop";
    EXPECT_TRUE(IsWindow(hwnd)) << "nor the countdown: the main window ends it";

    Pump(50);
    const BYTE* bits = countdown->GetPaintManager()->GetPaintOffscreenBits();
    ASSERT_NE(bits, nullptr);
    const BYTE* middle = bits + (static_cast<size_t>(550 / 2) * 426 + 426 / 2) * 4;
    EXPECT_GT(middle[3], 0) << "the frame is painted";

    // A second start closes the first countdown; the main window's start timer the second.
    CCountdownWnd* next = ShowCountdown(countdown, WithCountdown(true));
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hwnd); }));
    MessageSink owner;
    owner.onMessage = [&](const PostedMessage& m) {
        if (m.msg == WM_TIMER && m.wParam == 1) CloseCountdown(next);
    };
    HWND nextWnd = next->GetHWND();
    const void* gone = nullptr;
    next->SetGoneNotice([&](const void* window) { gone = window; });
    PostMessageW(owner.hwnd(), WM_TIMER, 1, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(nextWnd); }));
    EXPECT_EQ(gone, static_cast<const void*>(next));
    EXPECT_EQ(FindWindowW(L"CountdownWnd", nullptr), nullptr);
}

// The countdown window from the real skin: only with the setting, its 90 frames,
// Alt+F4, a second countdown, and the main window's start timer closing it.
#include <gtest/gtest.h>

#include <vector>

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
    EXPECT_EQ(rc.right - rc.left, CCountdownWnd::kWidth);
    EXPECT_EQ(rc.bottom - rc.top, CCountdownWnd::kHeight);
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
    const BYTE* middle =
        bits +
        (static_cast<size_t>(CCountdownWnd::kHeight / 2) * CCountdownWnd::kWidth + CCountdownWnd::kWidth / 2) * 4;
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

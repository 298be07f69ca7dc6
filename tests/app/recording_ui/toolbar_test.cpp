// The recording toolbar as a real window from the real skin: where it goes, what
// its buttons reach, the time digits from another thread, Alt+F4 during a
// recording and the sliding at the screen edges.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app/recording_ui/toolbar_placement.h"
#include "common/record_globals.h"
#include "overlay/draw/draw_board_wnd.h"
#include "overlay/draw/drawbar_wnd.h"
#include "overlay/spotlight/spotlight_wnd.h"
#include "shell/custom_messages.h"
#include "tests/app/recording_ui/message_sink.h"
#include "tests/support/record_globals_reset.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

const RECT kScreen = {0, 0, 1280, 800};

struct RecordingObserver : ToolbarObserver {
    std::vector<std::string> calls;
    void onStopRecord() override { calls.push_back("stop"); }
    void onRecordStateChanged(int state) override { calls.push_back("state " + std::to_string(state)); }
};

// A bar for the area, as the main window makes it when the countdown ends.
class ToolbarFixture : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestSkin();
        testing_support::ResetRecordGlobals();
        g_recordeState = _RecordingState;
    }
    void TearDown() override {
        if (bar) DestroyWindow(bar->GetHWND());  // the object goes with its window
        testing_support::ResetRecordGlobals();
    }

    CToolbarWnd* Open(const RECT& area, bool show = true) {
        ToolbarSetup setup;
        setup.owner = sink.hwnd();
        setup.observer = &observer;
        setup.screen = kScreen;
        setup.area = area;
        setup.show = show;
        bar = CreateRecordToolbar(setup);
        if (bar) bar->GetPaintManager()->UpdateLayout();
        return bar;
    }
    RECT BarRect() const {
        RECT rc = {};
        GetWindowRect(bar->GetHWND(), &rc);
        return rc;
    }
    POINT CenterOf(LPCTSTR name) {
        RECT rc = bar->FindControl(name)->GetPos();
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    void Click(LPCTSTR name) { ClickAt(bar->GetHWND(), CenterOf(name)); }
    void MoveBarTo(int x, int y) {
        SetWindowPos(bar->GetHWND(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // What the bar's own timers do when they fire.
    void FireTimer(UINT_PTR id) { SendMessageW(bar->GetHWND(), WM_TIMER, id, 0); }

    MessageSink sink;
    RecordingObserver observer;
    CToolbarWnd* bar = nullptr;
};

struct PlacementCase {
    const char* what;
    RECT area;
    POINT expected;
};

}  // namespace

TEST(ToolbarPlacement, BelowAboveOrInsideTheArea) {
    const PlacementCase cases[] = {
        {"below, right-aligned", {100, 100, 700, 500}, {249, 510}},
        {"above when within 56 pixels of the bottom", {100, 300, 700, 745}, {249, 244}},
        {"inside when the area fills the screen", {0, 0, 1280, 800}, {829, 694}},
        {"below when it just fits", {300, 200, 900, 744}, {449, 754}},
    };
    for (const PlacementCase& c : cases) {
        POINT pt = ToolbarPosition(c.area, kScreen);
        EXPECT_EQ(pt.x, c.expected.x) << c.what;
        EXPECT_EQ(pt.y, c.expected.y) << c.what;
    }
}

TEST_F(ToolbarFixture, CreatedAgainstTheAreaTopMostAndShown) {
    ASSERT_NE(Open(RECT{0, 0, 1280, 800}), nullptr);
    RECT rc = BarRect();
    EXPECT_EQ(rc.left, 829);
    EXPECT_EQ(rc.top, 694);
    EXPECT_EQ(rc.right - rc.left, CToolbarWnd::kWidth);
    EXPECT_EQ(rc.bottom - rc.top, CToolbarWnd::kHeight);
    EXPECT_TRUE(IsWindowVisible(bar->GetHWND()));
    EXPECT_TRUE(GetWindowLongPtrW(bar->GetHWND(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    wchar_t name[32] = {};
    GetClassNameW(bar->GetHWND(), name, 32);
    EXPECT_STREQ(name, L"toolbar");

    const void* gone = nullptr;
    bar->SetGoneNotice([&](const void* window) { gone = window; });
    const void* self = bar;
    DestroyWindow(bar->GetHWND());
    bar = nullptr;
    EXPECT_EQ(gone, self) << "the owner hears of the bar before it deletes itself";
}

TEST_F(ToolbarFixture, ButtonsReachTheObserverAndTheMainWindow) {
    ASSERT_NE(Open(RECT{200, 100, 900, 500}), nullptr);
    auto* pause = static_cast<COptionUI*>(bar->FindControl(L"btn_pause"));
    Click(L"btn_pause");
    EXPECT_EQ(g_recordeState.load(), _PauseState);
    EXPECT_EQ(pause->GetToolTip(), CDuiString(L"恢复录制"));
    Click(L"btn_pause");
    EXPECT_EQ(g_recordeState.load(), _RecordingState);
    EXPECT_EQ(pause->GetToolTip(), CDuiString(L"暂停"));
    Click(L"btn_draw");
    Click(L"btn_spotlight");
    Click(L"btn_jietu");
    Click(L"btn_stop");
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"state 1", "state 0", "stop"}));
    Pump(20);
    std::vector<PostedMessage> flow = sink.Of(WM_SEL_AREA_FLOW);
    ASSERT_EQ(flow.size(), 2u);
    EXPECT_EQ(flow[0].wParam, 0u) << "the ants stop while paused";
    EXPECT_EQ(flow[1].wParam, 1u);
    EXPECT_EQ(sink.Of(WM_RECORD_SCREENSHOT).size(), 1u);
    EXPECT_TRUE(sink.Of(WM_DRAWBOARD_SHOW).empty()) << "a bar made without a board opens no drawing toolbar";

    Click(L"btn_return");
    Pump(20);
    std::vector<PostedMessage> show = sink.Of(WM_SHOW_MAIN_WINDOW);
    ASSERT_EQ(show.size(), 1u);
    EXPECT_EQ(show[0].wParam, 1u);
    EXPECT_FALSE(IsWindowVisible(bar->GetHWND())) << "the bar hides when the main window comes back";
}

TEST_F(ToolbarFixture, TimeDigitsFromTheProgressThreadChangeOnTheBarsThread) {
    ASSERT_NE(Open(RECT{200, 100, 900, 500}), nullptr);
    CControlUI* secondsUnits = bar->FindControl(L"bar_time_su");
    std::thread progress([&] { bar->SetTimeDigits(1, 0, 2, 3, 5, 9); });
    progress.join();
    EXPECT_STREQ(secondsUnits->GetBkImage(), L"other/0.png") << "nothing changes under the painting thread";
    EXPECT_TRUE(PumpUntil([&] { return wcscmp(secondsUnits->GetBkImage(), L"other/9.png") == 0; }));
    const wchar_t* labels[] = {L"bar_time_ht", L"bar_time_hu", L"bar_time_mt", L"bar_time_mu", L"bar_time_st"};
    const wchar_t* images[] = {L"other/1.png", L"other/0.png", L"other/2.png", L"other/3.png", L"other/5.png"};
    for (int i = 0; i < 5; ++i) EXPECT_STREQ(bar->FindControl(labels[i])->GetBkImage(), images[i]) << i;

    bar->SetTimeDigits(10, 0, 0, 0, 0, 1);  // 100 hours: the skin has no such digit, the label shows empty
    EXPECT_STREQ(bar->FindControl(L"bar_time_ht")->GetBkImage(), L"other/10.png") << "on the bar's thread: at once";

    bar->SetPauseSelected(true);
    auto* pause = static_cast<COptionUI*>(bar->FindControl(L"btn_pause"));
    EXPECT_TRUE(pause->IsSelected());
    EXPECT_EQ(pause->GetToolTip(), CDuiString(L"恢复录制"));
    bar->SetPauseSelected(false);
    EXPECT_FALSE(pause->IsSelected());
    EXPECT_TRUE(observer.calls.empty()) << "the main window's own pause is not reported back to it";
}

TEST_F(ToolbarFixture, AltF4DuringARecordingStopsItAndKeepsTheLoopRunning) {
    ASSERT_NE(Open(RECT{200, 100, 900, 500}), nullptr);
    HWND hwnd = bar->GetHWND();
    bool quit = false;
    PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpWatchingQuit([&] { return !observer.calls.empty(); }, 2000, &quit);
    EXPECT_EQ(observer.calls, std::vector<std::string>{"stop"});
    EXPECT_FALSE(quit) << "the program's message loop goes on";
    EXPECT_TRUE(IsWindow(hwnd)) << "the main window closes the bar as part of the stop";

    g_recordeState = _StopState;
    PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpWatchingQuit([] { return false; }, 100, &quit);
    EXPECT_EQ(observer.calls.size(), 1u) << "nothing to stop once stopped";
    EXPECT_TRUE(IsWindow(hwnd));
}

// The timers only start a slide; the bar then moves a stretch per tick of its
// own, so the UI thread answers other messages while it slides.
TEST_F(ToolbarFixture, ParkedAtAnEdgeItSlidesOutAndBackWhenTheCursorTouchesTheStrip) {
    ASSERT_NE(Open(RECT{200, 100, 900, 500}), nullptr);
    auto barAt = [&](LONG RECT::*edge, LONG where) { return PumpUntil([&] { return BarRect().*edge == where; }); };
    SetCursorPos(640, 400);
    MoveBarTo(0, 300);
    FireTimer(20);
    EXPECT_GT(BarRect().right, 8) << "the timer returns long before the slide ends";
    EXPECT_TRUE(barAt(&RECT::right, 8)) << "a strip of the bar stays at the left edge";
    EXPECT_EQ(BarRect().top, 300);
    SetCursorPos(4, 320);
    FireTimer(21);
    EXPECT_LT(BarRect().left, 0);
    EXPECT_TRUE(barAt(&RECT::left, 0)) << "touching the strip brings it back";

    SetCursorPos(640, 400);
    MoveBarTo(kScreen.right - CToolbarWnd::kWidth, 300);
    FireTimer(20);
    EXPECT_TRUE(barAt(&RECT::left, kScreen.right - 8)) << "the same at the right edge";
    SetCursorPos(kScreen.right - 3, 320);
    FireTimer(21);
    EXPECT_TRUE(barAt(&RECT::right, kScreen.right));

    SetCursorPos(640, 100);
    MoveBarTo(400, 300);
    FireTimer(20);
    Pump(100);
    EXPECT_EQ(BarRect().left, 400) << "a bar in the middle of the screen never slides";
}

// A slide that is under way ends where it was going, whatever the timers ask
// meanwhile; a bar dragged away during it stays where it was dragged.
TEST_F(ToolbarFixture, ASlideRunsToItsEndAndStopsWhenTheBarIsDragged) {
    ASSERT_NE(Open(RECT{200, 100, 900, 500}), nullptr);
    MoveBarTo(8 - CToolbarWnd::kWidth, 300);  // parked at the left edge
    SetCursorPos(4, 320);
    FireTimer(21);
    SetCursorPos(640, 400);
    FireTimer(20);  // would send a bar at the edge out again
    EXPECT_TRUE(PumpUntil([&] { return BarRect().left == 0; })) << "it comes all the way back first";

    SetCursorPos(640, 400);
    MoveBarTo(0, 300);
    FireTimer(20);
    MoveBarTo(500, 200);  // the user drags it off the edge mid-way
    Pump(100);
    EXPECT_EQ(BarRect().left, 500);
    EXPECT_EQ(BarRect().top, 200);
}

TEST_F(ToolbarFixture, AHiddenBarNeverSlides) {
    ASSERT_NE(Open(RECT{200, 100, 900, 500}, false), nullptr);
    EXPECT_FALSE(IsWindowVisible(bar->GetHWND()));
    SetCursorPos(640, 400);
    MoveBarTo(0, 300);
    FireTimer(20);
    EXPECT_EQ(BarRect().left, 0);
}

// Once the bar is up it makes the spotlight hidden over the area, so that the
// button only has to show it.
TEST_F(ToolbarFixture, TheSpotlightIsMadeHiddenOverTheAreaOnceTheBarIsUp) {
    const RECT area = {200, 100, 900, 500};
    g_rcSnapwick = area;
    ASSERT_NE(Open(area), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return bar->Spotlight() != nullptr; }));
    HWND spot = bar->Spotlight()->GetHWND();
    EXPECT_FALSE(IsWindowVisible(spot));
    RECT rc = {};
    GetWindowRect(spot, &rc);
    const RECT want = {area.left + 2, area.top + 2, area.right - 2, area.bottom - 2};
    EXPECT_TRUE(EqualRect(&rc, &want)) << "already in place";
    bar->ToggleSpotlight();
    EXPECT_TRUE(IsWindowVisible(spot));
    EXPECT_EQ(bar->Spotlight()->GetHWND(), spot) << "the same window, shown";
    EXPECT_TRUE(PumpUntil([] { return R(ScreenPixel(800, 450)) < 140; })) << "dark over the area";
    bar->ToggleSpotlight();
    EXPECT_FALSE(IsWindowVisible(spot));
}

// The drawing button opens the drawing toolbar over the board and closes it
// again; the spotlight is hidden when drawing starts and never shown with it.
TEST_F(ToolbarFixture, DrawingAndSpotlightOpenTheirWindowsOverTheBoard) {
    const RECT area = {200, 100, 900, 500};
    g_rcSnapwick = area;
    CDrawBoardWnd board;
    board.SetBoardRect(kScreen.left, kScreen.top, kScreen.right, kScreen.bottom);
    ASSERT_NE(board.Create(nullptr, CDrawBoardWnd::kCaption, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0,
                           kScreen.right, kScreen.bottom),
              nullptr);
    ToolbarSetup setup;
    setup.owner = sink.hwnd();
    setup.observer = &observer;
    setup.screen = kScreen;
    setup.area = area;
    setup.board = &board;
    bar = CreateRecordToolbar(setup);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetWindow(bar->GetHWND(), GW_OWNER), board.GetHWND()) << "the board is the bar's parent";

    bar->ToggleSpotlight();
    ASSERT_NE(bar->Spotlight(), nullptr);
    HWND spot = bar->Spotlight()->GetHWND();
    EXPECT_TRUE(IsWindowVisible(spot));
    RECT rc = {};
    GetWindowRect(spot, &rc);
    EXPECT_EQ(rc.left, area.left + 2);
    EXPECT_EQ(rc.bottom, area.bottom - 2);

    bar->ToggleDrawToolbar();
    ASSERT_NE(bar->DrawToolbar(), nullptr);
    HWND drawbar = bar->DrawToolbar()->GetHWND();
    EXPECT_TRUE(IsWindowVisible(drawbar));
    EXPECT_FALSE(IsWindowVisible(spot)) << "drawing and spotlight are not shown together";
    EXPECT_EQ(GetWindow(drawbar, GW_OWNER), board.GetHWND());
    Pump(20);
    std::vector<PostedMessage> shows = sink.Of(WM_DRAWBOARD_SHOW);
    ASSERT_EQ(shows.size(), 1u);
    EXPECT_EQ(shows[0].wParam, 1u);

    bar->ToggleDrawToolbar();
    EXPECT_EQ(bar->DrawToolbar(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(drawbar); }));
    shows = sink.Of(WM_DRAWBOARD_SHOW);
    ASSERT_EQ(shows.size(), 2u);
    EXPECT_EQ(shows[1].wParam, 0u);

    bar->ToggleDrawToolbar();
    drawbar = bar->DrawToolbar()->GetHWND();
    bar->CloseDrawToolbar();  // the recording stops
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(drawbar); }));
    EXPECT_EQ(bar->DrawToolbar(), nullptr) << "a toolbar that closed itself is forgotten";
    bar->ToggleSpotlight();
    EXPECT_TRUE(IsWindowVisible(spot)) << "shown again over the area";
    bar->ForwardSpotPoint(area.left + 300, area.top + 200);
    EXPECT_EQ(bar->Spotlight()->Spotlight()->GetSpotCenter().x, 298) << "the spot follows, in its own pixels";
    DestroyWindow(bar->GetHWND());
    bar = nullptr;
}

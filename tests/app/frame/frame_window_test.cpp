// The main window created in-process from the real skin, as the program creates
// it: its window, log file, tray icon, the effects of InitWindow's steps, the
// first area, the sound choice, the system menu while recording and the edge
// tracking against the real window. One window serves the whole suite.
#include <gtest/gtest.h>

#include <string>

#include "app/progress/progress_thread.h"
#include "app/region_edge.h"
#include "app/startup.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/program_path.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "shell/custom_messages.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/frame/main_window_fixture.h"
#include "tests/ui/ui_test_support.h"

extern "C" {
#include <libavformat/avformat.h>
}

using namespace frame_test;

namespace {

std::string Chs(const wchar_t* text) { return WideToChs(text); }

}  // namespace

TEST_F(MainWindowTest, CreatedAsTheProgramsMainWindow) {
    ASSERT_TRUE(createdParams.seen);
    EXPECT_EQ(createdParams.title, L"Tessel录屏");
    EXPECT_EQ(createdParams.style, 0x10CE0000u);
    EXPECT_EQ(createdParams.exStyle & ~WS_EX_WINDOWEDGE, 0u) << "the system adds the edge to framed windows";
    EXPECT_EQ(createdParams.parent, nullptr);
    EXPECT_EQ(createdParams.x, 0);
    EXPECT_EQ(createdParams.y, 0);
    EXPECT_EQ(createdParams.cx, 858);
    EXPECT_EQ(createdParams.cy, 300);

    EXPECT_EQ(FindWindowW(L"roverudedudovo", nullptr), Hwnd());
    wchar_t title[64] = {};
    GetWindowTextW(Hwnd(), title, 64);
    EXPECT_STREQ(title, L"Tessel录屏");
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
    EXPECT_TRUE(GetClassLongPtrW(Hwnd(), GCL_STYLE) & CS_DBLCLKS);
    EXPECT_FALSE(GetWindowLongPtrW(Hwnd(), GWL_STYLE) & WS_MAXIMIZEBOX);
    // Centred on the (only, primary) monitor with its collapsed size.
    const RECT& screen = frame->MonitorUnion();
    RECT rc = WindowRect(Hwnd());
    EXPECT_EQ(rc.right - rc.left, 858);
    EXPECT_EQ(rc.bottom - rc.top, 300);
    EXPECT_EQ(rc.left, (screen.right - 858) / 2);
    EXPECT_EQ(rc.top, (screen.bottom - 300) / 2);
}

TEST_F(MainWindowTest, LogFileNamedByTheStartTimeBesideTheProgram) {
    std::string path = g_logger.Path();
    std::string folder = GetProgramFolderA() + "logger\\log";
    ASSERT_EQ(path.compare(0, folder.size(), folder), 0) << path;
    std::string stamp = path.substr(folder.size());
    ASSERT_EQ(stamp.size(), 18u) << path;  // yyyymmddhhmmss.txt
    EXPECT_EQ(stamp.find_first_not_of("0123456789"), 14u);
    EXPECT_EQ(stamp.substr(14), ".txt");
    std::vector<std::string> lines = LogLines();
    ASSERT_FALSE(lines.empty());
    const std::string first = Chs(L"初始化日志");
    EXPECT_EQ(lines[0].substr(lines[0].size() - first.size()), first) << "the first line";
}

TEST_F(MainWindowTest, TrayIconShown) {
    EXPECT_TRUE(frame->IsTrayIconShown());
    EXPECT_TRUE(TrayIconExists(Hwnd(), 101));
}

TEST_F(MainWindowTest, InitWindowStepsInTheirOrder) {
    const char* where = "CVistrelFrame::InitWindow";
    const std::string steps[] = {
        "[CHotKeySetting::Init] 6 of 6 hotkeys registered",
        "[CVistrelFrame::InitDevices] [cameras]",
        "[PlanTaskManager] LoadTasks [tasks]",
        "[CVistrelFrame::InitWindow] end",
    };
    int at = logStart;
    for (const std::string& step : steps) {
        int found = LogLineIndex(step, at);
        EXPECT_GT(found, at - 1) << step;
        if (found >= 0) at = found + 1;
    }
    EXPECT_NE(frame->Recorder(), nullptr) << "the recorder is made before the devices are listed";
    ASSERT_NE(frame->ProgressThread(), nullptr);
    EXPECT_TRUE(ui_test::PumpUntil([] { return frame->ProgressThread()->PassCount() > 0; }, 5000))
        << "the progress thread runs";
    EXPECT_NE(av_find_input_format("dshow"), nullptr) << "FFmpeg's devices are registered";
    EXPECT_TRUE(recordAtStartQueued) << "Check_AutoStartup posts WM_RECORD_AT_START";
    DuiLib::CControlUI* monitorSet = frame->FindControl(L"monitor_set");
    ASSERT_NE(monitorSet, nullptr);
    EXPECT_FALSE(monitorSet->IsVisible()) << "one monitor: no monitor choice";
    // The default 900 x 600 area, centred across, at the top: it does not fit above
    // the window with the margins.
    const RECT expected = {190, 0, 1090, 600};
    EXPECT_TRUE(EqualRect(&firstArea, &expected))
        << firstArea.left << "," << firstArea.top << "," << firstArea.right << "," << firstArea.bottom;
}

TEST_F(MainWindowTest, TheRegionFrameWaitsHiddenOverTheDesktop) {
    HWND region = FindWindowW(L"selarea_wnd", nullptr);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(GetWindow(region, GW_OWNER), Hwnd());
    EXPECT_FALSE(IsWindowVisible(region));
    wchar_t title[32] = {};
    GetWindowTextW(region, title, 32);
    EXPECT_STREQ(title, L"选择区域");
    EXPECT_TRUE(GetWindowLongPtrW(region, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    RECT rc = WindowRect(region);
    EXPECT_TRUE(EqualRect(&rc, &frame->MonitorUnion()));
}

// Every hotkey was free, so the conflict notice after start stays away.
TEST_F(MainWindowTest, NoHotkeyNoticeWhenEveryKeyIsRegistered) {
    ui_test::Pump(1000);
    EXPECT_EQ(FindWindowW(L"HotkeyTipWnd", nullptr), nullptr);
}

TEST_F(MainWindowTest, FirstAreaFromTheStoredSize) {
    struct Case {
        const wchar_t *width, *height;
        RECT area;
    } cases[] = {
        {L"640", L"360", {320, 55, 960, 415}},  // fits above the window: centred with it
        {L"0", L"0", {565, 160, 715, 310}},     // 150 x 150
        {L"5000", L"-1", {0, 160, 1280, 310}},  // as wide as the desktop, 150 high
        {nullptr, nullptr, {190, 0, 1090, 600}},
    };
    for (const Case& c : cases) {
        RemoveIniFiles();
        if (c.width) WriteMainIni(L"SelArea", L"SelAreaW", c.width);
        if (c.height) WriteMainIni(L"SelArea", L"SelAreaH", c.height);
        SetWindowPos(Hwnd(), nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        frame->LoadSelAreaSize();
        frame->PlaceInitialArea();
        EXPECT_TRUE(EqualRect(&g_rcSnapwick, &c.area))
            << g_rcSnapwick.left << "," << g_rcSnapwick.top << "," << g_rcSnapwick.right << "," << g_rcSnapwick.bottom;
        RECT rc = WindowRect(Hwnd());
        EXPECT_EQ(rc.left, 211);
        EXPECT_EQ(rc.bottom - rc.top, 300);
    }
    RemoveIniFiles();
}

TEST_F(MainWindowTest, SoundChoiceFromTheIniFile) {
    DuiLib::CControlUI* label = frame->FindControl(L"btn_main_audio_txt");
    ASSERT_NE(label, nullptr);
    struct Case {
        const wchar_t* stored;  // nullptr: no key
        int32_t sourcesBefore, sourcesAfter;
        const wchar_t* labelAfter;  // nullptr: unchanged
    } cases[] = {
        {L"1", 0, 4, L"系统声音"},
        {L"2", 0, 8, L"麦克风"},
        {L"2", 8 | 1, 8 | 1, L"麦克风"},  // a set bit stays one bit
        {L"3", 4, 12, L"系统和麦克"},
        {L"4", 12 | 1, 1, L"不录声音"},
        {L"4", 0, 0, L"不录声音"},
        {L"7", 0, 4, nullptr},
        {L"abc", 0, 4, nullptr},
        {nullptr, 0, 4, nullptr},  // nothing stored: the test prefix has a playback endpoint
    };
    for (const Case& c : cases) {
        RemoveIniFiles();
        if (c.stored) WriteMainIni(L"Info", L"MainAudioSel", c.stored);
        label->SetText(L"unchanged");
        g_recordSources = c.sourcesBefore;
        frame->LoadMainAudioChoice();
        const std::string name = c.stored ? WideToUtf8(c.stored) : "missing";
        EXPECT_EQ(g_recordSources, c.sourcesAfter) << name;
        EXPECT_STREQ(label->GetText(), c.labelAfter ? c.labelAfter : L"unchanged") << name;
    }
    EXPECT_EQ(frame->MainAudioChoice(), 0) << "the choice last read (abc)";
    RemoveIniFiles();
}

TEST_F(MainWindowTest, MinimiseWhileRecordingParksTheWindowAndBringsItBack) {
    SetWindowPos(Hwnd(), nullptr, 211, 250, 858, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    g_recordeState = _RecordingState;
    SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    RECT parked = WindowRect(Hwnd());
    EXPECT_EQ(parked.left, -10000);
    EXPECT_EQ(parked.top, -10000);
    EXPECT_EQ(parked.right - parked.left, 858);
    EXPECT_FALSE(IsIconic(Hwnd())) << "never minimised by the system while recording";

    SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    RECT back = WindowRect(Hwnd());
    EXPECT_EQ(back.left, 211);
    EXPECT_EQ(back.top, 250);
    EXPECT_TRUE(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    SetWindowPos(Hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
    EXPECT_TRUE(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    g_recordeState = _StopState;
    SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(Hwnd())) << "stopped: an ordinary minimise";
    ShowWindow(Hwnd(), SW_RESTORE);
    SetWindowPos(Hwnd(), HWND_NOTOPMOST, 211, 250, 858, 300, SWP_NOACTIVATE);
    EXPECT_FALSE(IsIconic(Hwnd()));
}

TEST_F(MainWindowTest, EdgeTrackingForcesTheSizingCursorAndGivesItBack) {
    RecordingShell shell;
    ShowWindow(Hwnd(), SW_SHOWNORMAL);
    SetWindowPos(Hwnd(), HWND_TOP, 211, 250, 858, 300, 0);
    const RECT region = {300, 300, 700, 500};  // over the main window
    const std::string replaceWE[] = {ReplaceCall(IDC_SIZEWE, 32512), ReplaceCall(IDC_SIZEWE, 32513)};

    EXPECT_EQ(frame->HitTestRegionEdge(region, 3, true, 300, 400), kSelLeft);
    EXPECT_TRUE(shell.calls.empty()) << "a test-only hit changes no cursor";

    EXPECT_EQ(frame->HitTestRegionEdge(region, 3, false, 300, 400), kSelLeft);
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[0], replaceWE[0]) << "the normal arrow";
    EXPECT_EQ(shell.calls[1], replaceWE[1]) << "the text cursor";
    EXPECT_EQ(ForcedSystemCursor(), IDC_SIZEWE);

    EXPECT_EQ(frame->HitTestRegionEdge(region, 3, false, 701, 450), kSelRight);
    EXPECT_EQ(shell.calls.size(), 2u) << "the same cursor is not forced again";

    EXPECT_EQ(frame->HitTestRegionEdge(region, 3, false, 698, 498), kSelBottomRight);
    EXPECT_EQ(ForcedSystemCursor(), IDC_SIZENWSE);
    ASSERT_EQ(shell.calls.size(), 4u);

    EXPECT_EQ(frame->HitTestRegionEdge(region, 3, false, 500, 400), kSelMove) << "the square in the middle";
    EXPECT_EQ(ForcedSystemCursor(), IDC_SIZENWSE) << "the cursor is left to the region frame there";
    EXPECT_EQ(frame->HitTestRegionEdge(region, 3, false, 400, 350), kSelNone);
    EXPECT_EQ(shell.calls.back(), "reset");
    EXPECT_EQ(ForcedSystemCursor(), nullptr);

    frame->HitTestRegionEdge(region, 3, false, 300, 400);
    EXPECT_EQ(ForcedSystemCursor(), IDC_SIZEWE);
    const RECT elsewhere = {1100, 600, 1200, 700};  // away from the window
    EXPECT_EQ(frame->HitTestRegionEdge(elsewhere, 3, false, 1100, 650), kSelNone)
        << "an edge over another window is not ours";
    EXPECT_EQ(shell.calls.back(), "reset");
    EXPECT_EQ(ForcedSystemCursor(), nullptr);
}

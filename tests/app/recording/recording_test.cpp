// Recordings started, paused, split and stopped through the main window, as the
// user and the hotkeys drive it, with the files read back with FFmpeg.
#include <gtest/gtest.h>

#include "app/capture_devices.h"
#include "app/lists/file_lists.h"
#include "common/posted_records.h"
#include "common/program_path.h"
#include "common/record_globals.h"
#include "common/record_request.h"
#include "common/text_convert.h"
#include "engine/vistreler.h"
#include "shell/custom_messages.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/recording/noise_window.h"
#include "tests/app/recording/recording_fixture.h"
#include "tests/engine/media_probe.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;
using namespace DuiLib;

namespace {

bool IsShown(const wchar_t* className) {
    HWND window = FindWindowW(className, nullptr);
    return window && IsWindowVisible(window);
}

COptionUI* Option(CVistrelFrame* frame, LPCTSTR name) {
    return static_cast<COptionUI*>(frame->FindControl(name)->GetInterface(L"Option"));
}

void ClickControl(CVistrelFrame* frame, LPCTSTR name) {
    frame->GetPaintManager()->UpdateLayout();
    RECT rc = frame->FindControl(name)->GetPos();
    ui_test::ClickAt(frame->GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

int WindowHeight(HWND hwnd) {
    RECT rc = {};
    GetWindowRect(hwnd, &rc);
    return rc.bottom - rc.top;
}

}  // namespace

TEST_F(RecordingTest, StartWithoutAModeOnlyShowsTheTip) {
    DialogCloser closer(L"MsgTipWnd", L"RecordStartErrorDialog", 0);
    frame->OnClickStartRecord();
    EXPECT_TRUE(closer.Seen()) << "录制前请选择一种录制模式";
    EXPECT_EQ(g_recordeState, _StopState);
    EXPECT_FALSE(frame->IsRecordingUnderWay());
    EXPECT_TRUE(Recordings().empty());
}

// Game mode finds no game window to record: the record button asks whether to
// record the screen instead. Cancelled, nothing changes and nothing is recorded;
// confirmed, full screen is chosen and the next start records the whole screen.
TEST_F(RecordingTest, AStartInGameModeAsksAndThenRecordsTheScreen) {
    ChooseFullScreen(false);
    ClickControl(frame, L"btn_game_record");
    ASSERT_EQ(g_userSelMode, kSelModeGame);
    {
        DialogCloser closer(L"GameRecordTipWnd", L"GameRecordTipDialog", 0);
        frame->OnClickStartRecord();
        EXPECT_TRUE(closer.Seen()) << "未检测到游戏窗口，是否使用屏幕录制模式？";
    }
    ui_test::PumpUntil([] { return GetQueueStatus(QS_ALLINPUT) == 0; });
    EXPECT_EQ(g_userSelMode, kSelModeGame) << "cancelled: still game mode";
    EXPECT_FALSE(frame->IsRecordingUnderWay());
    {
        DialogCloser closer(L"GameRecordTipWnd", L"GameRecordTipDialog", 1);
        frame->OnClickStartRecord();
        EXPECT_TRUE(closer.Seen());
    }
    EXPECT_FALSE(frame->IsRecordingUnderWay()) << "confirmed: the user starts again";
    ASSERT_TRUE(WaitFor([] { return g_userSelMode == kSelModeFullScreen; })) << "full screen is chosen";
    EXPECT_TRUE(Option(frame, L"btn_all_screen")->IsSelected());
    EXPECT_TRUE(Recordings().empty());

    frame->OnClickStartRecord();
    ASSERT_TRUE(WaitUntilRecording());
    ASSERT_TRUE(WaitFor([] { return frame->Recorder()->m_uTimeNum >= 1; }));
    frame->onStopRecord();
    ASSERT_TRUE(WaitForFinishedFiles());
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 1u);
    ProbedFile file = ProbeFile(OutputFile(files[0]));
    ASSERT_TRUE(file.opened);
    const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->width, GetSystemMetrics(SM_CXSCREEN)) << "the whole screen";
    EXPECT_EQ(video->height, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_NE(frame->FileLists()->Videos().count(files[0]), 0u) << "and listed";
}

namespace {

// Capture devices as the tests want them, in place of the system's.
class ListedDevices : public CaptureDeviceSource {
public:
    std::vector<std::wstring> video, audio;
    std::vector<std::wstring> CaptureFilters(bool wantAudio) override { return wantAudio ? audio : video; }
    std::vector<EndpointName> Endpoints(EndpointDirection, bool) override { return {}; }
    std::wstring DefaultCaptureEndpoint() override { return L""; }
};

}  // namespace

// A start refused for want of a device says why, in the window's words; nothing
// is recorded and the next start works again.
TEST_F(RecordingTest, RefusedStartsTellTheUserWhy) {
    struct Case {
        const char* what;
        std::vector<std::wstring> video, audio;
        bool soundOnly;
        const wchar_t* tip;
    } cases[] = {
        {"capture devices not registered", {}, {}, false, L"未找到录屏设备，请按说明文件注册录屏组件"},
        {"sound only without a sound device", {L"screen-capture-recorder"}, {}, true, L"未找到声音设备，无法录制声音"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListedDevices devices;
        devices.video = c.video;
        devices.audio = c.audio;
        frame->InitDevices(devices);
        ChooseFullScreen(false);
        if (c.soundOnly) {
            g_userSelMode = kSelModeSoundOnly;
            g_recordSources = kSourceSystemSound | kSourceMicrophone;
        }
        const int logAt = LogSize();
        {
            DialogCloser closer(L"MsgTipWnd", L"RecordStartErrorDialog", 1);
            frame->OnClickStartRecord();
            EXPECT_TRUE(closer.Seen()) << "a tip";
        }
        EXPECT_GE(LogLineIndex("[tip]" + WideToUtf8(c.tip), logAt), 0) << "and why";
        EXPECT_FALSE(frame->IsRecordingUnderWay());
        EXPECT_TRUE(Recordings().empty());
    }
    SystemCaptureDevices system;
    frame->InitDevices(system);
    ChooseFullScreen(false);
    frame->OnClickStartRecord();
    ASSERT_TRUE(WaitUntilRecording()) << "with its devices back it records";
    frame->onStopRecord();
    ASSERT_TRUE(WaitForFinishedFiles());
    EXPECT_EQ(Recordings().size(), 1u);
}

// A microphone name that no device has: the recorder cannot open it (FFmpeg's
// -5), nothing starts and the user is told where to change the device.
TEST_F(RecordingTest, AMicrophoneThatDoesNotExistShowsTheDeviceTip) {
    ChooseFullScreen(true);
    WriteMainIni(L"Audio", L"MicVolume", L"no-such-microphone");
    Configure([](SettingRecord& s) { s.Check_Countdown = true; });
    CVistreler* recorder = frame->Recorder();
    DialogCloser closer(L"TipBoxDlg", L"TipBoxDlg", 1);
    frame->OnClickStartRecord();
    ASSERT_TRUE(WaitFor([&] { return closer.Seen(); })) << "told once the device has failed";
    EXPECT_EQ(g_lastDeviceOpenError, 0) << "the error was taken";
    EXPECT_FALSE(frame->IsRecordingUnderWay()) << "nothing armed";
    EXPECT_EQ(frame->Recorder(), recorder) << "the same recorder stays for the next attempt";
    EXPECT_TRUE(Recordings().empty());
    EXPECT_TRUE(IsWindowVisible(Hwnd())) << "the main window is back as it was";
    EXPECT_TRUE(frame->FindControl(L"start")->IsVisible());
    EXPECT_EQ(FindWindowW(L"CountdownWnd", nullptr), nullptr) << "the countdown went";
    ui_test::Pump(3500);  // past the countdown's time
    EXPECT_EQ(g_recordeState, _StopState);
    EXPECT_FALSE(IsShown(L"toolbar"));
}

// The start is called, not clicked: a click's own message pumping could reach the
// end of the countdown before the test looks at it.
TEST_F(RecordingTest, FullScreenFromStartThroughPauseAndScreenshotToStop) {
    Configure([](SettingRecord& s) { s.Check_Countdown = true; });
    ChooseFullScreen(true);
    frame->OnClickStartRecord();
    ASSERT_TRUE(Armed()) << "the countdown runs";
    EXPECT_TRUE(IsShown(L"CountdownWnd"));
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    EXPECT_FALSE(IsShown(L"toolbar"));

    // Neither a second start nor a scheduled one touches the armed recording.
    CVistreler* recorder = frame->Recorder();
    const int logAt = LogSize();
    frame->OnClickStartRecord();
    RecordRequest request;
    request.record_area = 0;
    request.audio_input = 2;
    request.complete_option = L"关机";
    SendRequest(request);
    EXPECT_GE(LogLineIndex("a recording is under way: the scheduled start is refused", logAt), 0);
    EXPECT_GE(LogLineIndex("a recording is under way: the start is refused", logAt), 0);
    EXPECT_EQ(frame->Recorder(), recorder);
    EXPECT_EQ(g_userSelMode, kSelModeFullScreen);
    EXPECT_EQ(frame->PlanTaskParam().complete_option, L"不做任何操作");
    EXPECT_EQ(LivePostedRecordCount(), 0u) << "the refused request was freed";

    ASSERT_TRUE(WaitUntilRecording());
    EXPECT_FALSE(IsShown(L"CountdownWnd")) << "timer 1 closed the countdown";
    EXPECT_TRUE(IsShown(L"toolbar"));
    ASSERT_TRUE(WaitFor([] { return frame->Recorder()->m_uTimeNum >= 2; })) << "the progress ticks";
    EXPECT_STRNE(frame->FindControl(L"time_su")->GetBkImage(), L"other/0.png");
    EXPECT_FALSE(frame->FindControl(L"filesize")->GetText().IsEmpty());

    SendHotkey(L"Ts_RecordReStart_Hotkey");
    EXPECT_EQ(g_recordeState, _PauseState);
    EXPECT_TRUE(Option(frame, L"btn_pause")->IsSelected());
    EXPECT_STREQ(Option(frame, L"btn_pause")->GetText(), L"恢复");
    SendHotkey(L"Ts_RecordReStart_Hotkey");
    EXPECT_EQ(g_recordeState, _RecordingState);
    EXPECT_STREQ(Option(frame, L"btn_pause")->GetText(), L"暂停");

    SendHotkey(L"Ts_ScreenShot_Hotkey");
    ASSERT_TRUE(WaitFor([] { return frame->FileLists()->Pictures().size() == 1; })) << "the screenshot is listed";
    const PicRow& picture = frame->FileLists()->Pictures().begin()->second;
    EXPECT_TRUE(testing_support::FileExists(picture.path));

    frame->OnClickStartRecord();
    EXPECT_EQ(g_recordeState, _RecordingState) << "a start while recording is refused";
    EXPECT_EQ(frame->Recorder(), recorder);

    DialogCloser refusedTaskTip(L"MsgTipWnd", L"RecordTipDialog", 1);
    SendHotkey(L"Ts_RecordStart_Hotkey");  // the record hotkey stops
    EXPECT_EQ(g_recordeState, _StopState);
    EXPECT_FALSE(frame->IsRecordingUnderWay());
    EXPECT_TRUE(WaitFor([&] { return refusedTaskTip.Seen(); })) << "the task refused while recording is told now";
    ASSERT_TRUE(WaitForFinishedFiles());
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 1u);
    ProbedFile file = ProbeFile(OutputFile(files[0]));
    ASSERT_TRUE(file.opened);
    ASSERT_NE(file.Find(AVMEDIA_TYPE_VIDEO), nullptr);
    ASSERT_NE(file.Find(AVMEDIA_TYPE_AUDIO), nullptr) << "the test tone as the microphone";
    EXPECT_GT(file.Find(AVMEDIA_TYPE_VIDEO)->Seconds(), 1.0);
    const auto& videos = frame->FileLists()->Videos();
    auto listed = videos.find(files[0]);
    ASSERT_NE(listed, videos.end()) << "the finished recording is listed";
    EXPECT_EQ(listed->second.duration.substr(0, 6), L"00:00:");
    EXPECT_FALSE(listed->second.size.empty());
    EXPECT_NE(frame->Recorder(), nullptr);
    EXPECT_TRUE(frame->Recorder()->FinishedPath().empty()) << "a fresh recorder";
    EXPECT_EQ(frame->Recorder()->m_nSaveFileSize, 0u);
    EXPECT_TRUE(WaitFor([] { return FindWindowW(L"toolbar", nullptr) == nullptr; })) << "the toolbar went";
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
    EXPECT_EQ(WindowHeight(Hwnd()), 760) << "opened on the lists";
    EXPECT_TRUE(Option(frame, L"btn_videolist")->IsSelected());
    EXPECT_TRUE(frame->FindControl(L"start")->IsVisible());
    EXPECT_FALSE(frame->FindControl(L"btn_stop")->IsVisible());
    EXPECT_STREQ(frame->FindControl(L"time_su")->GetBkImage(), L"other/0.png");
}

// The countdown shows before the devices are opened (they wait for their first
// data, up to a second), and they are opened off the window's thread.
TEST_F(RecordingTest, TheCountdownShowsBeforeTheDevicesOpen) {
    Configure([](SettingRecord& s) { s.Check_Countdown = true; });
    ChooseFullScreen(true);
    const int logAt = LogSize();
    frame->OnClickStartRecord();
    ASSERT_TRUE(Armed());
    EXPECT_TRUE(IsShown(L"CountdownWnd"));
    ASSERT_TRUE(WaitUntilRecording());
    const int shown = LogLineIndex("the countdown shows", logAt);
    const int opened = LogLineIndex("[CGetVideoThread::init] end", logAt);
    ASSERT_GE(shown, 0);
    ASSERT_GE(opened, 0);
    EXPECT_LT(shown, opened);
    frame->onStopRecord();
    EXPECT_EQ(Recordings().size(), 1u);
}

// The record hotkey during the countdown stops the recording being armed: its
// file is finished and listed, and the countdown's end starts nothing.
TEST_F(RecordingTest, AStopDuringTheCountdownFinishesTheFile) {
    Configure([](SettingRecord& s) { s.Check_Countdown = true; });
    ChooseFullScreen(false);
    frame->OnClickStartRecord();
    ASSERT_TRUE(Armed());
    ui_test::Pump(500);
    SendHotkey(L"Ts_RecordStart_Hotkey");
    EXPECT_FALSE(frame->IsRecordingUnderWay());
    EXPECT_TRUE(WaitFor([] { return FindWindowW(L"CountdownWnd", nullptr) == nullptr; })) << "the countdown went";
    ASSERT_TRUE(WaitForFinishedFiles());
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(ProbeFile(OutputFile(files[0])).opened) << "a finished file";
    ui_test::Pump(3500);  // past the countdown's end
    EXPECT_EQ(g_recordeState, _StopState);
    EXPECT_FALSE(IsShown(L"toolbar"));
    EXPECT_EQ(Recordings().size(), 1u);
}

// Noise on the screen makes the parts' 1 MiB quickly.
TEST_F(RecordingTest, SplitBySizeMakesPartsThatAreAllListed) {
    Configure([](SettingRecord& s) {
        s.Division = true;
        s.Check_division = 1;
        s.Division_size = 1;  // MiB
    });
    NoiseWindow noise({100, 100, 1180, 700});
    ChooseFullScreen(false);
    frame->OnClickStartRecord();
    ASSERT_TRUE(WaitUntilRecording());
    ASSERT_TRUE(WaitFor([this] { return Recordings().size() >= 2; }, 60000)) << "a second part begins";
    ASSERT_TRUE(WaitFor([this] { return frame->FileLists()->Videos().count(Recordings().front()) == 1; }))
        << "the first part is listed as soon as it is finished";
    frame->onStopRecord();
    ASSERT_TRUE(WaitForFinishedFiles());
    const std::vector<std::wstring> files = Recordings();
    ASSERT_GE(files.size(), 2u);
    int emptyParts = 0;  // at most the last
    for (const std::wstring& name : files) {
        SCOPED_TRACE(WideToUtf8(name));
        EXPECT_NE(name.find(L" Part "), std::wstring::npos);
        ProbedFile part = ProbeFile(OutputFile(name));
        ASSERT_TRUE(part.opened);
        const ProbedStream* video = part.Find(AVMEDIA_TYPE_VIDEO);
        ASSERT_NE(video, nullptr);
        // a part opened by a split just before the stop may hold no picture: it plays nothing and is not listed
        if (video->pts.empty() && ++emptyParts == 1) continue;
        EXPECT_NE(frame->FileLists()->Videos().count(name), 0u) << "listed";
    }
}

// Splits posted by another program while recording (no split is set up) make no
// parts: the recording stays one file.
TEST_F(RecordingTest, SplitMessagesFromElsewhereMakeNoParts) {
    ChooseFullScreen(false);
    frame->OnClickStartRecord();
    ASSERT_TRUE(WaitUntilRecording());
    const int logAt = LogSize();
    for (int i = 0; i < 20; ++i) PostMessageW(Hwnd(), WM_SPLITFILE_MSG, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return LogLineIndex("no split is due: the message is ignored", logAt) >= 0; }));
    ui_test::Pump(1500);
    EXPECT_EQ(Recordings().size(), 1u) << "still one file";
    frame->onStopRecord();
    ASSERT_TRUE(WaitForFinishedFiles());
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(ProbeFile(OutputFile(files[0])).opened);
}

namespace {
size_t LogBytes() {
    size_t bytes = 0;
    for (const std::string& line : LogLines()) bytes += line.size() + 2;
    return bytes;
}
}  // namespace

// "videolist.txt" that cannot be written (here a folder of that name): the
// recording is kept, shown in the list, and the user is told once.
TEST_F(RecordingTest, AListThatCannotBeWrittenIsToldOnceAndTheRecordingKept) {
    const std::wstring list = GetAppFilePath(L"videolist.txt");
    testing_support::DeleteFileIfExists(list);
    ASSERT_TRUE(CreateDirectoryW(list.c_str(), nullptr));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ChooseFullScreen(false);
        frame->OnClickStartRecord();
        ASSERT_TRUE(WaitUntilRecording());
        ui_test::Pump(1200);
        DialogCloser closer(L"MsgTipWnd", L"RecordTipDialog", 1);
        frame->onStopRecord();
        ASSERT_TRUE(WaitForFinishedFiles());
        EXPECT_EQ(closer.Seen(), round == 0) << "told the first time only";
    }
    EXPECT_GE(LogLineIndex("videolist.txt cannot be written: the recording is kept"), 0);
    RemoveDirectoryW(list.c_str());
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 2u);
    for (const std::wstring& name : files) EXPECT_NE(frame->FileLists()->Videos().count(name), 0u) << "listed";
}

// A list file of random bytes costs the log at most a line.
TEST_F(RecordingTest, AListFileOfRandomBytesIsNotCopiedIntoTheLog) {
    std::string noise(1 << 20, '\0');
    uint32_t x = 12345;
    for (char& c : noise) {
        x = x * 1664525u + 1013904223u;
        c = static_cast<char>(x >> 24);
    }
    const std::wstring list = GetAppFilePath(L"videolist.txt");
    ASSERT_TRUE(testing_support::WriteFileBytes(list, noise));
    const size_t before = LogBytes();
    frame->FileLists()->LoadVideoList();
    EXPECT_LT(LogBytes() - before, 1000u);
    testing_support::DeleteFileIfExists(list);
    frame->FileLists()->LoadVideoList();
}

// An automatic stop after 2 seconds that puts the machine to sleep (through the
// power actions the test replaced); messages left over afterwards do nothing.
TEST_F(RecordingTest, AutomaticStopByTimeEndsTheRecordingWithItsAction) {
    AutoStopOptions options;
    options.enabled = true;
    options.byTime = true;
    options.seconds = 2;
    options.action = L"睡眠";
    frame->ProgressBoard().SetAutoStopOptions(options);
    ChooseFullScreen(false);
    ClickControl(frame, L"start");  // the record button
    ASSERT_TRUE(WaitFor([] { return g_recordeState == _StopState && !frame->IsRecordingUnderWay(); }))
        << "stopped by itself";
    EXPECT_EQ(power.suspends, 1);
    EXPECT_EQ(power.shutdowns, 0);
    EXPECT_FALSE(frame->ProgressBoard().GetAutoStopOptions().enabled) << "it held for one recording";
    ASSERT_TRUE(WaitForFinishedFiles());
    const std::vector<std::wstring> files = Recordings();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(frame->FileLists()->Videos().count(files[0]), 0u);
    ProbedFile file = ProbeFile(OutputFile(files[0]));
    ASSERT_TRUE(file.opened);
    EXPECT_GT(file.Find(AVMEDIA_TYPE_VIDEO)->Seconds(), 2.0);

    frame->ProgressBoard().SetAutoStopOptions(options);
    const int logAt = LogSize();
    PostMessageW(Hwnd(), WM_AUTO_STOP_REACHED, 0, 0);
    PostMessageW(Hwnd(), WM_PLAN_DURATION_REACHED, 0, 0);
    PostMessageW(Hwnd(), WM_SPLITFILE_MSG, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return LogLineIndex("no recording runs: the split is dropped", logAt) >= 0; }));
    EXPECT_EQ(power.suspends, 1) << "no completion action without a recording it stopped";
    EXPECT_LT(LogLineIndex("[CVistrelFrame::onStopRecord] start", logAt), 0);
    EXPECT_TRUE(frame->ProgressBoard().GetAutoStopOptions().enabled) << "nothing was reset";
    EXPECT_EQ(Recordings().size(), 1u);
}

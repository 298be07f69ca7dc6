// The main window's end: destroying it while a recording runs finishes the file,
// removes the tray icon, saves the area, gives the desktop back and ends the
// message loop; deleting it releases the settings.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/startup.h"
#include "app/vistrel_frame.h"
#include "common/program_path.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "common/text_convert.h"
#include "engine/vistreler.h"
#include "shell/custom_messages.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/engine/media_probe.h"
#include "tests/fixtures/fixture_devices.h"
#include "tests/support/record_globals_reset.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;

namespace {

int IndexOf(const std::vector<std::string>& calls, const std::string& call) {
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i] == call) return static_cast<int>(i);
    return -1;
}

// Sound only, from the test microphone, the way the recording control drives the
// frame's recorder: opened, started, counted down, recording.
void StartMicrophoneRecording(CVistreler& recorder) {
    g_userSelMode = kSelModeSoundOnly;
    g_recordSources = kSourceMicrophone;
    ASSERT_TRUE(recorder.init("", false, "", false, fixture_devices::kToneDeviceName, true));
    recorder.Start();
    Sleep(1000);
    g_recordeState = _RecordingState;
    recorder.SetRecordState(_RecordingState);
    Sleep(1500);
}

}  // namespace

TEST(MainWindowShutdown, DestroyFinishesTheRecordingAndLeavesNothingBehind) {
    testing_support::ResetRecordGlobals();
    EnsureProgramSkin();
    RemoveIniFiles();
    testing_support::TempDir output;
    SettingRecord settings = CSettingData::GetInstance()->GetSettings();
    settings.path = output.path().substr(0, output.path().size() - 1);
    CSettingData::GetInstance()->Save(settings);
    testing_support::DeleteFileIfExists(GetAppFilePath(L"videolist.txt"));

    RecordingShell shell;
    auto frame = std::make_unique<CVistrelFrame>();
    ASSERT_TRUE(CreateMainWindow(*frame));
    const HWND hwnd = frame->GetHWND();
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, hwnd, WM_RECORD_AT_START, WM_RECORD_AT_START, PM_NOREMOVE))
        << "no recording at start unless Check_AutoStartup is set";
    ASSERT_TRUE(TrayIconExists(hwnd, 101));

    // What the user left: full screen chosen, a recorded area, a sizing cursor forced
    // and the taskbar hidden while recording.
    auto* allScreen = static_cast<DuiLib::COptionUI*>(frame->FindControl(L"btn_all_screen")->GetInterface(L"Option"));
    ASSERT_NE(allScreen, nullptr);
    allScreen->Selected(true);
    g_rcSnapwick = {10, 20, 650, 500};
    ForceSystemCursor(IDC_SIZENS);
    frame->ShowTaskbar(false);
    ASSERT_NE(frame->Recorder(), nullptr);
    StartMicrophoneRecording(*frame->Recorder());

    DestroyWindow(hwnd);
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop ends";
    EXPECT_EQ(g_recordeState, _StopState);

    // The recorder's finisher makes the file whole and lists it, on its own thread,
    // after the window has gone.
    std::vector<std::string> listed;
    ASSERT_TRUE(ui_test::PumpUntil(
        [&] {
            listed = testing_support::SplitLines(testing_support::ReadFileBytes(GetAppFilePath(L"videolist.txt")));
            return !listed.empty();
        },
        30000))
        << "the running recording was finished and listed";
    const std::vector<std::wstring> recorded = FilesIn(output.path(), L"*.mp3");
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(listed[0], WideToChs(recorded[0]));
    ProbedFile file = ProbeFile(output.File(recorded[0]));
    ASSERT_TRUE(file.opened);
    ASSERT_EQ(file.streams.size(), 1u);
    EXPECT_EQ(file.streams[0].codec, AV_CODEC_ID_MP3);
    EXPECT_FALSE(file.streams[0].pts.empty());

    EXPECT_FALSE(frame->IsTrayIconShown());
    EXPECT_FALSE(TrayIconExists(hwnd, 101)) << "the tray icon went with the window";
    EXPECT_EQ(ReadMainIni(L"SelArea", L"SelAreaW"), L"640");
    EXPECT_EQ(ReadMainIni(L"SelArea", L"SelAreaH"), L"480");
    EXPECT_EQ(ReadMainIni(L"SelArea", L"AllScreen"), L"1");
    EXPECT_EQ(ForcedSystemCursor(), nullptr);
    EXPECT_FALSE(IsTaskbarHiddenByUs());
    const int hidden = IndexOf(shell.calls, "taskbar 0");
    ASSERT_GE(hidden, 0);
    EXPECT_GT(IndexOf(shell.calls, "taskbar 1"), hidden) << "the taskbar is shown again";
    const int forced = IndexOf(shell.calls, ReplaceCall(IDC_SIZENS, 32512));
    ASSERT_GE(forced, 0);
    EXPECT_GT(IndexOf(shell.calls, "reset"), forced) << "the system cursors are the user's again";

    // The settings are read again by the next instance only once the frame is gone.
    WriteSettingIni(L"Video", L"VFormat", L"FLV");
    EXPECT_EQ(CSettingData::GetInstance()->GetSettings().VFormat, L"MP4");
    frame.reset();
    EXPECT_EQ(CSettingData::GetInstance()->GetSettings().VFormat, L"FLV");

    RemoveIniFiles();
    testing_support::DeleteFileIfExists(GetAppFilePath(L"videolist.txt"));
    testing_support::ResetRecordGlobals();
}

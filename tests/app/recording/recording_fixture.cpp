#include "tests/app/recording/recording_fixture.h"

#include <algorithm>

#include "app/startup.h"
#include "common/posted_records.h"
#include "common/program_path.h"
#include "common/record_globals.h"
#include "engine/vistreler.h"
#include "shell/custom_messages.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/app/frame/shell_probe.h"
#include "tests/support/record_globals_reset.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;

CVistrelFrame* RecordingTest::frame = nullptr;
bool RecordingTest::created = false;
testing_support::TempDir* RecordingTest::output = nullptr;
RecordingPower RecordingTest::power;

DialogCloser::DialogCloser(const wchar_t* className, const wchar_t* windowName, UINT code)
    : m_className(className), m_windowName(windowName), m_code(code) {
    m_thread = std::thread([this] {
        while (!m_stop) {
            // Every window of the class and name: a hidden one left by an earlier
            // dialog may come first.
            for (HWND dialog = FindWindowExW(nullptr, nullptr, m_className.c_str(), m_windowName.c_str()); dialog;
                 dialog = FindWindowExW(nullptr, dialog, m_className.c_str(), m_windowName.c_str())) {
                if (!IsWindowVisible(dialog)) continue;
                m_seen = true;
                PostMessageW(dialog, WM_CLOSE, m_code, 0);
            }
            Sleep(20);
        }
    });
}

DialogCloser::~DialogCloser() {
    m_stop = true;
    m_thread.join();
}

void RecordingTest::SetUpTestSuite() {
    EnsureProgramSkin();
    RemoveIniFiles();
    output = new testing_support::TempDir;
    for (const wchar_t* list : {L"videolist.txt", L"capture_pic_list.txt"})
        testing_support::DeleteFileIfExists(GetAppFilePath(list));
    Configure();
    testing_support::ResetRecordGlobals();
    frame = new CVistrelFrame();
    created = CreateMainWindow(*frame);
    if (created) frame->SetPowerActions(&power);
}

void RecordingTest::TearDownTestSuite() {
    if (frame && frame->GetHWND()) DestroyWindow(frame->GetHWND());
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    delete frame;
    frame = nullptr;
    delete output;
    output = nullptr;
    RemoveIniFiles();
    for (const wchar_t* list : {L"videolist.txt", L"capture_pic_list.txt"})
        testing_support::DeleteFileIfExists(GetAppFilePath(list));
}

void RecordingTest::SetUp() {
    ASSERT_TRUE(created);
    ASSERT_FALSE(frame->IsRecordingUnderWay()) << "each case starts stopped";
    Configure();
    frame->ProgressBoard().SetAutoStopOptions(AutoStopOptions{});
    power = RecordingPower{};
    testing_support::ResetRecordGlobals();
    for (const wchar_t* pattern : {L"*.mp4", L"*.mp3", L"*.flv", L"*.jpg", L"*.png"})
        for (const std::wstring& name : FilesIn(output->path(), pattern))
            testing_support::DeleteFileIfExists(output->File(name));
    ShowWindow(Hwnd(), SW_SHOWNORMAL);
}

void RecordingTest::TearDown() {
    if (frame->IsRecordingUnderWay()) frame->onStopRecord();
    EXPECT_TRUE(WaitForFinishedFiles());
    ui_test::Pump(50);
    WriteMainIni(L"Audio", L"MicVolume", nullptr);
}

void RecordingTest::Configure(const std::function<void(SettingRecord&)>& change) {
    SettingRecord settings = CSettingData::GetInstance()->GetSettings();
    settings.path = output->path().substr(0, output->path().size() - 1);
    settings.Check_Countdown = false;
    settings.Division = false;
    settings.Check_Hide_Task = false;
    if (change) change(settings);
    CSettingData::GetInstance()->Save(settings);
}

void RecordingTest::ChooseFullScreen(bool mic) {
    frame->SelectFullScreen();
    ui_test::Pump(30);
    g_recordSources = kSourceScreen | (mic ? kSourceMicrophone : 0);
    WriteMainIni(L"Audio", L"MicVolume", mic ? L"vistrel-test-tone" : nullptr);
}

// Like ui_test::PumpUntil, but a round of handling ends after 100 ms: a recorded
// window that repaints all the time (the noise window, the webcam window) keeps the
// queue from ever running empty, and the condition would never be asked.
bool RecordingTest::WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    constexpr DWORD kRoundMs = 100;
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        const DWORD round = GetTickCount();
        while (GetTickCount() - round < kRoundMs && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!DuiLib::CPaintManagerUI::TranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

bool RecordingTest::WaitUntilRecording() {
    return WaitFor([] { return g_recordeState == _RecordingState; });
}

bool RecordingTest::WaitForFinishedFiles() {
    return WaitFor([] { return !frame->FilesBeingFinished(); }, 60000);
}

bool RecordingTest::WaitForBytes(uint64_t bytes) {
    return WaitFor([&] { return frame->Recorder() && frame->Recorder()->m_nSaveFileSize >= bytes; });
}

void RecordingTest::SendHotkey(const wchar_t* atomName) {
    SendMessageW(Hwnd(), WM_HOTKEY, static_cast<WPARAM>(GlobalAddAtomW(atomName)) - 0xC000, 0);
}

void RecordingTest::SendRequest(const RecordRequest& request) {
    auto* copy = new RecordRequest(request);
    RegisterPostedRecord(copy);
    SendMessageW(Hwnd(), WM_PLAN_START_RECORD, reinterpret_cast<WPARAM>(copy), 0);
}

std::vector<std::wstring> RecordingTest::Recordings() const {
    std::vector<std::wstring> files;
    for (const wchar_t* pattern : {L"*.mp4", L"*.mp3", L"*.flv"})
        for (const std::wstring& name : FilesIn(output->path(), pattern)) files.push_back(name);
    std::sort(files.begin(), files.end());
    return files;
}

int RecordingTest::LogSize() { return static_cast<int>(LogLines().size()); }

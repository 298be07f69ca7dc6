// The built Vistrel.exe started as a process: its window, log and tray icon, one
// instance per log-on, a clean end; and a process with the main window that
// crashes. Every case runs a copy of the program in a folder of its own, since the
// program keeps its ini and log files beside itself.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/program_path.h"
#include "common/text_convert.h"
#include "shell/custom_messages.h"
#include "tests/app/frame/shell_probe.h"
#include "tests/engine/media_probe.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"

using frame_test::FilesIn;
using frame_test::TrayIconExists;

namespace {

constexpr wchar_t kMainClass[] = L"roverudedudovo";
constexpr DWORD kStartWaitMs = 30000;  // a bound, not a measure: Wine may be slow to start
// The same for a crash's dump: Wine's MiniDumpWriteDump of a program with a main
// window takes 10 to 25 s on a loaded machine.
constexpr DWORD kDumpWaitMs = 120000;

// A started program; ended by its pid when the test is done with it.
class Program {
public:
    Program(const std::wstring& folder, const std::wstring& exe, const std::wstring& args = L"") {
        std::wstring stdoutPath = folder + L"stdout.txt";
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
        output_ = CreateFileW(stdoutPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        STARTUPINFOW startup = {sizeof(startup)};
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output_;
        startup.hStdError = output_;
        std::wstring command = L"\"" + folder + exe + L"\"" + (args.empty() ? L"" : L" " + args);
        started_ = CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                                  &info_) != FALSE;
    }
    ~Program() {
        if (started_ && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, kStartWaitMs);
        }
        if (started_) {
            CloseHandle(info_.hProcess);
            CloseHandle(info_.hThread);
        }
        if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
    }
    bool Started() const { return started_; }
    DWORD Pid() const { return info_.dwProcessId; }
    // The exit code, or STILL_ACTIVE when it has not ended within the bound. Messages
    // keep flowing meanwhile: the program may be showing one of this test's windows.
    DWORD WaitForExit(DWORD boundMs = kStartWaitMs) {
        ui_test::PumpUntil([&] { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }, boundMs);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }
    HWND MainWindow() const {
        for (HWND w = FindWindowExW(nullptr, nullptr, kMainClass, nullptr); w;
             w = FindWindowExW(nullptr, w, kMainClass, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == info_.dwProcessId) return w;
        }
        return nullptr;
    }

private:
    PROCESS_INFORMATION info_ = {};
    HANDLE output_ = INVALID_HANDLE_VALUE;
    bool started_ = false;
};

// A copy of the files of a folder beside this test program (made by the build).
void CopyFolder(const std::wstring& from, const std::wstring& to) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((from + L"*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE) << WideToUtf8(from);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileW((from + found.cFileName).c_str(), (to + found.cFileName).c_str(), FALSE);
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

// A window of the test's own that holds the foreground, so that bringing another
// window forward is seen.
class ForegroundHolder {
public:
    ForegroundHolder() {
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"holder", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(window_);
    }
    ~ForegroundHolder() { DestroyWindow(window_); }
    HWND Get() const { return window_; }

private:
    HWND window_;
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { CopyFolder(GetProgramFolderW() + L"program\\", folder.path()); }

    // Recordings go to the folder "out" (returned, with its backslash) and start
    // without the countdown.
    std::wstring RecordIntoOut() {
        const std::wstring out = folder.File(L"out");
        EXPECT_TRUE(CreateDirectoryW(out.c_str(), nullptr));
        WritePrivateProfileStringW(L"Output", L"path", out.c_str(), Ini().c_str());
        WritePrivateProfileStringW(L"Record", L"Check_Countdown", L"0", Ini().c_str());
        return out + L"\\";
    }
    std::wstring Ini() { return folder.File(L"setting_record.ini"); }

    // The program's main window once it is on the screen; null when it never is.
    static HWND ShownWindow(const Program& program) {
        HWND window = nullptr;
        if (!ui_test::PumpUntil([&] { return (window = program.MainWindow()) != nullptr; }, kStartWaitMs))
            return nullptr;
        return ui_test::PumpUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartWaitMs) ? window : nullptr;
    }

    // Closes the main window as its close button does; the process ends with 0.
    static void ExpectCleanEnd(Program& program, HWND window) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u) << "no process left";
    }

    // The toolbar's coming and going tells a recording's start and end.
    static bool ToolbarUp(bool up) {
        return ui_test::PumpUntil([&] { return (FindWindowW(L"toolbar", nullptr) != nullptr) == up; }, kStartWaitMs);
    }

    // The lines of the list of recordings.
    std::vector<std::string> Listed() {
        return testing_support::SplitLines(testing_support::ReadFileBytes(folder.File(L"videolist.txt")));
    }

    testing_support::TempDir folder;
};

}  // namespace

TEST_F(ProgramTest, StartsWithItsWindowLogAndTrayIconAndEndsCleanly) {
    Program first(folder.path(), L"Vistrel.exe");
    ASSERT_TRUE(first.Started());
    HWND window = ShownWindow(first);
    ASSERT_NE(window, nullptr);

    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_STREQ(title, L"Tessel录屏");
    RECT rc = {};
    GetWindowRect(window, &rc);
    EXPECT_EQ(rc.right - rc.left, 858);
    EXPECT_EQ(rc.bottom - rc.top, 300);
    EXPECT_EQ(rc.left, (GetSystemMetrics(SM_CXSCREEN) - 858) / 2);
    EXPECT_EQ(rc.top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX);
    EXPECT_TRUE(ui_test::PumpUntil([&] { return TrayIconExists(window, 101); }, kStartWaitMs));

    std::vector<std::wstring> logs = FilesIn(folder.File(L"logger\\"), L"log*.txt");
    ASSERT_EQ(logs.size(), 1u);
    std::vector<std::string> lines =
        testing_support::SplitLines(testing_support::ReadFileBytes(folder.File(L"logger\\" + logs[0])));
    ASSERT_FALSE(lines.empty());
    const std::string first_line = WideToChs(L"初始化日志");
    EXPECT_EQ(lines[0].substr(lines[0].size() - first_line.size()), first_line);

    {
        ForegroundHolder holder;
        ASSERT_EQ(GetForegroundWindow(), holder.Get());
        Program second(folder.path(), L"Vistrel.exe");
        ASSERT_TRUE(second.Started());
        EXPECT_EQ(second.WaitForExit(), 1u);
        // Wine hands the foreground over between processes a moment later.
        EXPECT_TRUE(ui_test::PumpUntil([&] { return GetForegroundWindow() == window; }))
            << "the first instance is brought forward";
        EXPECT_EQ(FilesIn(folder.File(L"logger\\"), L"log*.txt").size(), 1u) << "the second made no window";
    }

    ExpectCleanEnd(first, window);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowW(kMainClass, nullptr), nullptr);
    EXPECT_FALSE(TrayIconExists(window, 101)) << "no tray icon left";
    std::string output = testing_support::ReadFileBytes(folder.File(L"stdout.txt"));
    EXPECT_NE(output.find("[CVistrelFrame::ExitFrame] ResetSysCursors()"), std::string::npos)
        << "the system cursors were given back";
}

namespace {

// A stand-in for a first instance: the event "TsRecord" held, and (when asked) a
// hidden window of the main class that keeps what it receives.
class FirstInstanceStandIn {
public:
    explicit FirstInstanceStandIn(bool withWindow) {
        event_ = CreateEventW(nullptr, FALSE, FALSE, L"TsRecord");
        if (!withWindow) return;
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kMainClass;
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, kMainClass, L"stand-in", WS_POPUP, 100, 100, 200, 100, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    }
    ~FirstInstanceStandIn() {
        if (window_) DestroyWindow(window_);
        UnregisterClassW(kMainClass, GetModuleHandleW(nullptr));
        if (event_) CloseHandle(event_);
    }
    HWND Window() const { return window_; }
    static std::vector<WPARAM> showSelArea;  // wParams of WM_USER + 240

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_USER + 240) showSelArea.push_back(wParam);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    HANDLE event_ = nullptr;
    HWND window_ = nullptr;
};
std::vector<WPARAM> FirstInstanceStandIn::showSelArea;

}  // namespace

TEST_F(ProgramTest, ASecondStartShowsTheFirstWindowAndTellsItToShowTheRegion) {
    FirstInstanceStandIn firstInstance(true);
    ASSERT_NE(firstInstance.Window(), nullptr);
    FirstInstanceStandIn::showSelArea.clear();
    ForegroundHolder holder;
    Program second(folder.path(), L"Vistrel.exe");
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(), 1u);
    EXPECT_TRUE(ui_test::PumpUntil([] { return !FirstInstanceStandIn::showSelArea.empty(); }, kStartWaitMs));
    ASSERT_EQ(FirstInstanceStandIn::showSelArea.size(), 1u);
    EXPECT_EQ(FirstInstanceStandIn::showSelArea[0], 1u);
    EXPECT_TRUE(IsWindowVisible(firstInstance.Window()));
    EXPECT_EQ(GetForegroundWindow(), firstInstance.Window());
    EXPECT_FALSE(testing_support::FileExists(folder.File(L"logger"))) << "the second start made no log";
}

TEST_F(ProgramTest, ASecondStartBeforeTheFirstHasAWindowOnlyEnds) {
    FirstInstanceStandIn firstInstance(false);
    Program second(folder.path(), L"Vistrel.exe");
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(), 1u);
    EXPECT_EQ(FindWindowW(kMainClass, nullptr), nullptr);
    EXPECT_FALSE(testing_support::FileExists(folder.File(L"logger")));
}

// Record-at-start with no mode chosen records the whole screen; the record hotkey
// (posted by its atom id, as the system would send it) stops it, and the file is
// finished and written to the list before the program ends.
TEST_F(ProgramTest, RecordsAtStartAndStopsByTheRecordHotkey) {
    const std::wstring out = RecordIntoOut();
    WritePrivateProfileStringW(L"Record", L"Check_AutoStartup", L"1", Ini().c_str());
    Program program(folder.path(), L"Vistrel.exe");
    ASSERT_TRUE(program.Started());
    HWND window = nullptr;
    ASSERT_TRUE(ui_test::PumpUntil([&] { return (window = program.MainWindow()) != nullptr; }, kStartWaitMs));
    ASSERT_TRUE(ToolbarUp(true)) << "recording: the toolbar is up";
    ui_test::Pump(1500);
    const WPARAM recordHotkey = static_cast<WPARAM>(GlobalAddAtomW(L"Ts_RecordStart_Hotkey")) - 0xC000;
    PostMessageW(window, WM_HOTKEY, recordHotkey, 0);
    EXPECT_TRUE(ToolbarUp(false)) << "stopped";
    EXPECT_EQ(ShownWindow(program), window);
    ExpectCleanEnd(program, window);

    const std::vector<std::wstring> recorded = FilesIn(out, L"*.mp4");
    ASSERT_EQ(recorded.size(), 1u);
    ProbedFile file = ProbeFile(out + recorded[0]);
    ASSERT_TRUE(file.opened);
    ASSERT_NE(file.Find(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_EQ(file.Find(AVMEDIA_TYPE_VIDEO)->width, GetSystemMetrics(SM_CXSCREEN)) << "the whole screen";
    EXPECT_EQ(Listed(), std::vector<std::string>{WideToChs(recorded[0])});
}

// A key pressed as the user does (SendInput), wherever the focus is.
static void PressGlobalKey(WORD vk) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = vk;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// A record hotkey changed in "record_hotkey.ini" (F9) is the one registered at the
// next start: in full-screen mode pressing it starts and stops a recording in the
// format of the settings (FLV), into the folder of the settings.
TEST_F(ProgramTest, TheChangedRecordHotkeyStartsAndStopsARecording) {
    const std::wstring out = RecordIntoOut();
    WritePrivateProfileStringW(L"Video", L"VFormat", L"FLV", Ini().c_str());
    const std::wstring hotkeys = folder.File(L"record_hotkey.ini");
    WritePrivateProfileStringW(L"RecordStart", L"fVirt", L"0", hotkeys.c_str());
    WritePrivateProfileStringW(L"RecordStart", L"key", L"F9", hotkeys.c_str());
    Program program(folder.path(), L"Vistrel.exe");
    ASSERT_TRUE(program.Started());
    HWND window = ShownWindow(program);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_SELECT_FULL_SCREEN, 0, 0);  // as the full-screen button does
    ui_test::Pump(500);
    PressGlobalKey(VK_F9);
    ASSERT_TRUE(ToolbarUp(true)) << "recording: the toolbar is up";
    ui_test::Pump(1500);
    PressGlobalKey(VK_F9);
    EXPECT_TRUE(ToolbarUp(false)) << "stopped";
    EXPECT_EQ(ShownWindow(program), window);
    ExpectCleanEnd(program, window);
    const std::vector<std::wstring> recorded = FilesIn(out, L"*.flv");
    ASSERT_EQ(recorded.size(), 1u);
    ProbedFile file = ProbeFile(out + recorded[0]);
    ASSERT_TRUE(file.opened);
    EXPECT_NE(file.Find(AVMEDIA_TYPE_VIDEO), nullptr);
}

// A hotkey that another program holds (here this test) is reported at start in
// the conflict notice; the process says so on its output.
TEST_F(ProgramTest, AHotkeyHeldByAnotherProgramIsReportedAtStart) {
    HWND holder = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(holder, 0x7200, 0, VK_F8));
    Program program(folder.path(), L"Vistrel.exe");
    ASSERT_TRUE(program.Started());
    HWND notice = nullptr;
    EXPECT_TRUE(ui_test::PumpUntil(
        [&] {
            notice = FindWindowW(L"HotkeyTipWnd", nullptr);
            return notice && IsWindowVisible(notice);
        },
        kStartWaitMs));
    HWND window = program.MainWindow();
    if (notice) EXPECT_EQ(GetWindow(notice, GW_OWNER), window);
    if (notice) PostMessageW(notice, WM_CLOSE, 0, 0);
    ui_test::Pump(300);
    EXPECT_EQ(FindWindowW(L"RecordSettingWnd", nullptr), nullptr) << "closing the notice changes nothing";
    ExpectCleanEnd(program, window);
    UnregisterHotKey(holder, 0x7200);
    DestroyWindow(holder);
    const std::string output = testing_support::ReadFileBytes(folder.File(L"stdout.txt"));
    EXPECT_NE(output.find("RegisterKey::Occupy"), std::string::npos);
}

// The program killed while it records (as a crash or a power cut ends it): the
// recording on the disk plays, and the next start finishes it and lists it.
TEST_F(ProgramTest, ARecordingKilledWithTheProgramIsFinishedAndListedAtTheNextStart) {
    const std::wstring out = RecordIntoOut();
    WritePrivateProfileStringW(L"Record", L"Check_AutoStartup", L"1", Ini().c_str());
    {
        Program program(folder.path(), L"Vistrel.exe");
        ASSERT_TRUE(program.Started());
        ASSERT_TRUE(ToolbarUp(true)) << "recording: the toolbar is up";
        ui_test::Pump(6000);
    }  // killed: TerminateProcess, nothing finished
    const std::vector<std::wstring> recorded = FilesIn(out, L"*.mp4");
    ASSERT_EQ(recorded.size(), 1u);
    const std::wstring path = out + recorded[0];
    ProbedFile killed = ProbeFile(path);
    ASSERT_TRUE(killed.opened) << "plays as it was left";
    ASSERT_NE(killed.Find(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_GE(killed.Find(AVMEDIA_TYPE_VIDEO)->Seconds(), 3.0);
    EXPECT_TRUE(testing_support::ReadFileBytes(folder.File(L"videolist.txt")).empty()) << "not listed yet";

    WritePrivateProfileStringW(L"Record", L"Check_AutoStartup", L"0", Ini().c_str());
    Program again(folder.path(), L"Vistrel.exe");
    ASSERT_TRUE(again.Started());
    HWND window = ShownWindow(again);
    ASSERT_NE(window, nullptr);
    ExpectCleanEnd(again, window);
    EXPECT_EQ(Listed(), std::vector<std::string>{WideToChs(recorded[0])});
    ProbedFile whole = ProbeFile(path);
    ASSERT_TRUE(whole.opened);
    EXPECT_GE(whole.Find(AVMEDIA_TYPE_VIDEO)->Seconds(), 3.0);
    EXPECT_EQ(FilesIn(out, L"*.unfinished").size(), 0u) << "finished";
}

// Another program sends areas no picker would: the program keeps answering, the
// main window stays on the screen, and it ends normally.
TEST_F(ProgramTest, ExtremeAreasFromAnotherProgramChangeOnlyTheRegion) {
    Program program(folder.path(), L"Vistrel.exe");
    ASSERT_TRUE(program.Started());
    HWND window = ShownWindow(program);
    ASSERT_NE(window, nullptr);
    const int32_t areas[][4] = {
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
        {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN},
        {-200000, -200000, -199000, -199000},
        {static_cast<int32_t>(0xDEADBEEF), 0x0BADF00D, 0x7FFFFFF0, static_cast<int32_t>(0x80000010)}};
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (const auto& area : areas) {
        COPYDATASTRUCT copy = {0, 16, const_cast<int32_t*>(area)};
        DWORD_PTR answer = 0;
        ASSERT_NE(SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_NORMAL,
                                      kStartWaitMs, &answer),
                  0)
            << "the window answers";
        ui_test::Pump(100);
        ASSERT_NE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kStartWaitMs, &answer), 0);
        RECT rc = {};
        GetWindowRect(window, &rc);
        EXPECT_TRUE(rc.left >= screen.left && rc.top >= screen.top && rc.right <= screen.right &&
                    rc.bottom <= screen.bottom)
            << "main window at " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
    ExpectCleanEnd(program, window);
    EXPECT_TRUE(FilesIn(folder.path(), L"*.dmp").empty()) << "no crash";
}

namespace {

// One dump named by the time, and the desktop given back.
void ExpectDumpAndDesktopBack(testing_support::TempDir& probe) {
    std::vector<std::wstring> dumps = FilesIn(probe.path(), L"*.dmp");
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(dumps[0].size(), 18u) << "yyyymmddhhmmss.dmp";
    EXPECT_GT(testing_support::ReadFileBytes(probe.File(dumps[0])).size(), 0u);

    std::vector<std::string> calls =
        testing_support::SplitLines(testing_support::ReadFileBytes(probe.File(L"desktop_calls.txt")));
    const std::vector<std::string> expected = {"replace", "replace", "taskbar 0", "reset", "taskbar 1"};
    EXPECT_EQ(calls, expected) << "forced by the probe, given back by the crash filter";
}

}  // namespace

// A fault, and out of memory (an exception nobody catches): each writes its dump
// and gives the desktop back. Both probes run at once, each in a folder of its own.
TEST(CrashTest, ACrashWritesItsDumpAndGivesTheDesktopBack) {
    const wchar_t* const ways[] = {L"", L"bad_alloc"};
    testing_support::TempDir probes[2];
    std::unique_ptr<Program> crashing[2];
    for (int i = 0; i < 2; ++i) {
        CopyFolder(GetProgramFolderW() + L"probe\\", probes[i].path());
        crashing[i] = std::make_unique<Program>(probes[i].path(), L"app_crash_probe.exe", ways[i]);
    }
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(WideToUtf8(ways[i]));
        ASSERT_TRUE(crashing[i]->Started());
        const DWORD code = crashing[i]->WaitForExit(kDumpWaitMs);
        EXPECT_NE(code, STILL_ACTIVE) << "the process ends after the dump";
        EXPECT_NE(code, 0u);
        if (i == 0) EXPECT_NE(code, 3u) << "the probe could not force a cursor";
        ExpectDumpAndDesktopBack(probes[i]);
    }
}

// The tray's Exit while a modal dialog of the main window is open: the dialogs'
// loops end, the program's own loop gets its quit with 0, and a running
// recording is finished and listed first.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "app/lists/file_lists.h"
#include "app/startup.h"
#include "app/vistrel_frame.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "common/text_convert.h"
#include "engine/vistreler.h"
#include "shell/custom_messages.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/fixtures/fixture_devices.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"

using namespace frame_test;
using namespace DuiLib;

namespace {

// Posted, not pumped here: a pump of the test's own would take the quit.
void PostClick(HWND hwnd, CControlUI* control) {
    const RECT rc = control->GetPos();
    const LPARAM pt = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PostMessageW(hwnd, WM_MOUSEMOVE, 0, pt);
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, pt);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, pt);
}

// On timer ticks inside the dialogs' modal loops: clicks the dialog's button
// that opens a second dialog (when there is one), then opens the tray menu once
// the last dialog shows and clicks its Exit.
struct ExitScript {
    CVistrelFrame* frame = nullptr;
    const wchar_t* dialogClass = nullptr;
    const wchar_t* innerButton = nullptr;
    const wchar_t* innerClass = nullptr;
    bool dialogSeen = false, innerClicked = false, exitClicked = false;

    static ExitScript* current;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ExitScript* s = current;
        if (!s || s->exitClicked) return;
        HWND dialog = FindWindowW(s->dialogClass, nullptr);
        if (!dialog || !IsWindowVisible(dialog)) return;
        s->dialogSeen = true;
        if (s->innerButton && !s->innerClicked) {
            WindowImplBase* window = WindowObject(dialog);
            CControlUI* button = window ? window->FindControl(s->innerButton) : nullptr;
            if (!button) return;
            s->innerClicked = true;
            PostClick(dialog, button);
            return;
        }
        HWND last = s->innerClass ? FindWindowW(s->innerClass, nullptr) : dialog;
        if (!last || !IsWindowVisible(last)) return;
        CMenuWnd* menu = s->frame->TrayMenu();
        if (!menu || !IsWindow(menu->GetHWND())) {
            SetCursorPos(600, 500);
            SendMessageW(s->frame->GetHWND(), DuiLib::WM_TRAY_NOTIFY, 101, WM_RBUTTONUP);
            return;
        }
        CControlUI* item = menu->FindControl(L"menu_exit");
        if (!item) return;
        s->exitClicked = true;
        PostClick(menu->GetHWND(), item);
    }
};
ExitScript* ExitScript::current = nullptr;

// The program's own loop: runs until its quit and gives the quit's code. A quit
// of -1 comes from the guard when the program never ends.
int RunProgramLoop(const std::function<void()>& openDialog) {
    const UINT_PTR open = SetTimer(nullptr, 0, 100, nullptr);
    const UINT_PTR guard = SetTimer(nullptr, 0, 40000, nullptr);
    MSG msg = {};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && !msg.hwnd && msg.wParam == guard) PostQuitMessage(-1);
        if (msg.message == WM_TIMER && !msg.hwnd && msg.wParam == open) {
            KillTimer(nullptr, open);
            openDialog();  // modal, as from a click on the main window
            continue;
        }
        if (!CPaintManagerUI::TranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    KillTimer(nullptr, open);
    KillTimer(nullptr, guard);
    return static_cast<int>(msg.wParam);
}

void ClickMainControl(CVistrelFrame& frame, LPCTSTR name) {
    CControlUI* control = frame.FindControl(name);
    ASSERT_NE(control, nullptr) << ui_test::Narrow(name);
    frame.GetPaintManager()->UpdateLayout();
    const RECT rc = control->GetPos();
    const LPARAM pt = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    SendMessageW(frame.GetHWND(), WM_MOUSEMOVE, 0, pt);
    SendMessageW(frame.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, pt);
    SendMessageW(frame.GetHWND(), WM_LBUTTONUP, 0, pt);
}

// The name of the first file matching pattern in folder; empty when none.
std::wstring FirstFile(const std::wstring& folder, const wchar_t* pattern) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return L"";
    FindClose(search);
    return found.cFileName;
}

}  // namespace

TEST(TrayExitFromAModalDialog, EndsTheProgramWithZeroAndFinishesTheRecording) {
    const struct {
        const wchar_t* dialogClass;
        const wchar_t* innerButton;  // opens a second dialog over the first
        const wchar_t* innerClass;
        bool recording;
        void (*open)(CVistrelFrame&);
    } cases[] = {
        {L"AutoStopRecordWnd", nullptr, nullptr, false, [](CVistrelFrame& f) { f.ShowAutoStopDialog(); }},
        {L"RecordSettingWnd", nullptr, nullptr, true, [](CVistrelFrame& f) { f.ShowSettingDialog(0); }},
        {L"PlanTaskWnd_TS", nullptr, nullptr, false, [](CVistrelFrame& f) { ClickMainControl(f, L"plan_task"); }},
        {L"PlanTaskWnd_TS", L"add_task", L"PlanAddTaskWnd_TS", true,
         [](CVistrelFrame& f) { ClickMainControl(f, L"plan_task"); }},
    };
    EnsureProgramSkin();
    for (const auto& c : cases) {
        SCOPED_TRACE(ui_test::Narrow(c.dialogClass));
        RemoveIniFiles();
        testing_support::TempDir output;
        SettingRecord settings = CSettingData::GetInstance()->GetSettings();
        settings.path = output.path().substr(0, output.path().size() - 1);
        CSettingData::GetInstance()->Save(settings);

        auto frame = std::make_unique<CVistrelFrame>();
        ASSERT_TRUE(CreateMainWindow(*frame));
        const HWND hwnd = frame->GetHWND();
        SetWindowPos(hwnd, HWND_TOP, 200, 200, 858, 300, SWP_SHOWWINDOW);
        if (c.recording) {
            g_userSelMode = kSelModeSoundOnly;
            g_recordSources = kSourceMicrophone;
            ASSERT_TRUE(frame->Recorder()->init("", false, "", false, fixture_devices::kToneDeviceName, true));
            frame->Recorder()->Start();
            g_recordeState = _RecordingState;
            frame->Recorder()->SetRecordState(_RecordingState);
            ui_test::Pump(1500);
        }

        ExitScript script{frame.get(), c.dialogClass, c.innerButton, c.innerClass};
        ExitScript::current = &script;
        const UINT_PTR ticks = SetTimer(nullptr, 0, 150, &ExitScript::Tick);
        CVistrelFrame* f = frame.get();
        const int code = RunProgramLoop([&] { c.open(*f); });
        KillTimer(nullptr, ticks);
        ExitScript::current = nullptr;

        EXPECT_TRUE(script.dialogSeen);
        EXPECT_TRUE(script.exitClicked);
        EXPECT_EQ(code, 0) << "the program's loop ends with 0";
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_FALSE(FindWindowW(c.dialogClass, nullptr)) << "the dialog is gone";
        if (c.innerClass) EXPECT_FALSE(FindWindowW(c.innerClass, nullptr)) << "and the one over it";
        EXPECT_EQ(g_recordeState, _StopState);
        const std::wstring file = c.recording ? FirstFile(output.path(), L"*.mp3") : L"";
        frame.reset();  // it waits for the files being finished
        if (c.recording) {
            EXPECT_FALSE(file.empty()) << "the running recording was finished";
            const std::vector<std::string> list = testing_support::SplitLines(
                testing_support::ReadFileBytes(CVistrelFrame::GetAppFilePath(L"videolist.txt")));
            EXPECT_NE(std::find(list.begin(), list.end(), WideToChs(file)), list.end()) << "and listed";
        }
        RemoveIniFiles();
        g_recordSources = 0;
        g_userSelMode = kSelModeNone;
    }
}

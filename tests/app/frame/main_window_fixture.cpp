#include "tests/app/frame/main_window_fixture.h"

#include "app/startup.h"
#include "common/record_globals.h"
#include "shell/custom_messages.h"
#include "tests/app/frame/frame_test_support.h"
#include "tests/support/record_globals_reset.h"

using namespace frame_test;

CVistrelFrame* MainWindowTest::frame = nullptr;
bool MainWindowTest::created = false;
bool MainWindowTest::recordAtStartQueued = false;
RECT MainWindowTest::firstArea = {};
int MainWindowTest::logStart = 0;
CreateParams MainWindowTest::createdParams;

namespace {

LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
    CreateParams& params = MainWindowTest::createdParams;
    if (code == HCBT_CREATEWND && !params.seen) {
        wchar_t name[64] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
        if (std::wstring(name) == L"roverudedudovo") {
            const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
            params = {true,
                      name,
                      cs->lpszName ? cs->lpszName : L"",
                      static_cast<DWORD>(cs->style),
                      cs->dwExStyle,
                      cs->x,
                      cs->y,
                      cs->cx,
                      cs->cy,
                      cs->hwndParent};
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void MainWindowTest::SetUpTestSuite() {
    EnsureProgramSkin();
    RemoveIniFiles();
    WriteSettingIni(L"Record", L"Check_AutoStartup", L"1");
    testing_support::ResetRecordGlobals();
    logStart = static_cast<int>(LogLines().size());
    HHOOK hook = SetWindowsHookExW(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
    frame = new CVistrelFrame();
    created = CreateMainWindow(*frame);
    UnhookWindowsHookEx(hook);
    MSG msg;
    recordAtStartQueued =
        PeekMessageW(&msg, frame->GetHWND(), WM_RECORD_AT_START, WM_RECORD_AT_START, PM_REMOVE) != FALSE;
    firstArea = g_rcSnapwick;
}

void MainWindowTest::TearDownTestSuite() {
    DestroyWindow(frame->GetHWND());
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    delete frame;
    frame = nullptr;
    RemoveIniFiles();
    testing_support::ResetRecordGlobals();
}

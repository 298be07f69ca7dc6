#include "app/startup.h"

#include <objbase.h>
#include <ole2.h>

#include <cwchar>
#include <new>

#include "app/crash_dump.h"
#include "app/elevation.h"
#include "app/single_instance.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/program_path.h"
#include "common/text_convert.h"
#include "ui/duilib.h"

using namespace DuiLib;

namespace {

void TellStartFailed() {
    MessageBoxW(nullptr, L"Tessel录屏无法启动：程序的界面资源缺失或已损坏，请重新安装。", kMainWindowTitle,
                MB_OK | MB_ICONERROR);
}

// VISTREL_SLOW_MESSAGE_MS=N in the environment (the latency benchmark's switch): the
// console tells of each UI-thread message whose handling took N ms or more.
void WatchSlowMessages() {
    wchar_t value[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"VISTREL_SLOW_MESSAGE_MS", value, 16);
    const double threshold = length > 0 && length < 16 ? wcstod(value, nullptr) : 0;
    if (threshold <= 0) return;
    CPaintManagerUI::SetSlowMessageNotice(threshold, [](const MSG& msg, double ms) {
        wchar_t windowClass[64] = {};
        if (msg.hwnd) GetClassNameW(msg.hwnd, windowClass, 64);
        LogConsole("CPaintManagerUI::MessageLoop", "slow message [msg]0x%04x [wParam]%llu [window]%s [ms]%.0f",
                   msg.message, static_cast<unsigned long long>(msg.wParam), WideToUtf8(windowClass).c_str(), ms);
    });
}

// Steps 8 to 10: the window, the loop, and everything released in order.
int RunMainWindow() {
    auto* frame = new (std::nothrow) CVistrelFrame();
    if (!frame) return kExitStartFailed;
    if (!CreateMainWindow(*frame)) {
        LogBoth("VistrelMain", "the main window could not be created error");
        delete frame;
        TellStartFailed();
        return kExitStartFailed;
    }
    WatchSlowMessages();
    CPaintManagerUI::MessageLoop();
    delete frame;  // its destructor runs before COM goes
    return kExitNormal;
}

}  // namespace

std::wstring GetSettingIniPath() { return GetAppFilePath(L"setting_record.ini"); }

bool SetupSkin() {
    CPaintManagerUI::SetResourceType(UILIB_ZIPRESOURCE);
    CPaintManagerUI::SetResourcePath(CPaintManagerUI::GetInstancePath() + L"skin\\Vistrel\\");
    HINSTANCE module = CPaintManagerUI::GetResourceDll();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(kSkinResourceId), L"ZIP");
    if (!found) return false;
    bool ready = false;
    HGLOBAL loaded = LoadResource(module, found);
    DWORD size = loaded ? SizeofResource(module, found) : 0;
    if (size > 0) {
        ready = CPaintManagerUI::SetResourceZip(LockResource(loaded), size) &&
                CResourceManager::GetInstance()->LoadResource(L"res.xml");
    }
    if (loaded) FreeResource(loaded);
    return ready;
}

bool CreateMainWindow(CVistrelFrame& frame) {
    if (!frame.Create(nullptr, kMainWindowTitle, kMainWindowStyle, 0, 0, 0, kMainWindowWidth, kMainWindowHeight))
        return false;
    ::ShowWindow(frame.GetHWND(), SW_SHOW);
    return true;
}

int VistrelMain(HINSTANCE instance, const char* commandLine) {
    if (RestartIfElevationNeeded(GetSettingIniPath(), commandLine)) return kExitNormal;
    if (!ClaimSingleInstance()) return kExitOtherInstance;
    InstallCrashFilter();
    if (FAILED(CoInitialize(nullptr))) return kExitStartFailed;
    OleInitialize(nullptr);
    CPaintManagerUI::SetInstance(instance);
    if (!SetupSkin()) LogBoth("VistrelMain", "the skin resource %u could not be loaded error", kSkinResourceId);
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    int code = RunMainWindow();
    CResourceManager::GetInstance()->Release();
    OleUninitialize();
    CoUninitialize();
    return code;
}

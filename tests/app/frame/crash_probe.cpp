// A Vistrel main window in a process that then faults, with a sizing cursor forced
// by the edge tracking and the taskbar hidden as while recording. The desktop shell
// writes what it is asked to "desktop_calls.txt" beside the probe, so the test sees
// whether the crash filter gave the desktop back. Exit codes other than a crash's:
// 3 when the window or the forced cursor could not be set up. With "bad_alloc" on
// its command line it throws std::bad_alloc that nobody catches, in place of the fault.
#include <windows.h>
#include <objbase.h>

#include <cstring>
#include <new>
#include <string>

#include "app/crash_dump.h"
#include "app/desktop_shell.h"
#include "app/startup.h"
#include "app/vistrel_frame.h"
#include "common/program_path.h"
#include "ui/duilib.h"

namespace {

// Plain Win32 writes: the crash filter may not use the C runtime's locked streams.
class FileShell : public DesktopShell {
public:
    void ReplaceSystemCursor(LPCWSTR, DWORD) override { Append("replace\r\n"); }
    void ResetSystemCursors() override { Append("reset\r\n"); }
    void ShowTaskbar(bool show) override { Append(show ? "taskbar 1\r\n" : "taskbar 0\r\n"); }

private:
    void Append(const char* line) {
        HANDLE file = CreateFileW(GetAppFilePath(L"desktop_calls.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        WriteFile(file, line, static_cast<DWORD>(strlen(line)), &written, nullptr);
        CloseHandle(file);
    }
};

FileShell g_shell;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    SetDesktopShell(&g_shell);
    InstallCrashFilter();
    CoInitialize(nullptr);
    DuiLib::CPaintManagerUI::SetInstance(instance);
    SetupSkin();
    auto* frame = new CVistrelFrame();
    if (!CreateMainWindow(*frame)) return 3;
    RECT window = {};
    GetWindowRect(frame->GetHWND(), &window);
    const RECT region = {window.left + 100, window.top + 50, window.right - 100, window.bottom - 50};
    const int y = (region.top + region.bottom) / 2;
    if (frame->HitTestRegionEdge(region, 3, false, region.left, y) == 0 || !ForcedSystemCursor()) return 3;
    frame->ShowTaskbar(false);
    if (strstr(commandLine, "bad_alloc")) throw std::bad_alloc();  // nobody catches it: out of memory
    *static_cast<volatile int*>(nullptr) = 1;                      // the fault
    return 0;
}

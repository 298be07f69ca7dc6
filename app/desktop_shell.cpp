#define OEMRESOURCE  // OCR_NORMAL, OCR_IBEAM

#include "app/desktop_shell.h"

#include <atomic>

namespace {

class SystemDesktopShell : public DesktopShell {
public:
    void ReplaceSystemCursor(LPCWSTR cursorId, DWORD systemCursorId) override {
        HCURSOR copy = CopyCursor(LoadCursorW(nullptr, cursorId));
        if (!copy) return;
        // On success the system owns the copy and destroys it itself.
        if (!SetSystemCursor(copy, systemCursorId)) DestroyCursor(copy);
    }
    void ResetSystemCursors() override { SystemParametersInfoW(SPI_SETCURSORS, 0, nullptr, SPIF_SENDCHANGE); }
    void ShowTaskbar(bool show) override {
        HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
        if (taskbar) ShowWindow(taskbar, show ? SW_SHOW : SW_HIDE);
    }
};

SystemDesktopShell g_systemShell;
std::atomic<DesktopShell*> g_shell{nullptr};
// Read by the crash filter, which may run on any thread.
std::atomic<LPCWSTR> g_forcedCursor{nullptr};
std::atomic<bool> g_taskbarHidden{false};

}  // namespace

DesktopShell& GetDesktopShell() {
    DesktopShell* shell = g_shell.load();
    return shell ? *shell : g_systemShell;
}

void SetDesktopShell(DesktopShell* shell) { g_shell = shell; }

void ForceSystemCursor(LPCWSTR cursorId) {
    g_forcedCursor = cursorId;
    GetDesktopShell().ReplaceSystemCursor(cursorId, OCR_NORMAL);
    GetDesktopShell().ReplaceSystemCursor(cursorId, OCR_IBEAM);
}

LPCWSTR ForcedSystemCursor() { return g_forcedCursor.load(); }

void RestoreSystemCursors() {
    GetDesktopShell().ResetSystemCursors();
    g_forcedCursor = nullptr;
}

void SetTaskbarShown(bool show) {
    GetDesktopShell().ShowTaskbar(show);
    g_taskbarHidden = !show;
}

bool IsTaskbarHiddenByUs() { return g_taskbarHidden.load(); }

void RestoreDesktopState() {
    RestoreSystemCursors();
    if (g_taskbarHidden.exchange(false)) GetDesktopShell().ShowTaskbar(true);
}

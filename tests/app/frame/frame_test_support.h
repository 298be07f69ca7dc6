// What the main window's tests share: the real skin from this program's resources,
// a desktop shell that records instead of changing the system's cursors and
// taskbar, the program's log and ini files beside the test program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/desktop_shell.h"
#include "tests/app/frame/shell_probe.h"
#include "ui/core/window_impl_base.h"

namespace frame_test {

// COM and the UI library pointed at this program's skin resource (once).
void EnsureProgramSkin();

// Records every call ("replace <IDC> <OCR>", "reset", "taskbar 1|0").
class RecordingShell : public DesktopShell {
public:
    // Starts with no cursor forced: an earlier test's hover may have left one,
    // and a cursor already forced is not replaced again.
    RecordingShell() {
        SetDesktopShell(this);
        RestoreSystemCursors();
        calls.clear();
    }
    ~RecordingShell() override { SetDesktopShell(nullptr); }
    void ReplaceSystemCursor(LPCWSTR cursorId, DWORD systemCursorId) override;
    void ResetSystemCursors() override { calls.push_back("reset"); }
    void ShowTaskbar(bool show) override { calls.push_back(show ? "taskbar 1" : "taskbar 0"); }
    std::vector<std::string> calls;
};
// "replace <IDC> <OCR>" as RecordingShell writes it.
std::string ReplaceCall(LPCWSTR cursorId, DWORD systemCursorId);

RECT WindowRect(HWND hwnd);
// "left,top,right,bottom" for a failure message.
std::string RectText(const RECT& r);

// The lines of the program's log file (code page 936 text).
std::vector<std::string> LogLines();
bool LogHas(const std::string& text);
// Index of the first log line holding text at or after from; -1 when none.
int LogLineIndex(const std::string& text, int from = 0);

// Removes the program's ini files beside the test program.
void RemoveIniFiles();
void WriteMainIni(const wchar_t* section, const wchar_t* key, const wchar_t* value);
std::wstring ReadMainIni(const wchar_t* section, const wchar_t* key);
void WriteSettingIni(const wchar_t* section, const wchar_t* key, const wchar_t* value);

// The window object behind a window of the program; null when it is not one of
// the UI library's layout windows.
DuiLib::WindowImplBase* WindowObject(HWND hwnd);

}  // namespace frame_test

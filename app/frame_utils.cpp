// Small operations of the main window used by its messages, commands and recording.
#include "app/desktop_shell.h"
#include "app/vistrel_frame.h"
#include "app/work_area.h"
#include "areaprobe/areaprobe.h"
#include "common/drives.h"
#include "common/logger.h"
#include "common/main_ini.h"
#include "common/program_path.h"
#include "common/record_globals.h"
#include "common/text_convert.h"

using namespace DuiLib;

void CVistrelFrame::ExitFrame() {
    WriteSelArea(g_rcSnapwick, IsOptionSelected(m_pBtnAllScreen));
    AreaprobeStop();
    RestoreDesktopState();  // the system cursors, and a taskbar this program hid
    LogConsole("CVistrelFrame::ExitFrame", "ResetSysCursors()");
}

void CVistrelFrame::ShowTaskbar(bool show) { SetTaskbarShown(show); }

RECT CVistrelFrame::GetWorkAreaInset() const {
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    return InsetWorkArea(PrimaryWorkArea(), desktop);
}

std::string CVistrelFrame::GetModuleFolder(bool trailingBackslash) const {
    std::string folder = GetProgramFolderA();
    if (!trailingBackslash && !folder.empty()) folder.pop_back();
    return folder;
}

std::wstring CVistrelFrame::MultiByteToWide(const std::string& text) { return ChsToWide(text); }

std::string CVistrelFrame::WideToMultiByte(const std::wstring& text) { return WideToChs(text); }

bool IsInAudioVec(const std::string& name, const std::vector<std::string>& names) {
    for (const std::string& n : names)
        if (n == name) return true;
    return false;
}

bool CVistrelFrame::HasDeviceChoice() const { return m_vecCamera.size() > 1 || vec_mic_devices_.size() > 1; }

std::wstring CVistrelFrame::FindLargestFreeDrive() { return ::FindLargestFreeDrive(); }

std::wstring CVistrelFrame::GetAppFilePath(const std::wstring& fileName) { return ::GetAppFilePath(fileName); }

void CVistrelFrame::MoveMainWindow(int x, int y, int width, int height, bool move) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (move ? 0 : SWP_NOMOVE);
    SetWindowPos(m_hWnd, nullptr, x, y, width, height, flags);
}

bool CVistrelFrame::IsParked() const {
    RECT rc = {};
    GetWindowRect(m_hWnd, &rc);
    return rc.left < 0 && rc.top < 0;
}

void CVistrelFrame::Park() {
    GetWindowRect(m_hWnd, &m_rcSavedWindow);
    SetWindowPos(m_hWnd, nullptr, kParkedPosition, kParkedPosition, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVistrelFrame::Unpark() {
    HWND insertAfter = g_recordeState != _StopState ? HWND_TOPMOST : HWND_TOP;
    SetWindowPos(m_hWnd, insertAfter, m_rcSavedWindow.left, m_rcSavedWindow.top, 0, 0, SWP_NOSIZE);
}

#include "tests/app/frame/frame_test_support.h"

#include <objbase.h>

#include "app/startup.h"
#include "common/logger.h"
#include "common/main_ini.h"
#include "common/setting_data.h"
#include "common/text_convert.h"
#include "tests/support/test_support.h"
#include "ui/duilib.h"

namespace frame_test {

void EnsureProgramSkin() {
    static bool ready = false;
    if (ready) return;
    ready = true;
    CoInitialize(nullptr);
    DuiLib::CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
    SetupSkin();
}

std::string ReplaceCall(LPCWSTR cursorId, DWORD systemCursorId) {
    return "replace " + std::to_string(reinterpret_cast<uintptr_t>(cursorId)) + " " + std::to_string(systemCursorId);
}

void RecordingShell::ReplaceSystemCursor(LPCWSTR cursorId, DWORD systemCursorId) {
    calls.push_back(ReplaceCall(cursorId, systemCursorId));
}

RECT WindowRect(HWND hwnd) {
    RECT rc = {};
    GetWindowRect(hwnd, &rc);
    return rc;
}

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

std::vector<std::string> LogLines() {
    std::wstring path = ChsToWide(g_logger.Path());
    return testing_support::SplitLines(testing_support::ReadFileBytes(path));
}

int LogLineIndex(const std::string& text, int from) {
    std::vector<std::string> lines = LogLines();
    for (size_t i = from < 0 ? 0 : from; i < lines.size(); ++i)
        if (lines[i].find(text) != std::string::npos) return static_cast<int>(i);
    return -1;
}

bool LogHas(const std::string& text) { return LogLineIndex(text) >= 0; }

void RemoveIniFiles() {
    CSettingData::ReleaseInstance();
    testing_support::DeleteFileIfExists(GetMainIniPath());
    testing_support::DeleteFileIfExists(GetSettingIniPath());
}

void WriteMainIni(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    WritePrivateProfileStringW(section, key, value, GetMainIniPath().c_str());
}

std::wstring ReadMainIni(const wchar_t* section, const wchar_t* key) {
    wchar_t buffer[512] = {};
    GetPrivateProfileStringW(section, key, L"<missing>", buffer, 512, GetMainIniPath().c_str());
    return buffer;
}

void WriteSettingIni(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    WritePrivateProfileStringW(section, key, value, GetSettingIniPath().c_str());
}

DuiLib::WindowImplBase* WindowObject(HWND hwnd) {
    auto* wnd = reinterpret_cast<DuiLib::CWindowWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return dynamic_cast<DuiLib::WindowImplBase*>(wnd);
}

}  // namespace frame_test

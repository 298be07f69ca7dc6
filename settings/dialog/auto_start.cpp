// The Run key value that starts the program with Windows.
#include "settings/dialog/auto_start.h"

#include <windows.h>

std::wstring AutoStartCommand(const std::wstring& programPath) { return L"\"" + programPath + L"\" -t"; }

std::wstring GetModulePath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

bool SetAutoStart(const std::wstring& valueName, const std::wstring& programPath, const std::wstring& flagText) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return true;
    wchar_t stored[1024] = {};
    DWORD size = sizeof(stored);
    DWORD type = 0;
    const bool present = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(stored),
                                          &size) == ERROR_SUCCESS;
    const bool wanted = flagText == L"true";
    if (present != wanted) {
        if (wanted) {
            const std::wstring command = AutoStartCommand(programPath);
            RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                           static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
        } else {
            RegDeleteValueW(key, valueName.c_str());
        }
    }
    RegCloseKey(key);
    return true;
}

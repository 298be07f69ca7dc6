// The start-with-Windows value under HKCU\...\Run: "<program path>" -t.
#pragma once

#include <string>

constexpr wchar_t kAutoStartValueName[] = L"Vistrel";
constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Writes the value when flagText is "true" and it is missing, deletes it when
// not wanted and present; an existing value is left as it is. Always true.
bool SetAutoStart(const std::wstring& valueName, const std::wstring& programPath, const std::wstring& flagText);
// The running program's full path.
std::wstring GetModulePath();
// The quoted command line the value holds.
std::wstring AutoStartCommand(const std::wstring& programPath);

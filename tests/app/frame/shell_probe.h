// What the tests look at from outside a program: files it left and its tray icon.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace frame_test {

// Names of the files in folder (ending in a backslash) that match pattern.
std::vector<std::wstring> FilesIn(const std::wstring& folder, const wchar_t* pattern);
// Whether the shell has the tray icon (window, id), of this process or another.
bool TrayIconExists(HWND window, UINT id);

}  // namespace frame_test

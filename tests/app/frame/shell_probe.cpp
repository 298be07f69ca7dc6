#include "tests/app/frame/shell_probe.h"

#include <shellapi.h>

namespace frame_test {

std::vector<std::wstring> FilesIn(const std::wstring& folder, const wchar_t* pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

// A modification of nothing but the tip succeeds only for an icon the shell has.
bool TrayIconExists(HWND window, UINT id) {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = id;
    data.uFlags = NIF_TIP;
    lstrcpynW(data.szTip, L"Tessel录屏", ARRAYSIZE(data.szTip));
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

}  // namespace frame_test

#include "file_size_text.h"

#include <windows.h>

#include <cstdio>

std::wstring FormatFileSize(uint64_t bytes, int decimals)
{
    if (bytes < 1024) return L"0KB";
    const bool kilo = bytes < 1048576;
    const double value = kilo ? bytes / 1024.0 : bytes / 1024.0 / 1024.0;
    wchar_t text[64];
    swprintf(text, 64, L"%0.*f%ls", decimals, value, kilo ? L"KB" : L"MB");
    return text;
}

bool GetFileSize64(const std::wstring& path, uint64_t* size)
{
    HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER value = {};
    bool ok = GetFileSizeEx(file, &value) != FALSE;
    CloseHandle(file);
    if (ok) *size = static_cast<uint64_t>(value.QuadPart);
    return ok;
}

std::wstring FormatDuration(int64_t seconds)
{
    if (seconds < 0) seconds = 0;
    wchar_t text[32];
    swprintf(text, 32, L"%02lld:%02d:%02d", static_cast<long long>(seconds / 3600), static_cast<int>(seconds % 3600 / 60),
             static_cast<int>(seconds % 60));
    return text;
}

#include "common/time_size_text.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

namespace {

constexpr uint64_t kKiB = 1024;
constexpr uint64_t kMiB = 1024 * 1024;

}  // namespace

HoursMinutesSeconds SplitHms(uint64_t totalSeconds) {
    return {totalSeconds / 3600, totalSeconds % 3600 / 60, totalSeconds % 60};
}

TimeDigits SplitTimeDigits(uint64_t totalSeconds) {
    HoursMinutesSeconds t = SplitHms(totalSeconds);
    return {t.hours / 10, t.hours % 10, t.minutes / 10, t.minutes % 10, t.seconds / 10, t.seconds % 10};
}

std::wstring FormatFileSize(uint64_t bytes, int decimals) {
    if (bytes < kKiB) return L"0KB";
    wchar_t format[16];
    swprintf(format, 16, L"%%0.%df", std::clamp(decimals, 0, 9));
    bool inKiB = bytes < kMiB;
    double value = static_cast<double>(bytes) / (inKiB ? kKiB : kMiB);
    wchar_t text[64];
    swprintf(text, 64, format, value);
    return std::wstring(text) + (inKiB ? L"KB" : L"MB");
}

bool GetFileSize64(const std::wstring& path, uint64_t& size) {
    HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER length;
    bool ok = GetFileSizeEx(file, &length) != 0;
    CloseHandle(file);
    if (ok) size = static_cast<uint64_t>(length.QuadPart);
    return ok;
}

std::wstring DigitImageName(uint64_t digit) { return L"other/" + std::to_wstring(digit) + L".png"; }

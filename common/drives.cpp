#include "drives.h"

#include <windows.h>

#include <vector>

std::wstring FindLargestFreeDrive() {
    DWORD n = GetLogicalDriveStringsW(0, nullptr);
    if (n == 0) return L"";
    std::vector<wchar_t> list(n + 1, L'\0');
    if (GetLogicalDriveStringsW(n, list.data()) == 0) return L"";
    std::wstring best;
    ULONGLONG bestFree = 0;
    for (const wchar_t* root = list.data(); *root; root += wcslen(root) + 1) {
        ULARGE_INTEGER avail;
        if (!GetDiskFreeSpaceExW(root, &avail, nullptr, nullptr)) continue;
        if (best.empty() || avail.QuadPart > bestFree) {
            best = root;
            bestFree = avail.QuadPart;
        }
    }
    return best;
}

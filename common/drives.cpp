#include "common/drives.h"

#include <windows.h>

namespace {

std::vector<DriveSpace> ListDrives() {
    std::vector<DriveSpace> drives;
    DWORD n = GetLogicalDriveStringsW(0, nullptr);
    if (n == 0) return drives;
    std::vector<wchar_t> list(n + 1, L'\0');
    if (GetLogicalDriveStringsW(n, list.data()) == 0) return drives;
    for (const wchar_t* root = list.data(); *root; root += wcslen(root) + 1) {
        ULARGE_INTEGER avail;
        if (GetDiskFreeSpaceExW(root, &avail, nullptr, nullptr)) drives.push_back({root, avail.QuadPart});
    }
    return drives;
}

}  // namespace

std::wstring ChooseLargestDrive(const std::vector<DriveSpace>& drives) {
    const DriveSpace* best = nullptr;
    for (const DriveSpace& d : drives)
        if (!best || d.freeBytes > best->freeBytes) best = &d;
    return best ? best->root : L"";
}

std::wstring FindLargestFreeDrive() { return ChooseLargestDrive(ListDrives()); }

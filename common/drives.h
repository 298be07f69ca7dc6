// Logical drives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DriveSpace {
    std::wstring root;   // "C:\"
    uint64_t freeBytes;  // available to the caller
};

// Root of the logical drive with the most bytes available to the caller; drives whose
// query fails are skipped, the first of equal drives wins, empty when no drive answers.
std::wstring FindLargestFreeDrive();
// The choice itself, over drives in the system's order.
std::wstring ChooseLargestDrive(const std::vector<DriveSpace>& drives);

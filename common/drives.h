// Logical drives.
#pragma once

#include <string>

// Root ("C:\") of the logical drive with the most bytes available to the caller;
// drives whose query fails are skipped, the first of equal drives wins, empty when
// no drive answers.
std::wstring FindLargestFreeDrive();

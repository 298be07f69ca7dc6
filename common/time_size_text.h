// Recorded time and file sizes as the main window and the lists show them.
#pragma once

#include <cstdint>
#include <string>

struct HoursMinutesSeconds {
    uint64_t hours;  // not wrapped at 24 or 100
    uint64_t minutes;
    uint64_t seconds;
};

HoursMinutesSeconds SplitHms(uint64_t totalSeconds);

// Six digits: tens and units of the hours, the minutes and the seconds. The hours'
// tens are not limited to 9 (100 hours give 10).
struct TimeDigits {
    uint64_t hoursTens;
    uint64_t hoursUnits;
    uint64_t minutesTens;
    uint64_t minutesUnits;
    uint64_t secondsTens;
    uint64_t secondsUnits;
};

TimeDigits SplitTimeDigits(uint64_t totalSeconds);
// The image of one elapsed-time digit, "other/<digit>.png".
std::wstring DigitImageName(uint64_t digit);

// "0KB" below 1024 bytes, then KiB below 1 MiB, else MiB, each with the given number
// of decimals: 1024 bytes with 1 decimal read "1.0KB", 5 GiB read "5120.0MB".
std::wstring FormatFileSize(uint64_t bytes, int decimals);

// The size of an existing file; false when it cannot be opened.
bool GetFileSize64(const std::wstring& path, uint64_t& size);

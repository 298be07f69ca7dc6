// The texts of a time of day ("08:05:09") and a date ("2024-02-29"): parsed field
// by field as the entry controls parse them, and turned into seconds.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

struct ClockFields {
    int32_t first = 0;   // hour or year
    int32_t second = 0;  // minute or month
    int32_t third = 0;   // second or day
};

// Up to three numbers split at separator; the last number always lands in the
// third field ("12:30" gives 12, 0, 30). Fields not given stay as passed in.
ClockFields ParseClockText(const std::wstring& text, wchar_t separator, ClockFields start);

// "%.2d:%.2d:%.2d" and "%.4d-%.2d-%.2d".
std::wstring FormatTimeText(int32_t hour, int32_t minute, int32_t second);
std::wstring FormatDateText(int32_t year, int32_t month, int32_t day);

bool IsLeapYear(int32_t year);
int32_t DaysInMonth(int32_t month, int32_t year);
// Seconds from 1970-01-01 to the start of the date (no time zone); 0 for 0-0-0.
// Years count from 1970 to 9999 (a year outside counts as the nearest of them).
int64_t DateToSeconds(int32_t year, int32_t month, int32_t day);

// Seconds of a date text ("" counts as 1970-01-01) plus those of a time text.
int64_t DateTimeTextToSeconds(const std::wstring& date, const std::wstring& time);
int64_t TimeTextToSeconds(const std::wstring& time);

// The ranges of the entry controls: a year of 1970 to 9999, a real month and a
// day of that month, a time of day up to 23:59:59.
constexpr int32_t kFirstYear = 1970;
constexpr int32_t kLastYear = 9999;
// The date text and the time text held in those ranges ("2024-02-31" gives
// "2024-02-29", "99:99:99" gives "23:59:59"); text that holds no date or time
// gives 1970-01-01 or 00:00:00.
std::wstring ClampDateText(const std::wstring& date);
std::wstring ClampTimeText(const std::wstring& time);

// The local date and time of t, as the two texts.
std::tm LocalTimeOf(time_t t);
std::wstring DateTextOf(const std::tm& local);
std::wstring TimeTextOf(const std::tm& local);

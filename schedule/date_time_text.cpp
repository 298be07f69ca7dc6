// Date and time texts: field parsing, formatting and calendar arithmetic.
#include "schedule/date_time_text.h"

#include <cwchar>

namespace {

int32_t ToNumber(const std::wstring& digits) { return static_cast<int32_t>(wcstol(digits.c_str(), nullptr, 10)); }

}  // namespace

ClockFields ParseClockText(const std::wstring& text, wchar_t separator, ClockFields fields) {
    std::wstring digits;
    int taken = 0;
    for (wchar_t c : text) {
        if (c != separator) {
            digits += c;
            continue;
        }
        if (!digits.empty()) {
            if (taken == 0) fields.first = ToNumber(digits);
            if (taken == 1) fields.second = ToNumber(digits);
            ++taken;
        }
        digits.clear();
    }
    if (!digits.empty()) fields.third = ToNumber(digits);
    return fields;
}

std::wstring FormatTimeText(int32_t hour, int32_t minute, int32_t second) {
    wchar_t buf[48];
    swprintf(buf, 48, L"%.2d:%.2d:%.2d", hour, minute, second);
    return buf;
}

std::wstring FormatDateText(int32_t year, int32_t month, int32_t day) {
    wchar_t buf[48];
    swprintf(buf, 48, L"%.4d-%.2d-%.2d", year, month, day);
    return buf;
}

bool IsLeapYear(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int32_t DaysInMonth(int32_t month, int32_t year) {
    switch (month) {
        case 1:
        case 3:
        case 5:
        case 7:
        case 8:
        case 10:
        case 12: return 31;
        case 2: return IsLeapYear(year) ? 29 : 28;
        default: return 30;
    }
}

namespace {

int32_t Clamp(int32_t value, int32_t low, int32_t high) { return value < low ? low : value > high ? high : value; }

int64_t LeapYearsUpTo(int64_t year) { return year / 4 - year / 100 + year / 400; }

}  // namespace

int64_t DateToSeconds(int32_t year, int32_t month, int32_t day) {
    if (year == 0 && month == 0 && day == 0) return 0;
    const int32_t y = Clamp(year, kFirstYear, kLastYear);
    int64_t days = 365LL * (y - kFirstYear) + LeapYearsUpTo(y - 1) - LeapYearsUpTo(kFirstYear - 1);
    for (int32_t m = 1; m < month && m <= 12; ++m) days += DaysInMonth(m, y);
    days += static_cast<int64_t>(day) - 1;
    return days * 86400;
}

int64_t TimeTextToSeconds(const std::wstring& time) {
    const ClockFields t = ParseClockText(time, L':', {});
    return static_cast<int64_t>(t.first) * 3600 + static_cast<int64_t>(t.second) * 60 + t.third;
}

int64_t DateTimeTextToSeconds(const std::wstring& date, const std::wstring& time) {
    const ClockFields d = ParseClockText(date, L'-', {1970, 1, 1});
    return DateToSeconds(d.first, d.second, d.third) + TimeTextToSeconds(time);
}

std::wstring ClampDateText(const std::wstring& date) {
    const ClockFields d = ParseClockText(date, L'-', {kFirstYear, 1, 1});
    const int32_t year = Clamp(d.first, kFirstYear, kLastYear);
    const int32_t month = Clamp(d.second, 1, 12);
    return FormatDateText(year, month, Clamp(d.third, 1, DaysInMonth(month, year)));
}

std::wstring ClampTimeText(const std::wstring& time) {
    const ClockFields t = ParseClockText(time, L':', {});
    return FormatTimeText(Clamp(t.first, 0, 23), Clamp(t.second, 0, 59), Clamp(t.third, 0, 59));
}

std::tm LocalTimeOf(time_t t) {
    std::tm local = {};
    localtime_s(&local, &t);
    return local;
}

std::wstring DateTextOf(const std::tm& local) {
    return FormatDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::wstring TimeTextOf(const std::tm& local) { return FormatTimeText(local.tm_hour, local.tm_min, local.tm_sec); }

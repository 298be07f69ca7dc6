#include "common/time_size_text.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace {

constexpr uint64_t kMiB = 1024ull * 1024;

TEST(TimeSizeText, SplitHmsDoesNotWrapHours) {
    struct Case {
        uint64_t seconds;
        uint64_t h, m, s;
    } cases[] = {
        {0, 0, 0, 0},    {59, 0, 0, 59},      {60, 0, 1, 0},       {3599, 0, 59, 59},
        {3600, 1, 0, 0}, {86399, 23, 59, 59}, {360000, 100, 0, 0}, {363661, 101, 1, 1},
    };
    for (const Case& c : cases) {
        HoursMinutesSeconds t = SplitHms(c.seconds);
        EXPECT_EQ(t.hours, c.h) << c.seconds;
        EXPECT_EQ(t.minutes, c.m) << c.seconds;
        EXPECT_EQ(t.seconds, c.s) << c.seconds;
    }
}

TEST(TimeSizeText, SplitTimeDigitsGivesTensAndUnits) {
    struct Case {
        uint64_t seconds;
        uint64_t digits[6];
    } cases[] = {
        {0, {0, 0, 0, 0, 0, 0}},       {9, {0, 0, 0, 0, 0, 9}}, {45296, {1, 2, 3, 4, 5, 6}},  // 12:34:56
        {359999, {9, 9, 5, 9, 5, 9}},                                                         // 99:59:59
        {360000, {10, 0, 0, 0, 0, 0}},  // 100 hours: the tens digit is 10
    };
    for (const Case& c : cases) {
        TimeDigits d = SplitTimeDigits(c.seconds);
        uint64_t got[6] = {d.hoursTens, d.hoursUnits, d.minutesTens, d.minutesUnits, d.secondsTens, d.secondsUnits};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(got[i], c.digits[i]) << c.seconds << " digit " << i;
    }
}

TEST(TimeSizeText, FormatFileSizeSteps) {
    struct Case {
        uint64_t bytes;
        int decimals;
        const wchar_t* text;
    } cases[] = {
        {0, 1, L"0KB"},
        {1023, 1, L"0KB"},
        {1024, 1, L"1.0KB"},
        {1536, 1, L"1.5KB"},
        {kMiB - 1, 1, L"1024.0KB"},
        {kMiB, 1, L"1.0MB"},
        {47815066, 1, L"45.6MB"},
        {5 * 1024 * kMiB, 1, L"5120.0MB"},  // no GB step
        {1536, 0, L"2KB"},
        {1536, 2, L"1.50KB"},
        {3 * kMiB / 2, 3, L"1.500MB"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatFileSize(c.bytes, c.decimals), c.text) << c.bytes;
}

TEST(TimeSizeText, GetFileSize64ReadsTheSizeOrFails) {
    testing_support::TempDir dir;
    std::wstring file = dir.File(L"录像.mp4");
    ASSERT_TRUE(testing_support::WriteFileBytes(file, std::string(5000, 'x')));
    uint64_t size = 0;
    EXPECT_TRUE(GetFileSize64(file, size));
    EXPECT_EQ(size, 5000u);

    uint64_t untouched = 7;
    EXPECT_FALSE(GetFileSize64(dir.File(L"missing.mp4"), untouched));
    EXPECT_EQ(untouched, 7u);
}

}  // namespace

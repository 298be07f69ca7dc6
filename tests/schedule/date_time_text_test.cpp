// Date and time texts: parsing field by field and the seconds they stand for.
#include <gtest/gtest.h>

#include "schedule/date_time_text.h"

namespace {

TEST(DateTimeTextTest, ParsingPutsTheLastNumberInTheThirdField) {
    const struct {
        const wchar_t* text;
        ClockFields want;
    } cases[] = {
        {L"08:05:09", {8, 5, 9}}, {L"12:30", {12, 0, 30}}, {L"7", {0, 0, 7}}, {L"", {0, 0, 0}}, {L"1::2", {1, 0, 2}},
    };
    for (const auto& c : cases) {
        const ClockFields got = ParseClockText(c.text, L':', {});
        EXPECT_EQ(got.first, c.want.first) << c.text;
        EXPECT_EQ(got.second, c.want.second) << c.text;
        EXPECT_EQ(got.third, c.want.third) << c.text;
    }
}

TEST(DateTimeTextTest, DatesCountDaysFrom1970) {
    EXPECT_EQ(DateToSeconds(1970, 1, 1), 0u);
    EXPECT_EQ(DateToSeconds(1970, 1, 2), 86400u);
    EXPECT_EQ(DateToSeconds(2024, 3, 1) - DateToSeconds(2024, 2, 29), 86400u);
    EXPECT_EQ(DateToSeconds(2001, 1, 1), 978307200u);
    EXPECT_EQ(DateTimeTextToSeconds(L"2001-01-01", L"01:00:05"), 978307200u + 3605u);
    EXPECT_EQ(DateTimeTextToSeconds(L"", L"00:01:00"), 60u);
}

TEST(DateTimeTextTest, CalendarRules) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_EQ(DaysInMonth(2, 2023), 28);
    EXPECT_EQ(DaysInMonth(2, 2024), 29);
    EXPECT_EQ(DaysInMonth(4, 2024), 30);
    EXPECT_EQ(DaysInMonth(12, 2024), 31);
    EXPECT_EQ(FormatDateText(2021, 3, 1), L"2021-03-01");
    EXPECT_EQ(FormatTimeText(1, 2, 3), L"01:02:03");
}

}  // namespace

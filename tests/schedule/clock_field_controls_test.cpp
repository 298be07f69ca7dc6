// The time and date entry controls in a real window: fields chosen by clicks and
// arrow keys, digits typed, steps by key and wheel, limits, "textchanged", and
// the selected field painted through the render engine in a layered window.
#include <gtest/gtest.h>

#include <algorithm>

#include "schedule/clock_field_controls.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;
using namespace ui_test;

namespace {

const wchar_t* kLayout =
    LR"(<Window size="300,80"><VerticalLayout bkcolor="#FFFFFFFF">
  <TimeControlUI name="time" width="120" height="30" textcolor="#FF000000"/>
  <YearControlUI name="date" width="150" height="30" textcolor="#FF000000"/>
</VerticalLayout></Window>)";

class ClockFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        w.makeControl = [](LPCTSTR tag) { return CreateClockFieldControl(tag); };
        ASSERT_TRUE(w.Open());
        time = w.Find<CTimeControlUI>(L"time");
        date = w.Find<CYearControlUI>(L"date");
        ASSERT_NE(time, nullptr);
        ASSERT_NE(date, nullptr);
    }
    // Clicks the field (1 to 3) of a control.
    void ClickField(CControlUI* c, int field) {
        const RECT rc = c->GetPos();
        const int third = (rc.right - rc.left) / 3;
        ClickAt(w.GetHWND(), {rc.left + third * (field - 1) + third / 2 + 5, (rc.top + rc.bottom) / 2});
    }
    void Type(const char* digits) {
        for (const char* d = digits; *d; ++d) PressKey(w.GetHWND(), static_cast<UINT>(*d));
    }
    void Wheel(bool towardsUser) {
        const RECT rc = date->GetPos();
        POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        ClientToScreen(w.GetHWND(), &pt);
        SendMessageW(w.GetHWND(), WM_MOUSEWHEEL, MAKEWPARAM(0, towardsUser ? -WHEEL_DELTA : WHEEL_DELTA),
                     MAKELPARAM(pt.x, pt.y));
        Pump(20);
    }

    TestWindow w{kLayout};
    CTimeControlUI* time = nullptr;
    CYearControlUI* date = nullptr;
};

TEST_F(ClockFieldTest, TypingAnHourTakesOnlyValidValues) {
    ClickField(time, 1);
    EXPECT_EQ(time->SelectedField(), 1);
    Type("12");
    EXPECT_EQ(time->Field(1), 12);
    Type("3");
    EXPECT_EQ(time->Field(1), 3) << "a third digit starts a new value";
    Type("0");
    EXPECT_EQ(time->Field(1), 3) << "30 is no hour";
    EXPECT_EQ(time->GetText(), L"03:00:00");
    EXPECT_NE(std::find(w.log.begin(), w.log.end(), "textchanged:time"), w.log.end());
}

TEST_F(ClockFieldTest, ArrowKeysMoveBetweenFieldsAndStepWithoutCarrying) {
    time->ParseText(L"00:59:00");
    ClickField(time, 1);
    PressKey(w.GetHWND(), VK_DOWN);
    EXPECT_EQ(time->Field(1), 0) << "no step below 0";
    PressKey(w.GetHWND(), VK_RIGHT);
    EXPECT_EQ(time->SelectedField(), 2);
    PressKey(w.GetHWND(), VK_UP);
    EXPECT_EQ(time->GetText(), L"00:59:00") << "no carry into the hour";
    PressKey(w.GetHWND(), VK_OEM_PERIOD);
    Type("45");
    PressKey(w.GetHWND(), VK_LEFT);
    EXPECT_EQ(time->SelectedField(), 2);
    PressKey(w.GetHWND(), VK_BACK);
    EXPECT_EQ(time->GetText(), L"00:00:45");
    EXPECT_EQ(time->GetTotalSeconds(), 45);
}

TEST_F(ClockFieldTest, ParsingAndFormatting) {
    time->ParseText(L"08:05:09");
    EXPECT_EQ(time->GetTotalSeconds(), 8 * 3600 + 5 * 60 + 9);
    time->ParseText(L"12:30");
    EXPECT_EQ(time->Field(1), 12);
    EXPECT_EQ(time->Field(3), 30);
    EXPECT_EQ(CTimeControlUI::FormatMs(3723000), L"01:02:03");
    date->ParseText(L"2024-02-29");
    EXPECT_EQ(date->FormatDate(), L"2024-02-29");
    EXPECT_EQ(date->ToSeconds() + 86400, [] {
        CYearControlUI next;
        next.ParseText(L"2024-03-01");
        return next.ToSeconds();
    }());
}

TEST_F(ClockFieldTest, TypingAYearTakesFourDigits) {
    ClickField(date, 1);
    const int32_t want[] = {2, 20, 202, 2021};
    const char* digits[] = {"2", "0", "2", "1"};
    for (int i = 0; i < 4; ++i) {
        Type(digits[i]);
        EXPECT_EQ(date->Field(1), want[i]);
    }
}

// A month of 13 or a day of 45 cannot be entered.
TEST_F(ClockFieldTest, ADateTakesOnlyRealMonthsAndDays) {
    date->ParseText(L"2021-04-10");
    ClickField(date, 2);
    Type("13");
    EXPECT_EQ(date->Field(2), 1) << "1 is taken, 13 is not";
    Type("05");
    EXPECT_EQ(date->Field(2), 5);
    ClickField(date, 3);
    Type("45");
    EXPECT_EQ(date->Field(3), 4);
    Type("31");
    EXPECT_EQ(date->Field(3), 31);
    EXPECT_EQ(date->GetText(), L"2021-05-31");
    PressKey(w.GetHWND(), VK_UP);
    EXPECT_EQ(date->Field(3), 31) << "May has 31 days";
}

TEST_F(ClockFieldTest, TheWheelStepsTheSelectedFieldWithinTheMonth) {
    date->ParseText(L"2021-03-01");
    ClickField(date, 3);
    Wheel(true);
    EXPECT_EQ(date->GetText(), L"2021-03-01") << "day floor 1";
    Wheel(false);
    EXPECT_EQ(date->GetText(), L"2021-03-02");
    date->ParseText(L"2023-02-28");
    Wheel(false);
    EXPECT_EQ(date->GetText(), L"2023-02-28") << "February 2023 has 28 days";
}

// A step or a typed value that changes the month or the year keeps the day
// inside the new month: never 2024-02-31 (which would fire on 03-02).
TEST_F(ClockFieldTest, TheDayFollowsTheLengthOfTheMonth) {
    const struct {
        const wchar_t* start;
        int field;
        UINT key;  // VK_UP, VK_DOWN, or a digit typed
        const wchar_t* after;
    } cases[] = {
        {L"2024-01-31", 2, VK_UP, L"2024-02-29"}, {L"2023-03-31", 2, VK_DOWN, L"2023-02-28"},
        {L"2024-02-29", 1, VK_UP, L"2025-02-28"}, {L"2024-02-29", 1, VK_DOWN, L"2023-02-28"},
        {L"2024-05-31", 2, '6', L"2024-06-30"},   {L"2024-08-31", 2, VK_UP, L"2024-09-30"},
        {L"2024-01-30", 2, VK_UP, L"2024-02-29"}, {L"2024-03-15", 2, VK_DOWN, L"2024-02-15"},
    };
    for (const auto& c : cases) {
        date->ParseText(c.start);
        ClickField(date, c.field);
        PressKey(w.GetHWND(), c.key);
        EXPECT_EQ(std::wstring(date->GetText().Str()), c.after) << Narrow(c.start) << " field " << c.field;
    }
}

TEST_F(ClockFieldTest, ADisabledControlTakesNoInput) {
    time->SetEnabled(false);
    ClickField(time, 1);
    Type("5");
    EXPECT_EQ(time->SelectedField(), 0);
    EXPECT_EQ(time->GetText(), L"00:00:00");
}

// In a layered window, text drawn with plain GDI comes out transparent; the
// selected field's blue ground and its white digits must be opaque.
TEST(ClockFieldPaintTest, TheSelectedFieldPaintsOpaqueInALayeredWindow) {
    TestWindow w(
        LR"(<Window size="200,40" layered="true"><VerticalLayout bkcolor="#FFFFFFFF">
  <TimeControlUI name="time" width="120" height="30" textcolor="#FF000000"/>
</VerticalLayout></Window>)");
    w.makeControl = [](LPCTSTR tag) { return CreateClockFieldControl(tag); };
    ASSERT_TRUE(w.Open(100, 100, WS_EX_TOOLWINDOW | WS_EX_LAYERED));
    auto* time = w.Find<CTimeControlUI>(L"time");
    const RECT rc = time->GetPos();
    ClickAt(w.GetHWND(), {rc.left + 8, (rc.top + rc.bottom) / 2});
    ASSERT_EQ(time->SelectedField(), 1);
    w.PaintNow();
    int blue = 0, left = rc.right, right = rc.left;
    for (int x = rc.left; x < rc.left + 40; ++x)
        for (int y = rc.top + 4; y < rc.bottom - 4; ++y) {
            const DWORD p = w.Pixel(x, y);
            if (A(p) != 255 || B(p) < 200 || R(p) > 100) continue;
            ++blue;
            left = std::min<int>(left, x);
            right = std::max<int>(right, x);
        }
    EXPECT_GT(blue, 20);
    int digits = 0;  // the white digits, inside the blue cell
    for (int x = left; x <= right; ++x)
        for (int y = rc.top + 4; y < rc.bottom - 4; ++y) {
            const DWORD p = w.Pixel(x, y);
            if (A(p) == 255 && R(p) > 200 && G(p) > 200) ++digits;
        }
    EXPECT_GT(digits, 2);
}

}  // namespace

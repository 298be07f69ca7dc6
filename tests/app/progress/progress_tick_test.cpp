// The progress tick as a pure computation: splits, automatic stops, the planned
// length, the size label and the digits.
#include "app/progress/progress_tick.h"

#include <gtest/gtest.h>

#include <functional>

#include "shell/custom_messages.h"

namespace {

constexpr uint64_t kMiB = 1024ull * 1024;
constexpr uint64_t kGiB = 1024 * kMiB;

using Events = std::vector<ProgressEvent>;

SettingRecord NoSplit() { return SettingRecord{}; }

// Splitting on, by time (0, minutes) or by size (1, MiB).
SettingRecord Splitting(int32_t checkDivision, int32_t amount) {
    SettingRecord s;
    s.Division = true;
    s.Check_division = checkDivision;
    (checkDivision == 0 ? s.Division_time : s.Division_size) = amount;
    return s;
}

SettingRecord SplitByTime(int32_t minutes) { return Splitting(0, minutes); }
SettingRecord SplitBySize(int32_t mib) { return Splitting(1, mib); }

AutoStopOptions StopAfterSeconds(int32_t seconds) {
    AutoStopOptions a;
    a.enabled = true;
    a.seconds = seconds;
    return a;
}

AutoStopOptions StopAtSize(int32_t mb) {
    AutoStopOptions a;
    a.enabled = true;
    a.byTime = false;
    a.bySize = true;
    a.sizeMB = mb;
    return a;
}

ProgressTickInput Input(const SettingRecord& settings, uint64_t seconds = 0, uint64_t bytes = kMiB) {
    ProgressTickInput in;
    in.settings = settings;
    in.m_uTimeNum = seconds;
    in.m_nSaveFileSize = bytes;
    return in;
}

struct Fired {
    uint64_t second;
    ProgressEvent event;
};

// Runs ticks 1..ticks the way the thread does, each tick's counters feeding the next.
std::vector<Fired> Simulate(ProgressTickInput in, uint64_t ticks, const std::function<uint64_t(uint64_t)>& bytesAt) {
    std::vector<Fired> fired;
    for (uint64_t t = 1; t <= ticks; ++t) {
        in.m_nSaveFileSize = bytesAt(t);
        ProgressTick tick = ComputeProgressTick(in);
        EXPECT_EQ(tick.m_uTimeNum, in.m_uTimeNum + 1);
        for (ProgressEvent e : tick.events) fired.push_back({tick.m_uTimeNum, e});
        in.m_uTimeNum = tick.m_uTimeNum;
        in.division = tick.division;
        in.plan = tick.plan;
    }
    return fired;
}

std::vector<uint64_t> SecondsOf(const std::vector<Fired>& fired, ProgressEvent event) {
    std::vector<uint64_t> seconds;
    for (const Fired& f : fired)
        if (f.event == event) seconds.push_back(f.second);
    return seconds;
}

uint64_t Constant(uint64_t) { return kMiB; }

TEST(ProgressTick, TimeSplitsFallOnFullPeriodsOnly) {
    struct Case {
        const char* name;
        SettingRecord settings;
        uint64_t ticks;
        std::vector<uint64_t> splits;
    } cases[] = {
        {"1 minute", SplitByTime(1), 200, {60, 120, 180}},
        {"10 minutes", SplitByTime(10), 1800, {600, 1200, 1800}},
        {"period 0 means no split", SplitByTime(0), 200, {}},
        {"negative period means no split", SplitByTime(-5), 200, {}},
        {"splitting off",
         [] {
             SettingRecord s = SplitByTime(1);
             s.Division = false;
             return s;
         }(),
         200,
         {}},
        {"split by size instead",
         [] {
             SettingRecord s = SplitBySize(500);
             s.Division_time = 1;
             return s;
         }(),
         200,
         {}},
    };
    for (const Case& c : cases) {
        std::vector<Fired> fired = Simulate(Input(c.settings), c.ticks, Constant);
        EXPECT_EQ(SecondsOf(fired, ProgressEvent::kSplitByTime), c.splits) << c.name;
    }
}

TEST(ProgressTick, AutomaticStopByTimeAndThePlannedLength) {
    PlanTaskProgress hour{true, 3600};
    struct Case {
        const char* name;
        AutoStopOptions autoStop;
        PlanTaskProgress plan;
        uint64_t startSeconds;
        uint64_t ticks;
        std::vector<uint64_t> autoStops;
        std::vector<uint64_t> planEnds;
    } cases[] = {
        {"after 600 s: the tick from 600 to 601", StopAfterSeconds(600), {}, 0, 700, {601}, {}},
        {"limit already passed", StopAfterSeconds(600), {}, 700, 100, {}, {}},
        {"not enabled",
         [] {
             AutoStopOptions a = StopAfterSeconds(5);
             a.enabled = false;
             return a;
         }(),
         {},
         0,
         20,
         {},
         {}},
        {"by size only",
         [] {
             AutoStopOptions a = StopAfterSeconds(5);
             a.byTime = false;
             return a;
         }(),
         {},
         0,
         20,
         {},
         {}},
        {"negative limit never fires", StopAfterSeconds(-1), {}, 0, 20, {}, {}},
        {"planned length once", AutoStopOptions{}, hour, 0, 3700, {}, {3601}},
        {"no stop by time while a task runs", StopAfterSeconds(60), hour, 0, 3700, {}, {3601}},
        {"negative duration never ends", AutoStopOptions{}, {true, -1}, 0, 50, {}, {}},
    };
    for (const Case& c : cases) {
        ProgressTickInput in = Input(NoSplit(), c.startSeconds);
        in.autoStop = c.autoStop;
        in.plan = c.plan;
        std::vector<Fired> fired = Simulate(in, c.ticks, Constant);
        EXPECT_EQ(SecondsOf(fired, ProgressEvent::kAutoStopByTime), c.autoStops) << c.name;
        EXPECT_EQ(SecondsOf(fired, ProgressEvent::kPlanDurationReached), c.planEnds) << c.name;
    }
}

TEST(ProgressTick, PlannedLengthClearsTaskBegin) {
    ProgressTickInput in = Input(NoSplit(), 10);
    in.plan = {true, 10};
    ProgressTick tick = ComputeProgressTick(in);
    EXPECT_EQ(tick.events, Events{ProgressEvent::kPlanDurationReached});
    EXPECT_FALSE(tick.plan.task_begin);
    EXPECT_EQ(tick.plan.duration, 10);
    in.plan = {true, 11};
    EXPECT_TRUE(ComputeProgressTick(in).plan.task_begin);
}

TEST(ProgressTick, SizeSplitsCountTheWholeRecording) {
    auto hundredMiBATick = [](uint64_t t) { return t * 100 * kMiB; };  // 10000 MiB after 100 ticks
    struct Case {
        const char* name;
        SettingRecord settings;
        std::vector<uint64_t> sizeSplits;
        std::vector<uint64_t> safetySplits;
    } cases[] = {
        {"3000 MiB: after 3000, 6000, 9000", SplitBySize(3000), {31, 61, 91}, {}},
        {"split size 0: only the safety split", SplitBySize(0), {}, {41, 82}},
        {"negative split size: only the safety split", SplitBySize(-1), {}, {41, 82}},
        {"splitting off: the safety split", NoSplit(), {}, {41, 82}},
        {"split by time period 0: the safety split", SplitByTime(0), {}, {41, 82}},
        {"split by time: no safety split", SplitByTime(60), {}, {}},
    };
    for (const Case& c : cases) {
        std::vector<Fired> fired = Simulate(Input(c.settings), 100, hundredMiBATick);
        EXPECT_EQ(SecondsOf(fired, ProgressEvent::kSplitBySize), c.sizeSplits) << c.name;
        EXPECT_EQ(SecondsOf(fired, ProgressEvent::kSafetySplit), c.safetySplits) << c.name;
    }
}

TEST(ProgressTick, SizeThresholds) {
    struct Case {
        const char* name;
        SettingRecord settings;
        AutoStopOptions autoStop;
        DivisionCounters division;
        uint64_t bytes;
        Events events;
        DivisionCounters after;
    } cases[] = {
        {"safety: exactly 4096 MiB", NoSplit(), AutoStopOptions{}, {1, 1}, 4096 * kMiB, {}, {1, 1}},
        {"safety: 4096 MiB and a byte", NoSplit(), AutoStopOptions{}, {1, 1}, 4096 * kMiB + 1, {}, {1, 1}},
        {"safety: 4097 MiB", NoSplit(), AutoStopOptions{}, {1, 1}, 4097 * kMiB, {ProgressEvent::kSafetySplit}, {1, 2}},
        {"safety: 8192 MiB", NoSplit(), AutoStopOptions{}, {1, 2}, 8192 * kMiB, {}, {1, 2}},
        {"safety: 8193 MiB", NoSplit(), AutoStopOptions{}, {1, 2}, 8193 * kMiB, {ProgressEvent::kSafetySplit}, {1, 3}},
        {"size: exactly 9000 MiB", SplitBySize(3000), AutoStopOptions{}, {3, 1}, 9000 * kMiB, {}, {3, 1}},
        {"size: 9000 MiB and a byte",
         SplitBySize(3000),
         AutoStopOptions{},
         {3, 1},
         9000 * kMiB + 1,
         {ProgressEvent::kSplitBySize},
         {4, 1}},
        {"size: no safety split", SplitBySize(3000), AutoStopOptions{}, {2, 1}, 5000 * kMiB, {}, {2, 1}},
        {"stop: exactly 1 MiB, limit 0", NoSplit(), StopAtSize(0), {}, kMiB, {}, {}},
        {"stop: 1 MiB and a byte, limit 0",
         NoSplit(),
         StopAtSize(0),
         {},
         kMiB + 1,
         {ProgressEvent::kAutoStopBySize},
         {}},
        {"stop: exactly 10 MiB, limit 10", NoSplit(), StopAtSize(10), {}, 10 * kMiB, {}, {}},
        {"stop: 10 MiB and a byte, limit 10",
         NoSplit(),
         StopAtSize(10),
         {},
         10 * kMiB + 1,
         {ProgressEvent::kAutoStopBySize},
         {}},
        {"stop: not enabled",
         NoSplit(),
         [] {
             AutoStopOptions a = StopAtSize(0);
             a.enabled = false;
             return a;
         }(),
         {},
         5 * kMiB,
         {},
         {}},
        {"stop: by time only", NoSplit(), StopAfterSeconds(1000), {}, 5 * kMiB, {}, {}},
    };
    for (const Case& c : cases) {
        ProgressTickInput in = Input(c.settings, 100, c.bytes);
        in.autoStop = c.autoStop;
        in.division = c.division;
        ProgressTick tick = ComputeProgressTick(in);
        EXPECT_EQ(tick.events, c.events) << c.name;
        EXPECT_EQ(tick.division.m_division_num, c.after.m_division_num) << c.name;
        EXPECT_EQ(tick.division.m_division_num_limit, c.after.m_division_num_limit) << c.name;
    }
}

TEST(ProgressTick, StopBySizeRepeatsAndHoldsWhileATaskRuns) {
    ProgressTickInput in = Input(NoSplit(), 0, 2 * kMiB);
    in.autoStop = StopAtSize(1);
    in.autoStop.byTime = true;
    in.autoStop.seconds = 0;
    in.plan = {true, 3600};
    std::vector<Fired> fired = Simulate(in, 3, [](uint64_t) { return 2 * kMiB; });
    EXPECT_EQ(SecondsOf(fired, ProgressEvent::kAutoStopBySize), (std::vector<uint64_t>{1, 2, 3}));
    EXPECT_TRUE(SecondsOf(fired, ProgressEvent::kAutoStopByTime).empty());
}

TEST(ProgressTick, EventsOfOneTickComeInPostingOrder) {
    ProgressTickInput in = Input(SplitByTime(1), 59, 2 * kMiB);
    in.autoStop = StopAtSize(1);
    in.autoStop.byTime = true;
    in.autoStop.seconds = 59;
    EXPECT_EQ(ComputeProgressTick(in).events,
              (Events{ProgressEvent::kSplitByTime, ProgressEvent::kAutoStopByTime, ProgressEvent::kAutoStopBySize}));
    in.plan = {true, 59};
    EXPECT_EQ(ComputeProgressTick(in).events, (Events{ProgressEvent::kSplitByTime, ProgressEvent::kPlanDurationReached,
                                                      ProgressEvent::kAutoStopBySize}));
}

TEST(ProgressTick, EachEventPostsItsMessage) {
    struct Case {
        ProgressEvent event;
        UINT message;
    } cases[] = {
        {ProgressEvent::kSplitByTime, WM_USER + 248},    {ProgressEvent::kSplitBySize, WM_USER + 248},
        {ProgressEvent::kSafetySplit, WM_USER + 248},    {ProgressEvent::kAutoStopByTime, WM_USER + 233},
        {ProgressEvent::kAutoStopBySize, WM_USER + 233}, {ProgressEvent::kPlanDurationReached, WM_USER + 235},
    };
    for (const Case& c : cases) EXPECT_EQ(EventMessage(c.event), c.message);
    EXPECT_EQ(WM_PROGRESS_TICK, WM_USER + 251u);
}

TEST(ProgressTick, SizeLabel) {
    struct Case {
        uint64_t bytes;
        uint64_t freeBytes;
        const wchar_t* text;
    } cases[] = {
        {47815066, 118 * kGiB + 5 * kMiB, L"   45.6MB/118GB"},
        {1000, 0, L"   0KB/0GB"},
        {1024, kGiB - 1, L"   1.0KB/0GB"},
        {5 * kGiB, 2048 * kGiB, L"   5120.0MB/2048GB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SizeLabelText(c.bytes, c.freeBytes), c.text);
        ProgressTickInput in = Input(NoSplit(), 0, c.bytes);
        in.freeBytes = c.freeBytes;
        EXPECT_EQ(ComputeProgressTick(in).sizeLabel, c.text);
    }
}

TEST(ProgressTick, DigitsOfTheNewCount) {
    struct Case {
        uint64_t before;
        uint64_t digits[6];
        const wchar_t* hoursTensImage;
    } cases[] = {
        {0, {0, 0, 0, 0, 0, 1}, L"other/0.png"},
        {45295, {1, 2, 3, 4, 5, 6}, L"other/1.png"},
        {359999, {10, 0, 0, 0, 0, 0}, L"other/10.png"},  // 100 hours: an image the skin lacks
    };
    for (const Case& c : cases) {
        ProgressTick tick = ComputeProgressTick(Input(NoSplit(), c.before));
        const TimeDigits& d = tick.digits;
        uint64_t got[6] = {d.hoursTens, d.hoursUnits, d.minutesTens, d.minutesUnits, d.secondsTens, d.secondsUnits};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(got[i], c.digits[i]) << c.before << " digit " << i;
        EXPECT_EQ(DigitImageName(d.hoursTens), c.hoursTensImage);
    }
}

}  // namespace

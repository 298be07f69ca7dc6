// One scheduled task: when it starts, how long it records, what it records and
// what follows; its texts for the task list; the request it posts when due.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "common/auto_stop_options.h"
#include "common/record_request.h"

struct TaskInfo {
    // The start 300 s and the stop 900 s after now.
    TaskInfo();
    explicit TaskInfo(time_t now);
    // A look-up key: only the name means anything.
    static TaskInfo Key(const std::wstring& name);

    std::wstring Name;
    std::wstring StartDate;
    std::wstring StartTime;
    std::wstring StopDate;
    std::wstring StopTime;
    std::wstring RecordTimeText = L"00:10:00";
    std::wstring Repeat;  // weekdays "0".."6" (0 Sunday) joined by ","; empty: once
    uint32_t Duration = 10;
    int32_t StopType = 0;
    bool Cycle = false;
    int32_t CycleStopCount = 10;
    bool CycleStopManually = false;
    int32_t RegionMode = 1;  // 0 no video, 1 full screen, 2 Region
    int32_t RegionLeft = 0;
    int32_t RegionTop = 0;
    int32_t RegionRight = 0;
    int32_t RegionBottom = 0;
    int32_t AudioInput = 1;  // 0 none, 1 system sound, 2 microphone, 3 both
    std::wstring Webcam;
    std::wstring ChosenScreen;
    std::wstring CompletedAction = kActionNothing;
    bool Status = false;

    bool Repeats() const { return !Repeat.empty(); }
    // "25:01:01" for a day, an hour, a minute and a second.
    std::wstring DurationText() const;
    // "启用" or "停止".
    std::wstring StatusText() const;
    // "每天" for all seven days, else one blank and the days in stored order.
    std::wstring RepeatText() const;
    // The start as the list shows it: date and time, or the time of a repeating task.
    std::wstring StartText() const;
    RecordRequest ToRequest() const;
};

// "每周日", "每周一 ", ... of one weekday item; empty for anything else.
std::wstring WeekdayText(const std::wstring& item);
// Items split at ","; a trailing remainder is an item, an empty text has none.
std::vector<std::wstring> SplitRepeat(const std::wstring& repeat);

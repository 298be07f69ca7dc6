// One second of a running recording, as a pure computation: the new count of
// seconds and its digits, the size label, and which splits and stops are due.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/auto_stop_options.h"
#include "common/setting_data.h"
#include "common/time_size_text.h"

// The numbers of the next splits of one recording; both 1 when it starts.
struct DivisionCounters {
    int32_t m_division_num = 1;        // next split by size
    int32_t m_division_num_limit = 1;  // next 4096 MiB safety split
};

// The planned length of a recording that a scheduled task started.
struct PlanTaskProgress {
    bool task_begin = false;  // cleared once the planned length is reached
    int32_t duration = 0;     // seconds
};

enum class ProgressEvent {
    kSplitByTime,
    kPlanDurationReached,
    kAutoStopByTime,
    kSplitBySize,
    kSafetySplit,
    kAutoStopBySize,
};

// The message an event posts to the main window.
UINT EventMessage(ProgressEvent event);

struct ProgressTickInput {
    uint64_t m_uTimeNum = 0;       // seconds counted before this tick
    uint64_t m_nSaveFileSize = 0;  // bytes written, all parts together
    SettingRecord settings;
    AutoStopOptions autoStop;
    PlanTaskProgress plan;
    DivisionCounters division;
    uint64_t freeBytes = 0;  // total free bytes of the output drive; 0 when unknown
};

struct ProgressTick {
    uint64_t m_uTimeNum = 0;
    TimeDigits digits{};
    std::wstring sizeLabel;             // e.g. "   45.6MB/118GB"
    std::vector<ProgressEvent> events;  // in the order their messages are posted
    DivisionCounters division;
    PlanTaskProgress plan;
};

// The time side of the tick (UpdateTime), then its size side (UpdateWriteFileSize).
ProgressTick ComputeProgressTick(const ProgressTickInput& in);

// Three blanks, the written size with one decimal, "/", the free GiB, "GB".
std::wstring SizeLabelText(uint64_t bytesWritten, uint64_t freeBytes);

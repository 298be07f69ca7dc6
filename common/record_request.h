// What a scheduled task asks the main window to record when it comes due: posted
// as a heap copy with WM_PLAN_START_RECORD (PostRecordCopy, posted_records.h) and
// claimed and freed by the main window.
#pragma once

#include <cstdint>
#include <string>

#include "common/auto_stop_options.h"

struct RecordRequest {
    int32_t record_area = 1;  // 0 sound only, 1 full screen, 2 the rectangle below
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t audio_input = 1;  // 0 none, 1 system sound, 2 microphone, 3 both
    std::wstring camera_input = L"无";
    std::wstring complete_option = kActionNothing;  // one of the completion actions
    int32_t duration = 600;                         // seconds
    bool task_begin = false;                        // true once a task fired the request
};

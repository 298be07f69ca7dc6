// The values the screen device "screen-capture-recorder" reads when it is opened:
// REG_DWORDs under HKEY_CURRENT_USER "SOFTWARE\screen-capture-recorder".
#pragma once

#include <windows.h>

#include "common/setting_data.h"

constexpr const wchar_t* kScreenFilterKey = L"SOFTWARE\\screen-capture-recorder";
constexpr int kLowestFilterFrameRate = 5;     // a FrameRate setting below it gives 25
constexpr int kHighestFilterFrameRate = 120;  // and one above it too
constexpr int kDefaultFilterFrameRate = 25;

// The FrameRate setting, or 25 (with a log line) when it is below 5 or above 120.
int32_t FilterFrameRate(const SettingRecord& settings);

// Creates the key when missing and writes the area of recordRect ("start_x",
// "start_y", "capture_width", "capture_height", "rt", "bm") and the pointer choice
// ("capture_mouse_default_1"). "default_max_fps" is overwritten with the FrameRate
// setting only when it exists and is not 0. false when the key cannot be opened.
bool WriteScreenFilterValues(const RECT& recordRect, const SettingRecord& settings);

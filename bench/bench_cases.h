// The two ways the benchmark records the same capture: through the recorder
// controller (in a process of its own) and through FFmpeg alone.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "bench/thread_split.h"

struct CaseResult {
    bool ok = false;
    std::string error;
    double cpuSeconds = 0;     // as the recording process reports it
    double peakMegabytes = 0;  // working set, sampled while it ran
    std::wstring file;
    std::vector<ThreadShare> threads;  // the recorder's, while it recorded (before the stop)
};

// The whole desktop (what the screen device captures).
RECT DesktopRect();

// Child mode: records `seconds` of the screen's top-left width x height and system
// sound through CVistreler into folder, then prints its CPU time and the file.
int RunRecorderChild(int width, int height, double seconds, const std::wstring& folder);

CaseResult RecordWithVistrel(int width, int height, double seconds, const std::wstring& folder);
CaseResult RecordWithFfmpeg(const std::wstring& ffmpeg, int width, int height, double seconds,
                            const std::wstring& folder);

// A borderless top-most window whose grey level follows the clock (a sawtooth that
// steps every 10 ms): recorded pictures of it differ from frame to frame, so a
// frozen stretch of a recording shows.
#pragma once

#include <windows.h>

#include "tests/engine/timed_window.h"

class AnimatedWindow {
public:
    explicit AnimatedWindow(const RECT& rect);  // returns once the window is shown

    // The grey level at a time of the GetTickCount clock.
    static int LevelAt(DWORD ticks) { return static_cast<int>((ticks / 10) % kMaxLevel); }
    static constexpr int kMaxLevel = 200;

private:
    TimedWindow window_;
};

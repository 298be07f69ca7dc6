// What "screen-capture-recorder" captures, from the values the recorder writes
// under HKEY_CURRENT_USER "SOFTWARE\screen-capture-recorder" just before it
// opens the device.
#pragma once

#include <windows.h>

struct ScreenCaptureSettings {
    RECT area;  // desktop pixels; may reach past the desktop
    int frames_per_second;
    bool draw_mouse;
};

constexpr int kDefaultFramesPerSecond = 25;
constexpr int kMaxFramesPerSecond = 120;
constexpr int kMaxCaptureSide = 16384;

// Missing or unusable values fall back: the area to the whole desktop, the
// rate to kDefaultFramesPerSecond, the pointer to drawn.
ScreenCaptureSettings ReadScreenCaptureSettings();

// A borderless top-most window whose grey level follows the clock (a sawtooth that
// steps every 10 ms), on a thread of its own: recorded pictures of it differ from
// frame to frame, so a frozen stretch of a recording shows. Flash() turns it white
// for a moment, a visible event to match against a sound.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

class AnimatedWindow {
public:
    explicit AnimatedWindow(const RECT& rect);  // returns once the window is shown
    ~AnimatedWindow();
    AnimatedWindow(const AnimatedWindow&) = delete;
    AnimatedWindow& operator=(const AnimatedWindow&) = delete;

    // White for `ms` from now, then the sawtooth again.
    void Flash(DWORD ms);
    // The grey level for a time on the GetTickCount clock; white while flashing.
    int LevelAt(DWORD ticks) const;

    static constexpr int kMaxLevel = 200;  // the sawtooth stays below the white flash

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    void Main(RECT rect);
    void Paint(HWND window);

    std::thread thread_;
    HANDLE ready_ = nullptr;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    std::atomic<DWORD> flashUntil_{0};
};

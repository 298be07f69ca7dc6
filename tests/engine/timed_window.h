// A borderless top-most window on a thread of its own, repainted on a timer, so its
// messages keep flowing while the test or benchmark blocks. The owner paints it.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>

class TimedWindow {
public:
    using Painter = std::function<void(HDC dc, const RECT& client)>;

    // Returns once the window is shown and painted. The painter runs on the window's
    // thread, on every tick of timerMs and whenever part of it is invalidated.
    TimedWindow(const RECT& rect, UINT timerMs, Painter painter);
    ~TimedWindow();
    TimedWindow(const TimedWindow&) = delete;
    TimedWindow& operator=(const TimedWindow&) = delete;

    // Repaints `area` (the whole window when null) soon; from any thread.
    void Invalidate(const RECT* area = nullptr);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    void Main(RECT rect, UINT timerMs);

    Painter painter_;
    std::thread thread_;
    HANDLE ready_ = nullptr;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
};

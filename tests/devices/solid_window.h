// A borderless top-most window filled with one colour, on a thread of its own
// that keeps its messages flowing while the test blocks in FFmpeg.
#pragma once

#include <windows.h>

#include <cstdint>
#include <thread>

namespace device_testing {

class SolidWindow {
public:
    // colour: 0xRRGGBB; rect in desktop pixels. Returns once the window is
    // painted. A foreground window takes Wine about 2 s to close.
    SolidWindow(const RECT& rect, uint32_t colour, bool foreground = false);
    ~SolidWindow();
    SolidWindow(const SolidWindow&) = delete;
    SolidWindow& operator=(const SolidWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    void Main(RECT rect, uint32_t colour, bool foreground);
    std::thread thread_;
    HANDLE ready_ = nullptr;
    HWND window_ = nullptr;
    DWORD thread_id_ = 0;
};

}  // namespace device_testing

// A top-most window full of moving noise: recorded, it fills a file quickly (a
// still desktop compresses to almost nothing).
#pragma once

#include <windows.h>

#include <vector>

#include "tests/engine/timed_window.h"

class NoiseWindow {
public:
    explicit NoiseWindow(const RECT& rect);

private:
    void Paint(HDC dc, const RECT& client);

    std::vector<uint32_t> pixels_;
    uint32_t seed_ = 12345;
    TimedWindow window_;
};

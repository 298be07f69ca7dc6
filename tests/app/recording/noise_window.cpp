#include "tests/app/recording/noise_window.h"

namespace {
constexpr int kNoiseWidth = 640;  // stretched over the window
constexpr int kNoiseHeight = 400;
}  // namespace

NoiseWindow::NoiseWindow(const RECT& rect)
    : pixels_(kNoiseWidth * kNoiseHeight),
      window_(rect, 40, [this](HDC dc, const RECT& client) { Paint(dc, client); }) {}

void NoiseWindow::Paint(HDC dc, const RECT& client) {
    for (uint32_t& pixel : pixels_) {
        seed_ = seed_ * 1664525u + 1013904223u;  // a cheap generator is noise enough
        pixel = seed_ >> 8;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kNoiseWidth;
    info.bmiHeader.biHeight = -kNoiseHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, kNoiseWidth, kNoiseHeight, pixels_.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

// What the latency benchmark reads and shows on the desktop: a full-screen backdrop
// of one colour under every other window, a time code painted on it (the time since
// the user's action, readable in a recorded picture), and pixels read back from the
// screen itself.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <thread>

constexpr COLORREF kBackdropColour = RGB(0, 160, 0);
// The time code: kCodeBits squares of kCodeCell pixels in a row from kCodeOrigin,
// white for a set bit, the time since the action in kCodeStepMs steps.
constexpr POINT kCodeOrigin{100, 900};
constexpr int kCodeCell = 32;
constexpr int kCodeBits = 12;
constexpr int kCodeStepMs = 8;

// Milliseconds on one clock for everything the benchmark times.
double NowMs();

class Backdrop {
public:
    Backdrop();  // shown on return, bottom-most, never activated
    ~Backdrop();
    Backdrop(const Backdrop&) = delete;
    Backdrop& operator=(const Backdrop&) = delete;

    // The time code counts from originMs (NowMs) on; 0 before the first action.
    void SetOrigin(double originMs) { m_origin = originMs; }

private:
    void PaintCode();

    HWND m_window = nullptr;
    std::atomic<double> m_origin{0};
    std::atomic<bool> m_stop{false};
    std::thread m_painter;
};

// The screen's pixel at (x, y).
COLORREF ScreenPixel(int x, int y);
// A sum over the screen's pixels in rect: changes when what it shows changes.
uint64_t ScreenSum(const RECT& rect);
// Whether a pixel differs from the backdrop colour (something is shown over it).
bool CoversBackdrop(COLORREF pixel);
// The time code in a picture's luma plane (top-down, stride bytes a row); -1 when
// no square of it could be read.
int ReadTimeCodeMs(const uint8_t* luma, int stride, int width, int height);

#include "bench/latency_screen.h"

#include <cstdlib>

namespace {

const wchar_t kBackdropClass[] = L"VistrelLatencyBackdrop";

LRESULT CALLBACK BackdropProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

Backdrop::Backdrop() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BackdropProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(kBackdropColour);
    wc.lpszClassName = kBackdropClass;
    RegisterClassW(&wc);
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kBackdropClass, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                               GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                               wc.hInstance, nullptr);
    SetWindowPos(m_window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(m_window);
    m_painter = std::thread([this] {
        while (!m_stop) {
            PaintCode();
            Sleep(1);
        }
    });
}

Backdrop::~Backdrop() {
    m_stop = true;
    m_painter.join();
    DestroyWindow(m_window);
}

void Backdrop::PaintCode() {
    const double origin = m_origin;
    const int code = origin > 0 ? static_cast<int>((NowMs() - origin) / kCodeStepMs) : 0;
    HDC dc = GetDC(m_window);
    for (int bit = 0; bit < kCodeBits; ++bit) {
        const RECT cell{kCodeOrigin.x + bit * kCodeCell, kCodeOrigin.y, kCodeOrigin.x + (bit + 1) * kCodeCell,
                        kCodeOrigin.y + kCodeCell};
        FillRect(dc, &cell, static_cast<HBRUSH>(GetStockObject((code >> bit) & 1 ? WHITE_BRUSH : BLACK_BRUSH)));
    }
    ReleaseDC(m_window, dc);
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

uint64_t ScreenSum(const RECT& rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return 0;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memory, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    uint64_t sum = 0;
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < w * h; ++i) sum = sum * 31 + (p[i] & 0xFFFFFF);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return sum;
}

bool CoversBackdrop(COLORREF pixel) {
    return std::abs(GetRValue(pixel) - GetRValue(kBackdropColour)) > 40 ||
           std::abs(GetGValue(pixel) - GetGValue(kBackdropColour)) > 40 ||
           std::abs(GetBValue(pixel) - GetBValue(kBackdropColour)) > 40;
}

int ReadTimeCodeMs(const uint8_t* luma, int stride, int width, int height) {
    const int y = kCodeOrigin.y + kCodeCell / 2;
    if (y >= height || kCodeOrigin.x + kCodeBits * kCodeCell > width) return -1;
    int code = 0;
    for (int bit = 0; bit < kCodeBits; ++bit) {
        const int x = kCodeOrigin.x + bit * kCodeCell + kCodeCell / 2;
        const uint8_t value = luma[static_cast<size_t>(y) * stride + x];
        if (value > 64 && value < 192) return -1;  // neither black nor white: not the code
        if (value >= 192) code |= 1 << bit;
    }
    return code * kCodeStepMs;
}

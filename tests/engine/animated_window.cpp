#include "animated_window.h"

namespace {
const wchar_t kClass[] = L"VistrelAnimatedTestWindow";
constexpr UINT kFrameTimer = 1;
}  // namespace

AnimatedWindow::AnimatedWindow(const RECT& rect) {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread(&AnimatedWindow::Main, this, rect);
    WaitForSingleObject(ready_, 10000);
}

AnimatedWindow::~AnimatedWindow() {
    if (threadId_) PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (thread_.joinable()) thread_.join();
    CloseHandle(ready_);
}

void AnimatedWindow::Flash(DWORD ms) { flashUntil_ = GetTickCount() + ms; }

int AnimatedWindow::LevelAt(DWORD ticks) const {
    if (static_cast<LONG>(flashUntil_.load() - ticks) > 0) return 255;
    return static_cast<int>((ticks / 10) % kMaxLevel);
}

LRESULT CALLBACK AnimatedWindow::WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<AnimatedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && (message == WM_PAINT || message == WM_TIMER)) {
        self->Paint(window);
        if (message == WM_PAINT) ValidateRect(window, nullptr);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(window, message, wp, lp);
}

void AnimatedWindow::Paint(HWND window) {
    const int level = LevelAt(GetTickCount());
    HDC dc = GetDC(window);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(RGB(level, level, level));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

void AnimatedWindow::Main(RECT rect) {
    threadId_ = GetCurrentThreadId();
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP, rect.left,
                              rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                              nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    Paint(window_);
    SetTimer(window_, kFrameTimer, 10, nullptr);
    SetEvent(ready_);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    KillTimer(window_, kFrameTimer);
    DestroyWindow(window_);
}

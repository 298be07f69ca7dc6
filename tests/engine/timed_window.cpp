#include "tests/engine/timed_window.h"

namespace {
const wchar_t kClass[] = L"VistrelTimedWindow";
constexpr UINT_PTR kTimer = 1;
}  // namespace

TimedWindow::TimedWindow(const RECT& rect, UINT timerMs, Painter painter) : painter_(std::move(painter)) {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread(&TimedWindow::Main, this, rect, timerMs);
    WaitForSingleObject(ready_, 10000);
}

TimedWindow::~TimedWindow() {
    if (threadId_) PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (thread_.joinable()) thread_.join();
    CloseHandle(ready_);
}

void TimedWindow::Invalidate(const RECT* area) {
    if (window_) InvalidateRect(window_, area, FALSE);
}

LRESULT CALLBACK TimedWindow::WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TimedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_TIMER) {
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    }
    if (self && message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        self->painter_(dc, client);
        EndPaint(window, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(window, message, wp, lp);
}

void TimedWindow::Main(RECT rect, UINT timerMs) {
    threadId_ = GetCurrentThreadId();
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    SetTimer(window_, kTimer, timerMs, nullptr);
    SetEvent(ready_);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    KillTimer(window_, kTimer);
    DestroyWindow(window_);
}

#include "tests/devices/solid_window.h"

namespace device_testing {

namespace {

const wchar_t kClassName[] = L"VistrelDeviceTestSolid";

LRESULT CALLBACK SolidProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        HBRUSH brush = CreateSolidBrush(COLORREF(GetWindowLongPtrW(window, GWLP_USERDATA)));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void RegisterSolidClass() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = SolidProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);  // a second registration fails harmlessly
}

}  // namespace

SolidWindow::SolidWindow(const RECT& rect, uint32_t colour, bool foreground) {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread(&SolidWindow::Main, this, rect, colour, foreground);
    WaitForSingleObject(ready_, 10000);
}

SolidWindow::~SolidWindow() {
    PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(ready_);
}

void SolidWindow::Main(RECT rect, uint32_t colour, bool foreground) {
    thread_id_ = GetCurrentThreadId();
    RegisterSolidClass();
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    COLORREF gdi = RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
    SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(gdi));
    if (foreground) {
        // The pointer shape is the foreground thread's: with no foreground
        // window the desktop reports no cursor at all.
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
    } else {
        ShowWindow(window_, SW_SHOWNOACTIVATE);  // closes at once: no focus to hand back
    }
    UpdateWindow(window_);
    MSG msg;
    // Let the window reach the screen before the test looks at it.
    for (DWORD until = GetTickCount() + 300; GetTickCount() < until;) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    SetEvent(ready_);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    DestroyWindow(window_);
}

}  // namespace device_testing

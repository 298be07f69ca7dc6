#include "tests/overlay/region_frame_support.h"

#include "app/region_edge.h"
#include "areaprobe/areaprobe.h"
#include "common/record_globals.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"

namespace frame_test {

namespace {

constexpr DWORD kArrivalTimeoutMs = 10000;

void RegisterClassOnce(LPCWSTR name, WNDPROC proc) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassW(&wc);  // a second registration fails harmlessly
}

template <class T>
T* Self(HWND hwnd, UINT msg, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Absolute coordinates that land exactly on pixel p (pixel = value * size / 65536).
LONG Normalise(LONG pixel, int size) { return static_cast<LONG>((pixel * 65536 + size - 1) / size); }

bool SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    in.mi.dx = dx;
    in.mi.dy = dy;
    return SendInput(1, &in, sizeof(INPUT)) == 1;
}

}  // namespace

// The main window's own edge test, as its hook handler runs it.
int StandInEdgeTest(const RECT& r, POINT p) {
    const int handle = RegionEdgeAt(r, 3, p.x, p.y);
    if (handle != kSelNone) return handle;
    return IsInMoveSquare(r, 3, p.x, p.y) ? kSelMove : kSelNone;
}

MainWindowStandIn::MainWindowStandIn() {
    RegisterClassOnce(L"FrameTestMainStandIn", &MainWindowStandIn::Proc);
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"FrameTestMainStandIn", L"main window stand-in", WS_POPUP, 0, 0, 10, 10,
                            nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

MainWindowStandIn::~MainWindowStandIn() {
    AreaprobeStop();
    ui_test::Pump(20);  // records already posted are taken and freed
    if (hwnd_) DestroyWindow(hwnd_);
}

bool MainWindowStandIn::StartHook() { return AreaprobeStart(hwnd_, 0, 0, 1) != FALSE; }

bool MainWindowStandIn::WaitHandled(UINT message, POINT p) {
    auto find = [&] {
        for (size_t i = 0; i < handled_.size(); ++i)
            if (handled_[i].message == message && handled_[i].point.x == p.x && handled_[i].point.y == p.y) return i;
        return handled_.size();
    };
    bool seen = ui_test::PumpUntil([&] { return find() < handled_.size(); }, kArrivalTimeoutMs);
    if (seen) handled_.erase(handled_.begin(), handled_.begin() + find() + 1);
    return seen;
}

void MainWindowStandIn::OnMouseRecord(LPARAM lParam) {
    AreaprobeMouseRecord record;
    if (!TakeAreaprobeRecord(lParam, &record)) return;
    POINT p = {record.x, record.y};
    UINT message = record.message;
    if (frame_) {
        bool dragging = message == WM_MOUSEMOVE && (GetAsyncKeyState(VK_LBUTTON) & 0x8000);
        int code = dragging ? storedHandle_ : StandInEdgeTest(g_rcSnapwick, p);
        if (message == WM_LBUTTONDOWN) storedHandle_ = code;
        frame_->OnSelMouse(storedHandle_, message, p.x, p.y, aspect_);
        if (message == WM_LBUTTONUP) storedHandle_ = 0;
    }
    handled_.push_back({message, p});
}

LRESULT CALLBACK MainWindowStandIn::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = Self<MainWindowStandIn>(hwnd, msg, lParam);
    if (msg == WM_AREAPROBE_MOUSE && self) {
        self->OnMouseRecord(lParam);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

ClickTarget::ClickTarget(const RECT& rc, COLORREF color) : color_(color) {
    RegisterClassOnce(L"FrameTestClickTarget", &ClickTarget::Proc);
    brush_ = CreateSolidBrush(color);
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"FrameTestClickTarget", L"click target", WS_POPUP,
                            rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
    if (hwnd_) {
        ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
        UpdateWindow(hwnd_);
    }
}

ClickTarget::~ClickTarget() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (brush_) DeleteObject(brush_);
}

LRESULT CALLBACK ClickTarget::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = Self<ClickTarget>(hwnd, msg, lParam);
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_ERASEBKGND: {
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wParam), &rc, self->brush_);
            return 1;
        }
        case WM_LBUTTONDOWN: {
            POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ClientToScreen(hwnd, &p);
            self->presses_.push_back(p);
            return 0;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool SendMoveTo(POINT p) {
    return SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalise(p.x, GetSystemMetrics(SM_CXSCREEN)),
                     Normalise(p.y, GetSystemMetrics(SM_CYSCREEN)));
}

bool SendLeftDown() { return SendMouse(MOUSEEVENTF_LEFTDOWN); }
bool SendLeftUp() { return SendMouse(MOUSEEVENTF_LEFTUP); }

bool RunXdotool(const std::wstring& args) {
    std::wstring command = testing_support::HostProgram(L"xdotool") + L" " + args;
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

DWORD FramePixel(CSelAreaWnd& frame, int x, int y) {
    DuiLib::CPaintManagerUI* pm = frame.GetPaintManager();
    SIZE size = pm->GetPaintOffscreenSize();
    const BYTE* bits = pm->GetPaintOffscreenBits();
    if (!bits || x < 0 || y < 0 || x >= size.cx || y >= size.cy) return 0;
    const BYTE* px = bits + (static_cast<size_t>(y) * size.cx + x) * 4;
    return (DWORD(px[3]) << 24) | (DWORD(px[2]) << 16) | (DWORD(px[1]) << 8) | px[0];
}

}  // namespace frame_test

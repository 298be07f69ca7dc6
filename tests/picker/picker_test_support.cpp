#include "tests/picker/picker_test_support.h"

#include <vector>

#include "picker/snapwick_wnd.h"
#include "tests/ui/ui_test_support.h"

namespace {

LRESULT CALLBACK SolidProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return DefWindowProcW(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc = {};
    GetClientRect(hwnd, &rc);
    RECT left = {0, 0, rc.right / 2, rc.bottom}, right = {rc.right / 2, 0, rc.right, rc.bottom};
    HBRUSH red = CreateSolidBrush(kLeftColour), blue = CreateSolidBrush(kRightColour);
    FillRect(dc, &left, red);
    FillRect(dc, &right, blue);
    DeleteObject(red);
    DeleteObject(blue);
    EndPaint(hwnd, &ps);
    return 0;
}

}  // namespace

HWND OpenSolidWindow(const RECT& rc) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = SolidProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PickerTestSolid";
        registered = RegisterClassW(&wc) != 0;
    }
    HWND hwnd =
        CreateWindowExW(0, L"PickerTestSolid", L"solid", WS_POPUP | WS_VISIBLE, rc.left, rc.top, rc.right - rc.left,
                        rc.bottom - rc.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(hwnd);
    ui_test::Pump(100);
    return hwnd;
}

void MouseAt(POINT p, DWORD buttons) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = (p.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (p.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    SendInput(1, &input, sizeof(input));
    ui_test::Pump(60);
    if (!buttons) return;
    // The press or release carries its point: under Wine a late X event of the
    // pointer's earlier place can move the cursor back after the move above.
    input.mi.dwFlags |= buttons;
    SendInput(1, &input, sizeof(input));
    ui_test::Pump(60);
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD vk : keys) {
        INPUT down = {};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = vk;
        down.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        inputs.push_back(down);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT up = {};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *--it;
        up.ki.wScan = static_cast<WORD>(MapVirtualKeyW(up.ki.wVk, MAPVK_VK_TO_VSC));
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ui_test::Pump(60);
}

HWND WaitForPicker(DWORD timeoutMs) {
    HWND picker = nullptr;
    ui_test::PumpUntil(
        [&] {
            picker = FindWindowW(kSnapwickWindowClass, nullptr);
            return picker && IsWindowVisible(picker);
        },
        timeoutMs);
    return picker && IsWindowVisible(picker) ? picker : nullptr;
}

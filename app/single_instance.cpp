#include "app/single_instance.h"

#include "shell/custom_messages.h"

namespace {
HANDLE g_singleInstanceEvent = nullptr;  // never closed: its life is the instance's
}

bool ClaimSingleInstance() {
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, kSingleInstanceEvent);
    if (event && GetLastError() == ERROR_ALREADY_EXISTS) {
        BringFirstInstanceForward();
        CloseHandle(event);
        return false;
    }
    g_singleInstanceEvent = event;
    return true;
}

bool BringFirstInstanceForward() {
    HWND first = FindWindowW(kMainWindowClass, nullptr);
    if (!first) return false;
    ShowWindow(first, SW_SHOWNORMAL);
    PostMessageW(first, WM_SHOW_SEL_AREA, 1, 0);
    SetForegroundWindow(first);
    return true;
}

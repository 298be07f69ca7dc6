// Snapping to the window under the cursor, and the reply to the recorder.
#include "picker/window_snap.h"

bool SnapWindowAt(POINT pt, HWND picker, RECT* rect) {
    HWND desktop = GetDesktopWindow();
    HWND found = ChildWindowFromPointEx(desktop, pt, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    if (!found || found == picker) return false;
    // Over the bare desktop the search answers the desktop itself: going down
    // from it would find the picker, which covers everything.
    if (found != desktop) {
        for (;;) {
            POINT local = pt;
            ScreenToClient(found, &local);
            HWND child = ChildWindowFromPointEx(found, local, CWP_SKIPINVISIBLE);
            if (!child || child == found || child == picker) break;
            found = child;
        }
    }
    return GetWindowRect(found, rect) != FALSE;
}

void SendAreaResult(const RECT* area) {
    COPYDATASTRUCT reply = {};
    reply.dwData = 0;
    reply.cbData = sizeof(RECT);  // a cancel too: its rectangle is a null pointer
    reply.lpData = const_cast<RECT*>(area);
    HWND recorder = FindWindowW(kRecorderWindowClass, nullptr);
    if (recorder) SendMessageW(recorder, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&reply));
}

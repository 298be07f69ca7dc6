// The main window's message handling: the system menu while recording, the
// custom-message hub and the frame's timers. The hub tests messages in a fixed
// order; the messages of the recording control, the lists, the devices and the
// area picker are added in that order by their own code.
#include "custom_messages.h"
#include "logger.h"
#include "main_ini.h"
#include "pending_step.h"
#include "record_globals.h"
#include "vistrel_frame.h"

LRESULT CVistrelFrame::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_SYSCOMMAND && g_recordeState != _StopState && OnSysCommandWhileRecording(wParam))
        return 0;
    return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
}

// While recording the window is never minimised by the system: a minimise parks it
// off-screen (the recorded screen stays clean) and brings the toolbar back; a
// second one returns it to where it stood.
bool CVistrelFrame::OnSysCommandWhileRecording(WPARAM command) {
    HWND toolbar = ToolbarWindow();
    switch (command & 0xFFF0) {
    case SC_MINIMIZE:
        if (IsParked()) {
            Unpark();
            if (toolbar && IsWindowVisible(toolbar)) ShowWindow(toolbar, SW_HIDE);
            return true;
        }
        Park();
        if (toolbar && !IsWindowVisible(toolbar) && m_bToolbarShown) {
            ShowWindow(toolbar, SW_SHOWNORMAL);
            SetWindowPos(toolbar, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
        return true;
    case SC_RESTORE:
        ShowWindow(m_hWnd, SW_SHOWNORMAL);
        SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return true;
    default:
        return false;
    }
}

bool CVistrelFrame::IsPassThroughMessage(UINT uMsg) {
    switch (uMsg) {
    case WM_SETCURSOR:
    case WM_PAINT:
    case WM_MOUSEHOVER:
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
    case WM_ACTIVATEAPP:
    case WM_PARENTNOTIFY:
    case WM_ERASEBKGND:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_MOUSEACTIVATE:
    case WM_IME_SETCONTEXT:
    case WM_IME_NOTIFY:
    case WM_SETFOCUS:
    case WM_CAPTURECHANGED:
    case WM_LBUTTONUP:
    case WM_KILLFOCUS:
    case WM_GETICON:
    case WM_KEYUP:
        return true;
    default:
        return false;
    }
}

LRESULT CVistrelFrame::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if (IsPassThroughMessage(uMsg)) return 0;
    bHandled = false;
    if (uMsg == WM_DESTROY) {  // after OnDestroy, which left it unhandled
        ExitFrame();
        bHandled = true;
        return 0;
    }
    if (uMsg == WM_RECORD_AT_START) {
        LogPendingStep("CVistrelFrame::HandleCustomMessage", "OnClickStartRecord");
        return 0;
    }
    if (uMsg == WM_TIMER) {
        OnTimer(wParam);
        return 0;
    }
    return 0;
}

void CVistrelFrame::OnTimer(UINT_PTR id) {
    // Timers 1 to 3 belong to the recording control and are handled with it.
    if (id == kTimerHotkeyTip) OnHotkeyTipTimer();
}

void CVistrelFrame::OnHotkeyTipTimer() {
    if (!IsWindowVisible(m_hWnd)) return;  // asked again once the window shows
    KillTimer(m_hWnd, kTimerHotkeyTip);
    if (ReadHotkeyNoshow()) return;
    LogPendingStep("CVistrelFrame::OnTimer", "HotkeyTipDlg for conflicting hotkeys");
}

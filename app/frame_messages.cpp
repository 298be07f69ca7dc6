// The main window's message handling: the system menu while recording, the
// custom-message hub and the frame's timers.
#include "app/lists/file_lists.h"
#include "app/vistrel_frame.h"
#include "areaprobe/areaprobe.h"
#include "common/logger.h"
#include "common/main_ini.h"
#include "common/record_globals.h"
#include "overlay/region/sel_area_wnd.h"
#include "settings/dialog/record_setting_dlg.h"
#include "settings/hotkeys/hotkey_tip_dlg.h"
#include "shell/custom_messages.h"

using namespace DuiLib;

LRESULT CVistrelFrame::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_SYSCOMMAND && g_recordeState != _StopState && OnSysCommandWhileRecording(wParam)) return 0;
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
        default: return false;
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
        case WM_KEYUP: return true;
        default: return false;
    }
}

// The hub: every private message, the picker's reply, the tray, the hotkeys and
// the timers. Unless a handler says otherwise the message goes on to the default
// handling (the paint manager has timers and clicks of its own).
LRESULT CVistrelFrame::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if (IsPassThroughMessage(uMsg)) return 0;
    bHandled = false;
    LRESULT result = 0;
    switch (uMsg) {
        case WM_DESTROY:  // after OnDestroy, which left it unhandled
            ExitFrame();
            bHandled = true;
            return 0;
        case WM_HOTKEY:
            OnHotkey(wParam);
            bHandled = true;
            return 0;
        case WM_TIMER: OnTimer(wParam); return 0;
        default:
            if (HandleRecordingMessage(uMsg)) return 0;
            HandleWindowMessage(uMsg, wParam, lParam, result);
            return result;
    }
}

// What the recording's own code and the progress thread post.
bool CVistrelFrame::HandleRecordingMessage(UINT uMsg) {
    switch (uMsg) {
        case WM_RECORD_AT_START: OnRecordAtStart(); return true;
        case WM_AUTO_STOP_REACHED: OnAutoStopReached(); return true;
        case WM_PLAN_DURATION_REACHED: OnPlanDurationReached(); return true;
        case WM_SPLITFILE_MSG: OnSplitFile(); return true;
        case WM_PROGRESS_TICK: OnProgressTick(); return true;
        case WM_SELECT_FULL_SCREEN: SelectFullScreen(); return true;
        case WM_RECORD_SCREENSHOT: OnRecordScreenshot(); return true;
        default: return false;
    }
}

// Messages of other windows, threads and programs.
bool CVistrelFrame::HandleWindowMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (uMsg) {
        case WM_ACTIVATE: OnActivate(wParam); return true;
        case WM_AREAPROBE_MOUSE: result = OnAreaprobeMouse(wParam, lParam); return true;
        case WM_COPYDATA: OnAreaPicked(lParam); return true;
        case WM_CAMERA_CLOSED:
            CloseCamera();
            ResetCameraChoice();
            return true;
        case WM_MENUCLICK: OnMenuClick(wParam); return true;
        case WM_TRAY_NOTIFY: OnTrayNotify(lParam); return true;
        case WM_APPLY_RECORD_AREA: OnApplyRecordArea(wParam); return true;
        case WM_PLAN_START_RECORD: OnPlanStartRecord(wParam); return true;
        case WM_RECORDER_OPENED: OnRecorderOpened(wParam); return true;
        case WM_LBUTTONDBLCLK: OnListDoubleClick(lParam); return true;
        case WM_SHOW_MAIN_WINDOW: result = OnShowMainWindow(wParam); return true;
        case WM_SHOW_SEL_AREA: OnShowSelArea(wParam); return true;
        case WM_DRAWBOARD_SHOW: OnDrawBoardShow(wParam); return true;
        case WM_DRAWBOARD_OP: OnDrawBoardOp(wParam, lParam); return true;
        case WM_LIST_RENAME:
            if (m_fileLists) m_fileLists->FocusRenameBox();
            return true;
        case WM_SEL_AREA_FLOW:
            if (m_pSelAreaWnd) m_pSelAreaWnd->SetBorderAnimation(wParam == 1);
            return true;
        case WM_RECORDING_FINISHED: OnRecordingFinished(wParam); return true;
        default: return false;
    }
}

void CVistrelFrame::OnTimer(UINT_PTR id) {
    switch (id) {
        case kTimerCountdown: OnCountdownEnd(); break;
        case kTimerDeviceControls: OnDeviceControlsTimer(); break;
        case kTimerBorderAnimation:
            if (SelAreaWindow()) m_pSelAreaWnd->RepaintBorder();
            break;
        case kTimerHotkeyTip: OnHotkeyTipTimer(); break;
        case kTimerExitWaiting: OnExitAfterDialogsTimer(); break;
        case kTimerPlanTaskTip: OnPlanTaskTipTimer(); break;
        default: break;
    }
}

void CVistrelFrame::OnHotkeyTipTimer() {
    if (!IsWindowVisible(m_hWnd)) return;  // asked again once the window shows
    KillTimer(m_hWnd, kTimerHotkeyTip);
    if (ReadHotkeyNoshow()) return;
    if (ShowHotkeyConflictNotice(m_hWnd)) ShowSettingDialog(kHotkeySettingPage);
}

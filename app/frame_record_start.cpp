// The start of a recording: the checks before it, the output folder, the recorder
// opened from the chosen sources and devices on a worker while the countdown
// shows, and the three timers that end the countdown (1), give the device
// controls back (2) and step the region frame's border (3).
#include <shlwapi.h>

#include "app/record_tip_texts.h"
#include "app/recording_ui/countdown_wnd.h"
#include "app/recording_ui/toolbar_placement.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/main_ini.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "common/text_convert.h"
#include "engine/vistreler.h"
#include "overlay/region/sel_area_wnd.h"
#include "shell/custom_messages.h"
#include "shell/tips/game_record_tip_dlg.h"
#include "shell/tips/msg_tip_dlg.h"
#include "shell/tips/tip_box_dlg.h"

namespace {

constexpr char kStartRecord[] = "CVistrelFrame::OnClickStartRecord";
constexpr char kInitRecord[] = "CVistrelFrame::InitRecord";
constexpr int32_t kDeviceNotFound = -5;  // FFmpeg's AVERROR(EIO): the device could not be opened
const wchar_t* const kFallbackFolderName = L"Tessel录屏";

SettingRecord Settings() { return CSettingData::GetInstance()->GetSettings(); }

}  // namespace

bool CVistrelFrame::IsRecordingUnderWay() const { return g_recordeState != _StopState || m_bArmed; }

// Nothing chosen yet at start-up: the whole screen, as if the user had picked it;
// the start follows the area's own message.
void CVistrelFrame::OnRecordAtStart() {
    if (g_userSelMode == kSelModeNone && !IsRecordingUnderWay()) {
        SelectFullScreen();
        PostMessage(WM_RECORD_AT_START, 0, 0);
        return;
    }
    OnClickStartRecord();
}

void CVistrelFrame::OnClickStartRecord() {
    if (IsRecordingUnderWay()) {
        LogBoth(kStartRecord, "[g_recordeState]%d [armed]%d a recording is under way: the start is refused",
                g_recordeState.load(), m_bArmed ? 1 : 0);
        return;
    }
    ForgetPlannedRequest();  // a start by hand has nothing of an earlier task
    if (g_userSelMode == kSelModeNone) {
        ShowStartErrorTip();
        return;
    }
    EnsureOutputFolder();
    if (g_userSelMode == kSelModeGame) {
        if (ShowGameTip()) PostMessage(WM_SELECT_FULL_SCREEN, 0, 0);
        return;  // the user starts again in full-screen mode
    }
    LogBoth(kStartRecord, "InitRecord()");
    if (!InitRecord()) return;
    StartRecord();
    EnterRecordingLayout();
    const SettingRecord settings = Settings();
    if (settings.Check_Hide_Task) ShowTaskbar(false);
    if (settings.Check_Border && SelAreaWindow())
        SetWindowPos(SelAreaWindow(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CVistrelFrame::ShowStartErrorTip() {
    MsgTipDlg tip;
    tip.SetTipType(0);
    tip.SetTipText(L"录制前请选择一种录制模式");
    if (!tip.Create(m_hWnd, L"RecordStartErrorDialog", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) {
        LogBoth(kStartRecord, "RecordStartErrorDialog could not be created error");
        return;
    }
    tip.DoModal(m_hWnd);
}

bool CVistrelFrame::ShowGameTip() {
    GameRecordTipDlg tip;
    if (!tip.Create(m_hWnd, L"GameRecordTipDialog", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) {
        LogBoth(kStartRecord, "GameRecordTipDialog could not be created error");
        return false;
    }
    return tip.DoModal(m_hWnd) == 1;
}

// An output folder that is missing and cannot be made gives way to "Tessel录屏"
// on the drive with the most free space, kept in the settings. false then.
bool CVistrelFrame::EnsureOutputFolder() {
    SettingRecord settings = Settings();
    if (PathIsDirectoryW(settings.path.c_str()) || CreateDirectoryW(settings.path.c_str(), nullptr)) return true;
    wchar_t folder[MAX_PATH] = {};
    if (!PathCombineW(folder, FindLargestFreeDrive().c_str(), kFallbackFolderName)) return false;
    CreateDirectoryW(folder, nullptr);
    LogBoth(kStartRecord, "[path]%s cannot be made: recordings go to [path]%s error", WideToUtf8(settings.path).c_str(),
            WideToUtf8(folder).c_str());
    settings.path = folder;
    CSettingData::GetInstance()->Save(settings);  // [Output] path of "setting_record.ini"
    return false;
}

bool CVistrelFrame::SoundOnlyDevicesMissing() const {
    const bool sys = IsRecordSourceOn(kSourceSystemSound), mic = IsRecordSourceOn(kSourceMicrophone);
    if (sys && mic && vec_sys_devices_.empty() && vec_mic_devices_.empty()) {
        LogBoth(kInitRecord, "error vec_sys_devices_.size() <= 0 && vec_mic_devices_.size() <= 0");
        return true;
    }
    if (sys && vec_sys_devices_.empty()) {
        LogBoth(kInitRecord, "error vec_sys_devices_.size() <= 0");
        return true;
    }
    if (mic && vec_mic_devices_.empty()) {
        LogBoth(kInitRecord, "error vec_mic_devices_.size() <= 0");
        return true;
    }
    return false;
}

// [Audio] MicVolume when stored ("默认": the default microphone), else the one
// chosen in the microphone menu, else the default one; narrow for the recorder.
std::string CVistrelFrame::MicrophoneName() const {
    const bool hasMicrophones = vec_mic_devices_.size() > 1;
    std::wstring name = ReadMicVolumeDevice(L"");
    if (!name.empty()) {
        if (name == kDefaultDeviceName && hasMicrophones) name = m_defaultMicName;
    } else if (hasMicrophones) {
        name = !m_strMicSel.empty() && m_strMicSel != kDefaultDeviceName ? m_strMicSel : m_defaultMicName;
    }
    return WideToAnsi(name);
}

bool CVistrelFrame::InitRecord() {
    if (g_recordeState == _RecordingState) {
        LogBoth(kInitRecord, "g_recordeState == _RecordingState error.");
        return false;
    }
    const bool soundOnly = g_userSelMode == kSelModeSoundOnly;
    if (soundOnly) RemoveRecordSource(kSourceScreen);
    if (soundOnly && SoundOnlyDevicesMissing()) {
        ShowRecordTip(record_tips::kNoSoundDevice, L"RecordStartErrorDialog");
        return false;
    }
    const bool useSysAudio =
        m_bSoundEnabled && IsRecordSourceOn(kSourceSystemSound) && IsInAudioVec(m_sysAudioCapturer, m_vecAudio);
    const bool micChosen = m_bSoundEnabled && IsRecordSourceOn(kSourceMicrophone);
    const std::string micName = micChosen ? MicrophoneName() : std::string();
    const bool useVideo = IsRecordSourceOn(kSourceScreen);
    if (useVideo && !IsInAudioVec(m_screenCaptureRecorder, m_vecVideo)) {
        LogBoth(kInitRecord, "[%s][m_screenCaptureRecorder]%s !IsInAudioVec(m_screenCaptureRecorder, m_vecVideo) error",
                kInitRecord, m_screenCaptureRecorder.c_str());
        ShowRecordTip(record_tips::kNoScreenDevice, L"RecordStartErrorDialog");
        return false;
    }
    const bool useMicAudio = micChosen && vec_mic_devices_.size() > 1;
    if (soundOnly && !useSysAudio && !useMicAudio) {
        LogBoth(kInitRecord, "[g_userSelMode]%d [useSysAudio]%d [useMicAudio]%d error", g_userSelMode.load(),
                useSysAudio, useMicAudio);
        ShowRecordTip(record_tips::kNoSoundDevice, L"RecordStartErrorDialog");
        return false;
    }
    m_vistreler->SetRecordRect(m_rcMonitorUnion.left, m_rcMonitorUnion.top, m_rcMonitorUnion.right,
                               m_rcMonitorUnion.bottom);
    // The devices wait for their first data: they are opened on a worker once the
    // countdown shows (EnterRecordingLayout), and the recorder is not touched here
    // until the worker's notice (OnRecorderOpened).
    CVistreler* recorder = m_vistreler.get();
    const std::string screen = m_screenCaptureRecorder, system = m_sysAudioCapturer;
    m_openRecorder = [=] {
        if (!recorder->init(screen, useVideo, system, useSysAudio, micName, useMicAudio)) return false;
        recorder->Start();  // the threads drop what they read until timer 1
        return true;
    };
    ArmCountdown();
    return true;
}

// The worker's notice: the recorder is open and its threads run, or the start failed.
void CVistrelFrame::OnRecorderOpened(WPARAM opening) {
    if (!m_opening.IsNotice(opening)) return;  // a stop came first and took the result
    if (!m_opening.Finish()) {
        FailRecordStart();
        return;
    }
    LogFile(kInitRecord, "the recorder is open");
    if (m_bStartDue) OnCountdownEnd();
}

// The recorder could not be opened: nothing runs, the windows are as before the
// start, this recorder stays for the next attempt, and the user is told why.
void CVistrelFrame::FailRecordStart() {
    LeaveRecordingLayout();
    ForgetPlannedRequest();  // a task's start that failed leaves nothing for the next recording
    onStopRecord();          // still stopped and no longer armed: it only logs
    LogBoth(kInitRecord, "init error");
    if (g_lastDeviceOpenError == kDeviceNotFound && m_vistreler->StartFailure() == RecordStartFailure::kDevice)
        ShowDeviceErrorTip();
    else
        ShowStartFailureTip();
    g_lastDeviceOpenError = 0;
}

// Undoes the start's timers, countdown and layout.
void CVistrelFrame::LeaveRecordingLayout() {
    m_bArmed = m_bStartDue = false;
    if (m_timer1 != kNoTimer) KillTimer(m_hWnd, kTimerCountdown);
    if (m_timer2 != kNoTimer) KillTimer(m_hWnd, kTimerDeviceControls);
    m_timer1 = m_timer2 = kNoTimer;
    CloseOwnedWindow(m_pCountdownWnd);
    m_progressBoard.EndRecording();
    SetRecordingLayout(false);
    SetDeviceControlsEnabled(true);
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    HWND selArea = SelAreaWindow();
    if (selArea) SetWindowPos(selArea, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (selArea && !IsWindowVisible(selArea)) ShowSelArea(true);
    if (Settings().Check_Hide_Task) ShowTaskbar(true);
}

void CVistrelFrame::ShowDeviceErrorTip() {
    CTipBoxDlg tip;  // "播放失败，请在设置中切换输出设备"
    if (!tip.Create(m_hWnd, L"TipBoxDlg", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) {
        LogBoth(kInitRecord, "TipBoxDlg could not be created error");
        return;
    }
    tip.DoModal(m_hWnd);
}

// The recording is armed from here until timer 1 starts it or a stop ends it.
// Timer 1 is set once the countdown is on screen (SetStartTimer).
void CVistrelFrame::ArmCountdown() {
    m_startAskedAt = GetTickCount64();
    m_bStartDue = false;
    if (m_timer2 == kNoTimer) m_timer2 = SetTimer(m_hWnd, kTimerDeviceControls, kDeviceControlsMs, nullptr);
    if (m_pSelAreaWnd) m_pSelAreaWnd->HideDragButton();
    m_bArmed = true;
}

// The recording begins 3000 ms (1000 ms without the countdown) after the start
// was asked for, however long the windows took to make way.
void CVistrelFrame::SetStartTimer() {
    const UINT period = Settings().Check_Countdown ? kCountdownMs : kNoCountdownMs;
    const ULONGLONG spent = GetTickCount64() - m_startAskedAt;
    const UINT left = spent + USER_TIMER_MINIMUM >= period ? USER_TIMER_MINIMUM : static_cast<UINT>(period - spent);
    if (m_timer1 == kNoTimer) m_timer1 = SetTimer(m_hWnd, kTimerCountdown, left, nullptr);
    if (!m_timer1) LogBoth(kInitRecord, "SetTimer(1) error %lu", GetLastError());
}

// The progress attached; the capture threads are started by the opening.
void CVistrelFrame::StartRecord() {
    LogBoth("CVistrelFrame::StartRecord", "StartRecord()");
    CVistreler* recorder = m_vistreler.get();
    m_progressBoard.BeginRecording([recorder] { return recorder->m_nSaveFileSize.load(); },
                                   {plan_task_param_.task_begin, plan_task_param_.duration});
    plan_task_param_.task_begin = false;  // the board keeps the planned length now
}

// The main window and the region frame make way for the countdown; timer 1 runs
// from when it shows.
void CVistrelFrame::EnterRecordingLayout() {
    SetRecordingLayout(true);
    SetDeviceControlsEnabled(false);
    ShowWindow(false);
    ShowSelArea(false);
    ShowCountdown();
    SetStartTimer();
    if (m_openRecorder) m_opening.Begin(std::move(m_openRecorder), m_hWnd, WM_RECORDER_OPENED);
    m_openRecorder = nullptr;
}

void CVistrelFrame::ShowCountdown() {
    m_pCountdownWnd = ::ShowCountdown(m_pCountdownWnd, Settings());
    if (!m_pCountdownWnd) return;
    m_pCountdownWnd->SetGoneNotice([this](const void* window) { ForgetWindowAddress(window); });
    LogBoth(kStartRecord, "the countdown shows");
}

// Timer 1: the countdown is over and the recording begins, or begins as soon as
// the recorder is open when its devices are slower than the countdown.
void CVistrelFrame::OnCountdownEnd() {
    KillTimer(m_hWnd, kTimerCountdown);
    m_timer1 = kNoTimer;
    if (!m_bArmed) return;  // a stop came first; its timer message was already queued
    if (m_opening.Pending()) {
        m_bStartDue = true;
        LogFile("CVistrelFrame::OnTimer", "the recorder is still being opened: the recording begins when it is open");
        return;
    }
    m_bArmed = m_bStartDue = false;
    CloseOwnedWindow(m_pCountdownWnd);
    CreateRecordToolbar();
    g_recordeState = _RecordingState;
    m_vistreler->SetRecordState(_RecordingState);
    LogBoth("CVistrelFrame::OnTimer", "g_recordeState = _RecordingState;");
    SetControlEnabled(m_pBtnPause, true);
    HWND selArea = SelAreaWindow();
    if (selArea && !IsOptionSelected(m_pBtnAllScreen) && Settings().Check_Border)
        SetWindowPos(selArea, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (m_pSelAreaWnd) {
        m_pSelAreaWnd->HideDragButton();
        m_pSelAreaWnd->SetBorderAnimation(true);
    }
    m_timer3 = SetTimer(m_hWnd, kTimerBorderAnimation, kBorderAnimationMs, nullptr);
}

// Timer 2: the device controls, disabled at the start, are usable again.
void CVistrelFrame::OnDeviceControlsTimer() {
    SetDeviceControlsEnabled(true);
    KillTimer(m_hWnd, kTimerDeviceControls);
    m_timer2 = kNoTimer;
}

void CVistrelFrame::CreateRecordToolbar() {
    CloseOwnedWindow(m_pToolbarWnd);
    CreateDrawBoard();
    m_bToolbarShown = !Settings().Record_hide;
    SetControlVisible(m_pMainReturn, m_bToolbarShown);
    ToolbarSetup setup;
    setup.owner = m_hWnd;
    setup.observer = this;
    setup.screen = m_rcMonitorUnion;
    setup.area = g_rcSnapwick;
    setup.show = m_bToolbarShown;
    setup.board = m_pDrawBoardWnd;
    m_pToolbarWnd = ::CreateRecordToolbar(setup);
    if (m_pToolbarWnd) m_pToolbarWnd->SetGoneNotice([this](const void* window) { ForgetWindowAddress(window); });
}

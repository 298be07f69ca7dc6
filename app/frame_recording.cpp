// The recorder the frame drives, one per recording and made fresh after every
// stop: pause and resume, the stop sequence, the split, the progress ticks, the
// files listed once they are whole, and the completion of an automatic stop or a
// scheduled task's planned length.
#include "app/lists/file_lists.h"
#include "app/progress/completion.h"
#include "app/record_tip_texts.h"
#include "app/recording_ui/countdown_wnd.h"
#include "app/recording_ui/self_deleting_wnd.h"
#include "app/recording_ui/toolbar_wnd.h"
#include "app/vistrel_frame.h"
#include "app/window_placement.h"
#include "common/logger.h"
#include "common/posted_records.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "engine/vistreler.h"
#include "overlay/region/sel_area_wnd.h"
#include "shell/custom_messages.h"

using namespace DuiLib;

namespace {

constexpr char kStopRecord[] = "CVistrelFrame::onStopRecord";

}  // namespace

// What a recorder's finisher posts with WM_RECORDING_FINISHED: one of its files is
// whole (made ordinary, listed when it plays); last: the recorder has no other.
// A recovery at the start sends the same with no recorder.
struct FinishedRecording {
    const CVistreler* recorder;
    FinishedFile file;
    bool last;
};

void CVistrelFrame::PostFinishedRecording(const CVistreler* recorder, const FinishedFile& file, bool last) {
    ++m_finishedOnTheWay;
    if (!PostRecordCopy(m_hWnd, WM_RECORDING_FINISHED, FinishedRecording{recorder, file, last})) --m_finishedOnTheWay;
}

void CVistrelFrame::CreateRecorder() {
    m_vistreler = std::make_unique<CVistreler>();
    const CVistreler* recorder = m_vistreler.get();
    m_vistreler->SetFinishedNotice(
        [this, recorder](const FinishedFile& file, bool last) { PostFinishedRecording(recorder, file, last); });
    m_bPictureTipShown = false;
    m_vistreler->SetWriterPath("");
    m_vistreler->SetNotifyWindow(m_hWnd);
    m_vistreler->SetFrameRate(25);
    m_vistreler->SetRecordRect(m_rcMonitorUnion.left, m_rcMonitorUnion.top, m_rcMonitorUnion.right,
                               m_rcMonitorUnion.bottom);
}

void CVistrelFrame::SetPowerActions(PowerActions* power) { m_power = power ? power : &m_systemPower; }

void CVistrelFrame::CloseSelfDeletingWindow(CSelfDeletingWnd* window) {
    if (!window) return;
    window->SetGoneNotice(nullptr);  // the slot is already clear
    if (HWND hwnd = window->GetHWND()) {
        ::ShowWindow(hwnd, SW_HIDE);
        window->Close(0);  // it goes after the handler that asked has returned
    }
}

// Also during the countdown: the recorder is already writing its file then.
void CVistrelFrame::onStopRecord() {
    LogBoth(kStopRecord, "start");
    if (g_recordeState == _StopState && !m_bArmed) {
        LogBoth(kStopRecord, "g_recordeState == _StopState.");
        return;
    }
    m_bArmed = m_bStartDue = false;
    // A stop during the countdown waits for the recorder's opening to end: an open
    // recorder is stopped below and its file finished.
    if (m_opening.Pending() && !m_opening.Finish())
        LogBoth(kStopRecord, "the recorder had not opened: nothing was recorded");
    if (m_timer1 != kNoTimer) KillTimer(m_hWnd, kTimerCountdown);
    m_timer1 = kNoTimer;
    CloseOwnedWindow(m_pCountdownWnd);
    g_recordeState = _StopState;
    m_vistreler->SetRecordState(_StopState);
    LogBoth(kStopRecord, "g_recordeState = _StopState;");
    m_progressBoard.EndRecording();  // the progress thread lets go of this recorder
    m_vistreler->m_nSaveFileSize = 0;
    if (m_pSelAreaWnd) m_pSelAreaWnd->SetBorderAnimation(false);
    if (m_timer3 != kNoTimer) KillTimer(m_hWnd, kTimerBorderAnimation);
    m_timer3 = kNoTimer;
    m_vistreler->StopRecord();  // the file is closed here, listed once it is whole
    const WriteFailure cause = m_vistreler->EndFailure();
    if (m_pBtnVideolist) m_pBtnVideolist->Selected(true);
    SetRecordButtonSkins(true);
    PlaceWindowAfterStop();
    StopRecordingWindows();
    RetireRecorder();
    CreateRecorder();
    HWND selArea = SelAreaWindow();
    if (selArea) SetWindowPos(selArea, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (selArea && !IsWindowVisible(selArea)) ShowSelArea(true);
    if (CSettingData::GetInstance()->GetSettings().Check_Hide_Task) ShowTaskbar(true);
    LogBoth(kStopRecord, "end");
    if (cause != WriteFailure::kNone) {  // a write that failed up to the last moment
        LogBoth(kStopRecord, "[cause]%s the recording ended", WriteFailureText(cause));
        if (!m_bDestroying) ShowRecordTip(record_tips::StoppedTip(cause), L"RecordTipDialog");
    }
}

// A recorder whose files are still being made whole lives on until they are: its
// last file's message deletes it (or the frame's end, which waits for them).
void CVistrelFrame::RetireRecorder() {
    if (m_vistreler->FilesFinished()) {
        LogBoth(kStopRecord, "delete m_vistreler");
        m_vistreler.reset();
        LogBoth(kStopRecord, "m_vistreler = nullptr");
        return;
    }
    LogBoth(kStopRecord, "m_vistreler kept until its files are whole");
    m_retiredRecorders.push_back(std::move(m_vistreler));
}

// UI thread, WM_RECORDING_FINISHED: a file that plays gets its row (its line in
// "videolist.txt" is already written); a recorder that is done goes.
void CVistrelFrame::OnRecordingFinished(WPARAM wParam) {
    FinishedRecording* finished = ClaimPostedRecord<FinishedRecording>(wParam);
    if (!finished) return;
    --m_finishedOnTheWay;
    if (finished->file.plays && m_fileLists) m_fileLists->AddRecordingToList(finished->file.path);
    if (finished->file.listWriteFailed) ReportListWriteFailure();
    if (finished->last) {
        for (auto it = m_retiredRecorders.begin(); it != m_retiredRecorders.end(); ++it) {
            if (it->get() != finished->recorder) continue;
            m_retiredRecorders.erase(it);  // its worker has nothing more to do
            break;
        }
    }
    delete finished;
}

bool CVistrelFrame::FilesBeingFinished() const {
    return m_finishedOnTheWay > 0 || !m_retiredRecorders.empty() || (m_vistreler && !m_vistreler->FilesFinished()) ||
           (m_recovery && !m_recovery->IsIdle());
}

// Open (858 x 760, the new recording listed) where it stood, or where it stood
// before it was parked, inside the work area.
void CVistrelFrame::PlaceWindowAfterStop() {
    RECT rc = {};
    GetWindowRect(m_hWnd, &rc);
    if (IsParked() && !IsRectEmpty(&m_rcSavedWindow)) rc = m_rcSavedWindow;
    const RECT placed =
        PlaceOpenWindowInside({rc.left, rc.top}, {kMainWindowWidth, kMainWindowOpenHeight}, PrimaryWorkArea());
    SetWindowPos(m_hWnd, nullptr, placed.left, placed.top, kMainWindowWidth, kMainWindowOpenHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The toolbar, the board and the camera go; the main window shows its first page.
void CVistrelFrame::StopRecordingWindows() {
    if (m_pToolbarWnd) {
        m_pToolbarWnd->SetObserver(nullptr);
        m_pToolbarWnd->CloseDrawToolbar();
    }
    CloseOwnedWindow(m_pToolbarWnd);
    HideDrawBoard();
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    SetRecordingLayout(false);
    ResetTimeDigits();
    CloseCamera();
    ResetCameraChoice();
}

void CVistrelFrame::ResetTimeDigits() {
    m_progressView.ResetDigits();
    if (IsOptionSelected(m_pBtnPause)) {
        m_pBtnPause->Selected(false);
        m_pBtnPause->SetText(L"暂停");  // the next recording starts unpaused
    }
}

void CVistrelFrame::SetRecordingLayout(bool recording) {
    if (m_pSwitch) m_pSwitch->SelectItem(recording ? 1 : 0);
    SetControlVisible(m_pAutoStop, !recording);
    SetControlVisible(m_pPlanTask, !recording);
    ShowStartButton(!recording);
    // No pause during the countdown: timer 1 would undo it.
    SetControlEnabled(m_pBtnPause, !recording);
}

void CVistrelFrame::onRecordStateChanged(int state) {
    if (m_vistreler) m_vistreler->SetRecordState(state);
    if (!m_pBtnPause) return;
    if (state == _PauseState) {
        m_pBtnPause->Selected(true);
        m_pBtnPause->SetText(L"恢复");
    } else if (state == _RecordingState) {
        m_pBtnPause->Selected(false);
        m_pBtnPause->SetText(L"暂停");
    }
    m_pBtnPause->Invalidate();
}

// The pause option selected means paused until now (a click arrives before it toggles).
void CVistrelFrame::OnClickBtnPause(bool setButton) {
    if (!m_pBtnPause || g_recordeState == _StopState) return;
    const bool pausing = !m_pBtnPause->IsSelected();
    const int32_t state = pausing ? _PauseState : _RecordingState;
    m_pBtnPause->SetText(pausing ? L"恢复" : L"暂停");
    g_recordeState = state;
    m_vistreler->SetRecordState(state);
    LogBoth("CVistrelFrame::OnClickBtnPause",
            pausing ? "g_recordeState = _PauseState;" : "g_recordeState = _RecordingState;");
    PostMessage(WM_SEL_AREA_FLOW, pausing ? 0 : 1, 0);
    if (setButton) m_pBtnPause->Selected(pausing);
    if (m_pToolbarWnd) m_pToolbarWnd->SetPauseSelected(pausing);
}

// Only a split that the progress tick asked for is made (any program can post
// the message); one asked for by a recording that has stopped meanwhile is
// dropped, and one skipped because a capture source was busy waits for the next tick.
void CVistrelFrame::OnSplitFile() {
    if (g_recordeState == _StopState) {
        LogBoth("CVistrelFrame::OnSplitFile", "no recording runs: the split is dropped");
        return;
    }
    if (!m_progressBoard.TakeSplitDue()) {
        LogFile("CVistrelFrame::OnSplitFile", "no split is due: the message is ignored");
        return;
    }
    const SplitOutcome outcome = m_vistreler->SplitFile();  // the part just closed is listed once whole
    if (outcome == SplitOutcome::kSkipped) {
        m_progressBoard.PutSplitBack();
        return;
    }
    if (outcome == SplitOutcome::kRecordingEnded) EndForUnwritablePart();
}

void CVistrelFrame::OnProgressTick() {
    ProgressTick tick;
    if (!m_progressBoard.TakeTick(tick)) return;
    m_vistreler->m_uTimeNum = tick.m_uTimeNum;
    m_progressView.Show(tick);
    const TimeDigits& d = tick.digits;
    if (m_pToolbarWnd)
        m_pToolbarWnd->SetTimeDigits(d.hoursTens, d.hoursUnits, d.minutesTens, d.minutesUnits, d.secondsTens,
                                     d.secondsUnits);
    CheckWriteFailure();
}

void CVistrelFrame::OnAutoStopReached() {
    const CompletionTarget target{[this] { onStopRecord(); }, m_hWnd, *m_power};
    HandleAutoStopReached(g_recordeState != _StopState, target, m_progressBoard);
}

void CVistrelFrame::OnPlanDurationReached() {
    const CompletionTarget target{[this] { onStopRecord(); }, m_hWnd, *m_power};
    HandlePlanDurationReached(g_recordeState != _StopState, target, plan_task_param_.complete_option, m_progressBoard);
}

// The stop button and the record hotkey: an automatic stop that was set holds
// for this recording only.
void CVistrelFrame::StopByUser() {
    onStopRecord();
    m_progressBoard.ResetAutoStopOptionsIfEnabled();
}

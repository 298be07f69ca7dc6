// The recorder the frame drives: one per recording, made fresh after every stop.
// The rest of the recording control (start, pause, timers) comes with its own file.
#include "desktop_shell.h"
#include "logger.h"
#include "pending_step.h"
#include "record_globals.h"
#include "region/sel_area_wnd.h"
#include "setting_data.h"
#include "vistrel_frame.h"
#include "vistreler.h"

namespace {
constexpr char kStopRecord[] = "CVistrelFrame::onStopRecord";
}

void CVistrelFrame::CreateRecorder() {
    m_vistreler = std::make_unique<CVistreler>();
    m_vistreler->SetWriterPath("");
    m_vistreler->SetNotifyWindow(m_hWnd);
    m_vistreler->SetFrameRate(25);
    m_vistreler->SetRecordRect(m_rcMonitorUnion.left, m_rcMonitorUnion.top, m_rcMonitorUnion.right,
                               m_rcMonitorUnion.bottom);
}

void CVistrelFrame::onStopRecord() {
    LogBoth(kStopRecord, "start");
    if (g_recordeState == _StopState) {
        LogBoth(kStopRecord, "g_recordeState == _StopState.");
        return;
    }
    m_pCountdownWnd = nullptr;  // the countdown closes itself
    g_recordeState = _StopState;
    if (m_vistreler) {
        m_vistreler->SetRecordState(_StopState);
        m_vistreler->m_nSaveFileSize = 0;
    }
    LogBoth(kStopRecord, "g_recordeState = _StopState;");
    if (m_pSelAreaWnd) m_pSelAreaWnd->SetBorderAnimation(false);
    if (m_timer3 != kNoTimer) KillTimer(m_hWnd, kTimerBorderAnimation);
    m_timer3 = kNoTimer;
    if (m_vistreler) m_vistreler->StopRecord();  // the file is finished here
    LogPendingStep(kStopRecord, "AddRecordingToList and the main window's stopped layout");
    m_progressBoard.EndRecording();  // the progress thread lets go of the recorder
    LogBoth(kStopRecord, "delete m_vistreler");
    m_vistreler.reset();
    LogBoth(kStopRecord, "m_vistreler = nullptr");
    CreateRecorder();
    if (CSettingData::GetInstance()->GetSettings().Check_Hide_Task) ShowTaskbar(true);
    LogBoth(kStopRecord, "end");
}

void CVistrelFrame::onRecordStateChanged(int state) {
    if (m_vistreler) m_vistreler->SetRecordState(state);
    DuiLib::CControlUI* control = FindControl(L"btn_pause");
    auto* pause = control ? static_cast<DuiLib::COptionUI*>(control->GetInterface(L"Option")) : nullptr;
    if (!pause) return;
    if (state == _PauseState) {
        pause->Selected(true);
        pause->SetText(L"恢复");
    } else if (state == _RecordingState) {
        pause->Selected(false);
        pause->SetText(L"暂停");
    }
    pause->Invalidate();
}

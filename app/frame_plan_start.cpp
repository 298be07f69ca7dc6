// A scheduled task's start (WM_PLAN_START_RECORD): the request the task posted is
// claimed, checked and, unless a recording is already under way, recorded with
// its own area, sound and planned length. Unlike the record button it makes no
// mode or folder check and shows no game tip.
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "common/posted_records.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "overlay/region/sel_area_wnd.h"
#include "shell/custom_messages.h"

namespace {

constexpr char kPlanStart[] = "CVistrelFrame::OnPlanStartRecord";

void LogRequest(const RecordRequest& r) {
    LogBoth(kPlanStart,
            "[complete_option]%s [camera_input]%s [record_area]%d [audio_input]%d [duration]%d [task_begin]%d "
            "[left]%d [top]%d [right]%d [bottom]%d",
            WideToUtf8(r.complete_option).c_str(), WideToUtf8(r.camera_input).c_str(), r.record_area, r.audio_input,
            r.duration, r.task_begin ? 1 : 0, r.left, r.top, r.right, r.bottom);
}

// What the user is told of a task that did not record: shown once no recording
// runs, so a tip never lands in the middle of one.
constexpr wchar_t kTaskMissedTip[] = L"计划任务开始时正在录制，该任务未能执行";
constexpr wchar_t kTaskRefusedTip[] = L"计划任务未设置录制区域或者音频，未能开始";
constexpr UINT kPlanTipRetryMs = 1000;

// The task's rectangle inside the desktop (computed wide: a hostile file may
// hold the largest integers); what lies outside is not recorded.
void HoldAreaInside(RecordRequest& r, const RECT& desktop) {
    if (r.record_area != 2) return;
    auto clamp = [](int64_t v, int64_t low, int64_t high) {
        return static_cast<int32_t>(v < low ? low : v > high ? high : v);
    };
    r.left = clamp(r.left, desktop.left, desktop.right);
    r.right = clamp(r.right, desktop.left, desktop.right);
    r.top = clamp(r.top, desktop.top, desktop.bottom);
    r.bottom = clamp(r.bottom, desktop.top, desktop.bottom);
}

// Why a request cannot be recorded; null when it can.
const char* RefusalOf(const RecordRequest& r) {
    if (r.record_area == 0 && r.audio_input == 0)
        return "plan_task_param_.record_area == 0 && plan_task_param_.audio_input == 0 warning";
    if (r.record_area == 2 && (r.right <= r.left || r.bottom <= r.top))
        return "the task's area is empty: the scheduled start is refused error";
    return nullptr;
}

}  // namespace

void CVistrelFrame::OnPlanStartRecord(WPARAM wParam) {
    LogBoth(kPlanStart, "uMsg == WM_PLAN_START_RECORD");
    RecordRequest* posted = ClaimPostedRecord<RecordRequest>(wParam);
    if (!posted) {
        LogBoth(kPlanStart, "not a request of this program: ignored error");
        return;
    }
    RecordRequest request = *posted;
    delete posted;
    LogRequest(request);
    if (IsRecordingUnderWay()) {  // the running recording keeps its own task, mode and area
        LogBoth(kPlanStart, "a recording is under way: the scheduled start is refused, the task did not record");
        TellPlanTaskTip(kTaskMissedTip);
        return;
    }
    HoldAreaInside(request, m_rcMonitorUnion);
    if (const char* refusal = RefusalOf(request)) {
        LogBoth(kPlanStart, "%s", refusal);
        TellPlanTaskTip(kTaskRefusedTip);
        return;
    }
    plan_task_param_ = request;
    ApplyPlanArea(request);
    ApplyPlanSound(request);
    ApplyPlanCamera(request);
    LogBoth(kPlanStart, "InitRecord()");
    if (!InitRecord()) {
        ForgetPlannedRequest();
        return;
    }
    m_planCamera.opened = false;  // from here the stop closes it, as any camera
    StartRecord();
    EnterRecordingLayout();
}

// A scheduled start that did not begin, and every start by hand, leaves nothing
// of a task behind: no planned length or completion action for the next
// recording, the sound on again, and a camera the task opened off again.
void CVistrelFrame::ForgetPlannedRequest() {
    if (plan_task_param_.task_begin) LogBoth(kPlanStart, "the task's length and completion action are dropped");
    plan_task_param_ = RecordRequest();
    m_bSoundEnabled = true;
    if (!m_planCamera.opened) return;
    m_planCamera.opened = false;
    CloseCamera();
    ResetCameraChoice();
    m_cameraName = m_planCamera.previousName;
}

// The tip waits (its timer asks again) while a recording runs.
void CVistrelFrame::TellPlanTaskTip(const wchar_t* text) {
    m_planTipText = text;
    SetTimer(m_hWnd, kTimerPlanTaskTip, kPlanTipRetryMs, nullptr);
}

void CVistrelFrame::OnPlanTaskTipTimer() {
    if (IsRecordingUnderWay()) return;
    KillTimer(m_hWnd, kTimerPlanTaskTip);
    if (m_planTipText.empty()) return;
    const std::wstring text = std::move(m_planTipText);
    m_planTipText.clear();
    ShowRecordTip(text.c_str(), L"RecordTipDialog");
}

// Every area with video records the screen.
void CVistrelFrame::ApplyPlanArea(const RecordRequest& request) {
    switch (request.record_area) {
        case 0:
            g_userSelMode = kSelModeSoundOnly;
            RemoveRecordSource(kSourceScreen);
            break;
        case 1:
            g_userSelMode = kSelModeFullScreen;
            g_rcSnapwick = m_rcMonitorUnion;
            PostMessage(WM_APPLY_RECORD_AREA, 1, 0);
            AddRecordSource(kSourceScreen);
            break;
        case 2:
            g_userSelMode = kSelModeRegion;
            g_rcSnapwick = {request.left, request.top, request.right, request.bottom};
            if (m_pSelAreaWnd) m_pSelAreaWnd->SetSelRect(request.left, request.top, request.right, request.bottom);
            AddRecordSource(kSourceScreen);
            break;
        default: break;
    }
}

// The sound of each request, with or without; a recording started by hand has
// its sound again (ForgetPlannedRequest).
void CVistrelFrame::ApplyPlanSound(const RecordRequest& request) {
    m_bSoundEnabled = request.audio_input != 0;
    switch (request.audio_input) {
        case 1:
            AddRecordSource(kSourceSystemSound);
            RemoveRecordSource(kSourceMicrophone);
            break;
        case 2:
            AddRecordSource(kSourceMicrophone);
            RemoveRecordSource(kSourceSystemSound);
            break;
        case 3:
            AddRecordSource(kSourceMicrophone);
            AddRecordSource(kSourceSystemSound);
            break;
        default: break;
    }
}

// A task's camera starts as the camera option starts it, with the option and
// its tile showing it on; a camera this machine does not have is logged.
void CVistrelFrame::ApplyPlanCamera(const RecordRequest& request) {
    const std::wstring& camera = request.camera_input;
    if (camera.empty() || camera == L"无" || IsRecordSourceOn(kSourceCamera)) return;
    const std::string wanted = WideToAnsi(camera);
    bool known = false;
    for (const std::string& name : m_vecCamera) known = known || name == wanted;
    if (!known) {
        LogBoth(kPlanStart, "[camera_input]%s not among the cameras: recorded without it error",
                WideToUtf8(camera).c_str());
        return;
    }
    m_planCamera.previousName = m_cameraName;
    m_cameraName = camera;
    m_planCamera.opened = true;
    if (!OpenCamera()) LogBoth(kPlanStart, "the task's camera did not start error");
    if (m_pCamera) m_pCamera->Selected(true, false);
    if (m_pSelCamera) m_pSelCamera->SetBkImage(kCameraTileOn);
}

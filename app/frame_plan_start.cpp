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
    const RecordRequest request = *posted;
    delete posted;
    LogRequest(request);
    if (IsRecordingUnderWay()) {  // the running recording keeps its own task, mode and area
        LogBoth(kPlanStart, "a recording is under way: the scheduled start is refused");
        return;
    }
    if (const char* refusal = RefusalOf(request)) {
        LogBoth(kPlanStart, "%s", refusal);
        return;
    }
    plan_task_param_ = request;
    ApplyPlanArea(request);
    ApplyPlanSound(request);
    ApplyPlanCamera(request);
    LogBoth(kPlanStart, "InitRecord()");
    if (!InitRecord()) return;
    StartRecord();
    EnterRecordingLayout();
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

// The sound of each request, with or without: a task without sound does not
// silence the recordings after it.
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
    m_cameraName = camera;
    if (!OpenCamera()) LogBoth(kPlanStart, "the task's camera did not start error");
    if (m_pCamera) m_pCamera->Selected(true, false);
    if (m_pSelCamera) m_pSelCamera->SetBkImage(kCameraTileOn);
}

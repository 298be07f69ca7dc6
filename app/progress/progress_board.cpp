#include "app/progress/progress_board.h"

#include "common/record_globals.h"
#include "shell/custom_messages.h"

namespace {

bool HasSplitEvent(const ProgressTick& tick) {
    for (ProgressEvent event : tick.events)
        if (EventMessage(event) == WM_SPLITFILE_MSG) return true;
    return false;
}

}  // namespace

void CProgressBoard::BeginRecording(ByteCounter bytesWritten, const PlanTaskProgress& plan) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_bytesWritten = std::move(bytesWritten);
    ++m_recording;
    m_uTimeNum = 0;
    m_division = DivisionCounters{};
    m_plan = plan;
    m_tickWaiting = false;
    m_splitDue = m_splitPutBack = false;
}

void CProgressBoard::EndRecording() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_bytesWritten = nullptr;
    ++m_recording;
    m_plan = PlanTaskProgress{};
    m_tickWaiting = false;
    m_splitDue = m_splitPutBack = false;
}

bool CProgressBoard::TakeTick(ProgressTick& tick) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_tickWaiting) return false;
    tick = m_tick;
    m_tickWaiting = false;
    return true;
}

AutoStopOptions CProgressBoard::GetAutoStopOptions() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_autoStopOptions;
}

void CProgressBoard::SetAutoStopOptions(const AutoStopOptions& options) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_autoStopOptions = options;
}

bool CProgressBoard::ResetAutoStopOptionsIfEnabled() {
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_autoStopOptions.enabled) return false;
    m_autoStopOptions = AutoStopOptions{};
    return true;
}

bool CProgressBoard::TakeSnapshot(ProgressTickInput& input, uint64_t& recording) const {
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_bytesWritten || g_recordeState.load() != _RecordingState) return false;
    uint64_t bytes = m_bytesWritten();
    if (bytes == 0) return false;  // the clock starts with the first bytes on disk
    input.m_uTimeNum = m_uTimeNum;
    input.m_nSaveFileSize = bytes;
    input.autoStop = m_autoStopOptions;
    input.plan = m_plan;
    input.division = m_division;
    recording = m_recording;
    return true;
}

bool CProgressBoard::Publish(uint64_t recording, const ProgressTick& tick, const std::function<void()>& post) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (recording != m_recording || !m_bytesWritten) return false;
    m_uTimeNum = tick.m_uTimeNum;
    m_division = tick.division;
    m_plan = tick.plan;
    m_tick = tick;
    m_tickWaiting = true;
    if (HasSplitEvent(tick)) m_splitDue = true;
    if (post) post();
    m_splitPutBack = false;
    return true;
}

// Under the lock: post runs inside Publish.
bool CProgressBoard::SplitToPost(const ProgressTick& tick) const { return HasSplitEvent(tick) || m_splitPutBack; }

bool CProgressBoard::TakeSplitDue() {
    std::lock_guard<std::mutex> guard(m_lock);
    const bool due = m_splitDue;
    m_splitDue = m_splitPutBack = false;
    return due;
}

void CProgressBoard::PutSplitBack() {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_bytesWritten) m_splitDue = m_splitPutBack = true;
}

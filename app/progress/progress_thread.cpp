#include "app/progress/progress_thread.h"

#include "common/logger.h"
#include "shell/custom_messages.h"

namespace {

SettingRecord ReadSettingModel() { return CSettingData::GetInstance()->GetSettings(); }

void LogSplit(ProgressEvent event, const ProgressTickInput& in, const ProgressTick& tick) {
    const SettingRecord& s = in.settings;
    switch (event) {
        case ProgressEvent::kSplitByTime:
            LogFile("CVistrelFrame::UpdateTime",
                    "[m_vistreler->m_uTimeNum]%llu [setting_info.division_time_]%d PostMessage(WM_SPLITFILE_MSG, NULL, "
                    "NULL);",
                    static_cast<unsigned long long>(tick.m_uTimeNum), s.Division_time);
            break;
        case ProgressEvent::kSplitBySize:
            LogFile("CVistrelFrame::UpdateWriteFileSize",
                    "[m_vistreler->m_nSaveFileSize]%llu [setting_info.division_size_]%d [m_division_num]%d ",
                    static_cast<unsigned long long>(in.m_nSaveFileSize), s.Division_size, in.division.m_division_num);
            break;
        case ProgressEvent::kSafetySplit:
            LogFile("CVistrelFrame::UpdateWriteFileSize", "[m_division_num_limit]%d ",
                    in.division.m_division_num_limit);
            break;
        default: break;
    }
}

}  // namespace

uint64_t OutputDriveFreeBytes(const std::wstring& outputFolder) {
    if (outputFolder.empty()) return 0;
    std::wstring drive = outputFolder.substr(0, 1) + L":";
    ULARGE_INTEGER available, total, totalFree;
    if (!GetDiskFreeSpaceExW(drive.c_str(), &available, &total, &totalFree)) return 0;
    return totalFree.QuadPart;
}

CProgressThread::CProgressThread(CProgressBoard& board, HWND window)
    : CProgressThread(board, window, ReadSettingModel) {}

CProgressThread::CProgressThread(CProgressBoard& board, HWND window, SettingsReader readSettings)
    : m_board(board),
      m_window(window),
      m_readSettings(std::move(readSettings)),
      m_stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CProgressThread::~CProgressThread() {
    Stop();
    if (m_stop) CloseHandle(m_stop);
}

bool CProgressThread::Start() {
    if (!m_stop) return false;
    ResetEvent(m_stop);
    return m_runner.Start(this);
}

void CProgressThread::Stop() {
    if (m_stop) SetEvent(m_stop);
    m_runner.Stop();
}

DWORD CProgressThread::ProgressThreadProc(CThreadRunner& runner) {
    while (runner.IsRunning()) {
        DWORD wait = Tick() ? kTickMs : kIdleMs;
        ++m_passes;
        if (WaitForSingleObject(m_stop, wait) != WAIT_TIMEOUT) break;
    }
    return 0;
}

bool CProgressThread::Tick() {
    ProgressTickInput input;
    uint64_t recording = 0;
    if (!m_board.TakeSnapshot(input, recording)) return false;
    input.settings = m_readSettings();
    input.freeBytes = OutputDriveFreeBytes(input.settings.path);
    ProgressTick tick = ComputeProgressTick(input);
    m_board.Publish(recording, tick, [&] { PostTick(input, tick); });
    return true;
}

// Splits of one tick (by time, by size, the safety split, one put back) make one
// WM_SPLITFILE_MSG, posted before the tick's automatic stops as each split comes
// before the stop of its side (time, size).
void CProgressThread::PostTick(const ProgressTickInput& input, const ProgressTick& tick) {
    for (ProgressEvent event : tick.events) LogSplit(event, input, tick);
    if (m_board.SplitToPost(tick)) PostMessageW(m_window, WM_SPLITFILE_MSG, 0, 0);
    for (ProgressEvent event : tick.events)
        if (EventMessage(event) != WM_SPLITFILE_MSG) PostMessageW(m_window, EventMessage(event), 0, 0);
    PostMessageW(m_window, WM_PROGRESS_TICK, 0, 0);
}

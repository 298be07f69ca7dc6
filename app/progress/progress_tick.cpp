#include "app/progress/progress_tick.h"

#include "shell/custom_messages.h"

namespace {

constexpr uint64_t kMiB = 1024 * 1024;
constexpr uint64_t kGiB = 1024 * kMiB;
constexpr uint64_t kSafetySplitMiB = 4096;

// A period or size of 0 or less means no split of that kind.
bool SplitsByTime(const SettingRecord& s) { return s.Division && s.Check_division == 0 && s.Division_time > 0; }
bool SplitsBySize(const SettingRecord& s) { return s.Division && s.Check_division == 1 && s.Division_size > 0; }

// Limits compare with the seconds before this tick; an equality, so a limit the
// count has already passed never fires.
bool Reached(uint64_t elapsed, int32_t limit) { return elapsed == static_cast<uint32_t>(limit); }

// One tick of the time side: the seconds, the split by time, the planned length
// and the automatic stop by time.
void UpdateTime(const ProgressTickInput& in, ProgressTick& out) {
    out.m_uTimeNum = in.m_uTimeNum + 1;
    out.digits = SplitTimeDigits(out.m_uTimeNum);
    const SettingRecord& s = in.settings;
    if (SplitsByTime(s) && out.m_uTimeNum % (static_cast<uint64_t>(s.Division_time) * 60) == 0)
        out.events.push_back(ProgressEvent::kSplitByTime);
    uint64_t elapsed = out.m_uTimeNum - 1;
    if (out.plan.task_begin) {
        if (Reached(elapsed, out.plan.duration)) {
            out.events.push_back(ProgressEvent::kPlanDurationReached);
            out.plan.task_begin = false;
        }
    } else if (in.autoStop.enabled && in.autoStop.byTime && Reached(elapsed, in.autoStop.seconds)) {
        out.events.push_back(ProgressEvent::kAutoStopByTime);
    }
}

// One tick of the size side, right after the time side: the size label, the split
// by size, the 4096 MiB safety split and the automatic stop by size.
void UpdateWriteFileSize(const ProgressTickInput& in, ProgressTick& out) {
    uint64_t bytes = in.m_nSaveFileSize;
    out.sizeLabel = SizeLabelText(bytes, in.freeBytes);
    const SettingRecord& s = in.settings;
    DivisionCounters& d = out.division;
    if (SplitsBySize(s) &&
        bytes > static_cast<uint64_t>(s.Division_size) * kMiB * static_cast<uint64_t>(d.m_division_num)) {
        out.events.push_back(ProgressEvent::kSplitBySize);
        ++d.m_division_num;
    }
    bool splitConfigured = SplitsByTime(s) || SplitsBySize(s);
    if (!splitConfigured && bytes / kMiB > static_cast<uint64_t>(d.m_division_num_limit) * kSafetySplitMiB) {
        out.events.push_back(ProgressEvent::kSafetySplit);
        ++d.m_division_num_limit;
    }
    const AutoStopOptions& a = in.autoStop;
    if (a.enabled && a.bySize && bytes > kMiB && bytes / 1024.0 / 1024.0 > a.sizeMB)
        out.events.push_back(ProgressEvent::kAutoStopBySize);
}

}  // namespace

UINT EventMessage(ProgressEvent event) {
    switch (event) {
        case ProgressEvent::kPlanDurationReached: return WM_PLAN_DURATION_REACHED;
        case ProgressEvent::kAutoStopByTime:
        case ProgressEvent::kAutoStopBySize: return WM_AUTO_STOP_REACHED;
        case ProgressEvent::kSplitByTime:
        case ProgressEvent::kSplitBySize:
        case ProgressEvent::kSafetySplit: break;
    }
    return WM_SPLITFILE_MSG;
}

ProgressTick ComputeProgressTick(const ProgressTickInput& in) {
    ProgressTick out;
    out.division = in.division;
    out.plan = in.plan;
    UpdateTime(in, out);
    UpdateWriteFileSize(in, out);
    return out;
}

std::wstring SizeLabelText(uint64_t bytesWritten, uint64_t freeBytes) {
    return L"   " + FormatFileSize(bytesWritten, 1) + L"/" + std::to_wstring(freeBytes / kGiB) + L"GB";
}

#include "engine/capture_packet_rules.h"

#include <algorithm>

#include "common/logger.h"

namespace {
const char* const kLoop = "CGetVideoThread::_Do";
}

CPacketRules::CPacketRules(int32_t type, bool useScreen, bool useSys, bool useMic, const char* name)
    : type_(type), useScreen_(useScreen), useSys_(useSys), useMic_(useMic), name_(name) {}

int32_t CPacketRules::LeadingSource() const {
    if (useScreen_) return kSourceScreen;
    return useSys_ ? kSourceSystemSound : kSourceMicrophone;
}

bool CPacketRules::IsCamera() const { return type_ == kSourceCamera; }

bool CPacketRules::Drops(const CSaveVideoFileThread& writer, int32_t selMode) const {
    const int32_t state = writer.m_ReSt;
    const bool halted = state == _PauseState || state == _StopState;
    if (selMode == kSelModeSoundOnly) return halted || !writer.bEnd;
    if (IsCamera()) return false;
    return halted || !writer.IsPictureReady();
}

std::atomic<int64_t>* CPacketRules::FirstPausedSlot(CSaveVideoFileThread& writer) const {
    switch (type_) {
        case kSourceScreen: return &writer.m_firstPausedPtsScreen;
        case kSourceSystemSound: return &writer.m_firstPausedPtsSys;
        case kSourceMicrophone: return &writer.m_firstPausedPtsMic;
        default: return nullptr;
    }
}

void CPacketRules::LogQueues(CSaveVideoFileThread& writer, const char* when) const {
    LogFile(kLoop, "[m_cnTN]%s %s [len_sys]%d [len_mic]%d", name_, when, writer.QueuedSamples(kSourceSystemSound),
            writer.QueuedSamples(kSourceMicrophone));
}

// Under the alignment mutex, once every recorded source has been seen paused.
void CPacketRules::SetPauseStart(CSaveVideoFileThread& writer) const {
    std::lock_guard<std::mutex> guard(writer.m_aliMutex);
    if (writer.g_llPause_StartTime > 0) return;
    int64_t start = 0;
    const struct {
        bool used;
        int64_t pts;
    } sources[] = {{useScreen_, writer.m_firstPausedPtsScreen},
                   {useSys_, writer.m_firstPausedPtsSys},
                   {useMic_, writer.m_firstPausedPtsMic}};
    for (const auto& s : sources) {
        if (!s.used) continue;
        if (s.pts <= 0) return;
        start = std::max(start, s.pts);
    }
    writer.g_llPause_StartTime = start;
}

void CPacketRules::OnDropped(CSaveVideoFileThread& writer, int64_t pts) const {
    std::atomic<int64_t>* slot = FirstPausedSlot(writer);
    if (!slot || writer.m_ReSt != _PauseState || writer.g_llPause_StartTime > 0) return;
    if (*slot == 0) *slot = pts;
    // Every recorded source takes part, so without sound the screen alone decides
    // where the pause began.
    SetPauseStart(writer);
    LogQueues(writer, "paused");
    writer.ClAF();
    LogQueues(writer, "cleared");
}

bool CPacketRules::AlignFirstPacket(CSaveVideoFileThread& writer, int64_t pts) const {
    if (writer.FirstPacketTime() > 0) return true;
    if (type_ != LeadingSource()) {
        LogFile(kLoop, "[m_cnTN]%s [pkt->pts]%lld ", name_, static_cast<long long>(pts));
        return false;
    }
    writer._wfi_fip_up2(pts);
    writer.InAli(pts, useSys_, useMic_);
    // A pause noted before a file's first packet leaves no gap in that file.
    writer.RPaPar();
    LogFile(kLoop, "[m_cnTN]%s [pkt->pts]%lld _wfi_fip_up2() and InAli() ", name_, static_cast<long long>(pts));
    return true;
}

bool CPacketRules::ResolvePause(CSaveVideoFileThread& writer, int64_t pts) const {
    const int64_t start = writer.g_llPause_StartTime;
    if (start <= 0) return true;
    if (type_ != LeadingSource()) return false;
    LogFile(kLoop, "[m_cnTN]%s [g_llPause_StartTime]%lld [pkt->pts]%lld", name_, static_cast<long long>(start),
            static_cast<long long>(pts));
    writer._alGa_TotTim1 += pts - start;
    writer.InAli(pts, useSys_, useMic_);
    const int sys = writer.QueuedSamples(kSourceSystemSound);
    const int mic = writer.QueuedSamples(kSourceMicrophone);
    LogFile(kLoop, "[len_sys]%d [len_mic]%d [len_sys - len_mic]%d", sys, mic, sys - mic);
    writer.RPaPar();
    return true;
}

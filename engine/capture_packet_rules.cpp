#include "engine/capture_packet_rules.h"

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

void CPacketRules::LogQueues(CSaveVideoFileThread& writer, const char* when) const {
    LogFile(kLoop, "[m_cnTN]%s %s [len_sys]%d [len_mic]%d", name_, when, writer.QueuedSamples(kSourceSystemSound),
            writer.QueuedSamples(kSourceMicrophone));
}

void CPacketRules::OnDropped(CSaveVideoFileThread& writer, int64_t pts) const {
    if (writer.m_ReSt != _PauseState) return;
    if (!writer.Clock().NotePausedPts(type_, pts, useScreen_, useSys_, useMic_)) return;
    LogQueues(writer, "paused");
    writer.ClAF();
    LogQueues(writer, "cleared");
}

bool CPacketRules::AlignFirstPacket(CSaveVideoFileThread& writer, int64_t pts) const {
    CWriterClock& clock = writer.Clock();
    if (clock.FirstPacketTime() > 0) return true;
    if (type_ != LeadingSource()) {
        LogFile(kLoop, "[m_cnTN]%s [pkt->pts]%lld ", name_, static_cast<long long>(pts));
        return false;
    }
    clock.SetFirstPacket(pts, useSys_, useMic_);
    LogFile(kLoop, "[m_cnTN]%s [pkt->pts]%lld _wfi_fip_up2() and InAli() ", name_, static_cast<long long>(pts));
    return true;
}

bool CPacketRules::ResolvePause(CSaveVideoFileThread& writer, int64_t pts) const {
    CWriterClock& clock = writer.Clock();
    const int64_t start = clock.PauseStart();
    if (start <= 0) return true;
    if (type_ != LeadingSource()) return false;
    LogFile(kLoop, "[m_cnTN]%s [g_llPause_StartTime]%lld [pkt->pts]%lld", name_, static_cast<long long>(start),
            static_cast<long long>(pts));
    clock.ResolvePause(pts, useSys_, useMic_);
    const int sys = writer.QueuedSamples(kSourceSystemSound);
    const int mic = writer.QueuedSamples(kSourceMicrophone);
    LogFile(kLoop, "[len_sys]%d [len_mic]%d [len_sys - len_mic]%d", sys, mic, sys - mic);
    return true;
}

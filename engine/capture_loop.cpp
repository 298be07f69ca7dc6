// A capture source's loop: read, drop or hand on, decode.
#include <shared_mutex>

#include "common/logger.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "common/thread_name.h"
#include "engine/capture_packet_rules.h"
#include "engine/capture_thread.h"

namespace {

const char* const kLoop = "CGetVideoThread::_Do";
// Pause after a failed read or while the input or writer is missing, so that a device
// that keeps failing does not spin the processor.
constexpr DWORD kRetryMs = 10;
// Pause while the device has nothing queued (its reads do not block, so that the loop
// sees a stop even when the device has stopped delivering).
constexpr DWORD kNothingQueuedMs = 5;

}  // namespace

const char* CGetVideoThread::SourceName(int32_t type) {
    switch (type) {
        case kSourceScreen: return "_VideoSys";
        case kSourceCamera: return "_VideoCamera";
        case kSourceSystemSound: return "_AudioSys";
        case kSourceMicrophone: return "_AudioMic";
        case 16: return "_vpType";
        case 32: return "_vgType";
        default: return "";
    }
}

DWORD CGetVideoThread::_Do(CThreadRunner* runner) {
    NameCurrentThread(Utf8ToWide("capture " + m_cnTN).c_str());
    AVPacket* pkt = av_packet_alloc();
    const CPacketRules rules(m_type, m_bU1, m_bU2, m_bU3, m_cnTN.c_str());
    bool failing = false;  // log the first failure of a run only
    m_packetsRead = m_packetsHandedOn = 0;
    while (runner->IsRunning()) {
        if (!m_svF || !m_iFC || !pkt) {
            if (!failing) LogBoth(kLoop, "[m_cnTN]%s no writer or input error", m_cnTN.c_str());
            failing = true;
            Sleep(kRetryMs);
            continue;
        }
        int ret = av_read_frame(m_iFC, pkt);
        if (ret == AVERROR(EAGAIN)) {
            Sleep(kNothingQueuedMs);
            continue;
        }
        if (ret < 0) {
            m_bPr = false;
            if (!failing) LogBoth(kLoop, "[m_cnTN]%s [av_read_frame]%d error", m_cnTN.c_str(), ret);
            failing = true;
            Sleep(kRetryMs);
            continue;
        }
        failing = false;
        ++m_packetsRead;
        if (HandlePacket(pkt, rules)) ++m_packetsHandedOn;
        av_packet_unref(pkt);
    }
    LogBoth(kLoop, "[m_cnTN]%s PriExTh [read]%lld [handed on]%lld", m_cnTN.c_str(),
            static_cast<long long>(m_packetsRead), static_cast<long long>(m_packetsHandedOn));
    av_packet_free(&pkt);
    ReleaseInput();
    LogBoth(kLoop, "[m_cnTN]%s end", m_cnTN.c_str());
    return 0;
}

bool CGetVideoThread::HandlePacket(AVPacket* pkt, const CPacketRules& rules) {
    const int32_t mode = g_userSelMode;
    if (m_type == kSourceCamera) {  // to the preview only, never into the file
        m_bPr = !rules.Drops(*m_svF, mode);
        if (m_bPr && pkt->stream_index == m_nIndex1) HandleVideoPacket(pkt);
        return m_bPr;
    }
    // Held until the packet is in the writer: a split cannot swap the file between
    // this thread's drop test and its hand-over.
    std::shared_lock<std::shared_timed_mutex> gate(m_svF->m_packetLock);
    if (pkt->pts == AV_NOPTS_VALUE || rules.Drops(*m_svF, mode)) {
        if (mode == kSelModeSoundOnly && !m_svF->bEnd) LogFile(kLoop, "[m_cnTN]%s !bEnd", m_cnTN.c_str());
        rules.OnDropped(*m_svF, pkt->pts);
        m_bPr = false;
        return false;
    }
    m_bPr = true;
    if (!rules.AlignFirstPacket(*m_svF, pkt->pts) || !rules.ResolvePause(*m_svF, pkt->pts)) return false;
    if (pkt->stream_index == m_nIndex1)
        HandleVideoPacket(pkt);
    else if (pkt->stream_index == m_nIndex2)
        HandleSoundPacket(pkt);
    return true;
}

void CGetVideoThread::HandleVideoPacket(const AVPacket* pkt) {
    if (!m_iVCC || !m_picture) return;
    if (avcodec_send_packet(m_iVCC, pkt) < 0) {
        LogConsole(kLoop, "error ret = avcodec_decode_video2");
        return;
    }
    while (avcodec_receive_frame(m_iVCC, m_picture) == 0) {
        if (m_type == kSourceCamera) {
            if (m_owner) m_owner->OnFrame(m_iFC->streams[m_nIndex1], m_picture);
        } else {
            WritePicture(pkt->pts);
        }
        av_frame_unref(m_picture);
    }
}

// The captured picture to the writer, whose picture its crop is converted into.
void CGetVideoThread::WritePicture(int64_t pts) {
    if (!m_cropScaler.IsReady()) return;
    m_svF->HandlefFrame1(m_picture, m_cropScaler, m_svF->RelativePts(pts), m_iFC->streams[m_nIndex1]->time_base);
}

void CGetVideoThread::HandleSoundPacket(const AVPacket* pkt) {
    if (m_svF->m_ReSt != _RecordingState || !m_soundDecoder || !m_sound) return;
    if (avcodec_send_packet(m_soundDecoder, pkt) < 0) return;
    while (avcodec_receive_frame(m_soundDecoder, m_sound) == 0) {
        const int64_t pts = m_sound->pts != AV_NOPTS_VALUE ? m_sound->pts : pkt->pts;
        m_svF->paToL(m_sound, pts, m_type, m_iFC, m_nIndex2);
        av_frame_unref(m_sound);
    }
}

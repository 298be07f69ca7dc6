// Every packet of both streams reaches the file here.
#include "common/logger.h"
#include "engine/writer.h"

// Under the output mutex: pushes a timestamp that would repeat or go back to one unit
// after the stream's last, reports the size to the owner and writes with interleaving.
bool CSaveVideoFileThread::WritePacket(AVPacket* pkt) {
    std::lock_guard<std::mutex> guard(m_outMutex);
    const int index = pkt->stream_index;
    if (index < 0 || static_cast<size_t>(index) >= m_lastDts.size()) return false;
    // A stream that started after the MP4's header went out places its first fragment
    // at its first packet's time, which must not lie before the start: the encoder's
    // lead-in before 0 is left out.
    if (m_startedLate[index] && pkt->pts != AV_NOPTS_VALUE && pkt->pts < 0) {
        LogFile("CSaveVideoFileThread::WritePacket", "[stream]%d [pkt.pts]%lld before the start: left out", index,
                static_cast<long long>(pkt->pts));
        return true;
    }
    int64_t& last = m_lastDts[index];
    if (pkt->dts == AV_NOPTS_VALUE) pkt->dts = pkt->pts;
    if (last != AV_NOPTS_VALUE && pkt->dts <= last) {
        const int64_t shift = last + 1 - pkt->dts;
        pkt->dts += shift;
        if (pkt->pts != AV_NOPTS_VALUE && pkt->pts < pkt->dts) pkt->pts = pkt->dts;
    }
    last = pkt->dts;
    // A fragment of an MP4 ends without the next packet known: its last picture
    // lasts what its packet says.
    if (pkt->duration <= 0 && m_s1 && index == m_s1->index && m_frameRate > 0)
        pkt->duration = av_rescale_q(1, AVRational{1, m_frameRate}, m_s1->time_base);
    const int64_t pts = pkt->pts;
    if (m_owner) m_owner->OnBytesWritten(pkt->size);
    if (!m_firstPacketTick) m_firstPacketTick = GetTickCount64();
    m_packetsSinceFlush = m_muxerHoldsPackets = true;
    // The file reaches the disk from the flush thread (PeriodicFlush), not here.
    int ret = av_interleaved_write_frame(m_oc, pkt);
    WriteFailure failure = m_file.Failure();
    if (failure == WriteFailure::kNone && m_oc->pb && m_oc->pb->error < 0)
        failure = WriteFailureOfAvError(m_oc->pb->error);
    if (ret < 0 || failure != WriteFailure::kNone) {
        char text[128] = {};
        av_strerror(ret, text, sizeof text);
        LogBoth("CSaveVideoFileThread::WritePacket", "[errstr]%s [stream]%d [pkt.pts]%lld error", text, index,
                static_cast<long long>(pts));
        // A packet the muxer refused costs that packet; a file that takes no more
        // ends the recording.
        if (failure != WriteFailure::kNone) NoteWriteFailure(failure);
        return false;
    }
    ++(m_s1 && index == m_s1->index ? m_written.video : m_written.audio);
    return true;
}

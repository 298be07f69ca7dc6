// Sound frames from the capture threads: conversion, queues, alignment, cutting into
// encoder frames.
#include "common/logger.h"
#include "engine/writer.h"

namespace {
const char* const kWhere = "CSaveVideoFileThread::paToL";
constexpr int kFallbackFrameSize = 1024;
}  // namespace

AudioFormat CSaveVideoFileThread::QueueFormat(int32_t sourceType) const {
    if (TwoSources()) return m_dMFrInf;
    const AudioInputParams& p = sourceType == kSourceMicrophone ? m_Frame2 : m_Frame1;
    return {m_nChannels, AV_SAMPLE_FMT_S16, p.in_sample_rate, 0};
}

bool CSaveVideoFileThread::CreateConverters() {
    if (!m_aCtx) return false;
    if (TwoSources()) {
        m_swr1.Open(InputFormat(m_Frame1), m_dMFrInf);
        m_bConAudioVar = true;
        m_swr2.Open(InputFormat(m_Frame2), m_dMFrInf);
        m_bConAudio2Var = true;
        return m_swr3.Open(m_dMFrInf, m_encFormat) && m_swr1.IsOpen() && m_swr2.IsOpen();
    }
    const int32_t type = m_bUseSys ? kSourceSystemSound : kSourceMicrophone;
    const AudioInputParams& params = type == kSourceMicrophone ? m_Frame2 : m_Frame1;
    CResampler& toQueue = type == kSourceMicrophone ? m_swr2 : m_swr1;
    const AudioFormat queue = QueueFormat(type);
    // A source that is not already packed 16-bit of the queue's channels is converted
    // on its way in, at its own rate.
    if (InputFormat(params) != queue && !toQueue.Open(InputFormat(params), queue)) return false;
    return m_swr3.Open(queue, m_encFormat);
}

void CSaveVideoFileThread::paToL(const AVFrame* frame, int64_t pts, int32_t sourceType, const AVFormatContext* ic,
                                 int streamIndex) {
    if (!frame || !ic || streamIndex < 0 || static_cast<unsigned>(streamIndex) >= ic->nb_streams) return;
    std::shared_lock<std::shared_mutex> file(m_fileLock);
    if (!m_bOpen || !m_aCtx || !m_s2) return;
    const AVRational tb = ic->streams[streamIndex]->time_base;
    if (TwoSources()) {
        if (sourceType == kSourceSystemSound) SysFrameForMix(frame, pts, tb);
        if (sourceType == kSourceMicrophone) MicFrameForMix(frame, pts, tb);
        return;
    }
    if ((sourceType == kSourceSystemSound && m_bUseSys) || (sourceType == kSourceMicrophone && m_bUseMic))
        SingleSourceFrame(frame, pts, tb, sourceType);
}

void CSaveVideoFileThread::SingleSourceFrame(const AVFrame* frame, int64_t pts, AVRational tb, int32_t sourceType) {
    CSoundQueue& queue = SoundQueue(sourceType);
    CResampler& toQueue = sourceType == kSourceMicrophone ? m_swr2 : m_swr1;
    const AudioFormat format = QueueFormat(sourceType);
    // The first frame after the reference (a file's first packet, or a resume) is
    // aligned to it like each of two sources: the queue's head then stands at the
    // reference, and sound captured before it (while paused, or before the first
    // picture) does not push the whole track late.
    m_clock.TakeFirstAlignment(sourceType, true, &pts, format.sampleRate, tb);
    pts = RelativePts(pts);
    int before;
    if (FrameFormat(frame) == format) {
        before = queue.Write(frame);
    } else {
        AVFrame* converted = toQueue.Convert(frame);
        before = converted ? queue.Write(converted) : -1;
        av_frame_free(&converted);
    }
    if (before < 0) {
        LogFile(kWhere, "[type]%d frame not queued", sourceType);
        return;
    }
    // Padded, or cut down to what follows the reference: the queue starts there (while
    // the cut is still short of it, the queue stays empty).
    if (m_clock.AlignQueue(sourceType, queue, &pts)) before = 0;
    const int frameSize = m_aCtx->frame_size > 0 ? m_aCtx->frame_size : kFallbackFrameSize;
    int64_t head = HeaTimInAFi(queue.Size(), pts, before, m_lastSoundTime, frameSize, format.sampleRate, tb);
    if (head == kNoHeadTime) return;
    CutQueue(queue, head, format.sampleRate, tb);
    EncodePending(tb);
}

void CSaveVideoFileThread::SysFrameForMix(const AVFrame* frame, int64_t pts, AVRational tb) {
    if (!m_bConAudioVar) {
        LogBoth(kWhere, "!m_bConAudioVar error.");
        return;
    }
    m_clock.TakeFirstAlignment(kSourceSystemSound, false, &pts, kMixSampleRate, tb);
    AVFrame* converted = m_swr1.Convert(frame);  // system sound frames carry no time
    if (!converted) return;
    if (m_sysQueue.Write(converted) < 0) LogFile(kWhere, "system sound frame not queued");
    av_frame_free(&converted);
    m_clock.AlignQueue(kSourceSystemSound, m_sysQueue);
}

void CSaveVideoFileThread::MicFrameForMix(const AVFrame* frame, int64_t pts, AVRational tb) {
    if (!m_bConAudio2Var) {
        LogBoth(kWhere, "!m_bConAudio2Var error.");
        return;
    }
    // After the first frame's alignment the queue's head stands at the reference time.
    m_clock.TakeFirstAlignment(kSourceMicrophone, false, &pts, kMixSampleRate, tb);
    AVFrame* converted = m_swr2.Convert(frame);
    if (converted) HandleMomF3(converted, RelativePts(pts), tb);
}

void CSaveVideoFileThread::CutQueue(CSoundQueue& queue, int64_t head, int sampleRate, AVRational tb) {
    const int frameSize = m_aCtx->frame_size > 0 ? m_aCtx->frame_size : kFallbackFrameSize;
    const int64_t step = av_rescale_q(frameSize, AVRational{1, sampleRate}, tb);
    for (int64_t i = 0;; ++i) {
        AVFrame* frame = queue.ReadFrame(frameSize, sampleRate);
        if (!frame) break;
        const int64_t time = head + i * step;
        m_lastSoundTime = time;
        std::lock_guard<std::mutex> guard(m_pendingMutex);
        m_onFrMiAuLi.push_back({frame, time});
    }
}

void CSaveVideoFileThread::EncodePending(AVRational tb) {
    PendingFrame entry;
    while (PopPending(&entry)) {
        AVFrame* converted = m_swr3.Convert(entry.frame);
        av_frame_free(&entry.frame);
        if (converted) HandlefFrame2(&converted, entry.time, tb);
    }
}

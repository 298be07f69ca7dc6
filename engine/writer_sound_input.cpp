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

// Both sources of a mix run the same path under the mix lock: converted into the
// mixing format, placed on the capture clock by their timestamps, queued, and mixed
// as far as both queues reach. The microphone's queue gives the mixed frames their
// times.
void CSaveVideoFileThread::SysFrameForMix(const AVFrame* frame, int64_t pts, AVRational tb) {
    if (!m_bConAudioVar) {
        LogBoth(kWhere, "!m_bConAudioVar error.");
        return;
    }
    std::lock_guard<std::mutex> mix(m_mixMutex);
    const bool first = m_clock.TakeFirstAlignment(kSourceSystemSound, false, &pts, kMixSampleRate, tb);
    AVFrame* converted = m_swr1.Convert(frame);
    if (!converted) return;
    QueueForMix(kSourceSystemSound, converted, pts, first, tb);
    av_frame_free(&converted);
    MixQueued(tb);
}

void CSaveVideoFileThread::MicFrameForMix(const AVFrame* frame, int64_t pts, AVRational tb) {
    if (!m_bConAudio2Var) {
        LogBoth(kWhere, "!m_bConAudio2Var error.");
        return;
    }
    std::lock_guard<std::mutex> mix(m_mixMutex);
    // After the first frame's alignment the queue's head stands at the reference time.
    const bool first = m_clock.TakeFirstAlignment(kSourceMicrophone, false, &pts, kMixSampleRate, tb);
    AVFrame* converted = m_swr2.Convert(frame);
    if (converted) HandleMomF3(converted, pts, first, tb);
}

namespace {

const char* MixSourceName(int32_t sourceType) {
    return sourceType == kSourceMicrophone ? "microphone" : "system sound";
}

int64_t MixSamples(int ms) { return static_cast<int64_t>(CSaveVideoFileThread::kMixSampleRate) * ms / 1000; }

// No gap or overlap is filled with more than this at once (a timestamp that jumps
// by hours is not hours of silence in memory).
constexpr int kMaxFillMs = 10000;

}  // namespace

// One converted frame of sourceType at pts (capture time; the reference for the first
// frame after it). A source whose samples fall short of its timestamps (it runs slow,
// or lost a buffer) is padded with silence, one whose samples run ahead is cut back,
// whenever the difference passes the tolerance: each queue's samples stay where the
// capture clock, which the picture is stamped with, puts them. Mix lock held.
void CSaveVideoFileThread::QueueForMix(int32_t sourceType, const AVFrame* frame, int64_t pts, bool first,
                                       AVRational tb) {
    CSoundQueue& queue = SoundQueue(sourceType);
    MixTail& tail = MixTailOf(sourceType);
    const int64_t at = SamplesForTime(pts - m_clock.AlignmentReference(), kMixSampleRate, tb);
    int skip = 0;
    if (first || !tail.placed) {
        // The first alignment pads or cuts the queue's head: the tail lies that much
        // further on (or back).
        tail = MixTail{};
        tail.samples = first ? m_clock.PendingAlignment(sourceType) : at;
        tail.placed = true;
    } else {
        if (tail.filled) {
            LogBoth(kWhere, "[%s] delivers again after %lld ms of silence filled in", MixSourceName(sourceType),
                    static_cast<long long>(tail.silence * 1000 / kMixSampleRate));
            tail.filled = false;
        }
        const int64_t gap = at - tail.samples;
        const int64_t tolerance = MixSamples(kMixDriftToleranceMs);
        if (gap > tolerance) {
            const int64_t fill = gap < MixSamples(kMaxFillMs) ? gap : MixSamples(kMaxFillMs);
            if (queue.AppendSilence(fill)) tail.samples += fill;
            LogFile(kWhere, "[%s] %lld samples behind its timestamps: silence put in", MixSourceName(sourceType),
                    static_cast<long long>(gap));
        } else if (gap < -tolerance) {
            skip = -gap < frame->nb_samples ? static_cast<int>(-gap) : frame->nb_samples;
            LogFile(kWhere, "[%s] %lld samples ahead of its timestamps: %d cut", MixSourceName(sourceType),
                    static_cast<long long>(-gap), skip);
        }
    }
    if (queue.Write(frame, skip) < 0) {
        LogFile(kWhere, "[%s] frame not queued", MixSourceName(sourceType));
    } else {
        tail.samples += frame->nb_samples - skip;
    }
    m_clock.AlignQueue(sourceType, queue);
    FillStalledPartner(sourceType, tb);
}

// A partner that lies more than the stall limit behind this source has stopped
// delivering: it is filled with silence up to this source's tail, now and after each
// of this source's frames until it delivers again, so that this source's sound goes
// on into the file and its queue stays short. Mix lock held.
void CSaveVideoFileThread::FillStalledPartner(int32_t sourceType, AVRational tb) {
    const int32_t partnerType = sourceType == kSourceMicrophone ? kSourceSystemSound : kSourceMicrophone;
    const MixTail& self = MixTailOf(sourceType);
    MixTail& partner = MixTailOf(partnerType);
    if (!partner.filled) {
        const int64_t behind = self.samples - (partner.placed ? partner.samples : 0);
        if (behind <= MixSamples(kMixStallLimitMs)) return;
        if (!partner.placed) {
            // Its first frame never came: it starts at the reference, in silence.
            int64_t reference = m_clock.AlignmentReference();
            m_clock.TakeFirstAlignment(partnerType, false, &reference, kMixSampleRate, tb);
            partner = MixTail{};
            partner.placed = true;
        }
        LogBoth(kWhere, "[%s] %lld ms behind the %s: filled with silence until it delivers again",
                MixSourceName(partnerType), static_cast<long long>(behind * 1000 / kMixSampleRate),
                MixSourceName(sourceType));
        partner.filled = true;
    }
    int64_t fill = self.samples - partner.samples;
    if (fill > MixSamples(kMaxFillMs)) fill = MixSamples(kMaxFillMs);
    if (fill > 0 && SoundQueue(partnerType).AppendSilence(fill)) {
        partner.samples += fill;
        partner.silence += fill;
    }
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

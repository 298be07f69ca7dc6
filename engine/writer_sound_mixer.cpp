// Mixing system sound and microphone into one track.
#include "engine/writer_sound_mixer.h"

#include <cstring>

#include "common/logger.h"
#include "engine/writer.h"

void mix_audio_s16(const uint8_t* const sources[2], uint8_t* out, int step, int bytes) {
    double gain = 1.0;
    for (int at = 0; at + 2 <= bytes; at += step) {
        int16_t a, b;
        memcpy(&a, sources[0] + at, 2);
        memcpy(&b, sources[1] + at, 2);
        const int32_t sum = static_cast<int32_t>(a) + b;
        int32_t v = static_cast<int32_t>(sum * gain);
        if (v > 32767) {
            gain = 32767.0 / v;
            v = 32767;
        } else if (v < -32768) {
            gain = -32768.0 / v;
            v = -32768;
        }
        if (gain < 1.0) gain += (1.0 - gain) / 32;
        const int16_t sample = static_cast<int16_t>(v);
        memcpy(out + at, &sample, 2);
    }
}

// One microphone frame in the mixing format at its capture time: it is queued on the
// clock like the system sound, then mixed as far as both queues reach. Mix lock held.
void CSaveVideoFileThread::HandleMomF3(AVFrame* micFrame, int64_t pts, bool first, AVRational tb) {
    QueueForMix(kSourceMicrophone, micFrame, pts, first, tb);
    av_frame_free(&micFrame);
    MixQueued(tb);
}

// The microphone's queue is cut into encoder frames, timed from where its tail lies
// on the clock, and each of them is mixed with as much system sound and encoded, for
// as long as the system sound queue holds a frame's worth. Mix lock held.
void CSaveVideoFileThread::MixQueued(AVRational tb) {
    const int frameSize = m_aCtx->frame_size > 0 ? m_aCtx->frame_size : 1024;
    const MixTail& mic = MixTailOf(kSourceMicrophone);
    if (mic.placed) {
        const int queued = m_micQueue.Size();
        const int64_t tailTime =
            RelativePts(m_clock.AlignmentReference()) + av_rescale_q(mic.samples, AVRational{1, kMixSampleRate}, tb);
        const int64_t head = HeaTimInAFi(queued, tailTime, queued, m_lastSoundTime, frameSize, kMixSampleRate, tb);
        if (head != kNoHeadTime) CutQueue(m_micQueue, head, kMixSampleRate, tb);
    }

    PendingFrame entry;
    while (m_sysQueue.Size() >= frameSize && PopPending(&entry)) {
        AVFrame* sys = m_sysQueue.ReadFrame(frameSize, kMixSampleRate);
        AVFrame* mixed = sys ? AllocAudioFrame(m_dMFrInf, frameSize) : nullptr;
        if (mixed) {
            const uint8_t* const sources[2] = {sys->data[0], entry.frame->data[0]};
            mix_audio_s16(sources, mixed->data[0], 2, frameSize * kMixChannels * 2);
        }
        av_frame_free(&sys);
        av_frame_free(&entry.frame);
        if (!mixed) return;  // the system sound queue was cleared meanwhile
        AVFrame* converted = m_swr3.Convert(mixed);
        av_frame_free(&mixed);
        if (converted) HandlefFrame2(&converted, entry.time, tb);
    }
}

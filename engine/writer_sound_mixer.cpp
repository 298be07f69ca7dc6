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

// One microphone frame in the mixing format at its relative time: it is queued and
// aligned, cut into encoder frames, and each of them is mixed with as much system
// sound and encoded, for as long as the system sound queue holds a frame's worth.
void CSaveVideoFileThread::HandleMomF3(AVFrame* micFrame, int64_t pts, AVRational tb) {
    const char* where = "CSaveVideoFileThread::HandleMomF3";
    const int before = m_micQueue.Write(micFrame);
    av_frame_free(&micFrame);
    if (before < 0) {
        LogFile(where, "microphone frame not queued");
        return;
    }
    m_clock.AlignQueue(kSourceMicrophone, m_micQueue);
    const int frameSize = m_aCtx->frame_size > 0 ? m_aCtx->frame_size : 1024;
    int64_t head = HeaTimInAFi(m_micQueue.Size(), pts, before, m_lastSoundTime, frameSize, kMixSampleRate, tb);
    if (head == kNoHeadTime) return;
    CutQueue(m_micQueue, head, kMixSampleRate, tb);

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

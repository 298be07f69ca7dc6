// One sound source's queue: packed 16-bit samples waiting to be cut into encoder frames.
#pragma once

#include <cstdint>
#include <mutex>

#include "engine/ffmpeg_api.h"

class CSoundQueue {
public:
    CSoundQueue() = default;
    ~CSoundQueue() { Free(); }
    CSoundQueue(const CSoundQueue&) = delete;
    CSoundQueue& operator=(const CSoundQueue&) = delete;

    // Packed AV_SAMPLE_FMT_S16 of the given channel count, grown on demand.
    bool Alloc(int channels);
    // Frees the queue; returns how many samples were left in it.
    int Free();
    bool Exists();
    int Channels();
    int Size();

    // Appends the frame (which must be packed S16 of the queue's channel count) from
    // its sample `skip` on, or nothing. Returns the number of samples queued before it,
    // -1 on failure.
    int Write(const AVFrame* frame, int skip = 0);
    // n samples of silence after what is queued; false (nothing added) on failure.
    bool AppendSilence(int64_t n);
    // n > 0: n samples of silence go in front of what is queued.
    // n < 0: up to |n| samples are dropped from the front.
    // Returns the part of n not yet carried out (only a drop can fall short).
    int64_t Align(int64_t n);
    // Exactly `samples` samples from the front in a new frame at the given rate; null
    // when fewer are queued.
    AVFrame* ReadFrame(int samples, int sampleRate);
    // Copies up to `samples` samples from the front without removing them.
    int Peek(int16_t* dst, int samples);
    void Clear();

private:
    std::mutex lock_;  // the source's thread appends while others read or clear
    AVAudioFifo* fifo_ = nullptr;
    int channels_ = 0;
};

constexpr int64_t kNoHeadTime = AV_NOPTS_VALUE;
// Units of the time base by which a head time that would go backwards is pushed on.
constexpr int64_t kHeadTimeStep = 900;

// Time of the first queued sample: pts (the time of the frame just appended) less the
// duration of the `queuedBefore` samples that were waiting ahead of it. kNoHeadTime
// while fewer than frameSize samples are queued. A head earlier than lastTime becomes
// lastTime + kHeadTimeStep.
int64_t HeaTimInAFi(int queued, int64_t pts, int queuedBefore, int64_t lastTime, int frameSize, int sampleRate,
                    AVRational timeBase);

// The signed number of samples at sampleRate that time t of the time base spans.
int64_t SamplesForTime(int64_t t, int sampleRate, AVRational timeBase);

// Sound format conversion: one resampler between two fixed sound formats.
#pragma once

#include <cstdint>

#include "engine/ffmpeg_api.h"
#include "engine/writer_audio_params.h"

// Interleaved or planar sample format, channel count and rate of a sound stream.
struct AudioFormat {
    int channels = 0;
    AVSampleFormat sampleFmt = AV_SAMPLE_FMT_NONE;
    int sampleRate = 0;
    uint64_t channelMask = 0;  // 0: the default layout for the channel count

    bool operator==(const AudioFormat& o) const {
        return channels == o.channels && sampleFmt == o.sampleFmt && sampleRate == o.sampleRate;
    }
    bool operator!=(const AudioFormat& o) const { return !(*this == o); }
};

// The format of a capture input at its own rate, or at its output rate.
AudioFormat InputFormat(const AudioInputParams& p);
AudioFormat InputFormatAtOutputRate(const AudioInputParams& p);
// The format a decoded frame carries.
AudioFormat FrameFormat(const AVFrame* frame);
// Channel layout of a format: its mask when that names its channel count, else the default.
AVChannelLayout LayoutOf(const AudioFormat& f);

// A frame of `samples` samples in format f, with its buffers; null on failure.
AVFrame* AllocAudioFrame(const AudioFormat& f, int samples);
// A frame of silence in format f.
AVFrame* AllocSilenceFrame(const AudioFormat& f, int samples);

class CResampler {
public:
    CResampler() = default;
    ~CResampler() { Free(); }
    CResampler(const CResampler&) = delete;
    CResampler& operator=(const CResampler&) = delete;

    // false (and nothing held) when the converter cannot be set up.
    bool Open(const AudioFormat& in, const AudioFormat& out);
    void Free();
    bool IsOpen() const { return swr_ != nullptr; }
    const AudioFormat& In() const { return in_; }
    const AudioFormat& Out() const { return out_; }

    // A new frame in the output format holding as many samples as the converter
    // gave back (possibly 0). Null when the frame is not in the input format or the
    // conversion fails: a frame is never read as if it had another layout.
    AVFrame* Convert(const AVFrame* frame);

private:
    SwrContext* swr_ = nullptr;
    AudioFormat in_, out_;
};

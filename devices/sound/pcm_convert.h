// The audio engine's mix format, and its conversion to the 16-bit stereo the
// device delivers (FFmpeg's dshow input takes integer PCM only).
#pragma once

#include <windows.h>
#include <mmreg.h>

#include <cstdint>
#include <vector>

enum class SampleKind { Float32, Int16, Int24, Int32, Unsupported };

struct MixFormat {
    SampleKind kind = SampleKind::Unsupported;
    int channels = 0;
    int rate = 0;
    int block_align = 0;
    // Share of each input channel in the left and right output: a down-mix
    // that never exceeds full scale.
    std::vector<float> to_left, to_right;
};

// From WAVEFORMATEX or WAVEFORMATEXTENSIBLE; kind Unsupported for anything else.
MixFormat DescribeMixFormat(const WAVEFORMATEX& wave);

// `frames` frames of `format` into 2 * frames interleaved samples at `out`.
void ConvertToStereo16(const BYTE* in, uint32_t frames, const MixFormat& format, int16_t* out);

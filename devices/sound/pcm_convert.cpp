#include "devices/sound/pcm_convert.h"

#include <ks.h>
#include <ksmedia.h>

#include <cmath>
#include <cstring>

namespace {

SampleKind KindOf(bool is_float, int container_bits) {
    if (is_float) return container_bits == 32 ? SampleKind::Float32 : SampleKind::Unsupported;
    switch (container_bits) {
        case 16: return SampleKind::Int16;
        case 24: return SampleKind::Int24;
        case 32: return SampleKind::Int32;
        default: return SampleKind::Unsupported;
    }
}

// Speaker bits in channel order, as the mask lists them; a plain format has none.
std::vector<DWORD> SpeakersOf(const WAVEFORMATEX& wave) {
    std::vector<DWORD> speakers;
    DWORD mask = 0;
    if (wave.wFormatTag == WAVE_FORMAT_EXTENSIBLE && wave.cbSize >= 22)
        mask = reinterpret_cast<const WAVEFORMATEXTENSIBLE&>(wave).dwChannelMask;
    for (DWORD bit = 1; bit && speakers.size() < wave.nChannels; bit <<= 1)
        if (mask & bit) speakers.push_back(bit);
    while (speakers.size() < wave.nChannels) {
        // Unnamed channels: the first two are taken as front left and right.
        size_t i = speakers.size();
        speakers.push_back(i == 0 ? SPEAKER_FRONT_LEFT : i == 1 ? SPEAKER_FRONT_RIGHT : 0);
    }
    return speakers;
}

void SetDownmix(MixFormat& format, const std::vector<DWORD>& speakers) {
    const DWORD left = SPEAKER_FRONT_LEFT | SPEAKER_FRONT_LEFT_OF_CENTER | SPEAKER_BACK_LEFT | SPEAKER_SIDE_LEFT;
    const DWORD right = SPEAKER_FRONT_RIGHT | SPEAKER_FRONT_RIGHT_OF_CENTER | SPEAKER_BACK_RIGHT | SPEAKER_SIDE_RIGHT;
    const DWORD centre = SPEAKER_FRONT_CENTER | SPEAKER_BACK_CENTER | SPEAKER_TOP_CENTER;
    const float side = std::sqrt(0.5f);
    format.to_left.assign(speakers.size(), 0.0f);
    format.to_right.assign(speakers.size(), 0.0f);
    if (speakers.size() == 1) {
        format.to_left[0] = format.to_right[0] = 1.0f;
        return;
    }
    float left_sum = 0, right_sum = 0;
    for (size_t i = 0; i < speakers.size(); ++i) {
        DWORD s = speakers[i];
        bool main = s == SPEAKER_FRONT_LEFT || s == SPEAKER_FRONT_RIGHT;
        float weight = main ? 1.0f : side;
        if (s & (left | centre)) format.to_left[i] = weight;
        if (s & (right | centre)) format.to_right[i] = weight;
        left_sum += format.to_left[i];
        right_sum += format.to_right[i];
    }
    for (size_t i = 0; i < speakers.size(); ++i) {
        if (left_sum > 1) format.to_left[i] /= left_sum;
        if (right_sum > 1) format.to_right[i] /= right_sum;
    }
}

float ReadSample(const BYTE* p, SampleKind kind) {
    switch (kind) {
        case SampleKind::Float32: {
            float v;
            memcpy(&v, p, 4);
            return v;
        }
        case SampleKind::Int16: {
            int16_t v;
            memcpy(&v, p, 2);
            return float(v) / 32768.0f;
        }
        case SampleKind::Int24: {
            int32_t v = int32_t(uint32_t(p[0]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 24);
            return float(v) / 2147483648.0f;
        }
        case SampleKind::Int32: {
            int32_t v;
            memcpy(&v, p, 4);
            return float(v) / 2147483648.0f;
        }
        default: return 0.0f;
    }
}

int16_t ToInt16(float v) {
    float scaled = std::lround(v * 32768.0f);
    if (scaled > 32767.0f) return 32767;
    if (scaled < -32768.0f) return -32768;
    return int16_t(scaled);
}

}  // namespace

MixFormat DescribeMixFormat(const WAVEFORMATEX& wave) {
    MixFormat format;
    bool is_float = wave.wFormatTag == WAVE_FORMAT_IEEE_FLOAT;
    bool is_int = wave.wFormatTag == WAVE_FORMAT_PCM;
    if (wave.wFormatTag == WAVE_FORMAT_EXTENSIBLE && wave.cbSize >= 22) {
        const GUID& sub = reinterpret_cast<const WAVEFORMATEXTENSIBLE&>(wave).SubFormat;
        is_float = IsEqualGUID(sub, KSDATAFORMAT_SUBTYPE_IEEE_FLOAT);
        is_int = IsEqualGUID(sub, KSDATAFORMAT_SUBTYPE_PCM);
    }
    if (!(is_float || is_int) || wave.nChannels == 0 || wave.nSamplesPerSec == 0) return format;
    format.kind = KindOf(is_float, wave.wBitsPerSample);
    format.channels = wave.nChannels;
    format.rate = int(wave.nSamplesPerSec);
    format.block_align = wave.nBlockAlign;
    if (format.block_align < format.channels * wave.wBitsPerSample / 8) format.kind = SampleKind::Unsupported;
    SetDownmix(format, SpeakersOf(wave));
    return format;
}

void ConvertToStereo16(const BYTE* in, uint32_t frames, const MixFormat& format, int16_t* out) {
    const int bytes = format.kind == SampleKind::Int16 ? 2 : format.kind == SampleKind::Int24 ? 3 : 4;
    for (uint32_t f = 0; f < frames; ++f, in += format.block_align) {
        float left = 0, right = 0;
        for (int c = 0; c < format.channels; ++c) {
            float v = ReadSample(in + c * bytes, format.kind);
            left += v * format.to_left[size_t(c)];
            right += v * format.to_right[size_t(c)];
        }
        *out++ = ToInt16(left);
        *out++ = ToInt16(right);
    }
}

// The audio engine's mix formats, converted to the 16-bit stereo delivered.
#include "devices/sound/pcm_convert.h"

#include <ks.h>
#include <ksmedia.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

WAVEFORMATEXTENSIBLE Extensible(const GUID& sub, int channels, int bits, DWORD mask) {
    WAVEFORMATEXTENSIBLE wave{};
    wave.Format.wFormatTag = WAVE_FORMAT_EXTENSIBLE;
    wave.Format.nChannels = WORD(channels);
    wave.Format.nSamplesPerSec = 48000;
    wave.Format.wBitsPerSample = WORD(bits);
    wave.Format.nBlockAlign = WORD(channels * bits / 8);
    wave.Format.nAvgBytesPerSec = 48000 * wave.Format.nBlockAlign;
    wave.Format.cbSize = 22;
    wave.Samples.wValidBitsPerSample = WORD(bits);
    wave.dwChannelMask = mask;
    wave.SubFormat = sub;
    return wave;
}

WAVEFORMATEX Plain(WORD tag, int channels, int bits) {
    WAVEFORMATEX wave{};
    wave.wFormatTag = tag;
    wave.nChannels = WORD(channels);
    wave.nSamplesPerSec = 44100;
    wave.wBitsPerSample = WORD(bits);
    wave.nBlockAlign = WORD(channels * bits / 8);
    wave.nAvgBytesPerSec = 44100 * wave.nBlockAlign;
    return wave;
}

template <class T>
std::vector<BYTE> Bytes(std::initializer_list<T> values) {
    std::vector<BYTE> bytes(values.size() * sizeof(T));
    memcpy(bytes.data(), values.begin(), bytes.size());
    return bytes;
}

std::vector<int16_t> Convert(const WAVEFORMATEX& wave, const std::vector<BYTE>& in) {
    MixFormat format = DescribeMixFormat(wave);
    uint32_t frames = uint32_t(in.size() / size_t(format.block_align));
    std::vector<int16_t> out(frames * 2);
    ConvertToStereo16(in.data(), frames, format, out.data());
    return out;
}

TEST(PcmConvert, CommonMixFormatsBecomeStereo16) {
    const float kSide = 0.70710678f / (1 + 2 * 0.70710678f);  // a centre's share after the 5.1 down-mix
    struct Case {
        const char* what;
        std::vector<BYTE> format;
        std::vector<BYTE> in;
        std::vector<int16_t> out;
    };
    auto bytes_of = [](const auto& wave) {
        const BYTE* p = reinterpret_cast<const BYTE*>(&wave);
        return std::vector<BYTE>(p, p + sizeof wave);
    };
    std::vector<BYTE> int24 = {0x00, 0x00, 0x40, 0x00, 0x00, 0xC0};  // +0.5, -0.5
    const Case cases[] = {
        {"float stereo",
         bytes_of(Extensible(KSDATAFORMAT_SUBTYPE_IEEE_FLOAT, 2, 32, 3)),
         Bytes<float>({0.5f, -0.5f, 1.0f, -1.0f, 2.0f, -2.0f}),
         {16384, -16384, 32767, -32768, 32767, -32768}},
        {"plain float", bytes_of(Plain(WAVE_FORMAT_IEEE_FLOAT, 2, 32)), Bytes<float>({0.25f, 0.0f}), {8192, 0}},
        {"16-bit mono", bytes_of(Plain(WAVE_FORMAT_PCM, 1, 16)), Bytes<int16_t>({1000, -7}), {1000, 1000, -7, -7}},
        {"24-bit stereo", bytes_of(Extensible(KSDATAFORMAT_SUBTYPE_PCM, 2, 24, 3)), int24, {16384, -16384}},
        {"32-bit stereo",
         bytes_of(Extensible(KSDATAFORMAT_SUBTYPE_PCM, 2, 32, 3)),
         Bytes<int32_t>({0x40000000, -0x40000000}),
         {16384, -16384}},
        {"5.1 front left",
         bytes_of(Extensible(KSDATAFORMAT_SUBTYPE_IEEE_FLOAT, 6, 32, 0x3F)),
         Bytes<float>({1.0f, 0, 0, 0, 0, 0}),
         {int16_t(std::lround(32768 / (1 + 2 * 0.70710678))), 0}},
        {"5.1 centre",
         bytes_of(Extensible(KSDATAFORMAT_SUBTYPE_IEEE_FLOAT, 6, 32, 0x3F)),
         Bytes<float>({0, 0, 1.0f, 0, 0, 0}),
         {int16_t(std::lround(32768 * kSide)), int16_t(std::lround(32768 * kSide))}},
        {"5.1 bass only",
         bytes_of(Extensible(KSDATAFORMAT_SUBTYPE_IEEE_FLOAT, 6, 32, 0x3F)),
         Bytes<float>({0, 0, 0, 1.0f, 0, 0}),
         {0, 0}},
    };
    for (const Case& c : cases) {
        const auto& wave = *reinterpret_cast<const WAVEFORMATEX*>(c.format.data());
        EXPECT_NE(DescribeMixFormat(wave).kind, SampleKind::Unsupported) << c.what;
        std::vector<int16_t> out = Convert(wave, c.in);
        ASSERT_EQ(out.size(), c.out.size()) << c.what;
        for (size_t i = 0; i < out.size(); ++i) EXPECT_NEAR(out[i], c.out[i], 1) << c.what << " sample " << i;
    }
}

TEST(PcmConvert, OtherFormatsAreRefused) {
    EXPECT_EQ(DescribeMixFormat(Plain(WAVE_FORMAT_PCM, 2, 8)).kind, SampleKind::Unsupported);
    EXPECT_EQ(DescribeMixFormat(Plain(WAVE_FORMAT_ADPCM, 2, 4)).kind, SampleKind::Unsupported);
    EXPECT_EQ(DescribeMixFormat(Plain(WAVE_FORMAT_IEEE_FLOAT, 2, 64)).kind, SampleKind::Unsupported);
    EXPECT_EQ(DescribeMixFormat(Plain(WAVE_FORMAT_PCM, 0, 16)).kind, SampleKind::Unsupported);
}

}  // namespace

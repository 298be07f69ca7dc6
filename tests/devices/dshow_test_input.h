// A DirectShow device opened in-process through FFmpeg's "dshow" input, as the
// recorder opens it, with what the device tests read from it: decoded
// pictures, 16-bit samples, packet times.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cstdint>
#include <string>
#include <vector>

namespace device_testing {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, top row first
    int64_t pts = 0;
    uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

struct SoundBlock {
    std::vector<int16_t> samples;  // interleaved
    int64_t pts = 0;
    int frames = 0;
};

// Names FFmpeg's dshow input lists for the video and for the audio devices.
std::vector<std::string> ListDeviceNames(bool video);

class DshowInput {
public:
    DshowInput() = default;
    ~DshowInput();
    DshowInput(const DshowInput&) = delete;
    DshowInput& operator=(const DshowInput&) = delete;

    // url: "video=<name>" or "audio=<name>". Returns FFmpeg's result (0 on success).
    int Open(const std::string& url);
    const AVCodecParameters* Params() const;
    // The frame rate the device's format declares.
    AVRational FrameRate() const;

    // Raw packets as the device delivered them; false on a read error.
    bool ReadPacket(AVPacket* packet);
    // The next picture, decoded and converted to 0xRRGGBB.
    bool ReadPicture(Picture& picture);
    // The next block of sound (16-bit PCM as the device sends it).
    bool ReadSound(SoundBlock& block);

private:
    bool OpenDecoder();

    AVFormatContext* input_ = nullptr;
    AVCodecContext* decoder_ = nullptr;
};

// Amplitude of the frequency's component in one channel (Goertzel), in sample units.
double ToneAmplitude(const std::vector<int16_t>& interleaved, int channels, int channel, int rate, double frequency);
double PeakLevel(const std::vector<int16_t>& samples);

}  // namespace device_testing

// Reading written files back with FFmpeg: streams, packet timestamps, decoded sound.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

extern "C" {
#include <libavformat/avformat.h>
}

struct ProbedStream {
    AVMediaType type = AVMEDIA_TYPE_UNKNOWN;
    AVCodecID codec = AV_CODEC_ID_NONE;
    int width = 0, height = 0;
    int sampleRate = 0, channels = 0;
    AVRational timeBase{0, 1};
    std::vector<int64_t> pts, dts, durations;
    std::vector<bool> keys;

    // Seconds from the first packet's pts to the end of the last packet.
    double Seconds() const;
    bool DtsStrictlyIncreasing() const;
    std::vector<int> KeyFrameIndexes() const;
};

struct ProbedFile {
    bool opened = false;
    std::string format;  // the demuxer's short name
    std::vector<ProbedStream> streams;

    const ProbedStream* Find(AVMediaType type) const;
};

ProbedFile ProbeFile(const std::wstring& path);

// Every sample of the file's first sound stream, as float, one vector per channel.
struct DecodedSound {
    int sampleRate = 0;
    double startSeconds = 0;  // the first decoded sample's time in the file
    std::vector<std::vector<float>> channels;
};
DecodedSound DecodeSound(const std::wstring& path);

// Mean luma (0-255) of the region (x, y, width, height) in every picture of the
// file's first video stream, with the picture's time in seconds.
struct PictureSample {
    double seconds = 0;
    double luma = 0;
};
std::vector<PictureSample> RegionLuma(const std::wstring& path, int x, int y, int width, int height);

// Amplitude of the frequency component `hz` in samples [from, from + count).
double ToneAmplitude(const std::vector<float>& samples, int sampleRate, double hz, size_t from, size_t count);
double Rms(const std::vector<float>& samples, size_t from, size_t count);

// The types of an MP4's top-level boxes, in file order ("ftyp", "moov", "moof",
// "mdat", ...): an ordinary MP4 has a "moov" and no "moof".
std::vector<std::string> TopLevelBoxes(const std::wstring& path);
bool IsFragmentedMp4(const std::wstring& path);

#include "tests/engine/media_probe.h"

#include <cmath>
#include <cstdio>

#include "common/text_convert.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

double ProbedStream::Seconds() const {
    if (pts.empty()) return 0;
    const int64_t end = pts.back() + durations.back();
    return (end - pts.front()) * av_q2d(timeBase);
}

bool ProbedStream::DtsStrictlyIncreasing() const {
    for (size_t i = 1; i < dts.size(); ++i)
        if (dts[i] <= dts[i - 1]) return false;
    return true;
}

std::vector<int> ProbedStream::KeyFrameIndexes() const {
    std::vector<int> out;
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i]) out.push_back(static_cast<int>(i));
    return out;
}

const ProbedStream* ProbedFile::Find(AVMediaType type) const {
    for (const ProbedStream& s : streams)
        if (s.type == type) return &s;
    return nullptr;
}

ProbedFile ProbeFile(const std::wstring& path) {
    ProbedFile out;
    AVFormatContext* ic = nullptr;
    if (avformat_open_input(&ic, WideToUtf8(path).c_str(), nullptr, nullptr) < 0) return out;
    if (avformat_find_stream_info(ic, nullptr) < 0) {
        avformat_close_input(&ic);
        return out;
    }
    out.opened = true;
    out.format = ic->iformat->name;
    for (unsigned i = 0; i < ic->nb_streams; ++i) {
        const AVCodecParameters* p = ic->streams[i]->codecpar;
        ProbedStream s;
        s.type = p->codec_type;
        s.codec = p->codec_id;
        s.width = p->width;
        s.height = p->height;
        s.sampleRate = p->sample_rate;
        s.channels = p->ch_layout.nb_channels;
        s.timeBase = ic->streams[i]->time_base;
        out.streams.push_back(s);
    }
    AVPacket* pkt = av_packet_alloc();
    while (av_read_frame(ic, pkt) >= 0) {
        ProbedStream& s = out.streams[pkt->stream_index];
        s.pts.push_back(pkt->pts);
        s.dts.push_back(pkt->dts);
        s.durations.push_back(pkt->duration);
        s.keys.push_back((pkt->flags & AV_PKT_FLAG_KEY) != 0);
        av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
    avformat_close_input(&ic);
    return out;
}

namespace {

float SampleAt(const AVFrame* f, int channel, int i) {
    const int channels = f->ch_layout.nb_channels;
    switch (f->format) {
        case AV_SAMPLE_FMT_FLTP: return reinterpret_cast<const float*>(f->extended_data[channel])[i];
        case AV_SAMPLE_FMT_FLT: return reinterpret_cast<const float*>(f->data[0])[i * channels + channel];
        case AV_SAMPLE_FMT_S16P: return reinterpret_cast<const int16_t*>(f->extended_data[channel])[i] / 32768.0f;
        case AV_SAMPLE_FMT_S16: return reinterpret_cast<const int16_t*>(f->data[0])[i * channels + channel] / 32768.0f;
        default: return 0;
    }
}

// The file's best stream of `type` with its decoder opened; false when there is none.
bool OpenBestStream(const std::wstring& path, AVMediaType type, AVFormatContext** ic, AVCodecContext** dec,
                    int* index) {
    *ic = nullptr;
    *dec = nullptr;
    if (avformat_open_input(ic, WideToUtf8(path).c_str(), nullptr, nullptr) < 0) return false;
    avformat_find_stream_info(*ic, nullptr);
    const AVCodec* codec = nullptr;
    *index = av_find_best_stream(*ic, type, -1, -1, &codec, 0);
    if (*index >= 0) *dec = avcodec_alloc_context3(codec);
    if (!*dec || avcodec_parameters_to_context(*dec, (*ic)->streams[*index]->codecpar) < 0 ||
        avcodec_open2(*dec, codec, nullptr) < 0) {
        avcodec_free_context(dec);
        avformat_close_input(ic);
        return false;
    }
    return true;
}

// Every decoded frame of the stream to `take`, the decoder drained at the end.
template <typename Take>
void DecodeAll(AVFormatContext* ic, AVCodecContext* dec, int index, Take take) {
    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto drain = [&] {
        while (avcodec_receive_frame(dec, frame) == 0) {
            take(frame);
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(ic, pkt) >= 0) {
        if (pkt->stream_index == index && avcodec_send_packet(dec, pkt) == 0) drain();
        av_packet_unref(pkt);
    }
    avcodec_send_packet(dec, nullptr);
    drain();
    av_frame_free(&frame);
    av_packet_free(&pkt);
}

}  // namespace

DecodedSound DecodeSound(const std::wstring& path) {
    DecodedSound out;
    AVFormatContext* ic;
    AVCodecContext* dec;
    int index;
    if (!OpenBestStream(path, AVMEDIA_TYPE_AUDIO, &ic, &dec, &index)) return out;
    out.sampleRate = dec->sample_rate;
    out.channels.resize(dec->ch_layout.nb_channels);
    const AVRational tb = ic->streams[index]->time_base;
    bool first = true;
    DecodeAll(ic, dec, index, [&](const AVFrame* frame) {
        if (first && frame->best_effort_timestamp != AV_NOPTS_VALUE)
            out.startSeconds = frame->best_effort_timestamp * av_q2d(tb);
        first = false;
        for (int c = 0; c < frame->ch_layout.nb_channels && c < (int)out.channels.size(); ++c)
            for (int i = 0; i < frame->nb_samples; ++i) out.channels[c].push_back(SampleAt(frame, c, i));
    });
    avcodec_free_context(&dec);
    avformat_close_input(&ic);
    return out;
}

std::vector<PictureSample> RegionLuma(const std::wstring& path, int x, int y, int width, int height) {
    std::vector<PictureSample> out;
    AVFormatContext* ic;
    AVCodecContext* dec;
    int index;
    if (!OpenBestStream(path, AVMEDIA_TYPE_VIDEO, &ic, &dec, &index)) return out;
    const AVRational tb = ic->streams[index]->time_base;
    DecodeAll(ic, dec, index, [&](const AVFrame* frame) {
        if (x < 0 || y < 0 || x + width > frame->width || y + height > frame->height) return;
        double sum = 0;
        for (int row = y; row < y + height; ++row)
            for (int col = x; col < x + width; ++col) sum += frame->data[0][row * frame->linesize[0] + col];
        out.push_back({frame->best_effort_timestamp * av_q2d(tb), sum / (double(width) * height)});
    });
    avcodec_free_context(&dec);
    avformat_close_input(&ic);
    return out;
}

// Goertzel filter over the window, scaled to the amplitude of a sine at hz.
double ToneAmplitude(const std::vector<float>& samples, int sampleRate, double hz, size_t from, size_t count) {
    const double w = 2 * M_PI * hz / sampleRate;
    const double coeff = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (size_t i = from; i < from + count && i < samples.size(); ++i) {
        const double s0 = samples[i] + coeff * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coeff * s1 * s2;
    return 2 * std::sqrt(power) / count;
}

double Rms(const std::vector<float>& samples, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = from; i < from + count && i < samples.size(); ++i) sum += samples[i] * samples[i];
    return std::sqrt(sum / count);
}

std::vector<std::string> TopLevelBoxes(const std::wstring& path) {
    std::vector<std::string> boxes;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return boxes;
    unsigned char head[16];
    int64_t at = 0;
    while (_fseeki64(file, at, SEEK_SET) == 0 && fread(head, 1, 8, file) == 8) {
        uint64_t size = (uint64_t(head[0]) << 24) | (uint64_t(head[1]) << 16) | (uint64_t(head[2]) << 8) | head[3];
        boxes.emplace_back(reinterpret_cast<const char*>(head + 4), 4);
        if (size == 1) {  // a 64-bit size follows
            if (fread(head + 8, 1, 8, file) != 8) break;
            size = 0;
            for (int i = 8; i < 16; ++i) size = (size << 8) | head[i];
        }
        if (size < 8) break;  // 0: to the end of the file
        at += static_cast<int64_t>(size);
    }
    fclose(file);
    return boxes;
}

bool IsFragmentedMp4(const std::wstring& path) {
    for (const std::string& box : TopLevelBoxes(path))
        if (box == "moof") return true;
    return false;
}

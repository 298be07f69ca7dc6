#include "tests/devices/dshow_test_input.h"

extern "C" {
#include <libavdevice/avdevice.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace device_testing {

namespace {

const AVInputFormat* DshowFormat() {
    static const AVInputFormat* format = [] {
        avdevice_register_all();
        av_log_set_level(AV_LOG_ERROR);
        return av_find_input_format("dshow");
    }();
    return format;
}

}  // namespace

std::vector<std::string> ListDeviceNames(bool video) {
    std::vector<std::string> names;
    AVDeviceInfoList* list = nullptr;
    if (avdevice_list_input_sources(DshowFormat(), nullptr, nullptr, &list) < 0) return names;
    const AVMediaType wanted = video ? AVMEDIA_TYPE_VIDEO : AVMEDIA_TYPE_AUDIO;
    for (int i = 0; i < list->nb_devices; ++i) {
        const AVDeviceInfo* device = list->devices[i];
        for (int t = 0; t < device->nb_media_types; ++t)
            if (device->media_types[t] == wanted) names.push_back(device->device_description);
    }
    avdevice_free_list_devices(&list);
    return names;
}

DshowInput::~DshowInput() {
    avcodec_free_context(&decoder_);
    avformat_close_input(&input_);
}

int DshowInput::Open(const std::string& url) {
    int ret = avformat_open_input(&input_, url.c_str(), DshowFormat(), nullptr);
    if (ret < 0) return ret;
    ret = avformat_find_stream_info(input_, nullptr);
    if (ret < 0) return ret;
    return OpenDecoder() ? 0 : AVERROR_DECODER_NOT_FOUND;
}

bool DshowInput::OpenDecoder() {
    const AVCodecParameters* params = Params();
    const AVCodec* codec = avcodec_find_decoder(params->codec_id);
    if (!codec) return false;
    decoder_ = avcodec_alloc_context3(codec);
    return decoder_ && avcodec_parameters_to_context(decoder_, params) >= 0 &&
           avcodec_open2(decoder_, codec, nullptr) >= 0;
}

const AVCodecParameters* DshowInput::Params() const { return input_->streams[0]->codecpar; }

AVRational DshowInput::FrameRate() const { return input_->streams[0]->avg_frame_rate; }

bool DshowInput::ReadPacket(AVPacket* packet) { return av_read_frame(input_, packet) >= 0; }

// Decodes one packet into `frame`; false on any failure.
static bool DecodeOne(AVCodecContext* decoder, AVPacket* packet, AVFrame* frame) {
    return avcodec_send_packet(decoder, packet) >= 0 && avcodec_receive_frame(decoder, frame) >= 0;
}

bool DshowInput::ReadPicture(Picture& picture) {
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    bool ok = ReadPacket(packet) && DecodeOne(decoder_, packet, frame);
    if (ok) {
        picture.width = frame->width;
        picture.height = frame->height;
        picture.pts = packet->pts;
        picture.pixels.assign(size_t(frame->width) * size_t(frame->height), 0);
        std::vector<uint8_t> rgb(size_t(frame->width) * size_t(frame->height) * 3);
        SwsContext* scale = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                                           frame->height, AV_PIX_FMT_RGB24, SWS_POINT, nullptr, nullptr, nullptr);
        uint8_t* planes[1] = {rgb.data()};
        int strides[1] = {frame->width * 3};
        ok = scale && sws_scale(scale, frame->data, frame->linesize, 0, frame->height, planes, strides) > 0;
        sws_freeContext(scale);
        for (size_t i = 0; i < picture.pixels.size(); ++i)
            picture.pixels[i] = uint32_t(rgb[i * 3]) << 16 | uint32_t(rgb[i * 3 + 1]) << 8 | rgb[i * 3 + 2];
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    return ok;
}

bool DshowInput::ReadSound(SoundBlock& block) {
    AVPacket* packet = av_packet_alloc();
    bool ok = ReadPacket(packet);
    if (ok) {
        const int channels = Params()->ch_layout.nb_channels;
        block.pts = packet->pts;
        block.samples.resize(size_t(packet->size) / 2);
        memcpy(block.samples.data(), packet->data, block.samples.size() * 2);
        block.frames = int(block.samples.size()) / channels;
    }
    av_packet_free(&packet);
    return ok;
}

double ToneAmplitude(const std::vector<int16_t>& interleaved, int channels, int channel, int rate, double frequency) {
    const double w = 2.0 * 3.14159265358979323846 * frequency / rate;
    const double coeff = 2.0 * std::cos(w);
    double s1 = 0, s2 = 0;
    size_t n = 0;
    for (size_t i = size_t(channel); i < interleaved.size(); i += size_t(channels), ++n) {
        double s0 = interleaved[i] + coeff * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    if (n == 0) return 0;
    double power = s1 * s1 + s2 * s2 - coeff * s1 * s2;
    return 2.0 * std::sqrt(std::max(power, 0.0)) / double(n);
}

double PeakLevel(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(int(s)));
    return peak;
}

}  // namespace device_testing

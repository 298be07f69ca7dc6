#include "engine/capture_input.h"

#include <mutex>

extern "C" {
#include <libavdevice/avdevice.h>
}

#include "common/logger.h"
#include "common/record_globals.h"
#include "common/text_convert.h"
#include "engine/capture_memory.h"

namespace {
constexpr int64_t kFfmpegQueueBytes = 3041280;  // FFmpeg's default "rtbufsize"
constexpr int64_t kMaxQueueBytes = 1LL << 30;
}  // namespace

int64_t ScreenQueueBytes(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    const int64_t bytes = int64_t(width) * height * 4 * kScreenQueuePictures;
    return bytes < kFfmpegQueueBytes ? kFfmpegQueueBytes : (bytes > kMaxQueueBytes ? kMaxQueueBytes : bytes);
}

int OpenCaptureDevice(DeviceKind kind, const std::string& ansiName, AVFormatContext** ic, const char* where,
                      int64_t queueBytes) {
    static std::once_flag devicesRegistered;
    std::call_once(devicesRegistered, [] {
        avdevice_register_all();
        KeepPictureBlocksCommitted();
    });
    *ic = nullptr;
    const AVInputFormat* dshow = av_find_input_format("dshow");
    if (!dshow) {
        LogBoth(where, "av_find_input_format(dshow) error");
        return AVERROR_DEMUXER_NOT_FOUND;
    }
    const std::string url = (kind == DeviceKind::kVideo ? "video=" : "audio=") + AnsiToUtf8(ansiName);
    LogBoth(where, "[url_utf8]%s", url.c_str());
    AVDictionary* options = nullptr;
    if (queueBytes > 0) av_dict_set_int(&options, "rtbufsize", queueBytes, 0);
    int ret = avformat_open_input(ic, url.c_str(), dshow, &options);
    av_dict_free(&options);
    if (ret != 0) {
        LogBoth(where, "[url_utf8]%s [ret]%d", url.c_str(), ret);
        g_lastDeviceOpenError = ret;
        *ic = nullptr;
        return ret;
    }
    // The device's header describes each stream whole (size, pixel or sample format,
    // rate, time base): probing its packets would only wait for the first picture or
    // sound, 0.3-0.5 s a device, and block for good on a device that sends nothing.
    if ((*ic)->nb_streams == 0) {
        LogBoth(where, "[url_utf8]%s no stream error", url.c_str());
        avformat_close_input(ic);
        return AVERROR_STREAM_NOT_FOUND;
    }
    // From here on a read that finds nothing queued returns at once (EAGAIN): a device
    // that stops delivering would otherwise hold its capture thread in the read for
    // good, and the stop would wait for it in vain.
    (*ic)->flags |= AVFMT_FLAG_NONBLOCK;
    return 0;
}

int FirstStreamOf(const AVFormatContext* ic, AVMediaType type) {
    for (unsigned i = 0; i < ic->nb_streams; ++i)
        if (ic->streams[i]->codecpar->codec_type == type) return static_cast<int>(i);
    return -1;
}

AVCodecContext* OpenStreamDecoder(const AVStream* stream, const char* where) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) {
        LogBoth(where, "[codec_id]%d avcodec_find_decoder error", stream->codecpar->codec_id);
        return nullptr;
    }
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    if (!ctx || avcodec_parameters_to_context(ctx, stream->codecpar) < 0) {
        avcodec_free_context(&ctx);
        return nullptr;
    }
    ctx->pkt_timebase = stream->time_base;
    int ret = avcodec_open2(ctx, codec, nullptr);
    if (ret < 0) {
        LogBoth(where, "[ret]%d avcodec_open2 error", ret);
        avcodec_free_context(&ctx);
    }
    return ctx;
}

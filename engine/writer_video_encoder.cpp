#include "engine/writer_video_encoder.h"

#include <cstring>
#include <sstream>

#include "common/logger.h"
#include "common/text_convert.h"
#include "engine/capture_crop_scaler.h"
#include "engine/writer.h"

int quality_to_value(const std::wstring& definition) {
    if (definition == L"原画") return 18;
    if (definition == L"标清") return 30;
    return 24;  // "高清", and whatever else the file holds
}

int32_t ParseVideoBitrate(const std::wstring& text) {
    std::wistringstream in(text);
    int32_t value = 0;
    if (in >> value && value > 0) return value;
    LogBoth("CSaveVideoFileThread::HandleoStream", "[VBitrate]%s unusable: %d is used", WideToUtf8(text).c_str(),
            kDefaultVideoBitrate);
    return kDefaultVideoBitrate;
}

bool vcoHandle(AVFormatContext* oc, AVCodecContext** ctx, const AVCodec** codec, AVCodecID codecId,
               AVPixelFormat pixelFormat, int width, int height, int64_t bitRate, int frameRate, int qmin, int qmax,
               int maxBFrames) {
    const char* where = "CSaveVideoFileThread::vcoHandle";
    LogBoth(where, "[w]%d [h]%d", width, height);
    if (!oc || frameRate <= 0) return false;
    *codec = avcodec_find_encoder(codecId);
    if (!*codec) return false;
    AVCodecContext* c = avcodec_alloc_context3(*codec);
    if (!c) return false;
    c->codec_id = codecId;
    c->pix_fmt = pixelFormat;
    c->width = width;
    c->height = height;
    c->time_base = AVRational{1, frameRate};
    c->framerate = AVRational{frameRate, 1};
    c->bit_rate = bitRate;
    c->gop_size = 2 * frameRate;
    AVDictionary* options = nullptr;
    if (codecId == AV_CODEC_ID_H264) {
        c->qmin = qmin;
        c->qmax = qmax;
        c->max_b_frames = maxBFrames;
        av_dict_set(&options, "preset", "fast", 0);
        av_dict_set(&options, "tune", "zerolatency", 0);
    }
    if (oc->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int ret = avcodec_open2(c, *codec, &options);
    av_dict_free(&options);
    if (ret < 0) {
        LogBoth(where, "[ret]%d error", ret);
        avcodec_free_context(&c);
        return false;
    }
    *ctx = c;
    return true;
}

namespace {

// The memory stays the writer's (m_oBuf): the reference only makes the picture
// reference-counted, so that the encoder takes it without copying it.
void KeepBuffer(void*, uint8_t*) {}

// Points frame's planes into buffer: the padded layout of the crop scaler for YUV420P,
// one packed buffer for any other format. The size of the buffer, 0 when none fits.
int LayOut(AVFrame* frame, uint8_t* buffer, AVPixelFormat pixelFormat, int width, int height) {
    CropPictureLayout layout;
    if (pixelFormat != AV_PIX_FMT_YUV420P || !LayoutCropPicture(width, height, &layout)) {
        const int size = av_image_get_buffer_size(pixelFormat, width, height, 1);
        if (size > 0 && buffer)
            av_image_fill_arrays(frame->data, frame->linesize, buffer, pixelFormat, width, height, 1);
        return size > 0 ? size : 0;
    }
    for (int plane = 0; plane < 3 && buffer; ++plane) {
        frame->data[plane] = buffer + layout.offset[plane];
        frame->linesize[plane] = layout.linesize[plane];
    }
    return layout.size;
}

}  // namespace

void IYFrame(AVFrame** frame, uint8_t** buffer, AVPixelFormat pixelFormat, int width, int height) {
    if (width <= 0 || height <= 0 || *frame || *buffer) return;
    AVFrame* f = av_frame_alloc();
    const int size = f ? LayOut(f, nullptr, pixelFormat, width, height) : 0;
    uint8_t* b = size > 0 ? static_cast<uint8_t*>(av_mallocz(size)) : nullptr;
    if (b) f->buf[0] = av_buffer_create(b, size, KeepBuffer, nullptr, 0);
    if (!f || !b || !f->buf[0]) {
        av_frame_free(&f);
        av_free(b);
        return;
    }
    LayOut(f, b, pixelFormat, width, height);
    f->format = pixelFormat;
    f->width = width;
    f->height = height;
    *frame = f;
    *buffer = b;
}

// The encoder lets go of each picture it is given before it returns its packets; if a
// reference is still held elsewhere, the picture moves to a buffer of its own, laid out
// the same, rather than be written under that reference.
bool CSaveVideoFileThread::MakePictureWritable() {
    if (av_frame_is_writable(m_pFrame)) return true;
    const int size = LayOut(m_pFrame, nullptr, AV_PIX_FMT_YUV420P, m_pFrame->width, m_pFrame->height);
    AVBufferRef* fresh = size > 0 ? av_buffer_allocz(size) : nullptr;
    if (!fresh) return false;
    av_buffer_unref(&m_pFrame->buf[0]);
    m_pFrame->buf[0] = fresh;
    LayOut(m_pFrame, fresh->data, AV_PIX_FMT_YUV420P, m_pFrame->width, m_pFrame->height);
    LogFile("CSaveVideoFileThread::HandlefFrame1", "picture still referenced: a new buffer");
    return true;
}

bool CSaveVideoFileThread::HandlefFrame1(const AVFrame* captured, CCropScaler& scaler, int64_t time,
                                         AVRational inTimeBase) {
    std::shared_lock<std::shared_mutex> file(m_fileLock);
    if (!m_bOpen || !m_oc || !m_vCtx || !m_s1 || !m_pFrame || time < 0 || inTimeBase.den <= 0) return false;
    if (!MakePictureWritable()) return false;
    if (!scaler.Convert(captured, m_pFrame)) {
        // A device that changed its size keeps delivering such pictures: said once.
        if (!m_pictureSizeChanged.exchange(true))
            LogBoth("CSaveVideoFileThread::HandlefFrame1",
                    "[w]%d [h]%d picture does not hold the record area: the picture is lost from here on error",
                    captured ? captured->width : 0, captured ? captured->height : 0);
        return false;
    }
    m_pFrame->pts = m_videoFrameCount++;
    m_videoTimes.push_back(av_rescale_q(time, inTimeBase, m_s1->time_base));
    int ret = avcodec_send_frame(m_vCtx, m_pFrame);
    if (ret < 0) {
        m_videoTimes.pop_back();
        LogFile("CSaveVideoFileThread::HandlefFrame1", "[ret]%d error", ret);
        return false;
    }
    return ReceiveVideoPackets();
}

// With no B-frames the encoder gives the pictures back in the order they went in, so
// each packet takes the oldest stream time still waiting.
bool CSaveVideoFileThread::ReceiveVideoPackets() {
    AVPacket* pkt = av_packet_alloc();
    if (!pkt) return false;
    bool ok = true;
    while (avcodec_receive_packet(m_vCtx, pkt) == 0) {
        if (m_videoTimes.empty()) {
            av_packet_unref(pkt);
            continue;
        }
        pkt->pts = pkt->dts = m_videoTimes.front();
        m_videoTimes.pop_front();
        pkt->duration = av_rescale_q(1, m_vCtx->time_base, m_s1->time_base);
        pkt->stream_index = m_s1->index;
        ok = WritePacket(pkt) && ok;
        av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
    return ok;
}

void CSaveVideoFileThread::DrainVideo() {
    if (!m_vCtx || !m_s1) return;
    if (avcodec_send_frame(m_vCtx, nullptr) == 0) ReceiveVideoPackets();
    m_videoTimes.clear();
}

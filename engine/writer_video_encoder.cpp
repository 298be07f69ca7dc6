#include "engine/writer_video_encoder.h"

#include <cstring>
#include <sstream>

#include "common/logger.h"
#include "common/text_convert.h"
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

void IYFrame(AVFrame** frame, uint8_t** buffer, AVPixelFormat pixelFormat, int width, int height) {
    if (width <= 0 || height <= 0 || *frame || *buffer) return;
    int size = av_image_get_buffer_size(pixelFormat, width, height, 1);
    if (size <= 0) return;
    AVFrame* f = av_frame_alloc();
    uint8_t* b = static_cast<uint8_t*>(av_mallocz(size));
    if (!f || !b) {
        av_frame_free(&f);
        av_free(b);
        return;
    }
    av_image_fill_arrays(f->data, f->linesize, b, pixelFormat, width, height, 1);
    f->format = pixelFormat;
    f->width = width;
    f->height = height;
    *frame = f;
    *buffer = b;
}

// The g_rRecord2 area of a whole captured YUV420P picture into m_pFrame: luma rows from
// (left, top), each chroma plane at half the width and height from (left/2, top/2).
bool CSaveVideoFileThread::CopyCrop(const AVFrame* picture) {
    const RECT& r = g_rRecord2;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (!picture || picture->format != AV_PIX_FMT_YUV420P || w != m_pFrame->width || h != m_pFrame->height ||
        r.left < 0 || r.top < 0 || r.right > picture->width || r.bottom > picture->height) {
        LogFile("CSaveVideoFileThread::HandlefFrame1", "picture does not hold the record area");
        return false;
    }
    for (int plane = 0; plane < 3; ++plane) {
        const int shift = plane ? 1 : 0;
        const int rows = h >> shift, bytes = w >> shift;
        const uint8_t* src = picture->data[plane] + (r.top >> shift) * picture->linesize[plane] + (r.left >> shift);
        uint8_t* dst = m_pFrame->data[plane];
        for (int y = 0; y < rows; ++y)
            memcpy(dst + y * m_pFrame->linesize[plane], src + y * picture->linesize[plane], bytes);
    }
    return true;
}

bool CSaveVideoFileThread::HandlefFrame1(const AVFrame* picture, int64_t time, AVRational inTimeBase) {
    std::shared_lock<std::shared_mutex> file(m_fileLock);
    if (!m_bOpen || !m_oc || !m_vCtx || !m_s1 || !m_pFrame || time < 0 || inTimeBase.den <= 0) return false;
    if (!CopyCrop(picture)) return false;
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

#include "engine/writer_audio_encoder.h"

#include <sstream>

#include "common/logger.h"
#include "common/text_convert.h"
#include "engine/writer.h"

namespace {

AVSampleFormat ChooseSampleFormat(const AVCodec* codec, AVCodecID codecId) {
    const AVSampleFormat* formats = codec->sample_fmts;
    if (!formats || formats[0] == AV_SAMPLE_FMT_NONE) return AV_SAMPLE_FMT_S16;
    if (codecId != AV_CODEC_ID_MP3) return formats[0];
    int n = 0;
    while (formats[n] != AV_SAMPLE_FMT_NONE && n < 3) ++n;
    return formats[n - 1];
}

}  // namespace

int64_t ParseAudioBitrate(const std::wstring& text) {
    std::wistringstream in(text);
    int32_t value = 0;
    if (!(in >> value) || value < kLowestAudioBitrate || value > kHighestAudioBitrate) {
        LogBoth("CSaveVideoFileThread::HandleoStream", "[ABitrate]%s unusable: %d is used", WideToUtf8(text).c_str(),
                kDefaultAudioBitrate);
        value = kDefaultAudioBitrate;
    }
    return static_cast<int64_t>(value) * 1024;
}

bool acoHandle(AVFormatContext* oc, AVCodecContext** ctx, const AVCodec** codec, AVCodecID codecId, int channels,
               int sampleRate, int64_t bitRate) {
    const char* where = "CSaveVideoFileThread::acoHandle";
    if (channels <= 0 || sampleRate <= 0 || bitRate <= 0) {
        LogBoth(where, "[channels]%d [sample_rate]%d [bit_rate]%lld error", channels, sampleRate,
                static_cast<long long>(bitRate));
        return false;
    }
    *codec = avcodec_find_encoder(codecId);
    if (!*codec) {
        LogBoth(where, "!*aCodec error");
        return false;
    }
    AVCodecContext* c = avcodec_alloc_context3(*codec);
    if (!c) return false;
    av_channel_layout_default(&c->ch_layout, channels);
    c->sample_fmt = ChooseSampleFormat(*codec, codecId);
    c->bit_rate = bitRate;
    c->time_base = AVRational{1, sampleRate};
    c->sample_rate = sampleRate;
    if (codecId == AV_CODEC_ID_MP3 || codecId == AV_CODEC_ID_AAC) c->strict_std_compliance = FF_COMPLIANCE_EXPERIMENTAL;
    if (oc->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int ret = avcodec_open2(c, *codec, nullptr);
    if (ret < 0) {
        LogBoth(where, "[ret]%d error", ret);
        avcodec_free_context(&c);
        return false;
    }
    *ctx = c;
    return true;
}

// Encodes one frame of the encoder's format at `time` of inTimeBase and frees it.
// The encoder's own timestamps (which carry its delay) go to the stream; times that
// would not move forward are pushed on by one unit.
void CSaveVideoFileThread::HandlefFrame2(AVFrame** frame, int64_t time, AVRational inTimeBase) {
    const char* where = "CSaveVideoFileThread::HandlefFrame2";
    if (!m_aCtx || !m_s2 || !*frame) {
        av_frame_free(frame);
        return;
    }
    if ((*frame)->nb_samples != m_aCtx->frame_size) {
        // Only a last frame may be short; one in the middle would end the stream.
        LogFile(where, "[nb_samples]%d [frame_size]%d dropped", (*frame)->nb_samples, m_aCtx->frame_size);
        av_frame_free(frame);
        return;
    }
    int64_t pts = av_rescale_q(time, inTimeBase, m_aCtx->time_base);
    if (m_lastAudioFramePts != AV_NOPTS_VALUE && pts <= m_lastAudioFramePts) pts = m_lastAudioFramePts + 1;
    m_lastAudioFramePts = pts;
    (*frame)->pts = pts;
    int ret = avcodec_send_frame(m_aCtx, *frame);
    av_frame_free(frame);
    if (ret < 0) {
        LogBoth(where, "[ret]%d error", ret);
        return;
    }
    ReceiveAudioPackets();
}

bool CSaveVideoFileThread::ReceiveAudioPackets() {
    AVPacket* pkt = av_packet_alloc();
    if (!pkt) return false;
    bool ok = true;
    while (avcodec_receive_packet(m_aCtx, pkt) == 0) {
        av_packet_rescale_ts(pkt, m_aCtx->time_base, m_s2->time_base);
        pkt->stream_index = m_s2->index;
        ok = WritePacket(pkt) && ok;
        av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
    return ok;
}

void CSaveVideoFileThread::DrainAudio() {
    if (!m_aCtx || !m_s2) return;
    if (avcodec_send_frame(m_aCtx, nullptr) == 0) ReceiveAudioPackets();
}

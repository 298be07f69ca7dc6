#include "engine/writer_sound_convert.h"

#include "common/logger.h"

AudioFormat InputFormat(const AudioInputParams& p) {
    return {p.channels, static_cast<AVSampleFormat>(p.sample_fmt), p.in_sample_rate, p.channel_layout};
}

AudioFormat InputFormatAtOutputRate(const AudioInputParams& p) {
    AudioFormat f = InputFormat(p);
    f.sampleRate = p.out_sample_rate;
    return f;
}

AudioFormat FrameFormat(const AVFrame* frame) {
    AudioFormat f;
    f.channels = frame->ch_layout.nb_channels;
    f.sampleFmt = static_cast<AVSampleFormat>(frame->format);
    f.sampleRate = frame->sample_rate;
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_NATIVE) f.channelMask = frame->ch_layout.u.mask;
    return f;
}

AVChannelLayout LayoutOf(const AudioFormat& f) {
    AVChannelLayout layout{};
    if (f.channelMask && av_popcount64(f.channelMask) == f.channels &&
        av_channel_layout_from_mask(&layout, f.channelMask) == 0)
        return layout;
    av_channel_layout_default(&layout, f.channels);
    return layout;
}

AVFrame* AllocAudioFrame(const AudioFormat& f, int samples) {
    if (samples <= 0 || f.channels <= 0) return nullptr;
    AVFrame* frame = av_frame_alloc();
    if (!frame) return nullptr;
    frame->format = f.sampleFmt;
    frame->sample_rate = f.sampleRate;
    frame->nb_samples = samples;
    frame->ch_layout = LayoutOf(f);
    if (av_frame_get_buffer(frame, 0) < 0) av_frame_free(&frame);
    return frame;
}

AVFrame* AllocSilenceFrame(const AudioFormat& f, int samples) {
    AVFrame* frame = AllocAudioFrame(f, samples);
    if (frame) av_samples_set_silence(frame->extended_data, 0, samples, f.channels, f.sampleFmt);
    return frame;
}

bool CResampler::Open(const AudioFormat& in, const AudioFormat& out) {
    Free();
    AVChannelLayout inLayout = LayoutOf(in), outLayout = LayoutOf(out);
    int ret = swr_alloc_set_opts2(&swr_, &outLayout, out.sampleFmt, out.sampleRate, &inLayout, in.sampleFmt,
                                  in.sampleRate, 0, nullptr);
    if (ret >= 0) ret = swr_init(swr_);
    if (ret < 0) {
        LogBoth("CResampler::Open", "[in_rate]%d [in_ch]%d [out_rate]%d [out_ch]%d [ret]%d error", in.sampleRate,
                in.channels, out.sampleRate, out.channels, ret);
        Free();
        return false;
    }
    in_ = in;
    out_ = out;
    return true;
}

void CResampler::Free() { swr_free(&swr_); }

AVFrame* CResampler::Convert(const AVFrame* frame) {
    if (!swr_ || !frame) return nullptr;
    if (FrameFormat(frame) != in_) {
        LogFile("CResampler::Convert", "[format]%d [channels]%d [rate]%d not the converter's input", frame->format,
                frame->ch_layout.nb_channels, frame->sample_rate);
        return nullptr;
    }
    const int64_t delay = swr_get_delay(swr_, in_.sampleRate);
    const int room =
        static_cast<int>(av_rescale_rnd(delay + frame->nb_samples, out_.sampleRate, in_.sampleRate, AV_ROUND_UP));
    AVFrame* out = AllocAudioFrame(out_, room > 0 ? room : 1);
    if (!out) return nullptr;
    int got = swr_convert(swr_, out->extended_data, room, const_cast<const uint8_t**>(frame->extended_data),
                          frame->nb_samples);
    if (got < 0) {
        LogFile("CResampler::Convert", "[ret]%d error", got);
        av_frame_free(&out);
        return nullptr;
    }
    out->nb_samples = got;  // what the converter gave back, not the room offered
    return out;
}

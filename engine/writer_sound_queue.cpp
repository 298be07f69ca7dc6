#include "engine/writer_sound_queue.h"

#include <cstdint>
#include <vector>

#include "common/logger.h"

bool CSoundQueue::Alloc(int channels) {
    std::lock_guard<std::mutex> guard(lock_);
    if (fifo_) av_audio_fifo_free(fifo_);
    fifo_ = av_audio_fifo_alloc(AV_SAMPLE_FMT_S16, channels, 1);
    channels_ = fifo_ ? channels : 0;
    return fifo_ != nullptr;
}

int CSoundQueue::Free() {
    std::lock_guard<std::mutex> guard(lock_);
    int left = fifo_ ? av_audio_fifo_size(fifo_) : 0;
    if (fifo_) av_audio_fifo_free(fifo_);
    fifo_ = nullptr;
    channels_ = 0;
    return left;
}

bool CSoundQueue::Exists() {
    std::lock_guard<std::mutex> guard(lock_);
    return fifo_ != nullptr;
}

int CSoundQueue::Channels() {
    std::lock_guard<std::mutex> guard(lock_);
    return channels_;
}

int CSoundQueue::Size() {
    std::lock_guard<std::mutex> guard(lock_);
    return fifo_ ? av_audio_fifo_size(fifo_) : 0;
}

int CSoundQueue::Write(const AVFrame* frame, int skip) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!fifo_ || !frame || frame->format != AV_SAMPLE_FMT_S16 || frame->ch_layout.nb_channels != channels_ ||
        skip < 0 || skip > frame->nb_samples)
        return -1;
    const int before = av_audio_fifo_size(fifo_);
    void* data[1] = {frame->extended_data[0] + static_cast<size_t>(skip) * channels_ * sizeof(int16_t)};
    const int count = frame->nb_samples - skip;
    int written = count > 0 ? av_audio_fifo_write(fifo_, data, count) : 0;
    if (written < count) {
        // keep the queue as it was: a partial frame would shift every later sample
        if (written > 0) {
            std::vector<int16_t> keep(static_cast<size_t>(before) * channels_);
            void* dst[1] = {keep.data()};
            av_audio_fifo_peek(fifo_, dst, before);
            av_audio_fifo_reset(fifo_);
            av_audio_fifo_write(fifo_, dst, before);
        }
        return -1;
    }
    return before;
}

bool CSoundQueue::AppendSilence(int64_t n) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!fifo_ || n <= 0 || n > INT32_MAX) return false;
    std::vector<int16_t> silence(static_cast<size_t>(n) * channels_, 0);
    void* s[1] = {silence.data()};
    return av_audio_fifo_write(fifo_, s, static_cast<int>(n)) == n;
}

int64_t CSoundQueue::Align(int64_t n) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!fifo_ || n == 0) return n;
    if (n < 0) {
        const int size = av_audio_fifo_size(fifo_);
        const int drop = -n < size ? static_cast<int>(-n) : size;
        av_audio_fifo_drain(fifo_, drop);
        return n + drop;
    }
    // Silence in front: take out what is queued, put the silence in, then the rest.
    const int size = av_audio_fifo_size(fifo_);
    std::vector<int16_t> queued(static_cast<size_t>(size) * channels_);
    std::vector<int16_t> silence(static_cast<size_t>(n) * channels_, 0);
    void* q[1] = {queued.data()};
    void* s[1] = {silence.data()};
    if (size > 0) av_audio_fifo_read(fifo_, q, size);
    if (av_audio_fifo_write(fifo_, s, static_cast<int>(n)) < n) {
        av_audio_fifo_reset(fifo_);
        av_audio_fifo_write(fifo_, q, size);
        return n;
    }
    if (size > 0) av_audio_fifo_write(fifo_, q, size);
    return 0;
}

AVFrame* CSoundQueue::ReadFrame(int samples, int sampleRate) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!fifo_ || samples <= 0 || av_audio_fifo_size(fifo_) < samples) return nullptr;
    AVFrame* frame = av_frame_alloc();
    if (!frame) return nullptr;
    frame->format = AV_SAMPLE_FMT_S16;
    frame->sample_rate = sampleRate;
    frame->nb_samples = samples;
    av_channel_layout_default(&frame->ch_layout, channels_);
    if (av_frame_get_buffer(frame, 0) < 0 ||
        av_audio_fifo_read(fifo_, reinterpret_cast<void**>(frame->extended_data), samples) < samples)
        av_frame_free(&frame);
    return frame;
}

int CSoundQueue::Peek(int16_t* dst, int samples) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!fifo_) return 0;
    void* data[1] = {dst};
    int got = av_audio_fifo_peek(fifo_, data, samples);
    return got < 0 ? 0 : got;
}

void CSoundQueue::Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    if (fifo_) av_audio_fifo_reset(fifo_);
}

int64_t HeaTimInAFi(int queued, int64_t pts, int queuedBefore, int64_t lastTime, int frameSize, int sampleRate,
                    AVRational timeBase) {
    if (queued < frameSize || sampleRate <= 0) return kNoHeadTime;
    int64_t head = pts - av_rescale_q(queuedBefore, AVRational{1, sampleRate}, timeBase);
    if (head < lastTime) {
        LogFile("CSaveVideoFileThread::HeaTimInAFi", "[fifo_head_time]%lld [last_time]%lld",
                static_cast<long long>(head), static_cast<long long>(lastTime));
        head = lastTime + kHeadTimeStep;
    }
    return head;
}

int64_t SamplesForTime(int64_t t, int sampleRate, AVRational timeBase) {
    if (timeBase.den <= 0) return 0;
    const int64_t magnitude =
        av_rescale_rnd(t < 0 ? -t : t, static_cast<int64_t>(sampleRate) * timeBase.num, timeBase.den, AV_ROUND_ZERO);
    return t < 0 ? -magnitude : magnitude;
}

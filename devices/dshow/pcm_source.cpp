#include "devices/dshow/pcm_source.h"

#include "devices/dshow/media_type.h"

#include <algorithm>
#include <vector>

CPcmSource::CPcmSource(int rate, int channels) : rate_(rate), channels_(channels) {}

bool CPcmSource::GetFormat(AM_MEDIA_TYPE& type) const { return MakePcm16AudioType(rate_, channels_, type); }

int CPcmSource::CapsSize() const { return sizeof(AUDIO_STREAM_CONFIG_CAPS); }

void CPcmSource::GetCaps(BYTE* caps) const {
    FillPcm16AudioCaps(rate_, channels_, *reinterpret_cast<AUDIO_STREAM_CONFIG_CAPS*>(caps));
}

HRESULT CPcmSource::CheckFormat(const AM_MEDIA_TYPE& type) const {
    const WAVEFORMATEX* wave = WaveFormatOf(type);
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Audio) || !IsEqualGUID(type.subtype, MEDIASUBTYPE_PCM) || !wave)
        return VFW_E_TYPE_NOT_ACCEPTED;
    bool same = wave->wFormatTag == WAVE_FORMAT_PCM && wave->nChannels == channels_ &&
                wave->nSamplesPerSec == DWORD(rate_) && wave->wBitsPerSample == 16;
    return same ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

ALLOCATOR_PROPERTIES CPcmSource::BufferNeeds() const {
    ALLOCATOR_PROPERTIES props{};
    props.cBuffers = 8;
    props.cbBuffer = long(rate_ / 10) * channels_ * 2;  // 100 ms
    props.cbAlign = 1;
    return props;
}

bool CPcmSource::DeliverFrames(SampleSink& sink, PcmTimeline& timeline, const int16_t* samples, uint64_t frames) {
    const long frame_bytes = channels_ * 2;
    const uint64_t per_block = uint64_t(std::max(sink.MaxBlockSize() / frame_bytes, 1L));
    while (frames > 0) {
        uint64_t n = std::min(frames, per_block);
        REFERENCE_TIME start = timeline.End();
        REFERENCE_TIME stop = timeline.TimeOfFrame(timeline.Frames() + n);
        if (!sink.Deliver(reinterpret_cast<const BYTE*>(samples), long(n) * frame_bytes, start, stop)) return false;
        timeline.Advance(n);
        samples += n * uint64_t(channels_);
        frames -= n;
    }
    return true;
}

bool CPcmSource::DeliverSilence(SampleSink& sink, PcmTimeline& timeline, uint64_t frames) {
    static const std::vector<int16_t> zeros(48000 * 2);  // up to 1 s of stereo at once
    const uint64_t per_call = zeros.size() / uint64_t(channels_);
    while (frames > 0) {
        uint64_t n = std::min(frames, per_call);
        if (!DeliverFrames(sink, timeline, zeros.data(), n)) return false;
        frames -= n;
    }
    return true;
}

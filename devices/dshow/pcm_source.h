// A source of interleaved 16-bit PCM at one rate and channel count, delivered
// in blocks stamped from a PcmTimeline.
#pragma once

#include "devices/dshow/capture_source.h"
#include "devices/dshow/pcm_timeline.h"

#include <cstdint>

class CPcmSource : public CaptureSource {
public:
    CPcmSource(int rate, int channels);

    bool GetFormat(AM_MEDIA_TYPE& type) const override;
    int CapsSize() const override;
    void GetCaps(BYTE* caps) const override;
    HRESULT CheckFormat(const AM_MEDIA_TYPE& type) const override;
    void SetFormat(const AM_MEDIA_TYPE&) override {}  // the one format it has
    ALLOCATOR_PROPERTIES BufferNeeds() const override;

    int Rate() const { return rate_; }
    int Channels() const { return channels_; }

protected:
    // Sends `frames` frames at the end of the time line, split to the buffer
    // size, and advances it. false when the stream must end.
    bool DeliverFrames(SampleSink& sink, PcmTimeline& timeline, const int16_t* samples, uint64_t frames);
    // The same with silence.
    bool DeliverSilence(SampleSink& sink, PcmTimeline& timeline, uint64_t frames);

    static constexpr REFERENCE_TIME kBlockDuration = 100000;  // 10 ms between blocks

private:
    int rate_;
    int channels_;
};

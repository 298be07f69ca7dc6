// A video source of fixed-size bottom-up RGB32 frames at a steady rate. Each
// frame is stamped with its slot on the stream clock; a frame that cannot be
// made in its slot is skipped, never sent late.
#pragma once

#include "devices/dshow/capture_source.h"

struct VideoFormat {
    int width;
    int height;
    REFERENCE_TIME frame_interval;  // 100 ns units
};

class CPacedVideoSource : public CaptureSource {
public:
    explicit CPacedVideoSource(const VideoFormat& format);

    bool GetFormat(AM_MEDIA_TYPE& type) const override;
    int CapsSize() const override;
    void GetCaps(BYTE* caps) const override;
    HRESULT CheckFormat(const AM_MEDIA_TYPE& type) const override;
    void SetFormat(const AM_MEDIA_TYPE&) override {}  // the one format it has
    ALLOCATOR_PROPERTIES BufferNeeds() const override;
    void Stream(SampleSink& sink) override;

    const VideoFormat& Format() const { return format_; }
    long FrameBytes() const { return long(format_.width) * format_.height * 4; }

protected:
    // The frame for the slot starting at `time`: FrameBytes() bytes, bottom row
    // first. Called on the streaming thread.
    virtual const BYTE* RenderFrame(REFERENCE_TIME time) = 0;

private:
    VideoFormat format_;
};

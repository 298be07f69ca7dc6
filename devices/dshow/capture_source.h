// What a capture pin needs from the thing it captures, and what the pin's
// streaming thread offers that thing in return.
#pragma once

#include "devices/dshow/dshow_api.h"

// Offered to CaptureSource::Stream on the pin's streaming thread.
class SampleSink {
public:
    // The stream clock: the graph's reference clock minus the start time given to
    // Run, in 100 ns units. Negative until the start time is reached.
    virtual REFERENCE_TIME Now() = 0;
    // Blocks until Now() reaches `time`; false as soon as the stream must end
    // (the filter paused or stopped).
    virtual bool WaitUntil(REFERENCE_TIME time) = 0;
    // Copies `size` bytes into a media sample stamped [start, stop) and sends it
    // downstream. false when the stream must end (stopping, or refused).
    virtual bool Deliver(const BYTE* data, long size, REFERENCE_TIME start, REFERENCE_TIME stop) = 0;
    // The most bytes one Deliver takes: the negotiated buffer size.
    virtual long MaxBlockSize() const = 0;

protected:
    ~SampleSink() = default;
};

// One stream of one format. Format calls come on the graph's threads, under the
// filter's lock; Stream runs on the streaming thread while the filter runs.
class CaptureSource {
public:
    virtual ~CaptureSource() = default;

    // The format delivered now; fills an empty record (format block CoTaskMemAlloc'ed).
    virtual bool GetFormat(AM_MEDIA_TYPE& type) const = 0;
    // The one capability record: VIDEO_STREAM_CONFIG_CAPS or AUDIO_STREAM_CONFIG_CAPS.
    virtual int CapsSize() const = 0;
    virtual void GetCaps(BYTE* caps) const = 0;
    // S_OK when the type can be delivered.
    virtual HRESULT CheckFormat(const AM_MEDIA_TYPE& type) const = 0;
    // Adopts a type that CheckFormat accepted.
    virtual void SetFormat(const AM_MEDIA_TYPE& type) = 0;
    // Buffer count and size for the sample allocator.
    virtual ALLOCATOR_PROPERTIES BufferNeeds() const = 0;

    // Delivers samples until a sink call returns false. Called again at every Run.
    virtual void Stream(SampleSink& sink) = 0;
};

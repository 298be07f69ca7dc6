#include "devices/dshow/paced_video_source.h"

#include "devices/dshow/media_type.h"

#include <algorithm>
#include <mmsystem.h>

CPacedVideoSource::CPacedVideoSource(const VideoFormat& format) : format_(format) {}

bool CPacedVideoSource::GetFormat(AM_MEDIA_TYPE& type) const {
    return MakeRgb32VideoType(format_.width, format_.height, format_.frame_interval, type);
}

int CPacedVideoSource::CapsSize() const { return sizeof(VIDEO_STREAM_CONFIG_CAPS); }

void CPacedVideoSource::GetCaps(BYTE* caps) const {
    FillRgb32VideoCaps(format_.width, format_.height, format_.frame_interval,
                       *reinterpret_cast<VIDEO_STREAM_CONFIG_CAPS*>(caps));
}

HRESULT CPacedVideoSource::CheckFormat(const AM_MEDIA_TYPE& type) const {
    const VIDEOINFOHEADER* info = VideoInfoOf(type);
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Video) || !IsEqualGUID(type.subtype, MEDIASUBTYPE_RGB32) || !info)
        return VFW_E_TYPE_NOT_ACCEPTED;
    const BITMAPINFOHEADER& bmi = info->bmiHeader;
    bool same_picture = bmi.biWidth == format_.width && bmi.biHeight == format_.height && bmi.biBitCount == 32 &&
                        bmi.biCompression == BI_RGB;
    bool same_rate = info->AvgTimePerFrame == 0 || info->AvgTimePerFrame == format_.frame_interval;
    return same_picture && same_rate ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

ALLOCATOR_PROPERTIES CPacedVideoSource::BufferNeeds() const {
    ALLOCATOR_PROPERTIES props{};
    props.cBuffers = 3;
    props.cbBuffer = FrameBytes();
    props.cbAlign = 1;
    return props;
}

void CPacedVideoSource::Stream(SampleSink& sink) {
    const REFERENCE_TIME interval = format_.frame_interval;
    // Sleeps in 1 ms steps rather than the scheduler's default 15.6 ms, so that
    // frames leave on their slots.
    timeBeginPeriod(1);
    REFERENCE_TIME due = std::max<REFERENCE_TIME>(sink.Now(), 1);
    while (sink.WaitUntil(due)) {
        REFERENCE_TIME late = sink.Now() - due;
        if (late >= interval) due += late / interval * interval;  // skip the slots already missed
        const BYTE* frame = RenderFrame(due);
        if (!frame || !sink.Deliver(frame, FrameBytes(), due, due + interval)) break;
        due += interval;
    }
    timeEndPeriod(1);
}

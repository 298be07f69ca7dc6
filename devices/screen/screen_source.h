// The source behind "screen-capture-recorder": the desktop area of the
// registry values, at their frame rate, as 32-bit RGB.
#pragma once

#include "devices/dshow/paced_video_source.h"
#include "devices/screen/screen_grabber.h"
#include "devices/screen/screen_settings.h"

#include <memory>

class CScreenSource final : public CPacedVideoSource {
public:
    explicit CScreenSource(const ScreenCaptureSettings& settings);
    // Reads the registry values now, as the device is opened.
    static std::unique_ptr<CaptureSource> Create();

protected:
    const BYTE* RenderFrame(REFERENCE_TIME time) override;

private:
    ScreenCaptureSettings settings_;
    CScreenGrabber grabber_;
};

#include "devices/screen/screen_source.h"

#include <new>

namespace {

VideoFormat FormatOf(const ScreenCaptureSettings& settings) {
    return {int(settings.area.right - settings.area.left), int(settings.area.bottom - settings.area.top),
            10000000 / settings.frames_per_second};
}

}  // namespace

CScreenSource::CScreenSource(const ScreenCaptureSettings& settings)
    : CPacedVideoSource(FormatOf(settings)), settings_(settings), grabber_(settings.area) {}

std::unique_ptr<CaptureSource> CScreenSource::Create() {
    return std::unique_ptr<CaptureSource>(new (std::nothrow) CScreenSource(ReadScreenCaptureSettings()));
}

const BYTE* CScreenSource::RenderFrame(REFERENCE_TIME) {
    return grabber_.Grab(settings_.draw_mouse) ? grabber_.Bits() : nullptr;
}

#include "devices/dshow/pcm_timeline.h"

#include <algorithm>

void PcmTimeline::Restart(REFERENCE_TIME origin) {
    origin_ = origin;
    frames_ = 0;
}

REFERENCE_TIME PcmTimeline::TimeOfFrame(uint64_t frame) const {
    return origin_ + REFERENCE_TIME(frame / rate_ * 10000000 + frame % rate_ * 10000000 / rate_);
}

uint64_t PcmTimeline::FramesIn(REFERENCE_TIME span) const {
    if (span <= 0) return 0;
    uint64_t s = uint64_t(span);
    return s / 10000000 * rate_ + s % 10000000 * rate_ / 10000000;
}

uint64_t PcmTimeline::FramesUntil(REFERENCE_TIME time) const {
    uint64_t target = FramesIn(time - origin_);
    return target > frames_ ? target - frames_ : 0;
}

PcmTimeline::Placement PcmTimeline::Place(REFERENCE_TIME captured, uint64_t frames, REFERENCE_TIME tolerance) const {
    REFERENCE_TIME offset = captured - End();
    if (offset > tolerance) return {FramesIn(offset), 0};
    if (offset < -tolerance) return {0, std::min(frames, FramesIn(-offset))};
    return {0, 0};
}

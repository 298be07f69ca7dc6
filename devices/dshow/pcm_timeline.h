// The sample-exact time line of a PCM stream: frame n starts at
// origin + n / rate on the stream clock, so the stamps of consecutive blocks
// join without gaps or rounding drift.
#pragma once

#include "devices/dshow/dshow_api.h"

#include <cstdint>

class PcmTimeline {
public:
    explicit PcmTimeline(uint32_t rate) : rate_(rate) {}

    void Restart(REFERENCE_TIME origin);
    uint32_t Rate() const { return rate_; }
    uint64_t Frames() const { return frames_; }
    REFERENCE_TIME TimeOfFrame(uint64_t frame) const;
    REFERENCE_TIME End() const { return TimeOfFrame(frames_); }
    // Frames from End() up to `time`; 0 when End() is already there.
    uint64_t FramesUntil(REFERENCE_TIME time) const;
    void Advance(uint64_t frames) { frames_ += frames; }

    // Where a block of `frames` captured from `captured` on goes, against End():
    // within `tolerance` it follows on directly; later, silence fills the gap
    // first; earlier (its start already covered), its first frames are skipped.
    struct Placement {
        uint64_t silence_frames;
        uint64_t skip_frames;  // may be all of them
    };
    Placement Place(REFERENCE_TIME captured, uint64_t frames, REFERENCE_TIME tolerance) const;

private:
    uint64_t FramesIn(REFERENCE_TIME span) const;

    uint32_t rate_;
    REFERENCE_TIME origin_ = 0;
    uint64_t frames_ = 0;
};

// The PCM time line: exact stamps, and where captured blocks go against it.
#include "devices/dshow/pcm_timeline.h"

#include <gtest/gtest.h>

namespace {

TEST(PcmTimeline, StampsAreExactFrameTimes) {
    PcmTimeline line(44100);
    line.Restart(5);
    EXPECT_EQ(line.TimeOfFrame(0), 5);
    EXPECT_EQ(line.TimeOfFrame(441), 5 + 100000);
    EXPECT_EQ(line.TimeOfFrame(44100), 5 + 10000000);
    // A day of frames: no overflow, no drift.
    EXPECT_EQ(line.TimeOfFrame(uint64_t(44100) * 86400), 5 + int64_t(864000000000));
    EXPECT_EQ(line.FramesUntil(5 + 10000000), 44100u);
    line.Advance(44100);
    EXPECT_EQ(line.End(), 5 + 10000000);
    EXPECT_EQ(line.FramesUntil(5 + 10000000), 0u);
    EXPECT_EQ(line.FramesUntil(5), 0u);  // already past
}

TEST(PcmTimeline, CapturedBlocksAreFittedToTheLine) {
    const REFERENCE_TIME kTolerance = 400000;  // 40 ms
    struct Case {
        REFERENCE_TIME offset;  // captured time minus the line's end
        uint64_t frames;
        uint64_t silence, skip;
    };
    const Case cases[] = {
        {0, 480, 0, 0},            // follows on
        {300000, 480, 0, 0},       // 30 ms late: within the tolerance
        {-300000, 480, 0, 0},      // 30 ms early: within the tolerance
        {1000000, 480, 4800, 0},   // 100 ms late: the gap is silence
        {-500000, 4800, 0, 2400},  // 50 ms early: its first 50 ms were covered already
        {-1000000, 480, 0, 480},   // all of it lies before the end
    };
    for (const Case& c : cases) {
        PcmTimeline line(48000);
        line.Restart(1);
        line.Advance(48000);
        PcmTimeline::Placement place = line.Place(line.End() + c.offset, c.frames, kTolerance);
        EXPECT_EQ(place.silence_frames, c.silence) << "offset " << c.offset;
        EXPECT_EQ(place.skip_frames, c.skip) << "offset " << c.offset;
    }
}

}  // namespace

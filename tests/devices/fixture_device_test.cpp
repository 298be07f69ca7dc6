// The fixture devices deliver what tests/fixtures/fixture_devices.h promises.
#include "tests/devices/sound_capture.h"
#include "tests/fixtures/fixture_devices.h"

#include <gtest/gtest.h>

using namespace device_testing;
using namespace fixture_devices;

namespace {

TEST(ToneFixture, DeliversTheDocumentedSine) {
    SoundCapture capture;
    ASSERT_TRUE(CaptureSound(std::string("audio=") + kToneDeviceName, 0.1, 1.0, capture));
    EXPECT_EQ(capture.rate, kToneSampleRate);
    EXPECT_EQ(capture.channels, kToneChannels);
    EXPECT_NEAR(ToneAmplitude(capture.samples, 1, 0, capture.rate, kToneFrequencyHz), kTonePeak, kTonePeak * 0.02);
    EXPECT_LT(ToneAmplitude(capture.samples, 1, 0, capture.rate, 1000), kTonePeak * 0.01);
    EXPECT_NEAR(PeakLevel(capture.samples), kTonePeak, 2);
    EXPECT_NEAR(MeasuredRate(capture), kToneSampleRate, kToneSampleRate * 0.02);
    EXPECT_TRUE(BlocksAreContiguous(capture, 1));
}

// Frame index modulo the pattern's period that the picture shows; -1 when none fits.
int PatternPhase(const Picture& picture) {
    const int period = kPatternWidth / kPatternStepPixels;
    for (int n = 0; n < period; ++n) {
        bool fits = true;
        for (int x = 0; x < kPatternWidth && fits; ++x)
            for (int y : {0, kPatternHeight / 2, kPatternHeight - 1})
                fits = fits && picture.At(x, y) == PatternColourAt(x, n);
        if (fits) return n;
    }
    return -1;
}

TEST(PatternCamera, BarsMoveOneStepEachFrameInterval) {
    DshowInput input;
    ASSERT_EQ(input.Open(std::string("video=") + kPatternCameraName), 0);
    EXPECT_EQ(input.Params()->width, kPatternWidth);
    EXPECT_EQ(input.Params()->height, kPatternHeight);
    const int64_t interval = 10000000 / kPatternFramesPerSecond;
    const int period = kPatternWidth / kPatternStepPixels;
    Picture before, after;
    ASSERT_TRUE(input.ReadPicture(before));
    int phase = PatternPhase(before);
    ASSERT_GE(phase, 0) << "not the documented bars";
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(input.ReadPicture(after));
        int next = PatternPhase(after);
        ASSERT_GE(next, 0);
        int64_t frames = (after.pts - before.pts) / interval;
        EXPECT_EQ(next, int((phase + frames) % period));
        EXPECT_GT(after.pts, before.pts);
        phase = next;
        before = after;
    }
}

}  // namespace

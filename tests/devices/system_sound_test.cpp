// "virtual-audio-capturer" opened through FFmpeg's dshow input: what plays
// into the test environment's null sink arrives; silence keeps the rate.
#include "tests/devices/clock_probe.h"
#include "tests/devices/sink_tone.h"
#include "tests/devices/sound_capture.h"
#include "tests/fixtures/fixture_devices.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace device_testing;

namespace {

const char kSystemSoundUrl[] = "audio=virtual-audio-capturer";

TEST(SystemSound, DeliversStereo16BitPcm) {
    DshowInput input;
    ASSERT_EQ(input.Open(kSystemSoundUrl), 0);
    EXPECT_EQ(input.Params()->codec_id, AV_CODEC_ID_PCM_S16LE);
    EXPECT_EQ(input.Params()->ch_layout.nb_channels, 2);
    EXPECT_EQ(input.Params()->sample_rate, 44100);  // the null sink's rate
}

TEST(SystemSound, NothingPlayingGivesSilenceAtTheNominalRate) {
    SoundCapture capture;
    ASSERT_TRUE(CaptureSound(kSystemSoundUrl, 0.3, 2.0, capture));
    EXPECT_EQ(PeakLevel(capture.samples), 0);
    EXPECT_NEAR(MeasuredRate(capture), capture.rate, capture.rate * 0.02);
    EXPECT_TRUE(BlocksAreContiguous(capture, 10000));
}

TEST(SystemSound, SharesOneTimeLineWithADeviceOpenedLater) {
    ExpectOneTimeLine(kSystemSoundUrl, std::string("audio=") + fixture_devices::kToneDeviceName);
}

// Windows of 0.1 s of channel `channel` in which the tone stands at its level,
// the longest run of them in a row.
int LongestRunOfTone(const SoundCapture& capture, int channel, double frequency, int peak) {
    const size_t window = size_t(capture.rate / 10) * 2;
    int run = 0, longest = 0;
    for (size_t at = 0; at + window <= capture.samples.size(); at += window) {
        std::vector<int16_t> part(capture.samples.begin() + std::ptrdiff_t(at),
                                  capture.samples.begin() + std::ptrdiff_t(at + window));
        double tone = ToneAmplitude(part, 2, channel, capture.rate, frequency);
        double other = ToneAmplitude(part, 2, channel, capture.rate, frequency * 1.5);
        bool steady = std::abs(tone - peak) < peak * 0.05 && other < peak * 0.02;
        run = steady ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

// Last: the tone goes on for a moment after the test.
TEST(SystemSound, TonePlayedIntoTheSinkIsCaptured) {
    const double kFrequency = 1000;
    const int kPeak = 12000;
    SinkTone tone(kFrequency, kPeak, 4.0);
    if (!tone.Playing()) SKIP_OR_FAIL_IN_CI("paplay could not be started to play into the sink");
    SoundCapture capture;
    // The sink's monitor may take a second or two before anything comes through.
    ASSERT_TRUE(CaptureSound(kSystemSoundUrl, 0.0, 4.0, capture));
    for (int channel = 0; channel < 2; ++channel)
        EXPECT_GE(LongestRunOfTone(capture, channel, kFrequency, kPeak), 10) << "channel " << channel;
    EXPECT_TRUE(BlocksAreContiguous(capture, 10000));
}

}  // namespace

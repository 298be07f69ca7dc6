// Sound-only recordings through the recorder controller: system sound, and the test
// microphone alone.
#include <gtest/gtest.h>

#include "tests/engine/recorder_fixture.h"
#include "tests/engine/tone_player.h"
#include "tests/fixtures/fixture_devices.h"

namespace {

constexpr double kMinToneLevel = 0.02;

TEST_F(RecorderTest, SystemSoundAloneToMp3) {
    TonePlayer tone(kPlayedHz, 6);
    ASSERT_TRUE(tone.IsPlaying());
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {false, true, false}));
    StartRecording(*recorder, 2);
    Stop(*recorder);
    const std::wstring path = recorder->FinishedPath();
    EXPECT_EQ(path.substr(path.size() - 4), L".mp3");
    ProbedFile file = ProbeFile(path);
    ASSERT_TRUE(file.opened);
    EXPECT_EQ(file.format, "mp3");
    ASSERT_EQ(file.streams.size(), 1u);
    EXPECT_EQ(file.streams[0].codec, AV_CODEC_ID_MP3);
    EXPECT_NEAR(file.streams[0].Seconds(), 2, 0.5);
    EXPECT_GT(ToneLevel(DecodeSound(path), kPlayedHz, 0.4, 1.6), kMinToneLevel);
}

TEST_F(RecorderTest, MicrophoneAloneStartsOnlyItsSource) {
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {false, false, true}));
    EXPECT_TRUE(recorder->MicrophoneThread()->IsInputOpen());
    EXPECT_FALSE(recorder->ScreenThread()->IsInputOpen());
    EXPECT_FALSE(recorder->SystemSoundThread()->IsInputOpen());
    recorder->Start();
    EXPECT_TRUE(recorder->MicrophoneThread()->IsRunning());
    EXPECT_FALSE(recorder->ScreenThread()->IsRunning());
    EXPECT_FALSE(recorder->SystemSoundThread()->IsRunning());
    Record(*recorder, 2);
    Stop(*recorder);
    ProbedFile file = ProbeFile(recorder->FinishedPath());
    ASSERT_EQ(file.streams.size(), 1u);
    EXPECT_EQ(file.streams[0].codec, AV_CODEC_ID_MP3);
    EXPECT_EQ(file.streams[0].sampleRate, fixture_devices::kToneSampleRate);
    EXPECT_NEAR(file.streams[0].Seconds(), 2, 0.5);
    const DecodedSound sound = DecodeSound(recorder->FinishedPath());
    ExpectToneThroughout(sound, fixture_devices::kToneFrequencyHz, 0.2, 1.8, kMinToneLevel);
}

}  // namespace

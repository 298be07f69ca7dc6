// Sound: mixing, alignment of the two sources, conversion, pauses.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/writer_sound_mixer.h"
#include "tests/engine/media_probe.h"
#include "tests/engine/writer_harness.h"

using testing_support::TempDir;

namespace {

std::vector<int16_t> Mix(const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
    std::vector<int16_t> out(a.size());
    const uint8_t* const sources[2] = {reinterpret_cast<const uint8_t*>(a.data()),
                                       reinterpret_cast<const uint8_t*>(b.data())};
    mix_audio_s16(sources, reinterpret_cast<uint8_t*>(out.data()), 2, static_cast<int>(a.size() * 2));
    return out;
}

TEST(MixAudioS16, AddsSamplesAndLimitsWithARecoveringGain) {
    struct Case {
        std::vector<int16_t> a, b, expected;
    } cases[] = {
        {{1000, -2000, 0}, {500, 700, -3}, {1500, -1300, -3}},
        // 65534 clips to 32767: the gain drops to 0.5 and recovers by a 32nd of the gap
        // at every sample (0.515625, then 0.5307...).
        {{32767, 8000, 8000}, {32767, 8000, 8000}, {32767, 8250, 8492}},
        {{-32768, -8000}, {-32768, -8000}, {-32768, -8250}},
    };
    for (const Case& c : cases) EXPECT_EQ(Mix(c.a, c.b), c.expected);
}

TEST(MixAudioS16, GainRisesBackTowardsOneAndStartsAtOneOnEveryCall) {
    std::vector<int16_t> a(301, 8000), b(301, 8000);
    a[0] = b[0] = 32767;
    std::vector<int16_t> out = Mix(a, b);
    for (size_t i = 2; i < out.size(); ++i) ASSERT_GE(out[i], out[i - 1]) << i;
    EXPECT_LT(out[1], 8500);
    EXPECT_GE(out[300], 15990);
    EXPECT_EQ(Mix({8000}, {8000}), std::vector<int16_t>{16000});
}

class SoundTest : public ::testing::Test {
protected:
    TempDir dir;
    TestSettings settings{dir.path()};
    RecordingOwner owner;
    FfmpegWarnings warnings;
};

// Leading all-zero sample frames of a queue, and how many frames it holds.
std::pair<int, int> QueueSilence(CSoundQueue& queue) {
    const int size = queue.Size(), channels = queue.Channels();
    std::vector<int16_t> samples(static_cast<size_t>(size) * channels);
    queue.Peek(samples.data(), size);
    int silent = 0;
    while (silent < size && samples[silent * channels] == 0 && samples[silent * channels + 1] == 0) ++silent;
    return {silent, size};
}

TEST_F(SoundTest, FirstFramesAreAlignedAgainstTheReferenceAtTheQueueHead) {
    struct Case {
        int32_t type;
        bool both;      // both sources recorded, else this one alone
        double offset;  // seconds after the reference
        int samples;
        int silence, queued;
    } cases[] = {
        {kSourceMicrophone, true, +0.010, 441, 441, 882},
        {kSourceMicrophone, true, -0.010, 882, 0, 441},
        {kSourceSystemSound, true, +0.010, 441, 441, 882},
        {kSourceSystemSound, true, -0.010, 882, 0, 441},
        // One source alone is aligned the same way: sound captured before the reference
        // (the first picture, or a resume) is not put at the reference.
        {kSourceSystemSound, false, +0.010, 441, 441, 882},
        {kSourceSystemSound, false, -0.010, 882, 0, 441},
    };
    g_userSelMode = kSelModeSoundOnly;
    FakeInput input;
    for (const Case& c : cases) {
        std::vector<SoundFeed> sounds = {{kSourceSystemSound, 44100, 2}};
        if (c.both) sounds.push_back({kSourceMicrophone, 44100, 1});
        WriterSetup setup{dir.File(L"align.mp3"), AV_CODEC_ID_MP3, false, false, RECT{}, sounds};
        bool opened = false;
        auto writer = OpenWriter(setup, &owner, &opened);
        ASSERT_TRUE(opened);
        writer->_wfi_fip_up2(kCaptureStart);
        writer->InAli(kCaptureStart, true, c.both);
        const int channels = c.type == kSourceMicrophone ? 1 : 2;
        AVFrame* frame = MakeTone(44100, channels, AV_SAMPLE_FMT_S16, c.samples, 0, 0, 0.25);
        writer->paToL(frame, kCaptureStart + CaptureTicks(c.offset), c.type, input.get(), 0);
        av_frame_free(&frame);
        auto [silence, queued] = QueueSilence(writer->SoundQueue(c.type));
        EXPECT_EQ(silence, c.silence) << c.type << " " << c.both << " " << c.offset;
        EXPECT_EQ(queued, c.queued) << c.type << " " << c.both << " " << c.offset;
        writer->coPutFun();
    }
}

TEST_F(SoundTest, TwoSourcesAtDifferentRatesMixIntoOneCleanTrack) {
    const SoundFeed system{kSourceSystemSound, 48000, 2, AV_SAMPLE_FMT_S16, 1000, 0.3};
    const SoundFeed mic{kSourceMicrophone, 44100, 1, AV_SAMPLE_FMT_S16, 2500, 0.3};
    WriterSetup setup{dir.File(L"mix.mp4")};
    setup.sounds = {system, mic};
    ASSERT_GE(RecordFile(setup, &owner, 2.5), 0);

    ProbedFile file = ProbeFile(setup.name);
    const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
    ASSERT_TRUE(audio);
    EXPECT_EQ(file.streams.size(), 2u);
    EXPECT_EQ(audio->sampleRate, 44100);
    EXPECT_TRUE(audio->DtsStrictlyIncreasing());
    EXPECT_NEAR(audio->Seconds(), 2.5, 0.1);
    for (const std::string& w : warnings.Take()) ADD_FAILURE() << "FFmpeg: " << w;

    DecodedSound sound = DecodeSound(setup.name);
    ASSERT_EQ(sound.sampleRate, 44100);
    ASSERT_FALSE(sound.channels.empty());
    const std::vector<float>& s = sound.channels[0];
    const size_t from = 22050, count = 44100;  // one second from 0.5 s on
    ASSERT_GE(s.size(), from + count);
    // The stereo mix goes to the microphone's one channel: the system sound's two equal
    // channels add at -3 dB each (0.3 x 2 x 0.707), the microphone was spread over both
    // at -3 dB and comes back whole.
    const double systemLevel = ToneAmplitude(s, 44100, 1000, from, count);
    const double micLevel = ToneAmplitude(s, 44100, 2500, from, count);
    EXPECT_NEAR(systemLevel, 0.3 * 2 * M_SQRT1_2, 0.03);
    EXPECT_NEAR(micLevel, 0.3, 0.03);
    // Nothing but the two tones: their power is all the power there is.
    const double rms = Rms(s, from, count);
    const double tones = std::sqrt((systemLevel * systemLevel + micLevel * micLevel) / 2);
    EXPECT_NEAR(rms, tones, 0.03 * tones);
    for (double hz : {440.0, 1700.0, 3300.0, 6000.0}) EXPECT_LT(ToneAmplitude(s, 44100, hz, from, count), 0.005) << hz;
}

TEST_F(SoundTest, SingleSourceInAnotherSampleFormatIsConvertedNotMisread) {
    g_userSelMode = kSelModeSoundOnly;
    for (AVSampleFormat format : {AV_SAMPLE_FMT_FLT, AV_SAMPLE_FMT_S32, AV_SAMPLE_FMT_S16P}) {
        const SoundFeed system{kSourceSystemSound, 44100, 2, format, 1000, 0.3};
        WriterSetup setup{dir.File(std::wstring(L"fmt") + std::to_wstring(format) + L".mp3"),
                          AV_CODEC_ID_MP3,
                          false,
                          false,
                          RECT{},
                          {system}};
        ASSERT_GE(RecordFile(setup, &owner, 1.5), 0);

        DecodedSound sound = DecodeSound(setup.name);
        ASSERT_EQ(sound.channels.size(), 2u) << format;
        const std::vector<float>& s = sound.channels[1];
        ASSERT_GE(s.size(), 11025u + 44100u);
        // The tone at its level, and no other power beside it.
        const double level = ToneAmplitude(s, 44100, 1000, 11025, 44100);
        EXPECT_NEAR(level, 0.3, 0.03) << format;
        EXPECT_NEAR(Rms(s, 11025, 44100), level * M_SQRT1_2, 0.02 * level) << format;
    }
}

// Packet-to-packet steps of a stream, in its time base.
std::vector<int64_t> Steps(const ProbedStream& s) {
    std::vector<int64_t> out;
    for (size_t i = 1; i < s.pts.size(); ++i) out.push_back(s.pts[i] - s.pts[i - 1]);
    return out;
}

TEST_F(SoundTest, PauseLeavesNoGapAndNoOverlap) {
    WriterSetup setup{dir.File(L"pause.mp4")};
    setup.sounds = {{kSourceSystemSound, 44100, 2}};
    EXPECT_EQ(RecordFile(setup, &owner, 3, 1.0, 2.0), 50);

    ProbedFile file = ProbeFile(setup.name);
    const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
    const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
    ASSERT_TRUE(video && audio);
    EXPECT_NEAR(video->Seconds(), 2.0, 0.04);
    EXPECT_NEAR(audio->Seconds(), 2.0, 0.05);
    const int64_t picture = av_rescale_q(1, AVRational{1, 25}, video->timeBase);
    for (int64_t step : Steps(*video)) EXPECT_EQ(step, picture);
    // Sound frames follow each other; the pause may only drop what was left over from
    // the last frame before it (less than one frame).
    const int64_t frame = av_rescale_q(1024, AVRational{1, 44100}, audio->timeBase);
    for (int64_t step : Steps(*audio)) {
        EXPECT_GE(step, frame);
        EXPECT_LT(step, 2 * frame);
    }
    for (const std::string& w : warnings.Take()) ADD_FAILURE() << "FFmpeg: " << w;
}

// A source of a two-source mix that stops delivering is filled with silence once it
// lies the stall limit behind its partner: the partner's sound goes on into the file,
// its queue stays short, and the log says so (and says when the source is back).
TEST_F(SoundTest, StalledSourceOfAMixIsFilledWithSilenceAndThePartnerGoesOn) {
    constexpr int kLimit = CSaveVideoFileThread::kMixSampleRate * CSaveVideoFileThread::kMixStallLimitMs / 1000;
    struct Case {
        int32_t stalled;
        double resume;  // capture second it delivers again; never when negative
        const char *stalledName, *partnerName;
        double partnerHz;
    } cases[] = {
        {kSourceMicrophone, -1, "[microphone]", "system sound", 1000},
        {kSourceSystemSound, -1, "[system sound]", "microphone", 2500},
        {kSourceMicrophone, 2.5, "[microphone]", "system sound", 1000},
    };
    for (const Case& c : cases) {
        LogCapture log(dir.File(L"stall" + std::to_wstring(&c - cases) + L".log"));
        SoundFeed system{kSourceSystemSound, 44100, 2, AV_SAMPLE_FMT_S16, 1000, 0.3};
        SoundFeed mic{kSourceMicrophone, 44100, 1, AV_SAMPLE_FMT_S16, 2500, 0.3};
        SoundFeed& stalled = c.stalled == kSourceMicrophone ? mic : system;
        stalled.until = 0.5;
        stalled.resume = c.resume;
        WriterSetup setup{dir.File(L"stall.mp4")};
        setup.sounds = {system, mic};
        bool opened = false;
        auto writer = OpenWriter(setup, &owner, &opened);
        ASSERT_TRUE(opened);
        CaptureScript script;
        script.sounds = setup.sounds;
        script.seconds = 4;
        RunCapture(*writer, script);
        // What waits for the stalled source is bounded by the limit, not by the stall.
        const int32_t partner = c.stalled == kSourceMicrophone ? kSourceSystemSound : kSourceMicrophone;
        EXPECT_LE(writer->QueuedSamples(partner), kLimit + 2048) << c.stalledName;
        writer->coPutFun();
        EXPECT_EQ(log.CountLines({c.stalledName, "filled with silence"}), 1) << c.stalledName;
        EXPECT_EQ(log.CountLines({c.stalledName, "delivers again after"}), c.resume < 0 ? 0 : 1) << c.stalledName;

        ProbedFile file = ProbeFile(setup.name);
        const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
        ASSERT_TRUE(audio) << c.stalledName;
        EXPECT_TRUE(audio->DtsStrictlyIncreasing()) << c.stalledName;
        // Up to the end but for what may wait at most the limit in the queues.
        EXPECT_GT(audio->Seconds(), 4.0 - CSaveVideoFileThread::kMixStallLimitMs / 1000.0 - 0.1) << c.stalledName;
        const DecodedSound sound = DecodeSound(setup.name);
        ASSERT_FALSE(sound.channels.empty());
        const std::vector<float>& samples = sound.channels[0];
        ASSERT_GE(samples.size(), size_t(44100 * 2.9)) << c.stalledName;
        // The partner plays on through the stall; the stalled source is silent in it
        // and, once back, is heard again.
        EXPECT_GT(ToneAmplitude(samples, 44100, c.partnerHz, 44100, 44100), 0.2) << c.partnerName;
        const double stalledHz = c.partnerHz == 1000 ? 2500 : 1000;
        EXPECT_LT(ToneAmplitude(samples, 44100, stalledHz, 44100, 44100), 0.01) << c.stalledName;
        if (c.resume > 0)
            EXPECT_GT(ToneAmplitude(samples, 44100, stalledHz, size_t(44100 * 2.6), 11025), 0.2) << c.stalledName;
        for (const std::string& w : warnings.Take()) ADD_FAILURE() << "FFmpeg: " << w;
        DeleteFileW(setup.name.c_str());
    }
}

// A system sound device whose sample clock runs a tenth slow or fast against the
// capture clock stays where its timestamps put it: the mix keeps the picture's length
// and the system sound's queue does not grow or run dry.
TEST_F(SoundTest, SystemSoundOnASlowOrFastClockStaysOnThePicturesClock) {
    constexpr int kTolerance = CSaveVideoFileThread::kMixSampleRate * CSaveVideoFileThread::kMixDriftToleranceMs / 1000;
    for (double clock : {0.9, 1.1}) {
        SoundFeed system{kSourceSystemSound, 44100, 2, AV_SAMPLE_FMT_S16, 1000, 0.3};
        system.clock = clock;
        const SoundFeed mic{kSourceMicrophone, 44100, 1, AV_SAMPLE_FMT_S16, 2500, 0.3};
        WriterSetup setup{dir.File(L"drift.mp4")};
        setup.sounds = {system, mic};
        bool opened = false;
        auto writer = OpenWriter(setup, &owner, &opened);
        ASSERT_TRUE(opened);
        CaptureScript script;
        script.sounds = setup.sounds;
        script.seconds = 4;
        RunCapture(*writer, script);
        EXPECT_LE(writer->QueuedSamples(kSourceSystemSound), kTolerance + 2048) << clock;
        writer->coPutFun();

        ProbedFile file = ProbeFile(setup.name);
        const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
        const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
        ASSERT_TRUE(video && audio) << clock;
        EXPECT_NEAR(audio->Seconds(), video->Seconds(), 0.1) << clock;
        const DecodedSound sound = DecodeSound(setup.name);
        ASSERT_FALSE(sound.channels.empty());
        ASSERT_GE(sound.channels[0].size(), size_t(44100 * 3.5)) << clock;
        // Still the system sound at its level, in all but the few short windows where
        // it was padded or cut.
        int heard = 0, windows = 0;
        for (size_t at = 44100; at + 2205 <= size_t(3 * 44100); at += 2205, ++windows)
            if (ToneAmplitude(sound.channels[0], 44100, 1000, at, 2205) > 0.3) ++heard;
        EXPECT_GT(heard, windows * 3 / 4) << clock;
        for (const std::string& w : warnings.Take()) ADD_FAILURE() << "FFmpeg: " << w;
        DeleteFileW(setup.name.c_str());
    }
}

}  // namespace

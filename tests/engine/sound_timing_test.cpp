// Sound timestamps: the head time of a queue, capture times that go back, and queues
// cleared from another thread while the mixer works.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/engine/media_probe.h"
#include "tests/engine/writer_harness.h"

using testing_support::TempDir;

namespace {

TEST(HeaTimInAFi, GivesTheFirstQueuedSampleTimeAndNeverGoesBack) {
    const AVRational tb = kCaptureTimeBase;
    struct Case {
        int queued, queuedBefore;
        int64_t pts, lastTime, head;
    } cases[] = {
        {1023, 0, 5000000, 0, kNoHeadTime},            // less than one frame queued
        {1024, 0, 5000000, 0, 5000000},                // the frame just queued starts it
        {1465, 441, 5000000, 0, 5000000 - 100000},     // 441 samples (10 ms) waited ahead
        {1024, 441, 5000000, 4950000, 4950000 + 900},  // would go back: pushed on
        {1024, 0, 5000000, 5000000, 5000000},          // equal is not earlier
    };
    for (const Case& c : cases)
        EXPECT_EQ(HeaTimInAFi(c.queued, c.pts, c.queuedBefore, c.lastTime, 1024, 44100, tb), c.head)
            << c.queued << " " << c.queuedBefore << " " << c.lastTime;
}

class SoundTimingTest : public ::testing::Test {
protected:
    TempDir dir;
    TestSettings settings{dir.path()};
    RecordingOwner owner;
    FfmpegWarnings warnings;

    std::unique_ptr<CSaveVideoFileThread> OpenSoundOnly(const std::wstring& name, std::vector<SoundFeed> sounds) {
        g_userSelMode = kSelModeSoundOnly;
        WriterSetup setup{dir.File(name), AV_CODEC_ID_AAC, false, false, RECT{}, sounds};
        bool opened = false;
        auto writer = OpenWriter(setup, &owner, &opened);
        EXPECT_TRUE(opened);
        writer->_wfi_fip_up2(kCaptureStart);
        writer->InAli(kCaptureStart, sounds.front().type == kSourceSystemSound || sounds.size() == 2,
                      sounds.front().type == kSourceMicrophone || sounds.size() == 2);
        return writer;
    }
    void ExpectCleanFile(const std::wstring& name, double seconds) {
        ProbedFile file = ProbeFile(dir.File(name));
        const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
        ASSERT_TRUE(audio);
        EXPECT_TRUE(audio->DtsStrictlyIncreasing());
        EXPECT_NEAR(audio->Seconds(), seconds, 0.15);
        for (const std::string& w : warnings.Take()) ADD_FAILURE() << "FFmpeg: " << w;
    }
};

TEST_F(SoundTimingTest, CaptureTimesThatRepeatOrGoBackStillGiveIncreasingTimestamps) {
    auto writer = OpenSoundOnly(L"jitter.mp4", {{kSourceSystemSound, 44100, 2}});
    FakeInput input;
    // One encoder frame per capture frame, so each frame's time becomes a frame time.
    const int samples = 1024;
    int64_t previous = 0;
    for (int i = 0; i < 90; ++i) {
        int64_t stamp = kCaptureStart + CaptureTicks(double(i) * samples / 44100);
        if (i % 5 == 4) stamp = previous;                       // the same time again
        if (i % 7 == 6) stamp = previous - CaptureTicks(0.03);  // earlier than the last
        previous = stamp;
        AVFrame* frame = MakeTone(44100, 2, AV_SAMPLE_FMT_S16, samples, i * samples, 1000, 0.3);
        writer->paToL(frame, stamp, kSourceSystemSound, input.get(), 0);
        av_frame_free(&frame);
    }
    writer->coPutFun();
    ExpectCleanFile(L"jitter.mp4", 2.0);
}

TEST_F(SoundTimingTest, QueuesClearedFromAnotherThreadWhileMixing) {
    auto writer = OpenSoundOnly(L"race.mp4", {{kSourceSystemSound, 44100, 2}, {kSourceMicrophone, 44100, 1}});
    std::atomic<bool> feeding{true};
    std::atomic<int> clears{0};
    std::thread clearer([&] {
        while (feeding) {
            writer->ClAF();
            ++clears;
            std::this_thread::yield();
        }
    });
    FakeInput input;
    for (int i = 0; i < 300; ++i) {
        const int64_t pts = kCaptureStart + i * 100000LL;
        AVFrame* sys = MakeTone(44100, 2, AV_SAMPLE_FMT_S16, 441, i * 441, 1000, 0.3);
        AVFrame* mic = MakeTone(44100, 1, AV_SAMPLE_FMT_S16, 441, i * 441, 2500, 0.3);
        writer->paToL(sys, pts, kSourceSystemSound, input.get(), 0);
        writer->paToL(mic, pts, kSourceMicrophone, input.get(), 0);
        av_frame_free(&sys);
        av_frame_free(&mic);
    }
    feeding = false;
    clearer.join();
    EXPECT_GT(clears.load(), 0);
    writer->coPutFun();
    // Cleared sound is lost, but what was written stays a valid stream.
    ProbedFile file = ProbeFile(dir.File(L"race.mp4"));
    ASSERT_TRUE(file.opened);
    const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
    ASSERT_TRUE(audio);
    EXPECT_TRUE(audio->DtsStrictlyIncreasing());
}

}  // namespace

// The writer's clock on its own: where a pause starts, how it is resolved, what a file's
// first packet resets, and the first sound frames aligned to the reference.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/writer_clock.h"
#include "tests/engine/writer_harness.h"

namespace {

constexpr int64_t kFirst = kCaptureStart;

TEST(WriterClock, PauseStartsAtTheLatestFirstPausedPacketOfTheUsedSources) {
    struct Note {
        int32_t type;
        int64_t pts;
        bool noted;          // what NotePausedPts answers
        int64_t startAfter;  // the pause start after this note
    };
    struct Case {
        const char* what;
        bool screen, sys, mic;
        std::vector<Note> notes;
    } cases[] = {
        {"screen alone", true, false, false, {{kSourceScreen, 100, true, 100}, {kSourceScreen, 140, false, 100}}},
        {"screen and system sound",
         true,
         true,
         false,
         {{kSourceScreen, 100, true, 0}, {kSourceScreen, 120, true, 0}, {kSourceSystemSound, 150, true, 150}}},
        {"a source's first paused packet is kept",
         false,
         true,
         true,
         {{kSourceMicrophone, 120, true, 0}, {kSourceMicrophone, 130, true, 0}, {kSourceSystemSound, 110, true, 120}}},
        {"all three",
         true,
         true,
         true,
         {{kSourceScreen, 100, true, 0}, {kSourceSystemSound, 140, true, 0}, {kSourceMicrophone, 130, true, 140}}},
        {"an unused source counts for nothing",
         false,
         false,
         true,
         {{kSourceSystemSound, 90, true, 0}, {kSourceMicrophone, 100, true, 100}}},
        {"the camera has no slot",
         true,
         false,
         false,
         {{kSourceCamera, 100, false, 0}, {kSourceScreen, 110, true, 110}}},
    };
    for (const Case& c : cases) {
        CWriterClock clock;
        for (const Note& n : c.notes) {
            EXPECT_EQ(clock.NotePausedPts(n.type, n.pts, c.screen, c.sys, c.mic), n.noted) << c.what << " " << n.pts;
            EXPECT_EQ(clock.PauseStart(), n.startAfter) << c.what << " " << n.pts;
        }
    }
}

TEST(WriterClock, FirstPausedPtsIsNotedOncePerSource) {
    CWriterClock clock;
    clock.NotePausedPts(kSourceMicrophone, 300, true, false, true);
    clock.NotePausedPts(kSourceMicrophone, 310, true, false, true);
    EXPECT_EQ(clock.FirstPausedPts(kSourceMicrophone), 300);
    EXPECT_EQ(clock.FirstPausedPts(kSourceScreen), 0);
    EXPECT_EQ(clock.FirstPausedPts(kSourceCamera), 0);
}

TEST(WriterClock, ResolvedPausesAddUpAndMoveTheAlignmentReference) {
    CWriterClock clock;
    clock.SetFirstPacket(kFirst, true, true);
    struct Pause {
        int64_t from, to;
    } pauses[] = {{kFirst + 1000, kFirst + 3000}, {kFirst + 5000, kFirst + 5500}};
    int64_t total = 0;
    for (const Pause& p : pauses) {
        for (int32_t type : {kSourceSystemSound, kSourceMicrophone}) {  // both aligned since the last reference
            int64_t framePts = p.from;
            clock.TakeFirstAlignment(type, false, &framePts, 44100, kCaptureTimeBase);
        }
        ASSERT_FALSE(clock.NeedsAlignment(kSourceMicrophone));
        ASSERT_TRUE(clock.NotePausedPts(kSourceScreen, p.from, true, false, false));
        clock.ResolvePause(p.to, true, true);
        total += p.to - p.from;
        EXPECT_EQ(clock.PausedTotal(), total);
        EXPECT_EQ(clock.PauseStart(), 0);
        EXPECT_EQ(clock.FirstPausedPts(kSourceScreen), 0);
        EXPECT_EQ(clock.AlignmentReference(), p.to);
        EXPECT_TRUE(clock.NeedsAlignment(kSourceSystemSound));
        EXPECT_TRUE(clock.NeedsAlignment(kSourceMicrophone));
        EXPECT_EQ(clock.RelativePts(p.to), p.to - kFirst - total);
    }
    EXPECT_EQ(clock.RelativePts(kFirst + 6000), 6000 - total);
    clock.ResolvePause(kFirst + 7000, true, true);  // no pause noted: nothing changes
    EXPECT_EQ(clock.PausedTotal(), total);
    EXPECT_EQ(clock.AlignmentReference(), kFirst + 5500);
}

TEST(WriterClock, FirstPacketForgetsAPauseNotedBeforeIt) {
    CWriterClock clock;
    clock.NotePausedPts(kSourceSystemSound, 200, false, true, false);
    ASSERT_EQ(clock.PauseStart(), 200);
    clock.SetFirstPacket(kFirst, true, false);
    EXPECT_EQ(clock.FirstPacketTime(), kFirst);
    EXPECT_EQ(clock.PauseStart(), 0);
    EXPECT_EQ(clock.FirstPausedPts(kSourceSystemSound), 0);
    EXPECT_EQ(clock.AlignmentReference(), kFirst);
    EXPECT_TRUE(clock.NeedsAlignment(kSourceSystemSound));
    EXPECT_FALSE(clock.NeedsAlignment(kSourceMicrophone));
    EXPECT_EQ(clock.RelativePts(kFirst + 400), 400);
}

TEST(WriterClock, FirstSoundFrameTakesItsAlignmentFromTheReference) {
    struct Case {
        const char* what;
        bool sysFlag, micFlag;  // as InAli sets them
        int32_t type;
        bool singleSource;
        double offset;  // seconds of the frame after the reference
        int rate;
        bool taken;
        int64_t pending;
        bool sysAfter, micAfter;
    } cases[] = {
        {"microphone 10 ms late", true, true, kSourceMicrophone, false, +0.010, 44100, true, 441, true, false},
        {"microphone 10 ms early", true, true, kSourceMicrophone, false, -0.010, 44100, true, -441, true, false},
        {"system sound of two", true, true, kSourceSystemSound, false, +0.020, 44100, true, 882, false, true},
        {"own flag clear", false, true, kSourceSystemSound, false, +0.010, 44100, false, 0, false, true},
        {"one source clears both", true, true, kSourceSystemSound, true, +0.010, 48000, true, 480, false, false},
        {"one source, the other's flag", false, true, kSourceMicrophone, true, +0.010, 48000, true, 480, false, false},
        {"nothing due", false, false, kSourceMicrophone, true, +0.010, 48000, false, 0, false, false},
    };
    for (const Case& c : cases) {
        CWriterClock clock;
        clock.InAli(kFirst, c.sysFlag, c.micFlag);
        const int64_t framePts = kFirst + CaptureTicks(c.offset);
        int64_t pts = framePts;
        EXPECT_EQ(clock.TakeFirstAlignment(c.type, c.singleSource, &pts, c.rate, kCaptureTimeBase), c.taken) << c.what;
        EXPECT_EQ(pts, c.taken ? kFirst : framePts) << c.what;
        EXPECT_EQ(clock.PendingAlignment(c.type), c.pending) << c.what;
        EXPECT_EQ(clock.NeedsAlignment(kSourceSystemSound), c.sysAfter) << c.what;
        EXPECT_EQ(clock.NeedsAlignment(kSourceMicrophone), c.micAfter) << c.what;
        pts = framePts;
        EXPECT_FALSE(clock.TakeFirstAlignment(c.type, c.singleSource, &pts, c.rate, kCaptureTimeBase))
            << c.what << ": a source aligns once per reference";
    }
}

// Samples of a stereo S16 frame written to the queue.
void Queue(CSoundQueue& queue, int samples) {
    AVFrame* frame = MakeTone(44100, 2, AV_SAMPLE_FMT_S16, samples, 0, 1000, 0.25);
    ASSERT_GE(queue.Write(frame), 0);
    av_frame_free(&frame);
}

TEST(WriterClock, QueueHeadIsPaddedOrCutToTheReference) {
    struct Case {
        double offset;  // the first frame's, after the reference
        int queued;
        bool aligned;
        int sizeAfter;
        int64_t pendingAfter;  // what a short queue could not give up yet
    } cases[] = {
        {+0.010, 100, true, 541, 0},
        {-0.010, 1024, true, 583, 0},
        {-0.010, 200, true, 0, -241},
        {0, 300, false, 300, 0},
    };
    for (const Case& c : cases) {
        const std::string what = std::to_string(c.offset) + " " + std::to_string(c.queued);
        CWriterClock clock;
        clock.SetFirstPacket(kFirst - 2000, false, true);
        ASSERT_TRUE(clock.NotePausedPts(kSourceMicrophone, kFirst - 1500, false, false, true));
        clock.ResolvePause(kFirst, false, true);  // 1500 paused; the reference is now kFirst
        int64_t pts = kFirst + CaptureTicks(c.offset);
        clock.TakeFirstAlignment(kSourceMicrophone, false, &pts, 44100, kCaptureTimeBase);
        CSoundQueue queue;
        ASSERT_TRUE(queue.Alloc(2));
        Queue(queue, c.queued);
        int64_t head = -1;
        EXPECT_EQ(clock.AlignQueue(kSourceMicrophone, queue, &head), c.aligned) << what;
        EXPECT_EQ(queue.Size(), c.sizeAfter) << what;
        EXPECT_EQ(clock.PendingAlignment(kSourceMicrophone), c.pendingAfter) << what;
        EXPECT_EQ(head, c.aligned ? 500 : -1) << what;  // kFirst less the first packet and the pause
        if (c.pendingAfter == 0) continue;
        Queue(queue, 300);  // the rest of the cut comes out of the next frame
        EXPECT_TRUE(clock.AlignQueue(kSourceMicrophone, queue));
        EXPECT_EQ(queue.Size(), 300 + c.pendingAfter) << what;
        EXPECT_EQ(clock.PendingAlignment(kSourceMicrophone), 0) << what;
    }
}

TEST(WriterClock, SplitResetLeavesNoPauseOrAlignmentBehind) {
    CWriterClock clock;
    clock.SetFirstPacket(kFirst, true, true);
    clock.NotePausedPts(kSourceSystemSound, kFirst + 100, false, true, true);
    clock.NotePausedPts(kSourceMicrophone, kFirst + 120, false, true, true);
    clock.ResolvePause(kFirst + 900, true, true);
    int64_t pts = kFirst + 1000;
    clock.TakeFirstAlignment(kSourceSystemSound, false, &pts, 44100, kCaptureTimeBase);
    clock._wfi_fip_up2(0);
    clock.RPaPar();
    clock.ResetAlignment();
    EXPECT_EQ(clock.FirstPacketTime(), 0);
    EXPECT_EQ(clock.PausedTotal(), 0);
    EXPECT_EQ(clock.AlignmentReference(), 0);
    EXPECT_FALSE(clock.NeedsAlignment(kSourceSystemSound));
    EXPECT_FALSE(clock.NeedsAlignment(kSourceMicrophone));
    EXPECT_EQ(clock.PendingAlignment(kSourceSystemSound), 0);
    EXPECT_EQ(clock.RelativePts(kFirst), kFirst);
}

}  // namespace

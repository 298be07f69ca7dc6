// The capture sources' packet rules: what is dropped (against a writer with a file
// open), who sets a file's first-packet time and how a pause is taken out of the
// timestamps (against the writer's clock, no file needed).
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/capture_packet_rules.h"
#include "tests/engine/writer_harness.h"

using testing_support::TempDir;

namespace {

class PacketRulesTest : public ::testing::Test {
protected:
    TempDir dir;
    TestSettings settings{dir.path()};
    RecordingOwner owner;

    std::unique_ptr<CSaveVideoFileThread> Open(bool video, std::vector<SoundFeed> sounds) {
        WriterSetup setup{dir.File(L"rules.mp4"), AV_CODEC_ID_AAC, video, false, kCrop, sounds};
        bool opened = false;
        auto writer = OpenWriter(setup, &owner, &opened);
        EXPECT_TRUE(opened);
        return writer;
    }
};

TEST_F(PacketRulesTest, DropTestFollowsStateReadinessAndMode) {
    g_userSelMode = kSelModeFullScreen;
    auto writer = Open(true, {{kSourceMicrophone, 48000, 1}});
    const CPacketRules screen(kSourceScreen, true, false, true, "_VideoSys");
    const CPacketRules mic(kSourceMicrophone, true, false, true, "_AudioMic");
    const CPacketRules camera(kSourceCamera, true, false, false, "_VideoCamera");
    struct Case {
        int32_t state, mode;
        bool screenDrops, micDrops, cameraDrops;
    } cases[] = {
        {_RecordingState, kSelModeFullScreen, false, false, false},
        {_PauseState, kSelModeFullScreen, true, true, false},  // the preview goes on
        {_StopState, kSelModeRegion, true, true, false},
        {_RecordingState, kSelModeSoundOnly, false, false, false},
        {_PauseState, kSelModeSoundOnly, true, true, true},
    };
    for (const Case& c : cases) {
        writer->SetRecordState(c.state);
        EXPECT_EQ(screen.Drops(*writer, c.mode), c.screenDrops) << c.state << " " << c.mode;
        EXPECT_EQ(mic.Drops(*writer, c.mode), c.micDrops) << c.state << " " << c.mode;
        EXPECT_EQ(camera.Drops(*writer, c.mode), c.cameraDrops) << c.state << " " << c.mode;
    }
    writer->coPutFun();
}

TEST_F(PacketRulesTest, WriterNotReadyDropsEverythingButTheCameraOutsideSoundOnly) {
    CSaveVideoFileThread writer(&owner);  // no file open: no picture, bEnd not set
    writer.SetRecordState(_RecordingState);
    const CPacketRules mic(kSourceMicrophone, false, false, true, "_AudioMic");
    const CPacketRules camera(kSourceCamera, true, false, false, "_VideoCamera");
    EXPECT_TRUE(mic.Drops(writer, kSelModeFullScreen));
    EXPECT_FALSE(camera.Drops(writer, kSelModeFullScreen));
    EXPECT_TRUE(mic.Drops(writer, kSelModeSoundOnly));
    EXPECT_TRUE(camera.Drops(writer, kSelModeSoundOnly));
}

TEST(PacketRules, FirstPacketTimeComesFromTheLeadingSource) {
    RecordingOwner owner;
    CSaveVideoFileThread writer(&owner);
    const CPacketRules screen(kSourceScreen, true, false, true, "_VideoSys");
    const CPacketRules mic(kSourceMicrophone, true, false, true, "_AudioMic");
    EXPECT_EQ(screen.LeadingSource(), kSourceScreen);
    EXPECT_FALSE(mic.AlignFirstPacket(writer, kCaptureStart));  // waits for the screen
    EXPECT_EQ(writer.FirstPacketTime(), 0);
    EXPECT_TRUE(screen.AlignFirstPacket(writer, kCaptureStart + 100));
    EXPECT_EQ(writer.FirstPacketTime(), kCaptureStart + 100);
    EXPECT_EQ(writer.Clock().AlignmentReference(), kCaptureStart + 100);
    EXPECT_TRUE(writer.Clock().NeedsAlignment(kSourceMicrophone));
    EXPECT_FALSE(writer.Clock().NeedsAlignment(kSourceSystemSound));
    EXPECT_TRUE(mic.AlignFirstPacket(writer, kCaptureStart + 200));
    EXPECT_EQ(writer.FirstPacketTime(), kCaptureStart + 100);

    const CPacketRules soundOnlyMic(kSourceMicrophone, false, false, true, "_AudioMic");
    const CPacketRules sysWithMic(kSourceSystemSound, false, true, true, "_AudioSys");
    EXPECT_EQ(soundOnlyMic.LeadingSource(), kSourceMicrophone);
    EXPECT_EQ(sysWithMic.LeadingSource(), kSourceSystemSound);
}

// Packets of every used source on a capture clock, a pause of 2 s from 1 s on, and the
// rules applied as the capture loop applies them to what it keeps and what it drops
// while paused.
struct PauseRun {
    int64_t paused = 0;       // the writer's accumulated pause
    int64_t largestStep = 0;  // between the leading source's kept relative times
    int64_t lastRelative = 0;
    int keptAfterResume[3] = {};  // screen, system sound, microphone
};

PauseRun RunPause(CSaveVideoFileThread& w, bool screen, bool sys, bool mic) {
    struct Source {
        bool used;
        int32_t type;
        int64_t step;
        const char* name;
    } sources[] = {{screen, kSourceScreen, CaptureTicks(0.04), "_VideoSys"},
                   {sys, kSourceSystemSound, CaptureTicks(0.01), "_AudioSys"},
                   {mic, kSourceMicrophone, CaptureTicks(0.01), "_AudioMic"}};
    struct Packet {
        int64_t pts;
        int source;
    };
    std::vector<Packet> packets;
    for (int s = 0; s < 3; ++s)
        if (sources[s].used)
            for (int64_t t = kCaptureStart + s * 1000; t < kCaptureStart + CaptureTicks(5); t += sources[s].step)
                packets.push_back({t, s});
    std::sort(packets.begin(), packets.end(), [](const Packet& a, const Packet& b) { return a.pts < b.pts; });

    PauseRun run;
    int64_t previous = -1;
    for (const Packet& p : packets) {
        const Source& src = sources[p.source];
        const CPacketRules rules(src.type, screen, sys, mic, src.name);
        const bool paused = p.pts >= kCaptureStart + CaptureTicks(1) && p.pts < kCaptureStart + CaptureTicks(3);
        w.SetRecordState(paused ? _PauseState : _RecordingState);
        if (paused) {
            rules.OnDropped(w, p.pts);
            continue;
        }
        if (!rules.AlignFirstPacket(w, p.pts) || !rules.ResolvePause(w, p.pts)) continue;
        if (p.pts > kCaptureStart + CaptureTicks(3)) ++run.keptAfterResume[p.source];
        if (src.type != rules.LeadingSource()) continue;
        const int64_t relative = w.RelativePts(p.pts);
        if (previous >= 0) run.largestStep = std::max(run.largestStep, relative - previous);
        previous = run.lastRelative = relative;
    }
    run.paused = w.Clock().PausedTotal();
    return run;
}

TEST(PacketRules, PauseIsTakenOutOfTheTimestampsWhateverIsRecorded) {
    RecordingOwner owner;
    struct Case {
        bool screen, sys, mic;
        double step;  // the leading source's packet interval, s
    } cases[] = {
        {true, false, false, 0.04},  // screen alone: its own first paused packet marks the pause
        {false, true, false, 0.01},  // system sound alone accounts for it
        {true, true, true, 0.04},
        {false, true, true, 0.01},
    };
    for (const Case& c : cases) {
        CSaveVideoFileThread writer(&owner);
        PauseRun run = RunPause(writer, c.screen, c.sys, c.mic);
        const std::string what = std::to_string(c.screen) + std::to_string(c.sys) + std::to_string(c.mic);
        EXPECT_NEAR(run.paused, CaptureTicks(2), CaptureTicks(0.05)) << what;
        EXPECT_LE(run.largestStep, CaptureTicks(c.step) + CaptureTicks(0.002)) << what;
        EXPECT_NEAR(run.lastRelative, CaptureTicks(3), CaptureTicks(0.06)) << what;  // 5 s less 2
        const bool used[3] = {c.screen, c.sys, c.mic};
        for (int s = 0; s < 3; ++s) {
            if (!used[s]) continue;
            EXPECT_GT(run.keptAfterResume[s], 0) << what << " source " << s;
        }
    }
}

}  // namespace

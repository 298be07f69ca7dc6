// Whole recordings of the Wine desktop, the sound that plays and the test
// microphone, made through the recorder controller and read back with FFmpeg.
#include <gtest/gtest.h>

#include <cmath>

#include "common/text_convert.h"
#include "tests/engine/animated_window.h"
#include "tests/engine/recorder_fixture.h"
#include "tests/engine/tone_player.h"
#include "tests/fixtures/fixture_devices.h"

namespace {

using fixture_devices::kToneFrequencyHz;

// The tone fixture's -12 dBFS and the played tone's, after mixing and encoding.
constexpr double kMinToneLevel = 0.02;

TEST_F(RecorderTest, ScreenSystemSoundAndMicrophoneToMp4) {
    AnimatedWindow window({100, 100, 500, 400});
    TonePlayer tone(kPlayedHz, 8);
    ASSERT_TRUE(tone.IsPlaying());
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {true, true, true}));
    StartRecording(*recorder, 3);
    Stop(*recorder);

    const std::wstring path = recorder->FinishedPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.substr(path.size() - 4), L".mp4");
    ProbedFile file = ProbeFile(path);
    ASSERT_TRUE(file.opened);
    const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
    const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
    ASSERT_TRUE(video && audio);
    EXPECT_EQ(video->codec, AV_CODEC_ID_H264);
    EXPECT_EQ(audio->codec, AV_CODEC_ID_AAC);
    EXPECT_EQ(video->width, desktop.right - desktop.left);
    EXPECT_EQ(video->height, desktop.bottom - desktop.top);
    EXPECT_NEAR(video->Seconds(), 3, 0.5);
    EXPECT_NEAR(audio->Seconds(), 3, 0.5);
    // Every picture the screen source handed on is in the file, none lost beyond what
    // the device's queue allows; how many the device delivered depends on the load.
    EXPECT_EQ(int64_t(video->pts.size()), recorder->ScreenThread()->PacketsHandedOn());
    EXPECT_LT(LargestVideoStep(*video), kScreenQueueSeconds);
    EXPECT_TRUE(video->DtsStrictlyIncreasing());
    EXPECT_GT(recorder->m_nSaveFileSize, 0u);

    const DecodedSound sound = DecodeSound(path);
    EXPECT_GT(ToneLevel(sound, kPlayedHz, 0.5, 2.5), kMinToneLevel);
    EXPECT_GT(ToneLevel(sound, kToneFrequencyHz, 0.5, 2.5), kMinToneLevel);
    const std::string name = WideToChs(path.substr(path.rfind(L'\\') + 1));
    EXPECT_EQ(VideoList(), std::vector<std::string>{name});
}

TEST_F(RecorderTest, FlvCarriesMp3) {
    UseSettings(L"FLV", false);
    TonePlayer tone(kPlayedHz, 6);
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {true, true, false}));
    StartRecording(*recorder, 2);
    Stop(*recorder);
    ProbedFile file = ProbeFile(recorder->FinishedPath());
    ASSERT_TRUE(file.opened);
    EXPECT_EQ(file.format, "flv");
    ASSERT_TRUE(file.Find(AVMEDIA_TYPE_VIDEO) && file.Find(AVMEDIA_TYPE_AUDIO));
    EXPECT_EQ(file.Find(AVMEDIA_TYPE_VIDEO)->codec, AV_CODEC_ID_H264);
    EXPECT_EQ(file.Find(AVMEDIA_TYPE_AUDIO)->codec, AV_CODEC_ID_MP3);
    EXPECT_NEAR(file.Find(AVMEDIA_TYPE_VIDEO)->Seconds(), 2, 0.5);
    EXPECT_GT(ToneLevel(DecodeSound(recorder->FinishedPath()), kPlayedHz, 0.5, 1.5), kMinToneLevel);
}

// Record 2 s, pause 2 s, record 2 s: about 4 s, the sound and the picture go on
// across the pause without a gap.
TEST_F(RecorderTest, PauseLeavesNoFrozenOrSilentGap) {
    struct Case {
        Sources sources;
        const char* what;
    } cases[] = {{{true, true, true}, "screen and sound"}, {{true, false, false}, "screen alone"}};
    for (const Case& c : cases) {
        AnimatedWindow window({100, 100, 500, 400});
        TonePlayer tone(kPlayedHz, 9);
        auto recorder = MakeRecorder();
        ASSERT_TRUE(Init(*recorder, c.sources)) << c.what;
        StartRecording(*recorder, 2);
        g_recordeState = _PauseState;
        recorder->SetRecordState(_PauseState);
        Sleep(2000);
        Record(*recorder, 2);
        Stop(*recorder);

        ProbedFile file = ProbeFile(recorder->FinishedPath());
        const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
        ASSERT_TRUE(video) << c.what;
        EXPECT_NEAR(video->Seconds(), 4, 0.5) << c.what;
        EXPECT_LT(LargestVideoStep(*video), kScreenQueueSeconds) << c.what;  // the pause left 2 s out
        // The window's grey level changes every 10 ms: the picture never stands still.
        std::vector<PictureSample> luma = RegionLuma(recorder->FinishedPath(), 150, 150, 64, 64);
        ASSERT_FALSE(luma.empty()) << c.what;
        EXPECT_LT(LongestFrozenStretch(luma), kScreenQueueSeconds) << c.what;
        if (c.sources.sys) {
            const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
            ASSERT_TRUE(audio);
            EXPECT_NEAR(audio->Seconds(), 4, 0.5);
            const DecodedSound sound = DecodeSound(recorder->FinishedPath());
            // Before and after the pause; the played tone as far as the sound server
            // kept up, the test tone in every window.
            EXPECT_GT(ToneLevel(sound, kPlayedHz, 0.8, 1.8), kMinToneLevel);
            EXPECT_GT(ToneLevel(sound, kPlayedHz, 2.2, 3.4), kMinToneLevel);
            ExpectToneThroughout(sound, kToneFrequencyHz, 0.8, 3.4, kMinToneLevel);
        }
        for (const std::wstring& name : RecordedFiles()) DeleteFileW(dir.File(name).c_str());
    }
}

TEST_F(RecorderTest, SplitGivesTwoPlayablePartsBothListed) {
    UseSettings(L"MP4", true);
    TonePlayer tone(kPlayedHz, 8);
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {true, true, true}));
    StartRecording(*recorder, 2);
    const std::wstring first = recorder->Writer()->CurrentFile();
    EXPECT_EQ(recorder->SplitFile(), SplitOutcome::kSplit);
    EXPECT_EQ(recorder->FinishedPath(), first);
    Record(*recorder, 2);
    Stop(*recorder);
    const std::wstring second = recorder->FinishedPath();

    const std::wstring stem = first.substr(0, first.size() - std::wstring(L" Part 1.mp4").size());
    EXPECT_EQ(first, stem + L" Part 1.mp4");
    EXPECT_EQ(second, stem + L" Part 2.mp4");
    for (const std::wstring& part : {first, second}) {
        ProbedFile file = ProbeFile(part);
        ASSERT_TRUE(file.opened);
        const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
        const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
        ASSERT_TRUE(video && audio);
        // Each part holds its share, whatever the load adds from the device queues at the split.
        EXPECT_GT(video->Seconds(), 1.0);
        EXPECT_LT(video->Seconds(), 3.5);
        EXPECT_GT(audio->Seconds(), 1.0);
        EXPECT_LT(audio->Seconds(), 3.5);
        EXPECT_TRUE(video->DtsStrictlyIncreasing());
        EXPECT_LT(video->pts.front() * av_q2d(video->timeBase), 0.2);  // each part starts at 0
        const DecodedSound sound = DecodeSound(part);
        EXPECT_GT(ToneLevel(sound, kPlayedHz, 0.5, 1.5), kMinToneLevel) << WideToUtf8(part);
        EXPECT_GT(ToneLevel(sound, kToneFrequencyHz, 0.5, 1.5), kMinToneLevel) << WideToUtf8(part);
    }
    const std::vector<std::string> list = VideoList();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], WideToChs(first.substr(first.rfind(L'\\') + 1)));
    EXPECT_EQ(list[1], WideToChs(second.substr(second.rfind(L'\\') + 1)));
}

// A split hands the part it closed to the finisher and records on at once: while
// the copy of the first part is held up (as a slow disk holds it), the second part
// grows; the first is listed only once it is whole, and the second starts at 0
// without a gap. Both end ordinary MP4s.
TEST_F(RecorderTest, ASplitRecordsOnWhileThePartItClosedIsCopied) {
    UseSettings(L"MP4", true);
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {true, false, false}));
    StartRecording(*recorder, 3);
    const std::wstring first = recorder->Writer()->CurrentFile();
    FileFaults faults;
    faults.HoldWrites(L"Part 1.mp4.finishing");
    ASSERT_EQ(recorder->SplitFile(), SplitOutcome::kSplit);
    const std::wstring second = recorder->Writer()->CurrentFile();
    const uint64_t atSplit = recorder->m_nSaveFileSize;
    bool recordedOn = false;
    for (DWORD start = GetTickCount(); !recordedOn && GetTickCount() - start < 30000; Sleep(20))
        recordedOn = faults.Holding() && recorder->m_nSaveFileSize > atSplit + 1000;
    EXPECT_TRUE(recordedOn) << "the next part grows while the copy of the last is held";
    EXPECT_FALSE(recorder->FilesFinished());
    EXPECT_TRUE(VideoList().empty()) << "a part is listed once it is whole";
    faults.Release();
    Record(*recorder, 2);
    Stop(*recorder);

    for (const std::wstring& part : {first, second}) {
        SCOPED_TRACE(WideToUtf8(part));
        EXPECT_FALSE(IsFragmentedMp4(part));
        ProbedFile file = ProbeFile(part);
        ASSERT_TRUE(file.opened);
        ASSERT_TRUE(file.Find(AVMEDIA_TYPE_VIDEO));
    }
    const ProbedFile secondFile = ProbeFile(second);  // kept: the stream below lives in it
    const ProbedStream& video = *secondFile.Find(AVMEDIA_TYPE_VIDEO);
    EXPECT_LT(video.pts.front() * av_q2d(video.timeBase), 0.2) << "it starts at 0";
    EXPECT_LT(LargestVideoStep(video), 1.0) << "no frozen picture after the split";
    EXPECT_EQ(VideoList().size(), 2u);
}

// A split while paused keeps the recording paused: the next part begins with what
// is recorded after the resume, with no pause in it.
TEST_F(RecorderTest, ASplitWhilePausedStaysPaused) {
    UseSettings(L"MP4", true);
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {true, false, true}));
    StartRecording(*recorder, 1.5);
    g_recordeState = _PauseState;
    recorder->SetRecordState(_PauseState);
    ASSERT_EQ(recorder->SplitFile(), SplitOutcome::kSplit);
    EXPECT_EQ(recorder->Writer()->m_ReSt, _PauseState);
    const std::wstring second = recorder->Writer()->CurrentFile();
    Sleep(1500);  // paused: nothing of this reaches the part
    Record(*recorder, 1.5);
    Stop(*recorder);

    ProbedFile file = ProbeFile(second);
    ASSERT_TRUE(file.opened);
    const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
    const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
    ASSERT_TRUE(video && audio);
    EXPECT_LT(video->pts.front() * av_q2d(video->timeBase), 0.2);
    EXPECT_LT(LargestVideoStep(*video), 1.0) << "the pause is not in the part";
    EXPECT_FALSE(IsFragmentedMp4(second));
    EXPECT_EQ(VideoList().size(), 2u);
}

// A write that failed in the part a split closes (here at the split's own flush)
// ends the recording with that cause: the split does not open a new part and so
// does not wipe the failure before the user is told.
TEST_F(RecorderTest, AFailureInThePartASplitClosesEndsTheRecording) {
    UseSettings(L"MP4", true);
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {true, false, false}));
    StartRecording(*recorder, 1.5);
    const std::wstring first = recorder->Writer()->CurrentFile();
    FileFaults faults;
    faults.FailWrites(L"Part 1.mp4", 0, ERROR_CRC);
    EXPECT_EQ(recorder->SplitFile(), SplitOutcome::kRecordingEnded);
    EXPECT_EQ(recorder->EndFailure(), WriteFailure::kOther);
    faults.Clear();
    Stop(*recorder);
    EXPECT_EQ(recorder->EndFailure(), WriteFailure::kOther) << "kept for the stop's tip";
    EXPECT_EQ(RecordedFiles(), std::vector<std::wstring>{first.substr(first.rfind(L'\\') + 1)});
    EXPECT_EQ(VideoList().size(), IsPlayableRecording(first) ? 1u : 0u) << "listed only when it plays";
}

TEST_F(RecorderTest, SplitWhoseNextPartCannotOpenEndsTheRecordingKeepingThePart) {
    UseSettings(L"MP4", true);
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {true, false, false}));
    const std::wstring first = recorder->Writer()->CurrentFile();
    std::wstring second = first;
    second.replace(second.size() - 5, 1, L"2");
    ASSERT_TRUE(CreateDirectoryW(second.c_str(), nullptr));  // the next part cannot be a file
    const DWORD started = GetTickCount();
    StartRecording(*recorder, 1.5);
    EXPECT_EQ(recorder->SplitFile(), SplitOutcome::kRecordingEnded);
    const double recordedAtMost = (GetTickCount() - started) / 1000.0;
    EXPECT_FALSE(recorder->ScreenThread()->IsRunning());
    EXPECT_FALSE(recorder->Writer()->IsFileOpen());
    Stop(*recorder);  // the main window's stop afterwards adds nothing

    EXPECT_EQ(recorder->FinishedPath(), first);
    ProbedFile file = ProbeFile(first);
    ASSERT_TRUE(file.opened);
    ASSERT_TRUE(file.Find(AVMEDIA_TYPE_VIDEO));
    // What came before the split, and nothing after it, whatever the load made of the 1.5 s.
    EXPECT_GT(file.Find(AVMEDIA_TYPE_VIDEO)->Seconds(), 0.5);
    EXPECT_LE(file.Find(AVMEDIA_TYPE_VIDEO)->Seconds(), recordedAtMost + 0.1);
    EXPECT_EQ(VideoList().size(), 1u);
    RemoveDirectoryW(second.c_str());
}

TEST_F(RecorderTest, SplitWaitIsBoundedWhileASourceHoldsTheWriter) {
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {true, false, false}));
    StartRecording(*recorder, 1);
    const std::wstring file = recorder->Writer()->CurrentFile();
    // Stand in for a capture source stuck inside the writer.
    auto& gate = const_cast<CSaveVideoFileThread*>(recorder->Writer())->m_packetLock;
    gate.lock_shared();
    const DWORD before = GetTickCount();
    EXPECT_EQ(recorder->SplitFile(), SplitOutcome::kSkipped);
    EXPECT_LT(GetTickCount() - before, CVistreler::kSplitWaitMs + 2000);
    gate.unlock_shared();
    EXPECT_EQ(recorder->Writer()->CurrentFile(), file);  // the same file goes on
    EXPECT_EQ(recorder->Writer()->m_ReSt, _RecordingState);
    Record(*recorder, 1);
    Stop(*recorder);
    ProbedFile probed = ProbeFile(file);
    ASSERT_TRUE(probed.Find(AVMEDIA_TYPE_VIDEO));
    EXPECT_GT(probed.Find(AVMEDIA_TYPE_VIDEO)->Seconds(), 1.5);
}

TEST_F(RecorderTest, PicturesDeliveredDuringAStallInTheWriterAreNotLost) {
    AnimatedWindow window({100, 100, 500, 400});
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {true, false, false}));
    StartRecording(*recorder, 1);
    // The screen source waits at the writer for a second (as behind a slow encode).
    auto& gate = const_cast<CSaveVideoFileThread*>(recorder->Writer())->m_packetLock;
    gate.lock();
    Sleep(1000);
    gate.unlock();
    Record(*recorder, 1);
    Stop(*recorder);
    ProbedFile file = ProbeFile(recorder->FinishedPath());
    const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
    ASSERT_TRUE(video);
    EXPECT_GT(video->Seconds(), 1.5) << "the recording went on after the stall";
    // What queued up meanwhile was recorded: no step longer than the device's queue.
    EXPECT_LT(LargestVideoStep(*video), kScreenQueueSeconds);
}

TEST_F(RecorderTest, FailedInitLeavesNothingOpenAndTheNextAttemptStartsClean) {
    UseSettings(L"MP4", true);
    auto recorder = MakeRecorder();
    // A microphone that does not exist: FFmpeg's "no such device" error is kept.
    EXPECT_FALSE(Init(*recorder, {true, true, true}, "no-such-microphone"));
    EXPECT_EQ(g_lastDeviceOpenError, -5);
    EXPECT_FALSE(recorder->ScreenThread()->IsInputOpen());
    EXPECT_FALSE(recorder->SystemSoundThread()->IsInputOpen());
    EXPECT_FALSE(recorder->MicrophoneThread()->IsInputOpen());
    EXPECT_FALSE(recorder->Writer()->IsFileOpen());

    // An output folder that cannot be made (a file stands in its way): the writer fails.
    ASSERT_TRUE(testing_support::WriteFileBytes(dir.File(L"blocker"), "x"));
    SettingRecord record = settings->record;
    record.path = dir.File(L"blocker\\sub");
    settings->Save(record);
    EXPECT_FALSE(Init(*recorder, {true, true, true}));
    EXPECT_FALSE(recorder->ScreenThread()->IsInputOpen());
    EXPECT_FALSE(recorder->SystemSoundThread()->IsInputOpen());
    EXPECT_FALSE(recorder->MicrophoneThread()->IsInputOpen());

    UseSettings(L"MP4", true);
    ASSERT_TRUE(Init(*recorder, {true, true, true}));
    const std::wstring current = recorder->Writer()->CurrentFile();
    EXPECT_EQ(current.substr(current.size() - 11), L" Part 1.mp4");
    StartRecording(*recorder, 1);
    Stop(*recorder);
    EXPECT_TRUE(ProbeFile(current).opened);
}

TEST_F(RecorderTest, CameraPreviewDuringARecordingLeavesTheRecordingAlone) {
    auto recorder = MakeRecorder();
    ASSERT_TRUE(Init(*recorder, {true, false, false}));
    recorder->InitCameraThread();
    StartRecording(*recorder, 0.5);
    ASSERT_TRUE(recorder->StartCameraVideo(fixture_devices::kPatternCameraName));
    EXPECT_EQ(recorder->CameraWidth(), fixture_devices::kPatternWidth);
    EXPECT_EQ(recorder->CameraHeight(), fixture_devices::kPatternHeight);
    EXPECT_TRUE(recorder->IsPreviewOpen());
    EXPECT_TRUE(recorder->CameraThread()->IsRunning());
    Sleep(1500);
    EXPECT_FALSE(recorder->StartCameraVideo(""));
    Stop(*recorder);
    EXPECT_FALSE(recorder->CameraThread()->IsRunning());  // the stop ends the preview too

    ProbedFile file = ProbeFile(recorder->FinishedPath());
    ASSERT_EQ(file.streams.size(), 1u);
    EXPECT_EQ(file.streams[0].width, desktop.right - desktop.left);
    EXPECT_NEAR(file.streams[0].Seconds(), 2, 0.5);
}

// A microphone that stops delivering keeps neither the recording off the disk nor,
// mixed with the system sound, the system sound out of the file.
TEST_F(RecorderTest, MicrophoneThatStallsLeavesARecordingOnTheDiskAndTheSystemSoundIn) {
    struct Case {
        Sources sources;
        const char* what;
    } cases[] = {{{true, false, true}, "screen and microphone"}, {{true, true, true}, "screen, both sounds"}};
    for (const Case& c : cases) {
        LogCapture log(dir.File(std::wstring(L"stall") + (c.sources.sys ? L"2" : L"1") + L".log"));
        TonePlayer tone(kPlayedHz, 10);
        auto recorder = MakeRecorder();
        ASSERT_TRUE(Init(*recorder, c.sources, fixture_devices::kStallingToneDeviceName)) << c.what;
        StartRecording(*recorder, 0.5);
        // While it records, the pictures so far are on the disk, as a file that plays.
        const std::wstring path = recorder->Writer()->CurrentFile();
        EXPECT_TRUE(WaitFor([&] {
            const ProbedFile file = ProbeFile(path);
            const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
            return video && !video->pts.empty();
        })) << c.what;
        Record(*recorder, 2.5);
        Stop(*recorder);
        // The microphone's loop saw the stop although its device delivers nothing (it
        // was not left waiting in a read until the runner gave up on it).
        EXPECT_EQ(log.CountLines({"[m_cnTN]_AudioMic PriExTh"}), 1) << c.what;

        ProbedFile file = ProbeFile(recorder->FinishedPath());
        const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
        ASSERT_TRUE(video) << c.what;
        EXPECT_GT(video->Seconds(), 2.5) << c.what;
        EXPECT_TRUE(video->DtsStrictlyIncreasing()) << c.what;
        if (c.sources.sys) {
            // The microphone is filled with silence and the system sound plays on.
            EXPECT_EQ(log.CountLines({"[microphone]", "filled with silence"}), 1);
            const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
            ASSERT_TRUE(audio);
            EXPECT_GT(audio->Seconds(), 1.5);
            const DecodedSound sound = DecodeSound(recorder->FinishedPath());
            EXPECT_GT(ToneLevel(sound, kPlayedHz, 1.0, 1.5), kMinToneLevel);
            EXPECT_LT(ToneLevel(sound, kToneFrequencyHz, 1.0, 1.5), kMinToneLevel);
        }
        for (const std::wstring& name : RecordedFiles())
            if (name.find(L".log") == std::wstring::npos) DeleteFileW(dir.File(name).c_str());
    }
}

}  // namespace

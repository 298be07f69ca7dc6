// Output files written by the writer and read back with FFmpeg: containers, streams,
// durations, timestamps, names, parts, the list of recordings, failed openings.
#include <gtest/gtest.h>

#include <functional>

#include "common/text_convert.h"
#include "engine/capture_crop_scaler.h"
#include "tests/engine/media_probe.h"
#include "tests/engine/writer_harness.h"

using testing_support::FileExists;
using testing_support::ReadFileBytes;
using testing_support::SplitLines;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

namespace {

const SoundFeed kSystemSound{kSourceSystemSound, 44100, 2};

class OutputFileTest : public ::testing::Test {
protected:
    TempDir dir;
    TestSettings settings{dir.path()};
    RecordingOwner owner;
    FfmpegWarnings warnings;

    std::vector<std::string> VideoList() { return SplitLines(ReadFileBytes(dir.File(L"videolist.txt"))); }
    void ExpectNoWarnings() {
        for (const std::string& w : warnings.Take()) ADD_FAILURE() << "FFmpeg: " << w;
    }
};

// Polls until the condition holds; false when it did not within a time no working
// writer comes near.
bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 400; ++i) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

// The packets of the file's stream of that type as FFmpeg reads them now.
size_t PacketsOnDisk(const std::wstring& path, AVMediaType type) {
    const ProbedFile file = ProbeFile(path);
    const ProbedStream* stream = file.Find(type);
    return stream ? stream->pts.size() : 0;
}

void ExpectCleanStreams(const ProbedFile& file) {
    for (const ProbedStream& s : file.streams) {
        EXPECT_TRUE(s.DtsStrictlyIncreasing()) << "stream of type " << s.type;
        EXPECT_FALSE(s.pts.empty());
    }
}

TEST_F(OutputFileTest, Mp4HoldsH264AndAacWithTheFedDurationAndKeyFrames) {
    WriterSetup setup{dir.File(L"20240101_120000.mp4")};
    setup.sounds = {kSystemSound};
    const int pictures = RecordFile(setup, &owner, 4.4);  // 110 pictures
    ASSERT_GE(pictures, 0);
    ASSERT_EQ(pictures, 110);

    ProbedFile file = ProbeFile(setup.name);
    ASSERT_TRUE(file.opened);
    ASSERT_EQ(file.streams.size(), 2u);
    const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
    const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
    ASSERT_TRUE(video && audio);
    EXPECT_EQ(video->codec, AV_CODEC_ID_H264);
    EXPECT_EQ(video->width, 160);
    EXPECT_EQ(video->height, 120);
    EXPECT_EQ(video->pts.size(), 110u) << "every picture reaches the file";
    EXPECT_NEAR(video->Seconds(), 4.4, 0.04);
    EXPECT_EQ(video->KeyFrameIndexes(), (std::vector<int>{0, 50, 100}));
    EXPECT_EQ(audio->codec, AV_CODEC_ID_AAC);
    EXPECT_EQ(audio->sampleRate, 44100);
    EXPECT_EQ(audio->channels, 2);
    EXPECT_NEAR(audio->Seconds(), 4.4, 0.05);
    ExpectCleanStreams(file);
    ExpectNoWarnings();

    EXPECT_EQ(owner.finished, std::vector<std::wstring>{setup.name});
    EXPECT_GT(owner.written, 0);
    EXPECT_LE(owner.written, static_cast<int64_t>(ReadFileBytes(setup.name).size()));
    EXPECT_EQ(VideoList(), std::vector<std::string>{"20240101_120000.mp4"});
}

TEST_F(OutputFileTest, FlvHoldsH264AndMp3) {
    WriterSetup setup{dir.File(L"rec.flv"), AV_CODEC_ID_MP3};
    setup.sounds = {kSystemSound};
    ASSERT_GE(RecordFile(setup, &owner, 2), 0);

    ProbedFile file = ProbeFile(setup.name);
    ASSERT_TRUE(file.opened);
    EXPECT_EQ(file.format, "flv");
    const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
    const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
    ASSERT_TRUE(video && audio);
    EXPECT_EQ(video->codec, AV_CODEC_ID_H264);
    EXPECT_EQ(video->pts.size(), 50u);
    EXPECT_NEAR(video->Seconds(), 2.0, 0.04);
    EXPECT_EQ(audio->codec, AV_CODEC_ID_MP3);
    EXPECT_NEAR(audio->Seconds(), 2.0, 0.06);
    ExpectCleanStreams(file);
    ExpectNoWarnings();
}

TEST_F(OutputFileTest, SoundOnlyRecordingIsAnMp3File) {
    g_userSelMode = kSelModeSoundOnly;
    WriterSetup setup{dir.File(L"sound.mp3"), AV_CODEC_ID_MP3, false};
    setup.crop = RECT{};  // no screen input in sound-only mode
    setup.sounds = {{kSourceMicrophone, 48000, 1, AV_SAMPLE_FMT_S16, 440, 0.5}};
    bool opened = false;
    auto writer = OpenWriter(setup, &owner, &opened);
    ASSERT_TRUE(opened);
    EXPECT_FALSE(writer->IsPictureReady());
    EXPECT_TRUE(writer->bEnd);
    CaptureScript script;
    script.video = false;
    script.sounds = setup.sounds;
    script.seconds = 2;
    RunCapture(*writer, script);
    writer->coPutFun();

    ProbedFile file = ProbeFile(setup.name);
    ASSERT_TRUE(file.opened);
    ASSERT_EQ(file.streams.size(), 1u);
    EXPECT_EQ(file.streams[0].codec, AV_CODEC_ID_MP3);
    EXPECT_EQ(file.streams[0].sampleRate, 48000);
    EXPECT_NEAR(file.streams[0].Seconds(), 2.0, 0.06);
    ExpectCleanStreams(file);
    DecodedSound sound = DecodeSound(setup.name);
    ASSERT_EQ(sound.channels.size(), 1u);
    EXPECT_NEAR(ToneAmplitude(sound.channels[0], 48000, 440, 24000, 48000), 0.5, 0.05);
}

// Writes a short sound-only file; returns the name it was written as (empty when the
// writer did not open it).
std::wstring WriteShortFile(const std::wstring& name, RecordingOwner* owner, bool split = false) {
    g_userSelMode = kSelModeSoundOnly;
    WriterSetup setup{name, AV_CODEC_ID_MP3, false, split, RECT{}, {kSystemSound}};
    const size_t before = owner->finished.size();
    if (RecordFile(setup, owner, 0.2) < 0 || owner->finished.size() != before + 1) return L"";
    return owner->finished.back();
}

TEST_F(OutputFileTest, ExistingNameGetsTheFirstFreeNumber) {
    const std::wstring name = dir.File(L"20240101_120000.mp3");
    ASSERT_TRUE(WriteFileBytes(name, "already here"));
    EXPECT_EQ(WriteShortFile(name, &owner), dir.File(L"20240101_120000 - 1.mp3"));
    EXPECT_EQ(WriteShortFile(name, &owner), dir.File(L"20240101_120000 - 2.mp3"));
    EXPECT_EQ(ReadFileBytes(name), "already here");
    EXPECT_EQ(VideoList(), (std::vector<std::string>{"20240101_120000 - 1.mp3", "20240101_120000 - 2.mp3"}));
}

TEST_F(OutputFileTest, SplitRecordingNumbersItsPartsFromOne) {
    const std::wstring base = dir.File(L"20240101_120000 Part .mp4");
    WriterSetup setup{base};
    setup.split = true;
    setup.sounds = {kSystemSound};
    bool opened = false;
    auto writer = OpenWriter(setup, &owner, &opened);
    ASSERT_TRUE(opened);
    CaptureScript script;
    script.sounds = setup.sounds;
    script.seconds = 0.6;
    for (int part = 1; part <= 3; ++part) {
        EXPECT_EQ(writer->CurrentFile(), dir.File(L"20240101_120000 Part " + std::to_wstring(part) + L".mp4"));
        RunCapture(*writer, script);
        // what the controller does at a split, and at the stop after the last part
        writer->SetRecordState(_StopState);
        writer->StopHelpers();
        writer->coPutFun();
        if (part == 3) break;
        ASSERT_TRUE(writer->HandleoStream());
        writer->_wfi_fip_up2(0);
        writer->RPaPar();
        writer->ResetAlignment();
        writer->ClAF();
        writer->SetRecordState(_RecordingState);
    }
    for (int part = 1; part <= 3; ++part) {
        ProbedFile file = ProbeFile(dir.File(L"20240101_120000 Part " + std::to_wstring(part) + L".mp4"));
        ASSERT_TRUE(file.opened) << part;
        const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
        ASSERT_TRUE(video);
        EXPECT_EQ(video->pts.size(), 15u) << part;
        ExpectCleanStreams(file);
    }
    EXPECT_EQ(owner.finished.size(), 3u);
    EXPECT_EQ(VideoList(), (std::vector<std::string>{"20240101_120000 Part 1.mp4", "20240101_120000 Part 2.mp4",
                                                     "20240101_120000 Part 3.mp4"}));
}

TEST_F(OutputFileTest, SplitFirstPartOverwritesAnExistingFile) {
    const std::wstring first = dir.File(L"rec Part 1.mp3");
    ASSERT_TRUE(WriteFileBytes(first, "old"));
    EXPECT_EQ(WriteShortFile(dir.File(L"rec Part .mp3"), &owner, true), first);
    EXPECT_NE(ReadFileBytes(first), "old");
}

TEST_F(OutputFileTest, MissingNestedFolderIsCreatedAndNamesKeepTheirCharacters) {
    const std::wstring name = dir.File(L"录屏\\二级\\三级\\测试 录音.mp3");
    EXPECT_EQ(WriteShortFile(name, &owner), name);
    EXPECT_TRUE(ProbeFile(name).opened);
    // The list line is in the "chs" code page, without the folder.
    EXPECT_EQ(VideoList(), std::vector<std::string>{WideToChs(L"测试 录音.mp3")});
}

TEST_F(OutputFileTest, AllZeroRecordRectangleFailsOutsideSoundOnlyMode) {
    struct Case {
        int32_t mode;
        bool opens;
    } cases[] = {
        {kSelModeFullScreen, false}, {kSelModeRegion, false}, {kSelModeGame, false}, {kSelModeSoundOnly, true}};
    for (const Case& c : cases) {
        g_userSelMode = c.mode;
        WriterSetup setup{dir.File(L"zero" + std::to_wstring(c.mode) + L".mp3"),
                          AV_CODEC_ID_MP3,
                          false,
                          false,
                          RECT{},
                          {kSystemSound}};
        bool opened = false;
        auto writer = OpenWriter(setup, &owner, &opened);
        EXPECT_EQ(opened, c.opens) << "mode " << c.mode;
        EXPECT_EQ(writer->bEnd.load(), c.opens);
        writer->coPutFun();
    }
    EXPECT_EQ(owner.finished.size(), 1u);
}

TEST_F(OutputFileTest, HeaderThatCannotBeWrittenFailsTheOpeningCleanly) {
    // FLV takes no MP3 at 16 kHz.
    WriterSetup setup{dir.File(L"rec.flv"), AV_CODEC_ID_MP3};
    setup.sounds = {{kSourceSystemSound, 16000, 1}};
    bool opened = true;
    auto writer = OpenWriter(setup, &owner, &opened);
    EXPECT_FALSE(opened);
    EXPECT_FALSE(writer->bEnd);
    EXPECT_FALSE(writer->IsFileOpen());
    EXPECT_FALSE(writer->IsPictureReady());
    EXPECT_FALSE(FileExists(setup.name)) << "no empty file is left behind";
    warnings.Take();  // the muxer's own complaint

    // Frames that still arrive are refused, and closing reports nothing.
    CaptureScript script;
    script.sounds = setup.sounds;
    script.seconds = 0.5;
    EXPECT_EQ(RunCapture(*writer, script), 0);
    writer->coPutFun();
    EXPECT_TRUE(owner.finished.empty());
    EXPECT_TRUE(VideoList().empty());
}

TEST_F(OutputFileTest, FramesBetweenClosingAndOpeningAreRefused) {
    WriterSetup setup{dir.File(L"rec.mp4")};
    setup.sounds = {kSystemSound};
    bool opened = false;
    auto writer = OpenWriter(setup, &owner, &opened);
    ASSERT_TRUE(opened);
    writer->coPutFun();
    EXPECT_FALSE(writer->IsPictureReady());
    CaptureScript script;
    script.sounds = setup.sounds;
    script.seconds = 0.5;
    EXPECT_EQ(RunCapture(*writer, script), 0);
    EXPECT_EQ(writer->QueuedSamples(kSourceSystemSound), 0);
    writer->coPutFun();  // a second close finds nothing to finish
    EXPECT_EQ(owner.finished.size(), 1u);
}

// A sound source that delivers nothing does not keep the recording off the disk: an
// MP4's header goes out without its stream, and the sound that comes later keeps its
// time.
TEST_F(OutputFileTest, Mp4WhoseSoundDoesNotComeIsOnTheDiskWhileItIsWritten) {
    SoundFeed mic{kSourceMicrophone, 44100, 1, AV_SAMPLE_FMT_S16, 2500, 0.3};
    mic.offset = 2;  // its first frame comes 2 s after the first picture
    WriterSetup setup{dir.File(L"late.mp4")};
    setup.sounds = {mic};
    bool opened = false;
    auto writer = OpenWriter(setup, &owner, &opened);
    ASSERT_TRUE(opened);
    CaptureScript script;
    script.sounds = setup.sounds;
    script.seconds = 2;
    ASSERT_EQ(RunCapture(*writer, script), 50);
    EXPECT_TRUE(WaitFor([&] { return PacketsOnDisk(setup.name, AVMEDIA_TYPE_VIDEO) == 50; }))
        << "the pictures stay off the disk while the sound has not come";
    warnings.Take();  // what the reader said of the file before its header was out

    script.from = 2;
    script.seconds = 3;
    RunCapture(*writer, script);  // the sound starts at last
    writer->coPutFun();
    ProbedFile file = ProbeFile(setup.name);
    const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
    const ProbedStream* audio = file.Find(AVMEDIA_TYPE_AUDIO);
    ASSERT_TRUE(video && audio);
    EXPECT_EQ(video->pts.size(), 75u);
    EXPECT_NEAR(audio->Seconds(), 3, 0.1);
    ExpectCleanStreams(file);
    ExpectNoWarnings();
    // The microphone's first frame stands at 2 s; before it, the silence its
    // alignment put in.
    const DecodedSound sound = DecodeSound(setup.name);
    ASSERT_FALSE(sound.channels.empty());
    const std::vector<float>& s = sound.channels[0];
    ASSERT_GE(s.size(), size_t(44100 * 2.9));
    EXPECT_NEAR(sound.startSeconds, 0, 0.03);
    EXPECT_LT(ToneAmplitude(s, 44100, 2500, 22050, 66150), 0.01);
    EXPECT_NEAR(ToneAmplitude(s, 44100, 2500, size_t(44100 * 2.1), 22050), 0.3, 0.05);
}

// What was written reaches the file although no further packet comes (a capture that
// stalls): the flush thread puts out what the muxer holds.
TEST_F(OutputFileTest, PacketsReachTheFileWithoutWaitingForTheNextOnes) {
    for (const wchar_t* name : {L"held.mp4", L"held.flv"}) {
        const bool flv = std::wstring(name).find(L".flv") != std::wstring::npos;
        WriterSetup setup{dir.File(name), flv ? AV_CODEC_ID_MP3 : AV_CODEC_ID_AAC};
        setup.sounds = {kSystemSound};
        bool opened = false;
        auto writer = OpenWriter(setup, &owner, &opened);
        ASSERT_TRUE(opened);
        CaptureScript script;
        script.sounds = setup.sounds;
        script.seconds = 1;
        ASSERT_EQ(RunCapture(*writer, script), 25);
        EXPECT_TRUE(WaitFor([&] { return PacketsOnDisk(setup.name, AVMEDIA_TYPE_VIDEO) == 25; })) << WideToUtf8(name);
        warnings.Take();
        writer->coPutFun();
    }
}

// A sound device whose format cannot be converted for the encoder refuses the start
// with its cause, and leaves no file.
TEST_F(OutputFileTest, SoundThatCannotBeConvertedRefusesTheStart) {
    // A sample format past FFmpeg's list: no converter takes it.
    const SoundFeed unusable{kSourceMicrophone, 44100, 1, AV_SAMPLE_FMT_NB};
    const SoundFeed unusableAlone{kSourceSystemSound, 44100, 2, AV_SAMPLE_FMT_NB};
    const std::vector<SoundFeed> cases[] = {{kSystemSound, unusable}, {unusableAlone}};
    for (const std::vector<SoundFeed>& sounds : cases) {
        WriterSetup setup{dir.File(L"unconvertible.mp4")};
        setup.sounds = sounds;
        bool opened = true;
        auto writer = OpenWriter(setup, &owner, &opened);
        EXPECT_FALSE(opened) << sounds.size();
        EXPECT_EQ(writer->OpenFailure(), WriteFailure::kSoundFormat) << sounds.size();
        EXPECT_FALSE(writer->IsFileOpen());
        EXPECT_FALSE(FileExists(setup.name)) << sounds.size();
        EXPECT_FALSE(FileExists(setup.name + L".unfinished")) << sounds.size();
        writer->coPutFun();
        EXPECT_TRUE(owner.finished.empty());
    }
    warnings.Take();
}

// A screen that changes its size delivers pictures the record area does not fit:
// they are refused, said once in the log, and the writer tells that it happened.
TEST_F(OutputFileTest, PicturesOfAnotherSizeAreRefusedAndSaidOnce) {
    LogCapture log(dir.File(L"size.log"));
    WriterSetup setup{dir.File(L"size.mp4")};
    bool opened = false;
    auto writer = OpenWriter(setup, &owner, &opened);
    ASSERT_TRUE(opened);
    CCropScaler scaler;
    ASSERT_TRUE(scaler.Init(kPictureWidth, kPictureHeight, AV_PIX_FMT_YUV420P, writer->g_rRecord2));
    for (int i = 0; i < 15; ++i) {
        const bool resized = i >= 5;
        AVFrame* picture = MakePicture(resized ? 320 : kPictureWidth, resized ? 240 : kPictureHeight, i);
        EXPECT_EQ(writer->HandlefFrame1(picture, scaler, CaptureTicks(i / 25.0), kCaptureTimeBase), !resized) << i;
        av_frame_free(&picture);
        EXPECT_EQ(writer->PictureSizeChanged(), resized) << i;
    }
    writer->coPutFun();
    EXPECT_EQ(log.CountLines({"picture does not hold the record area"}), 1);
    EXPECT_EQ(PacketsOnDisk(setup.name, AVMEDIA_TYPE_VIDEO), 5u);
}

}  // namespace

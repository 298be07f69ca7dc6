// How the settings reach the H.264 and the sound encoder.
#include <gtest/gtest.h>

#include "engine/writer_audio_encoder.h"
#include "engine/writer_video_encoder.h"
#include "tests/engine/writer_harness.h"

using testing_support::TempDir;

namespace {

class EncoderSettingsTest : public ::testing::Test {
protected:
    TempDir dir;
    TestSettings settings{dir.path()};
    RecordingOwner owner;

    std::unique_ptr<CSaveVideoFileThread> Open(const wchar_t* name, bool* opened) {
        WriterSetup setup{dir.File(name)};
        setup.sounds = {{kSourceSystemSound, 44100, 2}};
        return OpenWriter(setup, &owner, opened);
    }
};

TEST(QualityToValue, MapsDefinitionToQmax) {
    EXPECT_EQ(quality_to_value(L"原画"), 18);
    EXPECT_EQ(quality_to_value(L"高清"), 24);
    EXPECT_EQ(quality_to_value(L"标清"), 30);
    EXPECT_EQ(quality_to_value(L"unknown"), 24);
}

TEST_F(EncoderSettingsTest, VideoEncoderFollowsDefinitionAndUnscaledBitrate) {
    struct Case {
        const wchar_t* definition;
        const wchar_t* vbitrate;
        int qmax;
        int64_t bitRate;
    } cases[] = {
        {L"原画", L"5000", 18, 5000},  {L"高清", L"8000", 24, 8000}, {L"标清", L"5000", 30, 5000},
        {L"高清", L"abc", 24, 5000},  // unusable settings: the default, and the recording is made
        {L"高清", L"-5000", 24, 5000}, {L"高清", L"0", 24, 5000},    {L"高清", L"99999999999", 24, 5000},
    };
    int n = 0;
    for (const Case& c : cases) {
        SettingRecord record = settings.record;
        record.Definition = c.definition;
        record.VBitrate = c.vbitrate;
        settings.Save(record);
        bool opened = false;
        auto writer = Open((L"v" + std::to_wstring(n++) + L".mp4").c_str(), &opened);
        ASSERT_TRUE(opened) << n;
        const AVCodecContext* video = writer->VideoCodecContext();
        ASSERT_NE(video, nullptr);
        EXPECT_EQ(video->qmax, c.qmax) << n;
        EXPECT_EQ(video->qmin, 16) << n;
        EXPECT_EQ(video->max_b_frames, 0) << n;
        EXPECT_EQ(video->gop_size, 50) << n;
        EXPECT_EQ(video->bit_rate, c.bitRate) << n;
        EXPECT_EQ(video->width, 160);
        EXPECT_EQ(video->height, 120);
        writer->coPutFun();
    }
}

// A bit rate that cannot work is no reason to refuse the recording: the default.
TEST_F(EncoderSettingsTest, AudioBitrateIsKilobitsTimes1024OrTheDefault) {
    struct Case {
        const wchar_t* abitrate;
        bool opens;
        int64_t bitRate;
    } cases[] = {
        {L"128", true, 131072}, {L"64", true, 65536},           {L"0", true, 131072},
        {L"abc", true, 131072}, {L"99999999999", true, 131072}, {L"-64", true, 131072},
    };
    int n = 0;
    for (const Case& c : cases) {
        SettingRecord record = settings.record;
        record.ABitrate = c.abitrate;
        settings.Save(record);
        bool opened = false;
        auto writer = Open((L"a" + std::to_wstring(n++) + L".mp4").c_str(), &opened);
        EXPECT_EQ(opened, c.opens) << n;
        if (opened) {
            EXPECT_EQ(writer->AudioCodecContext()->bit_rate, c.bitRate) << n;
        }
        writer->coPutFun();
    }
    EXPECT_EQ(owner.finished.size(), 6u);
}

}  // namespace

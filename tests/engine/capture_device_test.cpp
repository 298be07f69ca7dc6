// Capture sources opening the real devices: the screen device's registry values,
// the crop taken out of its picture, a microphone's format, a device that does not
// exist.
#include <gtest/gtest.h>

#include <optional>

#include "common/monitor_list.h"
#include "engine/capture_thread.h"
#include "tests/engine/screen_key.h"
#include "tests/engine/writer_harness.h"
#include "tests/fixtures/fixture_devices.h"
#include "tests/support/record_globals_reset.h"

using testing_support::TempDir;

namespace {

const char kScreenDevice[] = "screen-capture-recorder";

class CaptureDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<MonitorInfo> monitors;
        ASSERT_TRUE(EnumMonitorList(monitors, desktop));
        testing_support::ResetRecordGlobals();
    }
    // A screen source of the whole desktop with `area` chosen in `mode`; its crop.
    RECT OpenScreen(const RECT& area, int32_t mode) {
        g_userSelMode = mode;
        g_rcSnapwick = area;
        CSaveVideoFileThread writer(&owner);
        CGetVideoThread screen(&owner, kSourceScreen);
        screen.SetWriter(&writer);
        screen.SetRecordRect(desktop.left, desktop.top, desktop.right, desktop.bottom);
        EXPECT_TRUE(screen.init(kScreenDevice, true, "", false, false));
        EXPECT_TRUE(screen.IsInputOpen());
        return writer.g_rRecord2;
    }

    TempDir dir;
    TestSettings settings{dir.path()};
    RecordingOwner owner;
    RECT desktop{};
    ScopedScreenKey key;
};

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST_F(CaptureDeviceTest, ScreenSourceWritesTheDeviceValuesBeforeOpeningIt) {
    struct Case {
        std::optional<DWORD> fpsBefore;
        int frameRate;
        bool pointer;
        std::optional<DWORD> fpsAfter;
    } cases[] = {
        {std::nullopt, 15, true, std::nullopt},  // missing: left alone
        {0, 15, false, 0},                       // 0: left alone
        {30, 15, true, 15},                      // the FrameRate setting
        {30, 3, false, 25},                      // a setting below 5 gives 25
        {30, -40, true, 25},                     // and so does any other unusable one
        {30, 100000, true, 25},
    };
    for (const Case& c : cases) {
        ScopedScreenKey fresh;
        if (c.fpsBefore) ScopedScreenKey::Write(L"default_max_fps", *c.fpsBefore);
        SettingRecord record = settings.record;
        record.FrameRate = c.frameRate;
        record.Point = c.pointer;
        settings.Save(record);
        OpenScreen(desktop, kSelModeFullScreen);
        EXPECT_EQ(ScopedScreenKey::Read(L"default_max_fps"), c.fpsAfter) << c.frameRate;
        EXPECT_EQ(ScopedScreenKey::Read(L"start_x"), DWORD(desktop.left));
        EXPECT_EQ(ScopedScreenKey::Read(L"start_y"), DWORD(desktop.top));
        EXPECT_EQ(ScopedScreenKey::Read(L"capture_width"), DWORD(desktop.right - desktop.left));
        EXPECT_EQ(ScopedScreenKey::Read(L"capture_height"), DWORD(desktop.bottom - desktop.top));
        EXPECT_EQ(ScopedScreenKey::Read(L"rt"), DWORD(desktop.right));
        EXPECT_EQ(ScopedScreenKey::Read(L"bm"), DWORD(desktop.bottom));
        EXPECT_EQ(ScopedScreenKey::Read(L"capture_mouse_default_1"), DWORD(c.pointer ? 1 : 0));
    }
}

TEST_F(CaptureDeviceTest, CropOfTheScreenPicture) {
    struct Case {
        RECT area;
        int32_t mode;
        RECT crop;
    } cases[] = {
        {desktop, kSelModeFullScreen, desktop},                        // not shrunk
        {{100, 100, 201, 201}, kSelModeRegion, {103, 103, 197, 197}},  // 94 x 94
        // an area larger than what the device delivers is cut to the picture
        {{0, 0, desktop.right + 320, desktop.bottom + 200}, kSelModeFullScreen, desktop},
    };
    for (const Case& c : cases) {
        RECT crop = OpenScreen(c.area, c.mode);
        EXPECT_EQ(Text(crop), Text(c.crop)) << Text(c.area);
    }
}

TEST_F(CaptureDeviceTest, MicrophoneHandsItsFormatToTheWriter) {
    CSaveVideoFileThread writer(&owner);
    CGetVideoThread mic(&owner, kSourceMicrophone);
    mic.SetWriter(&writer);
    ASSERT_TRUE(mic.init("", false, fixture_devices::kToneDeviceName, false, true));
    EXPECT_TRUE(mic.IsInputOpen());
    const AudioInputParams& p = mic.SoundParams();
    EXPECT_EQ(p.channels, fixture_devices::kToneChannels);
    EXPECT_EQ(p.in_sample_rate, fixture_devices::kToneSampleRate);
    EXPECT_EQ(p.out_sample_rate, fixture_devices::kToneSampleRate);  // not mixed
    EXPECT_EQ(p.sample_fmt, AV_SAMPLE_FMT_S16);
    EXPECT_EQ(p.time_base_den, 10000000);
    EXPECT_EQ(writer.AudioChannels(), fixture_devices::kToneChannels);

    // Mixed with system sound the output rate is the mix's.
    ASSERT_TRUE(mic.init("", false, fixture_devices::kToneDeviceName, true, true));
    EXPECT_EQ(mic.SoundParams().out_sample_rate, CSaveVideoFileThread::kMixSampleRate);
}

TEST_F(CaptureDeviceTest, DeviceThatDoesNotExistFailsWithMinusFiveAndLeavesNothingOpen) {
    CSaveVideoFileThread writer(&owner);
    for (int32_t type : {kSourceMicrophone, kSourceCamera}) {
        g_lastDeviceOpenError = 0;
        CGetVideoThread source(&owner, type);
        source.SetWriter(&writer);
        const bool opened = type == kSourceCamera ? source.init("no-such-camera", true, "", false, false)
                                                  : source.init("", false, "no-such-microphone", false, true);
        EXPECT_FALSE(opened);
        EXPECT_EQ(g_lastDeviceOpenError, AVERROR(EIO));
        EXPECT_EQ(g_lastDeviceOpenError, -5);
        EXPECT_FALSE(source.IsInputOpen());
    }
}

}  // namespace

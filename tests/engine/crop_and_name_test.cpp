// The crop of the captured picture, and the names of new recordings.
#include <gtest/gtest.h>

#include "common/record_globals.h"
#include "engine/capture_screen_crop.h"
#include "engine/writer_record_name.h"

namespace {

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(ScreenCrop, AreaRelativeToTheRecordRectShrunkUnlessFullScreenAndEven) {
    struct Case {
        RECT area, record;
        bool fullScreen;
        RECT crop;
    } cases[] = {
        {{0, 0, 1280, 800}, {0, 0, 1280, 800}, true, {0, 0, 1280, 800}},  // full screen: whole
        // a monitor right of one at negative x: relative to the union's origin
        {{0, 0, 1280, 800}, {-1280, 0, 1280, 800}, true, {1280, 0, 2560, 800}},
        // 101 x 101 region: 3 off every side is 95 x 95, made even 94 x 94
        {{100, 100, 201, 201}, {0, 0, 1280, 800}, false, {103, 103, 197, 197}},
        {{10, 10, 110, 61}, {0, 0, 1280, 800}, false, {13, 13, 107, 57}},  // 94 x 44
        {{0, 0, 7, 7}, {0, 0, 1280, 800}, false, {3, 3, 5, 5}},            // 1 x 1 left: made 2 x 2
    };
    for (const Case& c : cases) {
        RECT crop = CropForArea(c.area, c.record, c.fullScreen);
        EXPECT_TRUE(Same(crop, c.crop)) << Text(c.area) << " gave " << Text(crop);
    }
}

TEST(ScreenCrop, ClampedToThePictureItIsTakenFrom) {
    struct Case {
        RECT crop;
        int width, height;
        RECT clamped;
    } cases[] = {
        {{0, 0, 1280, 800}, 1280, 800, {0, 0, 1280, 800}},  // fits: unchanged
        {{0, 0, 1280, 800}, 640, 480, {0, 0, 640, 480}},    // picture smaller than the crop
        {{600, 400, 700, 500}, 640, 480, {600, 400, 640, 480}},
        {{1, 0, 1280, 800}, 640, 480, {1, 0, 639, 480}},     // stays even
        {{-20, -10, 100, 100}, 640, 480, {0, 0, 100, 100}},  // reaches left of the picture
        {{700, 100, 800, 200}, 640, 480, {0, 0, 0, 0}},      // wholly outside: nothing to record
    };
    for (const Case& c : cases) {
        RECT clamped = ClampCropToPicture(c.crop, c.width, c.height);
        EXPECT_TRUE(Same(clamped, c.clamped))
            << Text(c.crop) << " in " << c.width << "x" << c.height << " gave " << Text(clamped);
    }
}

TEST(RecordName, ContainerAndSoundCodecFollowModeAndFormat) {
    const SYSTEMTIME when{2024, 3, 2, 5, 7, 8, 9, 0};
    struct Case {
        int32_t mode;
        std::wstring format;
        bool division;
        std::wstring name;
        AVCodecID codec;
    } cases[] = {
        {kSelModeFullScreen, L"MP4", false, L"D:\\rec\\20240305_070809.mp4", AV_CODEC_ID_AAC},
        {kSelModeRegion, L"FLV", false, L"D:\\rec\\20240305_070809.flv", AV_CODEC_ID_MP3},
        {kSelModeSoundOnly, L"MP4", false, L"D:\\rec\\20240305_070809.mp3", AV_CODEC_ID_MP3},
        {kSelModeFullScreen, L"mp4", false, L"D:\\rec\\20240305_070809.mp4", AV_CODEC_ID_AAC},  // any case
        {kSelModeRegion, L"Flv", false, L"D:\\rec\\20240305_070809.flv", AV_CODEC_ID_MP3},
        {kSelModeFullScreen, L"mkv", false, L"D:\\rec\\20240305_070809.mp4", AV_CODEC_ID_AAC},  // anything else: MP4
        {kSelModeFullScreen, L"", false, L"D:\\rec\\20240305_070809.mp4", AV_CODEC_ID_AAC},
        {kSelModeFullScreen, L"MP4", true, L"D:\\rec\\20240305_070809 Part .mp4", AV_CODEC_ID_AAC},
    };
    for (const Case& c : cases) {
        SettingRecord settings;
        settings.path = L"D:\\rec";
        settings.VFormat = c.format;
        settings.Division = c.division;
        RecordName name = MakeRecordName(settings, c.mode, when);
        EXPECT_EQ(name.path, c.name);
        EXPECT_EQ(name.audioCodec, c.codec) << c.mode;
    }
}

}  // namespace

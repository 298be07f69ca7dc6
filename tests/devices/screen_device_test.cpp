// "screen-capture-recorder" opened through FFmpeg's dshow input, as the
// recorder opens it: area, placement, off-desktop black, pointer, frame rate.
#include "tests/devices/dshow_test_input.h"
#include "tests/devices/screen_registry.h"
#include "tests/devices/solid_window.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace device_testing;

namespace {

const char kScreenUrl[] = "video=screen-capture-recorder";
const int kDesktopWidth = 1280, kDesktopHeight = 800;  // the test environment's screen

// Opens the device with `values` in the registry and reads `count` pictures.
std::vector<Picture> GrabPictures(const ScreenValues& values, int count) {
    ScopedScreenValues registry(values);
    DshowInput input;
    EXPECT_EQ(input.Open(kScreenUrl), 0);
    std::vector<Picture> pictures(static_cast<size_t>(count));
    for (Picture& picture : pictures)
        if (!input.ReadPicture(picture)) ADD_FAILURE() << "no picture";
    return pictures;
}

TEST(ScreenDevice, PictureSizeFollowsTheRegistryArea) {
    struct Case {
        int x, y, width, height, expected_width, expected_height;
    };
    const Case cases[] = {
        {100, 100, 320, 240, 320, 240},
        {0, 0, kDesktopWidth, kDesktopHeight, kDesktopWidth, kDesktopHeight},
        {10, 20, 333, 111, 333, 111},                 // odd sizes as they are
        {0, 0, 0, 0, kDesktopWidth, kDesktopHeight},  // no usable size: the whole desktop
    };
    for (const Case& c : cases) {
        ScopedScreenValues registry({c.x, c.y, c.width, c.height});
        DshowInput input;
        ASSERT_EQ(input.Open(kScreenUrl), 0);
        EXPECT_EQ(input.Params()->width, c.expected_width);
        EXPECT_EQ(input.Params()->height, c.expected_height);
        Picture picture;
        ASSERT_TRUE(input.ReadPicture(picture));
        EXPECT_EQ(picture.width, c.expected_width);
        EXPECT_EQ(picture.height, c.expected_height);
    }
}

TEST(ScreenDevice, WindowAppearsAtItsPlaceInThePicture) {
    const uint32_t kBack = 0x203060, kMark = 0xE01010;
    SolidWindow back({150, 100, 650, 500}, kBack);
    SolidWindow mark({300, 250, 340, 270}, kMark);  // 40 x 20
    // Area from (200, 150): the mark sits at (100, 100) to (140, 120) in the picture.
    Picture picture = GrabPictures({200, 150, 400, 300, 50, 0}, 2).back();
    ASSERT_EQ(picture.width, 400);
    EXPECT_EQ(picture.At(100, 100), kMark);
    EXPECT_EQ(picture.At(139, 119), kMark);
    EXPECT_EQ(picture.At(120, 110), kMark);
    EXPECT_EQ(picture.At(99, 100), kBack);
    EXPECT_EQ(picture.At(140, 119), kBack);
    EXPECT_EQ(picture.At(100, 99), kBack);
    EXPECT_EQ(picture.At(139, 120), kBack);
    EXPECT_EQ(picture.At(0, 0), kBack);
    EXPECT_EQ(picture.At(399, 299), kBack);
}

TEST(ScreenDevice, AreaPartlyOffTheDesktopIsBlackThere) {
    const uint32_t kBack = 0x30A040;
    {
        SolidWindow corner({kDesktopWidth - 300, kDesktopHeight - 300, kDesktopWidth, kDesktopHeight}, kBack);
        // 100 pixels on the desktop each way, the rest past its right and bottom edges.
        Picture picture = GrabPictures({kDesktopWidth - 100, kDesktopHeight - 100, 240, 160, 50, 0}, 2).back();
        ASSERT_EQ(picture.width, 240);
        EXPECT_EQ(picture.At(0, 0), kBack);
        EXPECT_EQ(picture.At(99, 99), kBack);
        EXPECT_EQ(picture.At(100, 0), 0u);
        EXPECT_EQ(picture.At(0, 100), 0u);
        EXPECT_EQ(picture.At(239, 159), 0u);
        EXPECT_EQ(picture.At(150, 50), 0u);
    }
    {
        SolidWindow corner({0, 0, 200, 200}, kBack);
        // Starting left of and above the desktop: negative start values.
        Picture picture = GrabPictures({-60, -40, 120, 80, 50, 0}, 2).back();
        ASSERT_EQ(picture.width, 120);
        EXPECT_EQ(picture.At(0, 0), 0u);
        EXPECT_EQ(picture.At(59, 79), 0u);
        EXPECT_EQ(picture.At(119, 39), 0u);
        EXPECT_EQ(picture.At(60, 40), kBack);
        EXPECT_EQ(picture.At(119, 79), kBack);
    }
}

// Pixels of the picture that differ from the window's colour.
int CountOtherPixels(const Picture& picture, uint32_t colour) {
    int n = 0;
    for (uint32_t p : picture.pixels) n += p != colour;
    return n;
}

TEST(ScreenDevice, PointerIsDrawnUnlessTurnedOff) {
    const uint32_t kBack = 0x808000;
    SolidWindow back({400, 300, 700, 600}, kBack, true);
    SetCursorPos(550, 450);
    Sleep(200);
    struct Case {
        std::optional<int> mouse;
        bool drawn;
    };
    for (Case c : {Case{1, true}, Case{0, false}, Case{std::nullopt, true}}) {
        Picture picture = GrabPictures({500, 400, 100, 100, 50, c.mouse}, 2).back();
        if (c.drawn) {
            EXPECT_GT(CountOtherPixels(picture, kBack), 20);  // an arrow near the centre
            EXPECT_NE(picture.At(50, 50), kBack);             // its tip is the pointer's hot spot
        } else {
            EXPECT_EQ(CountOtherPixels(picture, kBack), 0);
        }
    }
}

// Frames leave on the slots of the declared rate: every gap is a whole number of
// frame intervals, never less than one. A slot missed under load only makes a gap
// longer, so the rate itself shows in the first two frames on neighbouring slots,
// which any load lets through within the frames read here.
TEST(ScreenDevice, FrameRateFollowsDefaultMaxFps) {
    struct Case {
        std::optional<int> fps;
        int64_t interval;  // 100 ns units, as the packets' times
    };
    const int kMostFrames = 100;
    // No value or 0: 25 frames a second.
    for (Case c : {Case{10, 1000000}, Case{30, 333333}, Case{std::nullopt, 400000}, Case{0, 400000}}) {
        SCOPED_TRACE(c.interval);
        ScopedScreenValues registry({0, 0, 160, 120, c.fps, 0});
        DshowInput input;
        ASSERT_EQ(input.Open(kScreenUrl), 0);
        EXPECT_EQ(av_cmp_q(input.FrameRate(), AVRational{10000000, int(c.interval)}), 0)
            << input.FrameRate().num << "/" << input.FrameRate().den;
        AVPacket* packet = av_packet_alloc();
        int64_t last = AV_NOPTS_VALUE;
        int read = 0;
        bool neighbours = false;
        while (!neighbours && read < kMostFrames && input.ReadPacket(packet)) {
            ++read;
            if (last != AV_NOPTS_VALUE) {
                int64_t gap = packet->pts - last;
                ASSERT_GE(gap, c.interval) << "a frame before its slot";
                ASSERT_EQ(gap % c.interval, 0) << "a frame off its slot";
                neighbours = gap == c.interval;
            }
            last = packet->pts;
            av_packet_unref(packet);
        }
        av_packet_free(&packet);
        EXPECT_TRUE(neighbours) << "no two of " << read << " frames on neighbouring slots";
    }
}

TEST(ScreenDevice, TimesAreNeverZeroAndAlwaysIncrease) {
    ScopedScreenValues registry({0, 0, 64, 64, 50, 0});
    DshowInput input;
    ASSERT_EQ(input.Open(kScreenUrl), 0);
    AVPacket* packet = av_packet_alloc();
    const int kFrames = 20;
    int64_t last = 0;
    int read = 0;
    while (read < kFrames && input.ReadPacket(packet)) {
        ++read;
        EXPECT_NE(packet->pts, 0);
        EXPECT_NE(packet->pts, AV_NOPTS_VALUE);
        EXPECT_GT(packet->pts, last);
        last = packet->pts;
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    EXPECT_EQ(read, kFrames) << "the device stopped delivering";
}

}  // namespace

// The crop converted on its own into the writer's picture comes out pixel for pixel as
// the whole captured picture converted to YUV420P with the crop copied out of it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

extern "C" {
#include <libswscale/swscale.h>
}

#include "engine/capture_crop_scaler.h"
#include "engine/writer_video_encoder.h"

namespace {

// A captured picture of noise (every pixel differs from its neighbours, so a filter
// that reads other rows or columns shows).
AVFrame* NoisePicture(int width, int height, AVPixelFormat format, uint32_t seed) {
    AVFrame* f = av_frame_alloc();
    f->format = format;
    f->width = width;
    f->height = height;
    av_frame_get_buffer(f, 0);
    uint32_t x = seed * 2654435761u + 1;
    for (int plane = 0; plane < 4 && f->data[plane]; ++plane) {
        const int rows = plane && format == AV_PIX_FMT_YUV420P ? (height + 1) / 2 : height;
        for (int y = 0; y < rows; ++y)
            for (int i = 0; i < f->linesize[plane]; ++i) {
                x ^= x << 13, x ^= x >> 17, x ^= x << 5;
                f->data[plane][y * f->linesize[plane] + i] = static_cast<uint8_t>(x >> 24);
            }
    }
    return f;
}

// How the crop was made before: the whole picture converted, then copied out.
AVFrame* WholeThenCopy(const AVFrame* captured, const RECT& crop) {
    AVFrame* whole = av_frame_alloc();
    whole->format = AV_PIX_FMT_YUV420P;
    whole->width = captured->width;
    whole->height = captured->height;
    av_frame_get_buffer(whole, 0);
    SwsContext* sws =
        sws_getContext(captured->width, captured->height, static_cast<AVPixelFormat>(captured->format), captured->width,
                       captured->height, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    sws_scale(sws, captured->data, captured->linesize, 0, captured->height, whole->data, whole->linesize);
    sws_freeContext(sws);
    AVFrame* out = av_frame_alloc();
    out->format = AV_PIX_FMT_YUV420P;
    out->width = crop.right - crop.left;
    out->height = crop.bottom - crop.top;
    av_frame_get_buffer(out, 0);
    EXPECT_TRUE(CopyYuvCrop(whole, crop, out));
    av_frame_free(&whole);
    return out;
}

// The first differing pixel as "plane x,y", empty when both are the same.
std::string FirstDifference(const AVFrame* a, const AVFrame* b) {
    for (int plane = 0; plane < 3; ++plane) {
        const int shift = plane ? 1 : 0;
        for (int y = 0; y < a->height >> shift; ++y)
            for (int x = 0; x < a->width >> shift; ++x)
                if (a->data[plane][y * a->linesize[plane] + x] != b->data[plane][y * b->linesize[plane] + x])
                    return std::to_string(plane) + " " + std::to_string(x) + "," + std::to_string(y);
    }
    return "";
}

struct Case {
    int width, height;
    AVPixelFormat format;
    RECT crop;
};

std::string Name(const Case& c) {
    return std::to_string(c.width) + "x" + std::to_string(c.height) + " fmt " + std::to_string(c.format) + " crop " +
           std::to_string(c.crop.left) + "," + std::to_string(c.crop.top) + "," + std::to_string(c.crop.right) + "," +
           std::to_string(c.crop.bottom);
}

void ExpectSameAsWholeThenCopy(const Case& c) {
    SCOPED_TRACE(Name(c));
    AVFrame* captured = NoisePicture(c.width, c.height, c.format, static_cast<uint32_t>(c.crop.left * 31 + c.crop.top));
    CCropScaler scaler;
    ASSERT_TRUE(scaler.Init(c.width, c.height, c.format, c.crop));
    AVFrame* picture = nullptr;
    uint8_t* buffer = nullptr;
    IYFrame(&picture, &buffer, AV_PIX_FMT_YUV420P, c.crop.right - c.crop.left, c.crop.bottom - c.crop.top);
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(av_frame_is_writable(picture));  // reference-counted, the writer's only
    // Twice into the same picture, as frame after frame is.
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(scaler.Convert(captured, picture));
        AVFrame* expected = WholeThenCopy(captured, c.crop);
        EXPECT_EQ(FirstDifference(picture, expected), "");
        av_frame_free(&expected);
        av_frame_free(&captured);
        captured = NoisePicture(c.width, c.height, c.format, 99u + round);
    }
    av_frame_free(&picture);
    av_freep(&buffer);
    av_frame_free(&captured);
}

TEST(CropScaler, EveryCropOffsetComesOutAsTheWholePictureConvertedAndCopied) {
    // Odd and even offsets on both axes, crops at every edge and corner, inside the
    // rows the chroma filter reaches from an edge, and the whole picture.
    for (AVPixelFormat format : {AV_PIX_FMT_BGR0, AV_PIX_FMT_BGRA, AV_PIX_FMT_YUV420P})
        for (int left = 0; left < 4; ++left)
            for (int top = 0; top < 4; ++top)
                ExpectSameAsWholeThenCopy({160, 120, format, {left, top, left + 62, top + 40}});
    const Case cases[] = {
        {160, 120, AV_PIX_FMT_BGR0, {0, 0, 160, 120}},    // whole picture
        {160, 120, AV_PIX_FMT_BGR0, {98, 80, 160, 120}},  // bottom right corner
        {160, 120, AV_PIX_FMT_BGR0, {97, 77, 159, 119}},  // odd, one short of the corner
        {160, 120, AV_PIX_FMT_BGR0, {1, 3, 3, 5}},        // 2 x 2
        {160, 120, AV_PIX_FMT_BGR0, {5, 5, 155, 115}},    // within the filter's reach of every edge
        {160, 120, AV_PIX_FMT_BGR0, {3, 9, 157, 13}},     // a few rows, odd offsets
        {160, 120, AV_PIX_FMT_BGR0, {0, 57, 160, 59}},    // two rows in the middle
        {1280, 720, AV_PIX_FMT_BGR0, {323, 171, 1283 - 320, 171 + 360}},
        {1920, 1080, AV_PIX_FMT_BGR0, {3, 3, 1283, 723}},  // the benchmark's 1280 x 720
        // An odd picture: converted whole, then copied.
        {161, 121, AV_PIX_FMT_BGR0, {3, 5, 63, 45}},
        {161, 121, AV_PIX_FMT_BGR0, {1, 1, 161, 121}},
        {160, 121, AV_PIX_FMT_BGR0, {0, 1, 160, 121}},
    };
    for (const Case& c : cases) ExpectSameAsWholeThenCopy(c);
}

TEST(CropScaler, RefusesCropsOutsideThePictureAndPicturesItWasNotMadeFor) {
    CCropScaler scaler;
    EXPECT_FALSE(scaler.Init(160, 120, AV_PIX_FMT_BGR0, {100, 0, 162, 40}));  // past the right edge
    EXPECT_FALSE(scaler.Init(160, 120, AV_PIX_FMT_BGR0, {-1, 0, 61, 40}));
    EXPECT_FALSE(scaler.Init(160, 120, AV_PIX_FMT_BGR0, {0, 0, 61, 40}));  // odd width
    EXPECT_FALSE(scaler.Init(160, 120, AV_PIX_FMT_BGR0, {0, 0, 0, 0}));
    EXPECT_FALSE(scaler.IsReady());

    ASSERT_TRUE(scaler.Init(160, 120, AV_PIX_FMT_BGR0, {2, 2, 62, 42}));
    AVFrame* picture = nullptr;
    uint8_t* buffer = nullptr;
    IYFrame(&picture, &buffer, AV_PIX_FMT_YUV420P, 60, 40);
    AVFrame* other = NoisePicture(200, 120, AV_PIX_FMT_BGR0, 1);  // the device changed size
    EXPECT_FALSE(scaler.Convert(other, picture));
    av_frame_free(&other);
    other = NoisePicture(160, 120, AV_PIX_FMT_RGB24, 1);
    EXPECT_FALSE(scaler.Convert(other, picture));
    av_frame_free(&other);
    AVFrame* small = nullptr;
    uint8_t* smallBuffer = nullptr;
    IYFrame(&small, &smallBuffer, AV_PIX_FMT_YUV420P, 58, 40);  // not the crop's size
    other = NoisePicture(160, 120, AV_PIX_FMT_BGR0, 1);
    EXPECT_FALSE(scaler.Convert(other, small));
    EXPECT_TRUE(scaler.Convert(other, picture));
    av_frame_free(&other);
    av_frame_free(&small);
    av_freep(&smallBuffer);
    av_frame_free(&picture);
    av_freep(&buffer);
}

}  // namespace

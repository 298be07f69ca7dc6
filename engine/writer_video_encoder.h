// The H.264 encoder of the file writer.
#pragma once

#include <cstdint>
#include <string>

#include "engine/ffmpeg_api.h"

constexpr int kVideoQmin = 16;
constexpr int kVideoMaxBFrames = 0;

// qmax for the Definition setting: "原画" 18, "高清" 24, "标清" 30; any other text 24.
int quality_to_value(const std::wstring& definition);
constexpr int32_t kDefaultVideoBitrate = 5000;  // the VBitrate setting's default
// The VBitrate setting in bits per second, unscaled; a text that is no positive
// 32-bit number gives the default, with a log line.
int32_t ParseVideoBitrate(const std::wstring& text);

// Opens the encoder: the given size and pixel format, time base 1/frameRate, GOP of
// 2 x frameRate; for H.264 also qmin, qmax, maxBFrames and "preset" "fast", "tune"
// "zerolatency"; a global header when the container wants one. false when there is no
// encoder or it does not open (ctx then stays null).
bool vcoHandle(AVFormatContext* oc, AVCodecContext** ctx, const AVCodec** codec, AVCodecID codecId,
               AVPixelFormat pixelFormat, int width, int height, int64_t bitRate, int frameRate, int qmin, int qmax,
               int maxBFrames);
// A zero-filled, reference-counted picture of the given format and size in one buffer,
// which stays *buffer's owner: for YUV420P laid out with the room the crop scaler
// writes into (LayoutCropPicture), packed otherwise. Does nothing when width or height
// is not positive or when a frame or buffer already exists.
void IYFrame(AVFrame** frame, uint8_t** buffer, AVPixelFormat pixelFormat, int width, int height);

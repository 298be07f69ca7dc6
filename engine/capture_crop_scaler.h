// Converts the recorded crop of a captured picture straight into the writer's YUV420P
// picture.
#pragma once

#include <windows.h>

#include "engine/ffmpeg_api.h"

struct SwsContext;

// The writer's picture keeps room around its pixels: the scaler converts a few rows
// above and below the crop and, at an odd crop left, one column before and after it,
// so that every pixel comes out as when the whole captured picture is converted and
// the crop copied out of it. Those extra rows and columns land in this room.
struct CropPictureLayout {
    int linesize[3];
    int offset[3];  // of each plane's first pixel in the buffer
    int size;       // bytes of the whole buffer
};
// false when width or height is not a positive even number.
bool LayoutCropPicture(int width, int height, CropPictureLayout* layout);

class CCropScaler {
public:
    CCropScaler() = default;
    ~CCropScaler() { Release(); }
    CCropScaler(const CCropScaler&) = delete;
    CCropScaler& operator=(const CCropScaler&) = delete;

    // For captured pictures of width x height in format: the crop (an even size inside
    // the picture) is what Convert writes. UI thread, before the loop runs.
    bool Init(int width, int height, AVPixelFormat format, const RECT& crop);
    void Release();
    bool IsReady() const { return m_sws != nullptr; }

    // The crop of captured into picture, a YUV420P picture of the crop's size laid out
    // by LayoutCropPicture. false when captured is not the picture Init was told of.
    // Screen thread.
    bool Convert(const AVFrame* captured, AVFrame* picture);

private:
    bool ConvertCropOnly(const AVFrame* captured, AVFrame* picture);
    bool ConvertWholeThenCopy(const AVFrame* captured, AVFrame* picture);

    SwsContext* m_sws = nullptr;
    int m_width = 0, m_height = 0;
    AVPixelFormat m_format = AV_PIX_FMT_NONE;
    RECT m_crop{};
    RECT m_source{};  // the part of the captured picture m_sws reads
    // Pictures whose crop cannot be converted alone (an odd width or height, a
    // palette): converted whole into this one, then the crop copied out.
    AVFrame* m_whole = nullptr;
};

// Copies the crop of a whole YUV420P picture into picture (of the crop's size): luma
// rows from (left, top), each chroma plane at half the width and height from
// (left/2, top/2).
bool CopyYuvCrop(const AVFrame* whole, const RECT& crop, AVFrame* picture);

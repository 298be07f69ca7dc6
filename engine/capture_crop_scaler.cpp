// The recorded crop of a captured picture into the writer's YUV420P picture.
#include "engine/capture_crop_scaler.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include "common/logger.h"

namespace {

const char* const kWhere = "CCropScaler";
// Rows converted above and below the crop: the vertical chroma filter reaches about
// four rows either way, and must see the same rows as when the whole picture is
// converted.
constexpr int kMarginRows = 8;
// Room after each row for the scaler's vector stores, which may run past the width.
constexpr int kRowTail = 64;
constexpr int kAlign = 64;

int AlignUp(int v) { return (v + kAlign - 1) / kAlign * kAlign; }

// Whether the crop can be converted on its own: an even picture (the 4:2:0 chroma of
// the crop then pairs the same pixels as the whole picture's) in a format whose planes
// can be offset by whole pixels.
bool CanConvertCropOnly(int width, int height, AVPixelFormat format) {
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(format);
    if (!desc || (width | height) & 1) return false;
    return !(desc->flags & (AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_BITSTREAM | AV_PIX_FMT_FLAG_HWACCEL)) &&
           desc->log2_chroma_w <= 1 && desc->log2_chroma_h <= 1;
}

// Bytes per pixel of a plane of desc (its widest component's step).
int PlaneStep(const AVPixFmtDescriptor* desc, int plane) {
    int step = 0;
    for (int c = 0; c < desc->nb_components; ++c)
        if (desc->comp[c].plane == plane) step = std::max(step, desc->comp[c].step);
    return step;
}

}  // namespace

bool LayoutCropPicture(int width, int height, CropPictureLayout* layout) {
    if (width <= 0 || height <= 0 || (width | height) & 1) return false;
    int at = kAlign;  // a column before the first pixel of the first row
    for (int plane = 0; plane < 3; ++plane) {
        const int shift = plane ? 1 : 0;
        const int linesize = AlignUp((width >> shift) + 2) + kRowTail;
        const int margin = (kMarginRows >> shift) + 2;
        layout->linesize[plane] = linesize;
        layout->offset[plane] = at + margin * linesize;
        at = layout->offset[plane] + ((height >> shift) + margin) * linesize;
    }
    layout->size = at + kAlign;
    return true;
}

bool CCropScaler::Init(int width, int height, AVPixelFormat format, const RECT& crop) {
    Release();
    const int w = crop.right - crop.left, h = crop.bottom - crop.top;
    if (w < 2 || h < 2 || (w | h) & 1 || crop.left < 0 || crop.top < 0 || crop.right > width || crop.bottom > height) {
        LogBoth(kWhere, "[w]%d [h]%d crop %ld %ld %ld %ld outside the picture error", width, height, crop.left,
                crop.top, crop.right, crop.bottom);
        return false;
    }
    m_width = width;
    m_height = height;
    m_format = format;
    m_crop = crop;
    if (CanConvertCropOnly(width, height, format)) {
        // From even coordinates, so that chroma pairs the same pixels as the whole
        // picture's; an odd left takes one column more on either side.
        m_source.left = crop.left & ~1;
        m_source.right = crop.right + (crop.left & 1);
        m_source.top = std::max<LONG>(0, (crop.top & ~1) - kMarginRows);
        m_source.bottom = std::min<LONG>(height, ((crop.bottom + 1) & ~1) + kMarginRows);
    } else {
        m_source = RECT{0, 0, width, height};
        m_whole = av_frame_alloc();
        if (m_whole) {
            m_whole->format = AV_PIX_FMT_YUV420P;
            m_whole->width = width;
            m_whole->height = height;
        }
        if (!m_whole || av_frame_get_buffer(m_whole, 0) < 0) {
            Release();
            return false;
        }
    }
    const int sw = m_source.right - m_source.left, sh = m_source.bottom - m_source.top;
    m_sws = sws_getContext(sw, sh, format, sw, sh, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!m_sws) {
        LogBoth(kWhere, "[w]%d [h]%d [pix_fmt]%d sws_getContext error", sw, sh, format);
        Release();
        return false;
    }
    LogBoth(kWhere, "[w]%d [h]%d [pix_fmt]%d converts %ld %ld %ld %ld%s", width, height, format, m_source.left,
            m_source.top, m_source.right, m_source.bottom, m_whole ? " whole" : "");
    return true;
}

void CCropScaler::Release() {
    sws_freeContext(m_sws);
    m_sws = nullptr;
    av_frame_free(&m_whole);
}

bool CCropScaler::Convert(const AVFrame* captured, AVFrame* picture) {
    if (!m_sws || !captured || !picture || captured->width != m_width || captured->height != m_height ||
        captured->format != m_format || picture->format != AV_PIX_FMT_YUV420P ||
        picture->width != m_crop.right - m_crop.left || picture->height != m_crop.bottom - m_crop.top)
        return false;
    return m_whole ? ConvertWholeThenCopy(captured, picture) : ConvertCropOnly(captured, picture);
}

// The source rectangle of captured into picture, whose margins take the rows and
// columns converted around the crop.
bool CCropScaler::ConvertCropOnly(const AVFrame* captured, AVFrame* picture) {
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(m_format);
    const uint8_t* src[4] = {};
    int srcStride[4] = {};
    for (int plane = 0; plane < 4 && captured->data[plane]; ++plane) {
        const bool chroma = (plane == 1 || plane == 2) && !(desc->flags & AV_PIX_FMT_FLAG_RGB);
        const int x = chroma ? m_source.left >> desc->log2_chroma_w : m_source.left;
        const int y = chroma ? m_source.top >> desc->log2_chroma_h : m_source.top;
        src[plane] = captured->data[plane] + static_cast<ptrdiff_t>(y) * captured->linesize[plane] +
                     static_cast<ptrdiff_t>(x) * PlaneStep(desc, plane);
        srcStride[plane] = captured->linesize[plane];
    }
    uint8_t* dst[4] = {};
    const ptrdiff_t lumaRows = m_crop.top - m_source.top, lumaCols = m_crop.left - m_source.left;
    dst[0] = picture->data[0] - lumaRows * picture->linesize[0] - lumaCols;
    const ptrdiff_t chromaRows = (m_crop.top >> 1) - (m_source.top >> 1);
    for (int plane = 1; plane < 3; ++plane) dst[plane] = picture->data[plane] - chromaRows * picture->linesize[plane];
    const int rows = sws_scale(m_sws, src, srcStride, 0, m_source.bottom - m_source.top, dst, picture->linesize);
    return rows > 0;
}

bool CCropScaler::ConvertWholeThenCopy(const AVFrame* captured, AVFrame* picture) {
    if (sws_scale(m_sws, captured->data, captured->linesize, 0, m_height, m_whole->data, m_whole->linesize) <= 0)
        return false;
    return CopyYuvCrop(m_whole, m_crop, picture);
}

bool CopyYuvCrop(const AVFrame* whole, const RECT& crop, AVFrame* picture) {
    const int w = crop.right - crop.left, h = crop.bottom - crop.top;
    if (!whole || whole->format != AV_PIX_FMT_YUV420P || w != picture->width || h != picture->height || crop.left < 0 ||
        crop.top < 0 || crop.right > whole->width || crop.bottom > whole->height)
        return false;
    for (int plane = 0; plane < 3; ++plane) {
        const int shift = plane ? 1 : 0;
        const int rows = h >> shift, bytes = w >> shift;
        const uint8_t* src = whole->data[plane] + (crop.top >> shift) * whole->linesize[plane] + (crop.left >> shift);
        uint8_t* dst = picture->data[plane];
        for (int y = 0; y < rows; ++y)
            memcpy(dst + y * picture->linesize[plane], src + y * whole->linesize[plane], bytes);
    }
    return true;
}

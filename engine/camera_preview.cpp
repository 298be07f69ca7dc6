#include "engine/camera_preview.h"

int CCameraPreview::SetFormat(int32_t width, int32_t height, int32_t bitsPerPixel, bool flip) {
    m_width = width;
    m_height = height;
    m_bitsPerPixel = bitsPerPixel;
    m_flip = flip;
    return 1;
}

int CCameraPreview::Open() {
    m_open = true;
    return 1;
}

int CCameraPreview::Close() {
    m_open = false;
    m_width = m_height = m_bitsPerPixel = 0;
    return 1;
}

int CCameraPreview::RenderFrame(const AVStream*, const AVFrame*) { return 1; }

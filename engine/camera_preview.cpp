// The camera preview: frames into the webcam window through a DIB. Rows handed
// to GDI are always padded to four bytes; a frame whose rows are not (any width
// that is not a multiple of four) is copied row by row first.
#include "engine/camera_preview.h"

#include <cstring>

extern "C" {
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

int CCameraPreview::SetFormat(int32_t width, int32_t height, int32_t bitsPerPixel, bool flip) {
    m_header = {};
    m_header.biSize = sizeof(BITMAPINFOHEADER) + 4;
    m_header.biWidth = width;
    m_header.biHeight = flip ? -height : height;
    m_header.biPlanes = 1;
    m_header.biBitCount = static_cast<WORD>(bitsPerPixel);
    m_header.biSizeImage = static_cast<DWORD>(width * height * bitsPerPixel / 8);
    m_source = {0, 0, width, height};
    return 1;
}

int CCameraPreview::Open() {
    if (!m_window) return 1;
    if (!m_dc) m_dc = GetDC(m_window);
    GetClientRect(m_window, &m_client);
    SetStretchBltMode(m_dc, COLORONCOLOR);
    if (m_client.right - m_client.left == Width() && m_client.bottom - m_client.top == Height()) m_stretch = 0;
    m_buffer.clear();
    sws_freeContext(m_scaler);
    m_scaler = nullptr;
    return 1;
}

int CCameraPreview::Close() {
    if (m_dc) {
        ReleaseDC(m_window, m_dc);
        m_dc = nullptr;
        InvalidateRect(m_window, nullptr, TRUE);
    }
    m_header = {};
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    sws_freeContext(m_scaler);
    m_scaler = nullptr;
    return 1;
}

// Sized once, for the frames' size: four bytes a pixel holds every padded row.
uint8_t* CCameraPreview::Buffer() {
    const size_t size = static_cast<size_t>(Width()) * Height() * 4 + 4;
    if (m_buffer.size() != size) m_buffer.assign(size, 0);
    return m_buffer.data();
}

int CCameraPreview::RenderFrame(const AVStream*, const AVFrame* frame) {
    if (!m_dc || !frame || frame->width != Width() || frame->height != Height()) return 1;
    const int stride = DibStride();
    uint8_t* buffer = Buffer();
    if (frame->format == AV_PIX_FMT_BGR24) {
        if (frame->linesize[0] == stride) {
            Draw(frame->data[0], stride);
            return 1;
        }
        for (int y = 0; y < Height(); ++y)
            memcpy(buffer + static_cast<size_t>(y) * stride,
                   frame->data[0] + static_cast<ptrdiff_t>(y) * frame->linesize[0], static_cast<size_t>(Width()) * 3);
        Draw(buffer, stride);
        return 1;
    }
    if (!m_scaler) {
        m_scaler = sws_getContext(Width(), Height(), static_cast<AVPixelFormat>(frame->format), Width(), Height(),
                                  AV_PIX_FMT_BGR24, SWS_BICUBIC, nullptr, nullptr, nullptr);
        if (!m_scaler) return 0;
    }
    uint8_t* planes[4] = {buffer, nullptr, nullptr, nullptr};
    int strides[4] = {stride, 0, 0, 0};
    sws_scale(m_scaler, frame->data, frame->linesize, 0, Height(), planes, strides);
    Draw(buffer, stride);
    return 1;
}

void CCameraPreview::Draw(const uint8_t* pixels, int stride) {
    if (!m_dc || !pixels || stride != DibStride()) return;
    GetClientRect(m_window, &m_client);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(&m_header);
    if (m_stretch) {
        StretchDIBits(m_dc, 0, 0, m_client.right - m_client.left, m_client.bottom - m_client.top, 0, 0, Width(),
                      Height(), pixels, info, DIB_RGB_COLORS, SRCCOPY);
    } else {
        SetDIBitsToDevice(m_dc, 0, 0, Width(), Height(), 0, 0, 0, static_cast<UINT>(Height()), pixels, info,
                          DIB_RGB_COLORS);
    }
    if (!IsRectEmpty(&m_overlay) && IsCursorInWindow(m_window)) InvalidateRect(m_window, &m_overlay, FALSE);
}

bool CCameraPreview::IsCursorInWindow(HWND window) {
    POINT cursor = {};
    RECT rect = {};
    return window && GetCursorPos(&cursor) && GetWindowRect(window, &rect) && PtInRect(&rect, cursor);
}

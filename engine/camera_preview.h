// Draws decoded camera frames into the small webcam window with GDI: BGR24
// frames as they come, any other format converted to BGR24 first; scaled to the
// window's client area or one-to-one.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

struct AVStream;
struct AVFrame;
struct SwsContext;

class CCameraPreview {
public:
    CCameraPreview() = default;
    ~CCameraPreview() { Close(); }
    CCameraPreview(const CCameraPreview&) = delete;
    CCameraPreview& operator=(const CCameraPreview&) = delete;

    // UI thread, before the camera thread starts.
    void SetWindow(HWND window) { m_window = window; }
    // flip: the frames are top-down. Returns 1.
    int SetFormat(int32_t width, int32_t height, int32_t bitsPerPixel, bool flip);
    // 1: scaled to the client area; 0: one-to-one at the top-left.
    void SetStretch(int32_t stretch) { m_stretch = stretch; }
    // A part of the window (client coordinates) painted again after every frame
    // while the cursor is over the window, such as a button over the picture.
    void SetOverlayRect(const RECT& rect) { m_overlay = rect; }
    // Takes the window's device context; a client area of the frames' size is
    // drawn one-to-one. Returns 1.
    int Open();
    // UI thread, after the camera thread has stopped. Returns 1.
    int Close();
    // One decoded frame; camera capture thread. 0 when it cannot be converted.
    int RenderFrame(const AVStream* stream, const AVFrame* frame);
    // BGR24 rows, top row first, stride bytes apart; camera capture thread.
    void Draw(const uint8_t* pixels, int stride);

    // Whether the cursor is over the window.
    static bool IsCursorInWindow(HWND window);

    bool IsOpen() const { return m_dc != nullptr; }
    HWND Window() const { return m_window; }
    int32_t Width() const { return m_header.biWidth; }
    int32_t Height() const { return m_header.biHeight < 0 ? -m_header.biHeight : m_header.biHeight; }
    int32_t Stretch() const { return m_stretch; }

private:
    // A DIB row: three bytes a pixel, padded to four bytes.
    int DibStride() const { return (Width() * 3 + 3) & ~3; }
    uint8_t* Buffer();

    BITMAPINFOHEADER m_header = {};
    HWND m_window = nullptr;
    HDC m_dc = nullptr;
    RECT m_client = {};
    RECT m_source = {};
    int32_t m_stretch = 1;
    RECT m_overlay = {};
    std::vector<uint8_t> m_buffer;
    SwsContext* m_scaler = nullptr;
};

// Draws decoded camera frames into the small webcam window.
//
// For now it keeps the target and the format the recorder sets and draws nothing;
// the GDI drawing comes with the webcam window.
#pragma once

#include <windows.h>

#include <cstdint>

struct AVStream;
struct AVFrame;

class CCameraPreview {
public:
    CCameraPreview() = default;
    ~CCameraPreview() { Close(); }
    CCameraPreview(const CCameraPreview&) = delete;
    CCameraPreview& operator=(const CCameraPreview&) = delete;

    void SetWindow(HWND window) { m_window = window; }
    // flip: the frames are top-down. Returns 1.
    int SetFormat(int32_t width, int32_t height, int32_t bitsPerPixel, bool flip);
    void SetStretch(int32_t stretch) { m_stretch = stretch; }
    int Open();
    int Close();
    // One decoded frame of the camera stream; camera capture thread. Returns 1.
    int RenderFrame(const AVStream* stream, const AVFrame* frame);

    bool IsOpen() const { return m_open; }
    HWND Window() const { return m_window; }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }

private:
    HWND m_window = nullptr;
    int32_t m_width = 0, m_height = 0, m_bitsPerPixel = 0;
    bool m_flip = false;
    int32_t m_stretch = 1;
    bool m_open = false;
};

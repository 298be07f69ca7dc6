// The camera preview drawing real frames into a real window and read back from
// the window's pixels: BGR24 drawn as it comes (also at widths whose rows are not
// a multiple of four bytes), other formats converted, stretched or one-to-one.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

#include "engine/camera_preview.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace {

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) return 1;  // nothing drawn but the frames
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// A top-level window with a client area of exactly width x height.
HWND MakeWindow(int width, int height) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CameraPreviewTarget";
        RegisterClassW(&wc);
        registered = true;
    }
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"CameraPreviewTarget", L"", WS_POPUP | WS_VISIBLE,
                                40, 40, width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    return hwnd;
}

// Left half red, right half blue, one green column at x = 0 of the last row.
void FillBgr(AVFrame* frame) {
    for (int y = 0; y < frame->height; ++y) {
        uint8_t* row = frame->data[0] + y * frame->linesize[0];
        for (int x = 0; x < frame->width; ++x) {
            const bool left = x < frame->width / 2;
            row[x * 3 + 0] = left ? 0 : 255;  // B
            row[x * 3 + 1] = 0;
            row[x * 3 + 2] = left ? 255 : 0;  // R
        }
    }
    uint8_t* last = frame->data[0] + (frame->height - 1) * frame->linesize[0];
    last[0] = 0;
    last[1] = 255;
    last[2] = 0;
}

AVFrame* MakeFrame(int width, int height, AVPixelFormat format, int align) {
    AVFrame* frame = av_frame_alloc();
    frame->width = width;
    frame->height = height;
    frame->format = format;
    av_frame_get_buffer(frame, align);
    return frame;
}

// The same picture as YUV420P (converted from BGR24 by FFmpeg).
AVFrame* MakeYuvFrame(int width, int height);

COLORREF PixelAt(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

bool Reddish(COLORREF c) { return GetRValue(c) > 200 && GetBValue(c) < 60 && GetGValue(c) < 60; }
bool Bluish(COLORREF c) { return GetBValue(c) > 200 && GetRValue(c) < 60 && GetGValue(c) < 60; }

}  // namespace

TEST(CameraPreview, Bgr24FramesAreDrawnWithoutShearingAtAnyWidth) {
    for (int width : {320, 322, 161}) {
        const int height = 120;
        HWND hwnd = MakeWindow(width, height);
        CCameraPreview preview;
        preview.SetWindow(hwnd);
        preview.SetFormat(width, height, 24, true);
        preview.SetStretch(1);
        ASSERT_EQ(preview.Open(), 1);
        EXPECT_EQ(preview.Stretch(), 0) << "a client area of the frames' size is drawn one-to-one";
        AVFrame* frame = MakeFrame(width, height, AV_PIX_FMT_BGR24, 1);  // rows packed, as a camera gives them
        FillBgr(frame);
        EXPECT_EQ(preview.RenderFrame(nullptr, frame), 1);
        // Each row starts red and ends blue: a wrong stride would move the edge row by row.
        for (int y : {0, height / 2, height - 2}) {
            EXPECT_TRUE(Reddish(PixelAt(hwnd, 2, y))) << width << " row " << y;
            EXPECT_TRUE(Reddish(PixelAt(hwnd, width / 2 - 2, y))) << width << " row " << y;
            EXPECT_TRUE(Bluish(PixelAt(hwnd, width / 2 + 2, y))) << width << " row " << y;
            EXPECT_TRUE(Bluish(PixelAt(hwnd, width - 2, y))) << width << " row " << y;
        }
        const COLORREF corner = PixelAt(hwnd, 0, height - 1);
        EXPECT_GT(GetGValue(corner), 200) << width << ": top-down, the last row at the bottom";
        av_frame_free(&frame);
        preview.Close();
        DestroyWindow(hwnd);
    }
}

TEST(CameraPreview, OtherFormatsAreConvertedAndStretchedToTheWindow) {
    const int width = 160, height = 120;
    HWND hwnd = MakeWindow(320, 240);
    CCameraPreview preview;
    preview.SetWindow(hwnd);
    preview.SetFormat(width, height, 24, true);
    preview.SetStretch(1);
    ASSERT_EQ(preview.Open(), 1);
    EXPECT_EQ(preview.Stretch(), 1);
    AVFrame* frame = MakeYuvFrame(width, height);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(preview.RenderFrame(nullptr, frame), 1);
    EXPECT_TRUE(Reddish(PixelAt(hwnd, 10, 120))) << "scaled to the whole client area";
    EXPECT_TRUE(Bluish(PixelAt(hwnd, 310, 120)));
    EXPECT_TRUE(Bluish(PixelAt(hwnd, 200, 230)));

    // One-to-one: the picture in the top-left corner only.
    preview.SetStretch(0);
    RECT all = {0, 0, 320, 240};
    HDC dc = GetDC(hwnd);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(preview.RenderFrame(nullptr, frame), 1);
    EXPECT_TRUE(Bluish(PixelAt(hwnd, 150, 60)));
    const COLORREF outside = PixelAt(hwnd, 250, 200);
    EXPECT_EQ(outside, RGB(255, 255, 255)) << "nothing drawn outside the frame's size";
    av_frame_free(&frame);
    preview.Close();
    EXPECT_FALSE(preview.IsOpen());
    EXPECT_EQ(preview.RenderFrame(nullptr, nullptr), 1) << "closed: nothing to draw";
    DestroyWindow(hwnd);
}

TEST(CameraPreview, AFrameOfAnotherSizeThanTheFormatIsNotDrawn) {
    HWND hwnd = MakeWindow(100, 100);
    CCameraPreview preview;
    preview.SetWindow(hwnd);
    preview.SetFormat(100, 100, 24, true);
    ASSERT_EQ(preview.Open(), 1);
    RECT all = {0, 0, 100, 100};
    HDC dc = GetDC(hwnd);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(hwnd, dc);
    AVFrame* frame = MakeFrame(50, 50, AV_PIX_FMT_BGR24, 1);
    FillBgr(frame);
    EXPECT_EQ(preview.RenderFrame(nullptr, frame), 1);  // skipped, never read past its rows
    for (POINT p : {POINT{5, 5}, POINT{40, 40}, POINT{75, 75}})
        EXPECT_EQ(PixelAt(hwnd, p.x, p.y), RGB(255, 255, 255)) << "drawn at " << p.x << "," << p.y;
    av_frame_free(&frame);
    preview.Close();
    DestroyWindow(hwnd);
}

namespace {

AVFrame* MakeYuvFrame(int width, int height) {
    AVFrame* bgr = MakeFrame(width, height, AV_PIX_FMT_BGR24, 1);
    FillBgr(bgr);
    AVFrame* yuv = MakeFrame(width, height, AV_PIX_FMT_YUV420P, 32);
    SwsContext* sws = sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, AV_PIX_FMT_YUV420P, SWS_BICUBIC,
                                     nullptr, nullptr, nullptr);
    sws_scale(sws, bgr->data, bgr->linesize, 0, height, yuv->data, yuv->linesize);
    sws_freeContext(sws);
    av_frame_free(&bgr);
    return yuv;
}

}  // namespace

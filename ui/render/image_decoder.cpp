#include "ui/render/image_decoder.h"

#include <objidl.h>
#include <shlwapi.h>
// GDI+ wants min/max and the full COM declarations that WIN32_LEAN_AND_MEAN drops.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "common/logger.h"

namespace DuiLib {

namespace {
ULONG_PTR g_gdiplusToken = 0;
}

bool EnsureGdiplus() {
    if (g_gdiplusToken) return true;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&g_gdiplusToken, &input, nullptr) != Gdiplus::Ok) {
        g_gdiplusToken = 0;
        LogBoth("EnsureGdiplus", "GdiplusStartup error");
        return false;
    }
    return true;
}

void ShutdownGdiplus() {
    if (!g_gdiplusToken) return;
    Gdiplus::GdiplusShutdown(g_gdiplusToken);
    g_gdiplusToken = 0;
}

HBITMAP CreateDib32(int cx, int cy, BYTE** bits) {
    if (bits) *bits = nullptr;
    if (cx <= 0 || cy <= 0) return nullptr;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = static_cast<DWORD>(cx) * cy * 4;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap) {
        LogBoth("CreateDib32", "CreateDIBSection %dx%d error", cx, cy);
        return nullptr;
    }
    if (bits) *bits = static_cast<BYTE*>(pixels);
    return bitmap;
}

TImageInfo* DecodeImage(const void* data, size_t size) {
    if (!data || size == 0 || size > 0x7FFFFFFF || !EnsureGdiplus()) return nullptr;
    IStream* stream = SHCreateMemStream(static_cast<const BYTE*>(data), static_cast<UINT>(size));
    if (!stream) return nullptr;
    TImageInfo* info = nullptr;
    {
        Gdiplus::Bitmap source(stream);
        int cx = static_cast<int>(source.GetWidth());
        int cy = static_cast<int>(source.GetHeight());
        BYTE* bits = nullptr;
        HBITMAP dib = source.GetLastStatus() == Gdiplus::Ok ? CreateDib32(cx, cy, &bits) : nullptr;
        if (dib) {
            Gdiplus::BitmapData locked = {};
            locked.Width = cx;
            locked.Height = cy;
            locked.Stride = cx * 4;
            locked.PixelFormat = PixelFormat32bppPARGB;
            locked.Scan0 = bits;
            Gdiplus::Rect all(0, 0, cx, cy);
            auto mode =
                static_cast<Gdiplus::ImageLockMode>(Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf);
            if (source.LockBits(&all, mode, PixelFormat32bppPARGB, &locked) == Gdiplus::Ok) {
                source.UnlockBits(&locked);
                info = new TImageInfo;
                info->hBitmap = dib;
                info->pBits = bits;
                info->nX = cx;
                info->nY = cy;
                for (int i = 0; i < cx * cy && !info->bAlpha; ++i) info->bAlpha = bits[i * 4 + 3] != 255;
            } else {
                DeleteObject(dib);
            }
        }
    }
    stream->Release();
    return info;
}

}  // namespace DuiLib

#include "app/recording_ui/screenshot.h"

#include <objidl.h>
// GDI+ wants min/max and the full COM declarations that WIN32_LEAN_AND_MEAN drops.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cwctype>
#include <vector>

#include "common/logger.h"
#include "common/text_convert.h"
#include "ui/render/image_decoder.h"

namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& ch : text) ch = static_cast<wchar_t>(towlower(ch));
    return text;
}

const wchar_t* MimeTypeOf(ImageKind kind) {
    switch (kind) {
        case ImageKind::Bmp: return L"image/bmp";
        case ImageKind::Jpeg: return L"image/jpeg";
        default: return L"image/png";
    }
}

bool FindEncoder(ImageKind kind, CLSID* clsid) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, MimeTypeOf(kind)) == 0) {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// The screen's pixels in that rectangle as a bitmap of the screen's format; null on failure.
HBITMAP CopyScreen(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    HWND desktop = GetDesktopWindow();
    HDC screen = GetDC(desktop);
    if (!screen) return nullptr;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    bool copied = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT) != FALSE;
        SelectObject(memory, old);
    }
    if (memory) DeleteDC(memory);
    ReleaseDC(desktop, screen);
    if (!copied && bitmap) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    return bitmap;
}

bool EncodeBitmap(HBITMAP bitmap, const std::wstring& path, ImageKind kind) {
    CLSID encoder = {};
    if (!DuiLib::EnsureGdiplus() || !FindEncoder(kind, &encoder)) {
        LogBoth("SaveScreenArea", "no image encoder for %s error", WideToUtf8(MimeTypeOf(kind)).c_str());
        return false;
    }
    const bool existed = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    Gdiplus::Bitmap image(bitmap, nullptr);
    Gdiplus::Status status = image.GetLastStatus();
    if (status == Gdiplus::Ok) status = image.Save(path.c_str(), &encoder, nullptr);
    if (status != Gdiplus::Ok) {
        LogBoth("SaveScreenArea", "[status]%d Gdiplus::Bitmap::Save error", static_cast<int>(status));
        if (!existed) DeleteFileW(path.c_str());  // no half-written image left behind
        return false;
    }
    return true;
}

}  // namespace

ImageKind ImageKindOf(const std::wstring& format) {
    std::wstring lower = Lower(format);
    if (lower == L"bmp") return ImageKind::Bmp;
    if (lower == L"jpg") return ImageKind::Jpeg;
    return ImageKind::Png;
}

std::wstring ScreenshotFileName(const std::wstring& folder, const std::wstring& format, const SYSTEMTIME& now) {
    wchar_t stamp[32];
    swprintf(stamp, 32, L"%4d%02d%02d_%02d%02d%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
             now.wSecond);
    std::wstring name = folder;
    if (!name.empty() && name.back() != L'\\' && name.back() != L'/') name += L'\\';
    return name + stamp + L"." + (format.empty() ? L"png" : Lower(format));
}

bool SaveScreenArea(const RECT& area, const std::wstring& path, ImageKind kind) {
    if (area.right <= area.left || area.bottom <= area.top) {
        LogBoth("SaveScreenArea", "[area]%ld,%ld,%ld,%ld empty error", area.left, area.top, area.right, area.bottom);
        return false;
    }
    HBITMAP bitmap = CopyScreen(area);
    if (!bitmap) {
        LogBoth("SaveScreenArea", "[error]%lu BitBlt error", GetLastError());
        return false;
    }
    bool saved = EncodeBitmap(bitmap, path, kind);
    DeleteObject(bitmap);
    return saved;
}

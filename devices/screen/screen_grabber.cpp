#include "devices/screen/screen_grabber.h"

#include "devices/screen/cursor_overlay.h"

#include <cstring>

namespace {

RECT VirtualDesktop() {
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

struct MonitorCollect {
    RECT area;
    std::vector<RECT>* parts;
};

BOOL CALLBACK CollectMonitorPart(HMONITOR, HDC, LPRECT monitor, LPARAM data) {
    auto* collect = reinterpret_cast<MonitorCollect*>(data);
    RECT part;
    if (IntersectRect(&part, monitor, &collect->area)) collect->parts->push_back(part);
    return TRUE;
}

}  // namespace

CScreenGrabber::CScreenGrabber(const RECT& area)
    : area_(area), width_(area.right - area.left), height_(area.bottom - area.top) {}

CScreenGrabber::~CScreenGrabber() {
    if (memory_dc_) {
        SelectObject(memory_dc_, old_bitmap_);
        DeleteDC(memory_dc_);
    }
    if (dib_) DeleteObject(dib_);
}

bool CScreenGrabber::EnsureDib() {
    if (dib_) return true;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = height_;  // bottom-up, as the frames go out
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    memory_dc_ = CreateCompatibleDC(nullptr);
    if (!dib_ || !memory_dc_) return false;
    old_bitmap_ = SelectObject(memory_dc_, dib_);
    bits_ = static_cast<BYTE*>(bits);
    return true;
}

// Monitors change rarely; the desktop's bounds tell when to look again.
void CScreenGrabber::RefreshMonitors() {
    RECT desktop = VirtualDesktop();
    if (EqualRect(&desktop, &desktop_) && !monitors_.empty()) return;
    desktop_ = desktop;
    monitors_.clear();
    MonitorCollect collect{area_, &monitors_};
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitorPart, reinterpret_cast<LPARAM>(&collect));
}

bool CScreenGrabber::Grab(bool draw_mouse) {
    if (!EnsureDib()) return false;
    memset(bits_, 0, size_t(width_) * height_ * 4);
    RefreshMonitors();
    HDC screen = GetDC(nullptr);
    if (screen) {
        for (const RECT& part : monitors_) {
            BitBlt(memory_dc_, part.left - area_.left, part.top - area_.top, part.right - part.left,
                   part.bottom - part.top, screen, part.left, part.top, SRCCOPY | CAPTUREBLT);
        }
        ReleaseDC(nullptr, screen);
    }
    if (draw_mouse) DrawCursorOnto(memory_dc_, {area_.left, area_.top});
    GdiFlush();  // the bits are read straight from memory next
    return true;
}

// Copies one desktop area into a bottom-up 32-bit DIB: BitBlt with CAPTUREBLT
// (layered windows included) from each monitor the area touches; whatever the
// area covers outside every monitor stays black.
#pragma once

#include <windows.h>

#include <vector>

class CScreenGrabber {
public:
    explicit CScreenGrabber(const RECT& area);
    ~CScreenGrabber();
    CScreenGrabber(const CScreenGrabber&) = delete;
    CScreenGrabber& operator=(const CScreenGrabber&) = delete;

    // Grabs the area now; false when the DIB could not be made. A failed copy
    // (a secure desktop, for one) leaves black.
    bool Grab(bool draw_mouse);
    const BYTE* Bits() const { return bits_; }

private:
    bool EnsureDib();
    void RefreshMonitors();

    RECT area_;
    int width_, height_;
    HDC memory_dc_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ old_bitmap_ = nullptr;
    BYTE* bits_ = nullptr;
    RECT desktop_{};              // virtual desktop when monitors_ was made
    std::vector<RECT> monitors_;  // parts of the area on a monitor, desktop pixels
};

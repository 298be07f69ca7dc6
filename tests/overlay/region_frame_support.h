// Pieces of the region frame's window tests: a stand-in for the main window
// that hears the Areaprobe hook and drives the frame as the main window does,
// a plain window below the frame that records the clicks reaching it, real
// input through SendInput and xdotool, and reading the frame's pixels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "overlay/region/sel_area_wnd.h"

namespace frame_test {

// The main window's part: each hooked mouse event is turned into a handle
// code by a simple edge test against g_rcSnapwick (the code of the press
// drives a drag) and handed to the frame's OnSelMouse.
class MainWindowStandIn {
public:
    MainWindowStandIn();
    ~MainWindowStandIn();
    MainWindowStandIn(const MainWindowStandIn&) = delete;
    MainWindowStandIn& operator=(const MainWindowStandIn&) = delete;

    HWND hwnd() const { return hwnd_; }
    void Drive(CSelAreaWnd* frame, int aspect) {
        frame_ = frame;
        aspect_ = aspect;
    }
    bool StartHook();
    // Pumps messages until an event of that message at that point was handled.
    bool WaitHandled(UINT message, POINT p);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnMouseRecord(LPARAM lParam);

    struct Handled {
        UINT message;
        POINT point;
    };
    HWND hwnd_ = nullptr;
    CSelAreaWnd* frame_ = nullptr;
    int aspect_ = 0;
    int storedHandle_ = 0;
    std::vector<Handled> handled_;
};

// The handle under p for a region, margin 3: the main window's edge test
// without its cursors and window checks.
int StandInEdgeTest(const RECT& region, POINT p);

// A plain window of one colour that keeps the client points of its left presses.
class ClickTarget {
public:
    ClickTarget(const RECT& screenRect, COLORREF color);
    ~ClickTarget();
    ClickTarget(const ClickTarget&) = delete;
    ClickTarget& operator=(const ClickTarget&) = delete;

    HWND hwnd() const { return hwnd_; }
    COLORREF color() const { return color_; }
    // Presses so far, in screen pixels.
    const std::vector<POINT>& presses() const { return presses_; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    COLORREF color_;
    HBRUSH brush_ = nullptr;
    std::vector<POINT> presses_;
};

// Real input through SendInput, reaching the low-level hook.
bool SendMoveTo(POINT p);
bool SendLeftDown();
bool SendLeftUp();

// Starts xdotool (X input, which reaches Wine over Wine windows) with these
// arguments; it runs on its own, so the caller waits for what it causes.
bool RunXdotool(const std::wstring& args);

// The ARGB pixel of the frame's painted buffer at a client point.
DWORD FramePixel(CSelAreaWnd& frame, int x, int y);

}  // namespace frame_test

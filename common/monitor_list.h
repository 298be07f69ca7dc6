// The monitors of the desktop, each with the name the monitor menu shows, and the
// rectangle that covers them all (the area the screen filter captures).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct MonitorInfo {
    int32_t width = 0;  // current display mode, pixels
    int32_t height = 0;
    int32_t x = 0;  // the mode's position on the desktop
    int32_t y = 0;
    HDC hdc = nullptr;  // as the enumeration passed it; may be null
    HMONITOR monitor = nullptr;
    std::wstring device;  // display device name, e.g. "\\.\DISPLAY1"
    std::wstring name;    // "显示器 n": the primary is 1, the others 2, 3, ...
    bool primary = false;
};

// Appends every monitor in the order Windows enumerates them (the list is not
// cleared first) and sets unionRect to the union of all monitors in the list,
// which always contains (0, 0). false when the enumeration itself failed.
bool EnumMonitorList(std::vector<MonitorInfo>& list, RECT& unionRect);

// EnumDisplayMonitors callback; data is the std::vector<MonitorInfo>* to append to.
BOOL CALLBACK MonitorEnumProc(HMONITOR monitor, HDC hdc, LPRECT clip, LPARAM data);

bool HasPrimaryMonitor(const std::vector<MonitorInfo>& list);

// Names the record by its place among those already listed, then appends it.
void AppendMonitorRecord(std::vector<MonitorInfo>& list, MonitorInfo record);

// The monitor's rectangle on the desktop: (x, y, x + width, y + height).
RECT MonitorRect(const MonitorInfo& m);

// From (0, 0, 0, 0), widened to every monitor's rectangle.
RECT MonitorUnionRect(const std::vector<MonitorInfo>& list);

// The primary monitor's work area (away from the taskbar); the screen when it cannot be read.
RECT PrimaryWorkArea();

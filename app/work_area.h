// The part of the screen away from the taskbar, where the main window is placed.
#pragma once

#include <windows.h>

constexpr int kTaskbarGap = 8;

// work moved kTaskbarGap pixels further from the taskbar: the first edge, in the
// order bottom, left, top, right, where work differs from the desktop's rectangle.
RECT InsetWorkArea(const RECT& work, const RECT& desktop);

// Private messages the recording toolbar posts to the main window (values of the
// main window's message table).
#pragma once

#include <windows.h>

// wParam 1: bring the main window back.
constexpr UINT WM_SHOW_MAIN_WINDOW = WM_USER + 239;
// wParam 1 shows the drawing board, 0 clears and hides it.
constexpr UINT WM_DRAWBOARD_SHOW = WM_USER + 241;
// Take a screenshot of the recorded area (CToolbarWnd::CaptureRecordArea).
constexpr UINT WM_RECORD_SCREENSHOT = WM_USER + 246;
// wParam 1 starts the region frame's marching ants, 0 stops them.
constexpr UINT WM_SEL_AREA_FLOW = WM_USER + 250;

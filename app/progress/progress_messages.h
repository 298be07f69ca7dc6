// Messages the progress thread posts to the main window (wParam 0, lParam 0):
// WM_SPLITFILE_MSG, WM_AUTO_STOP_REACHED and WM_PLAN_DURATION_REACHED from the
// frame's table, and the tick itself.
#pragma once

#include <windows.h>

#include "../custom_messages.h"

// A new tick waits in CProgressBoard::TakeTick for the labels, toolbar and recorder.
constexpr UINT WM_PROGRESS_TICK = WM_USER + 251;

// Messages the progress thread posts to the main window (wParam 0, lParam 0).
#pragma once

#include <windows.h>

// An automatic stop by time or size is due.
constexpr UINT WM_AUTO_STOP_REACHED = WM_USER + 233;
// A scheduled task's recording has reached its planned length.
constexpr UINT WM_PLAN_DURATION_REACHED = WM_USER + 235;
// The recording is to go on in a new file.
constexpr UINT WM_SPLITFILE_MSG = WM_USER + 248;
// A new tick waits in CProgressBoard::TakeTick for the labels, toolbar and recorder.
constexpr UINT WM_PROGRESS_TICK = WM_USER + 251;

// The program's own window messages. Most go to the main window (class
// "roverudedudovo"); a heap block sent with one is freed by its receiver.
#pragma once

#include <windows.h>

// Defined elsewhere: DuiLib::WM_TRAY_NOTIFY (WM_USER + 1, the tray icon),
// DuiLib::WM_MENUCLICK (WM_USER + 121, menus), WM_AREAPROBE_MOUSE (WM_USER + 231,
// areaprobe.h). A heap record that comes with a message is claimed through
// posted_records.h before it is read.

// wParam 1: centre the main window on the area; 0: place it below the area.
constexpr UINT WM_APPLY_RECORD_AREA = WM_USER + 232;
constexpr UINT WM_AUTO_STOP_REACHED = WM_USER + 233;
// wParam: a heap RecordRequest (record_request.h), claimed and deleted by the main window.
constexpr UINT WM_PLAN_START_RECORD = WM_USER + 234;
constexpr UINT WM_PLAN_DURATION_REACHED = WM_USER + 235;
// To the task list window; wParam: a heap wide string (task name), freed there.
constexpr UINT WM_PLAN_TASK_DONE = WM_USER + 236;
// To the task editor; wParam MAKELONG(left, top), lParam MAKELONG(right, bottom).
constexpr UINT WM_PLAN_AREA_PICKED = WM_USER + 237;
constexpr UINT WM_SELECT_FULL_SCREEN = WM_USER + 238;
// wParam 1.
constexpr UINT WM_SHOW_MAIN_WINDOW = WM_USER + 239;
// wParam 1 shows the region frame, 0 hides it (also sent by a second instance).
constexpr UINT WM_SHOW_SEL_AREA = WM_USER + 240;
// wParam 1 shows the drawing board, 0 clears and hides it.
constexpr UINT WM_DRAWBOARD_SHOW = WM_USER + 241;
// wParam: the drawing tool; lParam: non-zero or 0, passed on.
constexpr UINT WM_DRAWBOARD_OP = WM_USER + 242;
constexpr UINT WM_RECORD_SCREENSHOT = WM_USER + 246;
constexpr UINT WM_LIST_RENAME = WM_USER + 247;
constexpr UINT WM_SPLITFILE_MSG = WM_USER + 248;
// Posted by the main window's InitWindow when recording at start is on.
constexpr UINT WM_RECORD_AT_START = WM_USER + 249;
// wParam 1 starts the region frame's border animation, 0 stops it.
constexpr UINT WM_SEL_AREA_FLOW = WM_USER + 250;
// From the progress thread: a new tick waits in CProgressBoard::TakeTick for the
// labels, the toolbar and the recorder.
constexpr UINT WM_PROGRESS_TICK = WM_USER + 251;
// From the worker that opens a recorder: it has opened or failed (wParam: the
// opening's number, see RecorderOpening).
constexpr UINT WM_RECORDER_OPENED = WM_USER + 252;
// From a recorder's finisher or the recovery at the start: a file is whole; wParam a
// registered heap record (frame_recording.cpp), claimed and deleted by the main window.
constexpr UINT WM_RECORDING_FINISHED = WM_USER + 255;
constexpr UINT WM_CAMERA_CLOSED = WM_USER + 1011;

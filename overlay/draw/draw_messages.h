// What the drawing toolbar posts to the main window (its notify window): the
// main window's WM_DRAWBOARD_SHOW and WM_DRAWBOARD_OP.
#pragma once

#include <windows.h>

namespace draw_messages {
// wParam 1 shows the board, 0 clears and hides it.
constexpr UINT kBoardShow = WM_USER + 241;
// wParam a DrawTool, lParam the white board's new state for tool 8.
constexpr UINT kBoardOp = WM_USER + 242;
}  // namespace draw_messages

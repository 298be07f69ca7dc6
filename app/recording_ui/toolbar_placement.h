// Where the recording toolbar goes and how the main window creates it when the
// countdown ends.
#pragma once

#include <windows.h>

#include "app/recording_ui/toolbar_wnd.h"

struct ToolbarSetup {
    HWND owner = nullptr;                 // the main window: gets every posted message
    ToolbarObserver* observer = nullptr;  // the main window's stop and pause
    CDrawBoardWnd* board = nullptr;       // the drawing board, the bar's parent window; may be null
    RECT screen = {0, 0, 0, 0};           // the screen being recorded
    RECT area = {0, 0, 0, 0};             // the recorded area (g_rcSnapwick)
    bool show = true;                     // false with the setting Record_hide: created hidden, never slides
};

// Right-aligned with the area and 10 pixels below it; above it when that leaves
// the screen; inside it, 60 pixels above its bottom, when neither fits.
POINT ToolbarPosition(const RECT& area, const RECT& screen);

// The bar placed against the area, top-most, with its observer set; null (and
// logged) when its window cannot be created.
CToolbarWnd* CreateRecordToolbar(const ToolbarSetup& setup);

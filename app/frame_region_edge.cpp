// The mouse against the recorded region's edges: the sizing cursor forced on the
// whole system while the mouse is on an edge (the region frame lets clicks
// through, so only the system cursor can show it), and the region frame top-most.
#include <cstdio>

#include "app/desktop_shell.h"
#include "app/region_edge.h"
#include "app/vistrel_frame.h"

namespace {
void PrintLine(const char* line) {
    fputs(line, stdout);
    fflush(stdout);
}
}  // namespace

int CVistrelFrame::HitTestRegionEdge(const RECT& rect, int margin, bool testOnly, int x, int y) {
    HWND selArea = SelAreaWindow();
    HWND under = WindowFromPoint({x, y});
    if (!under || (under != m_hWnd && under != selArea)) {
        if (ForcedSystemCursor()) ResetSystemCursors();
        if (selArea) RemoveWndTopMost(selArea);
        return kSelNone;
    }
    const int handle = RegionEdgeAt(rect, margin, x, y);
    if (handle != kSelNone) {
        if (!testOnly) {
            LPCWSTR cursor = CursorForHandle(handle);
            if (ForcedSystemCursor() != cursor) ForceSystemCursor(cursor);
            if (selArea) SetWndTopMost(selArea);
        }
        return handle;
    }
    if (selArea && IsInMoveSquare(rect, margin, x, y)) return kSelMove;
    if (ForcedSystemCursor()) {
        ResetSystemCursors();
        if (selArea) RemoveWndTopMost(selArea);
    }
    return kSelNone;
}

void CVistrelFrame::ResetSystemCursors() { RestoreSystemCursors(); }

void CVistrelFrame::ReplaceSystemCursor(LPCWSTR cursorId, DWORD systemCursorId) {
    GetDesktopShell().ReplaceSystemCursor(cursorId, systemCursorId);
}

void CVistrelFrame::SetWndTopMost(HWND window) {
    PrintLine("SetWndTopMost  .\n");
    const bool foreground = GetForegroundWindow() == m_hWnd;
    PrintLine(foreground ? "IsForegroundWindow true.\n" : "IsForegroundWindow false.\n");
    if (!foreground) return;
    if (HWND selArea = SelAreaWindow())
        SetWindowPos(selArea, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    SetForegroundWindow(window);
}

void CVistrelFrame::RemoveWndTopMost(HWND window) {
    PrintLine("RemoveWndTopMost.\n");
    // Never activated on the way: the mouse may be over a menu, which closes when it loses the focus.
    if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST)
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

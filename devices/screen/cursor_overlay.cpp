#include "devices/screen/cursor_overlay.h"

void DrawCursorOnto(HDC dc, POINT origin) {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info) || !(info.flags & CURSOR_SHOWING) || !info.hCursor) return;
    ICONINFO icon{};
    if (!GetIconInfo(info.hCursor, &icon)) return;
    int x = info.ptScreenPos.x - int(icon.xHotspot) - origin.x;
    int y = info.ptScreenPos.y - int(icon.yHotspot) - origin.y;
    DrawIconEx(dc, x, y, info.hCursor, 0, 0, 0, nullptr, DI_NORMAL);
    if (icon.hbmMask) DeleteObject(icon.hbmMask);
    if (icon.hbmColor) DeleteObject(icon.hbmColor);
}

// Draws the mouse pointer, as the user sees it, into a grabbed picture.
#pragma once

#include <windows.h>

// `dc` holds the picture of the desktop area whose top-left corner is `origin`.
// Nothing is drawn while the pointer is hidden or unknown.
void DrawCursorOnto(HDC dc, POINT origin);

// Draws the region's outline (sel_outline.h) with GDI+ into a 32-bit
// premultiplied ARGB buffer, the form a layered window shows.
#pragma once

#include <windows.h>

// bits: top-down, width x height pixels, stride width * 4. Draws only inside
// clip (the lines that reach it). false when GDI+ could not draw (nothing was
// drawn then).
bool PaintSelOutline(BYTE* bits, int width, int height, const RECT& sel, int dashPhase, const RECT& clip);

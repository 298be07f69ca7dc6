// The drawing board's geometry, kept apart from GDI so that it can be checked
// as tables: where strokes may start, the arrow head, the clipped rectangle,
// and where the drawing toolbar and its pop-ups go. Pure functions.
#pragma once

#include <windows.h>

#include <array>

// Drawing tools: wParam of WM_DRAWBOARD_OP.
enum DrawTool : int {
    kToolPointer = 0,
    kToolPen = 2,
    kToolLine = 3,
    kToolArrow = 4,
    kToolRectangle = 5,
    kToolEllipse = 6,
    kToolText = 7,
    kToolWhiteBoard = 8,  // a toggle, never kept as the current tool
};

// Strokes start, grow and end only this far inside the record region.
constexpr int kDrawMargin = 10;

// The record region less the margin on every side.
RECT DrawActiveArea(const RECT& region);
bool InDrawActiveArea(const RECT& region, POINT screenPoint);

// The arrow from start to tip for a stroke width: six corners (start,
// shoulder +15°, barb +30°, tip, barb −30°, shoulder −15°), both ends first
// clamped into bounds. false when start and tip coincide: nothing to draw.
using ArrowPolygon = std::array<POINT, 6>;
bool MakeArrowPolygon(POINT start, POINT tip, int width, const RECT& bounds, ArrowPolygon* out);
// The barb and shoulder lengths for a stroke width.
int ArrowBarbLength(int width);
int ArrowShoulderLength(int width);

// The rectangle between the first and the last point cut at the bounds; false
// (not drawn) when the first point lies outside them.
bool ClipStrokeRect(POINT first, POINT last, const RECT& bounds, RECT* out);

// The drawing toolbar (width 46): right of the region, 10 pixels off, its top
// level with the region's; inside the region's right side when that passes
// the work area's right.
POINT DrawbarPosition(const RECT& region, int workRight);
// A size pop-up (32 wide) at a point, kept inside the work area.
POINT DrawPopupPosition(POINT at, int height, const RECT& work);

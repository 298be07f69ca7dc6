// The region frame's geometry: how one mouse event moves or resizes the region,
// where the drag button and the size label go. Pure functions of their inputs,
// so the window only applies what they return.
#pragma once

#include <windows.h>

#include <cstdint>

// The part of the region under the mouse: the SelHandle codes of the main
// window's edge test, which names the type itself; the frame takes them as int.
enum : int32_t {
    kSelNone = 0,
    kSelLeft = 1,
    kSelTopLeft = 2,
    kSelTop = 3,
    kSelTopRight = 4,
    kSelRight = 5,
    kSelBottomRight = 6,
    kSelBottom = 7,
    kSelBottomLeft = 8,
    kSelMove = 9,  // the move square in the middle of the region
};

// Ratio a resize keeps; any other value acts as free.
enum AspectMode : int32_t {
    kAspectFree = 0,
    kAspect4x3 = 1,
    kAspect16x9 = 2,
};

constexpr int kSelMinSize = 150;  // the region is never narrower or lower
constexpr int kDragButtonSize = 22;

// A rectangle of width x height centred in rect (offsets truncated toward zero),
// or the zero rectangle when rect is narrower or lower than that.
RECT CenterRectIn(const RECT& rect, int width, int height);

// The selection after dragging `handle` by (dx, dy): the handle's rule, the
// floor of kSelMinSize, then clamping into bounds. A move keeps the size
// against every bound; a resize past the right or bottom bound keeps the
// width or height it had before this step.
RECT ResizeSelection(int handle, int dx, int dy, const RECT& sel, const RECT& bounds, int aspect);

// The drag under way: whether the left button went down on a handle, and the
// last point it was dragged to (any point, the screen's top-left included).
struct SelDrag {
    bool active = false;
    POINT last = {0, 0};
};

// What one mouse event does to the drag under way.
struct SelMouseStep {
    SelDrag drag;  // the drag after the event
    bool changed;  // selection holds a new region
    RECT selection;
};

// handle 0 or a button release ends the drag, a press starts one at point, and
// a move with a handle 1 to 9 drags the selection by the distance from the
// drag's last point. A move while no drag is under way leaves the region
// alone. point and the drag's points share one coordinate system; selection
// and bounds share another.
SelMouseStep TrackSelMouse(int handle, UINT message, POINT point, const SelDrag& drag, const RECT& sel,
                           const RECT& bounds, int aspect);

// What the drag button does after a mouse event.
enum class DragButtonAction { kKeep, kHide, kShow };
struct DragButtonPlacement {
    DragButtonAction action;
    RECT rect;  // where it is shown (the area's coordinates), for kShow
};

// The button shows in the middle of area while the mouse is on the region
// (inset by 3 pixels, none while dragging) with handle 0 or 9, and hides when
// the mouse leaves the region.
DragButtonPlacement PlaceDragButton(int handle, UINT message, POINT point, const RECT& area, bool leftButtonDown);

// The size label shows while the left button is down on a handle.
bool IsSizeLabelShown(int handle, bool leftButtonDown);
// Its top-left corner for a region in client coordinates: above the region, or
// just inside it when there is no room above.
POINT SizeLabelOrigin(const RECT& areaClient);

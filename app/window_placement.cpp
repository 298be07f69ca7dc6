#include "app/window_placement.h"

namespace {

// One side [low, high) made at least `least` long within [.., limit].
void EnlargeSide(LONG& low, LONG& high, LONG limit, int least) {
    if (high - low >= least) return;
    high = low + least;
    if (high > limit) {
        high = limit;
        low = high - least;
    }
}

}  // namespace

RECT EnlargePickedArea(const RECT& picked, const RECT& bounds) {
    RECT area = picked;
    EnlargeSide(area.left, area.right, bounds.right, kSmallestPickedSide);
    EnlargeSide(area.top, area.bottom, bounds.bottom, kSmallestPickedSide);
    return area;
}

POINT PlaceBesideArea(const RECT& area, SIZE window, const RECT& bounds, int gap) {
    POINT pt = {area.left + (area.right - area.left - window.cx) / 2, area.bottom + gap};
    if (pt.y + window.cy > bounds.bottom) {
        pt.y = area.top - gap - window.cy;
        if (pt.y < bounds.top) pt.y = area.top + (area.bottom - area.top) / 2 + gap;
    }
    return pt;
}

RECT PlaceOpenWindowInside(POINT topLeft, SIZE open, const RECT& work) {
    POINT pt = topLeft;
    if (pt.y + open.cy > work.bottom) pt.y = work.bottom - open.cy;
    if (pt.x < work.left) pt.x = work.left;
    if (pt.x + open.cx > work.right) pt.x = work.right - open.cx;
    return {pt.x, pt.y, pt.x + open.cx, pt.y + open.cy};
}

POINT PlaceWindowForOpenLists(const RECT& window, const RECT& work) {
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    POINT pt = {window.left, (work.top + work.bottom) / 2 - height / 2};
    if (window.left < work.left)
        pt.x = work.left;
    else if (window.right > work.right)
        pt.x = work.right - width;
    return pt;
}

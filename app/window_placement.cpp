#include "app/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace {

// v within [low, high] (high below low gives low).
LONG Clamp64(int64_t v, LONG low, LONG high) {
    return static_cast<LONG>(std::max<int64_t>(low, std::min<int64_t>(v, high)));
}

// Two coordinates of one side in order and inside [low, high].
void ClampSide(LONG& a, LONG& b, LONG low, LONG high) {
    const int64_t first = std::min<int64_t>(a, b), second = std::max<int64_t>(a, b);
    a = Clamp64(first, low, high);
    b = Clamp64(second, low, high);
}

// One side [low, high) made at least `least` long within [.., limit].
void EnlargeSide(LONG& low, LONG& high, LONG limit, int least) {
    if (static_cast<int64_t>(high) - low >= least) return;
    high = low + least;
    if (high > limit) {
        high = limit;
        low = high - least;
    }
}

}  // namespace

RECT EnlargePickedArea(const RECT& picked, const RECT& bounds) {
    RECT area = picked;
    ClampSide(area.left, area.right, bounds.left, bounds.right);
    ClampSide(area.top, area.bottom, bounds.top, bounds.bottom);
    EnlargeSide(area.left, area.right, bounds.right, kSmallestPickedSide);
    EnlargeSide(area.top, area.bottom, bounds.bottom, kSmallestPickedSide);
    return area;
}

POINT PlaceBesideArea(const RECT& area, SIZE window, const RECT& bounds, int gap) {
    const int64_t left = area.left, top = area.top, right = area.right, bottom = area.bottom;
    int64_t x = left + (right - left - window.cx) / 2, y = bottom + gap;
    if (y + window.cy > bounds.bottom) {
        y = top - gap - window.cy;
        if (y < bounds.top) y = top + (bottom - top) / 2 + gap;
    }
    return KeepWindowInside({Clamp64(x, LONG_MIN, LONG_MAX), Clamp64(y, LONG_MIN, LONG_MAX)}, window, bounds);
}

POINT KeepWindowInside(POINT topLeft, SIZE window, const RECT& bounds) {
    const LONG x = Clamp64(topLeft.x, bounds.left, static_cast<int64_t>(bounds.right) - window.cx);
    const LONG y = Clamp64(topLeft.y, bounds.top, static_cast<int64_t>(bounds.bottom) - window.cy);
    return {x, y};
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

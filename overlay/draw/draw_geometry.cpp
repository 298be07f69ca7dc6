#include "overlay/draw/draw_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.1415926;
constexpr int kDrawbarWidth = 46;
constexpr int kDrawbarGap = 10;
constexpr int kPopupWidth = 32;
constexpr int kPopupRightInset = 52;

int ArrowHeadLength(int width) { return width == 5 ? 30 : width == 10 ? 40 : 50; }

POINT ClampInto(POINT p, const RECT& b) {
    return POINT{std::min(std::max(p.x, b.left), b.right), std::min(std::max(p.y, b.top), b.bottom)};
}

// v rotated by degrees, scaled to length, added to the tip; rounded toward zero.
POINT ArrowCorner(double vx, double vy, double degrees, int length, POINT tip) {
    const double a = kPi * degrees / 180;
    const double rx = vx * std::cos(a) - vy * std::sin(a);
    const double ry = vx * std::sin(a) + vy * std::cos(a);
    const double scale = length / std::sqrt(vx * vx + vy * vy);
    return POINT{static_cast<LONG>(rx * scale + tip.x), static_cast<LONG>(ry * scale + tip.y)};
}

}  // namespace

RECT DrawActiveArea(const RECT& region) {
    return RECT{region.left + kDrawMargin, region.top + kDrawMargin, region.right - kDrawMargin,
                region.bottom - kDrawMargin};
}

bool InDrawActiveArea(const RECT& region, POINT screenPoint) {
    const RECT area = DrawActiveArea(region);
    return PtInRect(&area, screenPoint) != FALSE;
}

int ArrowBarbLength(int width) {
    const int head = ArrowHeadLength(width);
    if (width == 1) return head / 4;
    if (width == 2) return 2 * head / 5 + 2;
    return 2 * head / 4 + 2;
}

int ArrowShoulderLength(int width) { return ArrowBarbLength(width) - (width == 1 || width == 2 ? 2 : 3); }

bool MakeArrowPolygon(POINT start, POINT tip, int width, const RECT& bounds, ArrowPolygon* out) {
    const POINT s = ClampInto(start, bounds);
    const POINT t = ClampInto(tip, bounds);
    const double vx = s.x - t.x, vy = s.y - t.y;
    if (vx == 0 && vy == 0) return false;  // a click: no direction, no arrow
    const int barb = ArrowBarbLength(width), shoulder = ArrowShoulderLength(width);
    *out = {s, ArrowCorner(vx, vy, 15, shoulder, t), ArrowCorner(vx, vy, 30, barb, t),
            t, ArrowCorner(vx, vy, -30, barb, t),    ArrowCorner(vx, vy, -15, shoulder, t)};
    return true;
}

bool ClipStrokeRect(POINT first, POINT last, const RECT& bounds, RECT* out) {
    if (!PtInRect(&bounds, first)) return false;
    *out = RECT{std::max(std::min(first.x, last.x), bounds.left), std::max(std::min(first.y, last.y), bounds.top),
                std::min(std::max(first.x, last.x), bounds.right), std::min(std::max(first.y, last.y), bounds.bottom)};
    return true;
}

POINT DrawbarPosition(const RECT& region, int workRight) {
    POINT pt = {region.right + kDrawbarGap, region.top};
    if (pt.x + kDrawbarWidth > workRight) pt.x = region.right - kDrawbarWidth;
    return pt;
}

POINT DrawPopupPosition(POINT at, int height, const RECT& work) {
    POINT pt = at;
    if (pt.x < work.left)
        pt.x = work.left;
    else if (pt.x + kPopupWidth > work.right)
        pt.x = work.right - kPopupRightInset;
    if (pt.y < work.top)
        pt.y = work.top;
    else if (pt.y + height > work.bottom)
        pt.y = work.bottom - height;
    return pt;
}

#include "overlay/spotlight/spotlight_bands.h"

SpotlightLayout LayOutSpotlight(SIZE area, POINT c) {
    const int half = kSpotSize / 2;
    const int w = area.cx, h = area.cy;
    SpotlightLayout out;
    out.spot = RECT{c.x - half, c.y - half, c.x + half, c.y + half};
    const RECT& s = out.spot;
    out.bands = {RECT{0, 0, w, s.top}, RECT{0, s.top, s.left, s.bottom}, RECT{s.right, s.top, w, s.bottom},
                 RECT{0, s.bottom, w, h}};
    out.present = {s.top > 0, s.left >= 0, s.right <= w, s.bottom < h};
    return out;
}

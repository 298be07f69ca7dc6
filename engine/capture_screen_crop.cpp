#include "engine/capture_screen_crop.h"

namespace {

// Odd extent: the far edge moves in by one; an extent that ends below 1 grows by 2.
void MakeEven(LONG from, LONG* to) {
    if ((*to - from) % 2 == 0) return;
    *to -= 1;
    if (*to - from < 1) *to += 2;
}

LONG Clamp(LONG v, LONG lo, LONG hi) { return v < lo ? lo : (v > hi ? hi : v); }

// One axis of ClampCropToPicture; false when less than 2 pixels are left.
bool ClampAxis(LONG* from, LONG* to, int size) {
    *from = Clamp(*from, 0, size);
    *to = Clamp(*to, *from, size);
    if ((*to - *from) % 2) *to -= 1;
    return *to - *from >= 2;
}

}  // namespace

RECT CropForArea(const RECT& area, const RECT& recordRect, bool fullScreen) {
    RECT crop{area.left - recordRect.left, area.top - recordRect.top, area.right - recordRect.left,
              area.bottom - recordRect.top};
    if (!fullScreen) {
        crop.left += kRegionInset;
        crop.top += kRegionInset;
        crop.right -= kRegionInset;
        crop.bottom -= kRegionInset;
    }
    MakeEven(crop.left, &crop.right);
    MakeEven(crop.top, &crop.bottom);
    return crop;
}

RECT ClampCropToPicture(const RECT& crop, int width, int height) {
    RECT r = crop;
    if (!ClampAxis(&r.left, &r.right, width) || !ClampAxis(&r.top, &r.bottom, height)) return RECT{};
    return r;
}

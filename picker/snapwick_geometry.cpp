// The area picker's geometry.
#include "picker/snapwick_geometry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

SelInsets AtLeastZero(SelInsets in) {
    in.left = std::max(in.left, 0);
    in.top = std::max(in.top, 0);
    in.right = std::max(in.right, 0);
    in.bottom = std::max(in.bottom, 0);
    return in;
}

// Makes hi - lo even: hi grows when it may, else lo moves back, else hi shrinks.
void MakeEven(LONG& lo, LONG& hi, LONG limitLo, LONG limitHi) {
    if ((hi - lo) % 2 == 0) return;
    if (hi < limitHi)
        ++hi;
    else if (lo > limitLo)
        --lo;
    else
        --hi;
}

}  // namespace

SelInsets DragInsets(POINT start, POINT now, SIZE desktop) {
    SelInsets in;
    in.left = std::min(now.x, start.x);
    in.top = std::min(now.y, start.y);
    in.right = desktop.cx - std::max(now.x, start.x);
    in.bottom = desktop.cy - std::max(now.y, start.y);
    return AtLeastZero(in);
}

SelInsets WindowInsets(const RECT& window, const RECT& desktop) {
    SelInsets in;
    in.left = window.left - desktop.left;
    in.top = window.top - desktop.top;
    in.right = desktop.right - window.right;
    in.bottom = desktop.bottom - window.bottom;
    return AtLeastZero(in);
}

RECT SelectionClientRect(const SelInsets& in, SIZE desktop) {
    return {in.left, in.top, desktop.cx - in.right, desktop.cy - in.bottom};
}

RECT ReplyRect(const SelInsets& in, const RECT& desktop) {
    RECT r = {desktop.left + in.left, desktop.top + in.top, desktop.right - in.right, desktop.bottom - in.bottom};
    MakeEven(r.left, r.right, desktop.left, desktop.right);
    MakeEven(r.top, r.bottom, desktop.top, desktop.bottom);
    return r;
}

MagnifierPlace PlaceMagnifierAt(POINT p, SIZE desktop) {
    int x = p.x + kMagnifierGap, y = p.y + kMagnifierGap;
    if (desktop.cx - kMagnifierSide < x) x = p.x - kMagnifierFlipBack;
    if (desktop.cy - kMagnifierSide < y) y = p.y - kMagnifierFlipBack;
    return {{x, y, x + kMagnifierSide, y + kMagnifierSide}, y >= p.y};
}

RECT SizeLabelRect(const SelInsets& in, SIZE desktop) {
    const int x = std::min(static_cast<int>(in.left), static_cast<int>(desktop.cx - kSizeLabelSize.cx));
    const int y = in.top - kSizeLabelSize.cy < 0 ? in.top : in.top - kSizeLabelSize.cy;
    return {x, y, x + kSizeLabelSize.cx, y + kSizeLabelSize.cy};
}

// The label is centred in its rectangle; above the cursor the rectangle reaches
// far up, so the text stands above the lens.
RECT LensLabelRect(const MagnifierPlace& place) {
    const RECT& m = place.rect;
    const int top = place.below ? m.top + 134 : m.top + 134 - 255;
    return {m.left + 42, top, m.left + 126, m.top + 154};
}

void SizeLabelText(const SelInsets& in, SIZE desktop, wchar_t* text, int size) {
    const RECT sel = SelectionClientRect(in, desktop);
    swprintf(text, size, L"%d x %d", std::abs(static_cast<int>(sel.right - sel.left)),
             std::abs(static_cast<int>(sel.bottom - sel.top)));
}

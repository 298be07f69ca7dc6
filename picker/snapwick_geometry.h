// The area picker's geometry: the selection as insets from the desktop's edges,
// a drag and a snapped window turned into insets, the reply's rectangle, and
// where the magnifier and the size labels go. Pure functions of their inputs.
//
// Coordinates: the picker's window covers the desktop rectangle, so its client
// pixels are desktop pixels less the desktop's left and top.
#pragma once

#include <windows.h>

// Distances of the selection from the desktop's left, top, right and bottom edges.
struct SelInsets {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const SelInsets& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const SelInsets& o) const { return !(*this == o); }
};

constexpr int kMagnifierSide = 162;      // the magnifier control, square
constexpr int kMagnifierGap = 23;        // from the cursor to the magnifier
constexpr int kMagnifierFlipBack = 185;  // the magnifier's offset when it flips to the other side
constexpr SIZE kSizeLabelSize = {78, 20};

// A drag from start to now (client pixels), each inset held at 0 or more.
SelInsets DragInsets(POINT start, POINT now, SIZE desktop);
// A window's screen rectangle as insets, each held at 0 or more (the part of the
// window on the desktop).
SelInsets WindowInsets(const RECT& window, const RECT& desktop);
// The selection in client pixels.
RECT SelectionClientRect(const SelInsets& insets, SIZE desktop);
// The selection in screen pixels with even width and height, grown by one pixel
// where it can, else shrunk, so that it never leaves the desktop.
RECT ReplyRect(const SelInsets& insets, const RECT& desktop);

struct MagnifierPlace {
    RECT rect;   // client pixels, kMagnifierSide square
    bool below;  // the magnifier lies below the cursor
};
// The magnifier beside the cursor point p (client pixels): 23 pixels right and
// down, flipped 185 pixels back near the right or bottom edge.
MagnifierPlace PlaceMagnifierAt(POINT p, SIZE desktop);
// The size label over the selection's top-left corner (inside when there is no room above).
RECT SizeLabelRect(const SelInsets& insets, SIZE desktop);
// The label of the magnifier: under the lens, or above it when the magnifier is above the cursor.
RECT LensLabelRect(const MagnifierPlace& place);
// "w x h" of the selection.
void SizeLabelText(const SelInsets& insets, SIZE desktop, wchar_t* text, int size);

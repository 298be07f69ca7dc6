// Where the main window goes around the recorded area, and the area the picker
// hands back made usable: pure geometry in desktop pixels.
#pragma once

#include <windows.h>

constexpr int kSmallestPickedSide = 150;  // a picked area is never smaller
constexpr int kGapBelowPickedArea = 20;   // main window to area after a pick or a drag
constexpr int kGapBelowAppliedArea = 10;  // main window to area when an area is applied

// A picked area inside the bounds and at least 150 x 150: each side is put in
// order and cut to the bounds first (in 64 bits: the rectangle may come from any
// program), then a short side grows to the right (down), and back to the left
// (up) from the bounds' edge when it would pass it.
RECT EnlargePickedArea(const RECT& picked, const RECT& bounds);

// The main window's top-left corner, centred across the area: gap pixels below it;
// above it when that passes the bounds' bottom; gap pixels below the area's middle
// when that passes the bounds' top. The window always ends up inside the bounds.
POINT PlaceBesideArea(const RECT& area, SIZE window, const RECT& bounds, int gap);

// topLeft moved so that a window of that size lies inside the bounds (at their
// top-left corner when it is larger than they are).
POINT KeepWindowInside(POINT topLeft, SIZE window, const RECT& bounds);

// The main window after a stop, lists open (858 x 760): from topLeft, moved up,
// right or left so that it lies inside work.
RECT PlaceOpenWindowInside(POINT topLeft, SIZE open, const RECT& work);

// The main window as the lists open (window already at its open size): centred
// top to bottom in work, its left kept, or moved in to the work area's left or
// right edge when it starts left of it or ends right of it.
POINT PlaceWindowForOpenLists(const RECT& window, const RECT& work);

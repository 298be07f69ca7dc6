// Where a point lies on the recorded region: the geometry of the main window's
// edge tracking (SelHandle codes, shared with the region frame).
#pragma once

#include <windows.h>

#include "overlay/region/sel_geometry.h"  // the codes kSelNone ... kSelMove

// 0 nowhere, 1 to 8 the edges and corners clockwise from the left edge, 9 the
// move square: what the region frame's OnSelMouse takes.
using SelHandle = int32_t;

constexpr int kMoveSquareExtra = 42;  // the move square's side is the margin + this

// The edge or corner of rect within margin m of (x, y), tested with strict
// comparisons in the order left, top, right, bottom, then the corners; 0 for none.
int RegionEdgeAt(const RECT& rect, int m, int x, int y);
// Whether (x, y) lies in the square of side m + 42 centred in rect (left and top
// inclusive); never when rect is narrower or lower than the square.
bool IsInMoveSquare(const RECT& rect, int m, int x, int y);
// The standard cursor (IDC_*) shown on an edge or corner handle; null for others.
LPCWSTR CursorForHandle(int handle);

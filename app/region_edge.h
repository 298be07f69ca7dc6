// Where a point lies on the recorded region: the geometry of the main window's
// edge tracking (SelHandle codes, shared with the region frame).
#pragma once

#include <windows.h>

enum SelHandle : int {
    kHandleNone = 0,
    kHandleLeft = 1,
    kHandleTopLeft = 2,
    kHandleTop = 3,
    kHandleTopRight = 4,
    kHandleRight = 5,
    kHandleBottomRight = 6,
    kHandleBottom = 7,
    kHandleBottomLeft = 8,
    kHandleMove = 9,
};

constexpr int kMoveSquareExtra = 42;  // the move square's side is the margin + this

// The edge or corner of rect within margin m of (x, y), tested with strict
// comparisons in the order left, top, right, bottom, then the corners; 0 for none.
int RegionEdgeAt(const RECT& rect, int m, int x, int y);
// Whether (x, y) lies in the square of side m + 42 centred in rect (left and top
// inclusive); never when rect is narrower or lower than the square.
bool IsInMoveSquare(const RECT& rect, int m, int x, int y);
// The standard cursor (IDC_*) shown on an edge or corner handle; null for others.
LPCWSTR CursorForHandle(int handle);

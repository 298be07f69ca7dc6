#include "region_edge.h"

namespace {

bool Near(int value, int line, int m) { return line - m < value && value < line + m; }
bool Between(int value, int low, int high, int m) { return low + m < value && value < high - m; }

}  // namespace

int RegionEdgeAt(const RECT& r, int m, int x, int y) {
    if (Near(x, r.left, m) && Between(y, r.top, r.bottom, m)) return kHandleLeft;
    if (Between(x, r.left, r.right, m) && Near(y, r.top, m)) return kHandleTop;
    if (Near(x, r.right, m) && Between(y, r.top, r.bottom, m)) return kHandleRight;
    if (Between(x, r.left, r.right, m) && Near(y, r.bottom, m)) return kHandleBottom;
    if (Near(x, r.left, m) && Near(y, r.top, m)) return kHandleTopLeft;
    if (Near(x, r.right, m) && Near(y, r.top, m)) return kHandleTopRight;
    if (Near(x, r.right, m) && Near(y, r.bottom, m)) return kHandleBottomRight;
    if (Near(x, r.left, m) && Near(y, r.bottom, m)) return kHandleBottomLeft;
    return kHandleNone;
}

bool IsInMoveSquare(const RECT& r, int m, int x, int y) {
    const int side = m + kMoveSquareExtra;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width < side || height < side) return false;
    const int left = r.left + (width - side) / 2, top = r.top + (height - side) / 2;
    return left <= x && x < left + side && top <= y && y < top + side;
}

LPCWSTR CursorForHandle(int handle) {
    switch (handle) {
    case kHandleLeft:
    case kHandleRight: return IDC_SIZEWE;
    case kHandleTop:
    case kHandleBottom: return IDC_SIZENS;
    case kHandleTopLeft:
    case kHandleBottomRight: return IDC_SIZENWSE;
    case kHandleTopRight:
    case kHandleBottomLeft: return IDC_SIZENESW;
    default: return nullptr;
    }
}

#include "app/region_edge.h"

namespace {

bool Near(int value, int line, int m) { return line - m < value && value < line + m; }
bool Between(int value, int low, int high, int m) { return low + m < value && value < high - m; }

}  // namespace

int RegionEdgeAt(const RECT& r, int m, int x, int y) {
    if (Near(x, r.left, m) && Between(y, r.top, r.bottom, m)) return kSelLeft;
    if (Between(x, r.left, r.right, m) && Near(y, r.top, m)) return kSelTop;
    if (Near(x, r.right, m) && Between(y, r.top, r.bottom, m)) return kSelRight;
    if (Between(x, r.left, r.right, m) && Near(y, r.bottom, m)) return kSelBottom;
    if (Near(x, r.left, m) && Near(y, r.top, m)) return kSelTopLeft;
    if (Near(x, r.right, m) && Near(y, r.top, m)) return kSelTopRight;
    if (Near(x, r.right, m) && Near(y, r.bottom, m)) return kSelBottomRight;
    if (Near(x, r.left, m) && Near(y, r.bottom, m)) return kSelBottomLeft;
    return kSelNone;
}

bool IsInMoveSquare(const RECT& r, int m, int x, int y) {
    const int side = m + kMoveSquareExtra;
    const RECT square = CenterRectIn(r, side, side);  // empty when r is smaller
    return PtInRect(&square, POINT{x, y}) != FALSE;
}

LPCWSTR CursorForHandle(int handle) {
    switch (handle) {
        case kSelLeft:
        case kSelRight: return IDC_SIZEWE;
        case kSelTop:
        case kSelBottom: return IDC_SIZENS;
        case kSelTopLeft:
        case kSelBottomRight: return IDC_SIZENWSE;
        case kSelTopRight:
        case kSelBottomLeft: return IDC_SIZENESW;
        default: return nullptr;
    }
}

#include "overlay/region/sel_geometry.h"

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

bool KeepsRatio(int aspect) { return aspect == kAspect4x3 || aspect == kAspect16x9; }
int HeightForWidth(int aspect, int width) { return aspect == kAspect4x3 ? width * 3 / 4 : width * 9 / 16; }
int WidthForHeight(int aspect, int height) { return aspect == kAspect4x3 ? height * 4 / 3 : height * 16 / 9; }

// Which mouse movement leads a handle: an edge beside the region follows dx
// (and the ratio sets the height), an edge above or below follows dy (and the
// ratio sets the width), a corner follows both unless a ratio is kept.
enum class Lead { kWidth, kHeight, kCorner };

struct HandleRule {
    bool movesLeft;  // the left edge moves, else the right one
    bool movesTop;   // the top edge moves, else the bottom one
    Lead lead;
};

// Indexed by handle - 1.
constexpr HandleRule kHandleRules[] = {
    {true, true, Lead::kWidth},     // 1 left edge (a ratio moves the top)
    {true, true, Lead::kCorner},    // 2 top-left
    {true, true, Lead::kHeight},    // 3 top edge (a ratio moves the left)
    {false, true, Lead::kCorner},   // 4 top-right
    {false, false, Lead::kWidth},   // 5 right edge (a ratio moves the bottom)
    {false, false, Lead::kCorner},  // 6 bottom-right
    {false, false, Lead::kHeight},  // 7 bottom edge (a ratio moves the right)
    {true, false, Lead::kCorner},   // 8 bottom-left
};

// The moving edge goes kSelMinSize from the fixed one when the region is too small.
void KeepMinWidth(RECT& r, bool leftMoves) {
    if (Width(r) >= kSelMinSize) return;
    if (leftMoves)
        r.left = r.right - kSelMinSize;
    else
        r.right = r.left + kSelMinSize;
}

void KeepMinHeight(RECT& r, bool topMoves) {
    if (Height(r) >= kSelMinSize) return;
    if (topMoves)
        r.top = r.bottom - kSelMinSize;
    else
        r.bottom = r.top + kSelMinSize;
}

RECT ResizeByRule(const HandleRule& rule, int dx, int dy, const RECT& sel, int aspect) {
    RECT r = sel;
    int w = Width(sel), h = Height(sel);
    bool ratio = KeepsRatio(aspect);
    int newWidth = w + (rule.movesLeft ? -dx : dx);
    if (rule.lead != Lead::kHeight) {
        (rule.movesLeft ? r.left : r.right) += dx;
    } else if (ratio) {
        newWidth = WidthForHeight(aspect, h + (rule.movesTop ? -dy : dy));
        if (rule.movesLeft)
            r.left = sel.right - newWidth;
        else
            r.right = sel.left + newWidth;
    }
    KeepMinWidth(r, rule.movesLeft);
    if (rule.lead == Lead::kHeight || (rule.lead == Lead::kCorner && !ratio)) {
        (rule.movesTop ? r.top : r.bottom) += dy;
    } else if (ratio) {
        int newHeight = HeightForWidth(aspect, newWidth);
        if (rule.movesTop)
            r.top = sel.bottom - newHeight;
        else
            r.bottom = sel.top + newHeight;
    }
    KeepMinHeight(r, rule.movesTop);
    return r;
}

// w and h are the size before this step. A moved region keeps its size
// against the left and top bounds too, so pushing it there never shrinks it.
void ClampIntoBounds(RECT& r, const RECT& bounds, int w, int h, bool keepSize) {
    if (r.left < bounds.left) {
        r.left = bounds.left;
        if (keepSize) r.right = r.left + w;
    }
    if (r.top <= bounds.top) {
        r.top = bounds.top;
        if (keepSize) r.bottom = r.top + h;
    }
    if (r.right > bounds.right) {
        r.right = bounds.right;
        r.left = r.right - w;
    }
    if (r.bottom > bounds.bottom) {
        r.bottom = bounds.bottom;
        r.top = r.bottom - h;
    }
}

}  // namespace

RECT CenterRectIn(const RECT& rect, int width, int height) {
    int w = Width(rect), h = Height(rect);
    if (w < width || h < height) return RECT{0, 0, 0, 0};
    int left = rect.left + (w - width) / 2;
    int top = rect.top + (h - height) / 2;
    return RECT{left, top, left + width, top + height};
}

RECT ResizeSelection(int handle, int dx, int dy, const RECT& sel, const RECT& bounds, int aspect) {
    if (handle < kSelLeft || handle > kSelMove) return sel;
    int w = Width(sel), h = Height(sel);
    RECT r = sel;
    if (handle == kSelMove)
        OffsetRect(&r, dx, dy);
    else
        r = ResizeByRule(kHandleRules[handle - 1], dx, dy, sel, aspect);
    ClampIntoBounds(r, bounds, w, h, handle == kSelMove);
    return r;
}

SelMouseStep TrackSelMouse(int handle, UINT message, POINT point, const SelDrag& drag, const RECT& sel,
                           const RECT& bounds, int aspect) {
    SelMouseStep step = {drag, false, sel};
    if (handle == kSelNone || message == WM_LBUTTONUP) {
        step.drag = SelDrag{};
    } else if (message == WM_LBUTTONDOWN) {
        step.drag = SelDrag{true, point};
    } else if (message == WM_MOUSEMOVE && handle >= kSelLeft && handle <= kSelMove) {
        // Without a press there is no distance to drag by.
        if (!drag.active) return step;
        step.selection = ResizeSelection(handle, point.x - drag.last.x, point.y - drag.last.y, sel, bounds, aspect);
        step.changed = true;
        step.drag.last = point;
    }
    return step;
}

DragButtonPlacement PlaceDragButton(int handle, UINT message, POINT point, const RECT& area, bool leftButtonDown) {
    int inset = (message == WM_MOUSEMOVE && leftButtonDown) ? 0 : 3;
    RECT onRegion = area;
    InflateRect(&onRegion, -inset, -inset);
    if (!PtInRect(&onRegion, point)) return {DragButtonAction::kHide, RECT{0, 0, 0, 0}};
    if (handle == kSelNone || handle == kSelMove)
        return {DragButtonAction::kShow, CenterRectIn(area, kDragButtonSize, kDragButtonSize)};
    return {DragButtonAction::kKeep, RECT{0, 0, 0, 0}};
}

bool IsSizeLabelShown(int handle, bool leftButtonDown) { return leftButtonDown && handle != kSelNone; }

POINT SizeLabelOrigin(const RECT& areaClient) {
    constexpr int kAbove = 22, kInside = 2, kIndent = 2;
    int top = areaClient.top - kAbove;
    if (top < 0) top = areaClient.top + kInside;
    return POINT{areaClient.left + kIndent, top};
}

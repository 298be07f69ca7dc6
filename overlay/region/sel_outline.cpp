#include "overlay/region/sel_outline.h"

#include <algorithm>

std::vector<LineSeg> FrameLines(const RECT& sel) {
    const int l = sel.left, t = sel.top, r = sel.right, b = sel.bottom;
    return {{l, t, r, t}, {l, t, l, b}, {r, t, r, b}, {l, b, r, b}};
}

std::vector<LineSeg> DashSegments(const RECT& sel, int phase, int paintWidth, int paintHeight) {
    const int l = sel.left, t = sel.top, p = phase;
    const int r = std::min<int>(sel.right, paintWidth - 1);
    const int b = std::min<int>(sel.bottom, paintHeight - 1);
    std::vector<LineSeg> segs;
    for (int x = l + p; x <= r;) {
        int end = std::min(x + kDashLength, r);
        segs.push_back({x, t, end, t});
        x = end + kDashGap;
    }
    for (int y = t + p; y <= b;) {
        int end = std::min(y + kDashLength, b);
        segs.push_back({r, y, r, end});
        y = end + kDashGap;
    }
    for (int x = r - p; x >= l;) {
        int end = std::max(x - kDashLength, l);
        segs.push_back({x, b, end, b});
        x = end - kDashGap;
    }
    for (int y = b - p; y >= t;) {
        int end = std::max(y - kDashLength, t);
        segs.push_back({l, y, l, end});
        y = end - kDashGap;
    }
    return segs;
}

int NextDashPhase(int phase) {
    int next = phase + 1;
    return next >= kDashLength + kDashGap ? 0 : next;
}

std::vector<LineSeg> BracketLines(const RECT& sel) {
    const int l = sel.left + 1, t = sel.top + 1, r = sel.right - 1, b = sel.bottom - 1;
    const int a = kBracketArm;
    std::vector<LineSeg> lines;
    for (int i = 3; i >= 0; --i) {
        lines.push_back({l - 3, t - i, l + a, t - i});  // top-left
        lines.push_back({l - i, t - 3, l - i, t + a});
        lines.push_back({r - a, t - i, r + 3, t - i});  // top-right
        lines.push_back({r + i, t - 3, r + i, t + a});
        lines.push_back({r + i, b - a, r + i, b + 3});  // bottom-right
        lines.push_back({r - a, b + i, r + 3, b + i});
        lines.push_back({l - 3, b + i, l + a, b + i});  // bottom-left
        lines.push_back({l - i, b - a, l - i, b + 3});
    }
    return lines;
}

#include "overlay/region/sel_outline_painter.h"

#include <objidl.h>
// GDI+ wants min/max, which NOMINMAX keeps out of windows.h.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "common/logger.h"
#include "overlay/region/sel_outline.h"
#include "ui/render/image_decoder.h"

namespace {

// Alpha 1 keeps the frame almost invisible while the window still takes the
// mouse over it.
const Gdiplus::Color kFrameColor(1, 1, 0, 0);
const Gdiplus::Color kBorderColor(255, 78, 164, 253);

// Pixels a line of the outline may touch beyond its ends (the widest pen is 3).
constexpr int kLineReach = 2;

bool Reaches(const LineSeg& s, const RECT& clip) {
    return std::min(s.x1, s.x2) - kLineReach < clip.right && std::max(s.x1, s.x2) + kLineReach >= clip.left &&
           std::min(s.y1, s.y2) - kLineReach < clip.bottom && std::max(s.y1, s.y2) + kLineReach >= clip.top;
}

void DrawLines(Gdiplus::Graphics& g, const Gdiplus::Pen& pen, const std::vector<LineSeg>& lines, const RECT& clip) {
    for (const LineSeg& s : lines)
        if (Reaches(s, clip)) g.DrawLine(&pen, s.x1, s.y1, s.x2, s.y2);
}

}  // namespace

bool PaintSelOutline(BYTE* bits, int width, int height, const RECT& sel, int dashPhase, const RECT& clip) {
    if (!bits || width <= 0 || height <= 0 || !DuiLib::EnsureGdiplus()) return false;
    // GDI+ draws straight into the buffer; as PARGB it keeps the alpha that a
    // device context would lose.
    Gdiplus::Bitmap canvas(width, height, width * 4, PixelFormat32bppPARGB, bits);
    Gdiplus::Graphics g(&canvas);
    if (g.GetLastStatus() != Gdiplus::Ok) {
        LogBoth("PaintSelOutline", "Gdiplus::Graphics %dx%d error", width, height);
        return false;
    }
    g.SetClip(Gdiplus::Rect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top));
    Gdiplus::Pen frame(kFrameColor, 3.0f);
    frame.SetLineJoin(Gdiplus::LineJoinRound);
    DrawLines(g, frame, FrameLines(sel), clip);
    Gdiplus::Pen border(kBorderColor, 1.0f);
    border.SetLineJoin(Gdiplus::LineJoinRound);
    DrawLines(g, border, DashSegments(sel, dashPhase, width, height), clip);
    DrawLines(g, border, BracketLines(sel), clip);
    return true;
}

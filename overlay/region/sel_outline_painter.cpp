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

void DrawLines(Gdiplus::Graphics& g, const Gdiplus::Pen& pen, const std::vector<LineSeg>& lines) {
    for (const LineSeg& s : lines) g.DrawLine(&pen, s.x1, s.y1, s.x2, s.y2);
}

}  // namespace

bool PaintSelOutline(BYTE* bits, int width, int height, const RECT& sel, int dashPhase) {
    if (!bits || width <= 0 || height <= 0 || !DuiLib::EnsureGdiplus()) return false;
    // GDI+ draws straight into the buffer; as PARGB it keeps the alpha that a
    // device context would lose.
    Gdiplus::Bitmap canvas(width, height, width * 4, PixelFormat32bppPARGB, bits);
    Gdiplus::Graphics g(&canvas);
    if (g.GetLastStatus() != Gdiplus::Ok) {
        LogBoth("PaintSelOutline", "Gdiplus::Graphics %dx%d error", width, height);
        return false;
    }
    Gdiplus::Pen frame(kFrameColor, 3.0f);
    frame.SetLineJoin(Gdiplus::LineJoinRound);
    DrawLines(g, frame, FrameLines(sel));
    Gdiplus::Pen border(kBorderColor, 1.0f);
    border.SetLineJoin(Gdiplus::LineJoinRound);
    DrawLines(g, border, DashSegments(sel, dashPhase, width, height));
    DrawLines(g, border, BracketLines(sel));
    return true;
}

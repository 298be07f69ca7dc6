#include "overlay/draw/draw_canvas.h"

#include <algorithm>

#include "common/logger.h"
#include "overlay/draw/gdiplus_include.h"
#include "ui/render/image_decoder.h"
#include "ui/render/render_engine.h"

namespace {

// Almost transparent (alpha 1, premultiplied black): the board still receives the
// mouse everywhere.
const DWORD kEmptyPixel = 0x01000000;
const Gdiplus::Color kWhiteBoard(255, 255, 255, 255);

struct DibTarget {
    HDC* dc;
    HBITMAP* dib;
    BYTE** bits;
    HGDIOBJ* old;
};

bool MakeDib(HDC compatible, int width, int height, const DibTarget& t) {
    if (width <= 0 || height <= 0) return false;
    *t.dc = CreateCompatibleDC(compatible);
    *t.dib = DuiLib::CRenderEngine::CreateARGB32Bitmap(compatible, width, height, t.bits);
    if (!*t.dc || !*t.dib) return false;
    *t.old = SelectObject(*t.dc, *t.dib);
    return true;
}

void FreeDib(const DibTarget& t) {
    if (*t.dc) {
        if (*t.old) SelectObject(*t.dc, *t.old);
        DeleteDC(*t.dc);
    }
    if (*t.dib) DeleteObject(*t.dib);
    *t.dc = nullptr;
    *t.dib = nullptr;
    *t.bits = nullptr;
    *t.old = nullptr;
}

Gdiplus::PointF Shifted(POINT p, POINT offset) {
    return Gdiplus::PointF(static_cast<float>(p.x + offset.x), static_cast<float>(p.y + offset.y));
}

void FillDot(Gdiplus::Graphics& g, Gdiplus::Brush& brush, Gdiplus::PointF at, int width) {
    g.FillEllipse(&brush, at.X - width / 2, at.Y - width / 2, static_cast<float>(width), static_cast<float>(width));
}

void DrawPenOrLine(Gdiplus::Graphics& g, const DrawStroke& s, POINT offset) {
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const Gdiplus::Color color(s.color);
    Gdiplus::Pen pen(color, static_cast<float>(s.width));
    pen.SetLineJoin(Gdiplus::LineJoinRound);
    Gdiplus::SolidBrush brush(color);
    FillDot(g, brush, Shifted(s.points.front(), offset), s.width);
    if (s.points.size() >= 2) {
        if (s.tool == kToolLine) {
            g.DrawLine(&pen, Shifted(s.points.front(), offset), Shifted(s.points.back(), offset));
        } else {
            std::vector<Gdiplus::PointF> pts;
            for (POINT p : s.points) pts.push_back(Shifted(p, offset));
            g.DrawCurve(&pen, pts.data(), static_cast<INT>(pts.size()), 0.0f);
        }
    }
    FillDot(g, brush, Shifted(s.points.back(), offset), s.width);
}

POINT Moved(POINT p, POINT offset) { return POINT{p.x + offset.x, p.y + offset.y}; }

void DrawArrow(Gdiplus::Graphics& g, const DrawStroke& s, POINT offset, const RECT& bounds) {
    ArrowPolygon corners;
    if (!MakeArrowPolygon(Moved(s.points.front(), offset), Moved(s.points.back(), offset), s.width, bounds, &corners))
        return;
    Gdiplus::Point pts[6];
    for (int i = 0; i < 6; ++i) pts[i] = Gdiplus::Point(corners[i].x, corners[i].y);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    Gdiplus::SolidBrush brush{Gdiplus::Color(s.color)};
    g.FillPolygon(&brush, pts, 6);
}

void DrawRectangle(Gdiplus::Graphics& g, const DrawStroke& s, POINT offset, const RECT& bounds) {
    RECT rc;
    if (!ClipStrokeRect(Moved(s.points.front(), offset), Moved(s.points.back(), offset), bounds, &rc)) return;
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    Gdiplus::Pen pen(Gdiplus::Color(s.color), static_cast<float>(s.width));
    g.DrawRectangle(&pen, static_cast<INT>(rc.left), rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void DrawEllipse(Gdiplus::Graphics& g, const DrawStroke& s, POINT offset) {
    const POINT a = Moved(s.points.front(), offset), b = Moved(s.points.back(), offset);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    Gdiplus::Pen pen(Gdiplus::Color(s.color), static_cast<float>(s.width));
    g.DrawEllipse(&pen, static_cast<INT>(a.x), a.y, b.x - a.x, b.y - a.y);
}

}  // namespace

bool DrawCanvas::Create(HWND window, int width, int height) {
    // Buffers of the same sizes are kept: a new screen-sized one costs its pages
    // being touched again. Every stroke goes either way.
    if (m_pMainBits && width == m_nBoardWidth && height == m_nBoardHeight && m_nClipWidth == m_whiteSize.cx &&
        m_nClipHeight == m_whiteSize.cy && (m_pWhiteBits || m_nClipWidth <= 0 || m_nClipHeight <= 0)) {
        m_pCurrent = nullptr;
        DeleteStrokesIf([](const DrawStroke&) { return true; });
        return true;
    }
    Release();
    HDC windowDC = GetDC(window);
    const bool main = MakeDib(windowDC, width, height, {&m_hMainDC, &m_hMainDib, &m_pMainBits, &m_hOldMain});
    const bool white =
        MakeDib(windowDC, m_nClipWidth, m_nClipHeight, {&m_hWhiteDC, &m_hWhiteDib, &m_pWhiteBits, &m_hOldWhite});
    ReleaseDC(window, windowDC);
    if (!main) {
        LogBoth("DrawCanvas::Create", "%dx%d bitmap error", width, height);
        Release();
        return false;
    }
    if (!white) LogBoth("DrawCanvas::Create", "white board %dx%d bitmap error", m_nClipWidth, m_nClipHeight);
    m_nBoardWidth = width;
    m_nBoardHeight = height;
    m_whiteSize = SIZE{m_nClipWidth, m_nClipHeight};
    return true;
}

void DrawCanvas::Release() {
    m_pCurrent = nullptr;
    DeleteStrokesIf([](const DrawStroke&) { return true; });
    FreeDib({&m_hMainDC, &m_hMainDib, &m_pMainBits, &m_hOldMain});
    FreeDib({&m_hWhiteDC, &m_hWhiteDib, &m_pWhiteBits, &m_hOldWhite});
    m_nBoardWidth = m_nBoardHeight = 0;
    m_whiteSize = SIZE{0, 0};
}

void DrawCanvas::SetClip(int left, int top, int right, int bottom) {
    m_rcClip = RECT{left, top, right, bottom};
    m_nClipWidth = right - left;
    m_nClipHeight = bottom - top;
}

void DrawCanvas::Attach(HWND window) {
    m_hWnd = window;
    Repaint();
}

void DrawCanvas::BeginStroke(int x, int y) {
    auto stroke = std::make_unique<DrawStroke>();
    stroke->color = 0xFF000000 | (m_dwColor & 0x00FFFFFF);
    stroke->width = m_nWidth;
    stroke->tool = m_nTool;
    stroke->whiteBoard = m_bWhiteBoard;
    if (m_nTool == kToolText) {
        stroke->textSize = m_nTextSize;
        // The box the board made for this click; a box already owned by an
        // earlier stroke is never taken twice.
        bool owned = false;
        for (const auto& s : m_strokes) owned = owned || s->text.get() == m_pActiveText;
        if (m_pActiveText && !owned) stroke->text.reset(m_pActiveText);
    }
    stroke->points.push_back(POINT{x, y});
    m_pCurrent = stroke.get();
    m_strokes.push_back(std::move(stroke));
}

void DrawCanvas::AddPoint(int x, int y) {
    if (!m_pCurrent || m_pCurrent->tool == kToolText) return;
    m_pCurrent->points.push_back(POINT{x, y});
    Repaint();
}

void DrawCanvas::EndStroke(int x, int y) {
    if (!m_pCurrent) return;
    if (m_pCurrent->tool != kToolText) m_pCurrent->points.push_back(POINT{x, y});
    Repaint();
    m_pCurrent = nullptr;
}

void DrawCanvas::ForgetBoxOf(const DrawStroke& stroke) {
    if (!stroke.text || stroke.text.get() != m_pActiveText) return;
    m_pActiveText = nullptr;
    if (m_activeTextGone) m_activeTextGone();
}

void DrawCanvas::DeleteStrokesIf(const std::function<bool(const DrawStroke&)>& doomed) {
    for (auto it = m_strokes.begin(); it != m_strokes.end();) {
        if (!doomed(**it)) {
            ++it;
            continue;
        }
        if (it->get() == m_pCurrent) m_pCurrent = nullptr;
        ForgetBoxOf(**it);
        it = m_strokes.erase(it);
    }
}

// Both repaint only when something changed: a screen-sized push costs tens of
// milliseconds.
void DrawCanvas::ClearAll() {
    const bool onlyWhite = m_bWhiteBoard;
    const size_t before = m_strokes.size();
    DeleteStrokesIf([onlyWhite](const DrawStroke& s) { return !onlyWhite || s.whiteBoard; });
    if (m_strokes.size() != before) Repaint();
}

void DrawCanvas::SetWhiteBoard(bool on) {
    const bool changed = on != m_bWhiteBoard;
    m_bWhiteBoard = on;
    const size_t before = m_strokes.size();
    if (!on) DeleteStrokesIf([](const DrawStroke& s) { return s.whiteBoard; });
    if (changed || m_strokes.size() != before) Repaint();
}

void DrawCanvas::RemoveLast() {
    if (m_strokes.empty()) return;
    const DrawStroke* last = m_strokes.back().get();
    DeleteStrokesIf([last](const DrawStroke& s) { return &s == last; });
}

void DrawCanvas::RemoveStrokeOf(const StretchText* box) {
    if (!box) return;
    DeleteStrokesIf([box](const DrawStroke& s) { return s.text.get() == box; });
}

void DrawCanvas::Undo() {
    RemoveLast();
    Repaint();
}

void DrawCanvas::DrawStrokeOn(void* graphics, HDC dc, const DrawStroke& s, POINT offset, const RECT& bounds) {
    auto& g = *static_cast<Gdiplus::Graphics*>(graphics);
    if (s.points.empty()) return;
    switch (s.tool) {
        case kToolPen:
        case kToolLine: DrawPenOrLine(g, s, offset); break;
        case kToolArrow: DrawArrow(g, s, offset, bounds); break;
        case kToolRectangle: DrawRectangle(g, s, offset, bounds); break;
        case kToolEllipse: DrawEllipse(g, s, offset); break;
        case kToolText:
            if (!s.text) break;
            g.Flush(Gdiplus::FlushIntentionSync);
            s.text->Paint(dc, bounds.left, bounds.top, bounds.right, bounds.bottom, 1.0f);
            GdiFlush();
            break;
        default: break;
    }
}

void DrawCanvas::Repaint() {
    if (!m_pMainBits || !DuiLib::EnsureGdiplus()) return;
    // Cleared by hand: GDI+ takes several times as long to clear a screen-sized buffer.
    std::fill_n(reinterpret_cast<DWORD*>(m_pMainBits), static_cast<size_t>(m_nBoardWidth) * m_nBoardHeight,
                kEmptyPixel);
    if (!m_bWhiteBoard && !m_strokes.empty()) {
        Gdiplus::Bitmap main(m_nBoardWidth, m_nBoardHeight, m_nBoardWidth * 4, PixelFormat32bppPARGB, m_pMainBits);
        Gdiplus::Graphics g(&main);
        for (const auto& s : m_strokes) DrawStrokeOn(&g, m_hMainDC, *s, POINT{0, 0}, m_rcClip);
    }
    if (m_bWhiteBoard && m_pWhiteBits) {
        {
            Gdiplus::Bitmap white(m_nClipWidth, m_nClipHeight, m_nClipWidth * 4, PixelFormat32bppPARGB, m_pWhiteBits);
            Gdiplus::Graphics g(&white);
            g.Clear(kWhiteBoard);
            const RECT bounds = {0, 0, m_nClipWidth, m_nClipHeight};
            const POINT offset = {-m_rcClip.left, -m_rcClip.top};
            for (const auto& s : m_strokes)
                if (s->whiteBoard) DrawStrokeOn(&g, m_hWhiteDC, *s, offset, bounds);
        }
        GdiFlush();
        BitBlt(m_hMainDC, m_rcClip.left, m_rcClip.top, m_nClipWidth, m_nClipHeight, m_hWhiteDC, 0, 0, SRCCOPY);
    }
    GdiFlush();
    Push();
}

void DrawCanvas::Push() {
    if (!m_hWnd || !IsWindow(m_hWnd)) return;
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    POINT dst = {window.left, window.top}, src = {0, 0};
    SIZE size = {std::min<LONG>(window.right - window.left, m_nBoardWidth),
                 std::min<LONG>(window.bottom - window.top, m_nBoardHeight)};
    HDC screen = GetDC(nullptr);
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (!UpdateLayeredWindow(m_hWnd, screen, &dst, &size, m_hMainDC, &src, 0, &bf, ULW_ALPHA))
        LogBoth("DrawCanvas::Repaint", "UpdateLayeredWindow error %lu", GetLastError());
    ReleaseDC(nullptr, screen);
}

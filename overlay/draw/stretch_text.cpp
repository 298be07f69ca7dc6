#include "overlay/draw/stretch_text.h"

#include <algorithm>

#include "overlay/draw/gdiplus_include.h"
#include "ui/render/image_decoder.h"
#include "ui/render/render_engine.h"

namespace {

constexpr int kBorder = 4;  // the bitmap is the content plus 2 pixels each side
const Gdiplus::Color kFrameColor(0xFF3DD0EE);
const Gdiplus::Color kCaretOuter(250, 64, 64, 64);
const Gdiplus::Color kCaretInner(250, 255, 255, 255);
constexpr int kCaretWidth = 3;

Gdiplus::SizeF Measure(Gdiplus::Graphics& g, const std::wstring& text, const Gdiplus::Font& font, float w, float h,
                       const Gdiplus::StringFormat& format) {
    if (text.empty()) return Gdiplus::SizeF(0, 0);
    Gdiplus::RectF box;
    g.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font, Gdiplus::RectF(0, 0, w, h), &format, &box);
    return Gdiplus::SizeF(box.Width, box.Height);
}

void CenteredNearFormat(Gdiplus::StringFormat* format) {
    format->SetAlignment(Gdiplus::StringAlignmentCenter);
    format->SetLineAlignment(Gdiplus::StringAlignmentNear);
}

}  // namespace

StretchBase::~StretchBase() { ReleaseBitmap(); }

void StretchBase::ReleaseBitmap() {
    if (m_hMemDC) {
        SelectObject(m_hMemDC, m_hOldBitmap);
        DeleteDC(m_hMemDC);
    }
    if (m_hBitmap) DeleteObject(m_hBitmap);
    m_hMemDC = nullptr;
    m_hBitmap = nullptr;
    m_hOldBitmap = nullptr;
    m_pBits = nullptr;
}

bool StretchBase::Create(int width, int height) {
    if (m_hBitmap) return true;
    if (width <= 0 || height <= 0) return false;
    m_nWidth = width;
    m_nHeight = height;
    HDC screen = GetDC(nullptr);
    m_hMemDC = CreateCompatibleDC(screen);
    m_hBitmap = DuiLib::CRenderEngine::CreateARGB32Bitmap(screen, width + kBorder, height + kBorder, &m_pBits);
    ReleaseDC(nullptr, screen);
    if (!m_hMemDC || !m_hBitmap) {
        ReleaseBitmap();
        return false;
    }
    m_hOldBitmap = SelectObject(m_hMemDC, m_hBitmap);
    const int left = (width + kBorder) / 2 - width / 2, top = (height + kBorder) / 2 - height / 2;
    m_rcContent = RECT{left, top, left + width, top + height};
    m_rcBitmap = RECT{0, 0, width + kBorder, height + kBorder};
    return true;
}

void StretchBase::Paint(HDC hdc, int x, int y, int right, int bottom, float scale) {
    if (!hdc) return;
    const POINT target = {m_ptPosition.x + x, m_ptPosition.y + y};
    DrawContent(x, y, right, bottom, scale);
    if (!m_hMemDC || !m_bVisible) return;
    const int w = m_rcContent.right - m_rcContent.left, h = m_rcContent.bottom - m_rcContent.top;
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(hdc, target.x, target.y, w, h, m_hMemDC, 2, 2, w, h, bf);
}

void StretchBase::GetState(StretchState* state) const {
    state->position = m_ptPosition;
    state->limits = m_rcLimits;
    state->frame = m_rcFrame;
    state->content = m_rcContent;
    state->visible = m_bVisible;
    state->editing = m_bEditing;
}

void StretchBase::SetPosition(POINT position, const RECT& limits) {
    m_ptPosition = position;
    m_rcLimits = limits;
}

void StretchText::InsertChar(wchar_t ch) {
    if (ch == 8) {
        if (m_nCaret > 0) m_text.erase(--m_nCaret, 1);
        return;
    }
    if (ch == 27) {
        m_bEditing = false;
        return;
    }
    if (ch == 9) return;
    m_text.insert(m_nCaret++, 1, ch);
    if (ch == 13) m_text.insert(m_nCaret++, 1, L'\n');
}

void StretchText::MoveCaret(int delta) {
    const long long caret = static_cast<long long>(m_nCaret) + delta;
    m_nCaret = static_cast<size_t>(std::min<long long>(std::max<long long>(caret, 0), m_text.size()));
}

void StretchText::DrawContent(int x, int y, int right, int bottom, float scale) {
    if (!m_bVisible || !DuiLib::EnsureGdiplus()) return;
    const POINT target = {m_ptPosition.x + x, m_ptPosition.y + y};
    const int room = right - target.x, roomDown = bottom - target.y;
    if (room <= 0 || roomDown <= 0) return;
    HDC measureDC = CreateCompatibleDC(nullptr);
    int boxW = 0, boxH = 0;
    {
        Gdiplus::Graphics g(measureDC);
        Gdiplus::FontFamily family(m_fontFamily.c_str());
        Gdiplus::Font font(&family, static_cast<Gdiplus::REAL>(m_nFontSize) * scale, Gdiplus::FontStyleRegular,
                           Gdiplus::UnitPixel);
        Gdiplus::Font lineFont(&family, std::max(3.0f, m_nFontSize * scale * 1.3f), Gdiplus::FontStyleRegular,
                               Gdiplus::UnitPixel);
        Gdiplus::StringFormat format;
        CenteredNearFormat(&format);
        const Gdiplus::SizeF free = Measure(g, m_text, font, 100000.0f, static_cast<float>(roomDown), format);
        const Gdiplus::SizeF text =
            Measure(g, m_text, font, static_cast<float>(room), static_cast<float>(roomDown), format);
        const Gdiplus::SizeF line = Measure(g, L"好", lineFont, 1000, 1000, format);
        if (free.Width + 2 > room) m_bWrapped = true;
        boxW = std::max(static_cast<int>(text.Width) + 2, static_cast<int>(line.Width));
        boxH = std::max(static_cast<int>(text.Height) + 2, static_cast<int>(line.Height));
        if (m_bWrapped) boxW = room;
        boxW = std::min(boxW, room);
        boxH = std::min(boxH, roomDown);
    }
    DeleteDC(measureDC);
    ReleaseBitmap();
    if (!Create(boxW, boxH)) return;
    m_rcFrame = RECT{target.x, target.y, target.x + boxW, target.y + boxH};

    Gdiplus::Bitmap canvas(boxW + kBorder, boxH + kBorder, (boxW + kBorder) * 4, PixelFormat32bppPARGB, m_pBits);
    Gdiplus::Graphics g(&canvas);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const Gdiplus::RectF content(static_cast<float>(m_rcContent.left), static_cast<float>(m_rcContent.top),
                                 static_cast<float>(boxW), static_cast<float>(boxH));
    if (m_bEditing) {
        Gdiplus::Pen pen(kFrameColor, 1.0f);
        pen.SetDashStyle(Gdiplus::DashStyleDashDotDot);
        const float l = content.X, t = content.Y, r = content.X + boxW - 1, b = content.Y + boxH - 1;
        g.DrawLine(&pen, l, t, r, t);
        g.DrawLine(&pen, r, t, r, b);
        g.DrawLine(&pen, r, b, l, b);
        g.DrawLine(&pen, l, b, l, t);
    }
    Gdiplus::FontFamily family(m_fontFamily.c_str());
    Gdiplus::Font font(&family, static_cast<Gdiplus::REAL>(m_nFontSize) * scale, Gdiplus::FontStyleRegular,
                       Gdiplus::UnitPixel);
    Gdiplus::StringFormat format;
    CenteredNearFormat(&format);
    Gdiplus::SolidBrush brush{Gdiplus::Color(m_dwColor)};
    if (!m_text.empty()) g.DrawString(m_text.c_str(), static_cast<INT>(m_text.size()), &font, content, &format, &brush);
    if (!m_bCaretShown || !m_bEditing) return;
    Gdiplus::RectF caret(content.X + content.Width / 2 - 1, content.Y, kCaretWidth, content.Height);
    if (!m_text.empty()) {
        const size_t at = std::min(m_nCaret, m_text.size() - 1);
        Gdiplus::CharacterRange range(static_cast<INT>(at), 1);
        format.SetMeasurableCharacterRanges(1, &range);
        Gdiplus::Region region;
        g.MeasureCharacterRanges(m_text.c_str(), static_cast<INT>(m_text.size()), &font, content, &format, 1, &region);
        Gdiplus::RectF ch;
        region.GetBounds(&ch, &g);
        caret = Gdiplus::RectF(m_nCaret < m_text.size() ? ch.X : ch.X + ch.Width + 1, ch.Y, kCaretWidth, ch.Height);
    }
    m_nCaretX = static_cast<int>(caret.X);
    m_nCaretY = static_cast<int>(caret.Y);
    Gdiplus::SolidBrush outer(kCaretOuter), inner(kCaretInner);
    g.FillRectangle(&outer, caret);
    g.FillRectangle(&inner, caret.X + 1, caret.Y + 1, caret.Width - 2, caret.Height - 2);
}

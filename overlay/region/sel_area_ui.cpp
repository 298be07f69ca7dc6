#include "overlay/region/sel_area_ui.h"

#include <algorithm>
#include <cstring>

#include "overlay/region/sel_outline.h"
#include "overlay/region/sel_outline_painter.h"

namespace {

// One phase for every frame of the process, so all of them march together.
int g_selDashPhase = 0;

}  // namespace

LPVOID CSelAreaUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && wcscmp(pstrName, kSelAreaInterface) == 0) return this;
    return CControlUI::GetInterface(pstrName);
}

void CSelAreaUI::DoInit() {
    if (!m_pManager) return;
    GetWindowRect(m_pManager->GetPaintWindow(), &m_rcWindow);
    // The window's own size covers its client area wherever it stands on the desktop.
    m_nPaintWidth = m_rcWindow.right - m_rcWindow.left;
    m_nPaintHeight = m_rcWindow.bottom - m_rcWindow.top;
    SetMouseEnabled(false);  // the mouse goes where it went while the control was a dot
}

void CSelAreaUI::SetPos(RECT rc, bool bNeedInvalidate) {
    if (m_nPaintWidth > 0 && m_nPaintHeight > 0) rc = RECT{0, 0, m_nPaintWidth, m_nPaintHeight};
    CControlUI::SetPos(rc, bNeedInvalidate);
}

void CSelAreaUI::SetSelRect(int left, int top, int right, int bottom) {
    m_rcSel = RECT{left, top, right, bottom};
    // The control is a dot in the layout but paints the whole window.
    if (m_pManager) m_pManager->Invalidate();
}

// The four lines where the dashes run, with a margin for the pens around them.
std::array<RECT, 4> CSelAreaUI::BorderStrips() const {
    constexpr int m = 2;
    const RECT& s = m_rcSel;
    const LONG r = std::min<LONG>(s.right, m_nPaintWidth - 1), b = std::min<LONG>(s.bottom, m_nPaintHeight - 1);
    return {RECT{s.left - m, s.top - m, r + m + 1, s.top + m + 1}, RECT{r - m, s.top - m, r + m + 1, b + m + 1},
            RECT{s.left - m, b - m, r + m + 1, b + m + 1}, RECT{s.left - m, s.top - m, s.left + m + 1, b + m + 1}};
}

void CSelAreaUI::RepaintBorder() {
    if (!m_pManager) return;
    for (const RECT& rc : BorderStrips()) m_pManager->Invalidate(rc);
}

// Every rectangle of one paint of the window is drawn at the same phase; with
// the animation on, the phase moves on once per paint.
int CSelAreaUI::PhaseForThisPaint(bool* firstOfPaint) {
    const UINT serial = m_pManager ? m_pManager->GetPaintSerial() : 0;
    *firstOfPaint = !m_bPainted || serial != m_nPaintSerial;
    if (*firstOfPaint) m_nPassPhase = g_selDashPhase;
    m_bPainted = true;
    m_nPaintSerial = serial;
    return m_nPassPhase;
}

void CSelAreaUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    const RECT all = {0, 0, m_nPaintWidth, m_nPaintHeight};
    RECT clip = {};
    if (IntersectRect(&clip, &rcPaint, &all) &&
        (m_canvas.IsValid() || m_canvas.Create(hDC, m_nPaintWidth, m_nPaintHeight))) {
        bool firstOfPaint = false;
        const int phase = PhaseForThisPaint(&firstOfPaint);
        GdiFlush();
        const size_t rowBytes = static_cast<size_t>(clip.right - clip.left) * 4;
        for (LONG y = clip.top; y < clip.bottom; ++y)
            memset(m_canvas.bits() + (static_cast<size_t>(y) * m_nPaintWidth + clip.left) * 4, 0, rowBytes);
        bool drawn = PaintSelOutline(m_canvas.bits(), m_nPaintWidth, m_nPaintHeight, m_rcSel, phase, clip);
        if (drawn && firstOfPaint && m_bAnimate) g_selDashPhase = NextDashPhase(g_selDashPhase);
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        const int w = clip.right - clip.left, h = clip.bottom - clip.top;
        AlphaBlend(hDC, clip.left, clip.top, w, h, m_canvas.dc(), clip.left, clip.top, w, h, blend);
    }
    CControlUI::DoPaint(hDC, rcPaint);
}

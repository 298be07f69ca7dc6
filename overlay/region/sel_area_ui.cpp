#include "overlay/region/sel_area_ui.h"

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
}

void CSelAreaUI::SetSelRect(int left, int top, int right, int bottom) {
    m_rcSel = RECT{left, top, right, bottom};
    // The control is a dot in the layout but paints the whole window.
    if (m_pManager) m_pManager->Invalidate();
}

void CSelAreaUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    if (m_canvas.IsValid() || m_canvas.Create(hDC, m_nPaintWidth, m_nPaintHeight)) {
        GdiFlush();
        memset(m_canvas.bits(), 0, static_cast<size_t>(m_nPaintWidth) * m_nPaintHeight * 4);
        bool drawn = PaintSelOutline(m_canvas.bits(), m_nPaintWidth, m_nPaintHeight, m_rcSel, g_selDashPhase);
        if (drawn && m_bAnimate) g_selDashPhase = NextDashPhase(g_selDashPhase);
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(hDC, 0, 0, m_nPaintWidth, m_nPaintHeight, m_canvas.dc(), 0, 0, m_nPaintWidth, m_nPaintHeight, blend);
    }
    CControlUI::DoPaint(hDC, rcPaint);
}

#include "region/sel_area_ui.h"

#include <cstring>

#include "region/sel_outline.h"
#include "region/sel_outline_painter.h"

namespace {

// One phase for every frame of the process, so all of them march together.
int g_selDashPhase = 0;

}  // namespace

CSelAreaUI::~CSelAreaUI()
{
    ReleaseCanvas();
}

LPVOID CSelAreaUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName && wcscmp(pstrName, L"SelArea") == 0) return this;
    return CControlUI::GetInterface(pstrName);
}

void CSelAreaUI::DoInit()
{
    if (!m_pManager) return;
    GetWindowRect(m_pManager->GetPaintWindow(), &m_rcWindow);
    // The window's own size covers its client area wherever it stands on the desktop.
    m_nPaintWidth = m_rcWindow.right - m_rcWindow.left;
    m_nPaintHeight = m_rcWindow.bottom - m_rcWindow.top;
}

void CSelAreaUI::SetSelRect(int left, int top, int right, int bottom)
{
    m_rcSel = RECT{left, top, right, bottom};
    // The control is a dot in the layout but paints the whole window.
    if (m_pManager) m_pManager->Invalidate();
}

bool CSelAreaUI::EnsureCanvas(HDC target)
{
    if (m_hMemDC) return true;
    if (m_nPaintWidth <= 0 || m_nPaintHeight <= 0) return false;
    m_hDib = DuiLib::CRenderEngine::CreateARGB32Bitmap(target, m_nPaintWidth, m_nPaintHeight, &m_pBits);
    if (!m_hDib) return false;
    m_hMemDC = CreateCompatibleDC(target);
    if (!m_hMemDC) {
        ReleaseCanvas();
        return false;
    }
    m_hOldBitmap = SelectObject(m_hMemDC, m_hDib);
    return true;
}

void CSelAreaUI::ReleaseCanvas()
{
    if (m_hMemDC) {
        SelectObject(m_hMemDC, m_hOldBitmap);
        DeleteDC(m_hMemDC);
    }
    if (m_hDib) DeleteObject(m_hDib);
    m_hMemDC = nullptr;
    m_hDib = nullptr;
    m_hOldBitmap = nullptr;
    m_pBits = nullptr;
}

void CSelAreaUI::DoPaint(HDC hDC, const RECT& rcPaint)
{
    if (EnsureCanvas(hDC)) {
        GdiFlush();
        memset(m_pBits, 0, static_cast<size_t>(m_nPaintWidth) * m_nPaintHeight * 4);
        bool drawn = PaintSelOutline(m_pBits, m_nPaintWidth, m_nPaintHeight, m_rcSel, g_selDashPhase);
        if (drawn && m_bAnimate) g_selDashPhase = NextDashPhase(g_selDashPhase);
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(hDC, 0, 0, m_nPaintWidth, m_nPaintHeight, m_hMemDC, 0, 0, m_nPaintWidth, m_nPaintHeight, blend);
    }
    CControlUI::DoPaint(hDC, rcPaint);
}

#include "overlay/spotlight/spotlight_ui.h"

#include <cwchar>

namespace {

void Blend(HDC dst, const RECT& to, HDC src, int size) {
    if (to.right <= to.left || to.bottom <= to.top) return;
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dst, to.left, to.top, to.right - to.left, to.bottom - to.top, src, 0, 0, size, size, bf);
}

}  // namespace

LPVOID CSpotlightUI::GetInterface(LPCTSTR pstrName) {
    if (wcscmp(pstrName, kSpotlightInterface) == 0) return this;
    return CLabelUI::GetInterface(pstrName);
}

void CSpotlightUI::DoInit() {
    CLabelUI::DoInit();
    if (!m_spot.Create(nullptr, m_nSpotWidth, m_nSpotHeight) ||
        !m_surround.Create(nullptr, m_nSpotWidth, m_nSpotHeight))
        return;
    if (!DrawImageInto(m_spot, L"common\\spotlight.png")) return;
    DrawImageInto(m_surround, L"common\\spotlight_bk.png");
}

// The image at its own size at (0, 0); the rest of the bitmap stays clear.
bool CSpotlightUI::DrawImageInto(MemoryBitmap& target, const wchar_t* image) {
    const DuiLib::TImageInfo* info = m_pManager ? m_pManager->GetImageEx(image) : nullptr;
    if (!info || !info->hBitmap) return false;
    const RECT rc = {0, 0, info->nX, info->nY};
    DuiLib::CRenderEngine::DrawImage(target.dc(), info->hBitmap, rc, rc, rc, RECT{0, 0, 0, 0}, true, 255);
    GdiFlush();
    return true;
}

// Only the spot's old and new squares change: the surround is one colour.
void CSpotlightUI::SetSpotCenter(int x, int y) {
    const RECT before = SpotRect();
    m_ptCenter = POINT{x, y};
    if (!m_pManager) return;
    m_pManager->Invalidate(before);
    m_pManager->Invalidate(SpotRect());
}

RECT CSpotlightUI::SpotRect() const { return LayOutSpotlight(PaintArea(), m_ptCenter).spot; }

SIZE CSpotlightUI::PaintArea() const {
    if (!IsRectEmpty(&m_rcHole)) return SIZE{m_rcHole.right - m_rcHole.left, m_rcHole.bottom - m_rcHole.top};
    return SIZE{m_rcItem.right - m_rcItem.left, m_rcItem.bottom - m_rcItem.top};
}

void CSpotlightUI::PaintBkImage(HDC hDC) {
    if (!m_spot.IsValid() || !m_surround.IsValid()) return;
    const SpotlightLayout layout = LayOutSpotlight(PaintArea(), m_ptCenter);
    // The centre and the bands are window client pixels: the control fills the window.
    Blend(hDC, layout.spot, m_spot.dc(), kSpotSize);
    for (size_t i = 0; i < layout.bands.size(); ++i)
        if (layout.present[i]) Blend(hDC, layout.bands[i], m_surround.dc(), kSpotSize);
}

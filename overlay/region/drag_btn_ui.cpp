#include "overlay/region/drag_btn_ui.h"

LPVOID CDragBtnUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && wcscmp(pstrName, kDragBtnInterface) == 0) return this;
    return CButtonUI::GetInterface(pstrName);
}

void CDragBtnUI::DoInit() {
    if (!m_pManager || m_sBkImage.IsEmpty()) return;
    DuiLib::TDrawInfo draw = DuiLib::CRenderEngine::ParseDrawInfo(m_sBkImage);
    const DuiLib::TImageInfo* image = m_pManager->GetImageEx(draw.sImageName);
    // Without its image the button paints nothing.
    if (!image || !image->hBitmap || !m_image.Create(nullptr, image->nX, image->nY)) return;
    m_rcImage = RECT{0, 0, image->nX, image->nY};
    DuiLib::CRenderEngine::DrawImage(m_image.dc(), image->hBitmap, m_rcImage, m_rcImage, m_rcImage, RECT{0, 0, 0, 0},
                                     true, 255);
    GdiFlush();
}

void CDragBtnUI::SetDestRect(int left, int top, int right, int bottom) { m_rcDest = RECT{left, top, right, bottom}; }

void CDragBtnUI::PaintBkImage(HDC hDC) {
    if (m_sBkImage.IsEmpty() || !m_image.IsValid()) return;
    int w = m_rcDest.right - m_rcDest.left, h = m_rcDest.bottom - m_rcDest.top;
    if (w <= 0 || h <= 0) return;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(hDC, m_rcDest.left, m_rcDest.top, w, h, m_image.dc(), 0, 0, m_image.width(), m_image.height(), blend);
}

#include "region/drag_btn_ui.h"

CDragBtnUI::~CDragBtnUI()
{
    ReleaseImage();
}

LPVOID CDragBtnUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName && wcscmp(pstrName, L"DragBtn") == 0) return this;
    return CButtonUI::GetInterface(pstrName);
}

void CDragBtnUI::DoInit()
{
    if (!m_pManager || m_sBkImage.IsEmpty()) return;
    DuiLib::TDrawInfo draw = DuiLib::CRenderEngine::ParseDrawInfo(m_sBkImage);
    const DuiLib::TImageInfo* image = m_pManager->GetImageEx(draw.sImageName);
    if (!image || !image->hBitmap) return;  // the button paints nothing then
    m_rcImage = RECT{0, 0, image->nX, image->nY};
    HDC screen = GetDC(nullptr);
    m_hMemDC = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    m_hDib = DuiLib::CRenderEngine::CreateARGB32Bitmap(m_hMemDC, image->nX, image->nY);
    if (!m_hMemDC || !m_hDib) {
        ReleaseImage();
        return;
    }
    m_hOldBitmap = SelectObject(m_hMemDC, m_hDib);
    DuiLib::CRenderEngine::DrawImage(m_hMemDC, image->hBitmap, m_rcImage, m_rcImage, m_rcImage, RECT{0, 0, 0, 0},
                                     true, 255);
    GdiFlush();
}

void CDragBtnUI::ReleaseImage()
{
    if (m_hMemDC) {
        if (m_hOldBitmap) SelectObject(m_hMemDC, m_hOldBitmap);
        DeleteDC(m_hMemDC);
    }
    if (m_hDib) DeleteObject(m_hDib);
    m_hMemDC = nullptr;
    m_hDib = nullptr;
    m_hOldBitmap = nullptr;
}

void CDragBtnUI::SetDestRect(int left, int top, int right, int bottom)
{
    m_rcDest = RECT{left, top, right, bottom};
}

void CDragBtnUI::PaintBkImage(HDC hDC)
{
    if (m_sBkImage.IsEmpty() || !m_hMemDC) return;
    int w = m_rcDest.right - m_rcDest.left, h = m_rcDest.bottom - m_rcDest.top;
    if (w <= 0 || h <= 0) return;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(hDC, m_rcDest.left, m_rcDest.top, w, h, m_hMemDC, 0, 0, m_rcImage.right, m_rcImage.bottom, blend);
}

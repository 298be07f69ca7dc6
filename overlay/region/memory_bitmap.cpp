#include "overlay/region/memory_bitmap.h"

#include <cstring>

#include "ui/duilib.h"

bool MemoryBitmap::Create(HDC compatible, int width, int height) {
    Release();
    if (width <= 0 || height <= 0) return false;
    m_hDib = DuiLib::CRenderEngine::CreateARGB32Bitmap(compatible, width, height, &m_pBits);
    m_hDC = m_hDib ? CreateCompatibleDC(compatible) : nullptr;
    if (!m_hDC) {
        Release();
        return false;
    }
    m_hOldBitmap = SelectObject(m_hDC, m_hDib);
    m_nWidth = width;
    m_nHeight = height;
    memset(m_pBits, 0, static_cast<size_t>(width) * height * 4);
    return true;
}

void MemoryBitmap::Release() {
    if (m_hDC) {
        if (m_hOldBitmap) SelectObject(m_hDC, m_hOldBitmap);
        DeleteDC(m_hDC);
    }
    if (m_hDib) DeleteObject(m_hDib);
    m_hDC = nullptr;
    m_hDib = nullptr;
    m_hOldBitmap = nullptr;
    m_pBits = nullptr;
    m_nWidth = m_nHeight = 0;
}

// The picker's magnifier: the lens from the frame being painted, then its frame image.
#include "picker/magnifier_ui.h"

#include "picker/layouts/snapwick_names.h"

using namespace DuiLib;

LPVOID CMagnifierUI::GetInterface(LPCTSTR pstrName) {
    if (_wcsicmp(pstrName, snapwick_names::kMagnifierInterface) == 0) return this;
    return CControlUI::GetInterface(pstrName);
}

void CMagnifierUI::Place(const RECT& rect, bool below, POINT cursor) {
    m_rect = rect;
    m_below = below;
    m_cursor = cursor;
    SetFixedXY({rect.left, rect.top});
    SetFixedWidth(rect.right - rect.left);
    SetFixedHeight(rect.bottom - rect.top);
    SetPos(rect);
}

void CMagnifierUI::DoInit() {
    if (!m_pManager) return;
    m_frameBelow = m_pManager->GetImageEx(L"main/magnifierup.png");
    m_frameAbove = m_pManager->GetImageEx(L"main/magnifierdown.png");
}

void CMagnifierUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    KeepCoveringDesktop();
    PaintLens(hDC);
    PaintFrame(hDC, rcPaint);
    CControlUI::DoPaint(hDC, rcPaint);
}

// The window keeps covering the whole desktop whatever moved it.
void CMagnifierUI::KeepCoveringDesktop() {
    RECT now = {};
    if (!m_picker || !GetWindowRect(m_picker, &now) || EqualRect(&now, &m_desktop)) return;
    SetWindowPos(m_picker, nullptr, m_desktop.left, m_desktop.top, m_desktop.right - m_desktop.left,
                 m_desktop.bottom - m_desktop.top, SWP_NOZORDER);
}

// The 32-pixel square around the cursor, stretched to the lens and cut round.
void CMagnifierUI::PaintLens(HDC hDC) {
    const int side = kLensSide / kZoom, half = side / 2;
    HDC memory = CreateCompatibleDC(hDC);
    HBITMAP bitmap = CreateCompatibleBitmap(hDC, kLensSide, kLensSide);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetStretchBltMode(memory, COLORONCOLOR);
    StretchBlt(memory, 0, 0, kLensSide, kLensSide, hDC, m_cursor.x - half, m_cursor.y - half, side, side, SRCCOPY);
    const int left = m_rect.left + kLensLeft;
    const int top = m_below ? m_rect.top : m_rect.top + kLensDropAbove;
    const int saved = SaveDC(hDC);
    HRGN lens = CreateEllipticRgn(left, top, left + kLensSide, top + kLensSide);
    ExtSelectClipRgn(hDC, lens, RGN_AND);
    BitBlt(hDC, left, top, kLensSide, kLensSide, memory, 0, 0, SRCCOPY);
    RestoreDC(hDC, saved);
    DeleteObject(lens);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void CMagnifierUI::PaintFrame(HDC hDC, const RECT& rcPaint) {
    const TImageInfo* frame = m_below ? m_frameBelow : m_frameAbove;
    if (!frame) return;
    const RECT at = {m_rect.left, m_rect.top, m_rect.left + frame->nX, m_rect.top + frame->nY};
    const RECT source = {0, 0, frame->nX, frame->nY};
    const RECT none = {0, 0, 0, 0};
    CRenderEngine::DrawImage(hDC, frame->hBitmap, at, rcPaint, source, none, frame->bAlpha);
}

// The picker's selection frame controls.
#include "picker/canvas_ui.h"

#include "picker/layouts/snapwick_names.h"

using namespace DuiLib;

LPVOID CCanvasUI::GetInterface(LPCTSTR pstrName) {
    if (_wcsicmp(pstrName, snapwick_names::kCanvasInterface) == 0) return this;
    return CControlUI::GetInterface(pstrName);
}

RECT HandleSquare(const RECT& pos, int inset, int zone) {
    const int d = 2 * inset, e = d / 2;
    const int cx = (pos.left + pos.right) / 2, cy = (pos.top + pos.bottom) / 2;
    const LONG xs[3][2] = {{pos.left, pos.left + d}, {cx - e, cx + e}, {pos.right - d, pos.right}};
    const LONG ys[3][2] = {{pos.top, pos.top + d}, {cy - e, cy + e}, {pos.bottom - d, pos.bottom}};
    if (zone == kMiddleZone || zone < 0 || zone >= kHandleZones) return {0, 0, 0, 0};
    const int col = zone % 3, row = zone / 3;
    return {xs[col][0], ys[row][0], xs[col][1], ys[row][1]};
}

LPVOID CCanvasContainerUI::GetInterface(LPCTSTR pstrName) {
    if (_wcsicmp(pstrName, snapwick_names::kCanvasContainerInterface) == 0) return this;
    return CContainerUI::GetInterface(pstrName);
}

void CCanvasContainerUI::PaintBorder(HDC hDC) {
    const int inset = GetInset().left;
    for (int zone = 0; zone < kHandleZones; ++zone) {
        if (zone != kMiddleZone) CRenderEngine::DrawColor(hDC, HandleSquare(m_rcItem, inset, zone), m_dwBorderColor);
    }
    const RECT outline = {m_rcItem.left + inset, m_rcItem.top + inset, m_rcItem.right - inset, m_rcItem.bottom - inset};
    CRenderEngine::DrawRect(hDC, outline, m_nBorderSize, m_dwBorderColor);
}

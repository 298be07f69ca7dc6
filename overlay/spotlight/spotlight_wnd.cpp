#include "overlay/spotlight/spotlight_wnd.h"

#include <cwchar>

#include "common/record_globals.h"

namespace {

constexpr int kFrameInset = 2;  // the region frame's line stays uncovered

}  // namespace

DuiLib::CControlUI* CSpotLightWnd::CreateControl(LPCTSTR pstrClass) {
    if (wcscmp(pstrClass, L"SpotlightUI") == 0) return new CSpotlightUI;
    return nullptr;
}

void CSpotLightWnd::InitWindow() {
    m_pSpotlight = DuiLib::FindNamed<CSpotlightUI>(m_PaintManager, spotlight_wnd_names::kSpotlight);
}

void CSpotLightWnd::ShowOverSelection() {
    const RECT& r = g_rcSnapwick;
    MoveWindow(m_hWnd, r.left + kFrameInset, r.top + kFrameInset, r.right - r.left - 2 * kFrameInset,
               r.bottom - r.top - 2 * kFrameInset, TRUE);
    ::ShowWindow(m_hWnd, SW_SHOW);
}

void CSpotLightWnd::SetHoleRect(int left, int top, int right, int bottom) {
    if (!m_pSpotlight) return;
    m_pSpotlight->SetHoleRect(left, top, right, bottom);
    m_pSpotlight->SetFixedHeight(bottom - top);
}

void CSpotLightWnd::MoveSpotTo(int x, int y) {
    if (!m_pSpotlight) return;
    POINT pt = {x, y};
    ScreenToClient(m_hWnd, &pt);
    m_pSpotlight->SetSpotCenter(pt.x, pt.y);
}

LRESULT CSpotLightWnd::OnNcHitTest(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = true;
    return HTCLIENT;
}

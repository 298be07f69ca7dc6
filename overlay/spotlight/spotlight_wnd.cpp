#include "overlay/spotlight/spotlight_wnd.h"

#include <algorithm>
#include <cwchar>

#include "common/record_globals.h"

namespace {

constexpr int kFrameInset = 2;  // the region frame's line stays uncovered
constexpr UINT_PTR kPaintTimer = 1;
constexpr ULONGLONG kFrameMs = 17;  // at most about 60 paints a second

}  // namespace

DuiLib::CControlUI* CSpotLightWnd::CreateControl(LPCTSTR pstrClass) {
    if (wcscmp(pstrClass, L"SpotlightUI") == 0) return new CSpotlightUI;
    return nullptr;
}

void CSpotLightWnd::InitWindow() {
    m_pSpotlight = DuiLib::FindNamed<CSpotlightUI>(m_PaintManager, spotlight_wnd_names::kSpotlight);
    // Full-window paints of a layered window cost tens of milliseconds under Wine.
    m_PaintManager.SetLayeredPartialPaint(true);
}

// A window already in place is left alone: moving it would paint it all again.
void CSpotLightWnd::PlaceOverSelection() {
    const RECT& r = g_rcSnapwick;
    const RECT want = {r.left + kFrameInset, r.top + kFrameInset, r.right - kFrameInset, r.bottom - kFrameInset};
    RECT now = {};
    GetWindowRect(m_hWnd, &now);
    if (!EqualRect(&now, &want))
        MoveWindow(m_hWnd, want.left, want.top, want.right - want.left, want.bottom - want.top, TRUE);
}

void CSpotLightWnd::ShowOverSelection() {
    PlaceOverSelection();
    ::ShowWindow(m_hWnd, SW_SHOW);
}

void CSpotLightWnd::SetHoleRect(int left, int top, int right, int bottom) {
    if (!m_pSpotlight) return;
    m_pSpotlight->SetHoleRect(left, top, right, bottom);
    m_pSpotlight->SetFixedHeight(bottom - top);
}

// The control keeps the new centre; the window paints it now or at the next frame.
void CSpotLightWnd::MoveSpotTo(int x, int y) {
    if (!m_pSpotlight) return;
    POINT pt = {x, y};
    ScreenToClient(m_hWnd, &pt);
    m_ptWanted = pt;
    if (m_paintTimer) return;
    // Where a paint costs more than a frame (a screen-sized layered window
    // under Wine), the thread is left as long again for everything else.
    const ULONGLONG gap = std::max<ULONGLONG>(kFrameMs, 2 * m_paintCostMs);
    const ULONGLONG since = GetTickCount64() - m_lastPaintMs;
    if (since >= gap) {
        PaintSpot();
        return;
    }
    m_paintTimer = ::SetTimer(m_hWnd, kPaintTimer, static_cast<UINT>(gap - since), nullptr) != 0;
    if (!m_paintTimer) PaintSpot();
}

void CSpotLightWnd::PaintSpot() {
    m_lastPaintMs = GetTickCount64();
    m_pSpotlight->SetSpotCenter(m_ptWanted.x, m_ptWanted.y);
}

// Keeps what the window's last paint cost.
LRESULT CSpotLightWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const UINT serial = m_PaintManager.GetPaintSerial();
    const ULONGLONG start = GetTickCount64();
    const LRESULT result = WindowImplBase::HandleMessage(uMsg, wParam, lParam);
    if (m_PaintManager.GetPaintSerial() != serial) m_paintCostMs = GetTickCount64() - start;
    return result;
}

LRESULT CSpotLightWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    bHandled = false;
    if (uMsg != WM_TIMER || wParam != kPaintTimer) return 0;
    bHandled = true;
    ::KillTimer(m_hWnd, kPaintTimer);
    m_paintTimer = false;
    if (m_pSpotlight) PaintSpot();
    return 0;
}

LRESULT CSpotLightWnd::OnNcHitTest(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = true;
    return HTCLIENT;
}

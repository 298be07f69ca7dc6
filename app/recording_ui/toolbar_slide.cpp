// The toolbar slides out of view when parked at the left or right edge of the
// screen, leaving a strip the cursor can touch to bring it back.
#include "app/recording_ui/toolbar_wnd.h"
#include "overlay/draw/draw_board_wnd.h"

namespace {

constexpr int kStrip = 10;  // what stays on screen, about
constexpr int kStep = 2;    // pixels per move, one move a millisecond

bool IsLeftButtonUp() { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }

bool CursorInside(HWND hwnd, RECT* rc) {
    POINT pt = {};
    GetCursorPos(&pt);
    GetWindowRect(hwnd, rc);
    return PtInRect(rc, pt) != FALSE;
}

}  // namespace

void CToolbarWnd::OnSlideOutTimer() {
    RECT rc;
    if (IsLeftButtonUp() && !CursorInside(m_hWnd, &rc)) SlideOut();
}

void CToolbarWnd::OnSlideInTimer() {
    RECT rc;
    const bool inside = CursorInside(m_hWnd, &rc);
    if (inside && IsOverlayForeground()) {
        // The board would keep the keyboard; the bar's buttons need it.
        SetForegroundWindow(GetDesktopWindow());
        ::SetFocus(m_hWnd);
    }
    const bool parked = rc.left > m_rcScreen.right - kStrip || rc.right < m_rcScreen.left + kStrip;
    if (IsLeftButtonUp() && inside && parked) SlideIn();
}

bool CToolbarWnd::IsOverlayForeground() const {
    HWND foreground = GetForegroundWindow();
    if (!foreground) return false;
    return (m_boardWnd && foreground == m_boardWnd->GetHWND()) || foreground == SpotlightWindow();
}

// One step sideways; rc follows the window. false when the window did not move,
// which ends a slide rather than spinning on it.
bool CToolbarWnd::MoveBy(int dx, RECT* rc) {
    const LONG before = rc->left;
    Sleep(1);
    MoveWindow(m_hWnd, rc->left + dx, rc->top, rc->right - rc->left, rc->bottom - rc->top, FALSE);
    return GetWindowRect(m_hWnd, rc) && rc->left == before + dx;
}

void CToolbarWnd::SlideOut() {
    if (!m_slideEnabled) return;
    RECT rc;
    if (!GetWindowRect(m_hWnd, &rc)) return;
    while (rc.left <= m_rcScreen.left + 1 && rc.top >= 1 && rc.right >= m_rcScreen.left + kStrip)
        if (!MoveBy(-kStep, &rc)) return;
    while (rc.right >= m_rcScreen.right - 1 && rc.top >= 1 && rc.left <= m_rcScreen.right - kStrip)
        if (!MoveBy(kStep, &rc)) return;
}

void CToolbarWnd::SlideIn() {
    if (!m_slideEnabled) return;
    RECT rc;
    if (!GetWindowRect(m_hWnd, &rc)) return;
    while (rc.left < m_rcScreen.left)
        if (!MoveBy(kStep, &rc)) return;
    while (rc.right > m_rcScreen.right)
        if (!MoveBy(-kStep, &rc)) return;
}

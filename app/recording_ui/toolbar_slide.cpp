// The toolbar slides out of view when parked at the left or right edge of the
// screen, leaving a strip the cursor can touch to bring it back. A slide moves
// one stretch per tick of its own timer, so the UI thread stays free between.
#include "app/recording_ui/toolbar_wnd.h"
#include "overlay/draw/draw_board_wnd.h"

namespace {

constexpr int kStrip = 10;         // what stays on screen, about
constexpr int kStep = 2;           // pixels per step, as the bar moves in 2-pixel steps
constexpr int kStepsPerTick = 10;  // a step a millisecond at the tick below
constexpr UINT kSlideTickMs = 10;  // the shortest period a window timer has
constexpr UINT_PTR kSlideTimer = 22;

bool IsLeftButtonUp() { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }

bool CursorInside(HWND hwnd, RECT* rc) {
    POINT pt = {};
    GetCursorPos(&pt);
    GetWindowRect(hwnd, rc);
    return PtInRect(rc, pt) != FALSE;
}

}  // namespace

UINT_PTR CToolbarWnd::SlideTimerId() { return kSlideTimer; }

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

// UI thread. A slide under way runs to its end before another starts.
void CToolbarWnd::SlideOut() {
    if (!m_slideEnabled || m_slide != Slide::kNone) return;
    StartSlide(Slide::kOutLeft);
}

// UI thread.
void CToolbarWnd::SlideIn() {
    if (!m_slideEnabled || m_slide != Slide::kNone) return;
    StartSlide(Slide::kInFromLeft);
}

void CToolbarWnd::StartSlide(Slide first) {
    m_slide = first;
    ::SetTimer(m_hWnd, kSlideTimer, kSlideTickMs, nullptr);
    OnSlideTick();
}

// Whether one more step goes in the current direction, moving on to the next
// direction of the slide when this one is done (kNone: the slide is over).
bool CToolbarWnd::NextSlideStep(const RECT& rc, int* dx) {
    const RECT& s = m_rcScreen;
    for (;;) {
        switch (m_slide) {
            case Slide::kOutLeft:
                if (rc.left <= s.left + 1 && rc.top >= 1 && rc.right >= s.left + kStrip) return *dx = -kStep, true;
                m_slide = Slide::kOutRight;
                break;
            case Slide::kOutRight:
                if (rc.right >= s.right - 1 && rc.top >= 1 && rc.left <= s.right - kStrip) return *dx = kStep, true;
                m_slide = Slide::kNone;
                break;
            case Slide::kInFromLeft:
                if (rc.left < s.left) return *dx = kStep, true;
                m_slide = Slide::kInFromRight;
                break;
            case Slide::kInFromRight:
                if (rc.right > s.right) return *dx = -kStep, true;
                m_slide = Slide::kNone;
                break;
            case Slide::kNone: return false;
        }
    }
}

// UI thread: up to kStepsPerTick steps as one move. A bar that did not get
// where it was sent (dragged, or held by the system) ends the slide.
void CToolbarWnd::OnSlideTick() {
    RECT rc;
    if (!GetWindowRect(m_hWnd, &rc)) return EndSlide();
    const LONG startLeft = rc.left;
    int dx = 0;
    for (int i = 0; i < kStepsPerTick && NextSlideStep(rc, &dx); ++i) OffsetRect(&rc, dx, 0);
    if (rc.left != startLeft) {
        MoveWindow(m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
        RECT now;
        if (!GetWindowRect(m_hWnd, &now) || now.left != rc.left) return EndSlide();
    }
    if (m_slide == Slide::kNone) EndSlide();
}

void CToolbarWnd::EndSlide() {
    m_slide = Slide::kNone;
    ::KillTimer(m_hWnd, kSlideTimer);
}

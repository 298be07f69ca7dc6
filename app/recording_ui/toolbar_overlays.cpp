// The recording toolbar's drawing and spotlight buttons: the drawing toolbar
// over the board and the spotlight over the recorded area, both windows of the
// drawing board.
#include "app/recording_ui/toolbar_wnd.h"
#include "common/logger.h"
#include "common/record_globals.h"
#include "overlay/draw/draw_board_wnd.h"
#include "overlay/draw/draw_messages.h"
#include "overlay/draw/drawbar_wnd.h"
#include "overlay/spotlight/spotlight_wnd.h"
#include "shell/custom_messages.h"

static_assert(WM_DRAWBOARD_SHOW == draw_messages::kBoardShow && WM_DRAWBOARD_OP == draw_messages::kBoardOp,
              "the drawing toolbar posts the main window's messages");

namespace {

constexpr DWORD kOverlayExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

bool IsLive(const DuiLib::CWindowWnd* window) { return window && IsWindow(window->GetHWND()); }

// The bar stays above the spotlight just shown, so that its clicks reach it.
void RaiseAbove(HWND bar) { SetWindowPos(bar, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

}  // namespace

// UI thread. The drawing toolbar lives on its own; it must not tell a gone bar.
CToolbarWnd::~CToolbarWnd() {
    if (m_pDrawbar) {
        m_pDrawbar->SetGoneNotice(nullptr);
        if (IsWindow(m_pDrawbar->GetHWND()))
            DestroyWindow(m_pDrawbar->GetHWND());  // it deletes itself
        else
            delete m_pDrawbar;
    }
    delete m_pSpotlight;
}

HWND CToolbarWnd::SpotlightWindow() const { return m_pSpotlight ? m_pSpotlight->GetHWND() : nullptr; }

// UI thread.
void CToolbarWnd::ToggleDrawToolbar() {
    const bool drawing = IsLive(m_pDrawbar);
    if (IsLive(m_pSpotlight) && IsWindowVisible(m_pSpotlight->GetHWND()) && !drawing)
        ::ShowWindow(m_pSpotlight->GetHWND(), SW_HIDE);
    if (drawing) {
        m_pDrawbar->SetGoneNotice(nullptr);
        ::PostMessageW(m_pDrawbar->GetHWND(), WM_CLOSE, 0, 0);
        ::PostMessageW(m_ownerWnd, WM_DRAWBOARD_SHOW, 0, 0);
        m_pDrawbar = nullptr;
        return;
    }
    if (!IsLive(m_boardWnd)) {
        LogBoth("CToolbarWnd::ToggleDrawToolbar", "no drawing board error");
        return;
    }
    auto* bar = new CDrawbarWnd(m_boardWnd, m_ownerWnd);
    if (!bar->Create(m_boardWnd->GetHWND(), L"drawtoolbar_ts", WS_POPUP | WS_VISIBLE, kOverlayExStyle)) {
        LogBoth("CToolbarWnd::ToggleDrawToolbar", "the drawing toolbar window could not be created error");
        delete bar;
        return;
    }
    m_pDrawbar = bar;
    bar->SetGoneNotice([this] { m_pDrawbar = nullptr; });
    ::PostMessageW(m_ownerWnd, WM_DRAWBOARD_SHOW, 1, 0);
}

// UI thread.
void CToolbarWnd::CloseDrawToolbar() {
    if (IsLive(m_pDrawbar)) m_pDrawbar->Close(1);
}

// UI thread: the spotlight made hidden and placed over the area, so that it
// has painted before it is first shown.
bool CToolbarWnd::CreateSpotlight() {
    auto* spot = new CSpotLightWnd;
    HWND parent = m_boardWnd ? m_boardWnd->GetHWND() : nullptr;
    if (!spot->Create(parent, CSpotLightWnd::kCaption, WS_POPUP, kOverlayExStyle)) {
        LogBoth("CToolbarWnd::CreateSpotlight", "the spotlight window could not be created error");
        delete spot;
        return false;
    }
    m_pSpotlight = spot;
    spot->PlaceOverSelection();
    spot->SetHoleRect(g_rcSnapwick.left, g_rcSnapwick.top, g_rcSnapwick.right, g_rcSnapwick.bottom);
    return true;
}

// UI thread.
void CToolbarWnd::ToggleSpotlight() {
    if (!m_pSpotlight && !CreateSpotlight()) return;
    if (!IsLive(m_pSpotlight)) return;
    if (IsWindowVisible(m_pSpotlight->GetHWND())) {
        ::ShowWindow(m_pSpotlight->GetHWND(), SW_HIDE);
        return;
    }
    m_pSpotlight->ShowOverSelection();
    RaiseAbove(m_hWnd);
}

// UI thread: the main window's hook positions, screen pixels.
void CToolbarWnd::ForwardSpotPoint(int x, int y) {
    if (IsLive(m_pSpotlight) && IsWindowVisible(m_pSpotlight->GetHWND())) m_pSpotlight->MoveSpotTo(x, y);
}

// The main window's drawing board: made when the recording toolbar is made,
// shown and cleared as the drawing toolbar asks (WM_DRAWBOARD_SHOW), given the
// drawing toolbar's tools (WM_DRAWBOARD_OP), hidden when the recording stops.
#include "app/recording_ui/toolbar_wnd.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "overlay/draw/draw_board_wnd.h"
#include "overlay/draw/drawbar_wnd.h"

namespace {

// Above the board, which was just shown over everything.
void RaiseAbove(HWND window) {
    if (window && IsWindow(window))
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

// UI thread: a new board over the screen being recorded; the old one goes.
void CVistrelFrame::CreateDrawBoard() {
    DeleteDrawBoard();
    const RECT& screen = m_rcMonitorUnion;
    auto* board = new CDrawBoardWnd;
    board->SetBoardRect(screen.left, screen.top, screen.right, screen.bottom);
    if (!board->Create(nullptr, CDrawBoardWnd::kCaption, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0,
                       screen.right - screen.left, screen.bottom - screen.top)) {
        LogBoth("CVistrelFrame::CreateDrawBoard", "the drawing board window could not be created error");
        delete board;
        return;
    }
    m_pDrawBoardWnd = board;
}

// UI thread.
void CVistrelFrame::HideDrawBoard() {
    if (!m_pDrawBoardWnd || !IsWindow(m_pDrawBoardWnd->GetHWND())) return;
    m_pDrawBoardWnd->ClearAll();
    ::ShowWindow(m_pDrawBoardWnd->GetHWND(), SW_HIDE);
}

// UI thread. The board's windows (toolbar, drawing toolbar, spotlight) go with it.
void CVistrelFrame::DeleteDrawBoard() {
    CDrawBoardWnd* board = m_pDrawBoardWnd;
    m_pDrawBoardWnd = nullptr;
    delete board;
}

// UI thread.
void CVistrelFrame::OnDrawBoardShow(WPARAM show) {
    if (!m_pDrawBoardWnd) return;
    if (!show) {
        HideDrawBoard();
        return;
    }
    m_pDrawBoardWnd->ShowBoard();
    // The bars over the board keep their clicks (an owned window need not stay
    // above its owner everywhere).
    if (!m_pToolbarWnd) return;
    RaiseAbove(m_pToolbarWnd->GetHWND());
    if (CDrawbarWnd* drawbar = m_pToolbarWnd->DrawToolbar()) RaiseAbove(drawbar->GetHWND());
}

// UI thread.
void CVistrelFrame::OnDrawBoardOp(WPARAM tool, LPARAM on) {
    if (m_pDrawBoardWnd) m_pDrawBoardWnd->SetTool(static_cast<int>(tool), on != 0);
}

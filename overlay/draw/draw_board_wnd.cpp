#include "overlay/draw/draw_board_wnd.h"

#include <windowsx.h>

#include "common/record_globals.h"

namespace {

constexpr int kTextBoxSize = 100;
constexpr UINT kCaretPeriodMs = 500;

// What a new drawing toolbar shows: the pen, 5 pixels wide, text size 32, red,
// no white board, and a board that takes the clicks.
constexpr int kDefaultPenWidth = 5;
constexpr int kDefaultTextSize = 32;
constexpr DWORD kDefaultColor = 0xFFFF0000;

}  // namespace

CDrawBoardWnd::CDrawBoardWnd() : m_rcBoard{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)} {
    m_canvas.SetActiveTextGone([this] { ForgetActiveText(); });
}

void CDrawBoardWnd::SetBoardRect(int left, int top, int right, int bottom) {
    m_rcBoard = RECT{left, top, right, bottom};
}

void CDrawBoardWnd::InitWindow() {
    // The canvas pushes the window's pixels; the layout's tree never paints.
    m_PaintManager.SetOwnerPaintsLayered(true);
}

RECT CDrawBoardWnd::BoardToClientRect(const RECT& screen) const {
    return RECT{screen.left - m_rcBoard.left, screen.top - m_rcBoard.top, screen.right - m_rcBoard.left,
                screen.bottom - m_rcBoard.top};
}

void CDrawBoardWnd::ShowBoard() {
    ResetTools();
    ::ShowWindow(m_hWnd, SW_SHOW);
    const RECT clip = BoardToClientRect(g_rcSnapwick);
    m_canvas.SetClip(clip.left, clip.top, clip.right, clip.bottom);
    m_canvas.Create(m_hWnd, m_rcBoard.right - m_rcBoard.left, m_rcBoard.bottom - m_rcBoard.top);
    m_canvas.Attach(m_hWnd);
    RECT rc = {};
    GetWindowRect(m_hWnd, &rc);
    SetWindowPos(m_hWnd, nullptr, m_rcBoard.left, m_rcBoard.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDrawBoardWnd::ClearAll() {
    ResetTools();
    m_canvas.ClearAll();
}

// The board and its canvas back to what a new drawing toolbar shows, so that a
// toolbar opened again agrees with the board; the text being typed is finished.
void CDrawBoardWnd::ResetTools() {
    FinishActiveText();
    m_nTool = kToolPen;
    m_canvas.SetTool(kToolPen);
    m_canvas.SetWhiteBoard(false);
    m_canvas.SetWidth(kDefaultPenWidth);
    SetTextSize(kDefaultTextSize);
    SetColor(kDefaultColor);
    if (!m_hWnd) return;
    const LONG_PTR ex = GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    if (ex & WS_EX_TRANSPARENT) SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_TRANSPARENT));
}

void CDrawBoardWnd::SetTextSize(int size) {
    m_nTextSize = size;
    m_canvas.SetTextSize(size);
}

void CDrawBoardWnd::SetColor(DWORD argb) {
    m_dwColor = argb;
    m_canvas.SetColor(argb);
}

void CDrawBoardWnd::SetTool(int tool, bool on) {
    const int previous = m_nTool;
    if (tool != kToolPointer) m_nTool = tool;
    if (m_nTool == kToolWhiteBoard) {
        m_canvas.SetWhiteBoard(on);  // turning it off may take the active box's stroke with it
        m_nTool = previous;
    } else {
        m_canvas.SetTool(m_nTool);
    }
    if (!m_pActiveText) return;
    if (tool == kToolWhiteBoard && !on) {
        ForgetActiveText();
        return;
    }
    FinishActiveText();
    m_canvas.Repaint();
}

void CDrawBoardWnd::ForgetActiveText() {
    m_pActiveText = nullptr;
    m_canvas.SetActiveText(nullptr);
    if (m_hWnd) ::KillTimer(m_hWnd, kCaretTimer);
}

void CDrawBoardWnd::FinishActiveText() {
    StretchText* box = m_pActiveText;
    if (!box) return;
    box->SetEditing(false);
    const bool empty = box->GetText().empty();
    ForgetActiveText();
    if (empty) m_canvas.RemoveStrokeOf(box);
}

// The event's own point: the cursor may have moved on since it was queued.
bool CDrawBoardWnd::CursorPoint(LPARAM lParam, POINT* client) const {
    POINT cursor = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(m_hWnd, &cursor);
    if (!InDrawActiveArea(g_rcSnapwick, cursor)) return false;
    *client = POINT{cursor.x - m_rcBoard.left, cursor.y - m_rcBoard.top};
    return true;
}

void CDrawBoardWnd::StartTextBox(POINT client) {
    FinishActiveText();
    auto* box = new StretchText;  // the stroke begun next owns it
    box->Create(kTextBoxSize, kTextBoxSize);
    box->SetBoxRect(RECT{client.x, client.y, client.x + kTextBoxSize, client.y + kTextBoxSize});
    const POINT screen = {client.x + m_rcBoard.left, client.y + m_rcBoard.top};
    box->SetPosition(POINT{screen.x - g_rcSnapwick.left, screen.y - g_rcSnapwick.top},
                     RECT{0, 0, g_rcSnapwick.right - g_rcSnapwick.left, g_rcSnapwick.bottom - g_rcSnapwick.top});
    box->SetFontSize(m_nTextSize);
    box->SetColor(m_dwColor);
    box->SetEditing(true);
    m_pActiveText = box;
    m_canvas.SetActiveText(box);
    ::SetTimer(m_hWnd, kCaretTimer, kCaretPeriodMs, nullptr);
}

LRESULT CDrawBoardWnd::OnLButtonDown(UINT, WPARAM, LPARAM lParam, bool& bHandled) {
    bHandled = false;
    m_bPressed = true;
    POINT pt;
    if (!CursorPoint(lParam, &pt)) return 0;
    if (m_nTool == kToolText) StartTextBox(pt);
    m_canvas.BeginStroke(pt.x, pt.y);
    return 0;
}

LRESULT CDrawBoardWnd::OnMouseMove(UINT, WPARAM, LPARAM lParam, bool& bHandled) {
    bHandled = false;
    POINT pt;
    if (!m_bPressed || m_nTool == kToolText || !CursorPoint(lParam, &pt)) return 0;
    m_canvas.AddPoint(pt.x, pt.y);
    return 0;
}

LRESULT CDrawBoardWnd::OnLButtonUp(UINT, WPARAM, LPARAM lParam, bool& bHandled) {
    bHandled = false;
    m_bPressed = false;
    POINT pt;
    if (!CursorPoint(lParam, &pt)) return 0;
    m_canvas.EndStroke(pt.x, pt.y);
    return 0;
}

LRESULT CDrawBoardWnd::OnNcHitTest(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = true;
    return HTCLIENT;
}

LRESULT CDrawBoardWnd::OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    bHandled = false;
    return OnKey(uMsg, wParam);
}

LRESULT CDrawBoardWnd::OnChar(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    bHandled = false;
    return OnKey(uMsg, wParam);
}

LRESULT CDrawBoardWnd::OnKey(UINT uMsg, WPARAM wParam) {
    if (!m_pActiveText) return 0;
    if (uMsg == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT)) {
        m_pActiveText->MoveCaret(wParam == VK_LEFT ? -1 : 1);
        m_canvas.Repaint();
    } else if (uMsg == WM_CHAR) {
        m_pActiveText->InsertChar(static_cast<wchar_t>(wParam));
        m_canvas.Repaint();
    }
    return 0;
}

LRESULT CDrawBoardWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    bHandled = false;
    if (uMsg == WM_RBUTTONUP) {
        m_canvas.ClearAll();  // deleting the active box's stroke forgets the box
        ForgetActiveText();
    } else if (uMsg == WM_TIMER && wParam == kCaretTimer && m_pActiveText) {
        m_pActiveText->ToggleCaret();
        m_canvas.Repaint();
    }
    return 0;
}

// CDrawBoardWnd: the drawing board, a layered window over the board rectangle
// (the recorded screen) that shows what DrawCanvas paints. The left button draws
// with the current tool inside the record region less 10 pixels; the text tool
// places a text box that takes the typed keys; a right click clears the board.
// The drawing toolbar finds it by class "drawboard_wnd" and caption "录制画板_ts"
// and sets its tool (through the main window), width, text size, colour and undo.
// UI thread only.
//
//   auto* board = new CDrawBoardWnd;
//   board->SetBoardRect(screen...);
//   board->Create(nullptr, L"录制画板_ts", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0, w, h);
//   board->ShowBoard();   // when the drawing toolbar opens
#pragma once

#include "overlay/draw/draw_canvas.h"
#include "overlay/layouts/drawboard_wnd_names.h"
#include "ui/duilib.h"

class CDrawBoardWnd : public DuiLib::WindowImplBase {
public:
    static constexpr const wchar_t* kClassName = L"drawboard_wnd";
    static constexpr const wchar_t* kCaption = L"录制画板_ts";
    static constexpr UINT_PTR kCaretTimer = 202;

    CDrawBoardWnd();

    // The screen rectangle the board window covers; before ShowBoard.
    void SetBoardRect(int left, int top, int right, int bottom);
    RECT GetBoardRect() const { return m_rcBoard; }
    // Shows the board over the record region with a fresh canvas (every
    // earlier stroke goes) and the tools a new drawing toolbar shows.
    void ShowBoard();
    // Every stroke goes and the tools are those of a new drawing toolbar (the
    // board is hidden with its toolbar).
    void ClearAll();
    // tool a DrawTool; on: the white board's new state (tool 8 only).
    void SetTool(int tool, bool on);
    void SetTextSize(int size);
    void SetPenWidth(int width) { m_canvas.SetWidth(width); }
    void SetColor(DWORD argb);
    void Undo() { m_canvas.Undo(); }

    int GetTool() const { return m_nTool; }
    StretchText* ActiveText() const { return m_pActiveText; }
    const DrawCanvas& Canvas() const { return m_canvas; }
    // g_rcSnapwick in board client pixels.
    RECT BoardToClientRect(const RECT& screen) const;

protected:
    LPCTSTR GetWindowClassName() const override { return kClassName; }
    DuiLib::CDuiString GetSkinFile() override { return drawboard_wnd_names::kLayout; }
    void InitWindow() override;
    LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT OnLButtonUp(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

private:
    // A mouse message's point as a board client point; false outside the
    // active area.
    bool CursorPoint(LPARAM lParam, POINT* client) const;
    void StartTextBox(POINT screen);
    void ResetTools();
    // Ends the box being typed into; an empty one takes its stroke with it.
    void FinishActiveText();
    void ForgetActiveText();
    LRESULT OnKey(UINT uMsg, WPARAM wParam);

    bool m_bPressed = false;
    int m_nMargin = 2 * kDrawMargin;
    DrawCanvas m_canvas;
    int m_nTool = kToolPen;
    int m_nTextSize = 32;
    DWORD m_dwColor = 0xFFFF0000;
    RECT m_rcBoard;
    StretchText* m_pActiveText = nullptr;  // owned by its stroke
};

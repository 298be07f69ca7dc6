// CDrawbarWnd: the drawing toolbar, a narrow bar (46 x 380) beside the record
// region while the drawing board is open ("draw_toolbar.xml"). Tool choices go
// to the notify window (the main window) as WM_DRAWBOARD_OP, which hands them
// to the board; width, text size, colour and undo go straight to the board.
// It fades while the cursor is away. The object deletes itself when its window
// is destroyed, after telling its gone notice. UI thread only.
//
//   auto* bar = new CDrawbarWnd(board, mainHwnd);
//   bar->SetGoneNotice([&] { bar = nullptr; });
//   bar->Create(boardHwnd, L"drawtoolbar_ts", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
#pragma once

#include <functional>
#include <memory>

#include "overlay/draw/draw_size_popup.h"
#include "overlay/layouts/draw_toolbar_names.h"
#include "ui/duilib.h"

class CDrawBoardWnd;

class CDrawbarWnd : public DuiLib::WindowImplBase {
public:
    static constexpr int kWidth = 46;
    static constexpr int kHeight = 380;
    static constexpr UINT_PTR kOpacityTimer = 22;
    static constexpr BYTE kFadedOpacity = 100;

    // Asks for a colour: true with the choice, false when cancelled.
    using ColorPicker = std::function<bool(HWND owner, HWND button, COLORREF initial, COLORREF* chosen)>;

    CDrawbarWnd(CDrawBoardWnd* board, HWND notify);
    ~CDrawbarWnd() override;

    void SetPenWidth(int width);
    void SetTextSize(int size);
    void SetColor(DWORD argb);
    DWORD GetColor() const { return m_dwColor; }
    bool IsCursorOutside() const;
    // Told once, when the window is gone and just before the object deletes itself.
    void SetGoneNotice(std::function<void()> gone) { m_gone = std::move(gone); }
    // The system colour dialog unless replaced.
    void SetColorPicker(ColorPicker picker) { m_colorPicker = std::move(picker); }
    // The open pop-ups, null when none (tests look at them).
    DrawBarSize* WidthPopup() const { return m_pBarSize.get(); }
    DrawTextSize* SizePopup() const { return m_pTextSize.get(); }
    // The primary work area's right and bottom.
    static POINT GetWorkAreaSize();
    // The open colour dialog, null when none.
    static HWND ColorDialog();

protected:
    LPCTSTR GetWindowClassName() const override { return L"drawtoolbar"; }
    DuiLib::CDuiString GetSkinFile() override { return draw_toolbar_names::kLayout; }
    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    void OnFinalMessage(HWND hWnd) override;

private:
    struct ClickEntry {
        const DuiLib::LayoutName* button;
        void (CDrawbarWnd::*handler)(DuiLib::TNotifyUI& msg);
    };
    static const ClickEntry kClicks[];

    void OnPointer(DuiLib::TNotifyUI&);
    void OnPen(DuiLib::TNotifyUI&);
    void OnShape(DuiLib::TNotifyUI& msg);
    void OnText(DuiLib::TNotifyUI&);
    void OnWhiteBoard(DuiLib::TNotifyUI& msg);
    void OnThickness(DuiLib::TNotifyUI&);
    void OnFontSize(DuiLib::TNotifyUI&);
    void OnColor(DuiLib::TNotifyUI&);
    void OnUndo(DuiLib::TNotifyUI&);
    void OnClose(DuiLib::TNotifyUI&);
    void CloseBoard();

    void PostTool(int tool, bool on = false);
    void SetBoardClickThrough(bool through);
    void WidthButtonBack();
    // Where a pop-up below a button goes, in screen pixels.
    POINT PopupPoint(DuiLib::CControlUI* button, int height) const;
    bool IsPopupOrDialogVisible() const;
    void OnOpacityTimer();

    int m_nWidth = kWidth;
    int m_nHeight = kHeight;
    DuiLib::CButtonUI* m_pClose = nullptr;
    DuiLib::CButtonUI* m_pThickness = nullptr;
    DuiLib::CButtonUI* m_pFontSize = nullptr;
    DuiLib::CButtonUI* m_pColor = nullptr;
    DuiLib::COptionUI* m_pWhiteBoard = nullptr;
    int m_nX = 0;
    int m_nY = 0;
    HWND m_hNotify;
    int m_nXCopy = 0;
    POINT m_workArea = {0, 0};
    CDrawBoardWnd* m_pBoard;
    std::unique_ptr<DrawBarSize> m_pBarSize;
    std::unique_ptr<DrawTextSize> m_pTextSize;
    DWORD m_dwColor = 0xFFFF0000;
    std::function<void()> m_gone;
    ColorPicker m_colorPicker;
};

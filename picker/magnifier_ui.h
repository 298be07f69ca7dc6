// CMagnifierUI: the round lens beside the cursor that shows the pixels around it
// four times larger, framed by an image whose label band faces away from the
// cursor. The picker places it on every mouse move; it paints itself from what
// the window has just painted below it. UI thread only.
#pragma once

#include "ui/duilib.h"

constexpr int kLensSide = 130;
constexpr int kZoom = 4;
constexpr int kLensLeft = 18;       // the lens's left inside the control
constexpr int kLensDropAbove = 30;  // the lens's top inside the control when it is above the cursor

class CMagnifierUI : public DuiLib::CControlUI {
public:
    LPCTSTR GetClass() const override { return L"Magnifier"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;

    void SetPickerWindow(HWND hwnd) { m_picker = hwnd; }
    void SetDesktopRect(const RECT& rc) { m_desktop = rc; }
    // Where it stands (client pixels), whether below the cursor, and the cursor
    // point (relative to the desktop's top-left).
    void Place(const RECT& rect, bool below, POINT cursor);
    bool IsBelow() const { return m_below; }

    void DoInit() override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;

private:
    void KeepCoveringDesktop();
    void PaintLens(HDC hDC);
    void PaintFrame(HDC hDC, const RECT& rcPaint);

    HWND m_picker = nullptr;
    RECT m_desktop = {0, 0, 0, 0};  // screen pixels
    RECT m_rect = {0, 0, 0, 0};     // client pixels
    bool m_below = true;
    POINT m_cursor = {0, 0};
    const DuiLib::TImageInfo* m_frameBelow = nullptr;  // "main/magnifierup.png", the paint manager's
    const DuiLib::TImageInfo* m_frameAbove = nullptr;  // "main/magnifierdown.png"
};

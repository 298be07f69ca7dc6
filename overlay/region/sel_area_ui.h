// CSelAreaUI: the control that paints the region frame over the whole window
// (layout tag "SelArea"): the outline of sel_outline.h, drawn into a buffer of
// its own and blended onto the window. With the animation on, every paint
// moves the dashes one pixel clockwise; a paint of part of the window draws
// only that part.
#pragma once

#include <array>

#include "overlay/region/memory_bitmap.h"
#include "ui/duilib.h"

// What CSelAreaUI answers to GetInterface besides its base's names.
constexpr const wchar_t* kSelAreaInterface = L"SelArea";

class CSelAreaUI : public DuiLib::CControlUI {
public:
    CSelAreaUI() = default;

    LPCTSTR GetClass() const override { return L"SelArea"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void DoInit() override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    // The layout's dot becomes the whole window: the control paints all of it,
    // and a paint of any part of the window must reach it.
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;

    // Client coordinates; repaints the window.
    void SetSelRect(int left, int top, int right, int bottom);
    RECT GetSelRect() const { return m_rcSel; }
    void SetAnimate(bool on) { m_bAnimate = on; }
    bool IsAnimating() const { return m_bAnimate; }
    // Repaints the border alone, the lines the dashes run along (with the
    // animation on, one step of the dashes).
    void RepaintBorder();

private:
    std::array<RECT, 4> BorderStrips() const;
    int PhaseForThisPaint(bool* firstOfPaint);

    RECT m_rcWindow = {0, 0, 0, 0};
    RECT m_rcSel = {0, 0, 0, 0};
    int m_nPaintWidth = 0;
    int m_nPaintHeight = 0;
    bool m_bAnimate = false;
    MemoryBitmap m_canvas;  // made on the first paint, kept between paints
    bool m_bPainted = false;
    UINT m_nPaintSerial = 0;  // the window's paint the phase below belongs to
    int m_nPassPhase = 0;
};

// CSelAreaUI: the control that paints the region frame over the whole window
// (layout tag "SelArea"): the outline of sel_outline.h, drawn into a buffer of
// its own and blended onto the window. With the animation on, every paint
// moves the dashes one pixel clockwise.
#pragma once

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

    // Client coordinates; repaints the window.
    void SetSelRect(int left, int top, int right, int bottom);
    RECT GetSelRect() const { return m_rcSel; }
    void SetAnimate(bool on) { m_bAnimate = on; }
    bool IsAnimating() const { return m_bAnimate; }

private:
    RECT m_rcWindow = {0, 0, 0, 0};
    RECT m_rcSel = {0, 0, 0, 0};
    int m_nPaintWidth = 0;
    int m_nPaintHeight = 0;
    bool m_bAnimate = false;
    MemoryBitmap m_canvas;  // made on the first paint
};

// CSpotlightUI (layout tag "SpotlightUI"): paints the spotlight, a fixed
// 202 x 202 spot image ("common/spotlight.png", clear in its middle) at the
// spot centre and the dark surround ("common/spotlight_bk.png") stretched over
// the four bands around it, blended with per-pixel alpha. UI thread only.
#pragma once

#include "overlay/region/memory_bitmap.h"
#include "overlay/spotlight/spotlight_bands.h"
#include "ui/duilib.h"

constexpr const wchar_t* kSpotlightInterface = L"SpotlightUI";

class CSpotlightUI : public DuiLib::CLabelUI {
public:
    CSpotlightUI() = default;

    LPCTSTR GetClass() const override { return L"SpotlightUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void DoInit() override;
    void PaintBkImage(HDC hDC) override;

    // Screen or client pixels; only its size is used (empty: the control's own).
    void SetHoleRect(int left, int top, int right, int bottom) { m_rcHole = RECT{left, top, right, bottom}; }
    // Client pixels; repaints where the spot was and where it goes.
    void SetSpotCenter(int x, int y);
    POINT GetSpotCenter() const { return m_ptCenter; }
    // The area painted over: the hole's size, or the control's own.
    SIZE PaintArea() const;
    // The spot's square in client pixels.
    RECT SpotRect() const;

private:
    bool DrawImageInto(MemoryBitmap& target, const wchar_t* image);

    RECT m_rcHole = {0, 0, 0, 0};
    POINT m_ptCenter = {0, 0};
    MemoryBitmap m_spot;
    MemoryBitmap m_surround;
    int m_nSpotWidth = kSpotSize;
    int m_nSpotHeight = kSpotSize;
};

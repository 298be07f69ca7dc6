// SetSlider: the main window's volume slider. Its fore image fills a rectangle
// given in the layout ("foreimagedest", control coordinates, e.g. a thin bar inside
// a taller control) cut at the current value; the mouse wheel does not move it.
#pragma once

#include "ui/duilib.h"

namespace DuiLib {

class SetSlider : public CSliderUI {
public:
    SetSlider() = default;
    ~SetSlider() override = default;

    LPCTSTR GetClass() const override { return L"SetSliderUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void DoEvent(TEventUI& event) override;
    // The bar cut at the value, then the thumb in its current state.
    void PaintForeImage(HDC hDC) override;
    // Drawn by PaintForeImage, after the bar.
    void PaintThumb(HDC hDC) override {}

    const RECT& GetForeImageDest() const { return m_rcForeDest; }
    void SetForeImageDest(const RECT& rc) {
        m_rcForeDest = rc;
        Invalidate();
    }

private:
    void NormaliseRange();
    void CutForeImageDest();
    bool PaintBar(HDC hDC);
    void PaintThumbImage(HDC hDC);

    RECT m_rcForeDest = {0, 0, 0, 0};
};

}  // namespace DuiLib

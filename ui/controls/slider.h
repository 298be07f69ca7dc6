// CSliderUI: a value between min and max, chosen by dragging the thumb,
// clicking the track or turning the wheel. A change by the user sends
// "valuechanged" (when the button is released, or at once for the wheel);
// SetValue from code sends nothing.
//
// Painting: background image, then PaintForeImage (the filled part: foreimage
// with dest cut at the value, stretched with isstretchfore, else cropped),
// then PaintThumb (thumbimage / thumbhotimage / thumbpushedimage).
#pragma once

#include "ui/controls/label.h"

namespace DuiLib {

class CSliderUI : public CLabelUI {
public:
    CSliderUI();

    LPCTSTR GetClass() const override { return L"SliderUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override;

    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool bHorizontal = true);
    int GetMinValue() const { return m_nMin; }
    void SetMinValue(int nMin);
    int GetMaxValue() const { return m_nMax; }
    void SetMaxValue(int nMax);
    int GetValue() const { return m_nValue; }
    void SetValue(int nValue);
    int GetChangeStep() const { return m_nStep; }
    void SetChangeStep(int step) { m_nStep = step > 0 ? step : 1; }
    SIZE GetThumbSize() const { return m_szThumb; }
    void SetThumbSize(SIZE szXY) {
        m_szThumb = szXY;
        Invalidate();
    }
    // The thumb in window client pixels.
    RECT GetThumbRect() const;
    LPCTSTR GetForeImage() const { return m_sForeImage; }
    void SetForeImage(LPCTSTR pStrImage) {
        m_sForeImage = pStrImage;
        Invalidate();
    }
    bool IsStretchForeImage() const { return m_bStretchForeImage; }
    void SetStretchForeImage(bool bStretch = true) {
        m_bStretchForeImage = bStretch;
        Invalidate();
    }
    LPCTSTR GetThumbImage() const { return m_sThumbImage; }
    void SetThumbImage(LPCTSTR pStrImage) {
        m_sThumbImage = pStrImage;
        Invalidate();
    }
    LPCTSTR GetThumbHotImage() const { return m_sThumbHotImage; }
    void SetThumbHotImage(LPCTSTR pStrImage) {
        m_sThumbHotImage = pStrImage;
        Invalidate();
    }
    LPCTSTR GetThumbPushedImage() const { return m_sThumbPushedImage; }
    void SetThumbPushedImage(LPCTSTR pStrImage) {
        m_sThumbPushedImage = pStrImage;
        Invalidate();
    }
    UINT GetButtonState() const { return m_uButtonState; }

    void SetEnabled(bool bEnable = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintStatusImage(HDC hDC) override;
    virtual void PaintForeImage(HDC hDC);
    virtual void PaintThumb(HDC hDC);

protected:
    int ValueAt(POINT pt) const;
    void NotifyIfChanged();

    int m_nMin = 0;
    int m_nMax = 100;
    int m_nValue = 0;
    int m_nStep = 1;
    int m_nValueAtPress = 0;
    bool m_bHorizontal = true;
    bool m_bStretchForeImage = true;
    SIZE m_szThumb = {10, 10};
    UINT m_uButtonState = 0;
    CDuiString m_sForeImage;
    CDuiString m_sThumbImage;
    CDuiString m_sThumbHotImage;
    CDuiString m_sThumbPushedImage;
};

}  // namespace DuiLib

#include "app/controls/set_slider.h"

#include <algorithm>
#include <cwchar>

namespace DuiLib {

namespace {

CDuiString DestModifier(const RECT& rc) {
    CDuiString text;
    text.Format(L"dest='%ld,%ld,%ld,%ld'", rc.left, rc.top, rc.right, rc.bottom);
    return text;
}

}  // namespace

LPVOID SetSlider::GetInterface(LPCTSTR pstrName) {
    if (_wcsicmp(pstrName, L"SetSlider") == 0) return this;
    return CSliderUI::GetInterface(pstrName);
}

void SetSlider::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (wcscmp(pstrName, L"foreimagedest") == 0)
        SetForeImageDest(ParseRect(pstrValue));
    else
        CSliderUI::SetAttribute(pstrName, pstrValue);
}

void SetSlider::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SCROLLWHEEL) return;
    CSliderUI::DoEvent(event);
}

void SetSlider::NormaliseRange() {
    if (m_nMax <= m_nMin) m_nMax = m_nMin + 1;
    m_nValue = std::clamp(m_nValue, m_nMin, m_nMax);
}

void SetSlider::CutForeImageDest() {
    if (!m_bHorizontal) return;
    long long filled = static_cast<long long>(m_nValue - m_nMin) * GetWidth() / (m_nMax - m_nMin);
    m_rcForeDest.right = static_cast<LONG>(filled);
}

bool SetSlider::PaintBar(HDC hDC) {
    if (m_sForeImage.IsEmpty()) return true;
    CDuiString modify = m_bStretchForeImage ? DestModifier(m_rcForeDest) : CDuiString();
    return DrawImage(hDC, m_sForeImage, modify);
}

void SetSlider::PaintThumbImage(HDC hDC) {
    RECT thumb = GetThumbRect();
    OffsetRect(&thumb, -m_rcItem.left, -m_rcItem.top);
    CDuiString modify = DestModifier(thumb);
    if ((m_uButtonState & UISTATE_CAPTURED) && !m_sThumbPushedImage.IsEmpty() &&
        DrawImage(hDC, m_sThumbPushedImage, modify))
        return;
    if ((m_uButtonState & UISTATE_HOT) && !m_sThumbHotImage.IsEmpty() && DrawImage(hDC, m_sThumbHotImage, modify))
        return;
    if (!m_sThumbImage.IsEmpty()) DrawImage(hDC, m_sThumbImage, modify);
}

void SetSlider::PaintForeImage(HDC hDC) {
    NormaliseRange();
    CutForeImageDest();
    if (!PaintBar(hDC)) return;
    PaintThumbImage(hDC);
}

}  // namespace DuiLib

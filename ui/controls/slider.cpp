#include "ui/controls/slider.h"

#include <algorithm>

#include "ui/core/paint_manager.h"
#include "ui/render/render_engine.h"

namespace DuiLib {

CSliderUI::CSliderUI() { m_uTextStyle = DT_SINGLELINE | DT_CENTER | DT_VCENTER; }

LPVOID CSliderUI::GetInterface(LPCTSTR pstrName) {
    if (_wcsicmp(pstrName, L"Slider") == 0 || _wcsicmp(pstrName, L"Progress") == 0) return this;
    return CLabelUI::GetInterface(pstrName);
}

UINT CSliderUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_SETCURSOR : 0; }

void CSliderUI::SetHorizontal(bool bHorizontal) {
    m_bHorizontal = bHorizontal;
    Invalidate();
}
void CSliderUI::SetMinValue(int nMin) {
    m_nMin = nMin;
    Invalidate();
}
void CSliderUI::SetMaxValue(int nMax) {
    m_nMax = nMax;
    Invalidate();
}

void CSliderUI::SetValue(int nValue) {
    int hi = std::max(m_nMin, m_nMax);
    m_nValue = std::clamp(nValue, m_nMin, hi);
    Invalidate();
}

void CSliderUI::SetEnabled(bool bEnable) {
    CLabelUI::SetEnabled(bEnable);
    if (!IsEnabled()) m_uButtonState = 0;
}

RECT CSliderUI::GetThumbRect() const {
    int range = std::max(1, m_nMax - m_nMin);
    int value = std::clamp(m_nValue, m_nMin, std::max(m_nMin, m_nMax)) - m_nMin;
    if (m_bHorizontal) {
        int travel = std::max(0, GetWidth() - static_cast<int>(m_szThumb.cx));
        int left = m_rcItem.left + static_cast<int>(static_cast<long long>(travel) * value / range);
        int top = (m_rcItem.top + m_rcItem.bottom - m_szThumb.cy) / 2;
        return RECT{left, top, left + m_szThumb.cx, top + m_szThumb.cy};
    }
    int travel = std::max(0, GetHeight() - static_cast<int>(m_szThumb.cy));
    int top = m_rcItem.bottom - m_szThumb.cy - static_cast<int>(static_cast<long long>(travel) * value / range);
    int left = (m_rcItem.left + m_rcItem.right - m_szThumb.cx) / 2;
    return RECT{left, top, left + m_szThumb.cx, top + m_szThumb.cy};
}

int CSliderUI::ValueAt(POINT pt) const {
    int range = m_nMax - m_nMin;
    if (range <= 0) return m_nMin;
    if (m_bHorizontal) {
        int travel = GetWidth() - m_szThumb.cx;
        if (travel <= 0) return m_nMin;
        int offset = pt.x - m_rcItem.left - m_szThumb.cx / 2;
        return std::clamp(m_nMin + static_cast<int>((static_cast<long long>(offset) * range + travel / 2) / travel),
                          m_nMin, m_nMax);
    }
    int travel = GetHeight() - m_szThumb.cy;
    if (travel <= 0) return m_nMin;
    int offset = m_rcItem.bottom - pt.y - m_szThumb.cy / 2;
    return std::clamp(m_nMin + static_cast<int>((static_cast<long long>(offset) * range + travel / 2) / travel), m_nMin,
                      m_nMax);
}

void CSliderUI::NotifyIfChanged() {
    if (m_nValue == m_nValueAtPress) return;
    m_nValueAtPress = m_nValue;
    if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_VALUECHANGED, m_nValue);
}

void CSliderUI::DoEvent(TEventUI& event) {
    if (ForwardMouseWhenDisabled(event)) return;
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (!IsEnabled()) return;
            m_nValueAtPress = m_nValue;
            m_uButtonState |= UISTATE_CAPTURED | UISTATE_PUSHED;
            {
                RECT thumb = GetThumbRect();
                if (!PtInRect(&thumb, event.ptMouse)) SetValue(ValueAt(event.ptMouse));
            }
            Invalidate();
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_uButtonState & UISTATE_CAPTURED) {
                SetValue(ValueAt(event.ptMouse));
            } else {
                RECT thumb = GetThumbRect();
                UINT state =
                    PtInRect(&thumb, event.ptMouse) ? (m_uButtonState | UISTATE_HOT) : (m_uButtonState & ~UISTATE_HOT);
                if (state != m_uButtonState) {
                    m_uButtonState = state;
                    Invalidate();
                }
            }
            return;
        case UIEVENT_BUTTONUP:
            if (m_uButtonState & UISTATE_CAPTURED) {
                m_uButtonState &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
                Invalidate();
                NotifyIfChanged();
            }
            return;
        case UIEVENT_MOUSELEAVE:
            m_uButtonState &= ~UISTATE_HOT;
            Invalidate();
            return;
        case UIEVENT_SCROLLWHEEL:
            if (!IsEnabled()) return;
            m_nValueAtPress = m_nValue;
            SetValue(m_nValue + (LOWORD(event.wParam) == SB_LINEUP ? m_nStep : -m_nStep));
            NotifyIfChanged();
            return;
        case UIEVENT_SETCURSOR: ::SetCursor(LoadCursorW(nullptr, m_cursor ? m_cursor : IDC_ARROW)); return;
        default: CLabelUI::DoEvent(event);
    }
}

void CSliderUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    CDuiString name(pstrName);
    if (name == L"min")
        SetMinValue(ParseInt(pstrValue));
    else if (name == L"max")
        SetMaxValue(ParseInt(pstrValue));
    else if (name == L"value")
        SetValue(ParseInt(pstrValue));
    else if (name == L"step")
        SetChangeStep(ParseInt(pstrValue));
    else if (name == L"hor")
        SetHorizontal(ParseBool(pstrValue));
    else if (name == L"isstretchfore")
        SetStretchForeImage(ParseBool(pstrValue));
    else if (name == L"foreimage")
        SetForeImage(pstrValue);
    else if (name == L"thumbimage")
        SetThumbImage(pstrValue);
    else if (name == L"thumbhotimage")
        SetThumbHotImage(pstrValue);
    else if (name == L"thumbpushedimage")
        SetThumbPushedImage(pstrValue);
    else if (name == L"thumbsize")
        SetThumbSize(ParseSize(pstrValue));
    else
        CLabelUI::SetAttribute(pstrName, pstrValue);
}

void CSliderUI::PaintStatusImage(HDC hDC) {
    PaintForeImage(hDC);
    PaintThumb(hDC);
}

void CSliderUI::PaintForeImage(HDC hDC) {
    if (m_sForeImage.IsEmpty() || !m_pManager) return;
    int range = std::max(1, m_nMax - m_nMin);
    int value = std::clamp(m_nValue, m_nMin, std::max(m_nMin, m_nMax)) - m_nMin;
    int w = GetWidth(), h = GetHeight();
    RECT dest = m_bHorizontal ? RECT{0, 0, static_cast<LONG>(static_cast<long long>(w) * value / range), h}
                              : RECT{0, h - static_cast<LONG>(static_cast<long long>(h) * value / range), w, h};
    CDuiString modify;
    modify.Format(L"dest='%ld,%ld,%ld,%ld'", dest.left, dest.top, dest.right, dest.bottom);
    if (!m_bStretchForeImage) {
        TDrawInfo info = CRenderEngine::ParseDrawInfo(m_sForeImage);
        const TImageInfo* image = m_pManager->GetImageEx(info.sImageName, info.sResType);
        if (image) {
            RECT src = info.bHasSource ? info.rcSource : RECT{0, 0, image->nX, image->nY};
            long sw = src.right - src.left, sh = src.bottom - src.top;
            if (m_bHorizontal)
                src.right = src.left + sw * value / range;
            else
                src.top = src.bottom - sh * value / range;
            CDuiString crop;
            crop.Format(L" source='%ld,%ld,%ld,%ld'", src.left, src.top, src.right, src.bottom);
            modify += crop;
        }
    }
    if (value > 0) DrawImage(hDC, m_sForeImage, modify);
}

void CSliderUI::PaintThumb(HDC hDC) {
    RECT thumb = GetThumbRect();
    OffsetRect(&thumb, -m_rcItem.left, -m_rcItem.top);
    CDuiString modify;
    modify.Format(L"dest='%ld,%ld,%ld,%ld'", thumb.left, thumb.top, thumb.right, thumb.bottom);
    if ((m_uButtonState & UISTATE_CAPTURED) && !m_sThumbPushedImage.IsEmpty() &&
        DrawImage(hDC, m_sThumbPushedImage, modify))
        return;
    if ((m_uButtonState & UISTATE_HOT) && !m_sThumbHotImage.IsEmpty() && DrawImage(hDC, m_sThumbHotImage, modify))
        return;
    if (!m_sThumbImage.IsEmpty() && DrawImage(hDC, m_sThumbImage, modify)) return;
    if (m_sThumbImage.IsEmpty() && m_sForeImage.IsEmpty() && m_sBkImage.IsEmpty()) {
        // A slider without images still shows where it stands.
        RECT track = m_rcItem;
        int mid = (track.top + track.bottom) / 2;
        CRenderEngine::DrawColor(hDC, {track.left, mid - 1, track.right, mid + 1}, 0xFFC8C8C8);
        OffsetRect(&thumb, m_rcItem.left, m_rcItem.top);
        CRenderEngine::DrawColor(hDC, thumb, IsEnabled() ? 0xFF4EA4FD : 0xFFA7A6AA);
    }
}

}  // namespace DuiLib

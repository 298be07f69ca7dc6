#include "ui/controls/label.h"

#include "ui/core/paint_manager.h"
#include "ui/render/render_engine.h"

namespace DuiLib {

CLabelUI::CLabelUI() = default;

LPVOID CLabelUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"Label") == 0 ? this : CControlUI::GetInterface(pstrName);
}

void CLabelUI::SetTextStyle(UINT uStyle) {
    m_uTextStyle = uStyle;
    Invalidate();
}
void CLabelUI::SetTextColor(DWORD dwTextColor) {
    m_dwTextColor = dwTextColor;
    Invalidate();
}
void CLabelUI::SetDisabledTextColor(DWORD dwTextColor) {
    m_dwDisabledTextColor = dwTextColor;
    Invalidate();
}
void CLabelUI::SetFont(int index) {
    m_iFont = index;
    Invalidate();
}

void CLabelUI::SetTextPadding(RECT rc) {
    m_rcTextPadding = rc;
    Invalidate();
}

void CLabelUI::SetAutoCalcWidth(bool bAuto) {
    m_bAutoCalcWidth = bAuto;
    NeedParentUpdate();
}

void CLabelUI::SetText(LPCTSTR pstrText) {
    CControlUI::SetText(pstrText);
    if (m_bAutoCalcWidth) NeedParentUpdate();
}

SIZE CLabelUI::EstimateSize(SIZE szAvailable) {
    if (!m_bAutoCalcWidth || !m_pManager) return CControlUI::EstimateSize(szAvailable);
    SIZE text = CRenderEngine::GetTextSize(m_pManager->GetPaintDC(), m_pManager, m_sText, m_iFont, m_uTextStyle);
    return SIZE{text.cx + m_rcTextPadding.left + m_rcTextPadding.right, m_cxyFixed.cy};
}

void CLabelUI::DoEvent(TEventUI& event) { CControlUI::DoEvent(event); }

void CLabelUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    CDuiString name(pstrName);
    if (name == L"align")
        m_uTextStyle = ApplyHAlign(m_uTextStyle, pstrValue);
    else if (name == L"valign")
        m_uTextStyle = ApplyVAlign(m_uTextStyle, pstrValue);
    else if (name == L"endellipsis") {
        if (ParseBool(pstrValue))
            m_uTextStyle |= DT_END_ELLIPSIS;
        else
            m_uTextStyle &= ~DT_END_ELLIPSIS;
    } else if (name == L"wordbreak" || name == L"multiline") {
        if (ParseBool(pstrValue))
            m_uTextStyle = (m_uTextStyle & ~DT_SINGLELINE) | DT_WORDBREAK;
        else
            m_uTextStyle = (m_uTextStyle & ~DT_WORDBREAK) | DT_SINGLELINE;
    } else if (name == L"font")
        SetFont(ParseInt(pstrValue));
    else if (name == L"textcolor")
        SetTextColor(ParseColor(pstrValue));
    else if (name == L"disabledtextcolor")
        SetDisabledTextColor(ParseColor(pstrValue));
    else if (name == L"textpadding")
        SetTextPadding(ParseRect(pstrValue));
    else if (name == L"autocalcwidth")
        SetAutoCalcWidth(ParseBool(pstrValue));
    else
        CControlUI::SetAttribute(pstrName, pstrValue);
}

DWORD CLabelUI::CurrentTextColor(DWORD stateColor) const {
    if (!IsEnabled()) {
        if (m_dwDisabledTextColor) return m_dwDisabledTextColor;
        return m_pManager ? m_pManager->GetDefaultDisabledColor() : 0xFFA7A6AA;
    }
    if (stateColor) return stateColor;
    if (m_dwTextColor) return m_dwTextColor;
    return m_pManager ? m_pManager->GetDefaultFontColor() : 0xFF000000;
}

void CLabelUI::DrawLabelText(HDC hDC, DWORD color) {
    if (m_sText.IsEmpty()) return;
    RECT rc = m_rcItem;
    rc.left += m_rcTextPadding.left;
    rc.right -= m_rcTextPadding.right;
    rc.top += m_rcTextPadding.top;
    rc.bottom -= m_rcTextPadding.bottom;
    UINT style = m_uTextStyle;
    // DrawText centres vertically only single lines; do it for wrapped text too.
    if ((style & DT_WORDBREAK) && (style & (DT_VCENTER | DT_BOTTOM))) {
        RECT measure = rc;
        CRenderEngine::DrawText(hDC, m_pManager, measure, m_sText, color, m_iFont,
                                (style & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
        int height = measure.bottom - measure.top, space = rc.bottom - rc.top;
        if (height < space) rc.top += (style & DT_BOTTOM) ? space - height : (space - height) / 2;
        style &= ~(DT_VCENTER | DT_BOTTOM);
    }
    CRenderEngine::DrawText(hDC, m_pManager, rc, m_sText, color, m_iFont, style | DT_NOPREFIX);
}

void CLabelUI::PaintText(HDC hDC) { DrawLabelText(hDC, CurrentTextColor()); }

CTextUI::CTextUI() { m_uTextStyle = DT_WORDBREAK; }

LPVOID CTextUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"Text") == 0 ? this : CLabelUI::GetInterface(pstrName);
}

}  // namespace DuiLib

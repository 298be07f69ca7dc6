#include "ui/controls/button.h"

#include "ui/core/paint_manager.h"
#include "ui/render/render_engine.h"

namespace DuiLib {

CButtonUI::CButtonUI() { m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER; }

LPVOID CButtonUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"Button") == 0 ? this : CLabelUI::GetInterface(pstrName);
}

UINT CButtonUI::GetControlFlags() const {
    return (IsKeyboardEnabled() ? UIFLAG_TABSTOP : 0) | (IsEnabled() ? UIFLAG_SETCURSOR : 0);
}

bool CButtonUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_CLICK);
    return true;
}

void CButtonUI::SetEnabled(bool bEnable) {
    CControlUI::SetEnabled(bEnable);
    if (!IsEnabled()) m_uButtonState = 0;
}

void CButtonUI::DoEvent(TEventUI& event) {
    if (ForwardMouseWhenDisabled(event)) return;
    switch (event.Type) {
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS: CLabelUI::DoEvent(event); return;
        case UIEVENT_KEYDOWN:
            if (IsKeyboardEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
                Activate();
                return;
            }
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (PtInRect(&m_rcItem, event.ptMouse) && IsEnabled()) {
                m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_uButtonState & UISTATE_CAPTURED) {
                if (PtInRect(&m_rcItem, event.ptMouse))
                    m_uButtonState |= UISTATE_PUSHED;
                else
                    m_uButtonState &= ~UISTATE_PUSHED;
                Invalidate();
            }
            return;
        case UIEVENT_BUTTONUP:
            if (m_uButtonState & UISTATE_CAPTURED) {
                bool inside = PtInRect(&m_rcItem, event.ptMouse) != FALSE;
                m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
                Invalidate();
                if (inside) Activate();  // may close the window or remove this control: nothing after it
            }
            return;
        case UIEVENT_MOUSEENTER:
            if (IsEnabled()) {
                m_uButtonState |= UISTATE_HOT;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSELEAVE:
            if (IsEnabled()) {
                m_uButtonState &= ~UISTATE_HOT;
                Invalidate();
            }
            return;
        case UIEVENT_SETCURSOR: ::SetCursor(LoadCursorW(nullptr, m_cursor ? m_cursor : IDC_ARROW)); return;
        default: break;
    }
    CLabelUI::DoEvent(event);
}

void CButtonUI::SetNormalImage(LPCTSTR pStrImage) {
    m_sNormalImage = pStrImage;
    Invalidate();
}
void CButtonUI::SetHotImage(LPCTSTR pStrImage) {
    m_sHotImage = pStrImage;
    Invalidate();
}
void CButtonUI::SetPushedImage(LPCTSTR pStrImage) {
    m_sPushedImage = pStrImage;
    Invalidate();
}
void CButtonUI::SetFocusedImage(LPCTSTR pStrImage) {
    m_sFocusedImage = pStrImage;
    Invalidate();
}
void CButtonUI::SetDisabledImage(LPCTSTR pStrImage) {
    m_sDisabledImage = pStrImage;
    Invalidate();
}
void CButtonUI::SetForeImage(LPCTSTR pStrImage) {
    m_sForeImage = pStrImage;
    Invalidate();
}
void CButtonUI::SetHotForeImage(LPCTSTR pStrImage) {
    m_sHotForeImage = pStrImage;
    Invalidate();
}
void CButtonUI::SetHotTextColor(DWORD dwColor) {
    m_dwHotTextColor = dwColor;
    Invalidate();
}
void CButtonUI::SetPushedTextColor(DWORD dwColor) {
    m_dwPushedTextColor = dwColor;
    Invalidate();
}
void CButtonUI::SetFocusedTextColor(DWORD dwColor) {
    m_dwFocusedTextColor = dwColor;
    Invalidate();
}
void CButtonUI::SetHotBkColor(DWORD dwColor) {
    m_dwHotBkColor = dwColor;
    Invalidate();
}
void CButtonUI::SetPushedBkColor(DWORD dwColor) {
    m_dwPushedBkColor = dwColor;
    Invalidate();
}
void CButtonUI::SetForeColor(DWORD dwColor) {
    m_dwForeColor = dwColor;
    Invalidate();
}

void CButtonUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    CDuiString name(pstrName);
    if (name == L"normalimage")
        SetNormalImage(pstrValue);
    else if (name == L"hotimage")
        SetHotImage(pstrValue);
    else if (name == L"pushedimage")
        SetPushedImage(pstrValue);
    else if (name == L"focusedimage")
        SetFocusedImage(pstrValue);
    else if (name == L"disabledimage")
        SetDisabledImage(pstrValue);
    else if (name == L"foreimage")
        SetForeImage(pstrValue);
    else if (name == L"hotforeimage")
        SetHotForeImage(pstrValue);
    else if (name == L"hottextcolor")
        SetHotTextColor(ParseColor(pstrValue));
    else if (name == L"pushedtextcolor")
        SetPushedTextColor(ParseColor(pstrValue));
    else if (name == L"focusedtextcolor")
        SetFocusedTextColor(ParseColor(pstrValue));
    else if (name == L"hotbkcolor")
        SetHotBkColor(ParseColor(pstrValue));
    else if (name == L"pushedbkcolor")
        SetPushedBkColor(ParseColor(pstrValue));
    else if (name == L"forecolor")
        SetForeColor(ParseColor(pstrValue));
    else
        CLabelUI::SetAttribute(pstrName, pstrValue);
}

void CButtonUI::PaintBkColor(HDC hDC) {
    DWORD color = m_dwBackColor;
    if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedBkColor)
        color = m_dwPushedBkColor;
    else if ((m_uButtonState & UISTATE_HOT) && m_dwHotBkColor)
        color = m_dwHotBkColor;
    if (color) CRenderEngine::DrawColor(hDC, m_rcPaint, color);
    if (m_dwForeColor) CRenderEngine::DrawColor(hDC, m_rcItem, m_dwForeColor);
}

DWORD CButtonUI::StateTextColor() const {
    if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedTextColor) return m_dwPushedTextColor;
    if ((m_uButtonState & UISTATE_HOT) && m_dwHotTextColor) return m_dwHotTextColor;
    if (m_bFocused && m_dwFocusedTextColor) return m_dwFocusedTextColor;
    return 0;
}

void CButtonUI::PaintText(HDC hDC) { DrawLabelText(hDC, CurrentTextColor(StateTextColor())); }

bool CButtonUI::PaintStateImage(HDC hDC) {
    if (!IsEnabled())
        return !m_sDisabledImage.IsEmpty() ? DrawImage(hDC, m_sDisabledImage) : DrawImage(hDC, m_sNormalImage);
    if ((m_uButtonState & UISTATE_PUSHED) && !m_sPushedImage.IsEmpty() && DrawImage(hDC, m_sPushedImage)) return true;
    if ((m_uButtonState & UISTATE_HOT) && !m_sHotImage.IsEmpty() && DrawImage(hDC, m_sHotImage)) return true;
    if (m_bFocused && !m_sFocusedImage.IsEmpty() && DrawImage(hDC, m_sFocusedImage)) return true;
    return !m_sNormalImage.IsEmpty() && DrawImage(hDC, m_sNormalImage);
}

void CButtonUI::PaintForeImages(HDC hDC) {
    if ((m_uButtonState & UISTATE_HOT) && !m_sHotForeImage.IsEmpty() && DrawImage(hDC, m_sHotForeImage)) return;
    if (!m_sForeImage.IsEmpty()) DrawImage(hDC, m_sForeImage);
}

void CButtonUI::PaintStatusImage(HDC hDC) {
    PaintStateImage(hDC);
    PaintForeImages(hDC);
}

COptionUI::~COptionUI() {
    if (!m_sGroupName.IsEmpty() && m_pManager) m_pManager->RemoveOptionGroup(m_sGroupName, this);
}

LPVOID COptionUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"Option") == 0 ? this : CButtonUI::GetInterface(pstrName);
}

void COptionUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    if (m_pManager && m_pManager != pManager && !m_sGroupName.IsEmpty())
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    CButtonUI::SetManager(pManager, pParent, bInit);
    if (pManager && !m_sGroupName.IsEmpty()) pManager->AddOptionGroup(m_sGroupName, this);
}

void COptionUI::SetGroup(LPCTSTR pStrGroupName) {
    CDuiString group(pStrGroupName);
    if (group == m_sGroupName) return;
    if (m_pManager && !m_sGroupName.IsEmpty()) m_pManager->RemoveOptionGroup(m_sGroupName, this);
    m_sGroupName = group;
    if (m_pManager && !m_sGroupName.IsEmpty()) m_pManager->AddOptionGroup(m_sGroupName, this);
}

void COptionUI::Selected(bool bSelected, bool bTriggerEvent) {
    if (m_bSelected == bSelected) return;
    m_bSelected = bSelected;
    if (bSelected)
        m_uButtonState |= UISTATE_SELECTED;
    else
        m_uButtonState &= ~UISTATE_SELECTED;
    Invalidate();
    if (!m_pManager) return;
    if (m_sGroupName.IsEmpty()) {
        if (bTriggerEvent) m_pManager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED, bSelected ? 1 : 0);
        return;
    }
    if (!bSelected) return;
    if (const auto* group = m_pManager->GetOptionGroup(m_sGroupName)) {
        std::vector<CControlUI*> members = *group;
        for (CControlUI* member : members) {
            if (member == this) continue;
            auto* option = static_cast<COptionUI*>(member->GetInterface(L"Option"));
            if (option) option->Selected(false, bTriggerEvent);
        }
    }
    if (bTriggerEvent) m_pManager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED, 1);
}

bool COptionUI::Activate() {
    if (!CButtonUI::Activate()) return false;
    if (!m_sGroupName.IsEmpty())
        Selected(true);
    else
        Selected(!m_bSelected);
    return true;
}

void COptionUI::SetEnabled(bool bEnable) {
    CButtonUI::SetEnabled(bEnable);
    if (!IsEnabled()) m_uButtonState = m_bSelected ? UISTATE_SELECTED : 0;
}

void COptionUI::SetSelectedImage(LPCTSTR pStrImage) {
    m_sSelectedImage = pStrImage;
    Invalidate();
}
void COptionUI::SetSelectedHotImage(LPCTSTR pStrImage) {
    m_sSelectedHotImage = pStrImage;
    Invalidate();
}
void COptionUI::SetSelectedTextColor(DWORD dwTextColor) {
    m_dwSelectedTextColor = dwTextColor;
    Invalidate();
}
void COptionUI::SetSelectedBkColor(DWORD dwBkColor) {
    m_dwSelectedBkColor = dwBkColor;
    Invalidate();
}

void COptionUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    CDuiString name(pstrName);
    if (name == L"group")
        SetGroup(pstrValue);
    else if (name == L"selected")
        Selected(ParseBool(pstrValue), false);
    else if (name == L"selectedimage")
        SetSelectedImage(pstrValue);
    else if (name == L"selectedhotimage")
        SetSelectedHotImage(pstrValue);
    else if (name == L"selectedtextcolor")
        SetSelectedTextColor(ParseColor(pstrValue));
    else if (name == L"selectedbkcolor")
        SetSelectedBkColor(ParseColor(pstrValue));
    else
        CButtonUI::SetAttribute(pstrName, pstrValue);
}

DWORD COptionUI::StateTextColor() const {
    if (m_bSelected && m_dwSelectedTextColor) return m_dwSelectedTextColor;
    return CButtonUI::StateTextColor();
}

void COptionUI::PaintStatusImage(HDC hDC) {
    if (m_bSelected) {
        if (m_dwSelectedBkColor) CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwSelectedBkColor);
        bool drawn = false;
        if ((m_uButtonState & UISTATE_HOT) && !m_sSelectedHotImage.IsEmpty())
            drawn = DrawImage(hDC, m_sSelectedHotImage);
        if (!drawn && !m_sSelectedImage.IsEmpty()) drawn = DrawImage(hDC, m_sSelectedImage);
        if (!drawn) PaintStateImage(hDC);
    } else {
        PaintStateImage(hDC);
    }
    PaintForeImages(hDC);
}

LPVOID CCheckBoxUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"CheckBox") == 0 ? this : COptionUI::GetInterface(pstrName);
}

}  // namespace DuiLib

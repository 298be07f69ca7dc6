#include "ui/controls/scrollbar.h"

#include <algorithm>

#include "ui/controls/container.h"
#include "ui/core/paint_manager.h"
#include "ui/render/render_engine.h"

namespace DuiLib {

CScrollBarUI::CScrollBarUI() = default;

LPVOID CScrollBarUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"ScrollBar") == 0 ? this : CControlUI::GetInterface(pstrName);
}

void CScrollBarUI::SetHorizontal(bool bHorizontal) { m_bHorizontal = bHorizontal; }

void CScrollBarUI::SetScrollRange(int nRange) {
    m_nRange = std::max(0, nRange);
    m_nScrollPos = std::clamp(m_nScrollPos, 0, m_nRange);
    Invalidate();
}

void CScrollBarUI::SetScrollPos(int nPos) {
    m_nScrollPos = std::clamp(nPos, 0, m_nRange);
    Invalidate();
}

RECT CScrollBarUI::GetThumbRect() const {
    RECT rc = m_rcItem;
    int length = m_bHorizontal ? rc.right - rc.left : rc.bottom - rc.top;
    if (length <= 0) return rc;
    int view = length;
    int thumb =
        std::max(std::min(length, 20), static_cast<int>(static_cast<long long>(length) * view / (view + m_nRange)));
    int travel = length - thumb;
    int offset = m_nRange > 0 ? static_cast<int>(static_cast<long long>(travel) * m_nScrollPos / m_nRange) : 0;
    if (m_bHorizontal) {
        rc.left += offset;
        rc.right = rc.left + thumb;
    } else {
        rc.top += offset;
        rc.bottom = rc.top + thumb;
    }
    return rc;
}

void CScrollBarUI::ScrollOwnerTo(int pos) {
    if (!m_pOwner) {
        SetScrollPos(pos);
        return;
    }
    SIZE p = m_pOwner->GetScrollPos();
    if (m_bHorizontal)
        p.cx = pos;
    else
        p.cy = pos;
    m_pOwner->SetScrollPos(p);
}

void CScrollBarUI::DoEvent(TEventUI& event) {
    RECT thumb = GetThumbRect();
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (PtInRect(&thumb, event.ptMouse)) {
                m_uThumbState |= UISTATE_CAPTURED | UISTATE_PUSHED;
                m_ptDragStart = event.ptMouse;
                m_nDragStartPos = m_nScrollPos;
            } else if (m_pOwner) {
                bool before = m_bHorizontal ? event.ptMouse.x < thumb.left : event.ptMouse.y < thumb.top;
                before ? m_pOwner->PageUp() : m_pOwner->PageDown();
            }
            Invalidate();
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_uThumbState & UISTATE_CAPTURED) {
                int length = m_bHorizontal ? GetWidth() : GetHeight();
                int travel = length - (m_bHorizontal ? thumb.right - thumb.left : thumb.bottom - thumb.top);
                int moved = m_bHorizontal ? event.ptMouse.x - m_ptDragStart.x : event.ptMouse.y - m_ptDragStart.y;
                if (travel > 0)
                    ScrollOwnerTo(m_nDragStartPos +
                                  static_cast<int>(static_cast<long long>(moved) * m_nRange / travel));
            } else {
                bool hot = PtInRect(&thumb, event.ptMouse) != FALSE;
                UINT state = hot ? (m_uThumbState | UISTATE_HOT) : (m_uThumbState & ~UISTATE_HOT);
                if (state != m_uThumbState) {
                    m_uThumbState = state;
                    Invalidate();
                }
            }
            return;
        case UIEVENT_BUTTONUP:
            m_uThumbState &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
            Invalidate();
            return;
        case UIEVENT_MOUSELEAVE:
            m_uThumbState &= ~UISTATE_HOT;
            Invalidate();
            return;
        case UIEVENT_SCROLLWHEEL:
            if (m_pOwner) m_pOwner->DoEvent(event);
            return;
        default: CControlUI::DoEvent(event);
    }
}

void CScrollBarUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    if (!IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
    PaintBkColor(hDC);
    if (m_dwBackColor == 0) CRenderEngine::DrawColor(hDC, m_rcItem, m_dwTrackColor);
    PaintBkImage(hDC);
    RECT thumb = GetThumbRect();
    RECT inset = thumb;
    if (m_bHorizontal)
        InflateRect(&inset, 0, -2);
    else
        InflateRect(&inset, -2, 0);
    const CDuiString& image = (m_uThumbState & UISTATE_PUSHED) && !m_sThumbPushedImage.IsEmpty() ? m_sThumbPushedImage
                              : (m_uThumbState & UISTATE_HOT) && !m_sThumbHotImage.IsEmpty()     ? m_sThumbHotImage
                                                                                                 : m_sThumbNormalImage;
    if (!image.IsEmpty() && CRenderEngine::DrawImageString(hDC, m_pManager, thumb, m_rcPaint, image)) return;
    DWORD color = (m_uThumbState & UISTATE_PUSHED) ? m_dwThumbPushedColor
                  : (m_uThumbState & UISTATE_HOT)  ? m_dwThumbHotColor
                                                   : m_dwThumbColor;
    CRenderEngine::DrawColor(hDC, inset, color);
}

void CScrollBarUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    CDuiString name(pstrName);
    if (name == L"width" || name == L"height" || name == L"thickness")
        m_nThickness = std::max(1, ParseInt(pstrValue));
    else if (name == L"trackcolor")
        m_dwTrackColor = ParseColor(pstrValue);
    else if (name == L"thumbcolor")
        m_dwThumbColor = ParseColor(pstrValue);
    else if (name == L"thumbhotcolor")
        m_dwThumbHotColor = ParseColor(pstrValue);
    else if (name == L"thumbpushedcolor")
        m_dwThumbPushedColor = ParseColor(pstrValue);
    else if (name == L"thumbnormalimage")
        m_sThumbNormalImage = pstrValue;
    else if (name == L"thumbhotimage")
        m_sThumbHotImage = pstrValue;
    else if (name == L"thumbpushedimage")
        m_sThumbPushedImage = pstrValue;
    else
        CControlUI::SetAttribute(pstrName, pstrValue);
}

}  // namespace DuiLib

#include "ui/controls/control.h"

#include <cwchar>

#include "ui/core/paint_manager.h"
#include "ui/render/render_engine.h"

namespace DuiLib {

LPCTSTR CursorFromName(LPCTSTR name) {
    if (!name) return nullptr;
    struct Entry {
        LPCTSTR word;
        LPCTSTR id;
    };
    static const Entry kCursors[] = {
        {L"arrow", IDC_ARROW},   {L"ibeam", IDC_IBEAM},       {L"wait", IDC_WAIT},
        {L"cross", IDC_CROSS},   {L"uparrow", IDC_UPARROW},   {L"size", IDC_SIZEALL},
        {L"icon", IDC_ICON},     {L"sizenwse", IDC_SIZENWSE}, {L"sizenesw", IDC_SIZENESW},
        {L"sizewe", IDC_SIZEWE}, {L"sizens", IDC_SIZENS},     {L"sizeall", IDC_SIZEALL},
        {L"no", IDC_NO},         {L"hand", IDC_HAND},
    };
    for (const Entry& e : kCursors)
        if (_wcsicmp(name, e.word) == 0) return e.id;
    return nullptr;
}

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    if (OnDestroy) OnDestroy(this);
    if (m_pManager) m_pManager->ReapObjects(this);
}

LPVOID CControlUI::GetInterface(LPCTSTR pstrName) { return _wcsicmp(pstrName, L"Control") == 0 ? this : nullptr; }

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

void CControlUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    m_pManager = pManager;
    m_pParent = pParent;
    if (bInit && m_pParent)
        Init();
    else if (bInit && pManager && pManager->GetRoot() == this)
        Init();
}

void CControlUI::SetText(LPCTSTR pstrText) {
    if (m_sText == pstrText) return;
    m_sText = pstrText;
    Invalidate();
}

void CControlUI::SetBkColor(DWORD dwColor) {
    if (m_dwBackColor == dwColor) return;
    m_dwBackColor = dwColor;
    Invalidate();
}

void CControlUI::SetBkImage(LPCTSTR pStrImage) {
    if (m_sBkImage == pStrImage) return;
    m_sBkImage = pStrImage;
    Invalidate();
}

void CControlUI::SetBorderColor(DWORD dwColor) {
    m_dwBorderColor = dwColor;
    Invalidate();
}

void CControlUI::SetFocusBorderColor(DWORD dwColor) {
    m_dwFocusBorderColor = dwColor;
    Invalidate();
}

void CControlUI::SetBorderSize(int nSize) {
    m_nBorderSize = nSize;
    Invalidate();
}

void CControlUI::SetBorderRound(SIZE cxyRound) {
    m_cxyBorderRound = cxyRound;
    Invalidate();
}

bool CControlUI::DrawImage(HDC hDC, LPCTSTR pStrImage, LPCTSTR pStrModify) {
    return CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, m_rcPaint, pStrImage, pStrModify);
}

void CControlUI::SetPos(RECT rc, bool bNeedInvalidate) {
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    RECT old = m_rcItem;
    m_rcItem = rc;
    m_bUpdateNeeded = false;
    if (!bNeedInvalidate || !m_pManager) return;
    if (EqualRect(&old, &rc)) {
        Invalidate();
        return;
    }
    RECT both;
    UnionRect(&both, &old, &rc);
    m_pManager->Invalidate(both);
}

void CControlUI::SetPadding(RECT rcPadding) {
    m_rcPadding = rcPadding;
    NeedParentUpdate();
}

void CControlUI::SetFixedXY(SIZE szXY) {
    m_cXY = szXY;
    if (!m_bFloat)
        NeedParentUpdate();
    else
        NeedUpdate();
}

void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0) return;
    m_cxyFixed.cx = cx;
    if (!m_bFloat)
        NeedParentUpdate();
    else
        NeedUpdate();
}

void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0) return;
    m_cxyFixed.cy = cy;
    if (!m_bFloat)
        NeedParentUpdate();
    else
        NeedUpdate();
}

void CControlUI::SetMinWidth(int cx) {
    if (cx >= 0) {
        m_cxyMin.cx = cx;
        NeedParentUpdate();
    }
}
void CControlUI::SetMaxWidth(int cx) {
    if (cx >= 0) {
        m_cxyMax.cx = cx;
        NeedParentUpdate();
    }
}
void CControlUI::SetMinHeight(int cy) {
    if (cy >= 0) {
        m_cxyMin.cy = cy;
        NeedParentUpdate();
    }
}
void CControlUI::SetMaxHeight(int cy) {
    if (cy >= 0) {
        m_cxyMax.cy = cy;
        NeedParentUpdate();
    }
}

SIZE CControlUI::EstimateSize(SIZE) { return m_cxyFixed; }

void CControlUI::SetFloat(bool bFloat) {
    if (m_bFloat == bFloat) return;
    m_bFloat = bFloat;
    NeedParentUpdate();
}

void CControlUI::SetToolTip(LPCTSTR pstrText) {
    CDuiString text(pstrText);
    text.Replace(L"<n>", L"\r\n");
    m_sToolTip = text;
}

void CControlUI::SetVisible(bool bVisible) {
    if (m_bVisible == bVisible) return;
    bool wasVisible = IsVisible();
    m_bVisible = bVisible;
    if (m_bFocused && !bVisible && m_pManager) m_pManager->SetFocus(nullptr, false);
    if (IsVisible() != wasVisible) NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool bVisible) {
    m_bInternVisible = bVisible;
    if (!bVisible && m_bFocused && m_pManager) m_pManager->SetFocus(nullptr, false);
}

void CControlUI::SetEnabled(bool bEnable) {
    if (m_bEnabled == bEnable) return;
    m_bEnabled = bEnable;
    if (!bEnable && m_bFocused && m_pManager) m_pManager->SetFocus(nullptr, false);
    Invalidate();
}

void CControlUI::SetMouseEnabled(bool bEnable) { m_bMouseEnabled = bEnable; }
void CControlUI::SetKeyboardEnabled(bool bEnable) { m_bKeyboardEnabled = bEnable; }

void CControlUI::SetFocus() {
    if (m_pManager) m_pManager->SetFocus(this, false);
}

CControlUI* CControlUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
    if ((uFlags & UIFIND_VISIBLE) && !IsVisible()) return nullptr;
    if ((uFlags & UIFIND_ENABLED) && !IsEnabled()) return nullptr;
    if ((uFlags & UIFIND_HITTEST) && (!m_bMouseEnabled || !PtInRect(&m_rcItem, *static_cast<LPPOINT>(pData))))
        return nullptr;
    return Proc(this, pData);
}

void CControlUI::Invalidate() {
    if (!IsVisible() || !m_pManager) return;
    RECT rc = m_rcItem;
    // Only the part inside the visible area of every parent needs painting.
    for (CControlUI* parent = m_pParent; parent; parent = parent->GetParent()) {
        RECT clip;
        if (!IntersectRect(&clip, &rc, &parent->GetPos())) return;
        rc = clip;
    }
    m_pManager->Invalidate(rc);
}

void CControlUI::NeedUpdate() {
    if (!IsVisible()) return;
    m_bUpdateNeeded = true;
    Invalidate();
    if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
    if (m_pParent) {
        m_pParent->NeedUpdate();
        m_pParent->Invalidate();
    } else {
        NeedUpdate();
    }
    if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::Event(TEventUI& event) {
    if (OnEvent && !OnEvent(&event)) return;
    DoEvent(event);
}

void CControlUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SETCURSOR) {
        ::SetCursor(LoadCursorW(nullptr, m_cursor ? m_cursor : IDC_ARROW));
        return;
    }
    if (event.Type == UIEVENT_SETFOCUS) {
        m_bFocused = true;
        Invalidate();
        return;
    }
    if (event.Type == UIEVENT_KILLFOCUS) {
        m_bFocused = false;
        Invalidate();
        return;
    }
    // Unhandled wheel and menu events go up to the parent (a scrolling container).
    if ((event.Type == UIEVENT_SCROLLWHEEL || event.Type == UIEVENT_CONTEXTMENU) && m_pParent) {
        m_pParent->DoEvent(event);
    }
}

bool CControlUI::ForwardMouseWhenDisabled(TEventUI& event) {
    if (IsMouseEnabled() || event.Type <= UIEVENT__MOUSEBEGIN || event.Type >= UIEVENT__MOUSEEND) return false;
    if (m_pParent) m_pParent->DoEvent(event);
    return true;
}

void CControlUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    CDuiString name(pstrName);
    if (name == L"pos") {
        RECT rc = ParseRect(pstrValue);
        m_cXY = {rc.left, rc.top};
        m_cxyFixed = {rc.right - rc.left, rc.bottom - rc.top};
        NeedParentUpdate();
    } else if (name == L"padding")
        SetPadding(ParseRect(pstrValue));
    else if (name == L"bkcolor" || name == L"bkcolor1")
        SetBkColor(ParseColor(pstrValue));
    else if (name == L"bordercolor")
        SetBorderColor(ParseColor(pstrValue));
    else if (name == L"focusbordercolor")
        SetFocusBorderColor(ParseColor(pstrValue));
    else if (name == L"bordersize")
        SetBorderSize(ParseInt(pstrValue));
    else if (name == L"borderround")
        SetBorderRound(ParseSize(pstrValue));
    else if (name == L"bkimage")
        SetBkImage(pstrValue);
    else if (name == L"width")
        SetFixedWidth(ParseInt(pstrValue));
    else if (name == L"height")
        SetFixedHeight(ParseInt(pstrValue));
    else if (name == L"minwidth")
        SetMinWidth(ParseInt(pstrValue));
    else if (name == L"minheight")
        SetMinHeight(ParseInt(pstrValue));
    else if (name == L"maxwidth")
        SetMaxWidth(ParseInt(pstrValue));
    else if (name == L"maxheight")
        SetMaxHeight(ParseInt(pstrValue));
    else if (name == L"name")
        SetName(pstrValue);
    else if (name == L"text")
        SetText(pstrValue);
    else if (name == L"tooltip")
        SetToolTip(pstrValue);
    else if (name == L"userdata")
        SetUserData(pstrValue);
    else if (name == L"enabled")
        SetEnabled(ParseBool(pstrValue));
    else if (name == L"mouse")
        SetMouseEnabled(ParseBool(pstrValue));
    else if (name == L"keyboard")
        SetKeyboardEnabled(ParseBool(pstrValue));
    else if (name == L"visible")
        SetVisible(ParseBool(pstrValue));
    else if (name == L"float")
        SetFloat(ParseBool(pstrValue));
    else if (name == L"cursor")
        SetCursor(CursorFromName(pstrValue));
    else if (name == L"style" && m_pManager)
        ApplyAttributeList(m_pManager->GetStyle(pstrValue));
}

void CControlUI::ApplyAttributeList(LPCTSTR pstrList) {
    for (auto& attr : ParseAttributeList(pstrList)) SetAttribute(attr.first, attr.second);
}

void CControlUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    if (!IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
    PaintBkColor(hDC);
    PaintBkImage(hDC);
    PaintStatusImage(hDC);
    PaintText(hDC);
    PaintBorder(hDC);
}

void CControlUI::PaintBkColor(HDC hDC) {
    if (m_dwBackColor != 0) CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwBackColor);
}

void CControlUI::PaintBkImage(HDC hDC) {
    if (m_sBkImage.IsEmpty()) return;
    if (m_bHasMidPos) {
        PaintBkImageCross(hDC);
        return;
    }
    DrawImage(hDC, m_sBkImage);
}

void CControlUI::PaintStatusImage(HDC) {}
void CControlUI::PaintText(HDC) {}

void CControlUI::PaintBorder(HDC hDC) {
    DWORD color = (m_bFocused && m_dwFocusBorderColor) ? m_dwFocusBorderColor : m_dwBorderColor;
    if (m_nBorderSize <= 0 || color == 0) return;
    if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0)
        CRenderEngine::DrawRoundRect(hDC, m_rcItem, m_cxyBorderRound.cx, m_cxyBorderRound.cy, m_nBorderSize, color);
    else
        CRenderEngine::DrawRect(hDC, m_rcItem, m_nBorderSize, color);
}

void CControlUI::SetBmpMidPos(POINT pt) {
    m_ptMidPos = pt;
    m_bHasMidPos = true;
    Invalidate();
}

void CControlUI::PaintBkImageCross(HDC hDC) {
    TDrawInfo info = CRenderEngine::ParseDrawInfo(m_sBkImage);
    const TImageInfo* image = m_pManager ? m_pManager->GetImageEx(info.sImageName, info.sResType) : nullptr;
    int x = m_rcItem.left + m_ptMidPos.x, y = m_rcItem.top + m_ptMidPos.y;
    if (!image) {
        DWORD color = m_dwBorderColor ? m_dwBorderColor : 0xFF000000;
        CRenderEngine::DrawColor(hDC, {m_rcItem.left, y, m_rcItem.right, y + 1}, color);
        CRenderEngine::DrawColor(hDC, {x, m_rcItem.top, x + 1, m_rcItem.bottom}, color);
        return;
    }
    RECT source = info.bHasSource ? info.rcSource : RECT{0, 0, image->nX, image->nY};
    int w = source.right - source.left, h = source.bottom - source.top;
    RECT none = {0, 0, 0, 0};
    RECT across = {m_rcItem.left, y - h / 2, m_rcItem.right, y - h / 2 + h};
    RECT down = {x - w / 2, m_rcItem.top, x - w / 2 + w, m_rcItem.bottom};
    CRenderEngine::DrawImage(hDC, image->hBitmap, across, m_rcPaint, source, none, image->bAlpha, info.uFade);
    CRenderEngine::DrawImage(hDC, image->hBitmap, down, m_rcPaint, source, none, image->bAlpha, info.uFade);
}

void CControlUI::Init() {
    if (m_bInited) return;  // a control joins a window once, however often it is re-parented
    m_bInited = true;
    DoInit();
    if (OnInit) OnInit(this);
}

}  // namespace DuiLib

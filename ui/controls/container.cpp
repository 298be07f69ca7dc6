#include "ui/controls/container.h"

#include <algorithm>

#include "ui/controls/scrollbar.h"
#include "ui/core/paint_manager.h"

namespace DuiLib {

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    RemoveAll();
    delete m_pVerticalScrollBar;
    delete m_pHorizontalScrollBar;
}

LPVOID CContainerUI::GetInterface(LPCTSTR pstrName) {
    if (_wcsicmp(pstrName, L"Container") == 0 || _wcsicmp(pstrName, L"IContainer") == 0) return this;
    return CControlUI::GetInterface(pstrName);
}

CControlUI* CContainerUI::GetItemAt(int iIndex) const {
    return iIndex >= 0 && iIndex < static_cast<int>(m_items.size()) ? m_items[iIndex] : nullptr;
}

CControlUI* CContainerUI::ChildAt(int iIndex) const {
    return iIndex >= 0 && iIndex < ChildCount() ? m_items[iIndex] : nullptr;
}

int CContainerUI::GetItemIndex(CControlUI* pControl) const {
    auto it = std::find(m_items.begin(), m_items.end(), pControl);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* pControl, int iIndex) {
    auto found = std::find(m_items.begin(), m_items.end(), pControl);
    int at = found == m_items.end() ? -1 : static_cast<int>(found - m_items.begin());
    if (at < 0 || iIndex < 0 || iIndex >= ChildCount()) return false;
    m_items.erase(m_items.begin() + at);
    m_items.insert(m_items.begin() + iIndex, pControl);
    NeedUpdate();
    return true;
}

int CContainerUI::GetCount() const { return static_cast<int>(m_items.size()); }

bool CContainerUI::Add(CControlUI* pControl) { return AddAt(pControl, GetCount()); }

bool CContainerUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!pControl || iIndex < 0 || iIndex > ChildCount()) return false;
    m_items.insert(m_items.begin() + iIndex, pControl);
    if (m_pManager)
        m_pManager->InitControls(pControl, this);
    else
        pControl->SetManager(nullptr, this, false);
    pControl->SetInternVisible(IsVisible());
    if (!IsEnabled()) pControl->SetEnabled(false);
    NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* pControl, bool bDoNotDestroy) {
    auto found = std::find(m_items.begin(), m_items.end(), pControl);
    return found != m_items.end() && CContainerUI::RemoveAt(static_cast<int>(found - m_items.begin()), bDoNotDestroy);
}

bool CContainerUI::RemoveAt(int iIndex, bool bDoNotDestroy) {
    CControlUI* control = ChildAt(iIndex);
    if (!control) return false;
    m_items.erase(m_items.begin() + iIndex);
    NeedUpdate();
    if (bDoNotDestroy || !m_bAutoDestroy) return true;
    if (m_pManager) {
        // Deleted once the event being handled is over: a handler may be running for it.
        m_pManager->ReapObjects(control);
        m_pManager->AddDelayedCleanup(control);
    } else {
        delete control;
    }
    return true;
}

void CContainerUI::RemoveAll() {
    std::vector<CControlUI*> items;
    items.swap(m_items);
    if (m_bAutoDestroy) {
        for (CControlUI* control : items) {
            if (m_pManager && m_pManager->IsDispatching()) {
                m_pManager->ReapObjects(control);
                m_pManager->AddDelayedCleanup(control);
            } else {
                delete control;
            }
        }
    }
    NeedUpdate();
}

CControlUI* CContainerUI::FindSubControl(LPCTSTR pstrSubControlName) {
    if (!pstrSubControlName || !*pstrSubControlName) return nullptr;
    return FindControl(
        [](CControlUI* control, LPVOID data) -> CControlUI* {
            return control->GetName() == static_cast<LPCTSTR>(data) ? control : nullptr;
        },
        const_cast<LPTSTR>(pstrSubControlName), UIFIND_ALL);
}

void CContainerUI::SetInset(RECT rcInset) {
    m_rcInset = rcInset;
    NeedUpdate();
}

void CContainerUI::SetChildPadding(int iPadding) {
    m_iChildPadding = iPadding;
    NeedUpdate();
}

void CContainerUI::SetMouseChildEnabled(bool bEnable) { m_bMouseChildEnabled = bEnable; }

void CContainerUI::SetVisible(bool bVisible) {
    if (m_bVisible == bVisible) return;
    CControlUI::SetVisible(bVisible);
    for (CControlUI* control : m_items) control->SetInternVisible(IsVisible());
}

void CContainerUI::SetEnabled(bool bEnable) {
    CControlUI::SetEnabled(bEnable);
    for (CControlUI* control : m_items) control->SetEnabled(bEnable);
}

void CContainerUI::SetInternVisible(bool bVisible) {
    CControlUI::SetInternVisible(bVisible);
    for (CControlUI* control : m_items) control->SetInternVisible(IsVisible());
}

void CContainerUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    for (CControlUI* control : m_items) control->SetManager(pManager, this, bInit);
    if (m_pVerticalScrollBar) m_pVerticalScrollBar->SetManager(pManager, this, bInit);
    if (m_pHorizontalScrollBar) m_pHorizontalScrollBar->SetManager(pManager, this, bInit);
    CControlUI::SetManager(pManager, pParent, bInit);
}

CControlUI* CContainerUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
    if ((uFlags & UIFIND_VISIBLE) && !IsVisible()) return nullptr;
    if ((uFlags & UIFIND_ENABLED) && !IsEnabled()) return nullptr;
    bool hitTest = (uFlags & UIFIND_HITTEST) != 0;
    if (hitTest && !PtInRect(&m_rcItem, *static_cast<LPPOINT>(pData))) return nullptr;
    if (uFlags & UIFIND_ME_FIRST) {
        CControlUI* self = (!hitTest || m_bMouseEnabled) ? Proc(this, pData) : nullptr;
        if (self) return self;
    }
    for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
        if (!bar || !bar->IsVisible()) continue;
        if (CControlUI* found = bar->FindControl(Proc, pData, uFlags)) return found;
    }
    if (!hitTest || m_bMouseChildEnabled) {
        RECT inner = GetInnerRect();
        auto visit = [&](CControlUI* child) -> CControlUI* {
            if (hitTest && !child->IsFloat() && !PtInRect(&inner, *static_cast<LPPOINT>(pData))) return nullptr;
            return child->FindControl(Proc, pData, uFlags);
        };
        if (uFlags & UIFIND_TOP_FIRST) {
            for (int i = ChildCount() - 1; i >= 0; --i)
                if (CControlUI* found = visit(m_items[i])) return found;
        } else {
            for (CControlUI* child : std::vector<CControlUI*>(m_items))
                if (CControlUI* found = visit(child)) return found;
        }
    }
    if (uFlags & UIFIND_ME_FIRST) return nullptr;
    if (hitTest && !m_bMouseEnabled) return nullptr;
    return Proc(this, pData);
}

void CContainerUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SCROLLWHEEL) {
        bool down = LOWORD(event.wParam) == SB_LINEDOWN;
        if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible() && m_pVerticalScrollBar->IsEnabled()) {
            SIZE before = GetScrollPos();
            down ? LineDown() : LineUp();
            if (GetScrollPos().cy != before.cy || !m_pParent) return;
        } else if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible()) {
            SIZE pos = GetScrollPos();
            pos.cx += down ? m_nScrollStepSize : -m_nScrollStepSize;
            SetScrollPos(pos);
            return;
        }
    }
    CControlUI::DoEvent(event);
}

RECT CContainerUI::GetInnerRect() const {
    RECT rc = m_rcItem;
    rc.left += m_rcInset.left;
    rc.top += m_rcInset.top;
    rc.right -= m_rcInset.right;
    rc.bottom -= m_rcInset.bottom;
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) rc.right -= m_pVerticalScrollBar->GetThickness();
    if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible())
        rc.bottom -= m_pHorizontalScrollBar->GetThickness();
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    return rc;
}

void CContainerUI::SetFloatPos(int iIndex) {
    CControlUI* control = ChildAt(iIndex);
    if (!control || !control->IsFloat()) return;
    SIZE xy = control->GetFixedXY();
    SIZE sz = {control->GetFixedWidth(), control->GetFixedHeight()};
    RECT rc = {m_rcItem.left + xy.cx, m_rcItem.top + xy.cy, m_rcItem.left + xy.cx + sz.cx,
               m_rcItem.top + xy.cy + sz.cy};
    control->SetPos(rc, false);
}

void CContainerUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    RECT inner = GetInnerRect();
    SIZE scroll = GetScrollPos();
    for (int i = 0; i < ChildCount(); ++i) {
        CControlUI* control = m_items[i];
        if (!control->IsVisible()) continue;
        if (control->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        RECT child = inner;
        OffsetRect(&child, -scroll.cx, -scroll.cy);
        control->SetPos(child, false);
    }
    Invalidate();
}

void CContainerUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    RECT visible;
    if (!IntersectRect(&visible, &rcPaint, &m_rcItem)) return;
    int saved = SaveDC(hDC);
    IntersectClipRect(hDC, visible.left, visible.top, visible.right, visible.bottom);
    CControlUI::DoPaint(hDC, rcPaint);
    RECT inner = GetInnerRect();
    RECT innerVisible;
    bool innerShown = IntersectRect(&innerVisible, &visible, &inner) != FALSE;
    for (CControlUI* control : std::vector<CControlUI*>(m_items)) {
        if (!control->IsVisible()) continue;
        RECT tmp;
        if (!IntersectRect(&tmp, &rcPaint, &control->GetPos())) continue;
        const RECT& clip = control->IsFloat() ? visible : innerVisible;
        if (!control->IsFloat() && !innerShown) continue;
        int childSaved = SaveDC(hDC);
        IntersectClipRect(hDC, clip.left, clip.top, clip.right, clip.bottom);
        control->DoPaint(hDC, rcPaint);
        RestoreDC(hDC, childSaved);
    }
    for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar})
        if (bar && bar->IsVisible()) bar->DoPaint(hDC, rcPaint);
    RestoreDC(hDC, saved);
}

SIZE CContainerUI::GetScrollPos() const {
    SIZE pos = {0, 0};
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) pos.cy = m_pVerticalScrollBar->GetScrollPos();
    if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible()) pos.cx = m_pHorizontalScrollBar->GetScrollPos();
    return pos;
}

SIZE CContainerUI::GetScrollRange() const {
    SIZE range = {0, 0};
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) range.cy = m_pVerticalScrollBar->GetScrollRange();
    if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible())
        range.cx = m_pHorizontalScrollBar->GetScrollRange();
    return range;
}

void CContainerUI::SetScrollPos(SIZE szPos, bool bMsg) {
    SIZE before = GetScrollPos();
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) m_pVerticalScrollBar->SetScrollPos(szPos.cy);
    if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible()) m_pHorizontalScrollBar->SetScrollPos(szPos.cx);
    SIZE after = GetScrollPos();
    if (after.cx == before.cx && after.cy == before.cy) return;
    ScrollChildren(SIZE{after.cx - before.cx, after.cy - before.cy});
    if (bMsg && m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_SCROLL, after.cx, after.cy);
}

void CContainerUI::ScrollChildren(SIZE delta) {
    // Moving every child keeps their sizes; a full layout would do the same work.
    for (CControlUI* control : m_items) {
        if (!control->IsVisible() || control->IsFloat()) continue;
        RECT rc = control->GetPos();
        OffsetRect(&rc, -delta.cx, -delta.cy);
        control->SetPos(rc, false);
    }
    Invalidate();
}

void CContainerUI::LineUp() {
    SIZE p = GetScrollPos();
    p.cy -= m_nScrollStepSize;
    SetScrollPos(p);
}
void CContainerUI::LineDown() {
    SIZE p = GetScrollPos();
    p.cy += m_nScrollStepSize;
    SetScrollPos(p);
}

void CContainerUI::PageUp() {
    SIZE p = GetScrollPos();
    RECT inner = GetInnerRect();
    p.cy -= std::max(m_nScrollStepSize, static_cast<int>(inner.bottom - inner.top) - m_nScrollStepSize);
    SetScrollPos(p);
}

void CContainerUI::PageDown() {
    SIZE p = GetScrollPos();
    RECT inner = GetInnerRect();
    p.cy += std::max(m_nScrollStepSize, static_cast<int>(inner.bottom - inner.top) - m_nScrollStepSize);
    SetScrollPos(p);
}

void CContainerUI::HomeUp() {
    SIZE p = GetScrollPos();
    p.cy = 0;
    SetScrollPos(p);
}
void CContainerUI::EndDown() {
    SIZE p = GetScrollPos();
    p.cy = GetScrollRange().cy;
    SetScrollPos(p);
}

void CContainerUI::EnableScrollBar(bool bEnableVertical, bool bEnableHorizontal) {
    auto update = [this](CScrollBarUI*& bar, bool enable, bool horizontal) {
        if (enable && !bar) {
            bar = new CScrollBarUI;
            bar->SetOwner(this);
            bar->SetHorizontal(horizontal);
            bar->SetVisible(false);
            bar->SetManager(m_pManager, this, false);
            if (m_pManager) {
                LPCTSTR defaults = m_pManager->GetDefaultAttributeList(L"ScrollBar");
                if (defaults) bar->ApplyAttributeList(defaults);
            }
        } else if (!enable && bar) {
            delete bar;
            bar = nullptr;
        }
    };
    update(m_pVerticalScrollBar, bEnableVertical, false);
    update(m_pHorizontalScrollBar, bEnableHorizontal, true);
    NeedUpdate();
}

bool CContainerUI::ProcessScrollBar(RECT rc, int cxRequired, int cyRequired) {
    bool changed = false;
    if (m_pVerticalScrollBar) {
        int view = rc.bottom - rc.top;
        bool need = cyRequired > view;
        if (need != m_pVerticalScrollBar->IsVisible()) {
            m_pVerticalScrollBar->SetVisible(need);
            changed = true;
        }
        m_pVerticalScrollBar->SetScrollRange(need ? cyRequired - view : 0);
        RECT bar = {m_rcItem.right - m_rcInset.right - m_pVerticalScrollBar->GetThickness(),
                    m_rcItem.top + m_rcInset.top, m_rcItem.right - m_rcInset.right, m_rcItem.bottom - m_rcInset.bottom};
        m_pVerticalScrollBar->SetPos(bar, false);
    }
    if (m_pHorizontalScrollBar) {
        int view = rc.right - rc.left;
        bool need = cxRequired > view;
        if (need != m_pHorizontalScrollBar->IsVisible()) {
            m_pHorizontalScrollBar->SetVisible(need);
            changed = true;
        }
        m_pHorizontalScrollBar->SetScrollRange(need ? cxRequired - view : 0);
        RECT bar = {m_rcItem.left + m_rcInset.left,
                    m_rcItem.bottom - m_rcInset.bottom - m_pHorizontalScrollBar->GetThickness(),
                    m_rcItem.right - m_rcInset.right, m_rcItem.bottom - m_rcInset.bottom};
        m_pHorizontalScrollBar->SetPos(bar, false);
    }
    return changed;
}

void CContainerUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    CDuiString name(pstrName);
    if (name == L"inset")
        SetInset(ParseRect(pstrValue));
    else if (name == L"childpadding")
        SetChildPadding(ParseInt(pstrValue));
    else if (name == L"mousechild")
        SetMouseChildEnabled(ParseBool(pstrValue));
    else if (name == L"vscrollbar")
        EnableScrollBar(ParseBool(pstrValue), m_pHorizontalScrollBar != nullptr);
    else if (name == L"hscrollbar")
        EnableScrollBar(m_pVerticalScrollBar != nullptr, ParseBool(pstrValue));
    else if (name == L"vscrollbarstyle") {
        EnableScrollBar(true, m_pHorizontalScrollBar != nullptr);
        m_pVerticalScrollBar->ApplyAttributeList(pstrValue);
    } else if (name == L"hscrollbarstyle") {
        EnableScrollBar(m_pVerticalScrollBar != nullptr, true);
        m_pHorizontalScrollBar->ApplyAttributeList(pstrValue);
    } else if (name == L"scrollstepsize")
        SetScrollStepSize(ParseInt(pstrValue));
    else
        CControlUI::SetAttribute(pstrName, pstrValue);
}

}  // namespace DuiLib

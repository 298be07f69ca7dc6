#include "ui/controls/layouts.h"

#include <algorithm>

#include "ui/controls/scrollbar.h"
#include "ui/core/paint_manager.h"

namespace DuiLib {

namespace {

// One direction's view of a layout: "main" is the stacking axis.
struct Axis {
    bool vertical;
    long Main(const SIZE& s) const { return vertical ? s.cy : s.cx; }
    long Cross(const SIZE& s) const { return vertical ? s.cx : s.cy; }
    long PadBefore(const RECT& r) const { return vertical ? r.top : r.left; }
    long PadAfter(const RECT& r) const { return vertical ? r.bottom : r.right; }
    long CrossBefore(const RECT& r) const { return vertical ? r.left : r.top; }
    long CrossAfter(const RECT& r) const { return vertical ? r.right : r.bottom; }
    int MinMain(CControlUI* c) const { return vertical ? c->GetMinHeight() : c->GetMinWidth(); }
    int MaxMain(CControlUI* c) const { return vertical ? c->GetMaxHeight() : c->GetMaxWidth(); }
    int MinCross(CControlUI* c) const { return vertical ? c->GetMinWidth() : c->GetMinHeight(); }
    int MaxCross(CControlUI* c) const { return vertical ? c->GetMaxWidth() : c->GetMaxHeight(); }
};

long Clamp(long v, int lo, int hi) { return std::max<long>(lo, std::min<long>(v, hi)); }

// Lays the children of a stacking container out inside inner; returns the
// length the content needs along the axis.
long StackChildren(CContainerUI* box, const Axis& axis, RECT inner, SIZE scroll, bool scrollsAlongAxis) {
    long mainSpace = axis.vertical ? inner.bottom - inner.top : inner.right - inner.left;
    long crossSpace = axis.vertical ? inner.right - inner.left : inner.bottom - inner.top;
    SIZE available = axis.vertical ? SIZE{crossSpace, mainSpace} : SIZE{mainSpace, crossSpace};
    int adjustables = 0, placed = 0;
    long fixed = 0;
    for (int i = 0; i < box->ChildCount(); ++i) {
        CControlUI* c = box->ChildAt(i);
        if (!c->IsVisible() || c->IsFloat()) continue;
        SIZE sz = c->EstimateSize(available);
        RECT pad = c->GetPadding();
        if (axis.Main(sz) == 0)
            ++adjustables;
        else
            fixed += Clamp(axis.Main(sz), axis.MinMain(c), axis.MaxMain(c));
        fixed += axis.PadBefore(pad) + axis.PadAfter(pad);
        ++placed;
    }
    if (placed > 1) fixed += static_cast<long>(placed - 1) * box->GetChildPadding();
    long expand = adjustables > 0 ? std::max(0L, (mainSpace - fixed) / adjustables) : 0;
    long remainder = adjustables > 0 ? std::max(0L, mainSpace - fixed - expand * adjustables) : 0;

    long cursor = (axis.vertical ? inner.top - scroll.cy : inner.left - scroll.cx);
    long crossStart = axis.vertical ? inner.left - scroll.cx : inner.top - scroll.cy;
    long needed = 0;
    int seenAdjustable = 0, seen = 0;
    for (int i = 0; i < box->ChildCount(); ++i) {
        CControlUI* c = box->ChildAt(i);
        if (!c->IsVisible() || c->IsFloat()) continue;
        SIZE sz = c->EstimateSize(available);
        RECT pad = c->GetPadding();
        long main = axis.Main(sz);
        if (main == 0) {
            main = expand + (++seenAdjustable == adjustables ? remainder : 0);
            if (scrollsAlongAxis && main < axis.MinMain(c)) main = axis.MinMain(c);
        }
        main = Clamp(main, axis.MinMain(c), axis.MaxMain(c));
        long cross = axis.Cross(sz);
        if (cross == 0) cross = crossSpace - axis.CrossBefore(pad) - axis.CrossAfter(pad);
        cross = Clamp(cross, axis.MinCross(c), axis.MaxCross(c));
        long mainPos = cursor + axis.PadBefore(pad);
        long crossPos = crossStart + axis.CrossBefore(pad);
        RECT rc = axis.vertical ? RECT{crossPos, mainPos, crossPos + cross, mainPos + main}
                                : RECT{mainPos, crossPos, mainPos + main, crossPos + cross};
        c->SetPos(rc, false);
        long step = main + axis.PadBefore(pad) + axis.PadAfter(pad) + (++seen < placed ? box->GetChildPadding() : 0);
        cursor += step;
        needed += step;
    }
    return needed;
}

}  // namespace

LPVOID CVerticalLayoutUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"VerticalLayout") == 0 ? this : CContainerUI::GetInterface(pstrName);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    for (int pass = 0; pass < 2; ++pass) {
        RECT inner = GetInnerRect();
        long needed = StackChildren(this, Axis{true}, inner, GetScrollPos(), m_pVerticalScrollBar != nullptr);
        if (!ProcessScrollBar(inner, 0, static_cast<int>(needed))) break;
    }
    for (int i = 0; i < ChildCount(); ++i)
        if (ChildAt(i)->IsVisible() && ChildAt(i)->IsFloat()) SetFloatPos(i);
    Invalidate();
}

LPVOID CHorizontalLayoutUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"HorizontalLayout") == 0 ? this : CContainerUI::GetInterface(pstrName);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    for (int pass = 0; pass < 2; ++pass) {
        RECT inner = GetInnerRect();
        long needed = StackChildren(this, Axis{false}, inner, GetScrollPos(), m_pHorizontalScrollBar != nullptr);
        if (!ProcessScrollBar(inner, static_cast<int>(needed), 0)) break;
    }
    for (int i = 0; i < ChildCount(); ++i)
        if (ChildAt(i)->IsVisible() && ChildAt(i)->IsFloat()) SetFloatPos(i);
    Invalidate();
}

LPVOID CTabLayoutUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"TabLayout") == 0 ? this : CContainerUI::GetInterface(pstrName);
}

void CTabLayoutUI::ShowSelected() {
    for (int i = 0; i < GetCount(); ++i) GetItemAt(i)->SetVisible(i == m_iCurSel);
}

bool CTabLayoutUI::Add(CControlUI* pControl) { return AddAt(pControl, GetCount()); }

bool CTabLayoutUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!CContainerUI::AddAt(pControl, iIndex)) return false;
    if (iIndex <= m_iCurSel && GetCount() > 1 && m_iCurSel + 1 < GetCount() && iIndex != GetCount() - 1) ++m_iCurSel;
    ShowSelected();
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* pControl, bool bDoNotDestroy) {
    int index = GetItemIndex(pControl);
    if (!CContainerUI::Remove(pControl, bDoNotDestroy)) return false;
    if (index < m_iCurSel) --m_iCurSel;
    m_iCurSel = std::clamp(m_iCurSel, 0, std::max(0, GetCount() - 1));
    ShowSelected();
    return true;
}

void CTabLayoutUI::RemoveAll() {
    m_iCurSel = 0;
    CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SelectItem(int iIndex) {
    if (iIndex < 0 || iIndex >= GetCount()) return false;
    if (iIndex == m_iCurSel && GetItemAt(iIndex)->IsVisible()) return true;
    m_iCurSel = iIndex;
    ShowSelected();
    NeedUpdate();
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* pControl) { return SelectItem(GetItemIndex(pControl)); }

void CTabLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    RECT inner = GetInnerRect();
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* c = GetItemAt(i);
        if (!c->IsVisible()) continue;
        if (c->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        RECT pad = c->GetPadding();
        RECT page = {inner.left + pad.left, inner.top + pad.top, inner.right - pad.right, inner.bottom - pad.bottom};
        c->SetPos(page, false);
    }
    Invalidate();
}

void CTabLayoutUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (_wcsicmp(pstrName, L"selectedid") == 0) {
        m_iCurSel = std::max(0, ParseInt(pstrValue));
        ShowSelected();
    } else {
        CContainerUI::SetAttribute(pstrName, pstrValue);
    }
}

}  // namespace DuiLib

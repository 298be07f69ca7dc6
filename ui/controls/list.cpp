#include "ui/controls/list.h"

#include <algorithm>

#include "ui/controls/scrollbar.h"
#include "ui/core/paint_manager.h"
#include "ui/render/render_engine.h"

namespace DuiLib {

bool SetListInfoAttribute(TListInfoUI& info, LPCTSTR pstrName, LPCTSTR pstrValue) {
    CDuiString name(pstrName);
    if (name == L"itemfont")
        info.nFont = ParseInt(pstrValue);
    else if (name == L"itemalign")
        info.uTextStyle = ApplyHAlign(info.uTextStyle, pstrValue);
    else if (name == L"itemvalign")
        info.uTextStyle = ApplyVAlign(info.uTextStyle, pstrValue);
    else if (name == L"itemendellipsis") {
        if (ParseBool(pstrValue))
            info.uTextStyle |= DT_END_ELLIPSIS;
        else
            info.uTextStyle &= ~DT_END_ELLIPSIS;
    } else if (name == L"itemtextpadding")
        info.rcTextPadding = ParseRect(pstrValue);
    else if (name == L"itemtextcolor")
        info.dwTextColor = ParseColor(pstrValue);
    else if (name == L"itembkcolor")
        info.dwBkColor = ParseColor(pstrValue);
    else if (name == L"itembkimage")
        info.sBkImage = pstrValue;
    else if (name == L"itemaltbk")
        info.bAlternateBk = ParseBool(pstrValue);
    else if (name == L"itemselectedtextcolor")
        info.dwSelectedTextColor = ParseColor(pstrValue);
    else if (name == L"itemselectedbkcolor")
        info.dwSelectedBkColor = ParseColor(pstrValue);
    else if (name == L"itemselectedimage")
        info.sSelectedImage = pstrValue;
    else if (name == L"itemhottextcolor")
        info.dwHotTextColor = ParseColor(pstrValue);
    else if (name == L"itemhotbkcolor")
        info.dwHotBkColor = ParseColor(pstrValue);
    else if (name == L"itemhotimage")
        info.sHotImage = pstrValue;
    else if (name == L"itemdisabledtextcolor")
        info.dwDisabledTextColor = ParseColor(pstrValue);
    else if (name == L"itemdisabledbkcolor")
        info.dwDisabledBkColor = ParseColor(pstrValue);
    else if (name == L"itemlinecolor")
        info.dwLineColor = ParseColor(pstrValue);
    else
        return false;
    return true;
}

// ---- rows -------------------------------------------------------------------

void CListElementBase::SetOwner(CControlUI* pOwner) {
    m_pOwner = pOwner ? static_cast<IListOwnerUI*>(pOwner->GetInterface(L"IListOwner")) : nullptr;
}

bool CListElementBase::Select(bool bSelect) {
    if (!m_pOwner) {
        SetSelectedState(bSelect);
        return true;
    }
    if (bSelect) return m_pOwner->SelectItem(m_iIndex);
    if (auto* list = static_cast<CListUI*>(m_pOwner->GetOwnerControl()->GetInterface(L"List")))
        return list->UnSelectItem(m_iIndex);
    return false;
}

void CListElementBase::SetSelectedState(bool bSelected) {
    if (m_bSelected == bSelected) return;
    m_bSelected = bSelected;
    GetItemControl()->Invalidate();
}

void CListElementBase::SendRowNotify(LPCTSTR type, WPARAM wParam, LPARAM lParam) {
    CControlUI* self = GetItemControl();
    CPaintManagerUI* pm = m_pOwner && m_pOwner->GetOwnerControl()->GetManager()
                              ? m_pOwner->GetOwnerControl()->GetManager()
                              : self->GetManager();
    if (pm) pm->SendNotify(self, type, wParam, lParam);
}

bool CListElementBase::DoItemEvent(TEventUI& event) {
    CControlUI* self = GetItemControl();
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
            if (!self->IsEnabled()) return true;
            if (m_pOwner)
                m_pOwner->ItemButtonDown(this, event);
            else
                SetSelectedState(true);
            SendRowNotify(DUI_MSGTYPE_ITEMCLICK);  // after the selection changed
            return true;
        case UIEVENT_DBLCLICK:
            if (self->IsEnabled()) SendRowNotify(DUI_MSGTYPE_ITEMACTIVATE);
            return true;
        case UIEVENT_RBUTTONDOWN:
            if (self->IsEnabled()) SendRowNotify(DUI_MSGTYPE_ITEMRCLICK);
            return true;
        case UIEVENT_CONTEXTMENU:
            if (m_pOwner) m_pOwner->ItemContextMenu(this, event);
            return true;
        case UIEVENT_MOUSEENTER:
            if (self->IsEnabled()) {
                m_uItemState |= UISTATE_HOT;
                self->Invalidate();
            }
            return true;
        case UIEVENT_MOUSELEAVE:
            if (m_uItemState & UISTATE_HOT) {
                m_uItemState &= ~UISTATE_HOT;
                self->Invalidate();
            }
            return true;
        case UIEVENT_KEYDOWN:
        case UIEVENT_SCROLLWHEEL:
            if (m_pOwner) m_pOwner->DoEvent(event);
            return true;
        default: return false;
    }
}

void CListElementBase::DrawItemBk(HDC hDC, const RECT& rcItem, const RECT& rcPaint) {
    if (!m_pOwner) return;
    TListInfoUI* info = m_pOwner->GetListInfo();
    CControlUI* self = GetItemControl();
    CPaintManagerUI* pm = self->GetManager();
    DWORD color = info->dwBkColor;
    const CDuiString* image = &info->sBkImage;
    if (!self->IsEnabled()) {
        color = info->dwDisabledBkColor;
    } else if (m_bSelected) {
        color = info->dwSelectedBkColor;
        image = &info->sSelectedImage;
    } else if (m_uItemState & UISTATE_HOT) {
        color = info->dwHotBkColor;
        image = &info->sHotImage;
    } else if (info->bAlternateBk && (m_iIndex % 2) == 1) {
        color = info->dwBkColor ? ((info->dwBkColor & 0x00FFFFFF) | 0x20000000) : 0x08000000;
    }
    if (color) CRenderEngine::DrawColor(hDC, rcItem, color);
    if (!image->IsEmpty()) CRenderEngine::DrawImageString(hDC, pm, rcItem, rcPaint, *image);
    if (info->dwLineColor)
        CRenderEngine::DrawColor(hDC, {rcItem.left, rcItem.bottom - 1, rcItem.right, rcItem.bottom}, info->dwLineColor);
}

DWORD CListElementBase::ItemTextColor() const {
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    CControlUI* self = const_cast<CListElementBase*>(this)->GetItemControl();
    CPaintManagerUI* pm = self->GetManager();
    if (!self->IsEnabled()) {
        if (info && info->dwDisabledTextColor) return info->dwDisabledTextColor;
        return pm ? pm->GetDefaultDisabledColor() : 0xFFA7A6AA;
    }
    if (info && m_bSelected && info->dwSelectedTextColor) return info->dwSelectedTextColor;
    if (info && (m_uItemState & UISTATE_HOT) && info->dwHotTextColor) return info->dwHotTextColor;
    if (info && info->dwTextColor) return info->dwTextColor;
    return pm ? pm->GetDefaultFontColor() : 0xFF000000;
}

LPVOID CListLabelElementUI::GetInterface(LPCTSTR pstrName) {
    if (_wcsicmp(pstrName, L"ListItem") == 0) return static_cast<IListItemUI*>(this);
    if (_wcsicmp(pstrName, L"ListLabelElement") == 0 || _wcsicmp(pstrName, L"ListElement") == 0) return this;
    return CControlUI::GetInterface(pstrName);
}

void CListLabelElementUI::SetEnabled(bool bEnable) {
    CControlUI::SetEnabled(bEnable);
    if (!IsEnabled()) m_uItemState = 0;
}

void CListLabelElementUI::SetVisible(bool bVisible) {
    CControlUI::SetVisible(bVisible);
    if (!IsVisible() && m_bSelected && m_pOwner) {
        m_bSelected = false;
        m_pOwner->SelectItem(-1);
    }
}

SIZE CListLabelElementUI::EstimateSize(SIZE szAvailable) {
    SIZE sz = m_cxyFixed;
    if (sz.cy == 0 && m_pManager) {
        int font = m_pOwner ? m_pOwner->GetListInfo()->nFont : -1;
        sz.cy = m_pManager->GetFontInfo(font)->tm.tmHeight + 8;
        if (m_pOwner)
            sz.cy += m_pOwner->GetListInfo()->rcTextPadding.top + m_pOwner->GetListInfo()->rcTextPadding.bottom;
    }
    return sz;
}

void CListLabelElementUI::DoEvent(TEventUI& event) {
    if (DoItemEvent(event)) return;
    CControlUI::DoEvent(event);
}

void CListLabelElementUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    if (!IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
    DrawItemBk(hDC, m_rcItem, m_rcPaint);
    PaintBkColor(hDC);
    PaintBkImage(hDC);
    DrawItemText(hDC, m_rcItem);
    PaintBorder(hDC);
}

void CListLabelElementUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (_wcsicmp(pstrName, L"selected") == 0) {
        if (!ParseBool(pstrValue)) return;
        if (m_pOwner)
            m_pOwner->SelectItem(m_iIndex, false, false);
        else
            m_bSelected = true;  // the owner selects it when it is added
        return;
    }
    CControlUI::SetAttribute(pstrName, pstrValue);
}

void CListLabelElementUI::DrawItemText(HDC hDC, const RECT& rcItem) {
    if (m_sText.IsEmpty() || !m_pOwner) return;
    TListInfoUI* info = m_pOwner->GetListInfo();
    RECT rc = rcItem;
    rc.left += info->rcTextPadding.left;
    rc.right -= info->rcTextPadding.right;
    rc.top += info->rcTextPadding.top;
    rc.bottom -= info->rcTextPadding.bottom;
    CRenderEngine::DrawText(hDC, m_pManager, rc, m_sText, ItemTextColor(), info->nFont, info->uTextStyle | DT_NOPREFIX);
}

LPVOID CListTextElementUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"ListTextElement") == 0 ? this : CListLabelElementUI::GetInterface(pstrName);
}

LPCTSTR CListTextElementUI::GetText(int iIndex) const {
    return iIndex >= 0 && iIndex < static_cast<int>(m_texts.size()) ? m_texts[iIndex].GetData() : L"";
}

void CListTextElementUI::SetText(int iIndex, LPCTSTR pstrText) {
    if (iIndex < 0 || iIndex >= UILIST_MAX_COLUMNS) return;
    if (iIndex >= static_cast<int>(m_texts.size())) m_texts.resize(static_cast<size_t>(iIndex) + 1);
    m_texts[iIndex] = pstrText;
    Invalidate();
}

void CListTextElementUI::DrawItemText(HDC hDC, const RECT& rcItem) {
    if (!m_pOwner) return;
    TListInfoUI* info = m_pOwner->GetListInfo();
    DWORD color = ItemTextColor();
    IListCallbackUI* callback = nullptr;
    if (auto* list = static_cast<CListUI*>(m_pOwner->GetOwnerControl()->GetInterface(L"List")))
        callback = list->GetTextCallback();
    int columns = info->nColumns > 0 ? info->nColumns : 1;
    for (int i = 0; i < columns; ++i) {
        RECT rc = {info->nColumns > 0 ? info->rcColumn[i].left : rcItem.left, rcItem.top,
                   info->nColumns > 0 ? info->rcColumn[i].right : rcItem.right, rcItem.bottom};
        rc.left += info->rcTextPadding.left;
        rc.right -= info->rcTextPadding.right;
        rc.top += info->rcTextPadding.top;
        rc.bottom -= info->rcTextPadding.bottom;
        LPCTSTR text = callback ? callback->GetItemText(m_pOwner->GetOwnerControl(), m_iIndex, i) : GetText(i);
        if (text && *text)
            CRenderEngine::DrawText(hDC, m_pManager, rc, text, color, info->nFont, info->uTextStyle | DT_NOPREFIX);
    }
}

LPVOID CListContainerElementUI::GetInterface(LPCTSTR pstrName) {
    if (_wcsicmp(pstrName, L"ListItem") == 0) return static_cast<IListItemUI*>(this);
    if (_wcsicmp(pstrName, L"ListContainerElement") == 0) return this;
    return CHorizontalLayoutUI::GetInterface(pstrName);
}

void CListContainerElementUI::DoEvent(TEventUI& event) {
    if (DoItemEvent(event)) return;
    CHorizontalLayoutUI::DoEvent(event);
}

void CListContainerElementUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    RECT visible;
    if (!IntersectRect(&visible, &rcPaint, &m_rcItem)) return;
    DrawItemBk(hDC, m_rcItem, visible);
    CHorizontalLayoutUI::DoPaint(hDC, rcPaint);
}

void CListContainerElementUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (_wcsicmp(pstrName, L"selected") == 0) {
        if (ParseBool(pstrValue)) {
            if (m_pOwner)
                m_pOwner->SelectItem(m_iIndex, false, false);
            else
                m_bSelected = true;
        }
        return;
    }
    CHorizontalLayoutUI::SetAttribute(pstrName, pstrValue);
}

SIZE CListContainerElementUI::EstimateSize(SIZE szAvailable) {
    SIZE sz = m_cxyFixed;
    if (sz.cy == 0 && m_pManager) sz.cy = m_pManager->GetDefaultFontInfo()->tm.tmHeight + 8;
    return sz;
}

// ---- header -----------------------------------------------------------------

CListHeaderItemUI::CListHeaderItemUI() { m_uTextStyle = DT_VCENTER | DT_CENTER | DT_SINGLELINE; }

LPVOID CListHeaderItemUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"ListHeaderItem") == 0 ? this : CButtonUI::GetInterface(pstrName);
}

bool CListHeaderItemUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (m_pManager) m_pManager->SendNotify(this, L"headerclick");
    return true;
}

LPVOID CListHeaderUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"ListHeader") == 0 ? this : CHorizontalLayoutUI::GetInterface(pstrName);
}

SIZE CListHeaderUI::EstimateSize(SIZE szAvailable) {
    SIZE sz = m_cxyFixed;
    if (sz.cy == 0 && m_pManager) sz.cy = m_pManager->GetDefaultFontInfo()->tm.tmHeight + 10;
    return sz;
}

// ---- body -------------------------------------------------------------------

void CListBodyUI::SetScrollPos(SIZE szPos, bool bMsg) {
    SIZE before = GetScrollPos();
    CVerticalLayoutUI::SetScrollPos(szPos, false);
    SIZE after = GetScrollPos();
    if (bMsg && m_pManager && (after.cx != before.cx || after.cy != before.cy))
        m_pManager->SendNotify(m_pOwner, DUI_MSGTYPE_SCROLL, after.cx, after.cy);
}

void CListBodyUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SCROLLWHEEL) {
        CVerticalLayoutUI::DoEvent(event);
        return;
    }
    if (m_pOwner)
        m_pOwner->DoEvent(event);
    else
        CVerticalLayoutUI::DoEvent(event);
}

// ---- list -------------------------------------------------------------------

CListUI::CListUI() {
    m_pHeader = new CListHeaderUI;
    m_pList = new CListBodyUI(this);
    m_pList->EnableScrollBar(true, false);
    // Qualified calls: the virtual Add would route these into the body.
    CVerticalLayoutUI::AddAt(m_pHeader, 0);
    CVerticalLayoutUI::AddAt(m_pList, 1);
}

LPVOID CListUI::GetInterface(LPCTSTR pstrName) {
    if (_wcsicmp(pstrName, L"List") == 0) return this;
    if (_wcsicmp(pstrName, L"IListOwner") == 0) return static_cast<IListOwnerUI*>(this);
    return CVerticalLayoutUI::GetInterface(pstrName);
}

CControlUI* CListUI::GetItemAt(int iIndex) const { return m_pList->GetItemAt(iIndex); }
int CListUI::GetItemIndex(CControlUI* pControl) const { return m_pList->GetItemIndex(pControl); }
int CListUI::GetCount() const { return m_pList->GetCount(); }

bool CListUI::SetItemIndex(CControlUI* pControl, int iIndex) {
    if (!m_pList->SetItemIndex(pControl, iIndex)) return false;
    ReindexFrom(0);
    return true;
}

void CListUI::ReindexFrom(int iIndex) {
    for (int i = std::max(0, iIndex); i < m_pList->GetCount(); ++i) {
        auto* item = static_cast<IListItemUI*>(m_pList->GetItemAt(i)->GetInterface(L"ListItem"));
        if (item) item->SetIndex(i);
    }
}

bool CListUI::Add(CControlUI* pControl) {
    if (!pControl) return false;
    if (auto* header = static_cast<CListHeaderUI*>(pControl->GetInterface(L"ListHeader"))) {
        if (header != m_pHeader) {
            int at = CVerticalLayoutUI::GetItemIndex(m_pHeader);
            CVerticalLayoutUI::RemoveAt(at);
            m_pHeader = header;
            CVerticalLayoutUI::AddAt(header, 0);
        }
        return true;
    }
    return AddAt(pControl, m_pList->GetCount());
}

bool CListUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!pControl) return false;
    if (pControl->GetInterface(L"ListHeader")) return Add(pControl);
    auto* item = static_cast<IListItemUI*>(pControl->GetInterface(L"ListItem"));
    if (item) item->SetOwner(this);
    if (!m_pList->AddAt(pControl, iIndex)) return false;
    for (int& row : m_selected)
        if (row >= iIndex) ++row;
    if (m_iAnchor >= iIndex) ++m_iAnchor;
    ReindexFrom(iIndex);
    if (item && item->IsSelected() && !IsItemSelected(iIndex)) {  // selected="true" in the layout
        std::vector<int> rows = m_bMultiSel ? m_selected : std::vector<int>{};
        rows.push_back(iIndex);
        SetSelection(rows, false);
    }
    return true;
}

bool CListUI::Remove(CControlUI* pControl, bool bDoNotDestroy) {
    int at = m_pList->GetItemIndex(pControl);
    return at >= 0 && RemoveAt(at, bDoNotDestroy);
}

bool CListUI::RemoveAt(int iIndex, bool bDoNotDestroy) {
    if (!m_pList->RemoveAt(iIndex, bDoNotDestroy)) return false;
    std::vector<int> kept;
    for (int row : m_selected) {
        if (row == iIndex) continue;
        kept.push_back(row > iIndex ? row - 1 : row);
    }
    m_selected = kept;
    if (m_iAnchor == iIndex)
        m_iAnchor = -1;
    else if (m_iAnchor > iIndex)
        --m_iAnchor;
    ReindexFrom(iIndex);
    return true;
}

void CListUI::RemoveAll() {
    m_selected.clear();
    m_iAnchor = -1;
    m_pList->RemoveAll();
}

int CListUI::GetCurSel() const { return m_selected.empty() ? -1 : m_selected.front(); }

bool CListUI::IsItemSelected(int iIndex) const {
    return std::binary_search(m_selected.begin(), m_selected.end(), iIndex);
}

void CListUI::SetSelection(const std::vector<int>& rows, bool bTriggerEvent) {
    int oldCur = GetCurSel();
    std::vector<int> wanted;
    for (int row : rows)
        if (row >= 0 && row < GetCount()) wanted.push_back(row);
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    bool changed = wanted != m_selected;
    m_selected = wanted;
    for (int i = 0; i < GetCount(); ++i) {
        auto* item = static_cast<IListItemUI*>(GetItemAt(i)->GetInterface(L"ListItem"));
        if (item) item->SetSelectedState(IsItemSelected(i));
    }
    if (changed && bTriggerEvent && m_pManager)
        m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMSELECT, static_cast<WPARAM>(GetCurSel()),
                               static_cast<LPARAM>(oldCur));
}

bool CListUI::SelectItem(int iIndex, bool bTakeFocus, bool bTriggerEvent) {
    if (bTakeFocus) SetFocus();
    if (iIndex < 0) {
        SetSelection({}, bTriggerEvent);
        return true;
    }
    CControlUI* control = GetItemAt(iIndex);
    if (!control || !control->IsVisible() || !control->IsEnabled()) return false;
    m_iAnchor = iIndex;
    SetSelection({iIndex}, bTriggerEvent);
    EnsureVisible(iIndex);
    return true;
}

void CListUI::SetMultiSelect(bool bMultiSel) {
    m_bMultiSel = bMultiSel;
    if (!bMultiSel && m_selected.size() > 1) SetSelection({m_selected.front()}, true);
}

bool CListUI::SelectMultiItem(int iIndex, bool bTakeFocus) {
    if (!m_bMultiSel) return SelectItem(iIndex, bTakeFocus);
    if (bTakeFocus) SetFocus();
    CControlUI* control = GetItemAt(iIndex);
    if (!control || !control->IsEnabled()) return false;
    std::vector<int> rows = m_selected;
    rows.push_back(iIndex);
    SetSelection(rows, true);
    return true;
}

bool CListUI::UnSelectItem(int iIndex, bool bOthers) {
    if (bOthers) {
        SetSelection(IsItemSelected(iIndex) ? std::vector<int>{iIndex} : std::vector<int>{}, true);
        return true;
    }
    if (!IsItemSelected(iIndex)) return false;
    std::vector<int> rows;
    for (int row : m_selected)
        if (row != iIndex) rows.push_back(row);
    SetSelection(rows, true);
    return true;
}

void CListUI::SelectAllItems() {
    std::vector<int> rows;
    for (int i = 0; i < GetCount(); ++i)
        if (GetItemAt(i)->IsEnabled()) rows.push_back(i);
    if (!m_bMultiSel && rows.size() > 1) rows.resize(1);
    SetSelection(rows, true);
}

void CListUI::UnSelectAllItems() { SetSelection({}, true); }

int CListUI::GetNextSelItem(int nItem) const {
    auto it = std::upper_bound(m_selected.begin(), m_selected.end(), nItem);
    return it == m_selected.end() ? -1 : *it;
}

void CListUI::EnsureVisible(int iIndex) {
    CControlUI* control = GetItemAt(iIndex);
    if (!control || !m_pList->GetVerticalScrollBar() || !m_pList->GetVerticalScrollBar()->IsVisible()) return;
    RECT view = m_pList->GetPos();
    RECT rc = control->GetPos();
    SIZE pos = m_pList->GetScrollPos();
    if (rc.top < view.top)
        pos.cy -= view.top - rc.top;
    else if (rc.bottom > view.bottom)
        pos.cy += rc.bottom - view.bottom;
    else
        return;
    m_pList->SetScrollPos(pos);
}

void CListUI::ItemButtonDown(IListItemUI* pItem, const TEventUI& event) {
    int index = pItem->GetIndex();
    SetFocus();
    if (m_bMultiSel && (event.wKeyState & MK_CONTROL)) {
        IsItemSelected(index) ? UnSelectItem(index) : SelectMultiItem(index);
        m_iAnchor = index;
        return;
    }
    if (m_bMultiSel && (event.wKeyState & MK_SHIFT) && m_iAnchor >= 0) {
        std::vector<int> rows;
        for (int i = std::min(m_iAnchor, index); i <= std::max(m_iAnchor, index); ++i) rows.push_back(i);
        SetSelection(rows, true);
        return;
    }
    SelectItem(index);
}

void CListUI::ItemContextMenu(IListItemUI* pItem, const TEventUI& event) {
    if (!m_pManager) return;
    TNotifyUI msg;
    msg.sType = DUI_MSGTYPE_MENU;
    msg.pSender = this;
    msg.wParam = pItem ? static_cast<WPARAM>(pItem->GetIndex()) : static_cast<WPARAM>(-1);
    msg.lParam = pItem ? reinterpret_cast<LPARAM>(pItem->GetItemControl()) : 0;
    m_pManager->SendNotify(msg);
}

SIZE CListUI::GetScrollPos() const { return m_pList->GetScrollPos(); }
SIZE CListUI::GetScrollRange() const { return m_pList->GetScrollRange(); }
void CListUI::SetScrollPos(SIZE szPos, bool bMsg) { m_pList->SetScrollPos(szPos, bMsg); }

void CListUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CVerticalLayoutUI::SetPos(rc, bNeedInvalidate);
    UpdateColumns();
}

void CListUI::UpdateColumns() {
    m_ListInfo.nColumns = std::min(m_pHeader->GetCount(), UILIST_MAX_COLUMNS);
    if (m_pHeader->IsVisible()) {
        for (int i = 0; i < m_ListInfo.nColumns; ++i) m_ListInfo.rcColumn[i] = m_pHeader->GetItemAt(i)->GetPos();
        return;
    }
    // A hidden header still gives the columns: lay them out along the body's width.
    RECT body = m_pList->GetPos();
    long x = body.left;
    for (int i = 0; i < m_ListInfo.nColumns; ++i) {
        CControlUI* column = m_pHeader->GetItemAt(i);
        long w = column->GetFixedWidth();
        if (w == 0) w = std::max(0L, body.right - x);
        m_ListInfo.rcColumn[i] = {x, body.top, x + w, body.bottom};
        x += w;
    }
}

void CListUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_KEYDOWN: {
            int cur = m_iAnchor >= 0 ? m_iAnchor : GetCurSel();
            if (event.chKey == VK_UP && cur > 0)
                SelectItem(cur - 1);
            else if (event.chKey == VK_DOWN && cur + 1 < GetCount())
                SelectItem(cur + 1);
            else if (event.chKey == VK_HOME && GetCount() > 0)
                SelectItem(0);
            else if (event.chKey == VK_END && GetCount() > 0)
                SelectItem(GetCount() - 1);
            else if (event.chKey == 'A' && (event.wKeyState & MK_CONTROL) && m_bMultiSel)
                SelectAllItems();
            return;
        }
        case UIEVENT_SCROLLWHEEL: m_pList->DoEvent(event); return;
        case UIEVENT_CONTEXTMENU: ItemContextMenu(nullptr, event); return;
        default: CVerticalLayoutUI::DoEvent(event);
    }
}

void CListUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    CDuiString name(pstrName);
    if (SetListInfoAttribute(m_ListInfo, pstrName, pstrValue))
        Invalidate();
    else if (name == L"header")
        m_pHeader->SetVisible(_wcsicmp(pstrValue, L"hidden") != 0 && _wcsicmp(pstrValue, L"false") != 0);
    else if (name == L"headerbkimage")
        m_pHeader->SetBkImage(pstrValue);
    else if (name == L"multiselect")
        SetMultiSelect(ParseBool(pstrValue));
    else if (name == L"vscrollbar" || name == L"hscrollbar" || name == L"vscrollbarstyle" ||
             name == L"hscrollbarstyle" || name == L"scrollstepsize")
        m_pList->SetAttribute(pstrName, pstrValue);
    else
        CVerticalLayoutUI::SetAttribute(pstrName, pstrValue);
}

}  // namespace DuiLib

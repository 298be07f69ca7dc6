#include "ui/controls/combo.h"

#include <algorithm>

#include "ui/controls/scrollbar.h"
#include "ui/core/paint_manager.h"
#include "ui/core/window_wnd.h"
#include "ui/render/render_engine.h"

namespace DuiLib {

// The drop-down: a pop-up window of its own that shows the combo's rows for
// as long as it is open (the rows stay owned by the combo).
class CComboWnd : public CWindowWnd, public INotifyUI {
public:
    explicit CComboWnd(CComboUI* owner) : m_pOwner(owner) {}

    bool Open() {
        HWND parent = m_pOwner->GetManager()->GetPaintWindow();
        RECT rc = PlaceBelowOwner();
        return Create(parent, nullptr, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, rc) != nullptr;
    }

    void Notify(TNotifyUI&) override {}

protected:
    LPCTSTR GetWindowClassName() const override { return L"ComboWnd"; }
    UINT GetClassStyle() const override { return CS_DBLCLKS | CS_DROPSHADOW; }

    RECT PlaceBelowOwner() {
        RECT item = m_pOwner->GetPos();
        SIZE box = m_pOwner->GetDropBoxSize();
        int width = box.cx > 0 ? box.cx : item.right - item.left;
        int height = 2;
        CPaintManagerUI* pm = m_pOwner->GetManager();
        for (int i = 0; i < m_pOwner->GetCount(); ++i) {
            CControlUI* row = m_pOwner->GetItemAt(i);
            if (!row->IsVisible()) continue;
            SIZE sz = row->EstimateSize(SIZE{width, box.cy});
            height += sz.cy > 0 ? sz.cy : pm->GetDefaultFontInfo()->tm.tmHeight + 8;
        }
        height = std::min<int>(height, box.cy > 0 ? box.cy : 150);
        POINT topLeft = {item.left, item.bottom};
        ClientToScreen(pm->GetPaintWindow(), &topLeft);
        MONITORINFO mi = {sizeof(mi)};
        GetMonitorInfoW(MonitorFromPoint(topLeft, MONITOR_DEFAULTTONEAREST), &mi);
        RECT rc = {topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height};
        if (rc.bottom > mi.rcWork.bottom) {  // no room below: open upwards
            POINT top = {item.left, item.top};
            ClientToScreen(pm->GetPaintWindow(), &top);
            rc = {top.x, top.y - height, top.x + width, top.y};
        }
        if (rc.right > mi.rcWork.right) OffsetRect(&rc, mi.rcWork.right - rc.right, 0);
        if (rc.left < mi.rcWork.left) OffsetRect(&rc, mi.rcWork.left - rc.left, 0);
        return rc;
    }

    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
        switch (uMsg) {
            case WM_CREATE: {
                m_pm.Init(m_hWnd);
                m_pm.SetResourceParent(m_pOwner->GetManager());
                m_pLayout = new CVerticalLayoutUI;
                m_pLayout->SetManager(&m_pm, nullptr, false);
                m_pLayout->SetBkColor(0xFFFFFFFF);
                m_pLayout->SetBorderColor(0xFFC6C6C6);
                m_pLayout->SetBorderSize(1);
                m_pLayout->SetInset({1, 1, 1, 1});
                m_pLayout->EnableScrollBar(true, false);
                m_pLayout->ApplyAttributeList(m_pOwner->GetDropBoxAttributeList());
                m_pLayout->SetAutoDestroy(false);
                for (int i = 0; i < m_pOwner->GetCount(); ++i) m_pLayout->Add(m_pOwner->GetItemAt(i));
                m_pm.AttachDialog(m_pLayout);
                m_pm.AddNotifier(this);
                ::ShowWindow(m_hWnd, SW_SHOW);
                SetForegroundWindow(m_hWnd);
                ::SetFocus(m_hWnd);
                return 0;
            }
            case WM_KILLFOCUS:
                if (reinterpret_cast<HWND>(wParam) != m_hWnd) Close();
                break;
            case WM_ACTIVATE:
                if (LOWORD(wParam) == WA_INACTIVE) Close();
                break;
            case WM_KEYDOWN:
                if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
                    Close();
                    return 0;
                }
                if (wParam == VK_UP || wParam == VK_DOWN) {
                    TEventUI event;
                    event.Type = UIEVENT_KEYDOWN;
                    event.chKey = static_cast<TCHAR>(wParam);
                    m_pOwner->DoEvent(event);
                    return 0;
                }
                break;
            case WM_MOUSEWHEEL: {
                LRESULT lRes = 0;
                if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
                break;
            }
            case WM_DESTROY: ReturnRows(); break;
            default: break;
        }
        LRESULT lRes = 0;
        if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
        return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    }

    void OnFinalMessage(HWND) override {
        if (m_pOwner->m_pWindow == this) m_pOwner->m_pWindow = nullptr;
        m_pOwner->Invalidate();
        delete this;
    }

private:
    // Gives the rows back to the combo before the drop-down's tree goes.
    void ReturnRows() {
        if (!m_pLayout) return;
        m_pLayout->RemoveAll();  // auto-destroy is off: the rows survive
        for (int i = 0; i < m_pOwner->GetCount(); ++i)
            m_pOwner->GetItemAt(i)->SetManager(m_pOwner->GetManager(), m_pOwner, false);
        m_pLayout = nullptr;
    }

    CComboUI* m_pOwner;
    CPaintManagerUI m_pm;
    CVerticalLayoutUI* m_pLayout = nullptr;
};

CComboUI::CComboUI() {
    m_ListInfo.rcTextPadding = {4, 0, 4, 0};
    m_ListInfo.dwHotBkColor = 0xFFE9F5FF;
    m_ListInfo.dwSelectedBkColor = 0xFFCDE8FF;
}

CComboUI::~CComboUI() { CloseDropDown(); }

LPVOID CComboUI::GetInterface(LPCTSTR pstrName) {
    if (_wcsicmp(pstrName, L"Combo") == 0) return this;
    if (_wcsicmp(pstrName, L"IListOwner") == 0) return static_cast<IListOwnerUI*>(this);
    return CContainerUI::GetInterface(pstrName);
}

UINT CComboUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_TABSTOP : 0; }

CDuiString CComboUI::GetText() const {
    CControlUI* row = GetItemAt(m_iCurSel);
    return row ? row->GetText() : CDuiString();
}

void CComboUI::SetEnabled(bool bEnable) {
    CContainerUI::SetEnabled(bEnable);
    if (!IsEnabled()) m_uButtonState = 0;
}

bool CComboUI::Activate() {
    if (!CControlUI::Activate() || m_pWindow || !m_pManager) return false;
    m_pWindow = new CComboWnd(this);
    if (!m_pWindow->Open()) {
        delete m_pWindow;
        m_pWindow = nullptr;
        return false;
    }
    m_pManager->SendNotify(this, DUI_MSGTYPE_DROPDOWN);
    Invalidate();
    return true;
}

void CComboUI::CloseDropDown() {
    if (!m_pWindow) return;
    CComboWnd* window = m_pWindow;
    m_pWindow = nullptr;
    if (window->GetHWND())
        DestroyWindow(window->GetHWND());  // its final message deletes it
    else
        delete window;
}

void CComboUI::ReindexFrom(int iIndex) {
    for (int i = std::max(0, iIndex); i < GetCount(); ++i) {
        auto* item = static_cast<IListItemUI*>(GetItemAt(i)->GetInterface(L"ListItem"));
        if (item) item->SetIndex(i);
    }
}

bool CComboUI::Add(CControlUI* pControl) { return AddAt(pControl, GetCount()); }

bool CComboUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!pControl) return false;
    auto* item = static_cast<IListItemUI*>(pControl->GetInterface(L"ListItem"));
    if (item) item->SetOwner(this);
    if (!CContainerUI::AddAt(pControl, iIndex)) return false;
    if (m_iCurSel >= iIndex) ++m_iCurSel;
    ReindexFrom(iIndex);
    if (m_pWindow) CloseDropDown();
    if (item && item->IsSelected()) {  // selected="true" in the layout
        item->SetSelectedState(false);
        SelectItem(iIndex, false, false);
    }
    return true;
}

bool CComboUI::Remove(CControlUI* pControl, bool bDoNotDestroy) {
    int at = GetItemIndex(pControl);
    return at >= 0 && RemoveAt(at, bDoNotDestroy);
}

bool CComboUI::RemoveAt(int iIndex, bool bDoNotDestroy) {
    if (m_pWindow) CloseDropDown();
    if (!CContainerUI::RemoveAt(iIndex, bDoNotDestroy)) return false;
    if (m_iCurSel == iIndex)
        m_iCurSel = -1;
    else if (m_iCurSel > iIndex)
        --m_iCurSel;
    ReindexFrom(iIndex);
    Invalidate();
    return true;
}

void CComboUI::RemoveAll() {
    if (m_pWindow) CloseDropDown();
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
    Invalidate();
}

bool CComboUI::SelectItem(int iIndex, bool bTakeFocus, bool bTriggerEvent) {
    if (bTakeFocus) SetFocus();
    if (iIndex == m_iCurSel) return true;
    int old = m_iCurSel;
    if (iIndex >= 0) {
        CControlUI* row = GetItemAt(iIndex);
        // The rows of a disabled combo are disabled with it; code may still
        // choose one then. In an enabled combo a disabled row is refused.
        if (!row || !row->IsVisible() || (IsEnabled() && !row->IsEnabled())) return false;
    }
    if (auto* prev = GetItemAt(old)) {
        if (auto* item = static_cast<IListItemUI*>(prev->GetInterface(L"ListItem"))) item->SetSelectedState(false);
    }
    m_iCurSel = iIndex < 0 ? -1 : iIndex;
    if (auto* now = GetItemAt(m_iCurSel)) {
        if (auto* item = static_cast<IListItemUI*>(now->GetInterface(L"ListItem"))) item->SetSelectedState(true);
    }
    Invalidate();
    if (bTriggerEvent && m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMSELECT, m_iCurSel, old);
    return true;
}

void CComboUI::ItemButtonDown(IListItemUI* pItem, const TEventUI&) {
    SelectItem(pItem->GetIndex());
    if (m_pWindow) m_pWindow->Close();  // posted: the row's "itemclick" comes first
}

void CComboUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);  // the rows live in the drop-down
}

void CComboUI::DoEvent(TEventUI& event) {
    if (ForwardMouseWhenDisabled(event)) return;
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
            if (IsEnabled()) {
                Activate();
                m_uButtonState |= UISTATE_PUSHED;
                Invalidate();
            }
            return;
        case UIEVENT_BUTTONUP:
            m_uButtonState &= ~UISTATE_PUSHED;
            Invalidate();
            return;
        case UIEVENT_KEYDOWN:
            if (event.chKey == VK_UP && m_iCurSel > 0)
                SelectItem(m_iCurSel - 1);
            else if (event.chKey == VK_DOWN && m_iCurSel + 1 < GetCount())
                SelectItem(m_iCurSel + 1);
            else if (event.chKey == VK_F4 || event.chKey == VK_SPACE)
                Activate();
            return;
        case UIEVENT_MOUSEENTER:
            m_uButtonState |= UISTATE_HOT;
            Invalidate();
            return;
        case UIEVENT_MOUSELEAVE:
            m_uButtonState &= ~UISTATE_HOT;
            Invalidate();
            return;
        default:  // the wheel too: it scrolls the page around a closed combo, never its value
            CControlUI::DoEvent(event);
    }
}

CControlUI* CComboUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
    // The rows are not on the combo: a point never finds them here.
    if (uFlags & UIFIND_HITTEST) return CControlUI::FindControl(Proc, pData, uFlags);
    return CContainerUI::FindControl(Proc, pData, uFlags);
}

void CComboUI::DoPaint(HDC hDC, const RECT& rcPaint) { CControlUI::DoPaint(hDC, rcPaint); }

void CComboUI::PaintStatusImage(HDC hDC) {
    const CDuiString* image = &m_sNormalImage;
    if (!IsEnabled())
        image = &m_sDisabledImage;
    else if ((m_uButtonState & UISTATE_PUSHED) || m_pWindow)
        image = &m_sPushedImage;
    else if (m_uButtonState & UISTATE_HOT)
        image = &m_sHotImage;
    else if (m_bFocused)
        image = &m_sFocusedImage;
    if (!image->IsEmpty() && DrawImage(hDC, *image)) return;
    if (!m_sNormalImage.IsEmpty() && DrawImage(hDC, m_sNormalImage)) return;
    // No images: a plain box with a small arrow.
    if (m_dwBackColor == 0) CRenderEngine::DrawColor(hDC, m_rcItem, 0xFFFFFFFF);
    if (m_nBorderSize == 0) {
        DWORD border = (m_uButtonState & UISTATE_HOT) || m_pWindow ? 0xFF4EA4FD : 0xFFC6C6C6;
        CRenderEngine::DrawRect(hDC, m_rcItem, 1, border);
    }
    int cx = m_rcItem.right - 11, cy = (m_rcItem.top + m_rcItem.bottom) / 2 - 1;
    DWORD arrow = IsEnabled() ? 0xFF666666 : 0xFFB0B0B0;
    for (int i = 0; i < 4; ++i) CRenderEngine::DrawColor(hDC, {cx - 3 + i, cy + i, cx + 4 - i, cy + i + 1}, arrow);
}

void CComboUI::PaintText(HDC hDC) {
    CControlUI* row = GetItemAt(m_iCurSel);
    if (!row || !m_pManager) return;
    RECT rc = m_rcItem;
    rc.left += m_rcTextPadding.left;
    rc.right -= m_rcTextPadding.right;
    rc.top += m_rcTextPadding.top;
    rc.bottom -= m_rcTextPadding.bottom;
    DWORD color = !IsEnabled() ? (m_dwDisabledTextColor ? m_dwDisabledTextColor : m_pManager->GetDefaultDisabledColor())
                  : m_dwTextColor          ? m_dwTextColor
                  : m_ListInfo.dwTextColor ? m_ListInfo.dwTextColor
                                           : m_pManager->GetDefaultFontColor();
    int font = m_iFont >= 0 ? m_iFont : m_ListInfo.nFont;
    UINT style = (m_ListInfo.uTextStyle & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    CRenderEngine::DrawText(hDC, m_pManager, rc, row->GetText(), color, font, style);
}

void CComboUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    CDuiString name(pstrName);
    if (SetListInfoAttribute(m_ListInfo, pstrName, pstrValue)) return;
    if (name == L"textpadding")
        SetTextPadding(ParseRect(pstrValue));
    else if (name == L"normalimage")
        m_sNormalImage = pstrValue;
    else if (name == L"hotimage")
        m_sHotImage = pstrValue;
    else if (name == L"pushedimage")
        m_sPushedImage = pstrValue;
    else if (name == L"focusedimage")
        m_sFocusedImage = pstrValue;
    else if (name == L"disabledimage")
        m_sDisabledImage = pstrValue;
    else if (name == L"dropboxsize")
        m_szDropBox = ParseSize(pstrValue);
    else if (name == L"dropbox")
        m_sDropBoxAttributes = pstrValue;
    else if (name == L"font")
        m_iFont = ParseInt(pstrValue);
    else if (name == L"textcolor")
        m_dwTextColor = ParseColor(pstrValue);
    else if (name == L"disabledtextcolor")
        m_dwDisabledTextColor = ParseColor(pstrValue);
    else if (name == L"align")
        m_ListInfo.uTextStyle = ApplyHAlign(m_ListInfo.uTextStyle, pstrValue);
    else
        CContainerUI::SetAttribute(pstrName, pstrValue);
}

}  // namespace DuiLib

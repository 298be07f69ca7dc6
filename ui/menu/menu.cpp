#include "ui/menu/menu.h"

#include <algorithm>
#include <atomic>

#include "common/logger.h"
#include "common/posted_records.h"
#include "common/text_convert.h"
#include "ui/controls/scrollbar.h"
#include "ui/render/render_engine.h"

namespace DuiLib {

namespace {
std::atomic<int> g_pendingCommands{0};
}

void CPaintManagerUI::DeleteMenuCmd(MenuCmd* pCmd) {
    if (!pCmd) return;
    ForgetPostedRecord(pCmd);
    delete pCmd->element;
    delete pCmd;
    --g_pendingCommands;
}

int CMenuWnd::PendingCommandCount() { return g_pendingCommands.load(); }

// ---- CMenuUI ----------------------------------------------------------------

CMenuUI::CMenuUI() {
    GetHeader()->SetVisible(false);
    m_ListInfo.dwHotBkColor = 0xFFE9F5FF;
    m_ListInfo.dwSelectedBkColor = 0;  // a menu shows the hot row, not a selection
}

LPVOID CMenuUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"Menu") == 0 ? this : CListUI::GetInterface(pstrName);
}

SIZE CMenuUI::ContentSize() {
    SIZE avail = {9999, 9999};
    long width = 0, height = 0;
    int shown = 0;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* item = GetItemAt(i);
        if (!item->IsVisible()) continue;
        SIZE sz = item->EstimateSize(avail);
        RECT pad = item->GetPadding();
        width = std::max(width, sz.cx + pad.left + pad.right);
        height += sz.cy + pad.top + pad.bottom;
        ++shown;
    }
    if (shown > 1) height += static_cast<long>(shown - 1) * GetList()->GetChildPadding();
    RECT inset = GetInset(), bodyInset = GetList()->GetInset();
    width += inset.left + inset.right + bodyInset.left + bodyInset.right;
    height += inset.top + inset.bottom + bodyInset.top + bodyInset.bottom;
    return SIZE{std::max(width, 60L), height};
}

// ---- CMenuElementUI ---------------------------------------------------------

CMenuElementUI::CMenuElementUI() { m_bMouseChildEnabled = true; }

LPVOID CMenuElementUI::GetInterface(LPCTSTR pstrName) {
    return _wcsicmp(pstrName, L"MenuElement") == 0 ? this : CListContainerElementUI::GetInterface(pstrName);
}

SIZE CMenuElementUI::EstimateSize(SIZE szAvailable) {
    SIZE sz = m_cxyFixed;
    if (!m_pManager) return sz;
    if (sz.cy == 0) sz.cy = m_bLine ? 7 : m_pManager->GetFontInfo(m_iFont)->tm.tmHeight + 10;
    if (sz.cx == 0) {
        SIZE text = CRenderEngine::GetTextSize(m_pManager->GetPaintDC(), m_pManager, m_sText, m_iFont, DT_SINGLELINE);
        sz.cx = m_bLine ? 0 : text.cx + m_rcTextPadding.left + m_rcTextPadding.right;
        for (int i = 0; i < GetCount(); ++i) {
            SIZE child = GetItemAt(i)->EstimateSize(szAvailable);
            sz.cx = std::max(sz.cx, child.cx);
        }
    }
    return sz;
}

void CMenuElementUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    RECT visible;
    if (!IntersectRect(&visible, &rcPaint, &m_rcItem)) return;
    if (m_bLine) {
        int y = (m_rcItem.top + m_rcItem.bottom) / 2;
        CRenderEngine::DrawColor(hDC, {m_rcItem.left + 4, y, m_rcItem.right - 4, y + 1}, m_dwLineColor);
        return;
    }
    CListContainerElementUI::DoPaint(hDC, rcPaint);
    if (m_sText.IsEmpty()) return;
    DWORD color = m_dwTextColor && IsEnabled() ? m_dwTextColor : ItemTextColor();
    RECT rc = {m_rcItem.left + m_rcTextPadding.left, m_rcItem.top + m_rcTextPadding.top,
               m_rcItem.right - m_rcTextPadding.right, m_rcItem.bottom - m_rcTextPadding.bottom};
    CRenderEngine::DrawText(hDC, m_pManager, rc, m_sText, color, m_iFont,
                            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    if (m_bChecked) {
        // A small tick left of the text.
        int x = m_rcItem.left + 8, y = (m_rcItem.top + m_rcItem.bottom) / 2;
        for (int i = 0; i < 3; ++i) CRenderEngine::DrawColor(hDC, {x + i, y + i - 1, x + i + 1, y + i + 1}, color);
        for (int i = 0; i < 5; ++i) CRenderEngine::DrawColor(hDC, {x + 3 + i, y + 1 - i, x + 4 + i, y + 3 - i}, color);
    }
}

void CMenuElementUI::DoEvent(TEventUI& event) {
    if (m_bLine && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) return;
    if (event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_DBLCLICK) return;  // chosen on release
    if (event.Type == UIEVENT_BUTTONUP) {
        if (IsEnabled() && PtInRect(&m_rcItem, event.ptMouse)) SendRowNotify(DUI_MSGTYPE_ITEMCLICK);
        return;
    }
    CListContainerElementUI::DoEvent(event);
}

void CMenuElementUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    CDuiString name(pstrName);
    if (name == L"line")
        m_bLine = ParseBool(pstrValue);
    else if (name == L"linecolor")
        m_dwLineColor = ParseColor(pstrValue);
    else if (name == L"checked")
        m_bChecked = ParseBool(pstrValue);
    else if (name == L"checkitem")
        m_bCheckItem = ParseBool(pstrValue);
    else if (name == L"textcolor")
        m_dwTextColor = ParseColor(pstrValue);
    else if (name == L"font")
        m_iFont = ParseInt(pstrValue);
    else if (name == L"textpadding")
        m_rcTextPadding = ParseRect(pstrValue);
    else
        CListContainerElementUI::SetAttribute(pstrName, pstrValue);
}

// ---- CMenuWnd ---------------------------------------------------------------

CMenuWnd::CMenuWnd(CMenuWnd** slot) : m_ppSlot(slot) {
    if (m_ppSlot) *m_ppSlot = this;
}

CMenuWnd::~CMenuWnd() { ClearSlot(); }

void CMenuWnd::ClearSlot() {
    if (m_ppSlot && *m_ppSlot == this) *m_ppSlot = nullptr;
    m_ppSlot = nullptr;
}

CMenuWnd* CMenuWnd::CreateMenu(CMenuElementUI* pOwner, LPCTSTR xml, POINT point, CPaintManagerUI* pMainPaintManager,
                               CMenuCheckMap* checks, DWORD dwAlignment, CMenuWnd** slot) {
    auto* menu = new CMenuWnd(slot);
    if (!menu->Init(pOwner, xml, point, pMainPaintManager, checks, dwAlignment)) {
        delete menu;
        return nullptr;
    }
    return menu;
}

bool CMenuWnd::Init(CMenuElementUI*, LPCTSTR xml, POINT point, CPaintManagerUI* pMainPaintManager,
                    CMenuCheckMap* checks, DWORD dwAlignment) {
    m_sXml = xml;
    m_ptBase = point;
    m_pMainManager = pMainPaintManager;
    m_pChecks = checks;
    m_dwAlignment = dwAlignment;
    m_PaintManager.SetResourceParent(pMainPaintManager);
    HWND owner = pMainPaintManager ? pMainPaintManager->GetPaintWindow() : nullptr;
    if (!Create(owner, L"DuiMenu", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, point.x, point.y, 0, 0)) return false;
    m_bOwnsItself = true;
    ResizeMenu();
    return true;
}

void CMenuWnd::InitWindow() {
    CControlUI* root = m_PaintManager.GetRoot();
    m_pMenu = root ? static_cast<CMenuUI*>(root->GetInterface(L"Menu")) : nullptr;
    if (!m_pMenu) m_pMenu = static_cast<CMenuUI*>(m_PaintManager.FindSubControlByClass(nullptr, L"MenuUI"));
    if (!m_pMenu) {
        LogBoth("CMenuWnd::InitWindow", "%s has no Menu error", WideToUtf8(m_sXml.Str()).c_str());
        return;
    }
    if (m_pMenu->GetBkColor() == 0 && m_PaintManager.GetRoot() == m_pMenu) m_pMenu->SetBkColor(0xFFFFFFFF);
    if (!m_pChecks) return;
    for (int i = 0; i < m_pMenu->GetCount(); ++i) {
        auto* element = static_cast<CMenuElementUI*>(m_pMenu->GetItemAt(i)->GetInterface(L"MenuElement"));
        if (!element) continue;
        auto it = m_pChecks->find(element->GetName());
        if (it != m_pChecks->end()) element->SetChecked(it->second);
    }
}

void CMenuWnd::ResizeMenu() {
    if (!m_hWnd) return;
    SIZE size = {120, 40};
    if (m_pMenu) {
        size = m_pMenu->ContentSize();
        CControlUI* root = m_PaintManager.GetRoot();
        if (root && root != m_pMenu) {  // the menu sits inside the window's own layout (a shadow, a frame)
            RECT inset = {};
            if (auto* box = static_cast<CContainerUI*>(root->GetInterface(L"Container"))) inset = box->GetInset();
            size.cx += inset.left + inset.right;
            size.cy += inset.top + inset.bottom;
        }
    }
    SIZE init = m_PaintManager.GetInitSize();
    if (init.cx > 0) size.cx = std::max(size.cx, init.cx);
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoW(MonitorFromPoint(m_ptBase, MONITOR_DEFAULTTONEAREST), &mi);
    RECT rc = {m_ptBase.x, m_ptBase.y, m_ptBase.x + size.cx, m_ptBase.y + size.cy};
    if (m_dwAlignment & eMenuAlignment_Right) {
        rc.right = m_ptBase.x;
        rc.left = rc.right - size.cx;
    }
    if (m_dwAlignment & eMenuAlignment_Bottom) {
        rc.bottom = m_ptBase.y;
        rc.top = rc.bottom - size.cy;
    }
    if (rc.right > mi.rcWork.right) OffsetRect(&rc, mi.rcWork.right - rc.right, 0);
    if (rc.left < mi.rcWork.left) OffsetRect(&rc, mi.rcWork.left - rc.left, 0);
    if (rc.bottom > mi.rcWork.bottom) OffsetRect(&rc, 0, mi.rcWork.bottom - rc.bottom);
    if (rc.top < mi.rcWork.top) OffsetRect(&rc, 0, mi.rcWork.top - rc.top);
    SetWindowPos(m_hWnd, HWND_TOPMOST, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, SWP_SHOWWINDOW);
    SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
}

void CMenuWnd::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_WINDOWINIT || msg.sType == DUI_MSGTYPE_SETFOCUS || msg.sType == DUI_MSGTYPE_KILLFOCUS)
        return;
    auto* element = msg.pSender ? static_cast<CMenuElementUI*>(msg.pSender->GetInterface(L"MenuElement")) : nullptr;
    if (element) {
        if (msg.sType == DUI_MSGTYPE_ITEMCLICK) Choose(element);
        return;
    }
    if (msg.pSender == m_pMenu) return;  // the element list's own selection and scrolling
    if (m_pMainManager) m_pMainManager->ForwardNotify(msg);
}

void CMenuWnd::Choose(CMenuElementUI* element) {
    if (m_bChosen || element->IsLine() || !element->IsEnabled()) return;
    m_bChosen = true;
    bool checked = element->IsChecked();
    if (element->IsCheckItem()) {
        checked = !checked;
        if (m_pChecks) (*m_pChecks)[element->GetName()] = checked;
    }
    auto* cmd = new MenuCmd;
    ++g_pendingCommands;
    RegisterPostedRecord(cmd);  // the receiver claims it before it reads it
    cmd->name = element->GetName();
    cmd->userData = element->GetUserData();
    cmd->text = element->GetText();
    cmd->checked = checked ? TRUE : FALSE;
    cmd->element = new CMenuElementUI;
    cmd->element->SetName(cmd->name);
    cmd->element->SetText(cmd->text);
    cmd->element->SetUserData(cmd->userData);
    cmd->element->SetChecked(checked);
    cmd->element->SetTag(element->GetTag());
    // Off the screen before the command runs: a command may take a picture of
    // the desktop, or put a window where the menu was.
    ::ShowWindow(m_hWnd, SW_HIDE);
    HWND target = m_pMainManager ? m_pMainManager->GetPaintWindow() : nullptr;
    if (!target ||
        !::PostMessageW(target, WM_MENUCLICK, reinterpret_cast<WPARAM>(cmd), reinterpret_cast<LPARAM>(cmd->element))) {
        LogBoth("CMenuWnd::Choose", "PostMessage WM_MENUCLICK %s error %lu", WideToUtf8(cmd->name.Str()).c_str(),
                GetLastError());
        CPaintManagerUI::DeleteMenuCmd(cmd);  // nobody will receive it
    }
    Close();
}

LRESULT CMenuWnd::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    if (uMsg == WM_KEYDOWN && wParam == VK_ESCAPE) {
        bHandled = true;
        Close();
    }
    return 0;
}

LRESULT CMenuWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    bHandled = false;
    if (uMsg == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) Close();
    return 0;
}

LRESULT CMenuWnd::OnKillFocus(UINT, WPARAM wParam, LPARAM, bool& bHandled) {
    HWND next = reinterpret_cast<HWND>(wParam);
    if (next != m_hWnd && !(next && IsChild(m_hWnd, next))) Close();
    bHandled = false;
    return 0;
}

void CMenuWnd::OnFinalMessage(HWND hWnd) {
    WindowImplBase::OnFinalMessage(hWnd);
    ClearSlot();
    if (m_bOwnsItself) delete this;
}

}  // namespace DuiLib

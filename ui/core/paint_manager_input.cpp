// The paint manager's message handling: painting messages, mouse and keyboard
// input turned into control events, focus, capture, tooltips and timers.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>

#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"
#include "ui/core/paint_manager_internal.h"

namespace DuiLib {

namespace {

struct TimerEntry {
    CPaintManagerUI* manager;
    CControlUI* control;
    UINT id;
};

std::map<UINT_PTR, TimerEntry>& Timers() {
    static thread_local std::map<UINT_PTR, TimerEntry> timers;
    return timers;
}

bool IsMouseMessage(UINT uMsg) {
    return (uMsg >= WM_MOUSEFIRST && uMsg <= WM_MOUSELAST) || uMsg == WM_MOUSEHOVER || uMsg == WM_MOUSELEAVE ||
           uMsg == WM_CONTEXTMENU;
}

}  // namespace

TEventUI CPaintManagerUI::MakeEvent(int type, POINT pt, WPARAM wParam, LPARAM lParam) const {
    TEventUI event;
    event.Type = type;
    event.ptMouse = pt;
    event.wParam = wParam;
    event.lParam = lParam;
    event.dwTimestamp = GetTickCount();
    event.wKeyState = static_cast<WORD>(wParam);
    return event;
}

void CPaintManagerUI::DispatchEvent(CControlUI* pControl, TEventUI& event) {
    if (!pControl) return;
    event.pSender = pControl;
    pControl->Event(event);
}

bool CPaintManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    if (!m_hWndPaint) return false;
    CDispatchScope scope(this);
    std::vector<IMessageFilterUI*> filters = m_messageFilters;
    for (IMessageFilterUI* filter : filters) {
        bool handled = false;
        LRESULT r = filter->MessageHandler(uMsg, wParam, lParam, handled);
        if (!scope.Alive()) return true;
        if (handled) {
            lRes = r;
            return true;
        }
    }
    if (uMsg == LayeredPaintMessage()) {
        PaintLayered();
        return true;
    }
    switch (uMsg) {
        case WM_ERASEBKGND: lRes = 1; return true;
        case WM_PAINT: OnPaint(); return true;
        case WM_PRINTCLIENT: {
            UpdateLayout();
            RECT rc = {};
            GetClientRect(m_hWndPaint, &rc);
            PaintTree(reinterpret_cast<HDC>(wParam), rc);
            return true;
        }
        case WM_SIZE:
            if (m_pRoot) m_pRoot->NeedUpdate();
            m_bUpdateNeeded = true;
            Invalidate();
            return false;
        case WM_WINDOWPOSCHANGED:
            if (m_bLayered && !(reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_NOSIZE)) Invalidate();
            return false;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (m_szMinWindow.cx > 0) info->ptMinTrackSize.x = m_szMinWindow.cx;
            if (m_szMinWindow.cy > 0) info->ptMinTrackSize.y = m_szMinWindow.cy;
            if (m_szMaxWindow.cx > 0) info->ptMaxTrackSize.x = m_szMaxWindow.cx;
            if (m_szMaxWindow.cy > 0) info->ptMaxTrackSize.y = m_szMaxWindow.cy;
            return false;
        }
        case WM_DESTROY:
            RemoveAllTimers();
            HideToolTip();
            return false;
        case WM_SETCURSOR: {
            if (LOWORD(lParam) != HTCLIENT) return false;
            POINT pt = {};
            GetCursorPos(&pt);
            ScreenToClient(m_hWndPaint, &pt);
            CControlUI* control = m_pEventClick ? m_pEventClick : FindControl(pt);
            if (!control) return false;
            if (control->GetControlFlags() & UIFLAG_SETCURSOR) {
                TEventUI event = MakeEvent(UIEVENT_SETCURSOR, pt, wParam, lParam);
                DispatchEvent(control, event);
                lRes = TRUE;
                return true;
            }
            if (control->GetCursor()) {
                ::SetCursor(LoadCursorW(nullptr, control->GetCursor()));
                lRes = TRUE;
                return true;
            }
            return false;
        }
        case WM_CAPTURECHANGED: m_bMouseCapture = reinterpret_cast<HWND>(lParam) == m_hWndPaint; return false;
        default: break;
    }
    if (IsMouseMessage(uMsg)) return HandleMouse(uMsg, wParam, lParam, lRes);
    if (uMsg == WM_KEYDOWN || uMsg == WM_KEYUP || uMsg == WM_CHAR || uMsg == WM_SYSKEYDOWN)
        return HandleKeys(uMsg, wParam, lParam, lRes);
    return false;
}

bool CPaintManagerUI::HandleMouse(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    CDispatchScope scope(this);
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (uMsg) {
        case WM_MOUSEMOVE: {
            if (!m_bMouseTracking) {
                TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, m_hWndPaint, HOVER_DEFAULT};
                TrackMouseEvent(&tme);
                m_bMouseTracking = true;
            }
            m_ptLastMousePos = pt;
            CControlUI* control = FindControl(pt);
            if (control != m_pTooltipControl) HideToolTip();
            TEventUI event = MakeEvent(UIEVENT_MOUSEMOVE, pt, wParam, lParam);
            if (!m_pEventClick) SetHover(control, event);
            if (!scope.Alive()) return true;
            CControlUI* target = m_pEventClick ? m_pEventClick : control;
            if (target) DispatchEvent(target, event);
            return false;
        }
        case WM_MOUSEHOVER: {
            m_bMouseTracking = false;
            CControlUI* control = FindControl(pt);
            if (!control) return false;
            TEventUI event = MakeEvent(UIEVENT_MOUSEHOVER, pt, wParam, lParam);
            DispatchEvent(control, event);
            if (scope.Alive()) ShowToolTip(control);
            return true;
        }
        case WM_MOUSELEAVE: {
            m_bMouseTracking = false;
            HideToolTip();
            if (!m_pEventClick) SetHover(nullptr, MakeEvent(UIEVENT_MOUSELEAVE, pt, wParam, lParam));
            return false;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            HideToolTip();
            if (::GetFocus() != m_hWndPaint) ::SetFocus(m_hWndPaint);
            m_ptLastMousePos = pt;
            CControlUI* control = FindControl(pt);
            if (!control) return false;
            m_pEventClick = control;
            control->SetFocus();
            if (!scope.Alive() || m_pEventClick != control) return true;
            SetCapture();
            TEventUI event =
                MakeEvent(uMsg == WM_LBUTTONDOWN ? UIEVENT_BUTTONDOWN : UIEVENT_DBLCLICK, pt, wParam, lParam);
            DispatchEvent(control, event);
            return false;
        }
        case WM_LBUTTONUP: {
            m_ptLastMousePos = pt;
            CControlUI* control = m_pEventClick;
            m_pEventClick = nullptr;
            ReleaseCapture();
            if (!scope.Alive() || !control) return false;
            TEventUI event = MakeEvent(UIEVENT_BUTTONUP, pt, wParam, lParam);
            DispatchEvent(control, event);
            if (scope.Alive()) SetHover(FindControl(pt), MakeEvent(UIEVENT_MOUSEMOVE, pt, wParam, lParam));
            return false;
        }
        case WM_RBUTTONDOWN: {
            HideToolTip();
            if (::GetFocus() != m_hWndPaint) ::SetFocus(m_hWndPaint);
            m_ptLastMousePos = pt;
            CControlUI* control = FindControl(pt);
            if (!control) return false;
            control->SetFocus();
            if (!scope.Alive()) return true;
            TEventUI event = MakeEvent(UIEVENT_RBUTTONDOWN, pt, wParam, lParam);
            DispatchEvent(control, event);
            return false;
        }
        case WM_RBUTTONUP: {
            m_ptLastMousePos = pt;
            CControlUI* control = FindControl(pt);
            if (!control) return false;
            TEventUI up = MakeEvent(UIEVENT_RBUTTONUP, pt, wParam, lParam);
            DispatchEvent(control, up);
            if (!scope.Alive()) return true;
            control = FindControl(pt);  // the handler may have changed the tree
            if (!control) return true;
            TEventUI menu = MakeEvent(UIEVENT_CONTEXTMENU, pt, wParam, lParam);
            DispatchEvent(control, menu);
            return true;  // the menu event is sent; no WM_CONTEXTMENU from DefWindowProc
        }
        case WM_CONTEXTMENU: {
            if (lParam != -1 || !m_pFocus) return false;  // only the keyboard's menu key comes here
            TEventUI event = MakeEvent(UIEVENT_CONTEXTMENU, m_ptLastMousePos, 0, 0);
            DispatchEvent(m_pFocus, event);
            return true;
        }
        case WM_MOUSEWHEEL: {
            POINT client = pt;
            ScreenToClient(m_hWndPaint, &client);
            CControlUI* control = FindControl(client);
            if (!control) return false;
            int delta = GET_WHEEL_DELTA_WPARAM(wParam);
            TEventUI event =
                MakeEvent(UIEVENT_SCROLLWHEEL, client, MAKEWPARAM(delta < 0 ? SB_LINEDOWN : SB_LINEUP, 0), lParam);
            event.wKeyState = GET_KEYSTATE_WPARAM(wParam);
            DispatchEvent(control, event);
            lRes = 0;
            return true;
        }
        default: return false;
    }
}

void CPaintManagerUI::SetHover(CControlUI* pControl, const TEventUI& base) {
    if (pControl == m_pEventHover) return;
    CDispatchScope scope(this);
    CControlUI* old = m_pEventHover;
    m_pEventHover = pControl;
    if (old) {
        TEventUI leave = base;
        leave.Type = UIEVENT_MOUSELEAVE;
        DispatchEvent(old, leave);
        if (!scope.Alive()) return;
    }
    if (pControl && m_pEventHover == pControl) {
        TEventUI enter = base;
        enter.Type = UIEVENT_MOUSEENTER;
        DispatchEvent(pControl, enter);
    }
}

bool CPaintManagerUI::HandleKeys(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    CDispatchScope scope(this);
    if (uMsg == WM_KEYDOWN && wParam == VK_TAB) {
        SetNextTabControl(GetKeyState(VK_SHIFT) >= 0);
        return true;
    }
    if (!m_pFocus) return false;
    int type = uMsg == WM_KEYDOWN ? UIEVENT_KEYDOWN
               : uMsg == WM_KEYUP ? UIEVENT_KEYUP
               : uMsg == WM_CHAR  ? UIEVENT_CHAR
                                  : UIEVENT_SYSKEY;
    TEventUI event = MakeEvent(type, m_ptLastMousePos, wParam, lParam);
    event.chKey = static_cast<TCHAR>(wParam);
    event.wKeyState = 0;
    if (GetKeyState(VK_CONTROL) < 0) event.wKeyState |= MK_CONTROL;
    if (GetKeyState(VK_SHIFT) < 0) event.wKeyState |= MK_SHIFT;
    DispatchEvent(m_pFocus, event);
    lRes = 0;
    return uMsg != WM_SYSKEYDOWN;
}

void CPaintManagerUI::SetFocus(CControlUI* pControl, bool bFocusWnd) {
    if (bFocusWnd && m_hWndPaint && ::GetFocus() != m_hWndPaint && IsWindowVisible(m_hWndPaint))
        ::SetFocus(m_hWndPaint);
    if (pControl == m_pFocus) return;
    CDispatchScope scope(this);
    CControlUI* old = m_pFocus;
    m_pFocus = nullptr;
    if (old) {
        TEventUI event = MakeEvent(UIEVENT_KILLFOCUS, m_ptLastMousePos, 0, 0);
        DispatchEvent(old, event);
        if (!scope.Alive()) return;
        SendNotify(old, DUI_MSGTYPE_KILLFOCUS);
        if (!scope.Alive()) return;
    }
    if (!pControl || !pControl->GetManager() || !pControl->IsVisible() || !pControl->IsEnabled()) return;
    m_pFocus = pControl;
    TEventUI event = MakeEvent(UIEVENT_SETFOCUS, m_ptLastMousePos, 0, 0);
    DispatchEvent(pControl, event);
    if (!scope.Alive()) return;
    SendNotify(pControl, DUI_MSGTYPE_SETFOCUS);
}

bool CPaintManagerUI::SetNextTabControl(bool bForward) {
    if (!m_pRoot) return false;
    std::vector<CControlUI*> stops;
    m_pRoot->FindControl(
        [](CControlUI* control, LPVOID data) -> CControlUI* {
            if ((control->GetControlFlags() & UIFLAG_TABSTOP) && control->IsEnabled())
                static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
            return nullptr;
        },
        &stops, UIFIND_VISIBLE | UIFIND_ME_FIRST);
    if (stops.empty()) return false;
    auto it = std::find(stops.begin(), stops.end(), m_pFocus);
    size_t index = 0;
    if (it != stops.end()) {
        size_t at = static_cast<size_t>(it - stops.begin());
        index = bForward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
    } else if (!bForward) {
        index = stops.size() - 1;
    }
    SetFocus(stops[index]);
    return true;
}

void CPaintManagerUI::SetCapture() {
    ::SetCapture(m_hWndPaint);
    m_bMouseCapture = true;
}

void CPaintManagerUI::ReleaseCapture() {
    if (m_bMouseCapture && ::GetCapture() == m_hWndPaint) ::ReleaseCapture();
    m_bMouseCapture = false;
}

void CPaintManagerUI::ShowToolTip(CControlUI* pControl) {
    if (!pControl) return;
    CDuiString tip = pControl->GetToolTip();
    if (tip.IsEmpty()) return;
    if (!m_hwndTooltip) {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        m_hwndTooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, m_hWndPaint, nullptr, GetInstance(), nullptr);
        if (!m_hwndTooltip) return;
        TOOLINFOW info = {};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
        info.hwnd = m_hWndPaint;
        info.uId = reinterpret_cast<UINT_PTR>(m_hWndPaint);
        info.lpszText = const_cast<LPWSTR>(L"");
        SendMessageW(m_hwndTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        SendMessageW(m_hwndTooltip, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    info.hwnd = m_hWndPaint;
    info.uId = reinterpret_cast<UINT_PTR>(m_hWndPaint);
    info.lpszText = const_cast<LPWSTR>(tip.GetData());
    SendMessageW(m_hwndTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    POINT pt = {};
    GetCursorPos(&pt);
    SendMessageW(m_hwndTooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(pt.x + 12, pt.y + 20));
    SendMessageW(m_hwndTooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
    m_pTooltipControl = pControl;
}

void CPaintManagerUI::HideToolTip() {
    if (m_hwndTooltip && m_pTooltipControl) {
        TOOLINFOW info = {};
        info.cbSize = sizeof(info);
        info.hwnd = m_hWndPaint;
        info.uId = reinterpret_cast<UINT_PTR>(m_hWndPaint);
        SendMessageW(m_hwndTooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
    }
    m_pTooltipControl = nullptr;
}

void CALLBACK CPaintManagerUI::TimerProc(HWND, UINT, UINT_PTR idEvent, DWORD) {
    auto it = Timers().find(idEvent);
    if (it == Timers().end()) {
        ::KillTimer(nullptr, idEvent);
        return;
    }
    TimerEntry entry = it->second;
    CDispatchScope scope(entry.manager);
    TEventUI event = entry.manager->MakeEvent(UIEVENT_TIMER, entry.manager->m_ptLastMousePos, entry.id, 0);
    entry.manager->DispatchEvent(entry.control, event);
}

bool CPaintManagerUI::SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse) {
    if (!pControl) return false;
    KillTimer(pControl, nTimerID);
    // Thread timers get ids from the system: they cannot clash with the window's own.
    UINT_PTR id = ::SetTimer(nullptr, 0, uElapse, TimerProc);
    if (!id) return false;
    Timers()[id] = TimerEntry{this, pControl, nTimerID};
    return true;
}

bool CPaintManagerUI::KillTimer(CControlUI* pControl, UINT nTimerID) {
    auto& timers = Timers();
    for (auto it = timers.begin(); it != timers.end(); ++it) {
        if (it->second.manager == this && it->second.control == pControl && it->second.id == nTimerID) {
            ::KillTimer(nullptr, it->first);
            timers.erase(it);
            return true;
        }
    }
    return false;
}

void CPaintManagerUI::KillTimer(CControlUI* pControl) {
    auto& timers = Timers();
    for (auto it = timers.begin(); it != timers.end();) {
        if (it->second.manager == this && it->second.control == pControl) {
            ::KillTimer(nullptr, it->first);
            it = timers.erase(it);
        } else {
            ++it;
        }
    }
}

void CPaintManagerUI::RemoveAllTimers() {
    auto& timers = Timers();
    for (auto it = timers.begin(); it != timers.end();) {
        if (it->second.manager == this) {
            ::KillTimer(nullptr, it->first);
            it = timers.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace DuiLib

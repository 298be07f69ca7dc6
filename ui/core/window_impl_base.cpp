#include "ui/core/window_impl_base.h"

#include <windowsx.h>

#include "common/logger.h"
#include "common/text_convert.h"
#include "ui/controls/control.h"
#include "ui/core/dialog_builder.h"

namespace DuiLib {

namespace {

void ShowLayoutFailureBox(const wchar_t* text, const wchar_t* caption) { MessageBoxW(nullptr, text, caption, MB_OK); }

WindowImplBase::LayoutFailureNotice& LayoutFailure() {
    static WindowImplBase::LayoutFailureNotice notice = ShowLayoutFailureBox;
    return notice;
}

}  // namespace

void WindowImplBase::SetLayoutFailureNotice(LayoutFailureNotice notice) {
    LayoutFailure() = notice ? std::move(notice) : LayoutFailureNotice(ShowLayoutFailureBox);
}

WindowImplBase::~WindowImplBase() {
    // Destroy a live window while the paint manager still exists.
    if (m_hWnd && IsWindow(m_hWnd)) {
        HWND hwnd = m_hWnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        DestroyWindow(hwnd);
    }
}

void WindowImplBase::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_CLICK)
        OnClick(msg);
    else if (msg.sType == DUI_MSGTYPE_SELECTCHANGED)
        OnSelectChanged(msg);
    else if (msg.sType == DUI_MSGTYPE_ITEMSELECT)
        OnItemSelect(msg);
}

LRESULT WindowImplBase::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM, bool&) {
    if (uMsg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) return ResponseDefaultKeyEvent(wParam);
    return 0;
}

bool WindowImplBase::IsInteractive(CControlUI* c) {
    if (!c) return false;
    static const LPCTSTR kInterfaces[] = {L"Button", L"Edit",       L"Combo",    L"Slider",
                                          L"List",   L"IListOwner", L"ListItem", L"ScrollBar"};
    for (LPCTSTR name : kInterfaces)
        if (c->GetInterface(name)) return true;
    return (c->GetControlFlags() & UIFLAG_TABSTOP) != 0;
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = true;
    LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~WS_CAPTION) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_PaintManager.Init(m_hWnd);
    m_PaintManager.AddPreMessageFilter(this);
    CDialogBuilder builder;
    CDuiString skin = GetSkinFile();
    CControlUI* root = builder.Create(skin, nullptr, this, &m_PaintManager);
    if (!root) {
        LogBoth("WindowImplBase::OnCreate", "%s: the layout %s could not be built error",
                WideToUtf8(GetWindowClassName()).c_str(), WideToUtf8(skin.Str()).c_str());
        const std::wstring text = std::wstring(L"加载资源文件失败：") + skin.Str();
        LayoutFailure()(text.c_str(), L"Duilib");
        return -1;  // CreateWindowEx fails; Create returns null
    }
    m_PaintManager.AttachDialog(root);
    m_PaintManager.AddNotifier(this);
    InitWindow();
    return 0;
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}
LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM wParam, LPARAM, bool& bHandled) {
    if (IsIconic(m_hWnd)) bHandled = false;
    return wParam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT, WPARAM, LPARAM, bool&) { return 0; }
LRESULT WindowImplBase::OnNcPaint(UINT, WPARAM, LPARAM, bool&) { return 0; }

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool&) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(m_hWnd, &pt);
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    const RECT& box = m_PaintManager.GetSizeBox();
    if (!IsZoomed(m_hWnd) && (box.left || box.top || box.right || box.bottom)) {
        bool top = pt.y < client.top + box.top, bottom = pt.y >= client.bottom - box.bottom;
        bool left = pt.x < client.left + box.left, right = pt.x >= client.right - box.right;
        if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
    }
    const RECT& caption = m_PaintManager.GetCaptionRect();
    long bandBottom = caption.bottom < 0 ? client.bottom : caption.bottom;
    if (pt.x >= client.left + caption.left && pt.x < client.right - caption.right && pt.y >= caption.top &&
        pt.y < bandBottom) {
        if (!IsInteractive(m_PaintManager.FindControl(pt))) return HTCAPTION;
    }
    return HTCLIENT;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool&) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    // Maximised, the window covers the work area, not the taskbar.
    info->ptMaxPosition = {mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top};
    info->ptMaxSize = {mi.rcWork.right - mi.rcWork.left, mi.rcWork.bottom - mi.rcWork.top};
    SIZE mn = m_PaintManager.GetMinInfo(), mx = m_PaintManager.GetMaxInfo();
    if (mn.cx > 0) info->ptMinTrackSize.x = mn.cx;
    if (mn.cy > 0) info->ptMinTrackSize.y = mn.cy;
    if (mx.cx > 0) info->ptMaxTrackSize.x = mx.cx;
    if (mx.cy > 0) info->ptMaxTrackSize.y = mx.cy;
    return 0;
}

LRESULT WindowImplBase::OnMouseWheel(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}
LRESULT WindowImplBase::OnMouseHover(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, bool& bHandled) {
    SIZE round = m_PaintManager.GetRoundCorner();
    if (!IsIconic(m_hWnd) && (round.cx != 0 || round.cy != 0)) {
        RECT rc = {};
        GetWindowRect(m_hWnd, &rc);
        HRGN region = CreateRoundRectRgn(0, 0, rc.right - rc.left + 1, rc.bottom - rc.top + 1, round.cx, round.cy);
        SetWindowRgn(m_hWnd, region, TRUE);  // the window owns the region from here
    }
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnChar(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}
LRESULT WindowImplBase::OnSysCommand(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}
LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}
LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}
LRESULT WindowImplBase::OnSetFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}
LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}
LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}
LRESULT WindowImplBase::OnRButtonDown(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}
LRESULT WindowImplBase::OnRButtonUp(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}
LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lRes = 0;
    bool bHandled = true;
    switch (uMsg) {
        case WM_CREATE: lRes = OnCreate(uMsg, wParam, lParam, bHandled); break;
        case WM_CLOSE: lRes = OnClose(uMsg, wParam, lParam, bHandled); break;
        case WM_DESTROY: lRes = OnDestroy(uMsg, wParam, lParam, bHandled); break;
        case WM_NCACTIVATE: lRes = OnNcActivate(uMsg, wParam, lParam, bHandled); break;
        case WM_NCCALCSIZE: lRes = OnNcCalcSize(uMsg, wParam, lParam, bHandled); break;
        case WM_NCPAINT: lRes = OnNcPaint(uMsg, wParam, lParam, bHandled); break;
        case WM_NCHITTEST: lRes = OnNcHitTest(uMsg, wParam, lParam, bHandled); break;
        case WM_GETMINMAXINFO: lRes = OnGetMinMaxInfo(uMsg, wParam, lParam, bHandled); break;
        case WM_MOUSEWHEEL: lRes = OnMouseWheel(uMsg, wParam, lParam, bHandled); break;
        case WM_MOUSEHOVER: lRes = OnMouseHover(uMsg, wParam, lParam, bHandled); break;
        case WM_SIZE: lRes = OnSize(uMsg, wParam, lParam, bHandled); break;
        case WM_CHAR: lRes = OnChar(uMsg, wParam, lParam, bHandled); break;
        case WM_SYSCOMMAND: lRes = OnSysCommand(uMsg, wParam, lParam, bHandled); break;
        case WM_KEYDOWN: lRes = OnKeyDown(uMsg, wParam, lParam, bHandled); break;
        case WM_KILLFOCUS: lRes = OnKillFocus(uMsg, wParam, lParam, bHandled); break;
        case WM_SETFOCUS: lRes = OnSetFocus(uMsg, wParam, lParam, bHandled); break;
        case WM_LBUTTONDOWN: lRes = OnLButtonDown(uMsg, wParam, lParam, bHandled); break;
        case WM_LBUTTONUP: lRes = OnLButtonUp(uMsg, wParam, lParam, bHandled); break;
        case WM_RBUTTONDOWN: lRes = OnRButtonDown(uMsg, wParam, lParam, bHandled); break;
        case WM_RBUTTONUP: lRes = OnRButtonUp(uMsg, wParam, lParam, bHandled); break;
        case WM_MOUSEMOVE: lRes = OnMouseMove(uMsg, wParam, lParam, bHandled); break;
        default: bHandled = false; break;
    }
    if (bHandled) return lRes;
    HWND hwnd = m_hWnd;
    bHandled = false;
    lRes = HandleCustomMessage(uMsg, wParam, lParam, bHandled);
    if (bHandled || !IsWindow(hwnd)) return lRes;
    if (m_PaintManager.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return DefWindowProcW(hwnd, uMsg, wParam, lParam);
}

void WindowImplBase::OnFinalMessage(HWND) {
    m_PaintManager.RemovePreMessageFilter(this);
    m_PaintManager.RemoveNotifier(this);
    m_PaintManager.RemoveAllTimers();
}

}  // namespace DuiLib

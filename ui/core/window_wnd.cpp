#include "ui/core/window_wnd.h"

#include <algorithm>
#include <vector>

#include "common/logger.h"
#include "common/text_convert.h"
#include "ui/core/paint_manager.h"

namespace DuiLib {

namespace {

// The windows of the running ShowModal loops, outermost first. UI thread.
std::vector<HWND>& ModalWindows() {
    static std::vector<HWND> windows;
    return windows;
}

}  // namespace

CWindowWnd::~CWindowWnd() {
    if (m_hWnd && IsWindow(m_hWnd)) {
        HWND hwnd = m_hWnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);  // no more calls into this object
        m_hWnd = nullptr;
        DestroyWindow(hwnd);
    }
}

bool CWindowWnd::RegisterWindowClass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    HINSTANCE instance = CPaintManagerUI::GetInstance();
    if (GetClassInfoExW(instance, GetWindowClassName(), &wc)) return true;
    wc.cbSize = sizeof(wc);
    wc.style = GetClassStyle();
    wc.lpfnWndProc = __WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = GetWindowClassName();
    if (RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) return true;
    LogBoth("CWindowWnd::RegisterWindowClass", "RegisterClassExW %s error %lu",
            WideToUtf8(GetWindowClassName()).c_str(), GetLastError());
    return false;
}

HWND CWindowWnd::Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT rc, HMENU hMenu) {
    return Create(hwndParent, pstrName, dwStyle, dwExStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                  hMenu);
}

HWND CWindowWnd::Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x, int y, int cx, int cy,
                        HMENU hMenu) {
    if (m_hWnd && IsWindow(m_hWnd)) return m_hWnd;
    if (!RegisterWindowClass()) return nullptr;
    HWND hwnd = CreateWindowExW(dwExStyle, GetWindowClassName(), pstrName, dwStyle, x, y, cx, cy, hwndParent, hMenu,
                                CPaintManagerUI::GetInstance(), this);
    if (!hwnd) {
        LogBoth("CWindowWnd::Create", "CreateWindowExW %s error %lu", WideToUtf8(GetWindowClassName()).c_str(),
                GetLastError());
        m_hWnd = nullptr;
    }
    return hwnd;
}

void CWindowWnd::ShowWindow(bool bShow, bool bTakeFocus) {
    if (!m_hWnd) return;
    ::ShowWindow(m_hWnd, bShow ? (bTakeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

UINT CWindowWnd::ShowModal() {
    if (!m_hWnd || !IsWindow(m_hWnd)) {
        LogBoth("CWindowWnd::ShowModal", "no window error");
        return static_cast<UINT>(-1);
    }
    HWND self = m_hWnd;
    HWND owner = GetWindow(self, GW_OWNER);
    UINT result = 0;
    m_pModalResult = &result;
    ::ShowWindow(self, SW_SHOWNORMAL);
    if (owner) EnableWindow(owner, FALSE);
    MSG msg = {};
    bool quit = false;
    ModalWindows().push_back(self);
    while (IsWindow(self)) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        if (!CPaintManagerUI::TranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    auto& modal = ModalWindows();
    modal.erase(std::remove(modal.begin(), modal.end(), self), modal.end());
    // The object may have deleted itself with its window: touch it only while
    // the window is still there.
    if (IsWindow(self)) m_pModalResult = nullptr;
    if (owner) {
        EnableWindow(owner, TRUE);
        if (!IsWindow(self)) SetFocus(owner);
    }
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    return result;
}

int CWindowWnd::ModalDepth() { return static_cast<int>(ModalWindows().size()); }

void CWindowWnd::CloseModalWindows() {
    const std::vector<HWND>& modal = ModalWindows();
    for (auto it = modal.rbegin(); it != modal.rend(); ++it)
        if (IsWindow(*it)) ::PostMessageW(*it, WM_CLOSE, 0, 0);
}

void CWindowWnd::Close(UINT nRet) {
    if (m_hWnd && IsWindow(m_hWnd)) ::PostMessageW(m_hWnd, WM_CLOSE, nRet, 0);
}

UINT CWindowWnd::ShowModalFrom(POINT parking, bool center) {
    if (!m_hWnd) return ShowModal();  // logs the missing window
    SetWindowPos(m_hWnd, nullptr, parking.x, parking.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (center) CenterForModal();
    BringWindowToTop(m_hWnd);
    return ShowModal();
}

void CWindowWnd::CenterWindow() {
    if (!m_hWnd) return;
    RECT rc = {};
    GetWindowRect(m_hWnd, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(owner && IsWindowVisible(owner) ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    RECT area = mi.rcWork;
    RECT center = area;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &center);
    int x = (center.left + center.right) / 2 - w / 2;
    int y = (center.top + center.bottom) / 2 - h / 2;
    if (x + w > area.right) x = area.right - w;
    if (x < area.left) x = area.left;
    if (y + h > area.bottom) y = area.bottom - h;
    if (y < area.top) y = area.top;
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::SetIcon(UINT nRes) {
    if (!m_hWnd) return;
    HINSTANCE module = CPaintManagerUI::GetResourceDll();
    auto big = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(nRes), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    auto small =
        static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(nRes), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    if (big) ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small) ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void CWindowWnd::ResizeClient(int cx, int cy) {
    if (!m_hWnd) return;
    RECT client = {}, window = {};
    if (!GetClientRect(m_hWnd, &client) || !GetWindowRect(m_hWnd, &window)) return;
    // Whatever frame the window has stays: the new size is the client plus it.
    int frameW = (window.right - window.left) - client.right;
    int frameH = (window.bottom - window.top) - client.bottom;
    int w = (cx != -1 ? cx : client.right) + frameW;
    int h = (cy != -1 ? cy : client.bottom) + frameH;
    SetWindowPos(m_hWnd, nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

LRESULT CWindowWnd::SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowWnd::PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK CWindowWnd::__WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWindowWnd* self = nullptr;
    if (uMsg == WM_NCCREATE) {
        self = static_cast<CWindowWnd*>(reinterpret_cast<LPCREATESTRUCTW>(lParam)->lpCreateParams);
        self->m_hWnd = hWnd;
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CWindowWnd*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) {
        LRESULT r = self->HandleMessage(uMsg, wParam, lParam);
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        if (self->m_hWnd == hWnd) self->m_hWnd = nullptr;
        self->m_pModalResult = nullptr;
        self->OnFinalMessage(hWnd);  // may delete the object
        return r;
    }
    if (uMsg == WM_CLOSE && self->m_pModalResult) {
        // Give the owner its input back before the window goes away.
        *self->m_pModalResult = static_cast<UINT>(wParam);
        HWND owner = GetWindow(hWnd, GW_OWNER);
        if (owner) EnableWindow(owner, TRUE);
        LRESULT r = self->HandleMessage(uMsg, wParam, lParam);
        if (IsWindow(hWnd) && owner && IsWindowVisible(hWnd)) EnableWindow(owner, FALSE);  // the close was refused
        return r;
    }
    return self->HandleMessage(uMsg, wParam, lParam);
}

}  // namespace DuiLib

#include <windows.h>
#include <shellapi.h>

#include "common/logger.h"
#include "ui/core/paint_manager.h"
#include "ui/tray/tray_icon.h"

namespace DuiLib {

CTrayIcon::~CTrayIcon() { DeleteTrayIcon(); }

bool CTrayIcon::CreateTrayIcon(HWND hWndRecv, UINT uIDResource, LPCTSTR lpszToolTipText, UINT uMessage) {
    if (m_bVisible) DeleteTrayIcon();
    HICON icon =
        static_cast<HICON>(LoadImageW(CPaintManagerUI::GetResourceDll(), MAKEINTRESOURCEW(uIDResource), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
    m_data = {};
    m_data.cbSize = sizeof(m_data);
    m_data.hWnd = hWndRecv;
    m_data.uID = uIDResource;
    m_data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    m_data.uCallbackMessage = uMessage;
    m_data.hIcon = icon;
    if (lpszToolTipText) lstrcpynW(m_data.szTip, lpszToolTipText, ARRAYSIZE(m_data.szTip));
    m_bVisible = Shell_NotifyIconW(NIM_ADD, &m_data) != FALSE;
    if (!m_bVisible) LogBoth("CTrayIcon::CreateTrayIcon", "Shell_NotifyIconW NIM_ADD error");
    m_hIcon = icon;
    return m_bVisible;
}

bool CTrayIcon::DeleteTrayIcon() {
    if (!m_bVisible) return false;
    m_bVisible = false;
    return Shell_NotifyIconW(NIM_DELETE, &m_data) != FALSE;
}

bool CTrayIcon::SetTooltipText(LPCTSTR lpszTipText) {
    if (!lpszTipText) return false;
    lstrcpynW(m_data.szTip, lpszTipText, ARRAYSIZE(m_data.szTip));
    if (!m_bVisible) return true;
    m_data.uFlags = NIF_TIP;
    return Shell_NotifyIconW(NIM_MODIFY, &m_data) != FALSE;
}

bool CTrayIcon::SetIcon(HICON hIcon) {
    m_data.hIcon = hIcon;
    if (!m_bVisible) return true;
    m_data.uFlags = NIF_ICON;
    return Shell_NotifyIconW(NIM_MODIFY, &m_data) != FALSE;
}

}  // namespace DuiLib

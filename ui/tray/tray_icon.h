// CTrayIcon: the program's icon in the notification area. Mouse actions on it
// arrive at the receiving window as the tray message: wParam the icon id,
// lParam the mouse message (WM_LBUTTONUP, WM_RBUTTONUP, ...).
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace DuiLib {

constexpr UINT WM_TRAY_NOTIFY = WM_USER + 1;

class CTrayIcon {
public:
    CTrayIcon() = default;
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Adds the icon (resource uIDResource of the resource module). false when
    // the shell refuses it.
    bool CreateTrayIcon(HWND hWndRecv, UINT uIDResource, LPCTSTR lpszToolTipText = nullptr,
                        UINT uMessage = WM_TRAY_NOTIFY);
    bool DeleteTrayIcon();
    bool SetTooltipText(LPCTSTR lpszTipText);
    bool SetIcon(HICON hIcon);
    bool IsVisible() const { return m_bVisible; }

private:
    NOTIFYICONDATAW m_data = {};
    bool m_bVisible = false;
    HICON m_hIcon = nullptr;
};

}  // namespace DuiLib

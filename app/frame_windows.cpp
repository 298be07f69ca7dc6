// The windows the frame owns. Each slot is cleared when its window object goes,
// so no code reads a window object after it is gone.
#include "app/vistrel_frame.h"

#include "app/camera_wnd.h"
#include "app/recording_ui/toolbar_wnd.h"
#include "overlay/region/sel_area_wnd.h"

void CVistrelFrame::ForgetWindowAddress(const void* window) {
    if (!window) return;
    if (static_cast<const void*>(m_pToolbarWnd) == window) m_pToolbarWnd = nullptr;
    if (static_cast<const void*>(m_pCountdownWnd) == window) m_pCountdownWnd = nullptr;
    if (static_cast<const void*>(m_pSettingDlg) == window) m_pSettingDlg = nullptr;
    if (static_cast<const void*>(m_pDrawBoardWnd) == window) m_pDrawBoardWnd = nullptr;
    if (static_cast<const void*>(m_pCameraWnd) == window) m_pCameraWnd = nullptr;
}

HWND CVistrelFrame::ToolbarWindow() const { return m_pToolbarWnd ? m_pToolbarWnd->GetHWND() : nullptr; }

HWND CVistrelFrame::CameraWindow() const { return m_pCameraWnd ? m_pCameraWnd->GetHWND() : nullptr; }

HWND CVistrelFrame::SelAreaWindow() const { return m_pSelAreaWnd ? m_pSelAreaWnd->GetHWND() : nullptr; }

// The windows the frame owns. Each slot is cleared when its window object goes,
// so no code reads a window object after it is gone.
#include "vistrel_frame.h"

void CVistrelFrame::ForgetWindowAddress(const void* window) {
    if (!window) return;
    if (static_cast<const void*>(m_pToolbarWnd) == window) m_pToolbarWnd = nullptr;
    if (static_cast<const void*>(m_pCountdownWnd) == window) m_pCountdownWnd = nullptr;
    if (static_cast<const void*>(m_pSelAreaWnd) == window) m_pSelAreaWnd = nullptr;
    if (static_cast<const void*>(m_pSettingDlg) == window) m_pSettingDlg = nullptr;
    if (static_cast<const void*>(m_pDrawBoardWnd) == window) m_pDrawBoardWnd = nullptr;
}

// These read the window objects' handles once their classes are part of the build;
// until then the frame has no such window.
HWND CVistrelFrame::ToolbarWindow() const { return nullptr; }

HWND CVistrelFrame::SelAreaWindow() const { return nullptr; }

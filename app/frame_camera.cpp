// The webcam window of the main window: opened with the camera, in the
// bottom-right corner of the primary work area, always on top so that a
// recording of the screen shows it. UI thread only.
#include "app/camera_wnd.h"
#include "app/vistrel_frame.h"
#include "common/logger.h"
#include "engine/vistreler.h"

void CVistrelFrame::ShowCameraWindow() {
    CloseOwnedWindow(m_pCameraWnd);
    auto* window = new CCameraWnd;
    if (!window->Create(m_hWnd, L"透明窗口演示", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, kCameraWndWidth,
                        kCameraWndHeight)) {
        LogBoth("CVistrelFrame::ShowCameraWindow", "camera_wnd.xml could not be shown error");
        delete window;
        return;
    }
    m_pCameraWnd = window;
    window->SetGoneNotice([this](const void* gone) { ForgetWindowAddress(gone); });
    window->SetOwner(m_hWnd);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const HWND hwnd = window->GetHWND();
    SetWindowPos(hwnd, nullptr, work.right - kCameraWndWidth - 1, work.bottom - kCameraWndHeight - 1, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_vistreler->SetPreviewWindow(hwnd);
    m_vistreler->SetPreviewOverlay(window->CloseButtonRect());
}

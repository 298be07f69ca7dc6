#include "app/camera_wnd.h"

#include "shell/custom_messages.h"

using namespace DuiLib;

void CCameraWnd::InitWindow() { m_pCloseBtn = FindNamed<CButtonUI>(m_PaintManager, camera_wnd_names::kClosebtn); }

RECT CCameraWnd::CloseButtonRect() const {
    if (!m_pCloseBtn) return {};
    const RECT pos = m_pCloseBtn->GetPos();
    if (!IsRectEmpty(&pos)) return pos;
    // Before the first layout: where the layout floats it.
    return {kCameraWndWidth - 25, 1, kCameraWndWidth - 1, 25};
}

// The window stays until the owner closes it with the camera.
void CCameraWnd::OnClick(TNotifyUI& msg) {
    if (msg.pSender && msg.pSender == m_pCloseBtn && m_owner) ::PostMessageW(m_owner, WM_CAMERA_CLOSED, 0, 0);
}

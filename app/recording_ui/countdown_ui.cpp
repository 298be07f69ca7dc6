#include "app/recording_ui/countdown_ui.h"

using namespace DuiLib;

CCountdownUI::CCountdownUI() : CUIAnimation(this) {}

CCountdownUI::~CCountdownUI() { StopAnimation(kAnimationId); }

LPVOID CCountdownUI::GetInterface(LPCTSTR pstrName) {
    if (wcscmp(pstrName, kCountdownInterface) == 0) return this;
    return CLabelUI::GetInterface(pstrName);
}

bool CCountdownUI::StartCountdown() {
    if (!StartAnimation(kFrameMs, kFrames, kAnimationId)) return false;
    Invalidate();
    return true;
}

void CCountdownUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_TIMER) OnAnimationElapse(static_cast<int>(event.wParam));
    CLabelUI::DoEvent(event);
}

void CCountdownUI::OnAnimationStep(int, int nCurFrame, int) {
    m_frameImage.Format(L"countdown/%.3d.png", nCurFrame);
    Invalidate();
}

// Each frame is drawn unscaled from the window's top-left; a missing frame leaves
// the window transparent.
void CCountdownUI::PaintBkImage(HDC hDC) {
    if (m_frameImage.IsEmpty() || !m_pManager) return;
    const TImageInfo* image = m_pManager->GetImageEx(m_frameImage);
    if (!image || !image->hBitmap) return;
    const RECT dest = {m_rcItem.left, m_rcItem.top, m_rcItem.left + image->nX, m_rcItem.top + image->nY};
    const RECT source = {0, 0, image->nX, image->nY};
    const RECT noCorners = {0, 0, 0, 0};
    CRenderEngine::DrawImage(hDC, image->hBitmap, dest, m_rcPaint, source, noCorners, image->bAlpha, 255);
}

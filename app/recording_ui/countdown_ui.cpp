#include "app/recording_ui/countdown_ui.h"

using namespace DuiLib;

namespace {

std::wstring FrameName(int frame) {
    CDuiString name;
    name.Format(L"countdown/%.3d.png", frame);
    return name.GetData();
}

}  // namespace

CCountdownUI::CCountdownUI() : CUIAnimation(this) {}

CCountdownUI::~CCountdownUI() { StopAnimation(kAnimationId); }

LPVOID CCountdownUI::GetInterface(LPCTSTR pstrName) {
    if (wcscmp(pstrName, kCountdownInterface) == 0) return this;
    return CLabelUI::GetInterface(pstrName);
}

bool CCountdownUI::StartCountdown() {
    if (!m_pManager) return false;
    m_frames = std::make_unique<CountdownFrames>(kFrames, FrameName);
    m_frames->Start();
    m_startedAt = GetTickCount64();
    if (!StartAnimation(kFrameMs, kFrames, kAnimationId)) return false;
    ShowFrame(0);
    return true;
}

void CCountdownUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_TIMER) OnAnimationElapse(static_cast<int>(event.wParam));
    CLabelUI::DoEvent(event);
}

// The animation's own frame count follows the time: it ends once the last frame shows.
void CCountdownUI::OnAnimationStep(int, int, int nAnimationID) {
    const int frame =
        CountdownFrameAt(GetTickCount64() - m_startedAt, kFrameMs, kFrames, m_frames ? m_frames->Decoded() : 0);
    if (frame < 0) return;
    ShowFrame(frame);
    SetCurrentFrame(frame, nAnimationID);
}

void CCountdownUI::ShowFrame(int frame) {
    if (frame == m_shownFrame) return;
    m_shownFrame = frame;
    m_frameImage = FrameName(frame).c_str();
    Invalidate();
}

// Each frame is drawn unscaled from the window's top-left; a missing frame leaves
// the window transparent.
void CCountdownUI::PaintBkImage(HDC hDC) {
    const TImageInfo* image = m_frames ? m_frames->Frame(m_shownFrame) : nullptr;
    if (!image || !image->hBitmap) return;
    const RECT dest = {m_rcItem.left, m_rcItem.top, m_rcItem.left + image->nX, m_rcItem.top + image->nY};
    const RECT source = {0, 0, image->nX, image->nY};
    const RECT noCorners = {0, 0, 0, 0};
    CRenderEngine::DrawImage(hDC, image->hBitmap, dest, m_rcPaint, source, noCorners, image->bAlpha, 255);
}

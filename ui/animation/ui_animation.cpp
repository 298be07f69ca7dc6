#include "ui/animation/ui_animation.h"

#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"

namespace DuiLib {

CUIAnimation::CUIAnimation(CControlUI* pOwner) : m_pOwner(pOwner) {}

CUIAnimation::~CUIAnimation() {
    if (m_pOwner && m_pOwner->GetManager())
        for (auto& a : m_animations) m_pOwner->GetManager()->KillTimer(m_pOwner, static_cast<UINT>(a.first));
    m_animations.clear();
}

bool CUIAnimation::StartAnimation(int nElapse, int nTotalFrame, int nAnimationID, bool bLoop) {
    if (!m_pOwner || !m_pOwner->GetManager() || nElapse <= 0 || nTotalFrame <= 0) return false;
    Animation& a = m_animations[nAnimationID];
    a = Animation{nElapse, nTotalFrame, 0, bLoop};
    if (!m_pOwner->GetManager()->SetTimer(m_pOwner, static_cast<UINT>(nAnimationID), static_cast<UINT>(nElapse))) {
        m_animations.erase(nAnimationID);
        return false;
    }
    OnAnimationStart(nAnimationID, true);
    return true;
}

void CUIAnimation::StopAnimation(int nAnimationID) {
    auto it = m_animations.find(nAnimationID);
    if (it == m_animations.end()) return;
    m_animations.erase(it);
    if (m_pOwner && m_pOwner->GetManager())
        m_pOwner->GetManager()->KillTimer(m_pOwner, static_cast<UINT>(nAnimationID));
    OnAnimationStop(nAnimationID);
}

bool CUIAnimation::IsAnimationRunning(int nAnimationID) const { return m_animations.count(nAnimationID) != 0; }

int CUIAnimation::GetCurrentFrame(int nAnimationID) const {
    auto it = m_animations.find(nAnimationID);
    return it == m_animations.end() ? -1 : it->second.currentFrame;
}

bool CUIAnimation::SetCurrentFrame(int nFrame, int nAnimationID) {
    auto it = m_animations.find(nAnimationID);
    if (it == m_animations.end() || nFrame < 0 || nFrame >= it->second.totalFrames) return false;
    it->second.currentFrame = nFrame;
    return true;
}

void CUIAnimation::OnAnimationElapse(int nAnimationID) {
    auto it = m_animations.find(nAnimationID);
    if (it == m_animations.end()) return;
    Animation a = it->second;
    OnAnimationStep(a.totalFrames, a.currentFrame, nAnimationID);
    it = m_animations.find(nAnimationID);  // the step may have stopped or restarted it
    if (it == m_animations.end()) return;
    if (++it->second.currentFrame < it->second.totalFrames) return;
    if (it->second.loop) {
        it->second.currentFrame = 0;
        OnAnimationStart(nAnimationID, false);
        return;
    }
    StopAnimation(nAnimationID);
}

}  // namespace DuiLib

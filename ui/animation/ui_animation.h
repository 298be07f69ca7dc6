// CUIAnimation: frame timing for a control. A control derives from it (next to
// its control base), forwards its UIEVENT_TIMER events to OnAnimationElapse
// with the event's timer id, and draws frame by frame in OnAnimationStep.
//
//   StartAnimation(30, 90, 6);  // every 30 ms, frames 0..89, animation id 6
//
// The animation id is the control timer id, so a control can run several.
#pragma once

#include <map>

namespace DuiLib {

class CControlUI;

class CUIAnimation {
public:
    explicit CUIAnimation(CControlUI* pOwner);
    virtual ~CUIAnimation();
    CUIAnimation(const CUIAnimation&) = delete;
    CUIAnimation& operator=(const CUIAnimation&) = delete;

    // Starts (or restarts) an animation of nTotalFrame frames, one every
    // nElapse ms. false when the owner has no window yet or the values are bad.
    bool StartAnimation(int nElapse, int nTotalFrame, int nAnimationID = 0, bool bLoop = false);
    void StopAnimation(int nAnimationID = 0);
    bool IsAnimationRunning(int nAnimationID = 0) const;
    int GetCurrentFrame(int nAnimationID = 0) const;
    bool SetCurrentFrame(int nFrame, int nAnimationID = 0);

    // One timer tick of animation nAnimationID: steps to the next frame.
    void OnAnimationElapse(int nAnimationID);

    virtual void OnAnimationStart(int nAnimationID, bool bFirstLoop) {}
    virtual void OnAnimationStep(int nTotalFrame, int nCurFrame, int nAnimationID) {}
    virtual void OnAnimationStop(int nAnimationID) {}

private:
    struct Animation {
        int elapse = 0;
        int totalFrames = 0;
        int currentFrame = 0;
        bool loop = false;
    };
    CControlUI* m_pOwner;
    std::map<int, Animation> m_animations;
};

}  // namespace DuiLib

// The countdown animation: 90 frames "countdown/000.png" ... "countdown/089.png",
// one every 30 ms, played once; the last frame stays.
#pragma once

#include "ui/duilib.h"

// What CCountdownUI answers to GetInterface besides its base's names.
constexpr const wchar_t* kCountdownInterface = L"CountdownUI";

class CCountdownUI : public DuiLib::CLabelUI, public DuiLib::CUIAnimation {
public:
    static constexpr int kFrames = 90;
    static constexpr int kFrameMs = 30;
    static constexpr int kAnimationId = 6;

    CCountdownUI();
    ~CCountdownUI() override;

    LPCTSTR GetClass() const override { return L"CountdownUI"; }
    LPVOID GetInterface(LPCTSTR pstrName) override;

    // Starts the animation from its first frame; false when the control has no window yet.
    bool StartCountdown();
    // The image of the frame on show; empty before the first step.
    const DuiLib::CDuiString& FrameImage() const { return m_frameImage; }

    void DoEvent(DuiLib::TEventUI& event) override;
    void PaintBkImage(HDC hDC) override;
    void OnAnimationStep(int nTotalFrame, int nCurFrame, int nAnimationID) override;

private:
    DuiLib::CDuiString m_frameImage;
};

// The countdown animation: 90 frames "countdown/000.png" ... "countdown/089.png",
// one every 30 ms, played once; the last frame stays. The frames are decoded
// before they play (CountdownFrames) and each step shows the frame the time since
// the start calls for, so a late timer skips frames instead of slowing down.
#pragma once

#include <memory>

#include "app/recording_ui/countdown_frames.h"
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

    // Starts the animation on its first frame; false when the control has no window yet.
    bool StartCountdown();
    // The image of the frame on show; empty before the start.
    const DuiLib::CDuiString& FrameImage() const { return m_frameImage; }
    // The frames of the countdown that runs; null before the start.
    const CountdownFrames* Frames() const { return m_frames.get(); }

    void DoEvent(DuiLib::TEventUI& event) override;
    void PaintBkImage(HDC hDC) override;
    void OnAnimationStep(int nTotalFrame, int nCurFrame, int nAnimationID) override;

private:
    void ShowFrame(int frame);

    DuiLib::CDuiString m_frameImage;
    std::unique_ptr<CountdownFrames> m_frames;
    ULONGLONG m_startedAt = 0;
    int m_shownFrame = -1;
};

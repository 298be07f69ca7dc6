// The recording toolbar: a small floating bar beside the recorded area with the
// elapsed time, pause/resume, stop, spotlight, screenshot, drawing and a button
// back to the main window. It records nothing itself: stop and pause go to its
// observer, the other buttons post messages to the main window. Parked at the
// left or right screen edge it slides out of view and back when the cursor
// touches the strip left showing.
//
// Lifetime: the object deletes itself when its window is destroyed (after its
// gone notice); to end it, DestroyWindow(GetHWND()) or Close(). The owner must
// stop calling SetTimeDigits before that.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "app/layouts/toolbar_names.h"
#include "app/recording_ui/self_deleting_wnd.h"
#include "app/recording_ui/toolbar_observer.h"

class CDrawBoardWnd;
class CDrawbarWnd;
class CSpotLightWnd;

class CToolbarWnd : public CSelfDeletingWnd {
public:
    static constexpr int kWidth = 450;
    static constexpr int kHeight = 46;

    // owner: the main window, target of every posted message.
    explicit CToolbarWnd(HWND owner);
    ~CToolbarWnd() override;

    void SetObserver(ToolbarObserver* observer) { m_observer = observer; }
    // The drawing board created with the bar: its parent window.
    void SetBoardWindow(CDrawBoardWnd* board) { m_boardWnd = board; }
    // false for a bar created hidden: it never slides.
    void SetSlideEnabled(bool enabled) { m_slideEnabled = enabled; }
    // The screen being recorded; limits the sliding.
    void SetBoundsRect(int left, int top, int right, int bottom);

    // Shows the elapsed time as digit images "other/<digit>.png". Safe to call from
    // the progress thread: the images change on the bar's own thread.
    void SetTimeDigits(uint64_t hoursTens, uint64_t hoursUnits, uint64_t minutesTens, uint64_t minutesUnits,
                       uint64_t secondsTens, uint64_t secondsUnits);
    // Keeps btn_pause in step with the main window's own pause button.
    void SetPauseSelected(bool paused);

    // The drawing toolbar and the spotlight (toolbar_overlays.cpp): both windows
    // of the board, never shown together when drawing starts.
    void CloseDrawToolbar();
    void ToggleDrawToolbar();
    void ToggleSpotlight();
    CDrawbarWnd* DrawToolbar() const { return m_pDrawbar; }
    CSpotLightWnd* Spotlight() const { return m_pSpotlight; }
    // A desktop point for the spotlight while it is shown.
    void ForwardSpotPoint(int x, int y);

    // Saves the recorded area (inside its frame) as an image in the settings'
    // format and folder; the file's path, or empty after telling the user.
    std::wstring CaptureRecordArea();
    // What tells the user that a screenshot failed (a message box unless replaced).
    void SetFailureNotice(std::function<void(const wchar_t*)> notice) { m_failureNotice = std::move(notice); }

protected:
    LPCTSTR GetWindowClassName() const override { return L"toolbar"; }
    DuiLib::CDuiString GetSkinFile() override { return toolbar_names::kLayout; }
    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

private:
    void OnPauseClicked();
    void OnStopClicked();
    void OnReturnClicked();
    void ApplyTimeDigits();
    void SetPauseTooltip(bool paused);

    // Sliding at the screen edges (toolbar_slide.cpp): a slide goes out to the
    // left, else to the right, or in from the left, then from the right, a few
    // steps per tick of the slide timer.
    enum class Slide { kNone, kOutLeft, kOutRight, kInFromLeft, kInFromRight };
    static UINT_PTR SlideTimerId();
    void OnSlideOutTimer();
    void OnSlideInTimer();
    void SlideOut();
    void SlideIn();
    void StartSlide(Slide first);
    bool NextSlideStep(const RECT& rc, int* dx);
    void OnSlideTick();
    void EndSlide();
    bool IsOverlayForeground() const;
    bool CreateSpotlight();
    HWND SpotlightWindow() const;

    ToolbarObserver* m_observer = nullptr;
    HWND m_ownerWnd;
    CDrawBoardWnd* m_boardWnd = nullptr;
    CDrawbarWnd* m_pDrawbar = nullptr;      // deletes itself; its gone notice clears this
    CSpotLightWnd* m_pSpotlight = nullptr;  // owned, made hidden once the bar is up
    RECT m_rcScreen = {0, 0, 0, 0};
    bool m_slideEnabled = true;
    Slide m_slide = Slide::kNone;
    std::function<void(const wchar_t*)> m_failureNotice;

    // Controls of toolbar.xml, found in InitWindow; null when the layout lacks them.
    DuiLib::COptionUI* m_pPause = nullptr;
    std::array<DuiLib::CLabelUI*, 6> m_pDigits = {};  // hours, minutes, seconds: tens then units

    std::mutex m_digitsLock;  // the progress thread writes, the UI thread reads
    std::array<uint64_t, 6> m_pendingDigits = {};
};

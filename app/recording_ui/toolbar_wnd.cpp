#include "app/recording_ui/toolbar_wnd.h"

#include "app/layouts/toolbar_names.h"
#include "app/recording_ui/screenshot.h"
#include "common/logger.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "common/text_convert.h"
#include "common/time_size_text.h"
#include "engine/writer_output_names.h"
#include "shell/custom_messages.h"

using namespace DuiLib;

namespace {

// Posted to the bar itself when the digits were set on another thread.
constexpr UINT kApplyTimeDigitsMsg = WM_APP + 1;
// Posted to the bar itself once it is up: the spotlight is made then.
constexpr UINT kCreateSpotlightMsg = WM_APP + 2;
constexpr UINT_PTR kSlideOutTimer = 20;
constexpr UINT kSlideOutPeriodMs = 5000;
constexpr UINT_PTR kSlideInTimer = 21;
constexpr UINT kSlideInPeriodMs = 500;
// The screenshot leaves out the frame drawn around the recorded area.
constexpr int kFrameInset = 2;

// The digit labels in the order of SetTimeDigits.
const DuiLib::LayoutName kDigitLabels[6] = {toolbar_names::kBarTimeHt, toolbar_names::kBarTimeHu,
                                            toolbar_names::kBarTimeMt, toolbar_names::kBarTimeMu,
                                            toolbar_names::kBarTimeSt, toolbar_names::kBarTimeSu};

void ShowMessageBox(const wchar_t* text) { MessageBoxW(nullptr, text, L"", MB_OK); }

void LogChs(const char* where, const wchar_t* text) { LogBoth(where, "%s", WideToChs(text).c_str()); }

}  // namespace

CToolbarWnd::CToolbarWnd(HWND owner) : m_ownerWnd(owner), m_failureNotice(ShowMessageBox) {}

void CToolbarWnd::SetBoundsRect(int left, int top, int right, int bottom) {
    m_rcScreen = RECT{left, top, right, bottom};
}

void CToolbarWnd::InitWindow() {
    m_pPause = FindNamed<COptionUI>(m_PaintManager, toolbar_names::kBtnPause);
    for (size_t i = 0; i < m_pDigits.size(); ++i) m_pDigits[i] = FindNamed<CLabelUI>(m_PaintManager, kDigitLabels[i]);
    ::SetTimer(m_hWnd, kSlideOutTimer, kSlideOutPeriodMs, nullptr);
    ::SetTimer(m_hWnd, kSlideInTimer, kSlideInPeriodMs, nullptr);
    ::PostMessageW(m_hWnd, kCreateSpotlightMsg, 0, 0);
}

void CToolbarWnd::OnClick(TNotifyUI& msg) {
    const CDuiString name = msg.pSender->GetName();
    if (name == toolbar_names::kBtnPause.name)
        OnPauseClicked();
    else if (name == toolbar_names::kBtnStop.name)
        OnStopClicked();
    else if (name == toolbar_names::kBtnSpotlight.name)
        ToggleSpotlight();
    else if (name == toolbar_names::kBtnJietu.name)
        ::PostMessageW(m_ownerWnd, WM_RECORD_SCREENSHOT, 0, 0);
    else if (name == toolbar_names::kBtnDraw.name)
        ToggleDrawToolbar();
    else if (name == toolbar_names::kBtnReturn.name)
        OnReturnClicked();
}

// The click arrives before the option toggles: selected means paused until now.
void CToolbarWnd::OnPauseClicked() {
    if (!m_pPause) return;
    const bool pausing = !m_pPause->IsSelected();
    const int32_t state = pausing ? _PauseState : _RecordingState;
    SetPauseTooltip(pausing);
    g_recordeState = state;
    if (m_observer) m_observer->onRecordStateChanged(state);
    LogChs("CToolbarWnd::OnClick", pausing ? L"暂停" : L"恢复录制");
    ::PostMessageW(m_ownerWnd, WM_SEL_AREA_FLOW, pausing ? 0 : 1, 0);
}

// The stop closes the bar: nothing of the object is touched after it.
void CToolbarWnd::OnStopClicked() {
    if (m_observer) m_observer->onStopRecord();
    LogChs("CToolbarWnd::OnClick", L"停止");
}

void CToolbarWnd::OnReturnClicked() {
    ::PostMessageW(m_ownerWnd, WM_SHOW_MAIN_WINDOW, 1, 0);
    ::ShowWindow(m_hWnd, SW_HIDE);
}

void CToolbarWnd::SetPauseTooltip(bool paused) { m_pPause->SetToolTip(paused ? L"恢复录制" : L"暂停"); }

void CToolbarWnd::SetPauseSelected(bool paused) {
    if (!m_pPause) return;
    m_pPause->Selected(paused, false);
    SetPauseTooltip(paused);
    m_pPause->Invalidate();
}

void CToolbarWnd::SetTimeDigits(uint64_t hoursTens, uint64_t hoursUnits, uint64_t minutesTens, uint64_t minutesUnits,
                                uint64_t secondsTens, uint64_t secondsUnits) {
    {
        std::lock_guard<std::mutex> guard(m_digitsLock);
        m_pendingDigits = {hoursTens, hoursUnits, minutesTens, minutesUnits, secondsTens, secondsUnits};
    }
    HWND hwnd = m_hWnd;
    if (!hwnd) return;
    if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId())
        ApplyTimeDigits();
    else
        ::PostMessageW(hwnd, kApplyTimeDigitsMsg, 0, 0);
}

void CToolbarWnd::ApplyTimeDigits() {
    std::array<uint64_t, 6> digits;
    {
        std::lock_guard<std::mutex> guard(m_digitsLock);
        digits = m_pendingDigits;
    }
    for (size_t i = 0; i < digits.size(); ++i)
        if (m_pDigits[i]) m_pDigits[i]->SetBkImage(DigitImageName(digits[i]).c_str());
}

std::wstring CToolbarWnd::CaptureRecordArea() {
    const RECT area = {g_rcSnapwick.left + kFrameInset, g_rcSnapwick.top + kFrameInset,
                       g_rcSnapwick.right - kFrameInset, g_rcSnapwick.bottom - kFrameInset};
    SettingRecord settings = CSettingData::GetInstance()->GetSettings();
    SYSTEMTIME now;
    GetLocalTime(&now);
    // Two screenshots within one second both stay: the second gets " - 1".
    std::wstring path = UniqueFileName(ScreenshotFileName(settings.path, settings.SFormat, now));
    if (SaveScreenArea(area, path, ImageKindOf(settings.SFormat))) return path;
    LogBoth("CToolbarWnd::CaptureRecordArea", "[path]%s error", WideToUtf8(path).c_str());
    if (m_failureNotice) m_failureNotice(L"截图失败！");
    return L"";
}

LRESULT CToolbarWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    bHandled = true;
    if (uMsg == kApplyTimeDigitsMsg) {
        ApplyTimeDigits();
        return 0;
    }
    if (uMsg == kCreateSpotlightMsg) {
        if (!m_pSpotlight) CreateSpotlight();
        return 0;
    }
    if (uMsg == WM_TIMER && wParam == kSlideOutTimer) {
        OnSlideOutTimer();
        return 0;
    }
    if (uMsg == WM_TIMER && wParam == kSlideInTimer) {
        OnSlideInTimer();
        return 0;
    }
    if (uMsg == WM_TIMER && wParam == SlideTimerId()) {
        OnSlideTick();
        return 0;
    }
    bHandled = false;
    return 0;
}

// Alt+F4 on the bar must not take the window (and its pointer in the main window)
// away under a running recording: it stops the recording the normal way, and the
// main window closes the bar as part of that.
LRESULT CToolbarWnd::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if ((wParam & 0xFFF0) != SC_CLOSE) {
        bHandled = false;
        return 0;
    }
    bHandled = true;
    if (m_observer && g_recordeState != _StopState) m_observer->onStopRecord();
    return 0;
}

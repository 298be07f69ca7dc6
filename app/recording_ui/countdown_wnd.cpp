#include "app/recording_ui/countdown_wnd.h"

#include "app/layouts/countdown_names.h"
#include "app/recording_ui/countdown_ui.h"
#include "common/logger.h"

using namespace DuiLib;

void CCountdownWnd::InitWindow() {
    m_pShowGif = FindNamed<CCountdownUI>(m_PaintManager, countdown_names::kShowGif);
    if (m_pShowGif) m_pShowGif->StartCountdown();
}

CControlUI* CCountdownWnd::CreateControl(LPCTSTR pstrClass) {
    if (wcscmp(pstrClass, L"CountdownUI") == 0) return new CCountdownUI;
    return nullptr;
}

// Alt+F4 while the countdown has the focus: the recording is already being
// prepared and the main window ends the countdown itself, so nothing happens.
LRESULT CCountdownWnd::OnSysCommand(UINT, WPARAM wParam, LPARAM, bool& bHandled) {
    bHandled = (wParam & 0xFFF0) == SC_CLOSE;
    return 0;
}

CCountdownWnd* ShowCountdown(CCountdownWnd* previous, const SettingRecord& settings) {
    if (!settings.Check_Countdown) return previous;
    if (previous) previous->Close(0);
    auto* countdown = new CCountdownWnd;
    if (!countdown->Create(nullptr, L"CountdownWnd", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0,
                           CCountdownWnd::kWidth, CCountdownWnd::kHeight)) {
        LogBoth("ShowCountdown", "the countdown window could not be created error");
        delete countdown;
        return nullptr;
    }
    countdown->CenterWindow();
    return countdown;
}

void CloseCountdown(CCountdownWnd* countdown) {
    if (!countdown || !countdown->GetHWND()) return;
    ::ShowWindow(countdown->GetHWND(), SW_HIDE);
    countdown->Close(0);
}

// The countdown window: borderless, transparent and top-most in the middle of the
// screen, playing the countdown while the recording gets ready. It never closes
// itself; the main window closes it when its start timer fires.
#pragma once

#include <functional>

#include "duilib.h"
#include "setting_data.h"

class CCountdownUI;

class CCountdownWnd : public DuiLib::WindowImplBase {
public:
    static constexpr int kWidth = 426;
    static constexpr int kHeight = 550;

    CCountdownUI* Animation() const { return m_pShowGif; }
    // Called with the object just before it deletes itself with its window.
    void SetGoneNotice(std::function<void(const void*)> notice) { m_goneNotice = std::move(notice); }

protected:
    LPCTSTR GetWindowClassName() const override { return L"CountdownWnd"; }
    DuiLib::CDuiString GetSkinFile() override { return L"Countdown.xml"; }
    void InitWindow() override;
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override;
    LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    void OnFinalMessage(HWND hWnd) override;

private:
    CCountdownUI* m_pShowGif = nullptr;
    bool m_initialised = false;  // the layout was built: the window owns the object
    std::function<void(const void*)> m_goneNotice;
};

// The countdown for a recording that starts now, when the settings ask for one
// (Check_Countdown): an earlier countdown is closed first and a new one shown,
// centred. Returns the countdown on show: the new one, or previous when the
// settings have none.
CCountdownWnd* ShowCountdown(CCountdownWnd* previous, const SettingRecord& settings);

// Hides and closes a countdown (the object deletes itself with its window); the
// countdown must still be alive.
void CloseCountdown(CCountdownWnd* countdown);

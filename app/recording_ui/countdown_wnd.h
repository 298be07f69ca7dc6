// The countdown window: borderless, transparent and top-most in the middle of the
// screen, playing the countdown while the recording gets ready. It never closes
// itself; the main window closes it when its start timer fires.
#pragma once

#include "app/layouts/countdown_names.h"
#include "app/recording_ui/self_deleting_wnd.h"
#include "common/setting_data.h"

class CCountdownUI;

class CCountdownWnd : public CSelfDeletingWnd {
public:
    static constexpr int kWidth = 426;
    static constexpr int kHeight = 550;

    CCountdownUI* Animation() const { return m_pShowGif; }

protected:
    LPCTSTR GetWindowClassName() const override { return L"CountdownWnd"; }
    DuiLib::CDuiString GetSkinFile() override { return countdown_names::kLayout; }
    void InitWindow() override;
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override;
    LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

private:
    CCountdownUI* m_pShowGif = nullptr;
};

// The countdown for a recording that starts now, when the settings ask for one
// (Check_Countdown): an earlier countdown is closed first and a new one shown,
// centred. Returns the countdown on show: the new one, or previous when the
// settings have none.
CCountdownWnd* ShowCountdown(CCountdownWnd* previous, const SettingRecord& settings);

// Hides and closes a countdown (the object deletes itself with its window); the
// countdown must still be alive.
void CloseCountdown(CCountdownWnd* countdown);

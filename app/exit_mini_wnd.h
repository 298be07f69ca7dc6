// The close prompt ("退出确认"): closing the main window quits the program or
// hides it to the tray, as remembered in "Tessel.ini" [MainPanel]; unless the
// user ticked "不再显示", the prompt asks first.
#pragma once

#include "app/layouts/exit_names.h"
#include "shell/tips/tip_dialog.h"

// The remembered choice, reloaded at every close request; UI thread only.
extern bool g_closeToExit;    // true: closing quits; false: it hides to the tray
extern bool g_exitRemind;     // true: the prompt asks
extern bool g_exitConfirmed;  // the prompt was left with "确定"

// g_closeToExit and g_exitRemind from [MainPanel] Check_close_panel and ExitMiniWndRemind.
void LoadExitChoice();

class CExitMiniWnd : public CTipDialog {
public:
    CExitMiniWnd() : CTipDialog(kTipParking) {}
    // The answer into the flags, [MainPanel] and the settings model.
    void SaveChoice();

protected:
    LPCTSTR GetWindowClassName() const override { return L"exitwnd"; }
    DuiLib::CDuiString GetSkinFile() override { return exit_names::kLayout; }
    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;

private:
    DuiLib::CButtonUI* m_pBtnClose = nullptr;
    DuiLib::COptionUI* m_pBtnMini = nullptr;
    DuiLib::COptionUI* m_pBtnExit = nullptr;
    DuiLib::COptionUI* m_pBtnNoRemind = nullptr;
};

// Shows the prompt modally over parent; true when it was left with "确定".
bool ShowExitMiniWnd(HWND parent);

// HotkeyTipDlg: the modal notice that lists the hotkeys another program holds
// and asks whether to change them (1 from its OK button, 0 otherwise), and the
// whole notice step that the main window at start and the settings dialog's OK
// run. UI thread only.
#pragma once

#include <string>
#include <vector>

#include "settings/hotkeys/hotkey_setting.h"
#include "settings/layouts/hotkey_tip_names.h"
#include "shell/tips/tip_dialog.h"

constexpr DWORD kHotkeyTipStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
constexpr DWORD kHotkeyTipExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;

class HotkeyTipDlg : public CTipDialog {
public:
    HotkeyTipDlg() : CTipDialog(kGameTipParking) {}

    // The display texts of the taken entries, parentheses turned into quotes;
    // true when there is one.
    bool CollectConflicts(const std::vector<HotkeyEntry>& entries);
    const std::vector<std::wstring>& Conflicts() const { return m_conflicts; }
    // Whether "show_del" was ticked when OK closed the notice.
    bool NoShowChosen() const { return m_noShowChosen; }

protected:
    LPCTSTR GetWindowClassName() const override { return L"HotkeyTipWnd"; }
    DuiLib::CDuiString GetSkinFile() override { return hotkey_tip_names::kLayout; }
    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;

private:
    void FillTips();

    DuiLib::CButtonUI* m_pCloseBtn = nullptr;  // owned by the layout
    DuiLib::CCheckBoxUI* m_pShowDel = nullptr;
    DuiLib::CLabelUI* m_pTitle = nullptr;
    DuiLib::CLabelUI* m_pTipTexts[6] = {};
    bool m_noShowChosen = false;
    std::vector<std::wstring> m_conflicts;
};

// The notice over owner when a registered hotkey is taken and the notice is not
// suppressed ([HotkeyTip] HotkeyNoshow of "Tessel.ini", common/main_ini.h); true
// when the user chose to change the keys.
bool ShowHotkeyConflictNotice(HWND owner);

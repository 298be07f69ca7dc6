// Offered in game mode when no game window was found: record the screen instead?
#pragma once

#include "shell/layouts/game_record_tip_names.h"
#include "shell/tips/tip_dialog.h"

class GameRecordTipDlg : public CTipDialog {
public:
    GameRecordTipDlg() : CTipDialog(kGameTipParking) {}

protected:
    LPCTSTR GetWindowClassName() const override { return L"GameRecordTipWnd"; }
    DuiLib::CDuiString GetSkinFile() override { return game_record_tip_names::kLayout; }
    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;

private:
    DuiLib::CButtonUI* m_pCloseBtn = nullptr;
    DuiLib::CCheckBoxUI* m_pShowDel = nullptr;  // shown, never read
    DuiLib::CLabelUI* m_pTitle = nullptr;
};
